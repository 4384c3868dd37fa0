// List values of language files: items joined with '|', an item holding a blank, a control
// character, '|' or '"' put in double quotes with its quotes doubled. GBK texts: the second
// byte of a double-byte character is never taken for a delimiter or a quote, and an item that
// ends in a lone lead byte is quoted too, so that the '|' after it is not taken for its second
// byte.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace station {

// Splits at '|' and at blanks and control characters outside double quotes.
std::vector<std::string> SplitDelimitedList(std::string_view text);
std::string JoinDelimitedList(const std::vector<std::string>& items);

} // namespace station
