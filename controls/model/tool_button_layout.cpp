#include "controls/model/tool_button_layout.h"

#include <algorithm>

namespace ec {

namespace {

ui::Rect moved(ui::Rect r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }
bool beside(TButtonLayout l) { return l == TButtonLayout::blGlyphLeft || l == TButtonLayout::blGlyphRight; }

} // namespace

ui::Rect tool_button_work_rect(int width, int height, bool drop_down, bool right_to_left) {
    ui::Rect r{0, 0, width, height};
    if (drop_down) {
        if (right_to_left) r.left += kDropDownPartWidth;
        else r.right -= kDropDownPartWidth;
    }
    return {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
}

ui::Rect tool_button_measure_rect(const ui::Rect& work, TButtonLayout layout, int glyph_width, int glyph_height) {
    ui::Rect r = work;
    switch (layout) {
    case TButtonLayout::blGlyphLeft: r.left += glyph_width; break;
    case TButtonLayout::blGlyphRight: r.right -= glyph_width; break;
    case TButtonLayout::blGlyphTop: r.top += glyph_height; break;
    case TButtonLayout::blGlyphBottom: r.bottom -= glyph_height; break;
    }
    return r;
}

ToolButtonRects tool_button_rects(const ToolButtonFace& f) {
    const ui::Rect& w = f.work;
    const int W = w.width(), H = w.height(), gw = f.glyph_width, gh = f.glyph_height;
    const int tw = f.text_width, th = f.text_height;
    int gx = 0, gy = 0, cx = 0, cy = 0;
    if (f.caption) {
        switch (f.layout) {
        case TButtonLayout::blGlyphLeft: {
            const int free = W - gw - tw - 4;
            gy = w.top + (H - gh) / 2;
            gx = w.left + free / 2;
            cx = gx + gw + 4;
            cy = w.top + (H - th) / 2;
            break;
        }
        case TButtonLayout::blGlyphRight: {
            const int free = W - gw - tw - 4;
            gy = w.top + (H - gh) / 2;
            gx = w.right - gw - free / 2;
            cx = gx - tw - 4;
            cy = w.top + (H - th) / 2;
            break;
        }
        case TButtonLayout::blGlyphTop: {
            const int free = H - gh - th - 4;
            gy = w.top + free / 2;
            cy = gy + gh + 4;
            gx = w.left + (W - gw) / 2;
            cx = w.left + (W - tw) / 2;
            break;
        }
        case TButtonLayout::blGlyphBottom: {
            const int free = H - gh - th - 4;
            gy = w.bottom - gh - free / 2;
            cy = gy - th - 4;
            gx = w.left + (W - gw) / 2;
            cx = w.left + (W - tw) / 2;
            break;
        }
        }
    } else {
        gx = w.left + (W - gw) / 2;
        gy = w.top + (H - gh) / 2;
    }
    ToolButtonRects r{{gx, gy, gx + gw, gy + gh}, f.caption ? ui::Rect{cx, cy, cx + tw, cy + th} : ui::Rect{}};

    if (f.alignment != HorzAlign::Center) {
        int d = 0;
        if (f.caption && beside(f.layout)) d = r.glyph.left - (gw > 0 ? 4 : 0);
        else if (f.caption) d = std::min(r.glyph.left, r.caption.left) - 4;
        else d = r.glyph.left - 4;
        if (f.alignment == HorzAlign::Left) d = -d;
        r.glyph = moved(r.glyph, d, 0);
        if (f.caption) r.caption = moved(r.caption, d, 0);
    }
    if (f.shifted) {
        const int dy = f.themed ? 0 : 1;
        r.glyph = moved(r.glyph, 1, dy);
        if (f.caption) r.caption = moved(r.caption, 1, dy);
    }
    return r;
}

int tool_button_follow_width(int bar_button_width, bool show_caption, TButtonLayout layout, int glyph_width,
                             int text_width, bool drop_down) {
    int w = bar_button_width;
    if (show_caption) w = std::max(w, beside(layout) ? glyph_width + text_width + 12 : text_width + 8);
    return drop_down ? w + kDropDownPartWidth : w;
}

bool in_drop_down_part(int x, int width, bool right_to_left) {
    return right_to_left ? x < kDropDownPartWidth + 1 : x >= width - kDropDownPartWidth;
}

bool drop_down_guard_holds(std::uint32_t now, std::uint32_t last) {
    return last != 0 && static_cast<std::uint32_t>(now - last) < kDropDownGuardMs;
}

int drop_down_menu_left(int x, int menu_width, int button_width, int work_right) {
    return x + menu_width > work_right ? x + button_width - menu_width : x;
}

ui::Rect popup_rect(const ui::Rect& control, int width, int height, HorzAlign alignment, int offset_x, int offset_y,
                    const ui::Rect& work) {
    int left = 0, top = 0;
    if (offset_x == -1 && offset_y == -1) {
        top = control.bottom;
        switch (alignment) {
        case HorzAlign::Left: left = control.left; break;
        case HorzAlign::Right: left = control.right - width; break;
        case HorzAlign::Center: left = (control.left + control.right - width) / 2; break;
        }
    } else {
        left = control.left + offset_x;
        top = control.top + offset_y;
    }
    if (left + width > work.right) left = work.right - width;
    if (top + height > work.bottom) top = control.top - height;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
    return {left, top, left + width, top + height};
}

} // namespace ec
