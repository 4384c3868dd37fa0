#include "setuptool/device_reply.h"

#include <cstdio>
#include <cstring>

#include "platform/text_gbk.h"
#include "setuptool/delay_text.h"

namespace kesto {
namespace {

std::string dotted(const std::uint8_t (&part)[4]) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", part[0], part[1], part[2], part[3]);
    return text;
}

std::string mac_text(const std::uint8_t (&mac)[6], const char* format) {
    char text[32];
    std::snprintf(text, sizeof text, format, mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

// The devices put their line count in the serial's third byte.
std::string line_count_text(char third) {
    if (third < '0' || third > '9') return {};
    return std::string(1, third);
}

DeviceRow decode_device(const DevicePacket& packet, std::uint32_t elapsed_ms) {
    DeviceRow row;
    row.ip = dotted(packet.ip);
    row.mask = dotted(packet.mask);
    row.gateway = dotted(packet.gateway);
    row.mac = mac_text(packet.mac, "%02x-%02x-%02x-%02x-%02x-%02x");
    row.mac_decimal = mac_text(packet.mac, "%u-%u-%u-%u-%u-%u");
    row.serial = plat::field_text(packet.serial, sizeof packet.serial);
    row.line_count = line_count_text(packet.serial[2]);
    row.firmware = plat::field_text(packet.firmware, sizeof packet.firmware);
    row.delay = delay_text(elapsed_ms);
    return row;
}

} // namespace

Reply parse_reply(const std::uint8_t* bytes, std::size_t length, const SearchState::Snapshot& search,
                  std::uint32_t now_tick) {
    if (bytes == nullptr || length != sizeof(DevicePacket)) return IgnoredReply{};
    DevicePacket packet;
    std::memcpy(&packet, bytes, sizeof packet);
    if (std::memcmp(packet.magic, kReplyMagic, sizeof kReplyMagic) != 0) return IgnoredReply{};
    if (packet.kind == kKindSetResult) return SetResult{packet.ip[0]};
    if (packet.kind != kKindDeviceAnswer || packet.token != search.token) return IgnoredReply{};
    return decode_device(packet, static_cast<std::uint32_t>(now_tick - search.sent_tick));
}

} // namespace kesto
