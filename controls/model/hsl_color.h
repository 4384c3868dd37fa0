// Colour arithmetic of the control set on the 0..240 hue, saturation and lightness scale the
// controls' colour properties were designed with. System colours are resolved first; clNone
// passes through every function unchanged.
#pragma once
#include <cstdint>

#include "platform/ui/align_layout.h"
#include "platform/ui/color.h"

namespace ec {

using ui::TColor;

struct Hsl240 {
    int h = 0, s = 0, l = 0;  // each 0..240
    friend bool operator==(const Hsl240& a, const Hsl240& b) { return a.h == b.h && a.s == b.s && a.l == b.l; }
};

Hsl240 rgb_to_hsl240(TColor color);
int hue_of(TColor color);
// Parts outside 0..240 are clamped. The hue is divided by 239, so 239 and 240 both land in the
// red sextant.
TColor hsl240_to_rgb(int h, int s, int l);

// Amounts and alpha outside 0..255 are clamped.
TColor darken_color(TColor color, int amount);
// Lightness may climb to 255, past the scale's top; the channels are capped on the way back.
TColor lighten_color(TColor color, int amount);
// Negative darkens, positive lightens, zero returns the colour untouched (a system colour stays
// one). Only the low byte of the adjustment counts, as stored adjustments always did.
TColor shift_color_lightness(TColor color, int adjustment);
TColor mix_colors(TColor fore, TColor back, int alpha);
// Hue and lightness both close; the hue distance does not wrap around the circle.
bool colors_nearly_equal(TColor fore, TColor back);
TColor hue_opposite_color(TColor color, int luminance);

ui::Rect centered_rect(const ui::Rect& bounds, int width, int height);

} // namespace ec
