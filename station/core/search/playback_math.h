// The playback panel's arithmetic: LED time, position bar, skips and rate.
#pragma once
#include <cstdint>
#include <string>

namespace station {

// The LED caption at `position_ms` of a call: the elapsed time, or the time of day at that
// point of a call that started at `call_start` ("hh:nn:ss"), wrapping past midnight.
std::string LedTimeText(bool show_elapsed, const std::string& call_start, std::int64_t position_ms);

// The bar counts milliseconds.
int BarPosition(double seconds);
// A drag on the bar lands on whole seconds.
double SeekSeconds(int bar_position);

constexpr double kSkipSeconds = 2.5;
// 2.5 s forward (at most the end) or back (at least 0).
double SkipTarget(double current, double duration, bool forward);

// The rate bar runs 5..15 for 0.5..1.5.
constexpr int kRateBarMin = 5, kRateBarMax = 15, kRateBarNormal = 10;
double RateFromBar(int bar_position);

// "<base> <percent>%" of the volume bar, or the base alone for a bar without range.
std::string VolumeHint(const std::string& base, int position, int maximum);

} // namespace station
