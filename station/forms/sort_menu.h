// The items of the main menu's sort submenu: one radio item per visible call-list column, a
// separator, then ascending and descending.
#pragma once
#include <string>
#include <vector>

#include "station/core/columns.h"
#include "station/core/station_texts.h"

namespace forms {

struct SortMenuItem {
    std::string Caption;
    int Group = 0;           // 1 the columns, 2 the direction; 0 the separator
    bool Checked = false;
    bool Separator = false;
};

std::vector<SortMenuItem> BuildSortMenuItems(const station::AProgramColumnsInfo& columns,
                                             const station::StationTexts& texts);

// The position of the first visible column named `caption` (surrounding blanks ignored), or -1.
int SortColumnPosition(const station::AProgramColumnsInfo& columns, const std::string& caption);

} // namespace forms
