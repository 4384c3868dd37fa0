#include "backend_fixture.h"

#include <chrono>
#include <clocale>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/text_gbk.h"
#include "station/core/database/call_log_statements.h"
#include "station/core/database/odbc_connection.h"
#include "station/core/database/odbc_connection_string.h"
#include "station/core/database/sqlite_connection.h"

namespace calldb::testing {

const char* const kPostgresPassword = "pa;ss}w{o=rd";

#ifndef _WIN32
// The SQLite ODBC driver converts wide texts through the process's C locale; the station runs
// (under Wine) in a UTF-8 locale, and so do these cases.
static const bool utf8_locale = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
#endif

std::string backend_name(const ::testing::TestParamInfo<Backend>& info) {
    switch (info.param) {
    case Backend::File: return "File";
    case Backend::OdbcSqlite: return "OdbcSqlite";
    case Backend::OdbcPostgres: return "OdbcPostgres";
    }
    return "Unknown";
}

std::string fresh_case_folder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/') c = '.';
    const std::string folder = plat::include_trailing_separator(plat::current_directory()) + "station_db_work\\" + name;
    for (const auto& entry : plat::list_directory(folder)) plat::remove_file(folder + "\\" + entry.name);
    plat::force_directories(folder);
    return folder;
}

bool run_on_data_source(const std::string& dsn, const std::string& user, const std::string& password,
                        const std::vector<std::string>& statements) {
    auto connection = OdbcConnection::open(odbc_connection_string(dsn, user, password));
    if (!connection) return false;
    for (const auto& statement : statements)
        if (!connection->execute(statement)) return false;
    return true;
}

void BackendTest::SetUp() {
    // Rows that wait for a data source go below the station's folder.
    settings.ProgramDir = fresh_case_folder() + "\\station";
    ASSERT_TRUE(plat::force_directories(settings.ProgramDir + "\\DB"));
    switch (GetParam()) {
    case Backend::File:
        settings.ConnMode = ConnModeFile;
        settings.LocalFile = false;
        // A Chinese file name: the path must reach the file system as the right characters.
        settings.UserFilePath = fresh_case_folder() + "\\" + plat::utf8_to_gbk("通话记录.db");
        break;
    case Backend::OdbcSqlite: {
        settings.ConnMode = ConnModeOdbc;
        settings.ODBCDsn = "VqCallLogSqlite";
        std::vector<std::string> reset = {"Drop Table If Exists CallLogTable"};
        for (const char* const* s = sqlite_create_statements(); *s; ++s) reset.push_back(*s);
        ASSERT_TRUE(run_on_data_source(settings.ODBCDsn, "", "", reset)) << "data source VqCallLogSqlite";
        break;
    }
    case Backend::OdbcPostgres:
        settings.ConnMode = ConnModeOdbc;
        settings.ODBCDsn = "VqCallLogPg";
        settings.ODBCUser = "vqtest";
        settings.ODBCPass = kPostgresPassword;
        ASSERT_TRUE(run_on_data_source(settings.ODBCDsn, settings.ODBCUser, settings.ODBCPass,
                                       {"Delete from CallLogTable"}))
            << "data source VqCallLogPg";
        break;
    }
    plat::remove_file(pending_rows_path(settings));  // left by an earlier run
}

ACallLogInfo BackendTest::sample_record() const {
    ACallLogInfo r;
    r.LineID = "Line 1";
    r.Chan = 4;
    r.AgentID = "A7";
    r.AgentName = "O'Neil";
    r.StartDate = "2012-03-01";
    r.StartTime = "08:15:00";
    r.DuringTime = "00:02:05";
    r.CallerID = "07551234";
    r.DTMF = "8001";
    r.WaveFilePath = "20120301\\0001.wav";
    r.CNote = plat::utf8_to_gbk("客户说“明天再打”");
    r.CallType = 0;
    r.Rings = 3;
    r.VIFlag = 0;
    r.BackUpFlag = 1;
    r.SeqID = "S-0001";
    r.VerID = 2;
    r.RingSecs = 9;
    r.MaxScore = 0;
    r.TestScore = 1.25;
    r.TestGrade = 50.0;
    return r;
}

ACallLogInfo BackendTest::store(ACallLogInfo record) {
    EXPECT_EQ(db.InsertCallLog(record), 0);
    std::vector<ACallLogInfo> rows = search_all();
    record.ID = rows.empty() ? 0 : rows.back().ID;
    return record;
}

std::vector<ACallLogInfo> BackendTest::search_all() {
    SearchConditions c;
    c.DateFrom = "0000-00-00";
    c.TimeFrom = "00:00:00";
    c.DateTo = "9999-12-31";
    c.TimeTo = "23:59:59";
    std::vector<ACallLogInfo> rows;
    EXPECT_EQ(db.SearchCallLogs(c, rows), 0);
    return rows;
}

std::unique_ptr<DbConnection> BackendTest::hold_write_lock() {
    std::unique_ptr<DbConnection> locker;
    std::vector<std::string> statements;
    switch (GetParam()) {
    case Backend::File:
        locker = SqliteConnection::open(settings.UserFilePath, false);
        statements = {"BEGIN EXCLUSIVE"};
        break;
    case Backend::OdbcSqlite:
        locker = OdbcConnection::open(odbc_connection_string(settings.ODBCDsn, "", ""));
        statements = {"BEGIN EXCLUSIVE"};
        break;
    case Backend::OdbcPostgres:
        locker = OdbcConnection::open(odbc_connection_string(settings.ODBCDsn, settings.ODBCUser, settings.ODBCPass));
        statements = {"BEGIN", "LOCK TABLE CallLogTable IN ACCESS EXCLUSIVE MODE"};
        break;
    }
    for (const std::string& statement : statements)
        if (!locker || !locker->execute(statement)) return nullptr;
    return locker;
}

bool store_waiting_rows(TMyDataModule& module) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (module.PendingRowCount() > 0) {
        if (std::chrono::steady_clock::now() > give_up) return false;
        module.StorePendingRows();
        plat::sleep_ms(20);
    }
    return true;
}

} // namespace calldb::testing
