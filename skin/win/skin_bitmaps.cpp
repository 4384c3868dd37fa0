#include "skin/win/skin_bitmaps.h"

#include <algorithm>

#include "skin/pixel_transforms.h"

namespace skin {
namespace {

template <class Transform>
void Apply(ui::Bitmap& bitmap, Transform transform) {
    Image32 image = ImageFromBitmap(bitmap);
    transform(image);
    AssignImage(bitmap, image);
}

} // namespace

Image32 ImageFromBitmap(const ui::Bitmap& bitmap) {
    Image32 image(bitmap.width(), bitmap.height());
    for (int y = 0; y < image.height(); ++y) {
        const std::uint32_t* from = bitmap.scan_line(y);
        std::transform(from, from + image.width(), image.row(y), [](std::uint32_t p) { return p & 0xFFFFFF; });
    }
    return image;
}

void AssignImage(ui::Bitmap& bitmap, const Image32& image) {
    bitmap.set_size(image.width(), image.height());
    for (int y = 0; y < image.height() && y < bitmap.height(); ++y)
        std::copy(image.row(y), image.row(y) + image.width(), bitmap.scan_line(y));
}

void ReplaceMagenta(ui::Bitmap& bitmap, ui::TColor color) {
    Apply(bitmap, [color](Image32& image) { ReplaceMagenta(image, color); });
}
void MirrorBitmap(ui::Bitmap& bitmap) { Apply(bitmap, [](Image32& image) { MirrorBitmap(image); }); }
void FlipBitmap(ui::Bitmap& bitmap) { Apply(bitmap, [](Image32& image) { FlipBitmap(image); }); }
void RotateBitmapLeft(ui::Bitmap& bitmap) { Apply(bitmap, [](Image32& image) { RotateBitmapLeft(image); }); }
void RotateBitmapRight(ui::Bitmap& bitmap) { Apply(bitmap, [](Image32& image) { RotateBitmapRight(image); }); }

} // namespace skin
