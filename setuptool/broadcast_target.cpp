#include "setuptool/broadcast_target.h"

#include <cstdlib>

#include "setuptool/discovery_packets.h"
#include "setuptool/text_parts.h"

namespace kesto {

plat::SocketAddress default_broadcast_target() { return {0xFFFFFFFFu, kDevicePort}; }

std::optional<plat::SocketAddress> parse_broadcast_target(const std::string& text) {
    std::string address = text;
    std::uint16_t port = kDevicePort;
    std::size_t colon = text.find(':');
    if (colon != std::string::npos) {
        address = text.substr(0, colon);
        std::string port_text = text.substr(colon + 1);
        auto value = parse_decimal(port_text);
        if (!value || *value < 1 || *value > 65535 || port_text[0] == '+' || port_text[0] == '-')
            return std::nullopt;
        port = static_cast<std::uint16_t>(*value);
    }
    plat::SocketAddress target;
    if (!plat::parse_ipv4(address, target.ip)) return std::nullopt;
    target.port = port;
    return target;
}

BroadcastChoice choose_broadcast_target(const std::vector<std::string>& arguments,
                                        const std::optional<std::string>& variable) {
    const std::string option = kBroadcastOption;
    std::optional<std::string> given;
    std::string source;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == option) {
            given = i + 1 < arguments.size() ? arguments[i + 1] : std::string();
            source = option;
            break;
        }
        if (argument.compare(0, option.size() + 1, option + "=") == 0) {
            given = argument.substr(option.size() + 1);
            source = option;
            break;
        }
    }
    if (!given && variable) {
        given = *variable;
        source = kBroadcastVariable;
    }
    BroadcastChoice choice{default_broadcast_target(), {}};
    if (!given) return choice;
    if (auto target = parse_broadcast_target(*given)) {
        choice.target = *target;
    } else {
        choice.target = {};
        choice.error = source + ": not an address[:port]: '" + *given + "'";
    }
    return choice;
}

BroadcastChoice choose_broadcast_target(const std::vector<std::string>& arguments) {
    const char* value = std::getenv(kBroadcastVariable);
    return choose_broadcast_target(arguments, value ? std::optional<std::string>(value) : std::nullopt);
}

} // namespace kesto
