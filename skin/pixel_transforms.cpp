#include "skin/pixel_transforms.h"

#include <algorithm>

namespace skin {

void ReplaceMagenta(Image32& image, ui::TColor color) {
    const std::uint32_t replacement = PixelFromColor(color);
    for (int y = 0; y < image.height(); ++y)
        for (std::uint32_t* p = image.row(y); p != image.row(y) + image.width(); ++p)
            if ((*p & 0xFFFFFF) == kKeyPixel) *p = replacement;
}

void MirrorBitmap(Image32& image) {
    for (int y = 0; y < image.height(); ++y) std::reverse(image.row(y), image.row(y) + image.width());
}

void FlipBitmap(Image32& image) {
    for (int top = 0, bottom = image.height() - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(image.row(top), image.row(top) + image.width(), image.row(bottom));
}

void RotateBitmapLeft(Image32& image) {
    Image32 turned(image.height(), image.width());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) turned.set(y, image.width() - 1 - x, image.at(x, y));
    image = std::move(turned);
}

void RotateBitmapRight(Image32& image) {
    Image32 turned(image.height(), image.width());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) turned.set(image.height() - 1 - y, x, image.at(x, y));
    image = std::move(turned);
}

} // namespace skin
