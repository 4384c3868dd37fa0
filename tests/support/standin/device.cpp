#include <algorithm>
#include <cstring>

#include "platform/clock.h"
#include "tests/support/standin/device_impl.h"

namespace standin {
namespace {

// Keeps a long-running device from growing its logs without bound.
constexpr std::size_t kMaxLogEntries = 200000;
// Bounds the connection requests a device sends while nobody logs in.
constexpr std::uint32_t kMaxAnnouncements = 10000;
constexpr std::size_t kReceiveBuffer = 16384;

std::chrono::milliseconds ms(std::uint32_t v) { return std::chrono::milliseconds(v); }

bool is_loopback(std::uint32_t ip) { return (ip >> 24) == 127; }

// The library cuts user and password to 15 bytes (on a character boundary), so a longer
// configured text matches by its prefix.
bool same_login_text(const std::string& received, const std::string& configured) {
    if (received == configured) return true;
    return configured.size() > 15 && received.size() >= 14 &&
           configured.compare(0, received.size(), received) == 0;
}

ReceivedCommand parse_for_log(const std::uint8_t* bytes, std::size_t size) {
    ReceivedCommand rc;
    rc.size = size;
    wire::pc_command c{};
    std::memcpy(&c, bytes, std::min(size, sizeof c));
    rc.magic = c.magic;
    rc.well_formed = size == sizeof c && c.magic == wire::PC_COMMAND_MAGIC;
    rc.code = c.code;
    rc.a = c.a;
    rc.protocol = c.protocol_id;
    rc.b = c.b;
    rc.p1 = c.p1;
    rc.p2 = c.p2;
    rc.p3 = c.p3;
    rc.p4 = c.p4;
    std::memcpy(rc.payload.data(), c.payload, sizeof c.payload);
    return rc;
}

}  // namespace

std::string ReceivedCommand::payload_text(std::size_t offset, std::size_t length) const {
    if (offset >= payload.size()) return {};
    return wire::field_string(payload.data() + offset, std::min(length, payload.size() - offset));
}

std::uint64_t Device::Impl::ms_since_start(SteadyClock::time_point t) const {
    return std::uint64_t(
        std::chrono::duration_cast<std::chrono::milliseconds>(t - started).count());
}

void Device::Impl::run() {
    std::vector<std::uint8_t> buffer(kReceiveBuffer);
    while (!stopping.load()) {
        int timeout = 5;
        {
            std::lock_guard<std::mutex> lock(mu);
            if (query.running || transfer.phase == Phase::WaitStart || !actions.empty())
                timeout = 1;
        }
        plat::SocketAddress from;
        const int n = endpoint.receive_from(buffer.data(), buffer.size(), from, timeout);
        if (stopping.load()) break;
        // A socket that keeps failing at once must not turn this loop into a busy one.
        if (n == int(plat::UdpResult::Error) || n == int(plat::UdpResult::Closed))
            std::this_thread::sleep_for(ms(1));
        std::lock_guard<std::mutex> lock(mu);
        if (n >= 0) handle_datagram(buffer.data(), std::size_t(n), from);
        while (!actions.empty()) {
            auto action = std::move(actions.front());
            actions.pop_front();
            action();
        }
        on_timers(SteadyClock::now());
    }
}

void Device::Impl::handle_datagram(const std::uint8_t* bytes, std::size_t size,
                                   const plat::SocketAddress& from) {
    const auto now = SteadyClock::now();
    ReceivedCommand rc = parse_for_log(bytes, size);
    rc.at_ms = ms_since_start(now);
    rc.tick = plat::tick_ms();
    rc.from = from;
    if (received.size() < kMaxLogEntries) received.push_back(rc);
    if (is_loopback(bound_ip)) heard_from.insert(from.ip);
    changed.notify_all();

    wire::pc_command c;
    if (!rc.well_formed || !wire::parse_command(bytes, size, c)) return;
    last_command = now;
    if (faults.take(Fault::SilenceAll)) return;   // heard, logged, not handled
    handle_command(c, from);
}

void Device::Impl::handle_command(const wire::pc_command& c, const plat::SocketAddress& from) {
    switch (c.code) {
    case wire::PC_CMD_LOGIN: on_login(c, from); break;
    case wire::PC_CMD_LOGOUT:
        end_session();
        if (cfg.answer_logout) send_response(wire::make_response(wire::DEV_RSP_LOGOUT, 0), from);
        break;
    case wire::PC_CMD_HEARTBEAT:
        last_heartbeat = SteadyClock::now();
        if (!faults.take(Fault::SilenceHeartbeats))
            send_response(wire::make_response(wire::DEV_RSP_HEART_ACK, 0), from);
        break;
    case wire::PC_CMD_QUERY_NEWFILE: on_query_newfile(c, from); break;
    case wire::PC_CMD_REQUEST_FILE: on_request_file(c, from); break;
    case wire::PC_CMD_STOP_FILE: on_stop_file(); break;
    case wire::PC_CMD_END_ACK: on_end_ack(); break;
    case wire::PC_CMD_WINDOW_ACK: on_window_ack(c); break;
    case wire::PC_CMD_SKIP_FILE: on_skip_file(c); break;
    case wire::PC_CMD_QUERY_CALLLOG: on_query_calllog(c, from); break;
    case wire::PC_CMD_STOP_QUERY: on_stop_query(); break;
    case wire::PC_CMD_SET_PARAM: on_set_param(c, from); break;
    case wire::PC_CMD_DELETE_CALLLOG: on_delete_calllog(c, from); break;
    case wire::PC_CMD_SET_COMMENT: on_set_comment(c, from); break;
    case wire::PC_CMD_READ_PARAM: on_read_param(c, from); break;
    default: break;   // unknown commands are only logged
    }
}

void Device::Impl::on_login(const wire::pc_command& c, const plat::SocketAddress& from) {
    session.client_kind = c.a;
    session.protocol = c.protocol_id;
    session.packets_per_window =
        std::clamp<std::int32_t>(c.p1, 1, std::int32_t(wire::WireSizes::max_window));
    session.peer = from;

    std::int32_t cause = 1;
    if (const FaultRule* r = faults.take(Fault::RefuseLogin))
        cause = r->value;
    else if (!same_login_text(wire::command_text(c, wire::PayloadOffsets::login_user,
                                                 wire::WireFields::login_user),
                              cfg.user))
        cause = 2;
    else if (!same_login_text(wire::command_text(c, wire::PayloadOffsets::login_password,
                                                 wire::WireFields::login_password),
                              cfg.password))
        cause = 3;

    auto r = wire::make_response(wire::DEV_RSP_LOGIN_ACK, 0);
    r.value8 = cause;
    r.byte5 = cfg.channel_count;
    wire::put_field(r.data + wire::ResponseDataOffsets::login_device_id,
                    wire::WireFields::device_id, cfg.device_id);
    r.data[wire::ResponseDataOffsets::login_byte_a] = cfg.login_byte52;
    r.data[wire::ResponseDataOffsets::login_byte_b] = cfg.login_byte53;
    if (cause == 1) {
        session.logged_in = true;
        ++session.logins;
        last_heartbeat = SteadyClock::now();
    } else {
        session.logged_in = false;
    }
    send_response(r, from);
}

void Device::Impl::on_set_param(const wire::pc_command& c, const plat::SocketAddress& from) {
    const int slot = c.a < 2 ? c.a : -1;
    switch (c.p2) {
    case wire::SETPARAM_CHAN_NAME:
        if (slot >= 0) params.channel_name[slot] = wire::command_text(c, 0, wire::WireFields::chan_name);
        break;
    case wire::SETPARAM_CHAN_TEXT:
        if (slot >= 0) params.channel_text[slot] = wire::command_text(c, 0, wire::WireFields::chan_text);
        break;
    case wire::SETPARAM_CHAN_VALUE:
        if (slot >= 0) params.channel_value[slot] = c.p1;
        break;
    case wire::SETPARAM_CLOCK:
        params.clock_text = wire::command_text(c, 0, wire::WireFields::clock_text);
        break;
    case wire::SETPARAM_SUBTYPE100: ++params.subtype100_count; break;
    default: break;
    }
    auto r = wire::make_response(wire::DEV_RSP_SETPARAM_ACK, 0);
    r.value16 = 1;
    r.value8 = c.p2;
    send_response(r, from);
}

void Device::Impl::on_read_param(const wire::pc_command& c, const plat::SocketAddress& from) {
    if (c.p2 == wire::PARAM_KIND_DEVICE_TEXT) {
        auto r = wire::make_response(wire::DEV_RSP_PARAM, 0);
        r.byte7 = wire::PARAM_KIND_DEVICE_TEXT;
        r.value16 = 1;
        wire::put_field(r.data + wire::ResponseDataOffsets::param_text,
                        wire::WireFields::device_text, cfg.device_text);
        send_response(r, from);
        return;
    }
    if (c.p2 != wire::PARAM_KIND_CHANNEL) return;
    std::vector<ChannelInfo> channels = cfg.channels;
    if (channels.empty())
        for (int i = 0; i < cfg.channel_count; ++i)
            channels.push_back({i + 1, "CH" + std::to_string(i + 1), "LINE" + std::to_string(i + 1)});
    for (std::size_t i = 0; i < channels.size() && i < 256; ++i) {
        auto r = wire::make_response(wire::DEV_RSP_PARAM, 0);
        r.byte6 = std::uint8_t(i);
        r.byte7 = wire::PARAM_KIND_CHANNEL;
        r.value16 = 1;
        r.value20 = channels[i].value;
        wire::put_field(r.data + wire::ResponseDataOffsets::param_text, wire::WireFields::chan_name,
                        channels[i].name);
        wire::put_field(r.data + wire::ResponseDataOffsets::param_chan_text,
                        wire::WireFields::chan_text, channels[i].text);
        send_response(r, from);
    }
}

void Device::Impl::end_session() {
    session.logged_in = false;
    next_announce = SteadyClock::now();
    abandon_transfer();
    query.running = false;
}

void Device::Impl::on_timers(SteadyClock::time_point now) {
    if (cfg.role == Role::Announce && !session.logged_in && now >= next_announce &&
        announcements < kMaxAnnouncements) {
        ++announcements;
        send_connreq(cfg.serial, cfg.announce_to);
        next_announce = now + ms(cfg.announce_interval_ms);
    }
    if (session.logged_in && cfg.watchdog_ms > 0 && now - last_heartbeat >= ms(cfg.watchdog_ms)) {
        send_response(wire::make_response(wire::DEV_RSP_PC_TIMEOUT, 0), session.peer);
        end_session();
    }
    if (session.logged_in && cfg.session_idle_ms > 0 &&
        now - last_command >= ms(cfg.session_idle_ms))
        end_session();
    transfer_timers(now);
    query_timers(now);
}

// A device sends only to loopback, to its own address, to the sources of what reached its
// loopback socket (nothing from outside the host can), and to the addresses a test allowed
// inside its own network namespace.
bool Device::Impl::may_send_to(std::uint32_t ip) {
    if (is_loopback(ip) || (bound_ip != 0 && ip == bound_ip) || heard_from.count(ip) != 0)
        return true;
    for (const auto& text : cfg.allowed_destinations) {
        std::uint32_t allowed = 0;
        if (plat::parse_ipv4(text, allowed) && allowed == ip) return true;
    }
    return false;
}

void Device::Impl::send_bytes(const void* bytes, std::size_t size, const plat::SocketAddress& to,
                              const SentMessage& entry) {
    if (faults.peek(Fault::SilenceAll) || to.port == 0) return;
    if (!may_send_to(to.ip)) {
        ++refused_sends;
        return;
    }
    if (endpoint.send_to(bytes, size, to) < 0) return;
    if (sent_log.size() < kMaxLogEntries) {
        SentMessage e = entry;
        e.at_ms = ms_since_start(SteadyClock::now());
        e.to = to;
        sent_log.push_back(e);
    }
}

void Device::Impl::send_response(wire::device_response r, const plat::SocketAddress& to) {
    if (const FaultRule* f = faults.take(Fault::RestartSequence)) next_sequence = std::uint32_t(f->value);
    if (const FaultRule* f = faults.take(Fault::JumpSequence)) next_sequence += std::uint32_t(f->value);
    r.seq = std::int32_t(next_sequence++);
    session.next_sequence = next_sequence;
    // A dropped response still used its number, as one lost on the way would have.
    if (faults.take(Fault::DropResponse, r.type)) return;
    SentMessage entry;
    entry.magic = r.magic;
    entry.type = r.type;
    entry.sequence = std::uint32_t(r.seq);
    send_bytes(&r, sizeof r, to, entry);
    if (faults.take(Fault::DuplicateResponse, r.type)) send_bytes(&r, sizeof r, to, entry);
}

void Device::Impl::send_connreq(const std::string& serial, const plat::SocketAddress& to) {
    // Connection requests carry no sequence number of their own; the library ignores it.
    auto r = wire::make_response(wire::DEV_RSP_CONNREQ, 0);
    wire::put_field(r.data + wire::ResponseDataOffsets::connreq_serial,
                    wire::WireFields::connreq_serial - 1, serial);
    SentMessage entry;
    entry.magic = r.magic;
    entry.type = r.type;
    send_bytes(&r, sizeof r, to, entry);
}

// ---- Device ----

Device::Device(DeviceConfig config) : impl_(std::make_unique<Impl>(std::move(config))) {
    impl_->next_sequence = impl_->cfg.first_sequence;
    impl_->session.next_sequence = impl_->next_sequence;
    impl_->recording_done.assign(impl_->cfg.recordings.size(), false);
}

Device::~Device() { stop(); }

bool Device::start() {
    if (impl_->thread.joinable()) return true;
    if (!impl_->endpoint.open(impl_->cfg.bind_ip, impl_->cfg.port)) return false;
    impl_->bound_port = impl_->endpoint.local_port();
    impl_->bound_ip = 0;
    plat::parse_ipv4(impl_->cfg.bind_ip, impl_->bound_ip);
    impl_->stopping = false;
    impl_->started = SteadyClock::now();
    impl_->last_command = impl_->started;
    impl_->next_announce = impl_->started;
    impl_->thread = std::thread([this] { impl_->run(); });
    return true;
}

void Device::stop() {
    if (!impl_->thread.joinable()) return;
    impl_->stopping = true;
    impl_->endpoint.shutdown();
    impl_->thread.join();
    impl_->endpoint.close();
}

bool Device::running() const { return impl_->thread.joinable(); }
std::uint16_t Device::port() const { return impl_->bound_port; }

plat::SocketAddress Device::address() const {
    plat::SocketAddress a;
    std::string ip = impl_->cfg.bind_ip;
    if (ip.empty() || ip == "0.0.0.0") ip = "127.0.0.1";
    plat::parse_ipv4(ip, a.ip);
    a.port = impl_->bound_port;
    return a;
}

void Device::update_config(const std::function<void(DeviceConfig&)>& change) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    std::vector<std::string> before;
    for (const auto& r : impl_->cfg.recordings) before.push_back(r.name);
    change(impl_->cfg);
    std::vector<std::string> after;
    for (const auto& r : impl_->cfg.recordings) after.push_back(r.name);
    // A new list of recordings is offered from its start; a transfer from the old one ends.
    if (before != after) {
        impl_->recording_done.assign(after.size(), false);
        impl_->abandon_transfer();
    }
}

DeviceConfig Device::config() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->cfg;
}

void Device::add_fault(const FaultRule& rule) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->faults.add(rule);
}

void Device::clear_faults() {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->faults.clear();
}

void Device::send_response(int type, std::int32_t value8) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->actions.push_back([impl = impl_.get(), type, value8] {
        auto r = wire::make_response(std::uint8_t(type), 0);
        r.value8 = value8;
        impl->send_response(r, impl->session.peer);
        if (type == wire::DEV_RSP_LOGOUT || type == wire::DEV_RSP_PC_TIMEOUT ||
            type == wire::DEV_RSP_CLOSE)
            impl->end_session();
    });
}

void Device::send_connection_request(const std::string& serial, int count) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    count = std::clamp(count, 0, 1000);
    impl_->actions.push_back([impl = impl_.get(), serial, count] {
        for (int i = 0; i < count; ++i) impl->send_connreq(serial, impl->cfg.announce_to);
    });
}

void Device::send_raw(std::vector<std::uint8_t> bytes, std::optional<plat::SocketAddress> to) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->actions.push_back([impl = impl_.get(), bytes = std::move(bytes), to] {
        SentMessage entry;
        if (bytes.size() >= 4) std::memcpy(&entry.magic, bytes.data(), 4);
        impl->send_bytes(bytes.data(), bytes.size(), to ? *to : impl->session.peer, entry);
    });
}

std::vector<ReceivedCommand> Device::commands() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->received;
}

std::vector<ReceivedCommand> Device::commands(int code) const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    std::vector<ReceivedCommand> out;
    for (const auto& c : impl_->received)
        if (c.well_formed && c.code == code) out.push_back(c);
    return out;
}

std::size_t Device::count(int code) const { return commands(code).size(); }

std::optional<ReceivedCommand> Device::wait_for(int code, std::uint32_t timeout_ms,
                                                std::size_t n) const {
    std::unique_lock<std::mutex> lock(impl_->mu);
    std::optional<ReceivedCommand> found;
    auto check = [&] {
        std::size_t seen = 0;
        for (const auto& c : impl_->received)
            if (c.well_formed && c.code == code && ++seen == n) {
                found = c;
                return true;
            }
        return false;
    };
    impl_->changed.wait_for(lock, ms(timeout_ms), check);
    return found;
}

std::vector<SentMessage> Device::sent() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->sent_log;
}

void Device::clear_log() {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->received.clear();
    impl_->sent_log.clear();
}

std::uint32_t Device::refused_sends() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->refused_sends;
}

SessionInfo Device::session() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->session;
}

ParamState Device::params() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->params;
}

std::vector<TransferRecord> Device::transfers() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->transfer_log;
}

std::vector<CallLogEntry> Device::call_log() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->cfg.call_log;
}

std::size_t Device::recordings_left() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return std::size_t(std::count(impl_->recording_done.begin(), impl_->recording_done.end(), false));
}

}  // namespace standin
