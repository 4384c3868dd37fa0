// The device's call log: the query with its condition parts, the paced result messages and
// the end, the stop, delete and comment.
#include <algorithm>
#include <cstring>

#include "tarnlink/call_record.h"
#include "tests/support/standin/device_impl.h"

namespace standin {
namespace {

constexpr std::size_t kSlot = 32;
constexpr std::size_t kPartStride = 64;
constexpr std::size_t kMaxSlots = 12;

using Layout = tarnlink::CallRecordLayout;
// The start date and time as one 14-character text.
constexpr Layout::Field kDateTime{Layout::start_year.offset, 14};

std::string record_text(const std::vector<std::uint8_t>& r, Layout::Field f) {
    if (f.offset >= r.size()) return {};
    return wire::field_string(r.data() + f.offset, std::min(f.size, r.size() - f.offset));
}

long record_number(const std::vector<std::uint8_t>& r, Layout::Field f) {
    return std::strtol(record_text(r, f).c_str(), nullptr, 10);
}

std::int32_t le32(const std::uint8_t* p) {
    return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                        std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24);
}
int be16(const std::uint8_t* p) { return p[0] << 8 | p[1]; }

bool starts_with(const std::string& field, const std::string& prefix) {
    return field.compare(0, prefix.size(), prefix) == 0;
}

// One condition slot against one record. Item meanings are the device's own: 1 call type
// range, 2 date-time range ("yyyyMMddhhmmss", an empty end is open), 4 caller, 5 dialled,
// 6 line, 7 agent, 8 call session number (text prefixes), 9 channel, 10 duration range,
// 11 rings range; item 3 and unknown items match everything.
bool slot_matches(const std::uint8_t* slot, const std::vector<std::uint8_t>& r) {
    const std::uint8_t* d = slot + 1;
    switch (slot[0]) {
    case 1: {
        const int type = r.empty() ? 3 : r[0] - '0';
        return type >= le32(d) && type <= le32(d + 4);
    }
    case 2: {
        const std::string at = record_text(r, kDateTime);
        const std::string from = wire::field_string(d, 14), to = wire::field_string(d + 14, 14);
        return (from.empty() || at >= from) && (to.empty() || at <= to);
    }
    case 4: return starts_with(record_text(r, Layout::caller_number), wire::field_string(d, 30));
    case 5: return starts_with(record_text(r, Layout::dialled_digits), wire::field_string(d, 30));
    case 6: return starts_with(record_text(r, Layout::line), wire::field_string(d, 30));
    case 7: return starts_with(record_text(r, Layout::agent_name), wire::field_string(d, 20));
    case 8: return starts_with(record_text(r, Layout::session_number), wire::field_string(d, 30));
    case 9: return record_number(r, Layout::channel) == (d[0] | d[1] << 8);
    case 10: {
        const long v = record_number(r, Layout::duration);
        return v >= be16(d) && v <= be16(d + 2);
    }
    case 11: {
        const long v = record_number(r, Layout::rings);
        return v >= be16(d) && v <= be16(d + 2);
    }
    default: return true;
    }
}

}  // namespace

void Device::Impl::on_query_calllog(const wire::pc_command& c, const plat::SocketAddress& from) {
    const std::int32_t parts = std::clamp<std::int32_t>(c.p1, 0, std::int32_t(kMaxSlots));
    if (parts > 0) {
        if (query.id != c.b || query.parts != parts || c.p2 == 1) query.got.clear();
        query.id = c.b;
        query.parts = parts;
        if (c.p2 < 1 || c.p2 > parts) return;
        auto& slot = query.got[c.p2];
        std::memcpy(slot.data(), c.payload, slot.size());
        if (std::int32_t(query.got.size()) < parts) return;
    }
    // Part k carries the area from byte 64 (k - 1); slots repeated across parts agree.
    std::vector<std::uint8_t> area(kPartStride * std::size_t(parts) + kSlot, 0);
    for (const auto& [k, payload] : query.got)
        std::memcpy(area.data() + kPartStride * std::size_t(k - 1), payload.data(), payload.size());
    query.got.clear();

    query.matches.clear();
    for (std::size_t e = 0; e < cfg.call_log.size(); ++e) {
        bool ok = true;
        for (std::size_t s = 0; s < kMaxSlots && (s + 1) * kSlot <= area.size() && ok; ++s) {
            if (area[s * kSlot] == 0) break;
            ok = slot_matches(area.data() + s * kSlot, cfg.call_log[e].record);
        }
        if (ok) query.matches.push_back(e);
    }
    query.id = c.b;
    query.parts = 0;
    query.sent = 0;
    query.peer = from;
    query.next_send = SteadyClock::now();
    query.running = !faults.take(Fault::SilenceDuringQuery);
}

void Device::Impl::on_stop_query() { query.running = false; }

void Device::Impl::query_timers(SteadyClock::time_point now) {
    if (!query.running || now < query.next_send) return;
    if (query.sent >= query.matches.size()) {
        auto r = wire::make_response(wire::DEV_RSP_QUERY_END, 0);
        r.value16 = std::int32_t(query.matches.size());
        send_response(r, query.peer);
        query.running = false;
        return;
    }
    auto m = wire::make_calllog_result(session.protocol, query.id);
    std::size_t n = 0;
    while (n < wire::WireSizes::calllog_records && query.sent < query.matches.size()) {
        const std::size_t entry = query.matches[query.sent++];
        if (entry >= cfg.call_log.size()) continue;   // deleted while the query ran
        const auto& record = cfg.call_log[entry].record;
        std::memcpy(m.records[n], record.data(),
                    std::min(record.size(), wire::WireSizes::calllog_record));
        ++n;
    }
    if (n > 0) {
        m.record_count = std::uint8_t(n);
        SentMessage entry;
        entry.magic = m.magic;
        entry.index = std::int32_t(n);
        send_bytes(&m, sizeof m, query.peer, entry);
    }
    query.next_send = now + std::chrono::milliseconds(cfg.query_message_gap_ms);
}

void Device::Impl::on_delete_calllog(const wire::pc_command& c, const plat::SocketAddress& from) {
    std::size_t removed = 0;
    if (c.a == 1) {
        removed = cfg.call_log.size();
        cfg.call_log.clear();
    } else {
        const std::string name = wire::command_text(c, wire::PayloadOffsets::calllog_name,
                                                    wire::WireFields::calllog_name);
        auto gone = [&](const CallLogEntry& e) {
            return record_text(e.record, Layout::file_name) == name;
        };
        const auto before = cfg.call_log.size();
        cfg.call_log.erase(std::remove_if(cfg.call_log.begin(), cfg.call_log.end(), gone),
                           cfg.call_log.end());
        removed = before - cfg.call_log.size();
    }
    auto r = wire::make_response(wire::DEV_RSP_DELETE_ACK, 0);
    r.value16 = removed > 0 ? 1 : 0;
    r.value8 = std::int32_t(removed);
    send_response(r, from);
}

void Device::Impl::on_set_comment(const wire::pc_command& c, const plat::SocketAddress& from) {
    const std::string name = wire::command_text(c, wire::PayloadOffsets::calllog_name,
                                                wire::WireFields::calllog_name);
    const std::string comment = wire::command_text(c, wire::PayloadOffsets::calllog_comment,
                                                   wire::WireFields::calllog_comment);
    int found = 0;
    for (auto& e : cfg.call_log) {
        if (record_text(e.record, Layout::file_name) != name) continue;
        const Layout::Field note = Layout::note;
        if (e.record.size() >= note.offset + note.size) {
            std::fill_n(e.record.begin() + std::ptrdiff_t(note.offset), note.size, 0);
            std::memcpy(e.record.data() + note.offset, comment.data(),
                        std::min(comment.size(), note.size));
        }
        found = 1;
    }
    auto r = wire::make_response(wire::DEV_RSP_COMMENT_ACK, 0);
    r.value16 = found;
    send_response(r, from);
}

}  // namespace standin
