#include "station/core/engine/local_date_time.h"

#include <cmath>

namespace station {
namespace {

constexpr std::int64_t kDaysFrom1899To1970 = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t days_from_civil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civil_from_days(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

} // namespace

double ToDateTime(const plat::LocalTime& t) {
    const std::int64_t days = days_from_civil(t.year, t.month, t.day) + kDaysFrom1899To1970;
    const double ms = ((t.hour * 60.0 + t.minute) * 60.0 + t.second) * 1000.0 + t.millisecond;
    return static_cast<double>(days) + ms / 86400000.0;
}

plat::LocalTime FromDateTime(double date_time) {
    const double whole_ms = std::floor(date_time * 86400000.0 + 0.5);
    std::int64_t ms = static_cast<std::int64_t>(whole_ms);
    std::int64_t days = ms / 86400000;
    ms %= 86400000;
    if (ms < 0) { ms += 86400000; --days; }
    plat::LocalTime t;
    civil_from_days(days - kDaysFrom1899To1970, t.year, t.month, t.day);
    t.hour = static_cast<int>(ms / 3600000);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    const std::int64_t weekday = (days - kDaysFrom1899To1970 + 4) % 7;  // 1970-01-01 was a Thursday
    t.day_of_week = static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
    return t;
}

std::int64_t DateTimeToUnixSeconds(double date_time) {
    return static_cast<std::int64_t>(std::llround((date_time - kDaysFrom1899To1970) * 86400.0));
}

plat::LocalTime DaysBefore(const plat::LocalTime& t, int days) {
    plat::LocalTime earlier = t;
    const std::int64_t day_number = days_from_civil(t.year, t.month, t.day) - days;
    civil_from_days(day_number, earlier.year, earlier.month, earlier.day);
    const std::int64_t weekday = (day_number + 4) % 7;
    earlier.day_of_week = static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
    return earlier;
}

double NowDateTime() { return ToDateTime(plat::local_now()); }

} // namespace station
