// One database connection and the operations on CallLogTable, for one thread at a time: the
// station's window thread searches and edits with one, its writer thread (CallLogWriter) stores
// the rows with another. No operation waits more than about 200 ms for a database that another
// program locks.
// No operation throws or reports: failures are the -1 result; the caller logs them.
#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "station/core/database/call_log_info.h"
#include "station/core/database/database_settings.h"
#include "station/core/database/db_connection.h"
#include "station/core/database/search_query.h"

namespace calldb {

class PendingRows;

// What the station finds at start.
struct CallLogDatabaseCheck {
    enum class State {
        Usable,      // opened with its table, or a file still to be made
        CannotOpen,  // no file or data source to open, or it refuses the connection
        Damaged,     // opened, but no call-record table can be read in it
    };
    State state = State::Usable;
    std::string database;      // GBK: the file's path or the data source's name
    std::string pending_file;  // GBK: where rows wait meanwhile; empty when nowhere
};

class TMyDataModule {
public:
    using SettingsSource = std::function<DatabaseSettings()>;

    // `settings` is asked before every operation: a change takes effect at the next one.
    explicit TMyDataModule(SettingsSource settings);
    ~TMyDataModule();
    TMyDataModule(const TMyDataModule&) = delete;
    TMyDataModule& operator=(const TMyDataModule&) = delete;

    // Stores one record (its ID is ignored). In file mode a missing file is created with its
    // table first; a file without the table is left as it is. A record the database does not
    // take now (locked, damaged, unreachable), or that other records wait before, is appended
    // to the pending file and flushed to the disk before this returns, and stored later, in
    // order, once. 0 when the record is in the table or in that file, -1 when in neither.
    int InsertCallLog(const ACallLogInfo& record);
    // Stores several records as InsertCallLog does each, in their order, the ones the database
    // takes now in one transaction where it can. One result per record, as InsertCallLog's.
    std::vector<int> InsertCallLogs(const std::vector<ACallLogInfo>& records);
    // Stores waiting records, oldest first, as far as the database takes them within the
    // window thread's time. For the main timer: after a failure it waits a few seconds before
    // it tries again, and costs nothing while no record waits.
    void StorePendingRows();
    std::size_t PendingRowCount();
    // Opens the database once to see whether it can be used; changes nothing in it.
    CallLogDatabaseCheck CheckCallLogDatabase();
    // Makes the connection usable for the search, delete and note operations; 0 or -1.
    int OpenCallLogDatabase();
    void DeleteCallLog(std::int32_t id);
    void UpdateCallLogNote(std::int32_t id, const std::string& note);

    // Runs the search for `conditions` and appends the rows read to `records`. -1 when the
    // database cannot be opened or a read fails; the rows read before a failure stay.
    int SearchCallLogs(const SearchConditions& conditions, std::vector<ACallLogInfo>& records);

    // The number of rows whose WaveFilePath is exactly `path`, in the table or waiting in the
    // pending file (whichever module keeps it); -1 when that cannot be told. A database file
    // not made yet holds none.
    int CountCallLogsWithPath(const std::string& path);

private:
    using Clock = std::chrono::steady_clock;
    PendingRows* pending_for(const DatabaseSettings& settings);
    bool open_for_insert(const DatabaseSettings& settings);
    // Stores records from the front as far as the database takes them now; how many.
    std::size_t store_now(const DatabaseSettings& settings, const std::vector<ACallLogInfo>& records);
    bool store_in_one_transaction(const std::vector<ACallLogInfo>& records);
    void pause_after_failure(Clock::time_point attempt_start);
    void store_pending(const DatabaseSettings& settings);
    int same_call_count(const ACallLogInfo& record);
    bool connect_file(const DatabaseSettings& settings, bool create_missing);
    bool connect_odbc(const DatabaseSettings& settings);
    bool ensure_open(const DatabaseSettings& settings);
    bool run(const std::string& sql);  // drops the connection when it fails
    int read_call_logs(const std::string& sql, std::vector<ACallLogInfo>& records);
    void disconnect();

    SettingsSource settings_;
    std::unique_ptr<DbConnection> connection_;
    DatabaseSettings connected_with_;
    std::unique_ptr<PendingRows> pending_;
    Clock::time_point next_attempt_{};  // no store is tried before this after a failure
    // The first waiting row may be in the table already: the station ended, or its mark
    // failed, between storing it and marking it stored.
    bool check_front_ = false;
};

} // namespace calldb
