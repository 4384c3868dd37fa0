// The three datagrams of the discovery and set-address protocol, each laid out once. Every
// field is bytes, so the records have no padding and no byte order to mind.
#pragma once
#include <cstddef>
#include <cstdint>

namespace kesto {

constexpr std::uint16_t kDevicePort = 6000;
constexpr std::uint16_t kFirstLocalPort = 3101;
constexpr std::uint16_t kLastLocalPort = 3300;

constexpr char kSearchText[] = "Dravik Search";
constexpr std::uint8_t kReplyMagic[4] = {0x00, 0x11, 0x44, 0x99};
constexpr std::uint8_t kSetIpTrailer[4] = {0x01, 0x02, 0x03, 0x04};

constexpr std::uint8_t kKindDeviceAnswer = 1;
constexpr std::uint8_t kKindSetResult = 2;

// Probe tokens are 0..254; a reply byte can never equal kNoToken, so nothing is accepted
// before the first probe.
constexpr int kMaxToken = 254;
constexpr int kNoToken = -1;

struct SearchPacket {
    char text[16];
    std::uint8_t token;
    std::uint8_t reserved[3];
};
static_assert(sizeof(SearchPacket) == 20);
static_assert(offsetof(SearchPacket, token) == 16);
static_assert(offsetof(SearchPacket, reserved) == 17);

struct DevicePacket {
    std::uint8_t magic[4];
    std::uint8_t kind;
    std::uint8_t token;
    std::uint8_t ip[4];       // a set-address result keeps its code in ip[0]
    std::uint8_t mask[4];
    std::uint8_t gateway[4];
    std::uint8_t mac[6];
    char serial[16];
    char firmware[6];
    std::uint8_t unused[18];
};
static_assert(sizeof(DevicePacket) == 64);
static_assert(offsetof(DevicePacket, kind) == 4);
static_assert(offsetof(DevicePacket, token) == 5);
static_assert(offsetof(DevicePacket, ip) == 6);
static_assert(offsetof(DevicePacket, mask) == 10);
static_assert(offsetof(DevicePacket, gateway) == 14);
static_assert(offsetof(DevicePacket, mac) == 18);
static_assert(offsetof(DevicePacket, serial) == 24);
static_assert(offsetof(DevicePacket, firmware) == 40);
static_assert(offsetof(DevicePacket, unused) == 46);

struct SetIpPacket {
    char user_name[16];
    char password[16];
    std::uint8_t ip[4];
    std::uint8_t mask[4];
    std::uint8_t gateway[4];
    std::uint8_t mac[6];
    std::uint8_t trailer[4];
};
static_assert(sizeof(SetIpPacket) == 54);
static_assert(offsetof(SetIpPacket, password) == 16);
static_assert(offsetof(SetIpPacket, ip) == 32);
static_assert(offsetof(SetIpPacket, mask) == 36);
static_assert(offsetof(SetIpPacket, gateway) == 40);
static_assert(offsetof(SetIpPacket, mac) == 44);
static_assert(offsetof(SetIpPacket, trailer) == 50);

// Set-address result codes.
constexpr int kResultSuccess = 1;
constexpr int kResultNoUser = 2;
constexpr int kResultBadPassword = 3;

} // namespace kesto
