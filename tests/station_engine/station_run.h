// The station without a window for the end-to-end tests: its globals, the real transfer
// library, the call-record database file (rows stored by the writer's thread, searches on the
// loop's own connection) and the engine, driven by a loop that stands in for the main timer.
// The station's local clock runs one second per tick, so that the engine's five-second waits
// pass quickly while the library keeps real time.
#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "station/core/database/call_log_database.h"
#include "station/core/database/call_log_writer.h"
#include "station/core/engine/tarnlink_library.h"
#include "station/core/engine/transfer_engine.h"
#include "station/core/globals.h"

namespace engine_test {

// The station database of the program folder, as the station stores into it.
calldb::DatabaseSettings StationFileDatabase(const std::string& program_dir);
// Every row of `database`.
std::vector<station::ACallLogInfo> AllRows(calldb::TMyDataModule& database);

class StationRun {
public:
    // Starts the station of `program_dir` (its settings files written by the test) with
    // fetching switched on; `clock` is the station's local clock, advanced one second per tick.
    StationRun(const std::string& program_dir, plat::ManualClock& clock);
    ~StationRun();  // releases the library
    StationRun(const StationRun&) = delete;
    StationRun& operator=(const StationRun&) = delete;

    // One main-timer tick followed by a pause of `pause_ms` real milliseconds.
    void Tick(std::uint32_t pause_ms = 50);
    // Ticks until `done` holds or `limit_ms` real milliseconds passed; true when it held.
    bool RunUntil(const std::function<bool()>& done, std::uint32_t limit_ms);

    std::vector<station::ACallLogInfo> Rows();
    int RowsStored() const { return rows_.stored; }  // by this run, as the writer reported them
    station::TransferEngine& engine() { return *engine_; }
    station::StationGlobals& globals() { return globals_; }

private:
    plat::ManualClock& clock_;
    station::StationGlobals globals_;
    station::TarnlinkLibrary library_;
    std::unique_ptr<calldb::TMyDataModule> database_;
    // The writer, counting the rows it reports stored.
    struct CountingSink final : station::ICallLogSink {
        void Store(std::vector<station::ACallLogInfo> rows) override { writer->Store(std::move(rows)); }
        std::vector<std::vector<int>> TakeResults() override;
        void Drain() override { writer->Drain(); }
        std::unique_ptr<calldb::CallLogWriter> writer;
        int stored = 0;
    };
    CountingSink rows_;
    std::unique_ptr<station::TransferEngine> engine_;
};

} // namespace engine_test
