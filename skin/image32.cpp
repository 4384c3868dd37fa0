#include "skin/image32.h"

#include <algorithm>

namespace skin {

std::uint32_t PixelFromColor(ui::TColor color) {
    const std::uint32_t c = ui::color_to_rgb(color);
    return (c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

ui::TColor ColorFromPixel(std::uint32_t pixel) {
    return static_cast<ui::TColor>((pixel & 0xFF) << 16 | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF));
}

Image32::Image32(int width, int height, std::uint32_t fill) {
    if (width <= 0 || height <= 0 || std::int64_t{width} * height > kMaxImagePixels) return;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

Image32 CopyArea(const Image32& source, const Rect& area) {
    const int left = std::max(area.left, 0), top = std::max(area.top, 0);
    const int right = std::min(area.right, source.width()), bottom = std::min(area.bottom, source.height());
    if (right <= left || bottom <= top) return {};
    Image32 out(right - left, bottom - top);
    for (int y = top; y < bottom; ++y) std::copy(source.row(y) + left, source.row(y) + right, out.row(y - top));
    return out;
}

void StretchNearest(const Image32& source, const Rect& src, Image32& target, const Rect& dst) {
    const std::int64_t sw = src.width(), sh = src.height(), dw = dst.width(), dh = dst.height();
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    const int y0 = std::max(dst.top, 0), y1 = std::min(dst.bottom, target.height());
    const int x0 = std::max(dst.left, 0), x1 = std::min(dst.right, target.width());
    for (int y = y0; y < y1; ++y) {
        const int sy = src.top + static_cast<int>(((2 * (y - dst.top) + 1) * sh) / (2 * dh));
        if (sy < 0 || sy >= source.height()) continue;
        const std::uint32_t* from = source.row(sy);
        std::uint32_t* to = target.row(y);
        for (int x = x0; x < x1; ++x) {
            const int sx = src.left + static_cast<int>(((2 * (x - dst.left) + 1) * sw) / (2 * dw));
            if (sx >= 0 && sx < source.width()) to[x] = from[sx];
        }
    }
}

void CopyKeyed(const Image32& source, const Rect& src, Image32& target, int x, int y, std::uint32_t key) {
    for (int sy = std::max(src.top, 0); sy < std::min(src.bottom, source.height()); ++sy) {
        const int ty = y + sy - src.top;
        if (ty < 0 || ty >= target.height()) continue;
        for (int sx = std::max(src.left, 0); sx < std::min(src.right, source.width()); ++sx) {
            const int tx = x + sx - src.left;
            const std::uint32_t p = source.at(sx, sy);
            if (tx >= 0 && tx < target.width() && (p & 0xFFFFFF) != key) target.set(tx, ty, p);
        }
    }
}

} // namespace skin
