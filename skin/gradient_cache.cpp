#include "skin/gradient_cache.h"

#include <algorithm>

namespace skin {

int GradientCache::FindGradient(int lines, std::uint32_t start, std::uint32_t end) const {
    if (lines <= 0 || lines > kMaxLines) return -1;
    for (int slot = kSlots - 1; slot >= 0; --slot) {
        const Slot& s = slots_[slot];
        if (static_cast<int>(s.colors.size()) == lines && s.start == start && s.end == end) return slot;
    }
    return -1;
}

int GradientCache::BuildGradient(int lines, std::uint32_t start, std::uint32_t end) {
    if (lines <= 0 || lines > kMaxLines) return -1;
    const int slot = next_;
    next_ = (next_ + 1) % kSlots;
    Slot& s = slots_[slot];
    s.start = start;
    s.end = end;
    s.colors.assign(static_cast<std::size_t>(lines), 0);
    const std::int64_t n = lines;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::int64_t from = (start >> shift) & 0xFF;
        const std::int64_t d = static_cast<std::int64_t>((end >> shift) & 0xFF) - from;
        for (std::int64_t i = 0; i < n; ++i) {
            const std::int64_t v = n == 1 ? from + d / 2 : from + ((n - 1) / 2 + i * d) / (n - 1);
            s.colors[static_cast<std::size_t>(i)] |= static_cast<std::uint32_t>(v) << shift;
        }
    }
    return slot;
}

int GradientCache::GetGradient(int lines, std::uint32_t start, std::uint32_t end) {
    const int found = FindGradient(lines, start, end);
    return found >= 0 ? found : BuildGradient(lines, start, end);
}

GradientCache& SharedGradientCache() {
    static GradientCache cache;
    return cache;
}

std::pair<int, int> VisibleGradientLines(const Rect& rect, const Rect& clip, bool vertical) {
    const std::int64_t origin = vertical ? rect.top : rect.left;
    const std::int64_t lines = (vertical ? std::int64_t{rect.bottom} : std::int64_t{rect.right}) - origin;
    const std::int64_t clip_first = vertical ? clip.top : clip.left;
    const std::int64_t clip_end = vertical ? clip.bottom : clip.right;
    const std::int64_t first = std::clamp<std::int64_t>(clip_first - origin, 0, std::max<std::int64_t>(lines, 0));
    const std::int64_t last = std::clamp<std::int64_t>(clip_end - 1 - origin, -1, lines - 1);
    return {static_cast<int>(first), static_cast<int>(std::max<std::int64_t>(last, -1))};
}

} // namespace skin
