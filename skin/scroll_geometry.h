// Where the skinned scroll bars put their pieces and what a press or a drag on them means: the
// part under a point, the thumb that follows the cursor, the thumb of a scroll bar control worked
// out from its range, the position a drag in a combo box's list stands for, and the frames of
// the scroll bar strip. Plain functions, so that the rules are tested without a screen.
#pragma once
#include <cstdint>

#include "skin/image32.h"

namespace skin {

// The system's MulDiv: a * b / c with a 64-bit product, rounded to the nearest integer with
// halves away from zero; -1 when c is 0 or the result does not fit in 32 bits (either sign).
int PlatformMulDiv(int a, int b, int c);

// The parts of a scroll bar, by the numbers the painters keep as the hot part.
enum ScrollPart : int {
    kNoPart = -1,
    kFirstArrow = 0,   // left or up
    kSecondArrow = 1,  // right or down
    kPageBefore = 2,
    kPageAfter = 3,
    kThumbPart = 5,
};

// A bar along its axis: its length, the arrow button's size and the thumb's extent.
struct BarAxis {
    int length = 0;
    int button = 0;  // the arrow button's length (the system's scroll-bar width)
    int thumb_start = 0, thumb_end = 0;
};

// The length each arrow takes: the button's, or half the bar's when the bar is shorter than two
// buttons (as the system draws such a bar).
int ArrowLength(int length, int button);

// The part under the point `p` along the axis: first arrow, page before the thumb, thumb, page
// after, second arrow. The arrows take ArrowLength.
int ScrollPartAt(int p, const BarAxis& bar);

// The thumb dragged by the cursor: the start where it was pressed moved by the cursor's travel,
// kept within [arrow, length - arrow - thumb length]; a thumb too long for its track stays
// right after the first arrow. The end moves with the start.
struct ThumbSpan {
    int start = 0, end = 0;
    friend bool operator==(const ThumbSpan& a, const ThumbSpan& b) { return a.start == b.start && a.end == b.end; }
};
ThumbSpan FollowThumb(const BarAxis& pressed, int press_point, int cursor);

// A scroll bar control's values (its scroll information, or its published properties).
struct ScrollValues {
    int min = 0, max = 0, page = 0, position = 0;
};
// The thumb a scroll bar control shows, as the painting works it out from the scroll
// information: with a page, a thumb of its share of the track but at least 8 pixels (an 8-pixel
// thumb leaves the track 8 pixels shorter for the position); without a page, a thumb one button
// long on a track one button shorter. Equal minimum and maximum count as a range of 9999999.
ThumbSpan ScrollControlThumb(const ScrollValues& values, int length, int button);
// The same for a press, from the control's published values: no least length, and the range
// taken as it is, so that an empty range gives MulDiv's -1.
ThumbSpan ScrollControlPressThumb(const ScrollValues& values, int length, int button);

// A thumb drag in a combo box's drop-down list: what the drag started from.
struct ComboDrag {
    ScrollValues values;    // the list's vertical scroll information at the press
    int bar_length = 0;     // the bar's height
    int button = 0;         // the arrow button's length
    int thumb_top = 0;      // the thumb's top from the bar's top (as the scroll bar information gives it)
    int thumb_length = 0;   // its bottom minus its top
    int press_cursor = 0;   // the cursor's y at the press
};
// The list's position for the cursor at `cursor`: the thumb's offset in its track scaled to the
// range; never below the minimum, never beyond the last position a page allows (or the maximum
// without a page).
int ComboDragPosition(const ComboDrag& drag, int cursor);

// The thickness across a bar: the strip's height, or the button's size when they differ by more
// than 2 pixels.
int BarThickness(int strip_height, int button);

// Frames (from 1) of the 23-frame scroll bar strip: arrows left 1, right 5, up 9, down 13, the
// pressed arrow one on and the hot one three on; the thumb's grip 17 across, 20 upright, one on
// when pressed and two when hot.
int ArrowFrame(bool vertical, bool second, bool hot, bool pressed);
int GripFrame(bool vertical, bool hot, bool pressed);
// Frames of the thumb element: 1, 2 pressed, 3 hot.
int ThumbFrame(bool hot, bool pressed);
// Frames of the four-frame track: 1, or 3 when disabled.
int TrackFrame(bool enabled);

// The scroll bar strip's frame count.
constexpr int kScrollStripFrames = 23;

} // namespace skin
