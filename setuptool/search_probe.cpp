#include "setuptool/search_probe.h"

#include <cstring>

#include "platform/clock.h"

namespace kesto {

std::array<std::uint8_t, sizeof(SearchPacket)> build_probe(std::uint8_t token) {
    SearchPacket packet{};
    std::memcpy(packet.text, kSearchText, sizeof(kSearchText) - 1);
    packet.token = token;
    std::array<std::uint8_t, sizeof(SearchPacket)> bytes{};
    std::memcpy(bytes.data(), &packet, sizeof packet);
    return bytes;
}

RandomTokenSource::RandomTokenSource() {
    std::random_device device;
    std::seed_seq seed{device(), device(), plat::tick_ms()};
    generator_.seed(seed);
}

std::uint8_t RandomTokenSource::next_token() { return static_cast<std::uint8_t>(range_(generator_)); }

void SearchState::begin(std::uint8_t token, std::uint32_t sent_tick) {
    std::lock_guard<std::mutex> lock(mutex_);
    current_.token = token;
    current_.sent_tick = sent_tick;
}

SearchState::Snapshot SearchState::snapshot() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return current_;
}

} // namespace kesto
