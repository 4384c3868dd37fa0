#include "station/core/settings_models/device_list.h"

#include <algorithm>
#include <utility>

#include "platform/ini_file.h"
#include "platform/text_gbk.h"
#include "station/core/settings_models/trim_text.h"
#include "station/core/settings.h"

namespace station {

const char* const kDefaultLogin = "pelum";

namespace {

constexpr const char* kNetwork = "Network";

std::string trimmed(const std::string& text) { return TrimText(text); }

std::string read_text(const std::string& file, const char* section, const std::string& key,
                      const std::string& def = {}) {
    return trimmed(plat::ini_read_string(file, section, key, def));
}

std::string numbered(const char* key, int n) { return key + std::to_string(n); }

std::string login_prefix(const std::string& text) {
    return text.substr(0, plat::gbk_prefix_length(text, kMaxLoginBytes));
}

} // namespace

LibrarySettings LoadLibrarySettings(const std::string& ini_path) {
    LibrarySettings s;
    s.LocalIP = read_text(ini_path, "LocalIP", "IP");
    s.LocalPort = ReadIniInteger(ini_path, "LocalIP", "Port", kDefaultLocalPort);
    // A damaged count cannot make the dialog read without end; the library takes at most 100.
    const int count = std::clamp(ReadIniInteger(ini_path, kNetwork, "Count", 0), 0, 10000);
    s.Devices.reserve(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) {
        DeviceRow r;
        r.Address = read_text(ini_path, kNetwork, numbered("IP", n));
        r.Port = ReadIniInteger(ini_path, kNetwork, numbered("Port", n), kDefaultDevicePort);
        r.Serial = read_text(ini_path, kNetwork, numbered("Serial", n));
        r.Description = read_text(ini_path, kNetwork, numbered("Comment", n));
        r.SaveFolder = read_text(ini_path, kNetwork, numbered("SaveFolder", n));
        r.User = read_text(ini_path, kNetwork, numbered("User", n), kDefaultLogin);
        r.Password = read_text(ini_path, kNetwork, numbered("Password", n), kDefaultLogin);
        s.Devices.push_back(std::move(r));
    }
    s.ConnModeItem = ReadIniInteger(ini_path, "FTPInfo", "ConnMode", 1) == 2 ? kConnModeDevicesConnect
                                                                              : kConnModeStationConnects;
    return s;
}

void SaveLibrarySettings(const std::string& ini_path, const LibrarySettings& s) {
    plat::ini_write_string(ini_path, "LocalIP", "IP", trimmed(s.LocalIP));
    plat::ini_write_string(ini_path, "LocalIP", "Port", std::to_string(std::clamp(s.LocalPort, 0, kMaxLocalPort)));
    plat::ini_write_string(ini_path, kNetwork, "Count", std::to_string(s.Devices.size()));
    int n = 1;
    for (const DeviceRow& r : s.Devices) {
        plat::ini_write_string(ini_path, kNetwork, numbered("IP", n), r.Address);
        plat::ini_write_string(ini_path, kNetwork, numbered("Port", n), std::to_string(r.Port));
        plat::ini_write_string(ini_path, kNetwork, numbered("Serial", n), r.Serial);
        plat::ini_write_string(ini_path, kNetwork, numbered("User", n), r.User);
        plat::ini_write_string(ini_path, kNetwork, numbered("Password", n), r.Password);
        plat::ini_write_string(ini_path, kNetwork, numbered("Comment", n), r.Description);
        plat::ini_write_string(ini_path, kNetwork, numbered("SaveFolder", n), r.SaveFolder);
        ++n;
    }
    plat::ini_write_string(ini_path, "FTPInfo", "ConnMode", s.ConnModeItem == kConnModeDevicesConnect ? "2" : "1");
}

DeviceRow NormalizeDeviceRow(DeviceRow r) {
    r.Address = trimmed(r.Address);
    r.Port = std::clamp(r.Port, 0, kMaxDevicePort);
    r.Serial = trimmed(r.Serial);
    r.Description = trimmed(r.Description);
    r.SaveFolder = trimmed(r.SaveFolder);
    r.User = login_prefix(trimmed(r.User));
    r.Password = login_prefix(trimmed(r.Password));
    return r;
}

void DeviceListModel::Reset(std::vector<DeviceRow> rows) {
    rows_ = std::move(rows);
    selected_ = -1;
}

void DeviceListModel::Select(int row) {
    selected_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
}

bool DeviceListModel::Add(const DeviceRow& row) {
    rows_.push_back(NormalizeDeviceRow(row));
    return true;
}

bool DeviceListModel::EditSelected(const DeviceRow& row) {
    if (selected_ < 0) return false;
    rows_[static_cast<std::size_t>(selected_)] = NormalizeDeviceRow(row);
    return true;
}

bool DeviceListModel::DeleteSelected() {
    if (selected_ < 0) return false;
    rows_.erase(rows_.begin() + selected_);
    selected_ = -1;
    return true;
}

bool DeviceListModel::MoveSelectedUp() {
    if (selected_ <= 0) return false;
    std::swap(rows_[static_cast<std::size_t>(selected_)], rows_[static_cast<std::size_t>(selected_ - 1)]);
    --selected_;
    return true;
}

bool DeviceListModel::MoveSelectedDown() {
    if (selected_ < 0 || selected_ + 1 >= static_cast<int>(rows_.size())) return false;
    std::swap(rows_[static_cast<std::size_t>(selected_)], rows_[static_cast<std::size_t>(selected_ + 1)]);
    ++selected_;
    return true;
}

} // namespace station
