#include "platform/ui/win/message_window.h"

#include <stdexcept>

#include "platform/ui/win/application.h"

namespace ui {

namespace {
const wchar_t kClassName[] = L"TMessageWindow";
} // namespace

MessageWindow::MessageWindow(Method method) : method_(std::move(method)) {
    static const ATOM registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &MessageWindow::window_proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc);
    }();
    (void)registered;
    // A tool window is left out of the task bar and the task switcher, should it ever be shown.
    handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (!handle_) throw std::runtime_error("cannot create a message window");
}

MessageWindow::~MessageWindow() {
    // Messages sent while the window goes (WM_DESTROY) no longer reach the method.
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
}

LRESULT CALLBACK MessageWindow::window_proc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->method_) {
        Message m{msg, wparam, lparam, 0};
        try {
            if (self->method_(m)) return m.result;
        } catch (...) {
            application().handle_exception(std::current_exception());
            return 0;
        }
    }
    return DefWindowProcW(window, msg, wparam, lparam);
}

} // namespace ui
