// One call record as one line of the pending file: the values of the insert statement's
// columns in its order, separated by tabs, ending in a tab and "#". Texts are kept byte for
// byte; a tab, a line break or a backslash inside one is written as a backslash pair.
#pragma once
#include <string>
#include <string_view>

#include "station/core/database/call_log_info.h"

namespace calldb {

// Without the line's leading mark and its line break.
std::string encode_pending_row(const ACallLogInfo& record);
// False for a line that is not a whole row (cut short by a crash, or changed by hand).
bool decode_pending_row(std::string_view line, ACallLogInfo& record);

} // namespace calldb
