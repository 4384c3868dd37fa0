// A fresh folder per test below the working folder, removed with its contents afterwards.
#pragma once
#include <string>

#include <gtest/gtest.h>

#include "platform/files.h"

namespace settings_test {

inline void RemoveTree(const std::string& path) {
    for (const plat::DirEntry& e : plat::list_directory(path)) {
        const std::string child = plat::include_trailing_separator(path) + e.name;
        if (e.is_directory) RemoveTree(child); else plat::remove_file(child);
    }
    plat::remove_directory(path);
}

class TestFolder {
public:
    TestFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("settings-") + info->test_suite_name() + "-" + info->name();
        for (char& c : name) if (c == '/') c = '-';
        path_ = plat::include_trailing_separator(plat::current_directory()) + name;
        RemoveTree(path_);
        plat::force_directories(path_);
    }
    ~TestFolder() { RemoveTree(path_); }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
};

inline void WriteFile(const std::string& path, const std::string& contents) {
    plat::force_directories(plat::extract_file_dir(path));
    ASSERT_TRUE(plat::write_whole_file(path, contents)) << path;
}

inline std::string ReadFile(const std::string& path) {
    std::string contents;
    plat::read_whole_file(path, contents);
    return contents;
}

} // namespace settings_test
