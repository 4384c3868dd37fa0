// Checks that a dialog's bit buttons paint their glyphs: each button is painted through WM_PAINT
// (through its skin's paint when skinned) into a memory bitmap and the square its glyph takes is
// read back pixel by pixel, against a golden map of letters or against what its image list draws
// there on a bare face.
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
inline bool on_focus_frame(ec::TEcBitBtn& button, int x, int y, bool focused) {
    if (!focused) return false;
    const int right = button.width() - 5, bottom = button.height() - 5;
    if (x < 4 || x > right || y < 4 || y > bottom) return false;
    return x == 4 || x == right || y == 4 || y == bottom;
}

// The colours of a painted face read once (0x00BBGGRR), for searching it.
class FacePixels {
public:
    explicit FacePixels(const ui::Bitmap& face) : width_(face.width()), height_(face.height()) {
        pixels_.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) pixels_.push_back(face.pixel(x, y) & 0xFFFFFF);
    }
    COLORREF at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
        return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    }

private:
    int width_, height_;
    std::vector<COLORREF> pixels_;
};

// Where the face shows a glyph of w x h, as `fits(x, y)` (the glyph's corner) tells: the
// control's own glyph place first; a skin paints the face itself and places the glyph by its
// own rules, so then wherever on the face it fits. False when it fits nowhere.
template <class Fits>
bool find_painted_glyph(ec::TEcBitBtn& button, int w, int h, Fits fits, POINT& at) {
    const ui::Rect own = button.glyph_rect();
    if (fits(own.left, own.top)) {
        at = {own.left, own.top};
        return true;
    }
    for (int y = 0; y + h <= button.height(); ++y)
        for (int x = 0; x + w <= button.width(); ++x)
            if (fits(x, y)) {
                at = {x, y};
                return true;
            }
    return false;
}

// Whether the face at (left, top) shows the map: each letter in its colour, and no letter's
// colour where the map has the face ('.': the system's face, or the skin's where a skin paints).
inline bool shows_map(ec::TEcBitBtn& button, const FacePixels& face, int left, int top, const GlyphRows& map,
                      const GlyphLegend& legend, bool focused) {
    for (std::size_t y = 0; y < map.size(); ++y)
        for (std::size_t x = 0; x < map[y].size(); ++x) {
            const int px = left + static_cast<int>(x), py = top + static_cast<int>(y);
            if (on_focus_frame(button, px, py, focused)) continue;
            const COLORREF pixel = face.at(px, py);
            const char want = map[y][x];
            if (want != '.') {
                if (pixel != legend.at(want)) return false;
                continue;
            }
            for (const auto& [letter, colour] : legend)
                if (letter != '.' && colour == pixel) return false;
        }
    return true;
}

// The button paints the glyph the map draws (at its glyph's place, or where its skin puts it);
// `where`, when given, receives the place.
inline ::testing::AssertionResult paints_glyph_map(ec::TEcBitBtn& button, const GlyphRows& map, RECT* where = nullptr) {
    ui::Bitmap face;
    paint_button(button, face);
    const GlyphLegend legend = station_glyph_legend();
    const int w = map.empty() ? 0 : static_cast<int>(map.front().size()), h = static_cast<int>(map.size());
    const FacePixels pixels(face);
    const bool focused = GetFocus() == button.handle();
    POINT at{};
    if (find_painted_glyph(button, w, h, [&](int x, int y) { return shows_map(button, pixels, x, y, map, legend, focused); },
                           at)) {
        if (where) *where = RECT{at.x, at.y, at.x + w, at.y + h};
        return ::testing::AssertionSuccess();
    }
    const ui::Rect r = button.glyph_rect();
    return ::testing::AssertionFailure() << button.name() << " paints\n"
                                         << text_of(rows_of(face, RECT{r.left, r.top, r.right, r.bottom}, legend))
                                         << "at its glyph's place and nowhere\n" << text_of(map);
}

// The button paints its image list's image (at its glyph's place, or where its skin puts it):
// every pixel the list draws on a bare face, over the face the button paints; and that image is
// not blank. `where`, when given, receives the place.
inline ::testing::AssertionResult paints_its_image(ec::TEcBitBtn& button, RECT* where = nullptr) {
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
    const COLORREF bare = GetSysColor(COLOR_BTNFACE);
    const FacePixels image(alone);
    int drawn = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (image.at(x, y) != bare) ++drawn;
    if (drawn == 0) return ::testing::AssertionFailure() << button.name() << ": image " << button.image_index() << " is blank";
    // Unskinned, the face around the image is the system's and the whole square must match; a
    // skin's face shows through where the list leaves the bare face.
    const FacePixels pixels(face);
    const bool focused = GetFocus() == button.handle();
    const bool system_face = pixels.at(r.left, r.top) == bare;
    const auto fits = [&](int left, int top) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const COLORREF want = image.at(x, y);
                if (on_focus_frame(button, left + x, top + y, focused) || (want == bare && !system_face)) continue;
                if (pixels.at(left + x, top + y) != want) return false;
            }
        return true;
    };
    POINT at{};
    if (!find_painted_glyph(button, w, h, fits, at))
        return ::testing::AssertionFailure() << button.name() << ": image " << button.image_index()
                                             << " shows neither at its glyph's place nor elsewhere on the face";
    if (where) *where = RECT{at.x, at.y, at.x + w, at.y + h};
    return ::testing::AssertionSuccess();
}

} // namespace window_test
