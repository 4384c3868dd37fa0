// What the operator is told, once at start, about a database the station cannot use.
#pragma once
#include <string>

#include "station/core/database/call_log_database.h"
#include "station/core/station_texts.h"

namespace calldb {

struct DatabaseStartReport {
    std::string message;   // for the message box: one line, without the long paths
    std::string log_line;  // for the log: which database, and where the rows wait
};

// Both texts empty when the database is usable.
DatabaseStartReport DatabaseStartMessage(const CallLogDatabaseCheck& check, const station::StationTexts& texts);

} // namespace calldb
