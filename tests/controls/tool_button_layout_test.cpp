// The tool button's geometry: glyph and caption in four layouts with alignment and the pressed
// shift, the width it takes from its bar, the drop-down part and its guard across the tick
// wrap, and where menus and popups open inside a work area.
#include <gtest/gtest.h>

#include "controls/model/tool_button_layout.h"

using namespace ec;
using ui::Rect;
using L = TButtonLayout;

namespace {

TEST(EcToolButtonLayout, WorkRectLeavesTheDropDownPart) {
    EXPECT_EQ(tool_button_work_rect(60, 40, false, false), (Rect{2, 2, 58, 38}));
    EXPECT_EQ(tool_button_work_rect(60, 40, true, false), (Rect{2, 2, 44, 38}));
    EXPECT_EQ(tool_button_work_rect(60, 40, true, true), (Rect{16, 2, 58, 38}));
    EXPECT_EQ(tool_button_measure_rect({2, 2, 58, 38}, L::blGlyphTop, 16, 16), (Rect{2, 18, 58, 38}));
    EXPECT_EQ(tool_button_measure_rect({2, 2, 58, 38}, L::blGlyphRight, 16, 16), (Rect{2, 2, 42, 38}));
}

// A 64 x 44 button: working rectangle (2, 2, 62, 42), 60 x 40; a 16 x 16 glyph, a 20 x 10 caption.
TEST(EcToolButtonLayout, GlyphAndCaptionInEachLayoutAlignmentAndState) {
    using A = HorzAlign;
    struct Case {
        L layout;
        A alignment;
        bool shifted, themed;
        Rect glyph, caption;
    };
    const Case cases[] = {
        // beside: free = 60 - 16 - 20 - 4 = 20
        {L::blGlyphLeft, A::Center, false, false, {12, 14, 28, 30}, {32, 17, 52, 27}},
        {L::blGlyphRight, A::Center, false, false, {36, 14, 52, 30}, {12, 17, 32, 27}},
        // above and below: free = 40 - 16 - 10 - 4 = 10
        {L::blGlyphTop, A::Center, false, false, {24, 7, 40, 23}, {22, 27, 42, 37}},
        {L::blGlyphBottom, A::Center, false, false, {24, 21, 40, 37}, {22, 7, 42, 17}},
        // alignment moves both by the leftmost edge less 4
        {L::blGlyphLeft, A::Left, false, false, {4, 14, 20, 30}, {24, 17, 44, 27}},
        {L::blGlyphLeft, A::Right, false, false, {20, 14, 36, 30}, {40, 17, 60, 27}},
        {L::blGlyphTop, A::Left, false, false, {6, 7, 22, 23}, {4, 27, 24, 37}},
        {L::blGlyphBottom, A::Right, false, false, {42, 21, 58, 37}, {40, 7, 60, 17}},
        // pressed: one right and one down, or only right in the themed look
        {L::blGlyphLeft, A::Center, true, false, {13, 15, 29, 31}, {33, 18, 53, 28}},
        {L::blGlyphTop, A::Center, true, true, {25, 7, 41, 23}, {23, 27, 43, 37}},
    };
    for (const Case& c : cases) {
        ToolButtonFace f;
        f.work = tool_button_work_rect(64, 44, false, false);
        f.glyph_width = f.glyph_height = 16;
        f.caption = true;
        f.text_width = 20;
        f.text_height = 10;
        f.layout = c.layout;
        f.alignment = c.alignment;
        f.shifted = c.shifted;
        f.themed = c.themed;
        const ToolButtonRects r = tool_button_rects(f);
        EXPECT_EQ(r.glyph, c.glyph) << enum_info(c.layout).name_of(int(c.layout)) << " " << int(c.alignment) << " " << c.shifted;
        EXPECT_EQ(r.caption, c.caption) << enum_info(c.layout).name_of(int(c.layout)) << " " << int(c.alignment) << " " << c.shifted;
    }
}

TEST(EcToolButtonLayout, WithoutACaptionTheGlyphIsCentred) {
    ToolButtonFace f;
    f.work = tool_button_work_rect(25, 25, false, false);
    f.glyph_width = f.glyph_height = 16;
    EXPECT_EQ(tool_button_rects(f).glyph, (Rect{4, 4, 20, 20}));
    f.work = tool_button_work_rect(39, 25, true, false);  // the drop-down part is not the glyph's
    EXPECT_EQ(tool_button_rects(f).glyph, (Rect{4, 4, 20, 20}));
    f.glyph_width = f.glyph_height = 0;
    const Rect none = tool_button_rects(f).glyph;
    EXPECT_EQ(none.width(), 0);
}

TEST(EcToolButtonLayout, WidthFollowsTheBarAndTheCaption) {
    EXPECT_EQ(tool_button_follow_width(60, true, L::blGlyphTop, 16, 70, false), 78);
    EXPECT_EQ(tool_button_follow_width(60, true, L::blGlyphTop, 16, 40, false), 60);
    EXPECT_EQ(tool_button_follow_width(60, true, L::blGlyphLeft, 16, 40, false), 68);
    EXPECT_EQ(tool_button_follow_width(60, false, L::blGlyphLeft, 16, 400, false), 60) << "no caption shown";
    EXPECT_EQ(tool_button_follow_width(25, false, L::blGlyphLeft, 16, 0, true), 39);
}

TEST(EcToolButtonLayout, DropDownPartAndGuard) {
    EXPECT_FALSE(in_drop_down_part(45, 60, false));
    EXPECT_TRUE(in_drop_down_part(46, 60, false));
    EXPECT_TRUE(in_drop_down_part(14, 60, true));
    EXPECT_FALSE(in_drop_down_part(15, 60, true));

    EXPECT_FALSE(drop_down_guard_holds(50, 0)) << "no drop-down yet";
    EXPECT_TRUE(drop_down_guard_holds(1099, 1000));
    EXPECT_FALSE(drop_down_guard_holds(1100, 1000));
    // 49.7 days on: the counter wrapped between the drop-down and the press.
    EXPECT_TRUE(drop_down_guard_holds(20, 0xFFFFFFF0u));
    EXPECT_FALSE(drop_down_guard_holds(200, 0xFFFFFFF0u));
}

TEST(EcToolButtonLayout, DropDownMenuStaysInsideTheWorkArea) {
    EXPECT_EQ(drop_down_menu_left(100, 150, 40, 1024), 100);
    EXPECT_EQ(drop_down_menu_left(900, 150, 40, 1024), 790) << "right edge of the menu at the button's";
}

TEST(EcToolButtonLayout, PopupOpensBelowAndStaysInTheWorkArea) {
    const Rect work{0, 0, 800, 600};
    const Rect control{100, 100, 160, 125};
    using A = HorzAlign;
    struct Case {
        const char* what;
        Rect control;
        A alignment;
        int dx, dy;
        Rect expected;
    };
    const Case cases[] = {
        {"right-justified below", control, A::Right, -1, -1, {60, 125, 160, 175}},
        {"left-justified below", control, A::Left, -1, -1, {100, 125, 200, 175}},
        {"centred below", control, A::Center, -1, -1, {80, 125, 180, 175}},
        {"at an offset", control, A::Right, 5, 7, {105, 107, 205, 157}},
        {"past the right edge", {750, 100, 790, 125}, A::Left, -1, -1, {700, 125, 800, 175}},
        {"past the bottom: above", {100, 570, 160, 590}, A::Left, -1, -1, {100, 520, 200, 570}},
        {"past the left edge", {10, 100, 40, 125}, A::Right, -1, -1, {0, 125, 100, 175}},
        {"above the top after going above", {100, 20, 160, 590}, A::Left, -1, -1, {100, 0, 200, 50}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(popup_rect(c.control, 100, 50, c.alignment, c.dx, c.dy, work), c.expected) << c.what;
}

} // namespace
