// The workstation's IPv4 addresses for the settings dialog's choice of local address.
#pragma once
#include <vector>
#include <string>

namespace station {

// Replaces `list` with the host's addresses as dotted texts and returns their number; returns 0
// and leaves `list` untouched when the host has none.
int GetLocalAddresses(std::vector<std::string>& list);

} // namespace station
