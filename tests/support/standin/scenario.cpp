#include "tests/support/standin/scenario.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sstream>

#include "platform/files.h"

namespace standin {
namespace {

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool to_long(const std::string& v, long& out) {
    if (v.empty()) return false;
    char* end = nullptr;
    out = std::strtol(v.c_str(), &end, 10);
    return end && *end == '\0';
}

bool to_address(const std::string& v, plat::SocketAddress& out) {
    const auto colon = v.rfind(':');
    long port = 0;
    if (colon == std::string::npos || !to_long(v.substr(colon + 1), port) || port <= 0 ||
        port > 65535)
        return false;
    out.port = std::uint16_t(port);
    return plat::parse_ipv4(v.substr(0, colon), out.ip);
}

std::string numbered(const std::string& text, int n) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", n);
    return text + digits;
}

}  // namespace

bool apply_setting(ScenarioDevice& d, const std::string& key, const std::string& value,
                   std::string& error) {
    DeviceConfig& c = d.config;
    long n = 0;
    const bool number = to_long(value, n);
    auto need_number = [&](long lo, long hi) {
        if (number && n >= lo && n <= hi) return true;
        error = "bad value for " + key + ": " + value;
        return false;
    };
    if (key == "label") c.label = value;
    else if (key == "role") {
        if (value == "listen") c.role = Role::Listen;
        else if (value == "announce") c.role = Role::Announce;
        else { error = "role must be listen or announce"; return false; }
    } else if (key == "bind") c.bind_ip = value;
    else if (key == "port") { if (!need_number(0, 65535)) return false; c.port = std::uint16_t(n); }
    else if (key == "serial") c.serial = value;
    else if (key == "allow") {
        std::uint32_t ip = 0;
        if (!plat::parse_ipv4(value, ip)) { error = "allow must be an IPv4 address"; return false; }
        c.allowed_destinations.push_back(value);
    }
    else if (key == "announce") {
        if (!to_address(value, c.announce_to)) { error = "announce must be address:port"; return false; }
    } else if (key == "announce_interval_ms") { if (!need_number(10, 600000)) return false; c.announce_interval_ms = std::uint32_t(n); }
    else if (key == "user") c.user = value;
    else if (key == "password") c.password = value;
    else if (key == "channels") { if (!need_number(0, 32)) return false; c.channel_count = std::uint8_t(n); }
    else if (key == "device_id") c.device_id = value;
    else if (key == "answer_logout") { if (!need_number(0, 1)) return false; c.answer_logout = n == 1; }
    else if (key == "watchdog_ms") { if (!need_number(0, 600000)) return false; c.watchdog_ms = std::uint32_t(n); }
    else if (key == "session_idle_ms") { if (!need_number(0, 600000)) return false; c.session_idle_ms = std::uint32_t(n); }
    else if (key == "first_sequence") { if (!number) { error = "bad first_sequence"; return false; } c.first_sequence = std::uint32_t(n); }
    else if (key == "device_text") c.device_text = value;
    else if (key == "window_wait_ms") { if (!need_number(0, 60000)) return false; c.window_wait_ms = std::uint32_t(n); }
    else if (key == "messages_per_datagram") { if (!need_number(1, 8)) return false; c.messages_per_datagram = int(n); }
    else if (key == "window_end_resend_ms") { if (!need_number(1, 60000)) return false; c.window_end_resend_ms = std::uint32_t(n); }
    else if (key == "transfer_end_resend_ms") { if (!need_number(1, 60000)) return false; c.transfer_end_resend_ms = std::uint32_t(n); }
    else if (key == "query_message_gap_ms") { if (!need_number(0, 60000)) return false; c.query_message_gap_ms = std::uint32_t(n); }
    else if (key == "first_recording") { if (!need_number(1, 1000000)) return false; d.first_generated = std::int32_t(n); }
    else if (key == "recordings") {
        auto more = load_recordings(value, "", std::int32_t(c.recordings.size() + 1));
        c.recordings.insert(c.recordings.end(), more.begin(), more.end());
    } else if (key == "recording_date") {
        for (auto& r : c.recordings) r.date = value;
    } else if (key == "wav_pcm" || key == "wav_adpcm") {
        if (!need_number(0, 100000)) return false;
        auto more = generated_recordings(int(n), key == "wav_pcm" ? WavLayout::Pcm : WavLayout::Adpcm17,
                                         "rec", d.first_generated + std::int32_t(c.recordings.size()));
        c.recordings.insert(c.recordings.end(), more.begin(), more.end());
    } else if (key == "recent_calls") {
        if (!need_number(0, 10000)) return false;
        auto more = recent_recordings(int(n), c.channel_count, std::time(nullptr),
                                      std::int32_t(c.recordings.size() + 1));
        c.recordings.insert(c.recordings.end(), more.begin(), more.end());
    } else if (key == "sized") {
        std::vector<std::size_t> sizes;
        std::stringstream ss(value);
        for (std::string part; std::getline(ss, part, ',');) {
            long s = 0;
            if (!to_long(trim(part), s) || s < 0) { error = "bad size: " + part; return false; }
            sizes.push_back(std::size_t(s));
        }
        auto more = sized_recordings(sizes, std::int32_t(c.recordings.size() + 1));
        c.recordings.insert(c.recordings.end(), more.begin(), more.end());
    } else if (key == "call_log") {
        if (!need_number(0, 100000)) return false;
        c.call_log = generated_call_log(int(n));
    } else if (key == "loss" || key == "loss_seed") {
        auto it = std::find_if(d.faults.begin(), d.faults.end(),
                               [](const FaultRule& r) { return r.fault == Fault::DropDataFraction; });
        if (it == d.faults.end()) {
            d.faults.push_back(FaultRule::drop_data_fraction(0, 1));
            it = d.faults.end() - 1;
        }
        if (key == "loss") {
            char* end = nullptr;
            const double f = std::strtod(value.c_str(), &end);
            if (!end || *end || f < 0 || f > 1) { error = "loss must be 0..1"; return false; }
            it->fraction = f;
        } else {
            if (!number) { error = "bad loss_seed"; return false; }
            it->seed = std::uint32_t(n);
        }
    } else {
        error = "unknown key: " + key;
        return false;
    }
    return true;
}

std::vector<ScenarioDevice> parse_scenario(const std::string& text, std::string& error) {
    struct Section { ScenarioDevice device; int count = 1; };
    std::vector<Section> sections;
    std::stringstream in(text);
    int line_no = 0;
    for (std::string line; std::getline(in, line);) {
        ++line_no;
        line = trim(line.substr(0, line.find_first_of("#;")));
        if (line.empty()) continue;
        if (line == "[device]") { sections.emplace_back(); continue; }
        const auto eq = line.find('=');
        if (sections.empty() || eq == std::string::npos) {
            error = "line " + std::to_string(line_no) + ": expected [device] or key=value";
            return {};
        }
        const std::string key = trim(line.substr(0, eq)), value = trim(line.substr(eq + 1));
        if (key == "count") {
            long n = 0;
            if (!to_long(value, n) || n < 1 || n > 100) {
                error = "line " + std::to_string(line_no) + ": count must be 1..100";
                return {};
            }
            sections.back().count = int(n);
            continue;
        }
        if (!apply_setting(sections.back().device, key, value, error)) {
            error = "line " + std::to_string(line_no) + ": " + error;
            return {};
        }
    }
    std::vector<ScenarioDevice> out;
    for (const auto& s : sections) {
        for (int i = 0; i < s.count; ++i) {
            ScenarioDevice d = s.device;
            if (s.count > 1) {
                d.config.label = numbered(d.config.label, i + 1);
                d.config.serial = numbered(d.config.serial, i + 1);
                if (d.config.port != 0) d.config.port = std::uint16_t(d.config.port + i);
            }
            out.push_back(std::move(d));
        }
    }
    return out;
}

std::vector<Recording> load_recordings(const std::string& folder, const std::string& date,
                                       std::int32_t first_index) {
    auto entries = plat::list_directory(folder);
    std::sort(entries.begin(), entries.end(),
              [](const plat::DirEntry& a, const plat::DirEntry& b) { return a.name < b.name; });
    std::vector<Recording> out;
    for (const auto& e : entries) {
        if (e.is_directory) continue;
        std::string bytes;
        if (!plat::read_whole_file(plat::include_trailing_separator(folder) + e.name, bytes)) continue;
        Recording r;
        r.name = e.name;
        r.date = date;
        r.db_index = first_index++;
        r.content.assign(bytes.begin(), bytes.end());
        out.push_back(std::move(r));
    }
    return out;
}

CallRecordFields generated_call_fields(int n) {
    CallRecordFields f;
    char buf[64];
    f.call_type = char('0' + n % 4);
    const int minute = n % 60, hour = 8 + n / 60 % 12, day = 1 + n / 720 % 28;
    std::snprintf(buf, sizeof buf, "201203%02d", day);
    f.start_date = f.second_date = buf;
    std::snprintf(buf, sizeof buf, "%02d%02d00", hour, minute);
    f.start_time = buf;
    std::snprintf(buf, sizeof buf, "%02d%02d30", hour, minute);
    f.second_time = buf;
    std::snprintf(buf, sizeof buf, "1380013%04d", n % 10000);
    f.caller = buf;
    std::snprintf(buf, sizeof buf, "%03d", 1 + n % 8);
    f.channel = buf;
    std::snprintf(buf, sizeof buf, "%06d", 10 + n);
    f.duration = buf;
    std::snprintf(buf, sizeof buf, "%02d", n % 10);
    f.rings = buf;
    f.file_name = numbered("call", n) + ".wav";
    f.session = numbered("S-", n);
    f.db_index = n;
    return f;
}

std::vector<Recording> generated_recordings(int count, WavLayout layout, const std::string& prefix,
                                            std::int32_t first_index) {
    std::vector<Recording> out;
    for (int i = 0; i < count; ++i) {
        Recording r;
        CallRecordFields f = generated_call_fields(first_index + i);
        // As real devices name them, by channel and start time: two devices may well offer one
        // name of one day.
        r.name = prefix + "C" + f.channel + "-" + f.start_date + "-" + f.start_time + ".wav";
        f.file_name = r.name;
        r.date = f.start_date;
        r.db_index = first_index + i;
        r.content = make_wav(layout, build_call_record(f, kRawRecordSize));
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<Recording> recent_recordings(int count, int channels, std::time_t now,
                                         std::int32_t first_index) {
    std::tm today = *std::localtime(&now);
    const long since_midnight = today.tm_hour * 3600L + today.tm_min * 60L + today.tm_sec;
    const int per_day = (count + 1) / 2;
    // Today's calls fit between midnight and now however early the run.
    const long gap = std::clamp(since_midnight / (per_day + 1), 1L, 180L);
    std::vector<Recording> out;
    for (int i = 0; i < count; ++i) {
        std::tm t = today;
        t.tm_sec -= static_cast<int>((i / 2 + 1) * gap);
        if (i % 2 == 1) t.tm_mday -= 1;  // every other call is yesterday's
        t.tm_isdst = -1;
        const std::time_t at = std::mktime(&t);
        t = *std::localtime(&at);
        char day_text[16], clock_text[16], channel[16], name[64];
        std::strftime(day_text, sizeof day_text, "%Y%m%d", &t);
        std::strftime(clock_text, sizeof clock_text, "%H%M%S", &t);
        const int ch = 1 + (first_index + i - 1) % std::max(channels, 1);
        std::snprintf(channel, sizeof channel, "%03d", ch);
        std::snprintf(name, sizeof name, "CH%02d_%s_%s.wav", ch, day_text, clock_text);
        CallRecordFields f = generated_call_fields(first_index + i);
        f.start_date = f.second_date = day_text;
        f.start_time = f.second_time = clock_text;
        f.channel = channel;
        f.file_name = name;
        Recording r;
        r.name = name;
        r.date = day_text;
        r.db_index = first_index + i;
        r.content = make_wav(WavLayout::Pcm, build_call_record(f, kRawRecordSize));
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<Recording> sized_recordings(const std::vector<std::size_t>& sizes,
                                        std::int32_t first_index) {
    std::vector<Recording> out;
    for (std::size_t size : sizes) {
        Recording r;
        r.name = numbered("data", first_index) + ".bin";
        r.date = "20120301";
        r.db_index = first_index++;
        r.content = pattern_bytes(size, std::uint32_t(r.db_index));
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<CallLogEntry> generated_call_log(int count) {
    std::vector<CallLogEntry> out;
    for (int i = 1; i <= count; ++i)
        out.push_back({build_call_record(generated_call_fields(i), kRawRecordWithNoteSize)});
    return out;
}

}  // namespace standin
