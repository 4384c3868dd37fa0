#include "controls/model/panel_layout.h"

namespace ec {

int frame_style_thickness(TFrameStyleEx style, int bevel_width) {
    switch (style) {
    case TFrameStyleEx::fsNone: return 0;
    case TFrameStyleEx::fsFlat: return 1;
    case TFrameStyleEx::fsStatus:
    case TFrameStyleEx::fsPopup: return bevel_width;
    default: return 2;
    }
}

namespace {

ui::Rect shrink_sides(ui::Rect r, int amount, TSides sides) {
    if (sides.has(TSide::sdLeft)) r.left += amount;
    if (sides.has(TSide::sdTop)) r.top += amount;
    if (sides.has(TSide::sdRight)) r.right -= amount;
    if (sides.has(TSide::sdBottom)) r.bottom -= amount;
    return r;
}

} // namespace

ui::Rect adjust_rect_for_borders(ui::Rect r, const PanelBorders& borders, bool with_border_width) {
    if (with_border_width) r = shrink_sides(r, borders.border_width, kAllSides);
    r = shrink_sides(r, frame_style_thickness(borders.outer, borders.bevel_width), borders.sides);
    return shrink_sides(r, frame_style_thickness(borders.inner, borders.bevel_width), borders.sides);
}

ui::Rect keep_edge_bounds(ui::TAlign align, const ui::Rect& old_bounds, ui::Rect wanted) {
    if (align == ui::TAlign::alBottom && wanted.height() != old_bounds.height()) {
        const int h = wanted.height();
        wanted.top = old_bounds.bottom - h;
        wanted.bottom = wanted.top + h;
    } else if (align == ui::TAlign::alRight && wanted.width() != old_bounds.width()) {
        const int w = wanted.width();
        wanted.left = old_bounds.right - w;
        wanted.right = wanted.left + w;
    }
    return wanted;
}

ui::Rect group_box_client_rect(ui::Rect r, TEcGroupBoxStyle style, int text_height, int border_width,
                               bool has_caption) {
    const auto shrink = [&r](int n) { r = {r.left + n, r.top + n, r.right - n, r.bottom - n}; };
    switch (style) {
    case TEcGroupBoxStyle::gsCustom:
        if (has_caption) r.top += text_height;
        shrink(2);
        break;
    case TEcGroupBoxStyle::gsTopLine: r.top += text_height; break;
    case TEcGroupBoxStyle::gsBanner: r.top += text_height + 8; break;
    case TEcGroupBoxStyle::gsUnderline: r.top += text_height + 4; break;
    case TEcGroupBoxStyle::gsStandard:
    case TEcGroupBoxStyle::gsFlat: {
        const int a = text_height / 2 - 1;
        r.top += a < border_width ? a : text_height - border_width;
        shrink(style == TEcGroupBoxStyle::gsStandard ? 2 : 1);
        break;
    }
    }
    return r;
}

std::vector<int> grid_lines(int start, int length, int pitch) {
    std::vector<int> lines;
    if (pitch <= 0 || length <= 0) return lines;
    for (int i = 1; i <= length / pitch; ++i) lines.push_back(start + i * pitch - 1);
    return lines;
}

std::vector<ui::Rect> resize_repaint_strips(int old_width, int old_height, int new_width, int new_height,
                                            const ui::Rect& inner, int margin_x, int margin_y) {
    std::vector<ui::Rect> strips;
    if (new_width != old_width) strips.push_back({inner.right - margin_x, 0, old_width, old_height});
    if (new_height != old_height) strips.push_back({0, inner.bottom - margin_y, old_width, old_height});
    return strips;
}

} // namespace ec
