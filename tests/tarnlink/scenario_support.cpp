#include "tests/tarnlink/scenario_support.h"

#include <algorithm>
#include <cstring>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/udp_endpoint.h"

namespace tarnlink_test {

LiveLibraryTest::LiveLibraryTest() : dir_("live") {
#ifndef _WIN32
    plat::set_host_address_provider(&hosts_);
#endif
    plat::create_directory(dir_.file("LibLogs"));
}

LiveLibraryTest::~LiveLibraryTest() {
    if (lib_) lib_->release();
    lib_.reset();
    devices_.clear();
    plat::set_host_address_provider(nullptr);
    if (manual_clock_) plat::set_tick_source(nullptr);
}

std::string LiveLibraryTest::library_ip() const {
    return plat::first_host_address();
}

std::string LiveLibraryTest::device_ip() const {
#ifdef _WIN32
    return library_ip();
#else
    return "127.0.0.1";
#endif
}

std::uint16_t LiveLibraryTest::free_port() const {
    plat::UdpEndpoint probe;
    if (!probe.open(library_ip(), 0)) return 0;
    return probe.local_port();
}

standin::DeviceConfig LiveLibraryTest::listening_device() const {
    standin::DeviceConfig c;
    c.bind_ip = device_ip();
    c.port = 0;
    return c;
}

standin::DeviceConfig LiveLibraryTest::announcing_device(const std::string& serial,
                                                         std::uint16_t to_port) const {
    standin::DeviceConfig c = listening_device();
    c.role = standin::Role::Announce;
    c.serial = serial;
    plat::parse_ipv4(library_ip(), c.announce_to.ip);
    c.announce_to.port = to_port;
    c.announce_interval_ms = 200;
    return c;
}

standin::Device& LiveLibraryTest::add_device(const standin::DeviceConfig& config) {
    devices_.push_back(std::make_unique<standin::Device>(config));
    EXPECT_TRUE(devices_.back()->start());
    return *devices_.back();
}

void LiveLibraryTest::use_manual_clock() {
    clock_.set_ticks(1000000);
    plat::set_tick_source(&clock_);
    manual_clock_ = true;
}

int LiveLibraryTest::start_library(const std::vector<std::string>& ini_lines, int mode) {
    write_ini(dir_.file("tarnlib.ini"), ini_lines);
    tarnlink::LibraryOptions options;
    options.library_folder = dir_.path();
    lib_ = std::make_unique<tarnlink::Library>(options);
    // Name look-ups stay off the network: only "recorder.test" resolves.
    const std::string device = device_ip();
    lib_->set_host_resolver([device](const std::string& host, std::uint32_t& ip) {
        return host == "recorder.test" && plat::parse_ipv4(device, ip);
    });
    return lib_->init(nullptr, mode);
}

std::optional<ftp_event> LiveLibraryTest::wait_event(int code, int timeout_ms, int device) {
    auto matches = [&](const ftp_event& e) {
        return e.code == code && (device < 0 || e.device == device);
    };
    const int steps = timeout_ms / 10 + 1;
    for (int i = 0; i < steps; ++i) {
        ftp_event e;
        while (lib_->get_event_async(&e) == 0) pending_.push_back(e);
        for (auto it = pending_.begin(); it != pending_.end(); ++it) {
            if (matches(*it)) {
                const ftp_event found = *it;
                pending_.erase(it);
                return found;
            }
        }
        plat::sleep_ms(10);
    }
    return std::nullopt;
}

void LiveLibraryTest::advance(std::uint32_t ms, std::uint32_t step_ms) {
    for (std::uint32_t done = 0; done < ms; done += step_ms) {
        clock_.advance_ms(step_ms);
        // Ten manual milliseconds per real one: a thread may stall 1/10 of a time-out.
        plat::sleep_ms(std::max<std::uint32_t>(1, step_ms / 10));
    }
}

int LiveLibraryTest::download(int device, const std::string& name, int size,
                              std::int32_t db_index, const std::string& local, int transfer_id,
                              int timeout_ms) {
    const int started = lib_->start_uploadfile(device, name.c_str(), size, nullptr,
                                               dir_.file(local).c_str(), transfer_id, db_index, 1);
    EXPECT_EQ(started, 0);
    if (started != 0) return -100;
    const auto e = wait_event(EVT_FTP_TRANSFER_END, timeout_ms, device);
    if (!e) return -200;
    EXPECT_EQ(e->p2, transfer_id);
    return e->p1;
}

::testing::AssertionResult LiveLibraryTest::same_file(const std::string& local,
                                                      const std::vector<std::uint8_t>& content) {
    std::string got;
    if (!plat::read_whole_file(dir_.file(local), got))
        return ::testing::AssertionFailure() << local << " missing";
    if (got.size() != content.size() ||
        (!got.empty() && std::memcmp(got.data(), content.data(), got.size()) != 0))
        return ::testing::AssertionFailure()
               << local << ": " << got.size() << " bytes, expected " << content.size();
    return ::testing::AssertionSuccess();
}

} // namespace tarnlink_test
