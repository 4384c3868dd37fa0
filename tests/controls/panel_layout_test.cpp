// The panel family's geometry: border thickness, the rectangle inside the borders, bounds that
// keep their aligned edge, the group box's client area, grid lines and resize strips.
#include <gtest/gtest.h>

#include "controls/model/panel_layout.h"

using namespace ec;
using ui::Rect;
using S = TFrameStyleEx;

namespace {

TEST(EcPanelLayout, ThicknessOfEveryFrameStyle) {
    const std::pair<S, int> cases[] = {
        {S::fsNone, 0},    {S::fsFlat, 1},       {S::fsStatus, 3},    {S::fsPopup, 3},
        {S::fsGroove, 2},  {S::fsBump, 2},       {S::fsLowered, 2},   {S::fsButtonDown, 2},
        {S::fsRaised, 2},  {S::fsButtonUp, 2},   {S::fsFlatBold, 2},  {S::fsFlatRounded, 2},
    };
    for (const auto& [style, thickness] : cases) EXPECT_EQ(frame_style_thickness(style, 3), thickness) << int(style);
}

TEST(EcPanelLayout, AdjustRectForBordersTakesSidesAndBand) {
    struct Case {
        const char* what;
        PanelBorders borders;
        bool with_band;
        Rect inner;
    };
    const Case cases[] = {
        {"raised outer, no inner: 2 on each side", {S::fsRaised, S::fsNone, kAllSides, 0, 1}, false, {2, 2, 98, 48}},
        {"top only", {S::fsRaised, S::fsNone, TSides{TSide::sdTop}, 0, 1}, false, {0, 2, 100, 50}},
        {"band counts when asked", {S::fsFlat, S::fsLowered, kAllSides, 5, 1}, true, {8, 8, 92, 42}},
        {"band left out", {S::fsFlat, S::fsLowered, kAllSides, 5, 1}, false, {3, 3, 97, 47}},
        {"band on all sides, frames on the left only", {S::fsPopup, S::fsStatus, TSides{TSide::sdLeft}, 1, 4}, true,
         {9, 1, 99, 49}},
    };
    for (const Case& c : cases) EXPECT_EQ(adjust_rect_for_borders({0, 0, 100, 50}, c.borders, c.with_band), c.inner) << c.what;
}

TEST(EcPanelLayout, KeepEdgeBoundsHoldTheAlignedEdge) {
    const Rect old{10, 100, 210, 140};
    EXPECT_EQ(keep_edge_bounds(ui::TAlign::alBottom, old, {10, 100, 210, 160}), (Rect{10, 80, 210, 140}));
    EXPECT_EQ(keep_edge_bounds(ui::TAlign::alRight, old, {10, 100, 160, 140}), (Rect{60, 100, 210, 140}));
    // Other alignments, and an unchanged size, take the bounds as given.
    EXPECT_EQ(keep_edge_bounds(ui::TAlign::alTop, old, {10, 100, 210, 160}), (Rect{10, 100, 210, 160}));
    EXPECT_EQ(keep_edge_bounds(ui::TAlign::alBottom, old, {0, 90, 300, 130}), (Rect{0, 90, 300, 130}));
}

TEST(EcPanelLayout, GroupBoxClientTopByStyle) {
    using G = TEcGroupBoxStyle;
    struct Case {
        G style;
        int border_width;
        bool caption;
        Rect client;
    };
    const Case cases[] = {
        {G::gsStandard, 0, true, {2, 15, 98, 98}},  // 13 + 2
        {G::gsFlat, 0, true, {1, 14, 99, 99}},
        {G::gsBanner, 0, true, {0, 21, 100, 100}},  // 13 + 8
        {G::gsUnderline, 0, true, {0, 17, 100, 100}},
        {G::gsTopLine, 0, true, {0, 13, 100, 100}},
        {G::gsCustom, 0, true, {2, 15, 98, 98}},
        {G::gsCustom, 0, false, {2, 2, 98, 98}},
        {G::gsStandard, 8, true, {2, 7, 98, 98}},  // half the text above a wide band
    };
    for (const Case& c : cases)
        EXPECT_EQ(group_box_client_rect({0, 0, 100, 100}, c.style, 13, c.border_width, c.caption), c.client)
            << int(c.style) << " band " << c.border_width;
}

TEST(EcPanelLayout, GridLinesAtTheEndOfEachCell) {
    EXPECT_EQ(grid_lines(2, 20, 8), (std::vector<int>{9, 17}));
    EXPECT_TRUE(grid_lines(2, 20, 0).empty());
    EXPECT_TRUE(grid_lines(0, 7, 8).empty());
}

TEST(EcPanelLayout, ResizeUncoversOnlyTheEdgeStrips) {
    const Rect inner{2, 2, 98, 48};
    EXPECT_EQ(resize_repaint_strips(100, 50, 120, 50, inner, 1, 1), (std::vector<Rect>{{97, 0, 100, 50}}));
    EXPECT_EQ(resize_repaint_strips(100, 50, 100, 30, inner, 1, 1), (std::vector<Rect>{{0, 47, 100, 50}}));
    EXPECT_EQ(resize_repaint_strips(100, 50, 90, 60, inner, 1, 1), (std::vector<Rect>{{97, 0, 100, 50}, {0, 47, 100, 50}}));
    EXPECT_TRUE(resize_repaint_strips(100, 50, 100, 50, inner, 1, 1).empty());
}

} // namespace
