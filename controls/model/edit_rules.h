// The framed edit family's rules without windows: which colour a state shows, what a colour set
// from outside changes, where a memo's caret may go, and what one wheel turn scrolls.
#pragma once
#include "platform/ui/color.h"

namespace ec {

struct EditColors {
    ui::TColor normal = ui::clWindow;
    ui::TColor focus = ui::clWindow;
    ui::TColor read_only = ui::clInfoBk;
    ui::TColor disabled = ui::clBtnFace;
    bool read_only_on_focus = false;
};

struct EditFlags {
    bool enabled = true;
    bool focused = false;
    bool read_only = false;
};

// Disabled wins; a focused edit shows the focus colour unless it is read-only and keeps its
// read-only colour on focus; otherwise read-only or normal.
ui::TColor edit_state_color(const EditColors& colors, const EditFlags& state);

// A colour set from outside becomes the normal colour; a focus colour that was the same as the
// normal one follows it, so that an edit recoloured while focused keeps the colour afterwards.
void take_outside_color(EditColors& colors, ui::TColor color);

// Memo caret columns are 1-based: a column past the end of the line (its length + 1 is the
// position after the last character) moves nothing, nor does one below 1.
bool caret_column_reachable(int column, int line_length);
// A 1-based line clamped into the memo's lines (0-based index out).
int caret_line_index(int line, int line_count);

// One wheel message on a memo: how many scroll steps, each a line or a page, in which direction.
struct WheelScroll {
    int steps = 0;
    bool page = false;
    bool up = false;
};
// `scroll_lines` is the system setting, read unsigned: 0xFFFFFFFF (and 65535, which older
// systems stored) scrolls a page per notch.
WheelScroll memo_wheel_scroll(int wheel_delta, unsigned scroll_lines);

} // namespace ec
