#include "controls/ec_grafx.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/ui/win/forms.h"

namespace ec {

namespace {

using ui::TColor;

// A colour stepped in 16.16 fixed point, one channel at a time.
struct FixedColor {
    std::int64_t r = 0, g = 0, b = 0;

    static FixedColor of(TColor c) {
        const std::uint32_t rgb = ui::color_to_rgb(c);
        return {static_cast<std::int64_t>(rgb & 0xFF) << 16, static_cast<std::int64_t>((rgb >> 8) & 0xFF) << 16,
                static_cast<std::int64_t>((rgb >> 16) & 0xFF) << 16};
    }
    // (to - from) / steps per step.
    static FixedColor step(TColor from, TColor to, std::int64_t steps) {
        const FixedColor a = of(from), b = of(to);
        if (steps <= 0) steps = 1;
        return {(b.r - a.r) / steps, (b.g - a.g) / steps, (b.b - a.b) / steps};
    }
    void add(const FixedColor& d) {
        r += d.r;
        g += d.g;
        b += d.b;
    }
    COLORREF colorref() const {
        auto channel = [](std::int64_t v) { return static_cast<COLORREF>(std::clamp<std::int64_t>(v >> 16, 0, 255)); };
        return channel(r) | (channel(g) << 8) | (channel(b) << 16);
    }
};

void fill(HDC dc, int l, int t, int r, int b, COLORREF color) {
    ui::GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    RECT rect{l, t, r, b};
    FillRect(dc, &rect, brush.get());
}

// The minimum number of steps one colour covers.
int minimum_run(int band_size, int divisor) {
    if (band_size > 8) band_size = divisor / band_size + 1;
    return std::max(band_size - 1, 0);
}

// Paints `count` cells along one axis, from `first` towards lower indices, colour stepping from
// `from` towards `to` over `steps`; equal neighbouring colours merge into one rectangle.
template <class FillCell>
void colour_run(int first, int count, TColor from, TColor to, int steps, int band_size, FillCell fill_cells) {
    const FixedColor delta = FixedColor::step(from, to, steps);
    FixedColor c = FixedColor::of(from);
    std::vector<COLORREF> colors(static_cast<std::size_t>(std::max(count, 0)));
    for (COLORREF& color : colors) {
        color = c.colorref();
        c.add(delta);
    }
    const int min_run = minimum_run(band_size, 255);
    for (int i = 0; i < count;) {
        int j = i;
        while (j + 1 < count && (colors[j + 1] == colors[i] || j + 1 - i <= min_run)) ++j;
        fill_cells(first - j, first - i + 1, colors[i]);  // cells first-j .. first-i
        i = j + 1;
    }
}

constexpr int kStrip = 8;

// Fills the strip of `n` cells: end mode from the far end, centre mode from the middle out.
template <class FillCell>
void fill_gradient_strip(int n, bool centre, TColor start, TColor stop, int band_size, FillCell fill_cells) {
    if (!centre) {
        colour_run(n - 1, n, stop, start, n, band_size, fill_cells);
        return;
    }
    const int middle = n / 2 + 1;  // 1-based index of the middle cell
    colour_run(middle - 1, middle, stop, start, middle, band_size, fill_cells);
    if (n > middle) colour_run(n - 1, n - middle, start, stop, n - middle, band_size, fill_cells);
}

// Doubles the painted area along one axis until the bitmap is full.
void replicate_strip(HDC dc, int width, int height, bool across) {
    int done = kStrip;
    const int total = across ? width : height;
    while (done < total) {
        const int copy = std::min(done, total - done);
        if (across) BitBlt(dc, done, 0, copy, height, dc, 0, 0, SRCCOPY);
        else BitBlt(dc, 0, done, width, copy, dc, 0, 0, SRCCOPY);
        done += copy;
    }
}

void fill_gradient_box(HDC dc, int width, int height, int h_inset, int v_inset, TColor start, TColor stop) {
    if (ui::color_to_rgb(start) == ui::color_to_rgb(stop) || width < 5 || height <= 4) {
        fill(dc, 0, 0, width + 1, height + 1, FixedColor::of(start).colorref());
        return;
    }
    const int f = (width - 1) / 2, g = (height - 1) / 2;
    const int cx = std::max(f - h_inset, 0), cy = std::max(g - v_inset, 0);
    const int n = std::max(cx, cy) + 1;
    const FixedColor delta = FixedColor::step(stop, start, n);
    // Outermost band first; each inner band paints over the corner of the one before.
    for (int i = n - 1; i >= 0; --i) {
        FixedColor c = FixedColor::of(stop);
        for (int k = 0; k < i; ++k) c.add(delta);
        const int x = cx - static_cast<int>(static_cast<std::int64_t>(cx) * i / std::max(n - 1, 1));
        const int y = cy - static_cast<int>(static_cast<std::int64_t>(cy) * i / std::max(n - 1, 1));
        fill(dc, x, y, f + 1, g + 1, c.colorref());
    }
}

// The top half onto the bottom half, then the left half onto the right, both mirrored; an odd
// middle row or column is shared.
void mirror_quarter(ui::Bitmap& bitmap) {
    GdiFlush();
    const int w = bitmap.width(), h = bitmap.height();
    for (int y = 0; y < h / 2; ++y) std::memcpy(bitmap.scan_line(h - 1 - y), bitmap.scan_line(y), sizeof(std::uint32_t) * w);
    for (int y = 0; y < h; ++y) {
        std::uint32_t* row = bitmap.scan_line(y);
        for (int x = 0; x < w / 2; ++x) row[w - 1 - x] = row[x];
    }
}

// Bands parallel to one diagonal, swept from a bottom corner: StartColor there when w > 0 (bottom
// left), StopColor at the bottom right otherwise. The sweep takes about the diagonal's length in
// pixels of steps, half of them before the other diagonal and half after.
void fill_gradient_diagonal(ui::Bitmap& bitmap, int w, int h, TColor start, TColor stop) {
    const bool leftwards = w <= 0;
    const int width = std::abs(w);
    if (leftwards) std::swap(start, stop);
    if (ui::color_to_rgb(start) == ui::color_to_rgb(stop)) {
        fill(bitmap.dc(), 0, 0, width, h, FixedColor::of(start).colorref());
        return;
    }
    const std::int64_t d = static_cast<std::int64_t>(std::sqrt(double(width) * width + double(h) * h)) + 1;
    const std::int64_t half = std::max<std::int64_t>(d / 2, 1);
    const FixedColor delta = FixedColor::step(start, stop, d);
    std::vector<std::uint32_t> band_pixels(static_cast<std::size_t>(2 * half + 1));
    FixedColor c = FixedColor::of(start);
    for (std::uint32_t& p : band_pixels) {
        const COLORREF ref = c.colorref();  // 0x00BBGGRR; the bitmap holds 0x00RRGGBB
        p = ((ref & 0xFF) << 16) | (ref & 0xFF00) | ((ref >> 16) & 0xFF);
        c.add(delta);
    }
    GdiFlush();
    for (int y = 0; y < h; ++y) {
        std::uint32_t* row = bitmap.scan_line(y);
        const double v = (h - (y + 0.5)) / h;  // up from the bottom edge
        for (int x = 0; x < width; ++x) {
            const double u = (leftwards ? width - (x + 0.5) : x + 0.5) / width;  // away from the start corner
            const auto band = std::min<std::int64_t>(static_cast<std::int64_t>((u + v) * static_cast<double>(half)), 2 * half);
            row[x] = band_pixels[static_cast<std::size_t>(band)];
        }
    }
}

} // namespace

void paint_gradient_fill(ui::Canvas& canvas, const ui::Rect& bounds, TGradientDirection direction, TColor start_color,
                         TColor stop_color, int band_size) {
    const int w = std::abs(bounds.right - bounds.left), h = std::abs(bounds.bottom - bounds.top);
    if (w == 0 || h == 0 || start_color == ui::clNone || stop_color == ui::clNone) return;
    ui::Bitmap bitmap(w, h);
    HDC dc = bitmap.dc();
    using G = TGradientDirection;
    const bool horizontal = direction == G::gdHorizontalEnd || direction == G::gdHorizontalCenter;
    switch (direction) {
    case G::gdDiagonalUp: fill_gradient_diagonal(bitmap, w, h, start_color, stop_color); break;
    case G::gdDiagonalDown: fill_gradient_diagonal(bitmap, -w, h, start_color, stop_color); break;
    case G::gdHorizontalEnd:
    case G::gdHorizontalCenter:
    case G::gdVerticalEnd:
    case G::gdVerticalCenter: {
        const bool centre = direction == G::gdHorizontalCenter || direction == G::gdVerticalCenter;
        const int strip = std::min(kStrip, horizontal ? w : h);
        fill_gradient_strip(horizontal ? h : w, centre, start_color, stop_color, band_size,
                            [&](int from, int to, COLORREF color) {
                                if (horizontal) fill(dc, 0, from, strip, to, color);
                                else fill(dc, from, 0, to, strip, color);
                            });
        replicate_strip(dc, w, h, horizontal);
        break;
    }
    case G::gdHorizontalBox:
    case G::gdVerticalBox:
    case G::gdSquareBox:
    case G::gdBigSquareBox: {
        fill(dc, 0, 0, w, h, FixedColor::of(start_color).colorref());
        const int h_inset = direction == G::gdHorizontalBox || direction == G::gdBigSquareBox ? w / 4 : 0;
        const int v_inset = direction == G::gdVerticalBox || direction == G::gdBigSquareBox ? h / 4 : 0;
        fill_gradient_box(dc, w, h, h_inset, v_inset, start_color, stop_color);
        mirror_quarter(bitmap);
        break;
    }
    }
    canvas.draw(bounds.left, bounds.top, bitmap);
}

void draw_transparent_stretched(ui::Canvas& canvas, const ui::Bitmap& bitmap, const ui::Rect& dest,
                                const ui::Rect& source, TColor transparent) {
    if (dest.width() <= 0 || dest.height() <= 0 || bitmap.empty()) return;
    ui::Bitmap stretched(dest.width(), dest.height());
    SetStretchBltMode(stretched.dc(), COLORONCOLOR);
    StretchBlt(stretched.dc(), 0, 0, dest.width(), dest.height(), bitmap.dc(), source.left, source.top, source.width(),
               source.height(), SRCCOPY);
    canvas.brush_copy(dest, stretched, {0, 0, dest.width(), dest.height()}, transparent);
}

void paint_parent_background(ui::Control& control, HDC dc, bool invalidate_parent) {
    ui::WinControl* parent = control.parent();
    if (!parent || !dc) return;
    {
        ui::SavedDC saved(dc);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x - control.left(), origin.y - control.top(), nullptr);
        IntersectClipRect(dc, 0, 0, parent->client_width(), parent->client_height());
        parent->perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
        parent->perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    }
    if (invalidate_parent && !dynamic_cast<ui::CustomControl*>(parent) && !dynamic_cast<ui::Form*>(parent))
        parent->invalidate();
}

} // namespace ec
