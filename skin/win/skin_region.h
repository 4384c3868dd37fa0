// A window region from a skin bitmap: every pixel outside the key colour range, shifted.
#pragma once
#include "platform/ui/win/graphics.h"

namespace skin {

// Pixels whose channels all lie in key .. key + tolerance (capped at 255) are left out.
ui::Region RegionFromBitmap(const ui::Bitmap& bitmap, int dx, int dy, ui::TColor key, int red_tolerance,
                            int green_tolerance, int blue_tolerance);

} // namespace skin
