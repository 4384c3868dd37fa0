// The search-folder list editor with its [FindDirInfo] section, the log files below Logs, and
// "synchronise now".
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "platform/ini_file.h"
#include "station/core/settings.h"
#include "station/core/settings_models/clock_now.h"
#include "station/core/settings_models/find_dirs.h"
#include "station/core/settings_models/log_files.h"
#include "tests/support/fake_transfer_library.h"
#include "tests/support/test_folder.h"

namespace {

using station::AddFolderResult;
using test_support::TestFolder;
using test_support::WriteFile;

TEST(FindDirList, AddsOnlyExistingFoldersAndSelectsTheFirstEntry) {
    const std::set<std::string> existing = {"D:\\rec", "E:\\more"};
    auto exists = [&](const std::string& f) { return existing.count(f) == 1; };
    station::FindDirListModel list;
    list.Reset({});
    EXPECT_EQ(list.Add("   ", exists), AddFolderResult::Nothing);
    EXPECT_EQ(list.Add("D:\\missing", exists), AddFolderResult::FolderMissing);
    EXPECT_TRUE(list.Folders().empty());
    EXPECT_EQ(list.Add(" D:\\rec ", exists), AddFolderResult::Added);
    EXPECT_EQ(list.Selected(), 0);
    EXPECT_EQ(list.Add("E:\\more", exists), AddFolderResult::Added);
    EXPECT_EQ(list.Selected(), 0) << "only the first entry is selected on its own";
    EXPECT_EQ(list.Folders(), (std::vector<std::string>{" D:\\rec ", "E:\\more"}));
}

TEST(FindDirList, ReplaceDeleteAndMovesNeedASelection) {
    station::FindDirListModel list;
    list.Reset({"A", "B", "C"});
    EXPECT_FALSE(list.ReplaceSelected("X"));
    EXPECT_FALSE(list.DeleteSelected());
    EXPECT_FALSE(list.MoveSelectedUp());
    EXPECT_FALSE(list.MoveSelectedDown());
    list.Select(2);
    EXPECT_FALSE(list.MoveSelectedDown());
    ASSERT_TRUE(list.MoveSelectedUp());
    EXPECT_EQ(list.Folders(), (std::vector<std::string>{"A", "C", "B"}));
    ASSERT_TRUE(list.ReplaceSelected("Z:\\not there"));
    EXPECT_EQ(list.Folders()[1], "Z:\\not there") << "replacing does not test existence";
    ASSERT_TRUE(list.DeleteSelected());
    EXPECT_EQ(list.Folders(), (std::vector<std::string>{"A", "B"}));
}

TEST(FindDirList, SavedOrderReadsBackAndOldEntriesGo) {
    TestFolder dir;
    const std::string ini = dir / "Velquist.ini";
    WriteFile(ini, "[FindDirInfo]\r\nTotalDirNum=3\r\nDirPath[1]=A\r\nDirPath[2]=B\r\nDirPath[3]=C\r\n");
    station::SaveFindDirs(ini, {"C", "A"});
    EXPECT_EQ(plat::ini_read_string(ini, "FindDirInfo", "DirPath[3]", "<gone>"), "<gone>");
    station::StationSettings settings;
    std::vector<std::string> dirs;
    station::LoadSettings(ini, dir.path(), settings, dirs);
    EXPECT_EQ(dirs, (std::vector<std::string>{"C", "A"}));
}

TEST(LogFiles, ListsDayFilesAtAnyDepthByExtensionWithoutCase) {
    TestFolder dir;
    WriteFile(dir / "Logs\\2012-03-17 Logs.txt", "x");
    WriteFile(dir / "Logs\\old\\2011-01-02 Logs.TXT", "x");
    WriteFile(dir / "Logs\\notes.doc", "x");
    WriteFile(dir / "Logs\\txt", "x");
    WriteFile(dir / "other.txt", "x");
    std::set<std::pair<std::string, std::string>> rows;
    int pumped = 0;
    for (const auto& r : station::ListLogFiles(dir.path(), [&] { ++pumped; })) rows.insert({r.Caption, r.Path});
    EXPECT_EQ(rows, (std::set<std::pair<std::string, std::string>>{
                        {"2012-03-17 Logs", dir / "Logs\\2012-03-17 Logs.txt"},
                        {"2011-01-02 Logs", dir / "Logs\\old\\2011-01-02 Logs.TXT"}}));
    EXPECT_GE(pumped, 5);
}

TEST(LogFiles, MissingFolderGivesNoneAndAnyExtensionMatchesAll) {
    TestFolder dir;
    EXPECT_TRUE(station::ListLogFiles(dir.path()).empty());
    WriteFile(dir / "a\\b.bin", "x");
    WriteFile(dir / "a\\c", "x");
    EXPECT_EQ(station::FindFiles(" " + dir.path() + "\\a ", ".*").size(), 2u);
}

TEST(SyncNow, SetsTheClockOfConnectedDevicesInUseOnly) {
    station::BoardTable boards{};
    boards[1].Connected = 1;
    boards[2].Connected = 1;
    boards[2].Enabled = false;  // paused: the library may still hold its session for a moment
    boards[3].Connected = 1;
    boards[5].Connected = 1;  // beyond the device count
    test_support::FakeTransferLibrary lib;
    EXPECT_EQ(station::SetConnectedDeviceClocks(boards, 4, lib, "2026-12-10 13:00:00"), 2);
    EXPECT_EQ(lib.clocks, (std::vector<std::pair<int, std::string>>{{1, "2026-12-10 13:00:00"},
                                                                      {3, "2026-12-10 13:00:00"}}));
    test_support::FakeTransferLibrary none;
    EXPECT_EQ(station::SetConnectedDeviceClocks(station::BoardTable{}, 4, none, "x"), 0);
    EXPECT_TRUE(none.clocks.empty());
}

} // namespace
