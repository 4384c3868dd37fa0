// Sessions over real sockets against stand-in devices: logins in every mode, refusals,
// heartbeat silence, connection requests, port allocation, device parameters, release.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/udp_endpoint.h"
#include "tarnlink/transport.h"
#include "tests/tarnlink/scenario_support.h"

namespace tarnlink {
namespace {

using tarnlink_test::LiveLibraryTest;

std::vector<std::string> base_ini(int mode, std::uint16_t port) {
    return {"[LogInfo]", "LogLevel=debug", "[General]", "PackNumPerCircle=10", "[LocalIP]",
            "Port=" + std::to_string(port), "[FTPInfo]", "FTPID=2",
            "ConnMode=" + std::to_string(mode), "[Network]"};
}

void add_device_lines(std::vector<std::string>& ini, int n, const std::string& ip, int port,
                      const std::string& serial = "") {
    const std::string k = std::to_string(n);
    ini.push_back("IP" + k + "=" + ip);
    ini.push_back("Port" + k + "=" + std::to_string(port));
    if (!serial.empty()) ini.push_back("Serial" + k + "=" + serial);
}

class SessionScenario : public LiveLibraryTest {};

TEST_F(SessionScenario, LoginInEveryMode) {
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        const std::uint16_t shared = free_port();
        standin::Device& dev = mode == 1 ? add_device(listening_device())
                                         : add_device(announcing_device("SN-LIVE", shared));
        std::vector<std::string> ini = base_ini(mode, shared);
        ini.push_back("Count=1");
        add_device_lines(ini, 1, mode == 1 ? device_ip() : "", mode == 1 ? dev.port() : 0,
                         "SN-LIVE");
        ASSERT_EQ(start_library(ini), 0);
        ASSERT_TRUE(wait_event(EVT_FTP_LOGIN_SUCC, 5000, 0).has_value());
        const standin::SessionInfo session = dev.session();
        EXPECT_TRUE(session.logged_in);
        EXPECT_EQ(session.client_kind, 7);
        EXPECT_EQ(session.protocol, 2);
        EXPECT_EQ(session.packets_per_window, 10);
        EXPECT_TRUE(dev.wait_for(PC_CMD_HEARTBEAT, 3000).has_value());
        lib_->release();
        // Logged-in devices are logged out by the release.
        EXPECT_TRUE(dev.wait_for(PC_CMD_LOGOUT, 2000).has_value());
        devices_.clear();
    }
}

TEST_F(SessionScenario, EachRefusalCauseGivesItsEvent) {
    const int causes[] = {2, 3, 4, 6};
    std::vector<std::string> ini = base_ini(1, free_port());
    ini.push_back("Count=4");
    for (int i = 0; i < 4; ++i) {
        standin::Device& dev = add_device(listening_device());
        dev.add_fault(standin::FaultRule::refuse_login(causes[i], standin::kAlways));
        add_device_lines(ini, i + 1, device_ip(), dev.port());
    }
    ASSERT_EQ(start_library(ini), 0);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(causes[i]);
        const auto e = wait_event(EVT_FTP_LOGIN_FAIL, 3000, i);
        ASSERT_TRUE(e.has_value());
        EXPECT_EQ(e->p1, causes[i]);
    }
}

TEST_F(SessionScenario, UnresolvedHostAndSilentDevice) {
    use_manual_clock();
    std::vector<std::string> ini = base_ini(1, free_port());
    ini.push_back("Count=2");
    add_device_lines(ini, 1, "no-such-device.invalid", 7000);
    // A port with nobody behind it on the device address.
    plat::UdpEndpoint silent;
    ASSERT_TRUE(silent.open(device_ip(), 0));
    add_device_lines(ini, 2, device_ip(), silent.local_port());
    ASSERT_EQ(start_library(ini), 0);
    const auto unresolved = wait_event(EVT_FTP_LOGIN_FAIL, 2000, 0);
    ASSERT_TRUE(unresolved.has_value());
    EXPECT_EQ(unresolved->p1, 7);
    advance(8200);
    const auto no_answer = wait_event(EVT_FTP_LOGIN_FAIL, 2000, 1);
    ASSERT_TRUE(no_answer.has_value());
    EXPECT_EQ(no_answer->p1, 5);
    EXPECT_EQ(no_answer->p2, 8000);
}

TEST_F(SessionScenario, HeartbeatSilenceLogsOutAndLogsInAgain) {
    use_manual_clock();
    standin::Device& dev = add_device(listening_device());
    std::vector<std::string> ini = base_ini(1, free_port());
    ini.push_back("Count=1");
    add_device_lines(ini, 1, device_ip(), dev.port());
    ASSERT_EQ(start_library(ini), 0);
    ASSERT_TRUE(wait_event(EVT_FTP_LOGIN_SUCC, 3000).has_value());

    dev.add_fault(standin::FaultRule::silence_heartbeats());
    advance(6000);
    ASSERT_TRUE(wait_event(EVT_FTP_DISCONNECT, 2000, 0).has_value());
    EXPECT_TRUE(dev.wait_for(PC_CMD_LOGOUT, 2000).has_value());
    dev.clear_faults();
    // 8 s waiting after the logout, 8 s idle; the state thread sees the clock only at its
    // steps, so a loaded machine may need a little more before the login.
    advance(15000);
    EXPECT_FALSE(wait_event(EVT_FTP_LOGIN_SUCC, 0, 0).has_value());
    std::optional<ftp_event> login;
    for (int i = 0; i < 40 && !login; ++i) {
        advance(500);
        login = wait_event(EVT_FTP_LOGIN_SUCC, 100, 0);
    }
    ASSERT_TRUE(login.has_value());
    EXPECT_EQ(dev.session().logins, 2);
}

TEST_F(SessionScenario, UnknownSerialIsQueuedForTheHost) {
    const std::uint16_t shared = free_port();
    standin::Device& stranger = add_device(announcing_device("SN-STRANGER", shared));
    std::vector<std::string> ini = base_ini(0, shared);
    ini.push_back("Count=1");
    add_device_lines(ini, 1, "", 0, "SN-KNOWN");
    ASSERT_EQ(start_library(ini), 0);
    const auto e = wait_event(EVT_FTP_DEVCONN_REQ, 3000);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->p1, -1);
    ftp_connreqinfo info;
    ASSERT_EQ(lib_->get_connreqinfo(&info), 0);
    EXPECT_STREQ(info.serial, "SN-STRANGER");
    EXPECT_EQ(std::string(info.address), device_ip());
    EXPECT_EQ(info.port, stranger.port());
}

TEST_F(SessionScenario, DevicePortsSkipATakenPort) {
    const std::uint16_t base = free_port();
    plat::UdpEndpoint taken;
    ASSERT_TRUE(taken.open(library_ip(), static_cast<std::uint16_t>(base + 2)));
    std::vector<std::string> ini = base_ini(1, base);
    ini.push_back("Count=3");
    for (int n = 1; n <= 3; ++n) add_device_lines(ini, n, device_ip(), 9);
    ASSERT_EQ(start_library(ini), 0);
    EXPECT_EQ(lib_->transport().device_port(0), base + 1);
    EXPECT_EQ(lib_->transport().device_port(1), base + 3);
    EXPECT_EQ(lib_->transport().device_port(2), base + 4);
    // Every endpoint holds a window of 100 messages.
    for (int i = 0; i < 3; ++i) EXPECT_GE(lib_->transport().device_receive_buffer(i), 1 << 20);
}

TEST_F(SessionScenario, DeviceParametersReachTheDeviceAndReadBack) {
    standin::DeviceConfig config = listening_device();
    config.device_text = "RECORDER-7";
    config.channels = {{11, "line one", "text one"}, {22, "line two", "text two"}};
    standin::Device& dev = add_device(config);
    std::vector<std::string> ini = base_ini(1, free_port());
    ini.push_back("Count=1");
    add_device_lines(ini, 1, device_ip(), dev.port());
    ASSERT_EQ(start_library(ini), 0);
    ASSERT_TRUE(wait_event(EVT_FTP_LOGIN_SUCC, 3000).has_value());

    ASSERT_EQ(lib_->set_bd_param(0, 0, BD_PARAM_CLOCK, "2026-12-10 13:14:15"), 0);
    const auto clock = dev.wait_for(PC_CMD_SET_PARAM, 2000);
    ASSERT_TRUE(clock.has_value());
    EXPECT_EQ(clock->p2, SETPARAM_CLOCK);
    EXPECT_EQ(clock->payload_text(0, 96), "2026-12-10 13:14:15");
    EXPECT_TRUE(wait_event(EVT_FTP_SETPARAM_ACK, 2000).has_value());

    ASSERT_EQ(lib_->set_bd_param(0, 0, BD_PARAM_READ_DEVTEXT, "x"), 0);
    ASSERT_TRUE(wait_event(EVT_FTP_GETPARAM_ACK, 2000).has_value());
    char text[32] = {};
    ASSERT_EQ(lib_->get_bd_param(0, 0, BD_PARAM_CLOCK, text), 0);
    EXPECT_STREQ(text, "RECORDER-7");

    ASSERT_EQ(lib_->set_bd_param(0, 0, BD_PARAM_READ_CHANNELS, "x"), 0);
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(wait_event(EVT_FTP_GETPARAM_ACK, 2000).has_value());
    std::int32_t value = 0;
    char name[40] = {};
    ASSERT_EQ(lib_->get_bd_param(0, 1, BD_PARAM_CHAN_VALUE, &value), 0);
    ASSERT_EQ(lib_->get_bd_param(0, 1, BD_PARAM_CHAN_NAME, name), 0);
    EXPECT_EQ(value, 22);
    EXPECT_STREQ(name, "line two");

    const std::int32_t off = 0;
    ASSERT_EQ(lib_->set_bd_param(0, 0, BD_PARAM_ENABLE, &off), 0);
    EXPECT_TRUE(dev.wait_for(PC_CMD_LOGOUT, 2000).has_value());
}

TEST_F(SessionScenario, ReleaseWithAHundredDevicesIsQuick) {
    std::vector<std::string> ini = base_ini(1, free_port());
    ini.push_back("Count=100");
    for (int n = 1; n <= 100; ++n) add_device_lines(ini, n, device_ip(), 9);
    ASSERT_EQ(start_library(ini), 0);
    EXPECT_TRUE(lib_->transport().running());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(lib_->release(), 0);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 1000);
    EXPECT_FALSE(lib_->transport().running());
}

TEST_F(SessionScenario, NoUsableAddressStartsTheRetryThread) {
#ifndef _WIN32
    plat::FixedHostAddresses loopback_only({"127.0.0.1"});
    plat::set_host_address_provider(&loopback_only);
    std::vector<std::string> ini = base_ini(1, free_port());
    ini.push_back("Count=1");
    add_device_lines(ini, 1, device_ip(), 9);
    EXPECT_EQ(start_library(ini), 0);
    EXPECT_FALSE(lib_->transport().running());
    EXPECT_EQ(lib_->release(), 0);
    plat::set_host_address_provider(nullptr);
#endif
}

TEST_F(SessionScenario, OnlyTheFirstLoginSinceLoadEndsTheInitWait) {
    standin::Device& dev = add_device(listening_device());
    std::vector<std::string> ini = base_ini(1, free_port());
    ini.push_back("Count=1");
    add_device_lines(ini, 1, device_ip(), dev.port());
    ASSERT_EQ(start_library(ini), 0);
    ASSERT_TRUE(wait_event(EVT_FTP_LOGIN_SUCC, 3000).has_value());
    ASSERT_EQ(lib_->release(), 0);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(lib_->init(nullptr, 1), 0);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 990);
    std::string log;
    plat::read_whole_file(dir_.file("LibLogs\\" + plat::extract_file_name(
                                                        lib_->log().file_name_for_today())),
                          log);
    EXPECT_NE(log.find("[debug] sys: Query net device end.\r\n"), std::string::npos);
    EXPECT_NE(log.find("[warn] sys: Querying net device is timeout (1000 ms)\r\n"),
              std::string::npos);
}

TEST_F(SessionScenario, ASharedPortInUseFailsTheStart) {
    plat::UdpEndpoint taken;
    ASSERT_TRUE(taken.open(library_ip(), 0));
    std::vector<std::string> ini = base_ini(0, taken.local_port());
    ini.push_back("Count=1");
    add_device_lines(ini, 1, "", 0, "SN-1");
    EXPECT_EQ(start_library(ini), -2);
    EXPECT_TRUE(lib_->initialised());
    EXPECT_FALSE(lib_->transport().running());
    EXPECT_EQ(lib_->release(), 0);
}

TEST_F(SessionScenario, RepeatedInitAndReleaseCycles) {
    standin::Device& dev = add_device(listening_device());
    for (int cycle = 0; cycle < 100; ++cycle) {
        lib_.reset();
        ASSERT_EQ(start_library({"[LogInfo]", "LogLevel=none"}, KVFTP_DIRECT_MODE_SELECTOR), 0);
        ASSERT_EQ(lib_->connect_device(device_ip().c_str(), dev.port(), "pelum", "pelum", "", 0),
                  0);
        if (cycle % 25 == 0) {
            ASSERT_TRUE(wait_event(EVT_FTP_LOGIN_SUCC, 3000).has_value());
        }
        ASSERT_EQ(lib_->release(), 0);
    }
}

} // namespace
} // namespace tarnlink
