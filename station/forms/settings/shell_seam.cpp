#include "station/forms/settings/shell_seam.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/files.h"
#include "platform/text_gbk.h"

namespace forms {

namespace {

std::string shell_verb(HWND parent, const wchar_t* verb, const std::string& path) {
    const std::wstring file = plat::gbk_to_wide(path);
    SetLastError(ERROR_SUCCESS);
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(parent, verb, file.c_str(), nullptr, nullptr, SW_SHOW));
    if (result > 32) return {};
    // The shell's own result codes below 32 that are no system error codes.
    if (GetLastError() == ERROR_SUCCESS)
        SetLastError(result == SE_ERR_NOASSOC || result == SE_ERR_ASSOCINCOMPLETE ? ERROR_NO_ASSOCIATION
                                                                                   : static_cast<DWORD>(result));
    return plat::last_file_error_text();
}

// The shell allocates the item list; it must go back to the shell's allocator.
class ItemList {
public:
    explicit ItemList(LPITEMIDLIST list) : list_(list) {}
    ~ItemList() {
        if (list_) CoTaskMemFree(list_);
    }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;
    LPITEMIDLIST get() const { return list_; }

private:
    LPITEMIDLIST list_;
};

} // namespace

std::string WindowsShellActions::OpenFile(HWND parent, const std::string& path) {
    return shell_verb(parent, L"open", path);
}

std::string WindowsShellActions::PrintFile(HWND parent, const std::string& path) {
    return shell_verb(parent, L"print", path);
}

bool WindowsShellActions::BrowseForFolder(HWND parent, const std::string& title, std::string& folder) {
    const std::wstring caption = plat::gbk_to_wide(title);
    BROWSEINFOW info{};
    info.hwndOwner = parent;
    info.lpszTitle = caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    ItemList chosen(SHBrowseForFolderW(&info));
    if (!chosen.get()) return false;
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(chosen.get(), path)) return false;
    folder = plat::wide_to_gbk(path);
    return true;
}

bool WindowsShellActions::ChooseFile(HWND parent, std::string& file) {
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW info{};
    info.lStructSize = sizeof(info);
    info.hwndOwner = parent;
    info.lpstrFile = path;
    info.nMaxFile = MAX_PATH;
    info.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameW(&info)) return false;
    file = plat::wide_to_gbk(path);
    return true;
}

} // namespace forms
