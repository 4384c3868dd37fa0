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

} // namespace

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
        if (IsIniKeyText(b.Serial)) {
            plat::ini_write_string(globals_.SettingsPath, "SyncTimeDevice", b.Serial, b.LastClockSync);
        }
    }
}

} // namespace station
