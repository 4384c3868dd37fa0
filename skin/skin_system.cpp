#include "skin/skin_system.h"

#include "platform/ui/color.h"
#include "skin/pixel_transforms.h"

namespace skin {

std::uint32_t PortableSkinSystem::SystemColour(int index) const { return ui::classic_system_color(index); }

Image32 PortableSkinSystem::TrackPicture(bool vertical) const { return DrawTrackPicture(vertical); }

Image32 DrawTrackPicture(bool vertical) {
    // Rows from top: shadow, dark shadow, face, highlight; the ends close the channel.
    constexpr std::uint32_t kRows[4] = {0x808080, 0x404040, 0xD4D0C8, 0xFFFFFF};
    Image32 image(16, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 16; ++x) image.set(x, y, (x == 0 && y < 3) ? 0x808080 : (x == 15 && y > 0) ? 0xFFFFFF : kRows[y]);
    if (vertical) RotateBitmapRight(image);
    return image;
}

} // namespace skin
