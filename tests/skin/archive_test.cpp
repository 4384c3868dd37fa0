#include <gtest/gtest.h>

#include "skin/lzh_stream.h"
#include "skin/skin_archive.h"
#include "tests/skin/skin_test_data.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using skin::TSkinReader;

void Put32(Bytes& out, std::int32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
}

// An archive as another packer may have written it: any version, list and sizes.
Bytes RawArchive(std::int32_t version, const std::string& list, const std::vector<std::int32_t>& sizes,
                 const std::string& data, int skipped = -1, std::optional<std::int32_t> list_length = std::nullopt) {
    Bytes out;
    Put32(out, version);
    Put32(out, list_length.value_or(static_cast<std::int32_t>(list.size())));
    Put32(out, 0x11111111);
    Put32(out, 0x22222222);
    const std::optional<int> s = skin::SkippedBlockSize(version);
    out.insert(out.end(), skipped >= 0 ? skipped : s.value_or(0), 0xEE);
    out.insert(out.end(), list.begin(), list.end());
    for (std::int32_t size : sizes) Put32(out, size);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::string Member(const TSkinReader& r, const std::string& name) {
    const Bytes b = r.GetMember(name);
    return std::string(b.begin(), b.end());
}

TSkinReader Loaded(const Bytes& archive) {
    TSkinReader reader;
    const auto result = reader.LoadArchive(skin::LzhEncode(archive));
    EXPECT_TRUE(result.ok()) << result.error;
    return reader;
}

struct NameListCase {
    const char* name;
    std::string list;
    std::vector<std::string> names;
};

class NameLists : public ::testing::TestWithParam<NameListCase> {};

TEST_P(NameLists, SplitByTheLineRules) { EXPECT_EQ(skin::SplitNameList(GetParam().list), GetParam().names); }

INSTANTIATE_TEST_SUITE_P(
    Lines, NameLists,
    ::testing::Values(NameListCase{"crlf", "a.bmp\r\nb.ini\r\n", {"a.bmp", "b.ini"}},
                      NameListCase{"empty_line_is_a_member", "a.bmp\r\n\r\nb.ini\r\n", {"a.bmp", "", "b.ini"}},
                      NameListCase{"cr_and_lf_alone", "a\rb\nc", {"a", "b", "c"}},
                      NameListCase{"lf_cr_is_two_ends", "a\n\rb", {"a", "", "b"}},
                      NameListCase{"nul_ends_the_text", std::string("a\r\nb\0c\r\n", 8), {"a", "b"}},
                      NameListCase{"lower_cased", "Title BAR.BMP", {"title bar.bmp"}},
                      NameListCase{"only_a_line_end", "\r\n", {""}},
                      NameListCase{"empty", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SkinArchive, ListStartsAfterTheVersionsSkippedBlock) {
    for (std::int32_t version : {20000, 30000, 40000, 50000, 60000, 70000}) {
        SCOPED_TRACE(version);
        const Bytes archive = RawArchive(version, "x.bmp\r\n", {3}, "BMx");
        const TSkinReader reader = Loaded(archive);
        EXPECT_EQ(reader.Version(), version);
        EXPECT_EQ(Member(reader, "x.bmp"), "BMx");
    }
    EXPECT_EQ(skin::SkippedBlockSize(20000), 0);
    EXPECT_EQ(16 + *skin::SkippedBlockSize(60000), 133);
}

TEST(SkinArchive, EmptyLineIsAMemberWithItsOwnSize) {
    const TSkinReader two = Loaded(RawArchive(70000, "a.bmp\r\nb.bmp\r\n", {1, 2}, "abb"));
    EXPECT_EQ(two.Names(), (std::vector<std::string>{"a.bmp", "b.bmp"}));
    const TSkinReader three = Loaded(RawArchive(70000, "a.bmp\r\n\r\nb.bmp\r\n", {1, 4, 2}, "aEEEEbb"));
    EXPECT_EQ(three.Names(), (std::vector<std::string>{"a.bmp", "", "b.bmp"}));
    EXPECT_EQ(Member(three, ""), "EEEE");
    EXPECT_EQ(Member(three, "b.bmp"), "bb");
}

TEST(SkinArchive, GetMemberIgnoresLetterCaseAndFindsTheFirst) {
    const TSkinReader r = Loaded(RawArchive(50000, "Title.BMP\r\nx.bmp\r\nx.bmp\r\n", {2, 1, 1}, "BM12"));
    EXPECT_EQ(Member(r, "TITLE.bmp"), "BM");
    EXPECT_EQ(Member(r, "x.bmp"), "1");
    EXPECT_TRUE(r.GetMember("missing.bmp").empty());
}

TEST(SkinArchive, FindMemberTakesTheFirstNameHoldingTheText) {
    const TSkinReader r = Loaded(RawArchive(70000, "my.ini.bmp\r\nskin.ini\r\n", {2, 3}, "BMini"));
    const auto found = r.FindMember(".ini");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "my.ini.bmp");
    EXPECT_EQ(found->bytes, (Bytes{'B', 'M'}));
    EXPECT_FALSE(r.FindMember(".INI"));  // the text is not lower-cased
    EXPECT_FALSE(r.FindMember("none"));
}

struct ArchiveRefusal {
    const char* name;
    Bytes archive;
    const char* error_part;
};

class ArchiveRefusals : public ::testing::TestWithParam<ArchiveRefusal> {};

TEST_P(ArchiveRefusals, LeaveNoMembers) {
    TSkinReader reader;
    // A good archive first, so that the refusal must also drop what was there.
    ASSERT_TRUE(reader.LoadArchive(skin::LzhEncode(RawArchive(70000, "a.bmp\r\n", {2}, "BM"))).ok());
    const auto result = reader.LoadArchive(skin::LzhEncode(GetParam().archive));
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error.find(GetParam().error_part), std::string::npos) << result.error;
    // Only an unknown version gets the programs' "older skin" message.
    EXPECT_EQ(result.unknown_version, std::string(GetParam().error_part).rfind("unknown version", 0) == 0);
    EXPECT_TRUE(reader.Names().empty());
    EXPECT_TRUE(reader.GetMember("a.bmp").empty());
    EXPECT_FALSE(reader.FindMember(""));
}

std::string ManyNames(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "m.bmp\r\n";
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArchiveRefusals,
    ::testing::Values(
        ArchiveRefusal{"empty", {}, "shorter than its header"},
        ArchiveRefusal{"fifteen_bytes", Bytes(15, 0), "shorter than its header"},
        ArchiveRefusal{"version_10000", RawArchive(10000, "a.bmp\r\n", {2}, "BM", 0), "unknown version 10000"},
        ArchiveRefusal{"version_80000", RawArchive(80000, "a.bmp\r\n", {2}, "BM", 0), "unknown version 80000"},
        ArchiveRefusal{"negative_list_length", RawArchive(70000, "", {}, "", -1, -5), "negative length"},
        ArchiveRefusal{"list_past_end", RawArchive(70000, "a.bmp", {}, "", -1, 100), "name list passes"},
        ArchiveRefusal{"skipped_block_past_end", RawArchive(30000, "", {}, "", 10), "name list passes"},
        ArchiveRefusal{"size_table_past_end", RawArchive(70000, "a.bmp\r\nb.bmp\r\n", {2}, ""), "size table"},
        ArchiveRefusal{"negative_size", RawArchive(70000, "a.bmp\r\n", {-1}, ""), "negative size"},
        ArchiveRefusal{"members_past_end", RawArchive(70000, "a.bmp\r\n", {3}, "BM"), "members pass"},
        ArchiveRefusal{"sizes_sum_past_32_bits", RawArchive(70000, "a\r\nb\r\nc\r\n", {0x7FFFFFFF, 0x7FFFFFFF, 2}, "BM"),
                       "members pass"},
        ArchiveRefusal{"over_1001_members", RawArchive(70000, ManyNames(1002), std::vector<std::int32_t>(1002, 0), ""),
                       "more than 1001"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SkinArchive, ThousandAndOneMembersAreTheMost) {
    const TSkinReader r = Loaded(RawArchive(70000, ManyNames(1001), std::vector<std::int32_t>(1001, 0), ""));
    EXPECT_EQ(r.Names().size(), 1001u);
}

TEST(SkinArchive, StoredLengthZeroIsRefused) {
    TSkinReader reader;
    EXPECT_FALSE(reader.LoadArchive(Bytes{0, 0, 0, 0}).ok());
}

TEST(SkinArchive, TruncatedStoredBytesAreRefused) {
    skin::WriteResult written = skin::WriteArchive({{"skin.ini", Bytes(3000, 'x')}, {"a.bmp", skin_test::RandomBytes(9000, 1)}});
    ASSERT_TRUE(written.ok()) << written.error;
    Bytes stored = skin::LzhEncode(written.archive);
    stored.resize(stored.size() / 2);
    TSkinReader reader;
    const auto result = reader.LoadArchive(stored);
    EXPECT_NE(result.error.find("truncated"), std::string::npos) << result.error;
    EXPECT_TRUE(reader.Names().empty());
}

TEST(ArchiveWriter, WritesVersion70000ThatReadsBack) {
    const std::vector<skin::ArchiveMember> members = {
        {"skin.ini", {'[', ']'}}, {"title.bmp", skin_test::MakeFrameStrip(10, 8, 2)}, {"empty.bmp", {}}};
    const skin::WriteResult written = skin::WriteArchive(members);
    ASSERT_TRUE(written.ok()) << written.error;
    // Header, 69 zero bytes, the names joined by CR LF.
    EXPECT_EQ(written.archive[0] | written.archive[1] << 8 | written.archive[2] << 16, 70000);
    const std::string list = "skin.ini\r\ntitle.bmp\r\nempty.bmp\r\n";
    EXPECT_EQ(written.archive[4], list.size());
    EXPECT_EQ(Bytes(written.archive.begin() + 16, written.archive.begin() + 85), Bytes(69, 0));
    EXPECT_EQ(std::string(written.archive.begin() + 85, written.archive.begin() + 85 + list.size()), list);

    const TSkinReader reader = Loaded(written.archive);
    ASSERT_EQ(reader.Names().size(), members.size());
    for (const auto& m : members) EXPECT_EQ(reader.GetMember(m.name), m.bytes) << m.name;
}

struct NameRefusal {
    const char* name;
    std::string member;
};

class MemberNameRefusals : public ::testing::TestWithParam<NameRefusal> {};

TEST_P(MemberNameRefusals, AreRefusedByTheWriter) {
    EXPECT_TRUE(skin::MemberNameFault(GetParam().member));
    const skin::WriteResult written = skin::WriteArchive({{GetParam().member, {'B', 'M'}}});
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(written.archive.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MemberNameRefusals,
    ::testing::Values(NameRefusal{"slash", "a/b.bmp"}, NameRefusal{"backslash", "a\\b.bmp"},
                      NameRefusal{"dot_dot", "..bmp"}, NameRefusal{"parent", "..\\x.bmp"},
                      NameRefusal{"cr", "a\r.bmp"}, NameRefusal{"lf", "a\n.bmp"},
                      NameRefusal{"nul", std::string("a\0.bmp", 6)}, NameRefusal{"upper_case", "A.bmp"},
                      NameRefusal{"non_ascii", "\xb1\xea.bmp"}, NameRefusal{"other_extension", "a.png"},
                      NameRefusal{"empty", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ArchiveWriter, RefusesDuplicatesAndKeepsSpaces) {
    EXPECT_FALSE(skin::WriteArchive({{"a.bmp", {}}, {"a.bmp", {}}}).ok());
    EXPECT_FALSE(skin::MemberNameFault("border left.bmp"));
}

} // namespace
