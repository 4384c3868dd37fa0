#include "station/core/search/call_properties.h"

#include "station/core/search/call_list.h"

namespace station {
namespace {

const std::string& or_unknown(const std::string& value, const CallTypeTexts& texts) {
    return value.empty() ? texts.unknown : value;
}

} // namespace

CallProperties DescribeCall(const ACallLogInfo& r, const CallTypeTexts& texts, IRecordingFiles& files) {
    CallProperties p;
    switch (r.CallType) {
    case kCallTypeIn: p.glyph = 3; p.call_type = texts.in; break;
    case kCallTypeOut: p.glyph = 2; p.call_type = texts.out; break;
    case kCallTypeMissed: p.glyph = 4; p.call_type = texts.missed; break;
    default: p.call_type = texts.unknown; break;
    }
    p.line = r.LineID;
    p.agent_id = or_unknown(r.AgentID, texts);
    p.agent_name = or_unknown(r.AgentName, texts);
    p.start = r.StartDate + "  " + r.StartTime;
    p.duration = r.DuringTime;
    p.caller_id = or_unknown(r.CallerID, texts);
    p.caller_name = or_unknown(r.CallerName, texts);
    p.dtmf = r.DTMF;
    p.note = r.CNote;
    if (r.CallType == kCallTypeMissed) return p;
    const std::string path = files.Locate(r.WaveFilePath).path;  // the first of two, logged by Locate
    const std::int64_t size = path.empty() ? -1 : files.Size(path);
    if (size < 0) {
        // An unreadable size is reported like a missing file rather than as an error box.
        p.file_path = path.empty() ? r.WaveFilePath : path;
        p.file_size = texts.unknown;
    } else {
        p.file_path = path;
        p.file_size = std::to_string(size / 1024) + " KB";
    }
    return p;
}

} // namespace station
