// A fresh folder per test case below the working folder, removed with its contents afterwards,
// and small helpers for building folder trees and pinning the local clock.
#pragma once
#include <string>

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/files.h"

namespace test_support {

inline void RemoveTree(const std::string& path) {
    for (const plat::DirEntry& e : plat::list_directory(path)) {
        const std::string child = plat::include_trailing_separator(path) + e.name;
        if (e.is_directory) RemoveTree(child); else plat::remove_file(child);
    }
    plat::remove_directory(path);
}

class TestFolder {
public:
    // Test programs and the cases of one table run in parallel from the same working folder:
    // the folder is named after the program, the case and `tag`.
    explicit TestFolder(const std::string& tag = "") {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = plat::extract_file_name(plat::executable_path());
        if (info) name += std::string("-") + info->test_suite_name() + "-" + info->name();
        if (!tag.empty()) name += "-" + tag;
        for (char& c : name)
            if (c == '/' || c == '\\' || c == '.') c = '-';
        path_ = plat::include_trailing_separator(plat::current_directory()) + "tmp-" + name;
        RemoveTree(path_);
        plat::force_directories(path_);
    }
    ~TestFolder() { RemoveTree(path_); }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }
    std::string file(const std::string& relative) const { return *this / relative; }

private:
    std::string path_;
};

// Writes a file, making its folders first.
inline void WriteFile(const std::string& path, const std::string& contents) {
    plat::force_directories(plat::extract_file_dir(path));
    ASSERT_TRUE(plat::write_whole_file(path, contents)) << path;
}

inline std::string ReadFile(const std::string& path) {
    std::string contents;
    plat::read_whole_file(path, contents);
    return contents;
}

// Installs a manual local clock for the life of the object.
class ScopedClock {
public:
    explicit ScopedClock(const plat::LocalTime& t) { clock_.set_local(t); plat::set_local_clock_source(&clock_); }
    ~ScopedClock() { plat::set_local_clock_source(nullptr); }
    void Set(const plat::LocalTime& t) { clock_.set_local(t); }
private:
    plat::ManualClock clock_;
};

inline plat::LocalTime At(int y, int mo, int d, int h, int mi, int s) {
    plat::LocalTime t;
    t.year = y; t.month = mo; t.day = d; t.hour = h; t.minute = mi; t.second = s;
    return t;
}

} // namespace test_support
