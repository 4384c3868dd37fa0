#include "tarnlink/settings.h"

#include <algorithm>

#include "platform/ini_file.h"
#include "tarnlink/library_log.h"

namespace tarnlink {

namespace {

// A text key keeping at most `max_chars` characters (the profile buffer holds one more).
std::string read_text(const std::string& file, const char* section, const std::string& key,
                      const char* fallback, std::size_t max_chars) {
    return plat::ini_read_string(file, section, key, fallback, max_chars + 1);
}

bool equal_no_case(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != b[i]) return false;
    }
    return i == a.size() && b[i] == '\0';
}

} // namespace

bool is_dotted_host(const std::string& host) {
    return !host.empty() && host.size() < 16 &&
           std::all_of(host.begin(), host.end(),
                       [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

LibrarySettings read_settings(const std::string& ini) {
    LibrarySettings s;
    plat::ini_read_int(ini, "General", "HeartIntervalMs", 1000);  // the interval is fixed
    s.heart_timeout_ms = std::clamp(plat::ini_read_int(ini, "General", "HeartTimeoutMs", 5000),
                                    5000, 30000);
    s.packets_per_window =
        std::clamp(plat::ini_read_int(ini, "General", "PackNumPerCircle", 100), 10, 100);
    s.heart_interval_ms = 500;

    s.log_level = log_level_from_text(read_text(ini, "LogInfo", "LogLevel", "none", 49));
    s.event_log = equal_no_case(read_text(ini, "LogInfo", "EvtLogEnable", "no", 49), "yes");

    s.device_count = std::clamp(plat::ini_read_int(ini, "Network", "Count", 0), 0, kMaxDevices);
    for (int n = 1; n <= s.device_count; ++n) {
        DeviceSettings& d = s.devices[static_cast<std::size_t>(n - 1)];
        const std::string k = std::to_string(n);
        d.host = read_text(ini, "Network", "IP" + k, "", 98);
        d.serial = read_text(ini, "Network", "Serial" + k, "", 28);
        d.port = plat::ini_read_int(ini, "Network", "Port" + k, 7000);
        d.channel_count = plat::ini_read_int(ini, "Network", "Board" + k + "ChanCount", 8);
        d.user = read_text(ini, "Network", "User" + k, "pelum", 28);
        d.password = read_text(ini, "Network", "Password" + k, "pelum", 18);
    }

    s.local_ip = read_text(ini, "LocalIP", "IP", "", 19);
    s.local_port = plat::ini_read_int(ini, "LocalIP", "Port", 8801);
    s.protocol_id = plat::ini_read_int(ini, "FTPInfo", "FTPID", 1);
    if (s.protocol_id < 1 || s.protocol_id > 3) s.protocol_id = 1;
    s.conn_mode = plat::ini_read_int(ini, "FTPInfo", "ConnMode", 1);
    return s;
}

} // namespace tarnlink
