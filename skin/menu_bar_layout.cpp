#include "skin/menu_bar_layout.h"

#include <algorithm>

namespace skin {

int MenuBarStartX(bool has_picture, int left_width, int right_width, int bar_width, bool right_to_left) {
    if (!has_picture) return 6;
    const int x = right_to_left ? right_width + 8 : left_width + 4;
    return bar_width < x ? 12 : x;
}

std::vector<Rect> LayoutMenuBar(const std::vector<BarButtonSize>& buttons, const Rect& bar, int start_x,
                                bool right_to_left, int row_end) {
    std::vector<Rect> rects(buttons.size());
    const int bottom = bar.top + std::max(0, bar.height() - 1);
    int x = right_to_left ? row_end - start_x : bar.left + start_x;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const BarButtonSize& b = buttons[i];
        if (!b.visible) continue;
        const int w = b.empty_caption ? 0 : std::max(0, b.caption_width) + 10;
        if (right_to_left) {
            rects[i] = {x - w, bar.top, x, bottom};
            x -= w;
        } else {
            rects[i] = {x, bar.top, x + w, bottom};
            x += w;
        }
    }
    return rects;
}

int MenuBarHitTest(const std::vector<Rect>& rects, const std::vector<bool>& empty_caption, int x, int y) {
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const Rect& r = rects[i];
        const bool empty = i < empty_caption.size() && empty_caption[i];
        if (!empty && x >= r.left && x < r.right && y >= r.top && y < r.bottom) return static_cast<int>(i);
    }
    return -1;
}

std::u16string CutMenuText(const std::u16string& text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t n = limit;
    // A high surrogate at the end would be half a character.
    if (n > 0 && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
    return text.substr(0, n);
}

char16_t CaptionAccelerator(const std::u16string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        const char16_t c = caption[i + 1];
        if (c == u'&') {
            ++i;  // "&&" is a plain ampersand
            continue;
        }
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }
    return 0;
}

int ButtonForKey(const std::vector<BarButtonKeys>& buttons, char16_t key) {
    if (key == 0) return buttons.empty() ? -1 : 0;
    const char16_t wanted = key >= u'a' && key <= u'z' ? static_cast<char16_t>(key - u'a' + u'A') : key;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const BarButtonKeys& b = buttons[i];
        if (b.enabled && b.visible && CaptionAccelerator(b.caption) == wanted) return static_cast<int>(i);
    }
    return -1;
}

BarKey AsSeenByMenu(BarKey key, bool right_to_left) {
    if (!right_to_left) return key;
    return key == BarKey::kLeft ? BarKey::kRight : key == BarKey::kRight ? BarKey::kLeft : key;
}

int ButtonForArrow(BarKey key, int dropped, int count, const TrackedItem& item) {
    if (count < 2 || dropped < 0 || dropped >= count) return -1;
    switch (key) {
    case BarKey::kLeft:
        if (!item.any || item.in_dropped_menu) return dropped == 0 ? count - 1 : dropped - 1;
        return -1;
    case BarKey::kRight:
        if (!item.any || !item.has_sub_items) return dropped == count - 1 ? 0 : dropped + 1;
        return -1;
    case BarKey::kOther: return -1;
    }
    return -1;
}

int ButtonForPointer(int under, int dropped) { return under >= 0 && under != dropped ? under : -1; }

} // namespace skin
