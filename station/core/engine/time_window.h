// The time sections of the day in which fetching may run.
#pragma once
#include <string>

#include "station/core/settings.h"

namespace station {

// True when `AllDay` is set, or some enabled section holds `time_of_day` ("hh:nn:ss"), both
// ends included. A section whose end lies before its start spans midnight.
bool IsInTimeWindow(const StationSettings& settings, const std::string& time_of_day);

} // namespace station
