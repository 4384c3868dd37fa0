#include "tarnlink/event_queue.h"

#include <algorithm>
#include <cstring>

namespace tarnlink {

static_assert(sizeof(ftp_event) % sizeof(std::uint16_t) == 0);

UnitRing::UnitRing(std::uint16_t capacity)
    : storage_(new std::uint16_t[capacity]()), capacity_(capacity) {}

std::uint32_t UnitRing::used() const {
    const std::uint32_t w = write_.load(std::memory_order_acquire);
    const std::uint32_t r = read_.load(std::memory_order_acquire);
    return w >= r ? w - r : capacity_ - (r - w);
}

bool UnitRing::write(const std::uint16_t* units, std::uint32_t count) {
    const std::uint32_t free_units = capacity_ - used() - 1;
    if (free_units < count) return false;
    const std::uint32_t w = write_.load(std::memory_order_relaxed);
    const std::uint32_t first = std::min(count, capacity_ - w);
    std::memcpy(storage_.get() + w, units, first * sizeof(std::uint16_t));
    std::memcpy(storage_.get(), units + first, (count - first) * sizeof(std::uint16_t));
    write_.store((w + count) % capacity_, std::memory_order_release);
    return true;
}

bool UnitRing::read(std::uint16_t* units, std::uint32_t count) {
    if (used() < count) return false;
    const std::uint32_t r = read_.load(std::memory_order_relaxed);
    const std::uint32_t first = std::min(count, capacity_ - r);
    std::memcpy(units, storage_.get() + r, first * sizeof(std::uint16_t));
    std::memcpy(units + first, storage_.get(), (count - first) * sizeof(std::uint16_t));
    read_.store((r + count) % capacity_, std::memory_order_release);
    return true;
}

EventQueue::PostResult EventQueue::post(const ftp_event& event) {
    if (event.device < 0 || event.device > kMaxDeviceIndex) return PostResult::BadDevice;
    std::uint16_t units[kEventUnits];
    std::memcpy(units, &event, sizeof event);
    const bool connreq = event.code == EVT_FTP_DEVCONN_REQ;
    std::lock_guard<std::mutex> lock(mutex_);
    if (connreq && connreq_events_.load() >= connreq_limit_) return PostResult::ConnReqLimit;
    // Counted before the write: the reader may take the event the moment it is written.
    if (connreq) ++connreq_events_;
    if (ring_.write(units, kEventUnits)) return PostResult::Appended;
    if (connreq) --connreq_events_;
    return PostResult::Full;
}

bool EventQueue::take(ftp_event& out) {
    std::uint16_t units[kEventUnits];
    if (!ring_.read(units, kEventUnits)) return false;
    std::memcpy(&out, units, sizeof out);
    if (out.code == EVT_FTP_DEVCONN_REQ) --connreq_events_;
    return true;
}

} // namespace tarnlink
