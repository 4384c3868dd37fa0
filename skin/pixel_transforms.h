// Pixel transforms the skin data model uses to derive element pictures from one another.
#pragma once
#include "skin/image32.h"

namespace skin {

// Every pixel that is exactly magenta takes `color`'s channels.
void ReplaceMagenta(Image32& image, ui::TColor color);
// Left becomes right.
void MirrorBitmap(Image32& image);
// Top becomes bottom.
void FlipBitmap(Image32& image);
// 90 degrees counter-clockwise: (x, y) moves to (y, width - 1 - x).
void RotateBitmapLeft(Image32& image);
// 90 degrees clockwise: (x, y) moves to (height - 1 - y, x).
void RotateBitmapRight(Image32& image);

} // namespace skin
