// The connection state machine and the connection requests, stepped by hand on a manual
// clock: no sockets, no threads.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/tarnlink/test_support.h"

namespace tarnlink {
namespace {

using tarnlink_test::OfflineLibrary;
using tarnlink_test::drain;
using tarnlink_test::take_events;

std::vector<std::string> mode_ini(int mode, int count = 2) {
    std::vector<std::string> lines = {"[LogInfo]", "LogLevel=debug", "[General]",
                                      "PackNumPerCircle=20", "[Network]",
                                      "Count=" + std::to_string(count)};
    for (int n = 1; n <= count; ++n) {
        lines.push_back("IP" + std::to_string(n) + "=127.0.0." + std::to_string(n + 10));
        lines.push_back("Port" + std::to_string(n) + "=" + std::to_string(7000 + n));
        lines.push_back("Serial" + std::to_string(n) + "=SER-" + std::to_string(n));
    }
    lines.push_back("User1=operator-with-a-long-name");
    lines.push_back("[FTPInfo]");
    lines.push_back("ConnMode=" + std::to_string(mode));
    lines.push_back("FTPID=2");
    return lines;
}

// Steps the machine `ms` milliseconds later.
void step_after(OfflineLibrary& t, std::uint32_t ms) {
    t.platform.clock.advance_ms(ms);
    t.lib->step_states();
}

std::vector<int> codes_of(const std::vector<pc_command>& commands) {
    std::vector<int> codes;
    for (const pc_command& c : commands) codes.push_back(c.code);
    return codes;
}

std::vector<int> event_codes(Library& lib) {
    std::vector<int> codes;
    for (const ftp_event& e : take_events(lib)) codes.push_back(e.code);
    return codes;
}

device_response login_answer(std::int32_t seq, std::int32_t value8) {
    device_response r = make_response(DEV_RSP_LOGIN_ACK, seq);
    r.value8 = value8;
    r.byte5 = 4;
    return r;
}

TEST(Session, ActiveModeLogsInWithTheLoginCommand) {
    OfflineLibrary t("session-login", mode_ini(1));
    EXPECT_EQ(t.lib->device_info(0).state, BD_STATE_CONNECT);
    t.lib->step_states();
    const std::vector<pc_command> sent = drain(*t.lib, 0);
    ASSERT_EQ(codes_of(sent), std::vector<int>{PC_CMD_LOGIN});
    EXPECT_EQ(sent[0].a, 7);             // client kind of network mode
    EXPECT_EQ(sent[0].protocol_id, 2);   // FTPID
    EXPECT_EQ(sent[0].p1, 20);           // packets per window
    EXPECT_EQ(command_text(sent[0], 0, 16), "operator-with-a");  // 15 of 27 characters
    EXPECT_EQ(command_text(sent[0], 16, 16), "pelum");
    EXPECT_EQ(t.lib->device_info(0).state, BD_STATE_WAIT_LOGIN_ACK);

    t.deliver(0, login_answer(7, 1));
    t.deliver(0, login_answer(8, 1));  // a second answer finds the device no longer waiting
    EXPECT_EQ(event_codes(*t.lib), std::vector<int>{EVT_FTP_LOGIN_SUCC});
    const bd_info b = t.lib->device_info(0);
    EXPECT_EQ(b.state, BD_STATE_LOGGED_IN);
    EXPECT_EQ(b.channel_count, 4);
    const std::string log = t.log_text();
    EXPECT_NE(log.find("bd0 start to login 127.0.0.11:7001 "), std::string::npos);
    EXPECT_NE(log.find("bd0 send login, packnum = 20\r\n"), std::string::npos);
    EXPECT_NE(log.find("bd0 get login ack succ "), std::string::npos);
}

TEST(Session, RefusalCausesAndTheRetryAfterEightSeconds) {
    for (int cause : {2, 3, 4, 6}) {
        SCOPED_TRACE(cause);
        OfflineLibrary t("session-refuse", mode_ini(1, 1));
        t.lib->step_states();
        drain(*t.lib, 0);
        t.deliver(0, login_answer(1, cause));
        const std::vector<ftp_event> events = take_events(*t.lib);
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].code, EVT_FTP_LOGIN_FAIL);
        EXPECT_EQ(events[0].p1, cause);
        EXPECT_EQ(events[0].p2, 0);
        step_after(t, 10);  // RESET -> IDLE
        EXPECT_EQ(t.lib->device_info(0).state, BD_STATE_IDLE);
        step_after(t, 8000);
        EXPECT_EQ(t.lib->device_info(0).state, BD_STATE_IDLE);
        step_after(t, 1);
        step_after(t, 0);
        EXPECT_EQ(codes_of(drain(*t.lib, 0)), std::vector<int>{PC_CMD_LOGIN});
    }
}

TEST(Session, NoAnswerFailsWithCauseFiveEverySixteenSeconds) {
    OfflineLibrary t("session-silent", mode_ini(1, 1));
    std::vector<std::uint32_t> failures;
    const std::uint32_t start = t.platform.clock.now_ms();
    for (int i = 0; i < 45 * 20; ++i) {  // 45 s in steps of 50 ms
        step_after(t, 50);
        for (const ftp_event& e : take_events(*t.lib)) {
            EXPECT_EQ(e.code, EVT_FTP_LOGIN_FAIL);
            EXPECT_EQ(e.p1, 5);
            EXPECT_EQ(e.p2, 8000);
            failures.push_back(t.platform.clock.now_ms() - start);
        }
    }
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_NEAR(static_cast<double>(failures[1] - failures[0]), 16000, 250);  // a few 50 ms steps
    EXPECT_NEAR(static_cast<double>(failures[2] - failures[1]), 16000, 250);  // a few 50 ms steps
}

TEST(Session, HostNames) {
    OfflineLibrary t("session-names", {"[Network]", "Count=2", "IP1=no-such-device.invalid",
                                       "IP2=recorder.test"});
    t.lib->set_host_resolver([](const std::string& host, std::uint32_t& ip) {
        if (host != "recorder.test") return false;
        return plat::parse_ipv4("127.0.0.9", ip);
    });
    t.lib->step_states();
    const std::vector<ftp_event> events = take_events(*t.lib);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].device, 0);
    EXPECT_EQ(events[0].p1, 7);
    EXPECT_EQ(t.lib->device_info(0).state, BD_STATE_RESET);
    EXPECT_STREQ(t.lib->device_info(1).address, "127.0.0.9");
    EXPECT_EQ(t.lib->device_info(1).state, BD_STATE_WAIT_LOGIN_ACK);
}

TEST(Session, HeartbeatsAndTheHeartbeatTimeout) {
    OfflineLibrary t("session-heart", mode_ini(1, 1));
    std::int32_t seq = 1;
    t.log_in(0, seq);
    take_events(*t.lib);
    step_after(t, 499);
    EXPECT_TRUE(drain(*t.lib, 0).empty());
    step_after(t, 1);
    EXPECT_EQ(codes_of(drain(*t.lib, 0)), std::vector<int>{PC_CMD_HEARTBEAT});
    // Answers keep the session; then silence for the time-out (5000 ms by default).
    for (int i = 0; i < 20; ++i) {
        step_after(t, 500);
        t.deliver(0, make_response(DEV_RSP_HEART_ACK, seq++));
    }
    EXPECT_TRUE(take_events(*t.lib).empty());
    drain(*t.lib, 0);
    step_after(t, 4999);
    EXPECT_TRUE(take_events(*t.lib).empty());
    step_after(t, 1);
    EXPECT_EQ(event_codes(*t.lib), std::vector<int>{EVT_FTP_DISCONNECT});
    EXPECT_EQ(t.lib->device_info(0).state, BD_STATE_LOGOUT);
    EXPECT_EQ(t.lib->device_info(0).last_seq, -1);
    EXPECT_NE(t.log_text().find("[alert] board1 disconnected - heart timeout (5000)\r\n"),
              std::string::npos);
    step_after(t, 50);
    const std::vector<pc_command> sent = drain(*t.lib, 0);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().code, PC_CMD_LOGOUT);
    // 8 s waiting after the logout, 8 s idle, then a new login.
    for (int i = 0; i < 16 * 20 + 4; ++i) step_after(t, 50);
    EXPECT_EQ(codes_of(drain(*t.lib, 0)), std::vector<int>{PC_CMD_LOGIN});
}

TEST(Session, TickWrapEndsEveryWaitEarly) {
    OfflineLibrary t("session-wrap", mode_ini(1, 1));
    t.platform.clock.set_ticks(0xFFFFFF00u);
    t.lib->step_states();  // login sent, timer near the top
    drain(*t.lib, 0);
    t.platform.clock.set_ticks(10);  // wrapped: 266 ms later
    t.lib->step_states();
    const std::vector<ftp_event> events = take_events(*t.lib);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].p1, 5);
}

TEST(Session, DeviceMessagesEndingTheSession) {
    struct Case { std::uint8_t type; int event; int state; };
    const Case cases[] = {
        {DEV_RSP_LOGOUT, EVT_FTP_DEV_LOGOUT, BD_STATE_IDLE},
        {DEV_RSP_PC_TIMEOUT, EVT_FTP_DISCONNECT, BD_STATE_LOGOUT},
        {DEV_RSP_CLOSE, EVT_FTP_DISCONNECT, BD_STATE_LOGOUT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        OfflineLibrary t("session-end", mode_ini(1, 1));
        std::int32_t seq = 1;
        t.log_in(0, seq);
        take_events(*t.lib);
        t.deliver(0, make_response(c.type, seq++));
        EXPECT_EQ(event_codes(*t.lib), std::vector<int>{c.event});
        EXPECT_EQ(t.lib->device_info(0).state, c.state);
    }
    // A close outside a session changes nothing.
    OfflineLibrary t("session-close-idle", mode_ini(1, 1));
    t.deliver(0, make_response(DEV_RSP_CLOSE, 1));
    EXPECT_TRUE(take_events(*t.lib).empty());
    EXPECT_EQ(t.lib->device_info(0).state, BD_STATE_CONNECT);
}

TEST(Session, EnabledFlag) {
    OfflineLibrary t("session-enable", mode_ini(1, 1));
    std::int32_t seq = 1;
    t.log_in(0, seq);
    const std::int32_t off = 0, on = 1;
    ASSERT_EQ(t.lib->set_bd_param(0, 0, BD_PARAM_ENABLE, &off), 0);
    EXPECT_EQ(t.lib->device_info(0).state, BD_STATE_LOGOUT);
    step_after(t, 50);
    EXPECT_EQ(codes_of(drain(*t.lib, 0)), std::vector<int>{PC_CMD_LOGOUT});
    // Disabled, it rests in IDLE however long it waits.
    for (int i = 0; i < 30 * 20; ++i) step_after(t, 50);
    EXPECT_EQ(t.lib->device_info(0).state, BD_STATE_IDLE);
    EXPECT_TRUE(drain(*t.lib, 0).empty());
    ASSERT_EQ(t.lib->set_bd_param(0, 0, BD_PARAM_ENABLE, &on), 0);
    step_after(t, 50);
    step_after(t, 50);
    EXPECT_EQ(codes_of(drain(*t.lib, 0)), std::vector<int>{PC_CMD_LOGIN});
}

device_response connreq(const std::string& serial, std::int32_t seq = 0) {
    device_response r = make_response(DEV_RSP_CONNREQ, seq);
    std::memcpy(r.data, serial.data(), serial.size());
    return r;
}

plat::SocketAddress sender(const char* ip, std::uint16_t port) {
    plat::SocketAddress a;
    plat::parse_ipv4(ip, a.ip);
    a.port = port;
    return a;
}

TEST(ConnectionRequests, ListenModeMatchesSerialsAndQueuesUnknownOnes) {
    OfflineLibrary t("connreq-listen", mode_ini(0));
    Library& lib = *t.lib;
    EXPECT_EQ(lib.device_info(1).state, BD_STATE_WAIT_CONNREQ);
    EXPECT_STREQ(lib.device_info(1).address, "");
    const std::int32_t off = 0;
    lib.set_bd_param(1, 0, BD_PARAM_ENABLE, &off);  // looked at only in IDLE

    auto arrive = [&](const std::string& serial, const char* ip, std::uint16_t port) {
        const std::vector<std::uint8_t> d = tarnlink_test::datagram_of(connreq(serial));
        lib.handle_listener_datagram(d.data(), d.size(), sender(ip, port));
    };
    arrive("SER-2", "127.0.0.50", 6000);
    bd_info b = lib.device_info(1);
    EXPECT_EQ(b.state, BD_STATE_CONNECT);
    EXPECT_STREQ(b.address, "127.0.0.50");
    EXPECT_STREQ(b.host, "127.0.0.50");
    EXPECT_EQ(b.port, 6000);
    EXPECT_TRUE(take_events(lib).empty());

    arrive("", "127.0.0.51", 6001);  // an empty serial is ignored in listen mode
    arrive("UNKNOWN-SERIAL-THAT-IS-LONGER-THAN-31", "127.0.0.52", 6002);
    const std::vector<ftp_event> events = take_events(lib);
    ASSERT_EQ(events.size(), 1u);
    const ftp_event expected{EVT_FTP_DEVCONN_REQ, 0, -1, 0, 0};
    EXPECT_EQ(std::memcmp(&events[0], &expected, sizeof expected), 0);
    ftp_connreqinfo info;
    ASSERT_EQ(lib.get_connreqinfo(&info), 0);
    EXPECT_STREQ(info.serial, "UNKNOWN-SERIAL-THAT-IS-LONGER-T");
    EXPECT_STREQ(info.address, "127.0.0.52");
    EXPECT_EQ(info.port, 6002);
    EXPECT_EQ(lib.get_connreqinfo(&info), -1);
    EXPECT_EQ(lib.get_connreqinfo(nullptr), -1);

    // 63 wait; the 64th is refused with the alert line and still gives event 54.
    for (int i = 0; i < 64; ++i) arrive("NEW-" + std::to_string(i), "127.0.0.60", 7000);
    EXPECT_EQ(take_events(lib).size(), 64u);
    int waiting = 0;
    while (lib.get_connreqinfo(&info) == 0) ++waiting;
    EXPECT_EQ(waiting, 63);
    EXPECT_NE(t.log_text().find("[alert] conn req info buf is full!\r\n"), std::string::npos);
    EXPECT_NE(t.log_text().find("EVT_FTP_DEVCONN_REQ, 127.0.0.60:7000, NEW-0\r\n"),
              std::string::npos);
}

// A flood of connection requests: one serial waiting for the host is one request and one
// event; many serials fill at most half of the event queue; the devices' own events and a
// transfer end still get through.
TEST(ConnectionRequests, FloodsAreMergedPerSerialAndBoundedToHalfTheQueue) {
    OfflineLibrary t("connreq-flood", mode_ini(0));
    Library& lib = *t.lib;
    auto arrive = [&](const std::string& serial, std::uint16_t port) {
        const std::vector<std::uint8_t> d = tarnlink_test::datagram_of(connreq(serial));
        lib.handle_listener_datagram(d.data(), d.size(), sender("127.0.0.90", port));
    };
    for (int i = 0; i < 1600; ++i) arrive("ONE-SERIAL", static_cast<std::uint16_t>(6000 + i));
    EXPECT_EQ(event_codes(lib), std::vector<int>{EVT_FTP_DEVCONN_REQ});
    ftp_connreqinfo info;
    ASSERT_EQ(lib.get_connreqinfo(&info), 0);
    EXPECT_EQ(info.port, 6000);
    EXPECT_EQ(lib.get_connreqinfo(&info), -1);
    // Once the host has taken it, the serial may announce itself again.
    arrive("ONE-SERIAL", 7000);
    EXPECT_EQ(event_codes(lib), std::vector<int>{EVT_FTP_DEVCONN_REQ});
    ASSERT_EQ(lib.get_connreqinfo(&info), 0);

    for (int i = 0; i < 1600; ++i) arrive("SERIAL-" + std::to_string(i), 6000);
    for (int i = 0; i < 512; ++i) ASSERT_EQ(lib.post_event(EVT_FTP_NEWFILE_INFO, 1, i), 0) << i;
    int connreq_events = 0, device_events = 0;
    for (const ftp_event& e : take_events(lib))
        (e.code == EVT_FTP_DEVCONN_REQ ? connreq_events : device_events) += 1;
    EXPECT_EQ(connreq_events, 511);
    EXPECT_EQ(device_events, 512);
}

TEST(ConnectionRequests, ConfiguredSerialWhileLoggedInChangesNothing) {
    OfflineLibrary t("connreq-busy", mode_ini(0));
    std::int32_t seq = 1;
    t.log_in(0, seq);
    take_events(*t.lib);
    const std::vector<std::uint8_t> d = tarnlink_test::datagram_of(connreq("SER-1"));
    t.lib->handle_listener_datagram(d.data(), d.size(), sender("127.0.0.70", 5000));
    EXPECT_TRUE(take_events(*t.lib).empty());
    EXPECT_EQ(t.lib->device_info(0).state, BD_STATE_LOGGED_IN);
}

TEST(ConnectionRequests, PassiveModeRoutesBySender) {
    OfflineLibrary t("connreq-passive", {"[LogInfo]", "LogLevel=debug", "[Network]", "Count=2",
                                         "Serial1=SER-1", "[FTPInfo]", "ConnMode=2"});
    Library& lib = *t.lib;
    auto shared = [&](const device_response& r, const char* ip, std::uint16_t port) {
        const std::vector<std::uint8_t> d = tarnlink_test::datagram_of(r);
        lib.handle_shared_datagram(d.data(), d.size(), sender(ip, port));
    };
    // An empty serial matches the first device without a serial (device 1).
    shared(connreq(""), "127.0.0.80", 6100);
    EXPECT_EQ(lib.device_info(1).state, BD_STATE_CONNECT);
    EXPECT_NE(t.log_text().find("recv 127.0.0.80:6100 connreq\r\n"), std::string::npos);
    EXPECT_NE(t.log_text().find("bd1 from connreq to login\r\n"), std::string::npos);
    lib.step_states();
    EXPECT_EQ(codes_of(drain(lib, 1)), std::vector<int>{PC_CMD_LOGIN});

    // Only the login answer passes before the session; a stranger gets nothing through.
    shared(make_response(DEV_RSP_SETPARAM_ACK, 1), "127.0.0.80", 6100);
    shared(login_answer(2, 1), "127.0.0.81", 6100);
    EXPECT_TRUE(take_events(lib).empty());
    shared(login_answer(3, 1), "127.0.0.80", 6100);
    EXPECT_EQ(event_codes(lib), std::vector<int>{EVT_FTP_LOGIN_SUCC});
    shared(make_response(DEV_RSP_SETPARAM_ACK, 4), "127.0.0.80", 6100);
    EXPECT_EQ(event_codes(lib), std::vector<int>{EVT_FTP_SETPARAM_ACK});

    // The heartbeat time-out forgets the address in this mode.
    for (int i = 0; i < 11; ++i) step_after(t, 500);
    EXPECT_EQ(event_codes(lib), std::vector<int>{EVT_FTP_DISCONNECT});
    EXPECT_STREQ(lib.device_info(1).address, "");
    EXPECT_EQ(lib.device_info(1).port, 0);
}

} // namespace
} // namespace tarnlink
