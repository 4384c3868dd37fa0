// The search view's call list without its window: the records of the last search, their cell
// texts, the per-column sort directions and the delete of records with their recordings.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "station/core/call_log_info.h"
#include "station/core/columns.h"
#include "station/core/database/search_query.h"
#include "station/core/search/call_store.h"
#include "station/core/search/recording_files.h"
#include "station/core/station_texts.h"

namespace station {

constexpr int kCallTypeIn = 0, kCallTypeOut = 1, kCallTypeMissed = 2;

struct ListCell {
    std::string text;
    int image = -1;  // of the list's small images; -1 none
};

// A list cell: as the export's text, except the direction's image and a ring count of 0 shown empty.
ListCell CallListCell(const std::string& key, const ACallLogInfo& record, const StationTexts& texts);

// The header image of list column `column` after a sort by `sorted_column`.
int SortHeaderImage(int column, int sorted_column, bool ascending);

struct DeleteOutcome {
    int rows_deleted = 0;   // rows the database confirmed gone
    int files_deleted = 0;
};

class CallList {
public:
    static constexpr int kSortSlots = 31;

    explicit CallList(const StationTexts& texts);

    // Held while the records are cleared, sorted, shrunk or read for a dialog.
    std::mutex& Lock() { return lock_; }
    const std::vector<ACallLogInfo>& Records() const { return records_; }
    std::vector<ACallLogInfo>& Records() { return records_; }
    int Count() const { return static_cast<int>(records_.size()); }

    void Clear();
    // Clears, resets every sort direction to ascending and runs the search. A database that
    // cannot be opened leaves the list empty; the rows read before a failed read stay.
    int Search(ICallLogStore& store, const calldb::SearchConditions& conditions);

    void SetStatusFormat(std::string format) { status_format_ = std::move(format); }
    std::string StatusText() const;

    bool SortAscending(int column) const;
    void SetSortAscending(int column, bool ascending);
    // Sorts by the column at list position `column` with key `key`; a click flips the direction
    // first. Returns the direction used. A key without a comparator keeps the order.
    bool SortByColumn(int column, const std::string& key, bool from_click);

    // Deletes the rows (ascending indices). Each row's database row goes first; only a
    // confirmed delete removes the recording (after `release` let go of a file being played)
    // and the row. Rows whose delete failed stay in the list. A row whose old path matches two
    // files is deleted only when `confirm` agrees to the question naming both, and neither
    // file is removed.
    DeleteOutcome DeleteRows(const std::vector<int>& rows, ICallLogStore& store, IRecordingFiles& files,
                             const std::function<void(const std::string&)>& release,
                             const std::function<bool(const std::string&)>& confirm);

    // The first row after (step 1) or before (step -1) `from` that is not a missed call; -1 none.
    int AdjacentPlayableRow(int from, int step) const;

private:
    const StationTexts& texts_;
    std::mutex lock_;
    std::vector<ACallLogInfo> records_;
    std::array<bool, kSortSlots> ascending_;
    std::string status_format_;
};

} // namespace station
