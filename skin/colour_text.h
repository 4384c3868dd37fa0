// Colours written as red, green and blue numbers in one text ("255, 128, 0").
#pragma once
#include <optional>
#include <string_view>

#include "platform/ui/color.h"

namespace skin {

// The colour (0x00BBGGRR) of a non-empty text; nothing for an empty one. A number counts when
// another character follows it; a number ending the text counts only as the third; numbers
// after the third are ignored; each component keeps its low 8 bits.
std::optional<ui::TColor> ParseColourText(std::string_view text);

} // namespace skin
