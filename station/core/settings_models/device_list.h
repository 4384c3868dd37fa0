// The transfer library's settings file as the settings dialog edits it: the device rows, the
// station's own address and port, and the connection mode.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace station {

constexpr int kDefaultDevicePort = 8000;
constexpr int kMaxDevicePort = 65535;
constexpr int kDefaultLocalPort = 8801;
constexpr int kMaxLocalPort = 65500;
// The library's login carries at most this many bytes of the user name and of the password.
constexpr std::size_t kMaxLoginBytes = 15;
extern const char* const kDefaultLogin;

// One device; its number is its position in the list plus one.
struct DeviceRow {
    std::string Address;
    std::int32_t Port = kDefaultDevicePort;
    std::string Serial;
    std::string Description;
    std::string SaveFolder;
    std::string User;
    std::string Password;
};

// Connection-mode items of the dialog: 0 the station connects to the devices, 1 the devices
// connect to the station.
constexpr int kConnModeStationConnects = 0;
constexpr int kConnModeDevicesConnect = 1;

struct LibrarySettings {
    std::string LocalIP;
    std::int32_t LocalPort = kDefaultLocalPort;
    std::vector<DeviceRow> Devices;
    int ConnModeItem = kConnModeStationConnects;
};

// Reads what the dialog shows; a missing file gives no devices, port 8801 and item 0.
LibrarySettings LoadLibrarySettings(const std::string& ini_path);
// Writes [LocalIP], [Network] Count and rows 1..Count, and [FTPInfo] ConnMode (1 or 2). Rows
// above Count from earlier saves and every other key stay.
void SaveLibrarySettings(const std::string& ini_path, const LibrarySettings& settings);

// A row as typed into the dialog's edits: texts trimmed, port clamped, the login cut to what
// the library sends (never inside a double-byte character).
DeviceRow NormalizeDeviceRow(DeviceRow row);

// The device list with its selection (-1 none). Every operation returns true when it changed
// the list; without a fitting selection it does nothing.
class DeviceListModel {
public:
    void Reset(std::vector<DeviceRow> rows);
    const std::vector<DeviceRow>& Rows() const { return rows_; }
    int Selected() const { return selected_; }
    void Select(int row);

    bool Add(const DeviceRow& row);
    bool EditSelected(const DeviceRow& row);
    bool DeleteSelected();
    bool MoveSelectedUp();
    bool MoveSelectedDown();

private:
    std::vector<DeviceRow> rows_;
    int selected_ = -1;
};

} // namespace station
