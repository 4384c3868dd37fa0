// The number a spin edit holds: its text read as a decimal integer, clamped to the spin's range.
#pragma once
#include <algorithm>
#include <string>

namespace forms {

inline int SpinValue(const std::string& text, int min, int max, int fallback) {
    long long value = 0;
    bool digits = false, negative = false;
    std::size_t i = text.find_first_not_of(" \t");
    if (i != std::string::npos && text[i] == '-') {
        negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        digits = true;
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL << 40);
    }
    if (!digits) return fallback;
    return static_cast<int>(std::clamp<long long>(negative ? -value : value, min, max));
}

} // namespace forms
