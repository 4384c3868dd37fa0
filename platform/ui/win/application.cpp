#include "platform/ui/win/application.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <stdexcept>

#include "platform/debug_output.h"
#include "platform/text_gbk.h"
#include "platform/ui/font.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/hint_window.h"
#include "platform/ui/win/menus.h"

namespace ui {

namespace {

std::string exception_text(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown error";
    }
}

// The window (ours or a foreign child such as a combo box's edit) whose control handles keys.
WinControl* key_target(HWND h) {
    for (int depth = 0; h && depth < 8; ++depth, h = GetParent(h))
        if (WinControl* c = WinControl::find_control(h)) return c;
    return nullptr;
}

} // namespace

namespace {

std::vector<HCURSOR>& registered_cursors() {
    static std::vector<HCURSOR> cursors;
    return cursors;
}

} // namespace

int register_cursor(HCURSOR cursor) {
    registered_cursors().push_back(cursor);
    return static_cast<int>(registered_cursors().size());
}

HCURSOR cursor_handle(int cursor) {
    if (cursor > 0) {
        const auto& own = registered_cursors();
        if (cursor <= static_cast<int>(own.size())) return own[static_cast<std::size_t>(cursor - 1)];
    }
    const wchar_t* id = IDC_ARROW;
    switch (cursor) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crHandPoint: id = IDC_HAND; break;
    default: break;
    }
    return LoadCursorW(nullptr, id);
}

bool is_accel(wchar_t ch, const std::string& caption) {
    std::wstring w = plat::gbk_to_wide(caption);
    for (std::size_t i = 0; i + 1 < w.size(); ++i) {
        if (w[i] != L'&') continue;
        if (w[i + 1] == L'&') {
            ++i;
            continue;
        }
        return std::towupper(w[i + 1]) == std::towupper(ch);
    }
    return false;
}

// ---------------------------------------------------------------------------------------------

ClassInfo& Application::static_class() {
    static ClassInfo info("TApplication", &Component::static_class());
    return info;
}

Application::Application() : Component(nullptr) {}

Application::~Application() {
    // Forms owned by the application go with it, OnDestroy first.
    for (Component* c : std::vector<Component*>(components()))
        if (auto* f = dynamic_cast<Form*>(c)) f->free();
}

Application& application() {
    static Application* app = new Application();  // lives until the process ends
    return *app;
}

void Application::initialize() {
    if (initialized_) return;
    initialized_ = true;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                             ICC_PAGESCROLLER_CLASS | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS |
                                             ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    set_system_color_provider([](int index) { return static_cast<std::uint32_t>(GetSysColor(index)); });
    Font::set_pixels_per_inch(screen().pixels_per_inch());
}

void Application::set_main_form(Form* form) {
    main_form_ = form;
    minimized_ = form && form->handle_allocated() && IsIconic(form->handle());
}

void Application::run() {
    initialize();
    terminated_ = false;
    if (main_form_) main_form_->show();
    // Runs until the quit message itself is taken: one left in the queue would end the next
    // modal loop at once.
    while (handle_message()) {
    }
}

void Application::terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

bool Application::handle_message() {
    MSG msg;
    int r = GetMessageW(&msg, nullptr, 0, 0);
    if (r <= 0) {
        terminated_ = true;
        return false;
    }
    process_message(msg);
    return true;
}

bool Application::handle_waiting_message() {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    process_message(msg);
    return true;
}

void Application::process_messages() {
    MSG msg;
    for (int guard = 0; guard < 100000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
            return;
        }
        process_message(msg);
    }
}

bool Application::process_message(MSG& msg) {
    try {
        if (is_pre_processed(msg)) return true;
    } catch (...) {
        handle_exception(std::current_exception());
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

bool Application::is_pre_processed(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR)
        return false;
    WinControl* target = key_target(msg.hwnd);
    if (!target) return false;
    Form* form = target->parent_form();
    if (!form) return false;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        TShortCut sc = static_cast<TShortCut>(msg.wParam & 0xFF);
        if (GetKeyState(VK_SHIFT) < 0) sc |= scShift;
        if (GetKeyState(VK_CONTROL) < 0) sc |= scCtrl;
        if (msg.message == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0) sc |= scAlt;
        // The popup menus of the focused control and of its parents, nearest first, then the
        // form's main menu.
        for (Control* c = target; c; c = c->parent())
            if (PopupMenu* menu = c->popup_menu(); menu && menu->is_shortcut_in(c, sc)) return true;
        if (form->is_shortcut(sc)) return true;
        WPARAM key = msg.wParam;
        bool dialog_key = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_CANCEL;
        if (!dialog_key) return false;
        LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
        if (code & DLGC_WANTALLKEYS) return false;
        if (key == VK_TAB && (code & DLGC_WANTTAB)) return false;
        return form->perform(CM_DIALOGKEY, key, msg.lParam) != 0;
    }
    if (msg.message == WM_SYSCHAR) return form->perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
    return false;
}

void Application::stop_hint_timer() {
    if (hint_timer_) KillTimer(nullptr, hint_timer_);
    hint_timer_ = 0;
}

void CALLBACK Application::hint_timer(HWND, UINT, UINT_PTR, DWORD) {
    Application& app = application();
    app.stop_hint_timer();
    if (app.hint_showing_) {
        app.cancel_hint();  // shown long enough
        return;
    }
    if (app.hint_control_) app.activate_hint(app.hint_control_, app.hint_control_->hint());
}

void Application::hint_mouse_enter(Control* control) {
    if (control == hint_control_) return;
    cancel_hint();
    if (!show_hint || !control || !control->show_hint() || control->hint().empty()) return;
    hint_control_ = control;
    hint_timer_ = SetTimer(nullptr, 0, static_cast<UINT>(hint_pause), hint_timer);
}

void Application::hint_mouse_leave(Control* control) {
    if (control == hint_control_) cancel_hint();
}

void Application::activate_hint(Control* control, const std::string& text) {
    stop_hint_timer();
    if (!hint_window_) hint_window_ = new HintWindow(this);
    hint_control_ = control;
    POINT p{};
    GetCursorPos(&p);
    Rect r = hint_window_->calc_hint_rect(300, text);
    hint_window_->activate_hint({p.x, p.y + 20, p.x + r.width(), p.y + 20 + r.height()}, text);
    hint_showing_ = true;
    hint_timer_ = SetTimer(nullptr, 0, static_cast<UINT>(hint_hide_pause), hint_timer);
}

void Application::cancel_hint() {
    stop_hint_timer();
    hint_control_ = nullptr;
    hint_showing_ = false;
    if (hint_window_) hint_window_->release_handle();
}

HICON Application::icon() const { return icon_ ? icon_ : LoadIconW(nullptr, IDI_APPLICATION); }

void Application::minimize() {
    if (!main_form_ || !main_form_->handle_allocated()) return;
    HWND window = main_form_->handle();
    ShowWindow(window, SW_MINIMIZE);
    // The form's size message has told already; this covers a window that sent none.
    main_form_minimized(IsIconic(window) != FALSE);
}

void Application::restore() {
    if (!main_form_ || !main_form_->handle_allocated()) return;
    HWND window = main_form_->handle();
    if (!IsIconic(window)) return;
    ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    main_form_minimized(IsIconic(window) != FALSE);
}

void Application::main_form_minimized(bool minimized) {
    if (minimized == minimized_) return;
    minimized_ = minimized;
    const NotifyEvent& handler = minimized ? on_minimize : on_restore;
    if (handler) handler(this);
}

bool Application::active() const {
    HWND fg = GetForegroundWindow();
    DWORD pid = 0;
    GetWindowThreadProcessId(fg, &pid);
    return fg && pid == GetCurrentProcessId();
}

void Application::handle_exception(std::exception_ptr error) noexcept {
    try {
        std::string text = exception_text(error);
        if (on_exception) {
            on_exception(text);
            return;
        }
        HWND owner = main_form_ && main_form_->handle_allocated() ? main_form_->handle() : nullptr;
        MessageBoxW(owner, plat::gbk_to_wide(text).c_str(), plat::gbk_to_wide(title_).c_str(), MB_OK | MB_ICONSTOP);
    } catch (...) {
        // Nothing more can be done; the program keeps running.
    }
}

void Application::report_paint_failure(const std::string& window, std::exception_ptr error) noexcept {
    try {
        std::string line = "painting " + window + " failed: " + exception_text(error);
        if (on_log) on_log(line);
        else plat::debug_output(line);
    } catch (...) {
        // The report below still goes out.
    }
    handle_exception(error);
}

// ---------------------------------------------------------------------------------------------

Screen& screen() {
    static Screen s;
    return s;
}

Form* Screen::active_form() const {
    HWND active = GetActiveWindow();
    for (Form* f : forms_)
        if (f->handle_allocated() && f->handle() == active) return f;
    return nullptr;
}

void Screen::set_cursor(int cursor) {
    cursor_ = cursor;
    SetCursor(cursor_handle(cursor == crDefault ? crArrow : cursor));
}

std::vector<MonitorInfo> Screen::monitors() const {
    std::vector<MonitorInfo> out;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR m, HDC, LPRECT, LPARAM l) -> BOOL {
            MONITORINFO mi{};
            mi.cbSize = sizeof mi;
            if (GetMonitorInfoW(m, &mi)) {
                reinterpret_cast<std::vector<MonitorInfo>*>(l)->push_back(
                    {Rect{mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom},
                     Rect{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom}, (mi.dwFlags & MONITORINFOF_PRIMARY) != 0});
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&out));
    return out;
}

MonitorInfo Screen::monitor_from_point(POINT p) const {
    MONITORINFO mi{};
            mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &mi);
    return {Rect{mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom},
            Rect{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom}, (mi.dwFlags & MONITORINFOF_PRIMARY) != 0};
}

Rect Screen::work_area_rect() const {
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return Rect{r.left, r.top, r.right, r.bottom};
}

int Screen::pixels_per_inch() const {
    ClientDC dc(nullptr);
    int ppi = GetDeviceCaps(dc.get(), LOGPIXELSY);
    return ppi > 0 ? ppi : 96;
}

void Screen::add_form(Form* f) { forms_.push_back(f); }

void Screen::remove_form(Form* f) { forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end()); }

} // namespace ui
