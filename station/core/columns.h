// The call list's 14 columns: which are visible, in which order and how wide.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace station {

constexpr int kColumnCount = 14;
constexpr int kDefaultVisibleColumns = 10;

struct AColumnInfo {
    std::string Key;      // fixed identity, never translated
    std::string Caption;  // header text
    std::int32_t Index = 0;
    std::int32_t Width = 0;
    std::string Name;     // sort menu, column chooser, export headers
};

struct AProgramColumnsInfo {
    std::array<AColumnInfo, kColumnCount> AllColumns;
    std::array<AColumnInfo, kColumnCount> VisibleColumns;
    std::int32_t VisibleCount = 0;
};

// The built-in column at a table position (0 .. 13), and the language key of its name.
const AColumnInfo& BuiltInColumn(int position);
const char* ColumnLanguageKey(int position);

// Builds the column model from [CallColumnsInfo] of `ini_path`.
void LoadColumns(const std::string& ini_path, AProgramColumnsInfo& columns);

} // namespace station
