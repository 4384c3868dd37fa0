#include "skin/win/skin_combo_scroll.h"

#include <windowsx.h>

#include "skin/win/skin_services.h"
#include "skin/win/win_skin_form.h"

namespace skin {

void TComboxScrollBar::AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) {
    TSkinControl::AttachWindow(window, data, form);
    button_ = GetSystemMetrics(SM_CXHSCROLL);
}

bool TComboxScrollBar::BeforeMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_NCMOUSEMOVE:
        if (m.wparam == HTHSCROLL || m.wparam == HTVSCROLL) return false;
        break;
    case WM_NCLBUTTONDOWN:
        if (m.wparam == HTVSCROLL && !dragging_ && ThumbDrag({GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)})) {
            m.result = 0;
            return false;
        }
        break;
    case WM_CAPTURECHANGED:
        if (dragging_ && reinterpret_cast<HWND>(m.lparam) != window()) capture_lost_ = true;
        break;
    default: break;
    }
    return TSkinControl::BeforeMessage(m);
}

void TComboxScrollBar::AfterMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case 0x1AE:
    case WM_PAINT:  // Wine's list draws its bar again while it paints its rows
        PaintBar();
        break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TComboxScrollBar::PaintBar() {
    HWND list = window();
    SCROLLBARINFO info;
    RECT w{};
    if (!list || !GetScrollBarInfoSafe(list, OBJID_VSCROLL, info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) ||
        !GetWindowRect(list, &w))
        return;
    const BarPictures pictures = Pictures(true);
    if (!pictures.complete()) return;
    BarLook look;
    look.vertical = true;
    look.enabled = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    look.width = info.rcScrollBar.right - info.rcScrollBar.left;
    look.height = info.rcScrollBar.bottom - info.rcScrollBar.top;
    look.button = button_;
    look.thumb = {info.xyThumbTop, info.xyThumbBottom};
    HDC dc = GetWindowDC(list);
    if (!dc) return;
    skin::PaintBar(dc, info.rcScrollBar.left - w.left, info.rcScrollBar.top - w.top, look, pictures);
    ReleaseDC(list, dc);
}

bool TComboxScrollBar::ThumbDrag(POINT screen) {
    HWND list = window();
    SCROLLBARINFO bar;
    if (!GetScrollBarInfoSafe(list, OBJID_VSCROLL, bar)) return false;
    const int y = screen.y - bar.rcScrollBar.top;
    if (y < bar.xyThumbTop || y >= bar.xyThumbBottom) return false;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(list, SB_VERT, &si)) return false;

    ComboDrag drag;
    drag.values = {si.nMin, si.nMax, static_cast<int>(std::min<UINT>(si.nPage, 0x7FFFFFFF)), si.nPos};
    drag.bar_length = bar.rcScrollBar.bottom - bar.rcScrollBar.top;
    drag.button = button_;
    drag.thumb_top = bar.xyThumbTop;
    drag.thumb_length = bar.xyThumbBottom - bar.xyThumbTop;
    drag.press_cursor = screen.y;

    dragging_ = true;
    capture_lost_ = false;
    SetCapture(list);
    int position = si.nPos;
    bool quit = false;
    WPARAM quit_code = 0;
    // Ends on the button's release, on a lost capture (Alt+Tab, a pop-up) and with the list.
    for (;;) {
        if (!IsWindow(list) || capture_lost_ || GetCapture() != list) break;
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            quit = true;
            quit_code = msg.wParam;
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
            POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            if (msg.message == WM_MOUSEMOVE) ClientToScreen(msg.hwnd, &p);
            const int now = ComboDragPosition(drag, p.y);
            if (now != position) {
                position = now;
                SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, position), 0);
            }
            continue;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (IsWindow(list)) {
        SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
        PostMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
        if (GetCapture() == list) ReleaseCapture();
    }
    dragging_ = false;
    if (quit) PostQuitMessage(static_cast<int>(quit_code));
    return true;
}

TComboxScrollBar* AttachComboListBar(TWinSkinForm& form, HWND list) {
    if (!list || !IsWindow(list) || !form.data()) return nullptr;
    // Another skin of the list (the combo's own list skin) may sit below; only a second bar
    // skin is refused.
    for (TSkinControl* s : form.ControlSkins())
        if (s->window() == list && dynamic_cast<TComboxScrollBar*>(s)) return nullptr;
    auto* skin = static_cast<TComboxScrollBar*>(form.OwnWindowSkin(std::make_unique<TComboxScrollBar>(nullptr)));
    skin->AttachWindow(list, form.data(), &form);
    return skin;
}

} // namespace skin
