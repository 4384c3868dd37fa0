// Geometry and tables of the push buttons: the bit button's standard kinds, how many cells a
// glyph strip holds, where the glyph and the caption go for each layout, and where a check
// box's or radio button's glyph sits.
#pragma once
#include <string>

#include "controls/model/ec_enums.h"
#include "platform/ui/align_layout.h"

namespace ec {

UI_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll)
UI_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)
UI_ENUM(TEcControlButtonStyle, cbsNone, cbsLeft, cbsUp, cbsRight, cbsDown, cbsDropDown)

struct BitBtnKindRow {
    const char* caption;  // nullptr for bkCustom: the caption stays
    int modal_result;
    bool is_default;
    bool cancel;
};
const BitBtnKindRow& bit_btn_kind_row(TBitBtnKind kind);
// Whether the button's values still are those of its kind's row.
bool matches_kind_row(TBitBtnKind kind, int modal_result, bool is_default, bool cancel);

constexpr int kMinGlyphs = 1, kMaxGlyphs = 4;
int clamp_num_glyphs(int n);
// A strip whose width is a whole multiple of its height holds width / height cells (1 when that
// is outside 1..4); any other strip leaves `current` as it is.
int detect_num_glyphs(int width, int height, int current);

struct GlyphPlacement {
    TButtonLayout layout = TButtonLayout::blGlyphLeft;
    int margin = 2;   // -1: glyph and caption centred together
    int spacing = 4;
    int glyph_width = 0, glyph_height = 0;
    int control_height = 0;
    int caption_height = 0;  // the measured caption; used only when centred
};

// The caption's rectangle once the glyph has taken its place in `push_caption` (the push
// button's caption rectangle).
ui::Rect bit_btn_caption_rect(ui::Rect push_caption, const GlyphPlacement& g);
// The glyph's rectangle; `pressed` shifts it with the face, by (2, 0) in the themed look.
ui::Rect bit_btn_glyph_rect(ui::Rect push_caption, const GlyphPlacement& g, bool pressed, bool themed);

// The cell of a glyph strip a bit button shows (0-based).
int bit_btn_glyph_cell(int num_glyphs, bool exclusive, bool down_or_pressed, bool enabled);
// The cell of a control button's strip (0-based).
int control_button_glyph_cell(int num_glyphs, bool down, bool enabled);

// The left of the state glyph of a check box or radio button: on the right exactly when the
// caption is left-justified in a left-to-right control or the other way round.
int glyph_button_glyph_left(int width, int glyph_width, bool left_justify, bool right_to_left);
int glyph_button_glyph_top(int height, int glyph_height, TAlignmentVertical vertical);

} // namespace ec
