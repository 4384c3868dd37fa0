#include "platform/ui/win/timer.h"

#include <map>

#include "platform/ui/win/application.h"

namespace ui {

namespace {

std::map<UINT_PTR, Timer*>& timers() {
    static std::map<UINT_PTR, Timer*> map;
    return map;
}

// One message-only window carries every timer; it is never shown or activated.
HWND timer_window() {
    static HWND window = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = [](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
            if (msg == WM_TIMER) {
                auto it = timers().find(w);
                if (it != timers().end()) {
                    try {
                        it->second->fire();
                    } catch (...) {
                        application().handle_exception(std::current_exception());
                    }
                }
                return 0;
            }
            return DefWindowProcW(h, msg, w, l);
        };
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TTimerWindow";
        RegisterClassExW(&wc);
        return CreateWindowExW(0, L"TTimerWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }();
    return window;
}

UINT_PTR next_id() {
    static UINT_PTR id = 0;
    return ++id;
}

} // namespace

ClassInfo& Timer::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TTimer", &Component::static_class());
        c.factory = factory_of<Timer>();
        PropBuilder<Timer>(c)
            .boolean("Enabled", &Timer::enabled, &Timer::set_enabled, true)
            .integer("Interval", &Timer::interval, &Timer::set_interval, 1000, "Cardinal")
            .event("OnTimer", "TNotifyEvent", &Timer::on_timer);
        return c;
    }();
    return info;
}

Timer::Timer(Component* owner) : Component(owner), id_(next_id()) {
    timers()[id_] = this;
    update_timer();
}

Timer::~Timer() {
    KillTimer(timer_window(), id_);
    timers().erase(id_);
}

void Timer::set_enabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    update_timer();
}

void Timer::set_interval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    update_timer();
}

void Timer::loaded() {
    Component::loaded();
    update_timer();
}

void Timer::update_timer() {
    KillTimer(timer_window(), id_);
    // Nothing runs before the description is read.
    if (enabled_ && interval_ > 0 && !loading()) SetTimer(timer_window(), id_, interval_, nullptr);
}

void Timer::fire() {
    if (on_timer) on_timer(this);
}

} // namespace ui
