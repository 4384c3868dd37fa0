// Captions with accelerator marks: "&File" underlines the F, "&&" shows one ampersand.
#pragma once
#include <string>
#include <string_view>

namespace ec {

// The caption as shown without underlines. An ampersand that ends the text is kept.
std::string strip_accel_chars(std::string_view text);
int count_char_occurrences(char ch, std::string_view text);

} // namespace ec
