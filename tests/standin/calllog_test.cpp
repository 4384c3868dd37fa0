// The stand-in's call log: a query reassembled from its parts, filtered and answered in
// result messages of up to three records with the end, the stop, delete and comment.
#include <gtest/gtest.h>

#include <cstring>

#include "tarnlink/call_record.h"
#include "tests/standin/workstation_peer.h"
#include "tests/support/standin/scenario.h"

namespace standin_test {
namespace {

using standin::Device;
using standin::DeviceConfig;
using standin::FaultRule;

// One condition slot: the item number, then its data.
struct Item {
    std::uint8_t number;
    std::vector<std::uint8_t> data;
};

Item text_item(std::uint8_t number, const std::string& text) {
    return {number, std::vector<std::uint8_t>(text.begin(), text.end())};
}
Item range_item(std::uint8_t number, int lo, int hi) {   // items 10 and 11: high byte first
    return {number, {std::uint8_t(lo >> 8), std::uint8_t(lo), std::uint8_t(hi >> 8), std::uint8_t(hi)}};
}

// The commands of one query, encoded as the workstation does: slots of 32 bytes, part k
// carrying the 96 bytes from 64 (k - 1).
std::vector<wire::pc_command> query_commands(const std::vector<Item>& items, std::uint8_t id,
                                             std::uint8_t protocol = 3) {
    std::uint8_t area[12 * 32 + 96] = {};
    for (std::size_t i = 0; i < items.size(); ++i) {
        area[i * 32] = items[i].number;
        const std::size_t n = std::min<std::size_t>(items[i].data.size(), 31);
        if (n > 0) std::memcpy(area + i * 32 + 1, items[i].data.data(), n);
    }
    std::vector<wire::pc_command> out;
    const int parts = int(items.size() + 1) / 2;
    std::uint8_t payload[96] = {};
    if (parts == 0) {
        out.push_back(wire::build_query_calllog(protocol, 8, id, 0, 0, payload));
        return out;
    }
    for (int k = 1; k <= parts; ++k) {
        std::memcpy(payload, area + 64 * (k - 1), 96);
        out.push_back(wire::build_query_calllog(protocol, 8, id, parts, k, payload));
    }
    return out;
}

struct QueryAnswer {
    std::vector<std::vector<std::uint8_t>> records;
    std::vector<int> per_message;
    bool ended = false;
    std::int32_t total = -1;
    std::uint8_t protocol_byte = 0;
    std::int32_t query_id = -1;
};

QueryAnswer collect(Workstation& ws, int timeout_ms = 3000) {
    QueryAnswer a;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!a.ended && std::chrono::steady_clock::now() < end) {
        auto r = ws.receive(300);
        if (!r) continue;
        for (std::size_t i = 0; i < r->messages(); ++i) {
            wire::calllog_result_message m;
            wire::device_response rsp;
            if (wire::parse_calllog_result(r->message(i), wire::WireSizes::message, m)) {
                a.per_message.push_back(m.record_count);
                a.protocol_byte = m.protocol_minus_one;
                a.query_id = m.query_id;
                for (int k = 0; k < m.record_count && k < 3; ++k)
                    a.records.emplace_back(m.records[k], m.records[k] + wire::WireSizes::calllog_record);
            } else if (wire::parse_response(r->message(i), wire::WireSizes::message, rsp) &&
                       rsp.type == wire::DEV_RSP_QUERY_END) {
                a.ended = true;
                a.total = rsp.value16;
            }
        }
    }
    return a;
}

std::string file_name_of(const std::vector<std::uint8_t>& record) {
    const auto f = tarnlink::CallRecordLayout::file_name;
    return wire::field_string(record.data() + f.offset, f.size);
}

struct StandinCallLog : ::testing::Test {
    std::unique_ptr<Device> start(int entries) {
        DeviceConfig c;
        c.call_log = standin::generated_call_log(entries);
        c.query_message_gap_ms = 0;
        auto d = std::make_unique<Device>(c);
        EXPECT_TRUE(d->start());
        ws.send(login("pelum", "pelum", 100, 8, 3), d->address());
        EXPECT_TRUE(ws.response());
        return d;
    }
    void send(Device& d, const std::vector<wire::pc_command>& cmds) {
        for (const auto& c : cmds) ws.send(c, d.address());
    }
    Workstation ws;
};

TEST_F(StandinCallLog, QueryWithoutItemsAnswersEveryRecordThreeAMessage) {
    auto dev = start(8);
    send(*dev, query_commands({}, 0x2A));
    const auto a = collect(ws);
    ASSERT_TRUE(a.ended);
    EXPECT_EQ(a.total, 8);
    EXPECT_EQ(a.per_message, (std::vector<int>{3, 3, 2}));
    EXPECT_EQ(a.protocol_byte, 2);   // protocol 3 minus 1
    EXPECT_EQ(a.query_id, 0x2A);
    ASSERT_EQ(a.records.size(), 8u);
    EXPECT_EQ(file_name_of(a.records[7]), "call0008.wav");
    ftp_callinfo info{};
    EXPECT_EQ(tarnlink::decode_calllog(&info, a.records[0].data(), a.records[0].size()), 0);
}

TEST_F(StandinCallLog, ConditionsFilterTheLog) {
    // generated entry n: call type n % 4, 2012-03-01 08:nn:00, channel 1 + n % 8,
    // duration 10 + n, rings n % 10, caller "1380013" + n in four digits.
    struct Case { const char* name; std::vector<Item> items; std::vector<int> expected; };
    const Case cases[] = {
        {"call type 2..2", {{1, {2, 0, 0, 0, 2, 0, 0, 0}}}, {2, 6, 10}},
        {"caller prefix", {text_item(4, "13800130007")}, {7}},
        {"channel 3", {{9, {3, 0}}}, {2, 10}},
        {"duration 15..17", {range_item(10, 15, 17)}, {5, 6, 7}},
        {"rings 0..1 and channel 2", {range_item(11, 0, 1), {9, {2, 0}}}, {1}},
        {"three items over two parts", {{1, {0, 0, 0, 0, 3, 0, 0, 0}}, text_item(4, "138"),
                                         range_item(10, 10, 14)}, {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto dev = start(11);
        send(*dev, query_commands(c.items, 1));
        const auto a = collect(ws);
        ASSERT_TRUE(a.ended);
        std::vector<int> got;
        for (const auto& r : a.records) got.push_back(std::atoi(file_name_of(r).substr(4, 4).c_str()));
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(a.total, int(c.expected.size()));
    }
}

TEST_F(StandinCallLog, DateRangeUsesFourteenCharacterTexts) {
    Item range{2, std::vector<std::uint8_t>(28, 0)};
    std::memcpy(range.data.data(), "20120301080300", 14);
    std::memcpy(range.data.data() + 14, "20120301080500", 14);
    auto dev = start(11);
    send(*dev, query_commands({range}, 1));
    const auto a = collect(ws);
    ASSERT_EQ(a.records.size(), 3u);
    EXPECT_EQ(file_name_of(a.records[0]), "call0003.wav");
    EXPECT_EQ(file_name_of(a.records[2]), "call0005.wav");
}

TEST_F(StandinCallLog, AllElevenItemsInSixPartsAreReassembled) {
    std::vector<Item> items;
    for (std::uint8_t n : {1, 2, 4, 5, 3, 6, 7, 10, 11, 8}) items.push_back({n, {}});
    items[0].data = {0, 0, 0, 0, 3, 0, 0, 0};
    items[7] = range_item(10, 0, 36000);
    items[8] = range_item(11, 0, 60);
    items.push_back({9, {4, 0}});   // channel 4: entries 3 and 11
    const auto cmds = query_commands(items, 9);
    ASSERT_EQ(cmds.size(), 6u);
    auto dev = start(11);
    // Parts out of order still make one query.
    send(*dev, {cmds[0], cmds[3], cmds[2], cmds[1], cmds[5], cmds[4]});
    const auto a = collect(ws);
    ASSERT_TRUE(a.ended);
    ASSERT_EQ(a.records.size(), 2u);
    EXPECT_EQ(file_name_of(a.records[0]), "call0003.wav");
    EXPECT_EQ(file_name_of(a.records[1]), "call0011.wav");
}

TEST_F(StandinCallLog, BadRecordsAreSentAsTheyAre) {
    DeviceConfig c;
    c.call_log = standin::generated_call_log(3);
    c.call_log[1].record = standin::build_call_record(standin::generated_call_fields(2),
                                                      standin::kRawRecordWithNoteSize, {true, false});
    Device dev(c);
    ASSERT_TRUE(dev.start());
    ws.send(login("pelum", "pelum", 100, 8, 3), dev.address());
    ASSERT_TRUE(ws.response());
    send(dev, query_commands({}, 1));
    const auto a = collect(ws);
    ASSERT_EQ(a.records.size(), 3u);
    ftp_callinfo info{};
    EXPECT_EQ(tarnlink::decode_calllog(&info, a.records[1].data(), a.records[1].size()),
              tarnlink::DECODE_BAD_CHECKSUM);
    EXPECT_EQ(a.total, 3);
}

TEST_F(StandinCallLog, StopAndSilenceEndTheAnswers) {
    {
        SCOPED_TRACE("stop");
        DeviceConfig c;
        c.call_log = standin::generated_call_log(300);
        c.query_message_gap_ms = 20;
        Device dev(c);
        ASSERT_TRUE(dev.start());
        send(dev, query_commands({}, 1));
        ASSERT_TRUE(ws.receive());
        ws.send(wire::build_stop_query(3, 8), dev.address());
        const auto rest = ws.drain(300);
        EXPECT_LT(rest.size(), 10u);
        for (const auto& r : rest) EXPECT_EQ(wire::message_magic(r.datagram.data()), wire::MSG_CALLLOG_RESULT);
    }
    {
        SCOPED_TRACE("silence during the query");
        auto dev = start(5);
        dev->add_fault(FaultRule::silence_during_query());
        send(*dev, query_commands({}, 1));
        EXPECT_TRUE(ws.drain(300).empty());
        send(*dev, query_commands({}, 2));
        EXPECT_TRUE(collect(ws).ended);
    }
}

TEST_F(StandinCallLog, DeleteAndCommentChangeTheLogAndAreAnswered) {
    auto dev = start(4);
    ws.send(wire::build_set_comment(3, 5, 6, "call0002.wav", "a comment for call two"), dev->address());
    auto r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, wire::DEV_RSP_COMMENT_ACK);
    EXPECT_EQ(r->value16, 1);
    const auto note = tarnlink::CallRecordLayout::note;
    EXPECT_EQ(wire::field_string(dev->call_log()[1].record.data() + note.offset, note.size),
              "a comment for call two");

    ws.send(wire::build_delete_calllog(3, false, 1, 2, "call0003.wav"), dev->address());
    r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->type, wire::DEV_RSP_DELETE_ACK);
    EXPECT_EQ(r->value16, 1);
    EXPECT_EQ(r->value8, 1);
    EXPECT_EQ(dev->call_log().size(), 3u);
    const auto del = dev->commands(wire::PC_CMD_DELETE_CALLLOG).at(0);
    EXPECT_EQ(del.a, 0);
    EXPECT_EQ(del.p1, 2);
    EXPECT_EQ(del.p2, 1);
    EXPECT_EQ(del.payload_text(0, 50), "call0003.wav");

    ws.send(wire::build_delete_calllog(3, true, 0, 0, ""), dev->address());
    r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->value8, 3);
    EXPECT_TRUE(dev->call_log().empty());

    ws.send(wire::build_delete_calllog(3, false, 0, 0, "gone.wav"), dev->address());
    r = ws.response();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->value16, 0);
}

}  // namespace
}  // namespace standin_test
