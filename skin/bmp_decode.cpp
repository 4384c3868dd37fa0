#include "skin/bmp_decode.h"

#include <vector>

namespace skin {
namespace {

// Offsets of the fields read, in the file header and the info header that follows it.
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kPixelOffsetAt = 10;
constexpr std::size_t kInfoSizeAt = 14;
constexpr std::size_t kWidthAt = 18;
constexpr std::size_t kHeightAt = 22;
constexpr std::size_t kBitCountAt = 28;
constexpr std::size_t kCompressionAt = 30;
constexpr std::size_t kColoursUsedAt = 46;
constexpr std::uint32_t kMinInfoSize = 40;
constexpr std::uint32_t kUncompressed = 0;

std::uint32_t Read16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] | p[1] << 8); }
std::uint32_t Read32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 | static_cast<std::uint32_t>(p[2]) << 16 |
           static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint32_t PixelFromBgr(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0];
}

} // namespace

Image32 DecodeBmp(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < kFileHeaderSize + kMinInfoSize || data[0] != 'B' || data[1] != 'M') return {};
    const std::uint32_t info_size = Read32(data + kInfoSizeAt);
    if (info_size < kMinInfoSize || info_size > size - kFileHeaderSize) return {};
    const auto width = static_cast<std::int32_t>(Read32(data + kWidthAt));
    const auto raw_height = static_cast<std::int32_t>(Read32(data + kHeightAt));
    const bool top_down = raw_height < 0;
    // Comparing before negating keeps INT32_MIN from overflowing.
    if (width < 1 || width > kMaxBmpSide || raw_height < -kMaxBmpSide || raw_height == 0 || raw_height > kMaxBmpSide) return {};
    const int height = top_down ? -raw_height : raw_height;
    const std::uint32_t bits = Read16(data + kBitCountAt);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return {};
    if (Read32(data + kCompressionAt) != kUncompressed) return {};

    std::vector<std::uint32_t> palette;
    if (bits <= 8) {
        const std::uint32_t most = 1u << bits;
        const std::uint32_t used = Read32(data + kColoursUsedAt);
        if (used > most) return {};
        const std::size_t entries = used == 0 ? most : used;
        const std::size_t palette_at = kFileHeaderSize + info_size;
        if (entries * 4 > size - palette_at) return {};
        palette.resize(most, 0);
        for (std::size_t i = 0; i < entries; ++i) palette[i] = PixelFromBgr(data + palette_at + i * 4);
    }

    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::size_t pixels_at = Read32(data + kPixelOffsetAt);
    if (pixels_at > size || stride * static_cast<std::size_t>(height) > size - pixels_at) return {};

    Image32 image(width, height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = data + pixels_at + stride * static_cast<std::size_t>(top_down ? y : height - 1 - y);
        std::uint32_t* dst = image.row(y);
        for (int x = 0; x < width; ++x) {
            switch (bits) {
            case 1: dst[x] = palette[(src[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: dst[x] = palette[(src[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF]; break;
            case 8: dst[x] = palette[src[x]]; break;
            case 24: dst[x] = PixelFromBgr(src + x * 3); break;
            default: dst[x] = PixelFromBgr(src + x * 4); break;
            }
        }
    }
    return image;
}

} // namespace skin
