#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "platform/ini_file.h"
#include "platform/text_gbk.h"

namespace engine_test {
namespace {

using namespace station;

class Loading : public EngineTest {};

TEST_F(Loading, DeviceCountIsCappedAndParametersMayBeMissing) {
    lib.SetText(0, BD_PARAM_IPADDR, "127.0.0.2");
    lib.SetText(0, BD_PARAM_SERIAL, "SN1");
    lib.SetInt(0, BD_PARAM_CHANCOUNT, 16);
    Load(250);
    EXPECT_EQ(g.DeviceCount, 200);
    EXPECT_EQ(Board(0).IPAddress, "127.0.0.2");
    EXPECT_EQ(Board(0).Serial, "SN1");
    EXPECT_EQ(Board(0).ChanCount, 16);
    const ABoardInfo& b = Board(199);
    EXPECT_EQ(b.IPAddress, "");
    EXPECT_EQ(b.ChanCount, 0);
    EXPECT_EQ(b.State, StateNull);
    EXPECT_EQ(b.DBIndex, -1);
    EXPECT_EQ(b.OpenErrorIndex, -1);
    EXPECT_EQ(b.TransferId, 1);
    EXPECT_TRUE(b.Enabled);
    EXPECT_EQ(b.StateTime, NowDateTime());

    lib.device_count = -2;
    engine.LoadBoards();
    EXPECT_EQ(g.DeviceCount, 0) << "a failed count is no device";
}

TEST_F(Loading, DescriptionsAndFoldersFromTheLibraryFile) {
    const std::string ini = path("tarnlib.ini");
    ASSERT_TRUE(plat::ini_write_string(ini, "Network", "Comment1", "  Front desk "));
    ASSERT_TRUE(plat::ini_write_string(ini, "Network", "Comment2", "   "));
    ASSERT_TRUE(plat::ini_write_string(ini, "Network", "SaveFolder1", " Front "));
    Load(3);
    EXPECT_EQ(Board(0).Description, "Front desk");
    EXPECT_EQ(Board(0).SaveFolder, "Front");
    EXPECT_EQ(Board(1).Description, "");
    EXPECT_EQ(Board(2).SaveFolder, "");

    ASSERT_TRUE(plat::ini_write_string(ini, "Network", "SaveFolder3", "Back"));
    engine.LoadBoardFolders();
    EXPECT_EQ(Board(2).SaveFolder, "Back");
}

TEST_F(Loading, StartTakesDevicesSwitchedOffOutOfUse) {
    ASSERT_TRUE(plat::ini_write_string(path("Velquist.ini"), "DevEnable", "Dev2", "0"));
    ASSERT_TRUE(station::InitGlobals(g, folder()).empty());
    lib.device_count = 3;
    engine.StartLibrary(0);
    ASSERT_GE(lib.calls.size(), 3u);
    EXPECT_EQ(lib.calls[0], "set_cfgfile " + path("tarnlib.ini"));
    EXPECT_EQ(lib.calls[1], "init 0");
    EXPECT_EQ(lib.enables, (std::vector<std::pair<int, std::int32_t>>{{1, 0}}));
    EXPECT_FALSE(Board(1).Enabled);
    EXPECT_TRUE(Board(0).Enabled);
    engine.ReleaseLibrary();
    EXPECT_EQ(lib.calls.back(), "release");
}

TEST_F(Loading, ReleaseKeepsTheRowOfADownloadFinishedJustBefore) {
    Load(1);
    lib.SetText(0, BD_PARAM_IPADDR, "127.0.0.2");
    lib.PushEvent(EVT_FTP_LOGIN_SUCC, 0);
    ftp_callinfo call{};
    plat::copy_text_field(call.start_date, sizeof call.start_date, "2012-03-01");
    plat::copy_text_field(call.file_name, sizeof call.file_name, "r1.wav");
    lib.call_info = call;
    Board(0).RowPath = "1\\20120301\\r1.wav";
    lib.PushEvent(EVT_FTP_TRANSFER_END, 0, UPL_RESULT_OK);
    engine.ReleaseLibrary();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].WaveFilePath, "1\\20120301\\r1.wav");
    EXPECT_EQ(lib.PendingEvents(), 0u);
    EXPECT_EQ(lib.calls.back(), "release");
}

TEST_F(Loading, EnablesAreSavedOrErasedAfterTheListChanged) {
    Load(3);
    Board(2).Enabled = false;
    engine.SaveDeviceEnables();
    EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "DevEnable", "Dev1", ""), "1");
    EXPECT_EQ(plat::ini_read_string(g.SettingsPath, "DevEnable", "Dev3", ""), "0");
    engine.LoadDeviceEnables();
    EXPECT_FALSE(Board(2).Enabled);

    g.EraseDevEnable = true;
    engine.SaveDeviceEnables();
    EXPECT_TRUE(plat::ini_read_keys(g.SettingsPath, "DevEnable").empty());
    engine.LoadDeviceEnables();
    EXPECT_TRUE(Board(2).Enabled) << "every device is in use at the next start";
}

} // namespace
} // namespace engine_test
