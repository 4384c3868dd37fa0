#include "station/core/engine/device_texts.h"

#include "station/core/engine/local_file_name.h"

namespace station {
namespace {

bool is_lead_byte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
// Separators, streams, control characters and what Windows refuses in a file name.
bool is_forbidden(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '\\' || c == '/' || c == ':' || c == '<' || c == '>' || c == '"' ||
           c == '|' || c == '?' || c == '*';
}

// Walks the GBK characters of `text`: `single` gets each single-byte character's position, a
// double-byte character is skipped whole. False when the text ends inside a character.
template <typename Single>
bool for_each_single_byte(std::string_view text, Single single) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (is_lead_byte(c)) {
            if (i + 1 >= text.size()) return false;
            ++i;  // a trail byte may be 0x5C and is still part of the character, not a separator
            continue;
        }
        single(i, c);
    }
    return true;
}

} // namespace

bool IsPlainName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    bool clean = true;
    const bool whole = for_each_single_byte(name, [&](std::size_t, unsigned char c) {
        if (is_forbidden(c)) clean = false;
    });
    return whole && clean;
}

bool IsDateFolderName(std::string_view text) {
    if (text.size() != 8) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::string CleanFolderName(std::string_view name) {
    if (name.empty()) return {};
    std::string cleaned(name);
    const bool whole = for_each_single_byte(name, [&](std::size_t i, unsigned char c) {
        if (is_forbidden(c)) cleaned[i] = '_';
    });
    if (!whole) cleaned.back() = '_';
    // Windows drops trailing dots: "..." would name the save folder's parent.
    if (cleaned.find_first_not_of('.') == std::string::npos) return {};
    return LocalFileName(cleaned);
}

std::string PrintableText(std::string_view text) {
    std::string shown(text);
    for_each_single_byte(text, [&](std::size_t i, unsigned char c) {
        if (c < 0x20 || c == 0x7F) shown[i] = '?';
    });
    return shown;
}

} // namespace station

namespace station {

bool IsIniKeyText(std::string_view text) {
    if (text.empty() || text.front() == ' ' || text.back() == ' ') return false;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || c == '=' || c == '[' || c == ']' || c == ';') return false;
    }
    return true;
}

} // namespace station
