// Painting helpers of the skinned controls: gradient fills and the parent's background.
#pragma once
#include "platform/ui/win/graphics.h"

namespace skin {

// Fills `rect` line by line from `start` to `end` (top to bottom when `vertical`), only the
// lines inside the clip, with the colours of the whole rectangle's gradient.
void FillGradient(HDC dc, const ui::Rect& rect, ui::TColor start, ui::TColor end, bool vertical);

// Paints the part of `control`'s parent under the control into `dc` (in the control's client
// coordinates) by sending the parent WM_ERASEBKGND and WM_PAINT with the device context.
void PaintParentBehind(HWND control, HDC dc);

} // namespace skin
