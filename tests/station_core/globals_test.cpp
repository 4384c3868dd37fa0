#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "station/core/gbk_literal.h"
#include "station/core/globals.h"
#include "tests/support/test_folder.h"

namespace station {
namespace {

using test_support::At;
using test_support::ReadFile;
using test_support::ScopedClock;
using test_support::TestFolder;
using test_support::WriteFile;

TEST(Globals, InitOnAnEmptyProgramFolderMakesFoldersAndDefaults) {
    TestFolder prog;
    StationGlobals g;
    ASSERT_EQ(InitGlobals(g, prog.path()), "");
    EXPECT_EQ(g.ProgramDir, prog.path());
    EXPECT_EQ(g.LibraryConfigPath, prog / "tarnlib.ini");
    EXPECT_EQ(g.DataDir, prog / "Data");
    EXPECT_EQ(g.SettingsPath, prog / "Velquist.ini");
    for (const char* folder : {"Data", "Logs", "LibLogs", "DB"}) EXPECT_TRUE(plat::directory_exists(prog / folder)) << folder;
    EXPECT_TRUE(g.SettingsLoaded);
    EXPECT_EQ(g.DeviceCount, 0);
    EXPECT_FALSE(g.RescanSaveFolders);
    EXPECT_FALSE(g.EraseDevEnable);
    EXPECT_EQ(g.Settings.LogLevel, 1);
    EXPECT_EQ(g.Settings.DBInfo.ConnMode, 1);
    EXPECT_EQ(g.ColumnsInfo.VisibleCount, 10);
    EXPECT_EQ(g.Texts.Get("Log.ExitProgram"), Gbk(u8"退出程序"));
}

TEST(Globals, InitLoadsTheSettingsFileAndShutDownSavesIt) {
    TestFolder prog;
    WriteFile(prog / "Velquist.ini", "[Log]\r\nLogLevel=2\r\n[FindDirInfo]\r\nTotalDirNum=1\r\nDirPath[1]=C:\\Old\r\n");
    ScopedClock clock(At(2012, 3, 1, 8, 0, 0));
    StationGlobals g;
    ASSERT_EQ(InitGlobals(g, prog.path()), "");
    EXPECT_EQ(g.Settings.LogLevel, 2);
    EXPECT_EQ(g.FindDirs, std::vector<std::string>{"C:\\Old"});

    g.Settings.AutoFTPEnable = false;  // changed while running: saved at the end
    g.Texts.Set("Log.ExitProgram", "bye");
    bool device_enables_saved = false;
    const std::string log_path = prog / "Logs\\2012-03-01 Logs.txt";
    EXPECT_EQ(DoneGlobals(g, [&] {
                  // In order: the settings are saved, then the device enables, then the exit line.
                  EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "CommonInfo", "AutoFTPEnable", ""), "0");
                  EXPECT_FALSE(plat::file_exists(log_path));
                  device_enables_saved = true;
              }),
              "");
    EXPECT_TRUE(device_enables_saved);
    EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "Log", "LogLevel", ""), "2");
    EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "CommonInfo", "AutoFTPEnable", ""), "0");
    EXPECT_TRUE(g.FindDirs.empty());
    // The exit line is the last line of the day's log.
    const std::string log = ReadFile(log_path);
    const std::string last = "08:00:00 " + Gbk(u8"提醒") + "\tbye\r\n";
    ASSERT_GE(log.size(), last.size());
    EXPECT_EQ(log.substr(log.size() - last.size()), last);
}

TEST(Globals, ABlockedFolderIsReportedAndLeavesTheSettingsFileAlone) {
    for (const char* blocked : {"Data", "Logs", "LibLogs", "DB"}) {
        TestFolder prog;
        const std::string original = "[Log]\r\nLogLevel=4\r\n[DB]\r\nConnMode=0\r\nODBCDsn=calls\r\n";
        WriteFile(prog / "Velquist.ini", original);
        WriteFile(prog / blocked, "a file where a folder belongs");

        StationGlobals g;
        EXPECT_EQ(InitGlobals(g, prog.path()), "Cannot create " + (prog / blocked)) << blocked;
        EXPECT_FALSE(g.SettingsLoaded);
        EXPECT_EQ(DoneGlobals(g, nullptr), "");
        EXPECT_EQ(ReadFile(prog / "Velquist.ini"), original) << blocked;
    }
}

TEST(Globals, ProgramStartLine) {
    TestFolder prog;
    ScopedClock clock(At(2012, 3, 1, 9, 30, 5));
    StationGlobals g;
    ASSERT_EQ(InitGlobals(g, prog.path()), "");
    LogProgramStart(g, "C:\\Apps\\Velquist.exe");
    EXPECT_EQ(ReadFile(prog / "Logs\\2012-03-01 Logs.txt"),
              "09:30:05 " + Gbk(u8"提醒") + "\t2012-03-01   " + Gbk(u8"启动程序") + " C:\\Apps\\Velquist.exe\r\n");
}

TEST(Globals, ProgramDirOfAnExecutable) {
    EXPECT_EQ(ProgramDirOf("C:\\Apps\\Velquist.exe"), "C:\\Apps");
    EXPECT_EQ(ProgramDirOf("/opt/velquist/Velquist"), "/opt/velquist");
    // A GBK folder name whose last byte is 0x5C is not cut there.
    const std::string folder = "C:\\\x81\x5C";
    EXPECT_EQ(ProgramDirOf(folder + "\\Velquist.exe"), folder);
}

} // namespace
} // namespace station
