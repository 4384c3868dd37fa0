#include <gtest/gtest.h>

#include "platform/files.h"
#include "tests/support/test_folder.h"

namespace {

using test_support::TestFolder;

TEST(Paths, SplitOnEitherSeparatorButNotInsideGbk) {
    EXPECT_EQ("C:\\a\\", plat::extract_file_dir("C:\\a\\b.wav"));
    EXPECT_EQ("b.wav", plat::extract_file_name("C:\\a\\b.wav"));
    EXPECT_EQ("x/", plat::extract_file_dir("x/y"));
    // 0x5C is the trail byte of this GBK character; it is no separator.
    const std::string name = "\xB1\x5C.wav";
    EXPECT_EQ(name, plat::extract_file_name("d\\" + name));
    EXPECT_EQ("a\\", plat::include_trailing_separator("a"));
    EXPECT_EQ("a\\", plat::include_trailing_separator("a\\"));
    EXPECT_TRUE(plat::is_absolute_path("C:\\x"));
    EXPECT_TRUE(plat::is_absolute_path("\\\\server\\share"));
    EXPECT_FALSE(plat::is_absolute_path("rec\\20120301"));
}

TEST(Files, FoldersFilesAndPositionalIo) {
    TestFolder dir;
    std::string deep = dir.path() + "\\a\\b\\c";
    ASSERT_TRUE(plat::force_directories(deep));
    EXPECT_TRUE(plat::directory_exists(deep));
    EXPECT_FALSE(plat::file_exists(deep));

    std::string path = deep + "\\data.bin";
    plat::File f;
    ASSERT_TRUE(f.open(path, plat::File::Mode::OpenOrCreate));
    EXPECT_EQ(3, f.write_at(1024, "xyz", 3));
    EXPECT_EQ(2, f.write_at(0, "ab", 2));
    EXPECT_EQ(1027, f.size());
    char buffer[3] = {};
    EXPECT_EQ(3, f.read_at(1024, buffer, 3));
    EXPECT_EQ(std::string("xyz"), std::string(buffer, 3));
    EXPECT_TRUE(f.truncate(2));
    EXPECT_EQ(2, f.size());
    f.close();
    EXPECT_EQ(2, plat::file_size(path));

    std::string renamed = deep + "\\renamed.bin";
    ASSERT_TRUE(plat::write_whole_file(renamed, "taken"));
    EXPECT_FALSE(plat::rename_file(path, renamed)) << "an existing target is never replaced";
    ASSERT_TRUE(plat::remove_file(renamed));
    EXPECT_TRUE(plat::rename_file(path, renamed));
    EXPECT_FALSE(plat::file_exists(path));

    auto entries = plat::list_directory(deep);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ("renamed.bin", entries[0].name);
    EXPECT_EQ(2, entries[0].size);
    EXPECT_FALSE(f.open(dir.path() + "\\missing", plat::File::Mode::Read));
}

TEST(Files, GbkFileNames) {
    TestFolder dir;
    const std::string name = "\xC2\xBC\xD2\xF4.wav";  // a Chinese name in GBK
    ASSERT_TRUE(plat::write_whole_file(dir.file(name), "RIFF"));
    EXPECT_TRUE(plat::file_exists(dir.file(name)));
    auto entries = plat::list_directory(dir.path());
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(name, entries[0].name);
}

TEST(Files, ModulePathNamesThisProgram) {
    std::string exe = plat::executable_path();
    EXPECT_FALSE(exe.empty());
    EXPECT_EQ(exe, plat::module_path_of(reinterpret_cast<const void*>(&plat::executable_path)));
}

} // namespace
