// The skinned menu bar's arithmetic: where its buttons go, which one a point is on, which
// button a key or the mouse moves a dropped menu to, and the accelerators of the captions.
// Plain numbers and texts in and out, so the rules are tested without windows.
#pragma once
#include <string>
#include <vector>

#include "skin/image32.h"

namespace skin {

// Where the row of buttons starts: with the skin's menu bar picture its left width + 4 (right
// to left: its right width + 8), or 12 when the bar is narrower than that; without it, 6.
int MenuBarStartX(bool has_picture, int left_width, int right_width, int bar_width, bool right_to_left);

// One button as the layout sees it.
struct BarButtonSize {
    int caption_width = 0;  // the caption's width in the menu font
    bool empty_caption = false;
    bool visible = true;
};

// The buttons' rectangles (window coordinates) in `bar`: each visible one as wide as its caption
// + 10 (0 for an empty caption), following each other from `start_x` (right to left: leftwards
// from `row_end` minus `start_x`; `row_end` is the bar's right end, or less when something
// else sits at the right), as high as the bar less one pixel; invisible ones get an empty
// rectangle.
std::vector<Rect> LayoutMenuBar(const std::vector<BarButtonSize>& buttons, const Rect& bar, int start_x,
                                bool right_to_left, int row_end);

// The first button whose rectangle holds the point and whose caption is not empty, else -1.
int MenuBarHitTest(const std::vector<Rect>& rects, const std::vector<bool>& empty_caption, int x, int y);

// A menu text read from a menu handle, cut at `limit` UTF-16 units, never inside a character.
std::u16string CutMenuText(const std::u16string& text, std::size_t limit);

// The accelerator of a caption: the letter after a single "&", upper-cased (ASCII); 0 when none.
char16_t CaptionAccelerator(const std::u16string& caption);

// A button for the keyboard: the key is 0 (Alt or F10 alone: the first button) or a character
// (the enabled, visible button whose caption's accelerator it is, case ignored); -1 when none.
struct BarButtonKeys {
    std::u16string caption;
    bool enabled = true, visible = true;
};
int ButtonForKey(const std::vector<BarButtonKeys>& buttons, char16_t key);

// What the menu being tracked has selected, as WM_MENUSELECT reported it.
struct TrackedItem {
    bool any = false;            // an item is selected
    bool has_sub_items = false;  // it opens a submenu
    bool in_dropped_menu = false;  // it is an item of the dropped menu itself, not of a submenu
};

enum class BarKey { kLeft, kRight, kOther };

// The arrow key as the menu sees it: a right-to-left menu swaps Left and Right.
BarKey AsSeenByMenu(BarKey key, bool right_to_left);

// The button a key moves a dropped menu to, or -1 when the menu handles the key itself: Left
// goes to the previous button (the last from the first) when nothing is selected or the
// selection is in the dropped menu itself; Right to the next (the first from the last) when
// nothing is selected or the selection opens no submenu. A bar of one button moves nowhere.
int ButtonForArrow(BarKey key, int dropped, int count, const TrackedItem& item);

// The button the mouse moves a dropped menu to: another button under the pointer, else -1.
int ButtonForPointer(int under, int dropped);

} // namespace skin
