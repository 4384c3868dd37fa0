#include "controls/model/list_view_sort.h"

#include <algorithm>

namespace ec {

namespace {

const std::string& row_text(const SortRow& row, int column) {
    static const std::string empty;
    if (column == 0) return row.caption;
    std::size_t sub = static_cast<std::size_t>(column - 1);
    return sub < row.sub_items.size() ? row.sub_items[sub] : empty;
}

int compare_folded(const std::string& a, const std::string& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z') ca = static_cast<unsigned char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z') cb = static_cast<unsigned char>(cb - 'A' + 'a');
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The box moved so that it ends 5 pixels before the right of `text`.
HeaderRect box_at_right(const HeaderRect& text) {
    HeaderRect box = arrow_box(text);
    int width = box.width();
    box.right = text.right - 5;
    box.left = box.right - width;
    return box;
}

} // namespace

int compare_rows(const SortRow* a, const SortRow* b, int column, int column_count, SortDirection direction) {
    if (!a || !b || column < 0 || column >= column_count) return 0;
    const std::string& ta = row_text(*a, column);
    const std::string& tb = row_text(*b, column);
    int result;
    if (ta.empty() != tb.empty()) {
        result = ta.empty() ? 1 : -1;
    } else {
        result = compare_folded(ta, tb);
    }
    return direction == SortDirection::Descending ? -result : result;
}

SortState click_column(const SortState& state, int column) {
    SortState next;
    next.column = column;
    if (column == state.last_sorted) {
        next.direction = SortDirection::Descending;
        next.last_sorted = -1;
    } else {
        next.direction = SortDirection::Ascending;
        next.last_sorted = column;
    }
    return next;
}

HeaderRect arrow_box(const HeaderRect& r) {
    const int s = (r.top + r.bottom) / 2 - 1;
    HeaderRect box;
    box.left = r.left;
    box.right = box.left + s + 1;
    box.top = (r.top + r.bottom - s) / 2 - 1;
    box.bottom = box.top + s;
    return box;
}

ArrowTriangle arrow_triangle(const HeaderRect& box, SortDirection direction) {
    const int a = box.height() * 3 / 4;
    const int w = 2 * a - 1;
    const int first = box.bottom - a;
    const int last = box.bottom - 1;
    const int middle = box.left + (w - 1) / 2;
    if (direction == SortDirection::Ascending) return {{middle, box.left, box.left + w - 1}, {first, last, last}};
    return {{box.left, box.left + w - 1, middle}, {first, first, last}};
}

bool arrow_fits(const HeaderRect& box, int column_width) { return 2 * box.width() < column_width; }

HeaderLayout header_layout(TEcLVHeaderSortDisplayMode mode, HeaderJustify justify, const HeaderRect& text,
                           int text_width, int text_height, bool sort_column, int column_width) {
    HeaderLayout layout{text, std::nullopt};
    if (!sort_column) return layout;
    switch (mode) {
    case TEcLVHeaderSortDisplayMode::hsdmNone: break;
    case TEcLVHeaderSortDisplayMode::hsdmLeftAlign:
        if (column_width > 15) {
            layout.arrow = arrow_box(text);
            layout.text.left = layout.arrow->right + 5;
        }
        break;
    case TEcLVHeaderSortDisplayMode::hsdmRightOfText:
        if (justify == HeaderJustify::Left) {
            // The arrow follows the caption as measured, one caption width plus 5 further on.
            HeaderRect measured{text.left + text_width + 5, text.top, text.left + 2 * text_width + 5,
                                text.top + text_height};
            layout.arrow = arrow_box(measured);
            break;
        }
        layout.text.bottom = layout.text.top + text_height;
        layout.arrow = box_at_right(layout.text);
        if (justify == HeaderJustify::Right) {
            layout.text.right = layout.arrow->left - 5;
        } else {
            const int cut = layout.arrow->width() + 5;
            layout.text.left += cut;
            layout.text.right -= cut;
        }
        break;
    case TEcLVHeaderSortDisplayMode::hsdmRightAlign:
        layout.arrow = box_at_right(text);
        layout.text.right = layout.arrow->left - 5;
        break;
    }
    return layout;
}

std::optional<int> fill_last_column(const std::vector<int>& widths, int client_width, int scroll_bar,
                                    bool take_scroll_bar) {
    if (widths.empty()) return std::nullopt;
    int others = 0;
    for (std::size_t i = 0; i + 1 < widths.size(); ++i) others += widths[i];
    const int available = client_width - (take_scroll_bar ? scroll_bar : 0);
    if (others >= available) return std::nullopt;
    return std::max(available - others, 5);
}

} // namespace ec
