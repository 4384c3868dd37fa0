// What the call properties dialog shows of one call.
#pragma once
#include <string>

#include "station/core/call_log_info.h"
#include "station/core/search/recording_files.h"

namespace station {

struct CallTypeTexts {
    std::string in, out, missed, unknown;
};

struct CallProperties {
    int glyph = -1;  // -1: an unknown type sets no glyph
    std::string call_type, line, agent_id, agent_name, start, duration;
    std::string caller_id, caller_name, dtmf, note, file_path, file_size;
};

CallProperties DescribeCall(const ACallLogInfo& record, const CallTypeTexts& texts, IRecordingFiles& files);

} // namespace station
