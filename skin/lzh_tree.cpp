#include "skin/lzh_tree.h"

#include <algorithm>

namespace skin {

LzhTree::LzhTree() {
    for (int i = 0; i < kLzhSymbols; ++i) {
        count_[i] = 1;
        child_[i] = i + kLzhNodes;
        parent_[i + kLzhNodes] = i;
    }
    for (int i = 0, j = kLzhSymbols; j <= kLzhRoot; i += 2, ++j) {
        count_[j] = count_[i] + count_[i + 1];
        child_[j] = i;
        parent_[i] = parent_[i + 1] = j;
    }
    count_[kLzhNodes] = 0xFFFF;  // sentinel: stops the search for a successor
    parent_[kLzhRoot] = 0;
}

void LzhTree::rebuild() {
    int leaves = 0;
    for (int i = 0; i < kLzhNodes; ++i) {
        if (child_[i] >= kLzhNodes) {
            count_[leaves] = (count_[i] + 1) / 2;
            child_[leaves] = child_[i];
            ++leaves;
        }
    }
    for (int i = 0, j = kLzhSymbols; j < kLzhNodes; i += 2, ++j) {
        const std::uint32_t sum = count_[i] + count_[i + 1];
        int k = j - 1;
        while (sum < count_[k]) --k;
        ++k;
        std::copy_backward(count_.begin() + k, count_.begin() + j, count_.begin() + j + 1);
        count_[k] = sum;
        std::copy_backward(child_.begin() + k, child_.begin() + j, child_.begin() + j + 1);
        child_[k] = i;
    }
    for (int i = 0; i < kLzhNodes; ++i) {
        const int k = child_[i];
        if (k >= kLzhNodes) parent_[k] = i;
        else parent_[k] = parent_[k + 1] = i;
    }
}

void LzhTree::update(int symbol) {
    if (count_[kLzhRoot] == kLzhMaxCount) rebuild();
    int node = parent_[symbol + kLzhNodes];
    do {
        const std::uint32_t count = ++count_[node];
        int swap = node + 1;
        if (count > count_[swap]) {
            while (count > count_[++swap]) {
            }
            --swap;
            count_[node] = count_[swap];
            count_[swap] = count;
            const int a = child_[node];
            parent_[a] = swap;
            if (a < kLzhNodes) parent_[a + 1] = swap;
            const int b = child_[swap];
            child_[swap] = a;
            parent_[b] = node;
            if (b < kLzhNodes) parent_[b + 1] = node;
            child_[node] = b;
            node = swap;
        }
        node = parent_[node];
    } while (node != 0);
}

const DistanceTables& distance_tables() {
    static const DistanceTables tables = [] {
        // Upper values per group and their prefix length: 1 x 32 bytes, 3 x 16, 8 x 8, 12 x 4,
        // 24 x 2, 16 x 1.
        struct Group { int values; int length; };
        const Group groups[] = {{1, 3}, {3, 4}, {8, 5}, {12, 6}, {24, 7}, {16, 8}};
        DistanceTables t{};
        int byte = 0, upper = 0;
        for (const Group& g : groups) {
            for (int v = 0; v < g.values; ++v, ++upper) {
                t.first_byte[upper] = static_cast<std::uint8_t>(byte);
                t.code_length[upper] = static_cast<std::uint8_t>(g.length);
                for (int n = 0; n < (1 << (8 - g.length)); ++n, ++byte) {
                    t.upper[byte] = static_cast<std::uint8_t>(upper);
                    t.length[byte] = static_cast<std::uint8_t>(g.length);
                }
            }
        }
        return t;
    }();
    return tables;
}

} // namespace skin
