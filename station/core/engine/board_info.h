// The station's mirror of each recording device the transfer library knows, indexed by the
// library's device index.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace station {

// The per-device transfer state; the values are shown and logged, so they stay fixed.
enum TransferState : std::int32_t {
    StateNull = 1,
    StateWaiting = 2,
    StateQueryNewFile = 3,
    StateWaitingQueryResult = 4,
    StateFTPStart = 5,
    StateFTPProcessing = 6,
    StateFTPStop = 7,
    StateFTPFinished = 8,
};

struct ABoardInfo {
    std::string IPAddress;
    std::string Serial;
    std::int32_t ChanCount = 0;
    std::string Description;
    std::string SaveFolder;      // the user's folder name; empty: none
    std::int32_t Connected = 0;
    std::int32_t FTPRunning = 0;
    std::string FileName;        // offered by the device's last new-file answer
    std::int32_t FileSize = 0;
    std::int32_t BytesReceived = 0;
    std::string DateFolder;      // "yyyymmdd"
    std::int32_t DBIndex = -1;
    std::int32_t FilesRemaining = 0;
    std::uint8_t TransferId = 1;
    std::int32_t State = StateNull;
    std::string FolderName;      // the device's folder below the save base
    double StateTime = 0;        // local date-time (days since 1899-12-30)
    std::string LastClockSync;   // "YYYY-MM-DD hh-mm-ss"
    bool Enabled = true;
    std::int32_t OpenErrorCount = 0;
    std::int32_t OpenErrorIndex = -1;
    std::int32_t RefusalCount = 0;   // refusals in a row of the file RefusalIndex
    std::int32_t RefusalIndex = -1;
    // The row path of the download under way, "<device folder>\<yyyymmdd>\<local name>";
    // empty once its row is stored.
    std::string RowPath;
};

constexpr int kMaxBoards = 200;
using BoardTable = std::array<ABoardInfo, kMaxBoards>;

} // namespace station
