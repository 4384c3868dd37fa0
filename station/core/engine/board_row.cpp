#include "station/core/engine/board_row.h"

#include "station/core/engine/transfer_engine.h"

namespace station {

BoardRow MakeBoardRow(int index, const ABoardInfo& b, const StationTexts& texts) {
    BoardRow row;
    // A paused device shows as not connected even while the library still holds its session.
    const bool connected = b.Connected == 1 && b.Enabled;
    if (!b.Enabled) {
        row.Caption = texts.Get("Msg.Disconnected");
        row.Image = RowImagePaused;
    } else if (connected) {
        row.Caption = texts.Get("Msg.Connected");
        row.Image = RowImageConnected;
    } else {
        row.Caption = texts.Get("Msg.Disconnected");
        row.Image = RowImageDisconnected;
    }
    auto& c = row.Cells;  // c[k - 1] is column k
    c[0] = std::to_string(index + 1);
    c[1] = b.Enabled ? b.Description : b.Description + "(" + texts.Get("Log.DevicePaused") + ")";
    c[2] = b.IPAddress;
    c[3] = b.Serial;
    if (connected) {
        c[4] = std::to_string(b.ChanCount);
        c[5] = std::to_string(b.FilesRemaining);
        c[6] = TransferStateName(b.State, texts);
        c[7] = b.FileName;
    }
    if (connected && b.State == StateFTPProcessing) {
        c[8] = std::to_string(b.BytesReceived) + " / " + std::to_string(b.FileSize);
    }
    c[9] = b.SaveFolder;
    return row;
}

} // namespace station
