#include <gtest/gtest.h>

#include "skin/colour_text.h"
#include "skin/quick_ini.h"

namespace {

using skin::TQuickIni;

TQuickIni IniOf(std::string_view text) {
    TQuickIni ini;
    ini.Load(text);
    return ini;
}

TEST(QuickIni, LinesEndAtCrLfOrCrLfAndAreTrimmed) {
    const TQuickIni ini = IniOf("[A]\r\n  one = 1 \rtwo=2\n\tthree =3\r\n");
    EXPECT_EQ(ini.ReadString("a", "ONE", "-"), "1");
    EXPECT_EQ(ini.ReadString("A", "two", "-"), "2");
    EXPECT_EQ(ini.ReadString("A", "three", "-"), "3");
}

TEST(QuickIni, TextEndsAtTheFirstNul) {
    const TQuickIni ini = IniOf(std::string_view("[A]\nk=1\n\0[B]\nk=2\n", 17));
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"A"});
    EXPECT_EQ(ini.ReadString("B", "k", "none"), "none");
}

TEST(QuickIni, LoadReplacesEverything) {
    TQuickIni ini = IniOf("[A]\nk=1\n");
    ini.Load("[B]\nk=2\n");
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"B"});
    EXPECT_EQ(ini.ReadString("A", "k", "gone"), "gone");
}

TEST(QuickIni, CommentLinesAreNeitherLinesNorSections) {
    const TQuickIni ini = IniOf("[A]\n;[B]\n;k=9\nk=1\n");
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"A"});
    EXPECT_EQ(ini.ReadString("A", "k", "-"), "1");
    EXPECT_EQ(ini.ReadString("B", "k", "-"), "-");
}

TEST(QuickIni, SpacesInsideBracketsAreListedTrimmedButDoNotMatch) {
    const TQuickIni ini = IniOf("[ Spaced ]\nk=1\n[Plain]\nk=2\n");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Spaced", "Plain"}));
    EXPECT_EQ(ini.ReadString("Spaced", "k", "-"), "-");
    EXPECT_EQ(ini.ReadString(" Spaced ", "k", "-"), "1");
}

TEST(QuickIni, FirstOccurrenceWinsEvenWhenEmpty) {
    const TQuickIni ini = IniOf("[A]\nk=first\nk=second\n[B]\nk=\nk=second\n[A]\nlater=1\n");
    EXPECT_EQ(ini.ReadString("A", "k", "-"), "first");
    EXPECT_EQ(ini.ReadString("B", "k", "default"), "default");
    // Only the first section of a name counts.
    EXPECT_EQ(ini.ReadString("A", "later", "-"), "-");
}

TEST(QuickIni, KeysStopAtTheNextSectionAndValuesKeepLaterEquals) {
    const TQuickIni ini = IniOf("[A]\nx\nk = a=b \n[B]\nonly=1\n");
    EXPECT_EQ(ini.ReadString("A", "k", "-"), "a=b");
    EXPECT_EQ(ini.ReadString("A", "only", "-"), "-");
    EXPECT_EQ(IniOf("").ReadString("A", "k", "empty"), "empty");
}

TEST(QuickIni, IntegerForms) {
    struct Case {
        const char* value;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"31", 31},          {"0x1F", 31},       {"0X1f", 31},         {"$1F", 31},       {"   42   ", 42},
        {"-7", -7},          {"+7", 7},          {"12abc", -99},       {"abc", -99},      {"$", -99},
        {"0x", -99},         {"$G", -99},        {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
        {"2147483648", -99}, {"99999999999", -99}, {"$FFFFFFFF", -1},  {"$100000000", -99}, {"", -99},
        {"1 2", -99},
    };
    for (const Case& c : cases) {
        const TQuickIni ini = IniOf(std::string("[S]\nk=") + c.value + "\n");
        EXPECT_EQ(ini.ReadInteger("S", "k", -99), c.expected) << '"' << c.value << '"';
    }
}

TEST(ColourText, Forms) {
    struct Case {
        const char* text;
        ui::TColor expected;
    };
    const Case cases[] = {
        {"255,128,0", ui::rgb(255, 128, 0)},
        {"255, 128, 0 ", ui::rgb(255, 128, 0)},
        {"255 128", ui::rgb(255, 0, 0)},          // the second number ends the text and is dropped
        {"1 2 3 4 5", ui::rgb(1, 2, 3)},           // past the third: ignored
        {"256,257,511", ui::rgb(0, 1, 255)},       // low 8 bits
        {"99999999999999999999999,1,2", ui::rgb(255, 1, 2)},  // 10^23 - 1 is 255 modulo 256
        {"r=10;g=20;b=30", ui::rgb(10, 20, 30)},
        {"7", ui::rgb(0, 0, 0)},
        {"none", ui::rgb(0, 0, 0)},
    };
    for (const Case& c : cases) EXPECT_EQ(skin::ParseColourText(c.text), c.expected) << c.text;
    EXPECT_EQ(skin::ParseColourText(""), std::nullopt);
}

} // namespace
