#include "station/core/engine/local_file_name.h"

#include <algorithm>
#include <array>

#include "station/core/engine/device_texts.h"

namespace station {
namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return upper(x) == upper(y);
    });
}

bool ends_with_ignoring_case(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && equal_ignoring_case(text.substr(text.size() - tail.size()), tail);
}

// Windows takes the part before the first dot, without trailing blanks, as the device name:
// "nul.wav" and "NUL .txt" open the null device. '.' and ' ' are never GBK trail bytes.
bool is_reserved_device_name(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    static const std::array<std::string_view, 6> plain = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view reserved : plain) {
        if (equal_ignoring_case(stem, reserved)) return true;
    }
    if (stem.size() != 4 || stem[3] < '1' || stem[3] > '9') return false;
    return equal_ignoring_case(stem.substr(0, 3), "COM") || equal_ignoring_case(stem.substr(0, 3), "LPT");
}

bool ends_in_dot_or_blank(std::string_view name) {
    return !name.empty() && (name.back() == '.' || name.back() == ' ');
}

} // namespace

bool IsStorableName(std::string_view name) {
    if (name.empty() || name.find_first_not_of(' ') == std::string_view::npos) return false;
    // "." and ".." are refused by the plain-name check but Windows would store them as dots
    // dropped; they get a local name like "...".
    const bool dots_only = name.find_first_not_of('.') == std::string_view::npos;
    return dots_only || IsPlainName(name);
}

std::string LocalFileName(std::string_view name) {
    std::string local(name);
    if (is_reserved_device_name(name) || ends_in_dot_or_blank(name)) {
        std::size_t kept = local.size();
        while (kept > 0 && (local[kept - 1] == '.' || local[kept - 1] == ' ')) --kept;
        std::fill(local.begin() + static_cast<std::ptrdiff_t>(kept), local.end(), '_');
        local.insert(local.begin(), '_');
    }
    if (ends_with_ignoring_case(local, ".ltf") || ends_with_ignoring_case(local, ".dxc")) local += '_';
    return local;
}

} // namespace station
