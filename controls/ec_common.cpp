#include "controls/ec_common.h"

#include <algorithm>
#include <cwchar>

#include "controls/ec_grafx.h"
#include "platform/text_utf16.h"
#include "platform/ui/win/themes.h"
#include "platform/ui/win/timer.h"

namespace ec {

namespace {

using S = TSide;
using F = TFrameStyleEx;

bool empty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

void line(ui::Canvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.move_to(x1, y1);
    canvas.line_to(x2, y2);
}

void use_pen(ui::Canvas& canvas, TColor color) {
    canvas.pen().color = color;
    canvas.pen().width = 1;
    canvas.pen().style = ui::TPenStyle::psSolid;
    canvas.pen().mode = ui::TPenMode::pmCopy;
}

// Leaves rectangles out of a DC's clip region for its lifetime, then puts the region back. Only
// the clip is touched: the objects a canvas keeps selected stay as they are.
class ClipExclusion {
public:
    explicit ClipExclusion(HDC dc) : dc_(dc), saved_(CreateRectRgn(0, 0, 0, 0)) {
        had_clip_ = GetClipRgn(dc_, saved_.get()) == 1;
    }
    ~ClipExclusion() { SelectClipRgn(dc_, had_clip_ ? saved_.get() : nullptr); }
    ClipExclusion(const ClipExclusion&) = delete;
    ClipExclusion& operator=(const ClipExclusion&) = delete;
    void exclude(int l, int t, int r, int b) { ExcludeClipRect(dc_, l, t, r, b); }

private:
    HDC dc_;
    ui::Region saved_;
    bool had_clip_ = false;
};

Rect inset(const Rect& r, int by, TSides sides) {
    return {r.left + (sides.has(S::sdLeft) ? by : 0), r.top + (sides.has(S::sdTop) ? by : 0),
            r.right - (sides.has(S::sdRight) ? by : 0), r.bottom - (sides.has(S::sdBottom) ? by : 0)};
}

Rect two_rings(ui::Canvas& canvas, const Rect& bounds, const EdgeColors& colors, TSides sides) {
    const Rect r = paint_bevel_rings(canvas, bounds, colors.outer.upper_left, colors.outer.lower_right, 1, sides);
    return paint_bevel_rings(canvas, r, colors.inner.upper_left, colors.inner.lower_right, 1, sides);
}

Rect etched(ui::Canvas& canvas, const Rect& b, TColor ul, TColor lr, TSides sides) {
    if (empty(b) || sides.empty()) return b;
    const bool left = sides.has(S::sdLeft), top = sides.has(S::sdTop), right = sides.has(S::sdRight),
               bottom = sides.has(S::sdBottom);
    // The corners where a side ends without its neighbour keep the look of a groove.
    if (right) canvas.set_pixel(b.right - 1, b.top, lr);
    if (top && !right) canvas.set_pixel(b.right - 1, b.top, ul);
    if (bottom) canvas.set_pixel(b.left, b.bottom - 1, lr);
    if (left && !bottom) canvas.set_pixel(b.left, b.bottom - 1, ul);
    if (top && !left) canvas.set_pixel(b.left, b.top + 1, lr);
    if (left && !top) canvas.set_pixel(b.left + 1, b.top, lr);
    if (bottom && !right) canvas.set_pixel(b.right - 1, b.bottom - 2, ul);
    if (right && !bottom) canvas.set_pixel(b.right - 2, b.bottom - 1, ul);
    paint_side_lines(canvas, {b.left + 1, b.top + 1, b.right, b.bottom}, lr, lr, sides);
    paint_side_lines(canvas, {b.left, b.top, b.right - 1, b.bottom - 1}, ul, ul, sides);
    return inset(b, 2, sides);
}

} // namespace

Rect paint_side_lines(ui::Canvas& canvas, const Rect& bounds, TColor ul, TColor lr, TSides sides) {
    if (empty(bounds)) return bounds;
    const auto [l, t, r, b] = bounds;
    if (ul != ui::clNone) {
        use_pen(canvas, ul);
        if (sides.has(S::sdLeft)) line(canvas, l, t, l, b);
        if (sides.has(S::sdTop)) line(canvas, l, t, r, t);
    }
    if (lr != ui::clNone) {
        use_pen(canvas, lr);
        if (sides.has(S::sdRight)) line(canvas, r - 1, t, r - 1, b);
        if (sides.has(S::sdBottom)) line(canvas, l, b - 1, r, b - 1);
    }
    return inset(bounds, 1, sides);
}

Rect paint_bevel_rings(ui::Canvas& canvas, const Rect& bounds, TColor ul, TColor lr, int count, TSides sides) {
    Rect r = bounds;
    for (int i = 0; i < count && !empty(r); ++i) r = paint_side_lines(canvas, r, ul, lr, sides);
    return r;
}

Rect paint_3d_edge_sides(ui::Canvas& canvas, const Rect& bounds, bool lowered, TSides sides) {
    return two_rings(canvas, bounds, edge_3d_colors(lowered), sides);
}

Rect paint_push_button_edge(ui::Canvas& canvas, const Rect& bounds, bool down) {
    return paint_push_button_edge_sides(canvas, bounds, down, kAllSides);
}

Rect paint_push_button_edge_sides(ui::Canvas& canvas, const Rect& bounds, bool down, TSides sides) {
    return two_rings(canvas, bounds, push_button_edge_colors(down), sides);
}

Rect paint_tinted_button_edge(ui::Canvas& canvas, const Rect& bounds, TColor face, bool down) {
    return paint_tinted_button_edge_sides(canvas, bounds, face, down, kAllSides);
}

Rect paint_tinted_button_edge_sides(ui::Canvas& canvas, const Rect& bounds, TColor face, bool down, TSides sides) {
    return two_rings(canvas, bounds, tinted_button_edge_colors(face, down), sides);
}

Rect paint_frame_style(ui::Canvas& canvas, const Rect& bounds, TFrameStyleEx style) {
    return paint_frame_style_sides(canvas, bounds, style, kAllSides);
}

Rect paint_frame_style_sides(ui::Canvas& canvas, const Rect& bounds, TFrameStyleEx style, TSides sides) {
    const SideColors c = frame_style_colors(style);
    switch (style) {
    case F::fsNone:
    case F::fsFlatRounded: return bounds;
    case F::fsFlat:
    case F::fsStatus:
    case F::fsPopup: return paint_side_lines(canvas, bounds, c.upper_left, c.lower_right, sides);
    case F::fsLowered:
    case F::fsRaised: return paint_3d_edge_sides(canvas, bounds, style == F::fsLowered, sides);
    case F::fsButtonDown:
    case F::fsButtonUp: return paint_push_button_edge_sides(canvas, bounds, style == F::fsButtonDown, sides);
    case F::fsFlatBold: return paint_bevel_rings(canvas, bounds, c.upper_left, c.lower_right, 2, sides);
    case F::fsGroove:
    case F::fsBump: return etched(canvas, bounds, c.upper_left, c.lower_right, sides);
    }
    return bounds;
}

Rect paint_tinted_frame_style(ui::Canvas& canvas, const Rect& bounds, TColor face, TFrameStyle style) {
    return paint_tinted_frame_style_sides(canvas, bounds, face, style, kAllSides);
}

Rect paint_tinted_frame_style_sides(ui::Canvas& canvas, const Rect& bounds, TColor face, TFrameStyle style,
                                    TSides sides) {
    const TintedFrame t = tinted_frame_colors(face, style);
    switch (t.shape) {
    case FrameShape::Nothing: return bounds;
    case FrameShape::OneRing:
        return paint_side_lines(canvas, bounds, t.colors.outer.upper_left, t.colors.outer.lower_right, sides);
    case FrameShape::TwoRings:
    case FrameShape::ButtonEdge: return two_rings(canvas, bounds, t.colors, sides);
    case FrameShape::Etched: return etched(canvas, bounds, t.colors.outer.upper_left, t.colors.outer.lower_right, sides);
    }
    return bounds;
}

Rect paint_box_outline(ui::Canvas& canvas, const Rect& bounds, TColor line_color) {
    return paint_side_lines(canvas, bounds, line_color, line_color, kAllSides);
}

Rect paint_box_corner_marks(ui::Canvas& canvas, const Rect& bounds, TColor line_color, int cw) {
    if (empty(bounds)) return bounds;
    const auto [l, t, r, b] = bounds;
    use_pen(canvas, line_color);
    auto corner = [&](int x, int y, int dx, int dy) {
        canvas.move_to(x, y + dy * (cw - 1));
        canvas.line_to(x, y);
        canvas.line_to(x + dx * cw, y);
    };
    corner(l, t, 1, 1);
    corner(r - 1, t, -1, 1);
    corner(l, b - 1, 1, -1);
    corner(r - 1, b - 1, -1, -1);
    return inset(bounds, 1, kAllSides);
}

Rect paint_dotted_focus_frame(ui::Canvas& canvas, const Rect& bounds) {
    if (empty(bounds)) return bounds;
    const auto [l, t, r, b] = bounds;
    for (int y = t + 1; y < b; y += 2) {
        canvas.set_pixel(l, y, ui::clBlack);
        canvas.set_pixel(r - 1, y, ui::clBlack);
    }
    for (int x = l + 1; x < r; x += 2) {
        canvas.set_pixel(x, t, ui::clBlack);
        canvas.set_pixel(x, b - 1, ui::clBlack);
    }
    return inset(bounds, 1, kAllSides);
}

Rect paint_cut_corner_frame(ui::Canvas& canvas, const Rect& bounds, TColor color, TSides sides) {
    if (empty(bounds)) return bounds;
    const auto [l, t, r, b] = bounds;
    const bool left = sides.has(S::sdLeft), top = sides.has(S::sdTop), right = sides.has(S::sdRight),
               bottom = sides.has(S::sdBottom);
    const int to = top ? 2 : 0, bo = bottom ? 2 : 0, lo = left ? 2 : 0, ro = right ? 2 : 0;
    if (color != ui::clNone) {
        use_pen(canvas, color);
        if (left) line(canvas, l, t + to, l, b - bo);
        if (top) line(canvas, l + lo, t, r - ro, t);
        if (right) line(canvas, r - 1, t + to, r - 1, b - bo);
        if (bottom) line(canvas, l + lo, b - 1, r - ro, b - 1);
        if (left && top) canvas.set_pixel(l + 1, t + 1, color);
        if (top && right) canvas.set_pixel(r - 2, t + 1, color);
        if (right && bottom) canvas.set_pixel(r - 2, b - 2, color);
        if (bottom && left) canvas.set_pixel(l + 1, b - 2, color);
    }
    return {l + lo, t + to, r - ro, b - bo};
}

Rect paint_layered_borders(ui::Canvas& canvas, const Rect& bounds, const LayeredBorders& d) {
    const TColor flat = shift_color_lightness(d.flat_color, d.flat_color_adjustment);
    auto rounded = [&](const Rect& from, bool outer) {
        const bool band = d.width > 0 || d.inner != F::fsNone;
        if (outer) {
            if (!d.transparent) {
                const Rect r = paint_side_lines(canvas, from, d.parent_color, d.parent_color, d.sides);
                const TColor second = band ? d.border_color : d.color;
                paint_side_lines(canvas, r, second, second, d.sides);
            } else if (band) {
                paint_side_lines(canvas, inset(from, 1, d.sides), d.border_color, d.border_color, d.sides);
            }
        } else if (!d.transparent) {
            const Rect r = paint_side_lines(canvas, from, d.border_color, d.border_color, d.sides);
            paint_side_lines(canvas, r, d.color, d.color, d.sides);
        } else {
            paint_side_lines(canvas, from, d.border_color, d.border_color, d.sides);
        }
        return paint_cut_corner_frame(canvas, from, flat, d.sides);
    };
    auto border = [&](const Rect& from, TFrameStyleEx style, bool outer) {
        switch (style) {
        case F::fsFlat: return paint_side_lines(canvas, from, flat, flat, d.sides);
        case F::fsFlatBold: return paint_bevel_rings(canvas, from, flat, flat, 2, d.sides);
        case F::fsFlatRounded: return rounded(from, outer);
        case F::fsPopup: return paint_bevel_rings(canvas, from, d.highlight, d.shadow, d.bevel_width, d.sides);
        case F::fsStatus: return paint_bevel_rings(canvas, from, d.shadow, d.highlight, d.bevel_width, d.sides);
        default: return paint_frame_style_sides(canvas, from, style, d.sides);
        }
    };
    if (empty(bounds)) return bounds;
    Rect r = border(bounds, d.outer, true);
    if (d.width > 0) r = paint_bevel_rings(canvas, r, d.border_color, d.border_color, d.width, d.sides);
    return border(r, d.inner, false);
}

void paint_non_client_frame(ui::Canvas& canvas, int width, int height, TFrameStyle style, TColor color,
                            TColor frame_color, TSides sides) {
    const Rect all{0, 0, width, height};
    paint_bevel_rings(canvas, all, color, color, 2, kAllSides);
    if (style == TFrameStyle::fsFlat) paint_side_lines(canvas, all, frame_color, frame_color, sides);
    else if (style == TFrameStyle::fsFlatBold) paint_bevel_rings(canvas, all, frame_color, frame_color, 2, sides);
    else if (color == ui::clWindow) paint_frame_style_sides(canvas, all, to_frame_style_ex(style), sides);
    else paint_tinted_frame_style_sides(canvas, all, color, style, sides);
}

namespace {

// The colour of the arrow glyphs and where their centre lies.
struct GlyphBrush {
    explicit GlyphBrush(ui::Canvas& c) : canvas(c), saved_brush(c.brush().color) {
        canvas.pen().style = ui::TPenStyle::psClear;
    }
    ~GlyphBrush() {
        canvas.brush().color = saved_brush;
        canvas.pen().style = ui::TPenStyle::psSolid;
    }
    ui::Canvas& canvas;
    TColor saved_brush;
};

TColor themed_arrow_color() {
    ui::Bitmap probe(17, 21);
    ui::theme_services().draw_element(probe.dc(), L"COMBOBOX", 1, 1, {0, 0, 16, 20});
    const auto color = static_cast<TColor>(probe.pixel(8, 10));
    return colors_nearly_equal(color, ui::clWindow) ? ui::cl3DDkShadow : color;
}

TColor arrow_color(ui::Canvas& canvas, bool themed, bool enabled, bool cross) {
    if (!enabled) return ui::clBtnShadow;
    if (themed) return themed_arrow_color();
    if (cross) return ui::clBlack;
    return colors_nearly_equal(canvas.brush().color, ui::clBlack) ? ui::cl3DDkShadow : ui::clBlack;
}

void pixel_row(ui::Canvas& canvas, int x1, int x2, int y, TColor c) {
    for (int x = x1; x <= x2; ++x) canvas.set_pixel(x, y, c);
}
void pixel_column(ui::Canvas& canvas, int x, int y1, int y2, TColor c) {
    for (int y = y1; y <= y2; ++y) canvas.set_pixel(x, y, c);
}

void filled(ui::Canvas& canvas, TColor color, std::vector<POINT> points) {
    canvas.brush().color = color;
    canvas.brush().style = ui::TBrushStyle::bsSolid;
    canvas.polygon(points);
}

} // namespace

void paint_drop_arrow(ui::Canvas& canvas, const Rect& r, bool themed, bool pressed, bool enabled) {
    if (empty(r)) return;
    const TColor color = arrow_color(canvas, themed, enabled, false);
    GlyphBrush keep(canvas);
    int cx = r.left + r.width() / 2, cy = r.top + r.height() / 2;
    if (r.height() % 2 == 0) --cy;
    cy += themed ? 4 : 2;
    if (pressed) {
        ++cx;
        ++cy;
    }
    if (themed) {
        filled(canvas, color, {{cx, cy}, {cx - 4, cy - 5}, {cx - 3, cy - 7}, {cx, cy - 3}, {cx + 3, cy - 7}, {cx + 5, cy - 5}});
        return;
    }
    for (int row = 0; row < 4; ++row) pixel_row(canvas, cx - row, cx + row, cy - row, color);
}

void paint_direction_arrow(ui::Canvas& canvas, const Rect& r, bool themed, int direction, bool pressed, bool enabled) {
    if (empty(r) || direction < 0 || direction > 3) return;
    const TColor color = arrow_color(canvas, themed, enabled, false);
    GlyphBrush keep(canvas);
    int cx = r.left + r.width() / 2, cy = r.top + r.height() / 2;
    if (r.height() % 2 == 0) --cy;
    if (themed) {
        const int dx[] = {0, 0, -1, -3}, dy[] = {4, 2, 0, 0};
        cx += dx[direction];
        cy += dy[direction];
    } else if (direction <= 1) {
        ++cy;
    } else {
        cx -= 2;
    }
    if (enabled && pressed) {
        ++cx;
        ++cy;
    }
    if (themed) {
        switch (direction) {
        case 0: filled(canvas, color, {{cx, cy - 5}, {cx + 4, cy}, {cx + 1, cy}, {cx, cy - 2}, {cx - 1, cy}, {cx - 4, cy}}); break;
        case 1: filled(canvas, color, {{cx, cy}, {cx - 3, cy - 4}, {cx, cy - 4}, {cx, cy - 3}, {cx + 1, cy - 4}, {cx + 4, cy - 4}}); break;
        case 2: filled(canvas, color, {{cx, cy}, {cx + 4, cy - 4}, {cx + 4, cy - 1}, {cx + 3, cy}, {cx + 4, cy + 1}, {cx + 4, cy + 4}}); break;
        default: filled(canvas, color, {{cx + 4, cy}, {cx, cy + 4}, {cx, cy + 1}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy - 4}}); break;
        }
        return;
    }
    for (int k = 0; k < 4; ++k) {
        switch (direction) {
        case 0: pixel_row(canvas, cx - k, cx + k, cy - 3 + k, color); break;
        case 1: pixel_row(canvas, cx - k, cx + k, cy - k, color); break;
        case 2: pixel_column(canvas, cx + k, cy - k, cy + k, color); break;
        default: pixel_column(canvas, cx + 3 - k, cy - k, cy + k, color); break;
        }
    }
}

void paint_close_cross(ui::Canvas& canvas, const Rect& r, bool themed, bool pressed, bool enabled) {
    if (empty(r)) return;
    const TColor color = arrow_color(canvas, themed, enabled, true);
    GlyphBrush keep(canvas);
    int cx = r.left + r.width() / 2, cy = r.top + r.height() / 2;
    if (enabled && pressed) {
        if (r.height() % 2 == 1) ++cy;
        ++cx;
    } else if (r.height() % 2 == 0) {
        --cy;
    }
    filled(canvas, color,
           {{cx, cy - 1}, {cx + 2, cy - 3}, {cx + 5, cy - 3}, {cx + 2, cy}, {cx + 5, cy + 4}, {cx + 2, cy + 3},
            {cx, cy + 1}, {cx - 2, cy + 4}, {cx - 4, cy + 3}, {cx - 1, cy}, {cx - 4, cy - 3}, {cx - 1, cy - 3}});
}

void paint_hot_gradient_box(ui::Canvas& canvas, const Rect& b, TGradientDirection direction, TColor start, TColor stop) {
    if (empty(b) || !display_traits().full_color) return;
    ClipExclusion clip(canvas.handle());
    clip.exclude(b.left + 2, b.top + 2, b.right - 2, b.bottom - 2);
    paint_gradient_fill(canvas, b, direction, start, stop, 1);
}

namespace {

TColor interior_color(const GlyphLook& look) {
    switch (look.state) {
    case GlyphDrawState::Pressed: return darken_color(look.focus, 20);
    case GlyphDrawState::Disabled: return look.disabled;
    default:
        if (!look.focused) return look.read_only ? look.read_only_color : look.fill;
        return look.read_only && look.read_only_color_on_focus ? look.read_only_color : look.focus;
    }
}

bool hot_frame(const GlyphLook& look) {
    return look.state == GlyphDrawState::Hot && look.hot_style == TEcButtonHotTrackStyle::htsFrame;
}

} // namespace

void paint_check_glyph(ui::Canvas& canvas, const Rect& bounds, ui::TCheckBoxState state, const GlyphLook& look) {
    if (empty(bounds)) return;
    const TColor frame = hot_frame(look) ? look.hot_dark : look.frame;
    const Rect inner = paint_box_outline(canvas, bounds, frame);
    canvas.brush().color = interior_color(look);
    canvas.brush().style = ui::TBrushStyle::bsSolid;
    canvas.fill_rect(inner);
    const TColor mark = look.state == GlyphDrawState::Disabled ? ui::clBtnShadow : look.mark;
    const int x = inner.left, y = inner.top;
    if (state == ui::TCheckBoxState::cbChecked) {
        const int tops[] = {4, 5, 6, 5, 4, 3, 2};  // columns X+2 .. X+8, each three pixels high
        for (int i = 0; i < 7; ++i) pixel_column(canvas, x + 2 + i, y + tops[i], y + tops[i] + 2, mark);
    } else if (state == ui::TCheckBoxState::cbGrayed) {
        canvas.brush().color = mark;
        canvas.fill_rect({inner.left + 2, inner.top + 2, inner.right - 2, inner.bottom - 2});
    }
    if (look.state != GlyphDrawState::Hot) return;
    if (look.hot_style == TEcButtonHotTrackStyle::htsInterior)
        paint_hot_gradient_box(canvas, inner, TGradientDirection::gdDiagonalDown, look.hot_light, look.hot_dark);
    else
        paint_box_outline(canvas, inner, look.hot_dark);
}

void paint_radio_glyph(ui::Canvas& canvas, const Rect& rect, bool checked, const GlyphLook& look, TColor back,
                       bool transparent, TColor transparent_color) {
    if (empty(rect)) return;
    const bool full = display_traits().full_color;
    ui::Bitmap glyph(rect.width(), rect.height());
    ui::Canvas& c = glyph.canvas();
    c.brush().color = interior_color(look);
    c.brush().style = ui::TBrushStyle::bsSolid;
    c.fill_rect({0, 0, rect.width(), rect.height()});
    const TColor frame = hot_frame(look) ? look.hot_dark : look.frame;
    const TColor light = full ? lighten_color(frame, 10) : frame;
    using Points = std::initializer_list<std::pair<int, int>>;
    auto put = [&](Points points, TColor color) {
        for (const auto& [x, y] : points) c.set_pixel(x, y, color);
    };
    auto blend = [&](Points points, int alpha) {
        for (const auto& [x, y] : points) c.set_pixel(x, y, mix_colors(frame, static_cast<TColor>(glyph.pixel(x, y)), alpha));
    };
    if (full && look.state == GlyphDrawState::Hot) {
        if (look.hot_style == TEcButtonHotTrackStyle::htsFrame) {
            put({{5, 1}, {6, 1}, {7, 1}, {1, 5}, {1, 6}, {1, 7}, {11, 5}, {11, 6}, {11, 7}, {5, 11}, {6, 11}, {7, 11}}, light);
            put({{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}}, frame);
        } else {
            ClipExclusion clip(glyph.dc());
            clip.exclude(4, 4, 9, 9);
            clip.exclude(5, 3, 8, 10);
            clip.exclude(3, 5, 10, 8);
            paint_gradient_fill(c, {0, 0, rect.width(), rect.height()}, TGradientDirection::gdDiagonalDown,
                                look.hot_light, look.hot_dark, 1);
        }
    }
    const TColor outside = transparent ? transparent_color : back;
    put({{0, 0}, {1, 0}, {2, 0}, {10, 0}, {11, 0}, {12, 0}, {0, 1}, {1, 1}, {11, 1}, {12, 1}, {0, 2}, {12, 2},
         {0, 10}, {12, 10}, {0, 11}, {1, 11}, {11, 11}, {12, 11}, {0, 12}, {1, 12}, {2, 12}, {10, 12}, {11, 12}, {12, 12}},
        outside);
    TColor e1 = frame, e2 = back;
    if (transparent) e1 = e2 = transparent_color;
    else if (full) {
        e1 = mix_colors(frame, back, 128);
        e2 = mix_colors(frame, back, 40);
    }
    put({{4, 0}, {8, 0}, {2, 1}, {10, 1}, {1, 2}, {11, 2}, {0, 4}, {12, 4}, {0, 8}, {12, 8}, {1, 10}, {11, 10},
         {2, 11}, {10, 11}, {4, 12}, {8, 12}},
        e1);
    put({{3, 0}, {9, 0}, {0, 3}, {12, 3}, {0, 9}, {12, 9}, {3, 12}, {9, 12}}, e2);
    put({{6, 0}, {3, 1}, {9, 1}, {1, 3}, {11, 3}, {0, 6}, {12, 6}, {1, 9}, {11, 9}, {3, 11}, {9, 11}, {6, 12}}, frame);
    put({{5, 0}, {7, 0}, {2, 2}, {10, 2}, {0, 5}, {12, 5}, {0, 7}, {12, 7}, {2, 10}, {10, 10}, {5, 12}, {7, 12}}, light);
    if (full && hot_frame(look)) {
        blend({{3, 2}, {9, 2}, {2, 3}, {10, 3}, {2, 9}, {10, 9}, {3, 10}, {9, 10}}, 150);
        blend({{4, 2}, {8, 2}, {2, 4}, {10, 4}, {2, 8}, {10, 8}, {4, 10}, {8, 10}}, 80);
    } else if (full) {
        blend({{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}}, 128);
        blend({{5, 1}, {7, 1}, {3, 2}, {9, 2}, {2, 3}, {10, 3}, {1, 5}, {11, 5}, {1, 7}, {11, 7}, {2, 9}, {10, 9},
               {3, 10}, {9, 10}, {5, 11}, {7, 11}},
              80);
        blend({{6, 1}, {1, 6}, {11, 6}, {6, 11}}, 40);
    } else {
        put({{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}}, frame);
        put({{5, 1}, {7, 1}, {3, 2}, {9, 2}, {2, 3}, {10, 3}, {1, 5}, {11, 5}, {1, 7}, {11, 7}, {2, 9}, {10, 9},
             {3, 10}, {9, 10}, {5, 11}, {7, 11}},
            0x00C0C0C0);
    }
    if (checked) {
        const TColor dot = look.state == GlyphDrawState::Disabled ? ui::clBtnShadow : look.mark;
        const TColor edge = full ? mix_colors(dot, static_cast<TColor>(glyph.pixel(4, 4)), 153) : dot;
        c.brush().color = dot;
        c.fill_rect({5, 5, 8, 8});
        put({{6, 4}, {4, 6}, {8, 6}, {6, 8}}, dot);
        put({{5, 4}, {7, 4}, {4, 5}, {8, 5}, {4, 7}, {8, 7}, {5, 8}, {7, 8}}, edge);
    }
    canvas.draw(rect.left, rect.top, glyph);
}

namespace {

ThemeColorNameReader& name_reader() {
    static ThemeColorNameReader reader;
    return reader;
}

std::string registry_color_name() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return {};
    wchar_t value[128] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    DWORD type = 0;
    const LSTATUS status =
        RegQueryValueExW(key, L"ColorName", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return {};
    return plat::utf16_to_utf8(std::u16string(value, value + wcslen(value)));
}

int start_count = 0;

} // namespace

bool has_full_color_display() {
    const ui::ClientDC screen(nullptr);
    return GetDeviceCaps(screen.get(), NUMCOLORS) == -1;
}

void set_theme_color_name_reader(ThemeColorNameReader reader) { name_reader() = std::move(reader); }

int detect_xp_color_scheme() {
    return xp_scheme_from_name(name_reader() ? name_reader()() : registry_color_name());
}

bool themes_active() { return ui::theme_services().themes_enabled(); }

TColor theme_element_color(int kind) {
    if (!themes_active()) return ui::clBtnFace;
    struct Element {
        const wchar_t* cls;
        int part, state, property;
    } static const elements[] = {
        {L"EDIT", 0, 0, 3801},       {L"EXPLORERBAR", 5, 0, 3803}, {L"EXPLORERBAR", 9, 0, 3803},
        {L"EXPLORERBAR", 5, 0, 3802}, {L"EXPLORERBAR", 0, 0, 3810}, {L"EXPLORERBAR", 12, 0, 3802},
        {L"BUTTON", 4, 1, 3803},
    };
    if (kind < 0 || kind >= static_cast<int>(std::size(elements))) return ui::clWhite;
    const Element& e = elements[kind];
    COLORREF color = 0;
    ui::theme_services().theme_color(e.cls, e.part, e.state, e.property, color);
    return static_cast<TColor>(color);
}

namespace {

class TimerClock : public BlinkClock {
public:
    TimerClock() { timer_.on_timer = [this](ui::Component*) { if (on_tick) on_tick(); }; }
    void set_interval(unsigned ms) override { timer_.set_interval(ms); }
    std::function<void()> on_tick;

private:
    ui::Timer timer_{nullptr};
};

} // namespace

BlinkingControlsList& acquire_window_blink_list() {
    return acquire_blink_list([] {
        auto clock = std::make_unique<TimerClock>();
        TimerClock* ticking = clock.get();
        auto list = std::make_unique<BlinkingControlsList>(
            std::move(clock), [](ui::Component& target, unsigned msg, std::uintptr_t wparam) -> std::intptr_t {
                auto* control = dynamic_cast<ui::Control*>(&target);
                return control ? control->perform(msg, wparam) : 0;
            });
        ticking->on_tick = [l = list.get()] { l->tick(); };
        return list;
    });
}

void start_control_set() {
    if (start_count++ > 0) return;
    set_display_traits({detect_xp_color_scheme(), has_full_color_display()});
}

void stop_control_set() {
    if (start_count > 0) --start_count;
}

} // namespace ec
