#include "skin/win/skin_paint.h"

#include "skin/frame_geometry.h"
#include "skin/gradient_cache.h"

namespace skin {

void FillGradient(HDC dc, const ui::Rect& rect, ui::TColor start, ui::TColor end, bool vertical) {
    if (Inverted(rect)) return;
    const RECT rc = ui::to_rect(rect);
    if (!RectVisible(dc, &rc)) return;
    const long long lines = vertical ? static_cast<long long>(rect.bottom) - rect.top
                                     : static_cast<long long>(rect.right) - rect.left;
    if (lines <= 0 || lines > GradientCache::kMaxLines) return;
    RECT clip{};
    if (GetClipBox(dc, &clip) == ERROR) return;
    const auto [first, last] = VisibleGradientLines(rect, ui::from_rect(clip), vertical);
    GradientCache& cache = SharedGradientCache();
    const int slot = cache.GetGradient(static_cast<int>(lines), ui::color_to_rgb(start) & 0xFFFFFF, ui::color_to_rgb(end) & 0xFFFFFF);
    if (slot < 0) return;
    const std::vector<std::uint32_t>& colors = cache.Colors(slot);
    for (int i = first; i <= last; ++i) {
        const ui::GdiObject<HBRUSH> brush(CreateSolidBrush(colors[static_cast<std::size_t>(i)]));
        const RECT line = vertical ? RECT{rect.left, rect.top + i, rect.right, rect.top + i + 1}
                                   : RECT{rect.left + i, rect.top, rect.left + i + 1, rect.bottom};
        FillRect(dc, &line, brush.get());
    }
}

void PaintParentBehind(HWND control, HDC dc) {
    const HWND parent = GetParent(control);
    if (!parent || !dc) return;
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    RECT client{};
    GetClientRect(control, &client);
    const ui::SavedDC saved(dc);
    OffsetViewportOrgEx(dc, -bounds.left, -bounds.top, nullptr);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.left + client.right, bounds.top + client.bottom);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(parent, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

} // namespace skin
