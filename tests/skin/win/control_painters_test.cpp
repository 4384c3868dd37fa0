// The faces of the skinned check boxes, radio buttons, group boxes and status bars, painted
// into memory bitmaps and checked pixel by pixel against small golden maps; pictures with the
// programs' own skins are saved under control_faces for review.
#include <windows.h>

#include <memory>

#include <gtest/gtest.h>

#include "platform/files.h"
#include "skin/skin_parse.h"
#include "skin/win/control_painters.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_frames.h"
#include "skin/win/win_skin_system.h"
#include "tests/skin/pixel_maps.h"
#include "tests/support/window_test/window_test.h"

namespace {

using skin::Bevel;
using skin::CheckFacts;
using skin::RadioFacts;
using skin::Rect;
using skin_test::PixelMap;

std::unique_ptr<ui::Bitmap> BitmapOf(const skin::Image32& image) {
    auto b = std::make_unique<ui::Bitmap>();
    skin::AssignImage(*b, image);
    return b;
}
std::unique_ptr<ui::Bitmap> BitmapOf(const PixelMap& rows) { return BitmapOf(skin_test::ImageOf(rows)); }
std::unique_ptr<ui::Bitmap> Filled(int w, int h, char letter) {
    return BitmapOf(skin::Image32(w, h, skin_test::CellPixel(letter)));
}
ui::TColor Colour(char letter) { return skin::ColorFromPixel(skin_test::CellPixel(letter)); }
PixelMap MapOf(const ui::Bitmap& b) { return skin_test::MapOf(skin::ImageFromBitmap(b)); }
void Save(const ui::Bitmap& b, const std::string& name) { window_test::save_picture(b, "control_faces", name); }

// A box strip of `frames` frames of 3 x 2: frame k (from 0) shows its group ('a' + k / 4:
// unchecked, checked, mixed) and its place in the group ('a' + k % 4: normal, hot, pressed,
// disabled), with magenta corners:   G S #
//                                    # G S
std::unique_ptr<ui::Bitmap> BoxStrip(int frames) {
    PixelMap rows(2);
    for (int k = 0; k < frames; ++k) {
        const char g = static_cast<char>('a' + k / 4), s = static_cast<char>('a' + k % 4);
        rows[0] += std::string{g, s, '#'};
        rows[1] += std::string{'#', g, s};
    }
    return BitmapOf(rows);
}

// Paints a box without a caption into the 7 x 4 control at (1, 1) of a 9 x 6 'h' target, on
// the face colour 'i'.
PixelMap PaintedBox(int frames, int frame, bool radio, bool left_text) {
    const auto strip = BoxStrip(frames);
    const auto target = Filled(9, 6, 'h');
    skin::TogglePaint p;
    p.radio = radio, p.frame = frame, p.left_text = left_text, p.face = Colour('i');
    EXPECT_TRUE(skin::PaintToggle(target->dc(), {1, 1, 8, 5}, *strip, frames, p));
    return MapOf(*target);
}

TEST(TogglePainter, BoxPlacesAndTransparentCorners) {
    EXPECT_EQ(PaintedBox(4, 2, false, false), (PixelMap{
                                                  "hhhhhhhhh",
                                                  "hiiiiiiih",
                                                  "habiiiiih",
                                                  "hiabiiiih",
                                                  "hiiiiiiih",
                                                  "hhhhhhhhh",
                                              }));
    // Left text: the check box's box ends at the right edge, the radio button's one pixel before.
    EXPECT_EQ(PaintedBox(4, 1, false, true), (PixelMap{
                                                 "hhhhhhhhh",
                                                 "hiiiiiiih",
                                                 "hiiiiaaih",
                                                 "hiiiiiaah",
                                                 "hiiiiiiih",
                                                 "hhhhhhhhh",
                                             }));
    EXPECT_EQ(PaintedBox(8, 5, true, true), (PixelMap{
                                                "hhhhhhhhh",
                                                "hiiiiiiih",
                                                "hiiibaiih",
                                                "hiiiibaih",
                                                "hiiiiiiih",
                                                "hhhhhhhhh",
                                            }));
}

// The two letters the box shows for a state: group and place.
std::string Shown(int frames, int frame) {
    const PixelMap map = PaintedBox(frames, frame, false, false);
    return map[2].substr(1, 2);
}

TEST(TogglePainter, FramePerStateWithEveryStripLength) {
    struct Case {
        const char* name;
        CheckFacts facts;
        const char *four, *five, *eight, *twelve;
    };
    auto facts = [](bool checked, bool mixed, bool disabled) {
        CheckFacts f;
        f.checked = checked, f.indeterminate = mixed, f.disabled = disabled;
        return f;
    };
    const Case cases[] = {
        {"unchecked", facts(false, false, false), "aa", "aa", "aa", "aa"},
        {"checked", facts(true, false, false), "ab", "ab", "ba", "ba"},
        {"grayed", facts(false, true, false), "ad", "ad", "bd", "ca"},
        {"disabled", facts(false, false, true), "ac", "ac", "ad", "ad"},
        {"disabled checked", facts(true, false, true), "ad", "ad", "bd", "bd"},
        {"disabled grayed", facts(false, true, true), "ad", "ad", "bd", "cd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Shown(4, skin::CheckFrameIndex(c.facts, 4)), c.four);
        EXPECT_EQ(Shown(5, skin::CheckFrameIndex(c.facts, 5)), c.five);
        EXPECT_EQ(Shown(8, skin::CheckFrameIndex(c.facts, 8)), c.eight);
        EXPECT_EQ(Shown(12, skin::CheckFrameIndex(c.facts, 12)), c.twelve);
    }
    // A grayed disabled box whose State says grayed reaches the fifth frame of a five-frame strip.
    CheckFacts state_grayed;
    state_grayed.state = "cbGrayed", state_grayed.disabled = true;
    EXPECT_EQ(Shown(5, skin::CheckFrameIndex(state_grayed, 5)), "ba");
    RadioFacts radio;
    radio.checked = radio.disabled = true;
    EXPECT_EQ(Shown(4, skin::RadioFrameIndex(radio, 4)), "ad");
    EXPECT_EQ(Shown(8, skin::RadioFrameIndex(radio, 8)), "bd");
}

TEST(TogglePainter, CaptionBesideTheBoxAndNothingOutside) {
    const auto strip = BoxStrip(4);
    for (const bool left_text : {false, true}) {
        SCOPED_TRACE(left_text);
        const auto target = Filled(84, 24, 'h');
        skin::TogglePaint p;
        p.frame = 2, p.left_text = left_text, p.face = Colour('i'), p.text = L"Mm", p.text_colour = Colour('a');
        p.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        ASSERT_TRUE(skin::PaintToggle(target->dc(), {2, 2, 82, 22}, *strip, 4, p));
        Save(*target, left_text ? "toggle_left_text" : "toggle_caption");
        const PixelMap map = MapOf(*target);
        int ink_left = 1000, ink_right = -1;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 84; ++x) {
                const bool inside = x >= 2 && x < 82 && y >= 2 && y < 22;
                if (!inside) {
                    EXPECT_EQ(map[y][x], 'h') << x << "," << y;
                }
                const bool box = y >= 11 && y <= 12 && (left_text ? x >= 79 : x <= 4);
                if (inside && !box && map[y][x] != 'i') ink_left = std::min(ink_left, x), ink_right = std::max(ink_right, x);
            }
        // The caption starts 2 pixels after the box, or ends 2 pixels before it.
        if (left_text) {
            EXPECT_LE(ink_right, 76);
            EXPECT_GT(ink_right, 66);
        } else {
            EXPECT_GE(ink_left, 7);
            EXPECT_LT(ink_left, 12);
        }
    }
}

TEST(TogglePainter, BadStripsAndEmptyControlsPaintNothing) {
    const auto target = Filled(9, 6, 'h');
    skin::TogglePaint p;
    p.face = Colour('i');
    const auto strip = BoxStrip(4);
    const auto odd = BitmapOf(PixelMap{"aaabbbcccdddee", "aaabbbcccdddee"});  // no multiple of four
    const ui::Bitmap none;
    EXPECT_FALSE(skin::PaintToggle(target->dc(), {1, 1, 8, 5}, none, 4, p));
    EXPECT_FALSE(skin::PaintToggle(target->dc(), {1, 1, 8, 5}, *strip, 0, p));
    EXPECT_FALSE(skin::PaintToggle(target->dc(), {1, 1, 8, 5}, *strip, 100, p));
    p.frame = 6;
    EXPECT_FALSE(skin::PaintToggle(target->dc(), {1, 1, 8, 5}, *strip, 4, p));
    p.frame = 4;
    EXPECT_TRUE(skin::PaintToggle(target->dc(), {3, 3, 3, 3}, *strip, 4, p));
    EXPECT_TRUE(skin::PaintToggle(target->dc(), {5, 5, 2, 2}, *strip, 4, p));
    EXPECT_EQ(MapOf(*target), PixelMap(6, "hhhhhhhhh"));
    // The remainder of a strip that is no multiple of its frames is never shown.
    p.frame = 4;
    ASSERT_TRUE(skin::PaintToggle(target->dc(), {1, 1, 8, 5}, *odd, 4, p));
    EXPECT_EQ(MapOf(*target)[2], "hdddiiiih");

    const HANDLE process = GetCurrentProcess();
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    for (int i = 0; i < 200; ++i) {
        p.text = L"Caption\twith a tab and || bars";
        p.focus = true;
        skin::PaintToggle(target->dc(), {1, 1, 8, 5}, *strip, 4, p);
        skin::PaintToggle(target->dc(), {0, 0, 0, 0}, *strip, 4, p);
    }
    EXPECT_LE(GetGuiResources(process, GR_GDIOBJECTS), gdi + 2);
}

TEST(GroupBoxPainter, CaptionErasesTheFrameLine) {
    const auto target = Filled(40, 30, 'h');
    skin::GroupBoxPaint p;
    p.face = Colour('i'), p.shadow = Colour('b'), p.text_colour = Colour('a');
    p.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    p.caption = L"";
    skin::PaintGroupBox(target->dc(), {0, 0, 40, 30}, p);
    const PixelMap plain = MapOf(*target);
    SIZE zero{};
    {
        const HDC dc = target->dc();
        const HGDIOBJ old = SelectObject(dc, p.font);
        GetTextExtentPoint32W(dc, L"0", 1, &zero);
        SelectObject(dc, old);
    }
    const int top = zero.cy / 2 - 1;
    // The frame's line runs along the top between the rounded corners, on the face colour.
    ASSERT_GT(top, 0);
    EXPECT_EQ(plain[top].substr(4, 32), std::string(32, 'b'));
    EXPECT_EQ(plain[top - 1], std::string(40, 'i'));
    EXPECT_EQ(plain[29], std::string(40, 'i'));
    EXPECT_EQ(plain[28].substr(4, 32), std::string(32, 'b'));
    EXPECT_EQ(plain[top + 4].substr(0, 3), "ibi");
    EXPECT_EQ(plain[top + 4].substr(37, 3), "ibi");
    // Rounded: the corner pixel itself stays face-coloured.
    EXPECT_EQ(plain[top][1], 'i');

    p.caption = L"MM";
    skin::PaintGroupBox(target->dc(), {0, 0, 40, 30}, p);
    Save(*target, "group_box");
    const PixelMap captioned = MapOf(*target);
    // Under the caption (8 pixels in) the line is gone: face or text only; after it the line stays.
    const std::string line = captioned[top];
    EXPECT_EQ(line.substr(4, 4), "bbbb");
    EXPECT_EQ(line.substr(8, 8).find('b'), std::string::npos) << line;
    EXPECT_EQ(line.substr(30, 6), "bbbbbb");

    // Right aligned: the caption ends 8 pixels before the right edge.
    p.right_aligned = true;
    skin::PaintGroupBox(target->dc(), {0, 0, 40, 30}, p);
    const std::string right_line = MapOf(*target)[top];
    EXPECT_EQ(right_line.substr(4, 6), "bbbbbb");
    EXPECT_EQ(right_line.substr(24, 8).find('b'), std::string::npos) << right_line;
    EXPECT_EQ(right_line.substr(32, 4), "bbbb");
}

TEST(GroupBoxPainter, WithoutAControlTheSystemFrameIsErasedAndNothingElseFilled) {
    const auto target = Filled(20, 16, 'h');
    skin::GroupBoxPaint p;
    p.face = Colour('i'), p.shadow = Colour('b'), p.fill = false;
    p.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    skin::PaintGroupBox(target->dc(), {0, 0, 20, 16}, p);
    const PixelMap map = MapOf(*target);
    SIZE zero{};
    const HGDIOBJ old = SelectObject(target->dc(), p.font);
    GetTextExtentPoint32W(target->dc(), L"0", 1, &zero);
    SelectObject(target->dc(), old);
    const int top = zero.cy / 2 - 1;
    EXPECT_EQ(map[0], std::string(20, 'h'));  // above the frame: untouched
    EXPECT_EQ(map[15], std::string(20, 'i'));  // the outer ring
    EXPECT_EQ(map[top + 4][0], 'i');
    EXPECT_EQ(map[top + 4][1], 'b');
    EXPECT_EQ(map[top + 4][2], 'h');           // inside: the control's own
    EXPECT_EQ(map[14][10], 'b');               // the inner ring, drawn over by the frame's line
}

TEST(StatusBarPainter, FallbackBevelsPanelsAndGrip) {
    // Without "StatusBarEdges": 1-pixel bevels in the system's shadow and highlight colours.
    const auto target = Filled(30, 8, 'h');
    skin::StatusBarPaint p;
    p.face = Colour('i');
    p.panels = {{{0, 1, 10, 7}, Bevel::kLowered, false, L""}, {{12, 1, 20, 7}, Bevel::kRaised, false, L""},
                {{22, 1, 26, 7}, Bevel::kNone, false, L""}};
    skin::PaintStatusBar(target->dc(), 30, 8, p);
    const skin::Image32 image = skin::ImageFromBitmap(*target);
    const std::uint32_t s = skin::PixelFromColor(ui::clBtnShadow), l = skin::PixelFromColor(ui::clBtnHighlight),
                        f = skin_test::CellPixel('i');
    auto row = [&](int y, int from, int to) {
        std::vector<std::uint32_t> out;
        for (int x = from; x < to; ++x) out.push_back(image.at(x, y));
        return out;
    };
    using Px = std::vector<std::uint32_t>;
    // Lowered panel 0..12 (2 wider): shadow at top and left, highlight at bottom and right.
    EXPECT_EQ(row(1, 0, 12), Px(12, s));
    EXPECT_EQ(row(6, 1, 12), Px(11, l));
    EXPECT_EQ(image.at(0, 3), s);
    EXPECT_EQ(image.at(11, 3), l);
    EXPECT_EQ(image.at(5, 3), f);
    // Raised panel 12..22: the reverse.
    EXPECT_EQ(row(1, 12, 21), Px(9, l));
    EXPECT_EQ(image.at(21, 3), s);
    EXPECT_EQ(image.at(12, 6), l);
    EXPECT_EQ(row(6, 13, 22), Px(9, s));
    // The last panel (no bevel) reaches the right edge; the rows outside the panels are the face.
    EXPECT_EQ(row(3, 22, 30), Px(8, f));
    EXPECT_EQ(row(0, 0, 30), Px(30, f));
    EXPECT_EQ(row(7, 0, 30), Px(30, f));

    // With the edges picture: nine slices of the bevel's frame; the grip is frame 5 of the
    // extra images at the bottom-right, one pixel in, magenta transparent.
    const auto edges = BitmapOf(PixelMap{"abccdeffg", "abccdeffg"});  // three 3 x 2 frames
    const auto extra = BitmapOf(PixelMap{"aaaaaaaa#g", "aaaaaaaagg"});  // five 2 x 2 frames
    const auto bar = Filled(12, 5, 'h');
    skin::StatusBarPaint q;
    q.face = Colour('i'), q.edges = edges.get(), q.edge_margins = {1, 0, 1, 0};
    q.panels = {{{0, 0, 4, 5}, Bevel::kRaised, false, L""}, {{6, 0, 8, 5}, Bevel::kLowered, false, L""}};
    q.size_grip = true, q.grip = extra.get(), q.grip_frames = 5;
    skin::PaintStatusBar(bar->dc(), 12, 5, q);
    Save(*bar, "status_bar_edges");
    EXPECT_EQ(MapOf(*bar), (PixelMap{
                               "cddddeabbbbc",
                               "cddddeabbbbc",
                               "cddddeabbbgc",
                               "cddddeabbggc",
                               "cddddeabbbbc",
                           }));
}

TEST(StatusBarPainter, SimpleTextInOneLoweredBevel) {
    const auto target = Filled(60, 20, 'h');
    skin::StatusBarPaint p;
    p.face = Colour('i'), p.text_colour = Colour('a'), p.simple = true, p.simple_text = L"Ready";
    p.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    skin::PaintStatusBar(target->dc(), 60, 20, p);
    Save(*target, "status_bar_simple");
    const skin::Image32 image = skin::ImageFromBitmap(*target);
    EXPECT_EQ(image.at(0, 0), skin::PixelFromColor(ui::clBtnShadow));
    EXPECT_EQ(image.at(59, 19), skin::PixelFromColor(ui::clBtnHighlight));
    // Text ink: anything but the face inside the bevel (smoothed edges included).
    int ink = 0, first = 1000;
    for (int y = 1; y < 19; ++y)
        for (int x = 1; x < 59; ++x)
            if (image.at(x, y) != skin_test::CellPixel('i')) ++ink, first = std::min(first, x);
    EXPECT_GT(ink, 10);
    EXPECT_GE(first, 2);
    EXPECT_LT(first, 5);

    // Nothing for an empty bar; no object left behind by many paints.
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 200; ++i) {
        skin::PaintStatusBar(target->dc(), 60, 20, p);
        skin::PaintStatusBar(target->dc(), 0, 0, p);
    }
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 2);
}

// Every face in both of the programs' own skins, for review; the box pixels are the strip's.
TEST(OwnSkinFaces, PicturesOfEveryState) {
    for (const char* name : {"default", "contrast"}) {
        SCOPED_TRACE(name);
        std::string stored;
        ASSERT_TRUE(plat::read_whole_file(std::string(VQ_SKIN_STORED_DIR "/") + name + ".skn", stored));
        const auto skin = skin::LoadSkinDescription(reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size(),
                                                    skin::WinSkinSystem()).skin;
        ASSERT_TRUE(skin && skin->buttons && skin->status_bar_edges && skin->extra_images);
        const skin::TDataSkinButton& buttons = *skin->buttons;
        const auto check = BitmapOf(buttons.check_bitmap), radio = BitmapOf(buttons.radio_bitmap);
        const ui::TColor face = skin->colours[skin::kButtonFace], text = skin->colours[skin::kWindowText];
        const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        const auto sheet = Filled(560, 300, 'h');
        skin::FillColour(sheet->dc(), {0, 0, 560, 300}, face);

        struct State {
            const wchar_t* label;
            bool checked, mixed, disabled, focus;
        };
        const State states[] = {
            {L"normal", false, false, false, false},
            {L"disabled", false, false, true, false},
            {L"focused", false, false, false, true},
        };
        int y = 4;
        for (int value = 0; value < 3; ++value) {
            int x = 4;
            for (const State& st : states) {
                CheckFacts f;
                f.checked = value == 1, f.indeterminate = value == 2, f.disabled = st.disabled;
                skin::TogglePaint p;
                p.frame = skin::CheckFrameIndex(f, buttons.check_frame), p.face = face, p.font = font, p.focus = st.focus;
                p.text = std::wstring(value == 0 ? L"off " : value == 1 ? L"on " : L"grayed ") + st.label;
                p.text_colour = st.disabled ? ui::clBtnShadow : text;
                ASSERT_TRUE(skin::PaintToggle(sheet->dc(), {x, y, x + 104, y + 20}, *check, buttons.check_frame, p));
                x += 108;
            }
            y += 24;
        }
        for (int value = 0; value < 2; ++value) {
            int x = 4;
            for (const State& st : states) {
                RadioFacts f;
                f.checked = value == 1, f.disabled = st.disabled;
                skin::TogglePaint p;
                p.radio = true, p.frame = skin::RadioFrameIndex(f, buttons.radio_frame), p.face = face, p.font = font;
                p.text = std::wstring(value == 0 ? L"off " : L"on ") + st.label, p.focus = st.focus;
                p.text_colour = st.disabled ? ui::clBtnShadow : text;
                ASSERT_TRUE(skin::PaintToggle(sheet->dc(), {x, y, x + 104, y + 20}, *radio, buttons.radio_frame, p));
                x += 108;
            }
            y += 24;
        }
        skin::TogglePaint left;
        left.frame = 5, left.left_text = true, left.face = face, left.font = font, left.text = L"Left text", left.text_colour = text;
        skin::PaintToggle(sheet->dc(), {4, y, 140, y + 20}, *check, buttons.check_frame, left);
        left.radio = true;
        skin::PaintToggle(sheet->dc(), {150, y, 286, y + 20}, *radio, buttons.radio_frame, left);
        y += 28;

        skin::GroupBoxPaint g;
        g.caption = L"Group box", g.font = font, g.text_colour = text, g.face = face;
        g.shadow = skin->colours[skin::kButtonShadow];
        skin::PaintGroupBox(sheet->dc(), {4, y, 200, y + 60}, g);
        g.right_aligned = true;
        skin::PaintGroupBox(sheet->dc(), {210, y, 406, y + 60}, g);
        y += 68;

        const skin::TDataSkinObject& edges = *skin->status_bar_edges;
        const auto edge_bitmap = BitmapOf(edges.bitmap), extra = BitmapOf(skin->extra_images->bitmap);
        skin::StatusBarPaint bar;
        bar.edges = edge_bitmap.get(), bar.edge_margins = {edges.left_width, edges.top_height, edges.right_width, edges.bottom_height};
        bar.edge_tile = edges.tile != 0, bar.edge_trans = edges.trans != 0, bar.face = face, bar.text_colour = edges.normal_colour2;
        bar.font = font, bar.size_grip = true, bar.grip = extra.get(), bar.grip_frames = skin->extra_images->frame;
        bar.panels = {{{0, 2, 120, 22}, Bevel::kLowered, true, L"Lowered", 0},
                      {{122, 2, 240, 22}, Bevel::kRaised, true, L"Raised, centred", 2},
                      {{242, 2, 360, 22}, Bevel::kNone, true, L"None, right", 1},
                      {{362, 2, 500, 22}, Bevel::kLowered, true, L"", 0}};
        const auto status = Filled(540, 24, 'h');
        skin::PaintStatusBar(status->dc(), 540, 24, bar);
        BitBlt(sheet->dc(), 4, y, 540, 24, status->dc(), 0, 0, SRCCOPY);
        y += 30;
        bar.edges = nullptr, bar.simple = true, bar.simple_text = L"Simple text, 1-pixel bevels", bar.size_grip = false;
        skin::PaintStatusBar(status->dc(), 540, 24, bar);
        BitBlt(sheet->dc(), 4, y, 540, 24, status->dc(), 0, 0, SRCCOPY);
        Save(*sheet, std::string("own_skin_") + name);

        // The checked normal box shows frame 5 of the eight-frame strip where it is not magenta.
        ASSERT_EQ(buttons.check_frame, 8);
        const skin::Image32 drawn = skin::ImageFromBitmap(*sheet);
        const int w = buttons.check_bitmap.width() / 8, h = buttons.check_bitmap.height();
        const int top = 28 + (20 - h) / 2;
        for (int by = 0; by < h; ++by)
            for (int bx = 0; bx < w; ++bx) {
                const std::uint32_t want = buttons.check_bitmap.at(4 * w + bx, by);
                if (want != skin::kKeyPixel) {
                    EXPECT_EQ(drawn.at(4 + bx, top + by), want) << bx << "," << by;
                }
            }
    }
}

} // namespace
