// A host process killed in the middle of a download and started again resumes the download
// and ends with the device's file. POSIX only: the host is a child process of the test.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

#include "platform/clock.h"
#include "platform/files.h"
#include "tarnlink/wire_format.h"
#include "tests/support/standin/scenario.h"
#include "tests/tarnlink/test_support.h"

extern char** environ;

namespace tarnlink {
namespace {

std::uint64_t fnv1a(const std::string& bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
    return h;
}

pid_t start_host(const std::string& device, const std::string& path) {
    const std::string program = TARNLINK_DOWNLOAD_HOST;
    std::vector<std::string> args = {program, "--device", device, "--path", path};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
    return pid;
}

// The child's exit status, waiting at most `timeout_ms`; -1 when it has not ended.
int wait_exit(pid_t pid, int timeout_ms) {
    for (int waited = 0; waited <= timeout_ms; waited += 20) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
        plat::sleep_ms(20);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

TEST(Restart, KilledHostResumesAndTheFileMatches) {
    tarnlink_test::ScratchDir dir("restart");
    standin::DeviceConfig config;
    config.bind_ip = "127.0.0.1";
    config.recordings = standin::sized_recordings({1024 * 1024 + 123});
    config.window_wait_ms = 60;
    standin::Device dev(config);
    ASSERT_TRUE(dev.start());
    const std::string device = "127.0.0.1:" + std::to_string(dev.port());
    const std::string path = dir.file("recording.bin");

    const pid_t first = start_host(device, path);
    ASSERT_GT(first, 0);
    // Kill it once a few windows are complete (bounded wait).
    bool some_windows = false;
    for (int i = 0; i < 500 && !some_windows; ++i) {
        const auto transfers = dev.transfers();
        some_windows = !transfers.empty() && transfers.back().windows >= 5;
        plat::sleep_ms(10);
    }
    ASSERT_TRUE(some_windows);
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    EXPECT_TRUE(plat::file_exists(path + ".ltf"));
    EXPECT_TRUE(plat::file_exists(path + ".dxc"));
    EXPECT_FALSE(plat::file_exists(path));

    dev.clear_log();
    const pid_t second = start_host(device, path);
    ASSERT_GT(second, 0);
    EXPECT_EQ(wait_exit(second, 60000), 0);
    const auto request = dev.wait_for(PC_CMD_REQUEST_FILE, 100);
    ASSERT_TRUE(request.has_value());
    EXPECT_GE(request->p2, 50);  // resumed from a complete window, not from the start
    std::string got;
    ASSERT_TRUE(plat::read_whole_file(path, got));
    const auto& content = config.recordings[0].content;
    EXPECT_EQ(fnv1a(got), fnv1a(std::string(content.begin(), content.end())));
    EXPECT_FALSE(plat::file_exists(path + ".dxc"));
}

} // namespace
} // namespace tarnlink
#endif
