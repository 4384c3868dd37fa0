#include "setuptool/web_page.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/text_gbk.h"

namespace kesto {

bool ShellWebPageOpener::open(const std::string& url) {
    std::wstring wide = plat::gbk_to_wide(url);
    HINSTANCE result = ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // ShellExecute reports success as a value above 32.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace kesto
