// The station killed at random points of its downloads and started again, fifty times: every
// recording ends up on disk byte for byte with exactly one row. POSIX only: the station runs
// as a child process of the test (station_engine_host), the devices in the test.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <spawn.h>
#include <sys/wait.h>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "station_run.h"
#include "tests/support/standin/scenario.h"
#include "tests/support/standin/standin_device.h"

extern char** environ;

namespace engine_test {
namespace {

constexpr int kKills = 50;
constexpr int kRecordingsPerDevice = 12;

void RemoveTree(const std::string& path) {
    for (const plat::DirEntry& e : plat::list_directory(path)) {
        const std::string child = plat::include_trailing_separator(path) + e.name;
        if (e.is_directory) RemoveTree(child); else plat::remove_file(child);
    }
    plat::remove_directory(path);
}

pid_t StartStation(const std::string& folder) {
    std::vector<std::string> args = {STATION_ENGINE_HOST, folder};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0].c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
    return pid;
}

void Kill(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

class KillRestart : public ::testing::Test {
protected:
    KillRestart() {
        folder_ = plat::include_trailing_separator(plat::current_directory()) + "engine-kill";
        RemoveTree(folder_);
        plat::force_directories(folder_);
    }
    ~KillRestart() override {
        for (auto& d : devices_) d->stop();
        if (!HasFailure()) RemoveTree(folder_);
    }

    void AddDevices() {
        for (int n = 1; n <= 2; ++n) {
            char id[24];
            std::snprintf(id, sizeof id, "STANDIN-%02d", n);
            standin::DeviceConfig config;
            config.label = id;
            config.device_id = id;
            config.recordings = standin::generated_recordings(
                kRecordingsPerDevice, n == 1 ? standin::WavLayout::Pcm : standin::WavLayout::Adpcm17,
                n == 1 ? "d01-" : "d02-");
            for (const standin::Recording& r : config.recordings) {
                expected_[std::string(id) + "\\" + r.date + "\\" + r.name] = r.content;
            }
            devices_.push_back(std::make_unique<standin::Device>(config));
            ASSERT_TRUE(devices_.back()->start());
        }
    }
    void WriteSettings() {
        const std::string lib_ini = folder_ + "\\tarnlib.ini";
        plat::ini_write_string(lib_ini, "Network", "Count", std::to_string(devices_.size()));
        for (std::size_t i = 0; i < devices_.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            plat::ini_write_string(lib_ini, "Network", "IP" + n, "127.0.0.1");
            plat::ini_write_string(lib_ini, "Network", "Port" + n, std::to_string(devices_[i]->port()));
        }
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        const int port = 20000 + static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(now).count() % 1500) * 20;
        plat::ini_write_string(lib_ini, "LocalIP", "IP", "127.0.0.1");
        plat::ini_write_string(lib_ini, "LocalIP", "Port", std::to_string(port));
        plat::ini_write_string(lib_ini, "FTPInfo", "ConnMode", "1");
        const std::string ini = folder_ + "\\Velquist.ini";
        plat::ini_write_string(ini, "DB", "ConnMode", "1");
        plat::ini_write_string(ini, "DB", "LocalAccess", "1");
    }

    std::vector<std::string> RowPaths() {
        calldb::TMyDataModule database([this] { return StationFileDatabase(folder_); });
        std::vector<std::string> paths;
        for (const station::ACallLogInfo& r : AllRows(database)) paths.push_back(r.WaveFilePath);
        return paths;
    }
    bool AllFilesStored() const {
        for (const auto& d : devices_) {
            if (d->recordings_left() != 0) return false;
        }
        for (const auto& [rel, content] : expected_) {
            if (!plat::file_exists(folder_ + "\\Data\\" + rel)) return false;
        }
        return true;
    }

    std::string folder_;
    std::vector<std::unique_ptr<standin::Device>> devices_;
    std::map<std::string, std::vector<std::uint8_t>> expected_;  // row path -> content
};

TEST_F(KillRestart, FiftyKillsAtRandomPointsLoseNoRecordingAndNoRow) {
    AddDevices();
    WriteSettings();
    const unsigned seed = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    // The station needs about half a second to log in, then fetches one recording per device
    // about every quarter second: lives of 0.3 to 1.5 s end in every phase of the downloads.
    std::uniform_int_distribution<int> life_ms(300, 1500);
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t station = StartStation(folder_);
        ASSERT_GT(station, 0);
        plat::sleep_ms(static_cast<std::uint32_t>(life_ms(random)));
        Kill(station);
    }

    const pid_t station = StartStation(folder_);
    ASSERT_GT(station, 0);
    bool done = false;
    for (int waited = 0; waited < 60000 && !done; waited += 200) {
        done = AllFilesStored() && RowPaths().size() >= expected_.size();
        if (!done) plat::sleep_ms(200);
    }
    plat::sleep_ms(1000);  // a duplicate row would come within this
    Kill(station);
    ASSERT_TRUE(done) << "rows " << RowPaths().size();

    for (const auto& [rel, content] : expected_) {
        std::string stored;
        ASSERT_TRUE(plat::read_whole_file(folder_ + "\\Data\\" + rel, stored)) << rel;
        EXPECT_TRUE(stored == std::string(content.begin(), content.end())) << rel;
    }
    std::set<std::string> names_on_disk;
    for (const std::string device : {"STANDIN-01", "STANDIN-02"}) {
        for (const plat::DirEntry& day : plat::list_directory(folder_ + "\\Data\\" + device)) {
            if (!day.is_directory) continue;
            for (const plat::DirEntry& e : plat::list_directory(folder_ + "\\Data\\" + device + "\\" + day.name)) {
                names_on_disk.insert(device + "\\" + day.name + "\\" + e.name);
            }
        }
    }
    std::set<std::string> expected_names;
    for (const auto& [rel, content] : expected_) expected_names.insert(rel);
    EXPECT_EQ(names_on_disk, expected_names) << "no download or resume file is left";

    const std::vector<std::string> paths = RowPaths();
    const std::multiset<std::string> rows(paths.begin(), paths.end());
    EXPECT_EQ(rows.size(), expected_.size());
    for (const std::string& rel : expected_names) EXPECT_EQ(rows.count(rel), 1u) << rel;
}

} // namespace
} // namespace engine_test
#endif
