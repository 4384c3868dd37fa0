// The date ranges of the search view's period menu, computed from one "today".
#pragma once
#include <string>

namespace station {

struct CalendarDate {
    int year = 0, month = 0, day = 0;  // month 1..12, day 1..31
};

inline bool operator==(const CalendarDate& a, const CalendarDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

enum class SearchPeriod {
    Today, Yesterday, ThisWeek, LastWeek, ThisMonth, LastMonth, ThisQuarter, LastQuarter, ThisYear, LastYear,
};

struct DateRange {
    CalendarDate from, to;
};

DateRange PeriodDates(SearchPeriod period, const CalendarDate& today);

CalendarDate AddDays(const CalendarDate& date, int days);
// 1 Monday .. 7 Sunday.
int IsoDayOfWeek(const CalendarDate& date);
int DaysInMonth(int year, int month);
// "yyyy-MM-dd".
std::string DateText(const CalendarDate& date);

} // namespace station
