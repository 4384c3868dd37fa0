// The check list's items as text, one line each: "&" + enabled digit + blank + state digit +
// blank + text, lines ended by CR LF. A line without "&" is a plain, unchecked, enabled item.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ec {

// Check states by their stored ordinals: unchecked, checked, grayed.
constexpr int kCheckStateCount = 3;

struct CheckPacket {
    std::uint8_t state = 0;
    bool enabled = true;
    friend bool operator==(const CheckPacket& a, const CheckPacket& b) {
        return a.state == b.state && a.enabled == b.enabled;
    }
};

struct CheckItem {
    std::string text;
    CheckPacket packet;
};

// A malformed "&" line: too short, or a state that is not 0, 1 or 2.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string check_line(const CheckItem& item);
std::string save_check_items(const std::vector<CheckItem>& items);
CheckItem parse_check_line(std::string_view line);
// Splits at CR LF, LF or CR; a last line without its end counts.
std::vector<CheckItem> load_check_items(std::string_view stream);

// A click or the space key: unchecked goes to grayed when allowed, else checked; checked to
// unchecked; grayed to checked.
std::uint8_t next_check_state(std::uint8_t state, bool allow_grayed);

} // namespace ec
