// File versions of the system's common-controls and shell libraries, read once from their
// version resources; a test may put a version of its own in place.
#pragma once
#include <cstdint>
#include <optional>

namespace ec {

struct FileVersion {
    std::uint32_t ms = 0;  // major << 16 | minor
    std::uint32_t ls = 0;
    friend bool operator<(const FileVersion& a, const FileVersion& b) {
        return a.ms != b.ms ? a.ms < b.ms : a.ls < b.ls;
    }
};

constexpr FileVersion make_version(unsigned major, unsigned minor) { return {major << 16 | minor, 0}; }

// 0.0 when a version cannot be read.
FileVersion comctl32_version();
FileVersion shell32_version();
// Replaces the common-controls version (nothing: read it from the library again).
void set_comctl32_version(std::optional<FileVersion> version);

} // namespace ec
