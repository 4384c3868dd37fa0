#include <gtest/gtest.h>

#include <thread>

#include "platform/clock.h"
#include "platform/udp_endpoint.h"

namespace {

TEST(Ipv4, ParsesStrictlyAndPrints) {
    std::uint32_t ip = 0;
    EXPECT_TRUE(plat::parse_ipv4("192.168.1.20", ip));
    EXPECT_EQ(0xC0A80114u, ip);
    EXPECT_EQ("192.168.1.20", plat::ipv4_text(ip));
    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1..2.3", "a.b.c.d", "1.2.3.4 ", "1234.1.1.1"})
        EXPECT_FALSE(plat::parse_ipv4(bad, ip)) << bad;
    EXPECT_TRUE(plat::resolve_ipv4("127.0.0.1", ip));
    EXPECT_EQ(0x7F000001u, ip);
}

TEST(UdpEndpoint, LoopbackRoundTripWithLargeBuffer) {
    plat::UdpEndpoint a, b;
    ASSERT_TRUE(a.open("127.0.0.1", 0));
    ASSERT_TRUE(b.open("127.0.0.1", 0));
    EXPECT_GE(a.receive_buffer_size(), 1 << 20);
    plat::SocketAddress to{0x7F000001u, b.local_port()};
    ASSERT_EQ(5, a.send_to("hello", 5, to));
    char buffer[16];
    plat::SocketAddress from;
    ASSERT_EQ(5, b.receive_from(buffer, sizeof buffer, from, 2000));
    EXPECT_EQ(a.local_port(), from.port);
    EXPECT_EQ(0, a.send_to("", 0, {0x7F000001u, b.local_port()}));
    EXPECT_EQ(0, b.receive_from(buffer, sizeof buffer, from, 2000)) << "an empty datagram arrives as 0";
    EXPECT_EQ(static_cast<int>(plat::UdpResult::TimedOut), b.receive_from(buffer, sizeof buffer, from, 20));
}

TEST(UdpEndpoint, ShutdownWakesABlockedReceiver) {
    plat::UdpEndpoint e;
    ASSERT_TRUE(e.open("127.0.0.1", 0));
    int result = 1;
    std::thread receiver([&] {
        char buffer[8];
        plat::SocketAddress from;
        result = e.receive_from(buffer, sizeof buffer, from);
    });
    plat::sleep_ms(100);
    e.shutdown();
    receiver.join();
    EXPECT_EQ(static_cast<int>(plat::UdpResult::Closed), result);
    e.close();
    EXPECT_FALSE(e.is_open());
}

TEST(UdpEndpoint, SecondBindOfAPortFails) {
    plat::UdpEndpoint a, b;
    ASSERT_TRUE(a.open("127.0.0.1", 0));
    EXPECT_FALSE(b.open("127.0.0.1", a.local_port()));
}

} // namespace
