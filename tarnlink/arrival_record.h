// Which packets of the file being downloaded have arrived, one bit per packet for the whole
// file. Success is judged from this record and not from window arithmetic, so a device that
// ends its windows early, or a window moved on too soon, can never leave filler bytes behind
// a result of success.
#pragma once

#include <cstdint>
#include <vector>

namespace tarnlink {

class ArrivalRecord {
public:
    // A new download of `packets` packets whose packets below `arrived_below` are on disk
    // already (a resumed download).
    void reset(std::uint32_t packets, std::uint32_t arrived_below) {
        packets_ = packets;
        arrived_ = 0;
        bits_.assign((packets + 63) / 64, 0);
        for (std::uint32_t p = 0; p < arrived_below && p < packets; ++p) mark(p);
    }
    bool has(std::uint32_t packet) const {
        return packet < packets_ && (bits_[packet / 64] >> (packet % 64) & 1u) != 0;
    }
    void mark(std::uint32_t packet) {
        if (packet >= packets_ || has(packet)) return;
        bits_[packet / 64] |= std::uint64_t{1} << (packet % 64);
        ++arrived_;
    }
    bool complete() const { return arrived_ == packets_; }
    std::uint32_t packets() const { return packets_; }

private:
    std::vector<std::uint64_t> bits_;
    std::uint32_t packets_ = 0;
    std::uint32_t arrived_ = 0;
};

} // namespace tarnlink
