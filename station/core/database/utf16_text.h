// UTF-8 <-> UTF-16 for the ODBC wide entry points, whose characters are 16 bits on every
// platform (wchar_t is 32 bits on Linux).
#pragma once
#include <string>
#include <string_view>

namespace calldb {

std::u16string utf8_to_utf16(std::string_view utf8);  // bad sequences become U+FFFD
std::string utf16_to_utf8(std::u16string_view utf16); // lone surrogates become U+FFFD

} // namespace calldb
