// The station program started by a test as a process of its own, in a program folder the test
// prepared, and reached the way another program would: its windows and their messages.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace shell_test {

class StationProcess {
public:
    StationProcess() = default;
    ~StationProcess();  // a station still running is ended: it was started by this test
    StationProcess(const StationProcess&) = delete;
    StationProcess& operator=(const StationProcess&) = delete;

    // Starts <folder>\Velquist.exe with `arguments`; false when it cannot start, with the
    // system's error code kept for the test's message.
    bool Start(const std::string& folder, const std::string& arguments);
    DWORD StartError() const { return start_error_; }
    bool Running() const;
    // Waits for the process to end; false when it still runs after `ms`.
    bool WaitExit(DWORD ms) const;
    DWORD Id() const { return info_.dwProcessId; }
    // The process's top-level window of `class_name`, waiting up to `ms`; null when none came.
    HWND WaitWindow(const wchar_t* class_name, DWORD ms) const;

private:
    PROCESS_INFORMATION info_{};
    DWORD start_error_ = 0;
};

// A child window of `parent` (any depth) of that class, or with that text (GBK), or null.
HWND FindChildByClass(HWND parent, const wchar_t* class_name);
HWND FindChildByText(HWND parent, const std::string& text);
std::string WindowText(HWND window);

// The texts of every column of a row of a list view in another process (its memory holds the
// requests); empty when the process cannot be reached. The cells are read one after another:
// a test waits until the whole row meets its expectation rather than reading cells at moments
// of its own.
std::vector<std::string> ListViewRow(DWORD process_id, HWND list, int row);
int ListViewRowCount(HWND list);

// A button of the main window's top tool bar in another process. Its buttons draw on the bar's
// window; they stand in the bar's order, 60 x 60, with 8-pixel spacers between them.
struct ToolBarButton {
    HWND bar = nullptr;
    RECT place{};  // in the bar's client area
};
// The `index`th button of the top bar (0 start/stop, 1 settings, 2 exit); no bar when none shows.
ToolBarButton TopToolBarButton(HWND main, int index);
// Clicked with the mouse, as the bar reports it to the button.
void ClickToolBarButton(const ToolBarButton& button);
// The hue that dominates the button's glyph as it shows now: the start image is green, the stop
// image red.
enum class GlyphHue { Green, Red, Neither };
GlyphHue ButtonGlyphHue(const ToolBarButton& button);

// A click of the mouse at the middle of one of the control set's painted buttons in another
// process (they answer the mouse, not BM_CLICK).
void ClickPaintedButton(HWND button);

// Waits, handling nothing, until `done` holds or `ms` passed.
template <class Done>
bool WaitUntil(Done done, DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (!done()) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0) return done();
        Sleep(50);
    }
    return true;
}

} // namespace shell_test
