// The station's call record is the row type of CallLogTable.
#pragma once
#include "station/core/call_log_info.h"

namespace calldb {
using station::ACallLogInfo;
} // namespace calldb
