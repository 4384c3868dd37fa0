#include "tools/skingen/skin_generator.h"

#include <functional>
#include <sstream>

#include "skin/pixel_transforms.h"
#include "skin/skin_system.h"
#include "tools/skingen/skin_drawing.h"

namespace skingen {
namespace {

using Glyph = std::vector<std::string>;
constexpr std::uint32_t kKey = skin::kKeyPixel;
constexpr int kStates = 5;  // normal, hot, pressed, disabled, default

const Glyph kCloseGlyph = {"##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.", "##....##"};
const Glyph kMaximiseGlyph = {"########", "########", "#......#", "#......#", "#......#", "#......#", "########"};
const Glyph kRestoreGlyph = {"..######", "..######", "..#....#", "######.#", "######.#", "#....###", "#....#..", "######.."};
const Glyph kMinimiseGlyph = {"######", "######"};
const Glyph kHelpGlyph = {".####.", "##..##", "....##", "...##.", "..##..", "......", "..##.."};
const Glyph kIconGlyph = {"..####..", ".#....#.", "#.####.#", "#.#..#.#", "#.####.#", ".#....#.", "..####.."};
const Glyph kArrowDown = {"#######", ".#####.", "..###..", "...#..."};
const Glyph kArrowUp = {"...#...", "..###..", ".#####.", "#######"};
const Glyph kArrowLeft = {"...#", "..##", ".###", "####", ".###", "..##", "...#"};
const Glyph kArrowRight = {"#...", "##..", "###.", "####", "###.", "##..", "#..."};
const Glyph kCheckGlyph = {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."};
const Glyph kRadioDot = {".##.", "####", "####", ".##."};
const Glyph kSizeGrip = {"......#", ".....##", "....#.#", "...#..#", "..#...#", ".#....#", "#######"};

struct Face {
    std::uint32_t fill, light, dark, ink;
};

// The colours of one state of a control.
Face StateFace(const SkinLook& look, int state) {
    switch (state % kStates) {
    case 1: return {Blend(look.face, look.highlight, 80), look.light, look.dark, look.text};
    case 2: return {Blend(look.face, look.shadow, 70), look.dark, look.light, look.text};
    case 3: return {look.face, look.face, look.shadow, look.shadow};
    case 4: return {look.face, look.light, look.highlight, look.text};
    default: return {look.face, look.light, look.dark, look.text};
    }
}

// `frames` bevelled cells side by side, state f in cell f; `glyph` drawn in each when given.
Image32 Cells(const SkinLook& look, int width, int height, int frames, const Glyph* glyph = nullptr) {
    Image32 image(width * frames, height, look.face);
    for (int f = 0; f < frames; ++f) {
        const Face c = StateFace(look, f);
        const Rect cell{f * width, 0, (f + 1) * width, height};
        FillRect(image, cell, c.fill);
        Bevel(image, cell, c.light, c.dark);
        if (glyph) DrawGlyph(image, cell, *glyph, c.ink);
    }
    return image;
}

Image32 Stack(const std::vector<Image32>& frames) {
    const int width = frames.front().width(), height = frames.front().height();
    Image32 image(width, height * static_cast<int>(frames.size()));
    for (std::size_t i = 0; i < frames.size(); ++i)
        for (int y = 0; y < height; ++y) std::copy(frames[i].row(y), frames[i].row(y) + width, image.row(static_cast<int>(i) * height + y));
    return image;
}

// The frame is painted as four pieces: the side borders run the window's whole height, the top
// and bottom borders lie between them. So the window's corners, rounded by magenta pixels that
// shape its region, belong to the side pieces, which carry the caption's top rows and the bottom
// border's rows at their fixed ends; the top and bottom pieces are plain bands.

// The caption's rows across `r`: the outer line on top, a light line under it, the gradient.
void CaptionRows(Image32& image, const Rect& r, const SkinLook& look, bool active) {
    VerticalGradient(image, r, active ? look.caption_from : look.caption_inactive_from,
                     active ? look.caption_to : look.caption_inactive_to);
    FillRect(image, {r.left, r.top, r.right, r.top + 1}, look.frame_outer);
    FillRect(image, {r.left, r.top + 1, r.right, r.top + 2},
             Blend(look.light, active ? look.caption_from : look.caption_inactive_from, 40));
}

// Magenta over the three-pixel rounding of one corner; `x_step` and `y_step` point inwards.
void CutCorner(Image32& image, int x, int y, int x_step, int y_step) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3 - i; ++j) image.set(x + x_step * j, y + y_step * i, kKey);
}

Image32 TopBorder(const SkinLook& look, bool active) {
    Image32 image(48, look.caption_height);
    CaptionRows(image, {0, 0, 48, look.caption_height}, look, active);
    return image;
}

Image32 BottomBorder(const SkinLook& look, bool active) {
    const int h = look.border_width;
    Image32 image(48, h, active ? look.caption_to : look.caption_inactive_to);
    FillRect(image, {0, 0, 48, 1}, look.shadow);
    FillRect(image, {0, h - 1, 48, h}, look.frame_outer);
    return image;
}

// One side piece per frame, side by side: the caption's rows on top (caption height), the
// border down the middle, the bottom border's rows at the foot (border width).
Image32 SideBorders(const SkinLook& look, bool left) {
    const int w = look.border_width, top = look.caption_height, h = top + 16 + w;
    Image32 image(2 * w, h);
    for (int f = 0; f < 2; ++f) {
        const bool active = f == 0;
        const int x0 = f * w, x1 = x0 + w;
        const int outer = left ? x0 : x1 - 1, inner = left ? x1 - 1 : x0, step = left ? 1 : -1;
        CaptionRows(image, {x0, 0, x1, top}, look, active);
        FillRect(image, {x0, top, x1, h}, active ? look.caption_to : look.caption_inactive_to);
        // The client's sunken outline: down the inner edge to the bottom border's top row.
        FillRect(image, {inner, top, inner + 1, h - w + 1}, look.shadow);
        FillRect(image, {x0, h - 1, x1, h}, look.frame_outer);
        // The caption's edge: the outer line down the side, a light line inside it on the left
        // and a second dark line on the right, as a raised bevel has.
        FillRect(image, {outer, 0, outer + 1, h}, look.frame_outer);
        const std::uint32_t edge = left ? Blend(look.light, active ? look.caption_from : look.caption_inactive_from, 40)
                                        : look.frame_outer;
        FillRect(image, {outer + step, 1, outer + step + 1, top}, edge);
        CutCorner(image, outer, 0, step, 1);
        CutCorner(image, outer, h - 1, step, -1);
    }
    return image;
}

// The plate behind the title text, as tall as the caption: a rounded band level with the
// caption buttons, keyed out above and below so the caption shows through. Its 4-pixel ends are
// the text back's fixed caps; the middle is repeated under the text.
Image32 TextBack(const SkinLook& look, bool active) {
    const int h = look.caption_height, top = look.button_top, bottom = look.button_top + look.button_size;
    Image32 image(24, h, kKey);
    const std::uint32_t plate = active ? look.title_plate : look.title_plate_inactive;
    FillRect(image, {0, top, 24, bottom}, plate);
    Bevel(image, {0, top, 24, bottom}, Blend(plate, look.light, 70), Blend(plate, look.dark, 70));
    for (int x : {0, 23})
        for (int y : {top, bottom - 1}) image.set(x, y, kKey);
    return image;
}

// A caption button's four frames in the order the engine picks them: normal, pressed (sunken),
// hot (lighter), and disabled, which an inactive window's buttons also show (muted towards the
// inactive caption, the glyph faint).
Image32 CaptionButton(const SkinLook& look, const Glyph& glyph, bool close) {
    const int s = look.button_size;
    Image32 image(4 * s, s, kKey);
    const std::uint32_t base = close ? Blend(0xC83C32, look.caption_from, 75) : Blend(look.caption_from, look.light, 70);
    const std::uint32_t ink = close ? 0xFFFFFF : look.caption_text == 0xFFFFFF ? 0xFFFFFF : look.text;
    const std::uint32_t muted = Blend(base, look.caption_inactive_from, 35);
    for (int f = 0; f < 4; ++f) {
        const Rect cell{f * s, 0, (f + 1) * s, s};
        const bool pressed = f == 1, disabled = f == 3;
        const std::uint32_t fill = f == 0 ? base : pressed ? Blend(base, look.dark, 60) : f == 2 ? Blend(base, look.light, 70) : muted;
        FillRect(image, {cell.left + 1, 1, cell.right - 1, s - 1}, fill);
        if (disabled)
            Bevel(image, {cell.left, 0, cell.right, s}, Blend(muted, look.light, 60), Blend(muted, look.dark, 60));
        else
            Bevel(image, {cell.left, 0, cell.right, s}, pressed ? look.dark : look.light, pressed ? look.light : look.dark);
        DrawGlyph(image, cell, glyph, disabled ? Blend(ink, muted, 45) : ink);
        // Round corners of each button, keyed out.
        for (int x : {cell.left, cell.right - 1})
            for (int y : {0, s - 1}) image.set(x, y, kKey);
    }
    return image;
}

// Four states of each of the child window's minimise, restore and close buttons: 12 columns.
Image32 MdiControls(const SkinLook& look) {
    const int s = 14;
    Image32 image(12 * s, s, look.face);
    const Glyph* glyphs[3] = {&kMinimiseGlyph, &kRestoreGlyph, &kCloseGlyph};
    for (int b = 0; b < 3; ++b)
        for (int f = 0; f < 4; ++f) {
            const Face c = StateFace(look, f);
            const Rect cell{(4 * b + f) * s, 0, (4 * b + f + 1) * s, s};
            FillRect(image, cell, c.fill);
            Bevel(image, cell, c.light, c.dark);
            DrawGlyph(image, cell, *glyphs[b], c.ink);
        }
    return image;
}

// Check boxes and radio buttons: unchecked, checked, each normal, hot, pressed, disabled.
Image32 ToggleStrip(const SkinLook& look, bool radio) {
    const int s = 13;
    Image32 image(8 * s, s, kKey);
    for (int f = 0; f < 8; ++f) {
        const Face c = StateFace(look, f % 4);
        const Rect cell{f * s, 0, (f + 1) * s, s};
        const std::uint32_t well = f % 4 == 3 ? look.face : Blend(look.light, c.fill, 70);
        if (radio) {
            for (int y = 0; y < s; ++y)
                for (int x = 0; x < s; ++x) {
                    const int dx = 2 * x - (s - 1), dy = 2 * y - (s - 1), d = dx * dx + dy * dy;
                    if (d <= (s - 1) * (s - 1)) image.set(cell.left + x, y, d >= (s - 3) * (s - 3) ? look.shadow : well);
                }
        } else {
            FillRect(image, cell, well);
            Bevel(image, cell, look.shadow, look.shadow);
        }
        if (f >= 4) DrawGlyph(image, cell, radio ? kRadioDot : kCheckGlyph, c.ink);
    }
    return image;
}

// The scroll bar's 23 cells as the engine reads them: the left, right, up and down arrows, four
// cells each (normal, pressed, disabled, hot); then the thumb's grip across (normal, pressed,
// hot) and upright (the same), and a spare face cell. The grips are ridges on magenta, laid over
// the thumb.
const Glyph kGripAcross = {"#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#"};
const Glyph kGripUpright = {"######", "......", "######", "......", "######"};

Image32 ScrollbarCells(const SkinLook& look) {
    const int s = 17;
    const Glyph* arrows[4] = {&kArrowLeft, &kArrowRight, &kArrowUp, &kArrowDown};
    const int arrow_states[4] = {0, 2, 3, 1};  // StateFace: normal, pressed, disabled, hot
    const int grip_states[3] = {0, 2, 1};
    Image32 image(23 * s, s, look.face);
    for (int i = 0; i < 23; ++i) {
        const Rect cell{i * s, 0, (i + 1) * s, s};
        if (i < 16) {
            const Face c = StateFace(look, arrow_states[i % 4]);
            FillRect(image, cell, c.fill);
            Bevel(image, cell, c.light, c.dark);
            DrawGlyph(image, cell, *arrows[i / 4], c.ink);
        } else if (i < 22) {
            const Face c = StateFace(look, grip_states[(i - 16) % 3]);
            FillRect(image, cell, kKey);
            DrawGlyph(image, cell, i < 19 ? kGripAcross : kGripUpright, c.dark);
        }
    }
    return image;
}

// A thumb's three frames: normal, pressed, hot.
Image32 ThumbCells(const SkinLook& look, int width, int height) {
    Image32 image(width * 3, height, look.face);
    const int states[3] = {0, 2, 1};
    for (int f = 0; f < 3; ++f) {
        const Face c = StateFace(look, states[f]);
        const Rect cell{f * width, 0, (f + 1) * width, height};
        FillRect(image, cell, c.fill);
        Bevel(image, cell, c.light, c.dark);
    }
    return image;
}

Image32 TrackStrip(const SkinLook& look, bool vertical) {
    const int along = 16, across = 17;
    Image32 image(4 * along, across);
    for (int f = 0; f < 4; ++f) {
        const Rect cell{f * along, 0, (f + 1) * along, across};
        FillRect(image, cell, Blend(look.face, look.shadow, f == 2 ? 40 : 70));
        FillRect(image, {cell.left, 0, cell.right, 1}, look.shadow);
        FillRect(image, {cell.left, across - 1, cell.right, across}, look.shadow);
    }
    if (vertical) {
        // Frames stay side by side, so each cell is turned on its own.
        Image32 turned(4 * across, along);
        for (int f = 0; f < 4; ++f) {
            Image32 cell = skin::CopyArea(image, {f * along, 0, (f + 1) * along, across});
            skin::RotateBitmapRight(cell);
            for (int y = 0; y < along; ++y) std::copy(cell.row(y), cell.row(y) + across, turned.row(y) + f * across);
        }
        return turned;
    }
    return image;
}

Image32 TrackbarThumb(const SkinLook& look, int width, int height, const Glyph* pointer) {
    Image32 image = Cells(look, width, height, 5);
    if (pointer)
        for (int f = 0; f < 5; ++f) DrawGlyph(image, {f * width, 0, (f + 1) * width, height}, *pointer, look.shadow);
    return image;
}

Image32 ComboButtonStrip(const SkinLook& look) { return Cells(look, 17, 20, 4, &kArrowDown); }

Image32 ExtraImages(const SkinLook& look) {
    Image32 image(5 * 16, 16, kKey);
    for (int f = 0; f < 4; ++f) DrawGlyph(image, {f * 16, 0, (f + 1) * 16, 16}, kArrowDown, StateFace(look, f).ink);
    DrawGlyph(image, {64, 0, 80, 16}, kSizeGrip, look.shadow);
    return image;
}

Image32 UpDownGlyphs(const SkinLook& look, bool vertical) {
    Image32 image(8 * 8, 8, kKey);
    for (int f = 0; f < 8; ++f)
        DrawGlyph(image, {f * 8, 0, (f + 1) * 8, 8}, vertical ? (f < 4 ? kArrowUp : kArrowDown) : (f < 4 ? kArrowLeft : kArrowRight),
                  StateFace(look, f % 4).ink);
    return image;
}

std::string Rgb(std::uint32_t c) {
    return std::to_string((c >> 16) & 0xFF) + "," + std::to_string((c >> 8) & 0xFF) + "," + std::to_string(c & 0xFF);
}

std::string Element(const char* section, const char* image, int margin, int frame = 0, int trans = 0, int tile = 0) {
    std::ostringstream out;
    out << "[" << section << "]\nImage=" << image << "\nLeftWidth=" << margin << "\nRightWidth=" << margin << "\nTopHeight=" << margin
        << "\nBottomHeight=" << margin << "\nTrans=" << trans << "\nTile=" << tile << "\n";
    if (frame) out << "Frame=" << frame << "\n";
    return out.str();
}

std::string Description(const SkinLook& look) {
    const int s = look.button_size, b = look.border_width, step = s + look.button_gap;
    std::ostringstream ini;
    ini << "; Drawn by skingen from code.\n[TitlebarSkin]\nSkinName=" << look.name << "\n";
    ini << "[Personality]\nTop=top.bmp\nTopFrame=2\nTopTopHeight=12\nTopBotHeight=12\nTopStretch=1\nTopTrans=0\n"
        << "Left=left.bmp\nLeftFrame=2\nLeftTopHeight=" << look.caption_height << "\nLeftBotHeight=" << b
        << "\nLeftStretch=1\nLeftTrans=1\n"
        << "Right=right.bmp\nRightFrame=2\nRightTopHeight=" << look.caption_height << "\nRightBotHeight=" << b
        << "\nRightStretch=1\nRightTrans=1\n"
        << "Bottom=bottom.bmp\nBottomFrame=2\nBottomTopHeight=8\nBottomBotHeight=8\nBottomStretch=1\nBottomTrans=0\n"
        << "TextBack=textback.bmp\nTextShift=" << (b + s + 6) << "\nTextShiftVert=0\nTextRightClip=" << (b + 4 * step + 4)
        << "\nTextAlignment=0\nTextbackground=0\nTXTBackleft=4\nTXTBackRight=4\n"
        << "ActiveTextR=" << ((look.caption_text >> 16) & 0xFF) << "\nActiveTextG=" << ((look.caption_text >> 8) & 0xFF)
        << "\nActiveTextB=" << (look.caption_text & 0xFF) << "\nInActiveTextR=" << ((look.caption_inactive_text >> 16) & 0xFF)
        << "\nInActiveTextG=" << ((look.caption_inactive_text >> 8) & 0xFF) << "\nInActiveTextB=" << (look.caption_inactive_text & 0xFF)
        << "\nmenuBar=menubar.bmp\nTileMenu=1\nTileLeftMenu=2\nTileRightMenu=2\n";
    ini << "[Fonts]\nFontHeight=" << look.font_height << "\n";
    ini << "[Colours]\nWindowText=" << Rgb(look.text) << "\nTitleTextActive=" << Rgb(look.caption_text)
        << "\nTitleTextNoActive=" << Rgb(look.caption_inactive_text) << "\nButtonFace=" << Rgb(look.face) << "\nButtonText=" << Rgb(look.text)
        << "\nButtonHilight=" << Rgb(look.light) << "\nButtonlight=" << Rgb(Blend(look.light, look.face, 50))
        << "\nButtonShadow=" << Rgb(look.shadow) << "\nButtonDkShadow=" << Rgb(look.dark) << "\nHilightText=" << Rgb(look.highlight_text)
        << "\nHilight=" << Rgb(look.highlight) << "\nMenubar=" << Rgb(look.face) << "\nMenuBarText=" << Rgb(look.text)
        << "\nMenuText=" << Rgb(look.text) << "\nMenu=" << Rgb(Blend(look.light, look.face, 40)) << "\nScrollbar="
        << Rgb(Blend(look.face, look.shadow, 60)) << "\n";
    // Close at the right, then maximise or restore (help in its place on a dialog), then
    // minimise; the window icon at the left.
    struct Button {
        int action, visibility, visibility1, slot;
        const char* image;
    };
    const Button buttons[] = {{0, 0, 0, 1, "close.bmp"},    {1, 2, 6, 2, "maximize.bmp"}, {1, 1, 6, 2, "restore.bmp"},
                              {4, 10, 10, 2, "help.bmp"},   {2, 8, 8, 3, "minimize.bmp"}, {3, 0, 0, 0, "icon.bmp"}};
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        const Button& button = buttons[i];
        ini << "[Button" << (i + 1) << "]\nAction=" << button.action << "\nAlign=" << (button.slot ? 1 : 0)
            << "\nXcoord=" << (button.slot ? b + button.slot * step : b + 3) << "\nYcoord=" << look.button_top << "\nVisibility="
            << button.visibility << "\nVisibility1=" << button.visibility1 << "\nframe=4\nButtonImage=" << button.image << "\n";
    }
    ini << "[MDICONTROLS]\nImage=mdicontrols.bmp\n";
    ini << "[Buttons]\nBitmap=button.bmp\nCheckButton=check.bmp\nRadioButton=radio.bmp\nCheckButtonFrame=8\nRadioButtonFrame=8\n"
        << "LeftWidth=3\nRightWidth=3\nTopHeight=3\nBottomHeight=3\nTrans=0\nTile=0\nNormalColour2=" << Rgb(look.text)
        << "\nMouseOverColour2=" << Rgb(look.text) << "\nPressedColour2=" << Rgb(look.text) << "\n";
    ini << "[Progress]\nBitmap=progress.bmp\nStyle=0\nLeftWidth=2\nRightWidth=2\nTopHeight=2\nBottomHeight=2\nTrans=0\nTile=0\n";
    ini << Element("Progress.Chunk", "chunk.bmp", 1, 1, 0, 1) << Element("GroupBoxEdge", "groupedge.bmp", 3)
        << Element("Tabs", "tabs.bmp", 3) << "Border=tabborder.bmp\n" << Element("StatusBarEdges", "statusbar.bmp", 2)
        << Element("Tab.Pane", "tabpane.bmp", 3) << Element("ComboButton", "combobutton.bmp", 2)
        << Element("SunkEdge", "sunkedge.bmp", 2) << Element("ExtraImages", "extra.bmp", 0, 0, 1)
        << Element("Headerbar", "headerbar.bmp", 3, 5) << Element("MenuItem", "menuitem.bmp", 3)
        << Element("MenuBackground", "menubackground.bmp", 2) << Element("Scrollbar", "scrollbar.bmp", 0)
        << Element("HorzScroll", "horzscroll.bmp", 1) << Element("VertScroll", "vertscroll.bmp", 1)
        << Element("HorzScrollThumb", "horzthumb.bmp", 3) << "FrameCount=3\n" << Element("VertScrollThumb", "vertthumb.bmp", 3)
        << "FrameCount=3\n" << Element("Trackbar.ThumbHorz", "thumbhorz.bmp", 0) << Element("Trackbar.ThumbVert", "thumbvert.bmp", 0)
        << Element("Trackbar.ThumbLeft", "thumbleft.bmp", 0) << Element("Trackbar.ThumbRight", "thumbright.bmp", 0)
        << Element("Trackbar.ThumbUp", "thumbup.bmp", 0) << Element("Trackbar.ThumbDown", "thumbdown.bmp", 0)
        << Element("UpDown.Horz", "updownhorz.bmp", 2) << "GlyphImage=updownhorzglyph.bmp\n" << Element("UpDown.Vert", "updownvert.bmp", 2)
        << "GlyphImage=updownvertglyph.bmp\n" << Element("Track", "track.bmp", 3, 1) << Element("TRACKVERT", "trackvert.bmp", 3, 1);
    return ini.str();
}

// A menu item's five frames, 20 x 18 each: 1 an item flat on the menu's face; 2 the separator,
// a thin etched line across the middle of the lowest 8 rows (a separator item is 8 high and
// takes the picture's lowest rows) with magenta around it, so that the menu shows through;
// 4 the selected item in the highlight colour with a darker edge; 3 and 5, which the engine
// does not use, as 1.
Image32 MenuItemStrip(const SkinLook& look) {
    constexpr int w = 20, h = 18, separator_rows = 8, margin = 3;
    Image32 strip(w * 5, h, look.face);
    FillRect(strip, {w, 0, 2 * w, h}, kKey);
    const int line = h - separator_rows / 2 - 1;
    FillRect(strip, {w + margin, line, 2 * w - margin, line + 1}, look.shadow);
    FillRect(strip, {w + margin, line + 1, 2 * w - margin, line + 2}, look.light);
    const Rect selected{3 * w, 0, 4 * w, h};
    FillRect(strip, selected, look.highlight);
    const std::uint32_t edge = Blend(look.highlight, look.dark, 70);
    Bevel(strip, selected, edge, edge);
    return strip;
}

} // namespace

std::vector<skin_test::SkinFile> GenerateSkin(const SkinLook& look) {
    const Glyph kPointerDown = {"#####", ".###.", "..#.."};
    std::vector<std::pair<std::string, Image32>> pictures = {
        {"top.bmp", Stack({TopBorder(look, true), TopBorder(look, false)})},
        {"left.bmp", SideBorders(look, true)},
        {"right.bmp", SideBorders(look, false)},
        {"bottom.bmp", Stack({BottomBorder(look, true), BottomBorder(look, false)})},
        {"textback.bmp", Stack({TextBack(look, true), TextBack(look, false)})},
        {"menubar.bmp", Stack({Image32(16, 20, look.face), Image32(16, 20, Blend(look.face, look.shadow, 85))})},
        {"close.bmp", CaptionButton(look, kCloseGlyph, true)},
        {"maximize.bmp", CaptionButton(look, kMaximiseGlyph, false)},
        {"restore.bmp", CaptionButton(look, kRestoreGlyph, false)},
        {"help.bmp", CaptionButton(look, kHelpGlyph, false)},
        {"minimize.bmp", CaptionButton(look, kMinimiseGlyph, false)},
        {"icon.bmp", CaptionButton(look, kIconGlyph, false)},
        {"mdicontrols.bmp", MdiControls(look)},
        {"button.bmp", Cells(look, 20, 20, 5)},
        {"check.bmp", ToggleStrip(look, false)},
        {"radio.bmp", ToggleStrip(look, true)},
        {"progress.bmp", Cells(look, 20, 14, 2)},
        {"chunk.bmp", [&] { Image32 c(8, 12, look.highlight); Bevel(c, {0, 0, 8, 12}, Blend(look.highlight, look.light, 60), look.highlight); return c; }()},
        {"groupedge.bmp", Cells(look, 12, 12, 2)},
        {"tabs.bmp", Cells(look, 24, 20, 5)},
        {"tabborder.bmp", Cells(look, 12, 12, 1)},
        {"statusbar.bmp", Cells(look, 10, 10, 3)},
        {"tabpane.bmp", Cells(look, 12, 12, 1)},
        {"combobutton.bmp", ComboButtonStrip(look)},
        {"sunkedge.bmp", [&] { Image32 e = Cells(look, 10, 10, 4); for (int f = 0; f < 4; ++f) Bevel(e, {f * 10, 0, f * 10 + 10, 10}, look.shadow, look.light); return e; }()},
        {"extra.bmp", ExtraImages(look)},
        {"headerbar.bmp", Cells(look, 20, 18, 5)},
        {"menuitem.bmp", MenuItemStrip(look)},
        {"menubackground.bmp", Cells(look, 20, 20, 1)},
        {"scrollbar.bmp", ScrollbarCells(look)},
        {"horzscroll.bmp", TrackStrip(look, false)},
        {"vertscroll.bmp", TrackStrip(look, true)},
        {"horzthumb.bmp", ThumbCells(look, 20, 17)},
        {"vertthumb.bmp", ThumbCells(look, 17, 20)},
        {"thumbhorz.bmp", TrackbarThumb(look, 11, 20, nullptr)},
        {"thumbvert.bmp", TrackbarThumb(look, 20, 11, nullptr)},
        {"thumbleft.bmp", TrackbarThumb(look, 20, 11, &kArrowLeft)},
        {"thumbright.bmp", TrackbarThumb(look, 20, 11, &kArrowRight)},
        {"thumbup.bmp", TrackbarThumb(look, 11, 20, &kArrowUp)},
        {"thumbdown.bmp", TrackbarThumb(look, 11, 20, &kPointerDown)},
        {"updownhorz.bmp", Cells(look, 16, 16, 8)},
        {"updownhorzglyph.bmp", UpDownGlyphs(look, false)},
        {"updownvert.bmp", Cells(look, 16, 16, 8)},
        {"updownvertglyph.bmp", UpDownGlyphs(look, true)},
        {"track.bmp", skin::DrawTrackPicture(false)},
        {"trackvert.bmp", skin::DrawTrackPicture(true)},
    };
    std::vector<skin_test::SkinFile> files;
    const std::string ini = Description(look);
    files.push_back({"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    for (auto& [name, image] : pictures)
        files.push_back({name, skin_test::MakeBmp(image.width(), image.height(), [&](int x, int y) { return image.at(x, y); })});
    return files;
}

skin::PackResult GenerateAndPack(const SkinLook& look, const std::string& folder) {
    skin_test::WriteSkinFolder(folder, GenerateSkin(look));
    return skin::PackSkinFolder(folder);
}

} // namespace skingen
