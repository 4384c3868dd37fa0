// The arithmetic of skinned menu items: how much an owner-drawn item asks for beyond its own
// measure, where its glyph box, caption and shortcut go, which colour its caption takes, and how
// much of a text read from a menu handle is kept. Portable, so the rules are tested without a
// screen and the same values drive the drawing.
#pragma once
#include <cstddef>
#include <string>

#include "skin/image32.h"

namespace skin {

// Texts read from menu handles keep at most this many UTF-16 units.
constexpr std::size_t kMenuTextLimit = 80;

// How many of the `length` UTF-16 units of `text` are kept: at most `limit`, one fewer when the
// cut would part a surrogate pair.
template <class Unit>
std::size_t MenuTextKept(const Unit* text, std::size_t length, std::size_t limit = kMenuTextLimit) {
    if (length <= limit) return length;
    if (limit == 0) return 0;
    const auto last = static_cast<unsigned>(text[limit - 1]) & 0xFFFFu;
    const auto next = static_cast<unsigned>(text[limit]) & 0xFFFFu;
    const bool high = last >= 0xD800u && last <= 0xDBFFu, low = next >= 0xDC00u && next <= 0xDFFFu;
    return high && low ? limit - 1 : limit;
}

// The width of a main menu's item below the top row, from its own measured width.
int MainMenuItemWidth(int own_width, int item_left_width, bool has_images);
// The width of a popup menu's item; `item_left_width` is 0 when the skin component is gone.
int PopupItemWidth(int own_width, int item_left_width, bool has_images);

// An item measured from the text of a menu handle (window-menu commands, foreign windows).
struct ItemSize {
    int width = 0, height = 0;
    friend bool operator==(const ItemSize& a, const ItemSize& b) { return a.width == b.width && a.height == b.height; }
};
ItemSize HandleItemSize(int text_width, int height, int item_left_width, bool has_text, bool windows9x);

// What the item content's places depend on. Rectangles are in the item's device context.
struct ItemFacts {
    Rect item;
    int item_left_width = 0;  // the MenuItem element's left width, 0 without the element
    int image_width = 0;      // the image list's image width, 0 without an image list
    bool checked = false;
    bool separator = false;
    bool right_to_left = false;
    int caption_height = 0;   // the measured caption (single line)
    int shortcut_width = 0;   // 0 without a shortcut
};

struct ItemLayout {
    bool has_glyph_box = false;
    Rect glyph_box;       // square
    Rect caption;         // where the caption may go: the whole height of the item
    Rect caption_text;    // the caption centred vertically, its measured height
    Rect shortcut;        // the shortcut, right-aligned; empty without one
    int separator_line_y = 0;  // the etched line of a "-" caption
};
ItemLayout LayOutItem(const ItemFacts& facts);

// The caption's colour, as a place in the colour table or the system's button shadow.
enum class CaptionColour { kMenuText, kHilightText, kButtonShadow, kSystemButtonShadow };
CaptionColour CaptionColourOf(bool enabled, bool selected, bool shadow_is_menu_text);

// The text a caption is measured by: an empty caption or a lone "&" as a space.
std::string MeasuredCaption(const std::string& caption);

} // namespace skin
