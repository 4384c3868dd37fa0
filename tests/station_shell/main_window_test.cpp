// The main window in the test's own process, over a transfer library that knows no device:
// fetching on and off, the tray's menu and animation, closing to the tray and back, and a change
// of language.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "skin/win/skin_manager.h"
#include "skin/win/win_skin_form.h"
#include "station/core/gbk_literal.h"
#include "station/core/language_file.h"
#include "station/core/system_language.h"
#include "tests/station_shell/main_window_fixture.h"
#include "tests/station_shell/screenshots.h"
#include "tests/support/window_test/unwritable_file.h"
#include "tests/support/window_test/window_test.h"

namespace {

using shell_test::ColumnCaption;
using station::Gbk;
using window_test::pump;

class MainWindow : public shell_test::MainWindowFixture {
protected:
    MainWindow() : MainWindowFixture("shell-main-") {}

    void Open() {
        MakeForm();
        ShowForm();
    }
};

TEST_F(MainWindow, StartAndStopSwitchCaptionTrayMenuAndAnimation) {
    Open();
    ec::TEcTrayIcon& tray = *form_->TrayIconMain;
    // The tray menu is opened and closed without choosing anything.
    ui::PopupMenu::set_track_function([](HMENU, UINT, int, int, HWND) -> UINT { return 0; });
    auto tray_menu_caption = [&] {
        SendMessageW(tray.handle(), ec::kTrayCallbackMessage, ec::kTrayIconId, WM_RBUTTONUP);
        return form_->TrayNodeStartStopFTP->caption();
    };
    EXPECT_FALSE(form_->FFTPRunning());
    EXPECT_EQ(form_->btnStartStop->caption(), Gbk(u8"启动FTP"));
    EXPECT_EQ(tray_menu_caption(), Gbk(u8"启动FTP"));

    form_->btnStartStop->click();
    EXPECT_TRUE(form_->FFTPRunning());
    EXPECT_EQ(form_->btnStartStop->caption(), Gbk(u8"停止FTP"));
    EXPECT_EQ(form_->btnStartStop->image_index(), forms::kStopImage);
    EXPECT_EQ(tray_menu_caption(), Gbk(u8"停止FTP"));
    EXPECT_TRUE(form_->AnimateTimer->enabled());

    // One device downloading makes the icon move; when it waits the icon stops on image 0.
    globals_.DeviceCount = 1;
    station::ABoardInfo& board = form_->Engine()->Boards()[0];
    board.Connected = 1;
    board.State = station::StateFTPProcessing;
    form_->AnimateTimer->fire();
    EXPECT_TRUE(tray.animate());
    EXPECT_EQ(tray.icons(), form_->ImageListTrayAnimate);
    tray.animation_timer().fire();
    EXPECT_EQ(tray.icon_index(), 1);
    board.State = station::StateWaiting;
    form_->AnimateTimer->fire();
    EXPECT_FALSE(tray.animate());
    EXPECT_EQ(tray.icon_index(), 0);
    EXPECT_TRUE(shell_test::SaveScreenshot(form_->handle(), "main_fetching"));

    form_->TrayNodeStartStopFTP->click();  // the tray item does what the button does
    EXPECT_FALSE(form_->FFTPRunning());
    EXPECT_EQ(form_->btnStartStop->caption(), Gbk(u8"启动FTP"));
    EXPECT_EQ(form_->btnStartStop->image_index(), forms::kStartImage);
    EXPECT_FALSE(form_->AnimateTimer->enabled());
    EXPECT_FALSE(tray.animate());
    EXPECT_EQ(tray.icon_index(), forms::kTrayIdleIcon);
    EXPECT_EQ(tray.icons(), form_->ImageList_Small) << "the small images while fetching is off";
    EXPECT_EQ(tray.icons()->count(), 5);
    globals_.DeviceCount = 0;
}

TEST_F(MainWindow, CloseHidesToTheTrayAndTheRestoreMessageBringsItBack) {
    Open();
    form_->close();
    EXPECT_TRUE(window_test::pump_until([&] { return !IsWindowVisible(form_->handle()); }, 5000));
    EXPECT_TRUE(form_->TrayIconMain->shown());
    SendMessageW(form_->handle(), forms::WM_RESTOREFROMTRAY, 0, 0);
    EXPECT_TRUE(window_test::pump_until([&] { return IsWindowVisible(form_->handle()) != FALSE; }, 5000));
}

TEST_F(MainWindow, StateViewIsShownFirstAndLogPanelFollowsItsMenuItem) {
    Open();
    EXPECT_EQ(form_->FCurrentView, forms::kStateView);
    EXPECT_EQ(form_->pgcWorkArea->active_page(), form_->tabFTPState);
    EXPECT_TRUE(form_->btnFtpState->down());
    EXPECT_FALSE(form_->tabFTPState->tab_visible());
    form_->btnQuery->click();
    EXPECT_EQ(form_->FCurrentView, forms::kQueryView);
    EXPECT_EQ(form_->pgcWorkArea->active_page(), form_->tabQuery);
    EXPECT_TRUE(form_->btnQuery->down());
    EXPECT_FALSE(form_->btnFtpState->down());
    form_->btnFtpState->click();
    EXPECT_EQ(form_->FCurrentView, forms::kStateView);

    // The device buttons draw from their own state.
    forms::TMyFTPStateFrame& frame = *form_->FStateFrame;
    auto drawn_enabled = [&](ec::TEcToolButton* b) { return b->enabled(); };
    EXPECT_FALSE(drawn_enabled(frame.btnEnableDev));
    EXPECT_FALSE(drawn_enabled(frame.btnDisableDev));
    frame.SetButtonsEnabled(true, false);
    EXPECT_TRUE(drawn_enabled(frame.btnEnableDev));
    EXPECT_FALSE(drawn_enabled(frame.btnDisableDev));
    frame.SetButtonsEnabled(false, true);
    EXPECT_FALSE(drawn_enabled(frame.btnEnableDev));
    EXPECT_TRUE(drawn_enabled(frame.btnDisableDev));

    EXPECT_TRUE(form_->NodeLogPanel->checked());
    form_->NodeLogPanel->click();
    EXPECT_FALSE(form_->panelLog->visible());
    EXPECT_FALSE(globals_.Settings.LogPanelVisible);
    form_->NodeLogPanel->click();
    EXPECT_TRUE(form_->panelLog->visible());
    // The start line reached the panel.
    ASSERT_GT(form_->listLog->count(), 0);
    EXPECT_NE(form_->listLog->items().get(form_->listLog->count() - 1).find(Gbk(u8"启动程序")), std::string::npos);
}

TEST_F(MainWindow, WithoutPlaybackTheLeftMenuShowsOnlyTheStateView) {
    plat::ini_write_string(folder_ + "\\Velquist.ini", "FuncControl", "PlayFuncEnable", "0");
    Open();
    EXPECT_FALSE(form_->btnQuery->visible());
    EXPECT_TRUE(form_->btnFtpState->visible());
    EXPECT_EQ(form_->toolBarLeftMenu->control_list().count(), 2) << "hidden, the button keeps its place in the order";
}

// The main window carries the skin component with the stored settings and the default skin.
TEST_F(MainWindow, SkinComponentHoldsTheDefaultSkin) {
    MakeForm();
    skin::TSkinData* data = form_->SkinData1;
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(form_->find_component("SkinData1"), data);
    std::string committed;
    ASSERT_TRUE(plat::read_whole_file(VQ_SKIN_STORED_DIR "/default.skn", committed));
    EXPECT_EQ(data->StoredArchive(), std::vector<std::uint8_t>(committed.begin(), committed.end()));
    EXPECT_FALSE(data->NoSkin()) << data->LoadError();
    EXPECT_TRUE(data->Active());
    EXPECT_EQ(data->MenuGlyphs().count(), 4);
    EXPECT_EQ(ui::get_property_text(*data, "SkinControls"),
              "[xcMainMenu,xcPopupMenu,xcToolbar,xcControlbar,xcCombo,xcProgress,xcScrollbar,xcEdit,xcButton,xcBitBtn,"
              "xcSpeedButton,xcPanel,xcGroupBox,xcStatusBar,xcTab,xcTrackBar,xcSystemMenu]");
    EXPECT_EQ(ui::get_property_text(*data, "Options"), "[xoPreview,xoToolbarBK]");
}

// Skinned, the main window shows its menu in the skin's own bar: every visible top item a
// button, the system's menu bar gone; in both of our skins.
TEST_F(MainWindow, SkinnedMenuBarShowsTheMainMenu) {
    Open();
    const HWND h = form_->handle();
    auto skinned = [&]() -> skin::TWinSkinForm* {
        skin::TSkinManage* manager = skin::TSkinManage::Instance();
        skin::TWinSkinForm* f = manager ? manager->FindSkinnedWindow(h) : nullptr;
        return f && f->skin_state() == skin::TWinSkinForm::kSkinned ? f : nullptr;
    };
    ASSERT_TRUE(window_test::pump_until([&] { return skinned() != nullptr; }, 3000));
    skin::TWinSkinMenu* bar = skinned()->menu_bar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenu(h), nullptr);
    std::vector<std::string> expected, shown;
    for (ui::MenuItem* item : form_->menu()->items()->items())
        if (item->visible()) expected.push_back(item->caption());
    for (const auto& b : bar->buttons()) shown.push_back(plat::wide_to_gbk(b.caption));
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(shell_test::SaveScreenshot(h, "main_skinned_menu_bar_default"));
    int changed = 0;
    form_->SkinData1->OnSkinChanged = [&](ui::Component*) { ++changed; };
    form_->SkinData1->SetSkinFile(VQ_SKIN_STORED_DIR "/contrast.skn");
    ASSERT_TRUE(window_test::pump_until([&] { return changed == 1; }, 3000));
    pump(50);
    EXPECT_TRUE(shell_test::SaveScreenshot(h, "main_skinned_menu_bar_contrast"));
    EXPECT_EQ(GetMenu(h), nullptr);
}

TEST_F(MainWindow, HiddenExportButtonWritesTheDefaultLanguageFile) {
    Open();
    form_->btnExportPro->click();
    const std::string file = folder_ + "\\Lang\\default.ini";
    EXPECT_EQ(plat::ini_read_string(file, "TMainForm", ".caption", ""), Gbk(u8"FTP下载终端 - BRELDOX"));
    EXPECT_EQ(plat::ini_read_string(file, "TMainForm", "btnClose.caption", ""), Gbk(u8"退出"));
    EXPECT_EQ(plat::ini_read_string(file, "TMyFTPStateFrame", "btnDisableDev.caption", ""), Gbk(u8"暂停使用"));
}

TEST_F(MainWindow, LanguageSwitchChangesTheCaptions) {
    const std::string lang = folder_ + "\\Lang\\English.ini";
    plat::ini_write_string(lang, "TMainForm", ".Caption", "FTP Download Terminal");
    plat::ini_write_string(lang, "TMainForm", "btnClose.Caption", "Exit");
    plat::ini_write_string(lang, "TMainForm", "btnFtpState.Caption", "State");
    plat::ini_write_string(lang, "TMainForm", "NodeFile.Caption", "&File");
    plat::ini_write_string(lang, "TMyFTPStateFrame", "btnEnableDev.Caption", "Enable");
    plat::ini_write_string(lang, "common", "Caption.StartFTP", "Start FTP");
    plat::ini_write_string(lang, "common", "Caption.StopFTP", "Stop FTP");
    plat::ini_write_string(lang, "common", "ColSt.No", "No.");
    plat::ini_write_string(lang, "common", "ColSt.DevAddr", "Device IP");
    Open();
    ASSERT_EQ(form_->NodeLanguage->count(), 1);
    ui::MenuItem* english = form_->NodeLanguage->item(0);
    EXPECT_EQ(english->caption(), "English");
    english->click();
    EXPECT_EQ(globals_.Settings.LangName, "English");
    EXPECT_EQ(form_->caption(), "FTP Download Terminal");
    EXPECT_EQ(form_->btnClose->caption(), "Exit");
    EXPECT_EQ(form_->btnFtpState->caption(), "State");
    EXPECT_EQ(form_->NodeFile->caption(), "&File");
    EXPECT_EQ(form_->btnStartStop->caption(), "Start FTP");
    EXPECT_EQ(form_->FStateFrame->btnEnableDev->caption(), "Enable");
    EXPECT_EQ(ColumnCaption(form_->FStateFrame->lvBoard->handle(), 1), "No.");
    EXPECT_EQ(ColumnCaption(form_->FStateFrame->lvBoard->handle(), 3), "Device IP");
    form_->btnStartStop->click();
    EXPECT_EQ(form_->btnStartStop->caption(), "Stop FTP");
    pump(100);
    EXPECT_TRUE(shell_test::SaveScreenshot(form_->handle(), "main_english"));
    form_->btnStartStop->click();
}

TEST_F(MainWindow, SavedLanguageWinsOverTheSystemLanguageFile) {
    const std::string system_file =
        station::SystemLanguageFilePath(folder_ + "\\Velquist.exe", station::SystemDefaultLanguageId());
    plat::force_directories(plat::extract_file_dir(system_file));
    plat::ini_write_string(system_file, "TMainForm", "btnClose.Caption", "SysExit");
    plat::ini_write_string(system_file, "TMainForm", "btnSettings.Caption", "SysSettings");
    plat::ini_write_string(folder_ + "\\Lang\\English.ini", "TMainForm", "btnClose.Caption", "Exit");
    const struct {
        const char* saved;
        const char* close;
        std::string settings;
    } cases[] = {{"", "SysExit", "SysSettings"},
                 {"English", "Exit", Gbk(u8"系统设置")},
                 {"Gone", "SysExit", "SysSettings"}};  // a saved choice whose file is missing
    for (const auto& c : cases) {
        plat::ini_write_string(folder_ + "\\Velquist.ini", "Language", "LangName", c.saved);
        Open();
        EXPECT_EQ(form_->btnClose->caption(), c.close) << c.saved;
        EXPECT_EQ(form_->btnSettings->caption(), c.settings) << c.saved;
        CloseForm();
    }
}

TEST_F(MainWindow, LanguageMenuOffersAFileAddedWhileRunning) {
    Open();
    auto open_menu = [&] {
        SendMessageW(form_->handle(), WM_INITMENU, reinterpret_cast<WPARAM>(form_->MainMenu->handle()), 0);
    };
    open_menu();
    EXPECT_EQ(form_->NodeLanguage->count(), 0);
    plat::ini_write_string(folder_ + "\\Lang\\Deutsch.ini", "TMainForm", "btnClose.Caption", "Beenden");
    open_menu();
    ASSERT_EQ(form_->NodeLanguage->count(), 1);
    form_->NodeLanguage->item(0)->click();
    EXPECT_EQ(form_->btnClose->caption(), "Beenden");
    plat::ini_write_string(folder_ + "\\Lang\\English.ini", "TMainForm", "btnClose.Caption", "Exit");
    open_menu();
    ASSERT_EQ(form_->NodeLanguage->count(), 2);
    for (ui::MenuItem* item : form_->NodeLanguage->items())
        EXPECT_EQ(item->checked(), item->caption() == "Deutsch") << item->caption() << ": the choice stays ticked";
}

TEST_F(MainWindow, PartialLanguageFileKeepsTheExitQuestionAndTheLogLines) {
    plat::ini_write_string(folder_ + "\\Lang\\Part.ini", "common", "Caption.StartFTP", "Start");
    plat::ini_write_string(folder_ + "\\Lang\\Part.ini", "common", "Log.ConfirmExit", "");
    Open();
    form_->NodeLanguage->item(0)->click();
    EXPECT_EQ(form_->btnStartStop->caption(), "Start");
    EXPECT_EQ(globals_.Texts.Get("Log.ConfirmExit"), Gbk(u8"您确定要关闭本系统吗?"));
    // The exit question: its text and both buttons.
    static HWND box;
    box = conf_->handle();
    SetTimer(nullptr, 0, 150, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        PostMessageW(box, WM_CLOSE, 0, 0);
    });
    conf_->FMessage = globals_.Texts.Get("Log.ConfirmExit");
    conf_->show_modal();
    EXPECT_EQ(conf_->btnSure->caption(), Gbk(u8"是(&Y)"));
    EXPECT_EQ(conf_->btnCancel->caption(), Gbk(u8"否(&N)"));
    EXPECT_EQ(conf_->EcLabelMsg->caption().find(Gbk(u8"您确定要关闭本系统吗?")), 0u);
    // A log line after the switch still says something, under a level word.
    globals_.Log.WriteLog(globals_.Texts.Format("Log.DevDisconnected", {1}), 1);
    std::string today;
    for (const plat::DirEntry& e : plat::list_directory(folder_ + "\\Logs"))
        if (!e.is_directory) plat::read_whole_file(folder_ + "\\Logs\\" + e.name, today);
    ASSERT_FALSE(today.empty());
    std::size_t at = 0;
    while (at < today.size()) {
        const std::size_t end = today.find("\r\n", at);
        const std::string line = today.substr(at, end == std::string::npos ? std::string::npos : end - at);
        const std::size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        EXPECT_LT(line.find(' '), tab - 1) << "a level word: " << line;
        EXPECT_LT(tab + 1, line.size()) << "a message: " << line;
        if (end == std::string::npos) break;
        at = end + 2;
    }
}

TEST_F(MainWindow, ExitSaveIntoAReadOnlySettingsFileIsTold) {
    Open();
    std::string told;
    ui::application().on_exception = [&](const std::string& message) { told = message; };
    const std::string ini = folder_ + "\\Velquist.ini";
    {
        window_test::UnwritableFile read_only(ini);
        ASSERT_TRUE(read_only.held());
        globals_.Settings.LogLevel = 4;  // a change that must be written
        CloseForm();
    }
    ui::application().on_exception = nullptr;
    EXPECT_EQ(told, "Unable to write to " + ini);
}

} // namespace
