// The button edit's stock glyphs, drawn by our own code: per kind a strip of two 10 x 10 cells
// (normal, then disabled: the shape in greys with a white shadow below and to the right) on
// aqua, held as 8-bit palette indices and written as the program's bitmap resources.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "controls/model/button_edit_layout.h"

namespace ec {

constexpr int kButtonEditGlyphCell = 10;

struct GlyphStrip {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;    // palette indices, rows top-down
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    std::uint32_t rgb(int x, int y) const { return palette[pixels[static_cast<std::size_t>(y * width + x)]]; }
};

constexpr std::uint32_t kGlyphAqua = 0x00FFFF;

// Empty for bkCustom.
GlyphStrip button_edit_glyph(TButtonKind kind);
// "ECBTNEDT_LOOKUP" ...; empty for bkCustom.
std::string button_edit_glyph_resource(TButtonKind kind);
// The file beside the resource script ("ecbtnedt_lookup.bmp").
std::string button_edit_glyph_file(TButtonKind kind);
// An 8-bit palette BMP file.
std::vector<std::uint8_t> encode_bmp8(const GlyphStrip& strip);

} // namespace ec
