#include "station/core/local_addresses.h"

#include "platform/host_address.h"

namespace station {

int GetLocalAddresses(std::vector<std::string>& list) {
    std::vector<std::string> found = plat::host_addresses();
    if (found.empty()) return 0;
    list = std::move(found);
    return static_cast<int>(list.size());
}

} // namespace station
