#include "setuptool/discovery_socket.h"

namespace kesto {

DiscoverySocket::DiscoverySocket(const plat::SocketAddress& target) : target_(target) {}

std::uint16_t DiscoverySocket::bind_first_free(std::uint16_t first, std::uint16_t last) {
    endpoint_.close();
    port_ = 0;
    for (std::uint32_t port = first; port <= last; ++port) {
        if (!endpoint_.open("", static_cast<std::uint16_t>(port))) continue;
        if (!endpoint_.set_broadcast(true)) {
            endpoint_.close();
            continue;
        }
        port_ = static_cast<std::uint16_t>(port);
        break;
    }
    return port_;
}

bool DiscoverySocket::broadcast(const std::uint8_t* data, std::size_t size) {
    if (!endpoint_.is_open() || target_.ip == 0) return false;
    return endpoint_.send_to(data, size, target_) == static_cast<int>(size);
}

} // namespace kesto
