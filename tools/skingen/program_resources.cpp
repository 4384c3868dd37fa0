#include "tools/skingen/program_resources.h"

#include "skin/skin_system.h"
#include "tools/skingen/skin_drawing.h"

namespace skingen {
namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

} // namespace

skin::Image32 MenuGlyphs() {
    const std::vector<std::string> glyphs[4] = {
        {"...######", "...######", "...#....#", "#######.#", "#######.#", "#.....###", "#.....#..", "#.....#..", "#######.."},
        {"#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#", "#########"},
        {"#######", "#######"},
        {"##.....##", ".##...##.", "..##.##..", "...###...", "..##.##..", ".##...##.", "##.....##"},
    };
    skin::Image32 image(64, 16, 0xFFFFFF);
    for (int i = 0; i < 4; ++i) DrawGlyph(image, {16 * i, 0, 16 * (i + 1), 16}, glyphs[i], 0x000000);
    return image;
}

std::vector<std::uint8_t> EncodeMonoBmp(const skin::Image32& image) {
    const auto stride = static_cast<std::uint32_t>((image.width() + 31) / 32 * 4);
    const std::uint32_t pixels_at = 14 + 40 + 2 * 4;
    std::vector<std::uint8_t> out{'B', 'M'};
    Put(out, pixels_at + stride * static_cast<std::uint32_t>(image.height()), 4);
    Put(out, 0, 4);
    Put(out, pixels_at, 4);
    Put(out, 40, 4);
    Put(out, static_cast<std::uint32_t>(image.width()), 4);
    Put(out, static_cast<std::uint32_t>(image.height()), 4);
    Put(out, 1, 2);
    Put(out, 1, 2);
    for (int i = 0; i < 6; ++i) Put(out, i == 1 ? stride * static_cast<std::uint32_t>(image.height()) : 0, 4);
    Put(out, 0x000000, 4);  // index 0: black
    Put(out, 0xFFFFFF, 4);  // index 1: white
    for (int y = image.height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> line(stride, 0);
        for (int x = 0; x < image.width(); ++x)
            if ((image.at(x, y) & 0xFFFFFF) == 0xFFFFFF) line[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

std::vector<skin_test::SkinFile> ProgramResources() {
    auto bmp24 = [](const skin::Image32& image) {
        return skin_test::MakeBmp(image.width(), image.height(), [&](int x, int y) { return image.at(x, y); });
    };
    return {{"skinmenuglyphs.bmp", EncodeMonoBmp(MenuGlyphs())},
            {"track.bmp", bmp24(skin::DrawTrackPicture(false))},
            {"trackvert.bmp", bmp24(skin::DrawTrackPicture(true))}};
}

} // namespace skingen
