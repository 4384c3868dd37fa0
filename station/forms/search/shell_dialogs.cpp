#include "station/forms/search/shell_dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "platform/text_gbk.h"

namespace forms {
namespace {

// "name|pattern|name|pattern" as the dialog wants it: NUL-separated, two NULs at the end.
std::wstring filter_of(const std::string& filter) {
    std::wstring wide = plat::gbk_to_wide(filter);
    for (wchar_t& c : wide) {
        if (c == L'|') c = L'\0';
    }
    wide.push_back(L'\0');
    wide.push_back(L'\0');
    return wide;
}

} // namespace

bool ShellFileDialogs::SaveFile(const std::string& filter, const std::string& default_extension, std::string& path) {
    std::vector<wchar_t> name(MAX_PATH * 4, L'\0');
    const std::wstring proposed = plat::gbk_to_wide(path);
    proposed.copy(name.data(), std::min(proposed.size(), name.size() - 1));
    const std::wstring filters = filter_of(filter);
    const std::wstring extension = plat::gbk_to_wide(default_extension);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_ ? owner_() : nullptr;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrDefExt = extension.c_str();
    // The station asks about overwriting itself, with its own box.
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ofn)) return false;
    path = plat::wide_to_gbk(name.data());
    return true;
}

bool ShellFileDialogs::BrowseFolder(const std::string& title, std::string& folder) {
    const std::wstring caption = plat::gbk_to_wide(title);
    wchar_t chosen[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = owner_ ? owner_() : nullptr;
    info.pszDisplayName = chosen;
    info.lpszTitle = caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
    if (!list) return false;
    const bool ok = SHGetPathFromIDListW(list, chosen) != FALSE;
    CoTaskMemFree(list);
    if (!ok) return false;
    folder = plat::wide_to_gbk(chosen);
    return true;
}

} // namespace forms
