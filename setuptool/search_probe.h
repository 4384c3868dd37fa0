// The discovery probe and the token of the probe generation the replies must match.
#pragma once
#include <array>
#include <cstdint>
#include <mutex>
#include <random>

#include "setuptool/discovery_packets.h"

namespace kesto {

std::array<std::uint8_t, sizeof(SearchPacket)> build_probe(std::uint8_t token);

class TokenSource {
public:
    virtual ~TokenSource() = default;
    virtual std::uint8_t next_token() = 0;  // 0..254
};

// Seeded once: reseeding from the clock on every probe would give two quick refreshes the same
// token, and the first probe's late answers would then be taken for the second's.
class RandomTokenSource : public TokenSource {
public:
    RandomTokenSource();
    std::uint8_t next_token() override;
private:
    std::mt19937 generator_;
    std::uniform_int_distribution<int> range_{0, kMaxToken};
};

// Written by the window thread when it probes, read by the receiver thread for every reply.
class SearchState {
public:
    struct Snapshot {
        int token = kNoToken;
        std::uint32_t sent_tick = 0;
    };
    void begin(std::uint8_t token, std::uint32_t sent_tick);
    Snapshot snapshot() const;
private:
    mutable std::mutex mutex_;
    Snapshot current_;
};

} // namespace kesto
