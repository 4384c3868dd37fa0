#include "controls/model/button_layout.h"

#include <algorithm>

namespace ec {

namespace {

const BitBtnKindRow kKindRows[] = {
    {nullptr, 0, false, false},   {"OK", 1, true, false},     {"Cancel", 2, false, true}, {"&Help", 0, false, false},
    {"&Yes", 6, true, false},     {"&No", 7, false, true},    {"&Close", 0, false, false}, {"Abort", 3, false, false},
    {"&Retry", 4, false, false},  {"&Ignore", 5, false, false}, {"&All", 8, false, false},
};
static_assert(sizeof kKindRows / sizeof kKindRows[0] == 11);

bool horizontal(TButtonLayout l) { return l == TButtonLayout::blGlyphLeft || l == TButtonLayout::blGlyphRight; }

// Where the centred glyph and caption start, measured from the control's top.
int centred_start(const GlyphPlacement& g) {
    return (g.control_height - (g.glyph_height + g.caption_height + g.spacing)) / 2;
}

} // namespace

const BitBtnKindRow& bit_btn_kind_row(TBitBtnKind kind) {
    const int i = static_cast<int>(kind);
    return kKindRows[i >= 0 && i < 11 ? i : 0];
}

bool matches_kind_row(TBitBtnKind kind, int modal_result, bool is_default, bool cancel) {
    const BitBtnKindRow& row = bit_btn_kind_row(kind);
    return row.modal_result == modal_result && row.is_default == is_default && row.cancel == cancel;
}

int clamp_num_glyphs(int n) { return std::clamp(n, kMinGlyphs, kMaxGlyphs); }

int detect_num_glyphs(int width, int height, int current) {
    if (height <= 0 || width % height != 0) return current;
    const int n = width / height;
    return n >= kMinGlyphs && n <= kMaxGlyphs ? n : 1;
}

ui::Rect bit_btn_caption_rect(ui::Rect r, const GlyphPlacement& g) {
    const int across = g.margin + g.glyph_width + g.spacing;
    const int down = g.margin + g.glyph_height + g.spacing;
    switch (g.layout) {
    case TButtonLayout::blGlyphLeft: r.left += across; break;
    case TButtonLayout::blGlyphRight: r.right -= across; break;
    case TButtonLayout::blGlyphTop:
        if (g.margin >= 0) {
            r.top += down;
        } else {
            r.top += centred_start(g) + g.glyph_height;
            r.bottom = r.top + g.caption_height;
        }
        break;
    case TButtonLayout::blGlyphBottom:
        if (g.margin >= 0) {
            r.bottom -= down;
        } else {
            r.top += centred_start(g);
            r.bottom = r.top + g.caption_height;
        }
        break;
    }
    return r;
}

ui::Rect bit_btn_glyph_rect(ui::Rect r, const GlyphPlacement& g, bool pressed, bool themed) {
    // The push caption moved with a pressed face; the glyph starts from the unmoved one.
    if (pressed) {
        r.left -= 1;
        r.right -= 1;
        if (!themed) {
            r.top -= 1;
            r.bottom -= 1;
        }
    }
    int left = r.left, top = r.top;
    if (g.margin >= 0) {
        switch (g.layout) {
        case TButtonLayout::blGlyphLeft: left += g.margin; break;
        case TButtonLayout::blGlyphRight: left = r.right - g.margin - g.glyph_width; break;
        case TButtonLayout::blGlyphTop: top += g.margin; break;
        case TButtonLayout::blGlyphBottom: top = r.bottom - g.margin - g.glyph_height; break;
        }
    } else {
        switch (g.layout) {
        case TButtonLayout::blGlyphLeft: break;
        case TButtonLayout::blGlyphRight: left = r.right - g.glyph_width; break;
        case TButtonLayout::blGlyphTop: top = centred_start(g); break;
        case TButtonLayout::blGlyphBottom: top += g.caption_height + centred_start(g); break;
        }
    }
    if (horizontal(g.layout)) top += (r.bottom - top - g.glyph_height + 1) / 2;
    else left += (r.right - left - g.glyph_width + 1) / 2;
    if (pressed) {
        left += themed ? 2 : 1;
        top += themed ? 0 : 1;
    }
    return {left, top, left + g.glyph_width, top + g.glyph_height};
}

int bit_btn_glyph_cell(int num_glyphs, bool exclusive, bool down_or_pressed, bool enabled) {
    if (num_glyphs == 4 && exclusive) return 3;
    if (num_glyphs >= 3 && down_or_pressed) return 2;
    if (num_glyphs >= 2 && !enabled) return 1;
    return 0;
}

int control_button_glyph_cell(int num_glyphs, bool down, bool enabled) {
    if (num_glyphs > 2 && down) return 2;
    if (num_glyphs >= 2 && !enabled) return 1;
    return 0;
}

int glyph_button_glyph_left(int width, int glyph_width, bool left_justify, bool right_to_left) {
    return left_justify != right_to_left ? width - glyph_width : 0;
}

int glyph_button_glyph_top(int height, int glyph_height, TAlignmentVertical vertical) {
    switch (vertical) {
    case TAlignmentVertical::avTop: return 2;
    case TAlignmentVertical::avCenter: return (height - glyph_height) / 2;
    case TAlignmentVertical::avBottom: return height - glyph_height - 2;
    }
    return 2;
}

} // namespace ec
