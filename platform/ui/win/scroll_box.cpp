#include "platform/ui/win/scroll_box.h"

#include <algorithm>

namespace ui {

namespace {
constexpr int kLineStep = 16;
constexpr int kWheelStep = 3 * kLineStep;
} // namespace

ClassInfo& ScrollBox::scrolling_class() {
    static ClassInfo info("TScrollingWinControl", &WinControl::static_class());
    return info;
}

ClassInfo& ScrollBox::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TScrollBox", &scrolling_class());
        c.factory = factory_of<ScrollBox>();
        PropBuilder<ScrollBox>(c).enumeration("BorderStyle", &ScrollBox::border_style, &ScrollBox::set_border_style,
                                              TBorderStyle::bsSingle);
        return c;
    }();
    return info;
}

ScrollBox::ScrollBox(Component* owner) : WinControl(owner) {
    TControlStyle s = control_style();
    s.include(TControlStyleFlag::csAcceptsControls);
    set_control_style(s);
    set_bounds(0, 0, 185, 41);
}

bool ScrollBox::adopt_child(Component* child) {
    auto* c = dynamic_cast<Control*>(child);
    if (!c) return false;
    c->set_parent(this);
    return true;
}

void ScrollBox::set_border_style(TBorderStyle s) {
    border_style_ = s;
    if (handle_allocated()) recreate_wnd();
}

void ScrollBox::create_params(CreateParams& p) {
    WinControl::create_params(p);
    if (border_style_ == TBorderStyle::bsSingle) p.ex_style |= WS_EX_CLIENTEDGE;
    p.style |= WS_CLIPCHILDREN;
}

void ScrollBox::initialize_window() {
    WinControl::initialize_window();
    update_scroll_bar();
}

int ScrollBox::content_height() const {
    int bottom = 0;
    for (const Control* c : controls())
        if (c->visible()) bottom = std::max(bottom, c->top() + c->height());
    return bottom + position_;
}

int ScrollBox::max_position() const { return std::max(0, content_height() - client_height()); }

void ScrollBox::scroll_to(int position) {
    position = std::clamp(position, 0, max_position());
    const int delta = position_ - position;
    if (delta == 0) return;
    position_ = position;
    disable_align();
    for (Control* c : controls()) c->set_bounds(c->left(), c->top() + delta, c->width(), c->height());
    enable_align();
    if (handle_allocated()) SetScrollPos(handle(), SB_VERT, position_, TRUE);
    invalidate();
}

void ScrollBox::scroll_in_view(const Control& c) {
    RECT r{0, 0, c.width(), c.height()};
    POINT top_left = screen_to_client(c.client_to_screen(POINT{0, 0}));
    OffsetRect(&r, top_left.x, top_left.y);
    if (r.bottom > client_height()) scroll_to(position_ + r.bottom - client_height());
    top_left = screen_to_client(c.client_to_screen(POINT{0, 0}));
    if (top_left.y < 0) scroll_to(position_ + top_left.y);
}

void ScrollBox::update_scroll_bar() {
    if (!handle_allocated() || updating_) return;
    // Showing or hiding the bar resizes the client area, which comes back here through WM_SIZE.
    updating_ = true;
    if (position_ > max_position()) {
        updating_ = false;
        scroll_to(max_position());
        updating_ = true;
    }
    const int extent = content_height(), page = client_height();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (extent > page) {
        si.nMax = extent - 1;
        si.nPage = static_cast<UINT>(std::max(0, page));
        si.nPos = position_;
    }
    SetScrollInfo(handle(), SB_VERT, &si, TRUE);
    updating_ = false;
}

void ScrollBox::align_controls(Control* changed, Rect& r) {
    WinControl::align_controls(changed, r);
    update_scroll_bar();
}

void ScrollBox::wnd_proc(Message& m) {
    switch (m.msg) {
    case WM_VSCROLL: {
        if (m.lparam) break;  // a scroll bar control's message, reflected to it
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(handle(), SB_VERT, &si);
        int pos = position_;
        switch (LOWORD(m.wparam)) {
        case SB_LINEUP: pos -= kLineStep; break;
        case SB_LINEDOWN: pos += kLineStep; break;
        case SB_PAGEUP: pos -= std::max(kLineStep, client_height() - kLineStep); break;
        case SB_PAGEDOWN: pos += std::max(kLineStep, client_height() - kLineStep); break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = max_position(); break;
        // The message carries only 16 bits of the position; the bar has all of it while tracking.
        case SB_THUMBTRACK: pos = si.nTrackPos; break;
        case SB_THUMBPOSITION: pos = HIWORD(m.wparam); break;
        default: break;
        }
        scroll_to(pos);
        m.result = 0;
        return;
    }
    case WM_MOUSEWHEEL: {
        if (max_position() == 0) break;  // nothing to scroll: the parent may want it
        wheel_rest_ += GET_WHEEL_DELTA_WPARAM(m.wparam);
        const int notches = wheel_rest_ / WHEEL_DELTA;
        wheel_rest_ -= notches * WHEEL_DELTA;
        scroll_to(position_ - notches * kWheelStep);
        m.result = 0;
        return;
    }
    case WM_SIZE:
        WinControl::wnd_proc(m);
        update_scroll_bar();
        return;
    default: break;
    }
    WinControl::wnd_proc(m);
}

} // namespace ui
