// The device's active fault rules: each rule applies a bounded number of times and retires.
#pragma once
#include <cstdint>
#include <vector>

#include "tests/support/standin/standin_device.h"

namespace standin {

class FaultBook {
public:
    void add(const FaultRule& rule) { rules_.push_back(rule); }
    void clear() { rules_.clear(); }

    // Takes one use of the first live rule of `fault` whose parameters match (-1 in a rule's
    // parameter matches anything). Returns it, or nullptr.
    const FaultRule* take(Fault fault, int a = -1, int b = -1, int c = -1);
    // Looks without taking.
    const FaultRule* peek(Fault fault, int a = -1, int b = -1, int c = -1) const;

private:
    static bool matches(const FaultRule& r, Fault fault, int a, int b, int c);
    std::vector<FaultRule> rules_;
    FaultRule taken_;
};

// A small deterministic generator for the random knobs.
class SeededRandom {
public:
    explicit SeededRandom(std::uint32_t seed) : x_(seed * 2654435761u + 0x9E3779B9u) {}
    std::uint32_t next() {
        x_ ^= x_ << 13;
        x_ ^= x_ >> 17;
        x_ ^= x_ << 5;
        return x_;
    }
    double unit() { return (next() >> 8) / double(1u << 24); }
private:
    std::uint32_t x_;
};

}  // namespace standin
