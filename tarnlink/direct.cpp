// Direct mode's connection: one device reached by host and port, with its own login.
#include <cstring>

#include "tarnlink/library.h"
#include "tarnlink/transport.h"

namespace tarnlink {

namespace {

constexpr int kDirectProtocol = 3;

void store_text(char* field, std::size_t field_size, const char* text) {
    std::memset(field, 0, field_size);
    if (text == nullptr) return;
    const void* nul = std::memchr(text, '\0', field_size - 1);
    const std::size_t n = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text)
                              : field_size - 1;
    std::memcpy(field, text, n);
}

} // namespace

int Library::connect_device(const char* host, int port, const char* user, const char* password,
                            const char* local_ip, int local_port) {
    if (!initialised_) return ST_NOT_INITIALISED;
    if (host == nullptr) return ST_BAD_ARGUMENT;
    if (transport_->running()) stop_sequence();

    Device& d = devices_[0];
    char address[sizeof d.info.address] = {};
    char host_field[sizeof d.info.host];
    store_text(host_field, sizeof host_field, host);
    const std::string host_text(host_field);
    if (is_dotted_host(host_text)) {
        store_text(address, sizeof address, host_field);
    } else {
        std::uint32_t ip = 0;
        if (host_text.empty() || !resolver_(host_text, ip)) return ST_NOT_INITIALISED;
        store_text(address, sizeof address, plat::ipv4_text(ip).c_str());
    }
    {
        std::lock_guard<std::mutex> lock(d.lock);
        bd_info& b = d.info;
        std::memset(b.host, 0, sizeof b.host);
        std::memset(b.user, 0, sizeof b.user);
        std::memset(b.password, 0, sizeof b.password);
        std::memcpy(b.address, address, sizeof b.address);
        b.port = port;
        d.confirmed_ip.store(0, std::memory_order_relaxed);
    }

    const std::string local = local_ip == nullptr ? std::string() : std::string(local_ip);
    if (transport_->bind_direct(local, local_port) != 0) return -2;

    {
        std::lock_guard<std::mutex> lock(d.lock);
        bd_info& b = d.info;
        std::memcpy(b.host, host_field, sizeof b.host);
        b.port = port;
        if (user != nullptr) store_text(b.user, sizeof b.user, user);
        if (password != nullptr) store_text(b.password, sizeof b.password, password);
        b.protocol_id = kDirectProtocol;
    }
    device_count_ = 1;
    // Commands queued for an earlier host (a delete-all among them) must not reach this one.
    rings_[0].clear();
    transport_->start_direct();
    return ST_OK;
}

int Library::disconnect_device() {
    stop_sequence();
    return ST_OK;
}

} // namespace tarnlink
