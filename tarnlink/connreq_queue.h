// Connection requests from unknown serials, waiting for kvftp_get_connreqinfo: 64 slots; one
// writer (the listener or shared receiver) and one reader (the host).
#pragma once

#include "tarnlink/slot_ring.h"
#include "tarnlink/tarnlink.h"

namespace tarnlink {

using ConnReqQueue = SlotRing<ftp_connreqinfo, 64>;

} // namespace tarnlink
