// A station in a fresh folder with the fake library, a manual local clock and the engine's log
// lines and stored call rows captured.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "fake_library.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "station/core/engine/local_date_time.h"
#include "station/core/engine/transfer_engine.h"
#include "station/core/globals.h"

namespace engine_test {

inline void RemoveTree(const std::string& path) {
    for (const plat::DirEntry& e : plat::list_directory(path)) {
        const std::string child = plat::include_trailing_separator(path) + e.name;
        if (e.is_directory) RemoveTree(child); else plat::remove_file(child);
    }
    plat::remove_directory(path);
}

inline plat::LocalTime At(int y, int mo, int d, int h, int mi, int s) {
    plat::LocalTime t;
    t.year = y; t.month = mo; t.day = d; t.hour = h; t.minute = mi; t.second = s;
    return t;
}

struct LogLine {
    std::string message;  // GBK
    int level;
};

class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("engine-") + info->test_suite_name() + "-" + info->name();
        for (char& c : name) if (c == '/') c = '-';
        folder_ = plat::include_trailing_separator(plat::current_directory()) + name;
        RemoveTree(folder_);
        plat::force_directories(folder_);
        clock_.set_local(At(2012, 3, 1, 8, 0, 0));
        plat::set_local_clock_source(&clock_);
    }
    ~EngineTest() override {
        plat::set_local_clock_source(nullptr);
        RemoveTree(folder_);
    }

    // Loads the globals of the folder (after the test wrote its settings files) and `devices`
    // devices from the library.
    void Load(int devices) {
        ASSERT_EQ(station::InitGlobals(g, folder_), "");
        lib.device_count = devices;
        engine.LoadBoards();
        engine.LoadDeviceEnables();
    }

    station::ABoardInfo& Board(int i) { return engine.Boards()[i]; }

    // Logs device `i` in with the given serial and address.
    void Login(int i, const std::string& serial = "SN1", const std::string& ip = "127.0.0.2") {
        lib.SetText(i, BD_PARAM_IPADDR, ip);
        lib.SetText(i, BD_PARAM_SERIAL, serial);
        lib.SetInt(i, BD_PARAM_CHANCOUNT, 8);
        engine.HandleLibraryEvent(ftp_event{EVT_FTP_LOGIN_SUCC, i, 0, 0, 0});
    }

    // Makes device `i` offer a file, as the library's new-file answer does.
    void Offer(int i, const std::string& name, int size, int db_index, const std::string& date = "20120301",
               int remaining = 3) {
        lib.SetText(i, BD_PARAM_NEWFILE_NAME, name);
        lib.SetText(i, BD_PARAM_NEWFILE_DATE, date);
        lib.SetInt(i, BD_PARAM_DB_INDEX, db_index);
        engine.HandleLibraryEvent(ftp_event{EVT_FTP_NEWFILE_INFO, i, size, 0, remaining});
    }

    void Advance(int seconds) {
        clock_.set_local(station::FromDateTime(station::ToDateTime(clock_.now()) + seconds / 86400.0));
    }
    void SetClock(const plat::LocalTime& t) { clock_.set_local(t); }

    void Step(int i) { engine.StepBoardTransfer(i); }

    std::vector<LogLine> LinesAt(int level) const {
        std::vector<LogLine> found;
        for (const LogLine& l : log) if (l.level == level) found.push_back(l);
        return found;
    }
    bool Logged(const std::string& message, int level) const {
        for (const LogLine& l : log) if (l.message == message && l.level == level) return true;
        return false;
    }

    const std::string& folder() const { return folder_; }
    std::string path(const std::string& relative) const { return folder_ + "\\" + relative; }

    station::StationGlobals g;
    FakeLibrary lib;
    std::vector<LogLine> log;
    std::vector<station::ACallLogInfo> rows;
    std::vector<std::size_t> insert_calls;  // the number of rows of each call
    std::function<void()> on_insert;        // runs before each call stores its rows
    int insert_result = 0;
    // While set, batches handed over wait, as with a writer whose thread is still busy, until
    // StoreHeldRows stores them and reports them.
    bool hold_rows = false;
    void StoreHeldRows() { sink_.StoreHeld(); }

private:
    // The rows' writer: stores each batch into `rows` when it comes, or later when held.
    class Sink final : public station::ICallLogSink {
    public:
        explicit Sink(EngineTest& test) : test_(test) {}
        void Store(std::vector<station::ACallLogInfo> batch) override {
            held_.push_back(std::move(batch));
            if (!test_.hold_rows) StoreHeld();
        }
        std::vector<std::vector<int>> TakeResults() override {
            std::vector<std::vector<int>> taken;
            taken.swap(results_);
            return taken;
        }
        void Drain() override { StoreHeld(); }
        void StoreHeld() {
            for (const std::vector<station::ACallLogInfo>& batch : held_) {
                if (test_.on_insert) test_.on_insert();
                test_.insert_calls.push_back(batch.size());
                test_.rows.insert(test_.rows.end(), batch.begin(), batch.end());
                results_.emplace_back(batch.size(), test_.insert_result);
            }
            held_.clear();
        }

    private:
        EngineTest& test_;
        std::vector<std::vector<station::ACallLogInfo>> held_;
        std::vector<std::vector<int>> results_;
    };
    Sink sink_{*this};

protected:
    station::TransferEngine engine{g, lib, sink_,
                                   [this](const std::string& m, int level) { log.push_back({m, level}); }};

private:
    std::string folder_;
    plat::ManualClock clock_;
};

} // namespace engine_test
