// The skin's plain images on the window class library's bitmaps, and the pixel transforms on
// element bitmaps (32-bit DIB sections give the pictures 24-bit ones did).
#pragma once
#include "platform/ui/win/graphics.h"
#include "skin/image32.h"

namespace skin {

Image32 ImageFromBitmap(const ui::Bitmap& bitmap);
// Sizes `bitmap` to the image and copies its pixels.
void AssignImage(ui::Bitmap& bitmap, const Image32& image);

void ReplaceMagenta(ui::Bitmap& bitmap, ui::TColor color);
void MirrorBitmap(ui::Bitmap& bitmap);
void FlipBitmap(ui::Bitmap& bitmap);
void RotateBitmapLeft(ui::Bitmap& bitmap);
void RotateBitmapRight(ui::Bitmap& bitmap);

} // namespace skin
