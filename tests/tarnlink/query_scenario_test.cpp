// Direct mode over real sockets: connect, call-log queries with 0, 3 and 11 items, delete and
// comment, termination, and the command ring cleared by a new connection.
#include <gtest/gtest.h>

#include <cstring>

#include "tarnlink/call_record.h"
#include "tarnlink/transport.h"
#include "tests/support/standin/scenario.h"
#include "tests/tarnlink/scenario_support.h"

namespace tarnlink {
namespace {

class QueryScenario : public tarnlink_test::LiveLibraryTest {
protected:
    standin::Device& connect_to(std::vector<standin::CallLogEntry> log) {
        standin::DeviceConfig config = listening_device();
        config.call_log = std::move(log);
        standin::Device& dev = add_device(config);
        EXPECT_EQ(start_library({"[LogInfo]", "LogLevel=debug"}, KVFTP_DIRECT_MODE_SELECTOR), 0);
        EXPECT_EQ(lib_->connect_device(device_ip().c_str(), dev.port(), "pelum", "pelum", "", 0), 0);
        EXPECT_TRUE(wait_event(EVT_FTP_LOGIN_SUCC, 3000).has_value());
        return dev;
    }
    // Runs a query to its end; the indexes (iIndexOfDB) of the results held.
    std::vector<int> run_query(int query_id, int* events_70 = nullptr) {
        EXPECT_EQ(lib_->query_async(query_id), 0);
        int data_events = 0;
        for (;;) {
            const auto e = wait_event(EVT_FTP_QUERY_DATA, 0);
            if (e) {
                ++data_events;
                continue;
            }
            if (const auto end = wait_event(EVT_FTP_QUERY_END, 50)) {
                EXPECT_EQ(end->p1, 1);
                EXPECT_EQ(end->p2, query_id);
                while (wait_event(EVT_FTP_QUERY_DATA, 0)) ++data_events;
                break;
            }
            if (data_events > 10000) break;
        }
        if (events_70) *events_70 = data_events;
        std::int32_t count = 0;
        lib_->get_bd_param(0, 0, BD_PARAM_QUERY_COUNT, &count);
        std::vector<int> indexes;
        ftp_callinfo info;
        for (int i = 0; i < count; ++i)
            if (lib_->get_queryresult(i, &info) == 0) indexes.push_back(info.iIndexOfDB);
        return indexes;
    }
    // The indexes of the log entries that pass `keep` (decoded), bad records left out.
    static std::vector<int> expected(const std::vector<standin::CallLogEntry>& log,
                                     bool (*keep)(const ftp_callinfo&)) {
        std::vector<int> out;
        for (const standin::CallLogEntry& e : log) {
            ftp_callinfo info;
            if (decode_calllog(&info, e.record.data(), e.record.size()) == DECODE_OK && keep(info))
                out.push_back(info.iIndexOfDB);
        }
        return out;
    }
};

TEST_F(QueryScenario, ConnectBindsTheFirstPortOfTheRangeAndLogsInAsKindEight) {
    standin::Device& dev = connect_to({});
    const std::uint16_t port = lib_->transport().device_port(0);
    EXPECT_GE(port, 7890);
    EXPECT_LT(port, 7940);
    EXPECT_EQ(dev.session().client_kind, 8);
    EXPECT_EQ(dev.session().protocol, 3);
    EXPECT_EQ(lib_->get_bd_num(), 1);
    EXPECT_EQ(lib_->disconnect_device(), 0);
    EXPECT_FALSE(lib_->transport().running());
}

TEST_F(QueryScenario, QueriesWithNoneThreeAndElevenItems) {
    std::vector<standin::CallLogEntry> log = standin::generated_call_log(40);
    log[4].record[100] ^= 0x01;   // bad checksum: skipped by the library
    log[17].record[100] ^= 0x01;
    connect_to(log);
    ASSERT_EQ(lib_->malloc_queryresbuf(100), 0);

    int data_events = 0;
    std::vector<int> all = run_query(0x101, &data_events);
    EXPECT_EQ(all, expected(log, [](const ftp_callinfo&) { return true; }));
    EXPECT_EQ(all.size(), 38u);
    EXPECT_GE(data_events, 2);

    ftp_queryparams p;
    Library::clear_queryparams(&p);
    p.item1_enable = 1;  // call types 1..2
    p.item1_first = 1;
    p.item1_second = 2;
    p.item2_enable = 1;  // the first ten minutes
    std::memcpy(p.item2_first, "20120301080000", 14);
    std::memcpy(p.item2_second, "20120301080900", 14);
    p.item3_enable = 1;
    lib_->set_queryparams(&p);
    EXPECT_EQ(run_query(7), expected(log, [](const ftp_callinfo& c) {
                  return c.call_type >= 1 && c.call_type <= 2 &&
                         std::strcmp(c.start_time, "08:09:00") <= 0 &&
                         std::strcmp(c.start_date, "2012-03-01") == 0;
              }));

    Library::clear_queryparams(&p);
    p.item1_enable = p.item2_enable = p.item3_enable = p.item4_enable = p.item5_enable = 1;
    p.item6_enable = p.item7_enable = p.item8_enable = p.item10_enable = p.item11_enable = 1;
    p.item9_enable = 1;
    p.item1_first = 0;
    p.item1_second = 3;
    p.item9_value = 1;  // channel 1
    lib_->set_queryparams(&p);
    const std::vector<int> channel_one = run_query(8);
    EXPECT_EQ(channel_one, expected(log, [](const ftp_callinfo& c) { return c.channel == 1; }));
    EXPECT_FALSE(channel_one.empty());
}

TEST_F(QueryScenario, BufferOverflowKeepsWhatFits) {
    const std::vector<standin::CallLogEntry> log = standin::generated_call_log(12);
    connect_to(log);
    ASSERT_EQ(lib_->malloc_queryresbuf(5), 0);
    EXPECT_EQ(run_query(3).size(), 5u);
}

TEST_F(QueryScenario, TerminateAndDeviceSilence) {
    standin::Device& dev = connect_to(standin::generated_call_log(30));
    ASSERT_EQ(lib_->malloc_queryresbuf(100), 0);
    dev.add_fault(standin::FaultRule::silence_during_query());
    ASSERT_EQ(lib_->query_async(12), 0);
    ASSERT_TRUE(dev.wait_for(PC_CMD_QUERY_CALLLOG, 2000).has_value());
    ASSERT_EQ(lib_->query_terminate(), 0);
    const auto end = wait_event(EVT_FTP_QUERY_END, 1000);
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(end->p1, -2);
    const auto stop = dev.wait_for(PC_CMD_STOP_QUERY, 2000);
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(stop->b, 1);
}

TEST_F(QueryScenario, SilenceEndsTheQueryAfterTwoMinutes) {
    use_manual_clock();
    standin::Device& dev = connect_to(standin::generated_call_log(30));
    ASSERT_EQ(lib_->malloc_queryresbuf(100), 0);
    dev.add_fault(standin::FaultRule::silence_during_query());
    ASSERT_EQ(lib_->query_async(13), 0);
    ASSERT_TRUE(dev.wait_for(PC_CMD_QUERY_CALLLOG, 2000).has_value());
    advance(119000, 100);
    EXPECT_FALSE(wait_event(EVT_FTP_QUERY_END, 0).has_value());
    advance(2000, 100);
    const auto end = wait_event(EVT_FTP_QUERY_END, 2000);
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(end->p1, -1);
    EXPECT_TRUE(dev.wait_for(PC_CMD_STOP_QUERY, 2000).has_value());
}

TEST_F(QueryScenario, DeleteAndCommentReachTheDevice) {
    standin::Device& dev = connect_to(standin::generated_call_log(5));
    ASSERT_EQ(lib_->delete_calllog("call0002.wav", 1, 2, 0), 0);
    const auto del = dev.wait_for(PC_CMD_DELETE_CALLLOG, 2000);
    ASSERT_TRUE(del.has_value());
    EXPECT_EQ(del->a, 0);
    EXPECT_EQ(del->p1, 2);
    EXPECT_EQ(del->p2, 1);
    EXPECT_EQ(del->payload_text(0, 50), "call0002.wav");
    EXPECT_TRUE(wait_event(EVT_FTP_DELCALLLOG_ACK, 2000).has_value());

    ASSERT_EQ(lib_->set_calllog_comment("call0003.wav", 3, "checked", 4), 0);
    const auto comment = dev.wait_for(PC_CMD_SET_COMMENT, 2000);
    ASSERT_TRUE(comment.has_value());
    EXPECT_EQ(comment->payload_text(0, 50), "call0003.wav");
    EXPECT_EQ(comment->payload_text(60, 30), "checked");
    EXPECT_TRUE(wait_event(EVT_FTP_COMMENT_ACK, 2000).has_value());

    ASSERT_EQ(lib_->delete_calllog(nullptr, 0, 0, 1), 0);
    const auto all = dev.wait_for(PC_CMD_DELETE_CALLLOG, 2000, 2);
    ASSERT_TRUE(all.has_value());
    EXPECT_EQ(all->a, 1);
    EXPECT_TRUE(wait_event(EVT_FTP_DELCALLLOG_ACK, 2000).has_value());
    EXPECT_TRUE(dev.call_log().empty());
}

TEST_F(QueryScenario, ANewConnectionNeverSendsCommandsQueuedForTheOldOne) {
    standin::Device& first = connect_to(standin::generated_call_log(3));
    ASSERT_EQ(lib_->disconnect_device(), 0);
    ASSERT_EQ(lib_->delete_calllog(nullptr, 0, 0, 1), 0);  // queued, nobody sends it
    standin::Device& second = add_device(listening_device());
    ASSERT_EQ(lib_->connect_device(device_ip().c_str(), second.port(), "pelum", "pelum", "", 0), 0);
    ASSERT_TRUE(wait_event(EVT_FTP_LOGIN_SUCC, 3000).has_value());
    EXPECT_TRUE(second.wait_for(PC_CMD_HEARTBEAT, 2000).has_value());
    EXPECT_EQ(second.count(PC_CMD_DELETE_CALLLOG), 0u);
    EXPECT_EQ(first.count(PC_CMD_DELETE_CALLLOG), 0u);
    EXPECT_EQ(first.call_log().size(), 3u);
}

} // namespace
} // namespace tarnlink
