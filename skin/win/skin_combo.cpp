#include "skin/win/skin_combo.h"

#include <windowsx.h>

#include <cctype>
#include <string>

#include "platform/ui/messages.h"
#include "skin/entry_geometry.h"
#include "skin/win/entry_painters.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_combo_scroll.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_scrolled.h"
#include "skin/win/skin_services.h"

namespace skin {
namespace {

// The skin of a combo's list window, owned by `owner` (the combo's control) when there is one.
template <class ListSkin>
std::unique_ptr<TSkinControl> MakeListSkin(ui::Component* owner, HWND list, TSkinData* data, TWinSkinForm* form) {
    auto skin = std::make_unique<ListSkin>(owner);
    skin->AttachWindow(list, data, form);
    return skin;
}

bool IsEditClass(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return _wcsicmp(name, L"edit") == 0;
}

bool Contains(const ui::Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

} // namespace

TSkinComBox::TSkinComBox(ui::Component* owner, bool extended) : TSkinControl(owner), extended_(extended) {}

TSkinComBox::~TSkinComBox() {
    edit_layer_.reset();
    FreeListSkin();
}

void TSkinComBox::notification(ui::Component* c, ui::TOperation op) {
    TSkinControl::notification(c, op);
    if (op == ui::TOperation::opRemove && c == list_skin_) list_skin_ = nullptr;
}

void TSkinComBox::ReadComboInfo() {
    // The record is sized by the structure this program was built with; the system checks it.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    info_valid_ = window() && GetComboBoxInfo(window(), &info) != FALSE;
    if (info_valid_) info_ = info;
}

void TSkinComBox::AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) {
    if (attached()) return;
    TSkinControl::AttachControl(form, data, set_colour);
    if (!attached()) return;
    style_ = GetWindowLongPtrW(window(), GWL_STYLE);
    ReadComboInfo();
    const LONG_PTR type = style_ & 3;
    if (type != CBS_SIMPLE) {
        if ((type == CBS_DROPDOWN || type == CBS_DROPDOWNLIST) && info_valid_ && info_.hwndList) {
            list_ = info_.hwndList;
            AdoptListSkin(MakeListSkin<TComboxScrollBar>(control(), list_, data, form));
        }
        SubclassEdit();
    } else if (info_valid_ && info_.hwndList) {
        list_ = info_.hwndList;
        if ((GetWindowLongPtrW(list_, GWL_STYLE) & WS_CHILD) && !IsPopupWindow(list_))
            AdoptListSkin(MakeListSkin<TSkinScrollbarH>(control(), list_, data, form));
    }
}

void TSkinComBox::AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) {
    if (attached()) return;
    TSkinControl::AttachWindow(window, data, form);
    if (!attached()) return;
    style_ = GetWindowLongPtrW(window, GWL_STYLE);
    ReadComboInfo();
    if (info_valid_) list_ = info_.hwndList;
    if ((style_ & 3) != CBS_SIMPLE) SubclassEdit();
}

void TSkinComBox::SubclassEdit() {
    // Every combo's edit child is followed; a combo whose information the system does not give
    // (a date-time picker under this skin) has none.
    if (edit_layer_ || !info_valid_) return;
    HWND first = GetWindow(window(), GW_CHILD);
    if (!first || !IsEditClass(first)) return;
    edit_ = first;
    edit_layer_ = std::make_unique<ui::WindowSubclass>(
        edit_, [this](ui::Message& m, const ui::WindowSubclass::Next& next) { EditMessage(m, next); }, kLayerName);
}

void TSkinComBox::EditMessage(ui::Message& m, const ui::WindowSubclass::Next& next) {
    next(m);
    if (!active()) return;
    switch (m.msg) {
    case WM_PAINT: PaintNow(); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: FollowPress(m.msg); break;
    default: break;
    }
}

void TSkinComBox::AdoptListSkin(std::unique_ptr<TSkinControl> skin) {
    list_skin_ = skin.release();  // owned by the combo's control from here
    list_skin_->free_notification(this);
}

void TSkinComBox::FreeListSkin() {
    if (!list_skin_) return;
    TSkinControl* skin = list_skin_;
    list_skin_ = nullptr;
    skin->remove_free_notification(this);
    if (!skin->dead()) skin->Unskin();
    delete skin;
}

void TSkinComBox::Unskin() {
    if (!active()) return;
    TSkinControl::Unskin();
    edit_layer_.reset();
    FreeListSkin();
}

void TSkinComBox::FollowPress(UINT msg) {
    SetState(kPressed, msg != WM_LBUTTONUP);
    RefreshSkin();
}

int TSkinComBox::FrameIndex() const {
    HWND focus = GetFocus();
    const bool focused = focus && (focus == window() || IsChild(window(), focus));
    const bool disabled = (GetWindowLongPtrW(window(), GWL_STYLE) & WS_DISABLED) != 0;
    return EntryFrameIndex(pressed(), focused || hot(), disabled);
}

void TSkinComBox::AfterMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: break;  // the control repaints itself; the edit child's paint brings the skin
    case WM_MOUSEMOVE: {
        const int x = GET_X_LPARAM(m.lparam), y = GET_Y_LPARAM(m.lparam);
        const bool enabled = IsWindowEnabled(window()) != FALSE;
        const bool over = Contains(button_rect_, x, y);
        if (hot() && (!over || !enabled)) {
            SetState(kHot, false);
            RefreshSkin();
        } else if (!hot() && over && enabled) {
            SetState(kHot, true);
            TrackMouseLeave(window());
            RefreshSkin();
        }
        break;
    }
    case WM_DRAWITEM:
    case WM_NCPAINT: PaintNow(); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: FollowPress(m.msg); break;
    case WM_MOUSELEAVE:
    case ui::CM_MOUSELEAVE:
        if (hot()) SetState(kHot, false);
        RefreshSkin();
        break;
    case ui::CN_COMMAND:
        if (HIWORD(m.wparam) == CBN_DROPDOWN) dropped_ = true;
        else if (HIWORD(m.wparam) == CBN_CLOSEUP) dropped_ = false;
        break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinComBox::PaintSkin(HDC dc, const ui::Rect& rect) {
    const SkinDescription* skin = Skin();
    if (!dc || !skin || !skin->combo_button || skin->combo_button->bitmap.empty()) return;
    style_ = GetWindowLongPtrW(window(), GWL_STYLE);
    ex_style_ = GetWindowLongPtrW(window(), GWL_EXSTYLE);
    ReadComboInfo();
    if (info_valid_) {
        button_rect_ = {info_.rcButton.left, info_.rcButton.top, info_.rcButton.right, info_.rcButton.bottom};
        if (info_.stateButton & STATE_SYSTEM_INVISIBLE) return;
    }
    ComboPaint p;
    const TDataSkinBorder& button = *skin->combo_button;
    p.look = button.style;
    p.left = (ex_style_ & WS_EX_LEFTSCROLLBAR) != 0;
    p.extended = extended_;
    p.index = FrameIndex();
    p.cx = GetSystemMetrics(SM_CXHSCROLL);
    p.cy = GetSystemMetrics(SM_CYVTHUMB);
    p.button = {&button, ElementBitmap(button)};
    if (!button.bitmap2.empty()) {
        if (mirrored_for_ != &button || mirrored_skin_ != skin) {
            mirrored_for_ = &button;
            mirrored_skin_ = skin;
            AssignImage(mirrored_, button.bitmap2);
        }
        p.button_mirrored = &mirrored_;
    }
    if (skin->sunk_edge && !skin->sunk_edge->bitmap.empty()) p.sunk = {&*skin->sunk_edge, ElementBitmap(*skin->sunk_edge)};
    if (skin->extra_images && !skin->extra_images->bitmap.empty())
        p.extra = {&*skin->extra_images, ElementBitmap(*skin->extra_images)};
    if (skin->combo_arrow && !skin->combo_arrow->bitmap.empty()) {
        p.arrow = ElementBitmap(*skin->combo_arrow);
        p.arrow_frames = skin->combo_arrow->frame;
    }
    if (extended_) {
        p.arrow_rect = info_valid_ ? button_rect_ : LayOutCombo(rect, p.cx, p.left).button;
    }
    p.face = skin->colours[kButtonFace];
    p.shadow = skin->colours[kButtonShadow];
    const Rect drawn = PaintCombo(dc, rect, p);
    if (drawn.width() > 0) button_rect_ = drawn;
}

} // namespace skin
