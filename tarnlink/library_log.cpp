#include "tarnlink/library_log.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/clock.h"
#include "platform/files.h"

namespace tarnlink {

namespace {

struct LevelName { int level; const char* name; const char* setting; };
constexpr LevelName kLevels[] = {
    {LOG_EMERG, "emerg", nullptr},      {LOG_ALERT, "alert", "alert"},
    {LOG_CRIT, "crit", "critical"},     {LOG_ERROR, "error", "error"},
    {LOG_WARN, "warn", "warn"},         {LOG_NOTICE, "notice", "notice"},
    {LOG_INFO, "info", "info"},         {LOG_DEBUG, "debug", "debug"},
};

bool equal_no_case(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != b[i]) return false;
    }
    return true;
}

constexpr std::size_t kMessageChars = 255;
constexpr std::size_t kLineChars = 256;

} // namespace

int log_level_from_text(const std::string& text) {
    // "emergency" names level 0: it switches the log off like an unknown text.
    for (const auto& l : kLevels)
        if (l.setting != nullptr && equal_no_case(text, l.setting)) return l.level;
    return LOG_OFF;
}

const char* log_level_name(int level) {
    for (const auto& l : kLevels)
        if (l.level == level) return l.name;
    return "unknown";
}

void LibraryLog::configure(const std::string& folder, int level) {
    std::lock_guard<std::mutex> lock(mutex_);
    folder_ = folder;
    if (!folder_.empty() && folder_.back() != '\\' && folder_.back() != '/') folder_ += '\\';
    level_.store(level, std::memory_order_relaxed);
}

std::string LibraryLog::file_name_for_today() const {
    const plat::LocalTime t = plat::local_now();
    char name[40];
    std::snprintf(name, sizeof name, "libkvnet_%04d%02d%02d.log", t.year, t.month, t.day);
    std::lock_guard<std::mutex> lock(mutex_);
    return folder_ + name;
}

void LibraryLog::write(int level, const char* format, ...) {
    const int file_level = level_.load(std::memory_order_relaxed);
    if (file_level == LOG_OFF) return;
    std::lock_guard<std::mutex> lock(mutex_);
    if (level > file_level) return;

    char message[kMessageChars + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);

    // Messages come with "\n", "\r\n" or no ending; every line gets exactly one CR LF.
    std::size_t message_length = std::strlen(message);
    while (message_length > 0 &&
           (message[message_length - 1] == '\n' || message[message_length - 1] == '\r'))
        --message_length;
    message[message_length] = '\0';

    const plat::LocalTime t = plat::local_now();
    char line[kLineChars + 1];
    int n = std::snprintf(line, sizeof line, "%04d-%02d-%02d %02d:%02d:%02d [%s] %s", t.year,
                          t.month, t.day, t.hour, t.minute, t.second, log_level_name(level),
                          message);
    if (n < 0) return;
    // A line cut to its limit still ends with its CR LF.
    std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(n), kLineChars - 2);
    line[length++] = '\r';
    line[length++] = '\n';

    char name[40];
    std::snprintf(name, sizeof name, "libkvnet_%04d%02d%02d.log", t.year, t.month, t.day);
    plat::File file;
    if (!file.open(folder_ + name, plat::File::Mode::OpenOrCreate)) return;
    const std::int64_t end = file.size();
    if (end >= 0) file.write_at(end, line, length);
}

} // namespace tarnlink
