// The check list's text lines: the round trip, plain lines, malformed lines, the toggle cycle.
#include <gtest/gtest.h>

#include "controls/model/check_list_stream.h"

using namespace ec;

namespace {

TEST(EcCheckListStream, RoundTripWritesOneLinePerItem) {
    const std::vector<CheckItem> items{{"A", {1, true}}, {"B", {0, false}}};
    const std::string stream = save_check_items(items);
    EXPECT_EQ(stream, "&1 1 A\r\n&0 0 B\r\n");
    std::vector<CheckItem> loaded = load_check_items(stream);
    ASSERT_EQ(loaded.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(loaded[i].text, items[i].text);
        EXPECT_EQ(loaded[i].packet, items[i].packet);
    }
    EXPECT_EQ(save_check_items({}), "");
    EXPECT_EQ(save_check_items({{"g", {2, true}}}), "&1 2 g\r\n");
}

TEST(EcCheckListStream, LinesAsRead) {
    struct Case {
        const char* line;
        const char* text;
        CheckPacket packet;
    } const cases[] = {
        {"plain line", "plain line", {0, true}},  // no prefix: unchecked and enabled
        {"", "", {0, true}},
        {"&1 2 grey", "grey", {2, true}},
        {"&x 1 t", "t", {1, false}},  // anything but 1 disables
        {"&1 1", "", {1, true}},
        {"&1 1 ", "", {1, true}},
        {"&1 1 \xD6\xD0\xCE\xC4", "\xD6\xD0\xCE\xC4", {1, true}},
    };
    for (const Case& c : cases) {
        CheckItem item = parse_check_line(c.line);
        EXPECT_EQ(item.text, c.text) << c.line;
        EXPECT_EQ(item.packet, c.packet) << c.line;
    }
    std::vector<CheckItem> mixed = load_check_items("&0 1 a\nb\r&1 0 c");
    ASSERT_EQ(mixed.size(), 3u);
    EXPECT_EQ(mixed[1].text, "b");
    EXPECT_EQ(mixed[2].packet, (CheckPacket{0, true}));
}

TEST(EcCheckListStream, MalformedLinesRaiseAConversionError) {
    struct Case {
        const char* line;
        const char* message;
    } const cases[] = {
        {"&", "'' is not a valid integer value"},       {"&1", "'' is not a valid integer value"},
        {"&1 ", "'' is not a valid integer value"},     {"&1 x a", "'x' is not a valid integer value"},
        {"&1 3 a", "'3' is not a valid integer value"}, {"&1 9", "'9' is not a valid integer value"},
        {"&1 - a", "'-' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        try {
            parse_check_line(c.line);
            ADD_FAILURE() << c.line;
        } catch (const EConvertError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.line;
        }
    }
    EXPECT_THROW(load_check_items("&1 1 a\r\n&1 5 b\r\n"), EConvertError);
}

TEST(EcCheckListStream, ToggleCycle) {
    EXPECT_EQ(next_check_state(0, false), 1);
    EXPECT_EQ(next_check_state(0, true), 2);
    EXPECT_EQ(next_check_state(1, false), 0);
    EXPECT_EQ(next_check_state(1, true), 0);
    EXPECT_EQ(next_check_state(2, false), 1);
    EXPECT_EQ(next_check_state(2, true), 1);
}

} // namespace
