// A stand-in recording device for tests: it speaks the device side of the transfer protocol
// over real UDP sockets (loopback, or a network namespace a test made) and logs every command
// it receives. One Device is one device with its own socket, state and thread. It refuses to
// send anywhere but to loopback and to the addresses its configuration allows.
//
// Timing inside the device (announce period, wait before a window, re-sends) runs on the
// process's steady clock, never on plat::tick_ms(), so a test may freeze or jump the library's
// tick clock without stalling the device. Each logged command still records plat::tick_ms().
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/udp_endpoint.h"

namespace standin {

enum class Role {
    Listen,    // waits for the workstation's login on its own address and port
    Announce,  // sends connection requests with its serial until a login arrives
};

// One channel as reported by the parameter read (kind 2).
struct ChannelInfo {
    std::int32_t value = 0;
    std::string name;  // GBK, at most 30 bytes on the wire
    std::string text;  // GBK, at most 20 bytes on the wire
};

// A recording as the new-file answer offers it. `name` and `date` are the wire bytes exactly
// (GBK, not cleaned), so a test can offer forbidden characters or a bad date.
struct Recording {
    std::string name;                    // at most 50 bytes are sent
    std::string date;                    // at most 8 bytes are sent; "" = empty date
    std::int32_t db_index = 0;
    std::vector<std::uint8_t> content;   // the file's bytes
};

// One entry of the device's own call log: a 330-byte raw call record (see recording_files.h).
struct CallLogEntry {
    std::vector<std::uint8_t> record;
};

struct DeviceConfig {
    std::string label = "dev";                 // shown in the program's log lines
    Role role = Role::Listen;
    std::string bind_ip = "127.0.0.1";         // loopback or an address of the test's namespace
    std::uint16_t port = 0;                    // 0 = any free port (see Device::port())
    // The device sends to loopback, to its own address, to the sources of what reached its
    // loopback socket, and beyond that only to these addresses (inside a network namespace
    // the test made).
    std::vector<std::string> allowed_destinations;

    // Announce role: where the connection requests go and how often.
    std::string serial = "SN0001";             // at most 31 bytes
    plat::SocketAddress announce_to;           // the library's shared socket
    std::uint32_t announce_interval_ms = 1000;

    // Login.
    std::string user = "pelum";
    std::string password = "pelum";
    std::uint8_t channel_count = 8;
    std::string device_id = "STANDIN-0001";    // 20 bytes at offset 32 of the login answer
    std::uint8_t login_byte52 = 0x12;
    std::uint8_t login_byte53 = 0x34;
    bool answer_logout = false;                // answer a logout with type 2
    std::uint32_t watchdog_ms = 0;             // > 0: send type 4 once heartbeats stop this long
    std::uint32_t session_idle_ms = 6000;      // a session with no command this long is over
    std::uint32_t first_sequence = 1;

    // Parameters.
    std::string device_text = "STANDIN DEVICE";   // at most 20 bytes
    std::vector<ChannelInfo> channels;            // empty: channel_count entries are made up

    // Download.
    std::vector<Recording> recordings;            // offered in this order, one by one
    std::uint32_t window_wait_ms = 100;           // pause after accepting a request
    int messages_per_datagram = 1;                // 1..8 file data messages in one datagram
    std::uint32_t window_end_resend_ms = 1000;    // re-send a window end without an answer
    std::uint32_t transfer_end_resend_ms = 500;   // re-send the transfer end until answered
    int max_resends = 20;                         // bounds both re-send loops
    // > 0: the device's own window, smaller than the workstation's. It ends its windows after
    // this many packets, sends whatever packets an acknowledgement lists (counted from the
    // acknowledgement's base) and moves on by its own window at any acknowledgement that
    // lists none.
    int window_packets = 0;

    // Call log. A query's condition items mean, on this device: 1 call type range, 2 start
    // date-time range ("yyyyMMddhhmmss" texts, an empty end is open), 4 caller, 5 dialled,
    // 6 line, 7 agent, 8 call session number (text prefixes), 9 channel, 10 duration range,
    // 11 rings range; item 3 matches everything.
    std::vector<CallLogEntry> call_log;
    std::uint32_t query_message_gap_ms = 1;       // pause between call-log result messages
};

constexpr int kAlways = -1;

// What a fault rule does; see the FaultRule constructors for each one's parameters.
enum class Fault {
    DropResponse, DuplicateResponse, JumpSequence, RestartSequence,
    SilenceAll, SilenceHeartbeats, RefuseLogin,
    DropDataPacket, DropDataFraction, DuplicateWindow, ReverseWindow, ShuffleWindow,
    EarlyWindowEnd, SilenceAfterWindow, RefuseRequest, TransferEndFailure, WrongTransferId,
    PacketOutsideWindow, PacketPastEnd, DataLength,
    SilenceDuringQuery,
};

// A fault applies `times` times (kAlways: for ever) and then retires.
struct FaultRule {
    Fault fault = Fault::DropResponse;
    int times = 1;
    int a = -1, b = -1, c = -1;   // where it applies (offset, window, attempt); -1 = any
    int value = 0;                // amount, cause, length or count, per fault
    double fraction = 0;
    std::uint32_t seed = 1;

    // Session.
    static FaultRule drop_response(int type, int times = 1);        // type -1 = any
    static FaultRule duplicate_response(int type, int times = 1);   // sent twice, same number
    static FaultRule jump_sequence(int amount, int times = 1);      // next number + amount
    static FaultRule restart_sequence(int value, int times = 1);    // next number := value
    static FaultRule silence(int times = kAlways);                  // per command not answered
    static FaultRule silence_heartbeats(int times = kAlways);
    static FaultRule refuse_login(int cause, int times = 1);        // 2, 3, 4, 6 or any value
    // Download: windows are counted from 0 per transfer, attempts from 0 per window.
    static FaultRule drop_data_packet(int offset, int window = -1, int attempt = 0,
                                      int times = 1);
    static FaultRule drop_data_fraction(double fraction, std::uint32_t seed,
                                        int times = kAlways);       // first sends only
    static FaultRule duplicate_window(int window = -1, int times = 1);
    static FaultRule reverse_window(int window = -1, int times = 1);
    static FaultRule shuffle_window(std::uint32_t seed, int window = -1, int times = 1);
    // The window end goes out before the last `held_back` packets of the window.
    static FaultRule early_window_end(int held_back, int window = -1, int times = 1);
    static FaultRule silence_after_window(int window, int times = 1);
    static FaultRule refuse_request(int times = 1);
    static FaultRule transfer_end_failure(int times = 1);
    // The first packet of the window carries a transfer id off by `delta` (e.g. 256).
    static FaultRule wrong_transfer_id(int delta, int window = -1, int times = 1);
    static FaultRule packet_outside_window(int window = -1, int times = 1); // index base + W
    static FaultRule packet_past_end(int times = 1);    // an extra packet after the last one
    // Every data packet of the window states `length` (e.g. 1100 or -5) in its length field.
    static FaultRule data_length(int length, int window = -1, int times = 1);
    // Call log.
    static FaultRule silence_during_query(int times = 1);
};

// One command as received. Fields are parsed whatever the size; `well_formed` says whether the
// datagram was exactly 120 bytes with the command magic.
struct ReceivedCommand {
    std::uint64_t at_ms = 0;       // steady milliseconds since the device started
    std::uint32_t tick = 0;        // plat::tick_ms() at arrival
    plat::SocketAddress from;
    std::size_t size = 0;
    bool well_formed = false;
    std::uint32_t magic = 0;
    std::uint8_t code = 0, a = 0, protocol = 0, b = 0;
    std::int32_t p1 = 0, p2 = 0, p3 = 0, p4 = 0;
    std::array<std::uint8_t, 96> payload{};   // command bytes 24..119

    // The text at payload offset `offset` (0 = command byte 24), up to a NUL or `length` bytes.
    std::string payload_text(std::size_t offset, std::size_t length) const;
};

// One message the device sent.
struct SentMessage {
    std::uint64_t at_ms = 0;
    plat::SocketAddress to;
    std::uint32_t magic = 0;
    int type = -1;                 // response type; -1 for file data and call-log results
    std::uint32_t sequence = 0;    // responses only
    std::int32_t index = 0;        // file data: packet index
};

struct SessionInfo {
    bool logged_in = false;
    int logins = 0;                // successful logins so far
    std::uint8_t client_kind = 0;  // byte A of the last login
    std::uint8_t protocol = 0;     // protocol id of the last login
    int packets_per_window = 100;  // adopted from the last login
    plat::SocketAddress peer;      // source of the last login
    std::uint32_t next_sequence = 0;
};

// Parameters the workstation has set (command 151).
struct ParamState {
    std::string clock_text;                 // subtype 4, the 19 characters
    std::string channel_name[2];            // subtype 1 for b = 0, 1 (30 bytes as sent)
    std::string channel_text[2];            // subtype 2 (20 bytes as sent)
    std::int32_t channel_value[2] = {0, 0}; // subtype 3
    int subtype100_count = 0;
};

struct TransferRecord {
    std::string name;              // the requested name as sent
    std::uint8_t transfer_id = 0;
    std::int32_t first_packet = 0; // p2 of the request
    bool accepted = false;
    bool finished = false;         // transfer end acknowledged
    bool success = false;          // the transfer end reported success
    int windows = 0;               // windows completed
};

class Device {
public:
    explicit Device(DeviceConfig config);
    ~Device();                      // stops
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    bool start();                   // binds and starts the thread; false when the bind fails
    void stop();                    // bounded: the thread ends within a few milliseconds
    bool running() const;
    std::uint16_t port() const;     // the bound port
    plat::SocketAddress address() const;

    // Changes the configuration while running (taken by the device thread at once).
    void update_config(const std::function<void(DeviceConfig&)>& change);
    DeviceConfig config() const;

    void add_fault(const FaultRule& rule);
    void clear_faults();

    // Unprompted sends, from the device's socket, executed by the device thread.
    void send_response(int type, std::int32_t value8 = 0);   // 2, 4, 15 or any type
    void send_connection_request(const std::string& serial, int count = 1);
    // Raw bytes to `to`, or to the session's peer when `to` is not given.
    void send_raw(std::vector<std::uint8_t> bytes,
                  std::optional<plat::SocketAddress> to = std::nullopt);

    // Log of received commands.
    std::vector<ReceivedCommand> commands() const;
    std::vector<ReceivedCommand> commands(int code) const;
    std::size_t count(int code) const;
    // Waits until at least `n` commands with `code` were received; returns the n-th.
    std::optional<ReceivedCommand> wait_for(int code, std::uint32_t timeout_ms,
                                            std::size_t n = 1) const;
    std::vector<SentMessage> sent() const;
    void clear_log();
    // Sends refused because the destination was not allowed (see allowed_destinations).
    std::uint32_t refused_sends() const;

    SessionInfo session() const;
    ParamState params() const;
    std::vector<TransferRecord> transfers() const;
    std::vector<CallLogEntry> call_log() const;
    std::size_t recordings_left() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Datagrams that are not whole messages or carry unknown content, for the receive paths.
enum class Malformed {
    Short1043,        // one byte short of a message
    Long1500,         // one response followed by 456 stray bytes
    Double2088,       // a heartbeat answer followed by a file data message
    Oversize,         // more than 8352 bytes: nine heartbeat answers
    BadMagic,         // a whole message with an unknown magic
    UnknownType,      // a response of type 99
};
// `sequence` numbers the responses inside (each takes the next number from it).
std::vector<std::uint8_t> make_malformed(Malformed kind, std::uint32_t sequence);

} // namespace standin
