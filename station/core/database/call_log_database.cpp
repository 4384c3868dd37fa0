#include "station/core/database/call_log_database.h"

#include <algorithm>

#include "platform/files.h"
#include "station/core/database/call_log_statements.h"
#include "station/core/database/call_log_row_reader.h"
#include "station/core/database/file_database.h"
#include "station/core/database/odbc_connection.h"
#include "station/core/database/odbc_connection_string.h"
#include "station/core/database/pending_rows.h"
#include "station/core/database/sqlite_connection.h"

namespace calldb {

namespace {

bool same_data_source(const DatabaseSettings& a, const DatabaseSettings& b) {
    return a.ConnMode == b.ConnMode && a.ODBCDsn == b.ODBCDsn && a.ODBCUser == b.ODBCUser &&
           a.ODBCPass == b.ODBCPass;
}

// Nothing of this module may throw into the window thread's handlers: an exception (out of
// memory, a settings source that fails) counts as a failed operation and leaves no connection
// behind.
template <typename Operation>
int guarded(Operation&& operation, std::unique_ptr<DbConnection>& connection) {
    try {
        return operation();
    } catch (...) {
        connection.reset();
        return -1;
    }
}

// After a failed store the database is left alone for this long, or for ten times as long as
// the failed attempt took: a data source whose host does not answer takes seconds to refuse
// each connection, and the window thread must not spend most of its time on it.
constexpr std::chrono::seconds kRetryPause{2};
constexpr int kRetryPauseFactor = 10;
// Waiting rows are stored for this long per call, plus the lock wait of the last one.
constexpr std::chrono::milliseconds kPendingBatchTime{kLockWaitMs};

} // namespace

TMyDataModule::TMyDataModule(SettingsSource settings) : settings_(std::move(settings)) {}

TMyDataModule::~TMyDataModule() = default;

void TMyDataModule::disconnect() { connection_.reset(); }

bool TMyDataModule::connect_file(const DatabaseSettings& settings, bool create_missing) {
    // The file is opened afresh for every operation that connects, so a file that was
    // replaced or restored meanwhile is the one used.
    disconnect();
    const std::string path = call_log_file_path(settings);
    if (path.empty()) return false;
    if (!plat::file_exists(path)) {
        if (!create_missing) return false;
        create_call_log_file(path);  // failure shows in the open below
    }
    connection_ = SqliteConnection::open(path, false);
    connected_with_ = settings;
    return connection_ != nullptr;
}

bool TMyDataModule::connect_odbc(const DatabaseSettings& settings) {
    // An open connection serves only while it was made for the same data source: after a
    // change of mode, name, user or password the next operation connects anew.
    if (connection_ && same_data_source(connected_with_, settings)) return true;
    disconnect();
    if (settings.ConnMode != ConnModeOdbc || settings.ODBCDsn.empty()) return false;
    std::string connection_string = odbc_connection_string(settings.ODBCDsn, settings.ODBCUser, settings.ODBCPass);
    // The SQLite driver's lock wait: it waits about three times as long as asked, on connecting
    // and again on the statement.
    if (data_source_uses_sqlite(settings.ODBCDsn)) connection_string += ";Timeout=" + std::to_string(kLockWaitMs / 4);
    connection_ = OdbcConnection::open(connection_string);
    connected_with_ = settings;
    return connection_ != nullptr;
}

bool TMyDataModule::ensure_open(const DatabaseSettings& settings) {
    if (settings.ConnMode == ConnModeFile) return connect_file(settings, false);
    return connect_odbc(settings);
}

bool TMyDataModule::run(const std::string& sql) {
    if (connection_ && connection_->execute(sql)) return true;
    // The data source may have gone away: the next operation connects again instead of
    // failing on a dead connection until the station restarts.
    disconnect();
    return false;
}

PendingRows* TMyDataModule::pending_for(const DatabaseSettings& settings) {
    const std::string path = pending_rows_path(settings);
    if (path.empty()) return nullptr;
    if (!pending_ || pending_->path() != path) {
        pending_ = std::make_unique<PendingRows>(path);
        next_attempt_ = Clock::time_point{};
        // Rows left by an earlier run: it may have ended between storing one and marking it.
        check_front_ = !pending_->empty();
    }
    return pending_.get();
}

bool TMyDataModule::open_for_insert(const DatabaseSettings& settings) {
    return settings.ConnMode == ConnModeFile ? connect_file(settings, true) : connect_odbc(settings);
}

void TMyDataModule::pause_after_failure(Clock::time_point attempt_start) {
    const Clock::time_point now = Clock::now();
    next_attempt_ = now + std::max<Clock::duration>(kRetryPause, (now - attempt_start) * kRetryPauseFactor);
}

std::size_t TMyDataModule::store_now(const DatabaseSettings& settings, const std::vector<ACallLogInfo>& records) {
    const Clock::time_point start = Clock::now();
    if (start < next_attempt_) return 0;
    std::size_t stored = 0;
    if (open_for_insert(settings)) {
        if (records.size() > 1 && connection_->begin_transaction()) {
            if (store_in_one_transaction(records)) return records.size();
        } else {
            while (stored < records.size() && run(insert_call_log_statement(records[stored]))) ++stored;
            if (stored == records.size()) return stored;
        }
    }
    pause_after_failure(start);
    return stored;
}

bool TMyDataModule::store_in_one_transaction(const std::vector<ACallLogInfo>& records) {
    for (const ACallLogInfo& record : records) {
        if (!connection_->execute(insert_call_log_statement(record))) {
            connection_->rollback();
            disconnect();
            return false;
        }
    }
    if (connection_->commit()) return true;
    connection_->rollback();
    disconnect();
    return false;
}

int TMyDataModule::same_call_count(const ACallLogInfo& record) {
    std::unique_ptr<DbCursor> cursor = connection_->query(same_call_count_statement(record, connection_->dialect()));
    if (!cursor || !cursor->fetch()) return -1;
    return cursor->integer(0);
}

void TMyDataModule::store_pending(const DatabaseSettings& settings) {
    const Clock::time_point start = Clock::now();
    if (!pending_ || pending_->empty() || start < next_attempt_) return;
    const Clock::time_point end = start + kPendingBatchTime;
    bool failed = !open_for_insert(settings);
    while (!failed && !pending_->empty()) {
        if (check_front_) {
            if (!run(lock_probe_statement())) {
                failed = true;
                break;
            }
            const int stored = same_call_count(pending_->front());
            if (stored < 0) {
                disconnect();
                failed = true;
                break;
            }
            if (stored > 0 && !pending_->mark_front_stored()) break;  // still in doubt
            check_front_ = false;
            continue;
        }
        if (!run(insert_call_log_statement(pending_->front()))) {
            failed = true;
            break;
        }
        if (!pending_->mark_front_stored()) {
            check_front_ = true;
            break;
        }
        if (Clock::now() >= end) break;
    }
    pending_->flush();  // a mark not yet on the disk is written with the next
    if (failed) pause_after_failure(start);
}

int TMyDataModule::InsertCallLog(const ACallLogInfo& record) { return InsertCallLogs({record}).front(); }

std::vector<int> TMyDataModule::InsertCallLogs(const std::vector<ACallLogInfo>& records) {
    std::vector<int> results(records.size(), -1);
    guarded([&] {
        const DatabaseSettings settings = settings_();
        PendingRows* pending = pending_for(settings);
        std::size_t next = 0;
        if (pending && !pending->empty()) {
            // Rows wait before these: they go after them, never past them.
            for (; next < records.size(); ++next) {
                if (!pending->append(records[next])) break;
                results[next] = 0;
            }
            store_pending(settings);
            if (next == records.size() || !pending->empty()) return 0;
        }
        const std::vector<ACallLogInfo> rest(records.begin() + static_cast<std::ptrdiff_t>(next), records.end());
        const std::size_t stored = store_now(settings, rest);
        for (std::size_t i = 0; i < rest.size(); ++i) {
            const bool kept = i < stored || (pending && pending->append(rest[i]));
            results[next + i] = kept ? 0 : -1;
        }
        return 0;
    }, connection_);
    return results;
}

void TMyDataModule::StorePendingRows() {
    guarded([&] {
        const DatabaseSettings settings = settings_();
        if (pending_for(settings)) store_pending(settings);
        return 0;
    }, connection_);
}

std::size_t TMyDataModule::PendingRowCount() {
    std::size_t count = 0;
    guarded([&] {
        if (PendingRows* pending = pending_for(settings_())) count = pending->size();
        return 0;
    }, connection_);
    return count;
}

CallLogDatabaseCheck TMyDataModule::CheckCallLogDatabase() {
    CallLogDatabaseCheck check;
    using State = CallLogDatabaseCheck::State;
    const int usable = guarded([&] {
        const DatabaseSettings settings = settings_();
        check.pending_file = pending_rows_path(settings);
        if (settings.ConnMode == ConnModeFile) {
            check.database = call_log_file_path(settings);
            // A missing file is made with the first row; only a missing folder stops that.
            if (!check.database.empty() && !plat::file_exists(check.database) &&
                plat::directory_exists(plat::extract_file_dir(check.database)))
                return 0;
        } else {
            check.database = settings.ODBCDsn;
        }
        if (!ensure_open(settings)) {
            check.state = State::CannotOpen;
            return -1;
        }
        std::unique_ptr<DbCursor> cursor = connection_->query(table_probe_statement());
        const bool readable = cursor && !cursor->fetch() && !cursor->failed();
        cursor.reset();
        if (readable) return 0;
        disconnect();
        check.state = State::Damaged;
        return -1;
    }, connection_);
    if (usable != 0 && check.state == State::Usable) check.state = State::CannotOpen;
    return check;
}

int TMyDataModule::OpenCallLogDatabase() {
    return guarded([&] { return ensure_open(settings_()) ? 0 : -1; }, connection_);
}

void TMyDataModule::DeleteCallLog(std::int32_t id) {
    guarded([&] {
        if (OpenCallLogDatabase() == 0) run(delete_call_log_statement(id));
        return 0;
    }, connection_);
}

void TMyDataModule::UpdateCallLogNote(std::int32_t id, const std::string& note) {
    guarded([&] {
        if (OpenCallLogDatabase() == 0) run(update_call_log_note_statement(id, note));
        return 0;
    }, connection_);
}

int TMyDataModule::SearchCallLogs(const SearchConditions& conditions, std::vector<ACallLogInfo>& records) {
    return guarded([&] {
        if (OpenCallLogDatabase() != 0) return -1;
        return read_call_logs(build_search_sql(conditions, connection_->dialect()), records);
    }, connection_);
}

int TMyDataModule::CountCallLogsWithPath(const std::string& path) {
    return guarded([&] {
        const DatabaseSettings settings = settings_();
        // A row waiting to be stored is a row the call has already. The file is read afresh:
        // the station's rows are kept there by the writer's thread. It is read before the
        // table, so that a row moving from the file to the table meanwhile is found in one.
        const std::string pending_file = pending_rows_path(settings);
        if (!pending_file.empty()) {
            if (const std::size_t waiting = CountWaitingRowsWithPath(pending_file, path)) return static_cast<int>(waiting);
        }
        if (settings.ConnMode == ConnModeFile && !plat::file_exists(call_log_file_path(settings))) return 0;
        if (OpenCallLogDatabase() != 0) return -1;
        std::vector<ACallLogInfo> rows;
        if (read_call_logs("Select * from CallLogTable Where WaveFilePath='" + quote_sql_text(path) + "'", rows) != 0) {
            return -1;
        }
        return static_cast<int>(rows.size());
    }, connection_);
}

int TMyDataModule::read_call_logs(const std::string& sql, std::vector<ACallLogInfo>& records) {
    std::unique_ptr<DbCursor> cursor = connection_->query(sql);
    if (!cursor) {
        disconnect();
        return -1;
    }
    CallLogRowReader reader(*cursor);
    if (!reader.valid()) return -1;
    while (cursor->fetch()) records.push_back(reader.read());
    if (!cursor->failed()) return 0;
    cursor.reset();  // ends before the connection it reads from
    disconnect();
    return -1;
}

} // namespace calldb
