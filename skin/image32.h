// A plain 32-bit image for the skin's pictures: pixels 0x00RRGGBB, rows top-down, the layout of
// a 32-bit DIB section, so that the Windows layer copies rows as they are.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/ui/align_layout.h"
#include "platform/ui/color.h"

namespace skin {

using ui::Rect;

// Images above this many pixels are not made (a skin frame is never near it): a huge
// destination draws nothing instead of exhausting memory.
constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 26;

constexpr std::uint32_t kKeyPixel = 0xFF00FF;  // magenta, the skins' transparent colour

// 0x00BBGGRR (RGB colours; system colours resolved) to 0x00RRGGBB and back.
std::uint32_t PixelFromColor(ui::TColor color);
ui::TColor ColorFromPixel(std::uint32_t pixel);

class Image32 {
public:
    Image32() = default;
    // An empty image when a side is not positive or the size passes kMaxImagePixels.
    Image32(int width, int height, std::uint32_t fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return pixels_.empty(); }
    std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
    const std::uint32_t* row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    std::uint32_t at(int x, int y) const { return row(y)[x]; }
    void set(int x, int y, std::uint32_t pixel) { row(y)[x] = pixel; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    friend bool operator==(const Image32& a, const Image32& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }

private:
    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// The part `area` of `source`, clipped to it; empty when nothing of it lies inside.
Image32 CopyArea(const Image32& source, const Rect& area);
// Nearest-neighbour stretch of `src` of `source` onto `dst` of `target`, sampling each target
// pixel's centre. Pieces of no or negative size draw nothing; the target clips.
void StretchNearest(const Image32& source, const Rect& src, Image32& target, const Rect& dst);
// Copies `src` of `source` to `target` at (x, y), leaving the target where the source holds
// `key`; clipped on both sides.
void CopyKeyed(const Image32& source, const Rect& src, Image32& target, int x, int y, std::uint32_t key = kKeyPixel);

} // namespace skin
