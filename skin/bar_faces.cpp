#include "skin/bar_faces.h"

#include <algorithm>
#include <cstdint>

#include "skin/pixel_transforms.h"

namespace skin {
namespace {

void AddClipped(std::vector<Blit>& out, const Rect& src, Rect dst, const Rect& bounds) {
    if (src.width() <= 0 || src.height() <= 0 || dst.width() <= 0 || dst.height() <= 0) return;
    // A copy at its own size is cut with its source, so the part left is not squeezed.
    if (src.width() == dst.width() && src.height() == dst.height()) {
        Rect s = src;
        if (dst.left < bounds.left) s.left += bounds.left - dst.left, dst.left = bounds.left;
        if (dst.top < bounds.top) s.top += bounds.top - dst.top, dst.top = bounds.top;
        if (dst.right > bounds.right) s.right -= dst.right - bounds.right, dst.right = bounds.right;
        if (dst.bottom > bounds.bottom) s.bottom -= dst.bottom - bounds.bottom, dst.bottom = bounds.bottom;
        if (dst.width() <= 0 || dst.height() <= 0) return;
        out.push_back({s, dst});
        return;
    }
    if (dst.left < bounds.left || dst.top < bounds.top || dst.right > bounds.right || dst.bottom > bounds.bottom) return;
    out.push_back({src, dst});
}

// The copies drawn over `target` with magenta left out.
void DrawKeyed(const Image32& source, const std::vector<Blit>& blits, Image32& target) {
    Image32 layer(target.width(), target.height(), kKeyPixel);
    if (layer.empty()) return;
    DrawBlits(source, blits, layer);
    CopyKeyed(layer, {0, 0, layer.width(), layer.height()}, target, 0, 0);
}

} // namespace

Image32 ProgressPicture(int width, int height, const ProgressLook& look) {
    if (!look.bar || look.bar->empty() || width <= 0 || height <= 0) return {};
    if (look.chunk_look && (!look.chunk || look.chunk->empty())) return {};
    const int w = look.vertical ? height : width, h = look.vertical ? width : height;
    Image32 out(w, h, look.face);
    if (out.empty()) return {};
    const auto frame = [&](int index) {
        return FrameRect(look.bar->width(), look.bar->height(), look.chunk_look ? 1 : 2, index, false);
    };
    if (const auto empty = frame(1))
        DrawKeyed(*look.bar, NineSliceBlits(w, h, *empty, look.bar_margins, !look.chunk_look && look.bar_tile), out);
    if (!look.chunk_look) {
        const int filled = ProgressFillLength(w, look.low, look.high, look.pos);
        const auto full = frame(2);
        if (filled > 0 && full) {
            std::vector<Blit> blits = NineSliceBlits(filled, h, *full, look.bar_margins, look.bar_tile);
            DrawKeyed(*look.bar, blits, out);
        }
    } else {
        const int filled = ProgressChunkLength(w, look.high, look.pos);
        DrawKeyed(*look.chunk,
                  ProgressChunkBlits(w, h, filled, look.chunk->width(), look.chunk->height(), look.chunk_margins,
                                     look.chunk_tile),
                  out);
    }
    if (look.vertical) RotateBitmapLeft(out);
    return out;
}

int MulDivRounded(int a, int b, int c) {
    if (c == 0) return 0;
    const std::int64_t n = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
    const bool negative = (n < 0) != (c < 0);
    const std::int64_t an = n < 0 ? -n : n, ac = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t q = (an + half) / ac;
    return static_cast<int>(negative ? -q : q);
}

int ProgressFillLength(int length, int low, int high, int pos) {
    if (length <= 0 || high <= low || pos <= low) return 0;
    const std::int64_t span = static_cast<std::int64_t>(high) - low;
    const std::int64_t done = std::min<std::int64_t>(static_cast<std::int64_t>(pos) - low, span);
    return static_cast<int>((static_cast<std::int64_t>(length) * done + span / 2) / span);
}

int ProgressChunkLength(int length, int high, int pos) {
    if (length <= 0 || high <= 0 || pos <= 0) return 0;
    return std::clamp(MulDivRounded(length, std::min(pos, high), high), 0, length);
}

std::vector<Blit> ProgressChunkBlits(int bar_width, int bar_height, int filled, int chunk_width, int chunk_height,
                                     const Margins& m, bool tile) {
    std::vector<Blit> out;
    if (bar_width <= 0 || bar_height <= 0 || filled <= 0 || chunk_width <= 0 || chunk_height <= 0) return out;
    const Rect bar{0, 0, bar_width, bar_height};
    const Rect chunk{0, 0, chunk_width, chunk_height};
    if (tile) {
        const int x0 = m.left + 2, y = (bar_height - chunk_height) / 2;
        const Rect strip{x0, y, std::min(x0 + filled, bar_width), y + chunk_height};
        for (int x = 0; x < filled; x += chunk_width) {
            const int left = x0 + x;
            const int right = std::min(left + chunk_width, strip.right);
            if (right <= left) break;
            AddClipped(out, {0, 0, right - left, chunk_height}, {left, y, right, y + chunk_height}, bar);
        }
        return out;
    }
    const Rect dest{2, 2, 2 + std::min(filled, bar_width - 4), bar_height - 2};
    if (dest.width() <= 0 || dest.height() <= 0) return out;
    for (const Blit& b : StretchedBarBlits(dest, chunk, m.left, m.right)) AddClipped(out, b.src, b.dst, bar);
    return out;
}

Rect VerticalChannelRect(const Rect& r) {
    if (r.height() > r.width()) return r;
    return {r.top, r.left, r.bottom, r.right};
}

std::vector<Blit> ChannelBlits(const Rect& c, int w, int h, const Margins& m, bool vertical) {
    std::vector<Blit> out;
    if (w <= 0 || h <= 0 || c.width() <= 0 || c.height() <= 0) return out;
    auto add = [&out](const Rect& src, const Rect& dst) {
        if (src.width() > 0 && src.height() > 0 && dst.width() > 0 && dst.height() > 0) out.push_back({src, dst});
    };
    if (vertical) {
        const int T = std::clamp(m.top, 0, h), B = std::clamp(m.bottom, 0, h - T);
        const int x = w < c.width() ? c.left + (c.width() - w) / 2 : c.left;
        const int top = std::min(T, c.height()), bottom = std::min(B, c.height() - top);
        add({0, 0, w, T}, {x, c.top, x + w, c.top + top});
        add({0, T, w, h - B}, {x, c.top + top, x + w, c.bottom - bottom});
        add({0, h - B, w, h}, {x, c.bottom - bottom, x + w, c.bottom});
        return out;
    }
    const int L = std::clamp(m.left, 0, w), R = std::clamp(m.right, 0, w - L);
    const int y = h < c.height() ? c.top + (c.height() - h) / 2 : c.top;
    const int left = std::min(L, c.width()), right = std::min(R, c.width() - left);
    add({0, 0, L, h}, {c.left, y, c.left + left, y + h});
    add({L, 0, w - R, h}, {c.left + left, y, c.right - right, y + h});
    add({w - R, 0, w, h}, {c.right - right, y, c.right, y + h});
    return out;
}

} // namespace skin
