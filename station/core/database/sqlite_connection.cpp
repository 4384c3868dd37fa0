#include "station/core/database/sqlite_connection.h"

#include <sqlite3.h>

#include <chrono>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/text_gbk.h"
#include "station/core/database/database_text.h"

namespace calldb {

namespace {

std::string sqlite_file_name(const std::string& gbk_path) {
#ifdef _WIN32
    return plat::gbk_to_utf8(gbk_path);  // SQLite's Windows layer takes UTF-8 names
#else
    return plat::native_path(gbk_path);  // already UTF-8 with '/'
#endif
}

// Waits for another program's lock by the clock rather than by summing sleeps, which a busy
// machine stretches far beyond their sum.
int wait_for_lock(void* first_call, int calls) {
    auto& start = *static_cast<std::chrono::steady_clock::time_point*>(first_call);
    const auto now = std::chrono::steady_clock::now();
    if (calls == 0) start = now;
    if (now - start >= std::chrono::milliseconds(kLockWaitMs)) return 0;
    plat::sleep_ms(5);
    return 1;
}

class SqliteCursor final : public DbCursor {
public:
    explicit SqliteCursor(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~SqliteCursor() override { sqlite3_finalize(stmt_); }
    SqliteCursor(const SqliteCursor&) = delete;
    SqliteCursor& operator=(const SqliteCursor&) = delete;

    int column_count() const override { return sqlite3_column_count(stmt_); }
    std::string column_name(int column) const override {
        const char* name = sqlite3_column_name(stmt_, column);
        return name ? name : "";
    }
    bool fetch() override {
        if (done_) return false;
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        done_ = true;
        failed_ = rc != SQLITE_DONE;
        return false;
    }
    bool failed() const override { return failed_; }
    std::string text(int column) override {
        const unsigned char* value = sqlite3_column_text(stmt_, column);
        if (!value) return {};
        const int size = sqlite3_column_bytes(stmt_, column);
        return database_text_to_gbk(std::string_view(reinterpret_cast<const char*>(value), static_cast<std::size_t>(size)));
    }
    std::int32_t integer(int column) override { return sqlite3_column_int(stmt_, column); }
    double real(int column) override { return sqlite3_column_double(stmt_, column); }

private:
    sqlite3_stmt* stmt_;
    bool done_ = false;
    bool failed_ = false;
};

} // namespace

std::unique_ptr<SqliteConnection> SqliteConnection::open(const std::string& path, bool create) {
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(sqlite_file_name(path).c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db);  // a handle is returned even on failure
        return nullptr;
    }
    std::unique_ptr<SqliteConnection> connection(new SqliteConnection(db));
    sqlite3_busy_handler(db, wait_for_lock, &connection->lock_wait_start_);
    return connection;
}

SqliteConnection::~SqliteConnection() { sqlite3_close(db_); }

bool SqliteConnection::execute(const std::string& sql) {
    return sqlite3_exec(db_, gbk_to_database_text(sql).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The write lock is taken at the start, so that a locked file is met before any row is sent.
bool SqliteConnection::begin_transaction() { return execute("BEGIN IMMEDIATE"); }

bool SqliteConnection::commit() { return execute("COMMIT"); }

void SqliteConnection::rollback() {
    if (!sqlite3_get_autocommit(db_)) execute("ROLLBACK");
}

std::unique_ptr<DbCursor> SqliteConnection::query(const std::string& sql) {
    const std::string text = gbk_to_database_text(sql);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, text.c_str(), static_cast<int>(text.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    if (!stmt) return nullptr;  // blank text: nothing to read
    return std::make_unique<SqliteCursor>(stmt);
}

} // namespace calldb
