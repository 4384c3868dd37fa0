#include <gtest/gtest.h>

#include <thread>

#include "platform/clock.h"
#include "platform/host_address.h"
#include "platform/sync_event.h"

namespace {

TEST(TickClock, ReplaceableAndWrapping) {
    plat::ManualClock clock;
    plat::set_tick_source(&clock);
    clock.set_ticks(0xFFFFFFF0u);
    std::uint32_t start = plat::tick_ms();
    clock.advance_ms(0x20);
    EXPECT_EQ(0x10u, plat::tick_ms());
    EXPECT_EQ(0x20u, plat::tick_ms() - start) << "elapsed time survives the wrap in unsigned arithmetic";
    plat::set_tick_source(nullptr);
    std::uint32_t a = plat::tick_ms();
    plat::sleep_ms(20);
    EXPECT_GE(plat::tick_ms() - a, 15u);
}

TEST(LocalClock, Replaceable) {
    plat::ManualClock clock;
    clock.set_local({2024, 2, 29, 23, 59, 58, 0, 4});
    plat::set_local_clock_source(&clock);
    EXPECT_EQ(29, plat::local_now().day);
    plat::set_local_clock_source(nullptr);
    EXPECT_GE(plat::local_now().year, 2020);
}

TEST(Event, AutoAndManualReset) {
    plat::Event manual(true, false), automatic(false, false);
    EXPECT_FALSE(manual.wait(10));
    manual.set();
    EXPECT_TRUE(manual.wait(0));
    EXPECT_TRUE(manual.wait(0)) << "a manual event stays set";
    automatic.set();
    EXPECT_TRUE(automatic.wait(0));
    EXPECT_FALSE(automatic.wait(0)) << "an automatic event resets on release";
    std::thread t([&] { plat::sleep_ms(30); automatic.set(); });
    EXPECT_TRUE(automatic.wait(5000));
    t.join();
}

TEST(HostAddress, ProviderReplaceable) {
    plat::FixedHostAddresses fixed({"10.77.0.1", "127.0.0.1"});
    plat::set_host_address_provider(&fixed);
    EXPECT_EQ("10.77.0.1", plat::first_host_address());
    plat::set_host_address_provider(nullptr);
    EXPECT_FALSE(plat::host_addresses().empty());
}

} // namespace
