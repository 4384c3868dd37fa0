// Connection requests from unknown serials, waiting for kvftp_get_connreqinfo: 64 slots, one
// always empty; one writer (the listener or shared receiver) and one reader (the host).
#pragma once

#include <atomic>
#include <cstdint>

#include "tarnlink/tarnlink.h"

namespace tarnlink {

class ConnReqQueue {
public:
    static constexpr std::uint32_t kSlots = 64;

    bool put(const ftp_connreqinfo& info) {
        const std::uint32_t w = write_.load(std::memory_order_relaxed);
        if ((w + 1) % kSlots == read_.load(std::memory_order_acquire)) return false;
        slots_[w] = info;
        write_.store((w + 1) % kSlots, std::memory_order_release);
        return true;
    }
    bool take(ftp_connreqinfo& out) {
        const std::uint32_t r = read_.load(std::memory_order_relaxed);
        if (r == write_.load(std::memory_order_acquire)) return false;
        out = slots_[r];
        read_.store((r + 1) % kSlots, std::memory_order_release);
        return true;
    }
    void clear() {
        write_.store(0);
        read_.store(0);
    }

private:
    ftp_connreqinfo slots_[kSlots]{};
    std::atomic<std::uint32_t> write_{0};
    std::atomic<std::uint32_t> read_{0};
};

} // namespace tarnlink
