// The list view's comparison, click cycle, header arrow geometry and placements, and the
// last column's fill.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/model/list_view_sort.h"

using namespace ec;

namespace {

std::vector<std::string> sorted_captions(std::vector<SortRow> rows, int column, SortDirection direction) {
    std::stable_sort(rows.begin(), rows.end(), [&](const SortRow& a, const SortRow& b) {
        return compare_rows(&a, &b, column, 3, direction) < 0;
    });
    std::vector<std::string> captions;
    for (const SortRow& r : rows) captions.push_back(r.caption);
    return captions;
}

TEST(EcListViewSort, ComparisonByColumn) {
    const std::vector<SortRow> rows{{"b", {"x", "2"}}, {"", {"Y"}}, {"A", {"", "1"}}, {"c", {}}};
    using V = std::vector<std::string>;
    EXPECT_EQ(sorted_captions(rows, 0, SortDirection::Ascending), (V{"A", "b", "c", ""}));
    EXPECT_EQ(sorted_captions(rows, 0, SortDirection::Descending), (V{"", "c", "b", "A"}));
    // Sub-item 1: x, Y, empty, missing; the empty ones come last ascending.
    EXPECT_EQ(sorted_captions(rows, 1, SortDirection::Ascending), (V{"b", "", "A", "c"}));
    EXPECT_EQ(sorted_captions(rows, 2, SortDirection::Ascending), (V{"A", "b", "", "c"}));

    const SortRow a{"a", {}}, b{"B", {}};
    EXPECT_EQ(compare_rows(&a, &b, 0, 3, SortDirection::Ascending), -1);
    EXPECT_EQ(compare_rows(&a, &a, 0, 3, SortDirection::Ascending), 0);
    EXPECT_EQ(compare_rows(&a, nullptr, 0, 3, SortDirection::Ascending), 0);
    EXPECT_EQ(compare_rows(&a, &b, -1, 3, SortDirection::Ascending), 0);
    EXPECT_EQ(compare_rows(&a, &b, 3, 3, SortDirection::Ascending), 0);  // past the last column
}

TEST(EcListViewSort, ClickCycle) {
    SortState state;
    state = click_column(state, 1);
    EXPECT_EQ(state.column, 1);
    EXPECT_EQ(state.direction, SortDirection::Ascending);
    state = click_column(state, 1);
    EXPECT_EQ(state.direction, SortDirection::Descending);
    state = click_column(state, 1);
    EXPECT_EQ(state.direction, SortDirection::Ascending);
    state = click_column(state, 2);
    EXPECT_EQ(state.column, 2);
    EXPECT_EQ(state.direction, SortDirection::Ascending);
    state = click_column(state, 2);
    state = click_column(state, 0);
    EXPECT_EQ(state.column, 0);
    EXPECT_EQ(state.direction, SortDirection::Ascending);
}

TEST(EcListViewSort, ArrowBoxAndTriangle) {
    // A header item 18 high starting at the top: s = 18 / 2 - 1 = 8.
    HeaderRect box = arrow_box({10, 0, 110, 18});
    EXPECT_EQ(box, (HeaderRect{10, 4, 19, 12}));
    // The size follows top + bottom, not the height.
    EXPECT_EQ(arrow_box({0, 2, 50, 20}).height(), 10);

    // a = 8 * 3 / 4 = 6, w = 11: the bottom six rows of the box.
    ArrowTriangle up = arrow_triangle(box, SortDirection::Ascending);
    EXPECT_EQ(up.x[0], 15);
    EXPECT_EQ(up.y[0], 6);
    EXPECT_EQ(up.x[1], 10);
    EXPECT_EQ(up.x[2], 20);
    EXPECT_EQ(up.y[1], 11);
    ArrowTriangle down = arrow_triangle(box, SortDirection::Descending);
    EXPECT_EQ(down.y[0], 6);
    EXPECT_EQ(down.x[2], 15);
    EXPECT_EQ(down.y[2], 11);

    EXPECT_TRUE(arrow_fits(box, 19));
    EXPECT_FALSE(arrow_fits(box, 18));  // a narrow column shows no arrow
}

TEST(EcListViewSort, PlacementsOfCaptionAndArrow) {
    const HeaderRect text{6, 2, 96, 16};  // a 100-wide item less its margins
    using M = TEcLVHeaderSortDisplayMode;
    struct Case {
        const char* what;
        M mode;
        HeaderJustify justify;
        bool sort;
        int column_width;
        HeaderRect text;
        std::optional<HeaderRect> arrow;
    } const cases[] = {
        {"none", M::hsdmNone, HeaderJustify::Left, true, 100, text, std::nullopt},
        {"not the sort column", M::hsdmRightAlign, HeaderJustify::Left, false, 100, text, std::nullopt},
        // The box from the whole text rectangle: s = (2 + 16) / 2 - 1 = 8.
        {"left align", M::hsdmLeftAlign, HeaderJustify::Left, true, 100, {15 + 5, 2, 96, 16}, HeaderRect{6, 4, 15, 12}},
        {"left align, too narrow", M::hsdmLeftAlign, HeaderJustify::Left, true, 15, text, std::nullopt},
        // The caption measured 30 x 12: its rectangle moved right by 30 + 5 makes the box.
        {"right of a left caption", M::hsdmRightOfText, HeaderJustify::Left, true, 100, text,
         HeaderRect{41, 3, 49, 10}},
        // Cut to the caption's height first: s = (2 + 14) / 2 - 1 = 7, the box ending at 96 - 5.
        {"right of a right caption", M::hsdmRightOfText, HeaderJustify::Right, true, 100, {6, 2, 78, 14},
         HeaderRect{83, 3, 91, 10}},
        {"right of a centred caption", M::hsdmRightOfText, HeaderJustify::Center, true, 100, {19, 2, 83, 14},
         HeaderRect{83, 3, 91, 10}},
        {"right align", M::hsdmRightAlign, HeaderJustify::Left, true, 100, {6, 2, 77, 16}, HeaderRect{82, 4, 91, 12}},
    };
    for (const Case& c : cases) {
        HeaderLayout layout = header_layout(c.mode, c.justify, text, 30, 12, c.sort, c.column_width);
        EXPECT_EQ(layout.text, c.text) << c.what;
        EXPECT_EQ(layout.arrow.has_value(), c.arrow.has_value()) << c.what;
        if (layout.arrow && c.arrow) {
            EXPECT_EQ(*layout.arrow, *c.arrow) << c.what;
        }
    }
}

TEST(EcListViewSort, FillLastColumn) {
    EXPECT_EQ(fill_last_column({100, 50}, 400, 16, false), 300);
    EXPECT_EQ(fill_last_column({100, 50}, 400, 16, true), 284);  // no items: the scroll bar first
    EXPECT_EQ(fill_last_column({396, 50}, 400, 16, false), 5);   // at least 5
    EXPECT_EQ(fill_last_column({400, 50}, 400, 16, false), std::nullopt);
    EXPECT_EQ(fill_last_column({50}, 400, 16, false), 400);
    EXPECT_EQ(fill_last_column({}, 400, 16, false), std::nullopt);
}

} // namespace
