// An event in the manner of Win32 events: manual or auto reset, waited on with a time-out.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace plat {

class Event {
public:
    explicit Event(bool manual_reset = true, bool initially_set = false);
    void set();
    void reset();
    // true when the event was set within `timeout_ms` (a negative time-out waits for ever).
    bool wait(std::int64_t timeout_ms = -1);
    bool is_set() const;
private:
    mutable std::mutex mutex_;
    std::condition_variable cond_;
    bool manual_;
    bool set_;
};

} // namespace plat
