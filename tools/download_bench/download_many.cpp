// download_many: fetches one file from each of N recording devices at once (the stand-in device
// program in another process, one device per port) through the library's exports, and measures
// the library idle with every device logged in.
//
//   download_many --devices IP:FIRST_PORT:N --window W [--size BYTES] [--idle-seconds S]
//                 [--folder DIR]
//
// With --size, once every device offers its file all downloads start together; printed:
//   devices N: aggregate X MiB/s, CPU Y ms/MiB, disconnects D, identical K/N
// A download that ends without success is asked for again once its device is logged in (it
// resumes), at most five times, as the station does. With --idle-seconds, afterwards:
//   idle devices N: CPU X % of a core, resident Y MiB, Z KiB per device
// Only the given device addresses are ever sent to.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/udp_endpoint.h"
#include "tarnlink/tarnlink.h"
#include "tests/support/standin/recording_files.h"
#include "tools/download_bench/bench_support.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kMaxDevices = 200;
constexpr int kRequestsPerDevice = 5;

int fail(const char* why) { return bench::fail("download_many", why); }

enum class Phase { LoggingIn, Offered, Fetching, Done, Failed };

struct DeviceRun {
    Phase phase = Phase::LoggingIn;
    bool logged_in = false;
    bool asked = false;  // a new-file query is out
    std::string name;
    std::int32_t db_index = 0;
    int requests = 0;
};

struct Totals {
    int disconnects = 0;
    int requests = 0;
};

double seconds_since(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

class ManyDevices {
public:
    ManyDevices(int count, long long size, std::string folder)
        : devices_(static_cast<std::size_t>(count)), size_(size), folder_(std::move(folder)) {}

    // Handles the events queued now; starts downloads only when `fetching`.
    void poll(bool fetching) {
        ftp_event e{};
        while (kvftp_get_event_async(&e) == 0) {
            if (e.device < 0 || e.device >= static_cast<int>(devices_.size())) continue;
            DeviceRun& d = devices_[static_cast<std::size_t>(e.device)];
            switch (e.code) {
            case EVT_FTP_LOGIN_SUCC:
                d.logged_in = true;
                break;
            case EVT_FTP_DISCONNECT:
            case EVT_FTP_DEV_LOGOUT:
                d.logged_in = false;
                d.asked = false;
                ++totals_.disconnects;
                break;
            case EVT_FTP_NEWFILE_INFO:
                d.asked = false;
                if (e.p1 == size_ && (d.phase == Phase::LoggingIn || d.phase == Phase::Offered)) {
                    char name[100] = {};
                    kvftp_get_bd_param(e.device, 0, BD_PARAM_NEWFILE_NAME, name);
                    kvftp_get_bd_param(e.device, 0, BD_PARAM_DB_INDEX, &d.db_index);
                    d.name = name;
                    d.phase = Phase::Offered;
                }
                break;
            case EVT_FTP_TRANSFER_END:
                if (d.phase != Phase::Fetching) break;
                if (e.p1 == UPL_RESULT_OK) {
                    d.phase = Phase::Done;
                    last_end_ = Clock::now();
                } else {
                    d.phase = d.requests < kRequestsPerDevice ? Phase::LoggingIn : Phase::Failed;
                }
                break;
            default:
                break;
            }
        }
        for (std::size_t i = 0; i < devices_.size(); ++i) {
            DeviceRun& d = devices_[i];
            const int device = static_cast<int>(i);
            if (size_ > 0 && d.logged_in && d.phase == Phase::LoggingIn && !d.asked) {
                d.asked = true;
                kvftp_query_newfile(device, 0);
            } else if (fetching && d.logged_in && d.phase == Phase::Offered) {
                ++d.requests;
                ++totals_.requests;
                d.phase = kvftp_start_uploadfile(device, d.name.c_str(), static_cast<int>(size_),
                                                 nullptr, local_path(i).c_str(), d.requests,
                                                 d.db_index, 1) == 0
                              ? Phase::Fetching
                              : Phase::Failed;
            }
        }
    }

    int count(Phase phase) const {
        int n = 0;
        for (const DeviceRun& d : devices_) n += d.phase == phase ? 1 : 0;
        return n;
    }
    int logged_in() const {
        int n = 0;
        for (const DeviceRun& d : devices_) n += d.logged_in ? 1 : 0;
        return n;
    }

    // Downloads that hold exactly what their device sent; removes every local file.
    int identical() const {
        int same = 0;
        for (std::size_t i = 0; i < devices_.size(); ++i) {
            std::string got;
            if (devices_[i].phase == Phase::Done && plat::read_whole_file(local_path(i), got)) {
                const std::vector<std::uint8_t> sent = standin::pattern_bytes(
                    static_cast<std::size_t>(size_), static_cast<std::uint32_t>(devices_[i].db_index));
                same += got.size() == sent.size() &&
                                std::equal(sent.begin(), sent.end(), got.begin(),
                                           [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); })
                            ? 1
                            : 0;
            }
            plat::remove_file(local_path(i));
        }
        return same;
    }

    const Totals& totals() const { return totals_; }
    Clock::time_point last_end() const { return last_end_; }

private:
    std::string local_path(std::size_t i) const {
        return folder_ + "device" + std::to_string(i + 1) + ".bin";
    }

    std::vector<DeviceRun> devices_;
    long long size_;
    std::string folder_;
    Totals totals_;
    Clock::time_point last_end_ = Clock::now();
};

// Polls until `done` holds or `limit_seconds` passed; true when it held.
template <typename Done>
bool poll_until(ManyDevices& run, bool fetching, double limit_seconds, Done done) {
    const auto started = Clock::now();
    while (!done()) {
        if (seconds_since(started) > limit_seconds) return false;
        run.poll(fetching);
        plat::sleep_ms(10);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string devices_text, folder;
    int window = 100, idle_seconds = 0;
    long long size = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--devices") devices_text = value;
        else if (key == "--window") window = std::atoi(value.c_str());
        else if (key == "--size") size = std::atoll(value.c_str());
        else if (key == "--idle-seconds") idle_seconds = std::atoi(value.c_str());
        else if (key == "--folder") folder = value;
        else return fail("unknown argument");
    }
    const std::size_t first_colon = devices_text.find(':');
    const std::size_t last_colon = devices_text.rfind(':');
    plat::SocketAddress first;
    if (first_colon == std::string::npos || first_colon == last_colon ||
        !plat::parse_ipv4(devices_text.substr(0, first_colon), first.ip))
        return fail("--devices IP:FIRST_PORT:N is required");
    const int first_port = std::atoi(devices_text.c_str() + first_colon + 1);
    const int count = std::atoi(devices_text.c_str() + last_colon + 1);
    if (count < 1 || count > kMaxDevices || first_port < 1 || first_port + count > 65536)
        return fail("1 to 200 devices on ports below 65536");
    if (size < 0 || size >= 0x7FFFFFFF || idle_seconds < 0 || idle_seconds > 3600)
        return fail("--size below 2 GiB, --idle-seconds up to 3600");
    if (size == 0 && idle_seconds == 0) return fail("--size or --idle-seconds is required");
    if (folder.empty()) folder = plat::current_directory() + "\\download_many";
    plat::force_directories(folder);
    folder = plat::include_trailing_separator(folder);

    plat::NetworkStartup network;
    std::string ini = "[General]\r\nPackNumPerCircle=" + std::to_string(window) +
                      "\r\n[Network]\r\nCount=" + std::to_string(count) + "\r\n";
    for (int i = 1; i <= count; ++i) {
        ini += "IP" + std::to_string(i) + "=" + first.ip_text() + "\r\nPort" + std::to_string(i) +
               "=" + std::to_string(first_port + i - 1) + "\r\n";
    }
    plat::write_whole_file(folder + "tarnlib.ini", ini);
    kvftp_set_cfgfile((folder + "tarnlib.ini").c_str());
    const double resident_before = bench::resident_bytes();
    if (kvftp_init(nullptr, 0) != 0) return fail("kvftp_init failed");

    ManyDevices run(count, size, folder);
    int status = 0;
    if (size > 0) {
        if (!poll_until(run, false, 60, [&] { return run.count(Phase::Offered) == count; })) {
            kvftp_release();
            return fail("not every device logged in and offered a file of that size");
        }
        const double cpu_before = bench::cpu_seconds();
        const auto started = Clock::now();
        poll_until(run, true, 900, [&] {
            return run.count(Phase::Done) + run.count(Phase::Failed) == count;
        });
        const double seconds = std::chrono::duration<double>(run.last_end() - started).count();
        const double cpu = bench::cpu_seconds() - cpu_before;
        const double mib = static_cast<double>(size) * run.count(Phase::Done) / (1024.0 * 1024.0);
        const int same = run.identical();
        std::printf("devices %d: aggregate %.1f MiB/s, CPU %.1f ms/MiB, disconnects %d, "
                    "identical %d/%d\n",
                    count, seconds > 0 ? mib / seconds : 0.0, mib > 0 ? cpu * 1000.0 / mib : 0.0,
                    run.totals().disconnects, same, count);
        std::fprintf(stderr, "download_many: %d requests for %d files in %.2f s\n",
                     run.totals().requests, count, seconds);
        status = same == count ? 0 : 1;
    }
    if (idle_seconds > 0) {
        if (!poll_until(run, false, 60, [&] { return run.logged_in() == count; })) {
            kvftp_release();
            return fail("not every device logged in");
        }
        const double resident = bench::resident_bytes();
        const double cpu_before = bench::cpu_seconds();
        const auto started = Clock::now();
        poll_until(run, false, idle_seconds, [] { return false; });
        const double cpu = bench::cpu_seconds() - cpu_before;
        std::printf("idle devices %d: CPU %.2f %% of a core, resident %.1f MiB, %.0f KiB per "
                    "device\n",
                    count, 100.0 * cpu / seconds_since(started), resident / (1024.0 * 1024.0),
                    (resident - resident_before) / 1024.0 / count);
    }
    kvftp_release();
    return status;
}
