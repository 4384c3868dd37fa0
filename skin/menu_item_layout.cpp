#include "skin/menu_item_layout.h"

#include <algorithm>

namespace skin {

namespace {

// The glyph box's side without an image list, and its least side for a checked item.
constexpr int kGlyphSide = 16;

Rect Mirrored(const Rect& r, const Rect& within) {
    if (r.right <= r.left) return r;
    return {within.left + within.right - r.right, r.top, within.left + within.right - r.left, r.bottom};
}

} // namespace

int MainMenuItemWidth(int own_width, int item_left_width, bool has_images) {
    return own_width + item_left_width + 10 + (has_images ? 0 : 25);
}

int PopupItemWidth(int own_width, int item_left_width, bool has_images) {
    return own_width + item_left_width + 12 + (has_images ? 0 : 23);
}

ItemSize HandleItemSize(int text_width, int height, int item_left_width, bool has_text, bool windows9x) {
    ItemSize s;
    s.width = text_width + 26 + item_left_width;
    s.height = height + (has_text ? 4 : 8) + (windows9x ? 4 : 0);
    return s;
}

ItemLayout LayOutItem(const ItemFacts& f) {
    ItemLayout out;
    const Rect& item = f.item;
    int content_left = item.left + 1 + f.item_left_width;
    if (!f.separator) {
        int side = f.image_width > 0 ? f.image_width : kGlyphSide;
        if (f.checked) side = std::max(side, kGlyphSide);
        out.has_glyph_box = true;
        out.glyph_box = {content_left, item.top + 1, content_left + side, item.top + 1 + side};
        content_left = out.glyph_box.right + 3;
    }
    out.caption = {content_left, item.top, std::max(content_left, item.right - 1), item.bottom};
    const int text_top = item.top + (item.height() - f.caption_height) / 2;
    out.caption_text = {out.caption.left, text_top, out.caption.right, text_top + f.caption_height};
    if (f.shortcut_width > 0) {
        const int right = out.caption.right - 10;
        out.shortcut = {std::max(out.caption.left, right - f.shortcut_width), text_top, std::max(out.caption.left, right),
                        text_top + f.caption_height};
    }
    out.separator_line_y = out.caption.top + 4;
    if (f.right_to_left) {
        out.glyph_box = Mirrored(out.glyph_box, item);
        out.caption = Mirrored(out.caption, item);
        out.caption_text = Mirrored(out.caption_text, item);
        out.shortcut = Mirrored(out.shortcut, item);
    }
    return out;
}

CaptionColour CaptionColourOf(bool enabled, bool selected, bool shadow_is_menu_text) {
    if (!enabled) return shadow_is_menu_text ? CaptionColour::kSystemButtonShadow : CaptionColour::kButtonShadow;
    return selected ? CaptionColour::kHilightText : CaptionColour::kMenuText;
}

std::string MeasuredCaption(const std::string& caption) {
    return caption.empty() || caption == "&" ? std::string(" ") : caption;
}

} // namespace skin
