// A device's queue of commands waiting for the sender: 128 slots. Its writers (host, state and
// receiver threads) are serialised by the ring's lock; the sender is the only reader.
#pragma once

#include <mutex>

#include "tarnlink/slot_ring.h"
#include "tarnlink/wire_format.h"

namespace tarnlink {

class CommandRing {
public:
    static constexpr std::uint32_t kSlots = 128;

    bool put(const pc_command& command) {
        std::lock_guard<std::mutex> lock(mutex_);
        return ring_.put(command);
    }
    bool take(pc_command& out) { return ring_.take(out); }
    void clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        ring_.clear();
    }

private:
    std::mutex mutex_;
    SlotRing<pc_command, kSlots> ring_;
};

} // namespace tarnlink
