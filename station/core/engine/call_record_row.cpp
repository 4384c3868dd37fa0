#include "station/core/engine/call_record_row.h"

#include <algorithm>

#include "platform/text_gbk.h"
#include "station/core/date_time_text.h"

namespace station {
namespace {

// The text of a fixed field up to its NUL, at most `max_bytes` bytes, never ending inside a
// double-byte character.
template <std::size_t N>
std::string field(const char (&f)[N], std::size_t max_bytes = N) {
    const std::string text = plat::field_text(f, N);
    return text.substr(0, plat::gbk_prefix_length(text, std::min(max_bytes, N)));
}

bool is_caller_number(const std::string& number) {
    return std::all_of(number.begin(), number.end(),
                       [](char c) { return (c >= '0' && c <= '9') || c == 'P' || c == 'p'; });
}

} // namespace

std::string CallInfoFileName(const ftp_callinfo& info) { return field(info.file_name, 56); }

CallRowResult CallLogFromCallInfo(const ftp_callinfo& info) {
    CallRowResult result;
    ACallLogInfo& r = result.row;
    const bool missed = info.call_type == 2;
    r.ID = 0;
    r.LineID = field(info.line, 32);
    r.Chan = info.channel;
    r.AgentName = field(info.agent_name, 24);
    r.CallType = info.call_type;
    r.StartDate = missed ? field(info.second_date, 12) : field(info.start_date, 12);
    r.StartTime = missed ? field(info.second_time, 12) : field(info.start_time, 12);
    r.DuringTime = SecondsToTimeText(missed ? info.ring_seconds : info.duration);
    const std::string caller = field(info.caller_number, 32);
    if (is_caller_number(caller)) {
        r.CallerID = caller;
    } else {
        result.bad_caller_id = true;
    }
    r.DTMF = field(info.dialled_digits, 32);
    r.Rings = info.rings;
    r.RingSecs = info.ring_seconds;
    r.CNote = field(info.note, 32);
    r.SeqID = field(info.session_number, 30);
    r.VerID = 2;
    return result;
}

} // namespace station
