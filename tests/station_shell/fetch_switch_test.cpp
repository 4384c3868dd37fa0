#include "station/forms/fetch_switch.h"

#include <gtest/gtest.h>

#include "station/core/gbk_literal.h"

namespace {

using forms::TrayImages;
using station::Gbk;

// The button, the animation timer and the tray icon as the switch leaves them.
struct FakeControls : forms::IFetchControls {
    int image = -1;
    std::string caption;
    bool animate_timer = false;
    bool tray_animating = false;
    TrayImages tray_images = TrayImages::Small;
    int tray_icon = -1;
    int hidden_to_tray = 0;
    void SetStartStopButton(int i, const std::string& c) override {
        image = i;
        caption = c;
    }
    void SetAnimateTimer(bool enabled) override { animate_timer = enabled; }
    bool TrayAnimating() const override { return tray_animating; }
    void SetTrayAnimating(bool on) override { tray_animating = on; }
    void ShowTrayIcon(TrayImages images, int index) override {
        tray_images = images;
        tray_icon = index;
    }
    void HideToTray() override { ++hidden_to_tray; }
};

struct FetchFixture : ::testing::Test {
    FakeControls controls;
    station::StationTexts texts;
    int starts = 0, stops = 0;
    forms::FetchSwitch fetch{controls, texts, [this] { ++starts; }, [this] { ++stops; }};
};

TEST_F(FetchFixture, StartAndStopSwitchCaptionImagesAndTray) {
    EXPECT_EQ(fetch.Caption(), Gbk(u8"启动FTP"));
    fetch.Toggle();
    EXPECT_TRUE(fetch.Running());
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(controls.image, 1);
    EXPECT_EQ(controls.caption, Gbk(u8"停止FTP"));
    EXPECT_EQ(fetch.Caption(), Gbk(u8"停止FTP"));  // what the tray menu item copies
    EXPECT_TRUE(controls.animate_timer);
    EXPECT_EQ(controls.tray_images, TrayImages::Animation);
    EXPECT_EQ(controls.tray_icon, 0);

    controls.tray_animating = true;
    fetch.Toggle();
    EXPECT_FALSE(fetch.Running());
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(controls.image, 0);
    EXPECT_EQ(controls.caption, Gbk(u8"启动FTP"));
    EXPECT_FALSE(controls.animate_timer);
    EXPECT_FALSE(controls.tray_animating);
    EXPECT_EQ(controls.tray_images, TrayImages::Small);
    EXPECT_EQ(controls.tray_icon, forms::kTrayIdleIcon);
}

TEST_F(FetchFixture, AnimationFollowsDownloadsOnlyWhileFetching) {
    fetch.AnimateTick(true);
    EXPECT_FALSE(controls.tray_animating);
    fetch.Toggle();
    fetch.AnimateTick(true);
    EXPECT_TRUE(controls.tray_animating);
    controls.tray_icon = 2;  // the animation has moved on
    fetch.AnimateTick(true);
    EXPECT_EQ(controls.tray_icon, 2);
    fetch.AnimateTick(false);
    EXPECT_FALSE(controls.tray_animating);
    EXPECT_EQ(controls.tray_images, TrayImages::Animation);
    EXPECT_EQ(controls.tray_icon, 0);
}

TEST_F(FetchFixture, LogonTimerHidesAndStartsFetchingOnce) {
    fetch.HideToTrayAndFetch();
    EXPECT_EQ(controls.hidden_to_tray, 1);
    EXPECT_TRUE(fetch.Running());
    fetch.HideToTrayAndFetch();  // already fetching (started at show): not toggled off
    EXPECT_TRUE(fetch.Running());
    EXPECT_EQ(starts, 1);
}

TEST_F(FetchFixture, LanguageChangeKeepsTheStateOfTheCaption) {
    fetch.Toggle();
    texts.Set("Caption.StopFTP", "Stop");
    fetch.ApplyTexts();
    EXPECT_EQ(controls.caption, "Stop");
    EXPECT_EQ(controls.image, 1);
}

TEST(AnyDeviceDownloading, NeedsConnectionAndDownloadState) {
    station::BoardTable boards;
    struct Case {
        std::int32_t connected, state;
        int count;
        bool downloading;
    } cases[] = {
        {1, station::StateFTPProcessing, 1, true},  {0, station::StateFTPProcessing, 1, false},
        {1, station::StateWaiting, 1, false},       {1, station::StateFTPProcessing, 0, false},
        {1, station::StateFTPProcessing, -3, false}, {1, station::StateFTPProcessing, 100000, true},
    };
    for (const Case& c : cases) {
        boards[0].Connected = c.connected;
        boards[0].State = c.state;
        EXPECT_EQ(forms::AnyDeviceDownloading(boards, c.count), c.downloading) << c.connected << c.state << c.count;
    }
}

} // namespace
