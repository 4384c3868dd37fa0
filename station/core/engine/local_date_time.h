// Local wall-clock moments as the station's date-time values (days since 1899-12-30, the time
// of day as the fraction), and the calendar arithmetic the engine needs on them.
#pragma once
#include <cstdint>

#include "platform/clock.h"

namespace station {

double ToDateTime(const plat::LocalTime& t);
plat::LocalTime FromDateTime(double date_time);
// Whole seconds since 1970-01-01 00:00, rounded.
std::int64_t DateTimeToUnixSeconds(double date_time);
// The same wall-clock time `days` calendar days earlier.
plat::LocalTime DaysBefore(const plat::LocalTime& t, int days);
// The date-time of the replaceable local clock now.
double NowDateTime();

} // namespace station
