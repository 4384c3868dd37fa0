#include "skin/region_runs.h"

#include <algorithm>

namespace skin {

bool KeyRange::contains(std::uint32_t pixel) const {
    const int tolerances[3] = {blue, green, red};
    for (int i = 0; i < 3; ++i) {
        const int shift = 8 * i;
        const int c = static_cast<int>((key >> shift) & 0xFF), p = static_cast<int>((pixel >> shift) & 0xFF);
        if (p < c || p > std::min(255, c + std::max(tolerances[i], 0))) return false;
    }
    return true;
}

std::size_t CollectRegionRuns(const Image32& image, int dx, int dy, const KeyRange& range,
                              const std::function<void(const std::vector<Rect>&)>& flush) {
    std::vector<Rect> batch;
    batch.reserve(kRegionGrowth);
    std::size_t total = 0;
    for (int y = 0; y < image.height(); ++y) {
        const std::uint32_t* row = image.row(y);
        for (int x = 0; x < image.width();) {
            if (range.contains(row[x])) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width() && !range.contains(row[x])) ++x;
            if (batch.size() == batch.capacity()) batch.reserve(batch.capacity() + kRegionGrowth);
            batch.push_back({start + dx, y + dy, x + dx, y + dy + 1});
            ++total;
            if (batch.size() == kRegionBatch) {
                flush(batch);
                batch.clear();
            }
        }
    }
    if (!batch.empty()) flush(batch);
    return total;
}

} // namespace skin
