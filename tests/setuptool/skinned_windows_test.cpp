// The setup tool skinned from the skin its main window description carries: the main window
// with its list, status bar and menu bar, a dropped menu in the skin's popup windows, the
// address dialog, the inactive frame, and the receiver thread kept out of the skin's way.
// Pictures for review go to kesto_skin_screenshots.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/menus.h"
#include "skin/win/skin_menu_bar.h"
#include "skin/win/skin_popup_menu.h"
#include "tests/setuptool/kesto_skin_fixture.h"
#include "tests/support/window_test/modal_action.h"

namespace {

using kesto_test::part;
using kesto_test::skinned;

constexpr const char* kShots = "kesto_skin_screenshots";

std::set<DWORD> process_threads() {
    std::set<DWORD> threads;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return threads;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) threads.insert(entry.th32ThreadID);
    CloseHandle(snapshot);
    return threads;
}

int thread_window_count(DWORD thread) {
    int count = 0;
    EnumThreadWindows(
        thread,
        [](HWND, LPARAM counter) -> BOOL {
            ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

std::vector<HWND> visible_popup_menus() {
    std::vector<HWND> menus;
    for (HWND m = FindWindowW(L"#32768", nullptr); m; m = FindWindowExW(nullptr, m, L"#32768", nullptr))
        if (IsWindowVisible(m)) menus.push_back(m);
    return menus;
}

// The screen under `window` and the popup menus over it.
bool save_screen_area(HWND window, const std::vector<HWND>& over, const std::string& name) {
    RECT area{};
    GetWindowRect(window, &area);
    for (HWND m : over) {
        UpdateWindow(m);
        RECT r{};
        GetWindowRect(m, &r);
        UnionRect(&area, &area, &r);
    }
    ui::Bitmap shot(area.right - area.left, area.bottom - area.top);
    HDC screen = GetDC(nullptr);
    BitBlt(shot.dc(), 0, 0, shot.width(), shot.height(), screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return window_test::save_picture(shot, kShots, name);
}

class KestoSkinned : public kesto_test::KestoSkinFixture {};

TEST_F(KestoSkinned, MainWindowStartsSkinnedFromItsEmbeddedSkin) {
    const skin::TSkinManage::HookCounts hooks_before = skin::TSkinManage::Hooks();
    open();
    skin::TSkinData* data = skin_data();
    ASSERT_NE(data, nullptr);
    std::string committed;
    ASSERT_TRUE(plat::read_whole_file(VQ_SKIN_STORED_DIR "/default.skn", committed));
    EXPECT_EQ(data->StoredArchive(), std::vector<std::uint8_t>(committed.begin(), committed.end()));
    EXPECT_FALSE(data->NoSkin()) << data->LoadError();
    EXPECT_TRUE(data->Active());
    EXPECT_TRUE(skin_faults.faults.empty()) << skin_faults.faults.front().text;

    const HWND h = main->handle();
    ASSERT_TRUE(window_test::pump_until([&] { return skinned(h) != nullptr; }, 3000));
    skin::TWinSkinForm* form = skinned(h);
    EXPECT_EQ(form->data(), data);
    // The stored client size holds under the skin's frame.
    EXPECT_EQ(main->client_width(), 931);
    EXPECT_EQ(main->client_height(), 391);

    // The menu in the skin's bar, the system's bar gone.
    skin::TWinSkinMenu* bar = form->menu_bar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenu(h), nullptr);
    std::vector<std::string> items, buttons;
    for (ui::MenuItem* item : main->menu()->items()->items()) items.push_back(item->caption());
    for (const auto& b : bar->buttons()) buttons.push_back(plat::wide_to_gbk(b.caption));
    EXPECT_EQ(buttons, items);
    EXPECT_EQ(items.size(), 2u);

    // The list and the status bar carry skins of their own.
    ASSERT_TRUE(refresh_and_wait(3));
    window_test::pump(100);
    for (ui::WinControl* control : {static_cast<ui::WinControl*>(&main->device_list()),
                                    static_cast<ui::WinControl*>(&main->status_bar())}) {
        EXPECT_TRUE(form->FindControlSkin(control) || form->FindWindowSkin(control->handle())) << control->name();
    }
    EXPECT_EQ(main->status_bar().panel_text(1), plat::utf8_to_gbk("找到的设备数: 3"));

    // One hook, on this (the window) thread; every window the skin saw is this thread's.
    EXPECT_EQ(skin::TSkinManage::Hooks().installed, hooks_before.installed + 1);
    EXPECT_TRUE(skin::TSkinManage::Instance()->HookInstalled());
    for (const auto& w : skin::TSkinManage::Instance()->Windows())
        EXPECT_EQ(GetWindowThreadProcessId(w->window(), nullptr), GetCurrentThreadId());
    EXPECT_TRUE(window_test::save_screenshot(h, kShots, "main_window"));
}

// The receiver thread hands every reply to the window thread: it makes no window, so the
// creation hook, which sees only the window thread, never meets it.
TEST_F(KestoSkinned, ReceiverThreadMakesNoWindowAndInstallsNoHook) {
    const std::set<DWORD> before = process_threads();
    const skin::TSkinManage::HookCounts hooks_before = skin::TSkinManage::Hooks();
    open();
    ASSERT_TRUE(refresh_and_wait(3));
    ASSERT_TRUE(refresh_and_wait(3));
    std::vector<DWORD> started;
    for (DWORD t : process_threads())
        if (!before.count(t)) started.push_back(t);
    EXPECT_FALSE(started.empty()) << "the receiver runs on a thread of its own";
    for (DWORD t : started) EXPECT_EQ(thread_window_count(t), 0) << "thread " << t;
    EXPECT_EQ(skin::TSkinManage::Hooks().installed, hooks_before.installed + 1);
    EXPECT_EQ(skin::TSkinManage::Hooks().removed, hooks_before.removed);
}

// The File menu dropped from the skinned bar opens in the skin's popup window.
TEST_F(KestoSkinned, DroppedMenuOpensInTheSkinsPopupWindow) {
    open();
    const HWND h = main->handle();
    ASSERT_TRUE(window_test::pump_until([&] { return skinned(h) != nullptr; }, 3000));
    ASSERT_TRUE(refresh_and_wait(3));
    skin::TWinSkinMenu* bar = skinned(h)->menu_bar();
    ASSERT_NE(bar, nullptr);
    int popups = 0;
    bool ran = false, popup_skinned = false, saved = false;
    window_test::when_modal(
        [] { return !visible_popup_menus().empty() && !skin::TWinSkinPopMenu::Skins().empty(); },
        [&] {
            ran = true;
            const std::vector<HWND> menus = visible_popup_menus();
            popups = static_cast<int>(menus.size());
            popup_skinned = !menus.empty() && skin::TWinSkinPopMenu::ForWindow(menus.front()) != nullptr;
            saved = save_screen_area(h, menus, "main_window_menu_dropped");
            PostMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0);
        });
    PostMessageW(h, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_TRUE(window_test::pump_until([&] { return ran && !bar->in_menu_mode(); }, 12000));
    EXPECT_EQ(popups, 1);
    EXPECT_TRUE(popup_skinned);
    EXPECT_TRUE(saved);
    // Nothing was chosen: the list stays as it was.
    window_test::pump(50);
    EXPECT_EQ(rows(), 3);
}

// The address dialog is skinned when it is first activated, with the main window's skin.
TEST_F(KestoSkinned, AddressDialogIsSkinnedWhenFirstActivated) {
    open();
    ASSERT_TRUE(refresh_and_wait(3));
    main->device_list().set_selected(main->device_list().item(0));
    EXPECT_EQ(skinned(dialog->handle()), nullptr) << "not before it is shown";
    skin::TSkinData* data = skin_data();
    bool dialog_skinned = false, same_skin = false, button_skinned = false, saved = false;
    window_test::when_modal([&] { return dialog->visible() && skinned(dialog->handle()) != nullptr; }, [&] {
        if (skin::TWinSkinForm* form = skinned(dialog->handle())) {
            dialog_skinned = true;
            same_skin = form->data() == data;
            auto* ok = part<ui::Button>(*dialog, "btnOK");
            button_skinned = form->FindControlSkin(ok) || form->FindWindowSkin(ok->handle());
            window_test::pump(100);
            saved = window_test::save_screenshot(dialog->handle(), kShots, "address_dialog");
        }
        part<ui::Button>(*dialog, "btnCancel")->click();
    });
    part<ui::MenuItem>(*main, "NodeIPAddress")->click();
    EXPECT_TRUE(dialog_skinned);
    EXPECT_TRUE(same_skin);
    EXPECT_TRUE(button_skinned);
    EXPECT_TRUE(saved);
    EXPECT_TRUE(messages.shown.empty());
}

// Another window active: the main window's frame painted inactive.
TEST_F(KestoSkinned, InactiveMainWindow) {
    open();
    const HWND h = main->handle();
    ASSERT_TRUE(window_test::pump_until([&] { return skinned(h) != nullptr && skinned(h)->active(); }, 3000));
    ASSERT_TRUE(refresh_and_wait(3));
    HWND other = CreateWindowExW(0, L"Static", L"other", WS_POPUP | WS_CAPTION | WS_VISIBLE, 20, 600, 200, 80,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    EXPECT_TRUE(window_test::pump_until([&] { return skinned(h) && !skinned(h)->active(); }, 3000));
    EXPECT_TRUE(window_test::save_screenshot(h, kShots, "main_window_inactive"));
    DestroyWindow(other);
}

} // namespace
