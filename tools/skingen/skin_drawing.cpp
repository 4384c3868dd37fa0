#include "tools/skingen/skin_drawing.h"

#include <algorithm>

namespace skingen {

void FillRect(Image32& image, const Rect& rect, std::uint32_t rgb) {
    for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, image.height()); ++y)
        for (int x = std::max(rect.left, 0); x < std::min(rect.right, image.width()); ++x) image.set(x, y, rgb);
}

void Bevel(Image32& image, const Rect& r, std::uint32_t light, std::uint32_t dark) {
    FillRect(image, {r.left, r.top, r.right, r.top + 1}, light);
    FillRect(image, {r.left, r.top, r.left + 1, r.bottom}, light);
    FillRect(image, {r.left, r.bottom - 1, r.right, r.bottom}, dark);
    FillRect(image, {r.right - 1, r.top, r.right, r.bottom}, dark);
}

std::uint32_t Blend(std::uint32_t a, std::uint32_t b, int a_percent) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int va = static_cast<int>((a >> shift) & 0xFF), vb = static_cast<int>((b >> shift) & 0xFF);
        out |= static_cast<std::uint32_t>((va * a_percent + vb * (100 - a_percent) + 50) / 100) << shift;
    }
    return out;
}

void VerticalGradient(Image32& image, const Rect& r, std::uint32_t top, std::uint32_t bottom) {
    const int lines = r.bottom - r.top;
    for (int y = r.top; y < r.bottom; ++y)
        FillRect(image, {r.left, y, r.right, y + 1}, Blend(bottom, top, lines > 1 ? 100 * (y - r.top) / (lines - 1) : 0));
}

void DrawGlyph(Image32& image, const Rect& rect, const std::vector<std::string>& rows, std::uint32_t rgb) {
    const int h = static_cast<int>(rows.size()), w = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    const int x0 = rect.left + (rect.right - rect.left - w) / 2, y0 = rect.top + (rect.bottom - rect.top - h) / 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < static_cast<int>(rows[static_cast<std::size_t>(y)].size()); ++x)
            if (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#' && image.contains(x0 + x, y0 + y)) image.set(x0 + x, y0 + y, rgb);
}

} // namespace skingen
