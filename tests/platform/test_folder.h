// A fresh temporary folder per test, removed with everything in it afterwards.
#pragma once
#include <string>

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
        path_ = plat::include_trailing_separator(plat::current_directory()) + "tmp-" + name;
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
