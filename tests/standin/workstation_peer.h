// The workstation's end of the protocol, reduced to what the stand-in's tests need: send one
// command, read the device's datagrams split into messages.
#pragma once
#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/udp_endpoint.h"
#include "tarnlink/wire_format.h"
#include "tests/support/standin/standin_device.h"

namespace standin_test {

namespace wire = tarnlink;

struct Received {
    std::vector<std::uint8_t> datagram;
    plat::SocketAddress from;
    std::size_t messages() const { return wire::message_count(datagram.size()); }
    const std::uint8_t* message(std::size_t i) const { return wire::message_at(datagram.data(), i); }
};

class Workstation {
public:
    explicit Workstation(std::string ip = "127.0.0.1") : ip_(std::move(ip)) {
        ok_ = endpoint_.open(ip_, 0);
    }
    bool ok() const { return ok_; }
    plat::SocketAddress address() const {
        plat::SocketAddress a;
        plat::parse_ipv4(ip_, a.ip);
        a.port = endpoint_.local_port();
        return a;
    }
    void send(const wire::pc_command& c, const plat::SocketAddress& to) {
        endpoint_.send_to(&c, sizeof c, to);
    }
    void send_bytes(const std::vector<std::uint8_t>& b, const plat::SocketAddress& to) {
        endpoint_.send_to(b.data(), b.size(), to);
    }
    std::optional<Received> receive(int timeout_ms = 2000) {
        Received r;
        r.datagram.resize(16384);
        const int n = endpoint_.receive_from(r.datagram.data(), r.datagram.size(), r.from, timeout_ms);
        if (n < 0) return std::nullopt;
        r.datagram.resize(std::size_t(n));
        return r;
    }
    // The next response (skipping file data and call-log results), or nothing in time.
    std::optional<wire::device_response> response(int timeout_ms = 2000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        while (std::chrono::steady_clock::now() < end) {
            const int left = int(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     end - std::chrono::steady_clock::now()).count());
            auto r = receive(left > 0 ? left : 1);
            if (!r) return std::nullopt;
            for (std::size_t i = 0; i < r->messages(); ++i) {
                wire::device_response rsp;
                if (wire::parse_response(r->message(i), wire::WireSizes::message, rsp)) return rsp;
            }
        }
        return std::nullopt;
    }
    // Everything that arrives within `quiet_ms` of silence, at most `limit` datagrams.
    std::vector<Received> drain(int quiet_ms = 200, std::size_t limit = 100000) {
        std::vector<Received> out;
        while (out.size() < limit) {
            auto r = receive(quiet_ms);
            if (!r) break;
            out.push_back(std::move(*r));
        }
        return out;
    }

private:
    plat::NetworkStartup network_;
    plat::UdpEndpoint endpoint_;
    std::string ip_;
    bool ok_ = false;
};

// Polls `condition` for up to `timeout_ms`: the device handles a command a moment after it
// was sent.
template <typename Condition>
bool eventually(Condition condition, int timeout_ms = 2000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

inline wire::pc_command login(const char* user = "pelum", const char* password = "pelum",
                              int window = 100, std::uint8_t kind = 7, std::uint8_t protocol = 1) {
    return wire::build_login(protocol, kind, window, user, password);
}

}  // namespace standin_test
