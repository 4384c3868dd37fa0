#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace plat {
namespace {
std::atomic<TickSource*> g_tick_source{nullptr};
std::atomic<LocalClockSource*> g_local_source{nullptr};
std::mutex g_manual_mutex;

std::uint32_t system_tick_ms() {
#ifdef _WIN32
    return static_cast<std::uint32_t>(GetTickCount64());
#else
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
#endif
}

LocalTime system_local_now() {
    LocalTime t;
#ifdef _WIN32
    SYSTEMTIME st;
    GetLocalTime(&st);
    t = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds, st.wDayOfWeek};
#else
    auto now = std::chrono::system_clock::now();
    std::time_t secs = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&secs, &tm);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    t = {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
         static_cast<int>(ms), tm.tm_wday};
#endif
    return t;
}
} // namespace

std::uint32_t tick_ms() {
    TickSource* source = g_tick_source.load(std::memory_order_acquire);
    return source ? source->now_ms() : system_tick_ms();
}

void set_tick_source(TickSource* source) { g_tick_source.store(source, std::memory_order_release); }

LocalTime local_now() {
    LocalClockSource* source = g_local_source.load(std::memory_order_acquire);
    return source ? source->now() : system_local_now();
}

void set_local_clock_source(LocalClockSource* source) {
    g_local_source.store(source, std::memory_order_release);
}

void sleep_ms(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::uint32_t ManualClock::now_ms() {
    std::lock_guard<std::mutex> lock(g_manual_mutex);
    return ticks_;
}
LocalTime ManualClock::now() {
    std::lock_guard<std::mutex> lock(g_manual_mutex);
    return local_;
}
void ManualClock::set_ticks(std::uint32_t ticks) {
    std::lock_guard<std::mutex> lock(g_manual_mutex);
    ticks_ = ticks;
}
void ManualClock::advance_ms(std::uint32_t ms) {
    std::lock_guard<std::mutex> lock(g_manual_mutex);
    ticks_ += ms;
}
void ManualClock::set_local(const LocalTime& time) {
    std::lock_guard<std::mutex> lock(g_manual_mutex);
    local_ = time;
}

} // namespace plat
