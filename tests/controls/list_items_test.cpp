// List-box items: group lines, the selection after a delete, tab-separated cells and the stops
// that fit them.
#include <gtest/gtest.h>

#include "controls/model/list_items.h"

using namespace ec;

namespace {

TEST(EcListItems, GroupLinesAndItemTexts) {
    const std::vector<std::string> items{"a", "//Network", "b", "c", "//Disk", "/x", "d"};
    struct Case {
        int index;
        bool group;
        int at_or_before;
        int ordinal;
        const char* text;
    } const cases[] = {
        {0, false, -1, -1, "a"},       {1, true, 1, 0, "Network"}, {3, false, 1, -1, "c"},
        {4, true, 4, 1, "Disk"},       {5, false, 4, -1, "/x"},     {6, false, 4, -1, "d"},
        {-1, false, -1, -1, ""},       {7, false, 4, -1, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(is_group_line(items, c.index, "//"), c.group) << c.index;
        EXPECT_EQ(group_line_at_or_before(items, c.index, "//"), c.at_or_before) << c.index;
        EXPECT_EQ(group_ordinal(items, c.index, "//"), c.ordinal) << c.index;
        EXPECT_EQ(item_text(items, c.index, "//"), c.text) << c.index;
    }
    EXPECT_FALSE(is_group_line(items, 1, ""));  // no prefix, no groups
    EXPECT_FALSE(is_group_line({"//x"}, 0, "//x/"));
}

TEST(EcListItems, SelectionAfterDelete) {
    EXPECT_EQ(index_after_delete(8, 8), 7);   // the last of nine selected, the first deleted
    EXPECT_EQ(index_after_delete(3, 8), 3);   // the same index again
    EXPECT_EQ(index_after_delete(-1, 8), -1);
    EXPECT_EQ(index_after_delete(0, 0), -1);  // nothing left
}

TEST(EcListItems, CellsAndTheirRangeErrors) {
    const std::vector<std::string> items{"a\tbb\tc", "x", ""};
    EXPECT_EQ(cell(items, 0, 0), "a");
    EXPECT_EQ(cell(items, 2, 0), "c");
    EXPECT_EQ(cell(items, 0, 1), "x");
    EXPECT_EQ(cell(items, 0, 2), "");
    EXPECT_EQ(tab_column_count(items[0]), 3);
    EXPECT_EQ(with_cell(items[0], 1, "B"), "a\tB\tc");
    EXPECT_EQ(with_cell("", 0, "z"), "z");

    struct Bad {
        int column, row;
        const char* message;
    } const bad[] = {
        {3, 0, "Column parameter out of range"}, {-1, 0, "Column parameter out of range"},
        {1, 1, "Column parameter out of range"}, {0, 3, "Row parameter out of range"},
        {0, -1, "Row parameter out of range"},
    };
    for (const Bad& b : bad) {
        try {
            cell(items, b.column, b.row);
            ADD_FAILURE() << b.column << "," << b.row;
        } catch (const ECellError& e) {
            EXPECT_STREQ(e.what(), b.message) << b.column << "," << b.row;
        }
    }
    EXPECT_THROW(with_cell("a\tb", 2, "x"), ECellError);
}

TEST(EcListItems, AutomaticTabStops) {
    const int units = dialog_units(52 * 6);  // 6 pixels a letter
    EXPECT_EQ(units, 6);
    EXPECT_EQ(dialog_units(52 * 6 + 25), 6);
    EXPECT_EQ(dialog_units(52 * 6 + 26), 7);

    // Each byte 10 pixels wide; a group line's fields 20.
    auto measure = [](std::string_view field, int, bool group) {
        return static_cast<int>(field.size()) * (group ? 20 : 10);
    };
    EXPECT_EQ(automatic_tab_stops({"a\tbb", "ccc\td"}, "//", units, measure), (std::vector<std::int32_t>{30 / 6 + 4}));
    EXPECT_EQ(automatic_tab_stops({"a\tbbbbbbb\tx", "ccc"}, "//", units, measure),
              (std::vector<std::int32_t>{30 / 6 + 4, 30 / 6 + 4 + 70 / 6 + 4}));
    // The group line's prefix is not measured, its text is, in its own font.
    EXPECT_EQ(automatic_tab_stops({"//gg\tb", "cc\td"}, "//", units, measure), (std::vector<std::int32_t>{40 / 6 + 4}));
    EXPECT_TRUE(automatic_tab_stops({"no tabs"}, "//", units, measure).empty());
    EXPECT_TRUE(automatic_tab_stops({}, "//", units, measure).empty());
}

TEST(EcListItems, TabStopsSentToTheListBox) {
    EXPECT_EQ(list_box_tab_stops({10, 25}), (std::vector<std::int32_t>{40, 100}));
    std::vector<std::int32_t> many(kMaxTabStops + 5, 1);
    EXPECT_EQ(list_box_tab_stops(many).size(), static_cast<std::size_t>(kMaxTabStops));
}

} // namespace
