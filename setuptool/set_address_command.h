// The set-address command built from the address dialog's texts.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <variant>

#include "setuptool/discovery_packets.h"

namespace kesto {

struct SetAddressInput {
    std::string user_name;   // GBK, as typed
    std::string password;
    std::string ip;
    std::string mask;
    std::string gateway;
    std::string mac_decimal; // the selected row's "n-n-n-n-n-n"
};

using SetIpBytes = std::array<std::uint8_t, sizeof(SetIpPacket)>;

struct ConversionError {
    std::string message;
};

// The 54 bytes, or the conversion error of the first part that is not a number.
std::variant<SetIpBytes, ConversionError> build_set_address(const SetAddressInput& input);

} // namespace kesto
