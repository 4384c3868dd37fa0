// The list view's sorting and header geometry: how two rows compare on a column, what a click
// on a column header does to the sort, where the sort arrow and the caption go in a header
// item, and how wide the last column grows.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/enum_info.h"

namespace ec {

UI_ENUM(TEcLVHeaderSortDisplayMode, hsdmNone, hsdmLeftAlign, hsdmRightOfText, hsdmRightAlign)

enum class SortDirection { Ascending, Descending };

// A row as the comparison sees it: its caption, then its sub-items.
struct SortRow {
    std::string caption;
    std::vector<std::string> sub_items;
};

// ASCII case-insensitive; an empty text after a non-empty one in ascending order. A row with
// fewer sub-items has an empty text there; a missing row, a negative column or one past the
// last of `column_count` compares equal.
int compare_rows(const SortRow* a, const SortRow* b, int column, int column_count, SortDirection direction);

// The sort indicator: the column shown (-1 none), its direction, and the column a second click
// turns round.
struct SortState {
    int column = -1;
    SortDirection direction = SortDirection::Ascending;
    int last_sorted = -1;
};
// A click on `column`: a new column sorts ascending; the last sorted one again descending, and
// then forgets it, so a third click sorts ascending again.
SortState click_column(const SortState& state, int column);

struct HeaderRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const HeaderRect& a, const HeaderRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

// The square the arrow is drawn in, made from an item's rectangle; its size comes from the
// sum of top and bottom, as header items always start at the top.
HeaderRect arrow_box(const HeaderRect& r);
// The arrow's triangle inside its box: three points, ascending pointing up.
struct ArrowTriangle {
    int x[3];
    int y[3];
};
ArrowTriangle arrow_triangle(const HeaderRect& box, SortDirection direction);
// The arrow shows only when twice the box is narrower than the column.
bool arrow_fits(const HeaderRect& box, int column_width);

enum class HeaderJustify { Left, Right, Center };

// Where a header item's caption and arrow go. `text` is the caption's rectangle after the
// margins (and any image); `text_width` and `text_height` are the caption's measured size.
struct HeaderLayout {
    HeaderRect text;
    std::optional<HeaderRect> arrow;  // the box, when the column shows the sort
};
HeaderLayout header_layout(TEcLVHeaderSortDisplayMode mode, HeaderJustify justify, const HeaderRect& text,
                           int text_width, int text_height, bool sort_column, int column_width);

// The last column's width after filling: nothing when the others already fill the width.
// `scroll_bar` is taken off the client width when the list is empty or still loading.
std::optional<int> fill_last_column(const std::vector<int>& widths, int client_width, int scroll_bar,
                                    bool take_scroll_bar);

} // namespace ec
