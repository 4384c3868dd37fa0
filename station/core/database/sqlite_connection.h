// The embedded SQLite file.
#pragma once
#include <chrono>
#include <memory>
#include <string>

#include "station/core/database/db_connection.h"

struct sqlite3;

namespace calldb {

class SqliteConnection final : public DbConnection {
public:
    ~SqliteConnection() override;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Opens the file at a GBK path; with `create` false a missing file is an error rather
    // than a new empty database.
    static std::unique_ptr<SqliteConnection> open(const std::string& path, bool create);

    SqlDialect dialect() const override { return SqlDialect::SQLite; }
    bool execute(const std::string& sql) override;
    std::unique_ptr<DbCursor> query(const std::string& sql) override;
    bool begin_transaction() override;
    bool commit() override;
    void rollback() override;

private:
    explicit SqliteConnection(sqlite3* db) : db_(db) {}
    sqlite3* db_;
    std::chrono::steady_clock::time_point lock_wait_start_{};  // of the wait going on
};

} // namespace calldb
