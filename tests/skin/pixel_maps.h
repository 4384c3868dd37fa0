// Small pictures written as text for golden comparisons: the letters a..i are nine distinct
// colours (a skin frame's nine cells), '#' is magenta and '?' anything else.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "skin/image32.h"

namespace skin_test {

using PixelMap = std::vector<std::string>;

std::uint32_t CellPixel(char letter);  // 0x00RRGGBB
PixelMap MapOf(const skin::Image32& image);
skin::Image32 ImageOf(const PixelMap& rows);

} // namespace skin_test
