// Taking selected calls out of the station: their records as a text file, one recording saved
// under a chosen name, or the recordings of many calls copied into a folder tree.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "station/core/call_log_info.h"
#include "station/core/columns.h"
#include "station/core/search/recording_files.h"
#include "station/core/search/station_prompts.h"
#include "station/core/station_texts.h"

namespace station {

using LogWriter = std::function<void(const std::string& message, int level)>;

// The header of the visible columns' names and one line per record, comma-joined, each line
// ended by CR LF; fields are written as they are.
std::string CallRecordsText(const AProgramColumnsInfo& columns, const std::vector<ACallLogInfo>& records,
                            const StationTexts& texts);

// Asks for the file, confirms an overwrite and writes the text (whatever the extension).
// False when cancelled, declined or not written; a file that cannot be written is told in the
// message box and the log with its path and the system's reason, and no part of it is left.
bool ExportCallRecords(const std::vector<ACallLogInfo>& records, const AProgramColumnsInfo& columns,
                       const StationTexts& texts, IFileDialogs& dialogs, IStationPrompts& prompts,
                       IRecordingFiles& files, const LogWriter& log);

// One recording under a chosen name; true when copied.
bool SaveRecordingAs(const ACallLogInfo& record, const StationTexts& texts, IFileDialogs& dialogs,
                     IStationPrompts& prompts, IRecordingFiles& files);

struct CopySummary {
    int copied = 0;
    int not_copied = 0;
    std::string text;  // empty when the folder choice was cancelled
};

// Copies each record's recording to <folder>\<its stored relative path>, asking about existing
// targets (yes / no / yes to all / no to all), then logs and shows the summary.
CopySummary CopyRecordings(const std::vector<ACallLogInfo>& records, const StationTexts& texts,
                           IFileDialogs& dialogs, IStationPrompts& prompts, IRecordingFiles& files,
                           const LogWriter& log);

} // namespace station
