#include "station/core/engine/transfer_engine.h"

#include <algorithm>

#include "platform/clock.h"

namespace station {

namespace {

// Stores each batch at once through the given function.
class InsertingSink final : public ICallLogSink {
public:
    explicit InsertingSink(TransferEngine::CallLogInserter insert) : insert_(std::move(insert)) {}
    void Store(std::vector<ACallLogInfo> rows) override {
        results_.push_back(insert_ ? insert_(rows) : std::vector<int>{});
    }
    std::vector<std::vector<int>> TakeResults() override {
        std::vector<std::vector<int>> taken;
        taken.swap(results_);
        return taken;
    }
    void Drain() override {}

private:
    TransferEngine::CallLogInserter insert_;
    std::vector<std::vector<int>> results_;
};

} // namespace

TransferEngine::TransferEngine(StationGlobals& globals, ITransferLibrary& library, CallLogInserter insert_call_log,
                               LogWriter log)
    : globals_(globals), library_(library), own_sink_(std::make_unique<InsertingSink>(std::move(insert_call_log))),
      sink_(own_sink_.get()), log_(std::move(log)) {}

TransferEngine::TransferEngine(StationGlobals& globals, ITransferLibrary& library, ICallLogSink& sink, LogWriter log)
    : globals_(globals), library_(library), sink_(&sink), log_(std::move(log)) {}

void TransferEngine::log(const std::string& message, int level) const {
    if (log_) {
        log_(message, level);
    } else {
        globals_.Log.WriteLog(message, level);
    }
}

void TransferEngine::StartLibrary(std::uint32_t settle_ms) {
    library_.set_cfgfile(globals_.LibraryConfigPath.c_str());
    library_.init("", 0);
    if (settle_ms > 0) plat::sleep_ms(settle_ms);
    LoadBoards();
    LoadDeviceEnables();
    for (int i = 0; i < globals_.DeviceCount; ++i) {
        if (boards_[i].Enabled) continue;
        const std::int32_t off = 0;
        library_.set_bd_param(i, 0, BD_PARAM_ENABLE, &off);
    }
}

void TransferEngine::ReleaseLibrary() {
    // Events still queued die with the library: a download it has already finished would keep
    // its file but lose its call row, and the device does not offer it again.
    handle_events(kEventsAtRelease, kEventsAtRelease);
    library_.release();
    // Every row handed over is stored (or kept) before the station goes, and its note with it.
    sink_->Drain();
    take_stored_rows();
}

void TransferEngine::PollTransferLibrary() {
    take_stored_rows();
    handle_events(kEventsPerPoll, kEndsPerPoll);
    starts_left_ = kStartsPerPoll;
    for (int i = 0; i < globals_.DeviceCount; ++i) {
        StepBoardTransfer(i);
        if (row_refresh_) row_refresh_(i);
    }
    starts_left_ = kNoLimit;
}

void TransferEngine::StartFetching() {
    for (int i = 0; i < globals_.DeviceCount; ++i) {
        ABoardInfo& b = boards_[i];
        b.FTPRunning = 1;
        if (b.State == StateNull) b.State = StateFTPStart;
    }
}

void TransferEngine::StopFetching() {
    for (int i = 0; i < globals_.DeviceCount; ++i) {
        ABoardInfo& b = boards_[i];
        b.FTPRunning = 0;
        switch (b.State) {
        case StateQueryNewFile:
        case StateWaitingQueryResult:
            b.State = StateNull;
            break;
        case StateFTPStart:
        case StateFTPProcessing:
            b.State = StateFTPStop;
            break;
        default:
            break;  // waiting, stopping, finished and idle are left to their next step
        }
    }
}

std::string TransferStateName(std::int32_t state, const StationTexts& texts) {
    static const char* const keys[] = {
        "Msg.StateNull", "Msg.StateWaiting", "Msg.StateQueryNewFile", "Msg.StateWaitingQueryResult",
        "Msg.StateFTPStart", "Msg.StateFTPProcessing", "Msg.StateFTPStop", "Msg.StateFTPFinished",
    };
    if (state < StateNull || state > StateFTPFinished) return {};
    return texts.Get(keys[state - StateNull]);
}

} // namespace station
