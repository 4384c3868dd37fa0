// The control set's bitmap and gradient painters: the ten gradient looks, a stretched copy
// with one transparent colour, and a parent's image under a control that shows it through.
#pragma once
#include "controls/model/ec_enums.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/graphics.h"

namespace ec {

// Paints over |width| x |height| at (left, top), whichever way the rectangle is given. Every
// caller passes a band size of 1; above 8 it is turned into a count of colours.
void paint_gradient_fill(ui::Canvas& canvas, const ui::Rect& bounds, TGradientDirection direction,
                         ui::TColor start_color, ui::TColor stop_color, int band_size = 1);

// Copies `source` of `bitmap` stretched into `dest`, leaving pixels of `transparent` unpainted.
void draw_transparent_stretched(ui::Canvas& canvas, const ui::Bitmap& bitmap, const ui::Rect& dest,
                                const ui::Rect& source, ui::TColor transparent);

// Paints the part of the control's parent that lies under the control into `dc` (the
// control's own coordinates); invalidates the parent as well when asked and the parent is a
// plain window.
void paint_parent_background(ui::Control& control, HDC dc, bool invalidate_parent);

} // namespace ec
