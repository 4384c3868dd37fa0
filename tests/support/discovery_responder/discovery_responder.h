// A stand-in for the recording devices' discovery side: one socket, N emulated devices that
// answer probes and set-address commands, with knobs for the faults a real network shows and
// a log of every datagram received. Test support.
#pragma once
#include <cstddef>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/udp_endpoint.h"

namespace kesto_test {

struct EmulatedDevice {
    std::uint8_t ip[4];
    std::uint8_t mask[4];
    std::uint8_t gateway[4];
    std::uint8_t mac[6];
    std::string serial;    // up to 16 bytes
    std::string firmware;  // up to 6 bytes
};

// The devices a responder starts with: device i has 192.168.1.(101 + i), MAC
// 00-1a-2b-3c-4d-(i + 1), serial "DV4-00000000000n" (4 lines) and firmware "V2.1.7".
std::vector<EmulatedDevice> default_devices(int count);

struct ResponderOptions {
    std::string bind_ip = "0.0.0.0";
    std::uint16_t port = 6000;          // 0: any free port (see DiscoveryResponder::port)
    int devices = 3;                    // 1..250
    int copies = 1;                     // answers per device and probe, 1..50 (duplicates)
    std::uint32_t delay_ms = 0;         // late answers: they leave this long after the probe
    bool wrong_token = false;           // answer with a token the probe did not carry
    int reply_length = 64;              // 0..1000; other than 64 is a wrong length
    bool bad_magic = false;
    int kind = 1;                       // the kind byte of probe answers
    int result_code = 0;                // 0: decided by the login; otherwise always this code
    bool non_digit_lines = false;       // serial's third byte 'X'
    bool empty_datagram_first = false;  // a zero-length datagram before every batch of answers
    std::string user_name = "pelum";
    std::string password = "pelum";
    bool answer_non_loopback = false;   // only for peers in a network namespace the test made
    std::size_t max_datagrams_sent = 20000;  // bound on everything it ever sends
};

struct LoggedDatagram {
    plat::SocketAddress from;
    std::vector<std::uint8_t> bytes;
};

class DiscoveryResponder {
public:
    explicit DiscoveryResponder(ResponderOptions options);
    ~DiscoveryResponder();
    DiscoveryResponder(const DiscoveryResponder&) = delete;
    DiscoveryResponder& operator=(const DiscoveryResponder&) = delete;

    // Binds and starts answering on a thread; false when the socket could not be bound.
    bool start();
    void stop();
    std::uint16_t port() const { return port_; }

    // Copies, safe while it runs.
    std::vector<LoggedDatagram> log() const;
    std::vector<EmulatedDevice> devices() const;
    std::size_t datagrams_sent() const;
    // true once at least `count` datagrams were received.
    bool wait_for_received(std::size_t count, std::int64_t timeout_ms) const;
    // true once at least `count` datagrams were sent.
    bool wait_for_sent(std::size_t count, std::int64_t timeout_ms) const;

private:
    struct Pending {
        std::uint32_t due_tick;
        plat::SocketAddress to;
        std::vector<std::uint8_t> bytes;
    };

    void run();
    void handle(const plat::SocketAddress& from, const std::uint8_t* data, std::size_t size);
    void answer_probe(const plat::SocketAddress& from, std::uint8_t token);
    void answer_set_address(const plat::SocketAddress& from, const std::uint8_t* data);
    std::vector<std::uint8_t> reply_bytes(std::uint8_t kind, std::uint8_t token, const EmulatedDevice* device,
                                          std::uint8_t code) const;
    void queue(const plat::SocketAddress& to, std::vector<std::uint8_t> bytes);
    void send_due();
    bool wait_until(const std::function<bool()>& done, std::int64_t timeout_ms) const;

    ResponderOptions options_;
    plat::UdpEndpoint endpoint_;
    std::uint16_t port_ = 0;
    std::thread thread_;
    bool stop_ = false;  // guarded by mutex_

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<EmulatedDevice> devices_;
    std::vector<LoggedDatagram> log_;
    std::vector<Pending> pending_;
    std::size_t sent_ = 0;
};

} // namespace kesto_test
