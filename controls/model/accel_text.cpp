#include "controls/model/accel_text.h"

#include <algorithm>

namespace ec {

std::string strip_accel_chars(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&' || i + 1 == text.size()) {
            shown += text[i];
            continue;
        }
        if (text[i + 1] == '&') {
            shown += '&';
            ++i;
        }
    }
    return shown;
}

int count_char_occurrences(char ch, std::string_view text) {
    return static_cast<int>(std::count(text.begin(), text.end(), ch));
}

} // namespace ec
