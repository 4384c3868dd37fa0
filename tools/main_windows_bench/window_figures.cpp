#include "window_figures.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/screenshot.h"
#include "skin/win/skin_manager.h"
#include "skin/win/win_skin_form.h"

namespace main_windows_bench {

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool SkinnedNow(HWND window) {
    const skin::TSkinManage* manager = skin::TSkinManage::Instance();
    const skin::TWinSkinForm* form = manager ? manager->FindSkinnedWindow(window) : nullptr;
    return form && form->skin_state() == skin::TWinSkinForm::kSkinned;
}

bool NothingToPaint() { return (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) == 0; }

bool PumpUntil(const std::function<bool()>& done, int timeout_ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        ui::application().process_messages();
        if (done()) return true;
        if (Clock::now() > deadline) return false;
    }
}

Spread Repaints(HWND window, int times) {
    Spread spread;
    for (int i = 0; i < times; ++i) {
        ui::application().process_messages();
        const auto start = Clock::now();
        RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
        const double ms = MsSince(start);
        spread.mean_ms += ms / times;
        spread.max_ms = std::max(spread.max_ms, ms);
    }
    return spread;
}

namespace {

double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

int g_timer_messages = 0;

LRESULT CALLBACK CountTimerMessages(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && wparam == PM_REMOVE && reinterpret_cast<const MSG*>(lparam)->message == WM_TIMER)
        ++g_timer_messages;
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Counts the WM_TIMER messages the thread takes while it lives.
class TimerMessageCount {
public:
    TimerMessageCount() : hook_(SetWindowsHookExW(WH_GETMESSAGE, CountTimerMessages, nullptr, GetCurrentThreadId())) {
        g_timer_messages = 0;
    }
    ~TimerMessageCount() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    TimerMessageCount(const TimerMessageCount&) = delete;
    TimerMessageCount& operator=(const TimerMessageCount&) = delete;
    int count() const { return g_timer_messages; }

private:
    HHOOK hook_;
};

} // namespace

Idle IdleFor(double seconds) {
    const TimerMessageCount timers;
    const double cpu_start = ProcessCpuMs();
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    for (auto now = start; now < end; now = Clock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left) + 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        ui::application().process_messages();
    }
    const double wall_ms = MsSince(start);
    return {(ProcessCpuMs() - cpu_start) / wall_ms * 100, timers.count() / wall_ms * 1000};
}

std::string OutputFolder() { return plat::extract_file_dir(plat::executable_path()); }

bool SaveScreenshot(HWND window, const std::string& name) {
    const std::string folder = plat::include_trailing_separator(OutputFolder()) + "main_windows_bench";
    plat::force_directories(folder);
    ui::Bitmap picture;
    ui::capture_window(window, picture);
    return !picture.empty() && ui::save_png(picture, folder + "\\" + name + ".png");
}

} // namespace main_windows_bench
