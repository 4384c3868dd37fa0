#include "controls/model/tray_tip.h"

#include "platform/text_gbk.h"

namespace ec {

std::string TrayTipText(const std::string& hint, bool new_shell) {
    const std::size_t limit = new_shell ? kNewShellTipBytes : kOldShellTipBytes;
    return hint.substr(0, plat::gbk_prefix_length(hint, limit));
}

} // namespace ec
