#include "platform/ui/win/subclass.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/ui/win/application.h"

namespace ui {

WindowSubclass::WindowSubclass(HWND window, Handler handler) : handler_(std::move(handler)) {
    if (!window || !SetWindowSubclass(window, proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
        throw std::runtime_error("cannot subclass the window");
    window_ = window;
}

WindowSubclass::~WindowSubclass() { remove(); }

void WindowSubclass::remove() {
    if (!window_) return;
    RemoveWindowSubclass(window_, proc, reinterpret_cast<UINT_PTR>(this));
    window_ = nullptr;
}

LRESULT CALLBACK WindowSubclass::proc(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<WindowSubclass*>(ref);
    if (msg == WM_NCDESTROY) {
        // The window is going: the layer leaves the chain by itself.
        self->remove();
        return DefSubclassProc(h, msg, w, l);
    }
    Message m{msg, w, l, 0};
    try {
        self->handler_(m, [h](Message& inner) { inner.result = DefSubclassProc(h, inner.msg, inner.wparam, inner.lparam); });
    } catch (...) {
        application().handle_exception(std::current_exception());
    }
    return m.result;
}

} // namespace ui
