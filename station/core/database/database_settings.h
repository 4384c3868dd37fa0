// Where the call records live. The station fills this from its [DB] settings; the database
// module asks for it again before every operation, so a changed setting takes effect at once.
#pragma once
#include <string>

namespace calldb {

enum : int {
    ConnModeOdbc = 0,
    ConnModeFile = 1,
};

struct DatabaseSettings {
    int ConnMode = ConnModeOdbc;
    std::string ODBCDsn;   // GBK
    std::string ODBCUser;  // GBK
    std::string ODBCPass;  // GBK
    bool LocalFile = true;       // true: the file below ProgramDir; false: UserFilePath
    std::string UserFilePath;    // GBK, full path of the SQLite file
    std::string ProgramDir;      // GBK, the station's folder, no trailing separator needed
};

// The SQLite file the settings name: ProgramDir\DB\CallLog.db, or the user's file.
std::string call_log_file_path(const DatabaseSettings& settings);

// Where rows wait that the database cannot take now: beside the SQLite file (its name +
// ".pending"), or ProgramDir\DB\CallLog.odbc.pending for a data source. Empty when the
// settings name no such place.
std::string pending_rows_path(const DatabaseSettings& settings);

} // namespace calldb
