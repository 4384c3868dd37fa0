// One station per executable: the named mutex, and finding the main window of the instance
// that already runs so that it can be brought back.
#pragma once
#include <windows.h>

#include <string>

namespace forms {

// Holds the mutex for the life of the process; an abandoned mutex (a crashed instance) counts
// as acquired.
class InstanceGuard {
public:
    InstanceGuard();
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;
    bool Acquired() const { return acquired_; }

private:
    HANDLE mutex_ = nullptr;
    bool acquired_ = false;
};

// The full path of this process's executable.
std::wstring OwnExePath();
// The top-level window of class "TMainForm" whose process runs `exe_path` (compared exactly),
// or null.
HWND FindRunningInstance(const std::wstring& exe_path);

} // namespace forms
