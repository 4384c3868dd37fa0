#include "platform/udp_endpoint.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <mstcpip.h>
#ifndef SIO_UDP_CONNRESET
#define SIO_UDP_CONNRESET _WSAIOW(IOC_VENDOR, 12)
#endif
using socklen_t = int;
#else
#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace plat {
namespace {

constexpr int kReceiveBufferBytes = 1 << 20;

#ifdef _WIN32
using NativeSocket = SOCKET;
const std::intptr_t kNoSocket = static_cast<std::intptr_t>(INVALID_SOCKET);
void close_native(NativeSocket s) { closesocket(s); }
#else
using NativeSocket = int;
const std::intptr_t kNoSocket = -1;
void close_native(NativeSocket s) { ::close(s); }
#endif

NativeSocket native(std::intptr_t s) { return static_cast<NativeSocket>(s); }

sockaddr_in to_sockaddr(std::uint32_t ip, std::uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(ip);
    a.sin_port = htons(port);
    return a;
}

std::mutex g_startup_mutex;
int g_startup_count = 0;
} // namespace

std::string SocketAddress::ip_text() const { return ipv4_text(ip); }

std::string ipv4_text(std::uint32_t ip) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", (ip >> 24) & 255, (ip >> 16) & 255, (ip >> 8) & 255, ip & 255);
    return text;
}

bool parse_ipv4(const std::string& text, std::uint32_t& ip) {
    std::uint32_t value = 0;
    int parts = 0;
    std::size_t i = 0;
    while (parts < 4) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
        unsigned part = 0;
        int digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4) {
            part = part * 10 + static_cast<unsigned>(text[i++] - '0');
            ++digits;
        }
        if (digits > 3 || part > 255) return false;
        value = (value << 8) | part;
        if (++parts < 4) {
            if (i >= text.size() || text[i] != '.') return false;
            ++i;
        }
    }
    if (i != text.size()) return false;
    ip = value;
    return true;
}

bool resolve_ipv4(const std::string& host, std::uint32_t& ip) {
    if (parse_ipv4(host, ip)) return true;
    if (host.empty()) return false;
    NetworkStartup startup;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* result = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &result) != 0 || !result) return false;
    ip = ntohl(reinterpret_cast<sockaddr_in*>(result->ai_addr)->sin_addr.s_addr);
    freeaddrinfo(result);
    return true;
}

NetworkStartup::NetworkStartup() {
    std::lock_guard<std::mutex> lock(g_startup_mutex);
#ifdef _WIN32
    if (g_startup_count == 0) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
#endif
    ++g_startup_count;
}

NetworkStartup::~NetworkStartup() {
    std::lock_guard<std::mutex> lock(g_startup_mutex);
    --g_startup_count;
#ifdef _WIN32
    if (g_startup_count == 0) WSACleanup();
#endif
}

UdpEndpoint::~UdpEndpoint() { close(); }

bool UdpEndpoint::open(const std::string& local_ip, std::uint16_t port) {
    close();
    static NetworkStartup startup;  // the socket layer stays up while the process uses sockets
    std::uint32_t ip = 0;
    if (!local_ip.empty() && local_ip != "0.0.0.0" && !parse_ipv4(local_ip, ip)) return false;
    NativeSocket s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (static_cast<std::intptr_t>(s) == kNoSocket) return false;
#ifdef _WIN32
    // An ICMP port-unreachable must not make the next receive fail.
    BOOL report = FALSE;
    DWORD returned = 0;
    WSAIoctl(s, SIO_UDP_CONNRESET, &report, sizeof report, nullptr, 0, &returned, nullptr, nullptr);
#endif
    int size = kReceiveBufferBytes;
    setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
#ifdef SO_RCVBUFFORCE
    // The system's cap (rmem_max) can be below what a full window needs; root may pass it.
    setsockopt(s, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size);
#endif
    sockaddr_in a = to_sockaddr(ip, port);
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close_native(s);
        return false;
    }
    socket_ = static_cast<std::intptr_t>(s);
    shut_down_ = false;
    return true;
}

bool UdpEndpoint::is_open() const { return socket_ != kNoSocket; }

bool UdpEndpoint::set_broadcast(bool on) {
    int flag = on ? 1 : 0;
    return is_open() &&
           setsockopt(native(socket_), SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&flag), sizeof flag) == 0;
}

int UdpEndpoint::receive_buffer_size() const {
    int size = 0;
    socklen_t len = sizeof size;
    if (!is_open() || getsockopt(native(socket_), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&size), &len) != 0)
        return -1;
#ifndef _WIN32
    size /= 2;  // Linux reports twice the size asked for (its bookkeeping share)
#endif
    return size;
}

std::uint16_t UdpEndpoint::local_port() const {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    if (!is_open() || getsockname(native(socket_), reinterpret_cast<sockaddr*>(&a), &len) != 0) return 0;
    return ntohs(a.sin_port);
}

int UdpEndpoint::send_to(const void* data, std::size_t size, const SocketAddress& to) {
    if (!is_open()) return -1;
    sockaddr_in a = to_sockaddr(to.ip, to.port);
    auto n = ::sendto(native(socket_), static_cast<const char*>(data), static_cast<int>(size), 0,
                      reinterpret_cast<sockaddr*>(&a), sizeof a);
    return n < 0 ? -1 : static_cast<int>(n);
}

int UdpEndpoint::receive_from(void* buffer, std::size_t size, SocketAddress& from, int timeout_ms) {
    if (!is_open() || shut_down_) return static_cast<int>(UdpResult::Closed);
    NativeSocket s = native(socket_);
    if (timeout_ms >= 0) {
#ifdef _WIN32
        WSAPOLLFD p{s, POLLRDNORM, 0};
        int r = WSAPoll(&p, 1, timeout_ms);
#else
        pollfd p{s, POLLIN, 0};
        int r = ::poll(&p, 1, timeout_ms);
#endif
        if (shut_down_) return static_cast<int>(UdpResult::Closed);
        if (r == 0) return static_cast<int>(UdpResult::TimedOut);
        if (r < 0) return static_cast<int>(UdpResult::Error);
    }
    sockaddr_in a{};
    socklen_t len = sizeof a;
    auto n = ::recvfrom(s, static_cast<char*>(buffer), static_cast<int>(size), 0, reinterpret_cast<sockaddr*>(&a), &len);
    if (shut_down_) return static_cast<int>(UdpResult::Closed);
    if (n < 0) {
#ifdef _WIN32
        // A datagram larger than the buffer: the first bytes were delivered.
        if (WSAGetLastError() == WSAEMSGSIZE) n = static_cast<int>(size);
        else return static_cast<int>(UdpResult::Error);
#else
        return static_cast<int>(errno == EBADF ? UdpResult::Closed : UdpResult::Error);
#endif
    }
    from.ip = ntohl(a.sin_addr.s_addr);
    from.port = ntohs(a.sin_port);
    return static_cast<int>(n);
}

void UdpEndpoint::shutdown() {
    if (!is_open()) return;
    shut_down_ = true;
#ifdef _WIN32
    // Closing is what wakes a blocked receive under Winsock.
    close_native(native(socket_));
    socket_ = kNoSocket;
#else
    // close() alone does not wake a thread blocked in recvfrom; shutdown() does.
    ::shutdown(native(socket_), SHUT_RDWR);
#endif
}

void UdpEndpoint::close() {
    if (!is_open()) return;
    shut_down_ = true;
    close_native(native(socket_));
    socket_ = kNoSocket;
}

} // namespace plat
