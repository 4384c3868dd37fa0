#include <gtest/gtest.h>

#include <climits>

#include "skin/scroll_geometry.h"

namespace skin {
std::ostream& operator<<(std::ostream& os, const ThumbSpan& t) { return os << t.start << ".." << t.end; }
} // namespace skin

namespace {

using skin::BarAxis;
using skin::ComboDrag;
using skin::ScrollValues;
using skin::ThumbSpan;

TEST(PlatformMulDiv, RoundsHalvesAwayFromZeroAndFailsAsTheSystemDoes) {
    struct Case {
        int a, b, c, want;
    };
    const Case cases[] = {
        {10, 10, 3, 33},   {5, 3, 2, 8},   {-5, 3, 2, -8}, {5, -3, -2, 8}, {-5, 3, -2, 8},
        {1, 1, 2, 1},      {1, 1, 3, 0},   {-1, 1, 2, -1}, {3, 1, 2, 2},   {0, 5, 7, 0},
        {1, 1, 0, -1},     {0, 5, 0, -1},  // no divisor
        {INT_MAX, 2, 2, INT_MAX}, {INT_MAX, 2, 1, -1}, {INT_MIN, 1, -1, -1},  // beyond 32 bits
        {-INT_MAX, 1, 1, -INT_MAX}, {65536, 65536, 65536, 65536},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " * " << c.b << " / " << c.c);
        EXPECT_EQ(skin::PlatformMulDiv(c.a, c.b, c.c), c.want);
    }
}

TEST(ScrollBarParts, ArrowsPagesAndThumbAlongTheAxis) {
    const BarAxis bar{100, 17, 30, 50};
    const struct {
        int p, part;
    } cases[] = {{-3, skin::kFirstArrow}, {0, skin::kFirstArrow}, {16, skin::kFirstArrow}, {17, skin::kPageBefore},
                 {29, skin::kPageBefore}, {30, skin::kThumbPart},  {49, skin::kThumbPart},  {50, skin::kPageAfter},
                 {82, skin::kPageAfter},  {83, skin::kSecondArrow}, {99, skin::kSecondArrow}, {500, skin::kSecondArrow}};
    for (const auto& c : cases) EXPECT_EQ(skin::ScrollPartAt(c.p, bar), c.part) << c.p;

    // A bar shorter than two buttons: two arrows of half its length, nothing between them.
    const BarAxis short_bar{20, 17, 10, 10};
    EXPECT_EQ(skin::ScrollPartAt(9, short_bar), skin::kFirstArrow);
    EXPECT_EQ(skin::ScrollPartAt(10, short_bar), skin::kSecondArrow);
    EXPECT_EQ(skin::ScrollPartAt(20, short_bar), skin::kSecondArrow);
}

TEST(ScrollBarParts, ArrowLengthHalvesOnlyBelowTwoButtons) {
    const struct {
        int length, button, want;
    } cases[] = {{34, 17, 17}, {33, 17, 16}, {20, 17, 10}, {17, 17, 8}, {1, 17, 0}, {0, 17, 0}, {200, 17, 17}};
    for (const auto& c : cases) EXPECT_EQ(skin::ArrowLength(c.length, c.button), c.want) << c.length;
}

TEST(ScrollBarThumb, FollowsTheCursorWithinTheTrack) {
    const BarAxis pressed{200, 17, 40, 70};  // pressed at 50
    const struct {
        const char* name;
        BarAxis bar;
        int cursor;
        ThumbSpan want;
    } cases[] = {
        {"unmoved", pressed, 50, {40, 70}},
        {"ten on", pressed, 60, {50, 80}},
        {"back", pressed, 45, {35, 65}},
        {"before the first arrow", pressed, 0, {17, 47}},
        {"past the second arrow", pressed, 500, {153, 183}},
        {"to the last place", pressed, 163, {153, 183}},
        {"the cursor at the 32-bit ends", pressed, INT_MIN, {17, 47}},
        {"the cursor at the other end", pressed, INT_MAX, {153, 183}},
        // A thumb longer than its track stays after the first arrow.
        {"thumb too long", {60, 17, 20, 60}, 90, {17, 57}},
        {"short bar", {20, 17, 10, 10}, 80, {10, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(skin::FollowThumb(c.bar, 50, c.cursor), c.want);
    }
}

// A bar 117 pixels long with 17-pixel buttons: an 83-pixel track.
TEST(ScrollControlGeometry, ThumbForPaintingFromTheScrollInformation) {
    const struct {
        const char* name;
        ScrollValues v;
        ThumbSpan want;
    } cases[] = {
        {"page share, 41 pixels", {0, 100, 50, 20}, {34, 75}},
        {"at the last position it ends at the second arrow", {0, 100, 50, 51}, {59, 100}},
        {"a thumb under 8 pixels becomes 8 on a shorter track", {0, 100, 10, 0}, {17, 25}},
        {"8-pixel thumb further on", {0, 100, 10, 91}, {85, 93}},
        {"no page: one button long on a track one button shorter", {0, 100, 0, 50}, {50, 67}},
        {"no page at the end", {0, 100, 0, 100}, {83, 100}},
        {"min = max without a page", {5, 5, 0, 5}, {17, 34}},
        {"min = max with a page", {5, 5, 3, 5}, {17, 25}},
        {"negative minimum", {-50, 50, 0, 0}, {50, 67}},
        {"the 32-bit limits", {INT_MIN, INT_MAX, 0, 0}, {50, 67}},
        {"the 32-bit limits with a page", {INT_MIN, INT_MAX, 1 << 30, INT_MIN}, {17, 38}},
        // Longer than the bar: the painter leaves out a thumb that does not fit.
        {"page larger than the range", {0, 10, 50, 0}, {17, 424}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(skin::ScrollControlThumb(c.v, 117, 17), c.want);
    }
}

TEST(ScrollControlGeometry, ThumbForPressFromThePublishedValues) {
    const struct {
        const char* name;
        ScrollValues v;
        ThumbSpan want;
    } cases[] = {
        {"page share", {0, 100, 50, 20}, {34, 75}},
        {"no least length", {0, 100, 10, 0}, {17, 24}},
        {"no page", {0, 100, 0, 50}, {50, 67}},
        // An empty range divides by zero: MulDiv's -1 moves the thumb one pixel back.
        {"min = max without a page", {5, 5, 0, 5}, {16, 33}},
        {"min = max with a page", {5, 5, 3, 5}, {16, 15}},
        {"the 32-bit limits", {INT_MIN, INT_MAX, 0, INT_MAX}, {83, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(skin::ScrollControlPressThumb(c.v, 117, 17), c.want);
    }
}

// The list's bar: 117 long, 17-pixel buttons, a 20-pixel thumb pressed at y = 100.
TEST(ComboListDrag, PositionForTheCursor) {
    const auto drag = [](ScrollValues v, int thumb_top, int thumb_length = 20) {
        ComboDrag d;
        d.values = v;
        d.bar_length = 117;
        d.button = 17;
        d.thumb_top = thumb_top;
        d.thumb_length = thumb_length;
        d.press_cursor = 100;
        return d;
    };
    const ScrollValues list{0, 99, 10, 0};  // positions 0 to 90 on a 63-pixel track
    const struct {
        const char* name;
        ComboDrag d;
        int cursor, want;
    } cases[] = {
        {"unmoved", drag(list, 17), 100, 0},
        {"above the track", drag(list, 17), 90, 0},
        {"31 pixels down", drag(list, 17), 131, 44},
        {"the track's end", drag(list, 17), 163, 89},
        {"past the track reaches the last position", drag(list, 17), 164, 90},
        {"far past", drag(list, 17), 5000, 90},
        {"from a thumb in the middle", drag(list, 40), 100, 32},
        {"a raised minimum", drag({10, 109, 10, 10}, 17), 131, 54},
        {"a raised minimum at the end", drag({10, 109, 10, 10}, 17), 1000, 100},
        {"no page", drag({0, 99, 0, 0}, 17), 131, 37},
        {"no page at the end stops at the track", drag({0, 99, 0, 0}, 17), 1000, 75},
        {"a thumb filling the track (no divisor)", drag(list, 17, 83), 131, 0},
        {"page larger than the range", drag({0, 5, 10, 0}, 17), 131, 0},
        {"the 32-bit limits", drag({INT_MIN, INT_MAX, 1 << 30, INT_MIN}, 17), 131, -562436194},
        {"the 32-bit limits at the end", drag({INT_MIN, INT_MAX, 1 << 30, INT_MIN}, 17), 1000, INT_MAX - (1 << 30) + 1},
        {"the cursor at the 32-bit ends", drag(list, 17), INT_MIN, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(skin::ComboDragPosition(c.d, c.cursor), c.want);
    }
}

TEST(ScrollStrip, ThicknessAndFrames) {
    EXPECT_EQ(skin::BarThickness(17, 17), 17);
    EXPECT_EQ(skin::BarThickness(19, 17), 19);
    EXPECT_EQ(skin::BarThickness(15, 17), 15);
    EXPECT_EQ(skin::BarThickness(20, 17), 17);
    EXPECT_EQ(skin::BarThickness(14, 17), 17);

    const struct {
        bool vertical, second, hot, pressed;
        int want;
    } arrows[] = {{false, false, false, false, 1}, {false, true, false, false, 5}, {true, false, false, false, 9},
                  {true, true, false, false, 13},  {false, false, true, false, 4}, {true, true, true, false, 16},
                  {false, true, false, true, 6},   {true, false, true, true, 10}};
    for (const auto& a : arrows) EXPECT_EQ(skin::ArrowFrame(a.vertical, a.second, a.hot, a.pressed), a.want);
    EXPECT_EQ(skin::GripFrame(false, false, false), 17);
    EXPECT_EQ(skin::GripFrame(false, false, true), 18);
    EXPECT_EQ(skin::GripFrame(false, true, false), 19);
    EXPECT_EQ(skin::GripFrame(true, false, false), 20);
    EXPECT_EQ(skin::GripFrame(true, true, true), 21);
    EXPECT_EQ(skin::GripFrame(true, true, false), 22);
    EXPECT_EQ(skin::ThumbFrame(false, false), 1);
    EXPECT_EQ(skin::ThumbFrame(true, true), 2);
    EXPECT_EQ(skin::ThumbFrame(true, false), 3);
    EXPECT_EQ(skin::TrackFrame(true), 1);
    EXPECT_EQ(skin::TrackFrame(false), 3);
}

} // namespace
