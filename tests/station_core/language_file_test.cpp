#include <algorithm>

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "station/core/gbk_literal.h"
#include "station/core/language_file.h"
#include "station/core/language_texts.h"
#include "station/core/system_language.h"
#include "fake_language_tree.h"
#include "tests/support/test_folder.h"

namespace station {
namespace {

using station_test::FakeWindow;
using test_support::ReadFile;
using station_test::RecordingNotices;
using test_support::TestFolder;
using test_support::WriteFile;

// The main window as far as these tests need it.
struct MainWindow : FakeWindow {
    MainWindow() : FakeWindow("TMainForm") {
        Own().Text("Caption", "Velquist").Text("Hint", "");
        Add("btnSettings").Text("Caption", Gbk(u8"设置")).Text("Hint", "settings");
        Add("comboMode").List("Items", {"a", "b"}).Text("Hint", "");
        Add("spinDays").Number("Tag", "0");
        Add("btnClose").Text("Caption", Gbk(u8"退出"));
        Add("lvDev").Object("Columns", "TListColumns");
        Add("NodeClose").Object("Items", "TMenuItem");
    }
};

const std::string kCommon = "[common]\r\nLog.LoginSucc=Device %d logged in (%s)\r\nApp.Title=" + std::string("Velquist") +
                            "\r\nCol.Date=Date\r\nCol.Direction=Dir\r\n";

TEST(LanguageFile, AppliesASectionByComponentAndPropertyName) {
    TestFolder dir;
    WriteFile(dir / "en.ini", kCommon +
              "[TMainForm]\r\n"
              ".Caption=" + Gbk(u8"录音工作站") + "\r\n"
              "btnSettings.caption=Settings\r\n"  // property names compare without case
              "BTNSETTINGS.Hint=\r\n"             // an empty value leaves the property as it is
              " comboMode . Items =\"Active mode\"|Passive\r\n"
              "spinDays.Tag=7\r\n"
              "btnSettings.NoSuchProperty=x\r\n"
              "lblMissing.Caption=gone\r\n"      // a component the window lacks ends the section
              "btnClose.Caption=Quit\r\n");
    MainWindow w;
    TLanguageFile lang("", nullptr);
    EXPECT_EQ(lang.SetForm(&w), std::nullopt);
    EXPECT_EQ(lang.LoadFile(dir / "en.ini"), std::nullopt);

    EXPECT_EQ(w.Own().Prop("Caption").value, Gbk(u8"录音工作站"));
    EXPECT_EQ(w.Get("btnSettings").Prop("Caption").value, "Settings");
    EXPECT_EQ(w.Get("btnSettings").Prop("Hint").value, "settings");
    EXPECT_EQ(w.Get("comboMode").Prop("Items").items, (std::vector<std::string>{"Active mode", "Passive"}));
    EXPECT_EQ(w.Get("spinDays").Prop("Tag").value, "7");
    EXPECT_EQ(w.Get("btnClose").Prop("Caption").value, Gbk(u8"退出"));
}

TEST(LanguageFile, AValueThatDoesNotConvertStopsTheSectionWithItsError) {
    TestFolder dir;
    WriteFile(dir / "bad.ini", "[TMainForm]\r\nCaption=Own caption\r\nspinDays.Tag=seven\r\nbtnClose.Caption=Quit\r\n");
    MainWindow w;
    TLanguageFile lang("", nullptr);
    lang.SetForm(&w);
    EXPECT_EQ(lang.LoadFile(dir / "bad.ini"), std::string("'seven' is not a valid integer value"));
    EXPECT_EQ(w.Own().Prop("Caption").value, "Own caption");  // a key without "." means the window
    EXPECT_EQ(w.Get("btnClose").Prop("Caption").value, Gbk(u8"退出"));
}

TEST(LanguageFile, PropertiesOfOtherClassesAreReportedNotSet) {
    TestFolder dir;
    WriteFile(dir / "obj.ini", "[TMainForm]\r\nlvDev.Columns=a|b\r\nbtnClose.Caption=Quit\r\n");
    MainWindow w;
    RecordingNotices notices;
    TLanguageFile lang("", &notices);
    lang.SetForm(&w);
    EXPECT_EQ(lang.LoadFile(dir / "obj.ini"), std::nullopt);
    EXPECT_EQ(notices.messages,
              std::vector<std::string>{"information: property kind=tkClass;Name=[TListColumns] Not implement"});
    EXPECT_EQ(w.Get("btnClose").Prop("Caption").value, "Quit");
}

TEST(LanguageFile, LoadingAndSwitchingWindows) {
    TestFolder dir;
    WriteFile(dir / "one.ini", kCommon + "[TMainForm]\r\nbtnClose.Caption=One\r\n[TConfForm]\r\n.Caption=Confirm\r\n");
    WriteFile(dir / "two.ini", "[TMainForm]\r\nbtnClose.Caption=Two\r\n");
    MainWindow main_window;
    FakeWindow conf("TConfForm");
    conf.Own().Text("Caption", "");

    // The system-language file is loaded at once but has no window to go to yet.
    TLanguageFile lang(dir / "one.ini", nullptr);
    EXPECT_EQ(lang.FileName(), dir / "one.ini");
    EXPECT_EQ(lang.GetText("log.loginsucc"), "Device %d logged in (%s)");  // names compare without case
    EXPECT_EQ(lang.GetText("Log.Missing"), "");
    lang.SetForm(&main_window);
    EXPECT_EQ(main_window.Get("btnClose").Prop("Caption").value, "One");

    // Loading the same file again, or one that does not exist, changes nothing.
    main_window.Get("btnClose").Text("Caption", "edited");
    lang.LoadFile(dir / "one.ini");
    lang.LoadFile(dir / "none.ini");
    lang.SetForm(&main_window);
    EXPECT_EQ(main_window.Get("btnClose").Prop("Caption").value, "edited");
    EXPECT_EQ(lang.FileName(), dir / "one.ini");

    lang.SetForm(&conf);
    EXPECT_EQ(conf.Own().Prop("Caption").value, "Confirm");
    EXPECT_EQ(lang.CurrentForm(), &conf);

    // A new file goes to the current window; the others get it when they become current.
    lang.LoadFile(dir / "two.ini");
    EXPECT_EQ(main_window.Get("btnClose").Prop("Caption").value, "edited");
    EXPECT_EQ(lang.GetText("App.Title"), "");
    lang.SetForm(&main_window);
    EXPECT_EQ(main_window.Get("btnClose").Prop("Caption").value, "Two");

    TLanguageFile none("", nullptr);
    EXPECT_EQ(none.GetText("App.Title"), "");
    EXPECT_EQ(none.SetForm(&main_window), std::nullopt);
}

TEST(LanguageFile, DefaultExportWritesGbkTextsThatReadBack) {
    TestFolder prog;
    plat::force_directories(prog / "Lang");
    MainWindow main_window;
    main_window.Own().Text("Caption", Gbk(u8"录音工作站"));
    main_window.Get("comboMode").List("Items", {Gbk(u8"任何用户登陆时自动运行"), "two words"});
    FakeWindow settings("TFormSettings");
    settings.Own().Text("Caption", Gbk(u8"设置"));
    RecordingNotices notices;
    TLanguageFile lang("", &notices);

    const std::string path = DefaultLanguageFilePath(prog.path());
    EXPECT_EQ(path, prog / "Lang\\default.ini");
    ASSERT_TRUE(ExportLanguageFile(lang,
                                   {{&main_window, {"caption", "hint"}}, {nullptr, {"caption"}},
                                    {&settings, {"caption", "items", "hint", "lines"}}},
                                   path));
    EXPECT_TRUE(notices.messages.empty()) << notices.messages.front();  // menu items are skipped quietly

    EXPECT_EQ(plat::ini_read_keys(path, "TMainForm"),
              (std::vector<std::string>{".caption", "btnSettings.caption", "btnClose.caption", ".hint",
                                        "btnSettings.hint"}));
    EXPECT_EQ(plat::ini_read_keys(path, "TFormSettings"), std::vector<std::string>{".caption"});
    EXPECT_EQ(plat::ini_read_string(path, "TMainForm", "comboMode.items", "absent"), "absent");  // not asked for
    const std::string bytes = ReadFile(path);
    EXPECT_NE(bytes.find(Gbk(u8"录音工作站")), std::string::npos);

    // Read back into a fresh window, the texts are the exported ones.
    MainWindow fresh;
    TLanguageFile reader("", nullptr);
    reader.SetForm(&fresh);
    reader.LoadFile(path);
    EXPECT_EQ(fresh.Own().Prop("Caption").value, Gbk(u8"录音工作站"));
    EXPECT_EQ(fresh.Get("btnSettings").Prop("Hint").value, "settings");

    ASSERT_TRUE(ExportLanguageFile(lang, {{&main_window, {"items"}}}, prog / "list.ini"));
    const std::string items = plat::ini_read_string(prog / "list.ini", "TMainForm", "comboMode.items", "");
    EXPECT_EQ(items, Gbk(u8"任何用户登陆时自动运行") + "|\"two words\"");

    // A missing folder fails the export.
    EXPECT_FALSE(ExportLanguageFile(lang, {{&settings, {"caption"}}}, prog / "NoFolder\\default.ini"));
}

TEST(LanguageFile, ListItemsEndingInALoneLeadByteSurviveExportAndReload) {
    // A device or an old file may leave a text cut after the first byte of a character.
    using Items = std::vector<std::string>;
    const Items cases[] = {
#ifndef _WIN32
        // The Windows profile functions take every text through UTF-16, where a lone lead
        // byte has no character: there only the list format itself carries it.
        {"ab\xB0", "c"},
        {"c", "ab\xB0"},
        {"\xB0"},
        {Gbk(u8"呼入") + "\xCD", Gbk(u8"呼出")},
        {"x y\xB0", "\xB0|"},
#endif
        {"two words"},  // one quoted item: the profile reader takes a pair of quotes off
        {"two words", "\"quoted\""},
    };
    TestFolder prog;
    TLanguageFile lang("", nullptr);
    int n = 0;
    for (const Items& items : cases) {
        MainWindow exported;
        exported.Get("comboMode").List("Items", items);
        const std::string path = prog / ("list" + std::to_string(++n) + ".ini");
        ASSERT_TRUE(ExportLanguageFile(lang, {{&exported, {"items"}}}, path));

        MainWindow fresh;
        TLanguageFile reader("", nullptr);
        reader.SetForm(&fresh);
        reader.LoadFile(path);
        EXPECT_EQ(fresh.Get("comboMode").Prop("Items").items, items) << ReadFile(path);
    }
}

TEST(LanguageFile, FilesAndChoices) {
    EXPECT_EQ(SystemLanguageFilePath("C:\\Apps\\Velquist.exe", 2052), "C:\\Apps\\Velquist_language\\2052.ini");
#ifdef _WIN32
    EXPECT_EQ(SystemDefaultLanguageId(), 2052);  // the test prefix runs with a Simplified Chinese locale
#endif
    EXPECT_EQ(LanguageFilePath("C:\\Apps", "English"), "C:\\Apps\\Lang\\English.ini");

    TestFolder prog;
    WriteFile(prog / "Lang\\English.ini", "");
    WriteFile(prog / ("Lang\\" + Gbk(u8"简体中文") + ".ini"), "");
    WriteFile(prog / "Lang\\notes.txt", "");
    plat::force_directories(prog / "Lang\\folder.ini");
    std::vector<std::string> choices = LanguageChoices(prog.path());
    std::sort(choices.begin(), choices.end());
    EXPECT_EQ(choices, (std::vector<std::string>{"English", Gbk(u8"简体中文")}));
}

TEST(LanguageTexts, AChangeOfLanguageReplacesTextsAndColumnNames) {
    TestFolder dir;
    WriteFile(dir / "en.ini", kCommon + "Caption.StartFTP=Start\r\n");
    TLanguageFile lang(dir / "en.ini", nullptr);
    StationTexts texts;
    AProgramColumnsInfo columns;
    LoadColumns(dir / "none.ini", columns);
    columns.VisibleColumns[0] = columns.AllColumns[2];
    columns.VisibleCount = 1;

    LoadLanguageTexts(lang, texts, columns);
    EXPECT_EQ(texts.Get("Log.LoginSucc"), "Device %d logged in (%s)");
    EXPECT_EQ(texts.Get("Log.DevDisconnected"), Gbk(u8"设备%d - 连接中断"));  // missing from the file: built-in
    EXPECT_EQ(texts.Get("Caption.StartFTP"), Gbk(u8"启动FTP"));  // set only by the main window's texts
    EXPECT_EQ(columns.AllColumns[2].Name, "Date");
    EXPECT_EQ(columns.AllColumns[2].Caption, "Date");
    EXPECT_EQ(columns.AllColumns[0].Name, "Dir");
    EXPECT_EQ(columns.AllColumns[0].Caption, "");  // the direction header stays without text
    EXPECT_EQ(columns.AllColumns[1].Name, Gbk(u8"通道"));
    EXPECT_EQ(columns.VisibleColumns[0].Name, "Date");
    EXPECT_EQ(columns.AllColumns[2].Key, Gbk(u8"日期"));  // keys are never translated

    LoadMainWindowTexts(lang, texts);
    EXPECT_EQ(texts.Get("Caption.StartFTP"), "Start");
    EXPECT_EQ(texts.Get("Log.ExitProgram"), Gbk(u8"退出程序"));
}

// A file that lacks keys, or gives them empty, keeps every text and column name: the built-in one
// stands in, while the keys it does give take effect.
TEST(LanguageTexts, PartialAndEmptyFilesKeepEveryTextNonEmpty) {
    const struct {
        const char* name;
        std::string contents;
    } files[] = {
        {"empty", ""},
        {"no common section", "[TMainForm]\r\nbtnClose.Caption=Exit\r\n"},
        {"partial", "[common]\r\nLog.ConfirmExit=Quit?\r\nMsgBox.Yes=\r\nCol.Date=\r\nLog.LoginSucc=   \r\n"},
    };
    for (const auto& f : files) {
        TestFolder dir;
        WriteFile(dir / "part.ini", f.contents);
        TLanguageFile lang(dir / "part.ini", nullptr);
        StationTexts texts;
        AProgramColumnsInfo columns;
        LoadColumns(dir / "none.ini", columns);
        LoadLanguageTexts(lang, texts, columns);
        LoadMainWindowTexts(lang, texts);
        std::vector<std::string> keys = StationTexts::LanguageTextKeys();
        for (const std::string& k : StationTexts::MainWindowTextKeys()) keys.push_back(k);
        EXPECT_EQ(texts.Get("Log.ConfirmExit"), f.name == std::string("partial") ? "Quit?" : StationTexts::DefaultOf("Log.ConfirmExit"));
        for (const std::string& key : keys) {
            EXPECT_FALSE(texts.Get(key).empty()) << f.name << ": " << key;
            if (key != "Log.ConfirmExit") {
                EXPECT_EQ(texts.Get(key), StationTexts::DefaultOf(key)) << f.name << ": " << key;
            }
        }
        for (int i = 0; i < kColumnCount; ++i)
            EXPECT_EQ(columns.AllColumns[static_cast<std::size_t>(i)].Name, BuiltInColumn(i).Name) << f.name << i;
        for (int j = 0; j < columns.VisibleCount; ++j)
            EXPECT_FALSE(columns.VisibleColumns[static_cast<std::size_t>(j)].Name.empty()) << f.name << j;
    }
}

} // namespace
} // namespace station
