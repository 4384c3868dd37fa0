// Golden bytes of every command, the framing of received datagrams, and the message parsers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tarnlink/query_conditions.h"
#include "tarnlink/wire_format.h"

namespace tarnlink {
namespace {

// A golden command: these runs of bytes at these offsets, every other byte 0.
struct Run {
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};
std::vector<std::uint8_t> text_bytes(const std::string& s) {
    return std::vector<std::uint8_t>(s.begin(), s.end());
}
std::vector<std::uint8_t> expected_bytes(const std::vector<Run>& runs) {
    std::vector<std::uint8_t> out(WireSizes::command, 0);
    for (const Run& r : runs) std::copy(r.bytes.begin(), r.bytes.end(), out.begin() + r.offset);
    return out;
}
std::vector<std::uint8_t> bytes_of(const pc_command& c) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&c);
    return std::vector<std::uint8_t>(p, p + sizeof c);
}
// Header runs: magic, code, A, protocol, B.
Run header(std::uint8_t code, std::uint8_t a, std::uint8_t protocol, std::uint8_t b) {
    return {0, {0x34, 0x12, 0x34, 0x12, code, a, protocol, b}};
}
Run le32(std::size_t offset, std::uint32_t v) {
    return {offset, {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                     static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)}};
}

struct GoldenCase {
    const char* name;
    pc_command command;
    std::vector<Run> runs;
};

const std::string k20 = "ABCDEFGHIJKLMNOPQRST";                         // 20 characters
const std::string k30 = "abcdefghijklmnopqrstuvwxyz0123";               // 30 characters
const std::string k100(100, 'n');

std::vector<GoldenCase> golden_cases() {
    const int missing[] = {0, 7, 99};
    std::uint8_t conditions[WireSizes::command_payload] = {};
    conditions[0] = 1;
    conditions[95] = 0xEE;
    const char chan_name[30] = {'C', 'h', '1'};
    const char chan_text[20] = {'T'};
    return {
        {"login cuts the user to 15 bytes", build_login(2, 7, 100, k20, "pw"),
         {header(101, 7, 2, 0), le32(8, 100), {24, text_bytes(k20.substr(0, 15))},
          {40, text_bytes("pw")}}},
        {"login cuts the password to 15 bytes", build_login(3, 8, 10, "u", k20),
         {header(101, 8, 3, 0), le32(8, 10), {24, text_bytes("u")},
          {40, text_bytes(k20.substr(0, 15))}}},
        {"logout", build_logout(1), {header(102, 0, 1, 0)}},
        {"heartbeat", build_heartbeat(1), {header(103, 0, 1, 0)}},
        {"query new file", build_query_newfile(1, -2), {header(111, 0, 1, 0), le32(8, 0xFFFFFFFEu)}},
        {"file request with a tag, 30-character name has no NUL",
         build_request_file(1, 0x1FF, false, 5000, 200, 77, k30, "TAG12345"),
         {header(112, 0xFF, 1, 0), le32(8, 5000), le32(12, 200), le32(16, 77),
          {24, text_bytes(k30)}, {64, text_bytes("TAG12345")}}},
        {"file request without a tag cuts a long name to 30 bytes",
         build_request_file(1, 5, true, 1, 0, 3, k30 + "XYZ", "ignored"),
         {header(112, 5, 1, 1), le32(8, 1), le32(16, 3), {24, text_bytes(k30)}}},
        {"stop file", build_stop_file(1, 300), {header(113, 0, 1, 0), le32(8, 300)}},
        {"end ack", build_end_ack(1, 0x01020304), {header(114, 0, 1, 0), le32(8, 0x01020304)}},
        {"window ack lists offsets as offset/255, offset%255",
         build_window_ack(1, 9, 400, missing, 3),
         {header(115, 0, 1, 3), le32(8, 9), le32(12, 400), {24, {0, 0, 0, 7, 0, 99}}}},
        {"window ack without missing packets", build_window_ack(1, 9, 400, nullptr, 0),
         {header(115, 0, 1, 0), le32(8, 9), le32(12, 400)}},
        {"skip file with a short name", build_skip_file(1, 12, 34, "rec_1.wav"),
         {header(116, 0, 1, 0), le32(8, 12), le32(12, 34), {24, text_bytes("rec_1.wav")}}},
        {"skip file with a 100-character name carries none", build_skip_file(1, 12, 34, k100),
         {header(116, 0, 1, 0), le32(8, 12), le32(12, 34)}},
        {"call-log query part", build_query_calllog(3, 8, 0x1234, 2, 1, conditions),
         {header(117, 8, 3, 0x34), le32(8, 2), le32(12, 1), {24, {1}}, {119, {0xEE}}}},
        {"stop query", build_stop_query(3, 8), {header(118, 8, 3, 1)}},
        {"set channel name", build_set_param(1, 1, SETPARAM_CHAN_NAME, 0, chan_name),
         {header(151, 1, 1, 0), le32(12, 1), {24, text_bytes("Ch1")}}},
        {"set channel text", build_set_param(1, 0, SETPARAM_CHAN_TEXT, 0, chan_text),
         {header(151, 0, 1, 0), le32(12, 2), {24, text_bytes("T")}}},
        {"set channel value", build_set_param(1, 1, SETPARAM_CHAN_VALUE, 42, nullptr),
         {header(151, 1, 1, 0), le32(8, 42), le32(12, 3)}},
        {"set clock", build_set_param(1, 0, SETPARAM_CLOCK, 0, "2012-03-01 08:09:10"),
         {header(151, 0, 1, 0), le32(12, 4), {24, text_bytes("2012-03-01 08:09:10")}}},
        {"subtype 100", build_set_param(1, 2, SETPARAM_SUBTYPE100, 0, nullptr),
         {header(151, 2, 1, 0), le32(12, 100)}},
        {"delete all sends no name", build_delete_calllog(3, true, 5, 6, "name"),
         {header(152, 1, 3, 0), le32(8, 6), le32(12, 5)}},
        {"delete by name cuts it to 50 bytes", build_delete_calllog(3, false, 5, 6, k100),
         {header(152, 0, 3, 0), le32(8, 6), le32(12, 5), {24, text_bytes(k100.substr(0, 50))}}},
        {"comment cuts name to 50 and comment to 30", build_set_comment(3, 5, 6, k100, k100),
         {header(153, 0, 3, 0), le32(8, 6), le32(12, 5), {24, text_bytes(k100.substr(0, 50))},
          {84, text_bytes(k100.substr(0, 30))}}},
        {"read device text", build_read_param(1, 1, PARAM_KIND_DEVICE_TEXT),
         {header(154, 1, 1, 0), le32(12, 1)}},
        {"read channel table", build_read_param(1, 0, PARAM_KIND_CHANNEL),
         {header(154, 0, 1, 0), le32(12, 2)}},
    };
}

TEST(CommandGoldenBytes, EveryCommandCode) {
    for (const GoldenCase& c : golden_cases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(bytes_of(c.command), expected_bytes(c.runs));
    }
}

TEST(CommandGoldenBytes, WindowAckListsAtMost48) {
    int missing[60];
    for (int i = 0; i < 60; ++i) missing[i] = i;
    const pc_command c = build_window_ack(1, 0, 0, missing, 60);
    EXPECT_EQ(c.b, 48);
    const std::vector<int> listed = window_ack_missing(c);
    ASSERT_EQ(listed.size(), 48u);
    EXPECT_EQ(listed.back(), 47);
}

TEST(Framing, WholeMessagesOnly) {
    struct Case { std::size_t length; std::size_t messages; };
    const Case cases[] = {{0, 0}, {1043, 0}, {1044, 1}, {1500, 1}, {2088, 2},
                          {8352, 8}, {8352 + 1044, 8}, {20000, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(message_count(c.length), c.messages);
    }
}

TEST(Parsers, CheckLengthAndMagic) {
    std::vector<std::uint8_t> buffer(WireSizes::message * 2, 0);
    const device_response r = make_response(DEV_RSP_HEART_ACK, 7);
    const std::uint8_t payload[4] = {1, 2, 3, 4};
    const file_data_message f = make_file_data(3, 9, payload, 4);
    std::memcpy(buffer.data(), &r, sizeof r);
    std::memcpy(buffer.data() + WireSizes::message, &f, sizeof f);

    device_response parsed_r;
    file_data_message parsed_f;
    calllog_result_message parsed_c;
    EXPECT_TRUE(parse_response(message_at(buffer.data(), 0), WireSizes::message, parsed_r));
    EXPECT_EQ(parsed_r.seq, 7);
    EXPECT_FALSE(parse_response(buffer.data(), WireSizes::message - 1, parsed_r));
    EXPECT_FALSE(parse_file_data(buffer.data(), WireSizes::message, parsed_f));
    EXPECT_TRUE(parse_file_data(message_at(buffer.data(), 1), WireSizes::message, parsed_f));
    EXPECT_EQ(parsed_f.packet_index, 9);
    EXPECT_EQ(parsed_f.data[3], 4);
    EXPECT_FALSE(parse_calllog_result(buffer.data(), WireSizes::message, parsed_c));
    EXPECT_FALSE(parse_response(nullptr, WireSizes::message, parsed_r));

    pc_command command;
    const pc_command sent = build_heartbeat(1);
    EXPECT_TRUE(parse_command(reinterpret_cast<const std::uint8_t*>(&sent), sizeof sent, command));
    EXPECT_FALSE(parse_command(reinterpret_cast<const std::uint8_t*>(&sent), sizeof sent - 1, command));
}

TEST(Parsers, TextFieldsStopAtTheirLength) {
    const std::uint8_t field[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(field_string(field, 4), "abcd");
    EXPECT_EQ(field_string(field, 2), "ab");
    const std::uint8_t with_nul[4] = {'a', 0, 'c', 'd'};
    EXPECT_EQ(field_string(with_nul, 4), "a");
}

TEST(Parsers, FileDataKeepsAStatedLengthButCopiesAtMost1024) {
    std::vector<std::uint8_t> data(2000, 0xAB);
    const file_data_message big = make_file_data(1, 0, data.data(), 1100);
    EXPECT_EQ(big.length, 1100);
    const file_data_message negative = make_file_data(1, 0, data.data(), -5);
    EXPECT_EQ(negative.length, -5);
    EXPECT_EQ(negative.data[0], 0);
}

// The query condition block: slots of 32 bytes, parts of 96 bytes starting 64 apart.
TEST(QueryConditions, NoItemGivesNoSlot) {
    ftp_queryparams p{};
    std::uint8_t area[QueryConditionLayout::area];
    EXPECT_EQ(encode_query_conditions(p, area), 0);
    EXPECT_EQ(query_part_count(0), 0);
    for (std::uint8_t b : area) EXPECT_EQ(b, 0);
}

TEST(QueryConditions, ItemsOneTwoThreeMakeTwoParts) {
    ftp_queryparams p{};
    p.item1_enable = 1;
    p.item1_first = 0x01020304;
    p.item1_second = 5;
    p.item2_enable = 1;
    std::memcpy(p.item2_first, "0123456789ABCDEF", 16);  // only 14 bytes travel
    std::memcpy(p.item2_second, "abcdefghijklmn", 14);
    p.item3_enable = 1;
    for (int i = 0; i < 24; ++i) p.item3_data[i] = static_cast<std::uint8_t>(100 + i);
    std::uint8_t area[QueryConditionLayout::area];
    ASSERT_EQ(encode_query_conditions(p, area), 3);
    ASSERT_EQ(query_part_count(3), 2);

    std::uint8_t part1[96], part2[96];
    query_part_payload(area, 1, part1);
    query_part_payload(area, 2, part2);
    const std::uint8_t slot1[] = {1, 4, 3, 2, 1, 5, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(part1, slot1, sizeof slot1));
    EXPECT_EQ(part1[32], 2);
    EXPECT_EQ(0, std::memcmp(part1 + 33, "0123456789ABCD", 14));
    EXPECT_EQ(0, std::memcmp(part1 + 47, "abcdefghijklmn", 14));
    EXPECT_EQ(part1[61], 0);
    EXPECT_EQ(part1[64], 3);
    EXPECT_EQ(part1[65], 100);
    EXPECT_EQ(part1[88], 123);
    // The second part repeats item 3 in its first slot; the rest is zero.
    EXPECT_EQ(0, std::memcmp(part2, part1 + 64, 32));
    for (int i = 32; i < 96; ++i) EXPECT_EQ(part2[i], 0) << i;
}

TEST(QueryConditions, AllElevenItemsInOrderWithTheirByteOrders) {
    ftp_queryparams p{};
    p.item1_enable = p.item2_enable = p.item3_enable = p.item4_enable = p.item5_enable = 1;
    p.item6_enable = p.item7_enable = p.item8_enable = p.item9_enable = 1;
    p.item10_enable = p.item11_enable = 1;
    p.item10_lower = 0x0102;
    p.item10_upper = 36000;  // 0x8CA0
    p.item11_lower = 0x0A0B;
    p.item11_upper = 60;
    p.item9_value = 0x1234;
    std::memcpy(p.item8_text, "item8", 5);
    std::uint8_t area[QueryConditionLayout::area];
    ASSERT_EQ(encode_query_conditions(p, area), 11);
    const int order[] = {1, 2, 3, 4, 5, 6, 7, 10, 11, 8, 9};
    for (int slot = 0; slot < 11; ++slot) EXPECT_EQ(area[32 * slot], order[slot]) << slot;
    const std::uint8_t item10[] = {10, 0x01, 0x02, 0x8C, 0xA0};
    EXPECT_EQ(0, std::memcmp(area + 32 * 7, item10, sizeof item10));
    const std::uint8_t item11[] = {11, 0x0A, 0x0B, 0x00, 60};
    EXPECT_EQ(0, std::memcmp(area + 32 * 8, item11, sizeof item11));
    EXPECT_EQ(0, std::memcmp(area + 32 * 9 + 1, "item8", 5));
    const std::uint8_t item9[] = {9, 0x34, 0x12, 0};
    EXPECT_EQ(0, std::memcmp(area + 32 * 10, item9, sizeof item9));

    ASSERT_EQ(query_part_count(11), 6);
    std::uint8_t part6[96];
    query_part_payload(area, 6, part6);
    EXPECT_EQ(0, std::memcmp(part6, item9, sizeof item9));
    for (int i = 32; i < 96; ++i) EXPECT_EQ(part6[i], 0) << i;
}

} // namespace
} // namespace tarnlink
