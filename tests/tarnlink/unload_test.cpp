// Unloading the DLL while it is initialised logs the devices out and stops its threads, with
// bounded waits. Windows only: the library's entry point does this.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <chrono>

#include "platform/files.h"
#include "tarnlink/tarnlink.h"
#include "tests/tarnlink/scenario_support.h"

namespace tarnlink {
namespace {

class Unload : public tarnlink_test::LiveLibraryTest {};

TEST_F(Unload, FreeLibraryWhileInitialisedLogsOutAndReturns) {
    standin::Device& dev = add_device(listening_device());
    tarnlink_test::write_ini(dir_.file("unload.ini"),
              {"[Network]", "Count=1", "IP1=" + device_ip(), "Port1=" + std::to_string(dev.port()),
               "[LocalIP]", "Port=" + std::to_string(free_port())});
    const std::wstring dll = plat::native_path(
        plat::extract_file_dir(plat::executable_path()) + "tarnlink.dll");
    HMODULE module = LoadLibraryW(dll.c_str());
    ASSERT_NE(module, nullptr);
    auto set_cfgfile = reinterpret_cast<int (*)(const char*)>(
        reinterpret_cast<void*>(GetProcAddress(module, "kvftp_set_cfgfile")));
    auto init = reinterpret_cast<int (*)(const char*, int)>(
        reinterpret_cast<void*>(GetProcAddress(module, "kvftp_init")));
    ASSERT_TRUE(set_cfgfile && init);
    const std::string ini = dir_.file("unload.ini");
    ASSERT_EQ(set_cfgfile(ini.c_str()), 0);
    ASSERT_EQ(init(nullptr, 1), 0);
    ASSERT_TRUE(dev.wait_for(PC_CMD_HEARTBEAT, 3000).has_value());

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(FreeLibrary(module));
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    EXPECT_LT(took.count(), 5000);
    EXPECT_TRUE(dev.wait_for(PC_CMD_LOGOUT, 2000).has_value());
}

} // namespace
} // namespace tarnlink
#endif
