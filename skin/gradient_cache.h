// Gradients as colour lists, one colour per line, kept in a 16-slot round-robin cache so that
// a caption repainted with the same colours does not recompute them.
#pragma once
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "skin/image32.h"

namespace skin {

class GradientCache {
public:
    static constexpr int kSlots = 16;
    // Far above any screen; a huge rectangle must not make the cache allocate gigabytes.
    static constexpr int kMaxLines = 1 << 20;
    // The slot holding the gradient of `lines` colours from `start` to `end` (RGB, 0x00BBGGRR),
    // built when no slot holds it; -1 when `lines` is not positive or above kMaxLines.
    int GetGradient(int lines, std::uint32_t start, std::uint32_t end);
    int FindGradient(int lines, std::uint32_t start, std::uint32_t end) const;
    int BuildGradient(int lines, std::uint32_t start, std::uint32_t end);
    const std::vector<std::uint32_t>& Colors(int slot) const { return slots_[slot].colors; }

private:
    struct Slot {
        // The colours asked for: a descending gradient's last colour may differ from its end.
        std::uint32_t start = 0, end = 0;
        std::vector<std::uint32_t> colors;
    };
    std::array<Slot, kSlots> slots_;
    int next_ = 0;
};

// The cache the window thread's painters share.
GradientCache& SharedGradientCache();

// Lines of a gradient over `rect` that lie in `clip`: first and last index (last < first when
// none). Lines run top to bottom when `vertical`, else left to right.
std::pair<int, int> VisibleGradientLines(const Rect& rect, const Rect& clip, bool vertical);

} // namespace skin
