// The per-device record and the tables beside it. Every field of a record is guarded by the
// record's lock, which also guards its two download files; no code holds two record locks.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/files.h"
#include "tarnlink/arrival_record.h"
#include "tarnlink/tarnlink.h"
#include "tarnlink/wire_format.h"
#include "tarnlink/write_run.h"

namespace tarnlink {

struct bd_info {
    char device_id[30];
    std::uint8_t login_bytes[2];
    char host[100];
    char address[20];
    std::int32_t port;
    char user[64];
    char password[64];
    std::int32_t last_seq;
    std::uint32_t state_timer;
    std::uint32_t last_heart_ack;
    std::int32_t state;
    std::int32_t channel_count;
    char newfile_name[128];
    char newfile_date[12];
    std::int32_t newfile_db_index;
    std::int32_t transfer_state;
    std::int32_t request_armed;
    std::uint32_t transfer_timer;
    std::int32_t query_id;
    char file_name[128];
    char tag[12];
    std::int32_t file_size;
    std::int32_t file_db_index;
    std::int32_t no_tag;
    std::int32_t transfer_id;
    std::int32_t window_base;
    std::uint32_t bytes_received;
    char local_path[260];
    std::int32_t result;
    std::int32_t callinfo_valid;
    ftp_callinfo callinfo;
    std::int32_t protocol_id;
    std::int32_t query_running;
    std::uint32_t query_activity;
    std::int32_t enabled;
};

// A record with its lock and its open download files.
struct Device {
    std::mutex lock;
    bd_info info{};
    plat::File download_file;   // "<local path>.ltf"
    plat::File resume_file;     // "<local path>.dxc"
    ArrivalRecord arrived;      // packets of the download file written or gathered so far
    WriteRun pending_write;     // packets gathered for the download file, not yet written
    // Transfer ends that found the event queue full, posted as soon as it has room.
    std::vector<ftp_event> pending_ends;
    // The sender address last confirmed as this device's (mode 1), read without the lock by
    // the device's receiver; 0 until confirmed under the lock.
    std::atomic<std::uint32_t> confirmed_ip{0};
    std::atomic<std::uint32_t> foreign_datagrams{0};
};

struct ChannelEntry {
    std::int32_t value;
    char name[32];   // 30 used
    char text[24];   // 20 used
};
constexpr int kChannelCount = 32;

} // namespace tarnlink
