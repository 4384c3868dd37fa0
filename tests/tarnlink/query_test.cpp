// Direct mode's call-log query, results buffer, delete and comment, driven without sockets.
#include <gtest/gtest.h>

#include <cstring>

#include "tarnlink/call_record.h"
#include "tests/tarnlink/test_support.h"

namespace tarnlink {
namespace {

using tarnlink_test::OfflineLibrary;
using tarnlink_test::drain;
using tarnlink_test::take_events;

std::vector<std::uint8_t> raw_record(int n, bool good = true) {
    std::vector<std::uint8_t> r(330, 0);
    const std::string digits = "1201203010800" + std::to_string(10 + n % 50);
    std::memcpy(r.data(), digits.data(), digits.size());
    std::memcpy(r.data() + 280, "DRAVIKMO", 8);
    std::memcpy(r.data() + 296, &n, 4);
    std::memcpy(r.data() + 300, "note", 4);
    const std::int32_t sum = call_record_checksum(r.data()) + (good ? 0 : 1);
    std::memcpy(r.data() + 288, &sum, 4);
    return r;
}

// A direct-mode library whose device 0 is logged in.
struct Direct {
    Direct() : t("query", {"[LogInfo]", "LogLevel=debug"}, KVFTP_DIRECT_MODE_SELECTOR) {
        t.log_in(0, seq);
        take_events(*t.lib);
    }
    void results(std::int32_t query_id, const std::vector<std::vector<std::uint8_t>>& records,
                 std::uint8_t protocol = 3, int count = -1) {
        calllog_result_message m = make_calllog_result(protocol, query_id);
        m.record_count = static_cast<std::uint8_t>(count < 0 ? records.size() : count);
        for (std::size_t j = 0; j < records.size() && j < 3; ++j)
            std::memcpy(m.records[j], records[j].data(), 330);
        const auto* p = reinterpret_cast<const std::uint8_t*>(&m);
        t.lib->handle_device_datagram(0, p, sizeof m);
    }
    void answer(std::uint8_t type, std::int32_t value16 = 0, std::int32_t value8 = 0) {
        device_response r = make_response(type, seq++);
        r.value16 = value16;
        r.value8 = value8;
        t.deliver(0, r);
    }
    OfflineLibrary t;
    std::int32_t seq = 1;
};

TEST(Query, ArgumentChecksOfTheDirectModeExports) {
    OfflineLibrary net("query-network", {});
    Library& n = *net.lib;
    ftp_callinfo info;
    EXPECT_EQ(n.malloc_queryresbuf(10), -1);
    EXPECT_EQ(n.query_async(1), -1);
    EXPECT_EQ(n.query_terminate(), -1);
    EXPECT_EQ(n.delete_calllog("x", 0, 0, 0), -1);
    EXPECT_EQ(n.set_calllog_comment("x", 0, "c", 0), -1);
    n.release();
    EXPECT_EQ(n.malloc_queryresbuf(10), -10);
    EXPECT_EQ(n.query_async(1), -10);
    EXPECT_EQ(n.get_queryresult(0, &info), -10);
    EXPECT_EQ(n.query_terminate(), -10);
    EXPECT_EQ(n.delete_calllog("x", 0, 0, 0), -10);
    EXPECT_EQ(n.set_calllog_comment("x", 0, "c", 0), -10);
    EXPECT_EQ(n.connect_device("127.0.0.1", 1, "", "", "", 0), -10);
    EXPECT_EQ(n.disconnect_device(), 0);
    ftp_queryparams p;
    EXPECT_EQ(Library::clear_queryparams(nullptr), -1);
    EXPECT_EQ(n.set_queryparams(nullptr), -1);
    std::memset(&p, 0x33, sizeof p);
    EXPECT_EQ(Library::clear_queryparams(&p), 0);
    EXPECT_EQ(p.item10_upper, 36000);
    EXPECT_EQ(p.item11_upper, 60);
    EXPECT_EQ(p.item1_enable, 0);
    EXPECT_EQ(n.set_queryparams(&p), 0);

    Direct d;
    Library& lib = *d.t.lib;
    EXPECT_EQ(lib.malloc_queryresbuf(0), -2);
    EXPECT_EQ(lib.malloc_queryresbuf(10001), -2);
    EXPECT_EQ(lib.malloc_queryresbuf(10000), 0);
    EXPECT_EQ(lib.get_queryresult(0, nullptr), -1);
    EXPECT_EQ(lib.get_queryresult(0, &info), -2);
    EXPECT_EQ(lib.query_terminate(), 0);  // no query runs
    EXPECT_EQ(lib.delete_calllog("x", 0, 0, 2), -2);
    EXPECT_EQ(lib.delete_calllog(nullptr, 0, 0, 0), -3);
    EXPECT_EQ(lib.delete_calllog(nullptr, 0, 0, 1), 0);
    EXPECT_EQ(lib.set_calllog_comment(nullptr, 0, "c", 0), -2);
    EXPECT_EQ(lib.set_calllog_comment("x", 0, nullptr, 0), -2);
    EXPECT_EQ(lib.connect_device(nullptr, 1, "", "", "", 0), -1);
}

TEST(Query, CommandsCarryTheConditionsAndTheLowByteOfTheId) {
    Direct d;
    Library& lib = *d.t.lib;
    drain(lib, 0);
    ASSERT_EQ(lib.query_async(0x1234), 0);
    std::vector<pc_command> sent = drain(lib, 0);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].code, PC_CMD_QUERY_CALLLOG);
    EXPECT_EQ(sent[0].a, 8);
    EXPECT_EQ(sent[0].b, 0x34);
    EXPECT_EQ(sent[0].protocol_id, 3);
    EXPECT_EQ(sent[0].p1, 0);
    EXPECT_EQ(sent[0].p2, 0);

    ftp_queryparams p;
    Library::clear_queryparams(&p);
    p.item1_enable = p.item2_enable = p.item3_enable = 1;
    lib.set_queryparams(&p);
    ASSERT_EQ(lib.query_async(7), 0);
    sent = drain(lib, 0);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].p1, 2);
    EXPECT_EQ(sent[0].p2, 1);
    EXPECT_EQ(sent[1].p2, 2);
    EXPECT_EQ(sent[0].payload[0], 1);
    EXPECT_EQ(sent[0].payload[32], 2);
    EXPECT_EQ(sent[0].payload[64], 3);
    EXPECT_EQ(sent[1].payload[0], 3);
}

TEST(Query, ResultsAcrossMessagesWithChecksAndCapacity) {
    Direct d;
    Library& lib = *d.t.lib;
    ASSERT_EQ(lib.malloc_queryresbuf(5), 0);
    ASSERT_EQ(lib.query_async(0x205), 0);
    d.results(0x105, {raw_record(1), raw_record(2, false), raw_record(3)});  // low byte matches
    d.results(0x205, {raw_record(4)}, 2);        // wrong protocol byte: dropped
    d.results(0x206, {raw_record(5)});           // another query: dropped
    d.results(0x205, {raw_record(6), raw_record(7), raw_record(8)}, 3, 9);  // at most 3 used
    d.answer(DEV_RSP_QUERY_END, 42);
    d.answer(DEV_RSP_QUERY_END, 43);             // the query no longer runs
    const std::vector<ftp_event> events = take_events(lib);
    ASSERT_EQ(events.size(), 3u);
    const ftp_event expected[] = {{70, 0, 0, 0x205, 2}, {70, 0, 2, 0x205, 5}, {71, 0, 1, 0x205, 42}};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(std::memcmp(&events[i], &expected[i], 20), 0) << i;

    ftp_callinfo info;
    const int indexes[] = {1, 3, 6, 7, 8};
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(lib.get_queryresult(i, &info), 0);
        EXPECT_EQ(info.iIndexOfDB, indexes[i]);
        EXPECT_STREQ(info.note, "note");
    }
    EXPECT_EQ(lib.get_queryresult(5, &info), -2);
    std::int32_t count = 0;
    ASSERT_EQ(lib.get_bd_param(0, 0, BD_PARAM_QUERY_COUNT, &count), 0);
    EXPECT_EQ(count, 5);

    // A full buffer drops what arrives; a new query starts counting again.
    ASSERT_EQ(lib.query_async(9), 0);
    d.results(9, {raw_record(10)});
    ASSERT_EQ(lib.get_queryresult(0, &info), 0);
    EXPECT_EQ(info.iIndexOfDB, 10);
}

TEST(Query, TimeoutAndTermination) {
    Direct d;
    Library& lib = *d.t.lib;
    ASSERT_EQ(lib.malloc_queryresbuf(10), 0);
    ASSERT_EQ(lib.query_async(3), 0);
    d.results(3, {raw_record(1)});
    take_events(lib);
    drain(lib, 0);
    // Silence for 120 s (heartbeats answered so the session stays).
    for (int i = 0; i < 1199; ++i) {
        d.t.platform.clock.advance_ms(100);
        lib.step_states();
        d.answer(DEV_RSP_HEART_ACK);
        drain(lib, 0);  // the sender's part
    }
    std::vector<ftp_event> events = take_events(lib);
    EXPECT_TRUE(events.empty());
    d.t.platform.clock.advance_ms(100);
    lib.step_states();
    events = take_events(lib);
    ASSERT_EQ(events.size(), 1u);
    const ftp_event timeout{71, 0, -1, 3, 1};
    EXPECT_EQ(std::memcmp(&events[0], &timeout, 20), 0);
    std::vector<pc_command> stops;
    for (const pc_command& c : drain(lib, 0))
        if (c.code == PC_CMD_STOP_QUERY) stops.push_back(c);
    ASSERT_EQ(stops.size(), 1u);

    ASSERT_EQ(lib.query_async(4), 0);
    d.results(4, {raw_record(1), raw_record(2)});
    take_events(lib);
    drain(lib, 0);
    ASSERT_EQ(lib.query_terminate(), 0);
    events = take_events(lib);
    ASSERT_EQ(events.size(), 1u);
    const ftp_event cancelled{71, 0, -2, 4, 2};
    EXPECT_EQ(std::memcmp(&events[0], &cancelled, 20), 0);
    const std::vector<pc_command> sent = drain(lib, 0);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].code, PC_CMD_STOP_QUERY);
    EXPECT_EQ(sent[0].a, 8);
    EXPECT_EQ(sent[0].b, 1);
}

TEST(Query, DeleteAndCommentCommands) {
    Direct d;
    Library& lib = *d.t.lib;
    drain(lib, 0);
    const std::string long_name(70, 'n');
    ASSERT_EQ(lib.delete_calllog(nullptr, 5, 6, 1), 0);
    ASSERT_EQ(lib.delete_calllog(long_name.c_str(), 5, 6, 0), 0);
    ASSERT_EQ(lib.set_calllog_comment("call0001.wav", 7, "a comment", 8), 0);
    const std::vector<pc_command> sent = drain(lib, 0);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].code, PC_CMD_DELETE_CALLLOG);
    EXPECT_EQ(sent[0].a, 1);
    EXPECT_EQ(sent[0].p1, 6);
    EXPECT_EQ(sent[0].p2, 5);
    EXPECT_EQ(sent[0].payload[0], 0);
    EXPECT_EQ(sent[1].a, 0);
    EXPECT_EQ(command_text(sent[1], 0, 96), long_name.substr(0, 50));
    EXPECT_EQ(sent[2].code, PC_CMD_SET_COMMENT);
    EXPECT_EQ(sent[2].p1, 8);
    EXPECT_EQ(sent[2].p2, 7);
    EXPECT_EQ(command_text(sent[2], 0, 50), "call0001.wav");
    EXPECT_EQ(command_text(sent[2], 60, 30), "a comment");

    d.answer(DEV_RSP_DELETE_ACK, 1, 2);
    d.answer(DEV_RSP_COMMENT_ACK, 3, 4);
    const std::vector<ftp_event> events = take_events(lib);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].code, EVT_FTP_DELCALLLOG_ACK);
    EXPECT_EQ(events[1].code, EVT_FTP_COMMENT_ACK);
    EXPECT_EQ(events[1].p1, 3);
    EXPECT_EQ(events[1].p2, 4);
}

} // namespace
} // namespace tarnlink
