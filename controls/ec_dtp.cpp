#include "controls/ec_dtp.h"

#include <algorithm>

#include "controls/ec_locale.h"
#include "platform/text_gbk.h"
#include "platform/ui/text_util.h"

namespace ec {

// ---------------------------------------------------------------------------------------------
// TEcMonthCalColors

ui::ClassInfo& TEcMonthCalColors::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcMonthCalColors", &ui::Persistent::static_class());
        ui::PropBuilder<TEcMonthCalColors> b(c);
        const char* names[kCount] = {"BackColor",      "TextColor",      "TitleBackColor",
                                     "TitleTextColor", "MonthBackColor", "TrailingTextColor"};
        const ui::TColor defaults[kCount] = {ui::clWindow, ui::clWindowText, ui::clActiveCaption,
                                             ui::clCaptionText, ui::clWindow, ui::rgb(128, 128, 128)};
        for (int i = 0; i < kCount; ++i)
            b.color(names[i], [i](const TEcMonthCalColors& x) { return x.color(i); },
                    [i](TEcMonthCalColors& x, ui::TColor v) { x.set_color(i, v); }, defaults[i]);
        return c;
    }();
    return info;
}

void TEcMonthCalColors::set_color(int index, ui::TColor c) {
    colors_[index] = c;
    send(index);
}

void TEcMonthCalColors::assign(const TEcMonthCalColors& other) {
    std::copy(std::begin(other.colors_), std::end(other.colors_), std::begin(colors_));
    send_all();
}

void TEcMonthCalColors::send_all() const {
    for (int i = 0; i < kCount; ++i) send(i);
}

void TEcMonthCalColors::send(int index) const {
    if (!owner_.handle_allocated()) return;
    SendMessageW(owner_.handle(), DTM_SETMCCOLOR, static_cast<WPARAM>(index),
                 static_cast<LPARAM>(ui::color_to_rgb(colors_[index])));
}

// ---------------------------------------------------------------------------------------------
// TEcDateTimePicker

namespace {

// The picker stores its frame settings only while no controller is attached, whatever the
// controller manages.
bool no_controller(const TEcDateTimePicker& x) { return x.frame_look().controller.controller() == nullptr; }

constexpr int kMaxDropRange = 4;

} // namespace

ui::ClassInfo& TEcDateTimePicker::static_class() {
    static ui::ClassInfo info = [] {
        using C = TEcDateTimePicker;
        ui::ClassInfo c("TEcDateTimePicker", &ui::DateTimePicker::static_class());
        c.factory = ui::factory_of<C>();
        ui::PropBuilder<C> b(c);
        auto colour = [&b](const char* name, ui::TColor FrameLook::*field, ui::TColor def, bool recolour) {
            b.color(name, [field](const C& x) { return x.frame_look().*field; },
                    [field, recolour](C& x, ui::TColor v) {
                        x.frame_look().*field = v;
                        x.frame_look_changed(recolour);
                    },
                    def)
                .stored(no_controller);
        };
        auto style = [&b](const char* name, TFrameStyle FrameLook::*field, TFrameStyle def) {
            b.enumeration(name, [field](const C& x) { return x.frame_look().*field; },
                          [field](C& x, TFrameStyle v) {
                              x.frame_look().*field = v;
                              x.frame_look_changed(false);
                          },
                          def)
                .stored(no_controller);
        };
        b.object("CalColors", ui::PropKind::Object, "TEcMonthCalColors",
                 [](C& x) -> ui::Persistent* { return &x.cal_colors(); });
        // The colour shown follows the state; the description keeps the normal one.
        b.color("Color", [](const C& x) { return x.frame_look().normal_color; },
                [](C& x, ui::TColor v) { x.set_color(v); }, ui::clWindow)
            .stored([](const C& x) { return no_controller(x) && x.enabled(); });
        colour("DisabledColor", &FrameLook::disabled_color, ui::clBtnFace, true);
        b.integer("DropColumns", &C::drop_columns, &C::set_drop_columns, 1, "TEcDTPDropRange")
            .integer("DropRows", &C::drop_rows, &C::set_drop_rows, 1, "TEcDTPDropRange")
            .enumeration("FirstDayOfWeek", &C::first_day_of_week, &C::set_first_day_of_week,
                         TCalDayOfWeek::dowLocaleDefault)
            .color("FlatButtonColor", &C::flat_button_color, &C::set_flat_button_color, ui::clBtnFace)
            .stored(no_controller)
            .boolean("FlatButtons", &C::flat_buttons, &C::set_flat_buttons)
            .stored(no_controller);
        colour("FocusColor", &FrameLook::focus_color, ui::clWindow, true);
        b.stored([](const C& x) {
            return no_controller(x) && ui::color_to_rgb(x.frame_look().focus_color) !=
                                           ui::color_to_rgb(x.frame_look().normal_color);
        });
        colour("FrameColor", &FrameLook::frame_color, ui::clBtnShadow, false);
        b.reference<FrameController>(
            "FrameController", "TEcFrameController", [](const C& x) { return x.frame_look().controller.controller(); },
            [](C& x, FrameController* v) { x.frame_look().controller.set_controller(x, v); });
        colour("FrameHotColor", &FrameLook::frame_hot_color, ui::clBtnShadow, false);
        style("FrameHotStyle", &FrameLook::frame_hot_style, TFrameStyle::fsFlatBold);
        b.boolean("FrameHotTrack", [](const C& x) { return x.frame_look().frame_hot_track; },
                  [](C& x, bool v) {
                      FrameLook& f = x.frame_look();
                      f.frame_hot_track = v;
                      if (v) {
                          if (!f.frame_visible) {
                              f.frame_visible = true;
                              x.set_ctl3d(true);
                          }
                          if (!x.loading()) f.frame_sides = kAllSides;
                      }
                      x.frame_look_changed(false);
                      x.invalidate();
                  })
            .stored(no_controller);
        b.set<TSide>("FrameSides", "TSides", [](const C& x) { return x.frame_look().frame_sides; },
                     [](C& x, TSides v) {
                         x.frame_look().frame_sides = v;
                         x.frame_look_changed(false);
                     },
                     kAllSides)
            .stored(no_controller);
        style("FrameStyle", &FrameLook::frame_style, TFrameStyle::fsFlat);
        b.boolean("FrameVisible", [](const C& x) { return x.frame_look().frame_visible; },
                  [](C& x, bool v) {
                      if (x.frame_look().frame_visible == v) return;
                      x.frame_look().frame_visible = v;
                      if (v) x.set_ctl3d(true);
                      if (x.handle_allocated()) x.recreate_wnd();
                  })
            .stored(no_controller);
        b.enumeration("FramingPreference", [](const C& x) { return x.frame_look().framing_preference; },
                      [](C& x, TFramingPreference v) {
                          x.frame_look().framing_preference = v;
                          if (v == TFramingPreference::fpCustomFraming) x.frame_look_changed(false);
                      },
                      TFramingPreference::fpXPThemes);
        b.boolean("ShowToday", &C::show_today, &C::set_show_today)
            .boolean("ShowTodayCircle", &C::show_today_circle, &C::set_show_today_circle)
            .boolean("ShowWeekNumbers", &C::show_week_numbers, &C::set_show_week_numbers);
        // Names of older descriptions.
        b.obsolete("FrameFlat", ui::ObsoleteValue::Boolean, [](C& x, const ui::DescValue& v) {
            FrameLook& f = x.frame_look();
            f.frame_hot_track = ui::same_text(v.text, "True");
            if (!f.frame_hot_track) return;
            f.frame_visible = true;
            f.frame_style = TFrameStyle::fsStatus;
            f.frame_hot_style = TFrameStyle::fsLowered;
        });
        b.obsolete("FrameFocusStyle", ui::ObsoleteValue::Identifier, [](C& x, const ui::DescValue& v) {
            if (auto s = enum_info(TFrameStyle{}).value_of(v.text))
                x.frame_look().frame_hot_style = static_cast<TFrameStyle>(*s);
        });
        b.obsolete("FrameFlatStyle", ui::ObsoleteValue::Identifier);
        return c;
    }();
    return info;
}

TEcDateTimePicker::TEcDateTimePicker(ui::Component* owner) : DateTimePicker(owner) {}

TEcDateTimePicker::~TEcDateTimePicker() { frame_.controller.release(*this); }

void TEcDateTimePicker::notification(ui::Component* c, ui::TOperation op) {
    DateTimePicker::notification(c, op);
    if (op == ui::TOperation::opRemove) frame_.controller.forget(c);
}

void TEcDateTimePicker::set_drop_columns(int v) { drop_columns_ = std::clamp(v, 1, kMaxDropRange); }

void TEcDateTimePicker::set_drop_rows(int v) { drop_rows_ = std::clamp(v, 1, kMaxDropRange); }

void TEcDateTimePicker::set_flat_button_color(ui::TColor v) {
    flat_button_color_ = v;
    repaint_frame();
}

void TEcDateTimePicker::set_flat_buttons(bool v) {
    flat_buttons_ = v;
    repaint_frame();
    invalidate();
}

void TEcDateTimePicker::frame_look_changed(bool recolour) {
    if (recolour) update_colors();
    repaint_frame();
}

void TEcDateTimePicker::repaint_frame() {
    if (!handle_allocated() || loading()) return;
    RECT r{};
    GetClientRect(handle(), &r);
    refresh_window_frame(handle(), {r.left, r.top, r.right, r.bottom});
}

void TEcDateTimePicker::update_colors() {
    if (loading() || updating_colour_) return;
    updating_colour_ = true;
    set_color(frame_.state_color(enabled(), focused_));
    updating_colour_ = false;
}

void TEcDateTimePicker::update_hot_state(bool mouse, bool value) {
    if (dropped_down_) return;
    (mouse ? over_ : focused_) = value;
    if ((flat_buttons_ || frame_.frame_hot_track) && handle_allocated()) {
        RECT r{};
        GetClientRect(handle(), &r);
        if (!frame_.frame_hot_track) r.left = r.right - GetSystemMetrics(SM_CXVSCROLL) - 2;
        InvalidateRect(handle(), &r, FALSE);
        repaint_frame();
    }
    update_colors();
}

void TEcDateTimePicker::loaded() {
    DateTimePicker::loaded();
    update_colors();
    focused_ = over_ = false;
}

void TEcDateTimePicker::initialize_window() {
    DateTimePicker::initialize_window();
    cal_colors_.send_all();
}

void TEcDateTimePicker::cn_notify(NMHDR& header, ui::Message& m) {
    if (header.code == DTN_DROPDOWN) {
        set_up_calendar();
        dropped_down_ = true;
    } else if (header.code == DTN_CLOSEUP) {
        dropped_down_ = false;
        invalidate();
    }
    DateTimePicker::cn_notify(header, m);
}

void TEcDateTimePicker::set_up_calendar() {
    HWND calendar = calendar_handle();
    if (!calendar) return;
    const int first = first_day_of_week_ == TCalDayOfWeek::dowLocaleDefault ? locale_first_day_of_week()
                                                                             : static_cast<int>(first_day_of_week_);
    SendMessageW(calendar, MCM_SETFIRSTDAYOFWEEK, 0, first);
    LONG_PTR style = GetWindowLongPtrW(calendar, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(MCS_NOTODAY | MCS_NOTODAYCIRCLE | MCS_WEEKNUMBERS);
    if (!show_today_) style |= MCS_NOTODAY;
    if (!show_today_circle_) style |= MCS_NOTODAYCIRCLE;
    if (show_week_numbers_) style |= MCS_WEEKNUMBERS;
    SetWindowLongPtrW(calendar, GWL_STYLE, style);
    RECT r{};
    GetWindowRect(calendar, &r);
    int width = r.right - r.left + 4;
    if (show_week_numbers_) {
        ui::ClientDC dc(handle());
        ui::Canvas canvas(dc.get());
        canvas.font().assign(font());
        width += canvas.text_width(" 33   ");
    }
    SetWindowPos(calendar, nullptr, 0, 0, drop_columns_ * width, drop_rows_ * (r.bottom - r.top),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TEcDateTimePicker::paint_flat_button(HDC dc, bool paint_copy) {
    if (!frame_.custom_frame_shown() || date_mode() != ui::TDTDateMode::dmComboBox || !flat_buttons_) return;
    const int scroll = GetSystemMetrics(SM_CXVSCROLL);
    const int a = paint_copy ? -4 : -2;
    const Rect button{width() - scroll - 4, 0, width() + a, height() + a};
    ui::Canvas canvas(dc);
    const ui::TColor arrow = enabled() ? ui::clBlack : ui::clBtnShadow;
    int x = button.left + scroll / 2, y = button.top + height() / 2;
    if (hot()) {
        if (themes_active()) {
            paint_drop_arrow(canvas, button, true, dropped_down_, enabled());
            return;
        }
        const Rect inside =
            flat_button_color_ == ui::clBtnFace
                ? paint_bevel_rings(canvas, button, dropped_down_ ? ui::clBtnShadow : ui::clBtnHighlight,
                                    dropped_down_ ? ui::clBtnHighlight : ui::clBtnShadow, 1, kAllSides)
                : paint_tinted_frame_style(canvas, button, flat_button_color_,
                                           dropped_down_ ? TFrameStyle::fsStatus : TFrameStyle::fsPopup);
        canvas.brush().color = flat_button_color_;
        canvas.fill_rect(inside);
        canvas.pen().color = flat_button_color_;
        if (dropped_down_) {
            ++x;
            ++y;
        }
    } else {
        canvas.brush().color = color();
        canvas.fill_rect(button);
        canvas.pen().color = color();
        --x;
    }
    canvas.brush().color = arrow;
    canvas.polygon({{x, y}, {x - 5, y - 5}, {x + 5, y - 5}});
}

void TEcDateTimePicker::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case WM_NCPAINT:
        DateTimePicker::wnd_proc(m);
        if (frame_.custom_frame_shown()) {
            frame_.paint_frame(handle(), color(), hot());
            m.result = 0;
        }
        return;
    case WM_PAINT: {
        HDC given = reinterpret_cast<HDC>(m.wparam);
        DateTimePicker::wnd_proc(m);
        if (given) {
            paint_flat_button(given, true);
        } else {
            ui::ClientDC dc(handle());
            paint_flat_button(dc.get(), false);
        }
        return;
    }
    case WM_ERASEBKGND: {
        // The platform's picker fills with the window colour whatever the state.
        RECT r{};
        GetClientRect(handle(), &r);
        ui::Canvas canvas(reinterpret_cast<HDC>(m.wparam));
        canvas.brush().color = color();
        canvas.fill_rect({r.left, r.top, r.right, r.bottom});
        m.result = 1;
        return;
    }
    case WM_SIZE:
        DateTimePicker::wnd_proc(m);
        repaint_frame();
        return;
    case ui::CM_COLORCHANGED:
        if (!updating_colour_) {
            if (frame_.focus_color == frame_.normal_color) frame_.focus_color = color();
            frame_.normal_color = color();
            if (!uses_themed_frame()) repaint_frame();
        }
        break;
    case ui::CM_PARENTCOLORCHANGED:
        DateTimePicker::wnd_proc(m);
        if (parent_color()) {
            if (frame_.focus_color == frame_.normal_color) frame_.focus_color = color();
            frame_.normal_color = color();
            repaint_frame();
        }
        return;
    case ui::CM_ENABLEDCHANGED:
        DateTimePicker::wnd_proc(m);
        update_colors();
        return;
    case ui::CM_ENTER:
    case ui::CM_EXIT:
        update_hot_state(false, m.msg == ui::CM_ENTER);
        break;
    case ui::CM_MOUSEENTER:
    case ui::CM_MOUSELEAVE:
        DateTimePicker::wnd_proc(m);
        update_hot_state(true, m.msg == ui::CM_MOUSEENTER);
        return;
    default: break;
    }
    DateTimePicker::wnd_proc(m);
}

} // namespace ec
