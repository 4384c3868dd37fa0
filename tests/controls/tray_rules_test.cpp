#include "controls/model/tray_rules.h"

#include <gtest/gtest.h>

#include "controls/model/tray_tip.h"
#include "platform/text_gbk.h"
#include "tests/controls/tray_fakes.h"

namespace {

using TrayIcon = ec::TrayIconRules;
using tray_test::FakeApp;
using tray_test::FakeIcons;
using tray_test::FakeShell;

struct TrayFixture : ::testing::Test {
    FakeShell shell;
    FakeApp app;
    FakeIcons icons{0x100, 4};
};

TEST_F(TrayFixture, LoadedAddsTheIconWithTheChosenImage) {
    TrayIcon tray(shell, app);
    tray.SetIcons(&icons);
    tray.SetIconIndex(2);
    EXPECT_EQ(shell.adds, 0);  // nothing reaches the shell before loading
    tray.Loaded();
    EXPECT_TRUE(shell.present);
    EXPECT_EQ(shell.icon, 0x102u);
    EXPECT_TRUE(tray.Shown());
}

TEST_F(TrayFixture, IconIndexOutsideTheListShowsTheApplicationIcon) {
    TrayIcon tray(shell, app);
    tray.SetIcons(&icons);
    tray.Loaded();
    for (int index : {4, 17, -1}) {
        tray.SetIconIndex(index);
        EXPECT_EQ(shell.icon, FakeApp::kAppIcon) << index;
    }
    tray.SetIconIndex(3);
    EXPECT_EQ(shell.icon, 0x103u);
}

// Loading twice (a description, then the program) must not add a shown icon again: the
// shell refuses a second add, which would read as a lost icon.
TEST_F(TrayFixture, OnlyTheFirstLoadAddsAndEveryAddInstallsTheHandlers) {
    TrayIcon tray(shell, app);
    tray.Loaded();
    tray.Loaded();
    EXPECT_EQ(shell.adds, 1);
    EXPECT_EQ(app.installs, 1);
    tray.SetEnabled(false);
    EXPECT_EQ(app.installs, 1);
    tray.SetEnabled(true);
    tray.OnTaskbarCreated();
    EXPECT_EQ(shell.adds, 3);
    EXPECT_EQ(app.installs, 3);
    EXPECT_TRUE(tray.Shown());
}

TEST_F(TrayFixture, IntervalBelowOneBecomesOne) {
    TrayIcon tray(shell, app);
    tray.SetAnimate(true);
    for (const auto& [given, kept] : {std::pair{0, 1}, {-800, 1}, {1, 1}, {800, 800}}) {
        tray.SetInterval(given);
        EXPECT_EQ(tray.Interval(), kept) << given;
        EXPECT_EQ(app.timer_interval, kept) << given;
    }
}

TEST_F(TrayFixture, AnimationCyclesAndWraps) {
    TrayIcon tray(shell, app);
    tray.SetIcons(&icons);
    tray.SetInterval(800);
    tray.Loaded();
    tray.SetAnimate(true);
    EXPECT_TRUE(app.timer_on);
    EXPECT_EQ(app.timer_interval, 800);
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        tray.AnimateTick();
        seen.push_back(tray.IconIndex());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0, 1}));
    tray.SetAnimate(false);
    EXPECT_FALSE(app.timer_on);
}

// The shell refuses while the task bar is not up yet: the icon stays wanted, comes back on
// "TaskbarCreated", and the window is never hidden without an icon.
TEST_F(TrayFixture, RefusedAddIsRetriedOnTaskbarCreated) {
    shell.refuse_adds = 1;
    TrayIcon tray(shell, app);
    tray.Loaded();
    EXPECT_TRUE(tray.Enabled());
    EXPECT_FALSE(tray.Shown());
    tray.OnTaskbarCreated();
    EXPECT_TRUE(tray.Shown());
    EXPECT_TRUE(shell.present);
}

TEST_F(TrayFixture, RefusedAddIsRetriedOnMinimizeBeforeHiding) {
    shell.refuse_adds = 1;
    TrayIcon tray(shell, app);
    tray.Loaded();
    tray.MinimizeApp();
    EXPECT_TRUE(shell.present);
    EXPECT_FALSE(app.window_visible);
    EXPECT_FALSE(app.minimized) << "hidden in its normal state, so that it comes back in it";
}

TEST_F(TrayFixture, MinimizeNeverHidesTheWindowWithoutAnIcon) {
    shell.refuse_adds = 5;
    TrayIcon tray(shell, app);
    tray.Loaded();
    tray.MinimizeApp();
    EXPECT_TRUE(app.minimized);
    EXPECT_TRUE(app.window_visible);
    // Switched off on purpose: minimising leaves the task-bar button too.
    shell.refuse_adds = 0;
    tray.SetEnabled(false);
    tray.MinimizeApp();
    EXPECT_TRUE(app.window_visible);
}

TEST_F(TrayFixture, MinimizeWithoutHideOnMinimizeKeepsTheTaskbarButton) {
    TrayIcon tray(shell, app);
    tray.SetHideOnMinimize(false);
    tray.Loaded();
    int minimized_events = 0;
    tray.OnMinimize = [&] { ++minimized_events; };
    tray.MinimizeApp();
    EXPECT_TRUE(app.minimized);
    EXPECT_TRUE(app.window_visible);
    EXPECT_EQ(minimized_events, 1);
}

// The application's handlers call back into the icon while it minimises or restores: each
// event fires once.
struct ReenteringApp : FakeApp {
    TrayIcon* tray = nullptr;
    int handler_calls = 0;
    void Minimize() override {
        FakeApp::Minimize();
        ++handler_calls;
        tray->MinimizeApp();
    }
    void Restore() override {
        FakeApp::Restore();
        ++handler_calls;
        tray->RestoreApp();
    }
};

TEST(TrayReentry, MinimizeAndRestoreAreNotReenteredThroughTheApplication) {
    FakeShell shell;
    ReenteringApp app;
    TrayIcon tray(shell, app);
    app.tray = &tray;
    tray.SetHideOnMinimize(false);
    tray.Loaded();
    int minimized = 0, restored = 0;
    tray.OnMinimize = [&] { ++minimized; };
    tray.OnRestore = [&] { ++restored; };
    tray.MinimizeApp();
    EXPECT_TRUE(app.minimized);
    tray.RestoreApp();
    EXPECT_FALSE(app.minimized);
    EXPECT_EQ(app.handler_calls, 2);
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(restored, 1);
}

TEST_F(TrayFixture, RestoreShowsAHiddenWindowEvenWithTheIconSwitchedOff) {
    TrayIcon tray(shell, app);
    tray.Loaded();
    tray.MinimizeApp();
    ASSERT_FALSE(app.window_visible);
    tray.SetEnabled(false);
    EXPECT_FALSE(shell.present);
    tray.RestoreApp();
    EXPECT_TRUE(app.window_visible);
    EXPECT_FALSE(app.minimized);
}

TEST_F(TrayFixture, TaskbarCreatedAddsAgainEvenWhenTheOldTaskbarHadTheIcon) {
    TrayIcon tray(shell, app);
    tray.Loaded();
    shell.present = false;  // the shell restarted
    tray.OnTaskbarCreated();
    EXPECT_TRUE(shell.present);
    EXPECT_EQ(shell.adds, 2);
}

TEST_F(TrayFixture, ClicksRestoreOrPopUpByTheirSettings) {
    TrayIcon tray(shell, app);
    tray.SetHasPopupMenu(true);
    tray.Loaded();
    tray.MinimizeApp();
    std::vector<std::string> events;
    tray.OnLButtonDblClick = [&] { events.push_back(app.window_visible ? "dbl after restore" : "dbl before"); };
    tray.OnRButtonUp = [&] { events.push_back("rup"); };
    tray.OnCallback(TrayIcon::kLButtonDblClk);
    EXPECT_TRUE(app.window_visible);
    tray.OnCallback(TrayIcon::kRButtonDown);
    EXPECT_EQ(app.popups, 0);
    tray.OnCallback(TrayIcon::kRButtonUp);
    EXPECT_EQ(app.popups, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"dbl after restore", "rup"}));
}

TEST_F(TrayFixture, RestoreWhileThePopupIsOpenDoesNothing) {
    TrayIcon tray(shell, app);
    tray.SetHasPopupMenu(true);
    tray.Loaded();
    tray.MinimizeApp();
    app.during_popup = [&] { tray.RestoreApp(); };
    tray.OnCallback(TrayIcon::kRButtonUp);
    EXPECT_FALSE(app.window_visible);
    tray.RestoreApp();  // the flag is cleared after the menu closed
    EXPECT_TRUE(app.window_visible);
}

TEST_F(TrayFixture, SessionEndAsksAndRemovesTheIcon) {
    TrayIcon tray(shell, app);
    tray.Loaded();
    EXPECT_EQ(tray.OnQueryEndSession(), 1);
    tray.OnQueryEndSessionEvent = [](bool& allow) { allow = false; };
    EXPECT_EQ(tray.OnQueryEndSession(), 0);
    int ended = 0;
    tray.OnEndSessionEvent = [&] { ++ended; };
    tray.OnEndSession(false);
    EXPECT_TRUE(shell.present);
    tray.OnEndSession(true);
    EXPECT_FALSE(shell.present);
    EXPECT_EQ(ended, 2);
}

TEST_F(TrayFixture, DestructionDeletesAShownIconOnly) {
    {
        TrayIcon tray(shell, app);
        tray.Loaded();
    }
    EXPECT_EQ(shell.deletes, 1);
    shell.refuse_adds = 1;
    {
        TrayIcon tray(shell, app);
        tray.Loaded();
    }
    EXPECT_EQ(shell.deletes, 1);
}

// The tip is cut to the shell's field and never inside a double-byte character.
TEST(TrayTip, CutToTheFieldOnACharacterBoundary) {
    const std::string ascii(200, 'a');
    const std::string han = plat::utf8_to_gbk(u8"录");  // two bytes
    std::string hans;
    for (int i = 0; i < 100; ++i) hans += han;
    // Behind one ASCII byte the characters end exactly on the limits; without it the last
    // character would straddle them.
    const std::string shifted = "a" + hans;
    struct Case {
        std::string hint;
        bool new_shell;
        std::size_t length;
    } cases[] = {
        {ascii, true, 127}, {ascii, false, 63}, {shifted, true, 127}, {shifted, false, 63},
        {hans, true, 126},  {hans, false, 62},  {"a" + han, true, 3},  {"", true, 0},
    };
    for (const Case& c : cases) {
        const std::string tip = ec::TrayTipText(c.hint, c.new_shell);
        EXPECT_EQ(tip.size(), c.length) << c.hint.size() << " new=" << c.new_shell;
        EXPECT_EQ(tip, c.hint.substr(0, tip.size()));
    }
}

TEST_F(TrayFixture, HintReachesTheShellCut) {
    TrayIcon tray(shell, app);
    tray.Loaded();
    tray.SetHint(std::string(200, 'x'));
    EXPECT_EQ(shell.tip.size(), 127u);
    shell.new_shell = false;
    tray.SetHint(std::string(100, 'y'));
    EXPECT_EQ(shell.tip.size(), 63u);
}

} // namespace
