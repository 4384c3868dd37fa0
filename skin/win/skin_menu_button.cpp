#include "skin/win/skin_menu_button.h"

#include "skin/button_faces.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_services.h"

namespace skin {

int TSkinMenuButton::FrameIndex() const {
    ButtonFaceState s;
    s.pressed = pressed();
    s.hot = hot();
    s.focused = focused_;
    s.disabled = !enabled_;
    return ButtonFrameIndex(ButtonFaceKind::kMenu, s);
}

void TSkinMenuButton::PaintContent(HDC dc, const ui::Rect& rect, int frame) {
    const ui::Component* c = control();
    const auto* glyph = dynamic_cast<const ui::Bitmap*>(GetObjectPropByName(c, "Glyph"));
    if (glyph && glyph->empty()) glyph = nullptr;
    const int gw = glyph ? glyph->width() : 0, gh = glyph ? glyph->height() : 0;
    const std::int64_t margin = GetOrdPropByName(c, "Margin"), spacing = GetOrdPropByName(c, "Spacing");

    // The text colour: the skin's colours of the menu button's own faces only.
    COLORREF colour = GetTextColor(dc);
    if (const SkinDescription* s = Skin(); s && s->buttons) {
        const TDataSkinButton& b = *s->buttons;
        colour = control() ? ui::to_colorref(control()->font().color()) : GetSysColor(COLOR_BTNTEXT);
        if (b.normal_colour2_given && frame == 1) colour = ui::to_colorref(b.normal_colour2);
        if (b.mouse_over_colour2_given && frame == 4) colour = ui::to_colorref(b.mouse_over_colour2);
        if (b.pressed_colour2_given && frame == 2) colour = ui::to_colorref(b.pressed_colour2);
    }
    if (!enabled_) colour = GetSysColor(COLOR_BTNSHADOW);
    SetTextColor(dc, colour);

    const std::wstring caption = PaintedCaption(Caption());
    SIZE text{0, 0};
    if (!caption.empty()) {
        const Rect bounds = MenuButtonTextBounds(rect.width(), rect.height(), gw);
        RECT r{bounds.left, bounds.top, bounds.right, bounds.bottom};
        DrawTextAuto(dc, caption, r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        text = {r.right - r.left, r.bottom - r.top};
    }
    const MenuButtonLayout at = LayOutMenuButton(rect.width(), rect.height(), gw, gh, text.cx, text.cy,
                                                 static_cast<int>(margin), static_cast<int>(spacing));
    if (glyph) {
        const COLORREF key = GetPixel(glyph->dc(), 0, gh - 1);
        TransparentBlit(dc, {at.glyph_x, at.glyph_y, at.glyph_x + gw, at.glyph_y + gh}, *glyph, static_cast<ui::TColor>(key));
    }
    if (text.cx > 0) {
        RECT r{at.text_x, at.text_y, at.text_x + text.cx, at.text_y + text.cy};
        DrawTextAuto(dc, caption, r, TextFlagsFor(*this, DT_WORDBREAK | DT_EXPANDTABS));
        if (focused_ && data() && !data()->Options().has(TSkinOption::xoNoFocusRect)) {
            RECT f = r;
            InflateRect(&f, 2, 2);
            DrawFocusRect(dc, &f);
        }
    }
    const COLORREF arrow = GetSysColor(enabled_ ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
    const ui::GdiObject<HBRUSH> brush(CreateSolidBrush(arrow));
    for (const Rect& row : MenuArrowRows(at)) {
        RECT r{row.left, row.top, row.right, row.bottom};
        FillRect(dc, &r, brush.get());
    }
}

} // namespace skin
