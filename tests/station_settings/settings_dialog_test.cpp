// The settings dialog shown modally and driven by messages: what OK writes into tarnlib.ini,
// Velquist.ini and the registry, and what it leaves alone.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "controls/register_control_set.h"
#include "platform/ini_file.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "station/core/gbk_literal.h"
#include "station/forms/settings/form_settings.h"
#include "station/core/settings_models/log_files.h"
#include "tests/support/fake_transfer_library.h"
#include "tests/station_settings/dialog_driver.h"
#include "tests/support/test_folder.h"
#include "tests/support/window_test/button_glyphs.h"
#include "tests/support/window_test/unwritable_file.h"
#include "tests/support/window_test/window_test.h"
#include "tests/support/skinned_session/skinned_session.h"

namespace {

using namespace settings_test;
using namespace test_support;
using forms::TFormSettings;

const char* kThreeDevices =
    "[LocalIP]\r\nIP=\r\nPort=8801\r\n"
    "[Network]\r\nCount=3\r\n"
    "IP1=10.0.0.1\r\nPort1=7001\r\nSerial1=S1\r\nComment1=one\r\nSaveFolder1=f1\r\n"
    "IP2=10.0.0.2\r\nPort2=\r\nSerial2=S2\r\nComment2=two\r\nSaveFolder2=f2\r\n"
    "IP3=10.0.0.3\r\nPort3=7003\r\nSerial3=S3\r\nComment3=three\r\nSaveFolder3=f3\r\n"
    "[FTPInfo]\r\nConnMode=0\r\n";

const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// As a person clicks: the control's page is brought up first (a control on a hidden page
// cannot take the focus a press needs).
void Click(ui::WinControl* control) {
    for (ui::WinControl* p = control->parent(); p != nullptr; p = p->parent())
        if (auto* page = dynamic_cast<ec::TEcTabSheet*>(p)) page->page_control()->set_active_page(page);
    Press(control->handle());
}

std::optional<std::wstring> RunValue(HKEY root) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
    wchar_t data[1024] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t);
    const LONG r = RegQueryValueExW(key, L"Velquist_Run", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS) return std::nullopt;
    return std::wstring(data);
}

void RemoveRunValue(HKEY root) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, L"Velquist_Run");
    RegCloseKey(key);
}

// The fake shell, also telling which seam was asked and with what title.
struct RecordingShell : FakeShell {
    std::vector<std::string> asked;  // "file", or the folder browser's title
    bool BrowseForFolder(HWND parent, const std::string& title, std::string& chosen) override {
        asked.push_back(title);
        return FakeShell::BrowseForFolder(parent, title, chosen);
    }
    bool ChooseFile(HWND parent, std::string& file) override {
        asked.push_back("file");
        return FakeShell::ChooseFile(parent, file);
    }
};

class SettingsDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ui::application().initialize();
        ui::register_control_classes();
        ec::register_control_set_classes();
    }

    void SetUp() override {
        WriteFile(dir / "tarnlib.ini", kThreeDevices);
        WriteFile(dir / "Velquist.ini", "[FindDirInfo]\r\nTotalDirNum=2\r\nDirPath[1]=" + dir.path() +
                                            "\r\nDirPath[2]=C:\\\r\n");
        ASSERT_EQ(station::InitGlobals(g, dir.path()), "");
        RemoveRunValue(HKEY_LOCAL_MACHINE);
        RemoveRunValue(HKEY_CURRENT_USER);
        boards[1].Connected = 1;
        g.DeviceCount = 3;
        form = std::make_unique<TFormSettings>(
            nullptr, forms::SettingsDialogServices{g, registry, prompts, shell, "C:\\Program Files\\Velquist\\Velquist.exe",
                                                   [] { return std::vector<std::string>{"10.77.0.1", "127.0.0.1"}; },
                                                   &boards, &library});
    }
    void TearDown() override {
        form.reset();
        RemoveRunValue(HKEY_LOCAL_MACHINE);
        RemoveRunValue(HKEY_CURRENT_USER);
    }

    // Shows the dialog, runs `act` in it, then presses OK (or Cancel).
    ui::TModalResult Run(const std::function<void(TFormSettings&)>& act, bool ok = true) {
        WhenShown([&] {
            act(*form);
            Click((ok ? form->btnSure : form->btnCancel));
        });
        return form->show_modal();
    }
    std::string Network(const std::string& key) {
        return plat::ini_read_string(g.LibraryConfigPath, "Network", key, "<missing>");
    }

    // As in the program: every dialog is skinned by the main window's skin when activated.
    test_support::SkinnedSession skin_;
    TestFolder dir;
    station::StationGlobals g;
    station::BoardTable boards{};
    test_support::FakeTransferLibrary library;
    station::WindowsRunKeyRegistry registry;
    FakePrompts prompts;
    RecordingShell shell;
    std::unique_ptr<TFormSettings> form;
};

// The dialog's bit buttons paint their glyphs from the dialog's image list.
TEST_F(SettingsDialog, BitButtonsPaintTheirGlyphs) {
    Run([&](TFormSettings& f) {
        for (ec::TEcBitBtn* b : {f.btnSure, f.btnCancel, f.btnDevUp, f.btnDevDown, f.btnUpFindDir, f.btnDownFindDir})
            EXPECT_TRUE(window_test::paints_its_image(*b));
        EXPECT_TRUE(window_test::paints_glyph_map(*f.btnSure, window_test::kTickGlyph));
        EXPECT_TRUE(window_test::paints_glyph_map(*f.btnCancel, window_test::kCrossGlyph));
        EXPECT_EQ(f.btnDevUp->image_index(), f.btnUpFindDir->image_index());
        EXPECT_EQ(f.btnDevDown->image_index(), f.btnDownFindDir->image_index());
        EXPECT_NE(f.btnDevUp->image_index(), f.btnDevDown->image_index());
    });
}

TEST_F(SettingsDialog, OkWithNothingTouchedWritesNoLibraryFileAndPicturesEveryPage) {
    const std::string before = ReadFile(g.LibraryConfigPath);
    EXPECT_EQ(Run([&](TFormSettings& f) {
                  EXPECT_FALSE(f.FNetChanged);
                  EXPECT_EQ(f.lvDev->item_count(), 3);
                  EXPECT_EQ(f.lvDev->cell_text(1, 2), "8000") << "an empty port reads as 8000";
                  EXPECT_EQ(f.comboConnMode->item_index(), 0);
                  EXPECT_EQ(f.comboLocalIP->items().count(), 2);
                  for (int p = 0; p < f.pageSettings->page_count(); ++p) {
                      f.pageSettings->set_active_page_index(p);
                      EXPECT_TRUE(SaveScreenshot(f.handle(), "settings_" + f.pageSettings->page(p)->name()));
                  }
              }),
              ui::mrOk);
    EXPECT_EQ(ReadFile(g.LibraryConfigPath), before) << "ConnMode=0 stays 0 as well";
    EXPECT_FALSE(g.EraseDevEnable) << "the devices keep their enabled flags";
    EXPECT_TRUE(g.RescanSaveFolders);
    EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "SyncTime", "IntervalDays", ""), "7");
}

TEST_F(SettingsDialog, DeviceListEditsWriteTheExpectedKeys) {
    struct Case {
        const char* name;
        std::function<void(TFormSettings&)> act;
        std::vector<std::pair<std::string, std::string>> keys;
    };
    const Case cases[] = {
        {"delete row 2 of 3",
         [](TFormSettings& f) {
             SelectListRow(f.lvDev->handle(), 1);
             Click(f.btnDelDev);
         },
         {{"Count", "2"}, {"IP2", "10.0.0.3"}, {"Port2", "7003"}, {"Comment2", "three"}, {"IP3", "10.0.0.3"}}},
        {"move the last row up",
         [](TFormSettings& f) {
             f.pageSettings->set_active_page(f.tabDevices);
             SelectListRow(f.lvDev->handle(), 2);
             Click(f.btnDevUp);
             SaveScreenshot(f.handle(), "settings_devices_row_moved_up");
         },
         {{"Count", "3"}, {"IP2", "10.0.0.3"}, {"SaveFolder2", "f3"}, {"IP3", "10.0.0.2"}, {"Port3", "8000"}}},
        {"add with port 7000 and no serial",
         [](TFormSettings& f) {
             SetWindowText936(f.editDeviceIP->handle(), " 10.0.0.9 ");
             SetWindowText936(f.editPort->handle(), "7000");
             SetWindowText936(f.editUserName->handle(), "pelum");
             SetWindowText936(f.editPassword->handle(), "pelum");
             SetWindowText936(f.editComment->handle(), station::Gbk(u8"前台"));
             Click(f.btnAddDev);
             EXPECT_EQ(f.editPort->text(), "8000") << "the edits empty after adding";
         },
         {{"Count", "4"}, {"IP4", "10.0.0.9"}, {"Port4", "7000"}, {"Serial4", ""}, {"User4", "pelum"},
          {"Comment4", station::Gbk(u8"前台")}}},
        {"add with the port emptied",
         [](TFormSettings& f) {
             SetWindowText936(f.editDeviceIP->handle(), "10.0.0.8");
             SetWindowText936(f.editPort->handle(), "");
             Click(f.btnAddDev);
         },
         {{"Count", "4"}, {"Port4", "8000"}}},
        {"edit the selected row",
         [](TFormSettings& f) {
             SelectListRow(f.lvDev->handle(), 0);
             EXPECT_EQ(f.editDeviceIP->text(), "10.0.0.1") << "selecting copies the row into the edits";
             SetWindowText936(f.editDeviceSerial->handle(), "NEW");
             Click(f.btnEditDev);
         },
         {{"Count", "3"}, {"Serial1", "NEW"}, {"IP1", "10.0.0.1"}, {"Port1", "7001"}}},
    };
    for (const Case& c : cases) {
        WriteFile(g.LibraryConfigPath, kThreeDevices);
        g.EraseDevEnable = false;
        Run(c.act);
        for (const auto& [key, value] : c.keys) EXPECT_EQ(Network(key), value) << c.name << ": " << key;
        EXPECT_EQ(plat::ini_read_string(g.LibraryConfigPath, "FTPInfo", "ConnMode", ""), "1") << c.name;
        EXPECT_TRUE(g.EraseDevEnable) << c.name;
    }
    // Descriptions and folder names wait for the next start; the log says so.
    std::string log;
    for (const station::LogFileRow& r : station::ListLogFiles(g.ProgramDir)) log += ReadFile(r.Path);
    EXPECT_NE(log.find(station::Gbk(u8"下次启动")), std::string::npos);
}

TEST_F(SettingsDialog, ConnectionModeAndLocalAddressChangesAreWritten) {
    Run([](TFormSettings& f) {
        SelectComboItem(f.comboConnMode->handle(), 1);
        EXPECT_FALSE(f.editDeviceIP->enabled());
        EXPECT_TRUE(f.editDeviceSerial->enabled());
        SetWindowText936(f.editLocalPort->handle(), "9100");
        SetWindowText936(f.comboLocalIP->handle(), " 10.77.0.1 ");
        EXPECT_TRUE(f.FNetChanged);
    });
    EXPECT_EQ(plat::ini_read_string(g.LibraryConfigPath, "FTPInfo", "ConnMode", ""), "2");
    EXPECT_EQ(plat::ini_read_string(g.LibraryConfigPath, "LocalIP", "Port", ""), "9100");
    EXPECT_EQ(plat::ini_read_string(g.LibraryConfigPath, "LocalIP", "IP", ""), "10.77.0.1");
}

TEST_F(SettingsDialog, SyncNowSetsTheClocksOfConnectedDevicesOnly) {
    Run([](TFormSettings& f) { Click(f.btnSyncDateTime); }, false);
    ASSERT_EQ(library.clocks.size(), 1u);
    EXPECT_EQ(library.clocks[0].first, 1);
    EXPECT_EQ(library.clocks[0].second.size(), 19u) << library.clocks[0].second;
    boards[1].Connected = 0;
    Run([](TFormSettings& f) { Click(f.btnSyncDateTime); }, false);
    EXPECT_EQ(library.clocks.size(), 1u) << "no connected device: nothing sent";
}

TEST_F(SettingsDialog, LoginEditsTakeAtMostFifteenCharacters) {
    Run([](TFormSettings& f) {
        for (ec::TEcEdit* e : {f.editUserName, f.editPassword})
            EXPECT_EQ(SendMessageW(e->handle(), EM_GETLIMITTEXT, 0, 0), 15) << e->name();
    }, false);
}

TEST_F(SettingsDialog, AutorunMovesBetweenTheRunKeysAndUntickingRemovesIt) {
    g.Settings.AutoRunEnable = true;
    g.Settings.AutoRunMode = 0;
    registry.WriteValue(station::RunKeyRoot::LocalMachine, "Velquist_Run", "old");
    Run([](TFormSettings& f) {
        EXPECT_TRUE(f.cbAutoRunMode->enabled());
        SelectComboItem(f.cbAutoRunMode->handle(), 1);
    });
    EXPECT_FALSE(RunValue(HKEY_LOCAL_MACHINE).has_value());
    EXPECT_EQ(RunValue(HKEY_CURRENT_USER).value_or(L"<none>"), L"\"C:\\Program Files\\Velquist\\Velquist.exe\" -logon");
    EXPECT_EQ(g.Settings.AutoRunMode, 1);
    EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "CommonInfo", "AutoRunMode", ""), "1");

    Run([](TFormSettings& f) {
        Click(f.checkAutoRun);
        EXPECT_FALSE(f.cbAutoRunMode->enabled());
    });
    EXPECT_FALSE(RunValue(HKEY_CURRENT_USER).has_value());
    EXPECT_FALSE(g.Settings.AutoRunEnable);
}

TEST_F(SettingsDialog, CancelDiscardsEveryChange) {
    const std::string before = ReadFile(g.LibraryConfigPath);
    shell.folder = dir.path() + "\\Logs";
    EXPECT_EQ(Run([](TFormSettings& f) {
                  Click(f.checkAutoRun);
                  Click(f.btnBrowseFindDir);
                  Click(f.btnAddFindDir);
                  EXPECT_EQ(f.listFindDir->items().count(), 3);
                  SelectListRow(f.lvDev->handle(), 0);
                  Click(f.btnDelDev);
              }, false),
              ui::mrCancel);
    EXPECT_EQ(ReadFile(g.LibraryConfigPath), before);
    EXPECT_FALSE(g.Settings.AutoRunEnable);
    EXPECT_EQ(g.FindDirs.size(), 2u);
    EXPECT_FALSE(RunValue(HKEY_LOCAL_MACHINE).has_value());
}

TEST_F(SettingsDialog, SearchFoldersAreAddedOnlyWhenTheyExistAndSavedInOrder) {
    Run([&](TFormSettings& f) {
        SetWindowText936(f.editNewFindDir->handle(), dir.path() + "\\missing");
        Click(f.btnAddFindDir);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].second, station::Gbk(u8"路径不存在!"));
        SetWindowText936(f.editNewFindDir->handle(), dir.path() + "\\DB");
        Click(f.btnAddFindDir);
        SelectListBoxItem(f.listFindDir->handle(), 2);
        Click(f.btnUpFindDir);
        Click(f.btnUpFindDir);
        EXPECT_TRUE(f.FFindDirsChanged);
    });
    const std::vector<std::string> expected = {dir.path() + "\\DB", dir.path(), "C:\\"};
    EXPECT_EQ(g.FindDirs, expected);
    EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "FindDirInfo", "TotalDirNum", ""), "3");
    EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "FindDirInfo", "DirPath[1]", ""), dir.path() + "\\DB");
}

// A file as the station writes it, with values that all differ from the defaults.
station::StationSettings StoredSettings() {
    station::StationSettings s;
    s.AutoFTPEnable = false;
    s.LangName = "English";
    s.LogPanelVisible = false;
    s.LogLevel = 3;
    s.DBInfo.ConnMode = 0;
    s.DBInfo.ODBCDsn = "calls";
    s.DBInfo.ODBCUser = "sa";
    s.LocalPath = false;
    s.UserSavePath = "D:\\Rec";
    s.AllDay = false;
    s.TimeSections[0] = {true, "22:00:00", "06:00:00", false};
    s.SyncEnable = false;
    s.SyncIntervalDays = 30;
    s.LastUpdateDT = "2012-03-01 08-00-00";
    return s;
}

TEST_F(SettingsDialog, AfterAFailedStartOkLeavesTheStoredSettingsAsTheyWere) {
    TestFolder program("failed-start");
    ASSERT_EQ(station::SaveSettings(program / "Velquist.ini", StoredSettings()), "");
    plat::ini_write_string(program / "Velquist.ini", "FindDirInfo", "TotalDirNum", "1");
    plat::ini_write_string(program / "Velquist.ini", "FindDirInfo", "DirPath[1]", "C:\\");
    WriteFile(program / "Logs", "a file where the log folder belongs");
    const std::string before = ReadFile(program / "Velquist.ini");
    station::StationGlobals failed;
    ASSERT_NE(station::InitGlobals(failed, program.path()), "");
    ASSERT_FALSE(failed.SettingsLoaded);
    TFormSettings dialog(nullptr, forms::SettingsDialogServices{failed, registry, prompts, shell, "C:\\Velquist.exe",
                                                                [] { return std::vector<std::string>{}; }});
    WhenShown([&] {
        EXPECT_EQ(dialog.LogLevelIndex(), 3) << "the dialog shows what the file holds";
        EXPECT_EQ(dialog.comboODBCDsn->text(), "calls");
        EXPECT_TRUE(dialog.radioCustomPeriod->checked());
        EXPECT_EQ(dialog.listFindDir->items().count(), 1);
        Click(dialog.btnSure);
    });
    EXPECT_EQ(dialog.show_modal(), ui::mrOk);
    EXPECT_EQ(ReadFile(program / "Velquist.ini"), before);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SettingsDialog, ReadOnlySettingsFileIsToldOnOkAndTheRestIsSkipped) {
    const std::string before = ReadFile(g.SettingsPath);
    shell.folder = dir.path() + "\\Logs";
    {
        window_test::UnwritableFile read_only(g.SettingsPath);
        ASSERT_TRUE(read_only.held());
        EXPECT_EQ(Run([](TFormSettings& f) {
                      Click(f.groupLogLevelSettings->button(4));
                      Click(f.checkAutoRun);
                      Click(f.btnBrowseFindDir);
                      Click(f.btnAddFindDir);
                  }),
                  ui::mrOk);
    }
    using Told = std::pair<std::string, std::string>;
    EXPECT_EQ(prompts.messages, (std::vector<Told>{{station::Gbk(u8"错误"), "Unable to write to " + g.SettingsPath}}));
    EXPECT_EQ(ReadFile(g.SettingsPath), before);
    EXPECT_EQ(g.Settings.LogLevel, 4) << "the values stay in memory";
    EXPECT_FALSE(RunValue(HKEY_LOCAL_MACHINE).has_value()) << "the autorun value follows only a saved choice";
    EXPECT_EQ(g.FindDirs.size(), 2u);
}

TEST_F(SettingsDialog, SectionEndingWhereItStartsIsRefusedAndANightSectionIsStored) {
    auto set_time = [](ui::DateTimePicker* picker, int hours) { picker->set_date_time(41000.0 + hours / 24.0); };
    bool stayed_open = false;
    WhenShown([&] {
        TFormSettings& f = *form;
        Click(f.radioCustomPeriod);
        Click(f.checkTimeSection[2]);
        set_time(f.DTTimeSecFrom[2], 8);
        set_time(f.DTTimeSecTo[2], 8);
        Click(f.btnSure);
        stayed_open = IsWindowVisible(f.handle()) != FALSE;
        EXPECT_EQ(f.pageSettings->active_page(), f.tabPeriod);
        EXPECT_TRUE(SaveScreenshot(f.handle(), "settings_period_refused"));
        set_time(f.DTTimeSecFrom[2], 22);
        set_time(f.DTTimeSecTo[2], 6);
        EXPECT_TRUE(SaveScreenshot(f.handle(), "settings_period_night"));
        Click(f.btnSure);
    });
    EXPECT_EQ(form->show_modal(), ui::mrOk);
    EXPECT_TRUE(stayed_open);
    using Told = std::pair<std::string, std::string>;
    EXPECT_EQ(prompts.messages,
              (std::vector<Told>{{station::Gbk(u8"错误"), station::Gbk(u8"时段3的开始时间和结束时间相同，请修改后再确定")}}));
    EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "TimeSecs", "TimeSec3From", ""), "22:00:00");
    EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "TimeSecs", "TimeSec3To", ""), "06:00:00");
    EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "TimeSecs", "TimeSec3Enable", ""), "1");

    // Sections not in use, or all-day fetching, are not looked at.
    prompts.messages.clear();
    g.Settings.TimeSections[4] = {false, "10:00:00", "10:00:00", false};
    EXPECT_EQ(Run([](TFormSettings&) {}), ui::mrOk);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SettingsDialog, PagesLoadAndSaveTheStationSettings) {
    g.Settings.AllDay = false;
    g.Settings.TimeSections[1] = {true, "08:30:00", "17:45:10", false};
    g.Settings.LogLevel = 3;
    g.Settings.DBInfo.ConnMode = 0;
    g.Settings.LocalPath = false;
    g.Settings.UserSavePath = ".\\Rec";
    Run([](TFormSettings& f) {
        EXPECT_TRUE(f.groupODBC->visible());
        EXPECT_FALSE(f.groupAccess->visible());
        EXPECT_TRUE(f.editSavePath->enabled());
        EXPECT_TRUE(f.DTTimeSecFrom[1]->enabled());
        EXPECT_FALSE(f.DTTimeSecFrom[0]->enabled());
        EXPECT_EQ(f.LogLevelIndex(), 3);
        SetWindowText936(f.editODBCUser->handle(), " sa ");
        Click(f.groupLogLevelSettings->button(4));
        SetWindowText936(f.spinSyncInterval->handle(), "30");
        SelectComboItem(f.comboDBConnMode->handle(), 1);
        EXPECT_TRUE(f.groupAccess->visible());
    });
    EXPECT_EQ(g.Settings.LogLevel, 4);
    EXPECT_EQ(g.Settings.DBInfo.ODBCUser, "sa");
    EXPECT_EQ(g.Settings.DBInfo.ConnMode, 1);
    EXPECT_EQ(g.Settings.SyncIntervalDays, 30);
    EXPECT_EQ(g.Settings.TimeSections[1].From, "08:30:00");
    EXPECT_EQ(g.Settings.TimeSections[1].To, "17:45:10");
    EXPECT_EQ(g.Settings.UserSavePathResolved, dir.path() + "\\Rec");
    EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "Log", "LogLevel", ""), "4");
}

TEST_F(SettingsDialog, PathFieldsAskTheShellByF4AndByTheirButtonAndTakeTheTrimmedChoice) {
    struct Case {
        const char* name;
        ec::TEcButtonEdit* TFormSettings::*field;
        std::function<void(TFormSettings&)> make_editable;
        std::string asked;
    };
    const Case cases[] = {
        {"database file", &TFormSettings::editAccessPath,
         [](TFormSettings& f) {
             SelectComboItem(f.comboDBConnMode->handle(), 1);
             Click(f.radioUserAccess);
         },
         "file"},
        {"save folder", &TFormSettings::editSavePath, [](TFormSettings& f) { Click(f.radioUserSavePath); },
         station::Gbk(u8"选择下载后的保存路径")},
    };
    shell.folder = "  D:\\Rec\\Calls  ";
    for (const Case& c : cases) {
        shell.asked.clear();
        Run([&](TFormSettings& f) {
            c.make_editable(f);
            ec::TEcButtonEdit* edit = f.*c.field;
            ASSERT_TRUE(edit->enabled()) << c.name;
            EXPECT_TRUE(edit->pair_button(ec::TEcCustomButtonEdit::kButton)->visible()) << c.name;

            SetFocus(edit->handle());
            window_test::press_key(edit->handle(), VK_F4);
            EXPECT_EQ(edit->text(), "D:\\Rec\\Calls") << c.name << ", F4";

            edit->set_text(std::string());
            ec::TEcControlButton* button = edit->pair_button(ec::TEcCustomButtonEdit::kButton);
            window_test::click_at(edit->pair()->handle(), button->left() + button->width() / 2, button->height() / 2);
            EXPECT_EQ(edit->text(), "D:\\Rec\\Calls") << c.name << ", the button";
            EXPECT_TRUE(SaveScreenshot(f.handle(), std::string("settings_path_field_") + edit->name()));
        });
        EXPECT_EQ(shell.asked, (std::vector<std::string>{c.asked, c.asked})) << c.name;
    }
    EXPECT_EQ(g.Settings.UserSavePath, "D:\\Rec\\Calls");
    EXPECT_EQ(g.Settings.DBInfo.UserAccessPath, "D:\\Rec\\Calls");

    // Cancelled: the field keeps what it held.
    shell.folder.clear();
    Run([](TFormSettings& f) {
        Click(f.radioUserSavePath);
        SetWindowText936(f.editSavePath->handle(), "E:\\Kept");
        SetFocus(f.editSavePath->handle());
        window_test::press_key(f.editSavePath->handle(), VK_F4);
        EXPECT_EQ(f.editSavePath->text(), "E:\\Kept");
    }, false);
}

TEST_F(SettingsDialog, SpinEditsHoldTheirRangesAndAPortConfirmedWithEnterIsStoredClamped) {
    struct Range {
        ec::TEcSpinEdit* TFormSettings::*spin;
        long double min, max;
        ec::TOrientation orientation;
    };
    const Range ranges[] = {{&TFormSettings::editPort, 0, 65535, ec::TOrientation::orVertical},
                            {&TFormSettings::editLocalPort, 0, 65500, ec::TOrientation::orVertical},
                            {&TFormSettings::spinSyncInterval, 1, 1000, ec::TOrientation::orHorizontal}};
    for (const Range& r : ranges) {
        ec::TEcSpinEdit* spin = (*form).*r.spin;
        EXPECT_EQ(spin->min_value(), r.min) << spin->name();
        EXPECT_EQ(spin->max_value(), r.max) << spin->name();
        EXPECT_EQ(spin->orientation(), r.orientation) << spin->name();
        EXPECT_TRUE(spin->allow_key_edit()) << spin->name();
    }

    bool closed_by_enter = false;
    WhenShown([&] {
        TFormSettings& f = *form;
        f.pageSettings->set_active_page(f.tabDevices);
        SetWindowText936(f.editDeviceIP->handle(), "10.0.0.9");
        SetWindowText936(f.editPort->handle(), "70000");
        Click(f.btnAddDev);
        EXPECT_EQ(f.lvDev->cell_text(3, 2), "65535") << "no port above 65535 reaches the list";
        SetWindowText936(f.spinSyncInterval->handle(), "0");
        f.pageSettings->set_active_page(f.tabLocalIP);
        SetWindowText936(f.editLocalPort->handle(), "99999");
        SetFocus(f.editLocalPort->handle());
        EXPECT_TRUE(SaveScreenshot(f.handle(), "settings_local_port_typed"));
        window_test::press_key(f.editLocalPort->handle(), VK_RETURN);
        closed_by_enter = f.modal_result() == ui::mrOk;
    });
    EXPECT_EQ(form->show_modal(), ui::mrOk);
    EXPECT_TRUE(closed_by_enter) << "Enter confirms the dialog";
    EXPECT_EQ(plat::ini_read_string(g.LibraryConfigPath, "LocalIP", "Port", ""), "65500");
    EXPECT_EQ(Network("Port4"), "65535");
    EXPECT_EQ(g.Settings.SyncIntervalDays, 1);
}

TEST_F(SettingsDialog, StoredLocalAddressIsShownAsStoredNotCompleted) {
    plat::ini_write_string(g.LibraryConfigPath, "LocalIP", "IP", "10.77");
    const std::string before = ReadFile(g.LibraryConfigPath);
    Run([](TFormSettings& f) {
        EXPECT_EQ(f.comboLocalIP->items().count(), 2) << "the host's addresses are offered";
        EXPECT_EQ(f.comboLocalIP->text(), "10.77") << "not completed to 10.77.0.1";
        EXPECT_FALSE(f.FNetChanged);
    });
    EXPECT_EQ(ReadFile(g.LibraryConfigPath), before);
}

} // namespace
