// The column chooser's list: every call-list column once, the visible ones first (ticked) in
// their order, then the hidden ones; each with its width.
#pragma once
#include <string>
#include <vector>

#include "station/core/columns.h"

namespace station {

struct ChooserEntry {
    std::string Name;
    int Position = 0;  // the column's place in the full table: its identity
    bool Ticked = false;
    int Width = 0;
};

enum class ChooserAccept { NoColumnTicked, Accepted };

constexpr int kMinColumnWidth = 20;
constexpr int kMaxColumnWidth = 2000;

class ColumnChooserModel {
public:
    // Fills the list from the visible table. Hidden columns are appended to the visible table
    // after its visible entries (the visible count stays), as the list shows them.
    void Fill(AProgramColumnsInfo& columns);
    // The full table in its order, the first ten ticked, default widths.
    void Reset(const AProgramColumnsInfo& columns);

    const std::vector<ChooserEntry>& Entries() const { return entries_; }
    int Selected() const { return selected_; }
    void Select(int entry);
    bool CanMoveUp() const { return selected_ > 0; }
    bool CanMoveDown() const { return selected_ >= 0 && selected_ + 1 < static_cast<int>(entries_.size()); }

    void MoveUp();
    void MoveDown();
    void Show() { set_ticked(true); }
    void Hide() { set_ticked(false); }
    void SetTicked(int entry, bool ticked);
    // The width text of the selected entry: digits only; an empty text leaves the width. The
    // width is held within kMinColumnWidth .. kMaxColumnWidth.
    void SetWidthText(const std::string& text);

    // Writes the ticked entries into the visible table. `changed` tells whether the columns
    // (number or order, not widths) differ from the ones visible before.
    ChooserAccept Accept(AProgramColumnsInfo& columns, bool& changed) const;

private:
    void set_ticked(bool ticked);
    std::vector<ChooserEntry> entries_;
    int selected_ = -1;
};

// [CallColumnsInfo] of Velquist.ini: TotalColumnsNum, Column<n> and Column<n>Width for the
// visible columns; keys of higher numbers stay.
void SaveColumns(const std::string& ini_path, const AProgramColumnsInfo& columns);

} // namespace station
