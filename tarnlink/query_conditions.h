// The conditions of a call-log query as they travel: each enabled item of ftp_queryparams in
// the next free 32-byte slot (byte 0 the item number, its data from byte 1), and the slot area
// cut into parts of 96 bytes that start 64 bytes apart. For the device side too.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tarnlink/tarnlink.h"
#include "tarnlink/wire_format.h"

namespace tarnlink {

struct QueryConditionLayout {
    static constexpr std::size_t slot = 32;
    static constexpr std::size_t slots = 12;
    static constexpr std::size_t area = slot * slots;  // 384
    static constexpr std::size_t part_step = 64;       // two slots per part, a third repeated
};

// Fills `area` (zero first) and returns the number of enabled items.
int encode_query_conditions(const ftp_queryparams& params,
                            std::uint8_t (&area)[QueryConditionLayout::area]);

// Parts for `items` enabled items: 0 items still send one part (with p1 = p2 = 0).
constexpr int query_part_count(int items) { return (items + 1) / 2; }

// The 96 payload bytes of part `part` (from 1); bytes past the area are 0.
void query_part_payload(const std::uint8_t (&area)[QueryConditionLayout::area], int part,
                        std::uint8_t (&payload)[WireSizes::command_payload]);

} // namespace tarnlink
