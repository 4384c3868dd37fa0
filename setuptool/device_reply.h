// Checking and decoding one received datagram into a device row or a set-address result.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "setuptool/search_probe.h"

namespace kesto {

// The texts of one list row, GBK.
struct DeviceRow {
    std::string ip;
    std::string mask;
    std::string gateway;
    std::string mac;          // "00-1a-2b-..." as shown
    std::string serial;
    std::string line_count;   // empty when the serial's third byte is not a digit
    std::string firmware;
    std::string delay;
    std::string mac_decimal;  // "0-26-43-..." kept for the set-address command
};

struct SetResult {
    int code = 0;
};

struct IgnoredReply {};

using Reply = std::variant<IgnoredReply, DeviceRow, SetResult>;

// `search` is the probe generation the answers must carry; `now_tick` dates the delay.
Reply parse_reply(const std::uint8_t* bytes, std::size_t length, const SearchState::Snapshot& search,
                  std::uint32_t now_tick);

} // namespace kesto
