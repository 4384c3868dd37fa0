// Colour arithmetic of the skin engine on 0x00BBGGRR colours; system colours are resolved
// first.
#pragma once
#include "platform/ui/color.h"

namespace skin {

// The blend with A's share `weight`: percent below 100, per mille from 100 up.
ui::TColor MixColorsWeighted(ui::TColor a, ui::TColor b, int weight);
// 0..255 from (max - min) / max, rounded half to even; 200 when every channel is below 160.
int ColorSaturation(ui::TColor color);

} // namespace skin
