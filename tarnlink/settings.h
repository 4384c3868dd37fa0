// tarnlib.ini as the library reads it: every key with its default, clamp and length limit.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarnlink {

constexpr int kMaxDevices = 100;

struct DeviceSettings {
    std::string host;      // IP<n>: dotted text or host name (at most 98 characters)
    std::string serial;    // Serial<n> (at most 28)
    int port = 7000;
    int channel_count = 8; // read and kept, not used
    std::string user;      // at most 28
    std::string password;  // at most 18
};

struct LibrarySettings {
    int heart_timeout_ms = 5000;         // clamped 5000..30000
    int heart_interval_ms = 500;         // always 500 whatever the file says
    int packets_per_window = 100;        // clamped 10..100
    int log_level = 0;                   // 0 = off
    bool event_log = false;              // read, no further effect
    int device_count = 0;                // clamped 0..100
    std::array<DeviceSettings, kMaxDevices> devices{};
    std::string local_ip;                // at most 19
    int local_port = 8801;
    int protocol_id = 1;                 // 1..3, anything else 1
    int conn_mode = 1;                   // not checked
};

LibrarySettings read_settings(const std::string& ini_path);

// A host given as a dotted text: only digits and points, fewer than 16 characters.
bool is_dotted_host(const std::string& host);

} // namespace tarnlink
