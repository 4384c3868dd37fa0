#include "skin/win/win_skin_system.h"

#include "skin/win/skin_bitmaps.h"

namespace skin {

int WinSkinSystem::HScrollArrowWidth() const { return GetSystemMetrics(SM_CXHSCROLL); }

std::uint32_t WinSkinSystem::SystemColour(int index) const { return GetSysColor(index); }

Image32 WinSkinSystem::TrackPicture(bool vertical) const {
    ui::Bitmap picture;
    if (picture.load_from_resource(GetModuleHandleW(nullptr), vertical ? L"TRACKVERT" : L"TRACK"))
        return ImageFromBitmap(picture);
    return DrawTrackPicture(vertical);
}

} // namespace skin
