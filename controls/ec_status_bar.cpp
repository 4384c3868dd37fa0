#include "controls/ec_panel.h"
#include "controls/ec_status.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/themes.h"

namespace ec {

using ui::Rect;

namespace {

// Status-bar theme parts: the background, a pane, the gripper.
constexpr int kStatusBackground = 0, kStatusPane = 1, kStatusGripper = 3;

} // namespace

ui::ClassInfo& TEcStatusBar::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcStatusBar", &TEcCustomPanel::static_class());
        c.factory = ui::factory_of<TEcStatusBar>();
        ui::PropBuilder<TEcStatusBar> b(c);
        b.enumeration("Align", &TEcStatusBar::align, &TEcStatusBar::set_align, ui::TAlign::alBottom)
            .integer("Height", &TEcStatusBar::height, &TEcStatusBar::set_height, 19)
            .boolean("AutoScalePanes", &TEcStatusBar::auto_scale_panes, &TEcStatusBar::set_auto_scale_panes)
            .boolean("AutoStyle", &TEcStatusBar::auto_style, &TEcStatusBar::set_auto_style, true)
            .enumeration("BorderInner", &TEcStatusBar::border_inner, &TEcStatusBar::set_border_inner,
                         TFrameStyleEx::fsNone)
            .enumeration("BorderOuter", &TEcStatusBar::border_outer, &TEcStatusBar::set_border_outer,
                         TFrameStyleEx::fsNone)
            .set("BorderSides", "TSides", &TEcStatusBar::border_sides, &TEcStatusBar::set_border_sides, kAllSides)
            .boolean("ShowSizeGrip", &TEcStatusBar::show_size_grip, &TEcStatusBar::set_show_size_grip, true)
            .string("SimpleCaption", &TEcStatusBar::simple_caption, &TEcStatusBar::set_simple_caption, "TCaption")
            .enumeration("SimpleFrameStyle", &TEcStatusBar::simple_frame_style, &TEcStatusBar::set_simple_frame_style,
                         TFrameStyle::fsFlat)
            .boolean("SimpleStatus", &TEcStatusBar::simple_status, &TEcStatusBar::set_simple_status);
        return c;
    }();
    return info;
}

TEcStatusBar::TEcStatusBar(ui::Component* owner) : TEcCustomPanel(owner) {
    TEcCustomPanel::set_border_inner(TFrameStyleEx::fsNone);
    TEcCustomPanel::set_border_outer(TFrameStyleEx::fsNone);
    TEcCustomPanel::set_border_sides(kAllSides);
    set_border_width(0);
    set_align(ui::TAlign::alBottom);
    set_height(19);
}

void TEcStatusBar::set_show_size_grip(bool v) {
    show_size_grip_ = v;
    update_grip_allowed();
    invalidate();
}

void TEcStatusBar::set_simple_caption(const std::string& v) {
    if (v == simple_caption_) return;
    simple_caption_ = v;
    invalidate();
}

void TEcStatusBar::set_simple_frame_style(TFrameStyle v) {
    simple_frame_style_ = v;
    invalidate();
}

void TEcStatusBar::set_simple_status(bool v) {
    simple_status_ = v;
    disable_align();
    try {
        // Every child comes back with the normal mode, also one that was hidden before.
        for (ui::Control* c : controls()) c->set_visible(!v);
    } catch (...) {
        enable_align();
        throw;
    }
    enable_align();
    invalidate();
}

void TEcStatusBar::set_border_inner(TFrameStyleEx v) {
    if (v == border_inner()) return;
    TEcCustomPanel::set_border_inner(v);
    if (!loading()) auto_style_ = false;
}

void TEcStatusBar::set_border_outer(TFrameStyleEx v) {
    if (v == border_outer()) return;
    TEcCustomPanel::set_border_outer(v);
    if (!loading()) auto_style_ = false;
}

void TEcStatusBar::set_border_sides(TSides v) {
    if (v == border_sides()) return;
    TEcCustomPanel::set_border_sides(v);
    if (!loading()) auto_style_ = false;
}

void TEcStatusBar::apply_auto_style() {
    TEcCustomPanel::set_border_inner(TFrameStyleEx::fsNone);
    TEcCustomPanel::set_border_outer(TFrameStyleEx::fsNone);
    TEcCustomPanel::set_border_sides(kAllSides);
    set_height(19);
    set_border_width(0);
}

void TEcStatusBar::loaded() {
    TEcCustomPanel::loaded();
    if (auto_style_) apply_auto_style();
}

void TEcStatusBar::update_grip_allowed() {
    const ui::Form* form = parent_form();
    grip_allowed_ = form &&
                    (form->border_style() == ui::TFormBorderStyle::bsSizeable ||
                     form->border_style() == ui::TFormBorderStyle::bsSizeToolWin) &&
                    form->window_state() != ui::TWindowState::wsMaximized;
}

void TEcStatusBar::create_wnd() {
    update_grip_allowed();
    TEcCustomPanel::create_wnd();
}

Rect TEcStatusBar::client_rect() const {
    return status_bar_client_rect(TEcCustomPanel::client_rect(), ui::theme_services().available(), simple_status_);
}

GradientPair TEcStatusBar::gradient_color_pair() const {
    if (gradient_color_style() == TEcGradientColorStyle::gcsCustom) return {gradient_color_stop(), gradient_color_start()};
    const PanelColorSet set = panel_gradient_colors(gradient_color_style(), themes_active(), display_traits());
    return {set.stop, set.start};
}

void TEcStatusBar::changed_bounds(bool size_changed) {
    TEcCustomPanel::changed_bounds(size_changed);
    if (!size_changed) return;
    // The first resize only records the width.
    const int change = resize_seen_ ? width() - previous_width_ : 0;
    resize_seen_ = true;
    if (auto_scale_panes_ && control_count() > 0 && change != 0) scale_panes(change, previous_width_);
    previous_width_ = width();
}

void TEcStatusBar::scale_panes(int change, int previous_width) {
    disable_align();
    try {
        for (ui::Control* c : controls()) c->set_width(scaled_pane_width(c->width(), change, previous_width));
    } catch (...) {
        enable_align();
        throw;
    }
    enable_align();
}

void TEcStatusBar::draw_simple_frame(ui::Canvas& canvas, const Rect& r) {
    if (visual_style() == TEcVisualStyle::vsWinXP && themes_active()) {
        ui::theme_services().draw_element(canvas.handle(), L"STATUS", kStatusPane, 0, r);
        return;
    }
    if (visual_style() != TEcVisualStyle::vsClassic) return;
    if (simple_frame_style_ == TFrameStyle::fsFlat)
        paint_cut_corner_box(canvas, r, shift_color_lightness(flat_color(), flat_color_adjustment()));
    else
        paint_frame_style(canvas, r, to_frame_style_ex(simple_frame_style_));
}

void TEcStatusBar::paint(ui::Canvas& canvas) {
    if (visual_style() == TEcVisualStyle::vsWinXP && themes_active()) {
        ui::theme_services().draw_element(canvas.handle(), L"STATUS", kStatusBackground, 0, {0, 0, width(), height()});
        if (simple_status_ && !simple_caption_.empty())
            ui::theme_services().draw_text(canvas.handle(), L"STATUS", kStatusBackground, 0,
                                           plat::gbk_to_wide(simple_caption_), DT_SINGLELINE | DT_VCENTER, client_rect());
        return;
    }
    TEcCustomPanel::paint(canvas);
    if (!simple_status_) return;
    Rect r = client_rect();
    r.bottom -= 1;
    draw_simple_frame(canvas, r);
    r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    if (simple_caption_.empty()) return;
    canvas.font().assign(font());
    canvas.brush().style = ui::TBrushStyle::bsClear;
    canvas.text_rect(r, r.left + 2, r.top + (r.height() - canvas.text_height("Pp")) / 2, simple_caption_);
    canvas.brush().style = ui::TBrushStyle::bsSolid;
}

void TEcStatusBar::paint_size_grip(HDC dc) {
    Rect r = client_rect();
    r.bottom -= 1;
    if (visual_style() == TEcVisualStyle::vsWinXP && themes_active()) {
        ui::theme_services().draw_element(dc, L"STATUS", kStatusGripper, 0, {r.right - 20, r.top, r.right, r.bottom});
        return;
    }
    ui::TColor light = ui::clBtnHighlight, dark = ui::clBtnShadow;
    if (visual_style() == TEcVisualStyle::vsGradient) {
        const PanelColorSet set = panel_gradient_colors(gradient_color_style(), themes_active(), display_traits());
        light = set.start;
        dark = set.frame;
    }
    grip_canvas_.set_handle(dc);
    const auto squares = size_grip_squares(r);
    for (std::size_t i = 0; i < squares.size(); ++i) {
        const ui::TColor c = i < 6 ? light : dark;
        grip_canvas_.pen().color = c;
        grip_canvas_.brush().color = c;
        grip_canvas_.rectangle(squares[i]);
    }
    grip_canvas_.set_handle(nullptr);
}

void TEcStatusBar::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case WM_LBUTTONDOWN: {
        const int x = LOWORD(m.lparam), y = HIWORD(m.lparam);
        if (grip_shown() && in_size_grip(x, y, width(), height())) {
            ReleaseCapture();
            if (ui::Form* form = parent_form(); form && form->handle_allocated())
                SendMessageW(form->handle(), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, 0);
            m.result = 0;
            return;
        }
        break;
    }
    case WM_SETCURSOR:
        if (grip_shown() && handle_allocated()) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(handle(), &p);
            if (in_size_grip(p.x, p.y, width(), height())) {
                SetCursor(ui::cursor_handle(ui::crSizeNWSE));
                m.result = 1;
                return;
            }
        }
        break;
    case WM_PAINT:
        TEcCustomPanel::wnd_proc(m);
        update_grip_allowed();
        if (grip_shown() && handle_allocated()) {
            if (HDC given = reinterpret_cast<HDC>(m.wparam)) {
                paint_size_grip(given);
            } else {
                const ui::ClientDC dc(handle());
                paint_size_grip(dc.get());
            }
        }
        return;
    default: break;
    }
    TEcCustomPanel::wnd_proc(m);
}

} // namespace ec
