// standin-device: one process hosting N stand-in recording devices.
//
//   standin-device [--scenario FILE] [--device key=value,key=value...]... [--seconds N] [--quiet]
//
// Each device prints "ready <label> <address>:<port>" once it listens, then one line per
// command received (unless --quiet). The program ends on SIGINT or SIGTERM, or after N seconds
// (default 3600, so that a forgotten process does not send for ever).
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <sstream>
#include <thread>

#include "platform/files.h"
#include "tests/support/standin/scenario.h"

namespace {

std::atomic<bool> g_stop{false};
void on_signal(int) { g_stop = true; }

int usage(const char* why) {
    std::fprintf(stderr, "standin-device: %s\n"
                 "usage: standin-device [--scenario FILE] [--device k=v,k=v...]... "
                 "[--seconds N] [--quiet]\n", why);
    return 2;
}

void print_command(const standin::DeviceConfig& c, const standin::ReceivedCommand& r) {
    std::printf("%llu %s recv code=%u a=%u proto=%u b=%u p1=%d p2=%d p3=%d p4=%d size=%zu%s from=%s:%u\n",
                static_cast<unsigned long long>(r.at_ms), c.label.c_str(), r.code, r.a,
                r.protocol, r.b, r.p1, r.p2, r.p3, r.p4, r.size, r.well_formed ? "" : " malformed",
                r.from.ip_text().c_str(), r.from.port);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<standin::ScenarioDevice> devices;
    long seconds = 3600;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        std::string error;
        if (arg == "--scenario" && has_value) {
            std::string text;
            if (!plat::read_whole_file(argv[++i], text)) return usage("cannot read the scenario");
            auto more = standin::parse_scenario(text, error);
            if (!error.empty()) return usage(error.c_str());
            devices.insert(devices.end(), more.begin(), more.end());
        } else if (arg == "--device" && has_value) {
            standin::ScenarioDevice d;
            std::stringstream ss(argv[++i]);
            for (std::string kv; std::getline(ss, kv, ',');) {
                const auto eq = kv.find('=');
                if (eq == std::string::npos) return usage(("expected key=value: " + kv).c_str());
                if (!standin::apply_setting(d, kv.substr(0, eq), kv.substr(eq + 1), error))
                    return usage(error.c_str());
            }
            devices.push_back(std::move(d));
        } else if (arg == "--seconds" && has_value) {
            seconds = std::strtol(argv[++i], nullptr, 10);
            if (seconds <= 0 || seconds > 86400) return usage("--seconds must be 1..86400");
        } else if (arg == "--quiet") {
            quiet = true;
        } else {
            return usage(("unknown argument: " + arg).c_str());
        }
    }
    if (devices.empty()) return usage("no device");

    std::signal(SIGINT, on_signal);
    std::signal(SIGTERM, on_signal);
    std::vector<std::unique_ptr<standin::Device>> running;
    for (const auto& d : devices) {
        auto dev = std::make_unique<standin::Device>(d.config);
        for (const auto& f : d.faults) dev->add_fault(f);
        if (!dev->start()) {
            std::fprintf(stderr, "standin-device: %s cannot bind %s:%u\n", d.config.label.c_str(),
                         d.config.bind_ip.c_str(), d.config.port);
            return 1;
        }
        std::printf("ready %s %s:%u\n", d.config.label.c_str(), d.config.bind_ip.c_str(), dev->port());
        running.push_back(std::move(dev));
    }
    std::fflush(stdout);

    std::vector<std::size_t> printed(running.size(), 0);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!g_stop && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (quiet) continue;
        for (std::size_t i = 0; i < running.size(); ++i) {
            const auto log = running[i]->commands();
            for (; printed[i] < log.size(); ++printed[i])
                print_command(devices[i].config, log[printed[i]]);
        }
        std::fflush(stdout);
    }
    for (auto& d : running) d->stop();
    return 0;
}
