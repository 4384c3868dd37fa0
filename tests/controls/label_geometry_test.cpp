// The label's angles, turned boxes, arc centres and radii, and the room its borders take.
#include <gtest/gtest.h>

#include "controls/model/border_geometry.h"
#include "controls/model/label_geometry.h"

using namespace ec;

TEST(EcLabelGeometry, AnglesAreStoredAsZeroTo359) {
    const std::pair<int, int> cases[] = {{0, 0}, {-90, 270}, {450, 90}, {-450, 270}, {359, 359}, {360, 0}, {-720, 0},
                                         {-1, 359}, {725, 5}};
    for (const auto& [given, stored] : cases) EXPECT_EQ(normalize_label_angle(given), stored) << given;
}

TEST(EcLabelGeometry, RotatedBoundsHoldTheTurnedText) {
    struct Case {
        int angle;
        Size bounds;
    };
    const Case cases[] = {
        {0, {100, 10}},   {90, {10, 100}},  {180, {100, 10}}, {270, {10, 100}}, {45, {78, 78}},
        {10, {100, 27}},  {100, {27, 100}}, {190, {100, 27}}, {280, {27, 100}}, {-80, {27, 100}},
    };
    for (const auto& c : cases) EXPECT_EQ(rotated_bounds({100, 10}, c.angle), c.bounds) << c.angle;
}

TEST(EcLabelGeometry, ArcCentresAndRadii) {
    struct Case {
        TCenterPoint where;
        Point center;
        Size radii;
    };
    const Size size{101, 61};
    const Case cases[] = {
        {TCenterPoint::cpUpperLeft, {3, 3}, {95, 55}},     {TCenterPoint::cpUpperCenter, {50, 3}, {44, 55}},
        {TCenterPoint::cpUpperRight, {98, 3}, {95, 55}},   {TCenterPoint::cpLeftCenter, {3, 30}, {95, 24}},
        {TCenterPoint::cpCenter, {50, 30}, {44, 24}},      {TCenterPoint::cpRightCenter, {98, 30}, {95, 24}},
        {TCenterPoint::cpLowerLeft, {3, 58}, {95, 55}},    {TCenterPoint::cpLowerCenter, {50, 58}, {44, 55}},
        {TCenterPoint::cpLowerRight, {98, 58}, {95, 55}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(arc_center(c.where, size, 3), c.center) << int(c.where);
        EXPECT_EQ(arc_radii(c.where, size, 3), c.radii) << int(c.where);
        EXPECT_TRUE(arc_drawable(c.radii));
    }
    // A small label leaves no radius: no character is placed along it.
    EXPECT_EQ(arc_radii(TCenterPoint::cpCenter, {8, 40}, 2), (Size{0, 16}));
    EXPECT_FALSE(arc_drawable(arc_radii(TCenterPoint::cpCenter, {8, 40}, 2)));
    EXPECT_FALSE(arc_drawable(arc_radii(TCenterPoint::cpLeftCenter, {40, 6}, 2)));
}

TEST(EcBorderGeometry, FrameThicknessesAndClientRect) {
    using F = TFrameStyleEx;
    const std::tuple<F, int, int> cases[] = {
        {F::fsNone, 0, 0},   {F::fsFlat, 1, 1},     {F::fsStatus, 3, 3},  {F::fsPopup, 3, 3},
        {F::fsGroove, 2, 2}, {F::fsButtonUp, 2, 2}, {F::fsFlatBold, 2, 0}, {F::fsFlatRounded, 2, 0},
    };
    for (const auto& [style, drawn, auto_size] : cases) {
        EXPECT_EQ(frame_thickness(style, 3), drawn) << int(style);
        EXPECT_EQ(frame_thickness_for_auto_size(style, 3), auto_size) << int(style);
    }

    BorderLayers layers;
    layers.outer = F::fsGroove;
    layers.inner = F::fsFlat;
    layers.width = 2;
    layers.sides = TSides{TSide::sdLeft, TSide::sdBottom};
    EXPECT_EQ(border_client_rect({0, 0, 50, 40}, layers), (ui::Rect{5, 2, 48, 35}));
    EXPECT_EQ(border_client_rect({0, 0, 6, 6}, layers), ui::Rect{});  // inverted: empty
}
