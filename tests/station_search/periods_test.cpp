#include <gtest/gtest.h>

#include "station/core/search/period_dates.h"

namespace station {
namespace {

struct PeriodCase {
    const char* name;
    SearchPeriod period;
    CalendarDate today;
    const char* from;
    const char* to;
};

TEST(PeriodDates, EveryMenuItemFromOneToday) {
    const PeriodCase cases[] = {
        {"today", SearchPeriod::Today, {2012, 3, 15}, "2012-03-15", "2012-03-15"},
        {"yesterday over new year", SearchPeriod::Yesterday, {2013, 1, 1}, "2012-12-31", "2012-12-31"},
        {"yesterday over leap day", SearchPeriod::Yesterday, {2012, 3, 1}, "2012-02-29", "2012-02-29"},
        // 2012-03-15 is a Thursday; weeks run Monday to Sunday.
        {"this week midweek", SearchPeriod::ThisWeek, {2012, 3, 15}, "2012-03-12", "2012-03-18"},
        {"this week on Monday", SearchPeriod::ThisWeek, {2012, 3, 12}, "2012-03-12", "2012-03-18"},
        {"this week on Sunday", SearchPeriod::ThisWeek, {2012, 3, 18}, "2012-03-12", "2012-03-18"},
        {"this week over year end", SearchPeriod::ThisWeek, {2013, 1, 1}, "2012-12-31", "2013-01-06"},
        {"last week on Sunday", SearchPeriod::LastWeek, {2012, 3, 18}, "2012-03-05", "2012-03-11"},
        {"last week over year end", SearchPeriod::LastWeek, {2013, 1, 2}, "2012-12-24", "2012-12-30"},
        {"this month of 31 days", SearchPeriod::ThisMonth, {2012, 3, 31}, "2012-03-01", "2012-03-31"},
        {"this month of 30 days", SearchPeriod::ThisMonth, {2012, 4, 1}, "2012-04-01", "2012-04-30"},
        {"this month leap February", SearchPeriod::ThisMonth, {2012, 2, 10}, "2012-02-01", "2012-02-29"},
        {"this month plain February", SearchPeriod::ThisMonth, {2013, 2, 10}, "2013-02-01", "2013-02-28"},
        {"this month century February", SearchPeriod::ThisMonth, {2100, 2, 1}, "2100-02-01", "2100-02-28"},
        {"this month December", SearchPeriod::ThisMonth, {2012, 12, 5}, "2012-12-01", "2012-12-31"},
        {"last month from March", SearchPeriod::LastMonth, {2012, 3, 31}, "2012-02-01", "2012-02-29"},
        {"last month from January", SearchPeriod::LastMonth, {2013, 1, 15}, "2012-12-01", "2012-12-31"},
        {"this quarter first", SearchPeriod::ThisQuarter, {2012, 2, 29}, "2012-01-01", "2012-03-31"},
        {"this quarter second", SearchPeriod::ThisQuarter, {2012, 4, 1}, "2012-04-01", "2012-06-30"},
        {"this quarter third", SearchPeriod::ThisQuarter, {2012, 9, 30}, "2012-07-01", "2012-09-30"},
        {"this quarter fourth", SearchPeriod::ThisQuarter, {2012, 11, 11}, "2012-10-01", "2012-12-31"},
        {"last quarter in the first", SearchPeriod::LastQuarter, {2013, 2, 1}, "2012-10-01", "2012-12-31"},
        {"last quarter in the third", SearchPeriod::LastQuarter, {2012, 7, 1}, "2012-04-01", "2012-06-30"},
        {"last quarter in the second", SearchPeriod::LastQuarter, {2012, 6, 30}, "2012-01-01", "2012-03-31"},
        {"this year", SearchPeriod::ThisYear, {2012, 6, 30}, "2012-01-01", "2012-12-31"},
        {"last year", SearchPeriod::LastYear, {2012, 1, 1}, "2011-01-01", "2011-12-31"},
    };
    for (const PeriodCase& c : cases) {
        const DateRange r = PeriodDates(c.period, c.today);
        EXPECT_EQ(DateText(r.from), c.from) << c.name;
        EXPECT_EQ(DateText(r.to), c.to) << c.name;
    }
}

} // namespace
} // namespace station
