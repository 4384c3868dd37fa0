#include "controls/ec_panel.h"

#include <algorithm>

#include "controls/ec_grafx.h"
#include "controls/model/accel_text.h"
#include "platform/text_gbk.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/text_util.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/themes.h"

namespace ec {

namespace {

using ui::Rect;

Rect shrink(const Rect& r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right - dx, r.bottom - dy}; }

void line(ui::Canvas& c, int x1, int y1, int x2, int y2, TColor color) {
    c.pen().color = color;
    c.move_to(x1, y1);
    c.line_to(x2, y2);
}

UINT alignment_flag(ui::TAlignment a) {
    return a == ui::TAlignment::taLeftJustify ? DT_LEFT : a == ui::TAlignment::taRightJustify ? DT_RIGHT : DT_CENTER;
}

template <class C>
void publish_panel_common(ui::PropBuilder<C>& b) {
    b.enumeration("BorderInner", &C::border_inner, &C::set_border_inner, TFrameStyleEx::fsNone)
        .set("BorderSides", "TSides", &C::border_sides, &C::set_border_sides, kAllSides)
        .color("BorderColor", &C::border_color, &C::set_border_color, ui::clBtnFace)
        .color("BorderHighlight", &C::border_highlight, &C::set_border_highlight, ui::clBtnHighlight)
        .color("BorderShadow", &C::border_shadow, &C::set_border_shadow, ui::clBtnShadow)
        .color("FlatColor", &C::flat_color, &C::set_flat_color, ui::clBtnShadow)
        .integer("FlatColorAdjustment", &C::flat_color_adjustment, &C::set_flat_color_adjustment, 30)
        .template reference<FrameController>("FrameController", "TEcFrameController", &C::frame_controller,
                                             &C::set_frame_controller)
        .set("FrameControllerNotifications", "TEcFrameControllerNotifications", &C::frame_controller_notifications,
             &C::set_frame_controller_notifications, TEcFrameControllerNotifications::from_bits(kAllFrameNotifications))
        .enumeration("GradientColorStyle", &C::gradient_color_style, &C::set_gradient_color_style,
                     TEcGradientColorStyle::gcsSystem)
        .color("GradientColorStart", &C::gradient_color_start, &C::set_gradient_color_start, ui::clWhite)
        .color("GradientColorStop", &C::gradient_color_stop, &C::set_gradient_color_stop, ui::clBtnFace)
        .enumeration("GradientDirection", &C::gradient_direction, &C::set_gradient_direction,
                     TGradientDirection::gdHorizontalEnd)
        .boolean("Transparent", &C::transparent, &C::set_transparent)
        .enumeration("VisualStyle", &C::visual_style, &C::set_visual_style, TEcVisualStyle::vsWinXP)
        .boolean("DockSite", &C::dock_site, &C::set_dock_site)
        .boolean("UseDockManager", &C::use_dock_manager, &C::set_use_dock_manager, true)
        .enumeration("BevelOuter", &C::bevel_outer, &C::set_bevel_outer, ui::TBevelCut::bvNone)
        .event("OnPaint", "TNotifyEvent", &C::on_paint)
        .obsolete("FrameSides", ui::ObsoleteValue::Set)
        .obsolete("ThemeAware", ui::ObsoleteValue::Boolean)
        .obsolete("UseGradients", ui::ObsoleteValue::Boolean, [](C& x, const ui::DescValue& v) {
            if (ui::same_text(v.text, "True")) x.set_visual_style(TEcVisualStyle::vsGradient);
        });
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TEcCustomPanel

ui::ClassInfo& TEcCustomPanel::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcCustomPanel", &ui::Panel::custom_class());
        ui::PropBuilder<TEcCustomPanel> b(c);
        publish_panel_common(b);
        return c;
    }();
    return info;
}

ui::ClassInfo& TEcPanel::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcPanel", &TEcCustomPanel::static_class());
        c.factory = ui::factory_of<TEcPanel>();
        ui::PropBuilder<TEcPanel> b(c);
        b.enumeration("AlignmentVertical", &TEcPanel::alignment_vertical, &TEcPanel::set_alignment_vertical,
                      TAlignmentVertical::avCenter)
            .enumeration("BorderOuter", &TEcPanel::border_outer, &TEcPanel::set_border_outer, TFrameStyleEx::fsRaised)
            .color("GridColor", &TEcPanel::grid_color, &TEcPanel::set_grid_color, ui::clBtnShadow)
            .enumeration("GridStyle", &TEcPanel::grid_style, &TEcPanel::set_grid_style, TEcGridStyle::gsDots)
            .integer("GridXSize", &TEcPanel::grid_x_size, &TEcPanel::set_grid_x_size, 8, "Word")
            .integer("GridYSize", &TEcPanel::grid_y_size, &TEcPanel::set_grid_y_size, 8, "Word")
            .boolean("ShowGrid", &TEcPanel::show_grid, &TEcPanel::set_show_grid)
            .boolean("PaintClientArea", &TEcPanel::paint_client_area, &TEcPanel::set_paint_client_area, true)
            .integer("TextMargin", &TEcPanel::text_margin, &TEcPanel::set_text_margin)
            .integer("TextMarginVertical", &TEcPanel::text_margin_vertical, &TEcPanel::set_text_margin_vertical)
            .boolean("WordWrap", &TEcPanel::word_wrap, &TEcPanel::set_word_wrap, true)
            .boolean("ShowDockClientCaptions", &TEcPanel::show_dock_client_captions,
                     &TEcPanel::set_show_dock_client_captions, true);
        return c;
    }();
    return info;
}

TEcCustomPanel::TEcCustomPanel(ui::Component* owner) : Panel(owner) {
    ui::TControlStyle s = control_style();
    s.exclude(ui::TControlStyleFlag::csSetCaption);
    s.exclude(ui::TControlStyleFlag::csParentBackground);
    s.include(ui::TControlStyleFlag::csOpaque);
    set_control_style(s);
    set_bevel_outer(ui::TBevelCut::bvNone);
}

TEcCustomPanel::~TEcCustomPanel() { link_.release(*this); }

void TEcCustomPanel::set_gradient_color_start(TColor v) {
    if (v == gradient_color_start_) return;
    gradient_color_start_ = v;
    invalidate();
    refresh_transparent_children(*this);
}

void TEcCustomPanel::set_gradient_color_stop(TColor v) {
    if (v == gradient_color_stop_) return;
    gradient_color_stop_ = v;
    invalidate();
    refresh_transparent_children(*this);
}

void TEcCustomPanel::set_gradient_direction(TGradientDirection v) {
    if (v == gradient_direction_) return;
    gradient_direction_ = v;
    invalidate();
    refresh_transparent_children(*this);
}

void TEcCustomPanel::set_transparent(bool v) {
    if (v == transparent_) return;
    transparent_ = v;
    ui::TControlStyle s = control_style();
    if (v) s.exclude(ui::TControlStyleFlag::csOpaque);
    else s.include(ui::TControlStyleFlag::csOpaque);
    set_control_style(s);
    invalidate();
    for (ui::Control* c : controls()) c->invalidate();
}

PanelBorders TEcCustomPanel::borders() const {
    return {border_outer_, border_inner_, border_sides_, border_width(), bevel_width()};
}

Rect TEcCustomPanel::adjust_rect_for_borders(Rect r, bool with_border_width) const {
    return ec::adjust_rect_for_borders(r, borders(), with_border_width);
}

void TEcCustomPanel::set_bounds(int left, int top, int width, int height) {
    const Rect r = keep_edge_bounds(align(), bounds_rect(), {left, top, left + width, top + height});
    Panel::set_bounds(r.left, r.top, r.width(), r.height());
}

void TEcCustomPanel::align_controls(ui::Control* changed, Rect& r) {
    r = adjust_rect_for_borders(r, false);
    Panel::align_controls(changed, r);
}

GradientPair TEcCustomPanel::gradient_color_pair() const {
    if (gradient_color_style_ == TEcGradientColorStyle::gcsCustom) return {gradient_color_start_, gradient_color_stop_};
    return bar_gradient_colors(gradient_color_style_, themes_active(), display_traits());
}

std::pair<TColor, int> TEcCustomPanel::flat_frame_colors() const {
    if (visual_style_ == TEcVisualStyle::vsGradient && gradient_color_style_ != TEcGradientColorStyle::gcsCustom)
        return {bar_frame_color(gradient_color_style_, themes_active(), display_traits()), 0};
    return {flat_color_, flat_color_adjustment_};
}

void TEcCustomPanel::draw_caption_text(ui::Canvas& canvas, Rect r) {
    const std::string caption = text();
    if (caption.empty()) return;
    canvas.font().assign(font());
    r = shrink(r, text_margin_, text_margin_vertical_);
    UINT flags = DT_EXPANDTABS | DT_VCENTER | alignment_flag(alignment());
    if (word_wrap_) flags |= DT_WORDBREAK;
    Rect measured = r;
    const int h = canvas.draw_text(caption, measured, flags | DT_CALCRECT);
    switch (alignment_vertical_) {
    case TAlignmentVertical::avTop: r.bottom = std::min(r.bottom, r.top + h); break;
    case TAlignmentVertical::avCenter:
        r.top = (r.top + r.bottom - h) / 2;
        r.bottom = std::min(r.bottom, r.top + h);
        break;
    case TAlignmentVertical::avBottom: r.top = std::max(r.top, r.bottom - h - 1); break;
    }
    if (!enabled()) canvas.font().set_color(ui::clGrayText);
    canvas.draw_text(caption, r, flags);
}

void TEcCustomPanel::draw_grid_pattern(ui::Canvas& canvas, const Rect& r) {
    const std::vector<int> xs = grid_lines(r.left, r.width(), grid_x_size_);
    const std::vector<int> ys = grid_lines(r.top, r.height(), grid_y_size_);
    switch (grid_style_) {
    case TEcGridStyle::gsDots:
        for (int x : xs)
            for (int y : ys) canvas.set_pixel(x, y, grid_color_);
        break;
    case TEcGridStyle::gsSolidLines:
        for (int x : xs) line(canvas, x, r.top, x, r.bottom, grid_color_);
        for (int y : ys) line(canvas, r.left, y, r.right, y, grid_color_);
        break;
    case TEcGridStyle::gsDottedLines:
        for (int x : xs)
            for (int y = r.top + 1; y < r.bottom; y += 2) canvas.set_pixel(x, y, grid_color_);
        for (int y : ys)
            for (int x = r.left + 1; x < r.right; x += 2) canvas.set_pixel(x, y, grid_color_);
        break;
    }
}

void TEcCustomPanel::paint(ui::Canvas& canvas) {
    const Rect all = control_bounds_rect();
    const auto [flat, adjustment] = flat_frame_colors();
    LayeredBorders b;
    b.outer = border_outer_;
    b.inner = border_inner_;
    b.width = border_width();
    b.sides = border_sides_;
    b.bevel_width = bevel_width();
    b.border_color = border_color_;
    b.highlight = border_highlight_;
    b.shadow = border_shadow_;
    b.flat_color = flat;
    b.flat_color_adjustment = adjustment;
    b.color = color();
    b.parent_color = parent() ? parent()->color() : ui::clBtnFace;
    b.transparent = transparent_;
    const Rect client = paint_layered_borders(canvas, all, b);
    if (!transparent_ && paint_client_area_) {
        if (visual_style_ == TEcVisualStyle::vsGradient) {
            const GradientPair pair = gradient_color_pair();
            paint_gradient_fill(canvas, client, gradient_direction_, pair.start, pair.stop, 1);
        } else {
            canvas.brush().color = color();
            canvas.fill_rect(client);
        }
    }
    if (show_grid_) draw_grid_pattern(canvas, client);
    canvas.brush().style = ui::TBrushStyle::bsClear;
    draw_caption_text(canvas, client);
    canvas.brush().style = ui::TBrushStyle::bsSolid;
    if (on_paint) on_paint(this);
}

void TEcCustomPanel::notification(ui::Component* c, ui::TOperation op) {
    Panel::notification(c, op);
    if (op == ui::TOperation::opRemove) link_.forget(c);
}

void TEcCustomPanel::refresh_frame_from_controller() {
    FrameController* fc = link_.controller();
    if (!fc || !fc->frame_visible()) return;
    const TEcFrameControllerNotifications n = link_.notifications();
    using P = TEcFrameControllerProperty;
    if (n.has(P::fcpFrameStyle)) border_outer_ = to_frame_style_ex(fc->frame_style());
    if (n.has(P::fcpFrameSides)) border_sides_ = fc->frame_sides();
    if (n.has(P::fcpFrameColor)) {
        flat_color_ = fc->frame_color();
        flat_color_adjustment_ = 0;
    }
    if (n.has(P::fcpColor)) set_color(fc->color());
    if (n.has(P::fcpParentColor)) set_parent_color(fc->parent_color());
    if (n.has(P::fcpColor)) {
        border_highlight_ = lighten_color(color(), 100);
        border_shadow_ = darken_color(color(), 50);
    }
    realign();
    invalidate();
}

// While disabled the panel remembers which children were enabled, so that enabling it again
// leaves the ones disabled before as they were.
void TEcCustomPanel::enabled_changed() {
    paint_now();
    if (!enabled()) {
        enabled_states_.clear();
        for (ui::Control* c : controls()) {
            enabled_states_.add_object(c->enabled() ? "1" : "0", c);
            c->set_enabled(false);
        }
        return;
    }
    for (ui::Control* c : controls()) {
        const int i = enabled_states_.index_of_object(c);
        c->set_enabled(i < 0 || enabled_states_.get(i) == "1");
    }
}

void TEcCustomPanel::invalidate() {
    if (!resizing_) Panel::invalidate();
}

void TEcCustomPanel::invalidate_uncovered(int new_width, int new_height) {
    if (!handle_allocated()) return;
    if (full_repaint() || !text().empty()) {
        InvalidateRect(handle(), nullptr, TRUE);
        return;
    }
    const Rect inner = adjust_rect_for_borders({0, 0, width(), height()}, true);
    const POINT margin = repaint_margin_size();
    for (const Rect& strip : resize_repaint_strips(width(), height(), new_width, new_height, inner, margin.x, margin.y)) {
        const RECT r = ui::to_rect(strip);
        InvalidateRect(handle(), &r, TRUE);
    }
}

void TEcCustomPanel::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.lparam);
        if (pos && !(pos->flags & SWP_NOSIZE)) invalidate_uncovered(pos->cx, pos->cy);
        // The strips are all that needs painting: the new bounds must not invalidate the rest.
        resizing_ = true;
        try {
            Panel::wnd_proc(m);
        } catch (...) {
            resizing_ = false;
            throw;
        }
        resizing_ = false;
        return;
    }
    case WM_ERASEBKGND:
        if (transparent_ && paint_client_area_) {
            paint_parent_background(*this, reinterpret_cast<HDC>(m.wparam), false);
            m.result = 1;
            return;
        }
        break;
    case WM_THEMECHANGED:
        Panel::wnd_proc(m);
        set_display_traits({detect_xp_color_scheme(), display_traits().full_color});
        return;
    case ui::CM_ENABLEDCHANGED:
        Panel::wnd_proc(m);
        enabled_changed();
        return;
    case ui::CM_CONTROLLISTCHANGE:
        // A child that leaves takes its remembered state along.
        if (!m.lparam) {
            const int i = enabled_states_.index_of_object(reinterpret_cast<void*>(m.wparam));
            if (i >= 0) enabled_states_.remove(i);
        }
        break;
    default: break;
    }
    Panel::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// TEcCustomGroupBox

ui::ClassInfo& TEcCustomGroupBox::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcCustomGroupBox", &TEcCustomPanel::static_class());
        ui::PropBuilder<TEcCustomGroupBox> b(c);
        b.enumeration("GroupStyle", &TEcCustomGroupBox::group_style, &TEcCustomGroupBox::set_group_style,
                      TEcGroupBoxStyle::gsFlat)
            .enumeration("Alignment", &TEcCustomGroupBox::alignment, &TEcCustomGroupBox::set_alignment,
                         ui::TAlignment::taLeftJustify)
            .enumeration("BorderOuter", &TEcCustomGroupBox::border_outer, &TEcCustomGroupBox::set_border_outer,
                         TFrameStyleEx::fsNone);
        return c;
    }();
    return info;
}

ui::ClassInfo& TEcGroupBox::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcGroupBox", &TEcCustomGroupBox::static_class());
        c.factory = ui::factory_of<TEcGroupBox>();
        return c;
    }();
    return info;
}

TEcCustomGroupBox::TEcCustomGroupBox(ui::Component* owner) : TEcCustomPanel(owner) {
    ui::TControlStyle s = control_style();
    s.include(ui::TControlStyleFlag::csSetCaption);
    s.include(ui::TControlStyleFlag::csDoubleClicks);
    set_control_style(s);
    set_border_outer(TFrameStyleEx::fsNone);
    set_border_inner(TFrameStyleEx::fsNone);
    set_alignment(ui::TAlignment::taLeftJustify);
    set_alignment_vertical(TAlignmentVertical::avTop);
    set_height(105);
}

int TEcCustomGroupBox::caption_text_height() const {
    const ui::ClientDC screen(nullptr);
    ui::Canvas canvas(screen.get());
    canvas.font().assign(font());
    const int h = canvas.text_height("Yy");
    canvas.set_handle(nullptr);
    return h;
}

void TEcCustomGroupBox::adjust_client_rect(Rect& r) const {
    TEcCustomPanel::adjust_client_rect(r);
    r = group_box_client_rect(r, group_style_, caption_text_height(), border_width(), !text().empty());
}

void TEcCustomGroupBox::refresh_frame_from_controller() {
    if (group_style_ == TEcGroupBoxStyle::gsCustom) TEcCustomPanel::refresh_frame_from_controller();
}

Rect TEcCustomGroupBox::caption_rect(ui::Canvas& canvas) const {
    if (text().empty() || group_style_ == TEcGroupBoxStyle::gsCustom) return {};
    const SIZE t = canvas.text_extent(strip_accel_chars(text()));
    const int w = static_cast<int>(t.cx), h = static_cast<int>(t.cy);
    const bool rtl = use_right_to_left_reading();
    switch (group_style_) {
    case TEcGroupBoxStyle::gsStandard:
    case TEcGroupBoxStyle::gsFlat: return rtl ? Rect{width() - w - 8, 0, width() - 8, h} : Rect{8, 0, w + 8, h};
    case TEcGroupBoxStyle::gsTopLine: return rtl ? Rect{width() - w - 4, 0, width() - 4, h} : Rect{0, 0, w + 4, h};
    case TEcGroupBoxStyle::gsBanner: return {0, 0, width(), h + 6};
    case TEcGroupBoxStyle::gsUnderline: return {0, 0, width(), h + 2};
    case TEcGroupBoxStyle::gsCustom: break;
    }
    return {};
}

void TEcCustomGroupBox::paint(ui::Canvas& canvas) {
    canvas.font().assign(font());
    const int h = canvas.text_height("Pp");
    Rect caption = caption_rect(canvas);
    const Rect frame{0, h / 2 - 1, width(), height()};
    const bool themed = visual_style() == TEcVisualStyle::vsWinXP && themes_active() &&
                        (group_style_ == TEcGroupBoxStyle::gsStandard || group_style_ == TEcGroupBoxStyle::gsFlat);
    if (themed) {
        HDC dc = canvas.handle();
        if (!transparent()) paint_parent_background(*this, dc, false);
        ui::SavedDC saved(dc);
        ExcludeClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
        ui::theme_services().draw_element(dc, L"BUTTON", 4, enabled() ? 1 : 2, frame);  // group box part
        SelectClipRgn(dc, nullptr);
        if (!text().empty())
            ui::theme_services().draw_text(dc, L"BUTTON", 4, enabled() ? 1 : 2, plat::gbk_to_wide(text()), alignment_flag(alignment()),
                                           caption);
        return;
    }
    if (group_style_ == TEcGroupBoxStyle::gsCustom) {
        TEcCustomPanel::paint(canvas);
        return;
    }
    HDC dc = canvas.handle();
    if (!transparent()) {
        canvas.brush().color = color();
        canvas.fill_rect(control_bounds_rect());
    } else if (group_style_ != TEcGroupBoxStyle::gsBanner) {
        ExcludeClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
    }
    const TColor l = shift_color_lightness(flat_color(), flat_color_adjustment());
    const TFrameStyleEx outer = border_outer();
    switch (group_style_) {
    case TEcGroupBoxStyle::gsStandard:
        if (outer == TFrameStyleEx::fsNone) paint_frame_style(canvas, frame, TFrameStyleEx::fsGroove);
        else if (outer == TFrameStyleEx::fsFlat) paint_box_outline(canvas, frame, l);
        else if (outer == TFrameStyleEx::fsFlatBold) paint_bevel_rings(canvas, frame, l, l, 2, kAllSides);
        else paint_frame_style_sides(canvas, frame, outer, kAllSides);
        break;
    case TEcGroupBoxStyle::gsTopLine:
        if (outer == TFrameStyleEx::fsNone) {
            paint_frame_style_sides(canvas, frame, TFrameStyleEx::fsGroove, TSides{TSide::sdTop});
        } else if (outer == TFrameStyleEx::fsFlat || outer == TFrameStyleEx::fsFlatBold) {
            line(canvas, frame.left + 2, frame.top, frame.right - 2, frame.top, l);
            if (outer == TFrameStyleEx::fsFlatBold) line(canvas, frame.left + 2, frame.top + 1, frame.right - 2, frame.top + 1, l);
        } else {
            paint_frame_style_sides(canvas, frame, outer, TSides{TSide::sdTop});
        }
        break;
    case TEcGroupBoxStyle::gsFlat:
        line(canvas, frame.left, frame.top + 2, frame.left, frame.bottom - 2, l);
        line(canvas, frame.right - 1, frame.top + 2, frame.right - 1, frame.bottom - 2, l);
        line(canvas, frame.left + 2, frame.top, frame.right - 2, frame.top, l);
        line(canvas, frame.left + 2, frame.bottom - 1, frame.right - 2, frame.bottom - 1, l);
        canvas.set_pixel(frame.left + 1, frame.top + 1, l);
        canvas.set_pixel(frame.right - 2, frame.top + 1, l);
        canvas.set_pixel(frame.right - 2, frame.bottom - 2, l);
        canvas.set_pixel(frame.left + 1, frame.bottom - 2, l);
        break;
    case TEcGroupBoxStyle::gsBanner: {
        TColor a = gradient_color_start(), b = gradient_color_stop(), pen = l;
        if (gradient_color_style() != TEcGradientColorStyle::gcsCustom) {
            const PanelColorSet set = panel_gradient_colors(gradient_color_style(), themes_active(), display_traits());
            a = set.stop;
            b = set.start;
            pen = set.frame;
        }
        if (caption.width() > 0) {
            line(canvas, caption.left, caption.top + 1, caption.left, caption.bottom - 1, pen);
            line(canvas, caption.right - 1, caption.top + 1, caption.right - 1, caption.bottom - 1, pen);
            line(canvas, caption.left + 1, caption.top, caption.right - 1, caption.top, pen);
            line(canvas, caption.left + 1, caption.bottom - 1, caption.right - 1, caption.bottom - 1, pen);
            paint_gradient_fill(canvas, shrink(caption, 1, 1), TGradientDirection::gdHorizontalEnd, a, b, 1);
        }
        break;
    }
    case TEcGroupBoxStyle::gsUnderline:
        if (caption.width() > 0) line(canvas, caption.left, caption.bottom - 1, caption.right, caption.bottom - 1, l);
        break;
    case TEcGroupBoxStyle::gsCustom: break;
    }
    SelectClipRgn(dc, nullptr);
    if (text().empty()) return;
    // The banner and the underline draw inside the caption's rectangle: filling it would wipe them.
    if (!transparent() && group_style_ != TEcGroupBoxStyle::gsBanner && group_style_ != TEcGroupBoxStyle::gsUnderline) {
        canvas.brush().color = color();
        canvas.fill_rect(caption);
    }
    if (group_style_ == TEcGroupBoxStyle::gsBanner) caption = shrink(caption, 4, 1);
    canvas.brush().style = ui::TBrushStyle::bsClear;
    if (!enabled()) canvas.font().set_color(ui::clGrayText);
    else if (visual_style() == TEcVisualStyle::vsWinXP && themes_active()) canvas.font().set_color(theme_element_color(0));
    else canvas.font().set_color(font().color());
    canvas.draw_text(text(), caption, DT_SINGLELINE | alignment_flag(alignment()));
    canvas.brush().style = ui::TBrushStyle::bsSolid;
}

void TEcCustomGroupBox::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case ui::CM_DIALOGCHAR:
        if (ui::is_accel(static_cast<wchar_t>(m.wparam), text()) && can_focus()) {
            select_first();
            m.result = 1;
            return;
        }
        break;
    case ui::CM_FONTCHANGED:
        TEcCustomPanel::wnd_proc(m);
        realign();
        invalidate();
        return;
    default: break;
    }
    TEcCustomPanel::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// TEcSpacer

ui::ClassInfo& TEcSpacer::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcSpacer", &ui::GraphicControl::static_class());
        c.factory = ui::factory_of<TEcSpacer>();
        ui::PropBuilder<TEcSpacer> b(c);
        b.boolean("Grooved", &TEcSpacer::grooved, &TEcSpacer::set_grooved)
            .enumeration("Orientation", &TEcSpacer::orientation, &TEcSpacer::set_orientation,
                         TOrientation::orHorizontal);
        return c;
    }();
    return info;
}

TEcSpacer::TEcSpacer(ui::Component* owner) : GraphicControl(owner) { set_bounds(0, 0, 8, 25); }

void TEcSpacer::set_grooved(bool v) {
    if (v == grooved_) return;
    grooved_ = v;
    invalidate();
}

void TEcSpacer::set_orientation(TOrientation v) {
    if (v == orientation_) return;
    orientation_ = v;
    if (!loading()) set_bounds(left(), top(), height(), width());
    invalidate();
}

void TEcSpacer::paint(ui::Canvas& canvas) {
    if (!grooved_) return;
    const Rect r = client_rect();
    const bool across = width() > height();
    if (themes_active()) {
        // Tool-bar separator parts: the vertical bar's one when wider than high.
        ui::theme_services().draw_element(canvas.handle(), L"TOOLBAR", across ? 6 : 5, 1, r);
        return;
    }
    if (across) {
        const int y = (r.bottom - r.top) / 2 + r.top - 1;
        line(canvas, r.left + 1, y, r.right, y, ui::clBtnShadow);
        line(canvas, r.left + 1, y + 1, r.right, y + 1, ui::clBtnHighlight);
    } else {
        const int x = (r.right - r.left) / 2 + r.left - 1;
        line(canvas, x, r.top + 1, x, r.bottom, ui::clBtnShadow);
        line(canvas, x + 1, r.top + 1, x + 1, r.bottom, ui::clBtnHighlight);
    }
}

void register_panel_classes() {
    ui::register_class(TEcPanel::static_class());
    ui::register_class(TEcGroupBox::static_class());
    ui::register_class(TEcSpacer::static_class());
}

} // namespace ec
