#include "setuptool/set_address_command.h"

#include <cstring>

#include "platform/text_gbk.h"
#include "setuptool/text_parts.h"

namespace kesto {
namespace {

// Stores each part's low 8 bits (300 goes out as 44); false names the failing part.
bool store_parts(std::string_view text, char delimiter, std::uint8_t* out, std::size_t count,
                 std::string& failed_part) {
    auto parts = split_text(text, delimiter, count);
    for (std::size_t i = 0; i < count; ++i) {
        auto value = parse_decimal(parts[i]);
        if (!value) {
            failed_part = parts[i];
            return false;
        }
        out[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(*value) & 0xFF);
    }
    return true;
}

} // namespace

std::variant<SetIpBytes, ConversionError> build_set_address(const SetAddressInput& input) {
    SetIpPacket packet{};
    // At most 15 bytes cut on a character boundary: the device needs the terminating NUL.
    plat::copy_text_field(packet.user_name, sizeof packet.user_name, trim_text(input.user_name));
    plat::copy_text_field(packet.password, sizeof packet.password, trim_text(input.password));
    std::string failed;
    if (!store_parts(trim_text(input.ip), '.', packet.ip, sizeof packet.ip, failed) ||
        !store_parts(trim_text(input.mask), '.', packet.mask, sizeof packet.mask, failed) ||
        !store_parts(trim_text(input.gateway), '.', packet.gateway, sizeof packet.gateway, failed) ||
        !store_parts(input.mac_decimal, '-', packet.mac, sizeof packet.mac, failed)) {
        return ConversionError{conversion_error_text(failed)};
    }
    std::memcpy(packet.trailer, kSetIpTrailer, sizeof kSetIpTrailer);
    SetIpBytes bytes{};
    std::memcpy(bytes.data(), &packet, sizeof packet);
    return bytes;
}

} // namespace kesto
