#include "station/core/database/call_log_writer.h"

namespace calldb {

CallLogWriter::CallLogWriter(TMyDataModule::SettingsSource settings)
    : settings_(std::move(settings)), in_use_(settings_()), module_([this] { return in_use_; }), latest_(in_use_),
      thread_([this] { run(); }) {}

CallLogWriter::~CallLogWriter() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        ending_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void CallLogWriter::Store(std::vector<ACallLogInfo> rows) {
    Batch batch{settings_(), std::move(rows)};
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        latest_ = batch.settings;
        queued_.push_back(std::move(batch));
    }
    wake_.notify_one();
}

void CallLogWriter::FollowSettings() {
    DatabaseSettings settings = settings_();
    const std::lock_guard<std::mutex> lock(mutex_);
    latest_ = std::move(settings);
}

std::vector<std::vector<int>> CallLogWriter::TakeResults() {
    std::vector<std::vector<int>> taken;
    const std::lock_guard<std::mutex> lock(mutex_);
    taken.swap(results_);
    return taken;
}

void CallLogWriter::Drain() {
    std::unique_lock<std::mutex> lock(mutex_);
    stored_.wait(lock, [this] { return stopped_ || (queued_.empty() && !storing_); });
}

std::vector<int> CallLogWriter::store(const Batch& batch) {
    // Nothing may leave the thread: a failure here is a batch without results, which the
    // engine logs as rows that could not be stored.
    try {
        in_use_ = batch.settings;
        return module_.InsertCallLogs(batch.rows);
    } catch (...) {
        return {};
    }
}

void CallLogWriter::run() {
    try {
        serve();
    } catch (...) {
        // Out of memory: the batches left get no results (their downloads stay noted, and the
        // next start gives them their rows); Drain and the end wait for nothing more.
        const std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
        storing_ = false;
        queued_.clear();
        stored_.notify_all();
    }
}

void CallLogWriter::serve() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait_for(lock, kPendingPass, [this] { return ending_ || !queued_.empty(); });
        if (!queued_.empty()) {
            const Batch batch = std::move(queued_.front());
            queued_.pop_front();
            storing_ = true;
            lock.unlock();
            std::vector<int> results = store(batch);
            lock.lock();
            storing_ = false;
            results_.push_back(std::move(results));
            stored_.notify_all();
            continue;
        }
        if (ending_) return;
        // No batch for a while: rows that wait in the pending file are stored, as far as the
        // database takes them (it costs nothing while none waits).
        in_use_ = latest_;
        lock.unlock();
        module_.StorePendingRows();
        lock.lock();
    }
}

} // namespace calldb
