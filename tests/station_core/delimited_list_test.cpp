#include <gtest/gtest.h>

#include "station/core/delimited_list.h"
#include "station/core/gbk_literal.h"

namespace station {
namespace {

using List = std::vector<std::string>;

TEST(DelimitedList, Split) {
    // "\x81\x7C" is one GBK character whose second byte is '|'.
    struct Case { std::string text; List items; };
    const Case cases[] = {
        {"a|b|c", {"a", "b", "c"}},
        {"", {}},
        {"a b|c", {"a", "b", "c"}},  // blanks outside quotes split too
        {"  a | b  ", {"a", "b"}},
        {"\"a b\"|c", {"a b", "c"}},
        {"\"say \"\"hi\"\"\"|x", {"say \"hi\"", "x"}},
        {"\"a|b\"", {"a|b"}},
        {"a||b", {"a", "", "b"}},
        {"a|", {"a", ""}},
        {"\"\"", {""}},
        {"\"open", {"open"}},
        {"x\x81\x7Cy|z", {"x\x81\x7Cy", "z"}},
        {Gbk(u8"呼入|呼出|未接"), {Gbk(u8"呼入"), Gbk(u8"呼出"), Gbk(u8"未接")}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitDelimitedList(c.text), c.items) << c.text;
}

TEST(DelimitedList, JoinQuotesWhatWouldSplitAndRoundTrips) {
    struct Case { List items; std::string text; };
    const Case cases[] = {
        {{"a", "b"}, "a|b"},
        {{"a b", "c"}, "\"a b\"|c"},
        {{"a|b"}, "\"a|b\""},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"tab\there"}, "\"tab\there\""},
        {{""}, "\"\""},
        {{}, ""},
        {{"x\x81\x7Cy"}, "x\x81\x7Cy"},  // a GBK second byte is not a delimiter
        // A lone lead byte at an item's end is quoted: bare, it would take the '|' or the
        // closing quote after it as its second byte.
        {{"ab\xB0", "c"}, "\"ab\xB0\"|c"},
        {{"c", "ab\xB0"}, "c|\"ab\xB0\""},
        {{"\xB0"}, "\"\xB0\""},
        {{"x y\xB0", "z"}, "\"x y\xB0\"|z"},
        {{"\xB0\xA1", "z"}, "\xB0\xA1|z"},     // a whole character needs no quotes
        {{"\xB0 \xA1", "z"}, "\"\xB0 \xA1\"|z"},  // a blank is no second byte
        {{Gbk(u8"服务器主动连接录音设备 ( 设备可分配固定 IP 地址 )"), Gbk(u8"录音设备")},
         "\"" + Gbk(u8"服务器主动连接录音设备 ( 设备可分配固定 IP 地址 )") + "\"|" + Gbk(u8"录音设备")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JoinDelimitedList(c.items), c.text) << c.text;
        EXPECT_EQ(SplitDelimitedList(JoinDelimitedList(c.items)), c.items) << c.text;
    }
}

} // namespace
} // namespace station
