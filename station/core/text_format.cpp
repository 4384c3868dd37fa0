#include "station/core/text_format.h"

#include <cstdio>

#include "platform/text_gbk.h"

namespace station {
namespace {

constexpr int kMaxWidth = 4096;  // a translated width cannot ask for an unbounded text

bool read_number(std::string_view p, std::size_t& i, int& value) {
    std::size_t start = i;
    value = 0;
    while (i < p.size() && p[i] >= '0' && p[i] <= '9') {
        if (value < kMaxWidth * 10) value = value * 10 + (p[i] - '0');
        ++i;
    }
    return i > start;
}

std::string pad(std::string s, int width, bool left) {
    if (width > kMaxWidth) width = kMaxWidth;
    if (static_cast<int>(s.size()) >= width) return s;
    std::string fill(static_cast<std::size_t>(width) - s.size(), ' ');
    return left ? s + fill : fill + s;
}

std::string number_text(const FormatArg& a, char type, int precision) {
    char buffer[40];
    std::int64_t v = a.number();
    if (type == 'x') std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(v));
    else if (type == 'u') std::snprintf(buffer, sizeof buffer, "%llu", static_cast<unsigned long long>(static_cast<std::uint32_t>(v)));
    else std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(v));
    std::string digits = buffer;
    bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.erase(0, 1);
    if (precision > kMaxWidth) precision = kMaxWidth;
    if (precision > static_cast<int>(digits.size()))
        digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

} // namespace

std::optional<std::string> TryFormat(std::string_view p, const std::vector<FormatArg>& args) {
    std::string out;
    std::size_t next_arg = 0;
    for (std::size_t i = 0; i < p.size();) {
        if (p[i] != '%') { out.push_back(p[i++]); continue; }
        ++i;
        if (i < p.size() && p[i] == '%') { out.push_back('%'); ++i; continue; }
        std::size_t arg = next_arg;
        int number = 0;
        std::size_t save = i;
        if (read_number(p, i, number) && i < p.size() && p[i] == ':') {
            arg = static_cast<std::size_t>(number);
            ++i;
        } else {
            i = save;
        }
        bool left = false;
        if (i < p.size() && p[i] == '-') { left = true; ++i; }
        int width = 0, precision = -1;
        read_number(p, i, width);
        if (i < p.size() && p[i] == '.') {
            ++i;
            if (!read_number(p, i, precision)) return std::nullopt;
        }
        if (i >= p.size() || arg >= args.size()) return std::nullopt;
        char type = static_cast<char>(p[i] | 0x20);  // directives are case-insensitive
        ++i;
        const FormatArg& a = args[arg];
        std::string piece;
        if (type == 'd' || type == 'u' || type == 'x') {
            if (!a.is_number()) return std::nullopt;
            piece = number_text(a, type, precision);
        } else if (type == 's') {
            if (a.is_number()) return std::nullopt;
            piece = a.text();
            if (precision >= 0) piece.resize(plat::gbk_prefix_length(piece, static_cast<std::size_t>(precision)));
        } else {
            return std::nullopt;
        }
        out += pad(std::move(piece), width, left);
        next_arg = arg + 1;
    }
    return out;
}

} // namespace station
