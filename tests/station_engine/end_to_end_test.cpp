// The station with the real transfer library and stand-in recording devices, without a window:
// recordings end up in the save folder byte for byte, with one call row each.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <set>

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/host_address.h"
#include "platform/ini_file.h"
#include "station/core/gbk_literal.h"
#include "station_run.h"
#include "tests/support/standin/scenario.h"
#include "tests/support/standin/standin_device.h"

namespace engine_test {
namespace {

using station::Gbk;

void RemoveTree(const std::string& path) {
    for (const plat::DirEntry& e : plat::list_directory(path)) {
        const std::string child = plat::include_trailing_separator(path) + e.name;
        if (e.is_directory) RemoveTree(child); else plat::remove_file(child);
    }
    plat::remove_directory(path);
}

// The address the devices and the library share: loopback natively; under Windows the host's
// first address, which is the test's own network namespace.
std::string TestAddress() {
#ifdef _WIN32
    return plat::first_host_address();
#else
    return "127.0.0.1";
#endif
}

// A port range of its own per run, so that runs side by side do not meet.
int LocalPortBase() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return 20000 + static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(now).count() % 1500) * 20;
}

struct TestDevice {
    std::unique_ptr<standin::Device> device;
    std::vector<standin::Recording> recordings;
    std::string folder;  // the station's folder name for it
};

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = plat::include_trailing_separator(plat::current_directory()) + "engine-e2e-" + info->name();
        RemoveTree(folder_);
        plat::force_directories(folder_);
        clock_.set_local(plat::LocalTime{2012, 3, 1, 8, 0, 0, 0, 4});
        plat::set_local_clock_source(&clock_);
    }
    ~EndToEnd() override {
        for (TestDevice& d : devices_) d.device->stop();
        plat::set_local_clock_source(nullptr);
        if (!HasFailure()) RemoveTree(folder_);
    }

    // A device with `count` generated recordings; `save_folder` is the user's folder for it. Its
    // file names carry its number unless `shared_names`: then they are those of every other
    // device with shared names, as devices name their files by channel and time.
    TestDevice& AddDevice(int count, const std::string& save_folder = "", std::uint32_t duration_ms = 500,
                          bool shared_names = false) {
        const int n = static_cast<int>(devices_.size()) + 1;
        char id[24];
        std::snprintf(id, sizeof id, "STANDIN-%02d", n);
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "d%02d-", shared_names ? 0 : n);
        standin::DeviceConfig config;
        config.label = id;
        config.bind_ip = address_;
        config.device_id = id;
        config.recordings = standin::generated_recordings(
            count, n % 2 ? standin::WavLayout::Pcm : standin::WavLayout::Adpcm17, prefix);
        if (duration_ms != 500) {
            for (standin::Recording& r : config.recordings) {
                r.content = standin::make_wav(standin::WavLayout::Pcm, standin::embedded_record(r.content), duration_ms);
            }
        }
        TestDevice d;
        d.recordings = config.recordings;
        d.folder = save_folder.empty() ? id : save_folder;
        d.device = std::make_unique<standin::Device>(config);
        EXPECT_TRUE(d.device->start());
        save_folders_.push_back(save_folder);
        devices_.push_back(std::move(d));
        return devices_.back();
    }

    void WriteSettings() {
        const std::string lib_ini = folder_ + "\\tarnlib.ini";
        const int base = LocalPortBase();
        plat::ini_write_string(lib_ini, "Network", "Count", std::to_string(devices_.size()));
        for (std::size_t i = 0; i < devices_.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            plat::ini_write_string(lib_ini, "Network", "IP" + n, address_);
            plat::ini_write_string(lib_ini, "Network", "Port" + n, std::to_string(devices_[i].device->port()));
            if (!save_folders_[i].empty()) plat::ini_write_string(lib_ini, "Network", "SaveFolder" + n, save_folders_[i]);
        }
        plat::ini_write_string(lib_ini, "LocalIP", "IP", address_);
        plat::ini_write_string(lib_ini, "LocalIP", "Port", std::to_string(base));
        plat::ini_write_string(lib_ini, "FTPInfo", "ConnMode", "1");
        const std::string ini = folder_ + "\\Velquist.ini";
        plat::ini_write_string(ini, "DB", "ConnMode", "1");
        plat::ini_write_string(ini, "DB", "LocalAccess", "1");
    }

    std::string StoredPath(const TestDevice& d, const standin::Recording& r) const {
        return folder_ + "\\Data\\" + d.folder + "\\" + r.date + "\\" + r.name;
    }
    bool AllStored() const {
        for (const TestDevice& d : devices_) {
            if (d.device->recordings_left() != 0) return false;
            for (const standin::Recording& r : d.recordings) {
                if (!plat::file_exists(StoredPath(d, r))) return false;
            }
        }
        return true;
    }
    // Every recording of every device stored byte for byte, nothing else in its folder.
    void ExpectRecordingsStored(const std::set<std::string>& except = {}) {
        for (const TestDevice& d : devices_) {
            std::map<std::string, std::set<std::string>> names_by_folder;
            for (const standin::Recording& r : d.recordings) {
                names_by_folder[r.date].insert(r.name);
                if (except.count(r.name)) continue;
                std::string contents;
                ASSERT_TRUE(plat::read_whole_file(StoredPath(d, r), contents)) << StoredPath(d, r);
                EXPECT_TRUE(contents == std::string(r.content.begin(), r.content.end())) << StoredPath(d, r);
            }
            for (const auto& [date, names] : names_by_folder) {
                std::set<std::string> found;
                for (const plat::DirEntry& e : plat::list_directory(folder_ + "\\Data\\" + d.folder + "\\" + date)) {
                    found.insert(e.name);
                }
                EXPECT_EQ(found, names) << "no partial download or resume file is left";
            }
        }
    }
    // One row per recording (`except` have none), each with its path below the save folder.
    void ExpectOneRowEach(const std::vector<station::ACallLogInfo>& rows, const std::set<std::string>& except = {}) {
        std::multiset<std::string> paths;
        for (const station::ACallLogInfo& row : rows) paths.insert(row.WaveFilePath);
        std::multiset<std::string> expected;
        for (const TestDevice& d : devices_) {
            for (const standin::Recording& r : d.recordings) {
                if (!except.count(r.name)) expected.insert(d.folder + "\\" + r.date + "\\" + r.name);
            }
        }
        EXPECT_EQ(rows.size(), expected.size());
        EXPECT_TRUE(paths == expected) << "every recording has exactly one row";
    }
    std::string StationLogText() const {
        std::string text;
        plat::read_whole_file(folder_ + "\\Logs\\2012-03-01 Logs.txt", text);
        return text;
    }
    static int Occurrences(const std::string& text, const std::string& part) {
        int n = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
        return n;
    }

    std::string folder_;
    std::string address_ = TestAddress();
    plat::ManualClock clock_;
    std::vector<TestDevice> devices_;
    std::vector<std::string> save_folders_;
};

TEST_F(EndToEnd, TenDevicesTwentyRecordingsEachAcrossARestart) {
    ASSERT_FALSE(address_.empty());
    AddDevice(20, Gbk(u8"前台"));
    for (int i = 1; i < 10; ++i) AddDevice(20);
    WriteSettings();
    int first_run_rows = 0;
    {
        StationRun run(folder_, clock_);
        auto all_connected = [&] {
            for (int i = 0; i < 10; ++i) {
                if (run.engine().Boards()[i].Connected != 1) return false;
            }
            return true;
        };
        ASSERT_TRUE(run.RunUntil(all_connected, 20000));
        run.engine().OnSyncTimer();
        ASSERT_TRUE(run.RunUntil([&] { return run.RowsStored() >= 100; }, 180000)) << run.RowsStored();
        first_run_rows = run.RowsStored();
        for (TestDevice& d : devices_) EXPECT_EQ(d.device->params().clock_text.size(), 19u) << "clock set";
    }  // stopped in the middle of the downloads
    {
        StationRun run(folder_, clock_);
        ASSERT_TRUE(run.RunUntil([&] { return AllStored(); }, 180000));
        for (int i = 0; i < 20; ++i) run.Tick();  // any late event is handled
        EXPECT_LT(first_run_rows, 200);
        ExpectRecordingsStored();
        ExpectOneRowEach(run.Rows());
    }
    // A stop may fall between a file's end and the station's handling of it: that recording is
    // then reported at the next start as stored from the file instead. Either way, once.
    const std::string log = StationLogText();
    for (const TestDevice& d : devices_) {
        for (const standin::Recording& r : d.recordings) {
            const int reports = Occurrences(log, Gbk(u8"录音文件下载成功 - ") + r.name + "\r\n") +
                                Occurrences(log, "call record of " + d.folder + "\\" + r.date + "\\" + r.name +
                                                     " stored from the file");
            EXPECT_EQ(reports, 1) << r.name;
        }
    }
    EXPECT_EQ(Occurrences(log, Gbk(u8"登录成功")), 20) << "every device logged in once per run";
}

TEST_F(EndToEnd, DisconnectInTheMiddleOfARecordingResumesIt) {
    TestDevice& d = AddDevice(2, "", 20000);  // about 320 KiB each: four windows
    // The device stalls after the second window, and then stops answering at all.
    d.device->add_fault(standin::FaultRule::silence_after_window(1));
    WriteSettings();
    StationRun run(folder_, clock_);
    station::ABoardInfo& board = run.engine().Boards()[0];
    ASSERT_TRUE(run.RunUntil([&] { return board.State == station::StateFTPProcessing && board.BytesReceived >= 204800; },
                             60000));
    d.device->add_fault(standin::FaultRule::silence(standin::kAlways));
    ASSERT_TRUE(run.RunUntil([&] { return board.Connected == 0; }, 60000)) << "the library notices the silence";
    d.device->clear_faults();
    ASSERT_TRUE(run.RunUntil([&] { return AllStored(); }, 120000));
    for (int i = 0; i < 10; ++i) run.Tick();

    ExpectRecordingsStored();
    ExpectOneRowEach(run.Rows());
    bool resumed = false;
    std::string requests;
    for (const standin::TransferRecord& t : d.device->transfers()) {
        if (t.name == d.recordings[0].name && t.first_packet == 200 && t.finished) resumed = true;
        requests += t.name + " from " + std::to_string(t.first_packet) + (t.finished ? " finished" : "") + "; ";
    }
    EXPECT_TRUE(resumed) << "the second request continues where the first stopped: " << requests;
    EXPECT_EQ(Occurrences(StationLogText(), Gbk(u8"设备1 - 连接中断")), 1);
}

TEST_F(EndToEnd, RecordingAlreadyStoredIsSkipped) {
    TestDevice& d = AddDevice(3);
    WriteSettings();
    const std::string existing = StoredPath(d, d.recordings[1]);
    plat::force_directories(plat::extract_file_dir(existing));
    ASSERT_TRUE(plat::write_whole_file(existing, "kept"));
    StationRun run(folder_, clock_);
    ASSERT_TRUE(run.RunUntil([&] { return AllStored(); }, 60000));
    for (int i = 0; i < 10; ++i) run.Tick();

    std::string contents;
    plat::read_whole_file(existing, contents);
    EXPECT_EQ(contents, "kept");
    ExpectRecordingsStored({d.recordings[1].name});
    ExpectOneRowEach(run.Rows(), {d.recordings[1].name});
}

TEST_F(EndToEnd, TwoDevicesOfferingOneNameOfOneDayKeepTwoFilesAndTwoRows) {
    AddDevice(3, "", 500, true);
    AddDevice(3, "", 700, true);
    const TestDevice& first = devices_[0];
    const TestDevice& second = devices_[1];
    ASSERT_EQ(first.recordings[0].name, second.recordings[0].name);
    ASSERT_EQ(first.recordings[0].date, second.recordings[0].date);
    WriteSettings();
    StationRun run(folder_, clock_);
    ASSERT_TRUE(run.RunUntil([&] { return AllStored(); }, 60000));
    for (int i = 0; i < 10; ++i) run.Tick();
    ExpectRecordingsStored();
    ExpectOneRowEach(run.Rows());
    EXPECT_NE(first.recordings[0].content, second.recordings[0].content);
}

TEST_F(EndToEnd, FileRefusedFiveTimesIsSkippedAndTheNextCome) {
    TestDevice& d = AddDevice(3);
    d.device->add_fault(standin::FaultRule::refuse_request(5));
    WriteSettings();
    StationRun run(folder_, clock_);
    ASSERT_TRUE(run.RunUntil([&] { return d.device->recordings_left() == 0; }, 60000));
    for (int i = 0; i < 10; ++i) run.Tick();

    EXPECT_FALSE(plat::file_exists(StoredPath(d, d.recordings[0])));
    std::multiset<std::string> paths;
    for (const station::ACallLogInfo& row : run.Rows()) paths.insert(row.WaveFilePath);
    std::multiset<std::string> expected;
    for (std::size_t i = 1; i < d.recordings.size(); ++i) {
        std::string contents;
        ASSERT_TRUE(plat::read_whole_file(StoredPath(d, d.recordings[i]), contents));
        EXPECT_TRUE(contents == std::string(d.recordings[i].content.begin(), d.recordings[i].content.end()));
        expected.insert(d.folder + "\\" + d.recordings[i].date + "\\" + d.recordings[i].name);
    }
    EXPECT_TRUE(paths == expected);
    int requests = 0;
    for (const standin::TransferRecord& t : d.device->transfers()) requests += t.name == d.recordings[0].name;
    EXPECT_EQ(requests, 5) << "asked five times, then skipped";
    EXPECT_EQ(Occurrences(StationLogText(), "Ignore File " + d.recordings[0].name + ", cause: refused 5 times"), 1);
}

TEST_F(EndToEnd, FetchingStoppedAndStartedAgain) {
    AddDevice(6, "", 3000);
    AddDevice(6, "", 3000);
    WriteSettings();
    StationRun run(folder_, clock_);
    ASSERT_TRUE(run.RunUntil([&] { return run.RowsStored() >= 3; }, 60000));
    run.engine().StopFetching();
    auto idle = [&] {
        return run.engine().Boards()[0].State == station::StateNull && run.engine().Boards()[1].State == station::StateNull;
    };
    ASSERT_TRUE(run.RunUntil(idle, 10000));
    for (int i = 0; i < 10; ++i) run.Tick();  // downloads the stop cancelled report their end
    const int rows_when_stopped = run.RowsStored();
    for (int i = 0; i < 20; ++i) run.Tick();
    EXPECT_EQ(run.RowsStored(), rows_when_stopped) << "nothing is fetched while stopped";
    EXPECT_TRUE(idle());

    run.engine().StartFetching();
    ASSERT_TRUE(run.RunUntil([&] { return AllStored(); }, 90000));
    for (int i = 0; i < 10; ++i) run.Tick();
    ExpectRecordingsStored();
    ExpectOneRowEach(run.Rows());
}

} // namespace
} // namespace engine_test
