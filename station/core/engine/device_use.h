// Taking a device out of use ("暂停使用") and putting it back ("允许使用").
#pragma once
#include "station/core/engine/board_info.h"
#include "station/core/engine/transfer_library.h"

namespace station {

// Tells the library, which logs a paused device out and holds it out, and updates the device's
// record. A paused device's transfer is wound back: a download in progress is cancelled, its
// partial file and resume record stay for when the device offers the file again.
void SetDeviceInUse(ABoardInfo& board, int index, bool in_use, ITransferLibrary& library);

} // namespace station
