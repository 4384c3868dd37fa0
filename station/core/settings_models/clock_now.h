// "Synchronise now" of the settings dialog: the clock of every connected device set at once.
#pragma once
#include <string>

#include "station/core/engine/board_info.h"
#include "station/core/engine/transfer_library.h"

namespace station {

// Sends `now_text` ("yyyy-MM-dd HH:mm:ss") to every connected device of the first
// `device_count`; results are ignored and the periodic synchronisation keeps its schedule.
// Returns the number of devices asked.
int SetConnectedDeviceClocks(const BoardTable& boards, int device_count, ITransferLibrary& library,
                             const std::string& now_text);

} // namespace station
