// The small in-memory ini reader of the skin description: kept lines and the section lines
// with their places, nothing else, so lookups walk the text as it was written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

class TQuickIni {
public:
    // Replaces both lists from `text` up to its first NUL.
    void Load(std::string_view text);
    void Load(const std::vector<std::uint8_t>& bytes) {
        Load(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }

    // The first occurrence of `key` in the first section named `section` (both without regard
    // to case); `fallback` when either is missing or the value is empty.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // Decimal, "$" hexadecimal or "0x" hexadecimal; `fallback` for anything else.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
    // Section names without brackets, in file order.
    std::vector<std::string> ReadSections() const;

private:
    struct SectionLine {
        std::string text;
        std::size_t line;
    };
    std::vector<std::string> lines_;
    std::vector<SectionLine> sections_;
};

// Trimmed as the description's lines are: every character up to and including the space goes.
std::string_view TrimIniText(std::string_view text);
std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);
// The integer forms of the description: optional sign, then decimal digits or "$" and hex
// digits (up to 32 bits, wrapping as a signed value); nothing for anything else.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

} // namespace skin
