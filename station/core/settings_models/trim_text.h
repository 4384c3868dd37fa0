// Trimming as the dialogs do it: control characters and blanks at both ends. Safe on GBK,
// whose lead and trail bytes are all above the blank.
#pragma once
#include <string>
#include <string_view>

namespace station {

inline std::string TrimText(std::string_view text) {
    std::size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return std::string(text.substr(first, last - first));
}

} // namespace station
