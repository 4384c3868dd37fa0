// The SQLite file's life (creation, a foreign file, its place) and how the module follows a
// change of its settings.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "backend_fixture.h"
#include "platform/files.h"
#include "platform/text_gbk.h"
#include "station/core/database/call_log_statements.h"
#include "station/core/database/pending_rows.h"
#include "station/core/database/sqlite_connection.h"

namespace calldb::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Local, BackendTest, ::testing::Values(Backend::File, Backend::OdbcSqlite), backend_name);

std::vector<std::string> schema_names(const std::string& path, const char* type) {
    std::vector<std::string> names;
    auto db = SqliteConnection::open(path, false);
    if (!db) return names;
    auto cursor = db->query(std::string("select name from sqlite_master where type='") + type + "' order by name");
    while (cursor && cursor->fetch()) names.push_back(cursor->text(0));
    return names;
}

class FileDatabaseTest : public ::testing::Test {
protected:
    std::string folder = fresh_case_folder();
    DatabaseSettings settings = [this] {
        DatabaseSettings s;
        s.ConnMode = ConnModeFile;
        s.LocalFile = false;
        s.UserFilePath = folder + "\\calls.db";
        return s;
    }();
    TMyDataModule db{[this] { return settings; }};

    ACallLogInfo record(const char* line) {
        ACallLogInfo r;
        r.LineID = line;
        r.StartDate = "2012-03-01";
        r.StartTime = "10:00:00";
        r.CallerID = "0755";
        return r;
    }
    // The rows of the records' day, -1 when the search fails.
    int rows_in(TMyDataModule& module) {
        std::vector<ACallLogInfo> rows;
        return search_day(module, rows) == 0 ? static_cast<int>(rows.size()) : -1;
    }
    std::vector<std::string> lines_in(TMyDataModule& module) {
        std::vector<ACallLogInfo> rows;
        EXPECT_EQ(search_day(module, rows), 0);
        std::vector<std::string> lines;
        for (const ACallLogInfo& row : rows) lines.push_back(row.LineID);
        return lines;
    }
    static int search_day(TMyDataModule& module, std::vector<ACallLogInfo>& rows) {
        SearchConditions c;
        c.DateFrom = "2012-03-01";
        c.TimeFrom = "00:00:00";
        c.DateTo = "2012-03-01";
        c.TimeTo = "23:59:59";
        return module.SearchCallLogs(c, rows);
    }
};

TEST_F(FileDatabaseTest, FirstInsertCreatesTheFileWithTableAndIndex) {
    EXPECT_EQ(db.OpenCallLogDatabase(), -1);  // opening never creates the file
    EXPECT_FALSE(plat::file_exists(settings.UserFilePath));

    ASSERT_EQ(db.InsertCallLog(record("L1")), 0);
    EXPECT_EQ(schema_names(settings.UserFilePath, "table"),
              (std::vector<std::string>{"CallLogTable", "sqlite_sequence"}));
    EXPECT_EQ(schema_names(settings.UserFilePath, "index"), std::vector<std::string>{"CallLogTable_StartMoment"});
    // Only the database is left: the temporary it was built in is gone.
    const auto entries = plat::list_directory(folder);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "calls.db");

    EXPECT_EQ(db.OpenCallLogDatabase(), 0);
    EXPECT_EQ(rows_in(db), 1);
}

TEST_F(FileDatabaseTest, AFileWithoutTheTableIsLeftAsItIs) {
    {
        auto foreign = SqliteConnection::open(settings.UserFilePath, true);
        ASSERT_TRUE(foreign && foreign->execute("create table Other (x)"));
    }
    EXPECT_EQ(db.InsertCallLog(record("L1")), 0);  // kept waiting beside the file
    EXPECT_EQ(db.PendingRowCount(), 1u);
    EXPECT_EQ(schema_names(settings.UserFilePath, "table"), std::vector<std::string>{"Other"});
    EXPECT_EQ(db.OpenCallLogDatabase(), 0);  // the file is there; only the search finds nothing
    EXPECT_EQ(rows_in(db), -1);
}

// A file the station finds damaged at start is reported, never changed, and the rows that
// come meanwhile wait, across restarts, until the operator has put a usable file in its place.
TEST_F(FileDatabaseTest, ADamagedFileIsLeftAloneAndNoRowIsLost) {
    struct Case {
        const char* name;
        const char* contents;  // null: an SQLite file with another table
    };
    const Case cases[] = {
        {"bytes that are no database", "not a database"},
        {"an empty file", ""},
        {"a database without the table", nullptr},
    };
    for (const Case& c : cases) {
        for (const auto& entry : plat::list_directory(folder)) plat::remove_file(folder + "\\" + entry.name);
        if (!c.contents) {
            auto foreign = SqliteConnection::open(settings.UserFilePath, true);
            ASSERT_TRUE(foreign && foreign->execute("create table Other (x)"));
        } else {
            ASSERT_TRUE(plat::write_whole_file(settings.UserFilePath, c.contents));
        }
        std::string damaged;
        ASSERT_TRUE(plat::read_whole_file(settings.UserFilePath, damaged));

        std::vector<std::string> lines;
        {
            TMyDataModule station([this] { return settings; });
            const CallLogDatabaseCheck check = station.CheckCallLogDatabase();
            EXPECT_EQ(check.state, CallLogDatabaseCheck::State::Damaged) << c.name;
            EXPECT_EQ(check.database, settings.UserFilePath);
            EXPECT_EQ(check.pending_file, settings.UserFilePath + ".pending");
            for (int i = 0; i < 3; ++i) {
                lines.push_back("L" + std::to_string(i));
                ACallLogInfo r = record(lines.back().c_str());
                r.WaveFilePath = "dev1\\20120301\\" + lines.back() + ".wav";
                EXPECT_EQ(station.InsertCallLog(r), 0) << c.name;
                station.StorePendingRows();
            }
            EXPECT_EQ(station.PendingRowCount(), 3u) << c.name;
            // A waiting row counts: a recording found again after a restart gets no second row.
            EXPECT_EQ(station.CountCallLogsWithPath("dev1\\20120301\\L1.wav"), 1) << c.name;
            EXPECT_EQ(station.CountCallLogsWithPath("dev1\\20120301\\L9.wav"), -1) << c.name;
        }
        std::string after;
        ASSERT_TRUE(plat::read_whole_file(settings.UserFilePath, after));
        EXPECT_EQ(after, damaged) << c.name;

        // The operator moves the damaged file away; the station is started again.
        ASSERT_TRUE(plat::rename_file(settings.UserFilePath, settings.UserFilePath + ".old"));
        TMyDataModule restarted([this] { return settings; });
        EXPECT_EQ(restarted.CheckCallLogDatabase().state, CallLogDatabaseCheck::State::Usable);
        lines.push_back("after");
        EXPECT_EQ(restarted.InsertCallLog(record("after")), 0);
        ASSERT_TRUE(store_waiting_rows(restarted)) << c.name;
        EXPECT_EQ(lines_in(restarted), lines) << c.name;
    }
}

TEST_F(FileDatabaseTest, ARowStoredJustBeforeTheStationEndedIsNotStoredAgain) {
    ASSERT_EQ(db.InsertCallLog(record("A")), 0);
    // The station stored B and ended before it could mark B stored in the pending file.
    {
        PendingRows pending(pending_rows_path(settings));
        ASSERT_TRUE(pending.append(record("B")));
        ASSERT_TRUE(pending.append(record("C")));
        auto other = SqliteConnection::open(settings.UserFilePath, false);
        ASSERT_TRUE(other && other->execute(insert_call_log_statement(record("B"))));
    }
    TMyDataModule restarted([this] { return settings; });
    ASSERT_TRUE(store_waiting_rows(restarted));
    EXPECT_EQ(lines_in(restarted), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(FileDatabaseTest, AMissingFolderMakesInsertsFail) {
    settings.UserFilePath = folder + "\\absent\\calls.db";
    EXPECT_EQ(db.InsertCallLog(record("L1")), -1);  // nowhere to keep it either
    EXPECT_FALSE(plat::directory_exists(folder + "\\absent"));
}

TEST_F(FileDatabaseTest, DefaultFileLivesInTheProgramsDbFolder) {
    settings.LocalFile = true;
    settings.UserFilePath = folder + "\\ignored.db";
    settings.ProgramDir = folder;
    EXPECT_EQ(call_log_file_path(settings), folder + "\\DB\\CallLog.db");
    ASSERT_TRUE(plat::create_directory(folder + "\\DB"));  // the station makes it at start-up
    EXPECT_EQ(db.InsertCallLog(record("L1")), 0);
    EXPECT_TRUE(plat::file_exists(folder + "\\DB\\CallLog.db"));
    EXPECT_FALSE(plat::file_exists(folder + "\\ignored.db"));
}

TEST_F(FileDatabaseTest, ChangedSettingsTakeEffectAtTheNextOperation) {
    ASSERT_EQ(db.InsertCallLog(record("A")), 0);
    const DatabaseSettings first = settings;

    settings.UserFilePath = folder + "\\second.db";
    ASSERT_EQ(db.InsertCallLog(record("B")), 0);
    EXPECT_EQ(rows_in(db), 1);

    // From the file to a data source while the file is still open: the row must go to the
    // data source, not into the file the open connection points at.
    settings.ConnMode = ConnModeOdbc;
    settings.ODBCDsn = "VqCallLogSqlite";
    std::vector<std::string> reset = {"Drop Table If Exists CallLogTable"};
    for (const char* const* s = sqlite_create_statements(); *s; ++s) reset.push_back(*s);
    ASSERT_TRUE(run_on_data_source(settings.ODBCDsn, "", "", reset));
    ASSERT_EQ(db.InsertCallLog(record("C")), 0);
    EXPECT_EQ(rows_in(db), 1);

    settings = first;
    EXPECT_EQ(rows_in(db), 1);
}

TEST(DatabaseModule, UnusableSettingsFailEveryOperation) {
    struct Case {
        const char* name;
        DatabaseSettings settings;
    };
    DatabaseSettings no_dsn;
    no_dsn.ConnMode = ConnModeOdbc;
    DatabaseSettings unknown_mode;
    unknown_mode.ConnMode = 2;
    unknown_mode.ODBCDsn = "VqCallLogSqlite";
    DatabaseSettings unknown_dsn;
    unknown_dsn.ODBCDsn = "NoSuchDataSource";
    DatabaseSettings no_file;
    no_file.ConnMode = ConnModeFile;
    no_file.LocalFile = false;
    const Case cases[] = {
        {"ODBC without a data source name", no_dsn},
        {"an unknown mode", unknown_mode},
        {"a data source that does not exist", unknown_dsn},
        {"a file mode without a file name", no_file},
    };
    for (const Case& c : cases) {
        TMyDataModule db([&] { return c.settings; });
        ACallLogInfo r;
        EXPECT_EQ(db.InsertCallLog(r), -1) << c.name;
        EXPECT_EQ(db.OpenCallLogDatabase(), -1) << c.name;
        db.DeleteCallLog(1);
        db.UpdateCallLogNote(1, "x");
        std::vector<ACallLogInfo> rows;
        EXPECT_EQ(db.SearchCallLogs(SearchConditions{}, rows), -1) << c.name;
        EXPECT_TRUE(rows.empty()) << c.name;
    }
}

TEST(DatabaseModule, TheCheckAtStartTellsWhatCannotBeUsed) {
    using State = CallLogDatabaseCheck::State;
    const std::string folder = fresh_case_folder();
    const std::string good = folder + "\\good.db";
    {
        TMyDataModule maker([&] {
            DatabaseSettings s;
            s.ConnMode = ConnModeFile;
            s.LocalFile = false;
            s.UserFilePath = good;
            return s;
        });
        ASSERT_EQ(maker.InsertCallLog(ACallLogInfo{}), 0);
    }
    ASSERT_TRUE(run_on_data_source("VqCallLogSqlite", "", "", {"Drop Table If Exists CallLogTable"}));
    auto file = [&](const std::string& path) {
        DatabaseSettings s;
        s.ConnMode = ConnModeFile;
        s.LocalFile = false;
        s.UserFilePath = path;
        return s;
    };
    auto odbc = [&](const std::string& dsn) {
        DatabaseSettings s;
        s.ODBCDsn = dsn;
        s.ProgramDir = folder;
        return s;
    };
    struct Case {
        const char* name;
        DatabaseSettings settings;
        State state;
    };
    const Case cases[] = {
        {"a file with its table", file(good), State::Usable},
        {"a file still to be made", file(folder + "\\new.db"), State::Usable},
        {"a file in a missing folder", file(folder + "\\absent\\calls.db"), State::CannotOpen},
        {"no file name", file(""), State::CannotOpen},
        {"no data source name", odbc(""), State::CannotOpen},
        {"a data source that does not exist", odbc("NoSuchDataSource"), State::CannotOpen},
        {"a data source without the table", odbc("VqCallLogSqlite"), State::Damaged},
    };
    for (const Case& c : cases) {
        TMyDataModule db([&] { return c.settings; });
        EXPECT_EQ(db.CheckCallLogDatabase().state, c.state) << c.name;
    }
    EXPECT_FALSE(plat::file_exists(folder + "\\new.db"));  // the check makes nothing
}

TEST(DatabaseModule, ASettingsSourceThatThrowsStoresNothing) {
    TMyDataModule db([]() -> DatabaseSettings { throw std::runtime_error("settings unreadable"); });
    EXPECT_EQ(db.InsertCallLog(ACallLogInfo{}), -1);
}

} // namespace
} // namespace calldb::testing
