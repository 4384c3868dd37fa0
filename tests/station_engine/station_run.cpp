#include "station_run.h"

#include <gtest/gtest.h>

#include "station/core/engine/local_date_time.h"

namespace engine_test {

StationRun::StationRun(const std::string& program_dir, plat::ManualClock& clock) : clock_(clock) {
    EXPECT_EQ(station::InitGlobals(globals_, program_dir), "");
    database_ = std::make_unique<calldb::TMyDataModule>([program_dir] { return StationFileDatabase(program_dir); });
    rows_.writer = std::make_unique<calldb::CallLogWriter>([program_dir] { return StationFileDatabase(program_dir); });
    engine_ = std::make_unique<station::TransferEngine>(globals_, library_, rows_);
    engine_->SetCallLogCounter([this](const std::string& path) { return database_->CountCallLogsWithPath(path); });
    engine_->StartLibrary(500);
    engine_->StartFetching();
}

StationRun::~StationRun() { engine_->ReleaseLibrary(); }

void StationRun::Tick(std::uint32_t pause_ms) {
    engine_->OnMainTimer();
    clock_.set_local(station::FromDateTime(station::ToDateTime(clock_.now()) + 1.0 / 86400.0));
    plat::sleep_ms(pause_ms);
}

bool StationRun::RunUntil(const std::function<bool()>& done, std::uint32_t limit_ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limit_ms);
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        Tick();
    }
    return done();
}

std::vector<std::vector<int>> StationRun::CountingSink::TakeResults() {
    std::vector<std::vector<int>> taken = writer->TakeResults();
    for (const std::vector<int>& results : taken) {
        for (int result : results) stored += result == 0 ? 1 : 0;
    }
    return taken;
}

calldb::DatabaseSettings StationFileDatabase(const std::string& program_dir) {
    calldb::DatabaseSettings s;
    s.ConnMode = calldb::ConnModeFile;
    s.LocalFile = true;
    s.ProgramDir = program_dir;
    return s;
}

std::vector<station::ACallLogInfo> StationRun::Rows() { return AllRows(*database_); }

std::vector<station::ACallLogInfo> AllRows(calldb::TMyDataModule& database) {
    calldb::SearchConditions all;
    all.DateFrom = "1900-01-01";
    all.TimeFrom = "00:00:00";
    all.DateTo = "2999-12-31";
    all.TimeTo = "23:59:59";
    std::vector<station::ACallLogInfo> rows;
    EXPECT_EQ(database.SearchCallLogs(all, rows), 0);
    return rows;
}

} // namespace engine_test
