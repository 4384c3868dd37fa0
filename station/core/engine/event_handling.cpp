// The library's events: taken by the main timer's poll, each one updates the device table and
// may move the device's transfer state.
#include "platform/text_gbk.h"
#include "station/core/engine/call_record_row.h"
#include "station/core/engine/device_texts.h"
#include "station/core/engine/download_journal.h"
#include "station/core/engine/local_date_time.h"
#include "station/core/engine/transfer_engine.h"
#include "station/core/station_log.h"

namespace station {

void TransferEngine::HandleLibraryEvent(const ftp_event& event) {
    if (event.device < 0 || event.device >= kMaxBoards) return;
    const int index = event.device;
    switch (event.code) {
    case EVT_FTP_LOGIN_SUCC: on_login_succeeded(index); break;
    case EVT_FTP_DISCONNECT: on_connection_ended(index, "Log.DevDisconnected"); break;
    // The device ending its own session leaves it just as disconnected as a lost connection.
    case EVT_FTP_DEV_LOGOUT: on_connection_ended(index, "Log.DevLogoutFinished"); break;
    case EVT_FTP_LOGIN_FAIL: on_login_failed(index, event.p1); break;
    case EVT_FTP_DEVCONN_REQ: on_connection_request(event); break;
    case EVT_FTP_NEWFILE_INFO: on_new_file(index, event); break;
    case EVT_FTP_TRANSFER_END: on_transfer_end(index, event.p1); break;
    default: break;
    }
}

void TransferEngine::on_login_succeeded(int index) {
    ABoardInfo& b = boards_[index];
    const int n = index + 1;
    log(globals_.Texts.Format("Log.LoginSucc", {n, b.IPAddress}), LogMessage);
    std::string text;
    if (read_text_param(index, BD_PARAM_IPADDR, text)) b.IPAddress = text;
    b.Serial.clear();
    if (read_text_param(index, BD_PARAM_SERIAL, text)) b.Serial = text;
    // A device that was not logged in when the table was filled reported no channels then.
    std::int32_t channels = 0;
    if (read_int_param(index, BD_PARAM_CHANCOUNT, channels)) b.ChanCount = channels;
    // The serial is the device's own text: it names a folder only once it is a plain name.
    const std::string serial_folder = CleanFolderName(b.Serial);
    if (!b.SaveFolder.empty()) {
        b.FolderName = b.SaveFolder;
    } else if (!serial_folder.empty()) {
        b.FolderName = serial_folder;
    } else {
        b.FolderName = std::to_string(n);
    }
    b.LastClockSync = clock_sync_stamp(b.Serial);
    b.Connected = 1;
    if (b.RowPath.empty()) recover_noted_download(index);
}

void TransferEngine::on_connection_ended(int index, const char* log_key) {
    ABoardInfo& b = boards_[index];
    b.Connected = 0;
    log(globals_.Texts.Format(log_key, {index + 1}), LogMessage);
    if (b.FTPRunning == 1) b.State = StateWaiting;
    std::string address;
    if (read_text_param(index, BD_PARAM_IPADDR, address)) b.IPAddress = address;
    b.FileName.clear();
    b.FileSize = 0;
    b.DBIndex = -1;
    b.LastClockSync.clear();
}

void TransferEngine::on_login_failed(int index, int cause) {
    ABoardInfo& b = boards_[index];
    b.Connected = 0;
    const char* cause_key = nullptr;
    switch (cause) {
    case LOGIN_FAIL_UNKNOWN_USER: cause_key = "Cause.UserNotExist"; break;
    case LOGIN_FAIL_WRONG_PASSWORD: cause_key = "Cause.PasswordError"; break;
    case LOGIN_FAIL_CONNECTIONS_FULL: cause_key = "Cause.ConnFull"; break;
    case LOGIN_FAIL_NO_ANSWER: cause_key = "Cause.TimeOut"; break;
    case LOGIN_FAIL_NOT_AUTHORISED: cause_key = "Cause.NoLicense"; break;
    case LOGIN_FAIL_HOST_UNRESOLVED: cause_key = "Cause.DomainNameFail"; break;
    default: break;
    }
    const std::string cause_text = cause_key ? globals_.Texts.Get(cause_key) : std::string();
    log(globals_.Texts.Format("Log.LoginFail", {index + 1, b.IPAddress, cause_text}), LogError);
    if (b.FTPRunning == 1) b.State = StateWaiting;
}

void TransferEngine::on_connection_request(const ftp_event& event) {
    if (event.p1 != -1) return;
    ftp_connreqinfo request{};
    if (library_.get_connreqinfo(&request) != 0) return;
    log(globals_.Texts.Format("Log.ConnReqFail",
                              {PrintableText(plat::field_text(request.serial, sizeof request.serial)),
                               PrintableText(plat::field_text(request.address, sizeof request.address)),
                               request.port}),
        LogMessage);
}

void TransferEngine::on_new_file(int index, const ftp_event& event) {
    ABoardInfo& b = boards_[index];
    if (event.p1 < 0) {
        b.StateTime = NowDateTime();
        b.State = StateWaiting;
        b.FilesRemaining = 0;
        return;
    }
    b.FilesRemaining = event.p3;
    std::string name;
    if (!read_text_param(index, BD_PARAM_NEWFILE_NAME, name)) return;
    b.FileName = name;
    b.DateFolder.clear();
    std::string date;
    if (read_text_param(index, BD_PARAM_NEWFILE_DATE, date)) b.DateFolder = date;
    b.FileSize = event.p1;
    std::int32_t db_index = 0;
    if (read_int_param(index, BD_PARAM_DB_INDEX, db_index)) {
        b.DBIndex = db_index;
    } else {
        log("error: fail to get index of database from device!", LogReminder);
    }
    if (!b.FileName.empty() && !b.DateFolder.empty() && b.State == StateWaitingQueryResult) {
        b.BytesReceived = 0;
        b.StateTime = NowDateTime();
        b.State = StateFTPStart;
    }
}

void TransferEngine::on_transfer_end(int index, int result) {
    ABoardInfo& b = boards_[index];
    // A download looked after as stalled has its row already; its late end stores nothing.
    if (result == UPL_RESULT_OK && !b.RowPath.empty()) store_call_record(index);
    if (result == UPL_RESULT_REFUSED) count_refusal(index);
    if (result != UPL_RESULT_OK) end_download_record(index);
    if (b.State == StateFTPProcessing) b.State = StateFTPFinished;
}

void TransferEngine::count_refusal(int index) {
    ABoardInfo& b = boards_[index];
    if (CountInARow(b.RefusalCount, b.RefusalIndex, b.DBIndex) >= kRefusalsBeforeSkip && b.DBIndex >= 0) {
        skip_file(index, FormatFixed("Ignore File %s, cause: refused %d times", {PrintableText(b.FileName), b.RefusalCount}));
        b.RefusalCount = 0;
        b.RefusalIndex = -1;
    }
}

void TransferEngine::store_call_record(int index) {
    const ABoardInfo& b = boards_[index];
    ftp_callinfo info{};
    if (library_.get_callinfo(index, &info) != 0) {
        log(FormatFixed("[%s] %s - %s", {b.IPAddress, globals_.Texts.Get("Log.DownloadSuccButNoRecord"),
                                         PrintableText(b.FileName)}),
            LogReminder);
        return;
    }
    const CallRowResult call = CallLogFromCallInfo(info);
    const std::string file_name = PrintableText(CallInfoFileName(info));
    log(FormatFixed("[%s] %s - %s", {b.IPAddress, globals_.Texts.Get("Log.DownloadSucc"), file_name}), LogReminder);
    if (call.bad_caller_id) log("found bad info in callerid", LogReminder);
    insert_row(index, call.row, file_name);
}

void TransferEngine::handle_events(int count, int ends) {
    struct Gathering {
        bool& flag;
        explicit Gathering(bool& f) : flag(f) { flag = true; }
        ~Gathering() { flag = false; }
    };
    {
        const Gathering gathering(gathering_rows_);
        for (int taken = 0; taken < count && ends > 0; ++taken) {
            ftp_event event{};
            if (library_.get_event_async(&event) != 0) break;
            HandleLibraryEvent(event);
            if (event.code == EVT_FTP_TRANSFER_END) --ends;
        }
    }
    store_rows();
}

void TransferEngine::insert_row(int index, ACallLogInfo row, const std::string& file_name) {
    ABoardInfo& b = boards_[index];
    // The row names the file where it was really saved, device folder in front, so that two
    // devices offering one name on one day keep two rows for two files.
    row.WaveFilePath = b.RowPath;
    // Cleared at once: a second end of the same download stores nothing.
    b.RowPath.clear();
    rows_to_store_.push_back({index, std::move(row), file_name, device_folder_of(b)});
    if (!gathering_rows_) store_rows();
}

void TransferEngine::store_rows() {
    if (!rows_to_store_.empty()) {
        std::vector<ACallLogInfo> rows;
        rows.reserve(rows_to_store_.size());
        for (const RowToStore& r : rows_to_store_) rows.push_back(r.row);
        rows_in_flight_.push_back(std::move(rows_to_store_));
        rows_to_store_.clear();
        sink_->Store(std::move(rows));
    }
    take_stored_rows();
}

void TransferEngine::take_stored_rows() {
    for (const std::vector<int>& results : sink_->TakeResults()) {
        if (rows_in_flight_.empty()) break;
        const std::vector<RowToStore> batch = std::move(rows_in_flight_.front());
        rows_in_flight_.pop_front();
        for (std::size_t i = 0; i < batch.size(); ++i) {
            if (i >= results.size() || results[i] != 0) {
                log(FormatFixed("error: fail to store the call record of %s", {batch[i].file_name}), LogError);
            }
            // Only now: a station stopped before the row went in finds the download noted.
            ForgetDownload(batch[i].device_folder);
        }
    }
}

bool TransferEngine::row_in_flight(int index) const {
    for (const std::vector<RowToStore>& batch : rows_in_flight_) {
        for (const RowToStore& r : batch) {
            if (r.index == index) return true;
        }
    }
    return false;
}

int TransferEngine::rows_in_flight_with_path(const std::string& row_path) const {
    int count = 0;
    for (const std::vector<RowToStore>& batch : rows_in_flight_) {
        for (const RowToStore& r : batch) count += r.row.WaveFilePath == row_path ? 1 : 0;
    }
    return count;
}

} // namespace station
