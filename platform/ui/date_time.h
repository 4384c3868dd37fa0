// Date and time values as the windows keep them: days since 30 December 1899, the fraction
// being the time of day.
#pragma once

namespace ui {

using TDateTime = double;

struct CivilDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Throws std::out_of_range for a date that does not exist (month 13, 30 February...).
TDateTime encode_date_time(const CivilDateTime& value);
// Rounds to the nearest millisecond.
CivilDateTime decode_date_time(TDateTime value);

} // namespace ui
