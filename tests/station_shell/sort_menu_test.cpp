#include "station/forms/sort_menu.h"

#include <gtest/gtest.h>

namespace {

station::AProgramColumnsInfo three_columns() {
    station::AProgramColumnsInfo c;
    c.VisibleCount = 3;
    c.VisibleColumns[0].Name = "Date";
    c.VisibleColumns[1].Name = "Time";
    c.VisibleColumns[2].Name = "Date";
    return c;
}

TEST(SortMenu, ColumnsThenSeparatorThenDirections) {
    station::StationTexts texts;
    texts.Set("Col.SortAscending", "Up");
    texts.Set("Col.SortDescending", "Down");
    const auto items = forms::BuildSortMenuItems(three_columns(), texts);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[1].Caption, "Time");
    EXPECT_EQ(items[1].Group, 1);
    EXPECT_TRUE(items[3].Separator);
    EXPECT_EQ(items[4].Caption, "Up");
    EXPECT_TRUE(items[4].Checked);
    EXPECT_EQ(items[5].Caption, "Down");
    EXPECT_FALSE(items[5].Checked);
}

TEST(SortMenu, ItemFindsTheFirstVisibleColumnOfItsName) {
    const auto columns = three_columns();
    EXPECT_EQ(forms::SortColumnPosition(columns, "  Date "), 0);
    EXPECT_EQ(forms::SortColumnPosition(columns, "Time"), 1);
    EXPECT_EQ(forms::SortColumnPosition(columns, "Caller"), -1);
    auto broken = columns;
    broken.VisibleCount = 99;  // a damaged count is clamped to the table
    EXPECT_EQ(forms::SortColumnPosition(broken, "nothing"), -1);
}

} // namespace
