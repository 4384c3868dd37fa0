// What the main-window figures share: the clock, the process's CPU time, waiting for a window
// to be painted, timed repaints, an idle message loop and screenshots.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace main_windows_bench {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start);

// True once the skin engine has started on `window` and skins it.
bool SkinnedNow(HWND window);

// No window of this thread waits for a paint: everything invalidated so far has been painted.
bool NothingToPaint();

// Handles the thread's messages until `done` holds; false when `timeout_ms` passed first.
bool PumpUntil(const std::function<bool()>& done, int timeout_ms);

struct Spread {
    double mean_ms = 0;
    double max_ms = 0;
};
// `times` full repaints of `window`, its frame and every child, each painted before the call
// returns; the thread's other messages are handled between them, untimed.
Spread Repaints(HWND window, int times);

struct Idle {
    double cpu_percent = 0;               // of one core, over the wall time
    double timer_messages_per_second = 0;  // WM_TIMER messages the thread took
};
// The process's CPU time (every thread, user and kernel) while the thread waits for its
// messages and handles them, as the program's loop does, for `seconds`.
Idle IdleFor(double seconds);

// The folder beside the program that the figures write to (screenshots, a program folder).
std::string OutputFolder();

// <OutputFolder>\main_windows_bench\<name>.png; false when it could not be written.
bool SaveScreenshot(HWND window, const std::string& name);

} // namespace main_windows_bench
