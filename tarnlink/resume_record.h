// The 20-byte record at the start of a download's resume file (".dxc"): the window base up to
// which the download file (".ltf") is complete.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarnlink {

struct resume_file_header {
    std::uint32_t magic;       // 0x12345678
    std::uint32_t window_base;
    std::uint32_t zero;
    std::uint32_t magic2;      // 0x11223344
    std::uint32_t check;       // 0xDCA97644 - window_base
};
static_assert(sizeof(resume_file_header) == 20);
static_assert(offsetof(resume_file_header, window_base) == 4);
static_assert(offsetof(resume_file_header, zero) == 8);
static_assert(offsetof(resume_file_header, magic2) == 12);
static_assert(offsetof(resume_file_header, check) == 16);

constexpr std::uint32_t RESUME_MAGIC = 0x12345678u;
constexpr std::uint32_t RESUME_MAGIC2 = 0x11223344u;
constexpr std::uint32_t RESUME_CHECK_BASE = 0xDCA97644u;
constexpr std::uint32_t RESUME_SUM_OFFSET = 0x235689BCu;  // base + zero + check + this == 0

inline resume_file_header make_resume_record(std::uint32_t window_base) {
    return {RESUME_MAGIC, window_base, 0, RESUME_MAGIC2, RESUME_CHECK_BASE - window_base};
}

inline bool resume_record_valid(const resume_file_header& h) {
    return h.magic == RESUME_MAGIC && h.magic2 == RESUME_MAGIC2 &&
           h.window_base + h.zero + h.check + RESUME_SUM_OFFSET == 0u;
}

} // namespace tarnlink
