#include "skin/scroll_geometry.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace skin {
namespace {

// MulDiv on 64-bit operands with a 64-bit result: -1 only on a zero divisor, so that a range
// near the 32-bit limits scales without failing. Every caller keeps the product within 63 bits.
std::int64_t MulDivWide(std::int64_t a, std::int64_t b, std::int64_t c) {
    if (c == 0) return -1;
    const std::int64_t product = a * b;
    const bool negative = (product < 0) != (c < 0) && product != 0;
    const std::uint64_t n = product < 0 ? 0 - static_cast<std::uint64_t>(product) : static_cast<std::uint64_t>(product);
    const std::uint64_t d = c < 0 ? 0 - static_cast<std::uint64_t>(c) : static_cast<std::uint64_t>(c);
    const auto q = static_cast<std::int64_t>((n + d / 2) / d);
    return negative ? -q : q;
}

// Pixel lengths beyond any screen are cut, so that the products above stay small.
int Pixels(int v) { return std::clamp(v, -(1 << 20), 1 << 20); }

int Narrow(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

} // namespace

int PlatformMulDiv(int a, int b, int c) {
    const std::int64_t q = MulDivWide(a, b, c);
    return q > INT_MAX || q < -INT_MAX ? -1 : static_cast<int>(q);
}

int ArrowLength(int length, int button) { return length < 2 * button ? length / 2 : button; }

int ScrollPartAt(int p, const BarAxis& bar) {
    const int b = ArrowLength(bar.length, bar.button);
    if (p < b) return kFirstArrow;
    if (p < bar.thumb_start) return kPageBefore;
    if (p < bar.thumb_end) return kThumbPart;
    if (p < bar.length - b) return kPageAfter;
    return kSecondArrow;
}

ThumbSpan FollowThumb(const BarAxis& pressed, int press_point, int cursor) {
    const int b = ArrowLength(pressed.length, pressed.button);
    const std::int64_t thumb = std::int64_t{pressed.thumb_end} - pressed.thumb_start;
    std::int64_t start = std::int64_t{pressed.thumb_start} + (std::int64_t{cursor} - press_point);
    start = std::min<std::int64_t>(start, std::int64_t{pressed.length} - b - thumb);
    start = std::max<std::int64_t>(start, b);
    return {Narrow(start), Narrow(start + thumb)};
}

ThumbSpan ScrollControlThumb(const ScrollValues& v, int length, int button) {
    const int b = Pixels(button);
    std::int64_t range = std::int64_t{v.max} - v.min;
    if (range == 0) range = 9999999;
    const std::int64_t offset = std::int64_t{v.position} - v.min;
    int track = Pixels(length) - 2 * b;
    std::int64_t thumb = 0;
    if (v.page > 0) {
        thumb = MulDivWide(track, std::int64_t{v.page} - 1, range);
        if (thumb <= 7) {
            thumb = 8;
            track -= 8;
        }
    } else {
        thumb = b;
        track -= b;
    }
    const std::int64_t start = v.position == v.min ? b : std::int64_t{b} + MulDivWide(track, offset, range);
    return {Narrow(start), Narrow(start + thumb)};
}

ThumbSpan ScrollControlPressThumb(const ScrollValues& v, int length, int button) {
    const int b = Pixels(button);
    const std::int64_t range = std::int64_t{v.max} - v.min;
    const int track = Pixels(length) - 2 * b;
    const std::int64_t thumb = v.page > 0 ? MulDivWide(track, std::int64_t{v.page} - 1, range) : b;
    const std::int64_t start = std::int64_t{b} + MulDivWide(v.page > 0 ? track : track - b, std::int64_t{v.position} - v.min, range);
    return {Narrow(start), Narrow(start + thumb)};
}

int ComboDragPosition(const ComboDrag& d, int cursor) {
    const int b = Pixels(d.button), length = Pixels(d.bar_length), thumb = Pixels(d.thumb_length);
    const std::int64_t min = d.values.min, max = d.values.max, page = d.values.page;
    std::int64_t offset = std::int64_t{Pixels(d.thumb_top)} - b + (std::int64_t{Pixels(cursor)} - Pixels(d.press_cursor));
    offset = std::max<std::int64_t>(offset, 0);
    std::int64_t position = 0;
    if (page > 0) {
        const int track = length - 2 * b - thumb;
        if (offset > track) offset = std::int64_t{track} + 1;
        position = min + MulDivWide(offset, max - min - page, track);
        position = std::min(position, max - page + 1);
    } else {
        const int track = length - 2 * b;
        position = min + MulDivWide(std::min<std::int64_t>(offset, track - thumb), max - min, track);
        position = std::min(position, max);
    }
    return Narrow(std::max(position, min));
}

int BarThickness(int strip_height, int button) { return std::abs(strip_height - button) > 2 ? button : strip_height; }

int ArrowFrame(bool vertical, bool second, bool hot, bool pressed) {
    const int base = (vertical ? 9 : 1) + (second ? 4 : 0);
    return base + (pressed ? 1 : hot ? 3 : 0);
}

int GripFrame(bool vertical, bool hot, bool pressed) { return (vertical ? 20 : 17) + (pressed ? 1 : hot ? 2 : 0); }

int ThumbFrame(bool hot, bool pressed) { return pressed ? 2 : hot ? 3 : 1; }

int TrackFrame(bool enabled) { return enabled ? 1 : 3; }

} // namespace skin
