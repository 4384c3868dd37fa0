#include "platform/ui/text_util.h"

#include <cstdio>
#include <locale>
#include <sstream>

namespace ui {

std::string_view trim(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t' || text[b] == '\r' || text[b] == '\n')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t' || text[e - 1] == '\r' || text[e - 1] == '\n')) --e;
    return text.substr(b, e - b);
}

static char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_text(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::string lower_ascii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lower(c);
    return out;
}

std::optional<std::int64_t> parse_integer(std::string_view text) {
    std::string_view t = trim(text);
    bool negative = false;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    int base = 10;
    if (!t.empty() && t[0] == '$') {
        base = 16;
        t.remove_prefix(1);
    } else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        t.remove_prefix(2);
    }
    if (t.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : t) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && lower(c) >= 'a' && lower(c) <= 'f') d = lower(c) - 'a' + 10;
        else return std::nullopt;
        if (value > (UINT64_MAX - static_cast<unsigned>(d)) / static_cast<unsigned>(base)) return std::nullopt;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    }
    if (base == 16 && value <= 0xFFFFFFFFull) {
        // Hexadecimal texts of up to eight digits are 32-bit patterns: "$FF000000" is a colour.
        std::int64_t v = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        return negative ? -v : v;
    }
    if (value > static_cast<std::uint64_t>(INT64_MAX) + (negative ? 1u : 0u)) return std::nullopt;
    return negative ? static_cast<std::int64_t>(0 - value) : static_cast<std::int64_t>(value);
}

std::optional<double> parse_float(std::string_view text) {
    std::string t(trim(text));
    if (t.empty()) return std::nullopt;
    std::istringstream in(t);
    in.imbue(std::locale::classic());
    double v = 0;
    in >> v;
    if (in.fail()) return std::nullopt;
    in >> std::ws;
    if (!in.eof()) return std::nullopt;
    return v;
}

std::string float_to_text(double value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(15);
    out << value;
    return out.str();
}

} // namespace ui
