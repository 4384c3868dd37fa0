// Scenario files of the standalone stand-in program, and generated device content.
//
// A scenario is a text of sections; each "[device]" section makes one device (or `count`
// devices) from key=value lines; '#' and ';' start comments. Keys: label, role (listen or
// announce), bind, port, count (devices n = 0..count-1 get port + n, serial and label with
// the number appended), serial, allow (an address beyond loopback the device may send to;
// repeatable), announce (address:port), announce_interval_ms, user, password, channels,
// device_id, answer_logout, watchdog_ms, session_idle_ms, first_sequence, device_text,
// window_wait_ms, messages_per_datagram, window_end_resend_ms, transfer_end_resend_ms,
// recordings (a folder: its files in name order), recording_date (the date of the recordings
// listed before it), wav_pcm / wav_adpcm (that many generated recordings), recent_calls (that
// many generated recordings of calls of today and yesterday, see recent_recordings), sized
// (comma-separated sizes of generated recordings), call_log (that many generated entries),
// loss (fraction of file data packets dropped on first send), loss_seed, query_message_gap_ms,
// first_recording (the number of the first generated recording, which sets its call time and
// so its name; before wav_pcm / wav_adpcm).
#pragma once
#include <ctime>
#include <string>
#include <vector>

#include "tests/support/standin/recording_files.h"
#include "tests/support/standin/standin_device.h"

namespace standin {

struct ScenarioDevice {
    DeviceConfig config;
    std::vector<FaultRule> faults;
    std::int32_t first_generated = 1;  // number of the first generated recording (its call time)
};

// The devices of a scenario text; on a bad line `error` names it and the result is empty.
std::vector<ScenarioDevice> parse_scenario(const std::string& text, std::string& error);
// One setting; false with `error` for an unknown key or a bad value.
bool apply_setting(ScenarioDevice& device, const std::string& key, const std::string& value,
                   std::string& error);

// Recordings from the files of a folder (GBK path), in name order, with database indexes
// from `first_index`.
std::vector<Recording> load_recordings(const std::string& folder, const std::string& date,
                                       std::int32_t first_index = 1);
// `count` playable recordings with their call records embedded, numbered from `first_index`;
// recording n is named "<prefix>C<channel>-<yyyymmdd>-<hhmmss>.wav" from its call's channel
// and start (generated_call_fields (n)).
std::vector<Recording> generated_recordings(int count, WavLayout layout,
                                            const std::string& prefix = "rec",
                                            std::int32_t first_index = 1);
// `count` playable recordings of calls before `now` (local time), alternately today's and
// yesterday's, a few minutes apart, on channels 1..`channels` in turn, named from the channel
// and the time: "CH03_20240521_142305.wav".
std::vector<Recording> recent_recordings(int count, int channels, std::time_t now,
                                         std::int32_t first_index = 1);
// Recordings of pattern bytes of the given sizes (no call record): "data0001.bin"... with
// date "20120301"; recording n holds pattern_bytes(size, n), n its database index.
std::vector<Recording> sized_recordings(const std::vector<std::size_t>& sizes,
                                        std::int32_t first_index = 1);
// `count` call-log entries: call types 0..3 in turn, one a minute from 2012-03-01 08:00:00,
// channels 1..8, file names "call0001.wav"...
std::vector<CallLogEntry> generated_call_log(int count);
CallRecordFields generated_call_fields(int n);

}  // namespace standin
