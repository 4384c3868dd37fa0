// Direct mode's call-log query, its results buffer, and the delete and comment commands.
#include <cstring>
#include <new>

#include "platform/clock.h"
#include "tarnlink/call_record.h"
#include "tarnlink/library.h"
#include "tarnlink/query_conditions.h"

namespace tarnlink {

namespace {

constexpr std::uint32_t kQuerySilenceMs = 120000;
constexpr int kMaxResults = 10000;
constexpr int kQueryDevice = 0;

std::size_t bounded_length(const char* text, std::size_t limit) {
    const void* nul = std::memchr(text, '\0', limit);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : limit;
}

} // namespace

int Library::query_result_count() {
    std::lock_guard<std::mutex> lock(results_mutex_);
    return static_cast<int>(results_count_);
}

int Library::malloc_queryresbuf(int count) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (!direct_mode_) return ST_BAD_ARGUMENT;
    if (count < 1 || count > kMaxResults) return -2;
    std::lock_guard<std::mutex> lock(results_mutex_);
    results_.reset();
    results_capacity_ = 0;
    results_count_ = 0;
    results_.reset(new (std::nothrow) ftp_callinfo[static_cast<std::size_t>(count)]);
    if (!results_) return -3;
    results_capacity_ = static_cast<std::size_t>(count);
    return ST_OK;
}

int Library::clear_queryparams(ftp_queryparams* params) {
    if (params == nullptr) return ST_BAD_ARGUMENT;
    std::memset(params, 0, sizeof *params);
    params->item10_upper = 36000;
    params->item11_upper = 60;
    return ST_OK;
}

int Library::set_queryparams(const ftp_queryparams* params) {
    if (params == nullptr) return ST_BAD_ARGUMENT;
    query_params_ = *params;
    return ST_OK;
}

int Library::query_async(int query_id) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (!direct_mode_) return ST_BAD_ARGUMENT;
    {
        std::lock_guard<std::mutex> lock(results_mutex_);
        results_count_ = 0;
    }
    Device& d = devices_[kQueryDevice];
    std::uint8_t protocol;
    {
        std::lock_guard<std::mutex> lock(d.lock);
        d.info.query_id = query_id;
        d.info.query_activity = plat::tick_ms();
        d.info.query_running = 1;
        protocol = static_cast<std::uint8_t>(d.info.protocol_id);
    }
    std::uint8_t area[QueryConditionLayout::area];
    const int items = encode_query_conditions(query_params_, area);
    std::uint8_t payload[WireSizes::command_payload];
    if (items == 0) {
        std::memset(payload, 0, sizeof payload);
        const pc_command command = build_query_calllog(protocol, client_kind_, query_id, 0, 0, payload);
        send_command(kQueryDevice, &command);
        return ST_OK;
    }
    const int parts = query_part_count(items);
    for (int part = 1; part <= parts; ++part) {
        query_part_payload(area, part, payload);
        const pc_command command =
            build_query_calllog(protocol, client_kind_, query_id, parts, part, payload);
        send_command(kQueryDevice, &command);
    }
    return ST_OK;
}

int Library::get_queryresult(int index, ftp_callinfo* info) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (info == nullptr) return ST_BAD_ARGUMENT;
    std::lock_guard<std::mutex> lock(results_mutex_);
    if (index < 0 || static_cast<std::size_t>(index) >= results_count_) return -2;
    *info = results_[static_cast<std::size_t>(index)];
    return ST_OK;
}

int Library::query_terminate() {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (!direct_mode_) return ST_BAD_ARGUMENT;
    Device& d = devices_[kQueryDevice];
    std::lock_guard<std::mutex> lock(d.lock);
    if (d.info.query_running == 0) return ST_OK;
    d.info.query_running = 0;
    const pc_command stop = build_stop_query(static_cast<std::uint8_t>(d.info.protocol_id),
                                             client_kind_);
    send_command(kQueryDevice, &stop);
    post_event(EVT_FTP_QUERY_END, kQueryDevice, -2, d.info.query_id, query_result_count());
    return ST_OK;
}

void Library::handle_calllog_result(int device, const calllog_result_message& m) {
    if (device != kQueryDevice) return;
    Device& d = devices_[kQueryDevice];
    std::lock_guard<std::mutex> device_lock(d.lock);
    bd_info& b = d.info;
    // The query command carried only the low byte of the id.
    if (b.query_running == 0 || (m.query_id & 0xFF) != (b.query_id & 0xFF) ||
        m.protocol_minus_one + 1 != b.protocol_id)
        return;
    b.query_activity = plat::tick_ms();

    std::lock_guard<std::mutex> lock(results_mutex_);
    if (!results_ || results_capacity_ == 0 || results_count_ >= results_capacity_) return;
    const std::size_t before = results_count_;
    const std::size_t records =
        std::min<std::size_t>(m.record_count, WireSizes::calllog_records);
    for (std::size_t j = 0; j < records && results_count_ < results_capacity_; ++j) {
        if (decode_calllog(&results_[results_count_], m.records[j], WireSizes::calllog_record) ==
            DECODE_OK)
            ++results_count_;
    }
    if (results_count_ > before)
        post_event(EVT_FTP_QUERY_DATA, kQueryDevice, static_cast<int>(before), b.query_id,
                   static_cast<int>(results_count_));
}

void Library::handle_query_end(int device, Device& d, const device_response& r) {
    if (d.info.query_running == 0) return;
    d.info.query_running = 0;
    post_event(EVT_FTP_QUERY_END, device, 1, d.info.query_id, r.value16);
}

void Library::query_timeout_check(int device, Device& d, std::uint32_t now) {
    bd_info& b = d.info;
    if (device != kQueryDevice || b.query_running == 0) return;
    if (now < b.query_activity) b.query_activity = now;
    if (now - b.query_activity < kQuerySilenceMs) return;
    b.query_running = 0;
    const pc_command stop = build_stop_query(static_cast<std::uint8_t>(b.protocol_id),
                                             client_kind_);
    send_command(kQueryDevice, &stop);
    post_event(EVT_FTP_QUERY_END, kQueryDevice, -1, b.query_id, query_result_count());
}

int Library::delete_calllog(const char* name, int a, int b, int all) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (!direct_mode_) return ST_BAD_ARGUMENT;
    if (all != 0 && all != 1) return -2;
    if (all == 0 && name == nullptr) return -3;
    const std::string_view text =
        all == 0 ? std::string_view(name, bounded_length(name, WireFields::calllog_name))
                 : std::string_view();
    const pc_command command =
        build_delete_calllog(static_cast<std::uint8_t>(settings_.protocol_id), all == 1, a, b, text);
    send_command(kQueryDevice, &command);
    return ST_OK;
}

int Library::set_calllog_comment(const char* name, int a, const char* comment, int b) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (!direct_mode_) return ST_BAD_ARGUMENT;
    if (name == nullptr || comment == nullptr) return -2;
    const pc_command command = build_set_comment(
        static_cast<std::uint8_t>(settings_.protocol_id), a, b,
        std::string_view(name, bounded_length(name, WireFields::calllog_name)),
        std::string_view(comment, bounded_length(comment, WireFields::calllog_comment)));
    send_command(kQueryDevice, &command);
    return ST_OK;
}

} // namespace tarnlink
