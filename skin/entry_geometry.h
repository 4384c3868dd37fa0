// Where the skinned text-entry controls put their pieces: the combo box's button and the edit
// area kept out of the clip on either side, the flat combo look, the date-time picker's arrow
// button, the two halves of an up-down control with their states and strip frames, the room an
// up-down keeps from the edges of the edit it sits in, and the plain arrows drawn without the
// skin's up-down elements. Plain functions, so that the rules are tested without a screen.
#pragma once
#include <array>
#include <vector>

#include "skin/image32.h"

namespace skin {

// Frame of a combo or up-down part: 1 normal, 2 pressed, 3 disabled, 4 hot (for combos also
// focused). Pressed wins over hot; disabled wins over everything.
int EntryFrameIndex(bool pressed, bool hot_or_focused, bool disabled);

// The default combo look over the window rectangle: the edit area left out of the clip, the
// drop-down button, and the button's inner rectangle where the arrow glyph is centred (the
// button less 2 pixels on its outer side). `cx` is the system's scroll-arrow width; `left`
// puts the button on the left (WS_EX_LEFTSCROLLBAR).
struct ComboLayout {
    Rect edit_clip, button, glyph_area;
};
ComboLayout LayOutCombo(const Rect& window, int cx, bool left);

// The flat look (ComboButton Style 1): the ring inside the window, the column of width `cy` on
// the button side inside the next ring (both in the ground colour), and the button: the strip
// frame's width wide at the button side, as high as the inner area or, when the frame is less
// high than `cy`, as high as the frame.
struct FlatComboLayout {
    Rect ring, column, button;
};
FlatComboLayout LayOutFlatCombo(const Rect& window, int cy, int frame_width, int frame_height, bool left);

// A rectangle of `w` x `h` centred in `area` (halves truncated toward zero).
Rect CentredIn(const Rect& area, int w, int h);

// The date-time picker's drawn arrow button in the picker's client coordinates: `cx` wide,
// the picker's height less 4 high, at the top; 2 from the left, or ending 4 before the
// picker's width.
Rect DateArrowButtonRect(int picker_width, int picker_height, int cx, bool left);

// Whether the skin frames an edit: not when the client area is as wide or as high as the
// window (no border). The thin border drawn for WM_PRINTCLIENT needs more: a client area more
// than 2 pixels smaller than the window both ways.
bool EditHasBorder(int window_w, int window_h, int client_w, int client_h);
bool EditHasPrintBorder(int window_w, int window_h, int client_w, int client_h);

// ---- Up-down controls ----

enum class SpinArrow { kUp = 0, kDown = 1, kLeft = 2, kRight = 3 };

struct SpinHalf {
    Rect rect;
    SpinArrow arrow = SpinArrow::kUp;
    int state = 1;  // 1 normal, 2 pressed, 3 disabled, 4 hot
    int frame = 1;  // of the eight-frame UpDown.Vert or UpDown.Horz strip
};
struct SpinFacts {
    bool horizontal = false;
    bool pressed = false, hot = false, enabled = true;
    bool cursor_known = false;  // the cursor position below is in the drawing rectangle's coordinates
    int cursor_x = 0, cursor_y = 0;
};
// The two halves of the drawing rectangle: top and bottom (up, down) or left and right (left,
// right), the first half the rectangle's size div 2. A half shows the pressed or hot state only
// while the cursor is not in the other half; a disabled control shows 3 in both.
std::array<SpinHalf, 2> LayOutSpin(const Rect& area, const SpinFacts& facts);
// Frame `state` of the arrow's four in its strip: up 1-4 and down 5-8 of the vertical strip,
// left 1-4 and right 5-8 of the horizontal one.
int SpinFrameIndex(SpinArrow arrow, int state);

// An up-down inside an edit keeps at least 3 pixels from the edit window's top, bottom and
// right edges: `spin` is the up-down's window rectangle relative to the edit's window
// rectangle of `edit_w` x `edit_h`; the result is the drawing rectangle in the up-down's own
// coordinates, shrunk on the sides that are closer.
Rect EmbeddedSpinRect(const Rect& spin, int edit_w, int edit_h);

// The plain arrow drawn at the centre of a half without the skin's elements, as pen strokes
// (each from `from` to the last pixel `to`, both drawn): up and down arrows are filled
// triangles 9 pixels wide and 5 high, their top row 2 pixels above the half's centre; left and
// right arrows are outlined triangles 3 pixels wide and 5 high.
struct Stroke {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const Stroke& a, const Stroke& b) {
        return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
    }
};
std::vector<Stroke> PlainSpinArrow(const Rect& half, SpinArrow arrow);
// Whether a half's fallback face is drawn in the shadow colour (pressed and hot) rather than the
// face colour (normal and disabled).
inline bool PlainSpinShaded(int state) { return state == 2 || state == 4; }

} // namespace skin
