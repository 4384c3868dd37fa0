// Two devices that both offer one file name of one day: each call's properties, playback, copy
// and delete act on its own device's file; a row of the old two-part form still resolves, and
// where it matches both files, copy and delete do not pick one.
#include <gtest/gtest.h>

#include "station/core/search/call_list.h"
#include "station/core/search/call_properties.h"
#include "station/core/search/record_export.h"
#include "tests/station_search/search_fixture.h"

namespace station_search_test {
namespace {

const std::string kDay = "20120301\\rec0001.wav";
const std::string kFirst = "SN-A\\" + kDay;
const std::string kSecond = "SN-B\\" + kDay;

class SameName : public ::testing::Test {
protected:
    SameName() : station("search-same-name"), files(station.globals()), list(texts) {
        station.AddRecording(kFirst, 2048);
        station.AddRecording(kSecond, 4096);
        station.globals().DeviceCount = 2;
        first = MakeCall(1, "2012-03-01", "08:00:00", 0, "");
        first.WaveFilePath = kFirst;
        second = MakeCall(2, "2012-03-01", "08:00:00", 0, "");
        second.WaveFilePath = kSecond;
        old = MakeCall(3, "2012-03-01", "08:00:00", 0, "rec0001.wav");  // "20120301\rec0001.wav"
        store.data_dir = station.globals().DataDir;
        store.rows = {first, second, old};
        list.Search(store, {});
    }
    std::string Contents(const std::string& path) {
        std::string text;
        plat::read_whole_file(path, text);
        return text;
    }

    StationTexts texts;
    StationFolder station;
    StationRecordingFiles files;
    ScriptedStore store;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    CallList list;
    ACallLogInfo first, second, old;
};

TEST_F(SameName, EachCallActsOnItsOwnFile) {
    const CallTypeTexts types{"in", "out", "missed", "?"};
    EXPECT_EQ(DescribeCall(first, types, files).file_path, station.data(kFirst));
    EXPECT_EQ(DescribeCall(first, types, files).file_size, "2 KB");
    EXPECT_EQ(DescribeCall(second, types, files).file_path, station.data(kSecond));
    EXPECT_EQ(DescribeCall(second, types, files).file_size, "4 KB");
    // Playback opens what Locate gives.
    EXPECT_EQ(files.Locate(first.WaveFilePath).path, station.data(kFirst));
    EXPECT_EQ(files.Locate(second.WaveFilePath).path, station.data(kSecond));
    EXPECT_FALSE(files.Locate(first.WaveFilePath).ambiguous());

    // Copies keep the stored path, device folder included.
    dialogs.folder = station.root() + "\\Copies";
    const CopySummary copied = CopyRecordings({first, second}, texts, dialogs, prompts, files, {});
    EXPECT_EQ(copied.copied, 2);
    EXPECT_EQ(Contents(dialogs.folder + "\\" + kFirst).size(), 2048u);
    EXPECT_EQ(Contents(dialogs.folder + "\\" + kSecond).size(), 4096u);

    const DeleteOutcome deleted = list.DeleteRows({0}, store, files, {}, {});
    EXPECT_EQ(deleted.files_deleted, 1);
    EXPECT_FALSE(plat::file_exists(station.data(kFirst)));
    EXPECT_TRUE(plat::file_exists(station.data(kSecond)));
    // The old row now names one file only, and resolves to it.
    EXPECT_EQ(files.Locate(old.WaveFilePath).path, station.data(kSecond));
    EXPECT_FALSE(files.Locate(old.WaveFilePath).ambiguous());
}

TEST_F(SameName, OldTwoPartRowMatchingBothIsNeverGuessedForCopyOrDelete) {
    const RecordingLocation where = files.Locate(old.WaveFilePath);
    ASSERT_TRUE(where.ambiguous());
    EXPECT_EQ((std::set<std::string>{where.path, where.other}),
              (std::set<std::string>{station.data(kFirst), station.data(kSecond)}));
    // Properties and playback take the first.
    const CallTypeTexts types{"in", "out", "missed", "?"};
    EXPECT_EQ(DescribeCall(old, types, files).file_path, where.path);

    dialogs.save_path = station.root() + "\\saved.wav";
    EXPECT_FALSE(SaveRecordingAs(old, texts, dialogs, prompts, files));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].second.find(station.data(kFirst)), std::string::npos);
    EXPECT_NE(prompts.messages[0].second.find(station.data(kSecond)), std::string::npos);
    EXPECT_FALSE(plat::file_exists(dialogs.save_path));

    dialogs.folder = station.root() + "\\Copies";
    std::vector<std::pair<std::string, int>> lines;
    const CopySummary copied =
        CopyRecordings({old}, texts, dialogs, prompts, files, [&](const std::string& m, int level) { lines.emplace_back(m, level); });
    EXPECT_EQ(copied.copied, 0);
    EXPECT_EQ(copied.not_copied, 1);
    EXPECT_FALSE(plat::file_exists(dialogs.folder + "\\" + kDay));

    // Delete asks with both paths; "no" keeps row and files, "yes" removes the row only.
    std::vector<std::string> questions;
    auto answer = [&](bool yes) {
        return [&questions, yes](const std::string& q) {
            questions.push_back(q);
            return yes;
        };
    };
    DeleteOutcome outcome = list.DeleteRows({2}, store, files, {}, answer(false));
    EXPECT_EQ(outcome.rows_deleted, 0);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find(station.data(kFirst)), std::string::npos);
    EXPECT_NE(questions[0].find(station.data(kSecond)), std::string::npos);
    EXPECT_EQ(list.Count(), 3);
    outcome = list.DeleteRows({2}, store, files, {}, answer(true));
    EXPECT_EQ(outcome.rows_deleted, 1);
    EXPECT_EQ(outcome.files_deleted, 0);
    EXPECT_EQ(store.deleted, std::vector<int>{3});
    EXPECT_TRUE(plat::file_exists(station.data(kFirst)));
    EXPECT_TRUE(plat::file_exists(station.data(kSecond)));
}

} // namespace
} // namespace station_search_test
