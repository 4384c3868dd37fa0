#include "station/core/search/record_export.h"

#include <algorithm>

#include "platform/files.h"
#include "station/core/call_cells.h"

namespace station {
namespace {

constexpr int kLogReminder = 2;
constexpr int kLogError = 4;

// Deletes an existing target after the user agreed; false when the user declined.
bool clear_target(const std::string& path, const StationTexts& texts, IStationPrompts& prompts,
                  IRecordingFiles& files) {
    if (!files.Exists(path)) return true;
    if (!prompts.Confirm(texts.Format("Log.ConfirmOverwrite", {path}))) return false;
    files.Remove(path);
    return true;
}

} // namespace

std::string CallRecordsText(const AProgramColumnsInfo& columns, const std::vector<ACallLogInfo>& records,
                            const StationTexts& texts) {
    const int visible = std::max(0, std::min(columns.VisibleCount, kColumnCount));
    std::string out;
    for (int c = 0; c < visible; ++c) {
        if (c) out += ",";
        out += columns.VisibleColumns[static_cast<std::size_t>(c)].Name;
    }
    out += "\r\n";
    for (const ACallLogInfo& r : records) {
        for (int c = 0; c < visible; ++c) {
            if (c) out += ",";
            out += CallLogCellText(columns.VisibleColumns[static_cast<std::size_t>(c)].Index, r, texts);
        }
        out += "\r\n";
    }
    return out;
}

bool ExportCallRecords(const std::vector<ACallLogInfo>& records, const AProgramColumnsInfo& columns,
                       const StationTexts& texts, IFileDialogs& dialogs, IStationPrompts& prompts,
                       IRecordingFiles& files, const LogWriter& log) {
    if (records.empty()) return false;
    std::string path = "Call Log";
    if (!dialogs.SaveFile(texts.Get("Filter.ExportRecords"), "dat", path)) return false;
    if (!clear_target(path, texts, prompts, files)) return false;
    // The dialog's default type ".dat" gets the same text as the others: ending there would
    // delete a confirmed file and leave nothing in its place.
    if (!plat::write_whole_file(path, CallRecordsText(columns, records, texts))) {
        const std::string reason = plat::last_file_error_text();
        // Part of the records would pass for all of them.
        plat::remove_file(path);
        const std::string told = texts.Format("Log.ExportRecordsFail", {path, reason});
        if (log) log(told, kLogError);
        prompts.Message(texts.Get("MsgBox.Error"), told);
        return false;
    }
    if (log) log(texts.Format("Log.ExportRecordsEnd", {static_cast<int>(records.size())}), kLogReminder);
    return true;
}

bool SaveRecordingAs(const ACallLogInfo& record, const StationTexts& texts, IFileDialogs& dialogs,
                     IStationPrompts& prompts, IRecordingFiles& files) {
    const RecordingLocation where = files.Locate(record.WaveFilePath);
    if (where.path.empty()) {
        prompts.Message(texts.Get("MsgBox.Error"), texts.Format("Log.CantFindFile", {record.WaveFilePath}));
        return false;
    }
    if (where.ambiguous()) {  // never copy another device's recording by guess
        prompts.Message(texts.Get("MsgBox.Error"),
                        texts.Format("Log.AmbiguousFile", {record.WaveFilePath, where.path, where.other}));
        return false;
    }
    const std::string& source = where.path;
    std::string path = plat::extract_file_name(source);
    if (!dialogs.SaveFile("Windows Wav File(*.wav)|*.wav", "wav", path)) return false;
    if (!clear_target(path, texts, prompts, files)) return false;
    return files.Copy(source, path);
}

CopySummary CopyRecordings(const std::vector<ACallLogInfo>& records, const StationTexts& texts,
                           IFileDialogs& dialogs, IStationPrompts& prompts, IRecordingFiles& files,
                           const LogWriter& log) {
    CopySummary summary;
    if (records.empty()) return summary;
    std::string folder;
    if (!dialogs.BrowseFolder(texts.Get("Log.SelectPathToSave"), folder)) return summary;
    if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) folder += "\\";

    bool yes_to_all = false, no_to_all = false;
    auto fail = [&](const std::string& message) {
        ++summary.not_copied;
        if (log) log(message, kLogError);
    };
    for (const ACallLogInfo& r : records) {
        const RecordingLocation where = files.Locate(r.WaveFilePath);
        if (where.path.empty()) {
            fail(texts.Format("Log.CantFindFile", {RecordingFileName(r.WaveFilePath)}));
            continue;
        }
        if (where.ambiguous()) {
            fail(texts.Format("Log.AmbiguousFile", {r.WaveFilePath, where.path, where.other}));
            continue;
        }
        const std::string& source = where.path;
        // Located means the stored path is plain and relative: it cannot leave the folder.
        const std::string target = folder + r.WaveFilePath;
        const std::string target_dir = plat::extract_file_dir(target);
        if (!files.ForceFolder(target_dir)) {
            fail(texts.Format("Log.CreateFolderFail", {target_dir}));
            continue;
        }
        if (files.Exists(target)) {
            bool overwrite = yes_to_all;
            if (!yes_to_all && !no_to_all) {
                switch (prompts.MultiConfirm(texts.Format("Log.ConfirmOverwrite", {target}))) {
                case MultiAnswer::Yes: overwrite = true; break;
                case MultiAnswer::YesToAll: overwrite = yes_to_all = true; break;
                case MultiAnswer::NoToAll: no_to_all = true; break;
                case MultiAnswer::No: case MultiAnswer::Closed: break;
                }
            }
            if (!overwrite) {
                ++summary.not_copied;
                continue;
            }
            files.Remove(target);
        }
        if (files.Copy(source, target)) {
            ++summary.copied;
        } else {
            fail(texts.Format("Log.CopyFileFail", {RecordingFileName(source)}));
        }
    }
    summary.text = summary.not_copied > 0
        ? texts.Format("Log.ExportFilesEnd2", {summary.copied + summary.not_copied, summary.copied})
        : texts.Format("Log.ExportFilesEnd1", {summary.copied});
    if (log) log(summary.text, kLogReminder);
    prompts.Message(texts.Get("MsgBox.Alerting"), summary.text);
    return summary;
}

} // namespace station
