#include "station/core/engine/device_use.h"

#include <cstdint>

#include "station/core/engine/local_date_time.h"

namespace station {

void SetDeviceInUse(ABoardInfo& b, int index, bool in_use, ITransferLibrary& library) {
    const std::int32_t value = in_use ? 1 : 0;
    library.set_bd_param(index, 0, BD_PARAM_ENABLE, &value);
    b.Enabled = in_use;
    if (in_use) return;
    // The state machine does not step a paused device, so nothing else would end the download.
    if (b.State == StateFTPProcessing || b.State == StateFTPStop) library.uploadfile_terminate_async(index);
    // The device comes back through a new login, which finds the machine waiting to ask again.
    b.Connected = 0;
    if (b.State != StateNull) b.State = b.FTPRunning == 1 ? StateWaiting : StateNull;
    b.StateTime = NowDateTime();
    b.FileName.clear();
    b.FileSize = 0;
    b.BytesReceived = 0;
    b.DBIndex = -1;
}

} // namespace station
