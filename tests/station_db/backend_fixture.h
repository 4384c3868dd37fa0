// The database kinds the call-record cases run against, and a fixture that gives each case an
// empty CallLogTable in one of them.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "station/core/database/call_log_database.h"

namespace calldb::testing {

enum class Backend {
    File,          // the SQLite file, by its path
    OdbcSqlite,    // data source VqCallLogSqlite (the SQLite ODBC driver)
    OdbcPostgres,  // data source VqCallLogPg on the server the test run starts
};

std::string backend_name(const ::testing::TestParamInfo<Backend>& info);

// The password of the PostgreSQL login that the cluster script makes; its ';', '}', '{' and
// '=' would break an unquoted connection string.
extern const char* const kPostgresPassword;

// A folder of its own for the running case, empty, below the working folder (GBK path).
std::string fresh_case_folder();

// Runs statements directly on the data source, bypassing the module: the test's own set-up.
bool run_on_data_source(const std::string& dsn, const std::string& user, const std::string& password,
                        const std::vector<std::string>& statements);

// Runs the main timer's store of waiting rows until none waits; false when rows still wait
// after a minute.
bool store_waiting_rows(TMyDataModule& module);

class BackendTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override;

    // The module reads `settings` before every operation, as it reads the station's settings.
    DatabaseSettings settings;
    TMyDataModule db{[this] { return settings; }};

    ACallLogInfo sample_record() const;
    // Inserts and gives the record with the ID the database assigned.
    ACallLogInfo store(ACallLogInfo record);
    std::vector<ACallLogInfo> search_all();

    // Another connection to the same database that holds its write lock until it ends, as a
    // backup or a second program would.
    std::unique_ptr<DbConnection> hold_write_lock();
};

} // namespace calldb::testing
