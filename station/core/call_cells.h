// How a call record shows and sorts in each column key: cell texts, comparators and the header
// operations of the call list.
#pragma once
#include <string>

#include "station/core/call_log_info.h"
#include "station/core/station_texts.h"

namespace station {

enum class ColumnAlign { Left, Center, Right };

// The text of `record` in the column with that key ("" for an unknown key).
std::string CallLogCellTextByKey(const std::string& key, const ACallLogInfo& record, const StationTexts& texts);
// The text in the column at `position` of the table of all columns (0 .. 13).
std::string CallLogCellText(int position, const ACallLogInfo& record, const StationTexts& texts);

int ColumnImageIndex(const std::string& key);
ColumnAlign ColumnAlignment(const std::string& key);
bool ColumnShowsSortArrow(const std::string& key);

// Whether records can be sorted by the key; a key without a comparator keeps the list's order.
bool HasCallLogComparator(const std::string& key);
// Negative, 0 or positive; inverted when `ascending` is false. 0 for a key without comparator.
int CompareCallLogs(const std::string& key, const ACallLogInfo& a, const ACallLogInfo& b, bool ascending);

// The last part of a relative recording path: the text after its last '\'.
std::string RecordingFileName(const std::string& wave_file_path);

} // namespace station
