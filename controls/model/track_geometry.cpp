#include "controls/model/track_geometry.h"

#include <algorithm>
#include <cmath>

#include "controls/model/hsl_color.h"

namespace ec {

namespace {

std::int64_t round_even(double v) { return static_cast<std::int64_t>(std::nearbyint(v)); }

std::int64_t range_of(const TrackLayout& t) { return std::int64_t{t.max} - t.min; }

bool vertical(const TrackLayout& t) { return t.orientation == TOrientation::orVertical; }

// The thumb's distance from the travel's start (left, or bottom when vertical).
int thumb_distance(const TrackLayout& t, int position) {
    return static_cast<int>(std::int64_t{t.span()} * (std::int64_t{position} - t.min) / range_of(t));
}

std::int64_t floor_div(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

} // namespace

int fixed_track_max(int max, int min) { return max <= min ? min + 1 : max; }
int fixed_track_min(int min, int max) { return min >= max ? max - 1 : min; }
int clamp_track_position(int position, int min, int max) { return std::clamp(position, min, max); }

int TrackLayout::span() const { return (orientation == TOrientation::orVertical ? height : width) - thumb_width - 8; }

TOrientation orientation_for_size(int width, int height) {
    return width < height ? TOrientation::orVertical : TOrientation::orHorizontal;
}

ui::Rect track_rect(const TrackLayout& t) {
    const int h = t.half_thumb();
    if (vertical(t))
        return {t.track_offset, h + kTrackInset, t.track_offset + t.track_width, t.height - kTrackInset - h};
    return {h + kTrackInset, t.track_offset, t.width - kTrackInset - h, t.track_offset + t.track_width};
}

ui::Rect thumb_rect(const TrackLayout& t, int position) {
    const bool pointer = t.style == TThumbStyle::tsPointer || t.style == TThumbStyle::tsXPPointer;
    const bool flat_win95 = t.style == TThumbStyle::tsPointer && t.pointer == TPointerType::ptWin95 && !vertical(t);
    const int a = pointer && !flat_win95 ? 2 : 0;
    const int c = (t.track_width - t.thumb_height) / 2 + t.track_offset - a;
    const int d = thumb_distance(t, position) + kTrackInset;
    if (vertical(t)) {
        const int bottom = t.height - d;
        return {c, bottom - t.thumb_width, c + t.thumb_height, bottom};
    }
    return {d, c, d + t.thumb_width, c + t.thumb_height};
}

int thumb_travel_offset(const TrackLayout& t, int position) {
    const std::int64_t values = vertical(t) ? std::int64_t{t.max} - position : std::int64_t{position} - t.min;
    return static_cast<int>(round_even(static_cast<double>(values * t.span()) / static_cast<double>(range_of(t))));
}

bool press_pages_up(const TrackLayout& t, int position, int x, int y) {
    const int offset = thumb_travel_offset(t, position);
    return vertical(t) ? y < offset + kTrackInset : x >= offset + kTrackInset;
}

std::vector<int> tick_offsets(const TrackLayout& t, int tick_step) {
    std::vector<int> offsets;
    const std::int64_t step_value = std::max(tick_step, 1);
    const std::int64_t first = -floor_div(-std::int64_t{t.min}, step_value) * step_value;
    const std::int64_t last = floor_div(t.max, step_value) * step_value;
    if (first > last) return offsets;
    const double per_value = static_cast<double>(t.span()) / static_cast<double>(range_of(t));
    auto place = [&](std::int64_t v) { return static_cast<int>(round_even(static_cast<double>(v - t.min) * per_value)); };
    if (static_cast<double>(step_value) * per_value < 1.0) {
        // Neighbouring ticks are less than a pixel apart, so rounding leaves no column between
        // the first tick and the last one unlit.
        for (int d = place(first), end = place(last); d <= end; ++d) offsets.push_back(d);
        return offsets;
    }
    for (std::int64_t v = first; v <= last; v += step_value) {
        const int d = place(v);
        if (offsets.empty() || offsets.back() != d) offsets.push_back(d);
    }
    return offsets;
}

std::optional<int> position_for_offset(double offset, int length, int min, int max) {
    if (length <= 0) return std::nullopt;
    const double value = offset / length * static_cast<double>(std::int64_t{max} - min) + min;
    const double clamped = std::clamp(std::nearbyint(value), static_cast<double>(min), static_cast<double>(max));
    return static_cast<int>(clamped);
}

std::vector<std::pair<ui::TColor, ui::TColor>> thumb_color_map(const ThumbColors& colors) {
    ui::TColor h1, h2, h3;
    if (colors.hot_type == TEcHotTrackColorType::htctActual) {
        h1 = mix_colors(ui::clWhite, colors.hot_track, 190);
        h2 = h3 = colors.hot_track;
    } else {
        h1 = hue_opposite_color(colors.hot_track, 140);
        h2 = darken_color(h1, 30);
        h3 = darken_color(h1, 15);
    }
    return {
        {ui::clSilver, ui::clBtnFace},
        {ui::clGray, ui::clBtnShadow},
        {ui::clOlive, ui::cl3DDkShadow},
        {ui::clYellow, ui::cl3DLight},
        {ui::clGreen, lighten_color(ui::clBtnShadow, 30)},
        {ui::clBlue, static_cast<ui::TColor>(ui::color_to_rgb(colors.highlight) + 1)},
        {ui::clNavy, darken_color(colors.highlight, 30)},
        {ui::clAqua, lighten_color(colors.highlight, 30)},
        {ui::clRed, h3},
        {ui::clMaroon, h2},
        {ui::clFuchsia, h1},
        {ui::clTeal, ui::clBtnShadow},
        {ui::clPurple, darken_color(ui::clBtnShadow, 30)},
    };
}

} // namespace ec
