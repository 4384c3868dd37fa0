// What the control set takes from the user's locale: the decimal separator of number texts and
// the first day of the week of calendars.
#pragma once

namespace ec {

// One character; a point when the locale's separator is longer or not plain ASCII.
char locale_decimal_separator();
// 0 Monday .. 6 Sunday, as the calendar control counts; 6 when the locale gives nothing usable.
int locale_first_day_of_week();

} // namespace ec
