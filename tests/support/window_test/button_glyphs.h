// Checks that a dialog's bit buttons paint their glyphs: each button is painted through WM_PAINT
// into a memory bitmap and the square its glyph takes is read back pixel by pixel, against a
// golden map of letters or against what its image list draws there on a bare face.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "controls/ec_button.h"
#include "platform/ui/win/graphics.h"

namespace window_test {

using GlyphLegend = std::map<char, COLORREF>;
using GlyphRows = std::vector<std::string>;

// The legend of the station's glyph maps: '.' the button face, then the glyphs' own colours.
inline GlyphLegend station_glyph_legend() {
    return {{'.', GetSysColor(COLOR_BTNFACE)},
            {'g', RGB(0x20, 0x80, 0x20)},
            {'r', RGB(0xc0, 0x20, 0x20)},
            {'b', RGB(0x20, 0x60, 0xc0)}};
}

// The OK and Cancel glyphs of the station's dialogs as their buttons paint them.
inline const GlyphRows kTickGlyph = {
    "................",
    "................",
    "................",
    "............gg..",
    "...........ggg..",
    "..........ggg...",
    ".........ggg....",
    "..gg....ggg.....",
    "..ggg..ggg......",
    "...gggggg.......",
    "....gggg........",
    ".....gg.........",
    "................",
    "................",
    "................",
    "................",
};
inline const GlyphRows kCrossGlyph = {
    "................",
    "................",
    "................",
    "...rr......rr...",
    "...rrr....rrr...",
    "....rrr..rrr....",
    ".....rrrrrr.....",
    "......rrrr......",
    "......rrrr......",
    ".....rrrrrr.....",
    "....rrr..rrr....",
    "...rrr....rrr...",
    "...rr......rr...",
    "................",
    "................",
    "................",
};

// The button as it paints itself now, in a bitmap of its size.
inline void paint_button(ec::TEcBitBtn& button, ui::Bitmap& face) {
    face.set_size(button.width(), button.height());
    button.perform(WM_PAINT, reinterpret_cast<WPARAM>(face.dc()));
    GdiFlush();
}

// `area` of `picture` as rows of letters: the legend's letter of each pixel's colour, '?' for
// a colour the legend does not know.
inline GlyphRows rows_of(const ui::Bitmap& picture, const RECT& area, const GlyphLegend& legend) {
    GlyphRows rows;
    for (int y = area.top; y < area.bottom; ++y) {
        std::string row;
        for (int x = area.left; x < area.right; ++x) {
            char letter = '?';
            const COLORREF pixel = picture.pixel(x, y) & 0xFFFFFF;
            for (const auto& [l, colour] : legend)
                if (colour == pixel) {
                    letter = l;
                    break;
                }
            row += letter;
        }
        rows.push_back(row);
    }
    return rows;
}

inline std::string text_of(const GlyphRows& rows) {
    std::string text;
    for (const std::string& row : rows) text += row + "\n";
    return text;
}

// Whether the focus frame of the focused button runs through its pixel (x, y): the classic
// look draws it on the client inset by 4, over everything, the glyph's blank last row included;
// it is no part of the glyph.
inline bool on_focus_frame(ec::TEcBitBtn& button, int x, int y) {
    if (GetFocus() != button.handle()) return false;
    const int right = button.width() - 5, bottom = button.height() - 5;
    if (x < 4 || x > right || y < 4 || y > bottom) return false;
    return x == 4 || x == right || y == 4 || y == bottom;
}

// The button paints the glyph the map draws, at its glyph's place.
inline ::testing::AssertionResult paints_glyph_map(ec::TEcBitBtn& button, const GlyphRows& map) {
    ui::Bitmap face;
    paint_button(button, face);
    const ui::Rect r = button.glyph_rect();
    GlyphRows painted = rows_of(face, RECT{r.left, r.top, r.right, r.bottom}, station_glyph_legend());
    for (std::size_t y = 0; y < painted.size() && y < map.size(); ++y)
        for (std::size_t x = 0; x < painted[y].size() && x < map[y].size(); ++x)
            if (on_focus_frame(button, r.left + static_cast<int>(x), r.top + static_cast<int>(y))) painted[y][x] = map[y][x];
    if (painted == map) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << button.name() << " paints\n" << text_of(painted) << "instead of\n"
                                         << text_of(map);
}

// The button paints its image list's image at its glyph's place, as the list draws it on the
// bare face, and that image is not blank.
inline ::testing::AssertionResult paints_its_image(ec::TEcBitBtn& button) {
    if (!button.images() || button.image_index() < 0 || button.image_index() >= button.images()->count())
        return ::testing::AssertionFailure() << button.name() << " has no image to paint";
    ui::Bitmap face;
    paint_button(button, face);
    const ui::Rect r = button.glyph_rect();
    const int w = r.right - r.left, h = r.bottom - r.top;
    ui::Bitmap alone(w, h);
    RECT all{0, 0, w, h};
    FillRect(alone.dc(), &all, GetSysColorBrush(COLOR_BTNFACE));
    button.images()->draw(alone.dc(), 0, 0, button.image_index(), button.enabled());
    GdiFlush();
    int drawn = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF want = alone.pixel(x, y) & 0xFFFFFF;
            if (want != GetSysColor(COLOR_BTNFACE)) ++drawn;
            if (on_focus_frame(button, r.left + x, r.top + y)) continue;
            if ((face.pixel(r.left + x, r.top + y) & 0xFFFFFF) != want)
                return ::testing::AssertionFailure() << button.name() << ": pixel " << x << "," << y
                                                     << " of the glyph differs from image " << button.image_index();
        }
    if (drawn == 0) return ::testing::AssertionFailure() << button.name() << ": image " << button.image_index() << " is blank";
    return ::testing::AssertionSuccess();
}

} // namespace window_test
