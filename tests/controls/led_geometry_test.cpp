// The LED display's font, dot geometry, scroll steps and cell places.
#include <gtest/gtest.h>

#include "controls/model/border_geometry.h"
#include "controls/model/led_geometry.h"

using namespace ec;

namespace {

// A glyph as seven rows of five dots, top row first.
std::vector<std::string> rows_of(unsigned char code) {
    std::vector<std::string> rows;
    for (int r = 0; r < kLedRows; ++r) {
        std::string row;
        for (int c = 0; c < kLedColumns; ++c) row += led_dot_lit(code, r, c) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

LedLayoutInput layout(int client_width, int length, LedAlign align = LedAlign::Left) {
    LedLayoutInput in;
    in.dots = led_dots_for_height(28);
    in.client_width = client_width;
    in.caption_length = length;
    in.align = align;
    return in;
}

} // namespace

TEST(EcLedFont, GlyphsReadColumnByColumnTopBitFirst) {
    EXPECT_EQ(rows_of('0'), (std::vector<std::string>{".###..", "#...#.", "#..##.", "#.#.#.", "##..#.", "#...#.",
                                                      ".###.."}));
    EXPECT_EQ(rows_of(':'), (std::vector<std::string>{"......", "......", "..#...", "......", "......", "..#...",
                                                      "......"}));
    EXPECT_EQ(rows_of(' '), std::vector<std::string>(7, "......"));
    const std::pair<unsigned char, LedGlyph> cases[] = {
        {'A', {0x7E, 0x90, 0x90, 0x90, 0x7E}},   {127, {0x00, 0x7C, 0x7C, 0x7C, 0x00}},
        {10, {0x00, 0x7C, 0x7C, 0x7C, 0x00}},    {0, {0x00, 0x7C, 0x7C, 0x7C, 0x00}},
        {128, {0, 0, 0, 0, 0}},                  {255, {0x22, 0x94, 0x08, 0x90, 0x20}},
    };
    for (const auto& [code, glyph] : cases) EXPECT_EQ(led_glyph(code), glyph) << int(code);
    EXPECT_FALSE(led_dot_lit(127, 3, 5));  // the spacing column
}

TEST(EcLedGeometry, DotsFromClientHeight) {
    // Height 30 with one-pixel status bevels leaves 28.
    BorderLayers status;
    status.outer = TFrameStyleEx::fsStatus;
    EXPECT_EQ(border_client_rect({0, 0, 100, 30}, status), (ui::Rect{1, 1, 99, 29}));

    struct Case {
        int height, size, gap, cell_w, cell_h;
    };
    const Case cases[] = {
        {28, 3, 0, 18, 21}, {0, 1, 0, 6, 7}, {7, 1, 0, 6, 7}, {75, 9, 0, 54, 63}, {76, 10, 1, 66, 76}, {152, 20, 2, 132, 152},
    };
    for (const auto& c : cases) {
        const LedDots d = led_dots_for_height(c.height);
        EXPECT_EQ(d.size, c.size) << c.height;
        EXPECT_EQ(d.gap, c.gap) << c.height;
        EXPECT_EQ(d.cell_width(), c.cell_w) << c.height;
        EXPECT_EQ(d.cell_height(), c.cell_h) << c.height;
    }
}

TEST(EcLedGeometry, StepsAndOnePassOfScrolling) {
    const LedDots dots = led_dots_for_height(28);
    const int steps = led_steps(dots, 8, 100);
    EXPECT_EQ(steps, 18 * 8 + 100);
    int step = 0, completed = 0, ticks = 0;
    while (completed == 0) {
        completed += led_advance(step, dots, steps) ? 1 : 0;
        ++ticks;
    }
    EXPECT_EQ(ticks, 82);  // 81 ticks of 3 reach 243, the 82nd passes 244 and wraps
    EXPECT_EQ(step, 0);
}

TEST(EcLedGeometry, CellPlaces) {
    struct Case {
        const char* name;
        LedLayoutInput in;
        std::vector<int> text;
        int first_blank, last_blank;
    };
    auto scrolling = [](LedLayoutInput in, TEcScrollType type, int step) {
        in.scrolling = true;
        in.scroll_type = type;
        in.current_step = step;
        return in;
    };
    auto still_scroll_none = layout(98, 2, LedAlign::Right);
    still_scroll_none.scroll_type = TEcScrollType::stNone;
    const Case cases[] = {
        {"left", layout(98, 3), {0, 18, 36}, 0, 90},
        {"right", layout(98, 3, LedAlign::Right), {44, 62, 80}, 80, -10},
        {"right overflow drops the first", layout(98, 7, LedAlign::Right), {-28, -10, 8, 26, 44, 62, 80}, 80, -10},
        {"centre", layout(98, 2, LedAlign::Center), {31, 49}, (31 % 18) - 18, 85},
        {"right to left enters at the edge", scrolling(layout(98, 2), TEcScrollType::stRightToLeft, 0), {96, 114}, 0, 90},
        {"right to left later", scrolling(layout(98, 2), TEcScrollType::stRightToLeft, 30), {66, 84}, 0, 90},
        {"left to right", scrolling(layout(98, 2, LedAlign::Right), TEcScrollType::stLeftToRight, 3), {-33, -15}, 0, 90},
        {"scrolling with no type stands", scrolling(layout(98, 2), TEcScrollType::stNone, 9), {0, 18}, 0, 90},
        {"a type alone scrolls nothing", still_scroll_none, {62, 80}, 80, -10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(led_text_cells(c.in), c.text) << c.name;
        const auto blanks = led_blank_cells(c.in);
        ASSERT_FALSE(blanks.empty()) << c.name;
        EXPECT_EQ(blanks.front(), c.first_blank) << c.name;
        EXPECT_EQ(blanks.back(), c.last_blank) << c.name;
    }
    EXPECT_EQ(led_blank_cells(layout(98, 0)).size(), 6u);  // an empty caption still shows its cells
}
