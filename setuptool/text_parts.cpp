#include "setuptool/text_parts.h"

#include <limits>

namespace kesto {

std::vector<std::string> split_text(std::string_view text, char delimiter, std::size_t parts) {
    std::vector<std::string> out(parts);
    std::size_t start = 0;
    for (std::size_t i = 0; i < parts && start <= text.size(); ++i) {
        std::size_t end = text.find(delimiter, start);
        if (end == std::string_view::npos) {
            out[i] = std::string(text.substr(start));
            break;
        }
        out[i] = std::string(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

std::string trim_text(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::optional<std::int32_t> parse_decimal(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::string conversion_error_text(std::string_view part) {
    return "'" + std::string(part) + "' is not a valid integer value";
}

} // namespace kesto
