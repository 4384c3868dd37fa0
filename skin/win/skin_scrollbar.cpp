#include "skin/win/skin_scrollbar.h"

#include <algorithm>
#include <cctype>

#include "platform/ui/messages.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_services.h"

namespace skin {
namespace {

// Posted to a panel whose skin went while the panel's press was running: it frees itself once
// the press has unwound.
constexpr UINT kMsgFreePanel = WM_APP + 0x135;

Margins MarginsOf(const TDataSkinObject& e) { return {e.left_width, e.top_height, e.right_width, e.bottom_height}; }

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

bool PaintBar(HDC dc, int x, int y, const BarLook& look, const BarPictures& pictures) {
    if (!dc || !pictures.complete() || look.width <= 0 || look.height <= 0) return false;
    const int length = look.vertical ? look.height : look.width;
    const int across = look.vertical ? look.width : look.height;
    const int cell = pictures.strip_bitmap->width() / kScrollStripFrames;
    const int thickness = std::min(BarThickness(pictures.strip_bitmap->height(), look.button), across);
    const int arrow = ArrowLength(length, look.button);
    // A rectangle from `a` to `b` along the axis and from 0 to `size` across.
    const auto span = [&](int a, int b, int size) {
        return look.vertical ? ui::Rect{0, a, size, b} : ui::Rect{a, 0, b, size};
    };

    ui::Bitmap buffer;
    try {
        buffer.set_size(look.width, look.height);
    } catch (...) {
        return false;
    }
    if (buffer.empty() || !buffer.dc()) return false;
    HDC b = buffer.dc();
    SetStretchBltMode(b, COLORONCOLOR);
    {
        const ui::GdiObject<HBRUSH> face(CreateSolidBrush(ui::to_colorref(pictures.face)));
        RECT all{0, 0, look.width, look.height};
        FillRect(b, &all, face.get());
    }
    if (length > 2 * arrow)
        DrawSkinFrame(b, span(arrow, length - arrow, across), *pictures.track_bitmap, MarginsOf(*pictures.track),
                      TrackFrame(look.enabled), 4, pictures.track->trans == 1, pictures.track->tile != 0, false);

    for (const bool second : {false, true}) {
        const int part = second ? kSecondArrow : kFirstArrow;
        const bool hot = look.hot == part;
        const ui::Rect r = second ? span(length - arrow, length, thickness) : span(0, arrow, thickness);
        DrawStripFrame(b, r, *pictures.strip_bitmap, kScrollStripFrames,
                       ArrowFrame(look.vertical, second, hot && !look.pressed, hot && look.pressed));
    }

    const ThumbSpan t = look.thumb;
    if (look.enabled && t.start >= 0 && t.start < t.end && t.end <= length) {
        const bool hot = look.hot == kThumbPart;
        const bool pressed = hot && look.pressed;
        DrawSkinFrame(b, span(t.start, t.end, thickness), *pictures.thumb_bitmap, MarginsOf(*pictures.thumb),
                      ThumbFrame(hot, pressed), std::max(pictures.thumb->frame, 1), pictures.thumb->trans == 1, false, false);
        const int grip_along = look.vertical ? pictures.strip_bitmap->height() : cell;
        const int grip_across = look.vertical ? cell : pictures.strip_bitmap->height();
        if (t.end - t.start > grip_along + 2 && grip_across <= across) {
            const int g = t.start + (t.end - t.start - grip_along) / 2;
            const int c = (thickness - grip_across) / 2;
            const ui::Rect grip = look.vertical ? ui::Rect{c, g, c + grip_across, g + grip_along}
                                                : ui::Rect{g, c, g + grip_along, c + grip_across};
            if (grip.left >= 0 && grip.top >= 0)
                DrawStripFrame(b, grip, *pictures.strip_bitmap, kScrollStripFrames, GripFrame(look.vertical, hot && !pressed, pressed));
        }
    }
    BitBlt(dc, x, y, look.width, look.height, b, 0, 0, SRCCOPY);
    return true;
}

// ---- TScrollSkinBase ----

BarPictures TScrollSkinBase::Pictures(bool vertical) {
    BarPictures p;
    const SkinDescription* s = Skin();
    if (!s) return p;
    p.face = s->colours[kButtonFace];
    const auto take = [this](const std::optional<TDataSkinObject>& e, const TDataSkinObject*& element, const ui::Bitmap*& bitmap) {
        if (!e || e->bitmap.empty()) return;
        element = &*e;
        bitmap = ElementBitmap(*e);
    };
    take(s->scrollbar, p.strip, p.strip_bitmap);
    take(vertical ? s->vert_scroll : s->horz_scroll, p.track, p.track_bitmap);
    take(vertical ? s->vert_scroll_thumb : s->horz_scroll_thumb, p.thumb, p.thumb_bitmap);
    return p;
}

bool TScrollSkinBase::CanDrawBars() { return Pictures(false).complete() && Pictures(true).complete(); }

// ---- TWScrollbar ----

ui::ClassInfo& TWScrollbar::static_class() {
    static ui::ClassInfo info("TWScrollbar", &ui::CustomControl::static_class());
    return info;
}

TWScrollbar::TWScrollbar(TScrollSkinBase& skin, HWND window, int kind)
    : ui::CustomControl(nullptr), skin_(&skin), window_(window), kind_(kind) {
    vertical_ = kind == kVerticalBar;
    if (kind == kScrollControl) vertical_ = Lower(GetEnumPropByName(skin.control(), "Kind")) == "sbvertical";
    if (kind == kScrollControl && !skin.control() && window)
        vertical_ = (GetWindowLongPtrW(window, GWL_STYLE) & SBS_VERT) != 0;
    button_ = GetSystemMetrics(SM_CXHSCROLL);
    ui::TControlStyle style = control_style();
    style.exclude(ui::TControlStyleFlag::csCaptureMouse);
    style.exclude(ui::TControlStyleFlag::csClickEvents);
    set_control_style(style);
    set_visible(false);
}

TWScrollbar::~TWScrollbar() = default;

void TWScrollbar::create_params(ui::CreateParams& p) {
    ui::CustomControl::create_params(p);
    p.ex_style |= WS_EX_TOOLWINDOW;
}

bool TWScrollbar::ReadBar(SCROLLBARINFO& info, bool for_press) const {
    info = {};
    info.cbSize = sizeof info;
    if (!window_ || !IsWindow(window_)) return false;
    if (kind_ != kScrollControl)
        return GetScrollBarInfoSafe(window_, vertical_ ? OBJID_VSCROLL : OBJID_HSCROLL, info);
    RECT r{};
    if (!GetWindowRect(window_, &r)) return false;
    info.rcScrollBar = r;
    info.dxyLineButton = button_;
    const int length = vertical_ ? r.bottom - r.top : r.right - r.left;
    ScrollValues v;
    if (for_press && skin_->control()) {
        const ui::WinControl* c = skin_->control();
        v = {static_cast<int>(GetOrdPropByName(c, "Min")), static_cast<int>(GetOrdPropByName(c, "Max")),
             static_cast<int>(GetOrdPropByName(c, "PageSize")), static_cast<int>(GetOrdPropByName(c, "Position"))};
        const ThumbSpan t = ScrollControlPressThumb(v, length, button_);
        info.xyThumbTop = t.start, info.xyThumbBottom = t.end;
    } else {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        if (!GetScrollInfo(window_, SB_CTL, &si)) return false;
        v = {si.nMin, si.nMax, static_cast<int>(std::min<UINT>(si.nPage, 0x7FFFFFFF)), si.nPos};
        const ThumbSpan t = ScrollControlThumb(v, length, button_);
        info.xyThumbTop = t.start, info.xyThumbBottom = t.end;
    }
    if (!IsWindowVisible(window_)) info.rgstate[0] |= STATE_SYSTEM_INVISIBLE;
    if (!IsWindowEnabled(window_)) info.rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
    return true;
}

BarAxis TWScrollbar::Axis(const SCROLLBARINFO& info) const {
    const RECT& r = info.rcScrollBar;
    return {vertical_ ? r.bottom - r.top : r.right - r.left, button_, info.xyThumbTop, info.xyThumbBottom};
}

void TWScrollbar::Hide() {
    shown_ = false;
    if (handle_allocated() && IsWindowVisible(handle())) ShowWindow(handle(), SW_HIDE);
    set_visible(false);
}

void TWScrollbar::Place() {
    if (!skin_ || !window_ || !IsWindow(window_) || !skin_->CanDrawBars()) {
        Hide();
        return;
    }
    SCROLLBARINFO info;
    if (!ReadBar(info, false)) return;
    if (!(GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
        Hide();
        return;
    }
    HWND parent = GetParent(window_);
    if (!parent || (GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD) == 0) {
        Hide();
        return;
    }
    RECT r = info.rcScrollBar;
    if (kind_ == kScrollControl) {
        bar_rect_ = {0, 0, r.right - r.left, r.bottom - r.top};
    } else {
        POINT origin{r.left, r.top};
        ScreenToClient(window_, &origin);
        bar_rect_ = {origin.x, origin.y, origin.x + r.right - r.left, origin.y + r.bottom - r.top};
    }
    length_ = vertical_ ? r.bottom - r.top : r.right - r.left;
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    if (parent_window() != parent) set_parent_window(parent);
    set_bounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    HWND panel = handle();
    HWND above = GetWindow(window_, GW_HWNDPREV);
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (above == panel) flags |= SWP_NOZORDER;
    SetWindowPos(panel, above ? above : HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
    set_visible(true);
    shown_ = true;
}

void TWScrollbar::Orphan() {
    skin_ = nullptr;
    Hide();
}

void TWScrollbar::SetHot(int part) {
    if (part == hot_) return;
    hot_ = part;
    invalidate();
}

void TWScrollbar::paint(ui::Canvas& canvas) {
    HDC dc = canvas.handle();
    if (!skin_) return;
    const BarPictures pictures = skin_->Pictures(vertical_);
    SCROLLBARINFO info;
    if (!pictures.complete() || !ReadBar(info, false) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return;
    BarLook look;
    look.vertical = vertical_;
    look.enabled = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    look.width = info.rcScrollBar.right - info.rcScrollBar.left;
    look.height = info.rcScrollBar.bottom - info.rcScrollBar.top;
    if (look.width > width() || look.height > height()) return;
    length_ = vertical_ ? look.height : look.width;
    look.button = button_;
    look.hot = hot_;
    look.pressed = pressed_;
    look.thumb = {info.xyThumbTop, info.xyThumbBottom};
    if (pressed_ && hot_ == kThumbPart && kind_ != kScrollControl) {
        POINT cursor{};
        GetCursorPos(&cursor);
        const BarAxis pressed{length_, button_, press_thumb_start_, press_thumb_start_ + (info.xyThumbBottom - info.xyThumbTop)};
        look.thumb = FollowThumb(pressed, Along(press_point_.x, press_point_.y), Along(cursor.x, cursor.y));
    }
    if (!PaintBar(dc, 0, 0, look, pictures)) return;
    ++paints_;
    painted_thumb_ = look.thumb;
}

void TWScrollbar::mouse_down(ui::TMouseButton button, ui::TShiftState, int x, int y) {
    if (button != ui::TMouseButton::mbLeft || !skin_) return;
    GetCursorPos(&press_point_);
    SCROLLBARINFO info;
    if (!ReadBar(info, true)) return;
    press_thumb_start_ = info.xyThumbTop;
    hot_ = ScrollPartAt(Along(x, y), Axis(info));
    pressed_ = true;
    invalidate();
    ReleaseCapture();
    HWND target = window_;
    in_press_ = true;
    if (kind_ != kScrollControl) {
        const POINT screen{x + info.rcScrollBar.left, y + info.rcScrollBar.top};
        SendMessageW(target, WM_NCLBUTTONDOWN, vertical_ ? HTVSCROLL : HTHSCROLL, MAKELPARAM(screen.x, screen.y));
    } else {
        SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    }
    // The system's loop has run until the button went up.
    in_press_ = false;
    pressed_ = false;
    ReleaseCapture();
    if (!skin_) {
        // The skin went meanwhile and left this panel to free itself.
        if (handle_allocated()) PostMessageW(handle(), kMsgFreePanel, 0, 0);
        return;
    }
    invalidate();
}

void TWScrollbar::mouse_move(ui::TShiftState, int x, int y) {
    SCROLLBARINFO info;
    if (!ReadBar(info, false)) return;
    // The library asks for the leave on the first move; CM_MOUSELEAVE clears the hot part.
    SetHot(ScrollPartAt(Along(x, y), Axis(info)));
}

void TWScrollbar::mouse_up(ui::TMouseButton button, ui::TShiftState, int x, int y) {
    if (button != ui::TMouseButton::mbLeft) return;
    pressed_ = false;
    ReleaseCapture();
    if (kind_ != kScrollControl) {
        SCROLLBARINFO info;
        if (!ReadBar(info, false)) return;
        PostMessageW(window_, WM_NCLBUTTONUP, vertical_ ? HTVSCROLL : HTHSCROLL,
                     MAKELPARAM(x + info.rcScrollBar.left, y + info.rcScrollBar.top));
    } else {
        PostMessageW(window_, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(x, y));
        invalidate();
    }
}

void TWScrollbar::wnd_proc(ui::Message& m) {
    if (m.msg == kMsgFreePanel) {
        delete this;  // as a form frees itself on CM_RELEASE: nothing of it is used after this
        return;
    }
    ui::CustomControl::wnd_proc(m);
    if ((m.msg == WM_MOUSELEAVE || m.msg == ui::CM_MOUSELEAVE) && !pressed_) SetHot(kNoPart);
}

} // namespace skin
