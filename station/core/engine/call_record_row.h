// Turns the library's call record of a finished download into the station's call row.
#pragma once
#include "station/core/call_log_info.h"
#include "tarnlink/tarnlink.h"

namespace station {

struct CallRowResult {
    ACallLogInfo row;
    bool bad_caller_id = false;  // the caller number held other characters and was dropped
};

// WaveFilePath stays empty: the row names the file where the station saved it, which the
// record does not know.
CallRowResult CallLogFromCallInfo(const ftp_callinfo& info);

// The record's file name as the station reads it (at most 56 bytes).
std::string CallInfoFileName(const ftp_callinfo& info);

} // namespace station
