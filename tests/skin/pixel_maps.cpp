#include "tests/skin/pixel_maps.h"

namespace skin_test {

std::uint32_t CellPixel(char letter) {
    if (letter == '#') return skin::kKeyPixel;
    return static_cast<std::uint32_t>(letter - 'a' + 1) << 20;  // red 0x10, 0x20, ... 0x90
}

PixelMap MapOf(const skin::Image32& image) {
    PixelMap rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t p = image.at(x, y) & 0xFFFFFF;
            char c = '?';
            for (char letter : std::string("abcdefghi#"))
                if (p == CellPixel(letter)) c = letter;
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

skin::Image32 ImageOf(const PixelMap& rows) {
    skin::Image32 image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.set(x, y, CellPixel(rows[y][x]));
    return image;
}

} // namespace skin_test
