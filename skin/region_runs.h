// A bitmap's shape as rectangles: every run of pixels outside the key colour range in a row is
// one rectangle. Runs are handed on in batches, as a region is built from them batch by batch.
#pragma once
#include <functional>
#include <vector>

#include "skin/image32.h"

namespace skin {

constexpr std::size_t kRegionBatch = 2000;  // rectangles per region made and combined
constexpr std::size_t kRegionGrowth = 500;  // the batch buffer grows by this many

struct KeyRange {
    std::uint32_t key = kKeyPixel;  // 0x00RRGGBB
    int red = 0, green = 0, blue = 0;  // tolerances: channel c to min(255, c + tolerance) is key
    bool contains(std::uint32_t pixel) const;
};

// Calls `flush` with each full batch of kRegionBatch rectangles and once more with the rest,
// shifted by (dx, dy). Returns the number of rectangles.
std::size_t CollectRegionRuns(const Image32& image, int dx, int dy, const KeyRange& range,
                              const std::function<void(const std::vector<Rect>&)>& flush);

} // namespace skin
