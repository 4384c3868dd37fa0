// The framed edit family without windows: the colour of each state, a colour set from outside,
// where a memo's caret may go and what one wheel turn scrolls.
#include <gtest/gtest.h>

#include "controls/model/edit_rules.h"

using namespace ec;

namespace {

constexpr ui::TColor kNormal = ui::rgb(1, 1, 1), kFocus = ui::rgb(2, 2, 2), kReadOnly = ui::rgb(3, 3, 3),
                     kDisabled = ui::rgb(4, 4, 4);

TEST(EcEditRules, ColourOfEachState) {
    struct Case {
        bool enabled, focused, read_only, read_only_on_focus;
        ui::TColor expected;
    } const cases[] = {
        {true, false, false, false, kNormal},   {true, true, false, false, kFocus},
        {true, false, true, false, kReadOnly},  {true, true, true, false, kFocus},
        {true, true, true, true, kReadOnly},    {true, false, true, true, kReadOnly},
        {true, true, false, true, kFocus},      // only a read-only edit keeps its colour on focus
        {false, false, false, false, kDisabled}, {false, true, true, true, kDisabled},
        {false, false, true, false, kDisabled},
    };
    for (const Case& c : cases) {
        EditColors colors{kNormal, kFocus, kReadOnly, kDisabled, c.read_only_on_focus};
        EXPECT_EQ(edit_state_color(colors, {c.enabled, c.focused, c.read_only}), c.expected)
            << c.enabled << c.focused << c.read_only << c.read_only_on_focus;
    }
}

TEST(EcEditRules, ColourFromOutsideBecomesNormalAndCarriesAnEqualFocusColour) {
    EditColors same{ui::clWindow, ui::clWindow, kReadOnly, kDisabled, false};
    take_outside_color(same, ui::clRed);
    EXPECT_EQ(same.normal, ui::clRed);
    EXPECT_EQ(same.focus, ui::clRed);
    // A focused edit recoloured keeps the colour after losing the focus.
    EXPECT_EQ(edit_state_color(same, {true, true, false}), ui::clRed);
    EXPECT_EQ(edit_state_color(same, {true, false, false}), ui::clRed);

    EditColors own_focus{ui::clWindow, ui::clInfoBk, kReadOnly, kDisabled, false};
    take_outside_color(own_focus, ui::clRed);
    EXPECT_EQ(own_focus.normal, ui::clRed);
    EXPECT_EQ(own_focus.focus, ui::clInfoBk);
    EXPECT_EQ(own_focus.read_only, kReadOnly);
    EXPECT_EQ(own_focus.disabled, kDisabled);
}

TEST(EcEditRules, CaretColumnAndLine) {
    struct Column {
        int column, length;
        bool reachable;
    } const columns[] = {{1, 0, true}, {1, 5, true}, {6, 5, true}, {7, 5, false}, {0, 5, false}, {-3, 5, false}};
    for (const Column& c : columns)
        EXPECT_EQ(caret_column_reachable(c.column, c.length), c.reachable) << c.column << " of " << c.length;

    struct Line {
        int line, count, index;
    } const lines[] = {{1, 3, 0}, {3, 3, 2}, {9, 3, 2}, {0, 3, 0}, {1, 0, 0}};
    for (const Line& l : lines) EXPECT_EQ(caret_line_index(l.line, l.count), l.index) << l.line << " of " << l.count;
}

TEST(EcEditRules, WheelScrollsLinesOrAPageReadUnsigned) {
    struct Case {
        int delta;
        unsigned setting;
        WheelScroll expected;
    } const cases[] = {
        {120, 3, {3, false, true}},          {-120, 3, {3, false, false}},
        {240, 3, {6, false, true}},          {-360, 1, {3, false, false}},
        {60, 3, {0, false, false}},          // less than a notch scrolls nothing
        {120, 0xFFFFFFFFu, {1, true, true}}, // the page setting, never -1 lines
        {-120, 0xFFFFFFFFu, {1, true, false}},
        {-240, 65535u, {2, true, false}},
        {120, 0, {0, false, true}},
    };
    for (const Case& c : cases) {
        const WheelScroll s = memo_wheel_scroll(c.delta, c.setting);
        EXPECT_EQ(s.steps, c.expected.steps) << c.delta << " " << c.setting;
        EXPECT_EQ(s.page, c.expected.page) << c.delta << " " << c.setting;
        if (s.steps > 0) {
            EXPECT_EQ(s.up, c.expected.up) << c.delta << " " << c.setting;
        }
    }
}

} // namespace
