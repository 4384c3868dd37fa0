// The device's side of a download: the new-file answer, the request, the window loop with its
// re-sends, the transfer end, and the download faults.
#include <algorithm>

#include "tests/support/standin/device_impl.h"

namespace standin {
namespace {

constexpr std::int32_t kPacket = std::int32_t(wire::WireSizes::file_packet);
constexpr std::uint8_t kPastEndFill = 0xEE;

std::int32_t packet_count(std::size_t size) {
    return std::int32_t((size + wire::WireSizes::file_packet - 1) / wire::WireSizes::file_packet);
}

}  // namespace

std::size_t Device::Impl::next_recording() const {
    for (std::size_t i = 0; i < cfg.recordings.size(); ++i)
        if (i >= recording_done.size() || !recording_done[i]) return i;
    return cfg.recordings.size();
}

void Device::Impl::on_query_newfile(const wire::pc_command& c, const plat::SocketAddress& from) {
    auto r = wire::make_response(wire::DEV_RSP_NEWFILE, 0);
    r.value8 = c.p1;
    const std::size_t i = next_recording();
    if (i < cfg.recordings.size()) {
        const Recording& rec = cfg.recordings[i];
        r.byte7 = 1;
        r.value16 = std::int32_t(rec.content.size());
        r.value20 = std::int32_t(std::count(recording_done.begin(), recording_done.end(), false));
        r.value24 = rec.db_index;
        wire::put_field(r.data + wire::ResponseDataOffsets::newfile_name,
                        wire::WireFields::newfile_name, rec.name);
        wire::put_field(r.data + wire::ResponseDataOffsets::newfile_date,
                        wire::WireFields::newfile_date, rec.date);
    }
    send_response(r, from);
}

void Device::Impl::on_request_file(const wire::pc_command& c, const plat::SocketAddress& from) {
    const std::string name = wire::command_text(c, wire::PayloadOffsets::request_name,
                                                wire::WireFields::request_name);
    auto same_name = [&](const Recording& r) {
        return r.name.substr(0, wire::WireFields::request_name) == name;
    };
    std::size_t found = cfg.recordings.size();
    for (std::size_t i = 0; i < cfg.recordings.size() && found == cfg.recordings.size(); ++i)
        if (cfg.recordings[i].db_index == c.p3 && same_name(cfg.recordings[i])) found = i;
    for (std::size_t i = 0; i < cfg.recordings.size() && found == cfg.recordings.size(); ++i)
        if (same_name(cfg.recordings[i])) found = i;

    TransferRecord record;
    record.name = name;
    record.transfer_id = c.a;
    record.first_packet = c.p2;
    auto r = wire::make_response(wire::DEV_RSP_REQUEST_ACK, 0);
    if (found == cfg.recordings.size() || faults.take(Fault::RefuseRequest)) {
        transfer_log.push_back(record);
        send_response(r, from);
        return;
    }
    abandon_transfer();
    record.accepted = true;
    transfer_log.push_back(record);

    Transfer t;
    t.phase = Phase::WaitStart;
    t.recording = found;
    t.id = c.a;
    t.packets = packet_count(cfg.recordings[found].content.size());
    t.base = std::clamp<std::int32_t>(c.p2, 0, t.packets);
    t.window_size = cfg.window_packets > 0
                        ? std::min(cfg.window_packets, session.packets_per_window)
                        : session.packets_per_window;
    t.log_index = transfer_log.size() - 1;
    t.peer = from;
    t.deadline = SteadyClock::now() + std::chrono::milliseconds(cfg.window_wait_ms);
    if (const FaultRule* loss = faults.peek(Fault::DropDataFraction)) t.loss = SeededRandom(loss->seed);
    transfer = t;
    r.byte6 = 1;
    send_response(r, from);
}

void Device::Impl::send_packets(const std::vector<std::int32_t>& indexes, bool first_send) {
    const Recording& rec = cfg.recordings[transfer.recording];
    const std::int32_t size = std::int32_t(rec.content.size());
    const FaultRule* wrong = faults.take(Fault::WrongTransferId, -1, transfer.window_no);
    const std::int32_t wrong_delta = wrong ? wrong->value : 0;
    const FaultRule* length = faults.take(Fault::DataLength, -1, transfer.window_no);
    const bool override_length = length != nullptr;
    const std::int32_t length_value = length ? length->value : 0;
    const int per_datagram = std::clamp(cfg.messages_per_datagram, 1,
                                        int(wire::WireSizes::max_messages));

    std::vector<std::uint8_t> datagram;
    datagram.reserve(wire::WireSizes::max_datagram);
    int in_datagram = 0;
    std::int32_t first_index = 0;
    auto flush = [&] {
        if (in_datagram == 0) return;
        SentMessage entry;
        entry.magic = wire::MSG_FILE_DATA;
        entry.index = first_index;
        send_bytes(datagram.data(), datagram.size(), transfer.peer, entry);
        datagram.clear();
        in_datagram = 0;
    };
    bool first = true;
    for (std::int32_t index : indexes) {
        if (faults.take(Fault::DropDataPacket, index - transfer.base, transfer.window_no,
                        transfer.attempt))
            continue;
        if (first_send) {
            const FaultRule* loss = faults.peek(Fault::DropDataFraction);
            if (loss && transfer.loss.unit() < loss->fraction) continue;
        }
        std::vector<std::uint8_t> fill;
        const std::uint8_t* data = nullptr;
        std::int32_t len = kPacket;
        if (index >= 0 && index < transfer.packets) {
            data = rec.content.data() + std::size_t(index) * kPacket;
            len = std::min(kPacket, size - index * kPacket);
        } else {
            fill.assign(wire::WireSizes::file_packet, kPastEndFill);
            data = fill.data();
        }
        std::int32_t id = transfer.id;
        if (first && wrong) id += wrong_delta;
        first = false;
        auto m = wire::make_file_data(id, index, data, len);
        if (override_length) m.length = length_value;
        if (in_datagram == 0) first_index = index;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&m);
        datagram.insert(datagram.end(), bytes, bytes + sizeof m);
        if (++in_datagram == per_datagram) flush();
    }
    flush();
}

void Device::Impl::send_window(SteadyClock::time_point now) {
    const int wn = transfer.window_no;
    const std::int32_t end = std::min(transfer.base + transfer.window_size, transfer.packets);
    std::vector<std::int32_t> order;
    for (std::int32_t i = transfer.base; i < end; ++i) order.push_back(i);
    if (faults.take(Fault::DuplicateWindow, -1, wn)) {
        const auto copy = order;
        order.insert(order.end(), copy.begin(), copy.end());
    }
    if (faults.take(Fault::ReverseWindow, -1, wn)) std::reverse(order.begin(), order.end());
    if (const FaultRule* f = faults.take(Fault::ShuffleWindow, -1, wn)) {
        SeededRandom rng(f->seed);
        for (std::size_t i = order.size(); i > 1; --i) std::swap(order[i - 1], order[rng.next() % i]);
    }
    std::vector<std::int32_t> held;
    if (const FaultRule* f = faults.take(Fault::EarlyWindowEnd, -1, wn)) {
        const std::size_t n = std::min<std::size_t>(std::size_t(std::max(f->value, 0)), order.size());
        held.assign(order.end() - std::ptrdiff_t(n), order.end());
        order.resize(order.size() - n);
    }
    send_packets(order, true);
    if (faults.take(Fault::PacketOutsideWindow, -1, wn))
        send_packets({transfer.base + transfer.window_size}, false);
    if (end == transfer.packets && faults.take(Fault::PacketPastEnd))
        send_packets({transfer.packets}, false);
    send_window_end(now);
    send_packets(held, true);
    if (faults.take(Fault::SilenceAfterWindow, -1, wn)) transfer.phase = Phase::Silent;
}

void Device::Impl::send_window_end(SteadyClock::time_point now) {
    auto r = wire::make_response(wire::DEV_RSP_WINDOW_END, 0);
    r.value8 = ++transfer.token;
    r.value16 = std::min(transfer.base + transfer.window_size, transfer.packets) - 1;
    send_response(r, transfer.peer);
    transfer.phase = Phase::AwaitWindowAck;
    transfer.deadline = now + std::chrono::milliseconds(cfg.window_end_resend_ms);
}

void Device::Impl::send_transfer_end(SteadyClock::time_point now) {
    if (transfer.phase != Phase::AwaitEndAck && faults.take(Fault::TransferEndFailure))
        transfer.success = false;
    auto r = wire::make_response(wire::DEV_RSP_TRANSFER_END, 0);
    r.byte6 = transfer.success ? 1 : 0;
    r.value8 = ++transfer.token;
    send_response(r, transfer.peer);
    transfer.phase = Phase::AwaitEndAck;
    transfer.deadline = now + std::chrono::milliseconds(cfg.transfer_end_resend_ms);
}

void Device::Impl::on_window_ack(const wire::pc_command& c) {
    // Only the answer to the latest window end counts: an answer to an older one (re-sent
    // window ends cross their answers) would otherwise end a window that was never received.
    // A workstation that completed the window on an earlier copy of the window end answers
    // the re-sent copy with the next window's base and nothing missing.
    const bool moved_on = c.b == 0 && c.p2 == transfer.base + transfer.window_size;
    const bool own_window = cfg.window_packets > 0;
    if (transfer.phase != Phase::AwaitWindowAck || c.p1 != transfer.token ||
        (c.p2 != transfer.base && !moved_on && !own_window))
        return;
    const auto now = SteadyClock::now();
    transfer.resends = 0;
    const std::vector<int> missing = wire::window_ack_missing(c);
    if (!missing.empty()) {
        ++transfer.attempt;
        std::vector<std::int32_t> again;
        const std::int32_t listed_from = own_window ? c.p2 : transfer.base;
        for (int offset : missing)
            if (listed_from + offset < transfer.packets) again.push_back(listed_from + offset);
        send_packets(again, false);
        send_window_end(now);
        return;
    }
    ++transfer_log[transfer.log_index].windows;
    transfer.base += transfer.window_size;
    ++transfer.window_no;
    transfer.attempt = 0;
    if (transfer.base >= transfer.packets)
        send_transfer_end(now);
    else
        send_window(now);
}

void Device::Impl::on_end_ack() {
    if (transfer.phase != Phase::AwaitEndAck) return;
    TransferRecord& record = transfer_log[transfer.log_index];
    record.finished = true;
    record.success = transfer.success;
    if (transfer.success && transfer.recording < recording_done.size())
        recording_done[transfer.recording] = true;
    transfer.phase = Phase::None;
}

void Device::Impl::on_stop_file() { abandon_transfer(); }

void Device::Impl::on_skip_file(const wire::pc_command& c) {
    const std::string name = wire::command_text(c, 0, wire::WireSizes::command_payload);
    for (std::size_t i = 0; i < cfg.recordings.size() && i < recording_done.size(); ++i) {
        const Recording& r = cfg.recordings[i];
        if (r.db_index == c.p2 && (name.empty() || r.name == name)) {
            recording_done[i] = true;
            return;
        }
    }
}

void Device::Impl::abandon_transfer() { transfer.phase = Phase::None; }

void Device::Impl::transfer_timers(SteadyClock::time_point now) {
    if (now < transfer.deadline) return;
    switch (transfer.phase) {
    case Phase::WaitStart:
        if (transfer.base >= transfer.packets)
            send_transfer_end(now);
        else
            send_window(now);
        break;
    case Phase::AwaitWindowAck:
        if (transfer.resends++ < cfg.max_resends)
            send_window_end(now);
        else
            abandon_transfer();
        break;
    case Phase::AwaitEndAck:
        if (transfer.resends++ < cfg.max_resends)
            send_transfer_end(now);
        else
            abandon_transfer();
        break;
    case Phase::None:
    case Phase::Silent:
        break;
    }
}

}  // namespace standin
