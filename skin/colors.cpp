#include "skin/colors.h"

#include <algorithm>
#include <cstdint>

namespace skin {

ui::TColor MixColorsWeighted(ui::TColor a, ui::TColor b, int weight) {
    const std::uint32_t ca = ui::color_to_rgb(a), cb = ui::color_to_rgb(b);
    const std::int64_t scale = weight < 100 ? 100 : 1000;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::int64_t va = (ca >> shift) & 0xFF, vb = (cb >> shift) & 0xFF;
        // Weights outside the scale give values outside a channel; only the low 8 bits stay.
        const std::int64_t v = (vb * (scale - weight) + va * weight + scale / 2) / scale;
        out |= (static_cast<std::uint32_t>(v) & 0xFF) << shift;
    }
    return static_cast<ui::TColor>(out);
}

int ColorSaturation(ui::TColor color) {
    const std::uint32_t c = ui::color_to_rgb(color);
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    if (r < 160 && g < 160 && b < 160) return 200;
    const int high = std::max({r, g, b}), low = std::min({r, g, b});
    const int numerator = (high - low) * 255;
    int q = numerator / high;
    const int twice_rest = 2 * (numerator % high);
    if (twice_rest > high || (twice_rest == high && (q & 1))) ++q;
    return q;
}

} // namespace skin
