// The program's message loop, its forms and screen, and the error box that keeps the program
// running when a handler fails.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/align_layout.h"
#include "platform/ui/color.h"
#include "platform/ui/component.h"

namespace ui {

class Form;
class Control;
class HintWindow;

constexpr int crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
              crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crNo = -18, crHandPoint = -21;
HCURSOR cursor_handle(int cursor);
// Makes a cursor of the program's own (drawn or loaded) known by a positive number, as the
// system's are by negative ones; the cursor is kept until the program ends.
int register_cursor(HCURSOR cursor);

class Application : public Component {
    UI_CLASS_IDENTITY()
public:
    Application();
    ~Application() override;

    // Common controls, the system colours and screen resolution; safe to call more than once.
    void initialize();
    Form* main_form() const { return main_form_; }
    // The minimised state the handlers below follow starts from the new form's.
    void set_main_form(Form* form);
    // Shows the main form and runs the loop until terminate() or the main form closes.
    void run();
    // Handles every waiting message and returns.
    void process_messages();
    // Waits for one message and handles it; false when the loop should end.
    bool handle_message();
    // Handles one waiting message without waiting; false when none waits or it was the quit
    // message, which stays for the outer loop. Local loops (a popup's) use it.
    bool handle_waiting_message();
    void terminate();
    bool terminated() const { return terminated_; }
    // Dialog keys, menu shortcuts and accelerators before a message reaches its window; true
    // when one of them took the message.
    bool is_pre_processed(MSG& msg);

    const std::string& title() const { return title_; }
    void set_title(const std::string& title) { title_ = title; }
    // The program's icon (the system's application icon until one is set). The caller keeps a
    // set icon alive; icons loaded from the program's resources live as long as the program.
    HICON icon() const;
    void set_icon(HICON icon) { icon_ = icon; }
    // Minimises the main form, or brings a minimised one back and to the front.
    void minimize();
    void restore();
    bool minimized() const { return minimized_; }
    // Fired once for each real change of the main form to or from minimised, whoever made it
    // (these calls, the window's buttons or the system); replaced by assignment.
    NotifyEvent on_minimize, on_restore;
    // Told by the main form when its window has become minimised or has come back from it.
    void main_form_minimized(bool minimized);
    bool active() const;

    // Shows the error of a failed handler (or gives it to on_exception) instead of ending.
    void handle_exception(std::exception_ptr error) noexcept;
    std::function<void(const std::string& message)> on_exception;
    // A painter of `window` failed: a log line, then the error as for a failed handler. Windows
    // report only the first of a run of failing paints, so one fault shows one box.
    void report_paint_failure(const std::string& window, std::exception_ptr error) noexcept;
    // Where the library's log lines go; the system debug output when not set.
    std::function<void(const std::string& line)> on_log;

    TColor hint_color = clInfoBk;
    int hint_pause = 500;
    int hint_hide_pause = 2500;
    bool show_hint = true;
    // The mouse entered or left a control: its hint comes up after hint_pause and goes after
    // hint_hide_pause, when the mouse leaves, or on cancel_hint.
    void hint_mouse_enter(Control* control);
    void hint_mouse_leave(Control* control);
    void cancel_hint();
    // Shows `text` for `control` now, below the mouse (tab heads ask for their own hints).
    void activate_hint(Control* control, const std::string& text);
    HintWindow* hint_window() const { return hint_window_; }
    Control* hint_control() const { return hint_control_; }

private:
    bool process_message(MSG& msg);
    static void CALLBACK hint_timer(HWND, UINT, UINT_PTR, DWORD);
    void stop_hint_timer();
    Form* main_form_ = nullptr;
    HintWindow* hint_window_ = nullptr;
    Control* hint_control_ = nullptr;
    UINT_PTR hint_timer_ = 0;
    bool hint_showing_ = false;
    bool terminated_ = false;
    bool initialized_ = false;
    bool minimized_ = false;
    HICON icon_ = nullptr;
    std::string title_;
};

Application& application();

struct MonitorInfo {
    Rect bounds;
    Rect work_area;
    bool primary = false;
};

class Screen {
public:
    const std::vector<Form*>& forms() const { return forms_; }
    int form_count() const { return static_cast<int>(forms_.size()); }
    Form* active_form() const;
    int cursor() const { return cursor_; }
    void set_cursor(int cursor);
    std::vector<MonitorInfo> monitors() const;
    MonitorInfo monitor_from_point(POINT p) const;
    Rect work_area_rect() const;
    int width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int height() const { return GetSystemMetrics(SM_CYSCREEN); }
    int pixels_per_inch() const;

    void add_form(Form* f);
    void remove_form(Form* f);

private:
    std::vector<Form*> forms_;
    int cursor_ = crDefault;
};

Screen& screen();

// Shows the hourglass for a long operation on the window thread.
class HourGlass {
public:
    HourGlass() : saved_(screen().cursor()) { screen().set_cursor(crHourGlass); }
    ~HourGlass() { screen().set_cursor(saved_); }
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;

private:
    int saved_;
};

// True when `ch` is the accelerator ('&' prefix) of `caption`, ignoring case.
bool is_accel(wchar_t ch, const std::string& caption);

} // namespace ui
