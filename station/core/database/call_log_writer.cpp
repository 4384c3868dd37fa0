#include "station/core/database/call_log_writer.h"

namespace calldb {

CallLogWriter::CallLogWriter(TMyDataModule::SettingsSource settings)
    : settings_(std::move(settings)), outbox_settings_(settings_()), in_use_(outbox_settings_),
      module_([this] { return in_use_; }), latest_(in_use_), thread_([this] { run(); }) {}

CallLogWriter::~CallLogWriter() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        hand_over();
        ending_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void CallLogWriter::hand_over() {
    for (Batch& batch : outbox_) queued_.push_back(std::move(batch));
    outbox_.clear();
    latest_ = outbox_settings_;
}

void CallLogWriter::Store(std::vector<ACallLogInfo> rows) {
    outbox_settings_ = settings_();
    outbox_.push_back({outbox_settings_, std::move(rows)});
    const std::unique_lock<std::mutex> lock(mutex_, std::try_to_lock);
    if (lock.owns_lock()) hand_over();
}

void CallLogWriter::FollowSettings() {
    outbox_settings_ = settings_();
    const std::unique_lock<std::mutex> lock(mutex_, std::try_to_lock);
    if (lock.owns_lock()) hand_over();
}

std::vector<std::vector<int>> CallLogWriter::TakeResults() {
    std::vector<std::vector<int>> taken;
    const std::unique_lock<std::mutex> lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock()) return taken;  // they come with a later call
    hand_over();
    taken.swap(results_);
    return taken;
}

void CallLogWriter::Drain() {
    std::unique_lock<std::mutex> lock(mutex_);
    hand_over();
    wake_.notify_one();
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
        if (queued_.empty() && !ending_) wake_.wait_for(lock, kPass);
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
