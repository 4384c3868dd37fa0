// The skinned menu bar's rules without windows: the row's start, the buttons' places, the hit
// test, the accelerators, and where keys and the mouse move a dropped menu.
#include <gtest/gtest.h>

#include "skin/menu_bar_layout.h"

namespace {

using skin::BarButtonSize;
using skin::BarKey;
using skin::Rect;
using skin::TrackedItem;

TEST(MenuBarLayout, StartOfTheRow) {
    struct Case {
        bool picture;
        int left, right, bar_width;
        bool rtl;
        int expected;
    } cases[] = {
        {false, 2, 2, 300, false, 6},  {false, 2, 2, 300, true, 6},  // no picture
        {true, 2, 2, 300, false, 6},   {true, 2, 5, 300, true, 13},  // left + 4, right + 8
        {true, 20, 2, 10, false, 12},  {true, 2, 20, 10, true, 12},  // a bar narrower than that
        {true, 0, 0, 0, false, 12},    {true, 0, 0, 4, false, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::MenuBarStartX(c.picture, c.left, c.right, c.bar_width, c.rtl), c.expected)
            << c.picture << " " << c.left << " " << c.right << " " << c.bar_width << " " << c.rtl;
}

TEST(MenuBarLayout, ButtonsFollowEachOther) {
    const Rect bar{4, 30, 304, 50};
    const std::vector<BarButtonSize> sizes{{30, false, true}, {0, true, true}, {20, false, false}, {40, false, true}};
    // Left to right from the start x; the empty caption takes no room, the hidden button none.
    const auto ltr = skin::LayoutMenuBar(sizes, bar, 6, false, bar.right);
    ASSERT_EQ(ltr.size(), 4u);
    EXPECT_EQ(ltr[0], (Rect{10, 30, 50, 49}));
    EXPECT_EQ(ltr[1], (Rect{50, 30, 50, 49}));
    EXPECT_EQ(ltr[2], (Rect{}));
    EXPECT_EQ(ltr[3], (Rect{50, 30, 100, 49}));
    // Right to left from the row's end leftwards; the end may be short of the bar's.
    const auto rtl = skin::LayoutMenuBar(sizes, bar, 6, true, 250);
    EXPECT_EQ(rtl[0], (Rect{204, 30, 244, 49}));
    EXPECT_EQ(rtl[3], (Rect{154, 30, 204, 49}));
    EXPECT_EQ(rtl[2], (Rect{}));
    // Nothing to lay out, and a bar of no height.
    EXPECT_TRUE(skin::LayoutMenuBar({}, bar, 6, false, bar.right).empty());
    EXPECT_EQ(skin::LayoutMenuBar({{10, false, true}}, {0, 0, 100, 0}, 6, false, 100)[0], (Rect{6, 0, 26, 0}));
    // Two hundred buttons run off the bar without overflowing.
    const auto many = skin::LayoutMenuBar(std::vector<BarButtonSize>(200, {1000, false, true}), bar, 6, false, bar.right);
    EXPECT_EQ(many.back(), (Rect{10 + 199 * 1010, 30, 10 + 200 * 1010, 49}));
}

TEST(MenuBarLayout, HitTest) {
    const std::vector<Rect> rects{{10, 30, 50, 49}, {50, 30, 50, 49}, {50, 30, 100, 49}, {100, 30, 140, 49}};
    const std::vector<bool> empty{false, true, false, true};
    struct Case {
        int x, y, expected;
    } cases[] = {
        {10, 30, 0}, {49, 48, 0}, {50, 30, 2}, {99, 40, 2},  // edges: left and top in, right and bottom out
        {9, 40, -1}, {20, 49, -1}, {20, 29, -1},             // outside
        {120, 40, -1},                                       // a button with an empty caption
    };
    for (const Case& c : cases) EXPECT_EQ(skin::MenuBarHitTest(rects, empty, c.x, c.y), c.expected) << c.x << "," << c.y;
    EXPECT_EQ(skin::MenuBarHitTest({}, {}, 0, 0), -1);
}

TEST(MenuBarText, CutNeverSplitsACharacter) {
    const std::u16string plain(100, u'a');
    EXPECT_EQ(skin::CutMenuText(plain, 80).size(), 80u);
    EXPECT_EQ(skin::CutMenuText(u"short", 80), u"short");
    // A character outside the basic plane straddling the limit is left out whole.
    std::u16string pairs(79, u'b');
    pairs += u"\U0001F600\U0001F600";
    EXPECT_EQ(skin::CutMenuText(pairs, 80), std::u16string(79, u'b'));
    std::u16string even(78, u'b');
    even += u"\U0001F600\U0001F600";
    EXPECT_EQ(skin::CutMenuText(even, 80), std::u16string(78, u'b') + u"\U0001F600");
    EXPECT_EQ(skin::CutMenuText(u"\U0001F600", 1), u"");
}

TEST(MenuBarKeys, Accelerators) {
    struct Case {
        const char16_t* caption;
        char16_t expected;
    } cases[] = {
        {u"&File", u'F'}, {u"e&dit", u'D'}, {u"&&Not&x", u'X'}, {u"&&", 0}, {u"&", 0}, {u"", 0}, {u"Plain", 0},
        {u"\u8BBE\u7F6E(&S)", u'S'}, {u"&\u8BBE", u'\u8BBE'},
    };
    for (const Case& c : cases) EXPECT_EQ(skin::CaptionAccelerator(c.caption), c.expected);

    const std::vector<skin::BarButtonKeys> bar{
        {u"&File", true, true}, {u"&Edit", false, true}, {u"&View", true, false}, {u"&Help", true, true}, {u"&Extra", true, true}};
    EXPECT_EQ(skin::ButtonForKey(bar, 0), 0);       // Alt or F10 alone
    EXPECT_EQ(skin::ButtonForKey(bar, u'f'), 0);
    EXPECT_EQ(skin::ButtonForKey(bar, u'H'), 3);
    EXPECT_EQ(skin::ButtonForKey(bar, u'e'), 4);    // the disabled Edit is passed over
    EXPECT_EQ(skin::ButtonForKey(bar, u'v'), -1);   // hidden
    EXPECT_EQ(skin::ButtonForKey(bar, u'q'), -1);
    EXPECT_EQ(skin::ButtonForKey({}, 0), -1);
}

TEST(MenuBarNavigation, ArrowsAlongTheBar) {
    const TrackedItem none{};
    const TrackedItem top_plain{true, false, true};
    const TrackedItem top_opener{true, true, true};
    const TrackedItem deep_plain{true, false, false};
    const TrackedItem deep_opener{true, true, false};
    struct Case {
        const char* name;
        BarKey key;
        int dropped, count;
        TrackedItem item;
        int expected;
    } cases[] = {
        {"left on the first drops the last", BarKey::kLeft, 0, 3, top_plain, 2},
        {"left in the middle", BarKey::kLeft, 1, 3, none, 0},
        {"left in a submenu closes it", BarKey::kLeft, 1, 3, deep_plain, -1},
        {"left on an opener of the dropped menu", BarKey::kLeft, 2, 3, top_opener, 1},
        {"right on the last drops the first", BarKey::kRight, 2, 3, top_plain, 0},
        {"right with nothing selected", BarKey::kRight, 0, 3, none, 1},
        {"right on an item with sub-items opens it", BarKey::kRight, 0, 3, top_opener, -1},
        {"right on an opener in a submenu", BarKey::kRight, 0, 3, deep_opener, -1},
        {"right on a plain item of a submenu", BarKey::kRight, 0, 3, deep_plain, 1},
        {"other keys stay with the menu", BarKey::kOther, 0, 3, none, -1},
        {"one button goes nowhere", BarKey::kRight, 0, 1, none, -1},
        {"nothing dropped", BarKey::kLeft, -1, 3, none, -1},
        {"a dropped index past the bar", BarKey::kLeft, 3, 3, none, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::ButtonForArrow(c.key, c.dropped, c.count, c.item), c.expected) << c.name;
}

TEST(MenuBarNavigation, RightToLeftSwapsArrowsAndPointerSwitches) {
    EXPECT_EQ(skin::AsSeenByMenu(BarKey::kLeft, true), BarKey::kRight);
    EXPECT_EQ(skin::AsSeenByMenu(BarKey::kRight, true), BarKey::kLeft);
    EXPECT_EQ(skin::AsSeenByMenu(BarKey::kOther, true), BarKey::kOther);
    EXPECT_EQ(skin::AsSeenByMenu(BarKey::kLeft, false), BarKey::kLeft);
    // Pressing the visual left (Right in a right-to-left bar) on the first button drops the last.
    EXPECT_EQ(skin::ButtonForArrow(skin::AsSeenByMenu(BarKey::kRight, true), 0, 3, {}), 2);

    struct Case {
        int under, dropped, expected;
    } cases[] = {{2, 0, 2}, {0, 0, -1}, {-1, 0, -1}, {1, -1, 1}};
    for (const Case& c : cases) EXPECT_EQ(skin::ButtonForPointer(c.under, c.dropped), c.expected);
}

} // namespace
