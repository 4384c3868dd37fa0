#include <gtest/gtest.h>

#include "controls/model/accel_text.h"

namespace {

TEST(EcAccelText, StripsMarksKeepsDoubledAndTrailingAmpersands) {
    struct Case {
        const char* text;
        const char* shown;
    } const cases[] = {
        {"&File", "File"}, {"a&&b", "a&b"}, {"ab&", "ab&"}, {"&", "&"}, {"", ""},
        {"&&&", "&&"},     {"Save &As", "Save As"}, {"\xCE\xC4&\xBC\xFE", "\xCE\xC4\xBC\xFE"},  // GBK 文件
    };
    for (const Case& c : cases) EXPECT_EQ(ec::strip_accel_chars(c.text), c.shown) << c.text;
    EXPECT_EQ(ec::count_char_occurrences('&', "a&&b&"), 3);
    EXPECT_EQ(ec::count_char_occurrences('x', ""), 0);
}

} // namespace
