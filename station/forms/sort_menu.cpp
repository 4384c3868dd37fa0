#include "station/forms/sort_menu.h"

#include <algorithm>

namespace forms {

namespace {
std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}
int visible_count(const station::AProgramColumnsInfo& columns) {
    return std::clamp(columns.VisibleCount, 0, station::kColumnCount);
}
} // namespace

std::vector<SortMenuItem> BuildSortMenuItems(const station::AProgramColumnsInfo& columns,
                                             const station::StationTexts& texts) {
    std::vector<SortMenuItem> items;
    const int count = visible_count(columns);
    for (int i = 0; i < count; ++i) items.push_back({columns.VisibleColumns[static_cast<std::size_t>(i)].Name, 1, false, false});
    items.push_back({"-", 0, false, true});
    items.push_back({texts.Get("Col.SortAscending"), 2, true, false});
    items.push_back({texts.Get("Col.SortDescending"), 2, false, false});
    return items;
}

int SortColumnPosition(const station::AProgramColumnsInfo& columns, const std::string& caption) {
    const std::string name = trimmed(caption);
    const int count = visible_count(columns);
    for (int i = 0; i < count; ++i) {
        if (columns.VisibleColumns[static_cast<std::size_t>(i)].Name == name) return i;
    }
    return -1;
}

} // namespace forms
