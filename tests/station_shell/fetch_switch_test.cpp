#include "station/forms/fetch_switch.h"

#include <gtest/gtest.h>

#include "station/core/gbk_literal.h"
#include "tests/station_shell/tray_fakes.h"

namespace {

using station::Gbk;

struct FakeControls : forms::IFetchControls {
    int image = -1;
    std::string caption;
    bool animate_timer = false;
    void SetStartStopButton(int i, const std::string& c) override {
        image = i;
        caption = c;
    }
    void SetAnimateTimer(bool enabled) override { animate_timer = enabled; }
};

struct FetchFixture : ::testing::Test {
    shell_test::FakeShell shell;
    shell_test::FakeApp app;
    shell_test::FakeIcons small{0x200, 5};
    shell_test::FakeIcons animation{0x300, 4};
    forms::TrayIcon tray{shell, app};
    FakeControls controls;
    station::StationTexts texts;
    int starts = 0, stops = 0;
    forms::FetchSwitch fetch{controls, tray, small, animation, texts, [this] { ++starts; }, [this] { ++stops; }};

    FetchFixture() { tray.Loaded(); }
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
    EXPECT_EQ(shell.icon, 0x300u);

    fetch.Toggle();
    EXPECT_FALSE(fetch.Running());
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(controls.image, 0);
    EXPECT_EQ(controls.caption, Gbk(u8"启动FTP"));
    EXPECT_FALSE(controls.animate_timer);
    EXPECT_FALSE(tray.Animate());
    EXPECT_EQ(shell.icon, 0x203u);  // small image 3
}

TEST_F(FetchFixture, AnimationFollowsDownloadsOnlyWhileFetching) {
    fetch.AnimateTick(true);
    EXPECT_FALSE(tray.Animate());
    fetch.Toggle();
    fetch.AnimateTick(true);
    EXPECT_TRUE(tray.Animate());
    tray.AnimateTick();
    tray.AnimateTick();
    EXPECT_EQ(tray.IconIndex(), 2);
    fetch.AnimateTick(false);
    EXPECT_FALSE(tray.Animate());
    EXPECT_EQ(tray.IconIndex(), 0);
    EXPECT_EQ(shell.icon, 0x300u);
}

TEST_F(FetchFixture, LogonTimerHidesAndStartsFetchingOnce) {
    fetch.HideToTrayAndFetch();
    EXPECT_FALSE(app.window_visible);
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
