#include "controls/ec_popups.h"

#include <vector>

#include "controls/model/tool_button_layout.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/themes.h"

namespace ec {

namespace {

using ui::Rect;

bool is_button_down_message(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK: return true;
    default: return false;
    }
}

HorzAlign horz(ui::TAlignment a) {
    return a == ui::TAlignment::taLeftJustify ? HorzAlign::Left
           : a == ui::TAlignment::taRightJustify ? HorzAlign::Right
                                                  : HorzAlign::Center;
}

// The control's rectangle on the screen.
Rect screen_rect_of(ui::Control& c) {
    if (auto* w = dynamic_cast<ui::WinControl*>(&c); w && w->handle_allocated()) {
        RECT r{};
        GetWindowRect(w->handle(), &r);
        return {r.left, r.top, r.right, r.bottom};
    }
    if (!c.parent()) return c.bounds_rect();
    const POINT p = c.parent()->client_to_screen(POINT{c.left(), c.top()});
    return {p.x, p.y, p.x + c.width(), p.y + c.height()};
}

Rect work_area_near(POINT p) {
    if (HMONITOR m = MonitorFromPoint(p, MONITOR_DEFAULTTONULL)) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(m, &info)) return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    }
    return ui::screen().work_area_rect();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TEcCustomPopup

ui::ClassInfo& TEcCustomPopup::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcCustomPopup", &TEcCustomPanel::static_class());
        ui::PropBuilder<TEcCustomPopup> b(c);
        b.enumeration("BorderOuter", &TEcCustomPopup::border_outer, &TEcCustomPopup::set_border_outer,
                      TFrameStyleEx::fsRaised)
            .integer("FlatColorAdjustment", &TEcCustomPopup::flat_color_adjustment,
                     &TEcCustomPopup::set_flat_color_adjustment, 0);
        return c;
    }();
    return info;
}

TEcCustomPopup::TEcCustomPopup(ui::Component* owner) : TEcCustomPanel(owner) {
    set_visible(false);
    set_border_width(2);
    set_border_outer(TFrameStyleEx::fsPopup);
    set_flat_color_adjustment(0);
}

void TEcCustomPopup::adjust_client_rect(ui::Rect& r) const {
    TEcCustomPanel::adjust_client_rect(r);
    r = adjust_rect_for_borders(r, false);
}

void TEcCustomPopup::paint(ui::Canvas& canvas) {
    if (themes_active()) {
        Rect r = client_rect();
        ui::theme_services().draw_element(canvas.handle(), L"EDIT", 1, 4, r);  // edit text, disabled
        return;
    }
    TEcCustomPanel::paint(canvas);
}

// ---------------------------------------------------------------------------------------------
// TEcPopupPanel

ui::ClassInfo& TEcPopupPanel::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcPopupPanel", &TEcCustomPopup::static_class());
        c.factory = ui::factory_of<TEcPopupPanel>();
        ui::PropBuilder<TEcPopupPanel> b(c);
        b.enumeration("Alignment", &TEcPopupPanel::alignment, &TEcPopupPanel::set_alignment,
                      ui::TAlignment::taRightJustify)
            .boolean("AutoSize", &TEcPopupPanel::auto_size, &TEcPopupPanel::set_auto_size, true)
            .event("OnClose", "TNotifyEvent", &TEcPopupPanel::on_close)
            .event("OnPopup", "TNotifyEvent", &TEcPopupPanel::on_popup);
        return c;
    }();
    return info;
}

TEcPopupPanel::TEcPopupPanel(ui::Component* owner) : TEcCustomPopup(owner) {
    set_bounds(0, 0, 100, 100);
    ui::TControlStyle s = control_style();
    s.include(ui::TControlStyleFlag::csAcceptsControls);
    set_control_style(s);
    set_color(ui::clBtnFace);
    set_parent_color(false);
    set_auto_size(true);
    set_alignment(ui::TAlignment::taRightJustify);
}

TEcPopupPanel::~TEcPopupPanel() = default;

void TEcPopupPanel::close_popup() {
    if (!popup_) return;
    popup_->set_open(false);
    if (popup_->handle_allocated()) PostMessageW(popup_->handle(), kClosePopupMessage, 0, 0);
}

void TEcPopupPanel::destroy_wnd() {
    if (popup_ && popup_->handle_allocated()) PostMessageW(popup_->handle(), kClosePopupMessage, 0, 0);
    TEcCustomPopup::destroy_wnd();
}

void TEcPopupPanel::move_children_back() {
    if (!popup_) return;
    const std::vector<ui::Control*> moved = popup_->controls();
    for (auto it = moved.rbegin(); it != moved.rend(); ++it) (*it)->set_parent(this);
}

bool TEcPopupPanel::popup_at(ui::Control* control, int x, int y) {
    if (popup_ || !control) return false;
    popup_control_ = control;
    ui::Form* form = parent_form();
    ui::WinControl* focused = form ? form->active_control() : nullptr;
    if (form) form->disable_align();

    // Whatever ends the loop (a close, the user, a failure), the children come home.
    bool closed_by_program = false;
    struct Restore {
        TEcPopupPanel& panel;
        ui::Form* form;
        ui::WinControl* focused;
        bool& result;
        ~Restore() {
            TEcPopup* p = panel.popup_;
            if (p) {
                result = !p->open();
                if (p->handle_allocated())
                    SetWindowPos(p->handle(), nullptr, 0, 0, 0, 0,
                                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                panel.move_children_back();
                panel.popup_ = nullptr;
                delete p;
            }
            try {
                if (panel.on_close) panel.on_close(&panel);
            } catch (...) {
                ui::application().handle_exception(std::current_exception());
            }
            if (form) form->enable_align();
            if (focused && ui::application().active() && focused->can_focus()) focused->set_focus();
            panel.popup_control_ = nullptr;
        }
    };
    {
        Restore restore{*this, form, focused, closed_by_program};
        show_and_run(control, x, y);
    }
    return closed_by_program;
}

void TEcPopupPanel::show_and_run(ui::Control* control, int x, int y) {
    if (on_popup) on_popup(this);
    popup_ = new TEcPopup(this);
    popup_->set_open(true);
    const Rect anchor = screen_rect_of(*control);
    const std::vector<ui::Control*> children = controls();
    for (auto it = children.rbegin(); it != children.rend(); ++it) (*it)->set_parent(popup_);
    popup_->choose_target();
    if (handle_allocated()) SetFocus(handle());

    const POINT below{anchor.left, anchor.bottom};
    const Rect place = popup_rect(anchor, width(), height(), horz(alignment()), x, y, work_area_near(below));
    popup_->set_bounds(place.left, place.top, place.width(), place.height());
    popup_->handle_needed();
    SetWindowPos(popup_->handle(), HWND_TOP, place.left, place.top, place.width(), place.height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    popup_->set_visible(true);
    run_loop();
}

void TEcPopupPanel::run_loop() {
    HWND window = popup_->handle();
    MSG msg;
    for (;;) {
        if (ui::application().terminated()) break;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) break;
        if (msg.message == WM_KILLFOCUS || (msg.message == kClosePopupMessage && msg.hwnd == window)) {
            PeekMessageW(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
            break;
        }
        if (msg.message == WM_ACTIVATEAPP || msg.message == ui::CM_DEACTIVATE) {
            ui::application().handle_waiting_message();
            break;
        }
        if (is_button_down_message(msg.message) && msg.hwnd != window && !IsChild(window, msg.hwnd)) {
            // Swallowed: the click that closes the popup clicks nothing else.
            PeekMessageW(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
            break;
        }
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            PeekMessageW(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
            SendMessageW(window, msg.message, msg.wParam, msg.lParam);
            continue;
        }
        ui::application().handle_waiting_message();
        if (!popup_ || !IsWindow(window)) break;
    }
}

// ---------------------------------------------------------------------------------------------
// TEcPopup

ui::ClassInfo& TEcPopup::static_class() {
    static ui::ClassInfo info("TEcPopup", &TEcCustomPopup::static_class());
    return info;
}

TEcPopup::TEcPopup(TEcPopupPanel* panel) : TEcCustomPopup(panel), panel_(panel) {
    ui::TControlStyle s = control_style();
    s.include(ui::TControlStyleFlag::csAcceptsControls);
    set_control_style(s);
    set_color(panel->color());
    font().assign(panel->font());
    set_hint(panel->hint());
    set_show_hint(panel->show_hint());
    set_ctl3d(false);
    set_border_outer(panel->border_outer());
    set_flat_color(panel->flat_color());
}

void TEcPopup::create_params(ui::CreateParams& p) {
    TEcCustomPopup::create_params(p);
    p.style = WS_POPUP | WS_CLIPCHILDREN;
    p.ex_style = WS_EX_TOOLWINDOW;
    ui::Form* form = panel_->parent_form();
    p.parent = form && form->handle_allocated() ? form->handle() : nullptr;
}

void TEcPopup::choose_target() {
    target_ = nullptr;
    for (ui::Control* c : controls()) {
        auto* w = dynamic_cast<ui::WinControl*>(c);
        if (w && w->enabled() && w->visible()) {
            target_ = w;
            return;
        }
    }
}

void TEcPopup::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case WM_MOUSEACTIVATE: m.result = MA_NOACTIVATE; return;
    case WM_NCACTIVATE: m.result = 0; return;
    case WM_SYSCOMMAND: PostMessageW(handle(), kClosePopupMessage, 0, 0); return;
    case kClosePopupMessage: return;  // the loop ends on it; the panel frees the window
    default: break;
    }
    if (m.msg >= WM_KEYFIRST && m.msg <= WM_KEYLAST) {
        if (m.msg == WM_KEYDOWN && m.wparam == VK_ESCAPE) PostMessageW(handle(), kClosePopupMessage, 0, 0);
        if (target_ && target_->handle_allocated()) m.result = SendMessageW(target_->handle(), m.msg, m.wparam, m.lparam);
        return;
    }
    TEcCustomPopup::wnd_proc(m);
}

void register_popup_classes() { ui::register_class(TEcPopupPanel::static_class()); }

} // namespace ec
