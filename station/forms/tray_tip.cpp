#include "station/forms/tray_tip.h"

#include "platform/text_gbk.h"

namespace forms {

std::string TrayTipText(const std::string& hint, bool new_shell) {
    const std::size_t limit = new_shell ? kNewShellTipBytes : kOldShellTipBytes;
    return hint.substr(0, plat::gbk_prefix_length(hint, limit));
}

} // namespace forms
