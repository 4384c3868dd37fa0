// One table of profile-file cases. Natively it checks our implementation; in the Windows build
// the same table runs against the system's own profile functions, so both agree.
#include <gtest/gtest.h>

#include <cctype>

#include "platform/files.h"
#include "platform/ini_file.h"
#include "tests/support/test_folder.h"

namespace {

using test_support::TestFolder;

struct ReadCase {
    const char* what;
    const char* file_text;
    const char* section;
    const char* key;
    const char* default_value;
    std::size_t buffer;
    const char* expected;
};

const ReadCase kReadCases[] = {
    {"plain value", "[General]\r\nCount=3\r\n", "General", "Count", "x", 100, "3"},
    {"section and key ignore case", "[gEnErAl]\r\ncOuNt=4\r\n", "GENERAL", "count", "x", 100, "4"},
    {"first key wins", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "", 100, "1"},
    {"first section wins", "[A]\r\nk=1\r\n[A]\r\nk=2\r\nj=5\r\n", "A", "k", "", 100, "1"},
    {"value trimmed", "[A]\r\n  k  =   v w  \r\n", "A", "k", "", 100, "v w"},
    {"missing key gives default", "[A]\r\nk=1\r\n", "A", "other", "dflt", 100, "dflt"},
    {"missing section gives default", "[A]\r\nk=1\r\n", "B", "k", "dflt", 100, "dflt"},
    {"missing file gives default", nullptr, "A", "k", "dflt", 100, "dflt"},
    {"empty value is not the default", "[A]\r\nk=\r\n", "A", "k", "dflt", 100, ""},
    {"cut to the buffer", "[A]\r\nk=abcdefgh\r\n", "A", "k", "", 5, "abcd"},
    {"default cut to the buffer", "[A]\r\n", "A", "k", "abcdefgh", 4, "abc"},
    {"LF line endings", "[A]\nk=lf\n", "A", "k", "", 100, "lf"},
    {"quotes removed", "[A]\r\nk=\"quoted\"\r\n", "A", "k", "", 100, "quoted"},
    {"GBK value", "[A]\r\nk=\xD6\xD0\xCE\xC4\r\n", "A", "k", "", 100, "\xD6\xD0\xCE\xC4"},
    {"GBK section", "[\xC9\xE8\xB1\xB8]\r\nk=1\r\n", "\xC9\xE8\xB1\xB8", "k", "", 100, "1"},
};

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, ReadsAsTheProfileFunctions) {
    const ReadCase& c = GetParam();
    TestFolder dir;
    std::string file = dir.file("t.ini");
    if (c.file_text) {
        ASSERT_TRUE(plat::write_whole_file(file, c.file_text));
    }
    EXPECT_EQ(c.expected, plat::ini_read_string(file, c.section, c.key, c.default_value, c.buffer)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, IniRead, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) {
                             std::string name = info.param.what;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

struct IntCase {
    const char* value_line;  // nullptr: key absent
    int default_value;
    int expected;
};

const IntCase kIntCases[] = {
    {"k=42", 7, 42}, {nullptr, 7, 7}, {"k=-3", 7, -3}, {"k=12abc", 7, 12},
    {"k=abc", 7, 0}, {"k=  15", 7, 15}, {"k=", 7, 7}, {"k=+8", 7, 8},
};

TEST(IniReadInt, LeadingNumberOrDefault) {
    TestFolder dir;
    std::string file = dir.file("t.ini");
    for (const IntCase& c : kIntCases) {
        std::string text = "[A]\r\n";
        if (c.value_line) text += std::string(c.value_line) + "\r\n";
        ASSERT_TRUE(plat::write_whole_file(file, text));
        EXPECT_EQ(c.expected, plat::ini_read_int(file, "A", "k", c.default_value))
            << (c.value_line ? c.value_line : "(absent)");
    }
}

TEST(IniWrite, CreatesFileSectionAndKey) {
    TestFolder dir;
    std::string file = dir.file("new.ini");
    ASSERT_TRUE(plat::ini_write_string(file, "Network", "Count", "2"));
    ASSERT_TRUE(plat::ini_write_string(file, "Network", "IP1", "127.0.0.1"));
    ASSERT_TRUE(plat::ini_write_string(file, "LocalIP", "Port", "8801"));
    EXPECT_EQ("2", plat::ini_read_string(file, "network", "COUNT", ""));
    EXPECT_EQ("127.0.0.1", plat::ini_read_string(file, "Network", "IP1", ""));
    EXPECT_EQ(8801, plat::ini_read_int(file, "LocalIP", "Port", 0));
    EXPECT_EQ((std::vector<std::string>{"Network", "LocalIP"}), plat::ini_read_sections(file));
    EXPECT_EQ((std::vector<std::string>{"Count", "IP1"}), plat::ini_read_keys(file, "Network"));
}

TEST(IniWrite, ReplacesExistingKeyKeepingOthers) {
    TestFolder dir;
    std::string file = dir.file("t.ini");
    ASSERT_TRUE(plat::write_whole_file(file, "[A]\r\nk=1\r\nj=2\r\n[B]\r\nk=3\r\n"));
    ASSERT_TRUE(plat::ini_write_string(file, "a", "K", "9"));
    ASSERT_TRUE(plat::ini_write_string(file, "A", "new", "x"));
    EXPECT_EQ("9", plat::ini_read_string(file, "A", "k", ""));
    EXPECT_EQ("2", plat::ini_read_string(file, "A", "j", ""));
    EXPECT_EQ("x", plat::ini_read_string(file, "A", "new", ""));
    EXPECT_EQ("3", plat::ini_read_string(file, "B", "k", ""));
}

TEST(IniWrite, GbkValuesRoundTripAsBytes) {
    TestFolder dir;
    std::string file = dir.file("t.ini");
    const std::string text = "\xC2\xBC\xD2\xF4\xB7\xFE\xCE\xF1";  // GBK
    ASSERT_TRUE(plat::ini_write_string(file, "Language", "Caption", text));
    EXPECT_EQ(text, plat::ini_read_string(file, "Language", "Caption", ""));
    std::string raw;
    ASSERT_TRUE(plat::read_whole_file(file, raw));
    EXPECT_NE(std::string::npos, raw.find(text)) << "the file keeps GBK bytes";
}

TEST(IniWrite, DeletesKeysAndSections) {
    TestFolder dir;
    std::string file = dir.file("t.ini");
    ASSERT_TRUE(plat::write_whole_file(file, "[A]\r\nk=1\r\nj=2\r\n[B]\r\nk=3\r\n"));
    ASSERT_TRUE(plat::ini_delete_key(file, "A", "k"));
    EXPECT_EQ("gone", plat::ini_read_string(file, "A", "k", "gone"));
    EXPECT_EQ("2", plat::ini_read_string(file, "A", "j", ""));
    ASSERT_TRUE(plat::ini_delete_section(file, "B"));
    EXPECT_EQ("gone", plat::ini_read_string(file, "B", "k", "gone"));
    EXPECT_EQ((std::vector<std::string>{"A"}), plat::ini_read_sections(file));
}

} // namespace
