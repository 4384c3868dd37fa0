// Small text helpers shared by the property registry and the description reader.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

std::string_view trim(std::string_view text);
// ASCII case-insensitive comparison: identifiers in descriptions are ASCII.
bool same_text(std::string_view a, std::string_view b);
std::string lower_ascii(std::string_view text);
// Decimal with an optional sign, or hexadecimal after '$' or "0x"; nothing on anything else or
// on overflow of 64 bits.
std::optional<std::int64_t> parse_integer(std::string_view text);
// Locale-independent: '.' is always the decimal point.
std::optional<double> parse_float(std::string_view text);
std::string float_to_text(double value);

} // namespace ui
