#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/entry_geometry.h"

namespace {

using skin::Rect;
using skin::SpinArrow;
using skin::SpinFacts;

// A rectangle mirrored inside a window `width` wide.
Rect Mirrored(const Rect& r, int width) { return {width - r.right, r.top, width - r.left, r.bottom}; }

TEST(EntryFrameIndex, PressedOverHotAndDisabledOverAll) {
    struct Case {
        bool pressed, hot, disabled;
        int frame;
    };
    const Case cases[] = {
        {false, false, false, 1}, {true, false, false, 2}, {false, true, false, 4},
        {true, true, false, 2},   {false, false, true, 3}, {true, true, true, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::EntryFrameIndex(c.pressed, c.hot, c.disabled), c.frame) << c.pressed << c.hot << c.disabled;
}

TEST(ComboLayout, ButtonOnTheRightAndMirroredOnTheLeft) {
    const skin::ComboLayout right = skin::LayOutCombo({0, 0, 120, 22}, 17, false);
    EXPECT_EQ(right.edit_clip, (Rect{2, 2, 99, 20}));
    EXPECT_EQ(right.button, (Rect{101, 0, 120, 22}));
    EXPECT_EQ(right.glyph_area, (Rect{101, 0, 118, 22}));
    const skin::ComboLayout left = skin::LayOutCombo({0, 0, 120, 22}, 17, true);
    EXPECT_EQ(left.edit_clip, (Rect{21, 2, 118, 20}));
    EXPECT_EQ(left.button, (Rect{0, 0, 19, 22}));
    EXPECT_EQ(left.glyph_area, (Rect{2, 0, 19, 22}));
    // Every part on the left is the right side's part mirrored, whatever the sizes.
    for (const int width : {40, 121, 300})
        for (const int cx : {13, 17, 21}) {
            SCOPED_TRACE(std::to_string(width) + " " + std::to_string(cx));
            const skin::ComboLayout r = skin::LayOutCombo({0, 0, width, 24}, cx, false);
            const skin::ComboLayout l = skin::LayOutCombo({0, 0, width, 24}, cx, true);
            EXPECT_EQ(l.button, Mirrored(r.button, width));
            EXPECT_EQ(l.edit_clip, Mirrored(r.edit_clip, width));
            EXPECT_EQ(l.glyph_area, Mirrored(r.glyph_area, width));
            EXPECT_LE(r.edit_clip.right, r.button.left);  // the clip never reaches the button
        }
    // An offset window moves every part with it.
    const skin::ComboLayout moved = skin::LayOutCombo({10, 5, 130, 27}, 17, false);
    EXPECT_EQ(moved.button, (Rect{111, 5, 130, 27}));
    EXPECT_EQ(moved.edit_clip, (Rect{12, 7, 109, 25}));
}

TEST(ComboLayout, FlatLookColumnAndButton) {
    // A frame as high as the inner area or higher: the button fills the inner height.
    const skin::FlatComboLayout tall = skin::LayOutFlatCombo({0, 0, 100, 24}, 16, 15, 20, false);
    EXPECT_EQ(tall.ring, (Rect{1, 1, 99, 23}));
    EXPECT_EQ(tall.column, (Rect{82, 2, 98, 22}));
    EXPECT_EQ(tall.button, (Rect{83, 2, 98, 22}));
    // A frame less high than the thumb: the button is the frame's height.
    const skin::FlatComboLayout low = skin::LayOutFlatCombo({0, 0, 100, 24}, 16, 15, 12, false);
    EXPECT_EQ(low.button, (Rect{83, 2, 98, 14}));
    const skin::FlatComboLayout left = skin::LayOutFlatCombo({0, 0, 100, 24}, 16, 15, 20, true);
    EXPECT_EQ(left.column, Mirrored(tall.column, 100));
    EXPECT_EQ(left.button, Mirrored(tall.button, 100));
}

TEST(DateArrowButton, PlacedInsideTheBorderOnEitherSide) {
    EXPECT_EQ(skin::DateArrowButtonRect(120, 24, 17, false), (Rect{99, 0, 116, 20}));
    EXPECT_EQ(skin::DateArrowButtonRect(120, 24, 17, true), (Rect{2, 0, 19, 20}));
    EXPECT_EQ(skin::DateArrowButtonRect(20, 3, 17, false), (Rect{-1, 0, 16, 0}));  // never a negative height
}

TEST(EditBorder, BorderlessAndThinPrintBorder) {
    struct Case {
        const char* name;
        int ww, wh, cw, ch;
        bool border, print_border;
    };
    const Case cases[] = {
        {"sunken edge", 100, 22, 96, 18, true, true},
        {"no border", 100, 22, 100, 22, false, false},
        {"as wide as the window", 100, 22, 100, 18, false, false},
        {"as high as the window", 100, 22, 96, 22, false, false},
        {"one-pixel border", 100, 22, 98, 20, true, false},
        {"three pixels smaller", 100, 22, 97, 19, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(skin::EditHasBorder(c.ww, c.wh, c.cw, c.ch), c.border) << c.name;
        EXPECT_EQ(skin::EditHasPrintBorder(c.ww, c.wh, c.cw, c.ch), c.print_border) << c.name;
    }
}

TEST(SpinLayout, HalvesStatesAndFrames) {
    const Rect vertical{0, 0, 16, 21}, horizontal{0, 0, 31, 12};
    struct Case {
        const char* name;
        bool horizontal, pressed, hot, enabled;
        int cursor;  // -1 nowhere known, 0 in the first half, 1 in the second
        int state0, state1, frame0, frame1;
    };
    const Case cases[] = {
        {"normal", false, false, false, true, -1, 1, 1, 1, 5},
        {"hot over up", false, false, true, true, 0, 4, 1, 4, 5},
        {"hot over down", false, false, true, true, 1, 1, 4, 1, 8},
        {"pressed up", false, true, true, true, 0, 2, 1, 2, 5},
        {"pressed down", false, true, true, true, 1, 1, 2, 1, 6},
        {"pressed, cursor unknown", false, true, false, true, -1, 2, 2, 2, 6},
        {"disabled under the cursor", false, true, true, false, 0, 3, 3, 3, 7},
        {"horizontal normal", true, false, false, true, -1, 1, 1, 1, 5},
        {"horizontal hot right", true, false, true, true, 1, 1, 4, 1, 8},
        {"horizontal pressed left", true, true, true, true, 0, 2, 1, 2, 5},
        {"horizontal disabled", true, false, false, false, -1, 3, 3, 3, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpinFacts f;
        f.horizontal = c.horizontal, f.pressed = c.pressed, f.hot = c.hot, f.enabled = c.enabled;
        f.cursor_known = c.cursor >= 0;
        if (c.cursor >= 0) {
            f.cursor_x = c.horizontal ? (c.cursor ? 25 : 3) : 8;
            f.cursor_y = c.horizontal ? 6 : (c.cursor ? 17 : 3);
        }
        const auto halves = skin::LayOutSpin(c.horizontal ? horizontal : vertical, f);
        EXPECT_EQ(halves[0].state, c.state0);
        EXPECT_EQ(halves[1].state, c.state1);
        EXPECT_EQ(halves[0].frame, c.frame0);
        EXPECT_EQ(halves[1].frame, c.frame1);
        EXPECT_EQ(halves[0].arrow, c.horizontal ? SpinArrow::kLeft : SpinArrow::kUp);
        EXPECT_EQ(halves[1].arrow, c.horizontal ? SpinArrow::kRight : SpinArrow::kDown);
    }
    // The first half is the size div 2; the second takes the odd pixel.
    const auto v = skin::LayOutSpin(vertical, {});
    EXPECT_EQ(v[0].rect, (Rect{0, 0, 16, 10}));
    EXPECT_EQ(v[1].rect, (Rect{0, 10, 16, 21}));
    SpinFacts h;
    h.horizontal = true;
    const auto hh = skin::LayOutSpin(horizontal, h);
    EXPECT_EQ(hh[0].rect, (Rect{0, 0, 15, 12}));
    EXPECT_EQ(hh[1].rect, (Rect{15, 0, 31, 12}));
    // The cursor on the boundary row belongs to the second half.
    SpinFacts edge;
    edge.hot = true, edge.cursor_known = true, edge.cursor_x = 8, edge.cursor_y = 10;
    const auto e = skin::LayOutSpin(vertical, edge);
    EXPECT_EQ(e[0].state, 1);
    EXPECT_EQ(e[1].state, 4);
}

TEST(SpinLayout, FrameOfEachArrowAndState) {
    for (int state = 1; state <= 4; ++state) {
        EXPECT_EQ(skin::SpinFrameIndex(SpinArrow::kUp, state), state);
        EXPECT_EQ(skin::SpinFrameIndex(SpinArrow::kDown, state), state + 4);
        EXPECT_EQ(skin::SpinFrameIndex(SpinArrow::kLeft, state), state);
        EXPECT_EQ(skin::SpinFrameIndex(SpinArrow::kRight, state), state + 4);
    }
}

TEST(EmbeddedSpin, KeepsThreePixelsFromTheEditEdges) {
    struct Case {
        const char* name;
        Rect spin;  // relative to the edit's window rectangle, 100 x 22
        Rect drawn;
    };
    const Case cases[] = {
        {"two pixels in: one smaller on each close side", {82, 2, 98, 20}, {0, 1, 15, 17}},
        {"flush with the edges", {84, 0, 100, 22}, {0, 3, 13, 19}},
        {"three pixels in: unchanged", {81, 3, 97, 19}, {0, 0, 16, 16}},
        {"far from every edge", {40, 6, 56, 16}, {0, 0, 16, 10}},
        {"left edge is never trimmed", {0, 3, 16, 19}, {0, 0, 16, 16}},
        {"sticking out past the edit", {90, -2, 106, 24}, {0, 5, 7, 21}},
        {"too small to keep anything", {98, 0, 100, 2}, {0, 3, 0, 3}},
    };
    for (const Case& c : cases) EXPECT_EQ(skin::EmbeddedSpinRect(c.spin, 100, 22), c.drawn) << c.name;
}

// Strokes drawn on a character grid: every pixel of a horizontal, vertical or diagonal stroke,
// both ends included.
std::vector<std::string> Draw(const std::vector<skin::Stroke>& strokes, int w, int h) {
    std::vector<std::string> grid(static_cast<std::size_t>(h), std::string(static_cast<std::size_t>(w), '.'));
    for (const skin::Stroke& s : strokes) {
        const int dx = (s.x2 > s.x1) - (s.x2 < s.x1), dy = (s.y2 > s.y1) - (s.y2 < s.y1);
        for (int x = s.x1, y = s.y1;; x += dx, y += dy) {
            grid[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = 'x';
            if (x == s.x2 && y == s.y2) break;
        }
    }
    return grid;
}

TEST(PlainSpinArrow, ShapesAtTheCentre) {
    const Rect half{0, 0, 11, 9};  // centre (5, 4)
    EXPECT_EQ(Draw(skin::PlainSpinArrow(half, SpinArrow::kUp), 11, 9), (std::vector<std::string>{
                                                                            "...........",
                                                                            "...........",
                                                                            ".....x.....",
                                                                            "....xxx....",
                                                                            "...xxxxx...",
                                                                            "..xxxxxxx..",
                                                                            ".xxxxxxxxx.",
                                                                            "...........",
                                                                            "...........",
                                                                        }));
    EXPECT_EQ(Draw(skin::PlainSpinArrow(half, SpinArrow::kDown), 11, 9), (std::vector<std::string>{
                                                                              "...........",
                                                                              "...........",
                                                                              ".xxxxxxxxx.",
                                                                              "..xxxxxxx..",
                                                                              "...xxxxx...",
                                                                              "....xxx....",
                                                                              ".....x.....",
                                                                              "...........",
                                                                              "...........",
                                                                          }));
    EXPECT_EQ(Draw(skin::PlainSpinArrow(half, SpinArrow::kLeft), 11, 9), (std::vector<std::string>{
                                                                              "...........",
                                                                              "...........",
                                                                              "......x....",
                                                                              ".....xx....",
                                                                              "....x.x....",
                                                                              ".....xx....",
                                                                              "......x....",
                                                                              "...........",
                                                                              "...........",
                                                                          }));
    EXPECT_EQ(Draw(skin::PlainSpinArrow(half, SpinArrow::kRight), 11, 9), (std::vector<std::string>{
                                                                               "...........",
                                                                               "...........",
                                                                               "....x......",
                                                                               "....xx.....",
                                                                               "....x.x....",
                                                                               "....xx.....",
                                                                               "....x......",
                                                                               "...........",
                                                                               "...........",
                                                                           }));
    EXPECT_TRUE(skin::PlainSpinShaded(2));
    EXPECT_TRUE(skin::PlainSpinShaded(4));
    EXPECT_FALSE(skin::PlainSpinShaded(1));
    EXPECT_FALSE(skin::PlainSpinShaded(3));
}

} // namespace
