// What the skin parse asks of the system, answered by Windows: the scroll arrow width, the
// system colours and the program's own track pictures.
#pragma once
#include "skin/skin_system.h"

namespace skin {

class WinSkinSystem : public SkinSystem {
public:
    int HScrollArrowWidth() const override;
    std::uint32_t SystemColour(int index) const override;
    // The bitmap resource "TRACK" or "TRACKVERT" of the program; a program built without them
    // gets the same groove drawn in code.
    Image32 TrackPicture(bool vertical) const override;
};

} // namespace skin
