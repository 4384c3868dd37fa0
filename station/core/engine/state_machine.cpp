// One step of a device's transfer state machine, made by every main-timer tick.
#include "platform/files.h"
#include "station/core/date_time_text.h"
#include "station/core/engine/device_texts.h"
#include "station/core/engine/local_date_time.h"
#include "station/core/engine/time_window.h"
#include "station/core/engine/transfer_engine.h"
#include "station/core/save_paths.h"
#include "station/core/station_log.h"

namespace station {
namespace {

bool five_seconds_passed(ABoardInfo& b) {
    const double now = NowDateTime();
    if (now < b.StateTime) b.StateTime = now;  // the clock was set back: wait from now
    return DateTimeToUnixSeconds(now) - DateTimeToUnixSeconds(b.StateTime) >= TransferEngine::kWaitSeconds;
}

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
        start_download(index);
        break;
    case StateFTPProcessing: {
        int bytes = 0;
        if (library_.get_upload_progress(index, &bytes, nullptr) == 0) b.BytesReceived = bytes;
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

void TransferEngine::skip_file(int index, const std::string& reason_line) {
    const ABoardInfo& b = boards_[index];
    library_.ignore_uploadfile(index, b.FileName.c_str(), b.DBIndex, b.TransferId);
    log(reason_line, LogError);
}

void TransferEngine::count_open_failure(int index) {
    ABoardInfo& b = boards_[index];
    if (b.OpenErrorIndex == b.DBIndex) {
        ++b.OpenErrorCount;
    } else {
        b.OpenErrorIndex = b.DBIndex;
        b.OpenErrorCount = 1;
    }
    if (b.OpenErrorCount >= kOpenFailuresBeforeSkip) {
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
    // The name and the date folder come from the device: they must stay single path components
    // below the device's folder.
    if (!IsPlainName(b.FileName) || !IsDateFolderName(b.DateFolder)) {
        skip_file(index, FormatFixed("Ignore File %s, cause: bad name or date folder (%s)",
                                     {PrintableText(b.FileName), PrintableText(b.DateFolder)}));
        wait_again(b);
        return;
    }

    const std::string base = globals_.Settings.LocalPath
                                 ? globals_.DataDir + "\\" + b.FolderName
                                 : WithSeparator(globals_.Settings.UserSavePathResolved) + b.FolderName;
    const std::string folder = base + "\\" + b.DateFolder;
    if (!plat::force_directories(folder)) {
        // Never fall back to a bare name: that would write into whatever the current folder is.
        const std::string failed = plat::directory_exists(base) ? folder : base;
        log(globals_.Texts.Format("Log.CreateFolderFail", {failed}), LogError);
        count_open_failure(index);
        wait_again(b);
        return;
    }
    const std::string local_path = folder + "\\" + b.FileName;

    const int result = library_.start_uploadfile(index, b.FileName.c_str(), b.FileSize, nullptr, local_path.c_str(),
                                                 b.TransferId, b.DBIndex, 1);
    switch (result) {
    case 0:
        b.StateTime = NowDateTime();
        b.State = StateFTPProcessing;
        return;
    case -11:
        skip_file(index, FormatFixed("Ignore File %s, cause: too big (%d)", {PrintableText(b.FileName), b.FileSize}));
        break;
    case -5:
        count_open_failure(index);
        break;
    default:
        break;  // 1: the file is here already and the library has told the device to skip it
    }
    wait_again(b);
}

} // namespace station
