#include "station/core/database/call_log_database.h"

#include "platform/files.h"
#include "station/core/database/call_log_statements.h"
#include "station/core/database/call_log_row_reader.h"
#include "station/core/database/file_database.h"
#include "station/core/database/odbc_connection.h"
#include "station/core/database/odbc_connection_string.h"
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
    connection_ = OdbcConnection::open(odbc_connection_string(settings.ODBCDsn, settings.ODBCUser, settings.ODBCPass));
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

int TMyDataModule::InsertCallLog(const ACallLogInfo& record) {
    return guarded([&] {
        const DatabaseSettings settings = settings_();
        const bool open = settings.ConnMode == ConnModeFile ? connect_file(settings, true) : connect_odbc(settings);
        if (!open) return -1;
        return run(insert_call_log_statement(record)) ? 0 : -1;
    }, connection_);
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
