// A ring of fixed slots, one always empty, for one writer at a time and one reader: the reader
// advances its index only after copying the slot, so neither side ever waits for the other.
#pragma once

#include <atomic>
#include <cstdint>

namespace tarnlink {

template <typename T, std::uint32_t Slots>
class SlotRing {
public:
    static constexpr std::uint32_t kSlots = Slots;

    bool put(const T& item) {
        const std::uint32_t w = write_.load(std::memory_order_relaxed);
        if ((w + 1) % kSlots == read_.load(std::memory_order_acquire)) return false;
        slots_[w] = item;
        write_.store((w + 1) % kSlots, std::memory_order_release);
        return true;
    }
    bool take(T& out) {
        const std::uint32_t r = read_.load(std::memory_order_relaxed);
        if (r == write_.load(std::memory_order_acquire)) return false;
        out = slots_[r];
        read_.store((r + 1) % kSlots, std::memory_order_release);
        return true;
    }
    // For the writer only: whether a slot still waiting for the reader satisfies `match`. The
    // reader only copies slots, so the writer may read the waiting ones while it runs.
    template <typename Match>
    bool any_waiting(Match match) const {
        const std::uint32_t w = write_.load(std::memory_order_relaxed);
        for (std::uint32_t r = read_.load(std::memory_order_acquire); r != w; r = (r + 1) % kSlots)
            if (match(slots_[r])) return true;
        return false;
    }
    void clear() {
        write_.store(0);
        read_.store(0);
    }

private:
    T slots_[kSlots]{};
    std::atomic<std::uint32_t> write_{0};
    std::atomic<std::uint32_t> read_{0};
};

} // namespace tarnlink
