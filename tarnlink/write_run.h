// File data arrives mostly in order, packet after packet: packets that continue each other are
// gathered and written to the download file in one call, not one call per packet (each write
// is a system call, and under Wine a costly one).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/files.h"

namespace tarnlink {

class WriteRun {
public:
    // Gathers `length` bytes for `offset`. Bytes that do not continue the run, or that would
    // make it longer than kMaxBytes, write the run first. False when a write failed; the
    // bytes of the failed run are then in failed_offset().
    bool add(plat::File& file, std::uint32_t offset, const std::uint8_t* data, std::uint32_t length) {
        if (!bytes_.empty() && (offset != start_ + bytes_.size() || bytes_.size() + length > kMaxBytes) &&
            !flush(file))
            return false;
        if (bytes_.empty()) start_ = offset;
        bytes_.insert(bytes_.end(), data, data + length);
        return true;
    }

    // Writes what is gathered; false when the write failed. The run is empty afterwards.
    bool flush(plat::File& file) {
        if (bytes_.empty()) return true;
        const bool written =
            file.write_at(start_, bytes_.data(), bytes_.size()) == static_cast<long long>(bytes_.size());
        failed_offset_ = written ? 0 : start_;
        bytes_.clear();
        return written;
    }

    // Forgets what is gathered and gives its memory back (a download ended or stopped).
    void drop() { std::vector<std::uint8_t>().swap(bytes_); }

    std::uint32_t failed_offset() const { return failed_offset_; }

    static constexpr std::size_t kMaxBytes = 64 * 1024;

private:
    std::vector<std::uint8_t> bytes_;
    std::uint32_t start_ = 0;
    std::uint32_t failed_offset_ = 0;
};

} // namespace tarnlink
