// A layer of subclassing on any window, ours or foreign (a combo box's edit, a list view's
// header), built on the common controls' subclass chain so that layers added by this library
// and by the skin engine can be removed in any order.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/win/control.h"

namespace ui {

class WindowSubclass {
public:
    // `next` passes the message on to the layer below (and finally the window procedure).
    using Next = std::function<void(Message&)>;
    using Handler = std::function<void(Message& m, const Next& next)>;

    // `name` shows in the listing of the window's layers.
    WindowSubclass(HWND window, Handler handler, std::string name = "layer");
    ~WindowSubclass();
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    HWND window() const { return window_; }
    bool installed() const { return window_ != nullptr; }
    // Takes the layer out of the chain; the layers above and below stay as they are. The layer
    // also leaves by itself after its handler saw WM_NCDESTROY; a handler never deletes its
    // own layer.
    void remove();
    const std::string& name() const { return name_; }

    // The names of the layers on `window` now, the top one (the first to see a message) first.
    static std::vector<std::string> layers(HWND window);

private:
    static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND window_ = nullptr;
    Handler handler_;
    std::string name_;
};

} // namespace ui
