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
        if (!section.Enable) continue;
        const bool after_start = compare_text_ignoring_case(section.From, now) <= 0;
        const bool before_end = compare_text_ignoring_case(now, section.To) <= 0;
        // An end before the start is a night section: from the start to midnight, then from
        // midnight to the end.
        const bool spans_midnight = compare_text_ignoring_case(section.To, section.From) < 0;
        if (spans_midnight ? (after_start || before_end) : (after_start && before_end)) return true;
    }
    return false;
}

} // namespace station
