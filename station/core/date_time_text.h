// Every date and time text of the station, each format with its own formatter, so no text
// depends on the machine's regional settings. All take the replaceable local clock's time.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace station {

std::string FormatDate(const plat::LocalTime& t);          // "yyyy-MM-dd"
std::string FormatTimeOfDay(const plat::LocalTime& t);     // "hh:nn:ss", 24-hour
std::string FormatDeviceClock(const plat::LocalTime& t);   // "yyyy-MM-dd HH:mm:ss"
std::string FormatStamp(const plat::LocalTime& t);         // "YYYY-MM-DD hh-mm-ss"

// "hh:nn:ss" of a duration; a day or more wraps. Negative durations read as 0.
std::string SecondsToTimeText(std::int64_t seconds);
std::string MillisecondsToTimeText(std::int64_t milliseconds);
// Seconds of an "hh:nn:ss" text (trimmed); parts out of range count as 0. No value when a part
// is not a number.
std::optional<int> TimeTextToSeconds(std::string_view text);

} // namespace station
