// UTF-8 <-> UTF-16 where 16-bit characters are wanted on every platform (the ODBC wide entry
// points; wchar_t is 32 bits on Linux), and appending one code point as UTF-8.
#pragma once
#include <string>
#include <string_view>

namespace plat {

std::u16string utf8_to_utf16(std::string_view utf8);  // bad sequences become U+FFFD
std::string utf16_to_utf8(std::u16string_view utf16); // lone surrogates become U+FFFD
void append_utf8(std::string& out, char32_t code_point);

} // namespace plat
