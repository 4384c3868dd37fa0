#include <gtest/gtest.h>

#include "station/core/search/playback_math.h"

namespace station {
namespace {

TEST(PlaybackMath, LedTime) {
    struct Case { bool elapsed; const char* start; long long ms; const char* text; };
    const Case cases[] = {
        {true, "08:00:00", 0, "00:00:00"},
        {true, "08:00:00", 61999, "00:01:01"},
        {true, "08:00:00", 3600000LL * 25, "01:00:00"},  // hours wrap at a day
        {false, "08:15:30", 1500, "08:15:31"},
        {false, "23:59:30", 60000, "00:00:30"},           // past midnight
        {false, "bad", 2000, "00:00:02"},                 // an unreadable start counts as 0
    };
    for (const Case& c : cases) EXPECT_EQ(LedTimeText(c.elapsed, c.start, c.ms), c.text) << c.start << " " << c.ms;
}

TEST(PlaybackMath, SkipsClampToTheMedia) {
    struct Case { double current, duration; bool forward; double target; };
    const Case cases[] = {
        {10.0, 60.0, true, 12.5}, {10.0, 60.0, false, 7.5},
        {58.0, 60.0, true, 60.0}, {1.0, 60.0, false, 0.0},
        {0.0, 0.0, true, 0.0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(SkipTarget(c.current, c.duration, c.forward), c.target);
}

TEST(PlaybackMath, BarSeekRateAndVolumeHint) {
    EXPECT_EQ(BarPosition(12.3456), 12345);
    EXPECT_EQ(BarPosition(-1.0), 0);
    EXPECT_DOUBLE_EQ(SeekSeconds(12999), 12.0);  // a drag lands on whole seconds
    EXPECT_DOUBLE_EQ(SeekSeconds(999), 0.0);
    EXPECT_DOUBLE_EQ(RateFromBar(5), 0.5);
    EXPECT_DOUBLE_EQ(RateFromBar(15), 1.5);
    EXPECT_DOUBLE_EQ(RateFromBar(30), 1.5);
    EXPECT_EQ(VolumeHint("vol", 32767, 65535), "vol 49%");
    EXPECT_EQ(VolumeHint("vol", 65535, 65535), "vol 100%");
    EXPECT_EQ(VolumeHint("vol", 5, 0), "vol");
}

} // namespace
} // namespace station

#include "station/core/gbk_literal.h"
#include "station/core/search/search_texts.h"

namespace station {
namespace {

TEST(SearchViewTexts, LanguageFileOverridesTheDefaults) {
    const LanguageLookup none;
    const LanguageLookup english = [](const std::string& key) { return key == "Msg.Play" ? std::string("Play") : ""; };
    EXPECT_EQ(SearchViewText("Msg.Play", none), Gbk(u8"播放选中的录音文件"));
    EXPECT_EQ(SearchViewText("Msg.Play", english), "Play");
    EXPECT_EQ(SearchViewText("Msg.Unknown", english), Gbk(u8"未知"));
    EXPECT_EQ(SearchViewText("Msg.Other", english), "");
}

} // namespace
} // namespace station
