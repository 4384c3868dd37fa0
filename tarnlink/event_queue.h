// The queue of ftp_event records that the host polls: a ring of 16-bit units, one unit always
// left empty, writers serialised by a lock, the single reader lock-free (each position moves
// only after its units have been copied).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "tarnlink/tarnlink.h"

namespace tarnlink {

class UnitRing {
public:
    explicit UnitRing(std::uint16_t capacity);
    std::uint16_t capacity() const { return capacity_; }
    std::uint32_t used() const;
    // Both refuse (false) without touching the ring when there is not room / not enough.
    bool write(const std::uint16_t* units, std::uint32_t count);
    bool read(std::uint16_t* units, std::uint32_t count);

private:
    std::unique_ptr<std::uint16_t[]> storage_;
    std::uint16_t capacity_;
    std::atomic<std::uint32_t> write_{0};
    std::atomic<std::uint32_t> read_{0};
};

class EventQueue {
public:
    static constexpr std::uint16_t kCapacityUnits = 10240;
    static constexpr std::uint32_t kEventUnits = sizeof(ftp_event) / sizeof(std::uint16_t);
    static constexpr std::int32_t kMaxDeviceIndex = 239;

    explicit EventQueue(std::uint16_t capacity = kCapacityUnits)
        : ring_(capacity), connreq_limit_((capacity - 1u) / kEventUnits / 2) {}
    // ConnReqLimit: connection-request events (54) already hold half of the queue; the rest
    // stays free for the devices' own events, whoever floods the shared socket.
    enum class PostResult { Appended, BadDevice, Full, ConnReqLimit };
    PostResult post(const ftp_event& event);
    // true when the oldest event was moved into `out`.
    bool take(ftp_event& out);

private:
    std::mutex mutex_;
    UnitRing ring_;
    const std::uint32_t connreq_limit_;
    std::atomic<std::uint32_t> connreq_events_{0};  // events 54 in the ring
};

} // namespace tarnlink
