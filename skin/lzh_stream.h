// The compressed skin stream: a 32-bit little-endian length N, then an LZHUF bit stream that
// decodes to N bytes. Skin data may come from any file, so decoding refuses what it cannot
// trust instead of producing it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace skin {

// The largest N accepted; far above any skin and small enough to allocate without worry.
constexpr std::uint32_t kMaxDecodedSize = 64u * 1024u * 1024u;
// The most bytes one stream byte can yield: a 60-byte copy costs at least 10 bits.
constexpr std::uint64_t kMaxExpansion = 48;

struct DecodeResult {
    std::vector<std::uint8_t> bytes;
    std::string error;  // empty on success
    bool ok() const { return error.empty(); }
};

// Decodes stored bytes (length and bit stream). Never throws.
DecodeResult LzhDecode(const std::uint8_t* stored, std::size_t size);
inline DecodeResult LzhDecode(const std::vector<std::uint8_t>& stored) { return LzhDecode(stored.data(), stored.size()); }

// The stored bytes of `data`: greedy longest matches, the nearest first, so the same input
// always gives the same bytes.
std::vector<std::uint8_t> LzhEncode(const std::vector<std::uint8_t>& data);

} // namespace skin
