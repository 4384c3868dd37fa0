#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "platform/ini_file.h"
#include "station/core/gbk_literal.h"
#include "station/core/station_log.h"

namespace engine_test {
namespace {

using namespace station;

class ClockSync : public EngineTest {
protected:
    void SetUp() override {
        Load(3);
        Login(0, "SN1");
        Login(1, "SN2");
        log.clear();
    }
    std::string Ini(const std::string& section, const std::string& key) {
        return plat::ini_read_string(g.SettingsPath, section, key, "");
    }
};

TEST_F(ClockSync, FirstPeriodSetsEveryConnectedDeviceOnce) {
    SetClock(At(2012, 3, 1, 8, 0, 7));
    engine.SyncDeviceClocks();
    EXPECT_EQ(g.Settings.LastUpdateDT, "2012-03-01 08-00-07");
    EXPECT_EQ(Ini("SyncTime", "LastUpdateDT"), "2012-03-01 08-00-07");
    EXPECT_EQ(lib.clock_texts, (std::vector<std::string>{"2012-03-01 08:00:07", "2012-03-01 08:00:07"}));
    EXPECT_EQ(lib.CallsOf("set_bd_param"), (std::vector<std::string>{"set_bd_param 0 0 27", "set_bd_param 1 0 27"}));
    EXPECT_TRUE(Logged(Gbk(u8"设备1 (SN1) 时钟同步成功"), LogMessage));
    EXPECT_TRUE(Logged(Gbk(u8"设备2 (SN2) 时钟同步成功"), LogMessage));
    EXPECT_EQ(Ini("SyncTimeDevice", "SN2"), "2012-03-01 08-00-07");

    Advance(60);
    engine.SyncDeviceClocks();
    EXPECT_EQ(lib.clock_texts.size(), 2u) << "once per period";

    Login(2, "SN3");  // logs in later in the period
    engine.SyncDeviceClocks();
    EXPECT_EQ(lib.CallsOf("set_bd_param 2").size(), 1u);
}

TEST_F(ClockSync, PeriodOfIntervalDays) {
    g.Settings.SyncIntervalDays = 1;
    const std::pair<const char*, bool> starts[] = {
        {"2012-02-29 08-00-00", false},  // exactly a day ago (a leap day)
        {"2012-02-29 07-59-59", true},
        {"", true},
    };
    for (const auto& [last, new_period] : starts) {
        SCOPED_TRACE(last);
        g.Settings.LastUpdateDT = last;
        Board(0).LastClockSync = last;
        Board(1).LastClockSync = last;
        lib.clock_texts.clear();
        engine.SyncDeviceClocks();
        EXPECT_EQ(g.Settings.LastUpdateDT, new_period ? "2012-03-01 08-00-00" : last);
        EXPECT_EQ(lib.clock_texts.size(), new_period ? 2u : 0u);
    }
}

TEST_F(ClockSync, FailureIsNotRetriedWithinThePeriod) {
    lib.set_param_result = -3;
    engine.SyncDeviceClocks();
    EXPECT_TRUE(Logged(Gbk(u8"设备1 (SN1) 时钟同步失败"), LogMessage));
    EXPECT_EQ(Board(0).LastClockSync, g.Settings.LastUpdateDT);
    engine.SyncDeviceClocks();
    EXPECT_EQ(lib.clock_texts.size(), 2u);
}

TEST_F(ClockSync, SwitchedOffOrDisconnectedDevicesAreNotSet) {
    g.Settings.SyncEnable = false;
    engine.SyncDeviceClocks();
    EXPECT_TRUE(lib.clock_texts.empty());
    EXPECT_EQ(g.Settings.LastUpdateDT, "");

    g.Settings.SyncEnable = true;
    engine.HandleLibraryEvent(ftp_event{EVT_FTP_DISCONNECT, 1, 0, 0, 0});
    engine.SyncDeviceClocks();
    EXPECT_EQ(lib.CallsOf("set_bd_param"), std::vector<std::string>{"set_bd_param 0 0 27"});
}

TEST_F(ClockSync, DevicesSharingASerialShareTheirLastSetting) {
    engine.SyncDeviceClocks();
    Login(2, "SN1");
    engine.SyncDeviceClocks();
    EXPECT_TRUE(lib.CallsOf("set_bd_param 2").empty());
}

TEST_F(ClockSync, SerialsThatCannotBeKeysAreNotWritten) {
    Login(2, "a=b");
    engine.SyncDeviceClocks();
    EXPECT_EQ(lib.CallsOf("set_bd_param 2").size(), 1u);
    EXPECT_EQ(Ini("SyncTimeDevice", "a"), "");
    EXPECT_EQ(plat::ini_read_keys(g.SettingsPath, "SyncTimeDevice"), (std::vector<std::string>{"SN1", "SN2"}));
}

} // namespace
} // namespace engine_test
