// The radio group's column layout: the station's log-level group, measured columns and their
// mirror, and the clamps of Columns and ItemIndex.
#include <gtest/gtest.h>

#include "controls/model/radio_group_layout.h"

using namespace ec;
using ui::Rect;

namespace {

RadioGroupMetrics station_group() {
    RadioGroupMetrics m;
    m.columns = 2;
    m.width = m.client_width = 369;
    m.client_top = 15;
    m.start_x = 22;
    m.start_y = 16;
    m.item_height = 26;
    m.space_evenly = true;
    return m;
}

TEST(EcRadioGroupLayout, StationLogLevelGroup) {
    const std::vector<Rect> places = radio_group_layout(station_group(), std::vector<int>(5, 0));
    const std::vector<Rect> expected{{22, 31, 190, 57}, {22, 60, 190, 86}, {22, 89, 190, 115},
                                     {190, 31, 358, 57}, {190, 60, 358, 86}};
    EXPECT_EQ(places, expected);
}

TEST(EcRadioGroupLayout, EvenColumnsMirrored) {
    RadioGroupMetrics m = station_group();
    m.right_to_left = true;
    const std::vector<Rect> places = radio_group_layout(m, std::vector<int>(5, 0));
    EXPECT_EQ(places[0], (Rect{179, 31, 347, 57}));
    EXPECT_EQ(places[3], (Rect{11, 31, 179, 57}));
}

TEST(EcRadioGroupLayout, MeasuredColumnsAndTheirMirror) {
    RadioGroupMetrics m;
    m.columns = 2;
    m.width = m.client_width = 200;
    m.client_top = 14;
    const std::vector<int> widths{30, 50, 20};
    // Column 0 as wide as "50" + glyph + 12 = 75, column 1 45; buttons 4 narrower.
    EXPECT_EQ(radio_group_layout(m, widths),
              (std::vector<Rect>{{8, 16, 79, 33}, {8, 36, 79, 53}, {83, 16, 124, 33}}));
    m.right_to_left = true;
    EXPECT_EQ(radio_group_layout(m, widths),
              (std::vector<Rect>{{121, 16, 192, 33}, {121, 36, 192, 53}, {76, 16, 117, 33}}));
}

TEST(EcRadioGroupLayout, OutOfRangeColumnsAndIndexes) {
    EXPECT_EQ(clamp_radio_columns(0), 1);
    EXPECT_EQ(clamp_radio_columns(20), 16);
    EXPECT_EQ(clamp_radio_item_index(7, 5), 4);
    EXPECT_EQ(clamp_radio_item_index(-5, 5), -1);
    EXPECT_EQ(clamp_radio_item_index(0, 0), -1);
    RadioGroupMetrics m = station_group();
    m.columns = 40;  // more columns than items: one item per column
    EXPECT_EQ(radio_group_layout(m, std::vector<int>(2, 0)).size(), 2u);
    EXPECT_TRUE(radio_group_layout(m, {}).empty());
}

TEST(EcRadioGroupLayout, ScalingLeavesTheLeftStart) {
    const RadioGroupScaled v{3, 17, 2, 11};
    const RadioGroupScaled own = scale_radio_group(v, 120, 96, true);
    EXPECT_EQ(own.vertical_spacing, 3);
    EXPECT_EQ(own.item_height, 21);
    EXPECT_EQ(own.start_y, 2);
    EXPECT_EQ(own.item_font_height, 13);
    EXPECT_EQ(scale_radio_group(v, 120, 96, false).item_font_height, 11);
}

} // namespace
