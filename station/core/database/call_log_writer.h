// Stores the transfer engine's rows on a thread of its own, with its own connection, so that
// the window thread never waits on the database for them. Rows the database does not take now
// go to the pending file as TMyDataModule keeps it; the writer also stores the waiting ones.
//
// The caller's side never waits for the writer either (Drain and the end excepted): it only
// tries the lock the two sides share, and what it cannot hand over now goes with its next call;
// nor does it wake the writer, which looks for batches every kPass. Under Wine a wait for a
// lock, or a wake-up of another thread, is a request to Wine's server, which the sockets of
// many downloading devices keep busy for milliseconds.
#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "station/core/call_log_sink.h"
#include "station/core/database/call_log_database.h"

namespace calldb {

class CallLogWriter final : public station::ICallLogSink {
public:
    // `settings` is asked on the thread that makes the writer and calls Store (once per batch)
    // and FollowSettings; the writer stores each batch with what it gave with that batch, and
    // the waiting rows with the latest. Only that thread calls the writer.
    explicit CallLogWriter(TMyDataModule::SettingsSource settings);
    // Stores every batch handed over, then ends the thread.
    ~CallLogWriter() override;
    CallLogWriter(const CallLogWriter&) = delete;
    CallLogWriter& operator=(const CallLogWriter&) = delete;

    void Store(std::vector<ACallLogInfo> rows) override;
    std::vector<std::vector<int>> TakeResults() override;
    void Drain() override;
    // Hands the writer the settings as they are now, for the waiting rows: for the main timer.
    void FollowSettings();

    // How often the writer looks for batches, and at the waiting rows while none comes.
    static constexpr std::chrono::milliseconds kPass{50};

private:
    struct Batch {
        DatabaseSettings settings;
        std::vector<ACallLogInfo> rows;
    };
    void run();
    void serve();
    std::vector<int> store(const Batch& batch);
    // With the lock held: the batches and settings kept on the caller's side go over.
    void hand_over();

    TMyDataModule::SettingsSource settings_;  // the caller's thread only
    std::vector<Batch> outbox_;               // the caller's thread only: not handed over yet
    DatabaseSettings outbox_settings_;        // the caller's thread only
    DatabaseSettings in_use_;                 // the writer's thread only
    TMyDataModule module_;                    // the writer's thread only

    std::mutex mutex_;
    std::condition_variable wake_;   // the end, or Drain
    std::condition_variable stored_; // a batch was stored
    std::deque<Batch> queued_;
    bool storing_ = false;
    bool ending_ = false;
    bool stopped_ = false;  // the thread could not go on (out of memory)
    DatabaseSettings latest_;
    std::vector<std::vector<int>> results_;
    std::thread thread_;  // last: it starts once the rest is made
};

} // namespace calldb
