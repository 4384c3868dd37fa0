#include <gtest/gtest.h>

#include "skin/control_faces.h"
#include "tests/skin/pixel_maps.h"

namespace {

using skin::CheckFacts;
using skin::RadioFacts;
using skin::Rect;
using skin_test::PixelMap;

CheckFacts Check(void (*change)(CheckFacts&)) {
    CheckFacts f;
    change(f);
    return f;
}

struct CheckCase {
    const char* name;
    CheckFacts facts;
    int four, five, eight, twelve;  // the frame shown with strips of that many frames
};

TEST(CheckFrameIndex, ByStripLength) {
    const CheckCase cases[] = {
        {"unchecked", {}, 1, 1, 1, 1},
        {"checked", Check([](CheckFacts& f) { f.checked = true; }), 2, 2, 5, 5},
        {"unchecked disabled", Check([](CheckFacts& f) { f.disabled = true; }), 3, 3, 4, 4},
        {"checked disabled", Check([](CheckFacts& f) { f.disabled = f.checked = true; }), 4, 4, 8, 8},
        // The window's indeterminate state wins over State and shows the mixed pictures.
        {"indeterminate", Check([](CheckFacts& f) { f.indeterminate = true; }), 4, 4, 8, 9},
        {"indeterminate over State", Check([](CheckFacts& f) { f.indeterminate = true; f.state = "cbChecked"; }), 4, 4, 8, 9},
        {"indeterminate disabled", Check([](CheckFacts& f) { f.indeterminate = f.disabled = true; }), 4, 4, 8, 12},
        // State grayed: the checked disabled picture; disabled it reaches 6, past a short strip.
        {"State grayed", Check([](CheckFacts& f) { f.state = "cbGrayed"; }), 4, 4, 8, 8},
        {"State grayed disabled", Check([](CheckFacts& f) { f.state = "cbGrayed"; f.disabled = true; }), 4, 5, 8, 8},
        // Published properties decide over the button state.
        {"State unchecked over BST_CHECKED", Check([](CheckFacts& f) { f.checked = true; f.state = "cbUnchecked"; }), 1, 1, 1, 1},
        {"State checked", Check([](CheckFacts& f) { f.state = "cbChecked"; }), 2, 2, 5, 5},
        {"State of an unknown name keeps the button state", Check([](CheckFacts& f) { f.checked = true; f.state = "xx"; }), 2, 2, 5, 5},
        {"Checked true", Check([](CheckFacts& f) { f.checked_property = true; }), 2, 2, 5, 5},
        {"Checked false over BST_CHECKED", Check([](CheckFacts& f) { f.checked = true; f.checked_property = false; }), 1, 1, 1, 1},
        {"State wins over Checked", Check([](CheckFacts& f) { f.state = "cbChecked"; f.checked_property = false; }), 2, 2, 5, 5},
        {"data field with the last check grayed", Check([](CheckFacts& f) { f.data_field = true; f.last_check = 3; }), 4, 4, 8, 8},
        {"data field with the last check checked", Check([](CheckFacts& f) { f.data_field = true; f.last_check = 2; }), 2, 2, 5, 5},
        {"data field without a last check", Check([](CheckFacts& f) { f.data_field = true; f.checked = true; }), 2, 2, 5, 5},
        {"last check without a data field", Check([](CheckFacts& f) { f.last_check = 3; }), 1, 1, 1, 1},
        {"a huge last check", Check([](CheckFacts& f) { f.data_field = true; f.last_check = 1000; f.disabled = true; }), 4, 5, 8, 8},
        {"data binding", Check([](CheckFacts& f) { f.checked = true; f.checked_property = true; f.data_binding = true; }), 1, 1, 1, 1},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(skin::CheckFrameIndex(c.facts, 4), c.four);
        EXPECT_EQ(skin::CheckFrameIndex(c.facts, 5), c.five);
        EXPECT_EQ(skin::CheckFrameIndex(c.facts, 8), c.eight);
        EXPECT_EQ(skin::CheckFrameIndex(c.facts, 12), c.twelve);
        for (int frames = 1; frames <= 16; ++frames) {
            const int index = skin::CheckFrameIndex(c.facts, frames);
            EXPECT_GE(index, 1) << frames;
            EXPECT_LE(index, frames) << frames;
        }
        EXPECT_EQ(skin::CheckFrameIndex(c.facts, 0), 0);
        EXPECT_EQ(skin::CheckFrameIndex(c.facts, -3), 0);
    }
}

TEST(RadioFrameIndex, ByStripLength) {
    struct Case {
        const char* name;
        RadioFacts facts;
        int four, five, eight, twelve;
    };
    auto radio = [](bool checked, bool disabled) {
        RadioFacts f;
        f.checked = checked, f.disabled = disabled;
        return f;
    };
    RadioFacts property_off = radio(true, false);
    property_off.checked_property = false;
    RadioFacts property_on = radio(false, true);
    property_on.checked_property = true;
    const Case cases[] = {
        {"unchecked", radio(false, false), 1, 1, 1, 1},
        {"checked", radio(true, false), 2, 2, 5, 5},
        {"unchecked disabled", radio(false, true), 3, 3, 4, 4},
        {"checked disabled", radio(true, true), 4, 4, 8, 8},
        {"Checked false over BM_GETCHECK", property_off, 1, 1, 1, 1},
        {"Checked true, disabled", property_on, 4, 4, 8, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(skin::RadioFrameIndex(c.facts, 4), c.four);
        EXPECT_EQ(skin::RadioFrameIndex(c.facts, 5), c.five);
        EXPECT_EQ(skin::RadioFrameIndex(c.facts, 8), c.eight);
        EXPECT_EQ(skin::RadioFrameIndex(c.facts, 12), c.twelve);
        for (int frames = 1; frames <= 16; ++frames) EXPECT_LE(skin::RadioFrameIndex(c.facts, frames), frames) << frames;
        EXPECT_EQ(skin::RadioFrameIndex(c.facts, 0), 0);
    }
}

TEST(ToggleLayout, BoxAndCaptionPlaces) {
    struct Case {
        const char* name;
        Rect bounds;
        int box_w, box_h;
        bool left_text, radio;
        Rect box, text;
    };
    const Case cases[] = {
        {"check box", {0, 0, 100, 20}, 13, 13, false, false, {0, 3, 13, 16}, {15, 0, 100, 20}},
        {"radio button", {0, 0, 100, 20}, 13, 13, false, true, {0, 3, 13, 16}, {15, 0, 100, 20}},
        {"odd spare height truncates", {0, 0, 80, 16}, 13, 13, false, false, {0, 1, 13, 14}, {15, 0, 80, 16}},
        {"check box, left text", {0, 0, 100, 20}, 13, 13, true, false, {87, 3, 100, 16}, {0, 0, 85, 20}},
        {"radio button, left text", {0, 0, 100, 20}, 13, 13, true, true, {86, 3, 99, 16}, {0, 0, 84, 20}},
        {"box taller than the control", {0, 0, 40, 9}, 13, 13, false, false, {0, -2, 13, 11}, {15, 0, 40, 9}},
        {"empty control", {0, 0, 0, 0}, 13, 13, false, false, {0, -6, 13, 7}, {15, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const skin::ToggleLayout l = skin::LayoutToggle(c.bounds, c.box_w, c.box_h, c.left_text, c.radio);
        EXPECT_EQ(l.box, c.box);
        EXPECT_EQ(l.text, c.text);
    }
}

TEST(StripFrameSize, WidthsThatAreNoMultipleOfTheCount) {
    EXPECT_EQ(skin::StripFrameSize(104, 13, 8).width, 13);
    EXPECT_EQ(skin::StripFrameSize(107, 13, 8).width, 13);  // the remainder is never read
    EXPECT_EQ(skin::StripFrameSize(7, 13, 8).width, 0);
    EXPECT_EQ(skin::StripFrameSize(104, 0, 8).width, 0);
    EXPECT_EQ(skin::StripFrameSize(104, 13, 0).width, 0);
}

TEST(GlyphStrips, SourcesByKindAndStripLength) {
    using V = std::vector<int>;
    EXPECT_EQ(skin::GlyphStripSources(1, 4), (V{1, 2, 0, 1, 2, 0, 3, 4, 0}));
    EXPECT_EQ(skin::GlyphStripSources(1, 5), (V{1, 2, 5, 1, 2, 5, 3, 4, 5}));
    EXPECT_EQ(skin::GlyphStripSources(2, 4), (V{1, 2, 1, 2, 3, 4}));
    EXPECT_EQ(skin::GlyphStripSources(3, 4), (V{1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(skin::GlyphStripSources(3, 5), (V{1, 2, 5, 1, 2, 5}));
    EXPECT_TRUE(skin::GlyphStripSources(0, 5).empty());
    EXPECT_TRUE(skin::GlyphStripSources(4, 5).empty());
}

TEST(GlyphStrips, BuiltFrameByFrameFromTheSkinStrip) {
    // Four 2 x 1 frames a, b, c, d with a spare column that is no frame.
    const skin::Image32 four = skin_test::ImageOf({"aabbccdde"});
    EXPECT_EQ(skin_test::MapOf(skin::BuildGlyphStrip(1, four, 4)), (PixelMap{"aabb##aabb##ccdd##"}));
    EXPECT_EQ(skin_test::MapOf(skin::BuildGlyphStrip(2, four, 4)), (PixelMap{"aabbaabbccdd"}));
    const skin::Image32 five = skin_test::ImageOf({"abcde"});
    EXPECT_EQ(skin_test::MapOf(skin::BuildGlyphStrip(1, five, 5)), (PixelMap{"abeabecde"}));
    EXPECT_EQ(skin_test::MapOf(skin::BuildGlyphStrip(3, five, 5)), (PixelMap{"abeabe"}));
    // A strip shorter than the frames the kind reads leaves those frames transparent.
    const skin::Image32 two = skin_test::ImageOf({"ab"});
    EXPECT_EQ(skin_test::MapOf(skin::BuildGlyphStrip(2, two, 2)), (PixelMap{"abab##"}));
    EXPECT_TRUE(skin::BuildGlyphStrip(1, skin::Image32(), 4).empty());
    EXPECT_TRUE(skin::BuildGlyphStrip(1, four, 0).empty());
    EXPECT_TRUE(skin::BuildGlyphStrip(1, four, 100).empty());
    EXPECT_TRUE(skin::BuildGlyphStrip(7, four, 4).empty());
}

TEST(GroupBoxLayout, FrameTopAndCaptionPlace) {
    const skin::GroupBoxLayout left = skin::LayoutGroupBox({0, 0, 120, 60}, 13, 30, 13, false);
    EXPECT_EQ(left.frame_top, 5);
    EXPECT_EQ(left.frame, (Rect{1, 5, 119, 59}));
    EXPECT_EQ(left.caption, (Rect{8, 0, 38, 13}));
    const skin::GroupBoxLayout right = skin::LayoutGroupBox({0, 0, 120, 60}, 16, 30, 16, true);
    EXPECT_EQ(right.frame_top, 7);
    EXPECT_EQ(right.caption, (Rect{82, 0, 112, 16}));
    // No font height: the line sits one pixel above the box, outside nothing but the control.
    EXPECT_EQ(skin::LayoutGroupBox({0, 0, 0, 0}, 0, 0, 0, false).frame, (Rect{1, -1, -1, -1}));
}

TEST(StatusBarGeometry, PanelsTextAndGrip) {
    const std::vector<Rect> panels = {{0, 2, 100, 20}, {102, 2, 150, 20}, {152, 2, 200, 20}};
    EXPECT_EQ(skin::StatusPanelRects(panels, 300),
              (std::vector<Rect>{{0, 2, 102, 20}, {102, 2, 152, 20}, {152, 2, 300, 20}}));
    // A panel without a rectangle stays empty; a last panel beyond the bar keeps its left.
    EXPECT_EQ(skin::StatusPanelRects({{0, 2, 100, 20}, {0, 0, 0, 0}, {320, 2, 340, 20}}, 300),
              (std::vector<Rect>{{0, 2, 102, 20}, {}, {320, 2, 320, 20}}));
    EXPECT_TRUE(skin::StatusPanelRects({}, 300).empty());
    EXPECT_EQ(skin::StatusTextRect({10, 2, 60, 20}), (Rect{12, 2, 58, 20}));
    EXPECT_EQ(skin::SizeGripRect(300, 22, 16, 16), (Rect{283, 5, 299, 21}));
}

} // namespace
