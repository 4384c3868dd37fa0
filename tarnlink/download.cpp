// File download with resume: the new-file answer, the start, the download tick, file data,
// window and transfer ends, the finalisation with the embedded call record.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/files.h"
#include "tarnlink/call_record.h"
#include "tarnlink/library.h"
#include "tarnlink/resume_record.h"

namespace tarnlink {

namespace {

constexpr std::uint32_t kTransferWaitMs = 3000;
constexpr std::uint32_t kMaxFileSize = 104857600u;  // 100 MiB
constexpr std::size_t kMaxDeviceFileName = 127;
constexpr std::size_t kMaxLocalPath = 255;           // the path plus ".ltf" fits in 260
constexpr char kDefaultDate[] = "20100101";
constexpr std::size_t kNameSearchLimit = 200;
constexpr int kStartNotOurFiles = -6;

std::size_t bounded_length(const char* text, std::size_t limit) {
    const void* nul = std::memchr(text, '\0', limit);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : limit;
}

bool is_forbidden_name_char(char c) {
    return std::strchr("/<>?:\"\\*|;", c) != nullptr && c != '\0';
}

bool is_eight_digits(const char* text, std::size_t size) {
    if (size != 8) return false;
    return std::all_of(text, text + 8, [](char c) { return c >= '0' && c <= '9'; });
}

// Packets of 1024 bytes that make up a file of `size` bytes.
std::uint32_t packet_count(std::uint32_t size) {
    return (size + WireSizes::file_packet - 1) / WireSizes::file_packet;
}

std::string text_of(const char* field, std::size_t size) {
    return std::string(field, bounded_length(field, size));
}

// What lies at a local path's two working-file names. Only a pair this library made may be
// removed or overwritten: a device may offer recordings whose own names end in ".ltf" or
// ".dxc", and those files are somebody's completed recordings.
enum class WorkingFiles {
    None,       // neither exists
    Stale,      // ours, nothing to resume: an empty resume file (no window completed yet)
    Resumable,  // ours: a resume file holding a valid record
    NotOurs,    // anything else; nothing may be removed
};

WorkingFiles inspect_working_files(const std::string& ltf, const std::string& dxc,
                                   resume_file_header& header) {
    const bool ltf_exists = plat::file_exists(ltf) || plat::directory_exists(ltf);
    const bool dxc_exists = plat::file_exists(dxc) || plat::directory_exists(dxc);
    if (!ltf_exists && !dxc_exists) return WorkingFiles::None;
    if (!plat::file_exists(dxc)) return WorkingFiles::NotOurs;
    const std::int64_t dxc_size = plat::file_size(dxc);
    if (dxc_size == 0) return WorkingFiles::Stale;
    if (dxc_size != static_cast<std::int64_t>(sizeof(resume_file_header)))
        return WorkingFiles::NotOurs;
    plat::File resume;
    if (!resume.open(dxc, plat::File::Mode::Read) ||
        resume.read_at(0, &header, sizeof header) != static_cast<long long>(sizeof header) ||
        !resume_record_valid(header))
        return WorkingFiles::NotOurs;
    if (ltf_exists && !plat::file_exists(ltf)) return WorkingFiles::NotOurs;
    return ltf_exists ? WorkingFiles::Resumable : WorkingFiles::Stale;
}

} // namespace

void Library::close_download_files(Device& d) {
    // Gathered packets lie past the resume point: a resumed download asks for them again.
    d.pending_write.drop();
    d.download_file.close();
    d.resume_file.close();
}

bool Library::write_gathered(int device, Device& d) {
    if (!d.download_file.is_open() || d.pending_write.flush(d.download_file)) return true;
    stop_on_write_failure(device, d);
    return false;
}

void Library::stop_on_write_failure(int device, Device& d) {
    bd_info& b = d.info;
    log_.write(LOG_ERROR, "bd%d write download file fail, packet %d\r\n", device,
               static_cast<int>(d.pending_write.failed_offset() / WireSizes::file_packet));
    b.result = UPL_RESULT_REFUSED;
    if (b.transfer_state != UPL_STATE_RECEIVING) return;
    const pc_command stop = build_stop_file(static_cast<std::uint8_t>(b.protocol_id), b.transfer_id);
    send_command(device, &stop);
    b.request_armed = 0;
    b.transfer_state = UPL_STATE_FINISHING;
}

// ---- new-file query and answer ------------------------------------------------------------

int Library::query_newfile(int device, int value) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (!device_in_range(device)) return ST_BAD_ARGUMENT;
    Device& d = devices_[static_cast<std::size_t>(device)];
    std::uint8_t protocol;
    {
        std::lock_guard<std::mutex> lock(d.lock);
        d.info.callinfo_valid = 0;
        protocol = static_cast<std::uint8_t>(d.info.protocol_id);
    }
    if (device_configured(device)) {
        const pc_command command = build_query_newfile(protocol, value);
        send_command(device, &command);
    }
    return ST_OK;
}

void Library::handle_newfile(int device, Device& d, const device_response& r) {
    bd_info& b = d.info;
    std::memset(b.newfile_name, 0, sizeof b.newfile_name);
    const char* name = reinterpret_cast<const char*>(r.data + ResponseDataOffsets::newfile_name);
    const std::size_t name_length = bounded_length(name, WireFields::newfile_name);
    std::memcpy(b.newfile_name, name, name_length);
    // Characters that a path must not get from a device become blanks. The second byte of a
    // GBK character is part of that character, not a separator.
    for (std::size_t i = 0; i < name_length; ++i) {
        const auto c = static_cast<unsigned char>(b.newfile_name[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < name_length) {
            ++i;
            continue;
        }
        if (is_forbidden_name_char(b.newfile_name[i])) {
            log_.write(LOG_ERROR, "bd%d err, get qry upl ack, filename has %c", device,
                       b.newfile_name[i]);
            b.newfile_name[i] = ' ';
        }
    }

    // The date names a folder on the host: only eight digits are taken from the device.
    std::memset(b.newfile_date, 0, sizeof b.newfile_date);
    const char* date = reinterpret_cast<const char*>(r.data + ResponseDataOffsets::newfile_date);
    const std::size_t date_length = bounded_length(date, WireFields::newfile_date);
    b.newfile_db_index = r.value24;
    if (is_eight_digits(date, date_length)) {
        std::memcpy(b.newfile_date, date, 8);
    } else {
        const char* found = nullptr;
        if (name_length <= kNameSearchLimit) {
            for (std::size_t i = 0; i + 9 < name_length; ++i) {
                if (b.newfile_name[i] == '_' && b.newfile_name[i + 9] == '_') {
                    found = b.newfile_name + i + 1;
                    break;
                }
            }
        }
        std::memcpy(b.newfile_date, found && is_eight_digits(found, 8) ? found : kDefaultDate, 8);
    }

    post_event(EVT_FTP_NEWFILE_INFO, device, r.byte7 == 1 ? r.value16 : -1, r.value8, r.value20);
}

// ---- start, cancel, progress, skip --------------------------------------------------------

int Library::start_uploadfile(int device, const char* device_file_name, int size,
                              const char* tag, const char* local_path, int transfer_id,
                              int db_index, int no_tag) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (!device_in_range(device) || device_file_name == nullptr || local_path == nullptr)
        return ST_BAD_ARGUMENT;
    const std::size_t name_length = bounded_length(device_file_name, kMaxDeviceFileName + 1);
    const std::size_t path_length = bounded_length(local_path, kMaxLocalPath + 1);
    if (name_length > kMaxDeviceFileName || path_length > kMaxLocalPath || path_length == 0)
        return ST_BAD_ARGUMENT;
    const std::string name(device_file_name, name_length);
    const std::string path(local_path, path_length);

    Device& d = devices_[static_cast<std::size_t>(device)];
    std::lock_guard<std::mutex> lock(d.lock);
    bd_info& b = d.info;
    if (b.state != BD_STATE_LOGGED_IN) return -2;
    if (b.transfer_state != UPL_STATE_IDLE) return -3;
    if (static_cast<std::uint32_t>(size) >= kMaxFileSize) return -11;
    close_download_files(d);
    b.callinfo_valid = 0;

    if (plat::file_exists(path) || plat::directory_exists(path)) {
        const pc_command skip = build_skip_file(static_cast<std::uint8_t>(b.protocol_id),
                                                transfer_id, db_index, name);
        send_command(device, &skip);
        return 1;
    }

    const std::string ltf = path + ".ltf";
    const std::string dxc = path + ".dxc";
    const std::uint32_t packets = packet_count(static_cast<std::uint32_t>(size));
    resume_file_header header{};
    const WorkingFiles found = inspect_working_files(ltf, dxc, header);
    if (found == WorkingFiles::NotOurs) {
        log_.write(LOG_ERROR, "bd%d %s.ltf or .dxc is not a download file, left as it is\r\n",
                   device, path.c_str());
        return kStartNotOurFiles;
    }
    std::uint32_t window_base = 0;
    bool resumed = false;
    if (found == WorkingFiles::Resumable) {
        // A download file of another size belongs to another file of the same name.
        if (header.window_base <= packets &&
            plat::file_size(ltf) == static_cast<std::int64_t>(static_cast<std::uint32_t>(size))) {
            if (!d.download_file.open(ltf, plat::File::Mode::ReadWrite)) return -5;
            if (!d.resume_file.open(dxc, plat::File::Mode::ReadWrite)) {
                d.download_file.close();
                return -5;
            }
            window_base = header.window_base;
            resumed = true;
        }
    }
    if (!resumed) {
        plat::remove_file(ltf);
        plat::remove_file(dxc);
        // The resume file first: a download file never exists without its resume file, so a
        // download file standing alone is never ours.
        if (!d.resume_file.open(dxc, plat::File::Mode::CreateAlways)) return -5;
        if (!d.download_file.open(ltf, plat::File::Mode::CreateAlways)) {
            d.resume_file.close();
            return -5;
        }
        // The filler bytes go out in large blocks: one write per 64 KiB, not per packet.
        static const std::array<std::uint8_t, 64 * 1024> fill = [] {
            std::array<std::uint8_t, 64 * 1024> a;
            a.fill(0x55);
            return a;
        }();
        const auto total = static_cast<std::uint32_t>(size);
        for (std::uint32_t at = 0; at < total; at += fill.size()) {
            const std::size_t n = std::min<std::size_t>(fill.size(), total - at);
            if (d.download_file.write_at(at, fill.data(), n) != static_cast<long long>(n)) {
                close_download_files(d);
                return -5;
            }
        }
        // Recorded only now that the filler is whole: a request the device refuses, started
        // again, resumes from here instead of writing the whole filler once more.
        const resume_file_header start = make_resume_record(0);
        if (d.resume_file.write_at(0, &start, sizeof start) != static_cast<long long>(sizeof start)) {
            close_download_files(d);
            return -5;
        }
    }
    d.arrived.reset(packets, window_base);

    b.bytes_received = std::min<std::uint32_t>(window_base * WireSizes::file_packet,
                                               static_cast<std::uint32_t>(size));
    b.window_base = static_cast<std::int32_t>(window_base);
    b.transfer_id = transfer_id;
    b.request_armed = 0;
    std::memset(b.local_path, 0, sizeof b.local_path);
    std::memcpy(b.local_path, path.data(), path.size());
    std::memset(b.file_name, 0, sizeof b.file_name);
    std::memcpy(b.file_name, name.data(), name.size());
    b.file_size = size;
    if (tag != nullptr) {
        std::memset(b.tag, 0, sizeof b.tag);
        std::memcpy(b.tag, tag, bounded_length(tag, WireFields::request_tag));
    }
    b.file_db_index = db_index;
    b.no_tag = no_tag == 1 ? 1 : 0;
    b.transfer_state = UPL_STATE_REQUEST;
    return ST_OK;
}

int Library::uploadfile_terminate(int device) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (!device_in_range(device)) return ST_BAD_ARGUMENT;
    Device& d = devices_[static_cast<std::size_t>(device)];
    std::lock_guard<std::mutex> lock(d.lock);
    if (d.info.transfer_state == UPL_STATE_IDLE) return ST_OK;
    const pc_command stop =
        build_stop_file(static_cast<std::uint8_t>(d.info.protocol_id), d.info.transfer_id);
    send_command(device, &stop);
    close_download_files(d);
    d.info.transfer_state = UPL_STATE_IDLE;
    return ST_OK;
}

int Library::uploadfile_terminate_async(int device) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (!device_in_range(device)) return ST_BAD_ARGUMENT;
    Device& d = devices_[static_cast<std::size_t>(device)];
    std::lock_guard<std::mutex> lock(d.lock);
    bd_info& b = d.info;
    if (b.transfer_state != UPL_STATE_IDLE && b.transfer_state != UPL_STATE_FINISHING) {
        const pc_command stop =
            build_stop_file(static_cast<std::uint8_t>(b.protocol_id), b.transfer_id);
        send_command(device, &stop);
        b.result = UPL_RESULT_CANCELLED;
        b.request_armed = 0;
        b.transfer_state = UPL_STATE_FINISHING;
    }
    return ST_OK;
}

int Library::get_upload_progress(int device, int* bytes_received, int* file_size) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (!device_in_range(device)) return ST_BAD_ARGUMENT;
    Device& d = devices_[static_cast<std::size_t>(device)];
    std::lock_guard<std::mutex> lock(d.lock);
    if (d.info.transfer_state != UPL_STATE_RECEIVING) return ST_BAD_ARGUMENT;
    if (bytes_received == nullptr) return -2;
    *bytes_received = static_cast<int>(
        std::min<std::uint32_t>(d.info.bytes_received, static_cast<std::uint32_t>(d.info.file_size)));
    if (file_size != nullptr) *file_size = d.info.file_size;
    return ST_OK;
}

int Library::ignore_uploadfile(int device, const char* device_file_name, int db_index,
                               int transfer_id) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (!device_in_range(device) || device_file_name == nullptr) return ST_BAD_ARGUMENT;
    Device& d = devices_[static_cast<std::size_t>(device)];
    std::lock_guard<std::mutex> lock(d.lock);
    if (d.info.state != BD_STATE_LOGGED_IN) return -2;
    if (d.info.transfer_state != UPL_STATE_IDLE) return -3;
    const std::string name(device_file_name,
                           bounded_length(device_file_name, WireFields::skip_name_limit));
    const pc_command skip = build_skip_file(static_cast<std::uint8_t>(d.info.protocol_id),
                                            transfer_id, db_index, name);
    send_command(device, &skip);
    return ST_OK;
}

int Library::get_callinfo(int device, ftp_callinfo* info) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (!device_in_range(device) || info == nullptr) return ST_BAD_ARGUMENT;
    Device& d = devices_[static_cast<std::size_t>(device)];
    std::lock_guard<std::mutex> lock(d.lock);
    if (d.info.callinfo_valid == 0) return -2;
    *info = d.info.callinfo;
    return ST_OK;
}

// ---- the transfer -------------------------------------------------------------------------

void Library::download_tick(int device, Device& d, std::uint32_t now) {
    bd_info& b = d.info;
    const auto protocol = static_cast<std::uint8_t>(b.protocol_id);
    switch (b.transfer_state) {
    case UPL_STATE_REQUEST:
    case UPL_STATE_RECEIVING:
        if (b.request_armed == 0) {
            if (b.transfer_state == UPL_STATE_REQUEST) {
                const pc_command request = build_request_file(
                    protocol, b.transfer_id, b.no_tag != 0, b.file_size, b.window_base,
                    b.file_db_index, text_of(b.file_name, sizeof b.file_name),
                    std::string_view(b.tag, bounded_length(b.tag, WireFields::request_tag)));
                send_command(device, &request);
            }
            b.request_armed = 1;
            b.transfer_timer = now;
            break;
        }
        if (now < b.transfer_timer) b.transfer_timer = now;
        if (now - b.transfer_timer > kTransferWaitMs) {
            if (b.transfer_state == UPL_STATE_RECEIVING) {
                const pc_command stop = build_stop_file(protocol, b.transfer_id);
                send_command(device, &stop);
                send_command(device, &stop);
            }
            b.result = UPL_RESULT_TIMEOUT;
            b.request_armed = 0;
            b.transfer_state = UPL_STATE_FINISHING;
        }
        break;
    case UPL_STATE_FINISHING:
        finalise_download(device, d);
        break;
    default:
        break;
    }
}

void Library::handle_request_ack(Device& d, const device_response& r) {
    bd_info& b = d.info;
    if (b.state != BD_STATE_LOGGED_IN || b.transfer_state != UPL_STATE_REQUEST ||
        b.request_armed == 0)
        return;
    b.request_armed = 0;
    if (r.byte6 == 1) {
        b.transfer_state = UPL_STATE_RECEIVING;
    } else {
        b.result = UPL_RESULT_REFUSED;
        b.transfer_state = UPL_STATE_FINISHING;
    }
}

void Library::handle_file_data(int device, Device& d, const file_data_message& m,
                               std::uint32_t now) {
    bd_info& b = d.info;
    if (b.state != BD_STATE_LOGGED_IN || b.transfer_state != UPL_STATE_RECEIVING ||
        b.request_armed == 0)
        return;
    // The request carried only the low byte of the transfer id.
    if ((m.transfer_id & 0xFF) != (b.transfer_id & 0xFF)) return;
    const std::int64_t window = settings_.packets_per_window;
    const std::int64_t index = m.packet_index;
    if (index < b.window_base || index >= b.window_base + window) return;
    const auto size = static_cast<std::uint32_t>(b.file_size);
    if (index >= static_cast<std::int64_t>(packet_count(size)) || m.length < 0) return;

    const std::uint32_t offset = static_cast<std::uint32_t>(index) * WireSizes::file_packet;
    const std::uint32_t length = std::min<std::uint32_t>(
        {static_cast<std::uint32_t>(m.length), static_cast<std::uint32_t>(WireSizes::file_packet),
         size - offset});
    if (d.download_file.is_open() && length != 0 &&
        !d.pending_write.add(d.download_file, offset, m.data, length)) {
        stop_on_write_failure(device, d);
        return;
    }
    d.arrived.mark(static_cast<std::uint32_t>(index));
    const std::uint64_t window_end =
        static_cast<std::uint64_t>(b.window_base + window) * WireSizes::file_packet;
    if (b.bytes_received < window_end)
        b.bytes_received = std::min<std::uint32_t>(b.bytes_received + length, size);
    b.transfer_timer = now;
}

void Library::handle_window_end(int device, Device& d, const device_response& r) {
    bd_info& b = d.info;
    if (b.state != BD_STATE_LOGGED_IN || b.transfer_state != UPL_STATE_RECEIVING ||
        b.request_armed == 0)
        return;
    const auto protocol = static_cast<std::uint8_t>(b.protocol_id);
    if (static_cast<std::uint32_t>(r.value16) < static_cast<std::uint32_t>(b.window_base)) {
        const pc_command ack = build_window_ack(protocol, r.value8, b.window_base, nullptr, 0);
        send_command(device, &ack);
        return;
    }
    // Every packet of the window that lies in the file is asked for, not only those up to the
    // device's last: a device with a smaller window would otherwise move the window on over
    // packets it never sent.
    const std::int64_t window = settings_.packets_per_window;
    const std::int64_t last_in_file =
        static_cast<std::int64_t>(d.arrived.packets()) - 1 - b.window_base;
    const std::int64_t k = std::min<std::int64_t>(window - 1, last_in_file);
    int missing[WireSizes::max_missing_listed];
    std::size_t listed = 0;
    for (std::int64_t i = 0; i <= k && listed < WireSizes::max_missing_listed; ++i)
        if (!d.arrived.has(static_cast<std::uint32_t>(b.window_base + i)))
            missing[listed++] = static_cast<int>(i);

    if (listed != 0) {
        const pc_command ack = build_window_ack(protocol, r.value8, b.window_base, missing, listed);
        send_command(device, &ack);
    } else {
        // The resume point moves on only over packets that are on disk.
        if (!write_gathered(device, d)) return;
        const std::int32_t completed = b.window_base;
        // No trace line per window: natively the debug output is standard error, a write
        // on every window of every download.
        b.window_base += static_cast<std::int32_t>(window);
        b.bytes_received = std::min<std::uint32_t>(
            static_cast<std::uint32_t>(b.window_base) * WireSizes::file_packet,
            static_cast<std::uint32_t>(b.file_size));
        if (d.resume_file.is_open()) {
            const resume_file_header header =
                make_resume_record(static_cast<std::uint32_t>(b.window_base));
            d.resume_file.write_at(0, &header, sizeof header);
        }
        const pc_command ack = build_window_ack(protocol, r.value8, completed, nullptr, 0);
        send_command(device, &ack);
    }
    b.transfer_timer = plat::tick_ms();
}

void Library::handle_transfer_end(int device, Device& d, const device_response& r) {
    bd_info& b = d.info;
    if (b.state == BD_STATE_LOGGED_IN && b.transfer_state == UPL_STATE_RECEIVING &&
        b.request_armed != 0) {
        b.result = r.byte6 == 1 ? UPL_RESULT_OK : UPL_RESULT_REFUSED;
        b.request_armed = 0;
        b.transfer_state = UPL_STATE_FINISHING;
    }
    char line[80];
    std::snprintf(line, sizeof line, "EVT_FTP_TRANSFER_END, flag %d, result %d\r\n", r.value8,
                  r.byte6);
    plat::debug_output(line);
    const pc_command ack = build_end_ack(static_cast<std::uint8_t>(b.protocol_id), r.value8);
    send_command(device, &ack);
}

void Library::finalise_download(int device, Device& d) {
    bd_info& b = d.info;
    const std::string path = text_of(b.local_path, sizeof b.local_path);
    // Success needs every packet of the file: a device that ends early gets no result 1 for
    // a file still holding filler bytes, and both files stay for a resume.
    if (b.result == UPL_RESULT_OK && !d.arrived.complete()) {
        log_.write(LOG_ERROR, "bd%d transfer end before the file is complete\r\n", device);
        b.result = UPL_RESULT_REFUSED;
    }
    if (b.result == UPL_RESULT_OK) write_gathered(device, d);
    d.pending_write.drop();
    if (d.download_file.is_open()) {
        if (b.result == UPL_RESULT_OK) {
            using E = EmbeddedRecordLayout;
            std::uint8_t raw[CallRecordLayout::size] = {};
            std::uint16_t format = 0;
            d.download_file.read_at(E::format_offset, &format, sizeof format);
            if (format == E::split_format) {
                d.download_file.read_at(E::split_main_offset, raw, E::split_main_size);
                d.download_file.read_at(E::split_tail_offset, raw + E::split_tail_target,
                                        E::split_tail_size);
            } else {
                d.download_file.read_at(E::plain_offset, raw, sizeof raw);
            }
            if (decode_calllog(&b.callinfo, raw, sizeof raw) == DECODE_OK) b.callinfo_valid = 1;
        }
        d.download_file.close();
    }
    d.resume_file.close();
    if (b.result == UPL_RESULT_OK) {
        if (plat::rename_file(path + ".ltf", path)) {
            plat::remove_file(path + ".dxc");
        } else {
            log_.write(LOG_ERROR, "bd%d rename download file fail: %s\r\n", device, path.c_str());
            b.result = UPL_RESULT_REFUSED;
            b.callinfo_valid = 0;
        }
    }
    b.transfer_state = UPL_STATE_IDLE;
    post_transfer_end(device, d, b.result, b.transfer_id);
}

// A transfer's end is never lost: the host waits for it before it stores the file or moves
// on. One that finds the queue full waits here, in order, for the state thread's next pass.
void Library::post_transfer_end(int device, Device& d, int result, int transfer_id) {
    post_pending_ends(d);
    if (d.pending_ends.empty() &&
        post_event(EVT_FTP_TRANSFER_END, device, result, transfer_id) == 0)
        return;
    d.pending_ends.push_back(ftp_event{EVT_FTP_TRANSFER_END, device, result, transfer_id, 0});
}

void Library::post_pending_ends(Device& d) {
    EventQueue* queue = events_.get();
    std::size_t posted = 0;
    while (queue != nullptr && posted < d.pending_ends.size() &&
           queue->post(d.pending_ends[posted]) == EventQueue::PostResult::Appended)
        ++posted;
    d.pending_ends.erase(d.pending_ends.begin(),
                         d.pending_ends.begin() + static_cast<std::ptrdiff_t>(posted));
}

} // namespace tarnlink
