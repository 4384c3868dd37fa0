// The tab control's outlines without windows: the polygon of each tab style, the outlines of
// tabs and cards recorded as a command list that the painter replays, and the cache of tab
// clipping regions kept by exact rectangle.
#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "controls/model/tab_layout.h"

namespace ec {

// The shape of a tab in the logical layout; (l, t, r, b) with t the outer edge and b the base.
std::vector<TabPoint> tab_shape_points(TEcTabStyle style, bool soft_corners, int cut_corner_size, const ui::Rect& r);
// The number of shape points of a style.
std::size_t tab_shape_point_count(TEcTabStyle style, bool soft_corners);

// Outline drawing commands: a code, then x and y for codes 2 to 6.
enum TabOutlineCode : std::int32_t {
    kOutlinePen = 0,        // pen colour := the outline colour
    kOutlineNothing = 1,
    kOutlineBegin = 2,      // x: 0 tab, 1 card; y: the tab index or row. Outline colour := FlatColor.
    kOutlineMove = 3,
    kOutlineLine = 4,       // the end point itself is not drawn
    kOutlineShadow30 = 5,   // a shadow line of strength 30, both ends included
    kOutlineShadow15 = 6,
};

class OutlineCommands {
public:
    std::vector<std::int32_t> codes;
    void clear() { codes.clear(); }
    void add(TabOutlineCode code) { codes.push_back(code); }
    void add(TabOutlineCode code, TabPoint p) { codes.insert(codes.end(), {code, p.x, p.y}); }
    void move(TabPoint p) { add(kOutlineMove, p); }
    void line(TabPoint p) { add(kOutlineLine, p); }
    bool has_shadow() const;
};

// Records the outline of tab `index` through its shape points (already in the control); round
// tabs draw their doubled side as the style asks. Raises on a point count that does not match.
void record_tab_outline(OutlineCommands& out, const TabLayout& layout, int index, int selected, bool soft_corners);

// Records the frame of the card of `row`; a selected tab shown on the front card joins it.
// `with_shadow` false leaves the shadow out (a repaint of the hot tab alone).
void record_card_frame(OutlineCommands& out, const TabLayout& layout, int row, int selected, bool selected_shown,
                       bool soft_corners, bool with_shadow);

// A clipping region owned by the cache; the Win32 side holds a region handle.
class TabRegion {
public:
    virtual ~TabRegion() = default;
};

// Regions by exact tab rectangle, most recently used first.
class TEcTabRegionCache {
public:
    int capacity() const { return capacity_; }
    // -1 keeps every region; 0 and values below -1 raise.
    void set_capacity(int v);
    TabRegion* find(const ui::Rect& r) const;
    // Puts the region first; the cache then frees regions from the end until it fits.
    TabRegion* add(const ui::Rect& r, std::unique_ptr<TabRegion> region);
    void clear() { items_.clear(); }
    std::size_t count() const { return items_.size(); }
    // The rectangles in cache order.
    std::vector<ui::Rect> rects() const;

private:
    struct Item {
        ui::Rect rect{-1, -1, -1, -1};
        std::unique_ptr<TabRegion> region;
    };
    std::list<Item> items_;
    int capacity_ = 1;
    void trim();
};

} // namespace ec
