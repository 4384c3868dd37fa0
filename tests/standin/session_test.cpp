// The stand-in's session side: login and its refusals, heartbeats, logout, sequence numbers,
// unprompted messages, the announce role, parameters, the command log and the session faults.
#include <gtest/gtest.h>

#include <thread>

#include "tests/standin/workstation_peer.h"

namespace standin_test {
namespace {

using standin::Device;
using standin::DeviceConfig;
using standin::FaultRule;

struct StandinSession : ::testing::Test {
    DeviceConfig config() {
        DeviceConfig c;
        c.channel_count = 4;
        c.device_id = "DEV-ID-42";
        return c;
    }
    std::unique_ptr<Device> start(DeviceConfig c) {
        auto d = std::make_unique<Device>(std::move(c));
        EXPECT_TRUE(d->start());
        return d;
    }
    Workstation ws;
};

TEST_F(StandinSession, LoginAnswersWithTheDeviceDataAndAdoptsTheWindow) {
    auto dev = start(config());
    ASSERT_TRUE(ws.ok());
    ws.send(login("pelum", "pelum", 37, 8, 3), dev->address());
    auto r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, wire::DEV_RSP_LOGIN_ACK);
    EXPECT_EQ(r->value8, 1);
    EXPECT_EQ(r->byte5, 4);
    EXPECT_EQ(wire::field_string(r->data, 20), "DEV-ID-42");
    EXPECT_EQ(r->data[20], 0x12);
    EXPECT_EQ(r->data[21], 0x34);
    const auto s = dev->session();
    EXPECT_TRUE(s.logged_in);
    EXPECT_EQ(s.logins, 1);
    EXPECT_EQ(s.client_kind, 8);
    EXPECT_EQ(s.protocol, 3);
    EXPECT_EQ(s.packets_per_window, 37);
    EXPECT_EQ(s.peer, ws.address());
}

TEST_F(StandinSession, LoginRefusalsCarryTheirCause) {
    struct Case { const char* user; const char* password; int refuse; int cause; };
    const Case cases[] = {
        {"someone", "pelum", 0, 2},
        {"pelum", "wrong", 0, 3},
        {"pelum", "pelum", 4, 4},
        {"pelum", "pelum", 6, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cause);
        auto dev = start(config());
        if (c.refuse) dev->add_fault(FaultRule::refuse_login(c.refuse));
        ws.send(login(c.user, c.password), dev->address());
        auto r = ws.response();
        ASSERT_TRUE(r);
        EXPECT_EQ(r->value8, c.cause);
        EXPECT_FALSE(dev->session().logged_in);
        // A refusal rule used once: the next login succeeds.
        ws.send(login(), dev->address());
        r = ws.response();
        ASSERT_TRUE(r);
        EXPECT_EQ(r->value8, 1);
    }
}

TEST_F(StandinSession, LongUserAndPasswordMatchByTheirFifteenBytes) {
    auto c = config();
    c.user = "a-user-name-longer-than-15";
    c.password = "a-password-longer-than-15";
    auto dev = start(c);
    ws.send(login(c.user.c_str(), c.password.c_str()), dev->address());
    auto r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->value8, 1);
}

TEST_F(StandinSession, SequenceRisesByOnePerResponseAcrossSessions) {
    auto c = config();
    c.first_sequence = 500;
    c.answer_logout = true;
    auto dev = start(c);
    const wire::pc_command commands[] = {login(), wire::build_heartbeat(1), wire::build_logout(1),
                                         login(), wire::build_heartbeat(1)};
    std::int32_t expected = 500;
    for (const auto& cmd : commands) {
        ws.send(cmd, dev->address());
        auto r = ws.response();
        ASSERT_TRUE(r);
        EXPECT_EQ(r->seq, expected++);
    }
    EXPECT_EQ(dev->session().logins, 2);
}

TEST_F(StandinSession, ResponseFaultsShapeTheSequence) {
    struct Case {
        const char* name;
        FaultRule rule;
        std::vector<std::int32_t> seqs;  // of the heartbeat answers to three heartbeats
    };
    const Case cases[] = {
        {"drop", FaultRule::drop_response(wire::DEV_RSP_HEART_ACK), {3, 4}},
        {"duplicate", FaultRule::duplicate_response(wire::DEV_RSP_HEART_ACK), {2, 2, 3, 4}},
        {"jump", FaultRule::jump_sequence(10), {12, 13, 14}},
        {"restart", FaultRule::restart_sequence(0), {0, 1, 2}},
        {"drop other type", FaultRule::drop_response(wire::DEV_RSP_LOGOUT), {2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto dev = start(config());
        ws.send(login(), dev->address());
        ASSERT_TRUE(ws.response());   // sequence 1
        dev->add_fault(c.rule);
        for (int i = 0; i < 3; ++i) ws.send(wire::build_heartbeat(1), dev->address());
        std::vector<std::int32_t> seqs;
        while (auto r = ws.response(300)) seqs.push_back(r->seq);
        EXPECT_EQ(seqs, c.seqs);
    }
}

TEST_F(StandinSession, SilenceKeepsLoggingButAnswersNothing) {
    auto dev = start(config());
    dev->add_fault(FaultRule::silence(2));
    ws.send(login(), dev->address());
    ws.send(wire::build_heartbeat(1), dev->address());
    EXPECT_FALSE(ws.response(300));
    EXPECT_EQ(dev->commands().size(), 2u);
    EXPECT_FALSE(dev->session().logged_in);   // a silenced login is not taken either
    ws.send(login(), dev->address());
    auto r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, wire::DEV_RSP_LOGIN_ACK);
}

TEST_F(StandinSession, SilencedHeartbeatsLeaveTheRestAnswered) {
    auto dev = start(config());
    dev->add_fault(FaultRule::silence_heartbeats());
    ws.send(login(), dev->address());
    ASSERT_TRUE(ws.response());
    ws.send(wire::build_heartbeat(1), dev->address());
    EXPECT_FALSE(ws.response(300));
    ws.send(wire::build_read_param(1, 0, wire::PARAM_KIND_DEVICE_TEXT), dev->address());
    auto r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, wire::DEV_RSP_PARAM);
}

TEST_F(StandinSession, LogoutIsAnsweredOnlyWhenConfigured) {
    for (bool answer : {false, true}) {
        SCOPED_TRACE(answer);
        auto c = config();
        c.answer_logout = answer;
        auto dev = start(c);
        ws.send(login(), dev->address());
        ASSERT_TRUE(ws.response());
        ws.send(wire::build_logout(1), dev->address());
        auto r = ws.response(300);
        EXPECT_EQ(bool(r), answer);
        if (r) {
            EXPECT_EQ(r->type, wire::DEV_RSP_LOGOUT);
        }
        EXPECT_FALSE(dev->session().logged_in);
    }
}

TEST_F(StandinSession, UnpromptedMessagesGoToThePeerAndEndTheSession) {
    for (int type : {wire::DEV_RSP_LOGOUT, wire::DEV_RSP_PC_TIMEOUT, wire::DEV_RSP_CLOSE}) {
        SCOPED_TRACE(type);
        auto dev = start(config());
        ws.send(login(), dev->address());
        ASSERT_TRUE(ws.response());
        dev->send_response(type);
        auto r = ws.response();
        ASSERT_TRUE(r);
        EXPECT_EQ(r->type, type);
        EXPECT_EQ(r->seq, 2);
        EXPECT_FALSE(dev->session().logged_in);
    }
}

TEST_F(StandinSession, WatchdogComplainsWhenHeartbeatsStop) {
    auto c = config();
    c.watchdog_ms = 150;
    auto dev = start(c);
    ws.send(login(), dev->address());
    ASSERT_TRUE(ws.response());
    auto r = ws.response(2000);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, wire::DEV_RSP_PC_TIMEOUT);
    EXPECT_FALSE(dev->session().logged_in);
    EXPECT_FALSE(ws.response(400));   // once per session
}

TEST_F(StandinSession, AnnounceRoleRequestsUntilLoggedInAndAgainAfterLogout) {
    auto c = config();
    c.role = standin::Role::Announce;
    c.serial = "SERIAL-77";
    c.announce_interval_ms = 50;
    c.announce_to = ws.address();
    auto dev = start(c);
    auto r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, wire::DEV_RSP_CONNREQ);
    EXPECT_EQ(wire::field_string(r->data, 32), "SERIAL-77");
    ASSERT_TRUE(ws.response());   // the next one, about 50 ms later

    // The login comes from another socket (the library's per-device one); the answer goes
    // there and the requests stop.
    Workstation device_socket;
    device_socket.send(login(), dev->address());
    r = device_socket.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, wire::DEV_RSP_LOGIN_ACK);
    ws.drain(150);
    EXPECT_TRUE(ws.drain(200).empty());

    device_socket.send(wire::build_logout(1), dev->address());
    r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, wire::DEV_RSP_CONNREQ);
}

TEST_F(StandinSession, ConnectionRequestsOfOtherSerialsAreSentOnRequest) {
    auto c = config();
    c.announce_to = ws.address();
    auto dev = start(c);
    dev->send_connection_request("UNKNOWN-1", 64);
    const auto got = ws.drain(300);
    ASSERT_EQ(got.size(), 64u);
    wire::device_response r;
    ASSERT_TRUE(wire::parse_response(got[63].datagram.data(), got[63].datagram.size(), r));
    EXPECT_EQ(r.type, wire::DEV_RSP_CONNREQ);
    EXPECT_EQ(wire::field_string(r.data, 32), "UNKNOWN-1");
}

TEST_F(StandinSession, MalformedDatagramsHaveTheirSizesAndContent) {
    struct Case { standin::Malformed kind; std::size_t size; std::uint32_t first_magic; };
    const Case cases[] = {
        {standin::Malformed::Short1043, 1043, wire::MSG_RESPONSE_MAGIC},
        {standin::Malformed::Long1500, 1500, wire::MSG_RESPONSE_MAGIC},
        {standin::Malformed::Double2088, 2088, wire::MSG_RESPONSE_MAGIC},
        {standin::Malformed::Oversize, 9 * 1044, wire::MSG_RESPONSE_MAGIC},
        {standin::Malformed::BadMagic, 1044, 0xDEADBEEF},
        {standin::Malformed::UnknownType, 1044, wire::MSG_RESPONSE_MAGIC},
    };
    auto dev = start(config());
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        dev->send_raw(standin::make_malformed(c.kind, 7), ws.address());
        auto got = ws.receive();
        ASSERT_TRUE(got);
        EXPECT_EQ(got->datagram.size(), c.size);
        EXPECT_EQ(wire::message_magic(got->datagram.data()), c.first_magic);
    }
    const auto two = standin::make_malformed(standin::Malformed::Double2088, 7);
    EXPECT_EQ(wire::message_magic(two.data() + 1044), wire::MSG_FILE_DATA);
    EXPECT_EQ(two[4], 3);   // a heartbeat answer first
    EXPECT_EQ(standin::make_malformed(standin::Malformed::UnknownType, 7)[4], 99);
}

TEST_F(StandinSession, SendsNowhereButLoopbackUnlessAllowed) {
    auto dev = start(config());
    plat::SocketAddress outside;
    plat::parse_ipv4("192.0.2.1", outside.ip);   // documentation range, never local
    outside.port = 7000;
    dev->send_raw({1, 2, 3}, outside);
    dev->send_connection_request("SN", 3);        // announce_to was never set: port 0
    dev->send_raw({1, 2, 3}, ws.address());
    ASSERT_TRUE(ws.receive());
    EXPECT_EQ(dev->refused_sends(), 1u);
    EXPECT_EQ(dev->sent().size(), 1u);
}

TEST_F(StandinSession, SetParamIsStoredAndAcknowledged) {
    auto dev = start(config());
    const char name[30] = "CHANNEL NAME";
    const char text[20] = "CHANNEL TEXT";
    const char clock[] = "2012-03-01 08:15:00";
    const wire::pc_command cmds[] = {
        wire::build_set_param(1, 0, wire::SETPARAM_CHAN_NAME, 0, name),
        wire::build_set_param(1, 1, wire::SETPARAM_CHAN_TEXT, 0, text),
        wire::build_set_param(1, 1, wire::SETPARAM_CHAN_VALUE, 77, nullptr),
        wire::build_set_param(1, 0, wire::SETPARAM_CLOCK, 0, clock),
        wire::build_set_param(1, 2, wire::SETPARAM_SUBTYPE100, 0, nullptr),
    };
    for (const auto& cmd : cmds) {
        ws.send(cmd, dev->address());
        auto r = ws.response();
        ASSERT_TRUE(r);
        EXPECT_EQ(r->type, wire::DEV_RSP_SETPARAM_ACK);
        EXPECT_EQ(r->value16, 1);
        EXPECT_EQ(r->value8, cmd.p2);
    }
    const auto p = dev->params();
    EXPECT_EQ(p.channel_name[0], "CHANNEL NAME");
    EXPECT_EQ(p.channel_text[1], "CHANNEL TEXT");
    EXPECT_EQ(p.channel_value[1], 77);
    EXPECT_EQ(p.clock_text, "2012-03-01 08:15:00");
    EXPECT_EQ(p.subtype100_count, 1);
    const auto logged = dev->commands(wire::PC_CMD_SET_PARAM);
    ASSERT_EQ(logged.size(), 5u);
    EXPECT_EQ(logged[3].p2, 4);
    EXPECT_EQ(logged[3].payload_text(0, 19), "2012-03-01 08:15:00");
}

TEST_F(StandinSession, ReadParamAnswersTheTextAndOneAnswerPerChannel) {
    auto c = config();
    c.device_text = "TWENTY-BYTE-DEVICE-TEXT";   // cut to 20 on the wire
    c.channels = {{11, "first", "one"}, {22, "second", "two"}, {33, "third", "three"}};
    auto dev = start(c);
    ws.send(wire::build_read_param(1, 0, wire::PARAM_KIND_DEVICE_TEXT), dev->address());
    auto r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->byte7, wire::PARAM_KIND_DEVICE_TEXT);
    EXPECT_EQ(r->value16, 1);
    EXPECT_EQ(wire::field_string(r->data, 20), "TWENTY-BYTE-DEVICE-T");

    ws.send(wire::build_read_param(1, 0, wire::PARAM_KIND_CHANNEL), dev->address());
    for (int i = 0; i < 3; ++i) {
        r = ws.response();
        ASSERT_TRUE(r);
        EXPECT_EQ(r->byte6, i);
        EXPECT_EQ(r->byte7, wire::PARAM_KIND_CHANNEL);
        EXPECT_EQ(r->value20, c.channels[i].value);
        EXPECT_EQ(wire::field_string(r->data, 30), c.channels[i].name);
        EXPECT_EQ(wire::field_string(r->data + 30, 20), c.channels[i].text);
    }
    EXPECT_FALSE(ws.response(200));
}

TEST_F(StandinSession, LogHoldsParsedFieldsTimeAndSenderOfEveryDatagram) {
    auto dev = start(config());
    ws.send(login("pelum", "pelum", 55, 7, 2), dev->address());
    ws.send_bytes(std::vector<std::uint8_t>(60, 0xAB), dev->address());
    ASSERT_TRUE(dev->wait_for(wire::PC_CMD_LOGIN, 2000));
    for (int i = 0; i < 100 && dev->commands().size() < 2; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const auto log = dev->commands();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(log[0].well_formed);
    EXPECT_EQ(log[0].code, wire::PC_CMD_LOGIN);
    EXPECT_EQ(log[0].a, 7);
    EXPECT_EQ(log[0].protocol, 2);
    EXPECT_EQ(log[0].p1, 55);
    EXPECT_EQ(log[0].payload_text(0, 16), "pelum");
    EXPECT_EQ(log[0].payload_text(16, 16), "pelum");
    EXPECT_EQ(log[0].from, ws.address());
    EXPECT_FALSE(log[1].well_formed);
    EXPECT_EQ(log[1].size, 60u);
    EXPECT_LE(log[0].at_ms, log[1].at_ms);
    EXPECT_EQ(dev->count(wire::PC_CMD_LOGIN), 1u);
}

TEST_F(StandinSession, EachReplyGoesToTheSourceOfItsCommand) {
    auto dev = start(config());
    Workstation other;
    ws.send(login(), dev->address());
    ASSERT_TRUE(ws.response());
    other.send(wire::build_heartbeat(1), dev->address());
    auto r = other.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, wire::DEV_RSP_HEART_ACK);
    EXPECT_FALSE(ws.response(200));
}

TEST_F(StandinSession, ManyDevicesEachHaveTheirOwnSocketAndState) {
    std::vector<std::unique_ptr<Device>> devs;
    for (int i = 0; i < 20; ++i) devs.push_back(start(config()));
    ws.send(login(), devs[7]->address());
    ASSERT_TRUE(ws.response());
    for (int i = 0; i < 20; ++i) EXPECT_EQ(devs[i]->session().logged_in, i == 7);
    auto t0 = std::chrono::steady_clock::now();
    devs.clear();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
}

}  // namespace
}  // namespace standin_test
