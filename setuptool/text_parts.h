// Cutting and reading the address texts typed into the dialog.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kesto {

// Cuts `text` at `delimiter` into exactly `parts` parts from the left; a missing part is
// empty and whatever follows the last part's end is dropped.
std::vector<std::string> split_text(std::string_view text, char delimiter, std::size_t parts);

// Drops leading and trailing blanks and control characters (every byte up to ' ').
std::string trim_text(std::string_view text);

// A whole part as a decimal integer with an optional sign; nullopt when the text is empty,
// holds anything else, or does not fit in 32 bits.
std::optional<std::int32_t> parse_decimal(std::string_view text);

// The conversion error shown when a part is not a number.
std::string conversion_error_text(std::string_view part);

} // namespace kesto
