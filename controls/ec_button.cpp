#include "controls/ec_button.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "controls/ec_common.h"
#include "controls/ec_grafx.h"
#include "controls/model/accel_text.h"
#include "platform/ui/win/actions.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/text_util.h"
#include "platform/ui/win/themes.h"

namespace ec {

namespace {

using ui::Rect;
using ui::TControlStyleFlag;

constexpr UINT kMeasureFlags = 0x455;  // calculate, word break, expand tabs, centred both ways

Rect inflate(Rect r, int dx, int dy) { return {r.left - dx, r.top - dy, r.right + dx, r.bottom + dy}; }
Rect offset(Rect r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }
bool inside(const Rect& r, int x, int y) { return x >= r.left && y >= r.top && x < r.right && y < r.bottom; }

// A one-pixel box without its four corner pixels.
void paint_corner_less_box(ui::Canvas& canvas, const Rect& r, TColor color) {
    canvas.pen().color = color;
    canvas.move_to(r.left, r.top + 1);
    canvas.line_to(r.left, r.bottom - 1);
    canvas.move_to(r.left + 1, r.top);
    canvas.line_to(r.right - 1, r.top);
    canvas.move_to(r.right - 1, r.top + 1);
    canvas.line_to(r.right - 1, r.bottom - 1);
    canvas.move_to(r.left + 1, r.bottom - 1);
    canvas.line_to(r.right - 1, r.bottom - 1);
}

// Hover colours of the hot-track look: the colour as it is, or its complement.
std::pair<TColor, TColor> hot_colors(TColor hot, TEcHotTrackColorType type) {
    if (type == TEcHotTrackColorType::htctActual) return {mix_colors(ui::clWhite, hot, 190), hot};
    const TColor k = hue_opposite_color(hot, 180);
    return {k, darken_color(k, 30)};
}

std::string modal_result_text(std::int64_t v) {
    static const char* names[] = {"mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes", "mrNo", "mrAll"};
    return v >= 0 && v <= 8 ? names[v] : std::to_string(v);
}

std::optional<int> modal_result_from(std::string_view t) {
    for (int i = 0; i <= 8; ++i)
        if (ui::same_text(modal_result_text(i), t)) return i;
    return std::nullopt;
}

// Copies `cell` of a strip of `cells` into `dest` of the canvas, leaving the strip's
// transparent colour out. A strip narrower than its cells draws nothing.
void draw_glyph_cell(ui::Canvas& canvas, const ui::Bitmap& strip, int cells, int cell, const Rect& dest) {
    if (strip.empty() || cells <= 0) return;
    const int w = strip.width() / cells;
    if (w <= 0) return;
    draw_transparent_stretched(canvas, strip, dest, {cell * w, 0, cell * w + w, strip.height()},
                               strip.effective_transparent_color());
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TEcCustomButton

ui::ClassInfo& TEcCustomButton::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcCustomButton", &ui::CustomControl::static_class());
        ui::PropBuilder<TEcCustomButton> b(c);
        b.string("Caption", [](const TEcCustomButton& x) { return x.text(); },
                 [](TEcCustomButton& x, const std::string& v) { x.set_text(v); }, "TCaption")
            .enumeration("AlignmentVertical", &TEcCustomButton::alignment_vertical,
                         &TEcCustomButton::set_alignment_vertical, TAlignmentVertical::avCenter)
            .boolean("HotTrack", &TEcCustomButton::hot_track, &TEcCustomButton::set_hot_track)
            .color("HotTrackColor", &TEcCustomButton::hot_track_color, &TEcCustomButton::set_hot_track_color,
                   kDefaultHotTrackColor)
            .enumeration("HotTrackColorType", &TEcCustomButton::hot_track_color_type,
                         &TEcCustomButton::set_hot_track_color_type, TEcHotTrackColorType::htctActual)
            .color("HighlightColor", &TEcCustomButton::highlight_color, &TEcCustomButton::set_highlight_color,
                   ui::clHighlight)
            .boolean("LightTextStyle", &TEcCustomButton::light_text_style, &TEcCustomButton::set_light_text_style)
            .enumeration("TextStyle", &TEcCustomButton::text_style, &TEcCustomButton::set_text_style,
                         TTextStyle::tsNormal)
            .color("TextHighlightColor", &TEcCustomButton::text_highlight_color,
                   &TEcCustomButton::set_text_highlight_color, ui::clBtnHighlight)
            .color("TextShadowColor", &TEcCustomButton::text_shadow_color, &TEcCustomButton::set_text_shadow_color,
                   ui::clBtnShadow)
            .integer("TextShadowDepth", &TEcCustomButton::text_shadow_depth, &TEcCustomButton::set_text_shadow_depth, 2)
            .boolean("ThemeAware", &TEcCustomButton::theme_aware, &TEcCustomButton::set_theme_aware, true)
            .boolean("TabStop", &TEcCustomButton::tab_stop, &TEcCustomButton::set_tab_stop, true);
        return c;
    }();
    return info;
}

TEcCustomButton::TEcCustomButton(ui::Component* owner) : CustomControl(owner) {
    // The button decides itself when a release is a click.
    ui::TControlStyle s = control_style();
    s.exclude(TControlStyleFlag::csClickEvents);
    s.include(TControlStyleFlag::csReplicatable);
    s.include(TControlStyleFlag::csReflector);
    set_control_style(s);
    set_bounds(0, 0, 115, 17);
    set_tab_stop(true);
}

bool TEcCustomButton::themed_look() const { return theme_aware_ && themes_active(); }

void TEcCustomButton::invalidate_hot_rect() {
    if (!hot_track_ && !themed_look()) return;
    if (!handle_allocated()) return;
    const RECT r = ui::to_rect(hot_track_rect());
    InvalidateRect(handle(), &r, FALSE);
}

void TEcCustomButton::draw_caption(ui::Canvas& canvas, Rect r, UINT flags) {
    canvas.brush().style = ui::TBrushStyle::bsClear;
    canvas.font().assign(font());
    const std::string caption = text();
    Rect measured = r;
    const int h = canvas.draw_text(caption, measured, kMeasureFlags);
    switch (alignment_vertical_) {
    case TAlignmentVertical::avTop: r.bottom = r.top + h; break;
    case TAlignmentVertical::avCenter:
        r.top = (r.top + r.bottom - h) / 2;
        r.bottom = r.top + h;
        break;
    case TAlignmentVertical::avBottom: r.top = r.bottom - h - 1; break;
    }
    if (use_right_to_left_reading()) flags |= DT_RTLREADING;
    if (enabled()) {
        const auto layer = [&](int dx, int dy, TColor c) {
            Rect copy = offset(r, dx, dy);
            canvas.font().set_color(c);
            canvas.draw_text(caption, copy, flags);
        };
        if (text_style_ == TTextStyle::tsRaised || text_style_ == TTextStyle::tsRecessed) {
            const bool raised = text_style_ == TTextStyle::tsRaised;
            const TColor first = raised ? text_highlight_color_ : text_shadow_color_;
            const TColor second = raised ? text_shadow_color_ : text_highlight_color_;
            if (!raised || !light_text_style_) layer(1, 1, second);
            if (raised || !light_text_style_) layer(-1, -1, first);
        } else if (text_style_ == TTextStyle::tsShadow) {
            layer((flags & DT_RIGHT) ? 0 : text_shadow_depth_, text_shadow_depth_, text_shadow_color_);
        }
        canvas.font().set_color(font().color());
        if (flags & DT_RIGHT) r = offset(r, -text_shadow_depth_, 0);
    } else {
        canvas.font().set_color(ui::clGrayText);
    }
    canvas.draw_text(caption, r, flags);
    canvas.brush().style = ui::TBrushStyle::bsSolid;
}

void TEcCustomButton::mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_down(button, shift, x, y);
    if (button != ui::TMouseButton::mbLeft || !enabled()) return;
    if (can_focus() && !focused()) SetFocus(handle());
    if (!focused()) return;
    pressed_look_ = true;
    state_change_repaint();
    dragging_ = true;
    SetCapture(handle());
}

void TEcCustomButton::mouse_move(ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_move(shift, x, y);
    if (!dragging_) return;
    const bool now = inside(client_rect(), x, y);
    if (now == pressed_look_) return;
    pressed_look_ = now;
    state_change_repaint();
}

void TEcCustomButton::mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    const bool was_dragging = dragging_;
    dragging_ = false;
    pressed_look_ = false;
    if (was_dragging && GetCapture() == handle()) ReleaseCapture();
    if (was_dragging) {
        if (inside(client_rect(), x, y)) change_state_and_click();
        state_change_repaint();
    }
    CustomControl::mouse_up(button, shift, x, y);
}

void TEcCustomButton::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        CustomControl::wnd_proc(m);
        focus_change_repaint();
        return;
    case WM_ERASEBKGND:
        if (transparent_) {
            paint_parent_image(reinterpret_cast<HDC>(m.wparam));
            m.result = 1;
            return;
        }
        break;
    case ui::CM_ENABLEDCHANGED:
        CustomControl::wnd_proc(m);
        if (!enabled() && focused() && parent()) {
            if (ui::Form* f = parent_form()) f->select_next(this, true, true);
        }
        invalidate();
        return;
    case ui::CM_TEXTCHANGED:
        CustomControl::wnd_proc(m);
        invalidate();
        update();
        return;
    case ui::CM_MOUSEENTER:
        mouse_over_ = true;
        CustomControl::wnd_proc(m);
        invalidate_hot_rect();
        return;
    case ui::CM_MOUSELEAVE:
        mouse_over_ = false;
        CustomControl::wnd_proc(m);
        invalidate_hot_rect();
        return;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the press ends without a click.
        if (dragging_ && reinterpret_cast<HWND>(m.lparam) != handle()) {
            dragging_ = false;
            pressed_look_ = false;
            state_change_repaint();
        }
        break;
    default: break;
    }
    CustomControl::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// TEcButton

namespace {

template <class C>
void publish_push_button(ui::PropBuilder<C>& b) {
    b.enumeration("Alignment", &C::alignment, &C::set_alignment, ui::TAlignment::taCenter)
        .boolean("AllowAllUp", &C::allow_all_up, &C::set_allow_all_up)
        .boolean("DropDownOnEnter", &C::drop_down_on_enter, &C::set_drop_down_on_enter, true)
        .boolean("Down", &C::down, &C::set_down)
        .color("FrameColor", &C::frame_color, &C::set_frame_color, ui::cl3DDkShadow)
        .integer("GroupIndex", &C::group_index, &C::set_group_index)
        .boolean("ShowDownPattern", &C::show_down_pattern, &C::set_show_down_pattern, true)
        .boolean("ShowFocusRect", &C::show_focus_rect, &C::set_show_focus_rect, true)
        .obsolete("FrameFlat", ui::ObsoleteValue::Boolean,
                  [](C& x, const ui::DescValue& v) { x.set_hot_track(ui::same_text(v.text, "True")); });
}

} // namespace

ui::ClassInfo& TEcButton::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcButton", &TEcCustomButton::static_class());
        c.factory = ui::factory_of<TEcButton>();
        ui::PropBuilder<TEcButton> b(c);
        publish_push_button(b);
        const auto own = [](const TEcButton& x) { return x.stores_button_values(); };
        b.boolean("Cancel", &TEcButton::cancel, &TEcButton::set_cancel)
            .stored(own)
            .boolean("Default", &TEcButton::is_default, &TEcButton::set_default)
            .stored(own)
            .integer("ModalResult", &TEcButton::modal_result, &TEcButton::set_modal_result, 0, "TModalResult")
            .text_form(modal_result_from, modal_result_text)
            .stored(own);
        return c;
    }();
    return info;
}

TEcButton::TEcButton(ui::Component* owner) : TEcCustomButton(owner) {
    set_bounds(0, 0, 75, 25);
    set_color(ui::clBtnFace);
}

bool TEcButton::shown_pressed() const {
    return state_ == ButtonState::Down || state_ == ButtonState::Exclusive || pressed_look();
}

void TEcButton::set_hot_track(bool v) {
    TEcCustomButton::set_hot_track(v);
    set_transparent(v);
}

void TEcButton::set_active(bool v) {
    if (v == active_) return;
    active_ = v;
    invalidate();
}

void TEcButton::set_default(bool v) {
    if (v == default_) return;
    default_ = v;
    if (!handle_allocated()) return;
    ui::Form* f = parent_form();
    if (!f) return;
    // Every button of the form decides again which one takes Enter.
    const LPARAM focused_control = reinterpret_cast<LPARAM>(f->active_control());
    std::function<void(ui::WinControl&)> tell = [&](ui::WinControl& w) {
        for (ui::Control* c : w.controls()) {
            ui::Message m{ui::CM_FOCUSCHANGED, 0, focused_control, 0};
            c->window_proc(m);
            if (auto* cw = dynamic_cast<ui::WinControl*>(c)) tell(*cw);
        }
    };
    tell(*f);
}

void TEcButton::create_wnd() {
    TEcCustomButton::create_wnd();
    active_ = default_;
}

void TEcButton::broadcast_group() {
    if (group_index_ == 0 || !parent()) return;
    ui::Message m{CM_BUTTON_GROUP, static_cast<WPARAM>(group_index_), reinterpret_cast<LPARAM>(this), 0};
    parent()->broadcast(m);
}

void TEcButton::set_down(bool v) {
    if (group_index_ == 0) v = false;
    if (v == down_) return;
    if (down_ && !allow_all_up_ && group_index_ != 0) return;
    down_ = v;
    state_ = v ? ButtonState::Exclusive : ButtonState::Up;
    invalidate();
    if (v) broadcast_group();
}

void TEcButton::set_group_index(int v) {
    if (v == group_index_) return;
    group_index_ = v;
    broadcast_group();
}

void TEcButton::set_allow_all_up(bool v) {
    if (v == allow_all_up_) return;
    allow_all_up_ = v;
    broadcast_group();
}

void TEcButton::change_state_and_click() {
    if (group_index_ != 0) set_down(!down_);
    else invalidate();
    clicking_ = true;
    try {
        click();
    } catch (...) {
        clicking_ = false;
        throw;
    }
    clicking_ = false;
}

void TEcButton::click() {
    if (ui::Form* f = parent_form()) f->set_modal_result(modal_result_);
    TEcCustomButton::click();
}

bool TEcButton::do_key_down(WORD& key, ui::TShiftState shift) {
    if (key == VK_SPACE && !shift.has(ui::TShiftStateFlag::ssAlt)) {
        key_toggle_ = true;
        set_pressed_look(true);
        invalidate();
    }
    return TEcCustomButton::do_key_down(key, shift);
}

bool TEcButton::do_key_up(WORD& key, ui::TShiftState shift) {
    if (key == VK_SPACE) {
        set_pressed_look(false);
        if (key_toggle_) {
            key_toggle_ = false;
            change_state_and_click();
        }
        invalidate();
    }
    return TEcCustomButton::do_key_up(key, shift);
}

void TEcButton::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case ui::CM_DIALOGKEY: {
        const bool plain = !(GetKeyState(VK_SHIFT) < 0) && !(GetKeyState(VK_CONTROL) < 0) && !(GetKeyState(VK_MENU) < 0);
        if (plain && ((m.wparam == VK_RETURN && active_) || (m.wparam == VK_ESCAPE && cancel_)) && can_focus()) {
            click();
            m.result = 1;
            return;
        }
        break;
    }
    case ui::CM_DIALOGCHAR:
        if (ui::is_accel(static_cast<wchar_t>(m.wparam), text()) && can_focus()) {
            click();
            m.result = 1;
            return;
        }
        break;
    case ui::CM_FOCUSCHANGED: {
        // The focused button takes Enter; else the default one, unless another button has the focus.
        auto* focused_control = reinterpret_cast<ui::WinControl*>(m.lparam);
        const bool is_button = dynamic_cast<TEcButton*>(focused_control) || dynamic_cast<ui::Button*>(focused_control);
        set_active(is_button ? focused_control == this : default_);
        break;
    }
    case CM_BUTTON_GROUP: {
        auto* sender = reinterpret_cast<TEcButton*>(m.lparam);
        if (static_cast<int>(m.wparam) == group_index_ && sender && sender != this) {
            if (sender->down() && down_) {
                down_ = false;
                state_ = ButtonState::Up;
                invalidate();
            }
            allow_all_up_ = sender->allow_all_up();
        }
        m.result = 0;
        return;
    }
    case WM_KILLFOCUS:
        key_toggle_ = false;
        set_pressed_look(false);
        invalidate();
        break;
    default: break;
    }
    TEcCustomButton::wnd_proc(m);
}

UINT TEcButton::caption_flags() const {
    UINT align = DT_CENTER;
    const bool rtl = use_right_to_left_reading();
    if (alignment_ == ui::TAlignment::taLeftJustify) align = rtl ? DT_RIGHT : DT_LEFT;
    else if (alignment_ == ui::TAlignment::taRightJustify) align = rtl ? DT_LEFT : DT_RIGHT;
    return align | DT_WORDBREAK | DT_EXPANDTABS;
}

Rect TEcButton::caption_rect() const {
    Rect r = inflate(client_rect(), -5, -5);
    if (!hot_track() && !themed_look() && shown_pressed()) r = offset(r, 1, 1);
    return r;
}

void TEcButton::draw_button_caption(ui::Canvas& canvas) { draw_caption(canvas, caption_rect(), caption_flags()); }

void TEcButton::paint_parent_image(HDC dc) { erase_rounded_corners(dc); }

// The hot-track look has rounded corners: only they show the parent.
void TEcButton::erase_rounded_corners(HDC dc) {
    if (!dc) return;
    ui::SavedDC saved(dc);
    Rect r = inflate(client_rect(), enabled() ? -1 : -2, enabled() ? -1 : -2);
    const auto exclude = [dc](const Rect& x) { ExcludeClipRect(dc, x.left, x.top, x.right, x.bottom); };
    exclude(r);
    r = inflate(r, 1, -1);
    exclude(r);
    r = inflate(r, -2, 2);
    exclude(r);
    paint_parent_background(*this, dc, false);
}

Rect TEcButton::paint_hot_track_face(ui::Canvas& canvas, Rect r) {
    const TColor face = color();
    const auto line = [&canvas](int x1, int y1, int x2, int y2, TColor c) {
        canvas.pen().color = c;
        canvas.move_to(x1, y1);
        canvas.line_to(x2, y2);
    };
    if (!enabled()) {
        r = inflate(r, -1, -1);
        paint_corner_less_box(canvas, r,
                              face == ui::clBtnFace ? lighten_color(ui::clBtnShadow, 30) : darken_color(face, 80));
        r = inflate(r, -1, -1);
        canvas.brush().color = face;
        canvas.fill_rect(r);
        return r;
    }
    const TColor p = parent() ? parent()->color() : ui::clBtnFace;
    const TColor dark = darken_color(p, 20), light = lighten_color(p, 20);
    line(r.left, r.top + 2, r.left, r.bottom - 2, dark);
    line(r.left + 2, r.top, r.right - 2, r.top, dark);
    line(r.right - 1, r.top + 2, r.right - 1, r.bottom - 2, light);
    line(r.left + 2, r.bottom - 1, r.right - 2, r.bottom - 1, light);
    canvas.set_pixel(r.left + 1, r.top + 1, dark);
    canvas.set_pixel(r.right - 2, r.top + 1, dark);
    canvas.set_pixel(r.left + 1, r.bottom - 2, dark);
    canvas.set_pixel(r.right - 2, r.bottom - 2, light);
    r = inflate(r, -1, -1);
    paint_corner_less_box(canvas, r, frame_color_);
    r = inflate(r, -1, -1);
    if (shown_pressed()) {
        canvas.brush().color = darken_color(face, 10);
        canvas.fill_rect(r);
        return r;
    }
    line(r.left, r.bottom - 2, r.right, r.bottom - 2, darken_color(face, 20));
    line(r.left, r.bottom - 1, r.right, r.bottom - 1, darken_color(face, 30));
    const Rect above{r.left, r.top, r.right, r.bottom - 2};
    if (has_full_color_display()) {
        paint_gradient_fill(canvas, above, TGradientDirection::gdHorizontalEnd, lighten_color(face, 30),
                            darken_color(face, 10), 1);
    } else {
        canvas.brush().color = face;
        canvas.fill_rect(above);
    }
    if (mouse_over()) {
        const auto [start, stop] = hot_colors(hot_track_color(), hot_track_color_type());
        paint_hot_gradient_box(canvas, r, TGradientDirection::gdHorizontalEnd, start, stop);
    } else if (group_index_ == 0 && (active_ || focused())) {
        const TColor l = lighten_color(face, 30);
        const TColor h = colors_nearly_equal(highlight_color(), ui::clBtnFace) ? darken_color(highlight_color(), 30)
                                                                               : highlight_color();
        paint_hot_gradient_box(canvas, r, TGradientDirection::gdHorizontalEnd, mix_colors(h, l, 60),
                               mix_colors(h, l, 160));
    }
    return r;
}

Rect TEcButton::paint_classic_face(ui::Canvas& canvas, Rect r) {
    if (group_index_ == 0 && (((active_ || focused()) && !pressed_look()) || clicking_)) {
        r = paint_side_lines(canvas, r, ui::clWindowFrame, ui::clWindowFrame, kAllSides);
    }
    const TColor face = color();
    const bool pressed = shown_pressed();
    if (face == ui::clBtnFace) {
        if (group_index_ != 0)
            r = paint_frame_style(canvas, r, pressed ? TFrameStyleEx::fsLowered : TFrameStyleEx::fsButtonUp);
        else
            r = paint_push_button_edge(canvas, r, pressed_look());
    } else if (group_index_ == 0) {
        r = paint_tinted_button_edge(canvas, r, face, pressed_look());
    } else if (pressed) {
        r = paint_tinted_frame_style(canvas, r, face, TFrameStyle::fsLowered);
    } else {
        r = paint_tinted_button_edge(canvas, r, face, false);
    }
    canvas.brush().color = face;
    canvas.fill_rect(r);
    return r;
}

void TEcButton::paint(ui::Canvas& canvas) {
    const Rect client = client_rect();
    const bool pressed = shown_pressed();
    Rect focus_bounds = inflate(client, hot_track() || themed_look() ? -3 : -4, hot_track() || themed_look() ? -3 : -4);
    if (group_index_ != 0 && pressed) focus_bounds = offset(focus_bounds, 1, 1);

    Rect face = inflate(client, -2, -2);
    if (themed_look()) {
        // Push-button part states: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 defaulted.
        const bool defaulted = group_index_ == 0 && (active_ || focused()) && !pressed_look();
        const int state = !enabled() ? 4 : pressed ? 3 : mouse_over() ? 2 : defaulted ? 5 : 1;
        ui::theme_services().draw_parent_background(handle(), canvas.handle(), &client);
        ui::theme_services().draw_element(canvas.handle(), L"BUTTON", 1, state, client);
    } else if (hot_track()) {
        face = paint_hot_track_face(canvas, client);
    } else {
        face = paint_classic_face(canvas, client);
    }

    // The latched look: a checker of silver over the face inside the frame.
    if (group_index_ != 0 && state_ == ButtonState::Exclusive && show_down_pattern_) {
        const TColor c = color();
        const ui::GdiObject<HBRUSH> pattern =
            ui::create_checker_brush(ui::color_to_rgb(c) == ui::clSilver ? ui::clGray : ui::clSilver, c);
        const RECT r = ui::to_rect(face);
        FillRect(canvas.handle(), &r, pattern.get());
    }

    canvas.font().assign(font());
    canvas.brush().color = color();
    draw_button_caption(canvas);
    if (focused() && show_focus_rect_) paint_dotted_focus_frame(canvas, focus_bounds);
}

// ---------------------------------------------------------------------------------------------
// TEcBitBtn

ui::ClassInfo& TEcBitBtn::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcBitBtn", &TEcButton::static_class());
        c.factory = ui::factory_of<TEcBitBtn>();
        ui::PropBuilder<TEcBitBtn> b(c);
        const auto custom = [](const TEcBitBtn& x) { return x.kind() == TBitBtnKind::bkCustom; };
        b.string("Caption", [](const TEcBitBtn& x) { return x.text(); },
                 [](TEcBitBtn& x, const std::string& v) { x.set_text(v); }, "TCaption")
            .stored([](const TEcBitBtn& x) {
                const char* standard = bit_btn_kind_row(x.kind()).caption;
                return !standard || x.text() != standard;
            })
            .object("Glyph", ui::PropKind::Object, "TBitmap", [](TEcBitBtn& x) -> ui::Persistent* { return &x.glyph_; })
            .stored(custom)
            .integer("NumGlyphs", &TEcBitBtn::num_glyphs, &TEcBitBtn::set_num_glyphs, 1, "TNumGlyphs")
            .stored(custom)
            .integer("DisabledIndex", &TEcBitBtn::disabled_index, &TEcBitBtn::set_disabled_index, -1, "TImageIndex")
            .integer("ImageIndex", &TEcBitBtn::image_index, &TEcBitBtn::set_image_index, -1, "TImageIndex")
            .reference<ui::ImageList>("Images", "TCustomImageList", &TEcBitBtn::images, &TEcBitBtn::set_images)
            .enumeration("Kind", &TEcBitBtn::kind, &TEcBitBtn::set_kind, TBitBtnKind::bkCustom)
            .enumeration("Layout", &TEcBitBtn::layout, &TEcBitBtn::set_layout, TButtonLayout::blGlyphLeft)
            .integer("Margin", &TEcBitBtn::margin, &TEcBitBtn::set_margin, 2)
            .integer("Spacing", &TEcBitBtn::spacing, &TEcBitBtn::set_spacing, 4);
        return c;
    }();
    return info;
}

TEcBitBtn::TEcBitBtn(ui::Component* owner) : TEcButton(owner) {
    glyph_.on_change = [this](ui::Bitmap& g) {
        if (!assigning_kind_) glyph_modified_ = true;
        num_glyphs_ = detect_num_glyphs(g.width(), g.height(), num_glyphs_);
        invalidate();
    };
}

TEcBitBtn::~TEcBitBtn() { set_images(nullptr); }

void TEcBitBtn::set_glyph(const ui::Bitmap& source) {
    glyph_.assign(source);
}

void TEcBitBtn::set_num_glyphs(int n) { store(num_glyphs_, clamp_num_glyphs(n)); }

void TEcBitBtn::set_margin(int v) {
    if (v < -1) return;
    store(margin_, v);
}

TBitBtnKind TEcBitBtn::kind() const {
    if (kind_ != TBitBtnKind::bkCustom &&
        (glyph_modified_ || !matches_kind_row(kind_, modal_result(), is_default(), cancel())))
        kind_ = TBitBtnKind::bkCustom;
    return kind_;
}

void TEcBitBtn::set_kind(TBitBtnKind k) {
    if (k == kind_) return;
    if (k != TBitBtnKind::bkCustom) {
        const BitBtnKindRow& row = bit_btn_kind_row(k);
        set_default(row.is_default);
        set_cancel(row.cancel);
        if (row.caption && (!loading() || text().empty())) set_text(row.caption);
        set_modal_result(row.modal_result);
        assigning_kind_ = true;
        glyph_.assign(bit_btn_kind_glyph(k));
        assigning_kind_ = false;
        num_glyphs_ = 2;
        glyph_modified_ = false;
    }
    kind_ = k;
    invalidate();
}

void TEcBitBtn::set_images(ui::ImageList* list) {
    if (list == images_) return;
    if (images_) remove_free_notification(images_);
    images_ = list;
    if (images_) free_notification(images_);
    invalidate();
}

void TEcBitBtn::notification(ui::Component* c, ui::TOperation op) {
    TEcButton::notification(c, op);
    if (op == ui::TOperation::opRemove && c == images_) {
        images_ = nullptr;
        invalidate();
    }
}

void TEcBitBtn::action_change(ui::Action& action) {
    TEcButton::action_change(action);
    if (image_index_ == -1) set_image_index(action.image_index());
}

void TEcBitBtn::change_scale(int multiplier, int divider) {
    if (divider == 0) return;
    margin_ = margin_ * multiplier / divider;
    spacing_ = spacing_ * multiplier / divider;
    invalidate();
}

bool TEcBitBtn::has_glyph() const { return (images_ && image_index_ != -1) || !glyph_.empty(); }

SIZE TEcBitBtn::glyph_size() const {
    if (images_ && image_index_ != -1) return {images_->width(), images_->height()};
    return {glyph_.width() / std::max(1, num_glyphs_), glyph_.height()};
}

int TEcBitBtn::measured_caption_height() const {
    if (!handle_allocated()) return 0;
    ui::ClientDC dc(const_cast<TEcBitBtn*>(this)->handle());
    ui::Canvas canvas(dc.get());
    canvas.font().assign(font());
    Rect r = TEcButton::caption_rect();
    return canvas.draw_text(text(), r, kMeasureFlags);
}

GlyphPlacement TEcBitBtn::placement() const {
    const SIZE size = glyph_size();
    return {layout_, margin_, spacing_, static_cast<int>(size.cx), static_cast<int>(size.cy), height(),
            margin_ < 0 ? measured_caption_height() : 0};
}

Rect TEcBitBtn::caption_rect() const {
    const Rect r = TEcButton::caption_rect();
    return has_glyph() ? bit_btn_caption_rect(r, placement()) : r;
}

Rect TEcBitBtn::glyph_rect() {
    return bit_btn_glyph_rect(TEcButton::caption_rect(), placement(), pressed_look(), themed_look());
}

void TEcBitBtn::draw_glyph(ui::Canvas& canvas, const Rect& r) {
    if (kind() == TBitBtnKind::bkCustom && images_ && image_index_ != -1) {
        const bool use_disabled = disabled_index_ != -1;
        const int index = use_disabled && !enabled() ? disabled_index_ : image_index_;
        if (index < 0 || index >= images_->count()) return;
        images_->draw(canvas, r.left, r.top, index, use_disabled || enabled());
        return;
    }
    const int cell = bit_btn_glyph_cell(num_glyphs_, state() == ButtonState::Exclusive, pressed_look(), enabled());
    draw_glyph_cell(canvas, glyph_, num_glyphs_, cell, r);
}

void TEcBitBtn::draw_button_caption(ui::Canvas& canvas) {
    TEcButton::draw_button_caption(canvas);
    if (has_glyph()) draw_glyph(canvas, glyph_rect());
}

// ---------------------------------------------------------------------------------------------
// TEcControlButton

ui::ClassInfo& TEcControlButton::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcControlButton", &ui::GraphicControl::static_class());
        c.factory = ui::factory_of<TEcControlButton>();
        ui::PropBuilder<TEcControlButton> b(c);
        b.boolean("Flat", &TEcControlButton::flat, &TEcControlButton::set_flat)
            .object("Glyph", ui::PropKind::Object, "TBitmap",
                    [](TEcControlButton& x) -> ui::Persistent* { return &x.glyph_; })
            .integer("NumGlyphs", &TEcControlButton::num_glyphs, &TEcControlButton::set_num_glyphs, 1, "TNumGlyphs")
            .integer("Delay", &TEcControlButton::delay, &TEcControlButton::set_delay, 100, "Word")
            .integer("InitialDelay", &TEcControlButton::initial_delay, &TEcControlButton::set_initial_delay, 400, "Word")
            .boolean("RepeatClicks", &TEcControlButton::repeat_clicks, &TEcControlButton::set_repeat_clicks)
            .enumeration("Style", &TEcControlButton::style, &TEcControlButton::set_style,
                         TEcControlButtonStyle::cbsNone);
        return c;
    }();
    return info;
}

TEcControlButton::TEcControlButton(ui::Component* owner) : GraphicControl(owner) {
    set_control_style(ui::TControlStyle{TControlStyleFlag::csCaptureMouse});
    set_bounds(0, 0, 17, 21);
    set_color(ui::clBtnFace);
    glyph_.on_change = [this](ui::Bitmap& g) {
        num_glyphs_ = detect_num_glyphs(g.width(), g.height(), num_glyphs_);
        invalidate();
    };
}

TEcControlButton::~TEcControlButton() = default;

void TEcControlButton::set_flat(bool v) {
    if (v == flat_) return;
    flat_ = v;
    repaint();
}

void TEcControlButton::set_glyph(const ui::Bitmap& source) {
    glyph_.assign(source);
}

void TEcControlButton::set_num_glyphs(int n) {
    n = clamp_num_glyphs(n);
    if (n == num_glyphs_) return;
    num_glyphs_ = n;
    invalidate();
}

void TEcControlButton::set_style(TEcControlButtonStyle v) {
    if (v == style_) return;
    style_ = v;
    invalidate();
}

bool TEcControlButton::holds_capture() const {
    return dragging_ && parent() && parent()->handle_allocated() && GetCapture() == parent()->handle();
}

void TEcControlButton::repeat_tick() {
    timer_->set_interval(static_cast<unsigned>(delay_));
    if (!down_ || !holds_capture()) return;
    try {
        click();
    } catch (...) {
        timer_->set_enabled(false);
        throw;
    }
}

void TEcControlButton::mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    GraphicControl::mouse_down(button, shift, x, y);
    if (button == ui::TMouseButton::mbLeft && enabled()) {
        if (!down_) {
            down_ = true;
            invalidate();
        }
        dragging_ = true;
    }
    if (repeat_clicks_) {
        if (!timer_) {
            timer_ = std::make_unique<ui::Timer>(nullptr);
            timer_->set_enabled(false);
            timer_->on_timer = [this](ui::Component*) { repeat_tick(); };
        }
        timer_->set_interval(static_cast<unsigned>(initial_delay_));
        timer_->set_enabled(true);
    }
}

void TEcControlButton::mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    GraphicControl::mouse_up(button, shift, x, y);
    if (timer_) timer_->set_enabled(false);
    if (!dragging_) return;
    dragging_ = false;
    down_ = false;
    mouse_over_ = false;
    repaint();
    if (inside(client_rect(), x, y)) click();
    if ((flat_ || themes_active()) && enabled() && parent() && parent()->handle_allocated()) {
        POINT p{};
        GetCursorPos(&p);
        const POINT local = parent()->screen_to_client(p);
        perform(parent()->control_at_pos(local, false, true) == this ? ui::CM_MOUSEENTER : ui::CM_MOUSELEAVE);
    }
}

void TEcControlButton::wnd_proc(ui::Message& m) {
    if (m.msg == ui::CM_MOUSEENTER || m.msg == ui::CM_MOUSELEAVE) {
        const bool over = m.msg == ui::CM_MOUSEENTER;
        const bool changed = over != mouse_over_;
        mouse_over_ = over;
        GraphicControl::wnd_proc(m);
        if (changed && (flat_ || themes_active())) repaint();
        return;
    }
    GraphicControl::wnd_proc(m);
}

Rect TEcControlButton::paint_frame_and_face(ui::Canvas& canvas, Rect r, bool hot) {
    const TColor face = flat_ ? color() : ui::clBtnFace;
    if (flat_) {
        if (down_ || hot) r = paint_frame_style(canvas, r, down_ ? TFrameStyleEx::fsStatus : TFrameStyleEx::fsPopup);
    } else if (down_) {
        r = paint_box_outline(canvas, r, ui::clBtnShadow);
    } else {
        r = paint_frame_style(canvas, r, style_ == TEcControlButtonStyle::cbsNone ? TFrameStyleEx::fsRaised
                                                                                 : TFrameStyleEx::fsButtonUp);
    }
    canvas.brush().color = style_ == TEcControlButtonStyle::cbsNone && !flat_ ? ui::clBtnFace : face;
    canvas.fill_rect(r);
    return r;
}

void TEcControlButton::paint(ui::Canvas& canvas) {
    const Rect client = client_rect();
    const bool hot = mouse_over_ && enabled();
    switch (style_) {
    case TEcControlButtonStyle::cbsNone: {
        paint_frame_and_face(canvas, client, hot);
        if (glyph_.empty()) break;
        const int cells = std::max(1, num_glyphs_);
        const int w = glyph_.width() / cells, h = glyph_.height();
        Rect g = centered_rect(inflate(client, -1, -1), w, h);
        if (down_) g = offset(g, 1, themes_active() ? 0 : 1);
        draw_glyph_cell(canvas, glyph_, cells, control_button_glyph_cell(num_glyphs_, down_, enabled()), g);
        break;
    }
    case TEcControlButtonStyle::cbsDropDown: {
        const Rect inner = paint_frame_and_face(canvas, client, hot);
        paint_drop_arrow(canvas, inner, false, down_, enabled());
        break;
    }
    default: {
        const Rect inner = paint_frame_and_face(canvas, client, hot);
        // The painter's directions: 0 up, 1 down, 2 left, 3 right.
        const int direction = style_ == TEcControlButtonStyle::cbsUp     ? 0
                              : style_ == TEcControlButtonStyle::cbsDown ? 1
                              : style_ == TEcControlButtonStyle::cbsLeft ? 2
                                                                         : 3;
        paint_direction_arrow(canvas, inner, false, direction, down_, enabled());
        break;
    }
    }
}

void register_button_classes() {
    ui::register_class(TEcButton::static_class());
    ui::register_class(TEcBitBtn::static_class());
    ui::register_class(TEcControlButton::static_class());
}

} // namespace ec
