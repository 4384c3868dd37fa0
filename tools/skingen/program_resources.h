// The skin engine's bitmap resources of the programs, drawn from code: the window menu's four
// glyphs (restore, maximise, minimise, close) and the two track grooves.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "skin/image32.h"
#include "tests/skin/skin_test_data.h"

namespace skingen {

// 64 x 16, black glyphs on white (white is the image list's mask colour).
skin::Image32 MenuGlyphs();
// A 1-bit BMP of an image holding only black and white: anything not white is black.
std::vector<std::uint8_t> EncodeMonoBmp(const skin::Image32& image);
// "skinmenuglyphs.bmp" (1 bit), "track.bmp" and "trackvert.bmp".
std::vector<skin_test::SkinFile> ProgramResources();

} // namespace skingen
