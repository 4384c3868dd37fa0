// Where probes and set-address commands go. The devices listen on the all-ones broadcast,
// port 6000; a command-line option or an environment variable moves it (tests use loopback).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/udp_endpoint.h"

namespace kesto {

constexpr char kBroadcastOption[] = "--broadcast";       // --broadcast=ADDR[:PORT] or --broadcast ADDR[:PORT]
constexpr char kBroadcastVariable[] = "KESTO_BROADCAST";  // ADDR[:PORT]

plat::SocketAddress default_broadcast_target();

// "ADDR[:PORT]" with a dotted IPv4 address and a port 1..65535 (6000 when left out).
std::optional<plat::SocketAddress> parse_broadcast_target(const std::string& text);

struct BroadcastChoice {
    plat::SocketAddress target;
    std::string error;  // non-empty: a given value was malformed and nothing may be sent
};

// The option wins over the variable; `variable` is the variable's value when it is set. A
// malformed value never falls back to the real broadcast address.
BroadcastChoice choose_broadcast_target(const std::vector<std::string>& arguments,
                                        const std::optional<std::string>& variable);

// The same, reading the process's environment.
BroadcastChoice choose_broadcast_target(const std::vector<std::string>& arguments);

} // namespace kesto
