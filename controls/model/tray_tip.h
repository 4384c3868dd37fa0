// The tip text of the notification-area icon: the shell keeps a fixed field for it, so a long
// hint is cut, never in the middle of a double-byte character.
#pragma once
#include <cstddef>
#include <string>

namespace ec {

// Characters (GBK bytes) the tip field takes: 127 from shell version 5 on, 63 before.
constexpr std::size_t kNewShellTipBytes = 127;
constexpr std::size_t kOldShellTipBytes = 63;

std::string TrayTipText(const std::string& hint, bool new_shell);

} // namespace ec
