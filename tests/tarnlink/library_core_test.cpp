// The library's frame: init and release, the event queue, the settings file, the log, the
// command ring, the acceptance of responses and device parameters - all without sockets.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/ini_file.h"
#include "tarnlink/event_queue.h"
#include "tarnlink/library_log.h"
#include "tarnlink/settings.h"
#include "tests/tarnlink/test_support.h"

namespace tarnlink {
namespace {

using tarnlink_test::OfflineLibrary;
using tarnlink_test::ReplacedPlatform;
using tarnlink_test::ScratchDir;
using tarnlink_test::drain;
using tarnlink_test::take_events;

const std::vector<std::string> kTwoDevicesMode1 = {
    "[General]", "PackNumPerCircle=10", "[LogInfo]", "LogLevel=debug", "[Network]", "Count=2",
    "IP1=127.0.0.1", "Port1=7001", "IP2=device.example", "Port2=7002", "User2=admin",
    "Password2=secret", "Serial1=SER-A", "Serial2=SER-B", "[FTPInfo]", "ConnMode=1"};

// ---- event queue ----------------------------------------------------------------------------

TEST(EventQueue, HoldsAtMost1023EventsAndKeepsOrderAcrossTheWrap) {
    EventQueue queue;
    for (int i = 0; i < 1023; ++i)
        ASSERT_EQ(queue.post({51, 0, i, 0, 0}), EventQueue::PostResult::Appended) << i;
    EXPECT_EQ(queue.post({51, 0, 1023, 0, 0}), EventQueue::PostResult::Full);

    // Take and put around the end of the storage several times.
    int next_taken = 0, next_put = 1023;
    for (int round = 0; round < 3000; ++round) {
        ftp_event e{};
        ASSERT_TRUE(queue.take(e));
        ASSERT_EQ(e.p1, next_taken++);
        ASSERT_EQ(queue.post({51, 0, next_put++, 0, 0}), EventQueue::PostResult::Appended);
    }
    ftp_event e{};
    while (queue.take(e)) ASSERT_EQ(e.p1, next_taken++);
    EXPECT_EQ(next_taken, next_put);
    EXPECT_FALSE(queue.take(e));
}

TEST(EventQueue, DeviceIndexRangeOfThePostingSide) {
    EventQueue queue;
    EXPECT_EQ(queue.post({51, 239, 0, 0, 0}), EventQueue::PostResult::Appended);
    EXPECT_EQ(queue.post({51, 240, 0, 0, 0}), EventQueue::PostResult::BadDevice);
    EXPECT_EQ(queue.post({51, -1, 0, 0, 0}), EventQueue::PostResult::BadDevice);
}

TEST(EventQueue, ConnectionRequestEventsHoldAtMostHalfAndDeviceEventsKeepTheRest) {
    EventQueue queue;
    int connreqs = 0;
    for (int i = 0; i < 2000 && queue.post({EVT_FTP_DEVCONN_REQ, 0, -1, 0, 0}) ==
                                    EventQueue::PostResult::Appended;
         ++i)
        ++connreqs;
    EXPECT_EQ(connreqs, 511);
    EXPECT_EQ(queue.post({EVT_FTP_DEVCONN_REQ, 0, -1, 0, 0}),
              EventQueue::PostResult::ConnReqLimit);
    for (int i = 0; i < 512; ++i)
        ASSERT_EQ(queue.post({EVT_FTP_TRANSFER_END, 3, 1, i, 0}),
                  EventQueue::PostResult::Appended) << i;
    EXPECT_EQ(queue.post({EVT_FTP_TRANSFER_END, 3, 1, 512, 0}), EventQueue::PostResult::Full);
    // Taking an event 54 frees its share again.
    ftp_event e{};
    ASSERT_TRUE(queue.take(e));
    EXPECT_EQ(e.code, EVT_FTP_DEVCONN_REQ);
    EXPECT_EQ(queue.post({EVT_FTP_DEVCONN_REQ, 0, -1, 0, 0}), EventQueue::PostResult::Appended);
}

TEST(EventExports, EmptyQueueDeviceRangeAndFullQueue) {
    OfflineLibrary t("events", {"[LogInfo]", "LogLevel=error"});
    Library& lib = *t.lib;
    ftp_event e{1, 2, 3, 4, 5};
    EXPECT_EQ(lib.get_event_async(&e), -1);
    EXPECT_EQ(e.code, 1);  // untouched
    EXPECT_EQ(lib.get_event_async(nullptr), -1);
    const ftp_event bad{51, 100, 0, 0, 0};
    const ftp_event good{51, 99, 7, 8, 9};
    EXPECT_EQ(lib.put_event(&bad), -1);
    EXPECT_EQ(lib.put_event(nullptr), -1);
    EXPECT_EQ(lib.put_event(&good), 0);
    ASSERT_EQ(lib.get_event_async(&e), 0);
    EXPECT_EQ(std::memcmp(&e, &good, sizeof e), 0);
    EXPECT_EQ(lib.get_event_async(&e), -1);

    // A dropped event is reported (-1), and posting inside the library logs the loss.
    for (int i = 0; i < 1023; ++i) ASSERT_EQ(lib.put_event(&good), 0);
    EXPECT_EQ(lib.put_event(&good), -1);
    EXPECT_EQ(lib.post_event(51, 0), -1);
    EXPECT_NE(t.log_text().find("[error] Problem writing to global Event Q!\r\n"),
              std::string::npos);
}

// ---- settings -------------------------------------------------------------------------------

struct ClampCase {
    const char* line;
    int LibrarySettings::*field;
    int expected;
};

TEST(Settings, ClampsAndDefaults) {
    ScratchDir dir("settings");
    const ClampCase cases[] = {
        {"", &LibrarySettings::heart_timeout_ms, 5000},
        {"[General]\nHeartTimeoutMs=1000", &LibrarySettings::heart_timeout_ms, 5000},
        {"[General]\nHeartTimeoutMs=60000", &LibrarySettings::heart_timeout_ms, 30000},
        {"[General]\nHeartTimeoutMs=12000", &LibrarySettings::heart_timeout_ms, 12000},
        {"[General]\nHeartIntervalMs=50", &LibrarySettings::heart_interval_ms, 500},
        {"", &LibrarySettings::packets_per_window, 100},
        {"[General]\nPackNumPerCircle=5", &LibrarySettings::packets_per_window, 10},
        {"[General]\nPackNumPerCircle=500", &LibrarySettings::packets_per_window, 100},
        {"[Network]\nCount=150", &LibrarySettings::device_count, 100},
        {"[Network]\nCount=-3", &LibrarySettings::device_count, 0},
        {"[FTPInfo]\nFTPID=7", &LibrarySettings::protocol_id, 1},
        {"[FTPInfo]\nFTPID=3", &LibrarySettings::protocol_id, 3},
        {"[LogInfo]\nLogLevel=DEBUG", &LibrarySettings::log_level, 8},
        {"[LogInfo]\nLogLevel=warn", &LibrarySettings::log_level, 5},
        {"[LogInfo]\nLogLevel=critical", &LibrarySettings::log_level, 3},
        {"[LogInfo]\nLogLevel=emergency", &LibrarySettings::log_level, 0},
        {"[LogInfo]\nLogLevel=verbose", &LibrarySettings::log_level, 0},
        {"", &LibrarySettings::local_port, 8801},
        {"", &LibrarySettings::conn_mode, 1},
    };
    for (const ClampCase& c : cases) {
        SCOPED_TRACE(c.line);
        plat::write_whole_file(dir.file("t.ini"), c.line);
        const LibrarySettings s = read_settings(dir.file("t.ini"));
        EXPECT_EQ(s.*(c.field), c.expected);
    }
}

TEST(Settings, DeviceKeysLengthsAndDefaults) {
    ScratchDir dir("settings-devices");
    const std::string long_text(120, 'x');
    tarnlink_test::write_ini(dir.file("t.ini"),
                             {"[Network]", "Count=2", "IP1=" + long_text, "Serial1=" + long_text,
                              "User1=" + long_text, "Password1=" + long_text, "Port1=9000",
                              "IP2=10.1.2.3", "[LocalIP]", "IP=" + long_text, "Port=8900",
                              "[LogInfo]", "EvtLogEnable=YES"});
    const LibrarySettings s = read_settings(dir.file("t.ini"));
    EXPECT_EQ(s.devices[0].host.size(), 98u);
    EXPECT_EQ(s.devices[0].serial.size(), 28u);
    EXPECT_EQ(s.devices[0].user.size(), 28u);
    EXPECT_EQ(s.devices[0].password.size(), 18u);
    EXPECT_EQ(s.devices[0].port, 9000);
    EXPECT_EQ(s.devices[1].user, "pelum");
    EXPECT_EQ(s.devices[1].password, "pelum");
    EXPECT_EQ(s.devices[1].port, 7000);
    EXPECT_EQ(s.local_ip.size(), 19u);
    EXPECT_EQ(s.local_port, 8900);
    EXPECT_TRUE(s.event_log);
}

TEST(Settings, DeviceTableFromTheFile) {
    OfflineLibrary t("table", kTwoDevicesMode1, 0);
    Library& lib = *t.lib;
    EXPECT_EQ(lib.get_bd_num(), 2);
    const bd_info a = lib.device_info(0);
    const bd_info b = lib.device_info(1);
    EXPECT_STREQ(a.address, "127.0.0.1");
    EXPECT_EQ(a.port, 7001);
    EXPECT_STREQ(a.user, "pelum");
    EXPECT_STREQ(b.host, "device.example");
    EXPECT_STREQ(b.address, "");  // a host name is resolved at each connection
    EXPECT_STREQ(b.user, "admin");
    EXPECT_STREQ(b.password, "secret");
    EXPECT_EQ(b.state, BD_STATE_CONNECT);
    EXPECT_EQ(b.last_seq, -1);
    EXPECT_EQ(b.enabled, 1);
}

// ---- init and release -----------------------------------------------------------------------

TEST(InitRelease, FlowAndStatusConventions) {
    ReplacedPlatform platform;
    ScratchDir dir("init");
    tarnlink_test::write_ini(dir.file("tarnlib.ini"), {"[Network]", "Count=3"});
    LibraryOptions options;
    options.library_folder = dir.path();
    options.offline = true;
    Library lib(options);
    ftp_event e{};
    EXPECT_EQ(lib.get_bd_num(), 0);
    EXPECT_EQ(lib.release(), 0);
    EXPECT_EQ(lib.get_event_async(&e), -10);
    EXPECT_EQ(lib.put_event(&e), -10);
    EXPECT_EQ(lib.query_newfile(0, 0), -10);
    EXPECT_EQ(lib.get_bd_param(0, 0, BD_PARAM_IPADDR, &e), -10);
    EXPECT_EQ(lib.set_cfgfile(nullptr), -1);

    // The settings file beside the library is read; a second init reads nothing again.
    EXPECT_EQ(lib.init(nullptr, 1), 0);
    EXPECT_EQ(lib.get_bd_num(), 3);
    EXPECT_EQ(lib.client_kind(), 7);
    tarnlink_test::write_ini(dir.file("tarnlib.ini"), {"[Network]", "Count=5"});
    EXPECT_EQ(lib.init(nullptr, 1), 0);
    EXPECT_EQ(lib.get_bd_num(), 3);
    EXPECT_FALSE(lib.direct_mode());
    EXPECT_EQ(lib.release(), 0);
    EXPECT_FALSE(lib.initialised());

    // A path given to set_cfgfile wins; the direct-mode selector is the low 16 bits.
    tarnlink_test::write_ini(dir.file("other.ini"), {"[Network]", "Count=9"});
    EXPECT_EQ(lib.set_cfgfile(dir.file("other.ini").c_str()), 0);
    EXPECT_EQ(lib.init(nullptr, 0x30000 | KVFTP_DIRECT_MODE_SELECTOR), 0);
    EXPECT_TRUE(lib.direct_mode());
    EXPECT_EQ(lib.get_bd_num(), 1);
    EXPECT_EQ(lib.client_kind(), 8);
    EXPECT_EQ(lib.settings().protocol_id, 3);
    EXPECT_EQ(lib.release(), 0);
    EXPECT_TRUE(lib.direct_mode());  // not cleared by the release
}

TEST(InitRelease, LibraryFolderOfTheModuleEndsWithItsSeparator) {
    ReplacedPlatform platform;
    LibraryOptions options;
    options.offline = true;
    Library lib(options);
    ASSERT_EQ(lib.init(nullptr, KVFTP_DIRECT_MODE_SELECTOR), 0);
    const std::string folder = lib.library_folder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(folder.back() == '\\' || folder.back() == '/') << folder;
    lib.release();
}

// ---- log ------------------------------------------------------------------------------------

TEST(Log, FileNameAndExactLineBytes) {
    ReplacedPlatform platform;
    ScratchDir dir("log");
    plat::create_directory(dir.file("LibLogs"));
    platform.clock.set_local({2026, 12, 9, 23, 59, 58, 0, 3});
    LibraryLog log;
    log.configure(dir.file("LibLogs"), LOG_WARN);
    log.write(LOG_WARN, "sys: Querying net device is timeout (%d ms)", 1000);
    log.write(LOG_DEBUG, "not written");
    log.write(LOG_ALERT, "board%d disconnected - heart timeout (%d)\n", 3, 5000);
    log.write(LOG_ALERT, "recv %s:%d connreq\r\n", "10.0.0.9", 8000);
    log.write(LOG_ALERT, "two endings\r\n\r\n");
    log.write(LOG_ALERT, "\n");
    // Every line ends in CR LF exactly once, whatever ending its message brought.
    EXPECT_EQ(dir.read("LibLogs\\libkvnet_20261209.log"),
              "2026-12-09 23:59:58 [warn] sys: Querying net device is timeout (1000 ms)\r\n"
              "2026-12-09 23:59:58 [alert] board3 disconnected - heart timeout (5000)\r\n"
              "2026-12-09 23:59:58 [alert] recv 10.0.0.9:8000 connreq\r\n"
              "2026-12-09 23:59:58 [alert] two endings\r\n"
              "2026-12-09 23:59:58 [alert] \r\n");

    // Just after midnight the line goes into the new day's file.
    platform.clock.set_local({2026, 12, 10, 0, 0, 1, 0, 4});
    log.write(LOG_ERROR, "seq error: seq= %d, curseq= %d\n", 4, 9);
    EXPECT_EQ(dir.read("LibLogs\\libkvnet_20261210.log"),
              "2026-12-10 00:00:01 [error] seq error: seq= 4, curseq= 9\r\n");

    // A long message is cut so that the line, its CR LF included, keeps 256 characters.
    const std::string long_message(400, 'm');
    log.write(LOG_ERROR, "%s", long_message.c_str());
    const std::string text = dir.read("LibLogs\\libkvnet_20261210.log");
    const std::string last = text.substr(text.rfind("2026-12-10"));
    EXPECT_EQ(last.size(), 256u);
    EXPECT_EQ(last.substr(0, 28), "2026-12-10 00:00:01 [error] ");
    EXPECT_EQ(last.substr(254), "\r\n");
}

TEST(Log, MissingFolderLosesTheLineQuietlyAndLevelZeroIsNeverHandedOver) {
    ReplacedPlatform platform;
    ScratchDir dir("log-missing");
    LibraryLog log;
    log.configure(dir.file("NoSuchFolder"), LOG_DEBUG);
    log.write(LOG_DEBUG, "lost");
    EXPECT_FALSE(plat::directory_exists(dir.file("NoSuchFolder")));

    // A second init whose settings say "none" keeps the earlier level.
    OfflineLibrary t("log-level", {"[LogInfo]", "LogLevel=info"});
    EXPECT_EQ(t.lib->log().level(), LOG_INFO);
    t.lib->release();
    tarnlink_test::write_ini(t.dir.file("tarnlib.ini"), {"[LogInfo]", "LogLevel=none"});
    ASSERT_EQ(t.lib->init(nullptr, 0), 0);
    EXPECT_EQ(t.lib->log().level(), LOG_INFO);
    EXPECT_NE(t.log_text().find("[info] ------------------------------ Init network device"),
              std::string::npos);
}

// ---- command ring ---------------------------------------------------------------------------

TEST(CommandRing, HoldsAtMost127) {
    OfflineLibrary t("ring", {"[LogInfo]", "LogLevel=alert"});
    const pc_command c = build_heartbeat(1);
    for (int i = 0; i < 127; ++i) ASSERT_EQ(t.lib->send_command(5, &c), 0) << i;
    EXPECT_EQ(t.lib->send_command(5, &c), -1);
    EXPECT_EQ(t.lib->send_command(100, &c), -2);
    EXPECT_EQ(t.lib->send_command(0, nullptr), -2);
    EXPECT_EQ(drain(*t.lib, 5).size(), 127u);
    EXPECT_NE(t.log_text().find("[alert] pc cmd buf is full!\r\n"), std::string::npos);
}

// ---- acceptance of responses ----------------------------------------------------------------

TEST(Acceptance, RepeatDroppedGapLoggedResetAfterLogin) {
    OfflineLibrary t("accept", kTwoDevicesMode1);
    std::int32_t seq = 40;
    t.log_in(0, seq);
    take_events(*t.lib);

    auto ack = [&](std::int32_t n) {
        device_response r = make_response(DEV_RSP_SETPARAM_ACK, n);
        r.value16 = n;
        t.deliver(0, r);
    };
    // After the login the last sequence is -1: any number is taken without a gap line.
    ack(100);
    ack(100);  // repeated datagram
    ack(101);
    ack(105);  // gap: logged, still handled
    const std::vector<ftp_event> events = take_events(*t.lib);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].p1, 100);
    EXPECT_EQ(events[1].p1, 101);
    EXPECT_EQ(events[2].p1, 105);
    const std::string log = t.log_text();
    EXPECT_NE(log.find("[error] seq error: seq= 101, curseq= 105\r\n"), std::string::npos);
    EXPECT_EQ(log.find("seq error: seq= 40"), std::string::npos);
    EXPECT_EQ(log.find("seq error: seq= -1"), std::string::npos);
}

TEST(Acceptance, NoGapCheckBeforeTheSession) {
    OfflineLibrary t("accept-idle", kTwoDevicesMode1);
    for (std::int32_t n : {5, 9, 20}) t.deliver(1, make_response(DEV_RSP_HEART_ACK, n));
    EXPECT_EQ(t.log_text().find("seq error"), std::string::npos);
    EXPECT_EQ(t.lib->device_info(1).last_seq, 20);
}

TEST(Framing, DatagramsCarryWholeMessagesInOrder) {
    OfflineLibrary t("framing", kTwoDevicesMode1);
    std::int32_t seq = 1;
    t.log_in(0, seq);
    take_events(*t.lib);
    device_response a = make_response(DEV_RSP_SETPARAM_ACK, 10);
    device_response b = make_response(DEV_RSP_DELETE_ACK, 11);
    std::vector<std::uint8_t> two(2 * WireSizes::message);
    std::memcpy(two.data(), &a, sizeof a);
    std::memcpy(two.data() + WireSizes::message, &b, sizeof b);

    struct Case { std::size_t length; std::vector<int> codes; };
    const Case cases[] = {{1043, {}}, {1044, {72}}, {1500, {72}}, {2088, {72, 73}}};
    std::int32_t next = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        a.seq = next++;
        b.seq = next++;
        std::memcpy(two.data(), &a, sizeof a);
        std::memcpy(two.data() + WireSizes::message, &b, sizeof b);
        std::vector<std::uint8_t> datagram(two.begin(), two.begin() + std::min(c.length, two.size()));
        datagram.resize(c.length, 0x77);
        t.lib->handle_device_datagram(0, datagram.data(), datagram.size());
        std::vector<int> codes;
        for (const ftp_event& e : take_events(*t.lib)) codes.push_back(e.code);
        EXPECT_EQ(codes, c.codes);
    }
    // Unknown magic and unknown response types are dropped without an event.
    device_response odd = make_response(99, 50);
    t.deliver(0, odd);
    odd.magic = 0xDEADBEEF;
    odd.type = DEV_RSP_SETPARAM_ACK;
    odd.seq = 51;
    t.deliver(0, odd);
    EXPECT_TRUE(take_events(*t.lib).empty());
}

// ---- device parameters ----------------------------------------------------------------------

TEST(DeviceParams, GetChecksAndValues) {
    OfflineLibrary t("params-get", kTwoDevicesMode1);
    Library& lib = *t.lib;
    char buffer[100];
    EXPECT_EQ(lib.get_bd_param(0, 0, BD_PARAM_IPADDR, nullptr), -2);
    EXPECT_EQ(lib.get_bd_param(2, 0, BD_PARAM_IPADDR, buffer), -1);
    EXPECT_EQ(lib.get_bd_param(-1, 0, BD_PARAM_IPADDR, buffer), -1);
    EXPECT_EQ(lib.get_bd_param(0, 0, 10, buffer), -1);
    EXPECT_EQ(lib.get_bd_param(0, 0, BD_PARAM_ENABLE, buffer), -1);
    EXPECT_EQ(lib.get_bd_param(0, 32, BD_PARAM_CHAN_NAME, buffer), -1);
    EXPECT_EQ(lib.get_bd_param(0, -1, BD_PARAM_CHAN_VALUE, buffer), -1);

    EXPECT_EQ(lib.get_bd_param(0, 0, BD_PARAM_IPADDR, buffer), 0);
    EXPECT_STREQ(buffer, "127.0.0.1");
    std::int32_t value = 0;
    EXPECT_EQ(lib.get_bd_param(0, 5, BD_PARAM_CHAN_VALUE, &value), 0);
    EXPECT_EQ(value, 6);  // the reset numbers the channels from 1

    // The login answer fills the id, the two bytes and the channel count.
    lib.force_state(0, BD_STATE_WAIT_LOGIN_ACK);
    device_response login = make_response(DEV_RSP_LOGIN_ACK, 1);
    login.value8 = 1;
    login.byte5 = 16;
    std::memcpy(login.data, "DEVICE-ID-0123456789EXTRA", 25);
    login.data[20] = 0xAB;
    login.data[21] = 0xCD;
    t.deliver(0, login);
    EXPECT_EQ(lib.get_bd_param(0, 0, BD_PARAM_SERIAL, buffer), 0);
    EXPECT_STREQ(buffer, "DEVICE-ID-0123456789");  // mode 1: the id of the login answer
    EXPECT_EQ(lib.get_bd_param(0, 0, BD_PARAM_CHANCOUNT, &value), 0);
    EXPECT_EQ(value, 16);
    std::uint8_t bytes[2];
    EXPECT_EQ(lib.get_bd_param(0, 0, BD_PARAM_LOGIN_BYTES, bytes), 0);
    EXPECT_EQ(bytes[0], 0xAB);
    EXPECT_EQ(bytes[1], 0xCD);
    std::strcpy(buffer, "junk");
    EXPECT_EQ(lib.get_bd_param(0, 0, BD_PARAM_EMPTY, buffer), 0);
    EXPECT_STREQ(buffer, "");
}

TEST(DeviceParams, SerialInModesZeroAndTwo) {
    for (int mode : {0, 2}) {
        SCOPED_TRACE(mode);
        OfflineLibrary t("params-serial", {"[Network]", "Count=1", "Serial1=SN-77",
                                           "[FTPInfo]", "ConnMode=" + std::to_string(mode)});
        char buffer[100];
        ASSERT_EQ(t.lib->get_bd_param(0, 0, BD_PARAM_SERIAL, buffer), 0);
        EXPECT_STREQ(buffer, "SN-77");
    }
}

TEST(DeviceParams, SetChecksAndCommands) {
    OfflineLibrary t("params-set", kTwoDevicesMode1);
    Library& lib = *t.lib;
    drain(lib, 0);
    const char name[] = "channel one";
    const std::int32_t forty_two = 42;
    struct Case { const char* what; int b; int code; const void* data; int result; };
    const Case cases[] = {
        {"null data", 0, BD_PARAM_CHAN_NAME, nullptr, -2},
        {"b 2 for a channel name", 2, BD_PARAM_CHAN_NAME, name, -1},
        {"b 2 for a channel value", 2, BD_PARAM_CHAN_VALUE, &forty_two, -1},
        {"a get-only code", 0, BD_PARAM_IPADDR, name, -3},
        {"an unknown code", 0, 99, name, -3},
        {"clock of 18 characters", 0, BD_PARAM_CLOCK, "2012-3-01 08:09:10", -2},
        {"clock with T", 0, BD_PARAM_CLOCK, "2012-03-01T08:09:10", -3},
        {"clock of 20 characters", 0, BD_PARAM_CLOCK, "2012-03-01 08:09:100", -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(lib.set_bd_param(0, c.b, c.code, c.data), c.result);
    }
    EXPECT_EQ(lib.set_bd_param(2, 0, BD_PARAM_SUBTYPE100, name), -1);
    EXPECT_TRUE(drain(lib, 0).empty());

    EXPECT_EQ(lib.set_bd_param(0, 1, BD_PARAM_CHAN_NAME, name), 0);
    EXPECT_EQ(lib.set_bd_param(0, 0, BD_PARAM_CHAN_VALUE, &forty_two), 0);
    EXPECT_EQ(lib.set_bd_param(0, 2, BD_PARAM_SUBTYPE100, name), 0);
    EXPECT_EQ(lib.set_bd_param(0, 0, BD_PARAM_CLOCK, "2012-03-01 08:09:10"), 0);
    EXPECT_EQ(lib.set_bd_param(0, 0, BD_PARAM_READ_DEVTEXT, name), 0);
    EXPECT_EQ(lib.set_bd_param(0, 1, BD_PARAM_READ_CHANNELS, name), 0);
    const std::vector<pc_command> sent = drain(lib, 0);
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_EQ(sent[0].code, PC_CMD_SET_PARAM);
    EXPECT_EQ(sent[0].a, 1);
    EXPECT_EQ(sent[0].p2, SETPARAM_CHAN_NAME);
    EXPECT_EQ(command_text(sent[0], 0, 30), "channel one");
    EXPECT_EQ(sent[0].payload[11], 0);  // nothing read past the caller's text
    EXPECT_EQ(sent[1].p1, 42);
    EXPECT_EQ(sent[1].p2, SETPARAM_CHAN_VALUE);
    EXPECT_EQ(sent[2].a, 2);
    EXPECT_EQ(sent[2].p2, SETPARAM_SUBTYPE100);
    EXPECT_EQ(sent[3].p2, SETPARAM_CLOCK);
    EXPECT_EQ(command_text(sent[3], 0, 96), "2012-03-01 08:09:10");
    EXPECT_EQ(sent[4].code, PC_CMD_READ_PARAM);
    EXPECT_EQ(sent[4].p2, 1);
    EXPECT_EQ(sent[5].code, PC_CMD_READ_PARAM);
    EXPECT_EQ(sent[5].p2, 2);
    EXPECT_EQ(sent[5].a, 1);
}

TEST(DeviceParams, AnswersFillTheSharedTables) {
    OfflineLibrary t("params-answer", kTwoDevicesMode1);
    Library& lib = *t.lib;
    device_response text = make_response(DEV_RSP_PARAM, 1);
    text.value16 = 1;
    text.byte7 = PARAM_KIND_DEVICE_TEXT;
    std::memcpy(text.data, "DEVICE TEXT 12345678OVERFLOW", 28);
    t.deliver(1, text);
    device_response channel = make_response(DEV_RSP_PARAM, 2);
    channel.value16 = 1;
    channel.byte6 = 3;
    channel.byte7 = PARAM_KIND_CHANNEL;
    channel.value20 = 77;
    std::memcpy(channel.data, "Name of channel three, 30 byte", 30);
    std::memcpy(channel.data + 30, "Text of channel 3...", 20);
    t.deliver(1, channel);
    device_response outside = channel;
    outside.seq = 3;
    outside.byte6 = 40;
    outside.value20 = 999;
    t.deliver(1, outside);

    char buffer[64];
    std::memset(buffer, 'Z', sizeof buffer);
    ASSERT_EQ(lib.get_bd_param(0, 0, BD_PARAM_CLOCK, buffer), 0);
    EXPECT_EQ(std::string(buffer, 21), std::string("DEVICE TEXT 12345678Z"));  // no terminator
    std::int32_t value = 0;
    ASSERT_EQ(lib.get_bd_param(1, 3, BD_PARAM_CHAN_VALUE, &value), 0);
    EXPECT_EQ(value, 77);
    std::memset(buffer, 0, sizeof buffer);
    ASSERT_EQ(lib.get_bd_param(1, 3, BD_PARAM_CHAN_NAME, buffer), 0);
    EXPECT_STREQ(buffer, "Name of channel three, 30 byte");
    std::memset(buffer, 0, sizeof buffer);
    ASSERT_EQ(lib.get_bd_param(1, 3, BD_PARAM_CHAN_TEXT, buffer), 0);
    EXPECT_STREQ(buffer, "Text of channel 3...");

    const std::vector<ftp_event> events = take_events(lib);
    ASSERT_EQ(events.size(), 3u);
    const ftp_event expected[] = {{75, 1, 1, 0, 1}, {75, 1, 1, 3, 2}, {75, 1, 1, 40, 2}};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(std::memcmp(&events[i], &expected[i], 20), 0) << i;

    // Acknowledgements 10, 11 and 12 carry value 16 and value 8.
    for (std::uint8_t type : {DEV_RSP_SETPARAM_ACK, DEV_RSP_DELETE_ACK, DEV_RSP_COMMENT_ACK}) {
        device_response ack = make_response(type, 10 + type);
        ack.value16 = 5;
        ack.value8 = 6;
        t.deliver(1, ack);
    }
    const std::vector<ftp_event> acks = take_events(lib);
    ASSERT_EQ(acks.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(acks[i].code, 72 + i);
        EXPECT_EQ(acks[i].p1, 5);
        EXPECT_EQ(acks[i].p2, 6);
    }
}

} // namespace
} // namespace tarnlink
