// The inside of one stand-in device: its state, shared between the device thread and the
// test's accessors under one lock.
#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "platform/udp_endpoint.h"
#include "tarnlink/wire_format.h"
#include "tests/support/standin/fault_book.h"
#include "tests/support/standin/standin_device.h"

namespace standin {

using SteadyClock = std::chrono::steady_clock;
namespace wire = tarnlink;

struct Device::Impl {
    explicit Impl(DeviceConfig c) : cfg(std::move(c)) {}

    // ---- shared under `mu` ----
    mutable std::mutex mu;
    mutable std::condition_variable changed;
    DeviceConfig cfg;
    FaultBook faults;
    std::vector<ReceivedCommand> received;
    std::vector<SentMessage> sent_log;
    SessionInfo session;
    ParamState params;
    std::vector<TransferRecord> transfer_log;
    std::vector<bool> recording_done;
    std::deque<std::function<void()>> actions;   // unprompted sends, run by the device thread

    // ---- device thread only (and under `mu` while it handles something) ----
    plat::NetworkStartup network;
    plat::UdpEndpoint endpoint;
    std::thread thread;
    std::atomic<bool> stopping{false};
    SteadyClock::time_point started = SteadyClock::now();
    std::uint16_t bound_port = 0;
    std::uint32_t bound_ip = 0;   // 0 when bound to any address
    std::uint32_t next_sequence = 1;
    bool silent_now = false;            // the command being handled is not answered
    SteadyClock::time_point last_command{};
    SteadyClock::time_point last_heartbeat{};
    SteadyClock::time_point next_announce{};
    std::uint32_t announcements = 0;
    std::set<std::uint32_t> heard_from;   // sources of datagrams to a loopback socket
    std::uint32_t refused_sends = 0;

    // The download in progress.
    enum class Phase { None, WaitStart, AwaitWindowAck, AwaitEndAck, Silent };
    struct Transfer {
        Phase phase = Phase::None;
        std::size_t recording = 0;
        std::uint8_t id = 0;
        std::int32_t packets = 0;        // ceil(size / 1024)
        std::int32_t base = 0;
        int window_size = 100;
        int window_no = 0;
        int attempt = 0;
        int resends = 0;
        bool success = true;
        std::int32_t token = 0;           // value 8 of the window and transfer ends
        std::size_t log_index = 0;
        plat::SocketAddress peer;
        SteadyClock::time_point deadline{};
        SeededRandom loss{1};
    } transfer;

    // The call-log query in progress.
    struct Query {
        bool running = false;
        std::uint8_t id = 0;
        std::int32_t parts = 0;
        std::map<std::int32_t, std::array<std::uint8_t, wire::WireSizes::command_payload>> got;
        std::vector<std::size_t> matches;   // indexes into cfg.call_log
        std::size_t sent = 0;
        plat::SocketAddress peer;
        SteadyClock::time_point next_send{};
    } query;

    // ---- device.cpp ----
    void run();
    void handle_datagram(const std::uint8_t* bytes, std::size_t size,
                         const plat::SocketAddress& from);
    void handle_command(const wire::pc_command& c, const plat::SocketAddress& from);
    void on_timers(SteadyClock::time_point now);
    std::uint64_t ms_since_start(SteadyClock::time_point t) const;
    // Sends a response with the next sequence number, through the response faults.
    void send_response(wire::device_response r, const plat::SocketAddress& to);
    void send_bytes(const void* bytes, std::size_t size, const plat::SocketAddress& to,
                    const SentMessage& entry);
    void send_connreq(const std::string& serial, const plat::SocketAddress& to);
    bool may_send_to(std::uint32_t ip);
    void on_login(const wire::pc_command& c, const plat::SocketAddress& from);
    void on_set_param(const wire::pc_command& c, const plat::SocketAddress& from);
    void on_read_param(const wire::pc_command& c, const plat::SocketAddress& from);
    void end_session();

    // ---- device_transfer.cpp ----
    void on_query_newfile(const wire::pc_command& c, const plat::SocketAddress& from);
    void on_request_file(const wire::pc_command& c, const plat::SocketAddress& from);
    void on_window_ack(const wire::pc_command& c);
    void on_end_ack();
    void on_stop_file();
    void on_skip_file(const wire::pc_command& c);
    void transfer_timers(SteadyClock::time_point now);
    void send_window(SteadyClock::time_point now);
    void send_packets(const std::vector<std::int32_t>& indexes, bool first_send);
    void send_window_end(SteadyClock::time_point now);
    void send_transfer_end(SteadyClock::time_point now);
    void abandon_transfer();
    std::size_t next_recording() const;

    // ---- device_calllog.cpp ----
    void on_query_calllog(const wire::pc_command& c, const plat::SocketAddress& from);
    void on_stop_query();
    void on_delete_calllog(const wire::pc_command& c, const plat::SocketAddress& from);
    void on_set_comment(const wire::pc_command& c, const plat::SocketAddress& from);
    void query_timers(SteadyClock::time_point now);
};

}  // namespace standin
