// The faces of the skinned edits, combo boxes, date arrow buttons and up-down controls, painted
// into memory bitmaps and checked pixel by pixel against small golden maps.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "skin/win/entry_painters.h"
#include "skin/win/skin_bitmaps.h"

namespace {

using skin::Rect;
using Map = std::vector<std::string>;

// The colours of the maps: a..i and A..I are eighteen distinct colours, 'w' white and '#'
// magenta; anything else reads '?'.
COLORREF Colour(char c) {
    if (c == 'w') return RGB(255, 255, 255);
    if (c == '#') return RGB(255, 0, 255);
    if (c >= 'a' && c <= 'i') return RGB(0x10 * (c - 'a' + 1), 0x20, 0x40);
    if (c >= 'A' && c <= 'I') return RGB(0x40, 0x10 * (c - 'A' + 1), 0x20);
    return RGB(1, 2, 3);
}
ui::TColor Tc(char c) { return static_cast<ui::TColor>(Colour(c)); }

Map MapOf(const ui::Bitmap& b) {
    static const std::string letters = "abcdefghiABCDEFGHIw#";
    Map rows;
    for (int y = 0; y < b.height(); ++y) {
        std::string row;
        for (int x = 0; x < b.width(); ++x) {
            const COLORREF p = GetPixel(b.dc(), x, y);
            char found = '?';
            for (char c : letters)
                if (Colour(c) == p) found = c;
            row += found;
        }
        rows.push_back(row);
    }
    return rows;
}

std::unique_ptr<ui::Bitmap> BitmapOf(const Map& rows) {
    auto b = std::make_unique<ui::Bitmap>(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < b->height(); ++y)
        for (int x = 0; x < b->width(); ++x) SetPixel(b->dc(), x, y, Colour(rows[y][x]));
    return b;
}
std::unique_ptr<ui::Bitmap> Filled(int w, int h, char c) { return BitmapOf(Map(h, std::string(w, c))); }

// A strip of one-colour frames of `w` x `h`, the frames' letters in order.
std::unique_ptr<ui::Bitmap> Strip(const std::string& letters, int w, int h) {
    Map rows(h);
    for (char c : letters)
        for (auto& row : rows) row += std::string(w, c);
    return BitmapOf(rows);
}

skin::TDataSkinObject Element(int frames, int margin = 0) {
    skin::TDataSkinObject e;
    e.frame = frames;
    e.left_width = e.top_height = e.right_width = e.bottom_height = margin;
    e.bitmap = skin::Image32(1, 1);  // only the frame count and margins are read
    return e;
}

TEST(EditPainter, RingsAndThinPrintBorder) {
    auto b = Filled(8, 7, 'h');
    skin::PaintEditRings(b->dc(), {0, 0, 8, 7}, Tc('a'));
    EXPECT_EQ(MapOf(*b), (Map{
                             "aaaaaaaa",
                             "awwwwwwa",
                             "awwwwwwa",
                             "awwhhwwa",
                             "awwwwwwa",
                             "awwwwwwa",
                             "aaaaaaaa",
                         }));
    // The printed border: the inner ring in the device context's current brush.
    auto p = Filled(7, 5, 'h');
    const ui::GdiObject<HBRUSH> brush(CreateSolidBrush(Colour('c')));
    const HGDIOBJ old = SelectObject(p->dc(), brush.get());
    skin::PaintPrintBorder(p->dc(), {0, 0, 7, 5}, Tc('a'));
    SelectObject(p->dc(), old);
    EXPECT_EQ(MapOf(*p), (Map{
                             "aaaaaaa",
                             "accccca",
                             "achhhca",
                             "accccca",
                             "aaaaaaa",
                         }));
    auto d = Filled(6, 5, 'h');
    skin::PaintPickerBorder(d->dc(), {0, 0, 6, 5}, Tc('a'));
    EXPECT_EQ(MapOf(*d), (Map{"aaaaaa", "awwwwa", "awhhwa", "awwwwa", "aaaaaa"}));
}

// A combo of 20 x 8 with 5-pixel arrows: SunkEdge frames a..d, ComboButton frames e..h (its
// mirrored copy F..I), ExtraImages frames A..E of one pixel, on an 'i' ground.
struct ComboPictures {
    skin::TDataSkinObject sunk_e = Element(4, 1), button_e = Element(4), extra_e = Element(5);
    std::unique_ptr<ui::Bitmap> sunk = Strip("abcd", 3, 3), button = Strip("efgh", 1, 1), mirrored = Strip("FGHI", 1, 1),
                                extra = Strip("ABCDE", 1, 1);
    skin::ComboPaint Paint(int index, bool left) const {
        skin::ComboPaint p;
        p.index = index, p.left = left, p.cx = 5, p.cy = 6;
        p.button = {&button_e, button.get()};
        p.button_mirrored = mirrored.get();
        p.sunk = {&sunk_e, sunk.get()};
        p.extra = {&extra_e, extra.get()};
        return p;
    }
};

TEST(ComboPainter, ButtonOnTheRightAndMirroredOnTheLeft) {
    const ComboPictures pics;
    auto right = Filled(20, 8, 'i');
    EXPECT_EQ(skin::PaintCombo(right->dc(), {0, 0, 20, 8}, pics.Paint(4, false)), (Rect{13, 0, 20, 8}));
    EXPECT_EQ(MapOf(*right), (Map{
                                 "dddddddddddddhhhhhhh",
                                 "dddddddddddddhhhhhhh",
                                 "ddiiiiiiiiiddhhhhhhh",
                                 "ddiiiiiiiiiddhhDhhhh",
                                 "ddiiiiiiiiiddhhhhhhh",
                                 "ddiiiiiiiiiddhhhhhhh",
                                 "dddddddddddddhhhhhhh",
                                 "dddddddddddddhhhhhhh",
                             }));
    auto left = Filled(20, 8, 'i');
    EXPECT_EQ(skin::PaintCombo(left->dc(), {0, 0, 20, 8}, pics.Paint(2, true)), (Rect{0, 0, 7, 8}));
    EXPECT_EQ(MapOf(*left), (Map{
                                "GGGGGGGbbbbbbbbbbbbb",
                                "GGGGGGGbbbbbbbbbbbbb",
                                "GGGGGGGbbiiiiiiiiibb",
                                "GGGGBGGbbiiiiiiiiibb",
                                "GGGGGGGbbiiiiiiiiibb",
                                "GGGGGGGbbiiiiiiiiibb",
                                "GGGGGGGbbbbbbbbbbbbb",
                                "GGGGGGGbbbbbbbbbbbbb",
                            }));
}

TEST(ComboPainter, MissingPicturesAndTheOtherLooks) {
    ComboPictures pics;
    // Without SunkEdge the button alone is drawn; without ExtraImages no glyph.
    skin::ComboPaint bare = pics.Paint(1, false);
    bare.sunk = {};
    bare.extra = {};
    auto b = Filled(20, 4, 'i');
    skin::PaintCombo(b->dc(), {0, 0, 20, 4}, bare);
    EXPECT_EQ(MapOf(*b), (Map(4, "iiiiiiiiiiiiieeeeeee")));
    // Without a ComboButton picture nothing is drawn.
    skin::ComboPaint none = pics.Paint(1, false);
    none.button = {};
    auto n = Filled(20, 4, 'i');
    EXPECT_EQ(skin::PaintCombo(n->dc(), {0, 0, 20, 4}, none), Rect{});
    EXPECT_EQ(MapOf(*n), (Map(4, std::string(20, 'i'))));

    // The flat look: the ring and the button column in the device context's brush, the window
    // framed in the shadow colour, and the button the frame's width (3) and, being less high
    // than the thumb, the frame's height (4).
    skin::ComboPaint flat = pics.Paint(2, false);
    const auto flat_strip = Strip("efgh", 3, 4);
    flat.button = {&pics.button_e, flat_strip.get()};
    flat.look = 1;
    flat.shadow = Tc('a');
    auto f = Filled(20, 9, 'i');
    const ui::GdiObject<HBRUSH> brush(CreateSolidBrush(Colour('c')));
    const HGDIOBJ old = SelectObject(f->dc(), brush.get());
    EXPECT_EQ(skin::PaintCombo(f->dc(), {0, 0, 20, 9}, flat), (Rect{15, 2, 18, 6}));
    SelectObject(f->dc(), old);
    EXPECT_EQ(MapOf(*f), (Map{
                             "aaaaaaaaaaaaaaaaaaaa",
                             "acccccccccccccccccca",
                             "aciiiiiiiiiicccfffca",
                             "aciiiiiiiiiicccfffca",
                             "aciiiiiiiiiicccfffca",
                             "aciiiiiiiiiicccfffca",
                             "aciiiiiiiiiiccccccca",
                             "acccccccccccccccccca",
                             "aaaaaaaaaaaaaaaaaaaa",
                         }));

    // The extended mode: a flat border and the arrow picture over its place; an arrow strip
    // without frames leaves the face only.
    skin::ComboPaint ext = pics.Paint(4, false);
    ext.extended = true;
    ext.shadow = Tc('a');
    ext.face = Tc('b');
    ext.arrow_rect = {5, 2, 8, 4};
    const auto arrow = Strip("ABCD", 1, 1);
    ext.arrow = arrow.get();
    ext.arrow_frames = 4;
    auto e = Filled(10, 6, 'i');
    skin::PaintCombo(e->dc(), {0, 0, 10, 6}, ext);
    EXPECT_EQ(MapOf(*e), (Map{"aaaaaaaaaa", "awwwwwwwwa", "awiiiDDDwa", "awiiiDDDwa", "awwwwwwwwa", "aaaaaaaaaa"}));
    ext.arrow_frames = 0;
    auto z = Filled(10, 6, 'i');
    skin::PaintCombo(z->dc(), {0, 0, 10, 6}, ext);
    EXPECT_EQ(MapOf(*z), (Map{"aaaaaaaaaa", "awwwwwwwwa", "awiiibbbwa", "awiiibbbwa", "awwwwwwwwa", "aaaaaaaaaa"}));
}

TEST(ArrowButtonPainter, HotFrameAndNoFrames) {
    const auto arrow = Strip("ABCD", 1, 1);
    auto b = Filled(3, 2, 'i');
    skin::PaintArrowButton(b->dc(), {0, 0, 3, 2}, arrow.get(), 4, true, Tc('b'));
    EXPECT_EQ(MapOf(*b), (Map{"DDD", "DDD"}));
    skin::PaintArrowButton(b->dc(), {0, 0, 3, 2}, arrow.get(), 4, false, Tc('b'));
    EXPECT_EQ(MapOf(*b), (Map{"AAA", "AAA"}));
    skin::PaintArrowButton(b->dc(), {0, 0, 3, 2}, arrow.get(), 0, true, Tc('b'));
    EXPECT_EQ(MapOf(*b), (Map{"bbb", "bbb"}));
}

TEST(SpinPainter, StripFramesWithGlyphsPerState) {
    // Frames a..h of 2 x 2; glyphs A..H of one pixel with magenta around it in a 3 x 1 frame.
    skin::TDataSkinObject element = Element(8);
    const auto strip = Strip("abcdefgh", 2, 2);
    const auto glyphs = BitmapOf(Map{"#A##B##C##D##E##F##G##H#"});
    skin::SpinPaint p;
    p.strip = {&element, strip.get()};
    p.glyphs = glyphs.get();
    skin::SpinFacts hot_up;
    hot_up.hot = true, hot_up.cursor_known = true, hot_up.cursor_x = 1, hot_up.cursor_y = 0;
    auto b = Filled(3, 6, 'i');
    const auto halves = skin::PaintSpin(b->dc(), {0, 0, 3, 6}, hot_up, p);
    EXPECT_EQ(halves[0].frame, 4);
    EXPECT_EQ(halves[1].frame, 5);
    EXPECT_EQ(MapOf(*b), (Map{"ddd", "dDd", "ddd", "eee", "eEe", "eee"}));
    // Pressed over the down arrow; disabled; horizontal pressed on the right.
    skin::SpinFacts down = hot_up;
    down.pressed = true, down.cursor_y = 4;
    skin::PaintSpin(b->dc(), {0, 0, 3, 6}, down, p);
    EXPECT_EQ(MapOf(*b), (Map{"aaa", "aAa", "aaa", "fff", "fFf", "fff"}));
    skin::SpinFacts off;
    off.enabled = false;
    skin::PaintSpin(b->dc(), {0, 0, 3, 6}, off, p);
    EXPECT_EQ(MapOf(*b), (Map{"ccc", "cCc", "ccc", "ggg", "gGg", "ggg"}));
    skin::SpinFacts across;
    across.horizontal = true, across.pressed = true, across.cursor_known = true, across.cursor_x = 5, across.cursor_y = 1;
    auto h = Filled(6, 3, 'i');
    skin::PaintSpin(h->dc(), {0, 0, 6, 3}, across, p);
    EXPECT_EQ(MapOf(*h), (Map{"aaafff", "aAafFf", "aaafff"}));
}

TEST(SpinPainter, PlainHalvesWithoutTheElement) {
    skin::SpinPaint p;
    p.face = Tc('i'), p.shadow = Tc('g'), p.dark_shadow = Tc('a');
    skin::SpinFacts hot_up;
    hot_up.hot = true, hot_up.cursor_known = true, hot_up.cursor_x = 6, hot_up.cursor_y = 3;
    auto b = Filled(13, 24, 'h');
    skin::PaintSpin(b->dc(), {0, 0, 13, 24}, hot_up, p);
    EXPECT_EQ(MapOf(*b), (Map{
                             "aaaaaaaaaaaaa",
                             "aggggggggggga",
                             "aggggggggggga",
                             "aggggggggggga",
                             "agggggaggggga",
                             "aggggaaagggga",
                             "agggaaaaaggga",
                             "aggaaaaaaagga",
                             "agaaaaaaaaaga",
                             "aggggggggggga",
                             "aggggggggggga",
                             "aaaaaaaaaaaaa",
                             "aaaaaaaaaaaaa",
                             "aiiiiiiiiiiia",
                             "aiiiiiiiiiiia",
                             "aiiiiiiiiiiia",
                             "aiaaaaaaaaaia",
                             "aiiaaaaaaaiia",
                             "aiiiaaaaaiiia",
                             "aiiiiaaaiiiia",
                             "aiiiiiaiiiiia",
                             "aiiiiiiiiiiia",
                             "aiiiiiiiiiiia",
                             "aaaaaaaaaaaaa",
                         }));
}

} // namespace
