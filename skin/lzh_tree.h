// The adaptive Huffman tree shared by the skin stream's decoder and encoder. Both sides must
// grow and rebuild it identically, step by step, or the codes drift apart.
#pragma once
#include <array>
#include <cstdint>

namespace skin {

constexpr int kLzhRingSize = 4096;
constexpr int kLzhLookAhead = 60;
constexpr int kLzhThreshold = 2;
constexpr int kLzhSymbols = 256 - kLzhThreshold + kLzhLookAhead;  // 314
constexpr int kLzhNodes = kLzhSymbols * 2 - 1;                   // 627
constexpr int kLzhRoot = kLzhNodes - 1;                           // 626
constexpr unsigned kLzhMaxCount = 0x8000;
constexpr int kLzhFirstWrite = kLzhRingSize - kLzhLookAhead;      // 4036

// Symbol of a copy of `length` bytes (3..60) and back.
constexpr int CopySymbol(int length) { return length + 256 - kLzhThreshold - 1; }
constexpr int CopyLength(int symbol) { return symbol - (256 - kLzhThreshold - 1); }

class LzhTree {
public:
    LzhTree();
    // First child of `node`; the second is the next entry. Values of kLzhNodes and up are
    // leaves: symbol = value - kLzhNodes.
    int child(int node) const { return child_[node]; }
    int parent(int entry) const { return parent_[entry]; }
    // Node that holds the leaf of `symbol`.
    int leaf_node(int symbol) const { return parent_[symbol + kLzhNodes]; }
    // Counts the symbol, rebuilding first when the root is full.
    void update(int symbol);

private:
    void rebuild();

    std::array<std::uint32_t, kLzhNodes + 1> count_{};
    std::array<int, kLzhNodes + kLzhSymbols> parent_{};
    std::array<int, kLzhNodes> child_{};
};

// The distance code: the upper 6 bits of a 12-bit distance as a prefix code of 3 to 8 bits.
struct DistanceTables {
    std::array<std::uint8_t, 256> upper;   // by the first byte read
    std::array<std::uint8_t, 256> length;  // prefix length, by the first byte read
    std::array<std::uint8_t, 64> first_byte;  // by upper bits: the first byte value of its code
    std::array<std::uint8_t, 64> code_length; // by upper bits
};
const DistanceTables& distance_tables();

} // namespace skin
