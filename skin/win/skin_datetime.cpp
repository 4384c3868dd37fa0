#include "skin/win/skin_datetime.h"

#include "platform/ui/messages.h"
#include "platform/ui/win/graphics.h"
#include "skin/entry_geometry.h"
#include "skin/win/entry_painters.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_data.h"

namespace skin {

// ---- TArrowButton ----

ui::ClassInfo& TArrowButton::static_class() {
    static ui::ClassInfo info("TArrowButton", &CustomControl::static_class());
    return info;
}

TArrowButton::TArrowButton(TSkinDateTime* skin, HWND picker)
    : CustomControl(skin), skin_(skin), picker_(picker), width_(GetSystemMetrics(SM_CXHSCROLL)) {
    set_tab_stop(false);
}

void TArrowButton::Place() {
    if (!picker_ || !IsWindow(picker_)) return;
    RECT r{};
    GetWindowRect(picker_, &r);
    const bool on_left = (GetWindowLongPtrW(picker_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const Rect place = DateArrowButtonRect(r.right - r.left, r.bottom - r.top, width_, on_left);
    if (left() != place.left || top() != place.top || width() != place.width() || height() != place.height())
        set_bounds(place.left, place.top, place.width(), place.height());
}

void TArrowButton::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case ui::CM_MOUSEENTER:
    case ui::CM_MOUSELEAVE:
        if (picker_ && IsWindowEnabled(picker_)) {
            hot_ = m.msg == ui::CM_MOUSEENTER;
            invalidate();
        }
        break;
    default: break;
    }
    CustomControl::wnd_proc(m);
}

void TArrowButton::paint(ui::Canvas& canvas) {
    const SkinDescription* skin = skin_ ? skin_->Skin() : nullptr;
    const ui::TColor face = skin ? skin->colours[kButtonFace] : ui::TColor(ui::clBtnFace);
    int frames = 0;
    if (skin && skin->combo_arrow && !skin->combo_arrow->bitmap.empty()) {
        if (arrow_skin_ != skin) {
            arrow_skin_ = skin;
            AssignImage(arrow_, skin->combo_arrow->bitmap);
        }
        frames = skin->combo_arrow->frame;
    }
    PaintArrowButton(canvas.handle(), {0, 0, width(), height()}, frames > 0 ? &arrow_ : nullptr, frames, hot_, face);
}

void TArrowButton::mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_down(button, shift, x, y);
    if (button != ui::TMouseButton::mbLeft || !picker_) return;
    // The picker opens its calendar on a press over its own button, under this one.
    const LPARAM at = MAKELPARAM(x + left(), y + top());
    PostMessageW(picker_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(picker_, WM_LBUTTONUP, 0, at);
    invalidate();
}

void TArrowButton::mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    CustomControl::mouse_up(button, shift, x, y);
    if (picker_ && IsWindow(picker_)) SetFocus(picker_);
}

// ---- TSkinDateTime ----

void TSkinDateTime::AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) {
    if (attached()) return;
    TSkinControl::AttachControl(form, data, set_colour);
    if (!attached()) return;
    arrow_ = new TArrowButton(this, window());
    arrow_->set_parent(control());
    arrow_->Place();
    SetWindowLongPtrW(window(), GWL_STYLE, GetWindowLongPtrW(window(), GWL_STYLE) | WS_CLIPCHILDREN);
    set_overlay(arrow_);
}

void TSkinDateTime::AfterMessage(ui::Message& m) {
    TSkinControl::AfterMessage(m);
    if (m.msg == WM_SIZE && arrow_) arrow_->invalidate();
}

void TSkinDateTime::PaintSkin(HDC dc, const ui::Rect& rect) {
    if (arrow_) arrow_->Place();
    RECT client{};
    if (!GetClientRect(window(), &client) || !EditHasBorder(rect.width(), rect.height(), client.right, client.bottom)) return;
    const SkinDescription* skin = Skin();
    PaintPickerBorder(dc, rect, skin ? skin->colours[kButtonShadow] : ui::TColor(ui::clBtnShadow));
}

} // namespace skin
