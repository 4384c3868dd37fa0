#include "station/core/engine/time_window.h"

#include <cctype>
#include <string_view>

namespace station {
namespace {

int compare_text_ignoring_case(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::toupper(static_cast<unsigned char>(a[i]));
        const int cb = std::toupper(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

bool IsInTimeWindow(const StationSettings& settings, const std::string& now) {
    if (settings.AllDay) return true;
    for (const ATimeSection& section : settings.TimeSections) {
        if (section.Enable && compare_text_ignoring_case(section.From, now) <= 0 &&
            compare_text_ignoring_case(now, section.To) <= 0) {
            return true;
        }
    }
    return false;
}

} // namespace station
