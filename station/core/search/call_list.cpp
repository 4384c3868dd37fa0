#include "station/core/search/call_list.h"

#include <algorithm>

#include "station/core/call_cells.h"
#include "station/core/gbk_literal.h"

namespace station {

ListCell CallListCell(const std::string& key, const ACallLogInfo& r, const StationTexts& texts) {
    ListCell cell{CallLogCellTextByKey(key, r, texts), -1};
    if (key == Gbk(u8"方向")) {
        switch (r.CallType) {
        case kCallTypeIn: cell.image = 3; break;
        case kCallTypeOut: cell.image = 2; break;
        case kCallTypeMissed: cell.image = 4; break;
        default: cell.image = 5; break;
        }
    } else if (key == Gbk(u8"振铃次数") && r.Rings <= 0) {
        cell.text.clear();
    }
    return cell;
}

int SortHeaderImage(int column, int sorted_column, bool ascending) {
    if (column != sorted_column) return -1;
    return ascending ? 0 : 1;
}

CallList::CallList(const StationTexts& texts) : texts_(texts), status_format_(texts.Get("Msg.TotalRecord")) {
    ascending_.fill(true);
}

void CallList::Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    records_.clear();
}

int CallList::Search(ICallLogStore& store, const calldb::SearchConditions& conditions) {
    Clear();
    ascending_.fill(true);
    std::vector<ACallLogInfo> found;
    store.SearchCallLogs(conditions, found);  // a failure keeps what was read
    std::lock_guard<std::mutex> guard(lock_);
    records_ = std::move(found);
    return Count();
}

std::string CallList::StatusText() const {
    const std::vector<FormatArg> args{FormatArg(Count())};
    if (auto text = TryFormat(status_format_, args)) return *text;
    return texts_.Format("Msg.TotalRecord", args);
}

bool CallList::SortAscending(int column) const {
    return column >= 0 && column < kSortSlots ? ascending_[static_cast<std::size_t>(column)] : true;
}

void CallList::SetSortAscending(int column, bool ascending) {
    if (column >= 0 && column < kSortSlots) ascending_[static_cast<std::size_t>(column)] = ascending;
}

bool CallList::SortByColumn(int column, const std::string& key, bool from_click) {
    if (from_click) SetSortAscending(column, !SortAscending(column));
    const bool ascending = SortAscending(column);
    if (!HasCallLogComparator(key)) return ascending;
    std::lock_guard<std::mutex> guard(lock_);
    std::sort(records_.begin(), records_.end(), [&](const ACallLogInfo& a, const ACallLogInfo& b) {
        return CompareCallLogs(key, a, b, ascending) < 0;
    });
    return ascending;
}

DeleteOutcome CallList::DeleteRows(const std::vector<int>& rows, ICallLogStore& store, IRecordingFiles& files,
                                   const std::function<void(const std::string&)>& release,
                                   const std::function<bool(const std::string&)>& confirm) {
    DeleteOutcome outcome;
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<int> gone;
    for (int row : rows) {
        if (row < 0 || row >= Count()) continue;
        const ACallLogInfo& r = records_[static_cast<std::size_t>(row)];
        const bool has_file = r.CallType != kCallTypeMissed;
        const RecordingLocation where = has_file ? files.Locate(r.WaveFilePath) : RecordingLocation{};
        // Two devices' files under one old path: which one is this call's cannot be told, so
        // neither is deleted, and the row goes only when the operator agrees.
        if (where.ambiguous() &&
            !(confirm && confirm(texts_.Format("Log.ConfirmDelAmbiguous", {r.WaveFilePath, where.path, where.other})))) {
            continue;
        }
        if (!store.DeleteCallLog(r)) continue;
        ++outcome.rows_deleted;
        gone.push_back(row);
        if (where.path.empty() || where.ambiguous()) continue;
        if (release) release(where.path);
        if (files.Remove(where.path)) ++outcome.files_deleted;
    }
    std::sort(gone.begin(), gone.end());
    gone.erase(std::unique(gone.begin(), gone.end()), gone.end());
    for (auto it = gone.rbegin(); it != gone.rend(); ++it) records_.erase(records_.begin() + *it);
    return outcome;
}

int CallList::AdjacentPlayableRow(int from, int step) const {
    if (step == 0) return -1;
    for (int i = from + step; i >= 0 && i < Count(); i += step) {
        if (records_[static_cast<std::size_t>(i)].CallType != kCallTypeMissed) return i;
    }
    return -1;
}

} // namespace station
