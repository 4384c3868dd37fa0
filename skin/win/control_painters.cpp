#include "skin/win/control_painters.h"

#include <algorithm>

#include "skin/win/skin_frames.h"
#include "skin/win/skin_services.h"

namespace skin {
namespace {

COLORREF Rgb(ui::TColor colour) { return static_cast<COLORREF>(ui::color_to_rgb(colour) & 0xFFFFFF); }

// Everything a painter changes in the device context comes back with this scope; the paint is
// clipped to `bounds`.
class PaintScope {
public:
    PaintScope(HDC dc, const Rect& bounds, HFONT font) : saved_(dc) {
        IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        if (font) SelectObject(dc, font);
    }

private:
    ui::SavedDC saved_;
};

SIZE TextSize(HDC dc, const std::wstring& text, UINT flags) {
    RECT r{0, 0, 0, 0};
    if (!text.empty()) DrawTextAuto(dc, text, r, flags | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

void Line(HDC dc, int x1, int y1, int x2, int y2, ui::TColor colour) {
    FillColour(dc, {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1}, colour);
}

} // namespace

ui::TColor SkinTextColour(ui::TColor font_colour, ui::TColor skin_text) {
    return font_colour == ui::clWindowText || font_colour == ui::clBtnText ? skin_text : font_colour;
}

void FillColour(HDC dc, const Rect& rect, ui::TColor colour) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    const ui::GdiObject<HBRUSH> brush(CreateSolidBrush(Rgb(colour)));
    const RECT r = ui::to_rect(rect);
    FillRect(dc, &r, brush.get());
}

void DrawCaptionText(HDC dc, const Rect& rect, const std::wstring& text, int alignment, ui::TColor colour,
                     UINT extra_flags) {
    if (text.empty() || rect.right <= rect.left) return;
    const UINT flags = DT_NOCLIP | DT_EXPANDTABS | DT_NOPREFIX | DT_SINGLELINE | extra_flags;
    const SIZE size = TextSize(dc, text, flags);
    const int y = rect.top + (rect.height() - size.cy) / 2 - 1;
    int x = rect.left;
    if (alignment == 1) x = rect.left + (rect.width() - size.cx) / 2;
    else if (alignment == 2) x = rect.right - size.cx;
    const ui::SavedDC saved(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Rgb(colour));
    RECT draw{x, y, x + size.cx, y + size.cy};
    DrawTextAuto(dc, text, draw, flags & ~static_cast<UINT>(DT_RIGHT | DT_CENTER));
}

bool PaintToggle(HDC dc, const Rect& bounds, const ui::Bitmap& strip, int frames, const TogglePaint& p) {
    const Size2 box = StripFrameSize(strip.width(), strip.height(), frames);
    if (box.width == 0 || !FrameRect(strip.width(), strip.height(), frames, p.frame, false)) return false;
    if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) return true;
    const PaintScope scope(dc, bounds, p.font);
    if (p.fill) FillColour(dc, bounds, p.face);
    const ToggleLayout layout = LayoutToggle(bounds, box.width, box.height, p.left_text, p.radio);
    DrawFrameStretched(dc, layout.box, strip, true, frames, p.frame);

    if (p.text.empty() || layout.text.right <= layout.text.left) return true;
    UINT flags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
    if (p.right_to_left) flags |= DT_RTLREADING;
    if (p.left_text) flags |= DT_RIGHT;
    RECT measure = ui::to_rect(layout.text);
    DrawTextAuto(dc, p.text, measure, flags | DT_CALCRECT);
    const int text_height = measure.bottom - measure.top;
    RECT text = ui::to_rect(layout.text);
    text.top += (layout.text.height() - text_height) / 2;
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, Rgb(p.face));
    SetTextColor(dc, Rgb(p.text_colour));
    if (p.focus) {
        const int width = std::min(static_cast<int>(measure.right - measure.left), layout.text.width());
        RECT focus{text.left, text.top, text.left + width, text.top + text_height};
        if (p.left_text) focus = {text.right - width, text.top, text.right, text.top + text_height};
        InflateRect(&focus, 2, 1);
        RECT clipped{};
        const RECT area = ui::to_rect(layout.text);
        if (IntersectRect(&clipped, &focus, &area)) DrawFocusRect(dc, &clipped);
    }
    DrawTextAuto(dc, p.text, text, flags);
    return true;
}

void PaintGroupBox(HDC dc, const Rect& bounds, const GroupBoxPaint& p) {
    if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) return;
    const PaintScope scope(dc, bounds, p.font);
    if (p.fill) FillColour(dc, bounds, p.face);
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    UINT flags = DT_EXPANDTABS | DT_SINGLELINE | DT_NOPREFIX;
    if (p.right_aligned) flags |= DT_RIGHT | (p.right_to_left ? DT_RTLREADING : 0);
    const SIZE caption = TextSize(dc, p.caption, flags);
    const GroupBoxLayout layout = LayoutGroupBox(bounds, zero.cy, caption.cx, caption.cy, p.right_aligned);

    if (!p.fill) {
        const ui::GdiObject<HBRUSH> face(CreateSolidBrush(Rgb(p.face)));
        RECT ring{bounds.left, layout.frame_top, bounds.right, bounds.bottom};
        FrameRect(dc, &ring, face.get());
        InflateRect(&ring, -1, -1);
        FrameRect(dc, &ring, face.get());
    }
    {
        const ui::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, Rgb(p.shadow)));
        const HGDIOBJ old_pen = SelectObject(dc, pen.get());
        const HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, layout.frame.left, layout.frame.top, layout.frame.right, layout.frame.bottom, 5, 5);
        SelectObject(dc, old_brush);
        SelectObject(dc, old_pen);
    }
    if (p.caption.empty()) return;
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, Rgb(p.face));
    SetTextColor(dc, Rgb(p.text_colour));
    RECT text = ui::to_rect(layout.caption);
    DrawTextAuto(dc, p.caption, text, flags);
}

void PaintStatusBevel(HDC dc, const Rect& rect, Bevel bevel, const StatusBarPaint& p) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    if (p.edges && !p.edges->empty()) {
        DrawSkinFrame(dc, rect, *p.edges, p.edge_margins, static_cast<int>(bevel), 3, p.edge_trans, p.edge_tile, false);
        return;
    }
    if (bevel == Bevel::kNone) return;
    const ui::TColor dark = ui::clBtnShadow, light = ui::clBtnHighlight;
    const ui::TColor top_left = bevel == Bevel::kLowered ? dark : light;
    const ui::TColor bottom_right = bevel == Bevel::kLowered ? light : dark;
    const int r = rect.right - 1, b = rect.bottom - 1;
    // The top and left lines own the corners they share with the others.
    Line(dc, rect.left, b, r, b, bottom_right);
    Line(dc, r, rect.top, r, b, bottom_right);
    Line(dc, rect.left, rect.top, r, rect.top, top_left);
    Line(dc, rect.left, rect.top, rect.left, b, top_left);
}

void PaintStatusBar(HDC dc, int width, int height, const StatusBarPaint& p) {
    if (width <= 0 || height <= 0) return;
    ui::Bitmap scratch(width, height);
    if (scratch.empty()) return;
    const HDC sdc = scratch.dc();
    {
        const PaintScope scope(sdc, {0, 0, width, height}, p.font);
        FillColour(sdc, {0, 0, width, height}, p.face);
        if (p.simple) {
            PaintStatusBevel(sdc, {0, 0, width, height}, Bevel::kLowered, p);
            const std::wstring text = p.simple_text.empty() ? L" " : p.simple_text;
            DrawCaptionText(sdc, StatusTextRect({0, 0, width, height}), text, p.right_to_left ? 2 : 0, p.text_colour,
                            p.right_to_left ? DT_RTLREADING : 0);
        } else {
            std::vector<Rect> given;
            for (const StatusPanelPaint& panel : p.panels) given.push_back(panel.rect);
            const std::vector<Rect> rects = StatusPanelRects(given, width);
            for (std::size_t i = 0; i < rects.size(); ++i) {
                const StatusPanelPaint& panel = p.panels[i];
                if (rects[i].right <= rects[i].left) continue;
                PaintStatusBevel(sdc, rects[i], panel.bevel, p);
                if (!panel.text_panel) continue;
                int alignment = panel.alignment == 1 ? 2 : panel.alignment == 2 ? 1 : 0;
                if (panel.right_to_left && alignment != 1) alignment = 2 - alignment;
                DrawCaptionText(sdc, StatusTextRect(rects[i]), panel.text.empty() ? L" " : panel.text, alignment,
                                p.text_colour, panel.right_to_left ? DT_RTLREADING : 0);
            }
        }
        if (p.size_grip && p.grip && p.grip_frames >= 5) {
            if (const auto frame = FrameRect(p.grip->width(), p.grip->height(), p.grip_frames, 5, false))
                DrawFrameStretched(sdc, SizeGripRect(width, height, frame->width(), frame->height()), *p.grip, true,
                                   p.grip_frames, 5);
        }
    }
    BitBlt(dc, 0, 0, width, height, sdc, 0, 0, SRCCOPY);
}

} // namespace skin
