// The push buttons' tables and geometry: the standard kinds, glyph-strip cells, glyph and
// caption rectangles for every layout, and the check box's glyph place.
#include <gtest/gtest.h>

#include <cstring>

#include "controls/model/button_layout.h"

using namespace ec;
using ui::Rect;
using L = TButtonLayout;

namespace {

TEST(EcButtonLayout, KindTable) {
    struct Row {
        TBitBtnKind kind;
        const char* caption;
        int modal_result;
        bool is_default, cancel;
    };
    const Row rows[] = {
        {TBitBtnKind::bkOK, "OK", 1, true, false},        {TBitBtnKind::bkCancel, "Cancel", 2, false, true},
        {TBitBtnKind::bkHelp, "&Help", 0, false, false},   {TBitBtnKind::bkYes, "&Yes", 6, true, false},
        {TBitBtnKind::bkNo, "&No", 7, false, true},        {TBitBtnKind::bkClose, "&Close", 0, false, false},
        {TBitBtnKind::bkAbort, "Abort", 3, false, false},  {TBitBtnKind::bkRetry, "&Retry", 4, false, false},
        {TBitBtnKind::bkIgnore, "&Ignore", 5, false, false}, {TBitBtnKind::bkAll, "&All", 8, false, false},
    };
    for (const Row& r : rows) {
        const BitBtnKindRow& k = bit_btn_kind_row(r.kind);
        EXPECT_STREQ(k.caption, r.caption);
        EXPECT_EQ(k.modal_result, r.modal_result) << r.caption;
        EXPECT_EQ(k.is_default, r.is_default) << r.caption;
        EXPECT_EQ(k.cancel, r.cancel) << r.caption;
        EXPECT_TRUE(matches_kind_row(r.kind, r.modal_result, r.is_default, r.cancel));
    }
    EXPECT_EQ(bit_btn_kind_row(TBitBtnKind::bkCustom).caption, nullptr);
    // bkOK with ModalResult 2 no longer is bkOK.
    EXPECT_FALSE(matches_kind_row(TBitBtnKind::bkOK, 2, true, false));
    EXPECT_FALSE(matches_kind_row(TBitBtnKind::bkOK, 1, false, false));
}

TEST(EcButtonLayout, NumGlyphsFromTheStrip) {
    EXPECT_EQ(detect_num_glyphs(64, 16, 1), 4);
    EXPECT_EQ(detect_num_glyphs(32, 16, 1), 2);
    EXPECT_EQ(detect_num_glyphs(80, 16, 2), 1);  // five cells: more than a button shows
    EXPECT_EQ(detect_num_glyphs(20, 16, 3), 3);  // not whole cells: unchanged
    EXPECT_EQ(detect_num_glyphs(16, 0, 2), 2);
    EXPECT_EQ(clamp_num_glyphs(0), 1);
    EXPECT_EQ(clamp_num_glyphs(9), 4);
}

TEST(EcButtonLayout, GlyphCellsByState) {
    EXPECT_EQ(bit_btn_glyph_cell(4, true, false, true), 3);
    EXPECT_EQ(bit_btn_glyph_cell(3, true, false, true), 0);
    EXPECT_EQ(bit_btn_glyph_cell(3, false, true, true), 2);
    EXPECT_EQ(bit_btn_glyph_cell(2, false, true, false), 1);
    EXPECT_EQ(bit_btn_glyph_cell(1, false, true, false), 0);
    EXPECT_EQ(control_button_glyph_cell(3, true, true), 2);
    EXPECT_EQ(control_button_glyph_cell(2, true, false), 1);
    EXPECT_EQ(control_button_glyph_cell(1, false, false), 0);
}

TEST(EcButtonLayout, GlyphAndCaptionForEachLayout) {
    struct Case {
        L layout;
        int margin;
        Rect push;
        int height;
        Rect caption, glyph;
    };
    // A 16 x 16 glyph, Spacing 4, a 13-pixel caption; 75 x 25 and 75 x 60 buttons.
    const Rect wide{5, 5, 70, 20}, tall{5, 5, 70, 55};
    const Case cases[] = {
        {L::blGlyphLeft, 2, wide, 25, {27, 5, 70, 20}, {7, 5, 23, 21}},
        {L::blGlyphRight, 2, wide, 25, {5, 5, 48, 20}, {52, 5, 68, 21}},
        {L::blGlyphTop, 2, tall, 60, {5, 27, 70, 55}, {30, 7, 46, 23}},
        {L::blGlyphBottom, 2, tall, 60, {5, 5, 70, 33}, {30, 37, 46, 53}},
        {L::blGlyphLeft, -1, tall, 60, {24, 5, 70, 55}, {5, 22, 21, 38}},
        {L::blGlyphRight, -1, tall, 60, {5, 5, 51, 55}, {54, 22, 70, 38}},
        {L::blGlyphTop, -1, tall, 60, {5, 34, 70, 47}, {30, 13, 46, 29}},
        {L::blGlyphBottom, -1, tall, 60, {5, 18, 70, 31}, {30, 31, 46, 47}},
    };
    for (const Case& c : cases) {
        const GlyphPlacement g{c.layout, c.margin, 4, 16, 16, c.height, 13};
        EXPECT_EQ(bit_btn_caption_rect(c.push, g), c.caption) << int(c.layout) << " margin " << c.margin;
        EXPECT_EQ(bit_btn_glyph_rect(c.push, g, false, false), c.glyph) << int(c.layout) << " margin " << c.margin;
    }
}

TEST(EcButtonLayout, PressedGlyphMovesWithTheFace) {
    const GlyphPlacement g{L::blGlyphLeft, 2, 4, 16, 16, 25, 13};
    // Classic: the push caption came in moved by (1, 1); the glyph ends one pixel right and down.
    EXPECT_EQ(bit_btn_glyph_rect({6, 6, 71, 21}, g, true, false), (Rect{8, 6, 24, 22}));
    // Themed: the caption does not move; the glyph goes one pixel right.
    EXPECT_EQ(bit_btn_glyph_rect({5, 5, 70, 20}, g, true, true), (Rect{8, 5, 24, 21}));
}

TEST(EcButtonLayout, GlyphSideFollowsAlignmentAndReadingOrder) {
    // Right-justified caption (the default): glyph on the left; mirrored when reading right to left.
    EXPECT_EQ(glyph_button_glyph_left(100, 13, false, false), 0);
    EXPECT_EQ(glyph_button_glyph_left(100, 13, true, false), 87);
    EXPECT_EQ(glyph_button_glyph_left(100, 13, false, true), 87);
    EXPECT_EQ(glyph_button_glyph_left(100, 13, true, true), 0);
    EXPECT_EQ(glyph_button_glyph_top(17, 13, TAlignmentVertical::avTop), 2);
    EXPECT_EQ(glyph_button_glyph_top(17, 13, TAlignmentVertical::avCenter), 2);
    EXPECT_EQ(glyph_button_glyph_top(30, 13, TAlignmentVertical::avBottom), 15);
}

} // namespace
