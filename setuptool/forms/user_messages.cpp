#include "setuptool/forms/user_messages.h"

#include <windows.h>

#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"

namespace kesto {

void MessageBoxMessages::show(const std::string& text) {
    MessageBoxW(GetActiveWindow(), plat::gbk_to_wide(text).c_str(),
                plat::gbk_to_wide(ui::application().title()).c_str(), MB_OK | MB_ICONINFORMATION);
}

} // namespace kesto
