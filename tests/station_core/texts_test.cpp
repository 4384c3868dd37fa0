#include <gtest/gtest.h>

#include "station/core/gbk_literal.h"
#include "station/core/station_texts.h"
#include "station/core/text_format.h"

namespace station {
namespace {

TEST(TextFormat, FillsPlaceholdersOrRefuses) {
    struct Case { const char* pattern; std::vector<FormatArg> args; std::optional<std::string> result; };
    const Case cases[] = {
        {"dev %d - %s", {3, "ok"}, std::string("dev 3 - ok")},
        {"100%% of %d", {7}, std::string("100% of 7")},
        {"[%4d|%-4s|%.3d|%.2s]", {5, "ab", 7, "xyz"}, std::string("[   5|ab  |007|xy]")},
        {"%1:s %0:d", {9, "nine"}, std::string("nine 9")},
        {"%x", {255}, std::string("FF")},
        {"no placeholders", {1, "extra"}, std::string("no placeholders")},  // unused arguments are fine
        {"", {1}, std::string()},
        {"%s", {5}, std::nullopt},          // a number where a text is expected
        {"%d", {"five"}, std::nullopt},     // a text where a number is expected
        {"%d %d", {1}, std::nullopt},       // more placeholders than arguments
        {"%5:s", {"a"}, std::nullopt},      // an index beyond the arguments
        {"%q", {1}, std::nullopt},          // an unknown directive
        {"ends with %", {}, std::nullopt},
        {"%.s", {"a"}, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(TryFormat(c.pattern, c.args), c.result) << c.pattern;
}

TEST(TextFormat, TextPrecisionNeverSplitsAGbkCharacter) {
    // Two Chinese characters are four bytes; three bytes would cut the second one in half.
    EXPECT_EQ(TryFormat("%.3s", {Gbk(u8"设备")}), Gbk(u8"设"));
}

TEST(StationTexts, BuiltInTextsAreGbkBytes) {
    StationTexts texts;
    EXPECT_EQ(texts.Get("Log.StartProgram"), "\xC6\xF4\xB6\xAF\xB3\xCC\xD0\xF2");  // "启动程序"
    EXPECT_EQ(texts.Get("Log.Information"), "\xCF\xFB\xCF\xA2");                 // "消息"
    EXPECT_EQ(texts.Get("No.Such.Key"), "");
    EXPECT_FALSE(texts.Set("No.Such.Key", "x"));
    EXPECT_EQ(StationTexts::LanguageTextKeys().size(), 57u);
    EXPECT_EQ(StationTexts::MainWindowTextKeys().size(), 7u);
}

TEST(StationTexts, AFaultyTranslationFallsBackToTheBuiltInText) {
    StationTexts texts;
    const std::vector<FormatArg> args = {2, "10.0.0.5"};
    const std::string built_in = Gbk(u8"设备2 - 登录成功(10.0.0.5), 连接已建立");
    EXPECT_EQ(texts.Format("Log.LoginSucc", args), built_in);

    struct Case { const char* translation; std::string expected; };
    const Case cases[] = {
        {"Device %d logged in (%s)", "Device 2 logged in (10.0.0.5)"},
        {"Device %s logged in (%d)", built_in},       // placeholders swapped
        {"Device %d: %s, cause %s", built_in},        // one placeholder too many
        {"Device %d logged in", "Device 2 logged in"},  // a detail left out is the translator's choice
        {"", ""},                                    // a key missing from the language file
    };
    for (const Case& c : cases) {
        texts.Set("Log.LoginSucc", c.translation);
        EXPECT_EQ(texts.Format("Log.LoginSucc", args), c.expected) << c.translation;
    }
    texts.SetDefaults();
    EXPECT_EQ(texts.Format("Log.LoginSucc", args), built_in);
}

TEST(StationTexts, FixedTextsNeverMisreadAnArgument) {
    EXPECT_EQ(FormatFixed("Ignore File %s, filesize %d", {"a.wav", 0}), "Ignore File a.wav, filesize 0");
    EXPECT_EQ(FormatFixed("Ignore File %s, filesize %d", {"a.wav"}), "Ignore File %s, filesize %d a.wav");
}

} // namespace
} // namespace station
