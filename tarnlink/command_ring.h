// A device's queue of commands waiting for the sender: 128 slots, one always empty. Writers
// (host, state and receiver threads) are serialised by the ring's lock; the sender, the only
// reader, advances the read index only after copying the slot.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "tarnlink/wire_format.h"

namespace tarnlink {

class CommandRing {
public:
    static constexpr std::uint32_t kSlots = 128;

    bool put(const pc_command& command) {
        std::lock_guard<std::mutex> lock(mutex_);
        const std::uint32_t w = write_.load(std::memory_order_relaxed);
        if ((w + 1) % kSlots == read_.load(std::memory_order_acquire)) return false;
        slots_[w] = command;
        write_.store((w + 1) % kSlots, std::memory_order_release);
        return true;
    }
    bool take(pc_command& out) {
        const std::uint32_t r = read_.load(std::memory_order_relaxed);
        if (r == write_.load(std::memory_order_acquire)) return false;
        out = slots_[r];
        read_.store((r + 1) % kSlots, std::memory_order_release);
        return true;
    }
    void clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        write_.store(0);
        read_.store(0);
    }

private:
    std::mutex mutex_;
    pc_command slots_[kSlots]{};
    std::atomic<std::uint32_t> write_{0};
    std::atomic<std::uint32_t> read_{0};
};

} // namespace tarnlink
