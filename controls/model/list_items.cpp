#include "controls/model/list_items.h"

#include <algorithm>

namespace ec {

namespace {

bool in_items(const std::vector<std::string>& items, int index) {
    return index >= 0 && index < static_cast<int>(items.size());
}

const std::string& at(const std::vector<std::string>& items, int index) {
    return items[static_cast<std::size_t>(index)];
}

// The fields of a line, split at every tab.
std::vector<std::string_view> fields(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = text.find('\t', start);
        if (tab == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, tab - start));
        start = tab + 1;
    }
}

} // namespace

bool is_group_text(std::string_view text, std::string_view prefix) {
    // An empty prefix marks no line, as a search for an empty text finds nothing.
    return !prefix.empty() && text.substr(0, prefix.size()) == prefix;
}

std::string shown_text(std::string_view text, std::string_view prefix) {
    return std::string(is_group_text(text, prefix) ? text.substr(prefix.size()) : text);
}

bool is_group_line(const std::vector<std::string>& items, int index, std::string_view prefix) {
    return in_items(items, index) && is_group_text(at(items, index), prefix);
}

int group_line_at_or_before(const std::vector<std::string>& items, int index, std::string_view prefix) {
    for (int i = std::min(index, static_cast<int>(items.size()) - 1); i >= 0; --i) {
        if (is_group_line(items, i, prefix)) return i;
    }
    return -1;
}

int group_ordinal(const std::vector<std::string>& items, int index, std::string_view prefix) {
    if (!is_group_line(items, index, prefix)) return -1;
    int ordinal = 0;
    for (int i = 0; i < index; ++i) {
        if (is_group_line(items, i, prefix)) ++ordinal;
    }
    return ordinal;
}

std::string item_text(const std::vector<std::string>& items, int index, std::string_view prefix) {
    return in_items(items, index) ? shown_text(at(items, index), prefix) : std::string();
}

int index_after_delete(int selected_before, int count_after) {
    if (selected_before < 0 || count_after <= 0) return -1;
    return std::min(selected_before, count_after - 1);
}

int tab_column_count(std::string_view text) { return static_cast<int>(fields(text).size()); }

std::string cell(const std::vector<std::string>& items, int column, int row) {
    if (!in_items(items, row)) throw ECellError("Row parameter out of range");
    std::vector<std::string_view> parts = fields(at(items, row));
    if (column < 0 || column >= static_cast<int>(parts.size())) throw ECellError("Column parameter out of range");
    return std::string(parts[static_cast<std::size_t>(column)]);
}

std::string with_cell(std::string_view text, int column, std::string_view value) {
    std::vector<std::string_view> parts = fields(text);
    if (column < 0 || column >= static_cast<int>(parts.size())) throw ECellError("Column parameter out of range");
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) joined += '\t';
        joined += i == static_cast<std::size_t>(column) ? value : parts[i];
    }
    return joined;
}

int dialog_units(int width_of_52_letters) { return (width_of_52_letters + 26) / 52; }

std::vector<std::int32_t> list_box_tab_stops(const std::vector<std::int32_t>& stops) {
    std::vector<std::int32_t> sent;
    std::size_t n = std::min(stops.size(), static_cast<std::size_t>(kMaxTabStops));
    sent.reserve(n);
    for (std::size_t i = 0; i < n; ++i) sent.push_back(stops[i] * 4);
    return sent;
}

std::vector<std::int32_t> automatic_tab_stops(const std::vector<std::string>& items, std::string_view group_prefix,
                                              int units, const FieldMeasure& measure) {
    std::vector<std::vector<std::string_view>> split;
    std::vector<bool> group;
    split.reserve(items.size());
    std::size_t columns = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        group.push_back(is_group_line(items, static_cast<int>(i), group_prefix));
        std::string_view text = items[i];
        if (group.back()) text.remove_prefix(group_prefix.size());
        split.push_back(fields(text));
        columns = std::max(columns, split.back().size() - 1);
    }
    columns = std::min(columns, static_cast<std::size_t>(kMaxTabStops));
    if (units <= 0) units = 1;
    std::vector<std::int32_t> stops;
    std::int32_t stop = 0;
    for (std::size_t column = 0; column < columns; ++column) {
        int widest = 0;
        for (std::size_t row = 0; row < split.size(); ++row) {
            if (column >= split[row].size()) continue;
            widest = std::max(widest, measure(split[row][column], static_cast<int>(column), group[row]));
        }
        stop += widest / units + 4;
        stops.push_back(stop);
    }
    return stops;
}

} // namespace ec
