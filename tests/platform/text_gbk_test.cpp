#include <gtest/gtest.h>

#include <cstring>

#include "platform/text_gbk.h"

namespace {

const std::string kGbkChinese = "\xD6\xD0\xCE\xC4";      // two characters in GBK
const std::string kUtf8Chinese = "\xE4\xB8\xAD\xE6\x96\x87";

TEST(Gbk, ConvertsBothWays) {
    EXPECT_EQ(kUtf8Chinese, plat::gbk_to_utf8(kGbkChinese));
    EXPECT_EQ(kGbkChinese, plat::utf8_to_gbk(kUtf8Chinese));
    EXPECT_EQ(L"\u4E2D\u6587", plat::gbk_to_wide(kGbkChinese));
    EXPECT_EQ(kGbkChinese, plat::wide_to_gbk(L"\u4E2D\u6587"));
    EXPECT_EQ("abc", plat::gbk_to_utf8("abc"));
    EXPECT_EQ("", plat::gbk_to_utf8(""));
}

struct PrefixCase {
    std::string text;
    std::size_t max;
    std::size_t expected;
};

TEST(Gbk, PrefixNeverSplitsACharacter) {
    const PrefixCase cases[] = {
        {"abcdef", 4, 4},
        {"a" + kGbkChinese, 2, 1},   // would cut the first character in half
        {"a" + kGbkChinese, 3, 3},
        {kGbkChinese, 3, 2},
        {kGbkChinese, 10, 4},
        {"", 5, 0},
        {"ab\xB0", 3, 2},             // a lone lead byte at the end is left out
    };
    for (const PrefixCase& c : cases) EXPECT_EQ(c.expected, plat::gbk_prefix_length(c.text, c.max)) << c.text;
}

TEST(Gbk, CopyIntoFieldTerminatesAndZeroFills) {
    char field[6];
    std::memset(field, 'x', sizeof field);
    plat::copy_text_field(field, sizeof field, "ab" + kGbkChinese);  // 6 bytes do not fit with a NUL
    EXPECT_STREQ("ab\xD6\xD0", field);
    plat::copy_text_field(field, sizeof field, "z");
    EXPECT_EQ(0, std::memcmp(field, "z\0\0\0\0\0", 6));
}

TEST(Gbk, FieldTextStopsAtNulOrFieldEnd) {
    const char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ("abcd", plat::field_text(full, sizeof full));
    const char shorter[4] = {'a', 0, 'c', 'd'};
    EXPECT_EQ("a", plat::field_text(shorter, sizeof shorter));
}

} // namespace
