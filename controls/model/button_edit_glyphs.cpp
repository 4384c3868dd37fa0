#include "controls/model/button_edit_glyphs.h"

#include <algorithm>
#include <cctype>

namespace ec {

namespace {

// The palette, by the letters of the pictures below.
struct Ink {
    char letter;
    std::uint32_t rgb;
};
constexpr Ink kInks[] = {
    {'.', kGlyphAqua}, {'k', 0x000000}, {'w', 0xFFFFFF}, {'g', 0x808080}, {'l', 0xC0C0C0},
    {'S', 0x6A5ACD},  // slate blue
    {'R', 0x8B0000},  // dark red
    {'Y', 0xFFFF00}, {'O', 0x808000}, {'b', 0x87CEEB}, {'D', 0x00008B}, {'r', 0xFF0000}, {'o', 0xFFA500},
};

int ink_index(char letter) {
    for (std::size_t i = 0; i < std::size(kInks); ++i)
        if (kInks[i].letter == letter) return static_cast<int>(i);
    return 0;
}

constexpr int kGrey = 3, kLightGrey = 4, kWhite = 2;

using Picture = std::vector<const char*>;

Picture picture_of(TButtonKind kind) {
    switch (kind) {
    case TButtonKind::bkLookup:
        return {"..........", "..........", "..........", "..........", "..........",
                "..........", ".kk.kk.kk.", ".kk.kk.kk.", "..........", ".........."};
    case TButtonKind::bkDropDown:
        return {"..........", "..........", "..........", ".kkkkkkk..", "..kkkkk...",
                "...kkk....", "....k.....", "..........", "..........", ".........."};
    case TButtonKind::bkCalendar:
        return {"SSSSSSSSS.", "SSSSSSSSS.", "SwwwwwwwS.", "SwRwRRRwS.", "SRRwRwwwS.",
                "SwRwRRRwS.", "SwRwwwRwS.", "SwRwRRRwS.", "SSSSSSSSS.", ".........."};
    case TButtonKind::bkAccept:
        return {"..........", ".......k..", "......kk..", ".k...kk...", ".kk.kk....",
                "..kkk.....", "...k......", "..........", "..........", ".........."};
    case TButtonKind::bkReject:
        return {"..........", ".k.....k..", ".kk...kk..", "..kk.kk...", "...kkk....",
                "..kk.kk...", ".kk...kk..", ".k.....k..", "..........", ".........."};
    case TButtonKind::bkFolder:
        return {"..........", ".OOO......", "OYYYOOOOO.", "OYYYYYYYO.", "OYYYYYYYO.",
                "OYYYYYYYO.", "OYYYYYYYO.", "OOOOOOOOO.", "..........", ".........."};
    case TButtonKind::bkFind:
        return {"..kkk.....", ".kbbbk....", "kbbwbbk...", "kbbbbbk...", "kbbbbbk...",
                ".kbbbk....", "..kkkDD...", "......DD..", ".......DD.", ".........."};
    case TButtonKind::bkSearch:
        return {"bw........", "wbw.......", ".wbw......", "..wbw.....", "...wbw....",
                "....wbw...", ".....wro..", "......ror.", ".......ro.", ".........."};
    case TButtonKind::bkCustom: break;
    }
    return {};
}

bool light(std::uint32_t rgb) {
    const int r = static_cast<int>(rgb >> 16 & 0xFF), g = static_cast<int>(rgb >> 8 & 0xFF), b = static_cast<int>(rgb & 0xFF);
    return (r * 30 + g * 59 + b * 11) / 100 >= 160;
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

GlyphStrip button_edit_glyph(TButtonKind kind) {
    const Picture picture = picture_of(kind);
    GlyphStrip s;
    if (picture.empty()) return s;
    const int cell = kButtonEditGlyphCell;
    s.width = 2 * cell;
    s.height = cell;
    s.pixels.assign(static_cast<std::size_t>(s.width * s.height), 0);
    for (const Ink& ink : kInks) s.palette.push_back(ink.rgb);
    auto at = [&s](int x, int y) -> std::uint8_t& { return s.pixels[static_cast<std::size_t>(y * s.width + x)]; };
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x) at(x, y) = static_cast<std::uint8_t>(ink_index(picture[y][x]));
    // The disabled cell: the white shadow first, the shape in greys over it.
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x)
            if (at(x, y) != 0 && x + 1 < cell && y + 1 < cell) at(cell + x + 1, y + 1) = kWhite;
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x)
            if (at(x, y) != 0) at(cell + x, y) = light(s.palette[at(x, y)]) ? kLightGrey : kGrey;
    return s;
}

std::string button_edit_glyph_resource(TButtonKind kind) {
    if (kind == TButtonKind::bkCustom) return {};
    std::string name = enum_info(TButtonKind{}).name_of(static_cast<int>(kind)).substr(2);  // past "bk"
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return "ECBTNEDT_" + name;
}

std::string button_edit_glyph_file(TButtonKind kind) {
    std::string name = button_edit_glyph_resource(kind);
    if (name.empty()) return name;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name + ".bmp";
}

std::vector<std::uint8_t> encode_bmp8(const GlyphStrip& s) {
    const auto stride = static_cast<std::uint32_t>((s.width + 3) / 4 * 4);
    const auto colours = static_cast<std::uint32_t>(s.palette.size());
    const std::uint32_t pixels_at = 14 + 40 + 4 * colours;
    const std::uint32_t size = pixels_at + stride * static_cast<std::uint32_t>(s.height);
    std::vector<std::uint8_t> out{'B', 'M'};
    put32(out, size);
    put32(out, 0);
    put32(out, pixels_at);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(s.width));
    put32(out, static_cast<std::uint32_t>(s.height));  // bottom-up
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);  // BI_RGB
    put32(out, stride * static_cast<std::uint32_t>(s.height));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, colours);
    put32(out, colours);
    for (std::uint32_t rgb : s.palette) {
        out.push_back(static_cast<std::uint8_t>(rgb));
        out.push_back(static_cast<std::uint8_t>(rgb >> 8));
        out.push_back(static_cast<std::uint8_t>(rgb >> 16));
        out.push_back(0);
    }
    for (int y = s.height - 1; y >= 0; --y) {
        for (int x = 0; x < s.width; ++x) out.push_back(s.pixels[static_cast<std::size_t>(y * s.width + x)]);
        for (auto x = static_cast<std::uint32_t>(s.width); x < stride; ++x) out.push_back(0);
    }
    return out;
}

} // namespace ec
