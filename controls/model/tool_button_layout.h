// Geometry of the tool button and its popups: where the glyph and the caption go in four
// layouts, the width a button takes from its tool bar, the drop-down part and its re-open guard,
// where the drop-down menu and a popup panel open inside a work area.
#pragma once
#include <cstdint>

#include "controls/model/button_layout.h"
#include "platform/ui/align_layout.h"

namespace ec {

UI_ENUM(TEcToolStyle, tsButton, tsDropDown)

// The drop-down part: the trailing pixels of a tsDropDown button (the leading ones right to left).
constexpr int kDropDownPartWidth = 14;

// Horizontal alignment as the window layer's TAlignment has it.
enum class HorzAlign { Left, Right, Center };
// A press this soon after the last drop-down ended only ends that drop-down.
constexpr std::uint32_t kDropDownGuardMs = 100;

// The rectangle the glyph and the caption share: the client less the drop-down part, inset by 2.
ui::Rect tool_button_work_rect(int width, int height, bool drop_down, bool right_to_left);

// The rectangle the caption is measured in (word-wrapped, centred): the working rectangle less
// the glyph on the layout's side.
ui::Rect tool_button_measure_rect(const ui::Rect& work, TButtonLayout layout, int glyph_width, int glyph_height);

struct ToolButtonFace {
    ui::Rect work;
    int glyph_width = 0, glyph_height = 0;  // 0 x 0 without a glyph
    bool caption = false;                   // ShowCaption and a caption
    int text_width = 0, text_height = 0;    // the measured caption
    TButtonLayout layout = TButtonLayout::blGlyphLeft;
    HorzAlign alignment = HorzAlign::Center;
    // Pressed or down (or dropped without a click of its own), outside the gradient look.
    bool shifted = false;
    bool themed = false;  // the themed look shifts by (1, 0), the others by (1, 1)
};

struct ToolButtonRects {
    ui::Rect glyph, caption;
};
ToolButtonRects tool_button_rects(const ToolButtonFace& face);

// The width a button that follows its bar takes: the bar's ButtonWidth, widened to its caption
// (glyph + caption + 12 beside, caption + 8 above or below), plus the drop-down part.
int tool_button_follow_width(int bar_button_width, bool show_caption, TButtonLayout layout, int glyph_width,
                             int text_width, bool drop_down);

// Whether a press at x lands on the drop-down part.
bool in_drop_down_part(int x, int width, bool right_to_left);

// Whether a press at `now` comes within the guard after the drop-down that ended at `last`
// (0: none). Tick counts wrap after 49.7 days: the difference is taken unsigned.
bool drop_down_guard_holds(std::uint32_t now, std::uint32_t last);

// The menu's left edge: `x` unless the menu would pass the work area's right edge, in which case
// it moves by the button's width less the menu's.
int drop_down_menu_left(int x, int menu_width, int button_width, int work_right);
constexpr int kDropDownMenuExtra = 56;  // a menu item's room beyond its caption

// Where a popup of `width` x `height` opens for a control at `control` (screen coordinates):
// below it, placed by `alignment`, or, unless both are -1, at (offset_x, offset_y) from its
// top-left corner; then kept inside
// `work`: too far right moves it left, too low puts it above the control, and the left and top
// edges of the work area win last.
ui::Rect popup_rect(const ui::Rect& control, int width, int height, HorzAlign alignment, int offset_x, int offset_y,
                    const ui::Rect& work);

} // namespace ec
