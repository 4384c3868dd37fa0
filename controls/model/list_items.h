// What the list boxes compute from their item texts alone: group lines, the index kept after a
// delete, tab-separated cells and the tab stops that fit them.
#pragma once
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ec {

// Group lines: items that begin with the prefix (case-sensitive) head a group.
bool is_group_text(std::string_view text, std::string_view prefix);
// The text as shown: a group line without its prefix.
std::string shown_text(std::string_view text, std::string_view prefix);
bool is_group_line(const std::vector<std::string>& items, int index, std::string_view prefix);
// The group line at or before `index`; -1 when none.
int group_line_at_or_before(const std::vector<std::string>& items, int index, std::string_view prefix);
// The number of group lines before a group line; -1 when `index` is not one.
int group_ordinal(const std::vector<std::string>& items, int index, std::string_view prefix);
// The item's text without the prefix of a group line; empty outside the items.
std::string item_text(const std::vector<std::string>& items, int index, std::string_view prefix);

// The selection a list box takes after deleting one item: the same index, or the one before
// when the index now equals the count; -1 when nothing was selected or nothing remains.
int index_after_delete(int selected_before, int count_after);

class ECellError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// The fields of a tab-separated item.
int tab_column_count(std::string_view text);
// Raise "Row parameter out of range" / "Column parameter out of range".
std::string cell(const std::vector<std::string>& items, int column, int row);
std::string with_cell(std::string_view text, int column, std::string_view value);

// At most this many tab stops reach the list box.
constexpr int kMaxTabStops = 1000;
// The font's dialog unit: the average width of the 52 letters, rounded.
int dialog_units(int width_of_52_letters);
// The stops as the list box takes them (each times 4, the first kMaxTabStops).
std::vector<std::int32_t> list_box_tab_stops(const std::vector<std::int32_t>& stops);

// Stops that fit every column, one per tab of the item with the most: each the one before plus
// the widest field in dialog units plus 4. The owner measures a field in pixels, a group
// line's (its prefix removed) in the group font, and adds any glyph to the first column.
using FieldMeasure = std::function<int(std::string_view field, int column, bool group_line)>;
std::vector<std::int32_t> automatic_tab_stops(const std::vector<std::string>& items, std::string_view group_prefix,
                                              int units, const FieldMeasure& measure);

} // namespace ec
