// Glyphs pixel by pixel: the check square, the radio circle, the classic arrows, and a sheet of
// every style and glyph for a person to look at.
#include <gtest/gtest.h>

#include "controls/ec_common.h"
#include "controls/ec_grafx.h"
#include "golden_map.h"

using namespace ec;
using ectest::Rows;

namespace {

const Rows kChecked = {
    "FFFFFFFFFFFFF", "FWWWWWWWWWWWF", "FWWWWWWWWWWWF", "FWWWWWWWWTWWF", "FWWWWWWWTTWWF",
    "FWWTWWWTTTWWF", "FWWTTWTTTWWWF", "FWWTTTTTWWWWF", "FWWWTTTWWWWWF", "FWWWWTWWWWWWF",
    "FWWWWWWWWWWWF", "FWWWWWWWWWWWF", "FFFFFFFFFFFFF",
};

class EcGlyphPainters : public ::testing::Test {
protected:
    void SetUp() override { set_display_traits({0, true}); }
    ui::Bitmap bitmap;
};

TEST_F(EcGlyphPainters, CheckSquareInEachState) {
    struct Case {
        const char* what;
        GlyphDrawState state;
        bool focused;
        ui::TCheckBoxState check;
        Rows map;
        ectest::Legend legend;
    };
    GlyphLook look;
    look.focus = ui::clYellow;
    look.disabled = ui::clSilver;
    ectest::Legend base = ectest::system_legend();
    auto with = [&](char letter, ui::TColor c) {
        ectest::Legend l = base;
        l[letter] = c;
        return l;
    };
    Rows grayed(13, "FWWWWWWWWWWWF");
    grayed.front() = grayed.back() = "FFFFFFFFFFFFF";
    for (int y = 3; y <= 9; ++y) grayed[static_cast<std::size_t>(y)] = "FWWTTTTTTTWWF";
    auto retint = [](Rows rows, char from, char to) {
        for (std::string& r : rows)
            for (char& ch : r)
                if (ch == from) ch = to;
        return rows;
    };
    const Case cases[] = {
        {"normal", GlyphDrawState::Normal, false, ui::TCheckBoxState::cbChecked, kChecked, base},
        {"focused", GlyphDrawState::Normal, true, ui::TCheckBoxState::cbChecked, kChecked, with('W', ui::clYellow)},
        {"pressed", GlyphDrawState::Pressed, false, ui::TCheckBoxState::cbChecked, kChecked,
         with('W', darken_color(ui::clYellow, 20))},
        {"disabled: the mark turns grey", GlyphDrawState::Disabled, false, ui::TCheckBoxState::cbChecked,
         retint(kChecked, 'T', 'S'), with('W', ui::clSilver)},
        {"grayed", GlyphDrawState::Normal, false, ui::TCheckBoxState::cbGrayed, grayed, base},
        {"unchecked", GlyphDrawState::Normal, false, ui::TCheckBoxState::cbUnchecked, retint(kChecked, 'T', 'W'), base},
    };
    for (const Case& c : cases) {
        ectest::reset(bitmap, 13, 13);
        look.state = c.state;
        look.focused = c.focused;
        paint_check_glyph(bitmap.canvas(), {0, 0, 13, 13}, c.check, look);
        EXPECT_TRUE(ectest::matches(bitmap, c.map, c.legend)) << c.what;
    }

    // Hot with a frame look: the frame and an inner ring in the dark hot colour.
    ectest::reset(bitmap, 13, 13);
    look.state = GlyphDrawState::Hot;
    look.focused = false;
    look.hot_style = TEcButtonHotTrackStyle::htsFrame;
    look.hot_dark = ui::clNavy;
    paint_check_glyph(bitmap.canvas(), {0, 0, 13, 13}, ui::TCheckBoxState::cbUnchecked, look);
    Rows hot(13, "NNWWWWWWWWWNN");
    hot[0] = hot[1] = hot[11] = hot[12] = "NNNNNNNNNNNNN";
    EXPECT_TRUE(ectest::matches(bitmap, hot, with('N', ui::clNavy)));
}

// The radio circle, unchecked, one map per look. Letters: o the back colour, t the transparent
// key, F the frame, l the frame lightened, 1 and 2 the frame half and lightly over the back,
// W the interior, a b c x the frame over the interior at 128, 80, 40 and 150, G the hot
// gradient, A B C the frame over it at 128, 80 and 40, s light grey.
const Rows kRadio = {
    "ooo21lFl12ooo", "oo1FabcbaF1oo", "o1lbWWWWWbl1o", "2FbWWWWWWWbF2", "1aWWWWWWWWWa1",
    "lbWWWWWWWWWbl", "FcWWWWWWWWWcF", "lbWWWWWWWWWbl", "1aWWWWWWWWWa1", "2FbWWWWWWWbF2",
    "o1lbWWWWWbl1o", "oo1FabcbaF1oo", "ooo21lFl12ooo",
};
// Hot with a frame look: a lit rim inside the circle and a darker shade one further in.
const Rows kRadioHotFrame = {
    "ooo21lFl12ooo", "oo1FFlllFF1oo", "o1lxbWWWbxl1o", "2FxWWWWWWWxF2", "1FbWWWWWWWbF1",
    "llWWWWWWWWWll", "FlWWWWWWWWWlF", "llWWWWWWWWWll", "1FbWWWWWWWbF1", "2FxWWWWWWWxF2",
    "o1lxbWWWbxl1o", "oo1FFlllFF1oo", "ooo21lFl12ooo",
};
// Hot with an interior look: the gradient fills the ring between the circle and the cross in
// the middle, and the inner shades blend over the gradient.
const Rows kRadioHotInterior = {
    "ooo21lFl12ooo", "oo1FABCBAF1oo", "o1lBGGGGGBl1o", "2FBGGWWWGGBF2", "1AGGWWWWWGGA1",
    "lBGWWWWWWWGBl", "FCGWWWWWWWGCF", "lBGWWWWWWWGBl", "1AGGWWWWWGGA1", "2FBGGWWWGGBF2",
    "o1lBGGGGGBl1o", "oo1FABCBAF1oo", "ooo21lFl12ooo",
};
// Transparent: the corners and the smoothing pixels take the key colour.
const Rows kRadioTransparent = {
    "tttttlFlttttt", "tttFabcbaFttt", "ttlbWWWWWbltt", "tFbWWWWWWWbFt", "taWWWWWWWWWat",
    "lbWWWWWWWWWbl", "FcWWWWWWWWWcF", "lbWWWWWWWWWbl", "taWWWWWWWWWat", "tFbWWWWWWWbFt",
    "ttlbWWWWWbltt", "tttFabcbaFttt", "tttttlFlttttt",
};
// Few colours: no blends; the shades are the frame itself and light grey.
const Rows kRadioFewColours = {
    "ooooFFFFFoooo", "ooFFFsWsFFFoo", "oFFsWWWWWsFFo", "oFsWWWWWWWsFo", "FFWWWWWWWWWFF",
    "FsWWWWWWWWWsF", "FWWWWWWWWWWWF", "FsWWWWWWWWWsF", "FFWWWWWWWWWFF", "oFsWWWWWWWsFo",
    "oFFsWWWWWsFFo", "ooFFFsWsFFFoo", "ooooFFFFFoooo",
};

// The dot: a 3 x 3 square with one more pixel on each side in the dot colour (d) and the
// corners of the 5 x 5 around it softened (e).
Rows with_dot(Rows rows) {
    const char* dot[] = {".ede.", "eddde", "ddddd", "eddde", ".ede."};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            if (dot[y][x] != '.') rows[static_cast<std::size_t>(4 + y)][static_cast<std::size_t>(4 + x)] = dot[y][x];
    return rows;
}

TEST_F(EcGlyphPainters, RadioCircleInEachState) {
    const ui::TColor back = ui::clBtnFace, key = 0x00008080;
    const ui::TColor gradient = ui::rgb(255, 200, 120);
    GlyphLook look;
    look.frame = ui::clNavy;
    look.fill = ui::clWhite;
    look.mark = ui::clBlack;
    look.focus = ui::clYellow;
    look.disabled = ui::rgb(220, 220, 200);
    look.hot_dark = ui::clMaroon;
    struct Case {
        const char* what;
        GlyphDrawState state;
        TEcButtonHotTrackStyle hot_style;
        bool transparent, full_color;
        const Rows& map;
        ui::TColor frame, interior, dot;
    };
    const Case cases[] = {
        {"normal", GlyphDrawState::Normal, TEcButtonHotTrackStyle::htsFrame, false, true, kRadio, ui::clNavy,
         ui::clWhite, ui::clBlack},
        {"pressed", GlyphDrawState::Pressed, TEcButtonHotTrackStyle::htsFrame, false, true, kRadio, ui::clNavy,
         darken_color(ui::clYellow, 20), ui::clBlack},
        {"disabled", GlyphDrawState::Disabled, TEcButtonHotTrackStyle::htsFrame, false, true, kRadio, ui::clNavy,
         look.disabled, ui::clBtnShadow},
        {"hot frame", GlyphDrawState::Hot, TEcButtonHotTrackStyle::htsFrame, false, true, kRadioHotFrame, ui::clMaroon,
         ui::clWhite, ui::clBlack},
        {"hot interior", GlyphDrawState::Hot, TEcButtonHotTrackStyle::htsInterior, false, true, kRadioHotInterior,
         ui::clNavy, ui::clWhite, ui::clBlack},
        {"transparent", GlyphDrawState::Normal, TEcButtonHotTrackStyle::htsFrame, true, true, kRadioTransparent,
         ui::clNavy, ui::clWhite, ui::clBlack},
        {"few colours", GlyphDrawState::Normal, TEcButtonHotTrackStyle::htsFrame, false, false, kRadioFewColours,
         ui::clNavy, ui::clWhite, ui::clBlack},
    };
    for (const Case& c : cases) {
        set_display_traits({0, c.full_color});
        look.state = c.state;
        look.hot_style = c.hot_style;
        // One colour for both ends keeps the gradient a single letter; its direction is checked below.
        look.hot_light = look.hot_dark = c.hot_style == TEcButtonHotTrackStyle::htsInterior ? gradient : ui::clMaroon;
        const ui::TColor f = c.frame;
        const ectest::Legend legend = {
            {'o', back}, {'t', key}, {'F', f}, {'l', c.full_color ? lighten_color(f, 10) : f},
            {'1', mix_colors(f, back, 128)}, {'2', mix_colors(f, back, 40)}, {'W', c.interior},
            {'a', mix_colors(f, c.interior, 128)}, {'b', mix_colors(f, c.interior, 80)},
            {'c', mix_colors(f, c.interior, 40)}, {'x', mix_colors(f, c.interior, 150)}, {'G', gradient},
            {'A', mix_colors(f, gradient, 128)}, {'B', mix_colors(f, gradient, 80)}, {'C', mix_colors(f, gradient, 40)},
            {'s', 0x00C0C0C0}, {'d', c.dot}, {'e', c.full_color ? mix_colors(c.dot, c.interior, 153) : c.dot},
        };
        for (bool checked : {false, true}) {
            ectest::reset(bitmap, 13, 13);
            paint_radio_glyph(bitmap.canvas(), {0, 0, 13, 13}, checked, look, back, c.transparent, key);
            EXPECT_TRUE(ectest::matches(bitmap, checked ? with_dot(c.map) : c.map, legend))
                << c.what << (checked ? ", checked" : ", unchecked");
        }
    }

    // The interior gradient runs light at the top-left to dark at the bottom-right, as the
    // gradient painter draws it over the whole glyph.
    set_display_traits({0, true});
    look.state = GlyphDrawState::Hot;
    look.hot_style = TEcButtonHotTrackStyle::htsInterior;
    look.hot_light = ui::clWhite;
    look.hot_dark = ui::clNavy;
    ectest::reset(bitmap, 13, 13);
    paint_radio_glyph(bitmap.canvas(), {0, 0, 13, 13}, false, look, back, false, key);
    ui::Bitmap reference;
    ectest::reset(reference, 13, 13);
    paint_gradient_fill(reference.canvas(), {0, 0, 13, 13}, TGradientDirection::gdDiagonalDown, ui::clWhite,
                        ui::clNavy, 1);
    GdiFlush();
    for (auto [x, y] : {std::pair{3, 3}, {9, 9}, {2, 6}, {10, 6}, {6, 2}, {6, 10}})
        EXPECT_EQ(bitmap.pixel(x, y), reference.pixel(x, y)) << x << "," << y;
    EXPECT_NE(bitmap.pixel(3, 3), bitmap.pixel(9, 9));
}

TEST_F(EcGlyphPainters, ClassicArrows) {
    struct Case {
        const char* what;
        int direction;  // -1: the drop arrow
        bool pressed, enabled;
        Rows map;
    };
    const Case cases[] = {
        {"drop", -1, false, true, {".........", ".........", ".kkkkkkk.", "..kkkkk..", "...kkk...", "....k....", ".........", "........."}},
        {"drop pressed", -1, true, true, {".........", ".........", ".........", "..kkkkkkk", "...kkkkk.", "....kkk..", ".....k...", "........."}},
        {"drop disabled", -1, false, false, {".........", ".........", ".SSSSSSS.", "..SSSSS..", "...SSS...", "....S....", ".........", "........."}},
        {"up", 0, false, true, {".........", "....k....", "...kkk...", "..kkkkk..", ".kkkkkkk.", ".........", ".........", "........."}},
        {"down", 1, false, true, {".........", ".kkkkkkk.", "..kkkkk..", "...kkk...", "....k....", ".........", ".........", "........."}},
        {"left", 2, false, true, {".....k...", "....kk...", "...kkk...", "..kkkk...", "...kkk...", "....kk...", ".....k...", "........."}},
        {"right", 3, false, true, {"..k......", "..kk.....", "..kkk....", "..kkkk...", "..kkk....", "..kk.....", "..k......", "........."}},
    };
    for (const Case& c : cases) {
        ectest::reset(bitmap, 9, 8);
        bitmap.canvas().brush().color = ui::clWhite;
        if (c.direction < 0) paint_drop_arrow(bitmap.canvas(), {0, 0, 9, 8}, false, c.pressed, c.enabled);
        else paint_direction_arrow(bitmap.canvas(), {0, 0, 9, 8}, false, c.direction, c.pressed, c.enabled);
        EXPECT_TRUE(ectest::matches(bitmap, c.map, ectest::system_legend())) << c.what;
        EXPECT_EQ(bitmap.canvas().brush().color, ui::clWhite) << c.what;
    }
    // On a dark face the arrow is drawn in the dark shadow colour instead of black.
    ectest::reset(bitmap, 9, 8);
    bitmap.canvas().brush().color = ui::clBlack;
    paint_drop_arrow(bitmap.canvas(), {0, 0, 9, 8}, false, false, true);
    EXPECT_EQ(bitmap.pixel(4, 5), ui::color_to_rgb(ui::cl3DDkShadow));
}

// The classic close cross: two three-pixel-wide strokes meeting in a single row of three.
// Its top-left pixel lies four left of and three above the centre.
const Rows kCross = {
    "kkk...kkk", ".kkk.kkk.", "..kkkkk..", "...kkk...", "..kkkkk..", ".kkk.kkk.", "kkk...kkk",
};

TEST_F(EcGlyphPainters, CloseCrossInEachState) {
    struct Case {
        const char* what;
        int size;
        bool pressed, enabled;
        int left, top;  // where the cross's top-left lands
        char letter;
    };
    const Case cases[] = {
        {"odd size", 15, false, true, 3, 4, 'k'},
        {"even size: one row up", 14, false, true, 3, 3, 'k'},
        {"pressed: one right and down", 15, true, true, 4, 5, 'k'},
        {"pressed, even size: the row up is taken back", 14, true, true, 4, 4, 'k'},
        {"disabled: grey, and pressing moves nothing", 15, true, false, 3, 4, 'S'},
    };
    for (const Case& c : cases) {
        Rows map(static_cast<std::size_t>(c.size), std::string(static_cast<std::size_t>(c.size), '.'));
        for (std::size_t y = 0; y < kCross.size(); ++y)
            for (std::size_t x = 0; x < kCross[y].size(); ++x)
                if (kCross[y][x] == 'k') map[c.top + y][c.left + x] = c.letter;
        ectest::reset(bitmap, c.size, c.size);
        bitmap.canvas().brush().color = ui::clWhite;
        paint_close_cross(bitmap.canvas(), {0, 0, c.size, c.size}, false, c.pressed, c.enabled);
        EXPECT_TRUE(ectest::matches(bitmap, map, ectest::system_legend())) << c.what;
        EXPECT_EQ(bitmap.canvas().brush().color, ui::clWhite) << c.what;
    }
}

TEST_F(EcGlyphPainters, HotGradientBoxIsATwoPixelRing) {
    ectest::reset(bitmap, 10, 8);
    paint_hot_gradient_box(bitmap.canvas(), {0, 0, 10, 8}, TGradientDirection::gdDiagonalDown, ui::clWhite, ui::clNavy);
    GdiFlush();
    const std::uint32_t background = ui::color_to_rgb(ectest::kBackground);
    for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {9, 7}, {8, 6}, {5, 0}, {0, 4}}) EXPECT_NE(bitmap.pixel(x, y), background) << x << "," << y;
    for (auto [x, y] : {std::pair{2, 2}, {7, 5}, {5, 4}}) EXPECT_EQ(bitmap.pixel(x, y), background) << x << "," << y;
    // The clip is whole again afterwards.
    bitmap.canvas().brush().color = ui::clBlack;
    bitmap.canvas().fill_rect({0, 0, 10, 8});
    GdiFlush();
    EXPECT_EQ(bitmap.pixel(5, 4), 0u);
    set_display_traits({0, false});  // few colours: nothing
    ectest::reset(bitmap, 10, 8);
    paint_hot_gradient_box(bitmap.canvas(), {0, 0, 10, 8}, TGradientDirection::gdDiagonalDown, ui::clWhite, ui::clNavy);
    GdiFlush();
    EXPECT_EQ(bitmap.pixel(0, 0), background);
}

// Every frame style, edge and glyph on one sheet in the build tree, for a person to look at.
TEST_F(EcGlyphPainters, SheetOfStylesAndGlyphs) {
    ui::Bitmap sheet;
    ectest::reset(sheet, 480, 220);
    ui::Canvas& c = sheet.canvas();
    c.brush().color = ui::clBtnFace;
    c.fill_rect({0, 0, 480, 220});
    for (int i = 0; i < 12; ++i) {
        const Rect r{10 + (i % 6) * 78, 10 + (i / 6) * 50, 10 + (i % 6) * 78 + 68, 10 + (i / 6) * 50 + 40};
        paint_frame_style(c, r, static_cast<TFrameStyleEx>(i));
        paint_tinted_frame_style(c, {r.left + 8, r.top + 8, r.right - 8, r.bottom - 8}, ui::rgb(90, 140, 200),
                                 static_cast<TFrameStyle>(std::min(i, 10)));
    }
    GlyphLook look;
    int x = 10;
    for (auto state : {GlyphDrawState::Normal, GlyphDrawState::Pressed, GlyphDrawState::Hot, GlyphDrawState::Disabled}) {
        look.state = state;
        paint_check_glyph(c, {x, 120, x + 13, 133}, ui::TCheckBoxState::cbChecked, look);
        paint_check_glyph(c, {x + 18, 120, x + 31, 133}, ui::TCheckBoxState::cbGrayed, look);
        paint_radio_glyph(c, {x, 140, x + 13, 153}, true, look, ui::clBtnFace, false, 0x00008080);
        paint_radio_glyph(c, {x + 18, 140, x + 31, 153}, false, look, ui::clBtnFace, false, 0x00008080);
        x += 40;
    }
    for (int d = 0; d < 4; ++d) paint_direction_arrow(c, {180 + d * 20, 120, 196 + d * 20, 136}, false, d, false, true);
    paint_drop_arrow(c, {260, 120, 276, 136}, false, false, true);
    paint_close_cross(c, {280, 120, 296, 136}, false, false, true);
    paint_dotted_focus_frame(c, {300, 118, 330, 138});
    paint_cut_corner_frame(c, {340, 118, 380, 138}, ui::clNavy, kAllSides);
    paint_box_corner_marks(c, {390, 118, 430, 138}, ui::clMaroon, 5);
    for (int g = 0; g < 10; ++g)
        paint_gradient_fill(c, {10 + g * 46, 165, 50 + g * 46, 205}, static_cast<TGradientDirection>(g), ui::clWhite,
                            ui::clNavy);
    ectest::save_sheet(sheet, "styles_and_glyphs");
}

} // namespace
