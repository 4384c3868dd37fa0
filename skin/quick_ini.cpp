#include "skin/quick_ini.h"

#include <algorithm>

namespace skin {
namespace {

bool IsSectionLine(std::string_view line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string_view TrimIniText(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint64_t value = 0;
    if (!text.empty() && text.front() == '$') {
        text.remove_prefix(1);
        if (text.empty()) return std::nullopt;
        for (char c : text) {
            const int d = HexDigit(c);
            if (d < 0) return std::nullopt;
            value = value * 16 + static_cast<std::uint64_t>(d);
            if (value > 0xFFFFFFFFu) return std::nullopt;
        }
        const auto bits = static_cast<std::uint32_t>(negative ? 0u - static_cast<std::uint32_t>(value) : value);
        return static_cast<std::int32_t>(bits);
    }
    if (text.empty()) return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > 0x80000000u) return std::nullopt;
    }
    if (!negative && value > 0x7FFFFFFFu) return std::nullopt;
    const std::int64_t signed_value = negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(signed_value);
}

void TQuickIni::Load(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    lines_.clear();
    sections_.clear();
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = TrimIniText(text.substr(start, end - start));
        if (!line.empty() && line.front() != ';') {
            if (IsSectionLine(line)) sections_.push_back({std::string(line), lines_.size()});
            lines_.emplace_back(line);
        }
        if (end == text.size()) break;
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
    const std::string wanted_section = "[" + std::string(section) + "]";
    const auto found = std::find_if(sections_.begin(), sections_.end(),
                                    [&](const SectionLine& s) { return EqualNoCase(s.text, wanted_section); });
    if (found == sections_.end()) return std::string(fallback);
    const std::string wanted_key = LowerAscii(key);
    for (std::size_t i = found->line + 1; i < lines_.size() && !IsSectionLine(lines_[i]); ++i) {
        const std::string_view line = lines_[i];
        const std::size_t equals = line.find('=');
        const std::string line_key = equals == std::string_view::npos ? std::string() : LowerAscii(TrimIniText(line.substr(0, equals)));
        if (line_key != wanted_key) continue;
        const std::string_view value = equals == std::string_view::npos ? std::string_view() : TrimIniText(line.substr(equals + 1));
        return value.empty() ? std::string(fallback) : std::string(value);
    }
    return std::string(fallback);
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const {
    std::string text = ReadString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
    return ParseIniInteger(text).value_or(fallback);
}

std::vector<std::string> TQuickIni::ReadSections() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const SectionLine& s : sections_)
        names.emplace_back(TrimIniText(std::string_view(s.text).substr(1, s.text.size() - 2)));
    return names;
}

} // namespace skin
