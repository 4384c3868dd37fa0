// The tool's one UDP socket: bound to the first free port of 3101..3300 with broadcasting
// allowed, sending to the broadcast target and read by the receiver thread.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/udp_endpoint.h"

namespace kesto {

class PacketSender {
public:
    virtual ~PacketSender() = default;
    // Broadcasts one datagram; false when it could not be sent.
    virtual bool broadcast(const std::uint8_t* data, std::size_t size) = 0;
};

class DiscoverySocket : public PacketSender {
public:
    explicit DiscoverySocket(const plat::SocketAddress& target);

    // The first port of [first, last] that binds, or 0 when none does (the socket stays
    // closed and the tool runs on without answers).
    std::uint16_t bind_first_free(std::uint16_t first, std::uint16_t last);
    std::uint16_t bound_port() const { return port_; }

    bool broadcast(const std::uint8_t* data, std::size_t size) override;

    // The receiver thread reads here; shutting it down wakes that read.
    plat::UdpEndpoint& endpoint() { return endpoint_; }

private:
    plat::SocketAddress target_;
    plat::UdpEndpoint endpoint_;
    std::uint16_t port_ = 0;
};

} // namespace kesto
