// The tray icon component against a real main window: hiding to the tray and back, clicks and
// the popup menu through the icon's own window, the image list followed through its changes,
// the animation timer, the session messages, the real notification area after a refused add,
// and the component read from and written to window descriptions.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "controls/ec_tray.h"
#include "controls/register_control_set.h"
#include "platform/text_gbk.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "tests/controls/tray_fakes.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;

namespace {

// The fixture's notification area, handed to the component as its shell.
struct ShellRef : ITrayShell {
    explicit ShellRef(tray_test::FakeShell& s) : shell(s) {}
    tray_test::FakeShell& shell;
    bool NewShell() const override { return shell.NewShell(); }
    bool Add(IconHandle icon, const std::string& tip) override { return shell.Add(icon, tip); }
    bool Modify(IconHandle icon, const std::string& tip) override { return shell.Modify(icon, tip); }
    void Delete() override { shell.Delete(); }
};

// The real shell, except that it refuses the first add as it does before the task bar exists.
struct RefuseFirstAdd : ITrayShell {
    explicit RefuseFirstAdd(HWND window) : real(window) {}
    WinTrayShell real;
    int adds = 0;
    bool NewShell() const override { return real.NewShell(); }
    bool Add(IconHandle icon, const std::string& tip) override { return ++adds == 1 ? false : real.Add(icon, tip); }
    bool Modify(IconHandle icon, const std::string& tip) override { return real.Modify(icon, tip); }
    void Delete() override { real.Delete(); }
};

// True when the shell holds an icon of `window`: only an existing icon can be modified.
bool shell_has_icon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = kTrayIconId;
    data.uFlags = NIF_TIP;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

LRESULT click(TEcTrayIcon& tray, UINT mouse_message) {
    return SendMessageW(tray.handle(), kTrayCallbackMessage, kTrayIconId, static_cast<LPARAM>(mouse_message));
}

// Frames of our own: a coloured square with a white block that moves one step per frame.
void add_frames(ui::ImageList& list, int count) {
    const ui::TColor colours[] = {ui::clNavy, ui::clGreen, ui::clMaroon, ui::clPurple};
    for (int i = 0; i < count; ++i) {
        ui::Bitmap frame(16, 16);
        frame.canvas().brush().color = colours[i % 4];
        frame.canvas().fill_rect({0, 0, 16, 16});
        frame.canvas().brush().color = ui::clWhite;
        frame.canvas().fill_rect({2 + 3 * (i % 4), 5, 5 + 3 * (i % 4), 11});
        list.add(frame);
    }
}

class EcTrayIcon : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        window_test::errors().clear();
        register_control_set_classes();
        main_ = std::make_unique<ui::Form>(nullptr);
        main_->set_name("TrayMain");
        main_->set_caption("Velquist tray test");
        main_->set_bounds(40, 40, 240, 120);
        ui::application().set_main_form(main_.get());
        main_->show();
        window_test::pump(50);
    }
    void TearDown() override {
        ui::PopupMenu::set_track_function(nullptr);
        ui::application().set_main_form(nullptr);
        main_.reset();
        EXPECT_TRUE(window_test::errors().empty());
        window_test::errors().clear();
    }

    // A tray icon of the main window on the fixture's shell, loaded as a description would.
    TEcTrayIcon& make_tray(bool load = true) {
        auto* tray = new TEcTrayIcon(main_.get());
        tray->set_name("TrayIcon1");
        tray->use_shell(std::make_unique<ShellRef>(shell_));
        if (load) tray->loaded();
        return *tray;
    }
    HWND main_window() const { return main_->handle(); }
    bool main_visible() const { return IsWindowVisible(main_window()) != FALSE; }

    tray_test::FakeShell shell_;
    std::unique_ptr<ui::Form> main_;
};

// Hidden, not minimised first: it shows nothing of either state and comes back as it was.
TEST_F(EcTrayIcon, MinimizeHidesTheMainWindowAndRestoreBringsItBack) {
    TEcTrayIcon& tray = make_tray();
    ASSERT_TRUE(tray.shown());
    std::vector<std::string> events;
    tray.on_minimize_app = [&](ui::Component* sender) {
        EXPECT_EQ(sender, &tray);
        events.push_back("minimize");
    };
    tray.on_restore_app = [&](ui::Component*) { events.push_back("restore"); };
    tray.minimize_app();
    EXPECT_FALSE(main_visible());
    EXPECT_FALSE(IsIconic(main_window()));
    tray.restore_app();
    EXPECT_TRUE(main_visible());
    EXPECT_EQ(events, (std::vector<std::string>{"minimize", "restore"}));

    // Without HideOnMinimize the task-bar button stays.
    tray.set_hide_on_minimize(false);
    tray.minimize_app();
    EXPECT_TRUE(main_visible());
    EXPECT_TRUE(IsIconic(main_window()));
    tray.restore_app();
    EXPECT_FALSE(IsIconic(main_window()));
    EXPECT_EQ(events.size(), 4u);
}

// The window's own minimise button reaches the icon through the application's handler; a
// double click on the icon restores the window before the click's event fires.
TEST_F(EcTrayIcon, TheWindowsMinimiseGoesToTheTrayAndADoubleClickRestores) {
    TEcTrayIcon& tray = make_tray();
    SendMessageW(main_window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(main_visible());
    bool visible_at_click = false;
    tray.on_lbutton_dbl_click = [&](ui::Component*) { visible_at_click = main_visible(); };
    int restores = 0;
    tray.on_restore_app = [&](ui::Component*) { ++restores; };
    click(tray, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(visible_at_click);
    EXPECT_FALSE(IsIconic(main_window()));
    EXPECT_EQ(restores, 1) << "the application's restore handler does not restore a second time";
    EXPECT_FALSE(ui::application().minimized());
}

TEST_F(EcTrayIcon, RefusedAddNeverHidesTheWindowAndIsRetriedOnMinimize) {
    shell_.refuse_adds = 1;
    TEcTrayIcon& tray = make_tray();
    EXPECT_TRUE(tray.enabled());
    EXPECT_FALSE(tray.shown());
    tray.minimize_app();
    EXPECT_TRUE(tray.shown());
    EXPECT_FALSE(main_visible());
    tray.restore_app();

    shell_.present = false;  // the shell lost the icon and now refuses it
    shell_.refuse_adds = 5;
    click(tray, 0);  // an unknown callback changes nothing
    SendMessageW(tray.handle(), TEcTrayIcon::taskbar_created_message(), 0, 0);
    EXPECT_FALSE(tray.shown());
    tray.minimize_app();
    EXPECT_TRUE(main_visible()) << "no icon to come back by";
    EXPECT_TRUE(IsIconic(main_window()));
    tray.restore_app();
}

TEST_F(EcTrayIcon, PopupMenuOnItsClickAndNoRestoreWhileItIsOpen) {
    TEcTrayIcon& tray = make_tray();
    auto* menu = new ui::PopupMenu(main_.get());
    auto* item = new ui::MenuItem(main_.get());
    item->set_caption("Open");
    menu->items()->add(item);
    int chosen = 0;
    item->on_click = [&](ui::Component*) { ++chosen; };
    tray.set_popup_menu(menu);
    tray.minimize_app();
    ui::PopupMenu::set_track_function([&](HMENU, UINT, int, int, HWND) -> UINT {
        tray.restore_app();  // a restore request while the menu is open
        return item->command();
    });
    click(tray, WM_RBUTTONDOWN);
    EXPECT_EQ(chosen, 0);
    click(tray, WM_RBUTTONUP);
    EXPECT_EQ(chosen, 1);
    EXPECT_FALSE(main_visible());
    tray.restore_app();  // the flag is cleared after the menu closed
    EXPECT_TRUE(main_visible());

    tray.set_popup_menu_on(TEcTrayIconClicks::ticLeftClick);
    click(tray, WM_RBUTTONUP);
    click(tray, WM_LBUTTONDOWN);
    EXPECT_EQ(chosen, 2);
    delete menu;  // a freed menu leaves no dangling reference
    EXPECT_EQ(tray.popup_menu(), nullptr);
    click(tray, WM_LBUTTONDOWN);
    EXPECT_EQ(chosen, 2);
}

TEST_F(EcTrayIcon, IconIndexOutsideTheListShowsTheApplicationsIcon) {
    TEcTrayIcon& tray = make_tray();
    auto* frames = new ui::ImageList(main_.get());
    add_frames(*frames, 3);
    tray.set_icons(frames);
    const IconHandle app_icon = reinterpret_cast<IconHandle>(ui::application().icon());
    EXPECT_NE(shell_.icon, app_icon);
    for (int index : {3, 17, -1}) {
        tray.set_icon_index(index);
        EXPECT_EQ(shell_.icon, app_icon) << index;
    }
    tray.set_icon_index(2);
    EXPECT_NE(shell_.icon, app_icon);

    // Changes of the list are followed: with fewer images the index falls outside.
    frames->remove(2);
    EXPECT_EQ(shell_.icon, app_icon);
    add_frames(*frames, 1);
    EXPECT_NE(shell_.icon, app_icon);
    delete frames;
    EXPECT_EQ(tray.icons(), nullptr);
    EXPECT_EQ(shell_.icon, app_icon);
}

// The animation runs on the component's timer; the frames the shell was given are saved as one
// strip for a look.
TEST_F(EcTrayIcon, AnimationCyclesThroughTheListOnItsTimer) {
    TEcTrayIcon& tray = make_tray();
    auto* frames = new ui::ImageList(main_.get());
    add_frames(*frames, 4);
    tray.set_icons(frames);
    tray.set_interval(800);
    EXPECT_FALSE(tray.animation_timer().enabled());
    tray.set_animate(true);
    EXPECT_TRUE(tray.animation_timer().enabled());
    EXPECT_EQ(tray.animation_timer().interval(), 800u);

    ui::Bitmap strip(16 * 6, 16);
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i) {
        tray.animation_timer().fire();
        seen.push_back(tray.icon_index());
        DrawIconEx(strip.dc(), 16 * i, 0, reinterpret_cast<HICON>(shell_.icon), 16, 16, 0, nullptr, DI_NORMAL);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0, 1, 2}));
    // Each frame's white block, one step further than the last.
    for (int i = 0; i < 6; ++i) EXPECT_EQ(strip.pixel(16 * i + 3 + 3 * seen[static_cast<std::size_t>(i)], 8), 0xFFFFFFu) << i;
    EXPECT_TRUE(window_test::save_picture(strip, "controls_screenshots", "tray_animation_frames"));

    for (const auto& [given, kept] : {std::pair{0, 1}, {-5, 1}, {250, 250}}) {
        tray.set_interval(given);
        EXPECT_EQ(tray.interval(), kept) << given;
        EXPECT_EQ(tray.animation_timer().interval(), static_cast<unsigned>(kept)) << given;
    }
    tray.set_animate(false);
    EXPECT_FALSE(tray.animation_timer().enabled());
}

TEST_F(EcTrayIcon, AnyHintLengthIsCutForTheShell) {
    TEcTrayIcon& tray = make_tray();
    const std::string han = plat::utf8_to_gbk(u8"录");
    std::string long_han = "a";
    for (int i = 0; i < 600; ++i) long_han += han;
    for (const std::string& hint : {std::string(128, 'x'), std::string(100000, 'y'), long_han}) {
        tray.set_hint(hint);
        EXPECT_EQ(tray.hint(), hint);
        EXPECT_EQ(shell_.tip.size(), 127u) << hint.size();
        EXPECT_EQ(shell_.tip, hint.substr(0, 127));
    }
    tray.set_hint("");
    EXPECT_EQ(shell_.tip, "");
}

TEST_F(EcTrayIcon, SessionMessagesAreAnsweredByItsWindow) {
    TEcTrayIcon& tray = make_tray();
    EXPECT_EQ(SendMessageW(tray.handle(), WM_QUERYENDSESSION, 0, 0), 1);
    tray.on_query_end_session = [&](ui::Component* sender, bool& allow) {
        EXPECT_EQ(sender, &tray);
        allow = false;
    };
    EXPECT_EQ(SendMessageW(tray.handle(), WM_QUERYENDSESSION, 0, 0), 0);
    int ended = 0;
    tray.on_end_session = [&](ui::Component*) { ++ended; };
    SendMessageW(tray.handle(), WM_ENDSESSION, 0, 0);
    EXPECT_TRUE(shell_.present);
    SendMessageW(tray.handle(), WM_ENDSESSION, 1, 0);
    EXPECT_FALSE(shell_.present);
    EXPECT_EQ(ended, 2);
}

// The icon is the application's minimise and restore handler from its creation, takes the
// handlers back on every add, and leaves none behind that would call into a freed icon.
TEST_F(EcTrayIcon, ApplicationHandlersFollowTheIconAndGoWithIt) {
    TEcTrayIcon& tray = make_tray(false);
    EXPECT_TRUE(ui::application().on_minimize);
    int other = 0;
    ui::application().on_minimize = [&](ui::Component*) { ++other; };
    tray.loaded();
    tray.set_hide_on_minimize(true);
    ui::application().minimize();
    EXPECT_EQ(other, 0);
    EXPECT_FALSE(main_visible());
    tray.restore_app();

    delete &tray;
    EXPECT_FALSE(ui::application().on_minimize);
    EXPECT_FALSE(ui::application().on_restore);
    EXPECT_EQ(shell_.deletes, 1);
    ui::application().minimize();
    ui::application().restore();

    // A handler that another part installed after the icon stays.
    TEcTrayIcon& second = make_tray();
    ui::application().on_restore = [&](ui::Component*) { ++other; };
    delete &second;
    ASSERT_TRUE(ui::application().on_restore);
    ui::application().on_restore = nullptr;
}

// The real notification area: a refused add followed by "TaskbarCreated" shows the icon, and
// the end of the session removes it.
TEST_F(EcTrayIcon, RealShellAfterARefusedAddAndAtTheEndOfTheSession) {
    auto* tray = new TEcTrayIcon(main_.get());
    auto refusing_shell = std::make_unique<RefuseFirstAdd>(tray->handle());
    RefuseFirstAdd* refusing = refusing_shell.get();
    tray->use_shell(std::move(refusing_shell));
    tray->set_hint("Velquist");
    tray->loaded();
    EXPECT_FALSE(tray->shown());
    EXPECT_FALSE(shell_has_icon(tray->handle()));

    SendMessageW(tray->handle(), TEcTrayIcon::taskbar_created_message(), 0, 0);
    EXPECT_EQ(refusing->adds, 2);
    EXPECT_TRUE(tray->shown());
    EXPECT_TRUE(shell_has_icon(tray->handle()));

    SendMessageW(tray->handle(), WM_ENDSESSION, 1, 0);
    EXPECT_FALSE(tray->shown());
    EXPECT_FALSE(shell_has_icon(tray->handle()));
    delete tray;
}

TEST_F(EcTrayIcon, LoadsFromADescriptionAndRoundTrips) {
    ui::Form form(nullptr);
    int right_clicks = 0;
    form.register_method("TrayRButtonUp", ui::NotifyEvent([&](ui::Component*) { ++right_clicks; }));
    ui::read_description(form, R"(object TrayForm: TForm
  Width = 200
  Height = 100
  object TrayImages: TImageList
  end
  object TrayMenu: TPopupMenu
    object itemOpen: TMenuItem
      Caption = 'Open'
    end
  end
  object TrayIconMain: TEcTrayIcon
    HideOnMinimize = False
    Hint = 'Velquist'
    IconIndex = 1
    Icons = TrayImages
    Interval = 800
    PopupMenu = TrayMenu
    OnRButtonUp = TrayRButtonUp
  end
end
)");
    auto* tray = dynamic_cast<TEcTrayIcon*>(form.find_component("TrayIconMain"));
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->icons(), form.find_component("TrayImages"));
    EXPECT_EQ(tray->popup_menu(), form.find_component("TrayMenu"));
    EXPECT_FALSE(tray->hide_on_minimize());
    EXPECT_EQ(tray->interval(), 800);
    EXPECT_EQ(tray->hint(), "Velquist");
    EXPECT_TRUE(tray->shown());
    EXPECT_TRUE(shell_has_icon(tray->handle()));
    // The list is empty yet: the application's icon, until the images arrive.
    EXPECT_EQ(tray->current_icon(), ui::application().icon());
    add_frames(*tray->icons(), 2);
    EXPECT_NE(tray->current_icon(), ui::application().icon());

    ui::PopupMenu::set_track_function([](HMENU, UINT, int, int, HWND) -> UINT { return 0; });
    int popups = 0;
    tray->popup_menu()->on_popup = [&](ui::Component*) { ++popups; };
    click(*tray, WM_RBUTTONUP);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(right_clicks, 1);

    // Defaults are left out; the two the station changes are written.
    tray->set_restore_on(TEcTrayIconClicks::ticLeftClickUp);
    const std::string text = ui::write_description(form);
    EXPECT_NE(text.find("HideOnMinimize = False"), std::string::npos) << text;
    EXPECT_NE(text.find("Interval = 800"), std::string::npos) << text;
    EXPECT_NE(text.find("RestoreOn = ticLeftClickUp"), std::string::npos) << text;
    for (const char* left_out : {"Animate", "Enabled", "PopupMenuOn"})
        EXPECT_EQ(text.find(left_out), std::string::npos) << left_out << "\n" << text;
    ui::Form again(nullptr);
    again.register_method("TrayRButtonUp", ui::NotifyEvent([](ui::Component*) {}));
    ui::read_description(again, text);
    EXPECT_EQ(ui::write_description(again), text);
}

} // namespace
