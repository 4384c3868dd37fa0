#include <gtest/gtest.h>

#include "platform/files.h"
#include "station/core/gbk_literal.h"
#include "station/core/station_log.h"
#include "tests/support/test_folder.h"

namespace station {
namespace {

using test_support::At;
using test_support::ReadFile;
using test_support::ScopedClock;
using test_support::TestFolder;

class RecordingPanel : public ILogPanel {
public:
    void AddLogLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

struct LogFixture {
    LogFixture() { plat::force_directories(dir / "Logs"); log.SetPanel(&panel); }
    TestFolder dir;
    StationSettings settings;
    StationTexts texts;
    std::string program_dir = dir.path();
    StationLog log{program_dir, settings, texts};
    RecordingPanel panel;
};

TEST(StationLog, ExactLineBytesAndFileName) {
    ScopedClock clock(At(2012, 3, 7, 14, 5, 9));
    LogFixture f;
    const std::string message = Gbk(u8"设备1 - 连接中断");
    f.log.WriteLog(message, LogMessage);
    f.log.WriteLog("disk full", LogError);
    f.log.WriteLog("odd level", 9);  // a level outside 1 to 4 has no word

    EXPECT_EQ(f.log.LogFilePath("2012-03-07"), f.dir / "Logs\\2012-03-07 Logs.txt");
    EXPECT_EQ(ReadFile(f.dir / "Logs\\2012-03-07 Logs.txt"),
              "14:05:09 \xCF\xFB\xCF\xA2\t" + message + "\r\n"  // "消息"
              "14:05:09 " + Gbk(u8"错误") + "\tdisk full\r\n"
              "14:05:09 \todd level\r\n");
    EXPECT_EQ(f.panel.lines, (std::vector<std::string>{" 14:05:09    " + message, " 14:05:09    disk full",
                                                       " 14:05:09    odd level"}));
}

TEST(StationLog, LevelWordsFollowTheTexts) {
    StationSettings settings;
    StationTexts texts;
    const std::string dir = "unused";
    StationLog log(dir, settings, texts);
    struct Case { const char* level; std::string word; };
    const Case cases[] = {
        {"1", Gbk(u8"消息")}, {"2", Gbk(u8"提醒")}, {"3", Gbk(u8"警告")}, {"4", Gbk(u8"错误")},
        {"0", ""}, {"5", ""}, {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(log.LevelWord(c.level), c.word) << c.level;
    texts.Set("Log.Warning", "Warning");
    EXPECT_EQ(log.LevelWord("3"), "Warning");
}

TEST(StationLog, LevelFilter) {
    // Which of the levels 1..4 are written at each LogLevel.
    struct Case { int log_level; std::vector<int> written; };
    const Case cases[] = {
        {0, {}}, {1, {1, 2, 3, 4}}, {2, {2, 3, 4}}, {3, {3, 4}}, {4, {4}}, {5, {}}, {-1, {1, 2, 3, 4}},
    };
    ScopedClock clock(At(2012, 3, 7, 8, 0, 0));
    for (const Case& c : cases) {
        LogFixture f;
        f.settings.LogLevel = c.log_level;
        std::string expected_file;
        std::vector<std::string> expected_panel;
        for (int level = 1; level <= 4; ++level) {
            f.log.WriteLog("L" + std::to_string(level), level);
            for (int w : c.written) {
                if (w != level) continue;
                expected_file += "08:00:00 " + f.log.LevelWord(std::to_string(level)) + "\tL" + std::to_string(level) + "\r\n";
                expected_panel.push_back(" 08:00:00    L" + std::to_string(level));
            }
        }
        EXPECT_EQ(ReadFile(f.dir / "Logs\\2012-03-07 Logs.txt"), expected_file) << "LogLevel " << c.log_level;
        EXPECT_EQ(f.panel.lines, expected_panel) << "LogLevel " << c.log_level;
    }
}

TEST(StationLog, EachDayHasItsOwnFileAndEntriesAppend) {
    ScopedClock clock(At(2012, 3, 7, 23, 59, 59));
    LogFixture f;
    f.log.WriteLog("late", LogReminder);
    clock.Set(At(2012, 3, 8, 0, 0, 0));
    f.log.WriteLog("early", LogReminder);
    f.log.WriteLog("again", LogReminder);
    const std::string word = Gbk(u8"提醒");
    EXPECT_EQ(ReadFile(f.dir / "Logs\\2012-03-07 Logs.txt"), "23:59:59 " + word + "\tlate\r\n");
    EXPECT_EQ(ReadFile(f.dir / "Logs\\2012-03-08 Logs.txt"),
              "00:00:00 " + word + "\tearly\r\n00:00:00 " + word + "\tagain\r\n");
}

TEST(StationLog, AMissingFolderLosesTheFileLineButNotThePanelLine) {
    ScopedClock clock(At(2012, 3, 7, 8, 0, 0));
    LogFixture f;
    ASSERT_TRUE(plat::remove_directory(f.dir / "Logs"));
    f.log.WriteLog("still shown", LogError);
    EXPECT_EQ(f.panel.lines.size(), 1u);
    EXPECT_FALSE(plat::file_exists(f.dir / "Logs\\2012-03-07 Logs.txt"));
}

TEST(StationLog, PanelKeepsTheNewestNineLines) {
    LogPanelLines panel;
    for (int i = 1; i <= 10; ++i) panel.Add("line " + std::to_string(i));
    ASSERT_EQ(panel.lines().size(), 9u);
    EXPECT_EQ(panel.lines().front(), "line 2");
    EXPECT_EQ(panel.lines().back(), "line 10");
}

} // namespace
} // namespace station
