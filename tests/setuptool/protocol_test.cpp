// The discovery protocol's bytes: probe, reply checks and row texts, set-address command,
// address text splitting, delay text and the broadcast target.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/clock.h"
#include "platform/text_gbk.h"
#include "setuptool/broadcast_target.h"
#include "setuptool/delay_text.h"
#include "setuptool/device_reply.h"
#include "setuptool/search_probe.h"
#include "setuptool/set_address_command.h"
#include "setuptool/text_parts.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes text_bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

void put(Bytes& b, std::size_t at, const Bytes& what) {
    for (std::size_t i = 0; i < what.size(); ++i) b.at(at + i) = what[i];
}

// A device answer written out byte by byte, independent of the record declarations.
Bytes device_answer(std::uint8_t token) {
    Bytes b(64, 0);
    put(b, 0, {0x00, 0x11, 0x44, 0x99});
    b[4] = 1;
    b[5] = token;
    put(b, 6, {10, 20, 30, 40});
    put(b, 10, {255, 255, 0, 0});
    put(b, 14, {10, 20, 0, 1});
    put(b, 18, {0x00, 0x1a, 0x2b, 0xff, 0x0a, 0x09});
    put(b, 24, text_bytes("AB8-77"));
    put(b, 40, text_bytes("V1.0"));
    return b;
}

kesto::SearchState::Snapshot probe_with(int token, std::uint32_t tick = 0) { return {token, tick}; }

kesto::Reply parse(const Bytes& b, kesto::SearchState::Snapshot search, std::uint32_t now = 0) {
    return kesto::parse_reply(b.data(), b.size(), search, now);
}

TEST(KestoProbe, CarriesTheSearchTextAndTokenInTwentyBytes) {
    for (std::uint8_t token : {0, 77, 254}) {
        Bytes expected(20, 0);
        put(expected, 0, text_bytes("Dravik Search"));
        expected[16] = token;
        auto probe = kesto::build_probe(token);
        EXPECT_EQ(Bytes(probe.begin(), probe.end()), expected) << int(token);
    }
}

TEST(KestoProbe, RandomTokensStayBelow255AndVary) {
    kesto::RandomTokenSource tokens;
    std::vector<bool> seen(256, false);
    for (int i = 0; i < 2000; ++i) seen[tokens.next_token()] = true;
    EXPECT_FALSE(seen[255]);
    EXPECT_GT(std::count(seen.begin(), seen.end(), true), 200);
}

TEST(KestoReply, ChecksDecideWhatIsTaken) {
    enum Outcome { Ignored, Row, Result };
    struct Case {
        const char* name;
        std::function<void(Bytes&)> change;
        int probe_token;
        Outcome outcome;
        int code;
    };
    const Case cases[] = {
        {"answer to the current probe", [](Bytes&) {}, 8, Row, 0},
        {"65 bytes", [](Bytes& b) { b.push_back(0); }, 8, Ignored, 0},
        {"63 bytes", [](Bytes& b) { b.pop_back(); }, 8, Ignored, 0},
        {"empty datagram", [](Bytes& b) { b.clear(); }, 8, Ignored, 0},
        {"wrong magic", [](Bytes& b) { b[3] = 0x98; }, 8, Ignored, 0},
        {"token of an older probe", [](Bytes& b) { b[5] = 7; }, 8, Ignored, 0},
        {"before any probe, token 255", [](Bytes& b) { b[5] = 255; }, kesto::kNoToken, Ignored, 0},
        {"before any probe, token 0", [](Bytes& b) { b[5] = 0; }, kesto::kNoToken, Ignored, 0},
        {"unknown kind 3", [](Bytes& b) { b[4] = 3; }, 8, Ignored, 0},
        {"kind 0", [](Bytes& b) { b[4] = 0; }, 8, Ignored, 0},
        {"set result, token not looked at", [](Bytes& b) { b[4] = 2; b[5] = 99; b[6] = 1; }, 8, Result, 1},
        {"set result before any probe", [](Bytes& b) { b[4] = 2; b[6] = 3; }, kesto::kNoToken, Result, 3},
        {"set result with an unknown code", [](Bytes& b) { b[4] = 2; b[6] = 4; }, 8, Result, 4},
    };
    for (const Case& c : cases) {
        Bytes b = device_answer(8);
        c.change(b);
        kesto::Reply reply = parse(b, probe_with(c.probe_token));
        switch (c.outcome) {
        case Ignored: EXPECT_TRUE(std::holds_alternative<kesto::IgnoredReply>(reply)) << c.name; break;
        case Row: EXPECT_TRUE(std::holds_alternative<kesto::DeviceRow>(reply)) << c.name; break;
        case Result:
            ASSERT_TRUE(std::holds_alternative<kesto::SetResult>(reply)) << c.name;
            EXPECT_EQ(std::get<kesto::SetResult>(reply).code, c.code) << c.name;
            break;
        }
    }
}

TEST(KestoReply, NullBufferIsIgnored) {
    EXPECT_TRUE(std::holds_alternative<kesto::IgnoredReply>(kesto::parse_reply(nullptr, 64, probe_with(0), 0)));
}

TEST(KestoReply, RowTextsOfADeviceAnswer) {
    kesto::Reply reply = parse(device_answer(8), probe_with(8, 1000), 1000 + 1234);
    ASSERT_TRUE(std::holds_alternative<kesto::DeviceRow>(reply));
    const auto& row = std::get<kesto::DeviceRow>(reply);
    EXPECT_EQ(row.ip, "10.20.30.40");
    EXPECT_EQ(row.mask, "255.255.0.0");
    EXPECT_EQ(row.gateway, "10.20.0.1");
    EXPECT_EQ(row.mac, "00-1a-2b-ff-0a-09");
    EXPECT_EQ(row.mac_decimal, "0-26-43-255-10-9");
    EXPECT_EQ(row.serial, "AB8-77");
    EXPECT_EQ(row.line_count, "8");
    EXPECT_EQ(row.firmware, "V1.0");
    EXPECT_EQ(row.delay, "00:00:01 .234");
}

TEST(KestoReply, TextFieldsAreReadByTheirLength) {
    struct Case {
        const char* name;
        std::string serial;  // bytes 24..39
        std::string firmware;  // bytes 40..45
        std::uint8_t unused_fill;
        std::string want_serial, want_lines, want_firmware;
    };
    const Case cases[] = {
        {"fields full, no NUL", "ZZ3456789ABCDEFG", "V9.8.7", 'x', "ZZ3456789ABCDEFG", "3", "V9.8.7"},
        {"third byte not a digit", "SNX-1", "V1", 0, "SNX-1", "", "V1"},
        {"empty serial", "", "", 0, "", "", ""},
        {"GBK serial", "\xC9\xE8\xB1\xB8", "", 0, "\xC9\xE8\xB1\xB8", "", ""},
    };
    for (const Case& c : cases) {
        Bytes b = device_answer(1);
        std::fill(b.begin() + 24, b.end(), c.unused_fill);
        std::fill(b.begin() + 24, b.begin() + 46, 0);
        put(b, 24, text_bytes(c.serial));
        put(b, 40, text_bytes(c.firmware));
        kesto::Reply reply = parse(b, probe_with(1));
        ASSERT_TRUE(std::holds_alternative<kesto::DeviceRow>(reply)) << c.name;
        const auto& row = std::get<kesto::DeviceRow>(reply);
        EXPECT_EQ(row.serial, c.want_serial) << c.name;
        EXPECT_EQ(row.line_count, c.want_lines) << c.name;
        EXPECT_EQ(row.firmware, c.want_firmware) << c.name;
    }
}

TEST(KestoDelay, FormatsElapsedTime) {
    struct Case {
        std::uint32_t ms;
        const char* text;
    };
    const Case cases[] = {
        {0, "00:00:00 .000"},
        {7, "00:00:00 .007"},
        {1234, "00:00:01 .234"},
        {3723004, "01:02:03 .004"},
        {86400000u + 5, "00:00:00 .005"},  // a whole day drops out, as on a clock face
    };
    for (const Case& c : cases) EXPECT_EQ(kesto::delay_text(c.ms), c.text) << c.ms;
}

TEST(KestoDelay, FollowsTheReplaceableClockAcrossItsWrap) {
    plat::ManualClock clock;
    plat::set_tick_source(&clock);
    clock.set_ticks(0xFFFFFF00u);
    kesto::SearchState search;
    search.begin(5, plat::tick_ms());
    clock.advance_ms(0x100 + 250);  // wraps past zero
    kesto::Reply reply = parse(device_answer(5), search.snapshot(), plat::tick_ms());
    EXPECT_EQ(kesto::delay_since(0xFFFFFF00u), "00:00:00 .506");
    plat::set_tick_source(nullptr);
    ASSERT_TRUE(std::holds_alternative<kesto::DeviceRow>(reply));
    EXPECT_EQ(std::get<kesto::DeviceRow>(reply).delay, "00:00:00 .506");
}

TEST(KestoSplitText, CutsIntoExactlyNParts) {
    struct Case {
        const char* text;
        char delimiter;
        std::size_t parts;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"1.2.3.4", '.', 4, {"1", "2", "3", "4"}},
        {"1.2.3.4.5", '.', 4, {"1", "2", "3", "4"}},
        {"1.2", '.', 4, {"1", "2", "", ""}},
        {"1.2.3.", '.', 4, {"1", "2", "3", ""}},
        {"", '.', 4, {"", "", "", ""}},
        {"..", '.', 4, {"", "", "", ""}},
        {"0-26-43-255-10-9", '-', 6, {"0", "26", "43", "255", "10", "9"}},
    };
    for (const Case& c : cases) EXPECT_EQ(kesto::split_text(c.text, c.delimiter, c.parts), c.want) << c.text;
}

TEST(KestoSplitText, DecimalPartsAndTrimming) {
    EXPECT_EQ(kesto::parse_decimal("300"), 300);
    EXPECT_EQ(kesto::parse_decimal("-1"), -1);
    EXPECT_EQ(kesto::parse_decimal("+7"), 7);
    EXPECT_EQ(kesto::parse_decimal("2147483647"), 2147483647);
    EXPECT_EQ(kesto::parse_decimal("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "-", "1a", " 1", "2147483648", "99999999999999999999", "0x10"})
        EXPECT_FALSE(kesto::parse_decimal(bad).has_value()) << bad;
    EXPECT_EQ(kesto::trim_text(" \t10.0.0.1 \r\n"), "10.0.0.1");
    EXPECT_EQ(kesto::trim_text("   "), "");
}

// The command for MAC 00-1a-2b-ff-0a-09 with the default login, 192.168.0.10/255.255.255.0
// via 192.168.0.1, written out byte by byte.
Bytes expected_command() {
    Bytes b(54, 0);
    put(b, 0, text_bytes("pelum"));
    put(b, 16, text_bytes("pelum"));
    put(b, 32, {192, 168, 0, 10});
    put(b, 36, {255, 255, 255, 0});
    put(b, 40, {192, 168, 0, 1});
    put(b, 44, {0x00, 0x1a, 0x2b, 0xff, 0x0a, 0x09});
    put(b, 50, {1, 2, 3, 4});
    return b;
}

kesto::SetAddressInput command_input() {
    return {"pelum", "pelum", "192.168.0.10", "255.255.255.0", "192.168.0.1", "0-26-43-255-10-9"};
}

TEST(KestoSetAddress, BuildsTheCommandBytes) {
    struct Case {
        const char* name;
        std::function<void(kesto::SetAddressInput&)> change;
        std::function<void(Bytes&)> expect;
    };
    const Case cases[] = {
        {"plain", [](auto&) {}, [](Bytes&) {}},
        {"texts are trimmed", [](auto& in) { in.ip = " 192.168.0.10 "; in.user_name = " pelum\t"; },
         [](Bytes&) {}},
        {"300 is sent as 44", [](auto& in) { in.ip = "192.168.0.300"; }, [](Bytes& b) { b[35] = 44; }},
        {"fifth part is dropped", [](auto& in) { in.ip = "1.2.3.4.5"; }, [](Bytes& b) { put(b, 32, {1, 2, 3, 4}); }},
        {"negative part keeps its low 8 bits", [](auto& in) { in.gateway = "192.168.0.-1"; },
         [](Bytes& b) { b[43] = 255; }},
        {"3-character user name is followed by 13 zero bytes", [](auto& in) { in.user_name = "abc"; },
         [](Bytes& b) { put(b, 0, Bytes(16, 0)); put(b, 0, text_bytes("abc")); }},
        {"long login is cut to 15 bytes and stays terminated",
         [](auto& in) { in.user_name = "ABCDEFGHIJKLMNOPQRST"; in.password = "0123456789abcdefXYZ"; },
         [](Bytes& b) {
             put(b, 0, text_bytes("ABCDEFGHIJKLMNO"));
             b[15] = 0;
             put(b, 16, text_bytes("0123456789abcde"));
             b[31] = 0;
         }},
        {"GBK login is cut on a character boundary",
         // nine two-byte characters: 15 bytes would split the eighth
         [](auto& in) { in.user_name = plat::utf8_to_gbk("设备管理器用户名称"); },
         [](Bytes& b) {
             put(b, 0, Bytes(16, 0));
             put(b, 0, text_bytes(plat::utf8_to_gbk("设备管理器用户")));
         }},
    };
    for (const Case& c : cases) {
        kesto::SetAddressInput input = command_input();
        c.change(input);
        Bytes want = expected_command();
        c.expect(want);
        auto built = kesto::build_set_address(input);
        ASSERT_TRUE(std::holds_alternative<kesto::SetIpBytes>(built)) << c.name;
        const auto& bytes = std::get<kesto::SetIpBytes>(built);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), want) << c.name;
    }
}

TEST(KestoSetAddress, TextsThatAreNotNumbersGiveTheConversionError) {
    struct Case {
        const char* name;
        std::function<void(kesto::SetAddressInput&)> change;
        const char* message;
    };
    const Case cases[] = {
        {"empty gateway", [](auto& in) { in.gateway = ""; }, "'' is not a valid integer value"},
        {"blank gateway", [](auto& in) { in.gateway = "  "; }, "'' is not a valid integer value"},
        {"three-part mask", [](auto& in) { in.mask = "255.255.0"; }, "'' is not a valid integer value"},
        {"letters in the address", [](auto& in) { in.ip = "10.a.0.1"; }, "'a' is not a valid integer value"},
        {"empty middle part", [](auto& in) { in.ip = "10..0.1"; }, "'' is not a valid integer value"},
        {"part too large for a number", [](auto& in) { in.ip = "10.0.0.99999999999"; },
         "'99999999999' is not a valid integer value"},
        {"five-part MAC", [](auto& in) { in.mac_decimal = "0-26-43-255-10"; }, "'' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        kesto::SetAddressInput input = command_input();
        c.change(input);
        auto built = kesto::build_set_address(input);
        ASSERT_TRUE(std::holds_alternative<kesto::ConversionError>(built)) << c.name;
        EXPECT_EQ(std::get<kesto::ConversionError>(built).message, c.message) << c.name;
    }
}

TEST(KestoBroadcastTarget, OptionThenVariableThenDefault) {
    using Args = std::vector<std::string>;
    using Var = std::optional<std::string>;
    struct Case {
        const char* name;
        Args args;
        Var variable;
        const char* ip;
        std::uint16_t port;
        bool error;
    };
    const Case cases[] = {
        {"nothing given", {}, std::nullopt, "255.255.255.255", 6000, false},
        {"option with =", {"--broadcast=127.255.255.255:6100"}, std::nullopt, "127.255.255.255", 6100, false},
        {"option and value", {"-x", "--broadcast", "127.0.0.1"}, std::nullopt, "127.0.0.1", 6000, false},
        {"variable", {}, Var("127.0.0.2:7000"), "127.0.0.2", 7000, false},
        {"option wins over variable", {"--broadcast=127.0.0.3:1"}, Var("127.0.0.2:7000"), "127.0.0.3", 1, false},
        {"malformed address", {"--broadcast=256.0.0.1"}, std::nullopt, "0.0.0.0", 0, true},
        {"port 0", {}, Var("127.0.0.1:0"), "0.0.0.0", 0, true},
        {"port too large", {}, Var("127.0.0.1:65536"), "0.0.0.0", 0, true},
        {"option without value", {"--broadcast"}, std::nullopt, "0.0.0.0", 0, true},
        {"host name", {}, Var("localhost:6000"), "0.0.0.0", 0, true},
    };
    for (const Case& c : cases) {
        kesto::BroadcastChoice choice = kesto::choose_broadcast_target(c.args, c.variable);
        EXPECT_EQ(choice.target.ip_text(), c.ip) << c.name;
        EXPECT_EQ(choice.target.port, c.port) << c.name;
        EXPECT_EQ(!choice.error.empty(), c.error) << c.name;
    }
}

} // namespace
