// The library's settings file as the device pages read and write it, and the list's edits.
#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "station/core/gbk_literal.h"
#include "station/core/settings_models/device_list.h"
#include "tests/support/test_folder.h"

namespace {

using station::DeviceRow;
using test_support::TestFolder;
using test_support::WriteFile;

const char* kThreeDevices =
    "[General]\r\nFTPID=7\r\n"
    "[LocalIP]\r\nIP= 192.168.1.5 \r\nPort=9000\r\n"
    "[Network]\r\nCount=3\r\n"
    "IP1=10.0.0.1\r\nPort1=7001\r\nSerial1=S1\r\nUser1=u1\r\nPassword1=p1\r\nComment1=one\r\nSaveFolder1=f1\r\n"
    "IP2=10.0.0.2\r\nPort2=\r\nSerial2=S2\r\nComment2=two\r\nSaveFolder2=f2\r\n"
    "IP3=10.0.0.3\r\nPort3=7003\r\nSerial3=S3\r\nComment3=three\r\nSaveFolder3=f3\r\n"
    "[FTPInfo]\r\nConnMode=2\r\n";

std::string key(const std::string& file, const char* section, const std::string& name) {
    return plat::ini_read_string(file, section, name, "<missing>");
}

TEST(LibrarySettingsFile, ReadsRowsWithTheDialogsDefaults) {
    TestFolder dir;
    const std::string ini = dir / "tarnlib.ini";
    WriteFile(ini, kThreeDevices);
    const station::LibrarySettings s = station::LoadLibrarySettings(ini);
    EXPECT_EQ(s.LocalIP, "192.168.1.5");
    EXPECT_EQ(s.LocalPort, 9000);
    ASSERT_EQ(s.Devices.size(), 3u);
    EXPECT_EQ(s.Devices[0].Port, 7001);
    EXPECT_EQ(s.Devices[0].User, "u1");
    EXPECT_EQ(s.Devices[1].Port, 8000) << "an empty port reads as 8000";
    EXPECT_EQ(s.Devices[1].User, "pelum");
    EXPECT_EQ(s.Devices[1].Password, "pelum");
    EXPECT_EQ(s.Devices[2].Description, "three");
    EXPECT_EQ(s.Devices[2].SaveFolder, "f3");
    EXPECT_EQ(s.ConnModeItem, station::kConnModeDevicesConnect);
}

TEST(LibrarySettingsFile, MissingFileGivesNoDevicesPort8801AndFirstMode) {
    TestFolder dir;
    const station::LibrarySettings s = station::LoadLibrarySettings(dir / "absent.ini");
    EXPECT_TRUE(s.Devices.empty());
    EXPECT_EQ(s.LocalPort, 8801);
    EXPECT_EQ(s.LocalIP, "");
    EXPECT_EQ(s.ConnModeItem, station::kConnModeStationConnects);
}

TEST(LibrarySettingsFile, ConnectionModeValuesMapToTheTwoItems) {
    const struct { const char* value; int item; } cases[] = {
        {"0", 0}, {"1", 0}, {"2", 1}, {"3", 0}, {"", 0}, {"x", 0},
    };
    TestFolder dir;
    const std::string ini = dir / "tarnlib.ini";
    for (const auto& c : cases) {
        WriteFile(ini, std::string("[FTPInfo]\r\nConnMode=") + c.value + "\r\n");
        EXPECT_EQ(station::LoadLibrarySettings(ini).ConnModeItem, c.item) << c.value;
    }
}

TEST(LibrarySettingsFile, DeletingRowTwoOfThreeRenumbersAndKeepsOldKeys) {
    TestFolder dir;
    const std::string ini = dir / "tarnlib.ini";
    WriteFile(ini, kThreeDevices);
    station::LibrarySettings s = station::LoadLibrarySettings(ini);
    station::DeviceListModel list;
    list.Reset(s.Devices);
    list.Select(1);
    ASSERT_TRUE(list.DeleteSelected());
    EXPECT_EQ(list.Selected(), -1);
    s.Devices = list.Rows();
    station::SaveLibrarySettings(ini, s);

    EXPECT_EQ(key(ini, "Network", "Count"), "2");
    EXPECT_EQ(key(ini, "Network", "IP2"), "10.0.0.3");
    EXPECT_EQ(key(ini, "Network", "Port2"), "7003");
    EXPECT_EQ(key(ini, "Network", "Comment2"), "three");
    EXPECT_EQ(key(ini, "Network", "IP3"), "10.0.0.3") << "rows above Count stay";
    EXPECT_EQ(key(ini, "General", "FTPID"), "7") << "keys the dialog does not own stay";
    EXPECT_EQ(key(ini, "FTPInfo", "ConnMode"), "2");
    EXPECT_EQ(key(ini, "LocalIP", "IP"), "192.168.1.5");
    EXPECT_EQ(key(ini, "LocalIP", "Port"), "9000");
}

TEST(LibrarySettingsFile, AddedDeviceIsWrittenAsTypedAndReadsBack) {
    TestFolder dir;
    const std::string ini = dir / "tarnlib.ini";
    station::LibrarySettings s;
    station::DeviceListModel list;
    DeviceRow typed;
    typed.Address = " 10.1.1.9 ";
    typed.Port = 7000;
    typed.User = "pelum";
    typed.Password = "pelum";
    typed.Description = station::Gbk(u8"前台");
    ASSERT_TRUE(list.Add(typed));
    s.Devices = list.Rows();
    s.ConnModeItem = station::kConnModeStationConnects;
    station::SaveLibrarySettings(ini, s);

    EXPECT_EQ(key(ini, "Network", "Count"), "1");
    EXPECT_EQ(key(ini, "Network", "IP1"), "10.1.1.9");
    EXPECT_EQ(key(ini, "Network", "Port1"), "7000");
    EXPECT_EQ(key(ini, "Network", "Serial1"), "");
    EXPECT_EQ(key(ini, "FTPInfo", "ConnMode"), "1");
    const station::LibrarySettings back = station::LoadLibrarySettings(ini);
    ASSERT_EQ(back.Devices.size(), 1u);
    EXPECT_EQ(back.Devices[0].Description, station::Gbk(u8"前台"));
    EXPECT_EQ(back.LocalPort, 8801);
}

TEST(DeviceRowNormalizing, TrimsClampsAndCutsTheLoginToWhatTheLibrarySends) {
    DeviceRow r;
    r.Address = "\t1.2.3.4 ";
    r.Port = 70000;
    r.User = "abcdefghijklmnopqrst";
    // 14 ASCII bytes then a double-byte character: cutting at 15 would split it.
    r.Password = "abcdefghijklmn" + station::Gbk(u8"码");
    const DeviceRow n = station::NormalizeDeviceRow(r);
    EXPECT_EQ(n.Address, "1.2.3.4");
    EXPECT_EQ(n.Port, 65535);
    EXPECT_EQ(n.User, "abcdefghijklmno");
    EXPECT_EQ(n.Password, "abcdefghijklmn");
    DeviceRow negative;
    negative.Port = -4;
    EXPECT_EQ(station::NormalizeDeviceRow(negative).Port, 0);
}

TEST(DeviceListModel, MovesEditsAndRefusesWithoutAFittingSelection) {
    auto row = [](const char* ip) {
        DeviceRow r;
        r.Address = ip;
        return r;
    };
    station::DeviceListModel list;
    list.Reset({row("a"), row("b"), row("c")});
    EXPECT_FALSE(list.EditSelected(row("x")));
    EXPECT_FALSE(list.DeleteSelected());
    EXPECT_FALSE(list.MoveSelectedUp());
    list.Select(2);
    EXPECT_FALSE(list.MoveSelectedDown()) << "last row";
    ASSERT_TRUE(list.MoveSelectedUp());
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_EQ(list.Rows()[1].Address, "c");
    EXPECT_EQ(list.Rows()[2].Address, "b");
    list.Select(0);
    EXPECT_FALSE(list.MoveSelectedUp()) << "first row";
    ASSERT_TRUE(list.MoveSelectedDown());
    EXPECT_EQ(list.Rows()[0].Address, "c");
    ASSERT_TRUE(list.EditSelected(row(" z ")));
    EXPECT_EQ(list.Rows()[1].Address, "z");
    list.Select(9);
    EXPECT_EQ(list.Selected(), -1);
}

} // namespace
