#include "tarnlink/wire_format.h"

#include <algorithm>

namespace tarnlink {

namespace {

pc_command blank_command(std::uint8_t code, std::uint8_t protocol_id) {
    pc_command c;
    std::memset(&c, 0, sizeof c);
    c.magic = PC_COMMAND_MAGIC;
    c.code = code;
    c.protocol_id = protocol_id;
    return c;
}

template <typename Record>
bool parse_record(const std::uint8_t* bytes, std::size_t length, std::uint32_t magic,
                  Record& out) {
    if (bytes == nullptr || length < sizeof(Record) || message_magic(bytes) != magic)
        return false;
    std::memcpy(&out, bytes, sizeof(Record));
    return true;
}

} // namespace

void put_field(std::uint8_t* field, std::size_t size, std::string_view text) {
    const std::size_t n = std::min(size, text.size());
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, size - n);
}

std::string field_string(const std::uint8_t* field, std::size_t size) {
    const auto* begin = reinterpret_cast<const char*>(field);
    const auto* end = std::find(begin, begin + size, '\0');
    return std::string(begin, end);
}

std::string command_text(const pc_command& command, std::size_t payload_offset,
                         std::size_t size) {
    if (payload_offset >= WireSizes::command_payload) return {};
    size = std::min(size, WireSizes::command_payload - payload_offset);
    return field_string(command.payload + payload_offset, size);
}

bool parse_response(const std::uint8_t* bytes, std::size_t length, device_response& out) {
    return parse_record(bytes, length, MSG_RESPONSE_MAGIC, out);
}

bool parse_file_data(const std::uint8_t* bytes, std::size_t length, file_data_message& out) {
    return parse_record(bytes, length, MSG_FILE_DATA, out);
}

bool parse_calllog_result(const std::uint8_t* bytes, std::size_t length,
                          calllog_result_message& out) {
    return parse_record(bytes, length, MSG_CALLLOG_RESULT, out);
}

bool parse_command(const std::uint8_t* bytes, std::size_t length, pc_command& out) {
    return parse_record(bytes, length, PC_COMMAND_MAGIC, out);
}

std::vector<int> window_ack_missing(const pc_command& command) {
    std::vector<int> missing;
    const std::size_t count = std::min<std::size_t>(command.b, WireSizes::max_missing_listed);
    for (std::size_t i = 0; i < count; ++i)
        missing.push_back(command.payload[2 * i] * 255 + command.payload[2 * i + 1]);
    return missing;
}

pc_command build_login(std::uint8_t protocol_id, std::uint8_t client_kind,
                       std::int32_t packets_per_window, std::string_view user,
                       std::string_view password) {
    pc_command c = blank_command(PC_CMD_LOGIN, protocol_id);
    c.a = client_kind;
    c.p1 = packets_per_window;
    // 16-byte fields that always keep a terminating NUL.
    put_field(c.payload + PayloadOffsets::login_user, WireFields::login_user - 1, user);
    put_field(c.payload + PayloadOffsets::login_password, WireFields::login_password - 1,
              password);
    return c;
}

pc_command build_logout(std::uint8_t protocol_id) {
    return blank_command(PC_CMD_LOGOUT, protocol_id);
}

pc_command build_heartbeat(std::uint8_t protocol_id) {
    return blank_command(PC_CMD_HEARTBEAT, protocol_id);
}

pc_command build_query_newfile(std::uint8_t protocol_id, std::int32_t value) {
    pc_command c = blank_command(PC_CMD_QUERY_NEWFILE, protocol_id);
    c.p1 = value;
    return c;
}

pc_command build_request_file(std::uint8_t protocol_id, std::int32_t transfer_id, bool no_tag,
                              std::int32_t file_size, std::int32_t window_base,
                              std::int32_t db_index, std::string_view device_file_name,
                              std::string_view tag) {
    pc_command c = blank_command(PC_CMD_REQUEST_FILE, protocol_id);
    c.a = static_cast<std::uint8_t>(transfer_id & 0xFF);
    c.b = no_tag ? 1 : 0;
    c.p1 = file_size;
    c.p2 = window_base;
    c.p3 = db_index;
    put_field(c.payload + PayloadOffsets::request_name, WireFields::request_name,
              device_file_name);
    if (!no_tag)
        put_field(c.payload + PayloadOffsets::request_tag, WireFields::request_tag, tag);
    return c;
}

pc_command build_stop_file(std::uint8_t protocol_id, std::int32_t transfer_id) {
    pc_command c = blank_command(PC_CMD_STOP_FILE, protocol_id);
    c.p1 = transfer_id;
    return c;
}

pc_command build_end_ack(std::uint8_t protocol_id, std::int32_t value8) {
    pc_command c = blank_command(PC_CMD_END_ACK, protocol_id);
    c.p1 = value8;
    return c;
}

pc_command build_window_ack(std::uint8_t protocol_id, std::int32_t value8,
                            std::int32_t window_base, const int* missing, std::size_t count) {
    pc_command c = blank_command(PC_CMD_WINDOW_ACK, protocol_id);
    c.p1 = value8;
    c.p2 = window_base;
    count = std::min(count, WireSizes::max_missing_listed);
    for (std::size_t i = 0; i < count; ++i) {
        c.payload[2 * i] = static_cast<std::uint8_t>(missing[i] / 255);
        c.payload[2 * i + 1] = static_cast<std::uint8_t>(missing[i] % 255);
    }
    c.b = static_cast<std::uint8_t>(count);
    return c;
}

pc_command build_skip_file(std::uint8_t protocol_id, std::int32_t transfer_id,
                           std::int32_t db_index, std::string_view device_file_name) {
    pc_command c = blank_command(PC_CMD_SKIP_FILE, protocol_id);
    c.p1 = transfer_id;
    c.p2 = db_index;
    // A name that would fill the payload is left out rather than sent without its end.
    if (device_file_name.size() < WireFields::skip_name_limit)
        put_field(c.payload, device_file_name.size(), device_file_name);
    return c;
}

pc_command build_query_calllog(std::uint8_t protocol_id, std::uint8_t client_kind,
                               std::int32_t query_id, std::int32_t parts, std::int32_t part,
                               const std::uint8_t (&conditions)[WireSizes::command_payload]) {
    pc_command c = blank_command(PC_CMD_QUERY_CALLLOG, protocol_id);
    c.a = client_kind;
    c.b = static_cast<std::uint8_t>(query_id & 0xFF);
    c.p1 = parts;
    c.p2 = part;
    std::memcpy(c.payload, conditions, sizeof c.payload);
    return c;
}

pc_command build_stop_query(std::uint8_t protocol_id, std::uint8_t client_kind) {
    pc_command c = blank_command(PC_CMD_STOP_QUERY, protocol_id);
    c.a = client_kind;
    c.b = 1;
    return c;
}

pc_command build_set_param(std::uint8_t protocol_id, std::uint8_t b, std::int32_t subtype,
                           std::int32_t value, const void* data) {
    pc_command c = blank_command(PC_CMD_SET_PARAM, protocol_id);
    c.a = b;
    c.p2 = subtype;
    std::size_t data_size = 0;
    switch (subtype) {
    case SETPARAM_CHAN_NAME: data_size = WireFields::chan_name; break;
    case SETPARAM_CHAN_TEXT: data_size = WireFields::chan_text; break;
    case SETPARAM_CLOCK: data_size = WireFields::clock_text; break;
    case SETPARAM_CHAN_VALUE: c.p1 = value; break;
    default: break;
    }
    if (data_size != 0 && data != nullptr) std::memcpy(c.payload, data, data_size);
    return c;
}

pc_command build_read_param(std::uint8_t protocol_id, std::uint8_t b, std::int32_t kind) {
    pc_command c = blank_command(PC_CMD_READ_PARAM, protocol_id);
    c.a = b;
    c.p2 = kind;
    return c;
}

pc_command build_delete_calllog(std::uint8_t protocol_id, bool all, std::int32_t a,
                                std::int32_t b, std::string_view name) {
    pc_command c = blank_command(PC_CMD_DELETE_CALLLOG, protocol_id);
    c.a = all ? 1 : 0;
    c.p1 = b;
    c.p2 = a;
    if (!all)
        put_field(c.payload + PayloadOffsets::calllog_name, WireFields::calllog_name, name);
    return c;
}

pc_command build_set_comment(std::uint8_t protocol_id, std::int32_t a, std::int32_t b,
                             std::string_view name, std::string_view comment) {
    pc_command c = blank_command(PC_CMD_SET_COMMENT, protocol_id);
    c.p1 = b;
    c.p2 = a;
    put_field(c.payload + PayloadOffsets::calllog_name, WireFields::calllog_name, name);
    put_field(c.payload + PayloadOffsets::calllog_comment, WireFields::calllog_comment,
              comment);
    return c;
}

device_response make_response(std::uint8_t type, std::int32_t seq) {
    device_response r;
    std::memset(&r, 0, sizeof r);
    r.magic = MSG_RESPONSE_MAGIC;
    r.type = type;
    r.seq = seq;
    return r;
}

file_data_message make_file_data(std::int32_t transfer_id, std::int32_t packet_index,
                                 const void* data, std::int32_t length) {
    file_data_message m;
    std::memset(&m, 0, sizeof m);
    m.magic = MSG_FILE_DATA;
    m.packet_index = packet_index;
    m.length = length;
    m.transfer_id = transfer_id;
    const std::size_t n =
        length <= 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(length), sizeof m.data);
    if (n != 0 && data != nullptr) std::memcpy(m.data, data, n);
    return m;
}

calllog_result_message make_calllog_result(std::uint8_t protocol_id, std::int32_t query_id) {
    calllog_result_message m;
    std::memset(&m, 0, sizeof m);
    m.magic = MSG_CALLLOG_RESULT;
    m.protocol_minus_one = static_cast<std::uint8_t>(protocol_id - 1);
    m.query_id = query_id;
    return m;
}

} // namespace tarnlink
