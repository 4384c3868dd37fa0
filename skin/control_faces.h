// Where the skinned check boxes, radio buttons, group boxes and status bars put their pieces,
// and which frame of a box strip shows a state: plain functions, so that the rules are tested
// without a screen and the painters only draw what they are given.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "skin/image32.h"

namespace skin {

// What a check box tells about itself when it is painted. The optional facts are published
// properties a control may lack.
struct CheckFacts {
    bool checked = false;        // BM_GETSTATE has BST_CHECKED
    bool indeterminate = false;  // BM_GETSTATE has BST_INDETERMINATE
    bool disabled = false;       // WS_DISABLED
    std::optional<std::string> state;  // the State value name ("cbUnchecked", "cbGrayed", ...)
    std::optional<bool> checked_property;
    bool data_field = false;  // publishes DataField
    int last_check = 0;       // 0 none, else the last BM_SETCHECK's wParam + 1
    bool data_binding = false;
};

struct RadioFacts {
    bool checked = false;  // BM_GETCHECK is BST_CHECKED
    bool disabled = false;
    std::optional<bool> checked_property;
};

// The frame (from 1) of a strip of `frames` frames for the box's state; 0 when the strip has no
// frame. Up to seven frames: unchecked, checked, unchecked disabled, checked disabled and, in a
// fifth frame, the grayed box (a grayed box shows frame 4 without it). Eight frames and more
// are read as the system's pictures: check boxes unchecked, checked and mixed, radio buttons
// unchecked and checked, each in four frames (normal, hot, pressed, disabled), of which the
// boxes show the normal and the disabled ones. The index never passes the strip's count.
int CheckFrameIndex(const CheckFacts& facts, int frames);
int RadioFrameIndex(const RadioFacts& facts, int frames);

// A box of `box_width` x `box_height` and its caption in `bounds`. The box is centred
// vertically; the caption starts 2 pixels after it, or with left text ends 2 pixels before it
// (the check box's box then ends at the right edge, the radio button's one pixel before it).
struct ToggleLayout {
    Rect box, text;
};
ToggleLayout LayoutToggle(const Rect& bounds, int box_width, int box_height, bool left_text, bool radio);

// One frame's size in a strip of `frames` frames (width truncated); {0, 0} when there is none.
struct Size2 {
    int width = 0, height = 0;
};
Size2 StripFrameSize(int strip_width, int strip_height, int frames);

// The glyph strips handed to control-set check and radio controls, built from the skin's box
// strip: kind 1 a check box's nine frames, kind 2 a radio button's six, kind 3 a check box's
// six. Each entry names the skin frame a result frame takes (0: left transparent).
std::vector<int> GlyphStripSources(int kind, int skin_frames);
// The strip itself: result frames of one skin frame's size, magenta where no frame is copied;
// empty when the skin strip has no frame or the kind is unknown.
Image32 BuildGlyphStrip(int kind, const Image32& strip, int skin_frames);

// The group box: the frame line's top from the height of "0" in the caption's font, the
// rounded frame, and the caption's place (8 pixels in from the left, or ending 8 pixels
// before the right edge when right aligned).
struct GroupBoxLayout {
    int frame_top = 0;
    Rect frame;
    Rect caption;
};
GroupBoxLayout LayoutGroupBox(const Rect& bounds, int zero_height, int caption_width, int caption_height,
                              bool right_aligned);

// Status bars.
enum class Bevel { kLowered = 1, kRaised = 2, kNone = 3 };
// The panels' rectangles from the control's own ones: each 2 pixels wider to the right, the
// last reaching the bar's right edge. Panels without a rectangle (empty) stay empty.
std::vector<Rect> StatusPanelRects(const std::vector<Rect>& panels, int bar_width);
// The text area of a panel or of the simple bar: 2 pixels in on both sides.
Rect StatusTextRect(const Rect& area);
// The size grip's picture at its own size in the bottom-right corner, one pixel in from the
// right and bottom edges.
Rect SizeGripRect(int bar_width, int bar_height, int grip_width, int grip_height);

} // namespace skin
