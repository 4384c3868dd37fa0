#include <sstream>

#include <gtest/gtest.h>

#include "skin/lzh_stream.h"
#include "skin/skin_archive.h"
#include "tests/skin/skin_test_data.h"
#include "tests/support/test_folder.h"
#include "tools/skinpack/skinpack_command.h"

namespace {

using test_support::ReadFile;
using test_support::TestFolder;
using test_support::WriteFile;

struct Outcome {
    int status;
    std::string out, err;
};

Outcome Skinpack(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = skinpack::Run(args, out, err);
    return {status, out.str(), err.str()};
}

// A fault is exit status 1 and one line.
void ExpectFault(const Outcome& o, const std::string& part) {
    EXPECT_EQ(o.status, 1);
    ASSERT_FALSE(o.err.empty());
    EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
    EXPECT_NE(o.err.find(part), std::string::npos) << o.err;
}

TEST(Skinpack, PacksTheSameBytesTwiceListsAndUnpacks) {
    TestFolder dir;
    const auto files = skin_test::SmallSkinFiles();
    skin_test::WriteSkinFolder(dir / "skin", files);
    ASSERT_EQ(Skinpack({"pack", dir / "one.skn", dir / "skin"}).status, 0);
    ASSERT_EQ(Skinpack({"pack", dir / "two.skn", dir / "skin"}).status, 0);
    EXPECT_EQ(ReadFile(dir / "one.skn"), ReadFile(dir / "two.skn"));

    const Outcome listed = Skinpack({"list", dir / "one.skn"});
    EXPECT_EQ(listed.status, 0);
    // The ini first, then the bitmaps in name order.
    EXPECT_EQ(listed.out, "skin.ini\t" + std::to_string(files[0].bytes.size()) + "\n" +
                              "border left.bmp\t" + std::to_string(files[3].bytes.size()) + "\n" +
                              "button.bmp\t" + std::to_string(files[2].bytes.size()) + "\n" +
                              "title.bmp\t" + std::to_string(files[1].bytes.size()) + "\n");

    ASSERT_EQ(Skinpack({"unpack", dir / "one.skn", dir / "out"}).status, 0);
    for (const auto& f : files) EXPECT_EQ(ReadFile(dir / ("out\\" + f.name)), std::string(f.bytes.begin(), f.bytes.end())) << f.name;
}

struct FolderFault {
    const char* name;
    std::vector<skin_test::SkinFile> extra;
    const char* error_part;
    bool drop_ini;
};

class SkinpackFolderFaults : public ::testing::TestWithParam<FolderFault> {};

TEST_P(SkinpackFolderFaults, AreRefused) {
    TestFolder dir;
    auto files = skin_test::SmallSkinFiles();
    if (GetParam().drop_ini) files.erase(files.begin());
    files.insert(files.end(), GetParam().extra.begin(), GetParam().extra.end());
    skin_test::WriteSkinFolder(dir / "skin", files);
    ExpectFault(Skinpack({"pack", dir / "out.skn", dir / "skin"}), GetParam().error_part);
    EXPECT_FALSE(plat::file_exists(dir / "out.skn"));
}

const std::vector<std::uint8_t> kBmp = {'B', 'M', 0};

INSTANTIATE_TEST_SUITE_P(
    Table, SkinpackFolderFaults,
    ::testing::Values(FolderFault{"upper_case", {{"Big.bmp", kBmp}}, "not lower case", false},
                      FolderFault{"non_ascii", {{"\xb1\xea.bmp", kBmp}}, "not ASCII", false},
                      FolderFault{"other_kind", {{"notes.txt", kBmp}}, "neither", false},
                      FolderFault{"two_inis", {{"more.ini", {}}}, "exactly one .ini, found 2", false},
                      FolderFault{"no_ini", {}, "exactly one .ini, found 0", true},
                      FolderFault{"ini_inside_a_bitmap_name", {{"a.ini.bmp", kBmp}}, "besides the description", false},
                      FolderFault{"not_a_bitmap", {{"x.bmp", {'G', 'I', 'F'}}}, "does not begin", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Skinpack, RefusesASubfolderAndAMissingFolder) {
    TestFolder dir;
    skin_test::WriteSkinFolder(dir / "skin", skin_test::SmallSkinFiles());
    plat::force_directories(dir / "skin\\sub");
    ExpectFault(Skinpack({"pack", dir / "out.skn", dir / "skin"}), "subfolder");
    ExpectFault(Skinpack({"pack", dir / "out.skn", dir / "none"}), "no folder");
}

TEST(Skinpack, RefusesBadArgumentsAndBadFiles) {
    TestFolder dir;
    ExpectFault(Skinpack({}), "usage");
    ExpectFault(Skinpack({"pack", "x"}), "usage");
    ExpectFault(Skinpack({"zip", "a", "b"}), "usage");
    ExpectFault(Skinpack({"list", dir / "missing.skn"}), "cannot read");
    WriteFile(dir / "bad.skn", std::string("\x10\0\0\0\xff", 5));
    ExpectFault(Skinpack({"list", dir / "bad.skn"}), "skin");
    ExpectFault(Skinpack({"unpack", dir / "bad.skn", dir / "out"}), "skin");
}

// Archives from elsewhere may carry names that are paths; unpacking writes nothing then.
TEST(Skinpack, UnpackRefusesNamesThatLeaveTheFolder) {
    for (const std::string bad : {"..\\evil.bmp", "sub/evil.bmp", "", "Evil.BMP\r\nevil.bmp"}) {
        SCOPED_TRACE(bad);
        TestFolder dir;
        std::vector<std::uint8_t> archive = {0x70, 0x11, 0x01, 0x00};  // 70000
        const std::string list = "ok.bmp\r\n" + bad + "\r\n";
        const int members = bad.find('\r') != std::string::npos ? 3 : 2;
        for (std::uint32_t v : {static_cast<std::uint32_t>(list.size()), 0u, 0u}) {
            for (int i = 0; i < 4; ++i) archive.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
        archive.insert(archive.end(), 69, 0);
        archive.insert(archive.end(), list.begin(), list.end());
        for (int m = 0; m < members; ++m) archive.insert(archive.end(), {2, 0, 0, 0});
        for (int m = 0; m < members; ++m) archive.insert(archive.end(), {'B', 'M'});
        const auto stored = skin::LzhEncode(archive);
        WriteFile(dir / "bad.skn", std::string(stored.begin(), stored.end()));
        ExpectFault(Skinpack({"unpack", dir / "bad.skn", dir / "out"}), "member name");
        EXPECT_FALSE(plat::file_exists(dir / "out\\ok.bmp"));
        EXPECT_FALSE(plat::file_exists(dir / "evil.bmp"));
    }
}

} // namespace
