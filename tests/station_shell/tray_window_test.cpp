// The tray icon against the real notification area: a refused add followed by
// "TaskbarCreated" shows the icon.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "station/forms/win_tray.h"

namespace {

struct QuietApp : forms::ITrayApplication {
    forms::IconHandle ApplicationIcon() const override {
        return reinterpret_cast<forms::IconHandle>(LoadIconW(nullptr, IDI_APPLICATION));
    }
    void Minimize() override {}
    void HideMainWindow() override {}
    void Restore() override {}
    void ShowMainWindowInFront() override {}
    void ShowPopupMenu() override {}
    void SetAnimationTimer(bool, int) override {}
};

// The real shell, except that it refuses the first add as it does before the task bar exists.
struct RefuseFirstAdd : forms::ITrayShell {
    explicit RefuseFirstAdd(HWND window) : real(window) {}
    forms::WinTrayShell real;
    int adds = 0;
    bool NewShell() const override { return real.NewShell(); }
    bool Add(forms::IconHandle icon, const std::string& tip) override {
        return ++adds == 1 ? false : real.Add(icon, tip);
    }
    bool Modify(forms::IconHandle icon, const std::string& tip) override { return real.Modify(icon, tip); }
    void Delete() override { real.Delete(); }
};

// True when the shell holds an icon of `window`: only an existing icon can be modified.
bool shell_has_icon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = 1;
    data.uFlags = NIF_TIP;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

TEST(TrayWindow, RefusedAddFollowedByTaskbarCreatedShowsTheIcon) {
    QuietApp app;
    forms::WinTrayIcon icon(app);
    auto shell = std::make_unique<RefuseFirstAdd>(icon.Window());
    RefuseFirstAdd* refusing = shell.get();
    icon.UseShell(std::move(shell));
    icon.Tray().SetHint("Velquist");
    icon.Tray().Loaded();
    EXPECT_FALSE(icon.Tray().Shown());
    EXPECT_FALSE(shell_has_icon(icon.Window()));

    SendMessageW(icon.Window(), forms::WinTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(refusing->adds, 2);
    EXPECT_TRUE(icon.Tray().Shown());
    EXPECT_TRUE(shell_has_icon(icon.Window()));
}

TEST(TrayWindow, SessionMessagesReachTheIcon) {
    QuietApp app;
    forms::WinTrayIcon icon(app);
    icon.Tray().Loaded();
    ASSERT_TRUE(icon.Tray().Shown());
    EXPECT_EQ(SendMessageW(icon.Window(), WM_QUERYENDSESSION, 0, 0), 1);
    SendMessageW(icon.Window(), WM_ENDSESSION, 1, 0);
    EXPECT_FALSE(icon.Tray().Shown());
    EXPECT_FALSE(shell_has_icon(icon.Window()));
}

} // namespace
