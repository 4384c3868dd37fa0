// The status bar's and its panes' geometry: the grip's edge and squares, the client area,
// proportional pane widths (also from a bar that had no width), a pane's auto width, caption
// rectangle and anchor, the glyph's place and the pass-through zone of the grip.
#include <gtest/gtest.h>

#include "controls/model/status_geometry.h"

using namespace ec;
using ui::Rect;

namespace {

TEST(EcStatusGeometry, GripStartsThirteenPixelsFromTheRightEdge) {
    const struct {
        int x;
        bool in;
    } cases[] = {{400 - 14, false}, {400 - 13, true}, {399, true}, {400, false}, {0, false}};
    for (const auto& c : cases) EXPECT_EQ(in_size_grip(c.x, 5, 400, 19), c.in) << c.x;
    EXPECT_FALSE(in_size_grip(395, 19, 400, 19)) << "below the bar";
    EXPECT_FALSE(in_size_grip(395, -1, 400, 19)) << "above the bar";
    EXPECT_EQ(size_grip_rect(400, 19), (Rect{387, 0, 400, 19}));
}

TEST(EcStatusGeometry, GripSquaresLightThenDarkOnePixelUpAndLeft) {
    const auto squares = size_grip_squares({0, 0, 100, 18});
    const Rect light[] = {{95, 6, 97, 8}, {95, 10, 97, 12}, {95, 14, 97, 16},
                          {91, 10, 93, 12}, {91, 14, 93, 16}, {87, 14, 89, 16}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(squares[static_cast<std::size_t>(i)], light[i]) << i;
        const Rect& l = light[i];
        EXPECT_EQ(squares[static_cast<std::size_t>(i + 6)], (Rect{l.left - 1, l.top - 1, l.right - 1, l.bottom - 1})) << i;
    }
}

TEST(EcStatusGeometry, ClientRectWithAndWithoutTheThemeLibrary) {
    const Rect panel{0, 0, 200, 19};
    EXPECT_EQ(status_bar_client_rect(panel, false, false), (Rect{-1, 1, 201, 20}));
    EXPECT_EQ(status_bar_client_rect(panel, false, true), (Rect{0, 2, 200, 20}));
    EXPECT_EQ(status_bar_client_rect(panel, true, false), panel);
    EXPECT_EQ(status_bar_client_rect(panel, true, true), (Rect{1, 1, 199, 19}));
}

TEST(EcStatusGeometry, PanesGrowByTheirShareOfTheChange) {
    const struct {
        const char* what;
        int pane, change, previous, expected;
    } cases[] = {
        {"400 to 500 widens 100 to 125", 100, 100, 400, 125},
        {"shrinking narrows", 100, -100, 400, 75},
        {"a half rounds to even (down)", 100, 5, 200, 102},
        {"a half rounds to even (up)", 100, 3, 200, 102},
        {"no change", 100, 0, 400, 100},
        {"never below 0", 100, -900, 400, 0},
        {"a bar that had no width leaves the pane", 100, 500, 0, 100},
        {"nor a negative previous width", 100, 500, -3, 100},
    };
    for (const auto& c : cases) EXPECT_EQ(scaled_pane_width(c.pane, c.change, c.previous), c.expected) << c.what;
}

TEST(EcStatusGeometry, FrameInsetOfEachStyle) {
    using S = TFrameStyle;
    const std::pair<S, int> cases[] = {{S::fsNone, 1},    {S::fsFlat, 2},       {S::fsStatus, 2},  {S::fsPopup, 2},
                                       {S::fsGroove, 3},  {S::fsBump, 3},       {S::fsLowered, 3}, {S::fsButtonDown, 3},
                                       {S::fsRaised, 3},  {S::fsButtonUp, 3},   {S::fsFlatBold, 3}};
    for (const auto& [style, inset] : cases) EXPECT_EQ(status_frame_inset(style, 1), inset) << int(style);
}

TEST(EcStatusGeometry, AutoWidthOfPlainAndGlyphPanes) {
    const PaneMetrics m;  // BorderWidth 1, CaptionOffset 2, DefaultWidth 40
    const PaneGlyph plain;
    EXPECT_EQ(status_pane_auto_width(false, 0, m, plain), 40) << "empty caption";
    EXPECT_EQ(status_pane_auto_width(true, 50, m, plain), 60) << "caption 50 wide";
    PaneGlyph g;
    g.glyph_pane = true;
    g.width = 16;
    EXPECT_EQ(status_pane_auto_width(true, 50, m, g), 60 + 2 + 16);
    g.show = false;
    EXPECT_EQ(status_pane_auto_width(true, 50, m, g), 60 + 2) << "the offset stays without the glyph";
}

TEST(EcStatusGeometry, CaptionRectLeavesTheGlyphItsSide) {
    PaneMetrics m;
    PaneGlyph g;
    EXPECT_EQ(status_caption_rect({0, 0, 100, 20}, m, g), (Rect{2, 2, 98, 18})) << "flat frame, border 1";
    g.glyph_pane = true;
    g.width = 16;
    EXPECT_EQ(status_caption_rect({0, 0, 100, 20}, m, g), (Rect{20, 2, 98, 18}));
    g.alignment = TGlyphAlignment::gaRight;
    EXPECT_EQ(status_caption_rect({0, 0, 100, 20}, m, g), (Rect{2, 2, 80, 18}));
    m.right_to_left = true;
    EXPECT_EQ(status_caption_rect({0, 0, 100, 20}, m, g), (Rect{20, 2, 98, 18})) << "sides swap";
}

TEST(EcStatusGeometry, CaptionAnchorByAlignmentMirroredForRightToLeft) {
    const Rect r{2, 2, 98, 18};
    const struct {
        TextAnchor align;
        bool rtl;
        int x;
        TextAnchor anchor;
    } cases[] = {
        {TextAnchor::Left, false, 5, TextAnchor::Left},     {TextAnchor::Right, false, 95, TextAnchor::Right},
        {TextAnchor::Center, false, 50, TextAnchor::Center}, {TextAnchor::Left, true, 95, TextAnchor::Right},
        {TextAnchor::Right, true, 5, TextAnchor::Left},      {TextAnchor::Center, true, 50, TextAnchor::Center},
    };
    for (const auto& c : cases) {
        const CaptionAnchor a = status_caption_anchor(r, c.align, c.rtl, 2, 13);
        EXPECT_EQ(a.x, c.x) << int(c.align) << c.rtl;
        EXPECT_EQ(a.anchor, c.anchor);
        EXPECT_EQ(a.y, 3);
    }
}

TEST(EcStatusGeometry, GlyphPlaceOnEitherSideAndLimitedInHeight) {
    PaneMetrics m;
    PaneGlyph g;
    g.glyph_pane = true;
    g.width = 16;
    g.height = 16;
    EXPECT_EQ(status_glyph_rect(100, 20, m, g), (Rect{4, 2, 20, 18})) << "left: offset, border, flat frame";
    g.alignment = TGlyphAlignment::gaRight;
    EXPECT_EQ(status_glyph_rect(100, 20, m, g), (Rect{100 - 16 - 2 - 1 - 2 + 1, 2, 96, 18}));
    m.frame_style = TFrameStyle::fsNone;
    g.alignment = TGlyphAlignment::gaLeft;
    EXPECT_EQ(status_glyph_rect(100, 20, m, g), (Rect{3, 2, 19, 18}));
    // A 25 x 33 pane without a frame (the call type's picture): the glyph keeps its height.
    EXPECT_EQ(status_glyph_rect(25, 33, m, g).top, 1 + (33 - 16 - 1 - 1) / 2);
    m.frame_style = TFrameStyle::fsGroove;
    EXPECT_EQ(status_glyph_rect(100, 12, m, g), (Rect{5, 3, 21, 9})) << "cut to the caption's 6 pixels";
}

TEST(EcStatusGeometry, GripPassThroughOnlyAtTheBarsRightEnd) {
    EXPECT_TRUE(in_grip_pass_through(500, 500, 488));
    EXPECT_FALSE(in_grip_pass_through(500, 500, 487));
    EXPECT_FALSE(in_grip_pass_through(500, 500, 500));
    EXPECT_FALSE(in_grip_pass_through(490, 500, 489)) << "a pane short of the edge keeps its hits";
}

} // namespace
