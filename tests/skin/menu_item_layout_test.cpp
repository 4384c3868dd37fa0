// The arithmetic of skinned menu items: the widths the measure handlers add, the size of an item
// measured from a menu handle's text, the places of the glyph box, caption and shortcut (and
// their mirror for right-to-left menus), the caption colours and the cut of long menu texts.
#include <gtest/gtest.h>

#include <string>

#include "skin/menu_item_layout.h"

namespace {

using skin::ItemFacts;
using skin::Rect;

TEST(MenuItemMeasure, WidthsGrowByTheElementAndTheGlyphColumn) {
    struct Case {
        int own, left;
        bool images;
        int main, popup;
    } cases[] = {
        {40, 0, true, 50, 52},   // the image list supplies the glyph column
        {40, 0, false, 75, 75},  // without one the item makes room for it
        {40, 6, true, 56, 58},   // the element's left width comes on top
        {40, 6, false, 81, 81},
        {0, 0, false, 35, 35},   // an empty item still gets the fixed part
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.own << " " << c.left << " " << c.images);
        EXPECT_EQ(skin::MainMenuItemWidth(c.own, c.left, c.images), c.main);
        EXPECT_EQ(skin::PopupItemWidth(c.own, c.left, c.images), c.popup);
    }
}

TEST(MenuItemMeasure, ItemsMeasuredFromAMenuHandlesText) {
    struct Case {
        int text_width, height, left;
        bool text, win9x;
        skin::ItemSize size;
    } cases[] = {
        {50, 13, 0, true, false, {76, 17}},
        {50, 13, 4, true, false, {80, 17}},
        {0, 13, 0, false, false, {26, 21}},  // a separator: taller, only the fixed width
        {50, 13, 0, true, true, {76, 21}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::HandleItemSize(c.text_width, c.height, c.left, c.text, c.win9x), c.size) << c.text_width << " " << c.text;
}

TEST(MenuItemContent, PlacesOfGlyphBoxCaptionAndShortcut) {
    struct Case {
        const char* what;
        ItemFacts facts;
        bool box;
        Rect glyph, caption_text, shortcut;
    } cases[] = {
        {"plain, no image list", {{0, 0, 120, 20}, 0, 0, false, false, false, 14, 0}, true, {1, 1, 17, 17}, {20, 3, 119, 17}, {}},
        {"element left width", {{0, 0, 120, 20}, 5, 0, false, false, false, 14, 0}, true, {6, 1, 22, 17}, {25, 3, 119, 17}, {}},
        {"larger images", {{0, 0, 120, 26}, 0, 24, false, false, false, 14, 0}, true, {1, 1, 25, 25}, {28, 6, 119, 20}, {}},
        {"small images, unchecked", {{0, 0, 120, 20}, 0, 12, false, false, false, 14, 0}, true, {1, 1, 13, 13}, {16, 3, 119, 17}, {}},
        {"small images, checked: 16 at least", {{0, 0, 120, 20}, 0, 12, true, false, false, 14, 0}, true, {1, 1, 17, 17}, {20, 3, 119, 17}, {}},
        {"shortcut ends 10 before the caption's end", {{0, 0, 120, 20}, 0, 0, false, false, false, 14, 30}, true, {1, 1, 17, 17}, {20, 3, 119, 17}, {79, 3, 109, 17}},
        {"shortcut wider than the room", {{0, 0, 60, 20}, 0, 0, false, false, false, 14, 80}, true, {1, 1, 17, 17}, {20, 3, 59, 17}, {20, 3, 49, 17}},
        {"separator: no glyph box", {{0, 0, 120, 8}, 0, 0, false, true, false, 0, 0}, false, {}, {1, 4, 119, 4}, {}},
        {"offset item", {{10, 40, 130, 60}, 0, 0, false, false, false, 14, 0}, true, {11, 41, 27, 57}, {30, 43, 129, 57}, {}},
        {"narrower than the glyph box", {{0, 0, 10, 20}, 0, 0, false, false, false, 14, 0}, true, {1, 1, 17, 17}, {20, 3, 20, 17}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const skin::ItemLayout l = skin::LayOutItem(c.facts);
        EXPECT_EQ(l.has_glyph_box, c.box);
        if (c.box) {
            EXPECT_EQ(l.glyph_box, c.glyph);
        }
        EXPECT_EQ(l.caption_text, c.caption_text);
        EXPECT_EQ(l.shortcut, c.shortcut);
        EXPECT_EQ(l.separator_line_y, c.facts.item.top + 4);
    }
}

TEST(MenuItemContent, RightToLeftMirrorsEveryPlace) {
    ItemFacts f{{10, 0, 130, 20}, 4, 0, false, false, false, 14, 30};
    const skin::ItemLayout ltr = skin::LayOutItem(f);
    f.right_to_left = true;
    const skin::ItemLayout rtl = skin::LayOutItem(f);
    auto mirror = [](const Rect& r) { return Rect{140 - r.right, r.top, 140 - r.left, r.bottom}; };
    EXPECT_EQ(rtl.glyph_box, mirror(ltr.glyph_box));
    EXPECT_EQ(rtl.glyph_box, (Rect{109, 1, 125, 17}));  // 1 + 4 in from the right end
    EXPECT_EQ(rtl.caption_text, mirror(ltr.caption_text));
    EXPECT_EQ(rtl.shortcut, mirror(ltr.shortcut));
}

TEST(MenuItemContent, CaptionColoursAndMeasuredText) {
    using skin::CaptionColour;
    struct Case {
        bool enabled, selected, shadow_is_text;
        CaptionColour colour;
    } cases[] = {
        {true, false, false, CaptionColour::kMenuText},
        {true, true, false, CaptionColour::kHilightText},
        {true, true, true, CaptionColour::kHilightText},
        {false, false, false, CaptionColour::kButtonShadow},
        {false, true, false, CaptionColour::kButtonShadow},        // selection does not lighten it
        {false, false, true, CaptionColour::kSystemButtonShadow},  // the skin's shadow would not show
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::CaptionColourOf(c.enabled, c.selected, c.shadow_is_text), c.colour)
            << c.enabled << c.selected << c.shadow_is_text;
    EXPECT_EQ(skin::MeasuredCaption(""), " ");
    EXPECT_EQ(skin::MeasuredCaption("&"), " ");
    EXPECT_EQ(skin::MeasuredCaption("&&"), "&&");
    EXPECT_EQ(skin::MeasuredCaption("&Open"), "&Open");
}

TEST(MenuText, CutAtTheLimitNeverInsideASurrogatePair) {
    const char16_t pair[] = {0xD83D, 0xDE00};  // one character outside the basic plane
    struct Case {
        const char* what;
        std::u16string text;
        std::size_t kept;
    } cases[] = {
        {"short", u"Restore", 7},
        {"empty", u"", 0},
        {"exactly the limit", std::u16string(80, u'a'), 80},
        {"1000 units", std::u16string(1000, u'x'), 80},
        {"pair across the cut", std::u16string(79, u'a') + std::u16string(pair, 2) + u"b", 79},
        {"pair just before the cut", std::u16string(78, u'a') + std::u16string(pair, 2) + u"b", 80},
        {"pair ending the text at the limit", std::u16string(78, u'a') + std::u16string(pair, 2), 80},
        {"lone high surrogate at the cut", std::u16string(79, u'a') + u"\xD83D" + u"bb", 80},
        {"pairs all the way", [&] {
             std::u16string s;
             for (int i = 0; i < 100; ++i) s.append(pair, 2);
             return s;
         }(), 80},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::MenuTextKept(c.text.data(), c.text.size()), c.kept) << c.what;
    const std::u16string odd = std::u16string(9, u'a') + std::u16string(pair, 2);
    EXPECT_EQ(skin::MenuTextKept(odd.data(), odd.size(), 10), 9u);
    EXPECT_EQ(skin::MenuTextKept(odd.data(), odd.size(), 0), 0u);
}

} // namespace
