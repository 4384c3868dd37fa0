#include "controls/ec_locale.h"

#include <windows.h>

namespace ec {

char locale_decimal_separator() {
    wchar_t buffer[8]{};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) != 2) return '.';
    const wchar_t c = buffer[0];
    return c > L' ' && c < 0x7F ? static_cast<char>(c) : '.';
}

int locale_first_day_of_week() {
    wchar_t buffer[4]{};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, buffer, 4) == 0) return 6;
    const int day = buffer[0] - L'0';
    return day >= 0 && day <= 6 ? day : 6;
}

} // namespace ec
