// The pending file: rows come back whole and in order, stored rows never come back, and a line
// cut short by a crash neither counts nor harms the rows after it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend_fixture.h"
#include "platform/files.h"
#include "station/core/database/pending_rows.h"

namespace calldb::testing {
namespace {

ACallLogInfo row(const std::string& line) {
    ACallLogInfo r;
    r.LineID = line;
    r.Chan = -7;
    r.AgentName = "tab\there, line\nbreak\r, back\\slash";
    r.StartDate = "2012-03-01";
    r.StartTime = "10:00:00";
    r.CNote = "\xB0\xA1 and a lone lead byte \xB0";
    r.WaveFilePath = "dev1\\20120301\\0001.wav";
    r.CallType = 2;
    r.Rings = 3;
    r.VerID = 2;
    r.RingSecs = 2147483647;
    r.MaxScore = -2147483647 - 1;
    r.TestScore = 0.1;
    r.TestGrade = -1e300;
    return r;
}

// What a station started now would find waiting, read from a copy so that the file is left
// as it is.
std::vector<std::string> waiting_lines(PendingRows& pending) {
    std::vector<std::string> lines;
    std::string contents;
    const std::string copy = pending.path() + ".copy";
    if (!plat::read_whole_file(pending.path(), contents) || !plat::write_whole_file(copy, contents)) return lines;
    PendingRows reread(copy);
    while (!reread.empty()) {
        lines.push_back(reread.front().LineID);
        if (!reread.mark_front_stored()) break;
    }
    return lines;
}

class PendingRowsTest : public ::testing::Test {
protected:
    std::string path = fresh_case_folder() + "\\calls.db.pending";
};

TEST_F(PendingRowsTest, RowsComeBackWholeAndInOrder) {
    {
        PendingRows pending(path);
        EXPECT_TRUE(pending.empty());
        ASSERT_TRUE(pending.append(row("one")));
        ASSERT_TRUE(pending.append(row("two")));
    }
    PendingRows pending(path);
    ASSERT_EQ(pending.size(), 2u);
    const ACallLogInfo& r = pending.front();
    const ACallLogInfo expected = row("one");
    EXPECT_EQ(r.LineID, expected.LineID);
    EXPECT_EQ(r.Chan, expected.Chan);
    EXPECT_EQ(r.AgentName, expected.AgentName);
    EXPECT_EQ(r.CNote, expected.CNote);
    EXPECT_EQ(r.WaveFilePath, expected.WaveFilePath);
    EXPECT_EQ(r.RingSecs, expected.RingSecs);
    EXPECT_EQ(r.MaxScore, expected.MaxScore);
    EXPECT_EQ(r.TestScore, expected.TestScore);  // exactly, not rounded to two decimals
    EXPECT_EQ(r.TestGrade, expected.TestGrade);
    EXPECT_EQ(waiting_lines(pending), (std::vector<std::string>{"one", "two"}));
}

TEST_F(PendingRowsTest, StoredRowsStayStoredAndTheFileEmptiesAtTheEnd) {
    PendingRows pending(path);
    for (const char* line : {"a", "b", "c"}) ASSERT_TRUE(pending.append(row(line)));
    ASSERT_TRUE(pending.mark_front_stored());
    ASSERT_TRUE(pending.flush());
    EXPECT_EQ(waiting_lines(pending), (std::vector<std::string>{"b", "c"}));
    ASSERT_TRUE(pending.append(row("d")));
    EXPECT_EQ(waiting_lines(pending), (std::vector<std::string>{"b", "c", "d"}));
    while (!pending.empty()) ASSERT_TRUE(pending.mark_front_stored());
    ASSERT_TRUE(pending.flush());
    EXPECT_EQ(plat::file_size(path), 0);
}

TEST_F(PendingRowsTest, ALineCutShortIsDroppedAndWrittenOver) {
    {
        PendingRows pending(path);
        ASSERT_TRUE(pending.append(row("whole")));
        ASSERT_TRUE(pending.append(row("cut")));
    }
    std::string contents;
    ASSERT_TRUE(plat::read_whole_file(path, contents));
    // The station ended in the middle of writing the second row: its caller never heard that
    // it was kept.
    ASSERT_TRUE(plat::write_whole_file(path, contents.substr(0, contents.size() - 5)));
    PendingRows pending(path);
    EXPECT_EQ(pending.size(), 1u);
    EXPECT_EQ(pending.unreadable_lines(), 0u);
    ASSERT_TRUE(pending.append(row("next")));
    EXPECT_EQ(waiting_lines(pending), (std::vector<std::string>{"whole", "next"}));
}

TEST_F(PendingRowsTest, ALineThatIsNoRowIsSkippedAndKept) {
    {
        PendingRows pending(path);
        ASSERT_TRUE(pending.append(row("first")));
    }
    std::string contents;
    ASSERT_TRUE(plat::read_whole_file(path, contents));
    ASSERT_TRUE(plat::write_whole_file(path, contents + "-changed by hand\n"));
    PendingRows pending(path);
    EXPECT_EQ(pending.size(), 1u);
    EXPECT_EQ(pending.unreadable_lines(), 1u);
    ASSERT_TRUE(pending.mark_front_stored());
    ASSERT_TRUE(pending.flush());
    ASSERT_TRUE(plat::read_whole_file(path, contents));
    EXPECT_NE(contents.find("-changed by hand\n"), std::string::npos);
}

} // namespace
} // namespace calldb::testing
