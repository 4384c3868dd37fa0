// The stand-in on the address of a network namespace the harness made (the host's first
// address there is 10.77.0.1, its veth peer 10.77.0.2 lies inside the namespace too): it
// answers on its own address and sends elsewhere only where it is allowed.
#include <gtest/gtest.h>

#include "platform/host_address.h"
#include "tests/standin/workstation_peer.h"

namespace standin_test {
namespace {

constexpr char kNamespaceAddress[] = "10.77.0.1";
constexpr char kPeerAddress[] = "10.77.0.2";

TEST(StandinNamespace, DeviceOnTheNamespaceAddressSendsOnlyWhereAllowed) {
    if (plat::first_host_address() != kNamespaceAddress)
        GTEST_SKIP() << "runs only inside the test network namespace";
    for (bool allowed : {false, true}) {
        SCOPED_TRACE(allowed);
        standin::DeviceConfig c;
        c.bind_ip = kNamespaceAddress;
        if (allowed) c.allowed_destinations = {kPeerAddress};
        standin::Device dev(c);
        ASSERT_TRUE(dev.start());
        Workstation ws(kNamespaceAddress);
        ASSERT_TRUE(ws.ok());
        plat::SocketAddress to = ws.address();
        to.port = dev.port();
        ws.send(login(), to);
        ASSERT_TRUE(ws.response());   // its own address is always allowed

        plat::SocketAddress peer;
        plat::parse_ipv4(kPeerAddress, peer.ip);
        peer.port = 9;
        dev.send_raw({1, 2, 3}, peer);
        dev.send_raw({4}, ws.address());
        ASSERT_TRUE(ws.receive());
        EXPECT_EQ(dev.refused_sends(), allowed ? 0u : 1u);
    }
}

}  // namespace
}  // namespace standin_test
