#include "skin/win/entry_painters.h"

#include "skin/win/skin_frames.h"

namespace skin {
namespace {

RECT R(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

Rect Inset(const Rect& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

void FrameBrush(HDC dc, const Rect& rect, HBRUSH brush) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    const RECT r = R(rect);
    FrameRect(dc, &r, brush);
}

void FillColour(HDC dc, const Rect& rect, ui::TColor colour) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    const ui::GdiObject<HBRUSH> brush(CreateSolidBrush(ui::to_colorref(colour)));
    const RECT r = R(rect);
    FillRect(dc, &r, brush.get());
}

// The device context's current brush (a window DC's is the stock white one).
HBRUSH CurrentBrush(HDC dc) {
    auto* brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    return brush ? brush : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

void DrawPlainHalf(HDC dc, const SpinHalf& half, const SpinPaint& p) {
    const ui::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ui::to_colorref(p.dark_shadow)));
    const ui::GdiObject<HBRUSH> ground(CreateSolidBrush(ui::to_colorref(PlainSpinShaded(half.state) ? p.shadow : p.face)));
    const ui::SavedDC saved(dc);
    SelectObject(dc, pen.get());
    SelectObject(dc, ground.get());
    Rectangle(dc, half.rect.left, half.rect.top, half.rect.right, half.rect.bottom);
    for (const Stroke& s : PlainSpinArrow(half.rect, half.arrow)) {
        MoveToEx(dc, s.x1, s.y1, nullptr);
        LineTo(dc, s.x2, s.y2);
        SetPixel(dc, s.x2, s.y2, ui::to_colorref(p.dark_shadow));  // the last pixel too
    }
}

} // namespace

void FrameColour(HDC dc, const Rect& rect, ui::TColor colour) {
    const ui::GdiObject<HBRUSH> brush(CreateSolidBrush(ui::to_colorref(colour)));
    FrameBrush(dc, rect, brush.get());
}

void PaintEditRings(HDC dc, const Rect& window, ui::TColor shadow) {
    FrameColour(dc, window, shadow);
    FrameColour(dc, Inset(window, 1), ui::clWhite);
    FrameColour(dc, Inset(window, 2), ui::clWhite);
}

void PaintPrintBorder(HDC dc, const Rect& window, ui::TColor shadow) {
    FrameBrush(dc, Inset(window, 1), CurrentBrush(dc));
    FrameColour(dc, window, shadow);
}

void PaintPickerBorder(HDC dc, const Rect& window, ui::TColor shadow) {
    FrameColour(dc, window, shadow);
    FrameColour(dc, Inset(window, 1), ui::clWhite);
}

Rect PaintCombo(HDC dc, const Rect& window, const ComboPaint& p) {
    if (!dc || !p.button.usable()) return {};
    const TDataSkinObject& button = *p.button.element;
    if (p.look == 1) {
        const int fw = p.button.picture->width() / button.frame, fh = p.button.picture->height();
        const FlatComboLayout l = LayOutFlatCombo(window, p.cy, fw, fh, p.left);
        HBRUSH ground = CurrentBrush(dc);
        FrameBrush(dc, l.ring, ground);
        const RECT column = R(l.column);
        FillRect(dc, &column, ground);
        FrameColour(dc, window, p.shadow);
        const ui::Bitmap* strip = p.left && p.button_mirrored ? p.button_mirrored : p.button.picture;
        DrawFrameStretched(dc, l.button, *strip, true, button.frame, p.index);
        return l.button;
    }
    if (p.extended) {
        FrameColour(dc, window, p.shadow);
        FrameColour(dc, Inset(window, 1), ui::clWhite);
        FillColour(dc, p.arrow_rect, p.face);
        if (p.arrow && !p.arrow->empty() && p.arrow_frames > 0)
            DrawFrameStretched(dc, p.arrow_rect, *p.arrow, true, p.arrow_frames, p.index);
        return p.arrow_rect;
    }
    if (p.look == 2) {
        const EntryPicture& whole = p.left && p.sunk.usable() ? p.sunk : p.button;
        const TDataSkinObject& e = *whole.element;
        DrawSkinFrame(dc, window, *whole.picture, {e.left_width, e.top_height, e.right_width, e.bottom_height}, p.index,
                      e.frame, true, false, false);
        return LayOutCombo(window, p.cx, p.left).button;
    }
    const ComboLayout l = LayOutCombo(window, p.cx, p.left);
    if (p.sunk.usable()) {
        const ui::SavedDC saved(dc);
        ExcludeClipRect(dc, l.edit_clip.left, l.edit_clip.top, l.edit_clip.right, l.edit_clip.bottom);
        const TDataSkinObject& e = *p.sunk.element;
        DrawSkinFrame(dc, window, *p.sunk.picture, {e.left_width, e.top_height, e.right_width, e.bottom_height}, p.index,
                      e.frame, e.trans == 1, e.tile != 0, false);
    }
    const ui::Bitmap* strip = p.left && p.button_mirrored ? p.button_mirrored : p.button.picture;
    DrawFrameStretched(dc, l.button, *strip, true, button.frame, p.index);
    if (p.extra.usable()) DrawFrameCentered(dc, l.glyph_area, *p.extra.picture, true, p.extra.element->frame, p.index);
    return l.button;
}

void PaintArrowButton(HDC dc, const Rect& client, const ui::Bitmap* arrow, int frames, bool hot, ui::TColor face) {
    if (!dc) return;
    FillColour(dc, client, face);
    if (arrow && !arrow->empty() && frames > 0) DrawFrameStretched(dc, client, *arrow, true, frames, hot ? 4 : 1);
}

std::array<SpinHalf, 2> PaintSpin(HDC dc, const Rect& area, const SpinFacts& facts, const SpinPaint& p) {
    const std::array<SpinHalf, 2> halves = LayOutSpin(area, facts);
    if (!dc) return halves;
    FillColour(dc, area, p.face);
    for (const SpinHalf& half : halves) {
        if (half.rect.width() <= 0 || half.rect.height() <= 0) continue;
        if (!p.strip.usable()) {
            DrawPlainHalf(dc, half, p);
            continue;
        }
        DrawFrameStretched(dc, half.rect, *p.strip.picture, true, p.strip.element->frame, half.frame);
        if (p.glyphs && !p.glyphs->empty())
            DrawFrameCentered(dc, half.rect, *p.glyphs, true, p.strip.element->frame, half.frame);
    }
    return halves;
}

} // namespace skin
