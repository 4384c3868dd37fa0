// A fresh temporary folder per test, removed with everything in it afterwards.
#pragma once
#include <string>

#include <gtest/gtest.h>

#include "platform/files.h"

namespace testing_support {

inline void remove_tree(const std::string& path) {
    for (const plat::DirEntry& e : plat::list_directory(path)) {
        std::string child = plat::include_trailing_separator(path) + e.name;
        if (e.is_directory) remove_tree(child); else plat::remove_file(child);
    }
    plat::remove_directory(path);
}

class TempFolder {
public:
    explicit TempFolder(const std::string& name) {
        // Cases of one table run as parallel processes: each gets a folder of its own.
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string unique = name;
        if (test) unique += std::string("-") + test->test_suite_name() + "-" + test->name();
        for (char& c : unique)
            if (c == '/' || c == '\\') c = '_';
        path_ = plat::include_trailing_separator(plat::current_directory()) + "tmp-" + unique;
        remove_tree(path_);
        plat::force_directories(path_);
    }
    ~TempFolder() { remove_tree(path_); }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& path() const { return path_; }
private:
    std::string path_;
};

} // namespace testing_support
