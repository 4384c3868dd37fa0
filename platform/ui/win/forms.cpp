#include "platform/ui/win/forms.h"

#include <algorithm>
#include <stdexcept>

#include "platform/text_gbk.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/menus.h"

namespace ui {

std::string load_resource_text(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC res = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!res) return {};
    HGLOBAL data = LoadResource(module, res);
    DWORD size = SizeofResource(module, res);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return {};
    return std::string(static_cast<const char*>(bytes), size);
}

static void read_resource_into(Component& root, const wchar_t* resource) {
    std::string text = load_resource_text(resource);
    if (text.empty()) throw DescriptionError("window description resource " + plat::wide_to_gbk(resource) + " is missing");
    read_description(root, text);
}

// ---------------------------------------------------------------------------------------------

ClassInfo& ScrollingWinControl::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TScrollingWinControl", &WinControl::static_class());
        PropBuilder<ScrollingWinControl>(c).obsolete("AutoScroll", ObsoleteValue::Boolean);
        return c;
    }();
    return info;
}

ScrollingWinControl::ScrollingWinControl(Component* owner) : WinControl(owner) {
    TControlStyle s = control_style();
    s.include(TControlStyleFlag::csAcceptsControls);
    set_control_style(s);
}

bool ScrollingWinControl::adopt_child(Component* child) {
    if (auto* c = dynamic_cast<Control*>(child)) {
        c->set_parent(this);
        return true;
    }
    // Non-visual components sit in the description of the window without a parent.
    return true;
}

ClassInfo& Frame::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomFrame", &ScrollingWinControl::static_class());
        return c;
    }();
    return info;
}

ClassInfo& Frame::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TFrame", &custom_class());
        return c;
    }();
    return info;
}

Frame::Frame(Component* owner) : ScrollingWinControl(owner) { set_bounds(0, 0, 320, 240); }

void Frame::load_description(std::string_view text) { read_description(*this, text); }
void Frame::load_resource(const wchar_t* resource) { read_resource_into(*this, resource); }

// ---------------------------------------------------------------------------------------------

ClassInfo& Form::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomForm", &ScrollingWinControl::static_class());
        PropBuilder<Form>(c)
            .string("Caption", &Form::text, &Form::set_text, "TCaption")
            .enumeration("BorderStyle", &Form::border_style, &Form::set_border_style, TFormBorderStyle::bsSizeable)
            .set("BorderIcons", "TBorderIcons", &Form::border_icons, &Form::set_border_icons,
                 TBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize})
            .enumeration("Position", &Form::position, &Form::set_position, TPosition::poDesigned)
            .enumeration("WindowState", &Form::window_state, &Form::set_window_state, TWindowState::wsNormal)
            .enumeration("FormStyle", &Form::form_style, &Form::set_form_style, TFormStyle::fsNormal)
            .boolean("KeyPreview", &Form::key_preview, &Form::set_key_preview)
            .reference<WinControl>("ActiveControl", "TWinControl", &Form::active_control, &Form::set_active_control)
            .reference<MainMenu>("Menu", "TMainMenu", &Form::menu, &Form::set_menu)
            .integer("ModalResult", &Form::modal_result, &Form::set_modal_result, 0, "TModalResult")
            .event("OnCreate", "TNotifyEvent", &Form::on_create)
            .event("OnShow", "TNotifyEvent", &Form::on_show)
            .event("OnHide", "TNotifyEvent", &Form::on_hide)
            .event("OnDestroy", "TNotifyEvent", &Form::on_destroy)
            .event("OnActivate", "TNotifyEvent", &Form::on_activate)
            .event("OnDeactivate", "TNotifyEvent", &Form::on_deactivate)
            .event("OnClose", "TCloseEvent", &Form::on_close)
            .event("OnCloseQuery", "TCloseQueryEvent", &Form::on_close_query)
            .obsolete("OldCreateOrder", ObsoleteValue::Boolean)
            .obsolete("PixelsPerInch", ObsoleteValue::Integer)
            .obsolete("TextHeight", ObsoleteValue::Integer)
            .obsolete("Scaled", ObsoleteValue::Boolean);
        return c;
    }();
    return info;
}

ClassInfo& Form::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TForm", &custom_class());
        return c;
    }();
    return info;
}

Form::Form(Component* owner) : ScrollingWinControl(owner) {
    Control::set_visible(false);
    set_bounds(0, 0, 400, 300);
    screen().add_form(this);
}

Form::~Form() {
    screen().remove_form(this);
    if (application().main_form() == this) application().set_main_form(nullptr);
    begin_destruction();
    destroy_handle();
    release_owned();
}

void Form::free() {
    // The handler runs while the whole form, derived parts included, still exists.
    if (on_destroy && !destroy_fired_) {
        destroy_fired_ = true;
        on_destroy(this);
    }
    delete this;
}

void Form::load_description(std::string_view text) {
    read_description(*this, text);
    if (on_create) on_create(this);
}

void Form::load_resource(const wchar_t* resource) {
    read_resource_into(*this, resource);
    if (on_create) on_create(this);
}

void Form::notification(Component* c, TOperation op) {
    ScrollingWinControl::notification(c, op);
    if (op != TOperation::opRemove) return;
    if (c == active_control_) active_control_ = nullptr;
    if (c == menu_) menu_ = nullptr;
}

void Form::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.style &= ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    p.style |= WS_CLIPCHILDREN;
    p.ex_style = 0;
    switch (border_style_) {
    case TFormBorderStyle::bsNone: p.style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: p.style |= WS_CAPTION | WS_BORDER; break;
    case TFormBorderStyle::bsSizeable: p.style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog:
        p.style |= WS_CAPTION | WS_DLGFRAME;
        p.ex_style |= WS_EX_DLGMODALFRAME;
        break;
    case TFormBorderStyle::bsToolWindow:
        p.style |= WS_CAPTION | WS_BORDER;
        p.ex_style |= WS_EX_TOOLWINDOW;
        break;
    case TFormBorderStyle::bsSizeToolWin:
        p.style |= WS_CAPTION | WS_THICKFRAME;
        p.ex_style |= WS_EX_TOOLWINDOW;
        break;
    }
    if (border_style_ != TFormBorderStyle::bsNone && border_icons_.has(TBorderIcon::biSystemMenu)) {
        p.style |= WS_SYSMENU;
        if (border_style_ != TFormBorderStyle::bsDialog && border_style_ != TFormBorderStyle::bsToolWindow &&
            border_style_ != TFormBorderStyle::bsSizeToolWin) {
            if (border_icons_.has(TBorderIcon::biMinimize)) p.style |= WS_MINIMIZEBOX;
            if (border_icons_.has(TBorderIcon::biMaximize)) p.style |= WS_MAXIMIZEBOX;
        }
    }
    if (form_style_ == TFormStyle::fsStayOnTop) p.ex_style |= WS_EX_TOPMOST;
    p.parent = nullptr;
    // Secondary forms belong to the main form so that they stay above it and leave the taskbar alone.
    Form* main = application().main_form();
    if (main && main != this && main->handle_allocated()) p.parent = main->handle();
}

void Form::initialize_window() {
    if (menu_) SetMenu(handle(), menu_->handle());
    // A form shows the program's icon in its caption and the task list; dialog frames show none.
    if (border_style_ != TFormBorderStyle::bsDialog) {
        const auto icon = reinterpret_cast<LPARAM>(application().icon());
        SendMessageW(handle(), WM_SETICON, ICON_BIG, icon);
        SendMessageW(handle(), WM_SETICON, ICON_SMALL, icon);
    }
}

Rect Form::client_rect() const {
    if (handle_allocated()) return WinControl::client_rect();
    // Without a window yet: the frame of the window it will get.
    CreateParams p;
    const_cast<Form*>(this)->create_params(p);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, p.style, menu_ != nullptr, p.ex_style);
    return Rect{0, 0, std::max(0, width() - static_cast<int>(r.right - r.left)),
                std::max(0, height() - static_cast<int>(r.bottom - r.top))};
}

void Form::set_client_width(int v) {
    if (loading()) stored_client_width_ = v;
    ScrollingWinControl::set_client_width(v);
}

void Form::set_client_height(int v) {
    if (loading()) stored_client_height_ = v;
    ScrollingWinControl::set_client_height(v);
}

void Form::loaded() {
    // The menu is known now (references are resolved before this).
    if (stored_client_width_ >= 0) ScrollingWinControl::set_client_width(stored_client_width_);
    if (stored_client_height_ >= 0) ScrollingWinControl::set_client_height(stored_client_height_);
    stored_client_width_ = stored_client_height_ = -1;
    ScrollingWinControl::loaded();
}

void Form::set_border_style(TFormBorderStyle s) {
    if (s == border_style_) return;
    border_style_ = s;
    recreate_wnd();
}

TWindowState Form::window_state() const {
    if (handle_allocated() && IsWindowVisible(const_cast<Form*>(this)->handle())) {
        if (IsIconic(const_cast<Form*>(this)->handle())) return TWindowState::wsMinimized;
        if (IsZoomed(const_cast<Form*>(this)->handle())) return TWindowState::wsMaximized;
        return TWindowState::wsNormal;
    }
    return window_state_;
}

void Form::set_window_state(TWindowState s) {
    window_state_ = s;
    if (handle_allocated() && visible()) {
        int cmd = s == TWindowState::wsMinimized ? SW_MINIMIZE : s == TWindowState::wsMaximized ? SW_MAXIMIZE : SW_RESTORE;
        ShowWindow(handle(), cmd);
    }
}

void Form::set_active_control(WinControl* c) {
    if (c == active_control_) return;
    if (c && !contains_control(c)) throw std::invalid_argument("the active control must be on the form");
    if (active_control_) remove_free_notification(active_control_);
    active_control_ = c;
    if (c) free_notification(c);
    if (c && !loading() && handle_allocated() && visible() && c->can_focus()) c->set_focus();
}

void Form::set_menu(MainMenu* m) {
    if (menu_) remove_free_notification(menu_);
    menu_ = m;
    if (m) free_notification(m);
    if (handle_allocated()) {
        SetMenu(handle(), m ? m->handle() : nullptr);
        DrawMenuBar(handle());
        SendMessageW(handle(), CM_MENUCHANGED, 0, 0);
    }
}

void Form::apply_position() {
    if (positioned_) return;
    positioned_ = true;
    Rect area = screen().work_area_rect();
    switch (position_) {
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
        set_bounds((screen().width() - width()) / 2, (screen().height() - height()) / 2, width(), height());
        break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
        Form* main = application().main_form();
        if (main && main != this) {
            set_bounds(main->left() + (main->width() - width()) / 2, main->top() + (main->height() - height()) / 2, width(),
                       height());
        } else {
            set_bounds(area.left + (area.width() - width()) / 2, area.top + (area.height() - height()) / 2, width(), height());
        }
        break;
    }
    default: break;
    }
}

void Form::set_visible(bool v) {
    if (v == visible()) {
        if (v && handle_allocated()) SetForegroundWindow(handle());
        return;
    }
    if (v) {
        apply_position();
        handle_needed();
        Control::set_visible(true);
        int cmd = window_state_ == TWindowState::wsMinimized   ? SW_SHOWMINIMIZED
                  : window_state_ == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
                                                               : SW_SHOWNORMAL;
        ShowWindow(handle(), cmd);
        SetForegroundWindow(handle());
        if (active_control_ && active_control_->can_focus()) active_control_->set_focus();
        else if (!active_control_) select_first();
        if (on_show) on_show(this);
    } else {
        Control::set_visible(false);
        if (handle_allocated()) ShowWindow(handle(), SW_HIDE);
        if (on_hide) on_hide(this);
    }
}

TModalResult Form::show_modal() {
    if (visible() || modal_) throw std::logic_error("cannot make a visible window modal");
    // Every other window of the thread waits while this one is up.
    std::vector<HWND> disabled;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM l) -> BOOL {
            if (IsWindowVisible(h) && IsWindowEnabled(h)) reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&disabled));
    handle_needed();
    disabled.erase(std::remove(disabled.begin(), disabled.end(), handle()), disabled.end());
    for (HWND h : disabled) EnableWindow(h, FALSE);
    modal_ = true;
    modal_result_ = mrNone;
    try {
        set_visible(true);
        while (modal_result_ == mrNone) {
            if (!application().handle_message()) {
                modal_result_ = mrCancel;
                break;
            }
            if (modal_result_ != mrNone) {
                // Closing a modal window may still be refused by its handlers.
                TCloseAction action = TCloseAction::caHide;
                if (!close_query()) action = TCloseAction::caNone;
                else if (on_close) on_close(this, action);
                if (action == TCloseAction::caNone) modal_result_ = mrNone;
            }
        }
    } catch (...) {
        for (HWND h : disabled) EnableWindow(h, TRUE);
        modal_ = false;
        throw;
    }
    for (HWND h : disabled) EnableWindow(h, TRUE);
    modal_ = false;
    set_visible(false);
    return modal_result_;
}

bool Form::close_query() {
    bool can_close = true;
    if (on_close_query) on_close_query(this, can_close);
    return can_close;
}

void Form::close() {
    if (modal_) {
        modal_result_ = mrCancel;
        return;
    }
    if (!close_query()) return;
    TCloseAction action = application().main_form() == this ? TCloseAction::caFree : TCloseAction::caHide;
    if (on_close) on_close(this, action);
    switch (action) {
    case TCloseAction::caNone: return;
    case TCloseAction::caHide: set_visible(false); break;
    case TCloseAction::caMinimize: set_window_state(TWindowState::wsMinimized); break;
    case TCloseAction::caFree:
        if (application().main_form() == this) {
            set_visible(false);
            application().terminate();
        } else {
            release();
        }
        break;
    }
}

void Form::release() {
    if (handle_allocated()) PostMessageW(handle(), CM_RELEASE, 0, 0);
    else free();
}

bool Form::is_shortcut(TShortCut shortcut) {
    return menu_ && shortcut != 0 && menu_->is_shortcut(shortcut);
}

bool Form::menu_command(WORD id) {
    // Commands of the main menu and of popup menus shown for this window.
    return Menu::dispatch_command(id);
}

void Form::control_focused(WinControl* c) {
    if (c == this || c == active_control_) return;
    WinControl* old = active_control_;
    if (old) remove_free_notification(old);
    active_control_ = c;
    if (c) free_notification(c);
    if (old) {
        old->perform(CM_EXIT);
        if (old->on_exit) old->on_exit(old);
    }
    if (c) {
        c->perform(CM_ENTER);
        if (c->on_enter) c->on_enter(c);
    }
    Message m{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(c), 0};
    std::function<void(WinControl&)> all = [&](WinControl& w) {
        for (Control* child : w.controls()) {
            Message copy = m;
            child->window_proc(copy);
            if (auto* cw = dynamic_cast<WinControl*>(child)) all(*cw);
        }
    };
    all(*this);
}

void Form::do_dialog_key(Message& m) {
    // The controls first (default and cancel buttons), then the form's own keys.
    WinControl::wnd_proc(m);
    if (m.result != 0) return;
    if (m.msg != CM_DIALOGKEY) return;
    if (m.wparam == VK_TAB && !(GetKeyState(VK_CONTROL) < 0)) {
        bool back = GetKeyState(VK_SHIFT) < 0;
        select_next(active_control_, !back, true);
        m.result = 1;
    }
}

void Form::wnd_proc(Message& m) {
    for (auto& [msg, handler] : message_handlers_) {
        if (msg == m.msg) {
            handler(m);
            return;
        }
    }
    switch (m.msg) {
    case WM_CLOSE:
        close();
        m.result = 0;
        return;
    case CM_RELEASE:
        free();
        return;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
        // The menu's handles stay as they are while the system tracks them; a change made
        // meanwhile is applied when the tracking has ended.
        if (menu_) menu_->hold_rebuilds(m.msg == WM_ENTERMENULOOP);
        WinControl::wnd_proc(m);
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR: do_dialog_key(m); return;
    case WM_SIZE:
        ScrollingWinControl::wnd_proc(m);
        if (application().main_form() == this && m.wparam != SIZE_MAXHIDE && m.wparam != SIZE_MAXSHOW)
            application().main_form_minimized(m.wparam == SIZE_MINIMIZED);
        return;
    case WM_ACTIVATE:
        WinControl::wnd_proc(m);
        active_ = LOWORD(m.wparam) != WA_INACTIVE;
        if (active_) {
            if (active_control_ && active_control_->can_focus() && active_control_->handle_allocated())
                SetFocus(active_control_->handle());
            if (on_activate) on_activate(this);
        } else if (on_deactivate) {
            on_deactivate(this);
        }
        return;
    case WM_SETFOCUS:
        // The form itself takes the focus only while it has no control that wants it.
        if (active_control_ && active_control_->can_focus() && active_control_->handle_allocated()) {
            SetFocus(active_control_->handle());
            m.result = 0;
            return;
        }
        break;
    case WM_ACTIVATEAPP:
        // Sent, never queued: a local loop (a popup's, for instance) sees only the posted notice.
        if (!m.wparam && handle_allocated()) PostMessageW(handle(), CM_DEACTIVATE, 0, 0);
        break;
    case WM_SETCURSOR:
        if (screen().cursor() != crDefault && LOWORD(m.lparam) == HTCLIENT) {
            SetCursor(cursor_handle(screen().cursor()));
            m.result = 1;
            return;
        }
        break;
    default: break;
    }
    ScrollingWinControl::wnd_proc(m);
}

} // namespace ui
