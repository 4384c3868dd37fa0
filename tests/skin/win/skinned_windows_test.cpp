// Skinned windows: the manager's hook and filter, its commands, the skinned frame's sizes,
// shape, painting, hit test and caption buttons, and unskinning, in both of our own skins.
#include <windows.h>

#include <map>
#include <thread>

#include <gtest/gtest.h>

#include "platform/ui/win/forms.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/screenshot.h"
#include "platform/ui/win/subclass.h"
#include "skin/win/skin_messages.h"
#include "skin/win/win_skin_form.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/window_test/window_test.h"

namespace {

using skin::TSkinData;
using skin::TSkinManage;
using skin::TWinSkinForm;
using namespace skinned_test;

class SkinnedWindows : public SkinnedTest {};

TEST_F(SkinnedWindows, FilterTableAndTheComponentChoice) {
    TSkinData* main = LoadedData(owner_.get(), kDefaultSkin);
    TSkinData* dialogs = LoadedData(owner_.get(), kContrastSkin, skin::TSkinFormType::sfDialog);
    TSkinManage* manager = TSkinManage::Instance();
    ASSERT_NE(manager, nullptr);
    EXPECT_TRUE(manager->SkinningOn()) << "the skin-all command before the start only switches skinning on";
    EXPECT_EQ(manager->StartState(), 1) << "a dialog component starts the manager at once";

    using V = skin::FilterVerdict;
    MainWindow tagged("tagged");
    tagged.form->set_tag(99);
    main->SetDisableTag(5);
    EXPECT_FALSE(manager->SkinWindow(tagged.handle()));
    EXPECT_EQ(manager->LastVerdict(), V::kDisabledTag);

    // Windows of the program's own classes, by name.
    auto make = [](const wchar_t* cls, DWORD style = WS_OVERLAPPEDWINDOW, int w = 200, int h = 120) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = cls;
        RegisterClassW(&wc);
        return CreateWindowExW(0, cls, L"x", style, 10, 10, w, h, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    };
    DestroyWindowOnExit empty{make(L"TEmptyWindow", WS_POPUP, 0, 0)};
    EXPECT_FALSE(manager->SkinWindow(empty.h));
    EXPECT_EQ(manager->LastVerdict(), V::kEmptyRect);

    DestroyWindowOnExit app{make(L"TApplication")}, preview{make(L"TMyPreviewForm")}, tree{make(L"TPopupDBTreeView")};
    EXPECT_FALSE(manager->SkinWindow(app.h));
    EXPECT_EQ(manager->LastVerdict(), V::kExcludedClass);
    EXPECT_FALSE(manager->SkinWindow(tree.h));
    EXPECT_EQ(manager->LastVerdict(), V::kPopupTreeView);
    main->SetOptions({});
    EXPECT_FALSE(manager->SkinWindow(preview.h));
    EXPECT_EQ(manager->LastVerdict(), V::kPreview);
    main->SetOptions({skin::TSkinOption::xoPreview});
    EXPECT_TRUE(manager->SkinWindow(preview.h));
    EXPECT_EQ(SkinOf(preview.h)->data(), main);

    // A foreign module's window: the system's own classes live in user32.
    DestroyWindowOnExit foreign{CreateWindowExW(0, L"Static", L"x", WS_POPUP | WS_CAPTION, 0, 0, 50, 50, nullptr, nullptr,
                                                GetModuleHandleW(L"user32.dll"), nullptr)};
    EXPECT_FALSE(manager->SkinWindow(foreign.h));
    EXPECT_EQ(manager->LastVerdict(), V::kForeign);

    DestroyWindowOnExit foreground{CreateProgramDialog(L"foreground", DS_SETFOREGROUND)};
    EXPECT_FALSE(manager->SkinWindow(foreground.h));
    EXPECT_EQ(manager->LastVerdict(), V::kSetForeground);

    // The program's veto; a second try of the same window is refused as already skinned.
    MainWindow vetoed("vetoed");
    std::string asked;
    main->OnFormSkin = [&](ui::Component*, const std::string& name, bool& do_skin) {
        asked = name;
        do_skin = false;
    };
    EXPECT_FALSE(manager->SkinWindow(vetoed.handle()));
    EXPECT_EQ(manager->LastVerdict(), V::kVetoed);
    EXPECT_EQ(main->AskedWindow(), vetoed.handle());
    main->OnFormSkin = nullptr;
    EXPECT_TRUE(manager->SkinWindow(vetoed.handle()));
    EXPECT_FALSE(manager->SkinWindow(vetoed.handle()));
    EXPECT_EQ(manager->LastVerdict(), V::kAlreadySkinned);

    // Three components: dialogs take the dialog one, an own form its own.
    MainWindow own("own form");
    auto* own_data = LoadedData(own.form.get(), kDefaultSkin, skin::TSkinFormType::sfOnlyThisForm, false);
    DestroyWindowOnExit dialog{CreateProgramDialog(L"program dialog")};
    EXPECT_EQ(manager->ChooseSkinData(dialog.h), dialogs);
    EXPECT_EQ(manager->ChooseSkinData(own.handle()), own_data);
    EXPECT_EQ(manager->ChooseSkinData(tagged.handle()), main);
    // The dialog's creation may have activated it, and the hook skinned it then.
    if (!SkinOf(dialog.h)) {
        EXPECT_TRUE(manager->SkinWindow(dialog.h)) << static_cast<int>(manager->LastVerdict());
    }
    ASSERT_NE(SkinOf(dialog.h), nullptr);
    EXPECT_EQ(SkinOf(dialog.h)->data(), dialogs);
    EXPECT_TRUE(WaitSkinned(dialog.h));
    EXPECT_EQ(SendMessageW(dialog.h, skin::kMsgIsSkinned, 0, 0), 1);
    EXPECT_EQ(SendMessageW(dialog.h, skin::kMsgSkinProbe, 0, skin::kSkinMagic), skin::kSkinMagic);

    // A component without a skin never skins.
    main->SetSkinFile(VQ_SKIN_STORED_DIR "/no-such-skin.skn");
    ASSERT_TRUE(main->NoSkin());
    EXPECT_FALSE(manager->SkinWindow(tagged.handle()));
}

TEST_F(SkinnedWindows, CommandsRunLateAndTheLastOneWins) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    TSkinManage* manager = TSkinManage::Instance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->StartState(), 0);
    EXPECT_TRUE(manager->SkinningOn());
    EXPECT_FALSE(manager->CommandTimer().enabled()) << "before the first activation only on or off";

    MainWindow w;
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle())) << "the activation skins the window and starts the manager";
    EXPECT_EQ(manager->StartState(), 1);

    int changed = 0;
    data->OnSkinChanged = [&](ui::Component*) { ++changed; };
    // Active off and on again within the delay: only the skin-all command runs.
    data->SetActive(false);
    data->SetActive(true);
    EXPECT_EQ(manager->Latch().pending(), skin::SkinCommand::kSkinAll);
    EXPECT_EQ(manager->CommandTimer().interval(), 250u);
    ASSERT_TRUE(window_test::pump_until([&] { return changed == 1; }, 3000));
    EXPECT_NE(SkinOf(w.handle()), nullptr);
    data->SetActive(true);  // no change, no command
    EXPECT_FALSE(manager->CommandTimer().enabled());

    // Off: the windows are unskinned when the timer fires.
    data->SetActive(false);
    EXPECT_NE(SkinOf(w.handle()), nullptr);
    ASSERT_TRUE(window_test::pump_until([&] { return changed == 2; }, 3000));
    EXPECT_EQ(SkinOf(w.handle()), nullptr);
    EXPECT_FALSE(manager->SkinningOn());
    // And on: the skin-all walk takes the open windows on again.
    data->SetActive(true);
    ASSERT_TRUE(window_test::pump_until([&] { return changed == 3; }, 3000));
    EXPECT_TRUE(WaitSkinned(w.handle()));
}

TEST_F(SkinnedWindows, HookInstalledOncePerThreadAndRemovedOnce) {
    const TSkinManage::HookCounts before = TSkinManage::Hooks();
    LoadedData(owner_.get(), kDefaultSkin);
    LoadedData(owner_.get(), kContrastSkin);
    EXPECT_EQ(TSkinManage::Hooks().installed, before.installed + 1);
    // Not from another thread.
    std::thread([] { TSkinManage::Instance()->InstallHook(); }).join();
    EXPECT_EQ(TSkinManage::Hooks().installed, before.installed + 1);
    TSkinManage::Shutdown();
    EXPECT_EQ(TSkinManage::Hooks().removed, before.removed + 1);
    TSkinManage::Shutdown();
    EXPECT_EQ(TSkinManage::Hooks().removed, before.removed + 1);
    // Hook calls after the end pass on: windows still come and go.
    MainWindow w;
    Activate(w.handle());
    window_test::pump(0);
    // Started again.
    LoadedData(owner_.get(), kDefaultSkin);
    EXPECT_EQ(TSkinManage::Hooks().installed, before.installed + 2);
    EXPECT_TRUE(TSkinManage::Instance()->HookInstalled());
}

// Frames measured from the skin, the client kept by skinning, unskinning and switching skins,
// the painted frame in both skins, and every layer and filter given back.
TEST_F(SkinnedWindows, FramesClientSizesAndUnskinning) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    TSkinManage* manager = TSkinManage::Instance();
    MainWindow w;
    const SIZE client = ClientSize(w.handle());
    const auto layers_before = ui::WindowSubclass::layers(w.handle());
    const auto filters_before = w.form->window_proc.names();
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* skinned = SkinOf(w.handle());
    ASSERT_NE(skinned, nullptr);
    skin::SkinFrame expected = skin::SkinFrameOf(*data->Skin(), true);
    expected.menu_bar = GetSystemMetrics(SM_CYMENU);
    EXPECT_TRUE(skinned->frame() == expected);
    const RECT outer = WindowRectOf(w.handle());
    EXPECT_EQ(outer.right - outer.left, client.cx + expected.left + expected.right);
    EXPECT_EQ(outer.bottom - outer.top, client.cy + expected.top + expected.bottom + expected.menu_bar);
    EXPECT_EQ(ClientSize(w.handle()).cx, client.cx);
    EXPECT_EQ(ClientSize(w.handle()).cy, client.cy);
    EXPECT_EQ(ui::WindowSubclass::layers(w.handle()).size(), layers_before.size() + 1);
    EXPECT_EQ(w.form->window_proc.names().size(), filters_before.size() + 1);
    EXPECT_EQ(GetWindowLongPtrW(w.handle(), GWL_STYLE) & WS_SYSMENU,
              (skinned->saved_styles() & skin::saved_style::kKeepSysMenu) ? WS_SYSMENU : 0);

    // The hit test: the top three rows keep the system's answer, the menu row is the menu.
    POINT origin{0, 0};
    ClientToScreen(w.handle(), &origin);
    const LRESULT in_menu = SendMessageW(w.handle(), WM_NCHITTEST, 0,
                                         MAKELPARAM(origin.x + 20, origin.y - expected.menu_bar / 2));
    EXPECT_TRUE(in_menu == HTMENU || in_menu == HTCLIENT) << in_menu;

    // The frame painted into a memory DC, active and inactive, in both skins; the picture is
    // as large as the window is now (the skins' frames differ).
    auto paint = [&](const std::string& name) {
        const RECT now = WindowRectOf(w.handle());
        ui::Bitmap picture(now.right - now.left, now.bottom - now.top);
        EXPECT_EQ(SendMessageW(w.handle(), skin::kMsgPaintInto, reinterpret_cast<WPARAM>(picture.dc()), skin::kSkinMagic),
                  skin::kSkinMagic);
        window_test::save_picture(picture, "skinned_windows", name);
        return picture.pixel(expected.left / 2, (now.bottom - now.top) / 2);
    };
    paint("main_default_active");
    window_test::save_screenshot(w.handle(), "skinned_windows", "main_default_screen");
    SendMessageW(w.handle(), WM_NCACTIVATE, FALSE, 0);
    paint("main_default_inactive");
    SendMessageW(w.handle(), WM_NCACTIVATE, TRUE, 0);

    // Switching to the contrasting skin: frames measured again, the client kept.
    int changed = 0;
    data->OnSkinChanged = [&](ui::Component*) { ++changed; };
    data->SetSkinFile(kContrastSkin);
    ASSERT_TRUE(window_test::pump_until([&] { return changed == 1; }, 3000));
    window_test::pump(50);
    skin::SkinFrame contrast = skin::SkinFrameOf(*data->Skin(), true);
    contrast.menu_bar = expected.menu_bar;
    EXPECT_TRUE(SkinOf(w.handle())->frame() == contrast);
    EXPECT_EQ(ClientSize(w.handle()).cx, client.cx);
    EXPECT_EQ(ClientSize(w.handle()).cy, client.cy);
    paint("main_contrast_active");
    window_test::save_screenshot(w.handle(), "skinned_windows", "main_contrast_screen");
    SendMessageW(w.handle(), WM_NCACTIVATE, FALSE, 0);
    paint("main_contrast_inactive");
    SendMessageW(w.handle(), WM_NCACTIVATE, TRUE, 0);

    // Unskinning gives back the size, the window menu style and every layer and filter.
    data->SetActive(false);
    ASSERT_TRUE(window_test::pump_until([&] { return changed == 2; }, 3000));
    EXPECT_EQ(SkinOf(w.handle()), nullptr);
    EXPECT_EQ(ClientSize(w.handle()).cx, client.cx);
    EXPECT_EQ(ClientSize(w.handle()).cy, client.cy);
    EXPECT_NE(GetWindowLongPtrW(w.handle(), GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_EQ(ui::WindowSubclass::layers(w.handle()), layers_before);
    EXPECT_EQ(w.form->window_proc.names(), filters_before);
    EXPECT_EQ(manager->Windows().size(), 0u);
}

// Clicks on the caption buttons give the system commands; an inactive or disabled frame and
// the window menu follow the window's state.
TEST_F(SkinnedWindows, CaptionButtonClicksAndTheWindowMenu) {
    LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w;
    std::vector<WPARAM> commands;
    w.form->window_proc.add("commands", [&](ui::Message& m, const ui::MessageChain::Next& next) {
        if (m.msg == WM_SYSCOMMAND && (m.wparam & 0xFFF0) != SC_KEYMENU) {
            commands.push_back(m.wparam & 0xFFF0);
            return;  // recorded, not carried out
        }
        next(m);
    });
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinForm* skinned = SkinOf(w.handle());
    // Lay the buttons out as painted.
    SendMessageW(w.handle(), skin::kMsgPaintNonClient, 0, 0);
    const RECT outer = WindowRectOf(w.handle());
    auto click = [&](int action) {
        for (const auto& b : skinned->buttons()) {
            if (b.element.action != action || !b.visible) continue;
            const LPARAM at = MAKELPARAM(outer.left + (b.rect.left + b.rect.right) / 2, outer.top + (b.rect.top + b.rect.bottom) / 2);
            SendMessageW(w.handle(), WM_NCLBUTTONDOWN, HTCAPTION, at);
            SendMessageW(w.handle(), WM_NCLBUTTONUP, HTCAPTION, at);
            window_test::pump(0);
            return true;
        }
        return false;
    };
    // The window menu copies the system menu (items keep the system's ids as tags), enabled
    // by the window's state.
    bool tracked = false;
    ui::PopupMenu::set_track_function([&](HMENU, UINT, int, int, HWND) -> UINT {
        tracked = true;
        return 0;
    });
    RECT r = WindowRectOf(w.handle());
    SendMessageW(w.handle(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 60, r.top + 8));
    ui::PopupMenu::set_track_function(nullptr);
    EXPECT_TRUE(tracked);
    ASSERT_NE(skinned->window_menu(), nullptr);
    EXPECT_EQ(skinned->window_menu()->tag(), TWinSkinForm::kWindowMenuTag);
    std::map<std::intptr_t, bool> enabled;
    for (const ui::MenuItem* item : skinned->window_menu()->items()->items()) enabled[item->tag()] = item->enabled();
    ASSERT_TRUE(enabled.count(SC_RESTORE) && enabled.count(SC_MAXIMIZE) && enabled.count(SC_CLOSE));
    EXPECT_FALSE(enabled[SC_RESTORE]) << "a normal window is not restored";
    EXPECT_TRUE(enabled[SC_MAXIMIZE]);
    EXPECT_TRUE(enabled[SC_MOVE]);
    struct Case {
        int action;
        WPARAM command;
    } cases[] = {{0, SC_CLOSE}, {2, SC_MINIMIZE}, {1, SC_MAXIMIZE}};
    for (const Case& c : cases) {
        commands.clear();
        ASSERT_TRUE(click(c.action)) << "no visible button of action " << c.action;
        ASSERT_TRUE(window_test::pump_until([&] { return !commands.empty(); }, 2000)) << c.action;
        EXPECT_EQ(commands.front(), c.command) << c.action;
    }
}

// A destroyed window's skin is freed by the next walk; windows made and destroyed again and
// again leave no system objects behind.
TEST_F(SkinnedWindows, DestroyedWindowsAreFreedWithoutLeaks) {
    LoadedData(owner_.get(), kDefaultSkin);
    TSkinManage* manager = TSkinManage::Instance();
    auto cycle = [&] {
        MainWindow w("short-lived");
        Activate(w.handle());
        EXPECT_TRUE(WaitSkinned(w.handle()));
    };
    cycle();
    ASSERT_EQ(manager->Windows().size(), 1u);
    EXPECT_TRUE(manager->Windows().front()->dead());
    manager->DropDeadWindows();
    EXPECT_TRUE(manager->Windows().empty());
    const HANDLE process = GetCurrentProcess();
    for (int i = 0; i < 3; ++i) cycle();
    manager->DropDeadWindows();
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS), user = GetGuiResources(process, GR_USEROBJECTS);
    for (int i = 0; i < 10; ++i) cycle();
    manager->DropDeadWindows();
    EXPECT_TRUE(manager->Windows().empty());
    EXPECT_LE(GetGuiResources(process, GR_GDIOBJECTS), gdi + 2);
    EXPECT_LE(GetGuiResources(process, GR_USEROBJECTS), user + 2);
}

}  // namespace
