// The track bar's range rules, track, thumb and tick places, slides and thumb colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "controls/model/hsl_color.h"
#include "controls/model/track_geometry.h"
#include "controls/model/track_thumbs.h"

using namespace ec;

namespace {

TrackLayout bar(int width, int height, int min, int max, int thumb_width = 11, int thumb_height = 20) {
    TrackLayout t;
    t.width = width;
    t.height = height;
    t.orientation = orientation_for_size(width, height);
    t.min = min;
    t.max = max;
    t.thumb_width = thumb_width;
    t.thumb_height = thumb_height;
    t.style = TThumbStyle::tsBox;
    return t;
}

} // namespace

TEST(EcTrackGeometry, RangeRules) {
    EXPECT_EQ(fixed_track_max(0, 0), 1);
    EXPECT_EQ(fixed_track_max(-3, 0), 1);
    EXPECT_EQ(fixed_track_max(5, 0), 5);
    EXPECT_EQ(fixed_track_min(5, 5), 4);
    EXPECT_EQ(fixed_track_min(2, 5), 2);
    EXPECT_EQ(clamp_track_position(10, 0, 5), 5);
    EXPECT_EQ(clamp_track_position(-1, 0, 5), 0);
}

TEST(EcTrackGeometry, TrackAndThumbPlaces) {
    const TrackLayout h = bar(200, 35, 0, 10);
    EXPECT_EQ(h.orientation, TOrientation::orHorizontal);
    EXPECT_EQ(track_rect(h), (ui::Rect{9, 20, 191, 28}));
    EXPECT_EQ(thumb_rect(h, 5), (ui::Rect{94, 14, 105, 34}));  // 4 + 181 * 5 div 10
    EXPECT_EQ(thumb_rect(h, 0).left, 4);
    EXPECT_EQ(thumb_rect(h, 10).right, 196);

    TrackLayout pointer = h;
    pointer.style = TThumbStyle::tsPointer;
    EXPECT_EQ(thumb_rect(pointer, 0).top, 12);  // pointers sit two pixels higher
    pointer.pointer = TPointerType::ptWin95;
    EXPECT_EQ(thumb_rect(pointer, 0).top, 14);

    // Taller than wide: vertical, Min at the bottom and Max at the top.
    const TrackLayout v = bar(35, 200, 0, 10);
    EXPECT_EQ(v.orientation, TOrientation::orVertical);
    EXPECT_EQ(track_rect(v), (ui::Rect{20, 9, 28, 191}));
    EXPECT_EQ(thumb_rect(v, 0), (ui::Rect{14, 185, 34, 196}));
    EXPECT_EQ(thumb_rect(v, 10), (ui::Rect{14, 4, 34, 15}));

    // An empty custom thumb: no thumb, the track spans the control less the insets.
    const TrackLayout empty = bar(200, 35, 0, 10, 0, 0);
    EXPECT_EQ(track_rect(empty), (ui::Rect{4, 20, 196, 28}));
    EXPECT_EQ(thumb_rect(empty, 10), (ui::Rect{196, 24, 196, 24}));
}

TEST(EcTrackGeometry, ThreeHourBarPlacesTheThumbMonotonically) {
    const TrackLayout t = bar(600, 35, 0, 10'800'000);
    int last = thumb_rect(t, 0).left;
    EXPECT_EQ(last, 4);
    for (int ms = 0; ms <= t.max; ms += 9'973) {
        const int left = thumb_rect(t, ms).left;
        EXPECT_GE(left, last) << ms;
        last = left;
    }
    EXPECT_EQ(thumb_rect(t, t.max).left, 4 + t.span());
    EXPECT_EQ(thumb_travel_offset(t, t.max), t.span());
}

TEST(EcTrackGeometry, TicksMatchEveryTickValue) {
    struct Case {
        int width, min, max, step;
    };
    const Case cases[] = {
        {200, 0, 10, 1},   {200, 5, 15, 1},    {200, 0, 10, 3},      {200, -7, 13, 4}, {200, 0, 65535, 1},
        {90, 0, 1000, 7},  {200, 3, 4, 5},     {200, -1000, -3, 10}, {35, 0, 10, 1},   {200, 0, 361, 2},
    };
    for (const auto& c : cases) {
        const TrackLayout t = bar(c.width, 35, c.min, c.max);
        std::set<int> expected;
        const double per_value = static_cast<double>(t.span()) / (c.max - c.min);
        for (int v = c.min; v <= c.max; ++v)
            if (v % c.step == 0) expected.insert(static_cast<int>(std::nearbyint((v - c.min) * per_value)));
        const auto got = tick_offsets(t, c.step);
        EXPECT_EQ(std::set<int>(got.begin(), got.end()), expected) << c.min << ".." << c.max << " / " << c.step;
        EXPECT_TRUE(std::is_sorted(got.begin(), got.end()));
        EXPECT_EQ(std::set<int>(got.begin(), got.end()).size(), got.size());
    }
    const auto dense = tick_offsets(bar(200, 35, 0, 10'800'000), 1);
    ASSERT_EQ(dense.size(), 182u);
    EXPECT_EQ(dense.back(), 181);
    EXPECT_EQ(tick_offsets(bar(200, 35, 0, 10), 0).size(), 11u);  // a step below 1 counts as 1
}

TEST(EcTrackGeometry, SlidesAndPaging) {
    const std::tuple<double, int, std::optional<int>> cases[] = {
        {2.5, 10, 2},  {3.5, 10, 4},  {-5, 10, 0},           {20, 10, 10},
        {0, 0, std::nullopt}, {3, -4, std::nullopt},  // a bar narrower than its thumb + 8
    };
    for (const auto& [offset, length, position] : cases)
        EXPECT_EQ(position_for_offset(offset, length, 0, 10), position) << offset << " / " << length;
    EXPECT_EQ(position_for_offset(90.5, 181, 0, 10'800'000), 5'400'000);

    const TrackLayout h = bar(200, 35, 0, 10);
    EXPECT_EQ(thumb_travel_offset(h, 5), 90);  // 90.5 to even
    EXPECT_TRUE(press_pages_up(h, 5, 94, 0));
    EXPECT_FALSE(press_pages_up(h, 5, 93, 0));
    const TrackLayout v = bar(35, 200, 0, 10);
    EXPECT_EQ(thumb_travel_offset(v, 10), 0);
    EXPECT_TRUE(press_pages_up(v, 5, 0, 93));
    EXPECT_FALSE(press_pages_up(v, 5, 0, 94));
}

TEST(EcTrackGeometry, ThumbColourMap) {
    ThumbColors colors;
    colors.highlight = ui::rgb(0, 0, 200);
    const auto map = thumb_color_map(colors);
    ASSERT_EQ(map.size(), 13u);
    std::map<ui::TColor, ui::TColor> by_design(map.begin(), map.end());
    EXPECT_EQ(by_design.size(), 13u);
    EXPECT_EQ(by_design[ui::clSilver], ui::clBtnFace);
    EXPECT_EQ(by_design[ui::clGray], ui::clBtnShadow);
    EXPECT_EQ(by_design[ui::clOlive], ui::cl3DDkShadow);
    EXPECT_EQ(by_design[ui::clYellow], ui::cl3DLight);
    EXPECT_EQ(by_design[ui::clTeal], ui::clBtnShadow);
    EXPECT_EQ(by_design[ui::clGreen], lighten_color(ui::clBtnShadow, 30));
    EXPECT_EQ(by_design[ui::clPurple], darken_color(ui::clBtnShadow, 30));
    EXPECT_EQ(by_design[ui::clBlue], static_cast<ui::TColor>(0xC80001));
    EXPECT_EQ(by_design[ui::clNavy], darken_color(colors.highlight, 30));
    EXPECT_EQ(by_design[ui::clAqua], lighten_color(colors.highlight, 30));
    EXPECT_EQ(by_design[ui::clRed], colors.hot_track);
    EXPECT_EQ(by_design[ui::clMaroon], colors.hot_track);
    EXPECT_EQ(by_design[ui::clFuchsia], mix_colors(ui::clWhite, colors.hot_track, 190));

    colors.hot_type = TEcHotTrackColorType::htctComplement;
    const auto complement = thumb_color_map(colors);
    std::map<ui::TColor, ui::TColor> hot(complement.begin(), complement.end());
    const ui::TColor opposite = hue_opposite_color(colors.hot_track, 140);
    EXPECT_EQ(hot[ui::clFuchsia], opposite);
    EXPECT_EQ(hot[ui::clMaroon], darken_color(opposite, 30));
    EXPECT_EQ(hot[ui::clRed], darken_color(opposite, 15));
}

TEST(EcTrackThumbs, ShapesSizesAndColours) {
    using S = TThumbStyle;
    struct Case {
        S style;
        int width, height;  // horizontal pictures
    };
    const Case cases[] = {{S::tsBox, 11, 20}, {S::tsPointer, 11, 20}, {S::tsMixer, 9, 18}, {S::tsFlat, 9, 16},
                          {S::tsXPBox, 11, 20}, {S::tsXPPointer, 11, 20}};
    for (const Case& c : cases) {
        const ThumbArt h = thumb_art(c.style, TOrientation::orHorizontal);
        const ThumbArt v = thumb_art(c.style, TOrientation::orVertical);
        ASSERT_EQ(h.width(), c.width) << int(c.style);
        ASSERT_EQ(h.height(), c.height) << int(c.style);
        ASSERT_EQ(v.width(), c.height) << int(c.style);
        for (int y = 0; y < h.height(); ++y)
            for (int x = 0; x < h.width(); ++x) {
                EXPECT_EQ(v.rows[x][y], h.rows[y][x]);  // turned, light edges still up and left
                EXPECT_NE(std::string("WLFSDA.").find(h.rows[y][x]), std::string::npos);
            }
    }
    EXPECT_EQ(thumb_art(S::tsCustom, TOrientation::orHorizontal).width(), 0);

    // The pointer ends in one dot in the middle of its last row.
    const ThumbArt p = thumb_art(S::tsPointer, TOrientation::orHorizontal);
    EXPECT_EQ(p.rows.back(), ".....D.....");
    EXPECT_EQ(p.rows.front(), "WWWWWWWWWWD");

    // Every role of every picture is a colour the map replaces (or white), and the mask is
    // black exactly where the picture is.
    const auto map = thumb_color_map({});
    auto mapped = [&](ui::TColor c) {
        return c == ui::clWhite || std::any_of(map.begin(), map.end(), [c](const auto& m) { return m.first == c; });
    };
    for (char role : std::string("WLFSDA"))
        for (ThumbImage image : {ThumbImage::Normal, ThumbImage::Hot, ThumbImage::Disabled}) {
            EXPECT_TRUE(mapped(thumb_design_color(role, image))) << role;
            EXPECT_EQ(thumb_mask_color(role), ui::clBlack);
        }
    EXPECT_EQ(thumb_design_color('.', ThumbImage::Hot), ui::clBlack);
    EXPECT_EQ(thumb_mask_color('.'), ui::clWhite);
    EXPECT_NE(thumb_design_color('F', ThumbImage::Hot), thumb_design_color('F', ThumbImage::Normal));
}
