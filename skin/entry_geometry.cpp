#include "skin/entry_geometry.h"

#include <algorithm>

namespace skin {

int EntryFrameIndex(bool pressed, bool hot_or_focused, bool disabled) {
    if (disabled) return 3;
    if (pressed) return 2;
    return hot_or_focused ? 4 : 1;
}

ComboLayout LayOutCombo(const Rect& w, int cx, bool left) {
    ComboLayout l;
    if (left) {
        l.edit_clip = {cx + w.left + 4, w.top + 2, w.right - 2, w.bottom - 2};
        l.button = {w.left, w.top, cx + w.left + 2, w.bottom};
        l.glyph_area = {l.button.left + 2, l.button.top, l.button.right, l.button.bottom};
    } else {
        l.edit_clip = {w.left + 2, w.top + 2, w.right - cx - 4, w.bottom - 2};
        l.button = {w.right - cx - 2, w.top, w.right, w.bottom};
        l.glyph_area = {l.button.left, l.button.top, l.button.right - 2, l.button.bottom};
    }
    return l;
}

FlatComboLayout LayOutFlatCombo(const Rect& w, int cy, int frame_width, int frame_height, bool left) {
    FlatComboLayout l;
    l.ring = {w.left + 1, w.top + 1, w.right - 1, w.bottom - 1};
    const Rect inner{w.left + 2, w.top + 2, w.right - 2, w.bottom - 2};
    const int height = frame_height < cy ? frame_height : inner.height();
    if (left) {
        l.column = {inner.left, inner.top, inner.left + cy, inner.bottom};
        l.button = {inner.left, inner.top, inner.left + frame_width, inner.top + height};
    } else {
        l.column = {inner.right - cy, inner.top, inner.right, inner.bottom};
        l.button = {inner.right - frame_width, inner.top, inner.right, inner.top + height};
    }
    return l;
}

Rect CentredIn(const Rect& area, int w, int h) {
    const int x = area.left + (area.width() - w) / 2, y = area.top + (area.height() - h) / 2;
    return {x, y, x + w, y + h};
}

Rect DateArrowButtonRect(int picker_width, int picker_height, int cx, bool left) {
    const int x = left ? 2 : picker_width - cx - 4;
    return {x, 0, x + cx, std::max(picker_height - 4, 0)};
}

bool EditHasBorder(int window_w, int window_h, int client_w, int client_h) {
    return client_w < window_w && client_h < window_h;
}

bool EditHasPrintBorder(int window_w, int window_h, int client_w, int client_h) {
    return client_w < window_w - 2 && client_h < window_h - 2;
}

std::array<SpinHalf, 2> LayOutSpin(const Rect& a, const SpinFacts& f) {
    std::array<SpinHalf, 2> halves;
    if (f.horizontal) {
        const int mid = a.left + a.width() / 2;
        halves[0] = {{a.left, a.top, mid, a.bottom}, SpinArrow::kLeft};
        halves[1] = {{mid, a.top, a.right, a.bottom}, SpinArrow::kRight};
    } else {
        const int mid = a.top + a.height() / 2;
        halves[0] = {{a.left, a.top, a.right, mid}, SpinArrow::kUp};
        halves[1] = {{a.left, mid, a.right, a.bottom}, SpinArrow::kDown};
    }
    auto inside = [&](const Rect& r) {
        return f.cursor_known && f.cursor_x >= r.left && f.cursor_x < r.right && f.cursor_y >= r.top && f.cursor_y < r.bottom;
    };
    for (int i = 0; i < 2; ++i) {
        SpinHalf& h = halves[static_cast<std::size_t>(i)];
        if (!f.enabled) h.state = 3;
        else if (inside(halves[static_cast<std::size_t>(1 - i)].rect)) h.state = 1;
        else h.state = f.pressed ? 2 : f.hot ? 4 : 1;
        h.frame = SpinFrameIndex(h.arrow, h.state);
    }
    return halves;
}

int SpinFrameIndex(SpinArrow arrow, int state) {
    const int type = static_cast<int>(arrow);
    return type >= 2 ? state + 4 * type - 8 : state + 4 * type;
}

Rect EmbeddedSpinRect(const Rect& spin, int edit_w, int edit_h) {
    Rect r{0, 0, spin.width(), spin.height()};
    r.top += std::max(0, 3 - spin.top);
    r.right -= std::max(0, 3 - (edit_w - spin.right));
    r.bottom -= std::max(0, 3 - (edit_h - spin.bottom));
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

std::vector<Stroke> PlainSpinArrow(const Rect& half, SpinArrow arrow) {
    const int cx = half.left + half.width() / 2, cy = half.top + half.height() / 2;
    std::vector<Stroke> strokes;
    switch (arrow) {
    case SpinArrow::kUp:
        for (int i = 0; i < 5; ++i) strokes.push_back({cx - i, cy - 2 + i, cx + i, cy - 2 + i});
        break;
    case SpinArrow::kDown:
        for (int i = 0; i < 5; ++i) strokes.push_back({cx - 4 + i, cy - 2 + i, cx + 4 - i, cy - 2 + i});
        break;
    case SpinArrow::kLeft:
        strokes = {{cx + 1, cy - 2, cx - 1, cy}, {cx - 1, cy, cx + 1, cy + 2}, {cx + 1, cy - 2, cx + 1, cy + 2}};
        break;
    case SpinArrow::kRight:
        strokes = {{cx - 1, cy - 2, cx + 1, cy}, {cx + 1, cy, cx - 1, cy + 2}, {cx - 1, cy - 2, cx - 1, cy + 2}};
        break;
    }
    return strokes;
}

} // namespace skin
