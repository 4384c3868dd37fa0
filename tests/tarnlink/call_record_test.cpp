// Decoding of the raw call record: the call type, the decimal fields, the checks and the
// 300/330 lengths. Records are built here byte by byte, independently of any device code.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tarnlink/call_record.h"

namespace tarnlink {
namespace {

class RawRecord {
public:
    RawRecord() : bytes_(CallRecordLayout::size_with_note, 0) {
        put(0, "1");
        put(1, "20120301");
        put(9, "081500");
        put(15, "13800138000");
        put(47, "010");
        put(79, "003");
        put(82, "LINE-1");
        put(112, "agent");
        put(132, "20120302");
        put(140, "235959");
        put(146, "02");
        put(148, "005");
        put(151, "000042");
        put(157, "rec_20120301_1.wav");
        put(207, "0000000007");
        put(217, "SESSION-1");
        bytes_[247] = 0xFE;
        put(248, "text");
        put(280, "DRAVIKMO");
        const std::int32_t index = 123456;
        std::memcpy(&bytes_[296], &index, 4);
        put(300, "a note");
        seal();
    }
    RawRecord& put(std::size_t offset, const std::string& text) {
        std::memcpy(&bytes_[offset], text.data(), text.size());
        return *this;
    }
    RawRecord& fill(std::size_t offset, std::size_t size, char c) {
        std::memset(&bytes_[offset], c, size);
        return *this;
    }
    // The checksum word: minus the byte sum of bytes 0..287.
    RawRecord& seal() {
        std::uint32_t sum = 0;
        for (std::size_t i = 0; i < 288; ++i) sum += bytes_[i];
        const std::uint32_t word = 0u - sum;
        std::memcpy(&bytes_[288], &word, 4);
        return *this;
    }
    const std::uint8_t* data() const { return bytes_.data(); }
    std::uint8_t& operator[](std::size_t i) { return bytes_[i]; }

private:
    std::vector<std::uint8_t> bytes_;
};

ftp_callinfo decode_ok(const RawRecord& r, std::size_t length = 300) {
    ftp_callinfo info;
    std::memset(&info, 0x5A, sizeof info);
    EXPECT_EQ(decode_calllog(&info, r.data(), length), DECODE_OK);
    return info;
}

TEST(CallRecord, DecodesEveryField) {
    const ftp_callinfo c = decode_ok(RawRecord(), 330);
    EXPECT_EQ(c.call_type, 1);
    EXPECT_STREQ(c.start_date, "2012-03-01");
    EXPECT_STREQ(c.start_time, "08:15:00");
    EXPECT_STREQ(c.caller_number, "13800138000");
    EXPECT_STREQ(c.dialled_digits, "010");
    EXPECT_EQ(c.channel, 3);
    EXPECT_STREQ(c.line, "LINE-1");
    EXPECT_STREQ(c.agent_name, "agent");
    EXPECT_STREQ(c.note, "a note");
    EXPECT_STREQ(c.second_date, "2012-03-02");
    EXPECT_STREQ(c.second_time, "23:59:59");
    EXPECT_EQ(c.rings, 2);
    EXPECT_EQ(c.ring_seconds, 5);
    EXPECT_EQ(c.duration, 42);
    EXPECT_STREQ(c.file_name, "rec_20120301_1.wav");
    EXPECT_EQ(c.number, 7);
    EXPECT_STREQ(c.text, "text");
    EXPECT_STREQ(c.session_number, "SESSION-1");
    EXPECT_EQ(c.signed_byte, -2);
    EXPECT_EQ(c.iIndexOfDB, 123456);
}

TEST(CallRecord, CallType) {
    const std::pair<char, int> cases[] = {{'0', 0}, {'1', 1}, {'2', 2}, {'3', 3},
                                          {'4', 3}, {'A', 3}, {'\0', 3}};
    for (const auto& [byte, type] : cases) {
        SCOPED_TRACE(static_cast<int>(byte));
        RawRecord r;
        r[0] = static_cast<std::uint8_t>(byte);
        EXPECT_EQ(decode_ok(r.seal()).call_type, type);
    }
}

TEST(CallRecord, DecimalFields) {
    struct Case { std::size_t offset; const char* text; int ftp_callinfo::*field; int expected; };
    const Case cases[] = {
        {79, "01 ", &ftp_callinfo::channel, 1},
        {79, "xyz", &ftp_callinfo::channel, 1},
        {79, "  8", &ftp_callinfo::channel, 8},
        {79, "-2x", &ftp_callinfo::channel, -2},
        {146, "  ", &ftp_callinfo::rings, 0},
        {146, "9 ", &ftp_callinfo::rings, 9},
        {148, "+12", &ftp_callinfo::ring_seconds, 12},
        {151, "12a456", &ftp_callinfo::duration, 12},
        {151, "      ", &ftp_callinfo::duration, 0},
        {207, "2147483647", &ftp_callinfo::number, 2147483647},
        {207, "9999999999", &ftp_callinfo::number, 2147483647},
        {207, "abcdefghij", &ftp_callinfo::number, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.offset) + " '" + c.text + "'");
        RawRecord r;
        r.put(c.offset, c.text);
        EXPECT_EQ(decode_ok(r.seal()).*(c.field), c.expected);
    }
}

TEST(CallRecord, SignatureChecksumAndLength) {
    ftp_callinfo out;
    std::memset(&out, 0x5A, sizeof out);
    const ftp_callinfo untouched = out;

    RawRecord changed;
    changed[100] ^= 0x01;  // any byte of 0..287 breaks the checksum
    EXPECT_EQ(decode_calllog(&out, changed.data(), 300), DECODE_BAD_CHECKSUM);
    RawRecord bad_word;
    bad_word[288] ^= 0x01;
    EXPECT_EQ(decode_calllog(&out, bad_word.data(), 300), DECODE_BAD_CHECKSUM);
    RawRecord bad_signature;
    bad_signature.put(280, "DRAVIKMX").seal();  // right checksum, wrong signature
    EXPECT_EQ(decode_calllog(&out, bad_signature.data(), 300), DECODE_BAD_SIGNATURE);
    RawRecord good;
    EXPECT_EQ(decode_calllog(&out, good.data(), 299), DECODE_BAD_ARGUMENT);
    EXPECT_EQ(decode_calllog(nullptr, good.data(), 300), DECODE_BAD_ARGUMENT);
    EXPECT_EQ(decode_calllog(&out, nullptr, 300), DECODE_BAD_ARGUMENT);
    EXPECT_EQ(std::memcmp(&out, &untouched, sizeof out), 0);
    // Bytes after 287 (note, index) are outside the checksum.
    good[296] ^= 0xFF;
    good[310] = 'Z';
    EXPECT_EQ(decode_calllog(&out, good.data(), 330), DECODE_OK);
}

TEST(CallRecord, NoteOnlyFromALongRecordAndTextFieldsStayTerminated) {
    RawRecord r;
    EXPECT_STREQ(decode_ok(r, 300).note, "");
    r.fill(300, 29, 'n');
    EXPECT_EQ(std::string(decode_ok(r, 330).note), std::string(29, 'n'));

    r.fill(248, 32, 't').fill(15, 32, 'c').fill(82, 30, 'l').fill(157, 50, 'f').seal();
    const ftp_callinfo c = decode_ok(r);
    EXPECT_EQ(std::string(c.text), std::string(31, 't'));  // at most 31 of 32 kept
    EXPECT_EQ(std::string(c.caller_number), std::string(31, 'c'));
    EXPECT_EQ(std::string(c.line), std::string(30, 'l'));
    EXPECT_EQ(std::string(c.file_name), std::string(50, 'f'));
}

TEST(CallRecord, ChecksumHelperMatchesTheRule) {
    RawRecord r;
    r[5] = 'X';
    const std::int32_t word = call_record_checksum(r.data());
    std::memcpy(&r[288], &word, 4);
    ftp_callinfo out;
    EXPECT_EQ(decode_calllog(&out, r.data(), 300), DECODE_OK);
}

} // namespace
} // namespace tarnlink
