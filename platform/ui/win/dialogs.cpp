#include "platform/ui/win/dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cwchar>

#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"

namespace ui {

ClassInfo& OpenDialog::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TOpenDialog", &Component::static_class());
        c.factory = factory_of<OpenDialog>();
        auto text = [](std::string OpenDialog::*f) {
            return std::make_pair([f](const OpenDialog& d) { return d.*f; }, [f](OpenDialog& d, const std::string& v) { d.*f = v; });
        };
        auto name = text(&OpenDialog::file_name), filt = text(&OpenDialog::filter), ext = text(&OpenDialog::default_ext);
        auto dir = text(&OpenDialog::initial_dir), ttl = text(&OpenDialog::title);
        PropBuilder<OpenDialog>(c)
            .string("FileName", name.first, name.second, "TFileName")
            .string("Filter", filt.first, filt.second)
            .string("DefaultExt", ext.first, ext.second)
            .string("InitialDir", dir.first, dir.second)
            .string("Title", ttl.first, ttl.second)
            .integer("FilterIndex", [](const OpenDialog& d) { return d.filter_index; }, [](OpenDialog& d, int v) { d.filter_index = v; }, 1)
            .set("Options", "TOpenOptions", [](const OpenDialog& d) { return d.options; },
                 [](OpenDialog& d, TOpenOptions v) { d.options = v; }, TOpenOptions{TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing});
        return c;
    }();
    return info;
}

bool OpenDialog::execute() { return run(false); }

bool OpenDialog::run(bool save) {
    // The filter text is "Name|*.ext|Name|*.ext"; the dialog wants NUL-separated pairs.
    std::wstring wfilter = plat::gbk_to_wide(filter);
    for (wchar_t& ch : wfilter)
        if (ch == L'|') ch = L'\0';
    wfilter.push_back(L'\0');
    wfilter.push_back(L'\0');
    std::vector<wchar_t> buffer(65536, L'\0');
    std::wstring initial = plat::gbk_to_wide(file_name);
    initial.copy(buffer.data(), std::min(initial.size(), buffer.size() - 1));
    std::wstring wdir = plat::gbk_to_wide(initial_dir), wext = plat::gbk_to_wide(default_ext), wtitle = plat::gbk_to_wide(title);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    Form* active = screen().active_form();
    ofn.hwndOwner = active && active->handle_allocated() ? active->handle() : nullptr;
    ofn.lpstrFilter = filter.empty() ? nullptr : wfilter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(filter_index);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = wdir.empty() ? nullptr : wdir.c_str();
    ofn.lpstrDefExt = wext.empty() ? nullptr : wext.c_str();
    ofn.lpstrTitle = wtitle.empty() ? nullptr : wtitle.c_str();
    ofn.Flags = OFN_EXPLORER;
    if (options.has(TOpenOption::ofOverwritePrompt)) ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (options.has(TOpenOption::ofHideReadOnly)) ofn.Flags |= OFN_HIDEREADONLY;
    if (options.has(TOpenOption::ofNoChangeDir)) ofn.Flags |= OFN_NOCHANGEDIR;
    if (options.has(TOpenOption::ofAllowMultiSelect)) ofn.Flags |= OFN_ALLOWMULTISELECT;
    if (options.has(TOpenOption::ofPathMustExist)) ofn.Flags |= OFN_PATHMUSTEXIST;
    if (options.has(TOpenOption::ofFileMustExist)) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (options.has(TOpenOption::ofCreatePrompt)) ofn.Flags |= OFN_CREATEPROMPT;
    if (options.has(TOpenOption::ofEnableSizing)) ofn.Flags |= OFN_ENABLESIZING;

    BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return false;
    filter_index = static_cast<int>(ofn.nFilterIndex);
    files.clear();
    // Several files: the folder, then each name, NUL-separated.
    std::wstring first(buffer.data());
    const wchar_t* next = buffer.data() + first.size() + 1;
    if ((ofn.Flags & OFN_ALLOWMULTISELECT) && *next) {
        for (; *next; next += std::wcslen(next) + 1) files.push_back(plat::wide_to_gbk(first + L"\\" + next));
    } else {
        files.push_back(plat::wide_to_gbk(first));
    }
    file_name = files.front();
    return true;
}

ClassInfo& SaveDialog::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TSaveDialog", &OpenDialog::static_class());
        c.factory = factory_of<SaveDialog>();
        return c;
    }();
    return info;
}

bool SaveDialog::execute() { return run(true); }

bool browse_for_folder(HWND owner, const std::string& title, std::string& folder) {
    std::wstring wtitle = plat::gbk_to_wide(title);
    BROWSEINFOW bi{};
    bi.hwndOwner = owner;
    bi.lpszTitle = wtitle.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
    if (!pidl) return false;
    wchar_t path[MAX_PATH] = {};
    bool ok = SHGetPathFromIDListW(pidl, path) != FALSE;
    CoTaskMemFree(pidl);
    if (ok) folder = plat::wide_to_gbk(path);
    return ok;
}

} // namespace ui
