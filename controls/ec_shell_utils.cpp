#include "controls/ec_shell_utils.h"

#include <windows.h>

#include <vector>

namespace ec {

namespace {

FileVersion read_file_version(const wchar_t* module) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(module, &ignored);
    if (size == 0) return {};
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(module, 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return {};
    return {info->dwFileVersionMS, info->dwFileVersionLS};
}

std::optional<FileVersion>& comctl32_override() {
    static std::optional<FileVersion> version;
    return version;
}

} // namespace

FileVersion comctl32_version() {
    if (comctl32_override()) return *comctl32_override();
    static const FileVersion version = read_file_version(L"comctl32.dll");
    return version;
}

FileVersion shell32_version() {
    static const FileVersion version = read_file_version(L"shell32.dll");
    return version;
}

void set_comctl32_version(std::optional<FileVersion> version) { comctl32_override() = version; }

} // namespace ec
