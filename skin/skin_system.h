// What reading a skin asks of the system, behind an interface so that the whole parse runs
// without a window system: the Windows build answers from the system, tests and tools from
// the portable answers below.
#pragma once
#include <cstdint>
#include <string_view>

#include "skin/image32.h"

namespace skin {

class SkinSystem {
public:
    virtual ~SkinSystem() = default;
    virtual int HScrollArrowWidth() const = 0;  // SM_CXHSCROLL
    // 0x00BBGGRR of system colour `index`.
    virtual std::uint32_t SystemColour(int index) const = 0;
    // The program's bitmap resource "TRACK" (16 x 4) or "TRACKVERT" (4 x 16).
    virtual Image32 TrackPicture(bool vertical) const = 0;
};

// The classic system colours, a 17-pixel scroll arrow and our own track pictures.
class PortableSkinSystem : public SkinSystem {
public:
    int HScrollArrowWidth() const override { return 17; }
    std::uint32_t SystemColour(int index) const override;
    Image32 TrackPicture(bool vertical) const override;
};

// The track groove drawn in code: a sunken channel, 16 x 4 or 4 x 16.
Image32 DrawTrackPicture(bool vertical);

} // namespace skin
