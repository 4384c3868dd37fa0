// The skin engine's bitmap resources of the programs, drawn from code: the window menu's four
// glyphs (restore, maximise, minimise, close), the two track grooves and the media player's 27
// button pictures, with the resource script that binds them into the programs.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "skin/button_faces.h"
#include "skin/image32.h"
#include "tests/skin/skin_test_data.h"

namespace skingen {

// 64 x 16, black glyphs on white (white is the image list's mask colour).
skin::Image32 MenuGlyphs();
// A 1-bit BMP of an image holding only black and white: anything not white is black.
std::vector<std::uint8_t> EncodeMonoBmp(const skin::Image32& image);
// A media player button's picture: its glyph centred on olive, the player's transparent colour;
// black when enabled, grey engraved when disabled, in the button's own colour when coloured.
constexpr int kMediaPictureWidth = 16;
constexpr int kMediaPictureHeight = 14;
constexpr std::uint32_t kMediaTransparent = 0x808000;
skin::Image32 MediaButtonPicture(skin::MediaPicture picture, int button);
// "en_mpplay.bmp" for EN_MPPLAY.
std::string MediaPictureFile(skin::MediaPicture picture, int button);
// "skinmenuglyphs.bmp" (1 bit), "track.bmp", "trackvert.bmp", the 27 "<state>_mp<button>.bmp"
// and "skin_resources.rc" naming them all.
std::vector<skin_test::SkinFile> ProgramResources();

} // namespace skingen
