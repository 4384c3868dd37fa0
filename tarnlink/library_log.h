// The library's daily log file "<folder>libkvnet_YYYYMMDD.log", filtered by level, opened and
// closed for every line so a line is on disk when the call returns.
#pragma once

#include <atomic>
#include <cstdarg>
#include <mutex>
#include <string>

namespace tarnlink {

enum LogLevel : int {
    LOG_OFF = 0,
    LOG_EMERG = 1,
    LOG_ALERT = 2,
    LOG_CRIT = 3,
    LOG_ERROR = 4,
    LOG_WARN = 5,
    LOG_NOTICE = 6,
    LOG_INFO = 7,
    LOG_DEBUG = 8,
};

// The level named by a [LogInfo] LogLevel text (case-insensitive); 0 for anything unknown.
int log_level_from_text(const std::string& text);
const char* log_level_name(int level);

class LibraryLog {
public:
    // A folder without a trailing separator gets a backslash. Level 0 is never handed over:
    // the caller skips the call, so an earlier level stays in force.
    void configure(const std::string& folder, int level);
    int level() const { return level_.load(std::memory_order_relaxed); }
    std::string file_name_for_today() const;

#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    void write(int level, const char* format, ...);

private:
    std::atomic<int> level_{LOG_OFF};
    mutable std::mutex mutex_;
    std::string folder_;
};

} // namespace tarnlink
