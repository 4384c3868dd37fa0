#include "setuptool/delay_text.h"

#include <cstdio>

#include "platform/clock.h"

namespace kesto {

std::string delay_text(std::uint32_t elapsed_ms) {
    unsigned ms = elapsed_ms % 1000;
    unsigned seconds = elapsed_ms / 1000;
    char text[24];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u .%03u", (seconds / 3600) % 24, (seconds / 60) % 60,
                  seconds % 60, ms);
    return text;
}

std::string delay_since(std::uint32_t sent_tick) {
    return delay_text(static_cast<std::uint32_t>(plat::tick_ms() - sent_tick));
}

} // namespace kesto
