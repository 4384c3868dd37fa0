// One step of a device's transfer state machine, made by every main-timer tick.
#include "platform/files.h"
#include "station/core/date_time_text.h"
#include "station/core/engine/call_record_row.h"
#include "station/core/engine/device_texts.h"
#include "station/core/engine/download_journal.h"
#include "station/core/engine/local_date_time.h"
#include "station/core/engine/local_file_name.h"
#include "station/core/engine/stored_recording.h"
#include "station/core/engine/time_window.h"
#include "station/core/engine/transfer_engine.h"
#include "station/core/recording_lookup.h"
#include "station/core/save_paths.h"
#include "station/core/station_log.h"

namespace station {
namespace {

bool seconds_passed(ABoardInfo& b, int seconds) {
    const double now = NowDateTime();
    if (now < b.StateTime) b.StateTime = now;  // the clock was set back: wait from now
    return DateTimeToUnixSeconds(now) - DateTimeToUnixSeconds(b.StateTime) >= seconds;
}

bool five_seconds_passed(ABoardInfo& b) { return seconds_passed(b, TransferEngine::kWaitSeconds); }

void wait_again(ABoardInfo& b) {
    b.StateTime = NowDateTime();
    b.State = StateWaiting;
}

} // namespace

bool TransferEngine::IsInTimeWindow() const {
    return station::IsInTimeWindow(globals_.Settings, FormatTimeOfDay(plat::local_now()));
}

void TransferEngine::StepBoardTransfer(int index) {
    if (index < 0 || index >= globals_.DeviceCount) return;
    ABoardInfo& b = boards_[index];
    // A paused device may still be logged in for a moment (or, when devices connect to the
    // station, again): it is asked nothing until it is put back in use.
    if (b.Connected != 1 || !b.Enabled) return;
    switch (b.State) {
    case StateNull:
        // Fetching switched on while this device was cancelling or away: it waits like the rest
        // instead of staying idle until fetching is switched off and on again.
        if (b.FTPRunning == 1) b.State = StateWaiting;
        break;
    case StateWaiting:
        if (b.FTPRunning == 0) {
            b.State = StateNull;
        } else if (IsInTimeWindow() && five_seconds_passed(b)) {
            b.State = StateQueryNewFile;
        }
        break;
    case StateQueryNewFile:
        b.State = library_.query_newfile(index, b.TransferId) == 0 ? StateWaitingQueryResult : StateWaiting;
        b.StateTime = NowDateTime();
        break;
    case StateWaitingQueryResult:
        if (five_seconds_passed(b)) wait_again(b);
        break;
    case StateFTPStart:
        // Left in its state when the poll has started enough, or while the row of the device's
        // last download is still being stored: a later poll starts it.
        if (starts_left_ > 0 && !row_in_flight(index)) {
            --starts_left_;
            start_download(index);
        }
        break;
    case StateFTPProcessing: {
        int bytes = 0;
        if (library_.get_upload_progress(index, &bytes, nullptr) == 0 && bytes != b.BytesReceived) {
            b.BytesReceived = bytes;
            b.StateTime = NowDateTime();  // the wait for a stalled download counts from here
        } else if (seconds_passed(b, kStalledSeconds)) {
            look_after_stalled_download(index);
        }
        break;
    }
    case StateFTPStop:
        library_.uploadfile_terminate_async(index);
        b.StateTime = NowDateTime();
        b.State = StateNull;
        break;
    case StateFTPFinished:
        b.FileName.clear();
        b.DBIndex = -1;
        wait_again(b);
        break;
    default:
        break;
    }
}

std::int32_t TransferEngine::CountInARow(std::int32_t& count, std::int32_t& counted_index, std::int32_t db_index) {
    if (counted_index == db_index) {
        ++count;
    } else {
        counted_index = db_index;
        count = 1;
    }
    return count;
}

void TransferEngine::skip_file(int index, const std::string& reason_line) {
    const ABoardInfo& b = boards_[index];
    library_.ignore_uploadfile(index, b.FileName.c_str(), b.DBIndex, b.TransferId);
    log(reason_line, LogError);
}

void TransferEngine::count_open_failure(int index) {
    ABoardInfo& b = boards_[index];
    if (CountInARow(b.OpenErrorCount, b.OpenErrorIndex, b.DBIndex) >= kOpenFailuresBeforeSkip) {
        skip_file(index, FormatFixed("Ignore File %s, cause: open err", {PrintableText(b.FileName)}));
    }
}

void TransferEngine::start_download(int index) {
    ABoardInfo& b = boards_[index];
    if (b.FileSize <= 0 || b.FileName.empty() || b.DBIndex < 0) {
        if (b.DBIndex >= 0) {
            skip_file(index, FormatFixed("Ignore File %s, filesize %d", {PrintableText(b.FileName), b.FileSize}));
        }
        wait_again(b);
        return;
    }
    // The name comes from the device: it must stay one path component below the date folder,
    // and a name this workstation cannot hold is skipped rather than requested under another.
    if (!IsStorableName(b.FileName)) {
        skip_file(index, FormatFixed("Ignore File %s, cause: a name that cannot be stored", {PrintableText(b.FileName)}));
        wait_again(b);
        return;
    }
    // The library files an answer without a date under its default day; a date that is no
    // folder name goes there too, and the row then names the folder really used.
    const std::string date = IsDateFolderName(b.DateFolder) ? b.DateFolder : std::string(kDefaultDateFolder);
    const std::string local_name = LocalFileName(b.FileName);
    // The download before this one never reported its end (its session closed after the
    // device was told it was done): its file may be complete without its row.
    if (!b.RowPath.empty()) settle_unended_download(index);

    const std::string base = device_folder_of(b);
    const std::string folder = base + "\\" + date;
    if (!plat::force_directories(folder)) {
        // Never fall back to a bare name: that would write into whatever the current folder is.
        const std::string failed = plat::directory_exists(base) ? folder : base;
        log(globals_.Texts.Format("Log.CreateFolderFail", {failed}), LogError);
        count_open_failure(index);
        wait_again(b);
        return;
    }
    const std::string local_path = folder + "\\" + local_name;
    b.RowPath = b.FolderName + "\\" + date + "\\" + local_name;
    if (local_name != b.FileName) {
        log(FormatFixed("File %s is stored as %s", {PrintableText(b.FileName), PrintableText(local_name)}), LogReminder);
    }
    // A recording complete on disk is skipped by the library's start; when the station stopped
    // before its row was stored, the row comes from the file first.
    if (plat::file_exists(local_path) && !ensure_row_of_stored_file(index, local_path)) {
        b.RowPath.clear();
        wait_again(b);
        return;
    }

    const int result = library_.start_uploadfile(index, b.FileName.c_str(), b.FileSize, nullptr, local_path.c_str(),
                                                 b.TransferId, b.DBIndex, 1);
    switch (result) {
    case 0:
        NoteDownload(base, b.RowPath);
        b.StateTime = NowDateTime();
        b.State = StateFTPProcessing;
        return;
    case -11:
        skip_file(index, FormatFixed("Ignore File %s, cause: too big (%d)", {PrintableText(b.FileName), b.FileSize}));
        break;
    case -5:
    case -6:  // working files of that name that are not the library's: they stay, the file is not fetched
        count_open_failure(index);
        break;
    default:
        break;  // 1: the file is here already and the library has told the device to skip it
    }
    b.RowPath.clear();
    wait_again(b);
}

std::string TransferEngine::device_folder_of(const ABoardInfo& b) const {
    return WithSeparator(SaveBase(globals_)) + b.FolderName;
}

std::string TransferEngine::local_path_of(const ABoardInfo& b) const {
    return WithSeparator(SaveBase(globals_)) + b.RowPath;
}

void TransferEngine::end_download_record(int index) {
    // A gathered row of this device waits for its note: the note goes after the row.
    store_rows();
    ABoardInfo& b = boards_[index];
    b.RowPath.clear();
    // A row of the device still being stored has that note: its report removes it.
    if (!row_in_flight(index)) ForgetDownload(device_folder_of(b));
}

void TransferEngine::recover_noted_download(int index) {
    store_rows();  // a gathered row's note is not an unfinished download
    if (row_in_flight(index)) return;  // nor is the note of a row being stored
    ABoardInfo& b = boards_[index];
    const std::string noted = NotedDownload(device_folder_of(b));
    if (noted.empty()) return;
    // The note is read back from disk: it must still name a file of this device's folder.
    const std::string own_folder = b.FolderName + "\\";
    if (noted.compare(0, own_folder.size(), own_folder) != 0 || !IsStorableName(plat::extract_file_name(noted))) {
        ForgetDownload(device_folder_of(b));
        return;
    }
    b.RowPath = noted;
    settle_unended_download(index);
}

void TransferEngine::settle_unended_download(int index) {
    ABoardInfo& b = boards_[index];
    const std::string local_path = local_path_of(b);
    if (FinishCompleteDownload(local_path) && !ensure_row_of_stored_file(index, local_path)) {
        b.RowPath.clear();
        return;  // the database cannot tell now: the note waits for the next login
    }
    end_download_record(index);
}

bool TransferEngine::ensure_row_of_stored_file(int index, const std::string& local_path) {
    ABoardInfo& b = boards_[index];
    if (!count_call_logs_) return true;
    store_rows();  // so that the count sees the rows gathered
    // Rows handed to the sink and not yet reported are not in the database's count yet.
    const int in_flight = rows_in_flight_with_path(b.RowPath);
    const int rows = in_flight > 0 ? in_flight : count_call_logs_(b.RowPath);
    if (rows < 0) {
        log(FormatFixed("error: cannot tell whether %s has its call record stored", {PrintableText(b.RowPath)}),
            LogError);
        return false;
    }
    if (rows > 0) {
        end_download_record(index);
        return true;
    }
    ftp_callinfo info{};
    if (!ReadEmbeddedCallInfo(local_path, info)) {
        log(FormatFixed("[%s] %s - %s", {b.IPAddress, globals_.Texts.Get("Log.DownloadSuccButNoRecord"),
                                         PrintableText(b.FileName)}),
            LogReminder);
        end_download_record(index);
        return true;
    }
    const CallRowResult call = CallLogFromCallInfo(info);
    if (call.bad_caller_id) log("found bad info in callerid", LogReminder);
    log(FormatFixed("call record of %s stored from the file", {PrintableText(b.RowPath)}), LogReminder);
    insert_row(index, call.row, PrintableText(CallInfoFileName(info)));
    return true;
}

void TransferEngine::look_after_stalled_download(int index) {
    ABoardInfo& b = boards_[index];
    log(FormatFixed("Transfer of %s shows no progress for %d s", {PrintableText(b.FileName), kStalledSeconds}),
        LogError);
    if (!b.RowPath.empty() && plat::file_exists(local_path_of(b))) {
        // The library finished and renamed the file, but its end never reached the station.
        if (!ensure_row_of_stored_file(index, local_path_of(b))) {
            b.StateTime = NowDateTime();
            return;
        }
        b.State = StateFTPFinished;
        return;
    }
    // Cancelled, both working files stay: the next offer of the file resumes it.
    library_.uploadfile_terminate_async(index);
    end_download_record(index);
    wait_again(b);
}

} // namespace station
