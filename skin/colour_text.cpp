#include "skin/colour_text.h"

#include <array>
#include <cstdint>

namespace skin {

std::optional<ui::TColor> ParseColourText(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::array<std::uint32_t, 3> parts{};
    int counted = 0;
    for (std::size_t i = 0; i < text.size() && counted < 3;) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        // Only the low 8 bits are kept, so the run is reduced as it is read and never overflows.
        std::uint32_t value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = (value * 10 + static_cast<std::uint32_t>(text[i] - '0')) & 0xFF;
        const bool ends_text = i == text.size();
        if (!ends_text || counted == 2) parts[static_cast<std::size_t>(counted++)] = value;
    }
    return ui::rgb(static_cast<int>(parts[0]), static_cast<int>(parts[1]), static_cast<int>(parts[2]));
}

} // namespace skin
