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
    int rows_in(TMyDataModule& module) {
        SearchConditions c;
        c.DateFrom = "2012-03-01";
        c.TimeFrom = "00:00:00";
        c.DateTo = "2012-03-01";
        c.TimeTo = "23:59:59";
        std::vector<ACallLogInfo> rows;
        return module.SearchCallLogs(c, rows) == 0 ? static_cast<int>(rows.size()) : -1;
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
    EXPECT_EQ(db.InsertCallLog(record("L1")), -1);
    EXPECT_EQ(schema_names(settings.UserFilePath, "table"), std::vector<std::string>{"Other"});
    EXPECT_EQ(db.OpenCallLogDatabase(), 0);  // the file is there; only the search finds nothing
    EXPECT_EQ(rows_in(db), -1);
}

TEST_F(FileDatabaseTest, AFileThatIsNoDatabaseFailsWithoutHarm) {
    ASSERT_TRUE(plat::write_whole_file(settings.UserFilePath, "not a database"));
    EXPECT_EQ(db.InsertCallLog(record("L1")), -1);
    std::string contents;
    ASSERT_TRUE(plat::read_whole_file(settings.UserFilePath, contents));
    EXPECT_EQ(contents, "not a database");
}

TEST_F(FileDatabaseTest, AMissingFolderMakesInsertsFail) {
    settings.UserFilePath = folder + "\\absent\\calls.db";
    EXPECT_EQ(db.InsertCallLog(record("L1")), -1);
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

TEST(DatabaseModule, ASettingsSourceThatThrowsStoresNothing) {
    TMyDataModule db([]() -> DatabaseSettings { throw std::runtime_error("settings unreadable"); });
    EXPECT_EQ(db.InsertCallLog(ACallLogInfo{}), -1);
}

} // namespace
} // namespace calldb::testing
