// The host's IPv4 addresses, as dotted texts in the host's order. Windows asks Winsock's host
// look-up; POSIX lists the interfaces, non-loopback addresses first. Tests replace the provider.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace plat {

class HostAddressProvider {
public:
    virtual ~HostAddressProvider() = default;
    virtual std::vector<std::string> addresses() = 0;
};
std::vector<std::string> host_addresses();
std::string first_host_address();  // "" when the host has none
void set_host_address_provider(HostAddressProvider* provider);

// A provider that answers a fixed list (test support).
class FixedHostAddresses : public HostAddressProvider {
public:
    explicit FixedHostAddresses(std::vector<std::string> list) : list_(std::move(list)) {}
    std::vector<std::string> addresses() override { return list_; }
private:
    std::vector<std::string> list_;
};

} // namespace plat
