// The station's side of the transfer library: the device table, the handling of the library's
// events, the per-device transfer state machine and the clock synchronisation. Window thread
// only; it owns no thread, timer or window: the main window calls OnMainTimer every 100 ms and
// OnSyncTimer every 60 s. Its call rows go to an ICallLogSink, which may store them on a thread
// of its own.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "station/core/call_log_info.h"
#include "station/core/call_log_sink.h"
#include "station/core/engine/board_info.h"
#include "station/core/engine/transfer_library.h"
#include "station/core/globals.h"

namespace station {

class TransferEngine {
public:
    using LogWriter = std::function<void(const std::string& message, int level)>;
    // Stores call rows in their order; one result per row: 0 stored (or kept to be stored),
    // -1 when it could not be.
    using CallLogInserter = std::function<std::vector<int>(const std::vector<ACallLogInfo>& rows)>;
    using RowRefresh = std::function<void(int index)>;
    // The number of rows stored with this WaveFilePath; -1 when the database cannot tell.
    using CallLogCounter = std::function<int(const std::string& wave_file_path)>;

    // `log` may be empty: the lines then go to the station log of `globals`. Rows are stored
    // by `insert_call_log` at once, on the window thread.
    TransferEngine(StationGlobals& globals, ITransferLibrary& library, CallLogInserter insert_call_log,
                   LogWriter log = {});
    // Rows are handed to `sink`, which outlives the engine; their results are taken at the
    // next poll.
    TransferEngine(StationGlobals& globals, ITransferLibrary& library, ICallLogSink& sink, LogWriter log = {});
    TransferEngine(const TransferEngine&) = delete;
    TransferEngine& operator=(const TransferEngine&) = delete;

    // Start-up: hands the library its settings file, starts it, waits `settle_ms` for the first
    // logins, loads the devices and takes the ones switched off out of use.
    void StartLibrary(std::uint32_t settle_ms);
    // Handles the events still queued, stops the library and waits until every row handed to
    // the sink is stored.
    void ReleaseLibrary();

    // Also reads the devices' last clock settings: a login then reads no file.
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
    // Lets the engine give a recording found complete on disk its missing row; without it such
    // a recording is only skipped.
    void SetCallLogCounter(CallLogCounter counter) { count_call_logs_ = std::move(counter); }

    BoardTable& Boards() { return boards_; }
    const BoardTable& Boards() const { return boards_; }
    int DeviceCount() const { return globals_.DeviceCount; }

    static constexpr int kEventsPerPoll = 20;
    // Each download that ends or starts costs the poll work on the disk (a row, a note, the
    // download's files), which under Wine waits behind the sockets of every device: a poll
    // ends at most this many downloads and starts at most this many, the rest wait for the
    // next poll in their order.
    static constexpr int kEndsPerPoll = 4;
    static constexpr int kStartsPerPoll = 2;
    static constexpr int kEventsAtRelease = 1024;  // more than the library's queue holds
    static constexpr int kWaitSeconds = 5;
    static constexpr int kOpenFailuresBeforeSkip = 5;
    static constexpr int kRefusalsBeforeSkip = 5;
    // A download without progress and without its end for this long is looked after.
    static constexpr int kStalledSeconds = 60;
    // The library's date folder for a new-file answer without a usable date.
    static constexpr const char* kDefaultDateFolder = "20100101";

private:
    // Event handling.
    void on_login_succeeded(int index);
    void on_connection_ended(int index, const char* log_key);
    void on_login_failed(int index, int cause);
    void on_connection_request(const ftp_event& event);
    void on_new_file(int index, const ftp_event& event);
    void on_transfer_end(int index, int result);
    void store_call_record(int index);
    // Stores `row` (its path set to the board's RowPath) and clears RowPath. While the events
    // of one poll are handled the rows are gathered and stored together after them: one write
    // to the disk for the poll rather than one per row.
    void insert_row(int index, ACallLogInfo row, const std::string& file_name);
    // Hands the gathered rows to the sink, then takes the results that came back.
    void store_rows();
    // Ends the download records of the rows the sink has stored (or kept) and logs the rows it
    // could not: a download's note goes only once its row is safe.
    void take_stored_rows();
    // Whether a row of the device is with the sink: its download's note is still there, and
    // its report removes it. The device starts no download meanwhile, whose note would be
    // removed with that report.
    bool row_in_flight(int index) const;
    int rows_in_flight_with_path(const std::string& row_path) const;
    // Handles up to `count` queued events, their rows stored together; stops after the
    // `ends`-th end of a download.
    void handle_events(int count, int ends);
    // For a recording already complete at `local_path`: stores its row from the embedded call
    // record unless a row holds it already. False when the database could not tell.
    bool ensure_row_of_stored_file(int index, const std::string& local_path);
    void count_refusal(int index);
    // Ends the board's download record: RowPath and the note in the device's folder.
    void end_download_record(int index);
    // At login: a download noted by an earlier run that finished without its row gets it.
    void recover_noted_download(int index);
    // For the board's RowPath, a download whose end never came: a complete file gets its row.
    void settle_unended_download(int index);
    // Reads a text parameter; false when the library cannot give it.
    bool read_text_param(int index, int code, std::string& value);
    bool read_int_param(int index, int code, std::int32_t& value);

    // State machine.
    void start_download(int index);
    void skip_file(int index, const std::string& reason_line);
    // Counts a failure to open or place the local file; skips the file at the fifth in a row.
    void count_open_failure(int index);
    // Counts one more failure of the file `db_index` in a row: a failure of another file starts
    // the count again. Returns the count.
    static std::int32_t CountInARow(std::int32_t& count, std::int32_t& counted_index, std::int32_t db_index);
    // State 6 for 60 s without progress or end: the library is asked where the download stands.
    void look_after_stalled_download(int index);
    std::string local_path_of(const ABoardInfo& b) const;
    std::string device_folder_of(const ABoardInfo& b) const;

    void log(const std::string& message, int level) const;

    // Last clock settings by serial, as [SyncTimeDevice] holds them: read once with the device
    // table, written through. The settings file is this station's own, and reading it at every
    // login cost a tick tens of milliseconds under Wine while downloads ran.
    void load_clock_sync_stamps();
    std::string clock_sync_stamp(const std::string& serial) const;
    void set_clock_sync_stamp(const std::string& serial, const std::string& stamp);

    StationGlobals& globals_;
    ITransferLibrary& library_;
    std::unique_ptr<ICallLogSink> own_sink_;
    ICallLogSink* sink_;
    LogWriter log_;
    RowRefresh row_refresh_;
    CallLogCounter count_call_logs_;
    BoardTable boards_;
    std::map<std::string, std::string> clock_sync_stamps_;  // serials folded as the file matches keys
    struct RowToStore {
        int index;
        ACallLogInfo row;
        std::string file_name;
        std::string device_folder;  // where the download's note is
    };
    std::vector<RowToStore> rows_to_store_;
    std::deque<std::vector<RowToStore>> rows_in_flight_;  // batches handed to the sink, oldest first
    bool gathering_rows_ = false;
    // Downloads the running poll may still start; outside a poll, steps start any.
    int starts_left_ = kNoLimit;
    static constexpr int kNoLimit = 1 << 30;
};

// The display text of a transfer state; empty for a value that is not one.
std::string TransferStateName(std::int32_t state, const StationTexts& texts);

} // namespace station
