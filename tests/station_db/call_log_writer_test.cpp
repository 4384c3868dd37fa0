// The writer's thread stores the rows handed to it, batch after batch in their order, each row
// once; a locked database keeps them in the pending file until it lets go; the end stores what
// is still queued. The window's own connection finds what the writer has stored or keeps.
// Runs in the ThreadSanitizer tree as well.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "station/core/database/call_log_database.h"
#include "station/core/database/call_log_writer.h"
#include "station/core/database/file_database.h"
#include "station/core/database/sqlite_connection.h"

namespace calldb::testing {
namespace {

ACallLogInfo row(const std::string& line) {
    ACallLogInfo r;
    r.LineID = line;
    r.StartDate = "2012-03-01";
    r.StartTime = "10:00:00";
    r.WaveFilePath = "dev1\\20120301\\" + line + ".wav";
    return r;
}

std::vector<ACallLogInfo> rows_named(int first, int count) {
    std::vector<ACallLogInfo> rows;
    for (int i = first; i < first + count; ++i) rows.push_back(row("r" + std::to_string(i)));
    return rows;
}

class CallLogWriterTest : public ::testing::Test {
protected:
    CallLogWriterTest() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string folder = plat::include_trailing_separator(plat::current_directory()) + "station_db_work\\" +
                                   info->test_suite_name() + "." + info->name();
        settings.ConnMode = ConnModeFile;
        settings.LocalFile = true;
        settings.ProgramDir = folder;
        for (const std::string& f : {call_log_file_path(settings), pending_rows_path(settings)}) plat::remove_file(f);
        plat::force_directories(folder + "\\DB");
    }

    // The line IDs of the table's rows in their order, read on the test's (the window's) thread.
    std::vector<std::string> stored_lines() {
        SearchConditions all;
        all.DateFrom = "1900-01-01";
        all.TimeFrom = "00:00:00";
        all.DateTo = "2999-12-31";
        all.TimeTo = "23:59:59";
        std::vector<ACallLogInfo> rows;
        std::vector<std::string> lines;
        if (window.SearchCallLogs(all, rows) != 0) return {"(search failed)"};
        for (const ACallLogInfo& r : rows) lines.push_back(r.LineID);
        return lines;
    }
    static std::vector<std::string> lines(int first, int count) {
        std::vector<std::string> names;
        for (const ACallLogInfo& r : rows_named(first, count)) names.push_back(r.LineID);
        return names;
    }

    DatabaseSettings settings;
    TMyDataModule window{[this] { return settings; }};
};

TEST_F(CallLogWriterTest, BatchesAreStoredInTheirOrderAndReportedBatchByBatch) {
    CallLogWriter writer([this] { return settings; });
    std::vector<std::vector<int>> results;
    for (int batch = 0; batch < 20; ++batch) {
        writer.Store(rows_named(batch * 3, 3));
        // The window thread takes whatever is done meanwhile, never waiting.
        for (std::vector<int>& r : writer.TakeResults()) results.push_back(std::move(r));
    }
    writer.Drain();
    for (std::vector<int>& r : writer.TakeResults()) results.push_back(std::move(r));
    EXPECT_EQ(results, std::vector<std::vector<int>>(20, std::vector<int>(3, 0)));
    EXPECT_TRUE(writer.TakeResults().empty());
    // Reported stored: the window's connection sees every row at once.
    EXPECT_EQ(stored_lines(), lines(0, 60));
    EXPECT_EQ(window.CountCallLogsWithPath("dev1\\20120301\\r59.wav"), 1);
}

TEST_F(CallLogWriterTest, TheEndStoresWhatIsStillQueued) {
    {
        CallLogWriter writer([this] { return settings; });
        for (int batch = 0; batch < 10; ++batch) writer.Store(rows_named(batch * 2, 2));
    }
    EXPECT_EQ(stored_lines(), lines(0, 20));
}

TEST_F(CallLogWriterTest, ALockedDatabaseKeepsTheRowsWaitingUntilItLetsGo) {
    ASSERT_TRUE(create_call_log_file(call_log_file_path(settings)));
    CallLogWriter writer([this] { return settings; });
    writer.Store(rows_named(0, 2));
    writer.Drain();
    ASSERT_EQ(writer.TakeResults(), std::vector<std::vector<int>>(1, std::vector<int>(2, 0)));

    std::unique_ptr<SqliteConnection> locker = SqliteConnection::open(call_log_file_path(settings), false);
    ASSERT_TRUE(locker && locker->execute("BEGIN EXCLUSIVE"));
    for (int batch = 1; batch < 4; ++batch) writer.Store(rows_named(batch * 2, 2));
    writer.Drain();
    // Kept: reported as safe, in the pending file, where the window's count finds them.
    EXPECT_EQ(writer.TakeResults(), std::vector<std::vector<int>>(3, std::vector<int>(2, 0)));
    EXPECT_GT(plat::file_size(pending_rows_path(settings)), 0);
    EXPECT_EQ(window.CountCallLogsWithPath("dev1\\20120301\\r7.wav"), 1);
    locker.reset();

    // The writer stores the waiting rows by itself once the database lets go.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (stored_lines().size() < 8 && std::chrono::steady_clock::now() < limit) plat::sleep_ms(20);
    writer.Store(rows_named(8, 1));  // goes after them
    writer.Drain();
    EXPECT_EQ(stored_lines(), lines(0, 9));
    EXPECT_EQ(window.CountCallLogsWithPath("dev1\\20120301\\r7.wav"), 1) << "in the table, no longer waiting";
}

TEST_F(CallLogWriterTest, EachBatchGoesWhereTheSettingsNamedWhenItWasHandedOver) {
    CallLogWriter writer([this] { return settings; });
    const DatabaseSettings first = settings;
    writer.Store(rows_named(0, 1));
    settings.LocalFile = false;  // changed on this thread while the writer may be storing
    settings.UserFilePath = first.ProgramDir + "\\DB\\Other.db";
    plat::remove_file(settings.UserFilePath);
    writer.Store(rows_named(1, 1));
    writer.Drain();
    EXPECT_EQ(stored_lines(), lines(1, 1));
    settings = first;
    EXPECT_EQ(stored_lines(), lines(0, 1));
}

} // namespace
} // namespace calldb::testing
