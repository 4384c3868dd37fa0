// Geometry of the status bar and its panes: the size grip and its squares, the bar's client
// area, panes widened in proportion to the bar, and a pane's auto width, caption rectangle,
// caption anchor and glyph place.
#pragma once
#include <array>

#include "controls/model/ec_enums.h"
#include "platform/ui/align_layout.h"

namespace ec {

UI_ENUM(TGlyphAlignment, gaLeft, gaRight)

// The grip takes the last 13 pixels of the bar, its whole height.
constexpr int kSizeGripWidth = 13;
ui::Rect size_grip_rect(int width, int height);
bool in_size_grip(int x, int y, int width, int height);

// The grip's six 2 x 2 squares in the light colour, then the same six one pixel up and left in
// the dark colour; `r` is the rectangle the grip sits in (its bottom-right corner counts).
std::array<ui::Rect, 12> size_grip_squares(const ui::Rect& r);

// The bar's client rectangle from the panel's one: without the theme library the frame of the
// classic look reaches one pixel further, with it only simple status mode moves in.
ui::Rect status_bar_client_rect(ui::Rect r, bool theme_library, bool simple_status);

// A child's width after the bar went from `previous_width` by `change` pixels: it grows by its
// share of the change (halves rounded to even) and never goes below 0. A previous width of 0
// or less gives no share at all: the width stays.
int scaled_pane_width(int pane_width, int change, int previous_width);

// Pixels the frame style and BorderWidth take on each side of a pane.
int status_frame_inset(TFrameStyle style, int border_width);

struct PaneGlyph {
    bool glyph_pane = false;  // a glyph pane reserves its offset even without a glyph shown
    bool show = true;
    int width = 0, height = 0;
    int offset = 2;
    TGlyphAlignment alignment = TGlyphAlignment::gaLeft;
};

struct PaneMetrics {
    int border_width = 1;
    int caption_offset = 2;
    int default_width = 40;
    TFrameStyle frame_style = TFrameStyle::fsFlat;
    bool right_to_left = false;
};

// The width AutoSize gives: DefaultWidth without a caption, else the caption's width with the
// borders, the caption offset and 6 pixels; a glyph pane adds its glyph.
int status_pane_auto_width(bool has_caption, int caption_width, const PaneMetrics& m, const PaneGlyph& g);

// The rectangle the caption is clipped to, inside the frame and beside a shown glyph.
ui::Rect status_caption_rect(const ui::Rect& client, const PaneMetrics& m, const PaneGlyph& g);

// Where the text is anchored in `r` (x for the text alignment that `align` selects, after
// mirroring for right-to-left reading; y of the top of a line `text_height` high).
// The anchors in the order of the window layer's TAlignment.
enum class TextAnchor { Left, Right, Center };
struct CaptionAnchor {
    int x = 0, y = 0;
    TextAnchor anchor = TextAnchor::Left;
};
CaptionAnchor status_caption_anchor(const ui::Rect& r, TextAnchor alignment, bool right_to_left, int caption_offset,
                                    int text_height);

// The glyph's rectangle in a pane of `width` x `height`; its height is limited to the caption
// rectangle's.
ui::Rect status_glyph_rect(int width, int height, const PaneMetrics& m, const PaneGlyph& g);

// Whether a pane whose right edge lies at `pane_right` hands a point at `x` to the bar's size
// grip (all in screen coordinates): the pane reaches the bar's client right edge and the point
// lies within the last 12 pixels before it.
bool in_grip_pass_through(int pane_right, int bar_client_right, int x);

} // namespace ec
