#include <algorithm>
#include <memory>

#include "skin/lzh_stream.h"
#include "skin/lzh_tree.h"

namespace skin {
namespace {

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void put(std::uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            buffer_ = static_cast<std::uint8_t>((buffer_ << 1) | ((value >> i) & 1));
            if (++count_ == 8) {
                out_.push_back(buffer_);
                buffer_ = 0;
                count_ = 0;
            }
        }
    }
    void finish() {
        if (count_ > 0) put(0, 8 - count_);
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint8_t buffer_ = 0;
    int count_ = 0;
};

void EncodeSymbol(LzhTree& tree, BitWriter& out, int symbol) {
    // Walk up from the leaf; the bits come out root first. A tree of 314 leaves with counts
    // below 0x8000 is far shallower than 64 levels.
    std::uint64_t path = 0;
    int depth = 0;
    for (int node = tree.leaf_node(symbol); node != kLzhRoot; node = tree.parent(node)) {
        path |= static_cast<std::uint64_t>(node & 1) << depth;
        ++depth;
    }
    for (int i = depth - 1; i >= 0; --i) out.put(static_cast<std::uint32_t>((path >> i) & 1), 1);
    tree.update(symbol);
}

void EncodeDistance(BitWriter& out, int distance) {
    const DistanceTables& t = distance_tables();
    const int upper = distance >> 6;
    const int length = t.code_length[upper];
    out.put(t.first_byte[upper] >> (8 - length), length);
    out.put(static_cast<std::uint32_t>(distance & 0x3F), 6);
}

// Longest-match search over the 4096 bytes before the current one, through chains of earlier
// positions with the same first three bytes. Positions are indexes into the history: the
// ring's initial spaces followed by the input.
class MatchFinder {
public:
    explicit MatchFinder(const std::vector<std::uint8_t>& history)
        : history_(history), head_(kHashSize, -1), previous_(kLzhRingSize, -1) {}

    void insert(int position) {
        if (position + 2 >= static_cast<int>(history_.size())) return;
        const int h = hash(position);
        previous_[position & (kLzhRingSize - 1)] = head_[h];
        head_[h] = position;
    }

    // Longest match for `position` of at most `limit` bytes; ties go to the nearest source.
    std::pair<int, int> find(int position, int limit) const {
        int best_length = 0, best_source = -1;
        if (limit <= kLzhThreshold || position + 2 >= static_cast<int>(history_.size())) return {0, -1};
        const int oldest = std::max(0, position - kLzhRingSize);
        for (int source = head_[hash(position)]; source >= oldest; source = previous_[source & (kLzhRingSize - 1)]) {
            int length = 0;
            while (length < limit && history_[source + length] == history_[position + length]) ++length;
            if (length > best_length) {
                best_length = length;
                best_source = source;
                if (length == limit) break;
            }
        }
        return {best_length, best_source};
    }

private:
    static constexpr int kHashSize = 1 << 15;
    int hash(int p) const {
        return ((history_[p] << 10) ^ (history_[p + 1] << 5) ^ history_[p + 2]) & (kHashSize - 1);
    }
    const std::vector<std::uint8_t>& history_;
    std::vector<int> head_;
    std::vector<int> previous_;
};

} // namespace

std::vector<std::uint8_t> LzhEncode(const std::vector<std::uint8_t>& data) {
    const std::uint32_t n = static_cast<std::uint32_t>(data.size());
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                  static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
    if (data.empty()) return out;

    std::vector<std::uint8_t> history(kLzhFirstWrite + data.size(), ' ');
    std::copy(data.begin(), data.end(), history.begin() + kLzhFirstWrite);
    MatchFinder finder(history);
    for (int p = 0; p < kLzhFirstWrite; ++p) finder.insert(p);

    auto tree = std::make_unique<LzhTree>();
    BitWriter bits(out);
    const int end = static_cast<int>(history.size());
    int position = kLzhFirstWrite;
    while (position < end) {
        const int limit = std::min(kLzhLookAhead, end - position);
        const auto [length, source] = finder.find(position, limit);
        int step = 1;
        if (length > kLzhThreshold) {
            EncodeSymbol(*tree, bits, CopySymbol(length));
            EncodeDistance(bits, position - source - 1);
            step = length;
        } else {
            EncodeSymbol(*tree, bits, history[position]);
        }
        for (int i = 0; i < step; ++i) finder.insert(position + i);
        position += step;
    }
    bits.finish();
    return out;
}

} // namespace skin
