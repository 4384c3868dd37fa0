#include "station/core/settings_models/clock_now.h"

#include <algorithm>

namespace station {

int SetConnectedDeviceClocks(const BoardTable& boards, int device_count, ITransferLibrary& library,
                             const std::string& now_text) {
    const int count = std::clamp(device_count, 0, kMaxBoards);
    int asked = 0;
    for (int i = 0; i < count; ++i) {
        const ABoardInfo& b = boards[static_cast<std::size_t>(i)];
        if (b.Connected != 1 || !b.Enabled) continue;
        library.set_bd_param(i, 0, BD_PARAM_CLOCK, now_text.c_str());
        ++asked;
    }
    return asked;
}

} // namespace station
