#include "station/core/search/period_dates.h"

#include <cstdio>

namespace station {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long long days_from_civil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CalendarDate civil_from_days(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
    return {y, m, d};
}

CalendarDate first_of(int year, int month) { return {year, month, 1}; }

CalendarDate last_of(int year, int month) { return {year, month, DaysInMonth(year, month)}; }

int quarter_first_month(int month) { return 3 * ((month - 1) / 3) + 1; }

} // namespace

CalendarDate AddDays(const CalendarDate& date, int days) {
    return civil_from_days(days_from_civil(date.year, date.month, date.day) + days);
}

int IsoDayOfWeek(const CalendarDate& date) {
    const long long z = days_from_civil(date.year, date.month, date.day);  // 1970-01-01 was a Thursday
    const long long w = ((z % 7) + 7 + 3) % 7;                             // 0 Monday
    return static_cast<int>(w) + 1;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

std::string DateText(const CalendarDate& date) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    return buffer;
}

DateRange PeriodDates(SearchPeriod period, const CalendarDate& today) {
    switch (period) {
    case SearchPeriod::Today: return {today, today};
    case SearchPeriod::Yesterday: {
        const CalendarDate y = AddDays(today, -1);
        return {y, y};
    }
    case SearchPeriod::ThisWeek: {
        const CalendarDate monday = AddDays(today, 1 - IsoDayOfWeek(today));
        return {monday, AddDays(monday, 6)};
    }
    case SearchPeriod::LastWeek: {
        const CalendarDate monday = AddDays(today, 1 - IsoDayOfWeek(today) - 7);
        return {monday, AddDays(monday, 6)};
    }
    case SearchPeriod::ThisMonth: return {first_of(today.year, today.month), last_of(today.year, today.month)};
    case SearchPeriod::LastMonth: {
        const CalendarDate end = AddDays(today, -today.day);
        return {first_of(end.year, end.month), end};
    }
    case SearchPeriod::ThisQuarter: {
        const int first = quarter_first_month(today.month);
        return {first_of(today.year, first), last_of(today.year, first + 2)};
    }
    case SearchPeriod::LastQuarter: {
        const CalendarDate this_first = first_of(today.year, quarter_first_month(today.month));
        const CalendarDate end = AddDays(this_first, -1);
        return {first_of(end.year, quarter_first_month(end.month)), end};
    }
    case SearchPeriod::ThisYear: return {first_of(today.year, 1), last_of(today.year, 12)};
    case SearchPeriod::LastYear: return {first_of(today.year - 1, 1), last_of(today.year - 1, 12)};
    }
    return {today, today};
}

} // namespace station
