#include "controls/model/tab_shapes.h"

#include <algorithm>

namespace ec {

std::vector<TabPoint> tab_shape_points(TEcTabStyle style, bool soft, int cut, const ui::Rect& rc) {
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom, H = B - T;
    switch (style) {
    case TEcTabStyle::tsSingleSlant:
        if (soft) return {{L, B}, {L, T + 2}, {L + 2, T}, {R - H - 4, T}, {R - H + 2, T + 2}, {R, B}};
        return {{L, B}, {L, T + 2}, {L + 2, T}, {R - H, T}, {R, B}};
    case TEcTabStyle::tsDoubleSlant:
        if (soft) return {{L, B}, {L + H - 2, T + 2}, {L + H + 4, T}, {R - H - 4, T}, {R - H + 2, T + 2}, {R, B}};
        return {{L, B}, {L + H, T}, {R - H, T}, {R, B}};
    case TEcTabStyle::tsCutCorner: return {{L, B}, {L, T}, {R - cut, T}, {R, T + cut}, {R, B}};
    case TEcTabStyle::tsRoundCorners: return {{L, B}, {L, T + 2}, {L + 2, T}, {R - 2, T}, {R, T + 2}, {R, B}};
    case TEcTabStyle::tsBackSlant:
        if (soft) return {{L, B}, {L + H - 2, T + 2}, {L + H + 4, T}, {R - 2, T}, {R, T + 2}, {R, B}};
        return {{L, B}, {L + H, T}, {R - 2, T}, {R, T + 2}, {R, B}};
    }
    return {};
}

std::size_t tab_shape_point_count(TEcTabStyle style, bool soft) {
    switch (style) {
    case TEcTabStyle::tsSingleSlant: return soft ? 6 : 5;
    case TEcTabStyle::tsDoubleSlant: return soft ? 6 : 4;
    case TEcTabStyle::tsCutCorner: return 5;
    case TEcTabStyle::tsRoundCorners: return 6;
    case TEcTabStyle::tsBackSlant: return soft ? 6 : 5;
    }
    return 0;
}

bool OutlineCommands::has_shadow() const {
    for (std::size_t i = 0; i < codes.size();) {
        const std::int32_t c = codes[i];
        if (c == kOutlineShadow30 || c == kOutlineShadow15) return true;
        i += c >= kOutlineBegin ? 3 : 1;
    }
    return false;
}

namespace {

std::vector<TabPoint> logical_shape(const TabLayout& layout, int index, int selected, bool soft) {
    const TabSettings& s = layout.settings;
    std::vector<TabPoint> pts = tab_shape_points(s.style, soft, s.cut_corner_size, layout.display_rect(index, selected));
    if (pts.size() != tab_shape_point_count(s.style, soft) || pts.size() < 3)
        throw EEcTabControlError("Incorrect number of points in tab shape");
    return pts;
}

} // namespace

void record_tab_outline(OutlineCommands& out, const TabLayout& layout, int index, int selected, bool soft) {
    const std::vector<TabPoint> p = logical_shape(layout, index, selected, soft);
    auto map = [&](TabPoint q) { return layout.logical_to_physical(q); };
    out.add(kOutlinePen);
    if (layout.settings.round()) {
        // The side toward the strip's end is doubled: it is where the next tab overlaps.
        if (layout.settings.orientation != TEcTabOrientation::toLeft) {
            out.move(map(p[4]));
            out.line(map(p[5]));
            out.move(map(p[4]));
            out.line(map(p[3]));
            out.move(map({p[4].x - 1, p[4].y}));
            out.line(map({p[5].x - 1, p[5].y}));
            out.move(map(p[3]));
            out.line(map(p[2]));
            out.line(map(p[1]));
            out.line(map(p[0]));
        } else {
            out.move(map(p[1]));
            out.line(map(p[0]));
            out.move(map(p[1]));
            out.line(map(p[2]));
            out.move(map({p[1].x + 1, p[1].y}));
            out.line(map({p[0].x + 1, p[0].y}));
            out.move(map(p[2]));
            out.line(map(p[3]));
            out.line(map(p[4]));
            out.line(map(p[5]));
        }
        return;
    }
    out.move(map(p.front()));
    for (std::size_t i = 1; i < p.size(); ++i) out.line(map(p[i]));
}

namespace {

void record_shadow(OutlineCommands& out, TabPoint TR, TabPoint BR, TabPoint BL) {
    out.move({TR.x - 1, TR.y + 1});
    out.add(kOutlineShadow30, {BR.x - 1, BR.y - 1});
    out.add(kOutlineShadow30, {BL.x, BL.y - 1});
    out.move({TR.x - 1, TR.y});
    out.add(kOutlineShadow15, TR);
    out.add(kOutlineShadow15, BR);
    out.add(kOutlineShadow15, BL);
    out.add(kOutlineShadow15, {BL.x, BL.y - 1});
}

} // namespace

void record_card_frame(OutlineCommands& out, const TabLayout& layout, int row, int selected, bool selected_shown,
                       bool soft, bool with_shadow) {
    const TabSettings& s = layout.settings;
    const ui::Rect c = layout.card_rect(row);
    const TabPoint TL{c.left, c.top}, TR{c.right, c.top}, BR{c.right, c.bottom}, BL{c.left, c.bottom};
    const bool top_shadow = s.orientation == TEcTabOrientation::toTop && !s.reverse() && s.show_shadow;
    auto shadow = [&] {
        if (with_shadow) record_shadow(out, TR, BR, BL);
    };
    out.add(kOutlinePen);
    if (selected < 0 || !selected_shown || row != 0) {
        if (top_shadow) {
            out.move(TL);
            out.line({TR.x - 2, TR.y});
            out.line({BR.x - 2, BR.y - 2});
            out.line({BL.x, BL.y - 2});
            out.line(TL);
            shadow();
        } else {
            out.move(TL);
            out.line(TR);
            if (s.show_full_frame) {
                out.line(BR);
                out.line(BL);
                out.line(TL);
            }
        }
        return;
    }

    // The selected tab's base stays open: tab and card make one outline.
    const std::vector<TabPoint> p = logical_shape(layout, selected, selected, soft);
    const TabPoint A = layout.logical_to_physical(TabPoint{p.front().x + 1, p.front().y});
    const TabPoint Z = layout.logical_to_physical(p.back());
    const bool full = s.show_full_frame;
    auto mv = [&](int x, int y) { out.move({x, y}); };
    auto ln = [&](int x, int y) { out.line({x, y}); };
    switch (s.orientation) {
    case TEcTabOrientation::toTop:
        if (!s.round()) {
            if (top_shadow) {
                mv(TL.x, TL.y), ln(A.x, A.y), mv(Z.x, Z.y), ln(TR.x - 2, TR.y);
                if (full) ln(BR.x - 2, BR.y - 2), ln(BL.x, BL.y - 2), ln(TL.x, TL.y - 1);
                shadow();
            } else if (full) {
                mv(TL.x, TL.y), ln(A.x, A.y), mv(Z.x, Z.y), ln(TR.x, TR.y), ln(BR.x, BR.y), ln(BL.x, BL.y), ln(TL.x, TL.y);
            } else {
                mv(TL.x, TL.y), ln(A.x, A.y), mv(Z.x, Z.y), ln(TR.x + 1, TR.y);
            }
        } else if (top_shadow) {
            mv(BL.x, BL.y - 2), ln(TL.x, TL.y), ln(A.x, A.y), mv(Z.x, Z.y), ln(TR.x - 2, TR.y), ln(BR.x - 2, BR.y - 2),
                ln(BL.x - 1, BL.y - 2);
            shadow();
            out.add(kOutlinePen);
            mv(Z.x, Z.y), ln(Z.x, Z.y), ln(Z.x + 1, Z.y);
        } else if (full) {
            mv(BL.x, BL.y), ln(TL.x, TL.y), ln(A.x, A.y), mv(Z.x, Z.y), ln(TR.x, TR.y), ln(BR.x, BR.y), ln(BL.x - 1, BL.y),
                mv(Z.x, Z.y), ln(Z.x, Z.y), ln(Z.x + 1, Z.y);
        } else {
            mv(TL.x, TL.y), ln(A.x, A.y), mv(Z.x, Z.y), ln(TR.x + 1, TR.y), mv(Z.x, Z.y), ln(Z.x, Z.y), ln(Z.x + 1, Z.y);
        }
        break;
    case TEcTabOrientation::toLeft:
        if (!s.round()) {
            if (full) mv(TL.x, TL.y), ln(TR.x, TR.y), ln(BR.x, BR.y), ln(BL.x, BL.y), ln(A.x, A.y), mv(Z.x, Z.y), ln(TL.x, TL.y);
            else mv(BL.x - 1, BL.y), ln(A.x - 1, A.y), mv(Z.x - 1, Z.y), ln(TL.x - 1, TL.y - 1);
        } else {
            if (full) mv(BL.x, BL.y), ln(A.x, A.y), mv(Z.x, Z.y), ln(TL.x, TL.y), ln(TR.x, TR.y), ln(BR.x, BR.y), ln(BL.x - 1, BL.y);
            else mv(BL.x - 1, BL.y), ln(A.x - 1, A.y), mv(Z.x - 1, Z.y), ln(TL.x - 1, TL.y);
        }
        break;
    case TEcTabOrientation::toBottom:
        if (!s.round()) {
            if (full) mv(TL.x, TL.y), ln(TR.x, TR.y), ln(BR.x, BR.y), ln(Z.x - 1, Z.y), mv(A.x - 1, Z.y), ln(BL.x, BL.y), ln(TL.x, TL.y);
            else mv(BR.x, BR.y + 1), ln(Z.x - 1, Z.y + 1), mv(A.x - 1, Z.y + 1), ln(BL.x - 1, BL.y + 1);
        } else {
            if (full) mv(BL.x, BL.y), ln(TL.x, TL.y), ln(TR.x, TR.y), ln(BR.x, BR.y), ln(Z.x - 1, Z.y), mv(A.x - 1, A.y), ln(BL.x, BL.y);
            else mv(BR.x, BR.y + 1), ln(Z.x - 1, Z.y + 1), mv(A.x - 1, Z.y + 1), ln(BL.x - 1, BL.y + 1);
        }
        break;
    case TEcTabOrientation::toRight:
        if (!s.round()) {
            if (full) mv(TL.x, TL.y), ln(TR.x, TR.y), ln(A.x, A.y), mv(Z.x, Z.y), ln(BR.x, BR.y), ln(BL.x, BL.y), ln(TL.x, TL.y);
            else mv(TR.x + 1, TR.y), ln(A.x + 1, A.y), mv(Z.x + 1, Z.y), ln(BR.x + 1, BR.y + 1);
        } else {
            if (full)
                mv(BL.x, BL.y), ln(TL.x, TL.y), ln(TR.x + 1, TR.y), mv(TR.x, TR.y), ln(A.x, A.y), mv(Z.x, Z.y), ln(BR.x, BR.y),
                    ln(BL.x - 1, BL.y);
            else mv(TR.x + 1, TR.y), ln(A.x + 1, A.y), mv(Z.x + 1, Z.y), ln(BR.x + 1, BR.y + 1);
        }
        break;
    }
}

void TEcTabRegionCache::set_capacity(int v) {
    if (v == 0 || v < -1) throw EEcTabControlError("Capacity must be -1 (to cache all regions) or > 0");
    capacity_ = v;
    trim();
}

TabRegion* TEcTabRegionCache::find(const ui::Rect& r) const {
    for (const Item& item : items_)
        if (item.rect == r) return item.region.get();
    return nullptr;
}

TabRegion* TEcTabRegionCache::add(const ui::Rect& r, std::unique_ptr<TabRegion> region) {
    TabRegion* held = region.get();
    items_.push_front(Item{r, std::move(region)});
    trim();
    return held;
}

// Frees from the least recently used end until the count fits, not merely one item.
void TEcTabRegionCache::trim() {
    if (capacity_ == -1) return;
    while (items_.size() > static_cast<std::size_t>(capacity_)) items_.pop_back();
}

std::vector<ui::Rect> TEcTabRegionCache::rects() const {
    std::vector<ui::Rect> out;
    for (const Item& item : items_) out.push_back(item.rect);
    return out;
}

} // namespace ec
