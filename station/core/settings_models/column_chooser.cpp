#include "station/core/settings_models/column_chooser.h"

#include <algorithm>
#include <utility>

#include "platform/ini_file.h"

namespace station {

namespace {

bool is_visible_position(const AProgramColumnsInfo& c, int position) {
    for (int j = 0; j < c.VisibleCount; ++j)
        if (c.VisibleColumns[static_cast<std::size_t>(j)].Index == position) return true;
    return false;
}

} // namespace

void ColumnChooserModel::Fill(AProgramColumnsInfo& c) {
    c.VisibleCount = std::clamp(c.VisibleCount, 0, kColumnCount);
    int next = c.VisibleCount;
    for (int p = 0; p < kColumnCount && next < kColumnCount; ++p) {
        if (is_visible_position(c, p)) continue;
        c.VisibleColumns[static_cast<std::size_t>(next++)] = c.AllColumns[static_cast<std::size_t>(p)];
    }
    entries_.clear();
    for (int j = 0; j < kColumnCount; ++j) {
        const AColumnInfo& v = c.VisibleColumns[static_cast<std::size_t>(j)];
        entries_.push_back({v.Name, std::clamp(v.Index, 0, kColumnCount - 1), j < c.VisibleCount, v.Width});
    }
    selected_ = 0;
}

void ColumnChooserModel::Reset(const AProgramColumnsInfo& c) {
    entries_.clear();
    for (int p = 0; p < kColumnCount; ++p)
        entries_.push_back({c.AllColumns[static_cast<std::size_t>(p)].Name, p, p < kDefaultVisibleColumns,
                            BuiltInColumn(p).Width});
    selected_ = 0;
}

void ColumnChooserModel::Select(int entry) {
    selected_ = entry >= 0 && entry < static_cast<int>(entries_.size()) ? entry : -1;
}

void ColumnChooserModel::MoveUp() {
    if (!CanMoveUp()) return;
    std::swap(entries_[static_cast<std::size_t>(selected_)], entries_[static_cast<std::size_t>(selected_ - 1)]);
    --selected_;
}

void ColumnChooserModel::MoveDown() {
    if (!CanMoveDown()) return;
    std::swap(entries_[static_cast<std::size_t>(selected_)], entries_[static_cast<std::size_t>(selected_ + 1)]);
    ++selected_;
}

void ColumnChooserModel::SetTicked(int entry, bool ticked) {
    if (entry >= 0 && entry < static_cast<int>(entries_.size())) entries_[static_cast<std::size_t>(entry)].Ticked = ticked;
}

void ColumnChooserModel::set_ticked(bool ticked) { SetTicked(selected_, ticked); }

void ColumnChooserModel::SetWidthText(const std::string& text) {
    if (selected_ < 0 || text.empty()) return;
    // The edit lets only digits through; a pasted text that is not a width leaves it.
    long long width = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') return;
        width = std::min<long long>(width * 10 + (ch - '0'), kMaxColumnWidth);
    }
    // A column of 0 pixels could not be found again to widen it; one wider than any screen
    // pushes the rest out of reach.
    entries_[static_cast<std::size_t>(selected_)].Width =
        static_cast<int>(std::clamp<long long>(width, kMinColumnWidth, kMaxColumnWidth));
}

ChooserAccept ColumnChooserModel::Accept(AProgramColumnsInfo& c, bool& changed) const {
    std::vector<AColumnInfo> chosen;
    for (const ChooserEntry& e : entries_) {
        if (!e.Ticked) continue;
        AColumnInfo column = c.AllColumns[static_cast<std::size_t>(e.Position)];
        column.Width = e.Width;
        chosen.push_back(std::move(column));
    }
    changed = false;
    if (chosen.empty()) return ChooserAccept::NoColumnTicked;
    const int count = static_cast<int>(chosen.size());
    changed = count != c.VisibleCount;
    for (int j = 0; j < count && !changed; ++j)
        changed = chosen[static_cast<std::size_t>(j)].Index != c.VisibleColumns[static_cast<std::size_t>(j)].Index;
    for (int j = 0; j < count; ++j) c.VisibleColumns[static_cast<std::size_t>(j)] = chosen[static_cast<std::size_t>(j)];
    c.VisibleCount = count;
    return ChooserAccept::Accepted;
}

void SaveColumns(const std::string& ini_path, const AProgramColumnsInfo& c) {
    const char* section = "CallColumnsInfo";
    plat::ini_write_string(ini_path, section, "TotalColumnsNum", std::to_string(c.VisibleCount));
    for (int j = 1; j <= c.VisibleCount; ++j) {
        const AColumnInfo& v = c.VisibleColumns[static_cast<std::size_t>(j - 1)];
        plat::ini_write_string(ini_path, section, "Column" + std::to_string(j), std::to_string(v.Index));
        plat::ini_write_string(ini_path, section, "Column" + std::to_string(j) + "Width", std::to_string(v.Width));
    }
}

} // namespace station
