#include <gtest/gtest.h>

#include "station/core/date_time_text.h"
#include "tests/support/test_folder.h"

namespace station {
namespace {

using test_support::At;

TEST(DateTimeText, EachFormatHasItsOwnSeparatorsAndPadding) {
    const plat::LocalTime t = At(2012, 3, 7, 4, 5, 9);
    EXPECT_EQ(FormatDate(t), "2012-03-07");
    EXPECT_EQ(FormatTimeOfDay(t), "04:05:09");
    EXPECT_EQ(FormatDeviceClock(t), "2012-03-07 04:05:09");
    EXPECT_EQ(FormatStamp(t), "2012-03-07 04-05-09");
    // Afternoon hours stay on the 24-hour clock in every format.
    EXPECT_EQ(FormatStamp(At(2012, 12, 31, 23, 59, 58)), "2012-12-31 23-59-58");
}

TEST(DateTimeText, SecondsToTimeText) {
    struct Case { std::int64_t seconds; const char* text; };
    const Case cases[] = {
        {0, "00:00:00"},
        {59, "00:00:59"},
        {3725, "01:02:05"},
        {86399, "23:59:59"},
        {90000, "01:00:00"},   // a day or more wraps
        {-5, "00:00:00"},      // never a text with minus signs in it
    };
    for (const Case& c : cases) EXPECT_EQ(SecondsToTimeText(c.seconds), c.text) << c.seconds;
    EXPECT_EQ(MillisecondsToTimeText(3725999), "01:02:05");
}

TEST(DateTimeText, TimeTextToSeconds) {
    struct Case { const char* text; std::optional<int> seconds; };
    const Case cases[] = {
        {"01:02:03", 3723},
        {"23:59:59", 86399},
        {" 25:61:30 ", 30},   // hours and minutes out of range count as 0
        {"00:00:60", 0},
        {"ab:00:00", std::nullopt},
        {"00:cd:00", std::nullopt},
        {"", std::nullopt},
        {"1:2:3", std::nullopt},  // the parts sit at fixed places
    };
    for (const Case& c : cases) EXPECT_EQ(TimeTextToSeconds(c.text), c.seconds) << '"' << c.text << '"';
}

} // namespace
} // namespace station
