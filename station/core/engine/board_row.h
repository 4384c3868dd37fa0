// What the transfer state view shows for one device: the connection text and icon of the row
// and the texts of its ten columns. A pure function of the device record, so the view only
// compares and writes.
#pragma once
#include <array>
#include <string>

#include "station/core/engine/board_info.h"
#include "station/core/station_texts.h"

namespace station {

enum BoardRowImage : int {
    RowImageConnected = 0,
    RowImageDisconnected = 1,
    RowImagePaused = 2,
};

struct BoardRow {
    std::string Caption;                 // column 0: the connection text
    int Image = RowImageDisconnected;
    std::array<std::string, 10> Cells;   // columns 1 .. 10
};

BoardRow MakeBoardRow(int index, const ABoardInfo& board, const StationTexts& texts);

} // namespace station
