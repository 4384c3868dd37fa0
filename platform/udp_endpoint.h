// One UDP socket behind a seam with a Winsock and a POSIX side; errors are normalised here.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace plat {

struct SocketAddress {
    std::uint32_t ip = 0;    // host byte order
    std::uint16_t port = 0;
    std::string ip_text() const;
    bool operator==(const SocketAddress& o) const { return ip == o.ip && port == o.port; }
    bool operator!=(const SocketAddress& o) const { return !(*this == o); }
};

// Parses a dotted IPv4 text strictly (four decimal parts 0..255).
bool parse_ipv4(const std::string& text, std::uint32_t& ip);
std::string ipv4_text(std::uint32_t ip);
// Dotted text, or a host name resolved to its first IPv4 address.
bool resolve_ipv4(const std::string& host, std::uint32_t& ip);

// Starts the socket layer (WSAStartup 2.2 on Windows) for the life of the object.
class NetworkStartup {
public:
    NetworkStartup();
    ~NetworkStartup();
    NetworkStartup(const NetworkStartup&) = delete;
    NetworkStartup& operator=(const NetworkStartup&) = delete;
};

enum class UdpResult : int { Ok = 0, TimedOut = -2, Closed = -3, Error = -1 };

class UdpEndpoint {
public:
    UdpEndpoint() = default;
    ~UdpEndpoint();
    UdpEndpoint(const UdpEndpoint&) = delete;
    UdpEndpoint& operator=(const UdpEndpoint&) = delete;

    // Opens a datagram socket bound to `local_ip` ("" or "0.0.0.0" = any) and `port` (0 = any).
    // Receive buffer at least 1 MiB; on Windows ICMP port-unreachable reports are switched off.
    bool open(const std::string& local_ip, std::uint16_t port);
    bool is_open() const;
    bool set_broadcast(bool on);
    int receive_buffer_size() const;
    std::uint16_t local_port() const;

    // Bytes sent, or -1.
    int send_to(const void* data, std::size_t size, const SocketAddress& to);
    // Bytes received (0 for an empty datagram) into `buffer`, or a negative UdpResult.
    // `timeout_ms` < 0 blocks until a datagram arrives or the endpoint is shut down.
    int receive_from(void* buffer, std::size_t size, SocketAddress& from, int timeout_ms = -1);

    // Wakes every thread blocked in receive_from (they return Closed); close() releases it.
    void shutdown();
    void close();

private:
    std::atomic<std::intptr_t> socket_{-1};
    std::atomic<bool> shut_down_{false};
};

} // namespace plat
