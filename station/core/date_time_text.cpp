#include "station/core/date_time_text.h"

#include <cstdio>

namespace station {
namespace {

// Fields are clamped to their widths so that a damaged clock value can never widen a text.
int clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

std::string format_fields(const char* pattern, int a, int b, int c) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

std::string date_with(const plat::LocalTime& t, const char* pattern) {
    return format_fields(pattern, clamp(t.year, 0, 9999), clamp(t.month, 0, 99), clamp(t.day, 0, 99));
}

std::string time_with(const plat::LocalTime& t, const char* pattern) {
    return format_fields(pattern, clamp(t.hour, 0, 99), clamp(t.minute, 0, 99), clamp(t.second, 0, 99));
}

// A number the way the time texts' parts are read: leading blanks, a sign, then only digits.
std::optional<int> parse_part(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i == s.size()) return std::nullopt;
    int value = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        value = value * 10 + (s[i] - '0');  // at most two characters reach here
    }
    return negative ? -value : value;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

std::string_view middle(std::string_view s, std::size_t from, std::size_t count) {
    if (from >= s.size()) return {};
    return s.substr(from, count);
}

} // namespace

std::string FormatDate(const plat::LocalTime& t) { return date_with(t, "%04d-%02d-%02d"); }
std::string FormatTimeOfDay(const plat::LocalTime& t) { return time_with(t, "%02d:%02d:%02d"); }
std::string FormatDeviceClock(const plat::LocalTime& t) { return FormatDate(t) + " " + FormatTimeOfDay(t); }
std::string FormatStamp(const plat::LocalTime& t) { return FormatDate(t) + " " + time_with(t, "%02d-%02d-%02d"); }

std::string SecondsToTimeText(std::int64_t seconds) {
    if (seconds < 0) seconds = 0;
    std::int64_t r = seconds % 86400;
    return format_fields("%02d:%02d:%02d", static_cast<int>(r / 3600), static_cast<int>((seconds % 3600) / 60),
                         static_cast<int>(seconds % 60));
}

std::string MillisecondsToTimeText(std::int64_t milliseconds) { return SecondsToTimeText(milliseconds / 1000); }

std::optional<int> TimeTextToSeconds(std::string_view text) {
    std::string_view t = trim(text);
    auto hours = parse_part(middle(t, 0, 2));
    auto minutes = parse_part(middle(t, 3, 2));
    auto seconds = parse_part(t.size() >= 2 ? t.substr(t.size() - 2) : t);
    if (!hours || !minutes || !seconds) return std::nullopt;
    int h = (*hours >= 0 && *hours <= 23) ? *hours : 0;
    int m = (*minutes >= 0 && *minutes <= 59) ? *minutes : 0;
    int s = (*seconds >= 0 && *seconds <= 59) ? *seconds : 0;
    return h * 3600 + m * 60 + s;
}

} // namespace station
