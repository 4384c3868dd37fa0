#include "skin/win/skin_updown.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/ui/messages.h"
#include "skin/win/entry_painters.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_data.h"

namespace skin {

void TSkinUpDown::AttachEmbedded(HWND window, TSkinData* data, TWinSkinForm* form, bool embedded) {
    embedded_ = embedded;
    AttachWindow(window, data, form);
}

bool TSkinUpDown::horizontal() const {
    return horizontal_ || (window() && (GetWindowLongPtrW(window(), GWL_STYLE) & UDS_HORZ));
}

bool TSkinUpDown::BeforeMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_PAINT: HandlePaint(*this, m); return false;
    case WM_ERASEBKGND:
        if (!control()) {
            RECT r{};
            GetClientRect(window(), &r);
            FillColorRect(reinterpret_cast<HDC>(m.wparam), {r.left, r.top, r.right, r.bottom}, ui::clWhite);
        }
        m.result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallPrevious(m);
        SetState(kPressed, true);
        PaintNow();
        return false;
    case WM_LBUTTONUP:
        SetState(kPressed, false);
        CallPrevious(m);
        PaintNow();
        return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinUpDown::AfterMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_MOUSEMOVE: {
        // The hot half follows the cursor.
        const int half = HalfUnderCursor();
        if (TrackHover() || half != last_half_) PaintNow();
        last_half_ = half;
        break;
    }
    case WM_MOUSELEAVE:
    case ui::CM_MOUSELEAVE:
        if (LeaveHover()) PaintNow();
        last_half_ = -1;
        break;
    case WM_PAINT: break;  // painted by the skin alone
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinUpDown::PaintNow() {
    if (!window() || !IsWindowVisible(window())) return;
    HDC dc = GetDC(window());
    if (!dc) return;
    RECT r{};
    GetWindowRect(window(), &r);
    try {
        PaintSkin(dc, {0, 0, r.right - r.left, r.bottom - r.top});
    } catch (...) {
    }
    ReleaseDC(window(), dc);
}

int TSkinUpDown::HalfUnderCursor() const {
    POINT p{};
    if (!GetCursorPos(&p) || !ScreenToClient(window(), &p)) return -1;
    for (int i = 0; i < 2; ++i) {
        const Rect& h = halves_[static_cast<std::size_t>(i)].rect;
        if (p.x >= h.left && p.x < h.right && p.y >= h.top && p.y < h.bottom) return i;
    }
    return -1;
}

void TSkinUpDown::PaintSkin(HDC dc, const ui::Rect& rect) {
    if (!dc) return;
    enabled_ = (GetWindowLongPtrW(window(), GWL_STYLE) & WS_DISABLED) == 0;
    Rect area = rect;
    HWND parent = GetParent(window());
    if (embedded_ && parent) {
        RECT client{};
        GetClientRect(window(), &client);
        FillColorRect(dc, {0, 0, client.right, client.bottom}, ui::clWhite);
        RECT mine{}, edit{};
        GetWindowRect(window(), &mine);
        GetWindowRect(parent, &edit);
        area = EmbeddedSpinRect({mine.left - edit.left, mine.top - edit.top, mine.right - edit.left, mine.bottom - edit.top},
                                edit.right - edit.left, edit.bottom - edit.top);
    }
    drawn_ = area;
    if (area.width() <= 0 || area.height() <= 0) return;

    const SkinDescription* skin = Skin();
    SpinPaint p;
    if (skin) {
        p.face = skin->colours[kButtonFace];
        p.shadow = skin->colours[kButtonShadow];
        p.dark_shadow = skin->colours[kButtonDkShadow];
        const std::optional<TDataSkinBorder>& element = horizontal() ? skin->up_down_horz : skin->up_down_vert;
        if (element && !element->bitmap.empty()) {
            p.strip = {&*element, ElementBitmap(*element)};
            if (glyph_skin_ != skin || glyph_element_ != &*element) {
                glyph_skin_ = skin;
                glyph_element_ = &*element;
                if (element->bitmap2.empty()) glyphs_.set_size(0, 0);
                else AssignImage(glyphs_, element->bitmap2);
            }
            if (!glyphs_.empty()) p.glyphs = &glyphs_;
        }
    }
    SpinFacts facts;
    facts.horizontal = horizontal();
    facts.pressed = pressed();
    facts.hot = hot();
    facts.enabled = enabled_;
    POINT cursor{};
    if (GetCursorPos(&cursor) && ScreenToClient(window(), &cursor)) {
        facts.cursor_known = true;
        facts.cursor_x = cursor.x - area.left;
        facts.cursor_y = cursor.y - area.top;
    }
    if (buffer_.width() != area.width() || buffer_.height() != area.height()) buffer_.set_size(area.width(), area.height());
    halves_ = PaintSpin(buffer_.dc(), {0, 0, area.width(), area.height()}, facts, p);
    for (SpinHalf& h : halves_) {
        h.rect.left += area.left, h.rect.right += area.left;
        h.rect.top += area.top, h.rect.bottom += area.top;
    }
    BitBlt(dc, area.left, area.top, area.width(), area.height(), buffer_.dc(), 0, 0, SRCCOPY);
}

} // namespace skin
