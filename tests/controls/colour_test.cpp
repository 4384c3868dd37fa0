// Colour arithmetic on the 0..240 scale, with the quirks stored colours were computed with, and
// the colour tables and derived colour sets.
#include <gtest/gtest.h>

#include "controls/model/frame_colors.h"
#include "controls/model/hsl_color.h"

using namespace ec;
using ui::rgb;

namespace {

TEST(EcHsl, ConvertsKnownColours) {
    struct Case {
        TColor color;
        Hsl240 hsl;
    } const cases[] = {
        {ui::clBlack, {0, 0, 0}},           {ui::clWhite, {0, 0, 240}},
        {rgb(255, 0, 0), {0, 240, 120}},    {rgb(0, 255, 0), {80, 240, 120}},
        {rgb(0, 0, 255), {160, 240, 120}},  {rgb(128, 128, 128), {0, 0, 120}},
        {rgb(255, 0, 5), {239, 240, 120}},  {rgb(128, 0, 0), {0, 240, 60}},
        {ui::clBtnFace, {0, 0, 226}},  // the classic face 0xF0F0F0, resolved first
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rgb_to_hsl240(c.color), c.hsl) << std::hex << c.color;
        EXPECT_EQ(hue_of(c.color), c.hsl.h);
    }
}

TEST(EcHsl, HueIsDividedBy239) {
    struct Case {
        int h, s, l;
        TColor expected;
    } const cases[] = {
        {0, 240, 120, rgb(255, 0, 0)},
        {80, 240, 120, rgb(0, 255, 2)},    // not pure green: the hue overshoots by 240/239
        {160, 240, 120, rgb(4, 0, 255)},
        {239, 240, 120, rgb(255, 0, 0)},   // a full turn lands in the red sextant
        {240, 240, 120, rgb(255, 6, 0)},
        {0, 0, 240, ui::clWhite},
        {0, 0, 0, ui::clBlack},
        {500, 900, -3, ui::clBlack},       // parts clamp to 0..240
        {-20, 240, 120, rgb(255, 0, 0)},
    };
    for (const Case& c : cases) EXPECT_EQ(hsl240_to_rgb(c.h, c.s, c.l), c.expected) << c.h << "," << c.s << "," << c.l;
}

TEST(EcHsl, GreyRoundTripsKeepTheColour) {
    for (int v = 0; v <= 255; v += 17) {
        const Hsl240 hsl = rgb_to_hsl240(rgb(v, v, v));
        const TColor back = hsl240_to_rgb(hsl.h, hsl.s, hsl.l);
        EXPECT_LE(std::abs((back & 0xFF) - v), 1) << v;
    }
}

TEST(EcColourShifts, DarkenLightenAndShift) {
    const TColor green = rgb(0, 255, 0);
    EXPECT_EQ(lighten_color(ui::clWhite, 20), ui::clWhite);
    EXPECT_EQ(darken_color(rgb(10, 200, 30), 255), ui::clBlack);
    EXPECT_EQ(darken_color(rgb(255, 0, 0), 60), rgb(128, 0, 0));
    EXPECT_EQ(lighten_color(rgb(128, 0, 0), 60), rgb(255, 0, 0));
    EXPECT_EQ(lighten_color(rgb(255, 0, 0), 240), ui::clWhite);  // past the scale's top: capped
    EXPECT_EQ(darken_color(ui::clBtnFace, 10), darken_color(0xF0F0F0, 10));
    // Amounts clamp to a byte.
    EXPECT_EQ(darken_color(green, 1000), ui::clBlack);
    EXPECT_EQ(darken_color(green, -5), darken_color(green, 0));
    EXPECT_EQ(lighten_color(green, -5), lighten_color(green, 0));
    EXPECT_EQ(darken_color(ui::clNone, 10), ui::clNone);
    EXPECT_EQ(lighten_color(ui::clNone, 10), ui::clNone);

    EXPECT_EQ(shift_color_lightness(ui::clBtnFace, 0), ui::clBtnFace);  // untouched, still a system colour
    EXPECT_EQ(shift_color_lightness(green, 0), green);
    EXPECT_EQ(shift_color_lightness(green, 30), lighten_color(green, 30));
    EXPECT_EQ(shift_color_lightness(green, -30), darken_color(green, 30));
    // Only the low byte counts: 300 is 44, 256 is a conversion with no change of lightness.
    EXPECT_EQ(shift_color_lightness(green, 300), lighten_color(green, 44));
    EXPECT_EQ(shift_color_lightness(green, -300), darken_color(green, 44));
    EXPECT_EQ(shift_color_lightness(green, 256), rgb(0, 255, 2));
    EXPECT_EQ(shift_color_lightness(green, INT32_MIN), darken_color(green, 0));
}

TEST(EcColourShifts, MixNearlyEqualAndHueOpposite) {
    EXPECT_EQ(mix_colors(ui::clWhite, ui::clBlack, 128), rgb(128, 128, 128));
    EXPECT_EQ(mix_colors(rgb(255, 0, 0), rgb(0, 0, 255), 128), rgb(128, 0, 127));
    EXPECT_EQ(mix_colors(rgb(200, 100, 50), rgb(0, 0, 0), 255), rgb(200, 100, 50));
    EXPECT_EQ(mix_colors(rgb(200, 100, 50), rgb(10, 20, 30), 0), rgb(10, 20, 30));
    EXPECT_EQ(mix_colors(rgb(200, 100, 50), rgb(10, 20, 30), 300), rgb(200, 100, 50));  // alpha clamps
    EXPECT_EQ(mix_colors(rgb(200, 100, 50), rgb(10, 20, 30), -1), rgb(10, 20, 30));
    EXPECT_EQ(mix_colors(ui::clWhite, ui::clWindow, 0), 0xFFFFFF);  // system colours resolved

    struct Near {
        TColor a, b;
        bool nearly;
    } const near[] = {
        {rgb(255, 0, 0), rgb(255, 20, 0), true},
        {rgb(255, 0, 0), rgb(255, 0, 5), false},  // hue 0 against 239: the distance does not wrap
        {ui::clBlack, rgb(60, 60, 60), true},    // lightness 56
        {ui::clBlack, rgb(64, 64, 64), false},   // lightness 60
        {ui::clBlack, rgb(128, 128, 128), false},
        {ui::clWindow, ui::clWhite, true},
    };
    for (const Near& n : near) EXPECT_EQ(colors_nearly_equal(n.a, n.b), n.nearly) << std::hex << n.a << " " << n.b;

    EXPECT_EQ(hue_opposite_color(rgb(255, 0, 0), 120), rgb(0, 252, 255));
    EXPECT_EQ(hue_opposite_color(rgb(0, 0, 255), 120), rgb(254, 255, 0));
    EXPECT_EQ(hue_opposite_color(rgb(255, 0, 0), 0), ui::clBlack);
}

TEST(EcColourShifts, CenteredRect) {
    EXPECT_EQ(centered_rect({0, 0, 10, 10}, 4, 4), (ui::Rect{3, 3, 7, 7}));
    EXPECT_EQ(centered_rect({0, 0, 10, 9}, 3, 4), (ui::Rect{3, 2, 6, 6}));
    EXPECT_EQ(centered_rect({-5, -5, 0, 0}, 2, 2), (ui::Rect{-3, -3, -1, -1}));  // toward zero
}

TEST(EcColourTables, FrameAndEdgeTables) {
    EXPECT_EQ(frame_style_colors(TFrameStyleEx::fsGroove).upper_left, ui::clBtnShadow);
    EXPECT_EQ(frame_style_colors(TFrameStyleEx::fsGroove).lower_right, ui::clBtnHighlight);
    EXPECT_EQ(frame_style_colors(TFrameStyleEx::fsFlat).upper_left, ui::cl3DDkShadow);
    EXPECT_EQ(frame_style_colors(TFrameStyleEx::fsNone).lower_right, ui::clWindow);
    EXPECT_EQ(frame_style_colors(TFrameStyleEx::fsRaised).upper_left, ui::clNone);
    EXPECT_EQ(edge_3d_colors(false).outer.upper_left, ui::cl3DLight);
    EXPECT_EQ(edge_3d_colors(true).inner.lower_right, ui::cl3DLight);
    EXPECT_EQ(push_button_edge_colors(true).outer.upper_left, ui::clBtnText);
    EXPECT_EQ(push_button_edge_colors(false).inner.lower_right, ui::clBtnShadow);

    const TColor face = rgb(120, 160, 200);
    const EdgeColors down = tinted_button_edge_colors(face, true);
    EXPECT_EQ(down.outer.upper_left, darken_color(face, 100));
    EXPECT_EQ(down.outer.lower_right, darken_color(face, 100));
    EXPECT_EQ(down.inner.upper_left, darken_color(face, 50));
    const TintedFrame raised = tinted_frame_colors(face, TFrameStyle::fsRaised);
    EXPECT_EQ(raised.shape, FrameShape::TwoRings);
    EXPECT_EQ(raised.colors.outer.upper_left, lighten_color(face, 50));
    EXPECT_EQ(raised.colors.inner.lower_right, darken_color(face, 50));
    EXPECT_EQ(tinted_frame_colors(face, TFrameStyle::fsBump).shape, FrameShape::Etched);
    EXPECT_EQ(tinted_frame_colors(face, TFrameStyle::fsNone).shape, FrameShape::Nothing);
}

TEST(EcColourTables, SchemesAndDerivedColours) {
    EXPECT_EQ(xp_scheme_from_name("HOMESTEAD"), 1);
    EXPECT_EQ(xp_scheme_from_name("homestead"), 1);
    EXPECT_EQ(xp_scheme_from_name("Metallic"), 2);
    EXPECT_EQ(xp_scheme_from_name("NormalColor"), 0);
    EXPECT_EQ(xp_scheme_from_name(""), 0);
    EXPECT_EQ(xp_scheme_color(1, 0), 0x00385D3F);
    EXPECT_EQ(xp_scheme_color(2, 5), 0x00B19F9F);
    EXPECT_EQ(xp_scheme_color(7, 4), xp_scheme_color(0, 4));
    EXPECT_EQ(xp_scheme_color(0, 6), ui::clNone);

    using S = TEcGradientColorStyle;
    const DisplayTraits olive{1, true}, few_colours{0, false};
    const SelectionColorSet office = selection_colors(S::gcsMSOffice, true, olive);
    EXPECT_EQ(office.frame, 0x00385D3F);
    EXPECT_EQ(office.start, 0x00C2EEFF);
    EXPECT_EQ(office.stop, 0x00A0D9FF);
    const SelectionColorSet plain = selection_colors(S::gcsMSOffice, false, olive);
    EXPECT_EQ(plain.frame, ui::clHighlight);
    EXPECT_EQ(plain.stop, mix_colors(ui::clHighlight, ui::clWindow, 77));
    EXPECT_EQ(plain.start, lighten_color(plain.stop, 20));
    EXPECT_EQ(selection_colors(S::gcsSystem, true, olive).frame, ui::clHighlight);
    const SelectionColorSet flat = selection_colors(S::gcsMSOffice, true, few_colours);
    EXPECT_EQ(flat.start, flat.stop);

    EXPECT_EQ(bar_gradient_colors(S::gcsMSOffice, true, olive).stop, 0x0092C7B8);
    EXPECT_EQ(bar_gradient_colors(S::gcsCustom, true, olive).start, ui::clWindow);
    EXPECT_EQ(bar_gradient_colors(S::gcsCustom, true, olive).stop, darken_color(ui::clBtnFace, 10));
    EXPECT_EQ(bar_frame_color(S::gcsMSOffice, true, olive), 0x0077A17F);
    EXPECT_EQ(bar_frame_color(S::gcsSystem, true, olive), lighten_color(ui::clBtnShadow, 30));
    const PanelColorSet panel = panel_gradient_colors(S::gcsMSOffice, true, olive);
    EXPECT_EQ(panel.stop, 0x0092C7B8);
    EXPECT_EQ(panel.start, 0x00EDFFFF);
    EXPECT_EQ(panel.frame, panel.stop);
    const PanelColorSet classic = panel_gradient_colors(S::gcsSystem, false, olive);
    EXPECT_EQ(classic.frame, darken_color(ui::clBtnFace, 40));
}

TEST(EcEnums, StoredNamesInOrder) {
    EXPECT_EQ(enum_info(TFrameStyleEx{}).count(), 12u);
    EXPECT_EQ(enum_info(TFrameStyleEx{}).name_of(11), "fsFlatRounded");
    EXPECT_EQ(enum_info(TFrameStyle{}).count(), 11u);
    EXPECT_EQ(enum_info(TFrameStyle{}).name_of(10), "fsFlatBold");
    EXPECT_EQ(enum_info(TGradientDirection{}).name_of(9), "gdBigSquareBox");
    EXPECT_EQ(enum_info(TSide{}).set_to_text(kAllSides.bits()), "[sdLeft,sdTop,sdRight,sdBottom]");
    EXPECT_EQ(kAllSides.bits(), 15u);
}

} // namespace
