#include <gtest/gtest.h>

#include "skin/tab_faces.h"
#include "tests/skin/pixel_maps.h"

namespace {

using skin::Rect;
using skin::TabSide;
using skin_test::PixelMap;

TEST(TabBand, SideFromStyleAndPaneMovedTowardTheTabs) {
    EXPECT_EQ(skin::TabSideOf(0), TabSide::kTop);
    EXPECT_EQ(skin::TabSideOf(0x2), TabSide::kBottom);
    EXPECT_EQ(skin::TabSideOf(0x80), TabSide::kLeft);
    EXPECT_EQ(skin::TabSideOf(0x82), TabSide::kRight);
    const Rect display{10, 30, 190, 140};
    EXPECT_EQ(skin::TabPaneRect(display, TabSide::kTop), (Rect{6, 27, 194, 144}));
    EXPECT_EQ(skin::TabPaneRect(display, TabSide::kBottom), (Rect{6, 26, 194, 143}));
    EXPECT_EQ(skin::TabPaneRect(display, TabSide::kLeft), (Rect{7, 26, 194, 144}));
    EXPECT_EQ(skin::TabPaneRect(display, TabSide::kRight), (Rect{6, 26, 193, 144}));
    const Rect pane{20, 25, 170, 130};
    EXPECT_EQ(skin::TabBandRect(200, 150, pane, TabSide::kTop), (Rect{0, 0, 200, 25}));
    EXPECT_EQ(skin::TabBandRect(200, 150, pane, TabSide::kBottom), (Rect{0, 130, 200, 150}));
    EXPECT_EQ(skin::TabBandRect(200, 150, pane, TabSide::kLeft), (Rect{0, 0, 20, 150}));
    EXPECT_EQ(skin::TabBandRect(200, 150, pane, TabSide::kRight), (Rect{170, 0, 200, 150}));
    // A pane outside the window gives an empty band, never one reaching outside.
    EXPECT_EQ(skin::TabBandRect(200, 150, Rect{-10, -10, 300, 300}, TabSide::kTop), (Rect{0, 0, 200, 0}));
    EXPECT_EQ(skin::FlatBandSize({170, 0, 200, 150}, TabSide::kRight).width, 150);
    EXPECT_EQ(skin::FlatBandSize({170, 0, 200, 150}, TabSide::kRight).height, 30);
}

// Paints a tab (letters a..d from its outer side in) into a flat band, turns the band back and
// reads where it landed in the window's band.
PixelMap FlatTabTurnedBack(TabSide side, const Rect& band, const Rect& tab) {
    const Rect pane{};
    const skin::Size2i size = skin::FlatBandSize(band, side);
    skin::Image32 flat(size.width, size.height, 0);
    const Rect t = skin::TabInFlatBand(tab, band, pane, side);
    for (int y = t.top; y < t.bottom; ++y)
        for (int x = t.left; x < t.right; ++x) flat.set(x, y, skin_test::CellPixel(static_cast<char>('a' + (y - t.top))));
    skin::TurnBandBack(flat, side);
    PixelMap out = skin_test::MapOf(flat);
    for (std::string& row : out)
        for (char& c : row)
            if (c == '?') c = '.';
    return out;
}

TEST(TabBand, SidewaysTabsLandWhereTheControlHasThemWithTheirOuterSideOut) {
    // A band 4 wide and 6 high; the tab covers rows 1..3 of it, all 4 columns.
    EXPECT_EQ(FlatTabTurnedBack(TabSide::kLeft, {0, 0, 4, 6}, {0, 1, 4, 4}), (PixelMap{
                                                                                 "....",
                                                                                 "abcd",
                                                                                 "abcd",
                                                                                 "abcd",
                                                                                 "....",
                                                                                 "....",
                                                                             }));
    // The right band starts at x 100 of the window; its outer side is the right.
    EXPECT_EQ(FlatTabTurnedBack(TabSide::kRight, {100, 0, 104, 6}, {100, 2, 104, 5}), (PixelMap{
                                                                                          "....",
                                                                                          "....",
                                                                                          "dcba",
                                                                                          "dcba",
                                                                                          "dcba",
                                                                                          "....",
                                                                                      }));
    // Narrow tabs: only part of the band's depth.
    EXPECT_EQ(FlatTabTurnedBack(TabSide::kLeft, {0, 0, 4, 6}, {1, 0, 3, 2}), (PixelMap{
                                                                                 ".ab.",
                                                                                 ".ab.",
                                                                                 "....",
                                                                                 "....",
                                                                                 "....",
                                                                                 "....",
                                                                             }));
    EXPECT_EQ(FlatTabTurnedBack(TabSide::kRight, {100, 0, 104, 6}, {101, 4, 104, 6}), (PixelMap{
                                                                                          "....",
                                                                                          "....",
                                                                                          "....",
                                                                                          "....",
                                                                                          ".cba",
                                                                                          ".cba",
                                                                                      }));
}

TEST(TabBand, TopAndBottomTabsMoveTowardThePane) {
    const Rect tab{10, 2, 60, 22};
    EXPECT_EQ(skin::TabInFlatBand(tab, {0, 0, 200, 25}, {}, TabSide::kTop), (Rect{10, 3, 60, 23}));
    const Rect pane{0, 0, 200, 130};
    EXPECT_EQ(skin::TabInFlatBand({10, 132, 60, 150}, {0, 130, 200, 150}, pane, TabSide::kBottom), (Rect{10, 1, 60, 19}));
}

TEST(TabBand, PicturesOrientedPerSide) {
    const PixelMap pane = {"abc", "def"};
    struct Case {
        TabSide side;
        PixelMap strip, pane;
    };
    const Case cases[] = {
        {TabSide::kTop, {"abc", "def"}, {"abc", "def"}},
        {TabSide::kBottom, {"def", "abc"}, {"def", "abc"}},
        {TabSide::kLeft, {"abc", "def"}, {"cf", "be", "ad"}},
        {TabSide::kRight, {"abc", "def"}, {"da", "eb", "fc"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.side));
        skin::Image32 s = skin_test::ImageOf(pane), p = skin_test::ImageOf(pane);
        skin::OrientStrip(s, c.side);
        skin::OrientPane(p, c.side);
        EXPECT_EQ(skin_test::MapOf(s), c.strip);
        EXPECT_EQ(skin_test::MapOf(p), c.pane);
    }
}

TEST(TabSet, DrawsEveryTabThatFitsWithNinePixelsToSpare) {
    const std::vector<int> texts = {20, 30, 11, 40};
    struct Case {
        const char* name;
        int first, width, start, end;
        bool scroller;
        std::vector<int> shown;
        int last_right;
    };
    const Case cases[] = {
        // 5 + 29 + 39 + 20 = 93: the third tab ends exactly at the limit.
        {"exactly fits", 0, 98, 5, 5, false, {0, 1, 2}, 93},
        {"one pixel short", 0, 97, 5, 5, false, {0, 1}, 73},
        {"a visible scroller takes 21", 0, 119, 5, 5, true, {0, 1, 2}, 93},
        {"from FirstIndex", 2, 200, 0, 0, false, {2, 3}, 69},
        {"FirstIndex past the end", 7, 200, 0, 0, false, {}, 0},
        {"negative FirstIndex starts at the first", -3, 40, 0, 0, false, {0}, 29},
        {"a wide tab stops the row", 0, 60, 0, 0, false, {0}, 29},
        {"no room", 0, 10, 5, 5, false, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto tabs = skin::FitTabSet(texts, c.first, c.width, 20, c.start, c.end, c.scroller);
        std::vector<int> shown;
        for (const auto& t : tabs) shown.push_back(t.index);
        EXPECT_EQ(shown, c.shown);
        if (!tabs.empty()) {
            EXPECT_EQ(tabs.front().rect.left, c.start);
            EXPECT_EQ(tabs.back().rect.right, c.last_right);
            EXPECT_EQ(tabs.back().rect.bottom, 20);
        }
    }
    EXPECT_TRUE(skin::FitTabSet({}, 0, 100, 20, 0, 0, false).empty());
}

TEST(AdvPage, TabPicturesFromTheStripFrames) {
    const skin::Image32 strip = skin_test::ImageOf({"abcdef", "ghiabc"});
    const skin::Image32 first = skin::AdvPageTabPicture(strip, 2, 1, skin::Margins{1, 0, 1, 0}, false);
    ASSERT_EQ(first.width(), skin::kAdvTabWidth);
    ASSERT_EQ(first.height(), skin::kAdvTabHeight);
    EXPECT_EQ(first.at(0, 0), skin_test::CellPixel('a'));
    EXPECT_EQ(first.at(50, 0), skin_test::CellPixel('b'));
    EXPECT_EQ(first.at(99, 20), skin_test::CellPixel('i'));
    const skin::Image32 second = skin::AdvPageTabPicture(strip, 2, 2, skin::Margins{1, 0, 1, 0}, false);
    EXPECT_EQ(second.at(0, 0), skin_test::CellPixel('d'));
    EXPECT_EQ(second.at(99, 20), skin_test::CellPixel('c'));
    EXPECT_TRUE(skin::AdvPageTabPicture(strip, 2, 3, {}, false).empty());
    EXPECT_TRUE(skin::AdvPageTabPicture({}, 2, 1, {}, false).empty());
}

} // namespace
