// Gradients: exact end colours, mirrored boxes, channels that only move one way; the stretched
// transparent copy and the parent's image under a child.
#include <gtest/gtest.h>

#include "controls/ec_grafx.h"
#include "golden_map.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/std_controls.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using G = TGradientDirection;

namespace {

int channel(std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

ui::Bitmap& painted(ui::Bitmap& bitmap, int w, int h, G direction, ui::TColor start, ui::TColor stop) {
    ectest::reset(bitmap, w, h);
    paint_gradient_fill(bitmap.canvas(), {0, 0, w, h}, direction, start, stop, 1);
    GdiFlush();
    return bitmap;
}

TEST(EcGradients, StripEndsAndThirds) {
    ui::Bitmap b;
    painted(b, 20, 1, G::gdHorizontalEnd, ui::clWhite, ui::clBlack);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(b.pixel(x, 0), 0u) << x;  // one row: the stop colour
    painted(b, 20, 3, G::gdHorizontalEnd, ui::rgb(0, 0, 0), ui::rgb(255, 255, 255));
    EXPECT_EQ(b.pixel(15, 2), 0xFFFFFFu);
    EXPECT_EQ(b.pixel(15, 1), 0xAAAAAAu);  // a third of the way towards the start
    EXPECT_EQ(b.pixel(15, 0), 0x555555u);  // two thirds: the top row misses the start by a step
    painted(b, 3, 10, G::gdVerticalEnd, ui::rgb(0, 0, 0), ui::rgb(0, 0, 255));
    EXPECT_EQ(b.pixel(2, 9), ui::rgb(0, 0, 255));
    EXPECT_EQ(b.pixel(0, 9), ui::rgb(0, 0, 85));
}

TEST(EcGradients, ChannelsMoveOneWayAndCentresReturn) {
    ui::Bitmap b;
    painted(b, 40, 64, G::gdHorizontalEnd, ui::rgb(10, 200, 30), ui::rgb(250, 20, 130));
    for (int y = 1; y < 64; ++y) {
        EXPECT_GE(channel(b.pixel(33, y), 0), channel(b.pixel(33, y - 1), 0)) << y;
        EXPECT_LE(channel(b.pixel(33, y), 8), channel(b.pixel(33, y - 1), 8)) << y;
        EXPECT_EQ(b.pixel(0, y), b.pixel(39, y)) << y;  // the strip replicated across
    }
    painted(b, 64, 10, G::gdVerticalCenter, ui::clBlack, ui::clWhite);
    EXPECT_EQ(b.pixel(32, 5), 0xFFFFFFu);  // the stop colour in the middle column
    EXPECT_EQ(b.pixel(63, 5), 0u);         // the start again at the far edge
    EXPECT_LT(channel(b.pixel(0, 5), 0), 10);
    for (int x = 1; x <= 32; ++x) EXPECT_GE(channel(b.pixel(x, 5), 0), channel(b.pixel(x - 1, 5), 0)) << x;
    for (int x = 33; x < 64; ++x) EXPECT_LE(channel(b.pixel(x, 5), 0), channel(b.pixel(x - 1, 5), 0)) << x;
}

TEST(EcGradients, BoxesAreMirroredBothWays) {
    ui::Bitmap b;
    for (G d : {G::gdHorizontalBox, G::gdVerticalBox, G::gdSquareBox, G::gdBigSquareBox}) {
        for (auto [w, h] : {std::pair{31, 20}, std::pair{30, 21}}) {
            painted(b, w, h, d, ui::rgb(255, 255, 255), ui::rgb(0, 64, 128));
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    ASSERT_EQ(b.pixel(x, y), b.pixel(w - 1 - x, y)) << int(d) << " " << x << "," << y;
                    ASSERT_EQ(b.pixel(x, y), b.pixel(x, h - 1 - y)) << int(d) << " " << x << "," << y;
                }
            EXPECT_EQ(b.pixel(w / 2, h / 2), ui::rgb(0, 64, 128)) << int(d);  // the stop colour at the centre
        }
    }
    painted(b, 4, 20, G::gdSquareBox, ui::clRed, ui::clBlue);  // too narrow: the start colour only
    EXPECT_EQ(b.pixel(2, 10), ui::color_to_rgb(ui::clRed));
}

TEST(EcGradients, DiagonalsStartAtTheirCorners) {
    ui::Bitmap b;
    painted(b, 50, 30, G::gdDiagonalDown, ui::clWhite, ui::clBlack);
    EXPECT_EQ(b.pixel(49, 29), 0u);  // the sweep starts at the bottom right with the stop colour
    EXPECT_GE(channel(b.pixel(0, 0), 0), 240);
    painted(b, 50, 30, G::gdDiagonalUp, ui::rgb(200, 0, 0), ui::rgb(0, 0, 200));
    EXPECT_EQ(b.pixel(0, 29), ui::rgb(200, 0, 0));
    EXPECT_GE(channel(b.pixel(49, 0), 16), 180);
    for (int i = 0; i < 50 * 30; ++i) EXPECT_NE(b.pixel(i % 50, i / 50), ui::color_to_rgb(ectest::kBackground)) << i;
    painted(b, 20, 20, G::gdDiagonalUp, ui::clLime, ui::clLime);
    for (int i = 0; i < 400; ++i) ASSERT_EQ(b.pixel(i % 20, i / 20), ui::color_to_rgb(ui::clLime));
}

TEST(EcGradients, InvertedAndEmptyBounds) {
    ui::Bitmap b;
    ectest::reset(b, 10, 4);
    paint_gradient_fill(b.canvas(), {2, 0, -2, 4}, G::gdHorizontalEnd, ui::clBlack, ui::clBlack, 1);
    GdiFlush();
    EXPECT_EQ(b.pixel(1, 1), ui::color_to_rgb(ectest::kBackground));  // |W| at Left, not to its left
    EXPECT_EQ(b.pixel(2, 1), 0u);
    EXPECT_EQ(b.pixel(5, 1), 0u);
    EXPECT_EQ(b.pixel(6, 1), ui::color_to_rgb(ectest::kBackground));
    ectest::reset(b, 4, 4);
    paint_gradient_fill(b.canvas(), {1, 1, 1, 3}, G::gdSquareBox, ui::clBlack, ui::clBlack, 1);
    GdiFlush();
    EXPECT_EQ(b.pixel(1, 1), ui::color_to_rgb(ectest::kBackground));
}

TEST(EcGraphics, TransparentStretchLeavesKeyPixels) {
    ui::Bitmap source;
    ectest::reset(source, 2, 2);
    source.canvas().set_pixel(0, 0, ui::clRed);
    source.canvas().set_pixel(1, 1, ui::clRed);
    source.canvas().set_pixel(1, 0, ui::clLime);
    source.canvas().set_pixel(0, 1, ui::clLime);
    ui::Bitmap dest;
    ectest::reset(dest, 6, 6);
    dest.canvas().brush().color = ui::clBlue;
    dest.canvas().fill_rect({0, 0, 6, 6});
    draw_transparent_stretched(dest.canvas(), source, {1, 1, 5, 5}, {0, 0, 2, 2}, ui::clLime);
    GdiFlush();
    const ectest::Legend legend = {{'b', ui::clBlue}, {'r', ui::clRed}};
    EXPECT_TRUE(ectest::matches(dest, {"bbbbbb", "brrbbb", "brrbbb", "bbbrrb", "bbbrrb", "bbbbbb"}, legend));
}

// Paints a checker of 2 x 2 squares, so that an offset shows.
class Checkered : public ui::CustomControl {
public:
    using CustomControl::CustomControl;

protected:
    void paint(ui::Canvas& canvas) override {
        for (int y = 0; y < client_height(); y += 2)
            for (int x = 0; x < client_width(); x += 2) {
                canvas.brush().color = ((x + y) / 2) % 2 ? ui::clBlack : ui::clWhite;
                canvas.fill_rect({x, y, x + 2, y + 2});
            }
    }
};

TEST(EcGraphics, ParentBackgroundAtTheChildsOffset) {
    window_test::ensure_application();
    ui::Form form(nullptr);
    auto* parent = new Checkered(&form);
    parent->set_parent(&form);
    parent->set_bounds(0, 0, 40, 40);
    auto* child = new ui::Panel(&form);
    child->set_parent(parent);
    child->set_bounds(6, 2, 10, 10);
    form.handle_needed();
    ui::Bitmap under;
    ectest::reset(under, 10, 10);
    paint_parent_background(*child, under.dc(), false);
    GdiFlush();
    // The child's (0, 0) is the parent's (6, 2): square (3, 1) of the checker, white.
    const ectest::Legend legend = {{'k', ui::clBlack}, {'w', ui::clWhite}};
    EXPECT_TRUE(ectest::matches(under,
                                {"wwkkwwkkww", "wwkkwwkkww", "kkwwkkwwkk", "kkwwkkwwkk", "wwkkwwkkww", "wwkkwwkkww",
                                 "kkwwkkwwkk", "kkwwkkwwkk", "wwkkwwkkww", "wwkkwwkkww"},
                                legend));
    ui::Panel orphan(nullptr);
    paint_parent_background(orphan, under.dc(), true);  // no parent: nothing
}

} // namespace
