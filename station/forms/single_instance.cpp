#include "station/forms/single_instance.h"

#include <vector>

namespace forms {

namespace {
// Never changes between versions that must recognise each other.
const wchar_t kMutexName[] = L"Dravik Velquist{6B1E2C74-93D5-4F0A-A8E1-5C27D9B0F3A6}";

struct Search {
    const std::wstring* exe_path;
    HWND found;
};

std::wstring process_image_path(DWORD process_id) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
    if (process == nullptr) return {};
    std::vector<wchar_t> buffer(32768);
    DWORD size = static_cast<DWORD>(buffer.size());
    std::wstring path;
    if (QueryFullProcessImageNameW(process, 0, buffer.data(), &size)) path.assign(buffer.data(), size);
    CloseHandle(process);
    return path;
}

BOOL CALLBACK FindRunningInstanceProc(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t class_name[64] = {};
    GetClassNameW(window, class_name, 64);
    if (std::wstring(class_name) != L"TMainForm") return TRUE;
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    if (process_id == GetCurrentProcessId() || process_image_path(process_id) != *search->exe_path) return TRUE;
    search->found = window;
    return FALSE;
}
} // namespace

InstanceGuard::InstanceGuard() {
    mutex_ = CreateMutexW(nullptr, FALSE, kMutexName);
    if (mutex_ == nullptr) return;
    const DWORD wait = WaitForSingleObject(mutex_, 0);
    acquired_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

InstanceGuard::~InstanceGuard() {
    if (mutex_ != nullptr) CloseHandle(mutex_);
}

std::wstring OwnExePath() {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), length);
}

HWND FindRunningInstance(const std::wstring& exe_path) {
    Search search{&exe_path, nullptr};
    EnumWindows(&FindRunningInstanceProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace forms
