// The answer delay column: time since the probe, "hh:mm:ss .zzz".
#pragma once
#include <cstdint>
#include <string>

namespace kesto {

// Hours wrap at 24, as a time of day would.
std::string delay_text(std::uint32_t elapsed_ms);

// Delay from the probe's tick to the tick clock's now (wrap-safe).
std::string delay_since(std::uint32_t sent_tick);

} // namespace kesto
