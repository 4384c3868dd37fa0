#include "platform/ui/date_time.h"

#include <cmath>
#include <stdexcept>

namespace ui {

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long days_from_civil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civil_from_days(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
}

constexpr long long kEpochOffset = 25569;  // 1899-12-30 to 1970-01-01

bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

} // namespace

TDateTime encode_date_time(const CivilDateTime& v) {
    static const int days_in[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (v.year < 1 || v.year > 9999 || v.month < 1 || v.month > 12 || v.day < 1 ||
        v.day > days_in[v.month - 1] + (v.month == 2 && leap(v.year) ? 1 : 0) || v.hour < 0 || v.hour > 23 || v.minute < 0 ||
        v.minute > 59 || v.second < 0 || v.second > 59 || v.millisecond < 0 || v.millisecond > 999)
        throw std::out_of_range("invalid date or time");
    double days = static_cast<double>(days_from_civil(v.year, static_cast<unsigned>(v.month), static_cast<unsigned>(v.day)) +
                                      kEpochOffset);
    double time = ((v.hour * 60.0 + v.minute) * 60.0 + v.second + v.millisecond / 1000.0) / 86400.0;
    // Before the epoch the time still counts forward from midnight: the sign is the date's only.
    return days >= 0 ? days + time : days - time;
}

CivilDateTime decode_date_time(TDateTime value) {
    double day_part = std::trunc(value);
    double time_part = std::fabs(value - day_part);
    long long ms = std::llround(time_part * 86400000.0);
    if (ms >= 86400000) {
        ms -= 86400000;
        day_part += value >= 0 ? 1 : -1;
    }
    CivilDateTime c;
    civil_from_days(static_cast<long long>(day_part) - kEpochOffset, c.year, c.month, c.day);
    c.millisecond = static_cast<int>(ms % 1000);
    c.second = static_cast<int>(ms / 1000 % 60);
    c.minute = static_cast<int>(ms / 60000 % 60);
    c.hour = static_cast<int>(ms / 3600000);
    return c;
}

} // namespace ui
