#include <gtest/gtest.h>

#include "skin/lzh_stream.h"
#include "tests/skin/skin_test_data.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using skin::LzhDecode;
using skin::LzhEncode;
using skin_test::MixedBytes;
using skin_test::RandomBytes;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes SpacesThenText() {
    Bytes b(5000, ' ');
    const std::string tail = "after the spaces";
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

Bytes Ramp(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    return b;
}

struct RoundTrip {
    const char* name;
    Bytes data;
};

class LzhRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(LzhRoundTrip, DecodesToTheInputAndEncodesTheSameTwice) {
    const Bytes& data = GetParam().data;
    const Bytes stored = LzhEncode(data);
    ASSERT_GE(stored.size(), 4u);
    const skin::DecodeResult decoded = LzhDecode(stored);
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    EXPECT_EQ(decoded.bytes, data);
    EXPECT_EQ(LzhEncode(data), stored);
}

// 40,000 distinct-ish symbols drive the root count past 0x8000, so the tree is rebuilt.
INSTANTIATE_TEST_SUITE_P(
    Sizes, LzhRoundTrip,
    ::testing::Values(RoundTrip{"empty", {}}, RoundTrip{"one", Text("A")}, RoundTrip{"b59", Ramp(59)},
                      RoundTrip{"b60", Ramp(60)}, RoundTrip{"b61", Ramp(61)}, RoundTrip{"b4096", MixedBytes(4096, 1)},
                      RoundTrip{"b4097", MixedBytes(4097, 2)}, RoundTrip{"spaces_first", SpacesThenText()},
                      RoundTrip{"one_byte_repeated", Bytes(100000, 0x5A)}, RoundTrip{"rebuild", Ramp(45000)},
                      RoundTrip{"random_100k", RandomBytes(100000, 3)}, RoundTrip{"mixed_300k", MixedBytes(300000, 4)},
                      RoundTrip{"bmp", skin_test::MakeFrameStrip(50, 40, 3)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LzhStoredForm, EmptyInputIsFourZeroBytes) { EXPECT_EQ(LzhEncode({}), (Bytes{0, 0, 0, 0})); }

TEST(LzhStoredForm, LengthLeadsLittleEndian) {
    const Bytes stored = LzhEncode(Ramp(0x1234));
    EXPECT_EQ(stored[0], 0x34);
    EXPECT_EQ(stored[1], 0x12);
    EXPECT_EQ(stored[2], 0);
    EXPECT_EQ(stored[3], 0);
}

// Streams worked out by hand. On the starting tree leaf s sits at node s and node 314 + k
// joins nodes 2k and 2k + 1, so a code is the parity of each node on the way up, root first:
//   'A' (65): nodes 65 346 487 557 592 610 619 623 625 -> 111001101
//   'B' (66): nodes 66 347 487 557 592 610 619 623 625 -> 111001110
//   copy of 3 (256): nodes 256 442 535 581 604 616 622 625 -> 10001100
// Counting 'A' raises node 65 to 2, above its successors; the farthest still below it is
// node 313 (node 314 holds 2), so leaf 'A' and leaf 313 change places. The counts above
// (470 549 588 608 618 623 625 626) stay below their successors; nothing else moves:
//   'A' again: nodes 313 470 549 588 608 618 623 625 -> 11000101; 'B' and the copy keep
//   their codes.
//   distance 0: prefix 000, low 6 bits 000000; distance 100: upper 1 -> prefix 0010 (first
//   byte 32), low 6 bits 100100.
struct HandStream {
    const char* name;
    Bytes stored;
    Bytes expected;
    bool our_encoding;  // what our greedy encoder writes for the bytes
};

class LzhHandStreams : public ::testing::TestWithParam<HandStream> {};

TEST_P(LzhHandStreams, DecodeToTheirBytes) {
    const skin::DecodeResult decoded = LzhDecode(GetParam().stored);
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    EXPECT_EQ(decoded.bytes, GetParam().expected);
    if (GetParam().our_encoding) {
        EXPECT_EQ(LzhEncode(GetParam().expected), GetParam().stored);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ByHand, LzhHandStreams,
    ::testing::Values(
        // 111001101 + 7 zero bits
        HandStream{"literal", {1, 0, 0, 0, 0xE6, 0x80}, Text("A"), true},
        // 111001101 111001110
        HandStream{"two_literals", {2, 0, 0, 0, 0xE6, 0xF3, 0x80}, Text("AB"), true},
        // 111001101 11000101: the second 'A' after the leaves changed places
        HandStream{"literal_repeated", {2, 0, 0, 0, 0xE6, 0xE2, 0x80}, Text("AA"), true},
        // 111001101 10001100 000 000000: three bytes copied from the 'A' just written
        HandStream{"literal_and_copy", {4, 0, 0, 0, 0xE6, 0xC6, 0x00, 0x00}, Text("AAAA"), true},
        // 10001100 0010 100100: three bytes from 101 positions back, all initial spaces
        HandStream{"copy_of_initial_spaces", {3, 0, 0, 0, 0x8C, 0x29, 0x00}, Text("   "), false},
        // the same copy cut at N = 2
        HandStream{"copy_cut_at_length", {2, 0, 0, 0, 0x8C, 0x29, 0x00}, Text("  "), false},
        // bytes after the stream are ignored
        HandStream{"trailing_bytes", {1, 0, 0, 0, 0xE6, 0x80, 0x12, 0x34}, Text("A"), false},
        // the copy's last two bits and the buffer's look-ahead past the end read as zeros
        HandStream{"zero_fill_past_the_end", {3, 0, 0, 0, 0x8C, 0x29}, Text("   "), false}),
    [](const auto& info) { return std::string(info.param.name); });

struct Refusal {
    const char* name;
    Bytes stored;
    const char* error_part;
};

class LzhRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(LzhRefusals, GiveAnErrorAndNoBytes) {
    const skin::DecodeResult decoded = LzhDecode(GetParam().stored);
    EXPECT_FALSE(decoded.ok());
    EXPECT_TRUE(decoded.bytes.empty());
    EXPECT_NE(decoded.error.find(GetParam().error_part), std::string::npos) << decoded.error;
}

Bytes Cut(Bytes b, std::size_t keep) {
    b.resize(keep);
    return b;
}

Bytes WithLength(Bytes b, std::uint32_t n) {
    for (int i = 0; i < 4; ++i) b[i] = static_cast<std::uint8_t>(n >> (8 * i));
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Stored, LzhRefusals,
    ::testing::Values(
        Refusal{"no_length", {1, 0, 0}, "shorter"},
        Refusal{"over_64_mib", WithLength(Bytes(1 << 20, 0), 64u * 1024 * 1024 + 1), "more than"},
        Refusal{"more_than_the_stream_can_say", WithLength(Bytes(4 + 100, 0), 48 * 102 + 1), "more than"},
        Refusal{"length_only", {10, 0, 0, 0}, "truncated"},
        Refusal{"cut_stream", Cut(LzhEncode(RandomBytes(5000, 9)), 2000), "truncated"},
        Refusal{"cut_mixed", Cut(LzhEncode(MixedBytes(50000, 5)), 3000), "truncated"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LzhRefusals, TheLargestExpressibleLengthIsAccepted) {
    // 48 bytes per stream byte (and the two zero bytes past the end) pass the size check;
    // the all-zero stream then runs dry long before.
    const skin::DecodeResult decoded = LzhDecode(WithLength(Bytes(4 + 100, 0), 48 * 102));
    EXPECT_EQ(decoded.error.find("more than"), std::string::npos);
}

} // namespace
