#include "skin/frame_geometry.h"

#include <algorithm>

namespace skin {
namespace {

bool HasArea(const Rect& r) { return r.right > r.left && r.bottom > r.top; }

void Add(std::vector<Blit>& blits, const Rect& src, const Rect& dst) {
    // Margins wider than the frame give pieces of negative size, which StretchBlt would mirror.
    if (HasArea(src) && HasArea(dst)) blits.push_back({src, dst});
}

} // namespace

std::optional<Rect> FrameRect(int bitmap_width, int bitmap_height, int count, int index, bool vertical) {
    if (count < 1 || index < 1 || index > count) return std::nullopt;
    Rect r;
    if (vertical) {
        const int h = bitmap_height / count;
        r = {0, (index - 1) * h, bitmap_width, index * h};
    } else {
        const int w = bitmap_width / count;
        r = {(index - 1) * w, 0, index * w, bitmap_height};
    }
    if (!HasArea(r)) return std::nullopt;
    return r;
}

bool Drawable(const Rect& dest) {
    return HasArea(dest) && static_cast<long long>(dest.right) - dest.left <= kMaxDrawSide &&
           static_cast<long long>(dest.bottom) - dest.top <= kMaxDrawSide;
}

std::vector<Blit> NineSliceBlits(int W, int H, const Rect& f, Margins m, bool tile) {
    std::vector<Blit> out;
    if (!Drawable({0, 0, W, H})) return out;
    // Negative margins mean nothing sensible; treating them as none keeps every sum in range.
    m = {std::max(m.left, 0), std::max(m.top, 0), std::max(m.right, 0), std::max(m.bottom, 0)};
    if (m.left + static_cast<long long>(m.right) > W) m.left = m.right = 0;
    if (m.top + static_cast<long long>(m.bottom) > H) m.top = m.bottom = 0;
    const int L = m.left, T = m.top, R = m.right, B = m.bottom;
    const int x0 = f.left, y0 = f.top, fw = f.width(), fh = f.height();
    if (L * T > 0) Add(out, {x0, y0, x0 + L, y0 + T}, {0, 0, L, T});
    if (L * B > 0) Add(out, {x0, y0 + fh - B, x0 + L, y0 + fh}, {0, H - B, L, H});
    if (R * T > 0) Add(out, {x0 + fw - R, y0, x0 + fw, y0 + T}, {W - R, 0, W, T});
    if (L > 0) Add(out, {x0, y0 + T, x0 + L, y0 + fh - B}, {0, T, L, H - B});
    if (T > 0) Add(out, {x0 + L, y0, x0 + fw - R, y0 + T}, {L, 0, W - R, T});
    const Rect centre{x0 + L, y0 + T, x0 + fw - R, y0 + fh - B};
    if (!tile) {
        Add(out, centre, {L, T, W - R, H - B});
    } else if (HasArea(centre)) {
        const int pw = centre.width(), ph = centre.height();
        for (int x = L; x < W - R; x += pw)
            for (int y = T; y < H - B; y += ph) Add(out, centre, {x, y, x + pw, y + ph});
    }
    if (R * B > 0) Add(out, {x0 + fw - R, y0 + fh - B, x0 + fw, y0 + fh}, {W - R, H - B, W, H});
    if (R > 0) Add(out, {x0 + fw - R, y0 + T, x0 + fw, y0 + fh - B}, {W - R, T, W, H - B});
    if (B > 0) Add(out, {x0 + L, y0 + fh - B, x0 + fw - R, y0 + fh}, {L, H - B, W - R, H});
    return out;
}

std::vector<Blit> BarBlits(int W, int H, const Rect& f, int L, int R) {
    std::vector<Blit> out;
    if (!Drawable({0, 0, W, H})) return out;
    const int x0 = f.left, y0 = f.top, fw = f.width(), fh = f.height();
    if (L < 0 || R < 0 || static_cast<long long>(fw) - L - R <= 0) {
        Add(out, f, {0, 0, W, H});
        return out;
    }
    const int middle = fw - L - R;
    Add(out, {x0, y0, x0 + L, y0 + fh}, {0, 0, L, H});
    for (int x = L; x < W - R; x += middle) Add(out, {x0 + L, y0, x0 + L + middle, y0 + fh}, {x, 0, x + middle, H});
    Add(out, {x0 + fw - R, y0, x0 + fw, y0 + fh}, {W - R, 0, W, H});
    return out;
}

std::vector<Blit> StretchedBarBlits(const Rect& d, const Rect& f, int L, int R) {
    std::vector<Blit> out;
    if (!Drawable(d)) return out;
    const int x0 = f.left, y0 = f.top, fw = f.width(), fh = f.height();
    if (fw > d.width()) {
        Add(out, f, d);
        return out;
    }
    L = std::clamp(L, 0, fw);
    R = std::clamp(R, 0, fw);
    Add(out, {x0, y0, x0 + L, y0 + fh}, {d.left, d.top, d.left + L, d.bottom});
    Add(out, {x0 + L, y0, x0 + fw - R, y0 + fh}, {d.left + L, d.top, d.right - R, d.bottom});
    Add(out, {x0 + fw - R, y0, x0 + fw, y0 + fh}, {d.right - R, d.top, d.right, d.bottom});
    return out;
}

std::pair<int, int> CenteredOrigin(const Rect& d, int fw, int fh) {
    return {d.left + (d.width() - fw) / 2, d.top + (d.height() - fh) / 2};
}

void DrawBlits(const Image32& source, const std::vector<Blit>& blits, Image32& target) {
    for (const Blit& b : blits) StretchNearest(source, b.src, target, b.dst);
}

} // namespace skin
