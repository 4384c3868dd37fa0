// Makes an existing file unwritable for as long as the object lives: read-only, and held open
// without leave to write. The handle is what stops an administrator, whose writes the
// read-only flag does not stop under Wine.
#pragma once
#include <windows.h>

#include <string>

#include "platform/text_gbk.h"

namespace window_test {

class UnwritableFile {
public:
    explicit UnwritableFile(const std::string& path_gbk) : path_(plat::gbk_to_wide(path_gbk)) {
        SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY);
        handle_ = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~UnwritableFile() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    UnwritableFile(const UnwritableFile&) = delete;
    UnwritableFile& operator=(const UnwritableFile&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    std::wstring path_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

} // namespace window_test
