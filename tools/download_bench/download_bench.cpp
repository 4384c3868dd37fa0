// download_bench: downloads one file from a recording device (the stand-in device program in
// another process) through the library's exports and prints the figures of the run:
//
//   download_bench --device IP:PORT --window W --size BYTES [--label TEXT] [--folder DIR]
//
// It first measures the round trip to the device with its own socket (a login and its
// answer, then a logout), then starts the library in active mode, asks for the device's next
// file and downloads it. Printed: MiB/s, CPU milliseconds per MiB of this process, and the
// ratio of the throughput to the protocol's bound. The library sends a window's acknowledgement
// on its sender's next pass, every 30 ms, and the device's next window answers it: one window
// per sender period, or per round trip when that is longer, is the most a device can deliver.
// Only the given device address is ever sent to.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/udp_endpoint.h"
#include "tarnlink/tarnlink.h"
#include "tarnlink/wire_format.h"
#include "tools/download_bench/bench_support.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kSenderPeriodSeconds = 0.030;

int fail(const char* why) { return bench::fail("download_bench", why); }

// Median time from a login command to its answer, over a few tries (bounded).
double measure_round_trip(const plat::SocketAddress& device) {
    plat::UdpEndpoint socket;
    if (!socket.open("", 0)) return -1;
    std::vector<double> samples;
    std::uint8_t buffer[tarnlink::WireSizes::max_datagram];
    for (int i = 0; i < 7; ++i) {
        const tarnlink::pc_command login = tarnlink::build_login(1, 7, 100, "pelum", "pelum");
        const auto sent = Clock::now();
        if (socket.send_to(&login, sizeof login, device) != static_cast<int>(sizeof login)) break;
        plat::SocketAddress from;
        const int n = socket.receive_from(buffer, sizeof buffer, from, 1000);
        if (n >= static_cast<int>(tarnlink::WireSizes::message))
            samples.push_back(std::chrono::duration<double>(Clock::now() - sent).count());
    }
    const tarnlink::pc_command logout = tarnlink::build_logout(1);
    socket.send_to(&logout, sizeof logout, device);
    if (samples.empty()) return -1;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    std::string device_text, label = "run", folder;
    int window = 100;
    long long size = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--device") device_text = value;
        else if (key == "--window") window = std::atoi(value.c_str());
        else if (key == "--size") size = std::atoll(value.c_str());
        else if (key == "--label") label = value;
        else if (key == "--folder") folder = value;
        else return fail("unknown argument");
    }
    const std::size_t colon = device_text.rfind(':');
    plat::SocketAddress device;
    if (colon == std::string::npos || !plat::parse_ipv4(device_text.substr(0, colon), device.ip))
        return fail("--device IP:PORT is required");
    device.port = static_cast<std::uint16_t>(std::atoi(device_text.c_str() + colon + 1));
    if (size <= 0) return fail("--size BYTES is required");
    if (folder.empty()) folder = plat::current_directory() + "\\download_bench";
    plat::force_directories(folder);
    folder = plat::include_trailing_separator(folder);

    plat::NetworkStartup network;
    const double rtt = measure_round_trip(device);
    if (rtt < 0) return fail("the device does not answer");

    const std::string ini = folder + "tarnlib.ini";
    plat::write_whole_file(ini, "[General]\r\nPackNumPerCircle=" + std::to_string(window) +
                                    "\r\n[Network]\r\nCount=1\r\nIP1=" + device.ip_text() +
                                    "\r\nPort1=" + std::to_string(device.port) + "\r\n");
    kvftp_set_cfgfile(ini.c_str());
    if (kvftp_init(nullptr, 0) != 0) return fail("kvftp_init failed");
    ftp_event e{};
    if (!bench::wait_event(EVT_FTP_LOGIN_SUCC, e, 5000)) return fail("no login");
    kvftp_query_newfile(0, 0);
    if (!bench::wait_event(EVT_FTP_NEWFILE_INFO, e, 5000) || e.p1 != size)
        return fail("the device offers no file of that size");
    char name[100] = {};
    std::int32_t index = 0;
    kvftp_get_bd_param(0, 0, BD_PARAM_NEWFILE_NAME, name);
    kvftp_get_bd_param(0, 0, BD_PARAM_DB_INDEX, &index);
    const std::string local = folder + label + ".bin";
    plat::remove_file(local);

    const double cpu_before = bench::cpu_seconds();
    const auto started = Clock::now();
    if (kvftp_start_uploadfile(0, name, static_cast<int>(size), nullptr, local.c_str(), 1, index,
                               1) != 0)
        return fail("the download does not start");
    const bool ended = bench::wait_event(EVT_FTP_TRANSFER_END, e, 600000);
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    const double cpu = bench::cpu_seconds() - cpu_before;
    kvftp_release();
    if (!ended || e.p1 != UPL_RESULT_OK) return fail("the download failed");
    plat::remove_file(local);

    const double mib = static_cast<double>(size) / (1024.0 * 1024.0);
    const double rate = mib / seconds;
    const double bound = (window / 1024.0) / std::max(kSenderPeriodSeconds, rtt);  // MiB/s
    std::printf("%-28s W=%-3d %8.2f MiB/s  %7.2f CPU ms/MiB  bound %6.2f MiB/s  ratio %.2f  "
                "(rtt %.3f ms, %.1f MiB in %.2f s)\n",
                label.c_str(), window, rate, cpu * 1000.0 / mib, bound, rate / bound, rtt * 1000.0,
                mib, seconds);
    return 0;
}
