// The station's side of the transfer library: the device table, the handling of the library's
// events, the per-device transfer state machine and the clock synchronisation. Window thread
// only; it owns no thread, timer or window: the main window calls OnMainTimer every 100 ms and
// OnSyncTimer every 60 s.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "station/core/call_log_info.h"
#include "station/core/engine/board_info.h"
#include "station/core/engine/transfer_library.h"
#include "station/core/globals.h"

namespace station {

class TransferEngine {
public:
    using LogWriter = std::function<void(const std::string& message, int level)>;
    // Stores one call row; 0 on success, -1 when it could not be stored.
    using CallLogInserter = std::function<int(const ACallLogInfo& row)>;
    using RowRefresh = std::function<void(int index)>;

    // `log` may be empty: the lines then go to the station log of `globals`.
    TransferEngine(StationGlobals& globals, ITransferLibrary& library, CallLogInserter insert_call_log,
                   LogWriter log = {});
    TransferEngine(const TransferEngine&) = delete;
    TransferEngine& operator=(const TransferEngine&) = delete;

    // Start-up: hands the library its settings file, starts it, waits `settle_ms` for the first
    // logins, loads the devices and takes the ones switched off out of use.
    void StartLibrary(std::uint32_t settle_ms);
    // Handles the events still queued, then stops the library.
    void ReleaseLibrary();

    void LoadBoards();
    void LoadBoardFolders();
    void LoadDeviceEnables();
    void SaveDeviceEnables();

    void OnMainTimer() { PollTransferLibrary(); }
    void OnSyncTimer() { SyncDeviceClocks(); }

    void PollTransferLibrary();
    void HandleLibraryEvent(const ftp_event& event);
    void StepBoardTransfer(int index);
    void StartFetching();
    void StopFetching();
    bool IsInTimeWindow() const;
    void SyncDeviceClocks();

    // Called for every device after its step while the transfer state view exists.
    void SetRowRefresh(RowRefresh refresh) { row_refresh_ = std::move(refresh); }

    BoardTable& Boards() { return boards_; }
    const BoardTable& Boards() const { return boards_; }
    int DeviceCount() const { return globals_.DeviceCount; }

    static constexpr int kEventsPerPoll = 20;
    static constexpr int kEventsAtRelease = 1024;  // more than the library's queue holds
    static constexpr int kWaitSeconds = 5;
    static constexpr int kOpenFailuresBeforeSkip = 5;

private:
    // Event handling.
    void on_login_succeeded(int index);
    void on_connection_ended(int index, const char* log_key);
    void on_login_failed(int index, int cause);
    void on_connection_request(const ftp_event& event);
    void on_new_file(int index, const ftp_event& event);
    void on_transfer_end(int index, int result);
    void store_call_record(int index);
    // Reads a text parameter; false when the library cannot give it.
    bool read_text_param(int index, int code, std::string& value);
    bool read_int_param(int index, int code, std::int32_t& value);

    // State machine.
    void start_download(int index);
    void skip_file(int index, const std::string& reason_line);
    // Counts a failure to open or place the local file; skips the file at the fifth in a row.
    void count_open_failure(int index);

    void log(const std::string& message, int level) const;

    StationGlobals& globals_;
    ITransferLibrary& library_;
    CallLogInserter insert_call_log_;
    LogWriter log_;
    RowRefresh row_refresh_;
    BoardTable boards_;
};

// The display text of a transfer state; empty for a value that is not one.
std::string TransferStateName(std::int32_t state, const StationTexts& texts);

} // namespace station
