// Setting the devices' clocks once per period of [SyncTime] IntervalDays days.
#include <cctype>

#include "platform/clock.h"
#include "platform/ini_file.h"
#include "station/core/date_time_text.h"
#include "station/core/engine/device_texts.h"
#include "station/core/engine/local_date_time.h"
#include "station/core/engine/transfer_engine.h"
#include "station/core/station_log.h"

namespace station {
namespace {

// The stamps are "YYYY-MM-DD hh-mm-ss" texts: ordered as texts, they are ordered in time.
bool stamp_before(const std::string& a, const std::string& b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::toupper(static_cast<unsigned char>(a[i]));
        const int cb = std::toupper(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

// The settings file's keys match regardless of case: the map's keys are folded the same way,
// the second byte of a double-byte character left as it is.
std::string serial_key(const std::string& serial) {
    std::string key = serial;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const auto c = static_cast<unsigned char>(key[i]);
        if (c >= 0x81) {
            ++i;
        } else {
            key[i] = static_cast<char>(std::toupper(c));
        }
    }
    return key;
}

} // namespace

void TransferEngine::load_clock_sync_stamps() {
    clock_sync_stamps_.clear();
    for (const std::string& serial : plat::ini_read_keys(globals_.SettingsPath, "SyncTimeDevice")) {
        clock_sync_stamps_[serial_key(serial)] = plat::ini_read_string(globals_.SettingsPath, "SyncTimeDevice", serial, "");
    }
}

std::string TransferEngine::clock_sync_stamp(const std::string& serial) const {
    if (!IsIniKeyText(serial)) return {};
    const auto found = clock_sync_stamps_.find(serial_key(serial));
    return found == clock_sync_stamps_.end() ? std::string() : found->second;
}

void TransferEngine::set_clock_sync_stamp(const std::string& serial, const std::string& stamp) {
    if (!IsIniKeyText(serial)) return;
    clock_sync_stamps_[serial_key(serial)] = stamp;
    plat::ini_write_string(globals_.SettingsPath, "SyncTimeDevice", serial, stamp);
}

void TransferEngine::SyncDeviceClocks() {
    StationSettings& settings = globals_.Settings;
    if (!settings.SyncEnable) return;
    const plat::LocalTime now = plat::local_now();
    const std::string period_start = FormatStamp(DaysBefore(now, settings.SyncIntervalDays));
    if (stamp_before(settings.LastUpdateDT, period_start)) {
        settings.LastUpdateDT = FormatStamp(now);
        plat::ini_write_string(globals_.SettingsPath, "SyncTime", "LastUpdateDT", settings.LastUpdateDT);
    }
    const std::string clock_text = FormatDeviceClock(now);
    for (int i = 0; i < globals_.DeviceCount; ++i) {
        ABoardInfo& b = boards_[i];
        if (b.Connected != 1 || !b.Enabled || !stamp_before(b.LastClockSync, settings.LastUpdateDT)) continue;
        const bool set = library_.set_bd_param(i, 0, BD_PARAM_CLOCK, clock_text.c_str()) == 0;
        log(globals_.Texts.Format(set ? "Log.UpdateDevTimeSucc" : "Log.UpdateDevTimeFail", {i + 1, b.Serial}),
            LogMessage);
        // A failed setting waits for the next period, like a successful one.
        b.LastClockSync = settings.LastUpdateDT;
        set_clock_sync_stamp(b.Serial, b.LastClockSync);
    }
}

} // namespace station
