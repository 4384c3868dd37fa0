#include "controls/model/hsl_color.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ec {

namespace {

int clamp_to(int v, int lo, int hi) { return std::min(std::max(v, lo), hi); }

// Ties go to the even neighbour, as the stored colours were computed.
int round_even(double v) { return static_cast<int>(std::nearbyint(v)); }

int channel(std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

// Lightness is not clamped here: lightening may pass 240 on purpose.
TColor hsl_to_rgb_unclamped(int h_part, int s_part, int l_part) {
    const double h = h_part / 239.0, s = s_part / 240.0, l = l_part / 240.0;
    const double v = l >= 0.5 ? l + s - l * s : l * (1 + s);
    if (v <= 0) return ui::clBlack;
    const double m = 2 * l - v;
    const double x = h * 6;
    const int sextant = static_cast<int>(x);
    const double f = x - sextant;
    const double vsf = v * ((v - m) / v) * f;
    const double mid1 = m + vsf, mid2 = v - vsf;
    double r, g, b;
    switch (sextant) {
    case 1: r = mid2; g = v; b = m; break;
    case 2: r = m; g = v; b = mid1; break;
    case 3: r = m; g = mid2; b = v; break;
    case 4: r = mid1; g = m; b = v; break;
    case 5: r = v; g = m; b = mid2; break;
    default: r = v; g = mid1; b = m; break;
    }
    auto to_byte = [](double c) { return clamp_to(round_even(std::min(c, 1.0) * 255), 0, 255); };
    return ui::rgb(to_byte(r), to_byte(g), to_byte(b));
}

TColor with_lightness(TColor color, int lightness) {
    const Hsl240 hsl = rgb_to_hsl240(color);
    return hsl_to_rgb_unclamped(hsl.h, hsl.s, lightness);
}

} // namespace

Hsl240 rgb_to_hsl240(TColor color) {
    const std::uint32_t rgb = ui::color_to_rgb(color);
    const double r = channel(rgb, 0) / 255.0, g = channel(rgb, 8) / 255.0, b = channel(rgb, 16) / 255.0;
    const double max = std::max({r, g, b}), min = std::min({r, g, b});
    const double l = (max + min) / 2;
    double h = 0, s = 0;
    if (max != min) {
        const double d = max - min;
        s = l < 0.5 ? d / (max + min) : d / (2 - max - min);
        if (r == max) h = (g - b) / d;
        else if (g == max) h = (b - r) / d + 2;
        else h = (r - g) / d + 4;
        h /= 6;
        if (h < 0) h += 1;
    }
    return {round_even(h * 240), round_even(s * 240), round_even(l * 240)};
}

int hue_of(TColor color) { return rgb_to_hsl240(color).h; }

TColor hsl240_to_rgb(int h, int s, int l) {
    return hsl_to_rgb_unclamped(clamp_to(h, 0, 240), clamp_to(s, 0, 240), clamp_to(l, 0, 240));
}

TColor darken_color(TColor color, int amount) {
    if (color == ui::clNone) return color;
    return with_lightness(color, std::max(rgb_to_hsl240(color).l - clamp_to(amount, 0, 255), 0));
}

TColor lighten_color(TColor color, int amount) {
    if (color == ui::clNone) return color;
    return with_lightness(color, std::min(rgb_to_hsl240(color).l + clamp_to(amount, 0, 255), 255));
}

TColor shift_color_lightness(TColor color, int adjustment) {
    if (adjustment == 0) return color;
    const unsigned bits = static_cast<unsigned>(adjustment);
    const int amount = static_cast<int>((adjustment < 0 ? 0u - bits : bits) & 0xFFu);
    return adjustment < 0 ? darken_color(color, amount) : lighten_color(color, amount);
}

TColor mix_colors(TColor fore, TColor back, int alpha) {
    if (fore == ui::clNone || back == ui::clNone) return ui::clNone;
    const std::uint32_t f = ui::color_to_rgb(fore), k = ui::color_to_rgb(back);
    const float a = static_cast<float>(clamp_to(alpha, 0, 255)) / 255.0f;
    auto mix = [&](int shift) {
        const float v = static_cast<float>(channel(f, shift)) * a + static_cast<float>(channel(k, shift)) * (1.0f - a);
        return clamp_to(static_cast<int>(std::nearbyint(v)), 0, 255);
    };
    return ui::rgb(mix(0), mix(8), mix(16));
}

bool colors_nearly_equal(TColor fore, TColor back) {
    const Hsl240 a = rgb_to_hsl240(fore), b = rgb_to_hsl240(back);
    return std::abs(a.h - b.h) < 20 && std::abs(a.l - b.l) < 60;
}

TColor hue_opposite_color(TColor color, int luminance) {
    const int h = hue_of(color);
    return hsl240_to_rgb(h < 120 ? h + 120 : h - 120, 240, luminance);
}

ui::Rect centered_rect(const ui::Rect& bounds, int width, int height) {
    const int left = (bounds.left + bounds.right - width) / 2;
    const int top = (bounds.top + bounds.bottom - height) / 2;
    return {left, top, left + width, top + height};
}

} // namespace ec
