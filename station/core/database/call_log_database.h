// The station's only database connection and the operations on CallLogTable. Window thread
// only. No operation throws or reports: failures are the -1 result; the caller logs them.
#pragma once
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

class TMyDataModule {
public:
    using SettingsSource = std::function<DatabaseSettings()>;

    // `settings` is asked before every operation: a change takes effect at the next one.
    explicit TMyDataModule(SettingsSource settings);
    ~TMyDataModule();
    TMyDataModule(const TMyDataModule&) = delete;
    TMyDataModule& operator=(const TMyDataModule&) = delete;

    // Stores one record (its ID is ignored); 0 or -1. In file mode a missing file is created
    // with its table first; a file without the table is left as it is and gives -1.
    int InsertCallLog(const ACallLogInfo& record);
    // Makes the connection usable for the search, delete and note operations; 0 or -1.
    int OpenCallLogDatabase();
    void DeleteCallLog(std::int32_t id);
    void UpdateCallLogNote(std::int32_t id, const std::string& note);

    // Runs the search for `conditions` and appends the rows read to `records`. -1 when the
    // database cannot be opened or a read fails; the rows read before a failure stay.
    int SearchCallLogs(const SearchConditions& conditions, std::vector<ACallLogInfo>& records);

    // The number of rows whose WaveFilePath is exactly `path`; -1 when that cannot be told. A
    // database file not made yet holds none.
    int CountCallLogsWithPath(const std::string& path);

private:
    bool connect_file(const DatabaseSettings& settings, bool create_missing);
    bool connect_odbc(const DatabaseSettings& settings);
    bool ensure_open(const DatabaseSettings& settings);
    bool run(const std::string& sql);  // drops the connection when it fails
    int read_call_logs(const std::string& sql, std::vector<ACallLogInfo>& records);
    void disconnect();

    SettingsSource settings_;
    std::unique_ptr<DbConnection> connection_;
    DatabaseSettings connected_with_;
};

} // namespace calldb
