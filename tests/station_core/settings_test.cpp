#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "station/core/gbk_literal.h"
#include "station/core/settings.h"
#include "tests/support/test_folder.h"

namespace station {
namespace {

using test_support::TestFolder;
using test_support::WriteFile;

void ExpectSame(const StationSettings& a, const StationSettings& b) {
    EXPECT_EQ(a.AutoRunEnable, b.AutoRunEnable);
    EXPECT_EQ(a.AutoRunMode, b.AutoRunMode);
    EXPECT_EQ(a.AutoFTPEnable, b.AutoFTPEnable);
    EXPECT_EQ(a.LangName, b.LangName);
    EXPECT_EQ(a.LogPanelVisible, b.LogPanelVisible);
    EXPECT_EQ(a.LogLevel, b.LogLevel);
    EXPECT_EQ(a.PlayFuncEnable, b.PlayFuncEnable);
    EXPECT_EQ(a.DBInfo.ConnMode, b.DBInfo.ConnMode);
    EXPECT_EQ(a.DBInfo.ODBCDsn, b.DBInfo.ODBCDsn);
    EXPECT_EQ(a.DBInfo.ODBCUser, b.DBInfo.ODBCUser);
    EXPECT_EQ(a.DBInfo.ODBCPass, b.DBInfo.ODBCPass);
    EXPECT_EQ(a.DBInfo.LocalAccess, b.DBInfo.LocalAccess);
    EXPECT_EQ(a.DBInfo.UserAccessPath, b.DBInfo.UserAccessPath);
    EXPECT_EQ(a.LocalPath, b.LocalPath);
    EXPECT_EQ(a.UserSavePath, b.UserSavePath);
    EXPECT_EQ(a.UserSavePathResolved, b.UserSavePathResolved);
    EXPECT_EQ(a.AllDay, b.AllDay);
    for (std::size_t k = 0; k < a.TimeSections.size(); ++k) {
        EXPECT_EQ(a.TimeSections[k].Enable, b.TimeSections[k].Enable) << k;
        EXPECT_EQ(a.TimeSections[k].From, b.TimeSections[k].From) << k;
        EXPECT_EQ(a.TimeSections[k].To, b.TimeSections[k].To) << k;
        EXPECT_EQ(a.TimeSections[k].StopEnable, b.TimeSections[k].StopEnable) << k;
    }
    EXPECT_EQ(a.SyncEnable, b.SyncEnable);
    EXPECT_EQ(a.SyncIntervalDays, b.SyncIntervalDays);
    EXPECT_EQ(a.LastUpdateDT, b.LastUpdateDT);
}

TEST(Settings, MissingFileGivesEveryDefault) {
    TestFolder dir;
    StationSettings s;
    s.LogLevel = 4;  // stale values must all be replaced
    s.DBInfo.ConnMode = 0;
    std::vector<std::string> find_dirs = {"stale"};
    LoadSettings(dir / "Velquist.ini", dir.path(), s, find_dirs);

    EXPECT_FALSE(s.AutoRunEnable);
    EXPECT_EQ(s.AutoRunMode, 0);
    EXPECT_TRUE(s.AutoFTPEnable);
    EXPECT_EQ(s.LangName, "");
    EXPECT_TRUE(s.LogPanelVisible);
    EXPECT_EQ(s.LogLevel, 1);
    EXPECT_EQ(s.DBInfo.ConnMode, 1);  // the embedded database file, not an unnamed data source
    EXPECT_EQ(s.DBInfo.ODBCDsn, "");
    EXPECT_TRUE(s.DBInfo.LocalAccess);
    EXPECT_TRUE(s.LocalPath);
    EXPECT_EQ(s.UserSavePath, "");
    EXPECT_TRUE(s.AllDay);
    for (const ATimeSection& t : s.TimeSections) {
        EXPECT_FALSE(t.Enable);
        EXPECT_EQ(t.From, "00:00:00");
        EXPECT_EQ(t.To, "00:00:00");
        EXPECT_FALSE(t.StopEnable);
    }
    EXPECT_TRUE(s.SyncEnable);
    EXPECT_EQ(s.SyncIntervalDays, 7);
    EXPECT_EQ(s.LastUpdateDT, "");
    EXPECT_TRUE(s.PlayFuncEnable);
    EXPECT_TRUE(find_dirs.empty());
    // The in-memory defaults are the same as those of an absent file.
    ExpectSame(s, StationSettings{});
}

TEST(Settings, RoundTripKeepsEveryValueAndForeignKeys) {
    TestFolder dir;
    const std::string ini = dir / "Velquist.ini";
    StationSettings s;
    s.AutoRunEnable = true;
    s.AutoRunMode = 1;
    s.AutoFTPEnable = false;
    s.LangName = Gbk(u8"简体中文");
    s.LogPanelVisible = false;
    s.LogLevel = 3;
    s.DBInfo = ADBInfo{0, "calls", "rec", "p;w}d", false, Gbk(u8"D:\\数据\\calls.db")};
    s.LocalPath = false;
    s.UserSavePath = ".\\Rec";
    s.AllDay = false;
    s.TimeSections[0] = ATimeSection{true, "08:00:00", "18:00:00", true};
    s.TimeSections[4] = ATimeSection{true, "20:00:00", "21:30:00", false};
    s.SyncEnable = false;
    s.SyncIntervalDays = 30;
    s.LastUpdateDT = "2012-03-17 14-05-09";
    ASSERT_TRUE(plat::ini_write_string(ini, "Foreign", "Kept", "yes"));
    ASSERT_TRUE(plat::ini_write_string(ini, "FuncControl", "PlayFuncEnable", "0"));

    ASSERT_EQ(SaveSettings(ini, s), "");
    StationSettings loaded;
    std::vector<std::string> find_dirs;
    LoadSettings(ini, dir.path(), loaded, find_dirs);
    s.UserSavePathResolved = dir.path() + "\\Rec";
    s.PlayFuncEnable = false;  // read from the file, never written
    ExpectSame(loaded, s);
    EXPECT_EQ(plat::ini_read_string(ini, "SavePath", "UserSavePath", ""), ".\\Rec");  // stored as given
    EXPECT_EQ(plat::ini_read_string(ini, "Foreign", "Kept", ""), "yes");
    EXPECT_EQ(plat::ini_read_string(ini, "TimeSecs", "TimeSec1StopEnable", ""), "1");

    // PlayFuncEnable 0 survives any number of runs.
    ASSERT_EQ(SaveSettings(ini, loaded), "");
    ASSERT_EQ(SaveSettings(ini, loaded), "");
    EXPECT_EQ(plat::ini_read_string(ini, "FuncControl", "PlayFuncEnable", ""), "0");
}

TEST(Settings, ValuesAreReadLeniently) {
    struct Case { const char* section; const char* key; const char* value; int StationSettings::*field; int expected; };
    const Case cases[] = {
        {"Log", "LogLevel", "abc", &StationSettings::LogLevel, 1},         // not a number: the default
        {"Log", "LogLevel", "", &StationSettings::LogLevel, 1},
        {"Log", "LogLevel", "2x", &StationSettings::LogLevel, 1},
        {"Log", "LogLevel", "99999999999", &StationSettings::LogLevel, 1},  // beyond 32 bits
        {"Log", "LogLevel", " 4 ", &StationSettings::LogLevel, 4},
        {"SyncTime", "IntervalDays", "0", &StationSettings::SyncIntervalDays, 1},
        {"SyncTime", "IntervalDays", "-3", &StationSettings::SyncIntervalDays, 1},
        {"SyncTime", "IntervalDays", "5000", &StationSettings::SyncIntervalDays, 1000},
        {"SyncTime", "IntervalDays", "1000", &StationSettings::SyncIntervalDays, 1000},
        {"CommonInfo", "AutoRunMode", "-1", &StationSettings::AutoRunMode, -1},
    };
    for (const Case& c : cases) {
        TestFolder dir;
        ASSERT_TRUE(plat::ini_write_string(dir / "v.ini", c.section, c.key, c.value));
        StationSettings s;
        std::vector<std::string> find_dirs;
        LoadSettings(dir / "v.ini", dir.path(), s, find_dirs);
        EXPECT_EQ(s.*c.field, c.expected) << c.key << "=" << c.value;
    }
}

TEST(Settings, BooleansAndConnectionMode) {
    struct Case { const char* file; bool auto_ftp; int conn_mode; };
    const Case cases[] = {
        {"[CommonInfo]\r\nAutoFTPEnable=2\r\n", true, 1},  // any value but 0 is true
        {"[CommonInfo]\r\nAutoFTPEnable=0\r\n[DB]\r\nConnMode=0\r\n", false, 0},  // a set mode keeps its meaning
        {"[CommonInfo]\r\nAutoFTPEnable=yes\r\n[DB]\r\nConnMode=\r\n", true, 1},
    };
    for (const Case& c : cases) {
        TestFolder dir;
        WriteFile(dir / "v.ini", c.file);
        StationSettings s;
        std::vector<std::string> find_dirs;
        LoadSettings(dir / "v.ini", dir.path(), s, find_dirs);
        EXPECT_EQ(s.AutoFTPEnable, c.auto_ftp) << c.file;
        EXPECT_EQ(s.DBInfo.ConnMode, c.conn_mode) << c.file;
    }
}

TEST(Settings, SearchFoldersSkipBlanksAndKeepOrder) {
    TestFolder dir;
    WriteFile(dir / "v.ini",
              "[FindDirInfo]\r\nTotalDirNum=4\r\nDirPath[1]=C:\\One\r\nDirPath[2]=   \r\n"
              "DirPath[3]= D:\\Three \r\nDirPath[4]=" + Gbk(u8"E:\\录音") + "\r\nDirPath[5]=F:\\Beyond\r\n");
    StationSettings s;
    std::vector<std::string> find_dirs;
    LoadSettings(dir / "v.ini", dir.path(), s, find_dirs);
    EXPECT_EQ(find_dirs, (std::vector<std::string>{"C:\\One", "D:\\Three", Gbk(u8"E:\\录音")}));

    // A damaged count is bounded, not walked to two thousand million.
    WriteFile(dir / "w.ini", "[FindDirInfo]\r\nTotalDirNum=2147483647\r\nDirPath[1]=C:\\One\r\n");
    LoadSettings(dir / "w.ini", dir.path(), s, find_dirs);
    EXPECT_EQ(find_dirs, (std::vector<std::string>{"C:\\One"}));
}

TEST(Settings, SavePathsResolveAgainstTheProgramFolder) {
    struct Case { const char* stored; std::string resolved; };
    const std::string prog = "C:\\Apps\\Velquist";
    const Case cases[] = {
        {".\\Rec", prog + "\\Rec"},
        {"..\\Rec", "C:\\Apps\\Rec"},
        {"\\..\\Rec", "C:\\Apps\\Rec"},
        {".\\..\\Rec", "C:\\Apps\\Rec"},
        {"..\\..\\Rec", "C:\\Apps\\..\\Rec"},  // only one level is resolved
        {"D:\\Rec/", "D:\\Rec/"},
        {"Rec", "Rec"},
        {"", ""},
    };
    for (const Case& c : cases) {
        TestFolder dir;
        ASSERT_TRUE(plat::ini_write_string(dir / "v.ini", "SavePath", "UserSavePath", c.stored));
        StationSettings s;
        std::vector<std::string> find_dirs;
        LoadSettings(dir / "v.ini", prog, s, find_dirs);
        EXPECT_EQ(s.UserSavePath, c.stored);
        EXPECT_EQ(s.UserSavePathResolved, c.resolved) << c.stored;
    }
}

TEST(Settings, AnUnwritableFileIsReported) {
    TestFolder dir;
    const std::string ini = dir / "missing-folder\\Velquist.ini";
    EXPECT_EQ(SaveSettings(ini, StationSettings{}), "Unable to write to " + ini);
}

} // namespace
} // namespace station
