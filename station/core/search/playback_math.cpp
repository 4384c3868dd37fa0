#include "station/core/search/playback_math.h"

#include <algorithm>
#include <cmath>

#include "station/core/date_time_text.h"

namespace station {

std::string LedTimeText(bool show_elapsed, const std::string& call_start, std::int64_t position_ms) {
    if (show_elapsed) return MillisecondsToTimeText(position_ms);
    const std::int64_t start_ms = static_cast<std::int64_t>(TimeTextToSeconds(call_start).value_or(0)) * 1000;
    return MillisecondsToTimeText(start_ms + position_ms);
}

int BarPosition(double seconds) {
    if (!(seconds > 0)) return 0;
    const double ms = std::trunc(seconds * 1000.0);
    return ms >= 2147483647.0 ? 2147483647 : static_cast<int>(ms);
}

double SeekSeconds(int bar_position) { return bar_position > 0 ? bar_position / 1000 : 0; }

double SkipTarget(double current, double duration, bool forward) {
    if (forward) return std::min(current + kSkipSeconds, std::max(duration, 0.0));
    return std::max(current - kSkipSeconds, 0.0);
}

double RateFromBar(int bar_position) {
    return std::clamp(bar_position, kRateBarMin, kRateBarMax) / 10.0;
}

std::string VolumeHint(const std::string& base, int position, int maximum) {
    if (maximum == 0) return base;
    const long long percent = static_cast<long long>(position) * 100 / maximum;
    return base + " " + std::to_string(percent) + "%";
}

} // namespace station
