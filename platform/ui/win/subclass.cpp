#include "platform/ui/win/subclass.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <stdexcept>

#include "platform/ui/win/application.h"

namespace ui {
namespace {

// Every installed layer by window, the top first; windows live on one thread.
std::map<HWND, std::vector<const WindowSubclass*>>& installed_layers() {
    static std::map<HWND, std::vector<const WindowSubclass*>> layers;
    return layers;
}

} // namespace

WindowSubclass::WindowSubclass(HWND window, Handler handler, std::string name)
    : handler_(std::move(handler)), name_(std::move(name)) {
    if (!window || !SetWindowSubclass(window, proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
        throw std::runtime_error("cannot subclass the window");
    window_ = window;
    auto& list = installed_layers()[window];
    list.insert(list.begin(), this);
}

std::vector<std::string> WindowSubclass::layers(HWND window) {
    std::vector<std::string> names;
    auto it = installed_layers().find(window);
    if (it != installed_layers().end())
        for (const WindowSubclass* layer : it->second) names.push_back(layer->name_);
    return names;
}

WindowSubclass::~WindowSubclass() { remove(); }

void WindowSubclass::remove() {
    if (!window_) return;
    RemoveWindowSubclass(window_, proc, reinterpret_cast<UINT_PTR>(this));
    auto it = installed_layers().find(window_);
    if (it != installed_layers().end()) {
        it->second.erase(std::remove(it->second.begin(), it->second.end(), this), it->second.end());
        if (it->second.empty()) installed_layers().erase(it);
    }
    window_ = nullptr;
}

LRESULT CALLBACK WindowSubclass::proc(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<WindowSubclass*>(ref);
    Message m{msg, w, l, 0};
    try {
        self->handler_(m, [h](Message& inner) { inner.result = DefSubclassProc(h, inner.msg, inner.wparam, inner.lparam); });
    } catch (...) {
        application().handle_exception(std::current_exception());
    }
    // The window is going: the handler saw its last message, and the layer leaves the chain.
    if (msg == WM_NCDESTROY) self->remove();
    return m.result;
}

} // namespace ui
