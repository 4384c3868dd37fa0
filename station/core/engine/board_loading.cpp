// Filling the device table from the library and the settings files.
#include <algorithm>
#include <string>

#include "platform/ini_file.h"
#include "platform/text_gbk.h"
#include "station/core/engine/local_date_time.h"
#include "station/core/engine/transfer_engine.h"
#include "station/core/settings.h"

namespace station {
namespace {

std::string trimmed(const std::string& s) {
    std::size_t from = 0, to = s.size();
    while (from < to && static_cast<unsigned char>(s[from]) <= ' ') ++from;
    while (to > from && static_cast<unsigned char>(s[to - 1]) <= ' ') --to;
    return s.substr(from, to - from);
}

} // namespace

bool TransferEngine::read_text_param(int index, int code, std::string& value) {
    char buffer[kParamTextSize] = {};
    if (library_.get_bd_param(index, 0, code, buffer) != 0) return false;
    value = plat::field_text(buffer, sizeof buffer);
    return true;
}

bool TransferEngine::read_int_param(int index, int code, std::int32_t& value) {
    std::int32_t read = 0;
    if (library_.get_bd_param(index, 0, code, &read) != 0) return false;
    value = read;
    return true;
}

void TransferEngine::LoadBoards() {
    const int count = library_.get_bd_num();
    globals_.DeviceCount = std::clamp(count, 0, kMaxBoards);
    const double now = NowDateTime();
    for (int i = 0; i < globals_.DeviceCount; ++i) {
        ABoardInfo& b = boards_[i];
        b = ABoardInfo{};
        if (!read_text_param(i, BD_PARAM_IPADDR, b.IPAddress)) b.IPAddress.clear();
        if (!read_text_param(i, BD_PARAM_SERIAL, b.Serial)) b.Serial.clear();
        if (!read_int_param(i, BD_PARAM_CHANCOUNT, b.ChanCount)) b.ChanCount = 0;
        b.StateTime = now;
    }
    LoadBoardFolders();
    load_clock_sync_stamps();
}

void TransferEngine::LoadBoardFolders() {
    for (int n = 1; n <= globals_.DeviceCount; ++n) {
        ABoardInfo& b = boards_[n - 1];
        const std::string number = std::to_string(n);
        b.Description = trimmed(plat::ini_read_string(globals_.LibraryConfigPath, "Network", "Comment" + number, ""));
        b.SaveFolder = trimmed(plat::ini_read_string(globals_.LibraryConfigPath, "Network", "SaveFolder" + number, ""));
    }
}

void TransferEngine::LoadDeviceEnables() {
    for (int n = 1; n <= globals_.DeviceCount; ++n) {
        boards_[n - 1].Enabled = ReadIniBool(globals_.SettingsPath, "DevEnable", "Dev" + std::to_string(n), true);
    }
}

void TransferEngine::SaveDeviceEnables() {
    if (globals_.EraseDevEnable) {
        // The device list was edited in this run, so the numbers may name other devices now.
        plat::ini_delete_section(globals_.SettingsPath, "DevEnable");
        return;
    }
    for (int n = 1; n <= globals_.DeviceCount; ++n) {
        plat::ini_write_string(globals_.SettingsPath, "DevEnable", "Dev" + std::to_string(n),
                               boards_[n - 1].Enabled ? "1" : "0");
    }
}

} // namespace station
