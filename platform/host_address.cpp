#include "platform/host_address.h"

#include <atomic>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include "platform/udp_endpoint.h"
#else
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#endif

namespace plat {
namespace {
std::atomic<HostAddressProvider*> g_provider{nullptr};

std::vector<std::string> system_addresses() {
    std::vector<std::string> out;
#ifdef _WIN32
    NetworkStartup startup;
    char name[256];
    if (gethostname(name, sizeof name) != 0) return out;
    hostent* host = gethostbyname(name);
    if (!host || host->h_addrtype != AF_INET) return out;
    for (int i = 0; host->h_addr_list[i]; ++i) {
        in_addr a;
        memcpy(&a, host->h_addr_list[i], sizeof a);
        out.push_back(inet_ntoa(a));
    }
#else
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return out;
    std::vector<std::string> loopback;
    for (ifaddrs* i = list; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !(i->ifa_flags & IFF_UP)) continue;
        char text[INET_ADDRSTRLEN];
        auto* sin = reinterpret_cast<sockaddr_in*>(i->ifa_addr);
        inet_ntop(AF_INET, &sin->sin_addr, text, sizeof text);
        ((i->ifa_flags & IFF_LOOPBACK) ? loopback : out).push_back(text);
    }
    freeifaddrs(list);
    out.insert(out.end(), loopback.begin(), loopback.end());
#endif
    return out;
}
} // namespace

std::vector<std::string> host_addresses() {
    HostAddressProvider* p = g_provider.load(std::memory_order_acquire);
    return p ? p->addresses() : system_addresses();
}

std::string first_host_address() {
    std::vector<std::string> list = host_addresses();
    return list.empty() ? std::string() : list.front();
}

void set_host_address_provider(HostAddressProvider* provider) {
    g_provider.store(provider, std::memory_order_release);
}

} // namespace plat
