// A hidden window that hands its messages to one method of a component that has no window of
// its own (the tray icon takes the shell's callbacks through it). It is a top-level window and
// never shown: broadcasts such as "TaskbarCreated" and the session-end messages never reach
// message-only windows.
#pragma once
#include <windows.h>

#include <functional>

#include "platform/ui/win/control.h"

namespace ui {

class MessageWindow {
public:
    // Returns false to leave the message to the system's default handling. An exception goes
    // to the application's error handler and the message counts as handled (result 0).
    using Method = std::function<bool(Message& m)>;

    explicit MessageWindow(Method method);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND handle() const { return handle_; }

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);

    Method method_;
    HWND handle_ = nullptr;
};

} // namespace ui
