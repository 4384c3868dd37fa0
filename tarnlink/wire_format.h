// The device protocol's records, codes, framing, command builders and message parsers.
//
// Everything here is a pure function of its arguments (no library state), so that both ends
// of the protocol share one declaration of each record:
//   - the workstation side uses the command builders (build_*) and the message parsers
//     (message_count, message_at, message_magic, parse_response, parse_file_data,
//     parse_calllog_result);
//   - the device side (the stand-in device used by the tests and tools) uses parse_command,
//     command_text, window_ack_missing and the message makers (make_response,
//     make_file_data, make_calllog_result) - and may use the rest.
//
// Both targets are little-endian x86-64, so records are copied whole with memcpy after the
// length has been checked; the static_asserts below pin every size and offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the wire records are copied whole and are little-endian");

namespace tarnlink {

// ---- sizes -------------------------------------------------------------------------------
struct WireSizes {
    static constexpr std::size_t command = 120;           // one pc_command per datagram
    static constexpr std::size_t command_payload = 96;
    static constexpr std::size_t message = 1044;          // one device_message
    static constexpr std::size_t max_messages = 8;        // per datagram
    static constexpr std::size_t max_datagram = message * max_messages; // 8352
    static constexpr std::size_t response_data = 1012;
    static constexpr std::size_t file_packet = 1024;      // bytes of the file per packet
    static constexpr std::size_t calllog_records = 3;     // per call-log result message
    static constexpr std::size_t calllog_record_stride = 340;
    static constexpr std::size_t calllog_record = 330;    // bytes decoded of each record
    static constexpr std::size_t max_missing_listed = 48; // per window acknowledgement
    static constexpr std::size_t max_window = 100;        // packets per window
};

// ---- magics and codes --------------------------------------------------------------------
constexpr std::uint32_t PC_COMMAND_MAGIC = 0x12341234u;
constexpr std::uint32_t MSG_RESPONSE_MAGIC = 0x56785678u;
constexpr std::uint32_t MSG_FILE_DATA = 0x56787856u;
constexpr std::uint32_t MSG_CALLLOG_RESULT = 0x11112222u;

enum PcCommandCode : std::uint8_t {
    PC_CMD_LOGIN = 101,
    PC_CMD_LOGOUT = 102,
    PC_CMD_HEARTBEAT = 103,
    PC_CMD_QUERY_NEWFILE = 111,
    PC_CMD_REQUEST_FILE = 112,
    PC_CMD_STOP_FILE = 113,
    PC_CMD_END_ACK = 114,
    PC_CMD_WINDOW_ACK = 115,
    PC_CMD_SKIP_FILE = 116,
    PC_CMD_QUERY_CALLLOG = 117,
    PC_CMD_STOP_QUERY = 118,
    PC_CMD_SET_PARAM = 151,
    PC_CMD_DELETE_CALLLOG = 152,
    PC_CMD_SET_COMMENT = 153,
    PC_CMD_READ_PARAM = 154,
};

enum DeviceResponseType : std::uint8_t {
    DEV_RSP_LOGIN_ACK = 1,
    DEV_RSP_LOGOUT = 2,
    DEV_RSP_HEART_ACK = 3,
    DEV_RSP_PC_TIMEOUT = 4,
    DEV_RSP_NEWFILE = 5,
    DEV_RSP_REQUEST_ACK = 6,
    DEV_RSP_TRANSFER_END = 7,
    DEV_RSP_WINDOW_END = 8,
    DEV_RSP_QUERY_END = 9,
    DEV_RSP_SETPARAM_ACK = 10,
    DEV_RSP_DELETE_ACK = 11,
    DEV_RSP_COMMENT_ACK = 12,
    DEV_RSP_PARAM = 13,
    DEV_RSP_CONNREQ = 14,
    DEV_RSP_CLOSE = 15,
};

// Subtypes of PC_CMD_SET_PARAM (p2) and kinds of PC_CMD_READ_PARAM (p2) / DEV_RSP_PARAM (byte 7).
enum SetParamSubtype : std::int32_t {
    SETPARAM_CHAN_NAME = 1,   // 30 bytes
    SETPARAM_CHAN_TEXT = 2,   // 20 bytes
    SETPARAM_CHAN_VALUE = 3,  // value in p1
    SETPARAM_CLOCK = 4,       // 19-character "yyyy-MM-dd HH:mm:ss"
    SETPARAM_SUBTYPE100 = 100,
};
enum ParamKind : std::int32_t { PARAM_KIND_DEVICE_TEXT = 1, PARAM_KIND_CHANNEL = 2 };

// Lengths of the text fields inside commands and messages.
struct WireFields {
    static constexpr std::size_t login_user = 16;        // at most 15 bytes, then NUL
    static constexpr std::size_t login_password = 16;
    static constexpr std::size_t request_name = 30;      // first 30 bytes, no NUL needed
    static constexpr std::size_t request_tag = 8;
    static constexpr std::size_t skip_name_limit = 96;   // a name this long or longer is left out
    static constexpr std::size_t calllog_name = 50;
    static constexpr std::size_t calllog_comment = 30;
    static constexpr std::size_t chan_name = 30;
    static constexpr std::size_t chan_text = 20;
    static constexpr std::size_t clock_text = 19;
    static constexpr std::size_t device_id = 20;          // login answer, data offset 0
    static constexpr std::size_t newfile_name = 50;       // new-file answer, data offset 0
    static constexpr std::size_t newfile_date = 8;        // new-file answer, data offset 50
    static constexpr std::size_t device_text = 20;        // parameter answer kind 1
    static constexpr std::size_t connreq_serial = 32;     // text field of a connection request
};

// Offsets inside the payload of a command (command offset minus 24).
struct PayloadOffsets {
    static constexpr std::size_t login_user = 0;          // command offset 24
    static constexpr std::size_t login_password = 16;     // command offset 40
    static constexpr std::size_t request_name = 0;        // command offset 24
    static constexpr std::size_t request_tag = 40;        // command offset 64
    static constexpr std::size_t calllog_name = 0;        // command offset 24
    static constexpr std::size_t calllog_comment = 60;    // command offset 84
};

// Offsets inside the data area of a response (message offset minus 32).
struct ResponseDataOffsets {
    static constexpr std::size_t login_device_id = 0;     // message offset 32
    static constexpr std::size_t login_byte_a = 20;       // message offset 52
    static constexpr std::size_t login_byte_b = 21;       // message offset 53
    static constexpr std::size_t newfile_name = 0;        // message offset 32
    static constexpr std::size_t newfile_date = 50;       // message offset 82
    static constexpr std::size_t param_text = 0;          // message offset 32
    static constexpr std::size_t param_chan_text = 30;    // message offset 62
    static constexpr std::size_t connreq_serial = 0;      // message offset 32
};

// ---- records -----------------------------------------------------------------------------
struct pc_command {
    std::uint32_t magic;
    std::uint8_t code;
    std::uint8_t a;
    std::uint8_t protocol_id;
    std::uint8_t b;
    std::int32_t p1;
    std::int32_t p2;
    std::int32_t p3;
    std::int32_t p4;
    std::uint8_t payload[WireSizes::command_payload];
};
static_assert(sizeof(pc_command) == WireSizes::command);
static_assert(offsetof(pc_command, code) == 4);
static_assert(offsetof(pc_command, a) == 5);
static_assert(offsetof(pc_command, protocol_id) == 6);
static_assert(offsetof(pc_command, b) == 7);
static_assert(offsetof(pc_command, p1) == 8);
static_assert(offsetof(pc_command, p2) == 12);
static_assert(offsetof(pc_command, p3) == 16);
static_assert(offsetof(pc_command, p4) == 20);
static_assert(offsetof(pc_command, payload) == 24);

// A response (magic MSG_RESPONSE_MAGIC).
struct device_response {
    std::uint32_t magic;
    std::uint8_t type;
    std::uint8_t byte5;
    std::uint8_t byte6;
    std::uint8_t byte7;
    std::int32_t value8;
    std::int32_t seq;
    std::int32_t value16;
    std::int32_t value20;
    std::int32_t value24;
    std::int32_t unused28;
    std::uint8_t data[WireSizes::response_data];
};
static_assert(sizeof(device_response) == WireSizes::message);
static_assert(offsetof(device_response, type) == 4);
static_assert(offsetof(device_response, byte5) == 5);
static_assert(offsetof(device_response, byte6) == 6);
static_assert(offsetof(device_response, byte7) == 7);
static_assert(offsetof(device_response, value8) == 8);
static_assert(offsetof(device_response, seq) == 12);
static_assert(offsetof(device_response, value16) == 16);
static_assert(offsetof(device_response, value20) == 20);
static_assert(offsetof(device_response, value24) == 24);
static_assert(offsetof(device_response, data) == 32);

// One packet of file data (magic MSG_FILE_DATA).
struct file_data_message {
    std::uint32_t magic;
    std::uint32_t unused4;
    std::int32_t packet_index;   // position in the file in units of 1024 bytes
    std::int32_t length;         // peer value: clamp before use
    std::int32_t transfer_id;
    std::uint8_t data[WireSizes::file_packet];
};
static_assert(sizeof(file_data_message) == WireSizes::message);
static_assert(offsetof(file_data_message, packet_index) == 8);
static_assert(offsetof(file_data_message, length) == 12);
static_assert(offsetof(file_data_message, transfer_id) == 16);
static_assert(offsetof(file_data_message, data) == 20);

// Up to three call records of a call-log query (magic MSG_CALLLOG_RESULT).
struct calllog_result_message {
    std::uint32_t magic;
    std::uint8_t unused4;
    std::uint8_t protocol_minus_one;
    std::uint8_t record_count;   // peer value: at most 3 are used
    std::uint8_t unused7[9];
    std::int32_t query_id;
    std::uint8_t records[WireSizes::calllog_records][WireSizes::calllog_record_stride];
    std::uint8_t unused1040[4];
};
static_assert(sizeof(calllog_result_message) == WireSizes::message);
static_assert(offsetof(calllog_result_message, protocol_minus_one) == 5);
static_assert(offsetof(calllog_result_message, record_count) == 6);
static_assert(offsetof(calllog_result_message, query_id) == 16);
static_assert(offsetof(calllog_result_message, records) == 20);
static_assert(offsetof(calllog_result_message, unused1040) == 1040);

// ---- framing -----------------------------------------------------------------------------
// Whole messages in a datagram of `length` bytes: at most 8; a tail shorter than one message
// is ignored, and so is a datagram shorter than one message.
constexpr std::size_t message_count(std::size_t length) {
    const std::size_t n = length / WireSizes::message;
    return n < WireSizes::max_messages ? n : WireSizes::max_messages;
}
// The start of message `index`; the caller keeps index below message_count(length).
inline const std::uint8_t* message_at(const std::uint8_t* datagram, std::size_t index) {
    return datagram + index * WireSizes::message;
}
// The magic of a message of at least 4 bytes.
inline std::uint32_t message_magic(const std::uint8_t* message) {
    std::uint32_t magic;
    std::memcpy(&magic, message, sizeof magic);
    return magic;
}

// ---- parsers (bounds checked; false when the bytes are not that record) ------------------
bool parse_response(const std::uint8_t* bytes, std::size_t length, device_response& out);
bool parse_file_data(const std::uint8_t* bytes, std::size_t length, file_data_message& out);
bool parse_calllog_result(const std::uint8_t* bytes, std::size_t length,
                          calllog_result_message& out);
// A command datagram: at least 120 bytes with the command magic.
bool parse_command(const std::uint8_t* bytes, std::size_t length, pc_command& out);

// A text field of a record: the bytes up to the first NUL, at most `size` bytes.
std::string field_string(const std::uint8_t* field, std::size_t size);
// A text field of a command's payload.
std::string command_text(const pc_command& command, std::size_t payload_offset,
                         std::size_t size);
// The window offsets listed by a PC_CMD_WINDOW_ACK (at most 48, as byte B says).
std::vector<int> window_ack_missing(const pc_command& command);

// ---- command builders (workstation side) -------------------------------------------------
// Texts are GBK bytes; each is cut to its field as the protocol says. `protocol_id` is the
// device's protocol id byte. Every field that a command does not use is 0.
pc_command build_login(std::uint8_t protocol_id, std::uint8_t client_kind,
                       std::int32_t packets_per_window, std::string_view user,
                       std::string_view password);
pc_command build_logout(std::uint8_t protocol_id);
pc_command build_heartbeat(std::uint8_t protocol_id);
pc_command build_query_newfile(std::uint8_t protocol_id, std::int32_t value);
// `tag` is used only when `no_tag` is 0; at most 8 bytes of it are sent.
pc_command build_request_file(std::uint8_t protocol_id, std::int32_t transfer_id, bool no_tag,
                              std::int32_t file_size, std::int32_t window_base,
                              std::int32_t db_index, std::string_view device_file_name,
                              std::string_view tag);
pc_command build_stop_file(std::uint8_t protocol_id, std::int32_t transfer_id);
pc_command build_end_ack(std::uint8_t protocol_id, std::int32_t value8);
// `missing` holds window offsets (0..99) in rising order; at most 48 are sent.
pc_command build_window_ack(std::uint8_t protocol_id, std::int32_t value8,
                            std::int32_t window_base, const int* missing, std::size_t count);
pc_command build_skip_file(std::uint8_t protocol_id, std::int32_t transfer_id,
                           std::int32_t db_index, std::string_view device_file_name);
// `conditions` is the 96-byte part of the encoded condition area.
pc_command build_query_calllog(std::uint8_t protocol_id, std::uint8_t client_kind,
                               std::int32_t query_id, std::int32_t parts, std::int32_t part,
                               const std::uint8_t (&conditions)[WireSizes::command_payload]);
pc_command build_stop_query(std::uint8_t protocol_id, std::uint8_t client_kind);
// Subtype 1 sends 30 bytes of `data`, 2 sends 20, 4 sends 19; 3 sends `value` in p1; 100
// sends nothing. `data` must hold that many bytes (it may be null for 3 and 100).
pc_command build_set_param(std::uint8_t protocol_id, std::uint8_t b, std::int32_t subtype,
                           std::int32_t value, const void* data);
pc_command build_read_param(std::uint8_t protocol_id, std::uint8_t b, std::int32_t kind);
// `all` = true deletes every entry and sends no name.
pc_command build_delete_calllog(std::uint8_t protocol_id, bool all, std::int32_t a,
                                std::int32_t b, std::string_view name);
pc_command build_set_comment(std::uint8_t protocol_id, std::int32_t a, std::int32_t b,
                             std::string_view name, std::string_view comment);

// ---- message makers (device side) --------------------------------------------------------
// A zero-filled response of `type` with sequence number `seq`.
device_response make_response(std::uint8_t type, std::int32_t seq);
// A packet of file data; `length` bytes of `data` are copied (at most 1024), `length` itself
// is sent as given so that a device can send a bad length on purpose.
file_data_message make_file_data(std::int32_t transfer_id, std::int32_t packet_index,
                                 const void* data, std::int32_t length);
// An empty call-log result for `query_id`; the caller fills the records and their count.
calllog_result_message make_calllog_result(std::uint8_t protocol_id, std::int32_t query_id);

// Copies `text` into a fixed field of `size` bytes: at most `size` bytes, the rest zero.
void put_field(std::uint8_t* field, std::size_t size, std::string_view text);

} // namespace tarnlink
