// Message routing, the acceptance of responses, the connection state machine and the
// connection requests.
#include <cstring>

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "tarnlink/library.h"

namespace tarnlink {

namespace {

constexpr std::uint32_t kStateWaitMs = 8000;
constexpr std::uint32_t kLoginWaitMs = 8000;
constexpr std::uint32_t kHeartbeatMs = 500;

// "收设备的心跳包超时" and "设备认为pc的心跳超时" in GBK.
constexpr const char kHeartTimeoutText[] =
    "\xca\xd5\xc9\xe8\xb1\xb8\xb5\xc4\xd0\xc4\xcc\xf8\xb0\xfc\xb3\xac\xca\xb1\r\n";
constexpr const char kPcTimeoutText[] =
    "\xc9\xe8\xb1\xb8\xc8\xcf\xce\xaa" "pc" "\xb5\xc4\xd0\xc4\xcc\xf8\xb3\xac\xca\xb1\r\n";

// A wait that has run out: more than `limit` ms passed, or the tick count went back.
bool expired(std::uint32_t now, std::uint32_t since, std::uint32_t limit) {
    return now < since || now - since > limit;
}

void store_field(char* field, std::size_t field_size, const std::string& text) {
    std::memset(field, 0, field_size);
    std::memcpy(field, text.data(), std::min(text.size(), field_size - 1));
}

std::string text_of(const char* field, std::size_t size) {
    return field_string(reinterpret_cast<const std::uint8_t*>(field), size);
}

} // namespace

void Library::set_host_resolver(HostResolver resolver) {
    resolver_ = resolver ? std::move(resolver) : HostResolver(plat::resolve_ipv4);
}

// ---- routing ------------------------------------------------------------------------------

void Library::handle_device_datagram(int device, const std::uint8_t* bytes, std::size_t length) {
    if (!device_in_range(device) || bytes == nullptr) return;
    const std::size_t count = message_count(length);
    if (count == 0) return;
    // One clock read per datagram: it dates every message inside.
    const std::uint32_t now = plat::tick_ms();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* message = message_at(bytes, i);
        switch (message_magic(message)) {
        case MSG_FILE_DATA: {
            file_data_message m;
            if (!parse_file_data(message, WireSizes::message, m)) break;
            Device& d = devices_[static_cast<std::size_t>(device)];
            std::lock_guard<std::mutex> lock(d.lock);
            note_sign_of_life(d, now);
            handle_file_data(device, d, m, now);
            break;
        }
        case MSG_CALLLOG_RESULT: {
            calllog_result_message m;
            if (parse_calllog_result(message, WireSizes::message, m))
                handle_calllog_result(device, m);
            break;
        }
        default: {
            device_response r;
            if (parse_response(message, WireSizes::message, r)) handle_response(device, r, now);
            break;
        }
        }
    }
}

bool Library::from_device_address(int device, const plat::SocketAddress& from) {
    if (!device_in_range(device) || conn_mode_ != CONNMODE_PC_ACTIVE) return true;
    Device& d = devices_[static_cast<std::size_t>(device)];
    if (from.ip != 0 && from.ip == d.confirmed_ip.load(std::memory_order_relaxed)) return true;
    std::uint32_t ip = 0;
    {
        std::lock_guard<std::mutex> lock(d.lock);
        plat::parse_ipv4(text_of(d.info.address, sizeof d.info.address), ip);
    }
    if (ip != 0 && ip == from.ip) {
        d.confirmed_ip.store(ip, std::memory_order_relaxed);
        return true;
    }
    const std::uint32_t dropped = d.foreign_datagrams.fetch_add(1) + 1;
    log_.write(LOG_DEBUG, "bd%d drop datagram from %s:%d, %u dropped\r\n", device,
               from.ip_text().c_str(), from.port, dropped);
    return false;
}

void Library::handle_listener_datagram(const std::uint8_t* bytes, std::size_t length,
                                       const plat::SocketAddress& from) {
    if (bytes == nullptr) return;
    const std::size_t count = message_count(length);
    for (std::size_t i = 0; i < count; ++i) {
        device_response r;
        if (parse_response(message_at(bytes, i), WireSizes::message, r) &&
            r.type == DEV_RSP_CONNREQ)
            handle_connreq(r, from, false);
    }
}

int Library::find_device_by_sender(const plat::SocketAddress& from, int& state) {
    const std::string ip = from.ip_text();
    const int count = device_count_;
    for (int i = 0; i < count; ++i) {
        Device& d = devices_[static_cast<std::size_t>(i)];
        std::lock_guard<std::mutex> lock(d.lock);
        if (d.info.port == from.port && text_of(d.info.address, sizeof d.info.address) == ip) {
            state = d.info.state;
            return i;
        }
    }
    return -1;
}

void Library::handle_shared_datagram(const std::uint8_t* bytes, std::size_t length,
                                     const plat::SocketAddress& from) {
    if (bytes == nullptr) return;
    const std::size_t count = message_count(length);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* message = message_at(bytes, i);
        int state = 0;
        const int device = find_device_by_sender(from, state);
        const bool logged_in = device >= 0 && state == BD_STATE_LOGGED_IN;
        const std::uint32_t magic = message_magic(message);
        if (magic == MSG_FILE_DATA) {
            file_data_message m;
            if (!logged_in || !parse_file_data(message, WireSizes::message, m)) continue;
            Device& d = devices_[static_cast<std::size_t>(device)];
            std::lock_guard<std::mutex> lock(d.lock);
            const std::uint32_t now = plat::tick_ms();
            note_sign_of_life(d, now);
            handle_file_data(device, d, m, now);
            continue;
        }
        if (magic == MSG_CALLLOG_RESULT) continue;
        device_response r;
        if (!parse_response(message, WireSizes::message, r)) continue;
        if (logged_in) {
            handle_response(device, r, plat::tick_ms());
        } else if (r.type == DEV_RSP_CONNREQ) {
            log_.write(LOG_DEBUG, "recv %s:%d connreq\r\n", from.ip_text().c_str(), from.port);
            handle_connreq(r, from, true);
        } else if (r.type == DEV_RSP_LOGIN_ACK && device >= 0) {
            handle_response(device, r, plat::tick_ms());
        }
    }
}

// ---- responses ----------------------------------------------------------------------------

// A device whose data is arriving is alive: any valid message of a logged-in device counts
// like a heartbeat answer, so an answer lost or queued behind a burst of file data never ends
// a healthy session. A device that falls silent still times out.
void Library::note_sign_of_life(Device& d, std::uint32_t now) {
    if (d.info.state == BD_STATE_LOGGED_IN) d.info.last_heart_ack = now;
}

void Library::handle_response(int device, const device_response& r, std::uint32_t now) {
    Device& d = devices_[static_cast<std::size_t>(device)];
    std::lock_guard<std::mutex> lock(d.lock);
    bd_info& b = d.info;
    note_sign_of_life(d, now);

    // A repeated datagram carries the number just taken; a gap is only worth a line.
    if (r.seq == b.last_seq) return;
    if (b.state == BD_STATE_LOGGED_IN && b.last_seq != -1 &&
        static_cast<std::uint32_t>(r.seq) != static_cast<std::uint32_t>(b.last_seq) + 1u)
        log_.write(LOG_ERROR, "seq error: seq= %d, curseq= %d\n", b.last_seq, r.seq);
    b.last_seq = r.seq;

    switch (r.type) {
    case DEV_RSP_LOGIN_ACK:
    case DEV_RSP_LOGOUT:
    case DEV_RSP_HEART_ACK:
    case DEV_RSP_PC_TIMEOUT:
    case DEV_RSP_CLOSE: handle_session_response(device, d, r); break;
    case DEV_RSP_NEWFILE: handle_newfile(device, d, r); break;
    case DEV_RSP_REQUEST_ACK: handle_request_ack(d, r); break;
    case DEV_RSP_TRANSFER_END: handle_transfer_end(device, d, r); break;
    case DEV_RSP_WINDOW_END: handle_window_end(device, d, r); break;
    case DEV_RSP_QUERY_END: handle_query_end(device, d, r); break;
    case DEV_RSP_SETPARAM_ACK: post_event(EVT_FTP_SETPARAM_ACK, device, r.value16, r.value8); break;
    case DEV_RSP_DELETE_ACK: post_event(EVT_FTP_DELCALLLOG_ACK, device, r.value16, r.value8); break;
    case DEV_RSP_COMMENT_ACK: post_event(EVT_FTP_COMMENT_ACK, device, r.value16, r.value8); break;
    case DEV_RSP_PARAM: handle_param_response(device, r); break;
    default: break;
    }
}

void Library::handle_param_response(int device, const device_response& r) {
    const int channel = r.byte6;
    const int kind = r.byte7;
    if (r.value16 == 1) {
        std::lock_guard<std::mutex> lock(tables_mutex_);
        if (kind == PARAM_KIND_DEVICE_TEXT) {
            std::memcpy(device_text_, r.data + ResponseDataOffsets::param_text,
                        sizeof device_text_);
        } else if (kind == PARAM_KIND_CHANNEL && channel < kChannelCount) {
            ChannelEntry& e = channels_[static_cast<std::size_t>(channel)];
            e.value = r.value20;
            std::memset(e.name, 0, sizeof e.name);
            std::memcpy(e.name, r.data + ResponseDataOffsets::param_text, WireFields::chan_name);
            std::memset(e.text, 0, sizeof e.text);
            std::memcpy(e.text, r.data + ResponseDataOffsets::param_chan_text,
                        WireFields::chan_text);
        }
    }
    post_event(EVT_FTP_GETPARAM_ACK, device, r.value16, channel, kind);
}

void Library::clear_address(bd_info& b) {
    if (conn_mode_ == CONNMODE_LISTEN || conn_mode_ == CONNMODE_PC_PASSIVE) {
        std::memset(b.address, 0, sizeof b.address);
        b.port = 0;
    }
}

void Library::handle_session_response(int device, Device& d, const device_response& r) {
    bd_info& b = d.info;
    const std::uint32_t now = plat::tick_ms();
    switch (r.type) {
    case DEV_RSP_LOGIN_ACK:
        if (b.state != BD_STATE_WAIT_LOGIN_ACK) return;
        if (r.value8 == 1) {
            log_.write(LOG_DEBUG, "bd%d get login ack succ %d\r\n", device, static_cast<int>(now));
            b.state_timer = now;
            b.last_heart_ack = now;
            b.query_running = 0;
            b.state = BD_STATE_LOGGED_IN;
            b.last_seq = -1;
            std::memset(b.device_id, 0, sizeof b.device_id);
            std::memcpy(b.device_id, r.data + ResponseDataOffsets::login_device_id,
                        WireFields::device_id);
            b.login_bytes[0] = r.data[ResponseDataOffsets::login_byte_a];
            b.login_bytes[1] = r.data[ResponseDataOffsets::login_byte_b];
            b.channel_count = r.byte5;
            if (first_login_.exchange(false)) init_wait_->set();
            post_event(EVT_FTP_LOGIN_SUCC, device);
        } else {
            log_.write(LOG_DEBUG, "bd%d get login ack fail %d\r\n", device, static_cast<int>(now));
            b.state = BD_STATE_RESET;
            post_event(EVT_FTP_LOGIN_FAIL, device, r.value8);
            clear_address(b);
        }
        return;
    case DEV_RSP_LOGOUT:
        b.state_timer = now;
        if (conn_mode_ == CONNMODE_PC_ACTIVE) {
            b.state = BD_STATE_IDLE;
        } else {
            clear_address(b);
            b.state = BD_STATE_WAIT_CONNREQ;
        }
        post_event(EVT_FTP_DEV_LOGOUT, device);
        return;
    case DEV_RSP_HEART_ACK:
        b.last_heart_ack = now;
        return;
    case DEV_RSP_PC_TIMEOUT:
        b.state = BD_STATE_LOGOUT;
        clear_address(b);
        plat::debug_output(kPcTimeoutText);
        post_event(EVT_FTP_DISCONNECT, device);
        return;
    case DEV_RSP_CLOSE:
        if (b.state != BD_STATE_LOGGED_IN) return;
        if (b.transfer_state != UPL_STATE_IDLE) {
            const pc_command stop =
                build_stop_file(static_cast<std::uint8_t>(b.protocol_id), b.transfer_id);
            send_command(device, &stop);
            close_download_files(d);
            b.transfer_state = UPL_STATE_IDLE;
        }
        b.state = BD_STATE_LOGOUT;
        clear_address(b);
        post_event(EVT_FTP_DISCONNECT, device);
        return;
    default:
        return;
    }
}

void Library::handle_connreq(const device_response& r, const plat::SocketAddress& from,
                             bool passive) {
    const std::string serial = field_string(r.data + ResponseDataOffsets::connreq_serial,
                                            WireFields::connreq_serial);
    const std::string ip = from.ip_text();
    if (!passive) {
        if (serial.empty()) return;
        log_.write(LOG_DEBUG, "EVT_FTP_DEVCONN_REQ, %s:%d, %s\r\n", ip.c_str(), from.port,
                   serial.c_str());
    }
    const int count = device_count_;
    for (int i = 0; i < count; ++i) {
        if (settings_.devices[static_cast<std::size_t>(i)].serial != serial) continue;
        Device& d = devices_[static_cast<std::size_t>(i)];
        std::lock_guard<std::mutex> lock(d.lock);
        if (d.info.state == BD_STATE_WAIT_CONNREQ) {
            store_field(d.info.host, sizeof d.info.host, ip);
            store_field(d.info.address, sizeof d.info.address, ip);
            d.info.port = from.port;
            d.info.state = BD_STATE_CONNECT;
            if (passive) log_.write(LOG_DEBUG, "bd%d from connreq to login\r\n", i);
        }
        return;
    }
    ftp_connreqinfo info;
    std::memset(&info, 0, sizeof info);
    store_field(info.serial, sizeof info.serial, serial);
    store_field(info.address, sizeof info.address, ip);
    info.port = from.port;
    // A serial whose request still waits for the host is one request and one event, however
    // often it announces itself: a flood from one sender never fills the event queue.
    const bool waiting = connreqs_.any_waiting([&info](const ftp_connreqinfo& w) {
        return std::memcmp(w.serial, info.serial, sizeof info.serial) == 0;
    });
    if (waiting) return;
    // A flood must not become a log line per datagram: the full request queue is logged
    // when it turns full, and an event 54 that finds no room is dropped without a line (the
    // request itself waits in its own queue).
    if (connreqs_.put(info)) {
        connreq_full_logged_ = false;
    } else if (!connreq_full_logged_) {
        log_.write(LOG_ALERT, "conn req info buf is full!\n");
        connreq_full_logged_ = true;
    }
    if (EventQueue* queue = events_.get()) queue->post(ftp_event{EVT_FTP_DEVCONN_REQ, 0, -1, 0, 0});
}

// ---- state machine ------------------------------------------------------------------------

void Library::step_states() {
    const std::uint32_t now = plat::tick_ms();
    const int count = device_count_;
    for (int i = 0; i < count; ++i) step_device(i, now);
}

void Library::queue_login(int device, bd_info& b) {
    log_.write(LOG_DEBUG, "bd%d start to login %s:%d %d\r\n", device,
               text_of(b.address, sizeof b.address).c_str(), b.port,
               static_cast<int>(plat::tick_ms()));
    const pc_command login = build_login(
        static_cast<std::uint8_t>(b.protocol_id), client_kind_, settings_.packets_per_window,
        text_of(b.user, sizeof b.user), text_of(b.password, sizeof b.password));
    send_command(device, &login);
    log_.write(LOG_DEBUG, "bd%d send login, packnum = %d\r\n", device,
               settings_.packets_per_window);
}

bool Library::resolve_host(bd_info& b) {
    const std::string host = text_of(b.host, sizeof b.host);
    if (is_dotted_host(host)) {
        store_field(b.address, sizeof b.address, host);
        return true;
    }
    std::uint32_t ip = 0;
    if (host.empty() || !resolver_(host, ip)) return false;
    store_field(b.address, sizeof b.address, plat::ipv4_text(ip));
    return true;
}

void Library::step_device(int device, std::uint32_t now) {
    Device& d = devices_[static_cast<std::size_t>(device)];
    std::lock_guard<std::mutex> lock(d.lock);
    if (!d.pending_ends.empty()) post_pending_ends(d);
    bd_info& b = d.info;
    switch (b.state) {
    case BD_STATE_IDLE:
        if (b.enabled != 0 && expired(now, b.state_timer, kStateWaitMs)) {
            b.state_timer = now;
            b.state = BD_STATE_CONNECT;
        }
        break;
    case BD_STATE_CONNECT:
        if (!resolve_host(b)) {
            post_event(EVT_FTP_LOGIN_FAIL, device, LOGIN_FAIL_HOST_UNRESOLVED);
            b.state_timer = now;
            b.state = BD_STATE_RESET;
            break;
        }
        d.confirmed_ip.store(0, std::memory_order_relaxed);  // the host may resolve anew
        queue_login(device, b);
        b.state = BD_STATE_WAIT_LOGIN_ACK;
        b.state_timer = now;
        break;
    case BD_STATE_WAIT_LOGIN_ACK:
        if (expired(now, b.state_timer, kLoginWaitMs)) {
            post_event(EVT_FTP_LOGIN_FAIL, device, LOGIN_FAIL_NO_ANSWER,
                       static_cast<int>(kLoginWaitMs));
            b.state = BD_STATE_RESET;
        }
        break;
    case BD_STATE_LOGGED_IN:
        if (now < b.state_timer || now - b.state_timer >= kHeartbeatMs) {
            const pc_command heartbeat = build_heartbeat(static_cast<std::uint8_t>(b.protocol_id));
            send_command(device, &heartbeat);
            b.state_timer = now;
        }
        // Signed: a receiver may have dated a sign of life a moment after this pass read
        // the clock, which is no time-out.
        if (static_cast<std::int32_t>(now - b.last_heart_ack) >= heart_timeout_ms_) {
            b.last_seq = -1;
            clear_address(b);
            plat::debug_output(kHeartTimeoutText);
            post_event(EVT_FTP_DISCONNECT, device);
            log_.write(LOG_ALERT, "board%d disconnected - heart timeout (%d)\n", device + 1,
                       heart_timeout_ms_);
            b.state = BD_STATE_LOGOUT;
        }
        download_tick(device, d, now);
        query_timeout_check(device, d, now);
        break;
    case BD_STATE_RESET:
        b.state_timer = now;
        if (conn_mode_ == CONNMODE_PC_ACTIVE) {
            b.state = BD_STATE_IDLE;
        } else {
            clear_address(b);
            b.state = BD_STATE_WAIT_CONNREQ;
        }
        break;
    case BD_STATE_LOGOUT: {
        const pc_command logout = build_logout(static_cast<std::uint8_t>(b.protocol_id));
        send_command(device, &logout);
        b.state = BD_STATE_WAIT_LOGOUT;
        b.state_timer = now;
        break;
    }
    case BD_STATE_WAIT_LOGOUT:
        if (expired(now, b.state_timer, kStateWaitMs)) b.state = BD_STATE_RESET;
        break;
    default:
        break;
    }
}

} // namespace tarnlink
