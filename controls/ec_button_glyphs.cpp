// The standard kinds' glyphs, drawn by our own code once per process: each a strip of two
// 16 x 16 cells (normal, then disabled as an etched grey copy) on olive, the strip's
// transparent colour.
#include <array>
#include <memory>

#include "controls/ec_button.h"

namespace ec {

namespace {

constexpr int kCell = 16;
constexpr TColor kGlyphBack = ui::clOlive;

// Draws one kind's shape with its cell's origin at `x0`; `tone` maps each of the shape's own
// colours to the one used (the disabled cell draws everything in one colour).
using Tone = TColor (*)(TColor);

void line(ui::Canvas& c, int x0, const std::vector<POINT>& points, TColor color, int width) {
    c.pen().color = color;
    c.pen().width = width;
    std::vector<POINT> moved = points;
    for (POINT& p : moved) p.x += x0;
    c.polyline(moved);
    c.pen().width = 1;
}

void disc(ui::Canvas& c, int x0, int l, int t, int r, int b, TColor fill, TColor edge) {
    c.pen().color = edge;
    c.brush().color = fill;
    c.ellipse(x0 + l, t, x0 + r, b);
}

void draw_shape(ui::Canvas& c, TBitBtnKind kind, int x0, Tone tone) {
    const TColor green = tone(0x00008000), red = tone(0x000000C0), blue = tone(0x00A00000), white = tone(ui::clWhite);
    switch (kind) {
    case TBitBtnKind::bkOK:
    case TBitBtnKind::bkYes: line(c, x0, {{3, 8}, {6, 11}, {12, 4}}, green, 2); break;
    case TBitBtnKind::bkAll:
        line(c, x0, {{1, 8}, {4, 11}, {9, 4}}, green, 2);
        line(c, x0, {{6, 9}, {8, 11}, {14, 4}}, green, 2);
        break;
    case TBitBtnKind::bkCancel:
        line(c, x0, {{4, 4}, {12, 12}}, red, 2);
        line(c, x0, {{12, 4}, {4, 12}}, red, 2);
        break;
    case TBitBtnKind::bkNo:
        c.brush().style = ui::TBrushStyle::bsClear;
        c.pen().width = 2;
        c.pen().color = red;
        c.ellipse(x0 + 3, 3, x0 + 14, 14);
        c.pen().width = 1;
        c.brush().style = ui::TBrushStyle::bsSolid;
        line(c, x0, {{5, 5}, {12, 12}}, red, 2);
        break;
    case TBitBtnKind::bkHelp:
        line(c, x0, {{5, 5}, {6, 3}, {10, 3}, {11, 5}, {11, 6}, {8, 8}, {8, 10}}, blue, 2);
        c.brush().color = blue;
        c.fill_rect({x0 + 7, 12, x0 + 9, 14});
        break;
    case TBitBtnKind::bkClose:
        c.brush().color = tone(0x00205080);
        c.fill_rect({x0 + 4, 2, x0 + 12, 15});
        c.brush().color = tone(0x0040A0E0);
        c.fill_rect({x0 + 5, 3, x0 + 11, 15});
        c.brush().color = tone(0x00205080);
        c.fill_rect({x0 + 9, 8, x0 + 10, 10});
        break;
    case TBitBtnKind::bkAbort:
        disc(c, x0, 2, 2, 14, 14, red, red);
        c.brush().color = white;
        c.fill_rect({x0 + 5, 7, x0 + 11, 9});
        break;
    case TBitBtnKind::bkRetry:
        // Three quarters of a circle, then the arrow head at its open end.
        line(c, x0, {{8, 3}, {5, 4}, {3, 7}, {3, 9}, {5, 12}, {8, 13}, {11, 12}, {13, 9}, {13, 7}}, green, 2);
        line(c, x0, {{7, 1}, {9, 3}, {7, 5}}, green, 2);
        break;
    case TBitBtnKind::bkIgnore:
        line(c, x0, {{2, 8}, {12, 8}}, blue, 2);
        line(c, x0, {{9, 5}, {12, 8}, {9, 11}}, blue, 2);
        line(c, x0, {{14, 3}, {14, 13}}, blue, 1);
        break;
    case TBitBtnKind::bkCustom: break;
    }
}

TColor as_is(TColor c) { return c; }
TColor etched_light(TColor) { return ui::clWhite; }
TColor etched_dark(TColor) { return ui::clGray; }

std::unique_ptr<ui::Bitmap> make_kind_glyph(TBitBtnKind kind) {
    auto strip = std::make_unique<ui::Bitmap>(2 * kCell, kCell);
    if (kind == TBitBtnKind::bkCustom) {
        strip->set_size(0, 0);
        return strip;
    }
    ui::Canvas& c = strip->canvas();
    c.brush().color = kGlyphBack;
    c.fill_rect({0, 0, 2 * kCell, kCell});
    draw_shape(c, kind, 0, as_is);
    // The disabled cell: a white copy one pixel down and right under a grey one.
    SetViewportOrgEx(c.handle(), 1, 1, nullptr);
    draw_shape(c, kind, kCell, etched_light);
    SetViewportOrgEx(c.handle(), 0, 0, nullptr);
    draw_shape(c, kind, kCell, etched_dark);
    // Nothing may cover the corner that names the transparent colour.
    c.set_pixel(0, kCell - 1, kGlyphBack);
    c.set_pixel(kCell, kCell - 1, kGlyphBack);
    strip->transparent_color = kGlyphBack;
    return strip;
}

} // namespace

const ui::Bitmap& bit_btn_kind_glyph(TBitBtnKind kind) {
    static std::array<std::unique_ptr<ui::Bitmap>, 11> cache;
    const int i = static_cast<int>(kind);
    auto& slot = cache.at(static_cast<std::size_t>(i >= 0 && i < 11 ? i : 0));
    if (!slot) slot = make_kind_glyph(kind);
    return *slot;
}

} // namespace ec
