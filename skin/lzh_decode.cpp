#include <algorithm>
#include <array>
#include <memory>
#include <new>

#include "skin/lzh_stream.h"
#include "skin/lzh_tree.h"

namespace skin {
namespace {

// A valid stream's buffer pulls at most one byte beyond the stream's end; more than two means
// the stream was cut.
constexpr int kAllowedBytesPastEnd = 2;

class BitReader {
public:
    BitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    int bit() {
        fill();
        const int b = (buffer_ >> 15) & 1;
        buffer_ = static_cast<std::uint16_t>(buffer_ << 1);
        --count_;
        return b;
    }
    int byte() {
        fill();
        const int b = buffer_ >> 8;
        buffer_ = static_cast<std::uint16_t>(buffer_ << 8);
        count_ -= 8;
        return b;
    }
    bool truncated() const { return past_end_ > kAllowedBytesPastEnd; }

private:
    void fill() {
        while (count_ <= 8) {
            unsigned next = 0;
            if (position_ < size_) next = data_[position_++];
            else ++past_end_;
            buffer_ = static_cast<std::uint16_t>(buffer_ | (next << (8 - count_)));
            count_ += 8;
        }
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    int past_end_ = 0;
    std::uint16_t buffer_ = 0;
    int count_ = 0;
};

int DecodeSymbol(LzhTree& tree, BitReader& in) {
    int node = tree.child(kLzhRoot);
    while (node < kLzhNodes) node = tree.child(node + in.bit());
    const int symbol = node - kLzhNodes;
    tree.update(symbol);
    return symbol;
}

int DecodeDistance(BitReader& in) {
    const DistanceTables& t = distance_tables();
    int value = in.byte();
    const int upper = t.upper[value];
    for (int n = t.length[value] - 2; n > 0; --n) value = (value << 1) + in.bit();
    return (upper << 6) | (value & 0x3F);
}

std::uint32_t ReadLength(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace

DecodeResult LzhDecode(const std::uint8_t* stored, std::size_t size) {
    DecodeResult result;
    if (size < 4) {
        result.error = "skin stream shorter than its length field";
        return result;
    }
    const std::uint32_t length = ReadLength(stored);
    const std::uint64_t stream_size = size - 4;
    if (length > kMaxDecodedSize || length > kMaxExpansion * (stream_size + kAllowedBytesPastEnd)) {
        result.error = "skin stream claims " + std::to_string(length) + " bytes, more than it can hold";
        return result;
    }
    try {
        result.bytes.reserve(length);
        auto tree = std::make_unique<LzhTree>();
        std::array<std::uint8_t, kLzhRingSize> ring{};
        std::fill(ring.begin(), ring.begin() + kLzhFirstWrite, static_cast<std::uint8_t>(' '));
        int write = kLzhFirstWrite;
        BitReader in(stored + 4, stream_size);
        while (result.bytes.size() < length) {
            const int symbol = DecodeSymbol(*tree, in);
            if (symbol < 256) {
                result.bytes.push_back(static_cast<std::uint8_t>(symbol));
                ring[write] = static_cast<std::uint8_t>(symbol);
                write = (write + 1) & (kLzhRingSize - 1);
            } else {
                const int source = (write - DecodeDistance(in) - 1) & (kLzhRingSize - 1);
                const std::size_t copy = std::min<std::size_t>(CopyLength(symbol), length - result.bytes.size());
                for (std::size_t k = 0; k < copy; ++k) {
                    const std::uint8_t c = ring[(source + k) & (kLzhRingSize - 1)];
                    result.bytes.push_back(c);
                    ring[write] = c;
                    write = (write + 1) & (kLzhRingSize - 1);
                }
            }
            if (in.truncated()) {
                result.bytes.clear();
                result.error = "skin stream truncated";
                return result;
            }
        }
    } catch (const std::bad_alloc&) {
        result.bytes.clear();
        result.error = "out of memory decoding the skin stream";
    }
    return result;
}

} // namespace skin
