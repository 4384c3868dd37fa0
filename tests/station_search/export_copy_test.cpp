#include <gtest/gtest.h>

#include "station/core/search/record_export.h"
#include "tests/station_search/search_fixture.h"

namespace station_search_test {
namespace {

AProgramColumnsInfo FiveColumns() {
    AProgramColumnsInfo columns;
    const int shown[] = {0, 2, 3, 5, 9};  // direction, date, time, caller, note
    for (int i = 0; i < kColumnCount; ++i) columns.AllColumns[static_cast<std::size_t>(i)] = BuiltInColumn(i);
    for (int i = 0; i < 5; ++i) columns.VisibleColumns[static_cast<std::size_t>(i)] = BuiltInColumn(shown[i]);
    columns.VisibleCount = 5;
    return columns;
}

struct Logged {
    std::vector<std::pair<std::string, int>> lines;
    LogWriter writer() {
        return [this](const std::string& m, int level) { lines.emplace_back(m, level); };
    }
};

class ExportTest : public ::testing::Test {
protected:
    ExportTest() : station("search-export"), files(station.globals()) {
        records = {MakeCall(1, "2012-03-01", "08:00:00", 0, "a.wav"), MakeCall(2, "2012-03-01", "09:00:00", 1, "b.wav"),
                   MakeCall(3, "2012-03-02", "10:00:00", 2, "")};
        records[0].CNote = Gbk(u8"回电,客户");
    }
    StationTexts texts;
    StationFolder station;
    StationRecordingFiles files;
    ScriptedDialogs dialogs;
    ScriptedPrompts prompts;
    Logged log;
    std::vector<ACallLogInfo> records;
};

TEST_F(ExportTest, TextHasHeaderOfNamesAndOneCrLfLinePerRecord) {
    const std::string text = CallRecordsText(FiveColumns(), records, texts);
    const std::string expected =
        BuiltInColumn(0).Name + "," + BuiltInColumn(2).Name + "," + BuiltInColumn(3).Name + "," +
        BuiltInColumn(5).Name + "," + BuiltInColumn(9).Name + "\r\n" +
        Gbk(u8"呼入") + ",2012-03-01,08:00:00,07551001," + Gbk(u8"回电,客户") + "\r\n" +
        Gbk(u8"呼出") + ",2012-03-01,09:00:00,07551002,\r\n" +
        Gbk(u8"未接") + ",2012-03-02,10:00:00,07551003,\r\n";
    EXPECT_EQ(text, expected);
    EXPECT_FALSE(BuiltInColumn(0).Name.empty());  // the direction header has a name to export
}

TEST_F(ExportTest, UnwritablePathIsToldWithItsReasonAndLeavesNoFile) {
    plat::force_directories(station.root() + "\\a-folder.csv");
    for (const std::string& path : {station.root() + "\\no-such-folder\\calls.csv", station.root() + "\\a-folder.csv"}) {
        dialogs.save_path = path;
        prompts.messages.clear();
        log.lines.clear();
        EXPECT_FALSE(ExportCallRecords(records, FiveColumns(), texts, dialogs, prompts, files, log.writer())) << path;
        EXPECT_FALSE(plat::file_exists(path)) << path;
        ASSERT_EQ(prompts.messages.size(), 1u) << path;
        EXPECT_EQ(prompts.messages[0].first, Gbk(u8"错误"));
        const std::string told = prompts.messages[0].second;
        const std::string head = texts.Format("Log.ExportRecordsFail", {path, ""});
        EXPECT_EQ(told.compare(0, head.size(), head), 0) << told;
        EXPECT_GT(told.size(), head.size()) << "the system's reason follows the path";
        ASSERT_EQ(log.lines.size(), 1u) << path;
        EXPECT_EQ(log.lines[0], std::make_pair(told, 4));
    }
}

TEST_F(ExportTest, EveryExtensionGetsTheTextAndOverwriteAsks) {
    const std::string expected = CallRecordsText(FiveColumns(), records, texts);
    for (const char* name : {"calls.dat", "calls.txt", "calls.csv"}) {
        dialogs.save_path = station.root() + "\\" + name;
        plat::write_whole_file(dialogs.save_path, "old");
        prompts.confirms = {true};
        EXPECT_TRUE(ExportCallRecords(records, FiveColumns(), texts, dialogs, prompts, files, log.writer())) << name;
        std::string written;
        ASSERT_TRUE(plat::read_whole_file(dialogs.save_path, written)) << name;
        EXPECT_EQ(written, expected) << name;
    }
    EXPECT_EQ(dialogs.asked_extension, "dat");
    EXPECT_EQ(dialogs.proposed_name, "Call Log");
    EXPECT_EQ(prompts.asked.back(), texts.Format("Log.ConfirmOverwrite", {dialogs.save_path}));
    ASSERT_EQ(log.lines.size(), 3u);
    EXPECT_EQ(log.lines[0], std::make_pair(Gbk(u8"成功导出了 3 条记录"), 2));

    // Declining the overwrite keeps the old file; cancelling the dialog writes nothing.
    plat::write_whole_file(dialogs.save_path, "old");
    prompts.confirms = {false};
    EXPECT_FALSE(ExportCallRecords(records, FiveColumns(), texts, dialogs, prompts, files, log.writer()));
    std::string kept;
    plat::read_whole_file(dialogs.save_path, kept);
    EXPECT_EQ(kept, "old");
    dialogs.save_path.clear();
    EXPECT_FALSE(ExportCallRecords(records, FiveColumns(), texts, dialogs, prompts, files, log.writer()));
    EXPECT_EQ(log.lines.size(), 3u);
}

TEST_F(ExportTest, SaveAsCopiesOneRecordingOrReportsItMissing) {
    station.AddRecording("20120301\\a.wav", 100);
    dialogs.save_path = station.root() + "\\copy.wav";
    EXPECT_TRUE(SaveRecordingAs(records[0], texts, dialogs, prompts, files));
    EXPECT_EQ(dialogs.proposed_name, "a.wav");
    EXPECT_EQ(plat::file_size(dialogs.save_path), 100);
    EXPECT_FALSE(SaveRecordingAs(records[1], texts, dialogs, prompts, files));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].first, Gbk(u8"错误"));
    EXPECT_EQ(prompts.messages[0].second, Gbk(u8"找不到录音文件 '20120301\\b.wav'"));
}

TEST_F(ExportTest, CopyKeepsDateFoldersAndAnswersNoToAll) {
    std::vector<ACallLogInfo> calls;
    for (int i = 1; i <= 10; ++i) {
        calls.push_back(MakeCall(i, "2012-03-01", "08:00:00", 0, "r" + std::to_string(i) + ".wav"));
        station.AddRecording(calls.back().WaveFilePath);
    }
    dialogs.folder = station.root() + "\\out";  // no trailing separator
    for (int i : {3, 5, 9}) {
        const std::string existing = dialogs.folder + "\\20120301\\r" + std::to_string(i) + ".wav";
        plat::force_directories(plat::extract_file_dir(existing));
        plat::write_whole_file(existing, "old");
    }
    prompts.multi = {MultiAnswer::NoToAll};
    const CopySummary summary = CopyRecordings(calls, texts, dialogs, prompts, files, log.writer());
    EXPECT_EQ(summary.copied, 7);
    EXPECT_EQ(summary.not_copied, 3);
    EXPECT_EQ(prompts.asked.size(), 1u);  // asked once, the later existing targets skipped silently
    EXPECT_EQ(summary.text, Gbk(u8"导出完成! 选中了 10 个文件，成功导出了 7 个文件"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], std::make_pair(Gbk(u8"提示"), summary.text));
    EXPECT_EQ(log.lines.back(), std::make_pair(summary.text, 2));
    EXPECT_EQ(plat::file_size(dialogs.folder + "\\20120301\\r1.wav"), 64);
    EXPECT_EQ(plat::file_size(dialogs.folder + "\\20120301\\r9.wav"), 3);
    EXPECT_EQ(plat::list_directory(dialogs.folder).size(), 1u);
}

TEST_F(ExportTest, CopyAnswersAndFailuresAreCounted) {
    station.AddRecording("20120301\\a.wav");
    station.AddRecording("20120301\\b.wav");
    dialogs.folder = station.root() + "\\out\\";
    plat::force_directories(dialogs.folder + "20120301");
    plat::write_whole_file(dialogs.folder + "20120301\\a.wav", "old");
    plat::write_whole_file(dialogs.folder + "20120301\\b.wav", "old");
    // "Yes to all" overwrites the first and every later existing target without asking; the
    // missed call has no recording and is logged.
    prompts.multi = {MultiAnswer::YesToAll};
    CopySummary summary = CopyRecordings(records, texts, dialogs, prompts, files, log.writer());
    EXPECT_EQ(summary.copied, 2);
    EXPECT_EQ(summary.not_copied, 1);
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(plat::file_size(dialogs.folder + "20120301\\b.wav"), 64);
    EXPECT_EQ(log.lines[0], std::make_pair(texts.Format("Log.CantFindFile", {""}), 4));

    // Only the two existing targets: "no" skips one, closing the box skips the other.
    std::vector<ACallLogInfo> two(records.begin(), records.begin() + 2);
    prompts.asked.clear();
    prompts.multi = {MultiAnswer::No, MultiAnswer::Closed};
    summary = CopyRecordings(two, texts, dialogs, prompts, files, log.writer());
    EXPECT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(summary.text, Gbk(u8"导出完成! 选中了 2 个文件，成功导出了 0 个文件"));
    prompts.multi = {MultiAnswer::Yes, MultiAnswer::Yes};
    summary = CopyRecordings(two, texts, dialogs, prompts, files, log.writer());
    EXPECT_EQ(summary.text, Gbk(u8"导出完成! 成功导出了 2 个文件"));

    // A date folder that cannot be made: a file stands in its place.
    test_support::RemoveTree(dialogs.folder + "20120301");
    plat::write_whole_file(dialogs.folder + "20120301", "blocker");
    summary = CopyRecordings(two, texts, dialogs, prompts, files, log.writer());
    EXPECT_EQ(summary.not_copied, 2);
    EXPECT_EQ(log.lines.back().second, 2);
    EXPECT_EQ(log.lines[log.lines.size() - 2],
              std::make_pair(texts.Format("Log.CreateFolderFail", {dialogs.folder + "20120301\\"}), 4));

    // Cancelling the folder choice copies nothing and shows nothing.
    dialogs.folder.clear();
    const std::size_t shown = prompts.messages.size();
    EXPECT_TRUE(CopyRecordings(two, texts, dialogs, prompts, files, log.writer()).text.empty());
    EXPECT_EQ(prompts.messages.size(), shown);
}

} // namespace
} // namespace station_search_test
