// Geometry of the framed panel family: border thickness, the rectangle inside the borders,
// bounds that keep the aligned edge, the group box's client area, grid lines and the strips a
// resize uncovers.
#pragma once
#include <vector>

#include "controls/model/ec_enums.h"
#include "platform/ui/align_layout.h"

namespace ec {

UI_ENUM(TEcGroupBoxStyle, gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline)
UI_ENUM(TEcGridStyle, gsDots, gsDottedLines, gsSolidLines)

// Pixels a frame style takes on one side; the status and popup styles take the bevel width.
int frame_style_thickness(TFrameStyleEx style, int bevel_width);

struct PanelBorders {
    TFrameStyleEx outer = TFrameStyleEx::fsRaised;
    TFrameStyleEx inner = TFrameStyleEx::fsNone;
    TSides sides = kAllSides;
    int border_width = 0;
    int bevel_width = 1;
};

// The rectangle left inside the borders; the BorderWidth band counts only when asked.
ui::Rect adjust_rect_for_borders(ui::Rect r, const PanelBorders& borders, bool with_border_width);

// New bounds for a control aligned to the bottom or right: a changed height (width) moves the
// top (left) so that the aligned edge stays where it was.
ui::Rect keep_edge_bounds(ui::TAlign align, const ui::Rect& old_bounds, ui::Rect wanted);

// The group box's client rectangle from the panel's one; `text_height` is the height of "Yy"
// in the box's font.
ui::Rect group_box_client_rect(ui::Rect r, TEcGroupBoxStyle style, int text_height, int border_width,
                               bool has_caption);

// Coordinates of the grid lines across `length` pixels from `start`, one every `pitch` pixels
// (the last pixel of each cell); none for a pitch of 0.
std::vector<int> grid_lines(int start, int length, int pitch);

// What a resize uncovers when the panel repaints only its edges: the strip from the inner right
// edge (less the margin) to the old right edge when the width changed, and the one from the inner
// bottom edge to the old bottom when the height changed. `inner` is the old rectangle inside
// the borders, BorderWidth included.
std::vector<ui::Rect> resize_repaint_strips(int old_width, int old_height, int new_width, int new_height,
                                            const ui::Rect& inner, int margin_x, int margin_y);

} // namespace ec
