#include "platform/sync_event.h"

#include <chrono>

namespace plat {

Event::Event(bool manual_reset, bool initially_set) : manual_(manual_reset), set_(initially_set) {}

void Event::set() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        set_ = true;
    }
    if (manual_) cond_.notify_all(); else cond_.notify_one();
}

void Event::reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    set_ = false;
}

bool Event::wait(std::int64_t timeout_ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    auto ready = [this] { return set_; };
    if (timeout_ms < 0) {
        cond_.wait(lock, ready);
    } else if (!cond_.wait_for(lock, std::chrono::milliseconds(timeout_ms), ready)) {
        return false;
    }
    if (!manual_) set_ = false;
    return true;
}

bool Event::is_set() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return set_;
}

} // namespace plat
