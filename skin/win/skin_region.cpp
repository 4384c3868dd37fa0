#include "skin/win/skin_region.h"

#include <algorithm>
#include <cstring>

#include "skin/region_runs.h"
#include "skin/win/skin_bitmaps.h"

namespace skin {
namespace {

ui::GdiObject<HRGN> RegionOf(const std::vector<Rect>& rects) {
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(rects.size());
    header.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    header.rcBound = {rects.front().left, rects.front().top, rects.front().right, rects.front().bottom};
    for (const Rect& r : rects) {
        header.rcBound.left = std::min<LONG>(header.rcBound.left, r.left);
        header.rcBound.top = std::min<LONG>(header.rcBound.top, r.top);
        header.rcBound.right = std::max<LONG>(header.rcBound.right, r.right);
        header.rcBound.bottom = std::max<LONG>(header.rcBound.bottom, r.bottom);
    }
    std::memcpy(data.data(), &header, sizeof header);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const RECT rc = ui::to_rect(rects[i]);
        std::memcpy(data.data() + sizeof header + i * sizeof(RECT), &rc, sizeof rc);
    }
    return ui::GdiObject<HRGN>(
        ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

} // namespace

ui::Region RegionFromBitmap(const ui::Bitmap& bitmap, int dx, int dy, ui::TColor key, int red_tolerance,
                            int green_tolerance, int blue_tolerance) {
    const KeyRange range{PixelFromColor(key), red_tolerance, green_tolerance, blue_tolerance};
    ui::GdiObject<HRGN> result;
    CollectRegionRuns(ImageFromBitmap(bitmap), dx, dy, range, [&](const std::vector<Rect>& batch) {
        ui::GdiObject<HRGN> part = RegionOf(batch);
        if (!part) return;
        if (!result) result = std::move(part);
        else CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
    });
    return ui::Region(result.release());
}

} // namespace skin
