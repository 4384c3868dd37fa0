// Frames and borders pixel by pixel: each case paints into a fresh bitmap and compares it with
// its map; the returned inner rectangle is checked too.
#include <gtest/gtest.h>

#include <functional>

#include "controls/ec_common.h"
#include "golden_map.h"

using namespace ec;
using ectest::Rows;

namespace {

using T = TSide;
const TSides kLeftTop{T::sdLeft, T::sdTop};

struct FrameCase {
    const char* what;
    int width, height;
    std::function<Rect(ui::Canvas&, const Rect&)> paint;
    Rows map;
    Rect inner;
};

void check(const FrameCase& c) {
    ui::Bitmap bitmap;
    ectest::reset(bitmap, c.width, c.height);
    const Rect inner = c.paint(bitmap.canvas(), {0, 0, c.width, c.height});
    EXPECT_TRUE(ectest::matches(bitmap, c.map, ectest::system_legend())) << c.what;
    EXPECT_EQ(inner, c.inner) << c.what;
}

auto style(TFrameStyleEx s, TSides sides = kAllSides) {
    return [s, sides](ui::Canvas& canvas, const Rect& r) { return paint_frame_style_sides(canvas, r, s, sides); };
}

TEST(EcFramePainters, SideLinesOwnTheirCornersAndSkipNoColour) {
    const FrameCase cases[] = {
        {"lower-right owns top-right and bottom-left", 5, 4,
         [](ui::Canvas& c, const Rect& r) { return paint_side_lines(c, r, ui::clBtnShadow, ui::clBtnHighlight, kAllSides); },
         {"SSSSH", "S...H", "S...H", "HHHHH"}, {1, 1, 4, 3}},
        {"left and top only", 5, 4,
         [](ui::Canvas& c, const Rect& r) { return paint_side_lines(c, r, ui::clBtnShadow, ui::clBtnHighlight, kLeftTop); },
         {"SSSSS", "S....", "S....", "S...."}, {1, 1, 5, 4}},
        {"no colour still counts the sides", 4, 3,
         [](ui::Canvas& c, const Rect& r) { return paint_side_lines(c, r, ui::clNone, ui::clNone, kAllSides); },
         {"....", "....", "...."}, {1, 1, 3, 2}},
        {"upper-left in no colour", 4, 3,
         [](ui::Canvas& c, const Rect& r) { return paint_side_lines(c, r, ui::clNone, ui::clBlack, kAllSides); },
         {"...k", "...k", "kkkk"}, {1, 1, 3, 2}},
        {"no sides", 4, 3,
         [](ui::Canvas& c, const Rect& r) { return paint_frame_style_sides(c, r, TFrameStyleEx::fsFlatBold, TSides{}); },
         {"....", "....", "...."}, {0, 0, 4, 3}},
        {"bevel rings", 6, 5,
         [](ui::Canvas& c, const Rect& r) { return paint_bevel_rings(c, r, ui::clBlack, ui::clBtnShadow, 2, kAllSides); },
         {"kkkkkS", "kkkkSS", "kk..SS", "kSSSSS", "SSSSSS"}, {2, 2, 4, 3}},
    };
    for (const FrameCase& c : cases) check(c);
}

TEST(EcFramePainters, EveryFrameStyle) {
    const FrameCase cases[] = {
        {"fsNone", 4, 3, style(TFrameStyleEx::fsNone), {"....", "....", "...."}, {0, 0, 4, 3}},
        {"fsFlat", 5, 4, style(TFrameStyleEx::fsFlat), {"DDDDD", "D...D", "D...D", "DDDDD"}, {1, 1, 4, 3}},
        {"fsStatus", 5, 4, style(TFrameStyleEx::fsStatus), {"SSSSH", "S...H", "S...H", "HHHHH"}, {1, 1, 4, 3}},
        {"fsPopup", 5, 4, style(TFrameStyleEx::fsPopup), {"HHHHS", "H...S", "H...S", "SSSSS"}, {1, 1, 4, 3}},
        {"fsFlatBold", 6, 5, style(TFrameStyleEx::fsFlatBold), {"SSSSSS", "SSSSSS", "SS..SS", "SSSSSS", "SSSSSS"},
         {2, 2, 4, 3}},
        {"fsGroove: the highlight one pixel right of and below the shadow", 6, 5, style(TFrameStyleEx::fsGroove),
         {"SSSSSH", "SHHHSH", "SH..SH", "SSSSSH", "HHHHHH"}, {2, 2, 4, 3}},
        {"fsBump", 6, 5, style(TFrameStyleEx::fsBump), {"HHHHHS", "HSSSHS", "HS..HS", "HHHHHS", "SSSSSS"}, {2, 2, 4, 3}},
        {"fsLowered", 6, 6, style(TFrameStyleEx::fsLowered),
         {"SSSSSH", "SDDDLH", "SD..LH", "SD..LH", "SLLLLH", "HHHHHH"}, {2, 2, 4, 4}},
        {"fsRaised", 6, 6, style(TFrameStyleEx::fsRaised),
         {"LLLLLD", "LHHHSD", "LH..SD", "LH..SD", "LSSSSD", "DDDDDD"}, {2, 2, 4, 4}},
        {"fsButtonUp", 5, 5, style(TFrameStyleEx::fsButtonUp), {"HHHHD", "HLLSD", "HL.SD", "HSSSD", "DDDDD"},
         {2, 2, 3, 3}},
        {"fsButtonDown", 5, 5, style(TFrameStyleEx::fsButtonDown), {"TTTTT", "TSSST", "TS.ST", "TSSST", "TTTTT"},
         {2, 2, 3, 3}},
        {"fsGroove on the left and top: the open corners keep the groove", 6, 5,
         style(TFrameStyleEx::fsGroove, kLeftTop), {"SSSSSS", "SHHHHH", "SH....", "SH....", "SH...."}, {2, 2, 6, 5}},
        {"fsGroove on the right and bottom", 6, 5, style(TFrameStyleEx::fsGroove, TSides{T::sdRight, T::sdBottom}),
         {"....SH", "....SH", "....SH", "SSSSSH", "HHHHHH"}, {0, 0, 4, 3}},
        {"fsBump on the top only", 6, 4, style(TFrameStyleEx::fsBump, TSides{T::sdTop}),
         {"HHHHHH", "SSSSSS", "......", "......"}, {0, 2, 6, 4}},
    };
    for (const FrameCase& c : cases) check(c);
}

TEST(EcFramePainters, TintedStylesTakeTheirColoursFromTheFace) {
    const ui::TColor face = ui::rgb(90, 140, 200);
    ectest::Legend legend = {{'.', ectest::kBackground},        {'d', darken_color(face, 50)},
                             {'D', darken_color(face, 100)},   {'l', lighten_color(face, 50)},
                             {'L', lighten_color(face, 100)},  {'m', lighten_color(face, 40)}};
    auto tinted = [face](TFrameStyle s) {
        return [face, s](ui::Canvas& c, const Rect& r) { return paint_tinted_frame_style(c, r, face, s); };
    };
    const FrameCase cases[] = {
        {"fsFlat", 4, 3, tinted(TFrameStyle::fsFlat), {"dddd", "d..d", "dddd"}, {1, 1, 3, 2}},
        {"fsStatus", 4, 3, tinted(TFrameStyle::fsStatus), {"dddL", "d..L", "LLLL"}, {1, 1, 3, 2}},
        {"fsGroove", 6, 5, tinted(TFrameStyle::fsGroove), {"dddddL", "dLLLdL", "dL..dL", "dddddL", "LLLLLL"}, {2, 2, 4, 3}},
        {"fsRaised", 6, 6, tinted(TFrameStyle::fsRaised),
         {"lllllD", "lLLLdD", "lL..dD", "lL..dD", "lddddD", "DDDDDD"}, {2, 2, 4, 4}},
        {"fsButtonUp", 5, 5, tinted(TFrameStyle::fsButtonUp), {"LLLLD", "LmmdD", "Lm.dD", "LdddD", "DDDDD"}, {2, 2, 3, 3}},
        {"fsButtonDown", 5, 5, tinted(TFrameStyle::fsButtonDown), {"DDDDD", "DdddD", "Dd.dD", "DdddD", "DDDDD"}, {2, 2, 3, 3}},
    };
    for (const FrameCase& c : cases) {
        ui::Bitmap bitmap;
        ectest::reset(bitmap, c.width, c.height);
        const Rect inner = c.paint(bitmap.canvas(), {0, 0, c.width, c.height});
        EXPECT_TRUE(ectest::matches(bitmap, c.map, legend)) << c.what;
        EXPECT_EQ(inner, c.inner) << c.what;
    }
}

TEST(EcFramePainters, OutlinesMarksFocusAndCutCorners) {
    const FrameCase cases[] = {
        {"box outline", 4, 3, [](ui::Canvas& c, const Rect& r) { return paint_box_outline(c, r, ui::clBlack); },
         {"kkkk", "k..k", "kkkk"}, {1, 1, 3, 2}},
        {"corner marks", 7, 6, [](ui::Canvas& c, const Rect& r) { return paint_box_corner_marks(c, r, ui::clBlack, 2); },
         {"kk...kk", "k.....k", ".......", ".......", "k.....k", "kk...kk"}, {1, 1, 6, 5}},
        {"dotted focus frame", 6, 5, [](ui::Canvas& c, const Rect& r) { return paint_dotted_focus_frame(c, r); },
         {".k.k.k", "k....k", "......", "k....k", ".k.k.k"}, {1, 1, 5, 4}},
        {"cut corners", 6, 6,
         [](ui::Canvas& c, const Rect& r) { return paint_cut_corner_frame(c, r, ui::clBlack, kAllSides); },
         {"..kk..", ".k..k.", "k....k", "k....k", ".k..k.", "..kk.."}, {2, 2, 4, 4}},
        {"cut corners on the left and top", 5, 4,
         [](ui::Canvas& c, const Rect& r) { return paint_cut_corner_frame(c, r, ui::clBlack, kLeftTop); },
         {"..kkk", ".k...", "k....", "k...."}, {2, 2, 5, 4}},
        {"inverted bounds draw nothing", 3, 3,
         [](ui::Canvas& c, const Rect&) { return paint_frame_style(c, {3, 3, 0, 0}, TFrameStyleEx::fsRaised); },
         {"...", "...", "..."}, {3, 3, 0, 0}},
    };
    for (const FrameCase& c : cases) check(c);
}

TEST(EcFramePainters, LayeredBordersAndTheNonClientFrame) {
    LayeredBorders popup;
    popup.outer = TFrameStyleEx::fsPopup;
    popup.highlight = ui::clBlack;
    popup.shadow = ui::clBtnShadow;
    popup.width = 1;
    popup.border_color = ui::clBtnText;
    popup.inner = TFrameStyleEx::fsFlat;
    popup.flat_color = ui::cl3DDkShadow;
    LayeredBorders rounded;
    rounded.outer = TFrameStyleEx::fsFlatRounded;
    rounded.parent_color = ui::clBlack;
    rounded.color = ui::clWindow;
    rounded.flat_color = ui::cl3DDkShadow;
    const FrameCase cases[] = {
        {"popup bevel, one band, flat inner border", 8, 7,
         [popup](ui::Canvas& c, const Rect& r) { return paint_layered_borders(c, r, popup); },
         {"kkkkkkkS", "kTTTTTTS", "kTDDDDTS", "kTD..DTS", "kTDDDDTS", "kTTTTTTS", "SSSSSSSS"}, {3, 3, 5, 4}},
        {"rounded: the parent shows in the cut corners", 6, 6,
         [rounded](ui::Canvas& c, const Rect& r) { return paint_layered_borders(c, r, rounded); },
         {"kkDDkk", "kDWWDk", "DW..WD", "DW..WD", "kDWWDk", "kkDDkk"}, {2, 2, 4, 4}},
    };
    for (const FrameCase& c : cases) check(c);

    ui::Bitmap bitmap;
    ectest::reset(bitmap, 6, 5);
    paint_non_client_frame(bitmap.canvas(), 6, 5, TFrameStyle::fsFlat, ui::clWindow, ui::clBlack, kLeftTop);
    EXPECT_TRUE(ectest::matches(bitmap, {"kkkkkk", "kWWWWW", "kW..WW", "kWWWWW", "kWWWWW"}, ectest::system_legend()));
    ectest::reset(bitmap, 6, 5);
    paint_non_client_frame(bitmap.canvas(), 6, 5, TFrameStyle::fsGroove, ui::clWindow, ui::clBlack, kAllSides);
    EXPECT_TRUE(ectest::matches(bitmap, {"SSSSSH", "SHHHSH", "SH..SH", "SSSSSH", "HHHHHH"}, ectest::system_legend()));
}

} // namespace
