#include "skin/tab_faces.h"

#include <algorithm>

#include "skin/pixel_transforms.h"

namespace skin {

TabSide TabSideOf(unsigned long style) {
    const bool bottom = (style & 0x2) != 0, vertical = (style & 0x80) != 0;
    if (vertical) return bottom ? TabSide::kRight : TabSide::kLeft;
    return bottom ? TabSide::kBottom : TabSide::kTop;
}

bool Sideways(TabSide side) { return side == TabSide::kLeft || side == TabSide::kRight; }

Rect TabPaneRect(const Rect& d, TabSide side) {
    Rect p{d.left - 4, d.top - 4, d.right + 4, d.bottom + 4};
    switch (side) {
    case TabSide::kTop: p.top += 1; break;
    case TabSide::kBottom: p.bottom -= 1; break;
    case TabSide::kLeft: p.left += 1; break;
    case TabSide::kRight: p.right -= 1; break;
    }
    return p;
}

Rect TabBandRect(int width, int height, const Rect& pane, TabSide side) {
    switch (side) {
    case TabSide::kTop: return {0, 0, width, std::clamp(pane.top, 0, height)};
    case TabSide::kBottom: return {0, std::clamp(pane.bottom, 0, height), width, height};
    case TabSide::kLeft: return {0, 0, std::clamp(pane.left, 0, width), height};
    case TabSide::kRight: return {std::clamp(pane.right, 0, width), 0, width, height};
    }
    return {};
}

Size2i FlatBandSize(const Rect& band, TabSide side) {
    if (Sideways(side)) return {band.height(), band.width()};
    return {band.width(), band.height()};
}

Rect TabInFlatBand(const Rect& t, const Rect& band, const Rect& pane, TabSide side) {
    switch (side) {
    case TabSide::kTop: return {t.left, t.top + 1, t.right, t.bottom + 1};
    case TabSide::kBottom: return {t.left, t.top - pane.bottom - 1, t.right, t.bottom - pane.bottom - 1};
    case TabSide::kLeft: {
        // Turned counter-clockwise afterwards: flat (x, y) lands on (y, H - 1 - x).
        const int H = band.height();
        return {H - (t.bottom - band.top), t.left - band.left, H - (t.top - band.top), t.right - band.left};
    }
    case TabSide::kRight: {
        // Turned clockwise afterwards: flat (x, y) lands on (Wb - 1 - y, x), Wb the band's width.
        const int Wb = band.width();
        return {t.top - band.top, Wb - (t.right - band.left), t.bottom - band.top, Wb - (t.left - band.left)};
    }
    }
    return t;
}

void TurnBandBack(Image32& band, TabSide side) {
    if (side == TabSide::kLeft) RotateBitmapLeft(band);
    else if (side == TabSide::kRight) RotateBitmapRight(band);
}

void OrientStrip(Image32& strip, TabSide side) {
    if (side == TabSide::kBottom) FlipBitmap(strip);
}

void OrientPane(Image32& pane, TabSide side) {
    switch (side) {
    case TabSide::kBottom: FlipBitmap(pane); break;
    case TabSide::kLeft: RotateBitmapLeft(pane); break;
    case TabSide::kRight: RotateBitmapRight(pane); break;
    case TabSide::kTop: break;
    }
}

std::vector<TabSetTab> FitTabSet(const std::vector<int>& widths, int first, int width, int height, int start_margin,
                                 int end_margin, bool scroller_visible) {
    std::vector<TabSetTab> out;
    const int limit = width - end_margin - (scroller_visible ? 21 : 0);
    int x = start_margin;
    for (int i = std::max(first, 0); i < static_cast<int>(widths.size()); ++i) {
        const int need = std::max(widths[static_cast<std::size_t>(i)], 0) + 9;
        if (x + need > limit) break;
        out.push_back({i, {x, 0, x + need, height}});
        x += need;
    }
    return out;
}

Image32 AdvPageTabPicture(const Image32& strip, int frames, int index, const Margins& m, bool tile) {
    const auto frame = FrameRect(strip.width(), strip.height(), frames, index, false);
    if (!frame) return {};
    Image32 out(kAdvTabWidth, kAdvTabHeight, kKeyPixel);
    DrawBlits(strip, NineSliceBlits(kAdvTabWidth, kAdvTabHeight, *frame, m, tile), out);
    return out;
}

} // namespace skin
