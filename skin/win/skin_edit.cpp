#include "skin/win/skin_edit.h"

#include <cctype>
#include <string>

#include "skin/entry_geometry.h"
#include "skin/win/entry_painters.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_updown.h"
#include "skin/win/win_skin_form.h"

namespace skin {
namespace {

std::string ClassLower(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    std::string out;
    for (const wchar_t* p = name; *p; ++p) out += static_cast<char>(*p < 128 ? std::tolower(static_cast<int>(*p)) : '?');
    return out;
}

bool IsSpinClass(const std::string& cls) {
    return cls == "msctls_updown32" || cls.find("spin") != std::string::npos || cls.find("updown") != std::string::npos;
}

ui::TColor Shadow(const TSkinControl& skin) {
    const SkinDescription* s = skin.Skin();
    return s ? s->colours[kButtonShadow] : ui::TColor(ui::clBtnShadow);
}

} // namespace

TSkinEdit::~TSkinEdit() {
    if (spin_) spin_->remove_free_notification(this);
}

void TSkinEdit::notification(ui::Component* c, ui::TOperation op) {
    TSkinControl::notification(c, op);
    if (op == ui::TOperation::opRemove && c == spin_) spin_ = nullptr;
}

bool TSkinEdit::BeforeMessage(ui::Message& m) {
    // The edit's own printing leaves its clip in the device context; the border goes over the
    // device context as the caller gave it.
    if (m.msg == WM_PRINTCLIENT && m.wparam) print_state_ = SaveDC(reinterpret_cast<HDC>(m.wparam));
    return TSkinControl::BeforeMessage(m);
}

void TSkinEdit::AfterMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_PRINTCLIENT: {
        if (print_state_ && m.wparam) RestoreDC(reinterpret_cast<HDC>(m.wparam), print_state_);
        print_state_ = 0;
        RECT outer{}, client{};
        if (!GetWindowRect(window(), &outer) || !GetClientRect(window(), &client)) break;
        const int w = outer.right - outer.left, h = outer.bottom - outer.top;
        if (!EditHasPrintBorder(w, h, client.right, client.bottom)) break;
        HDC dc = reinterpret_cast<HDC>(m.wparam);
        HDC own = dc ? nullptr : GetWindowDC(window());
        PaintPrintBorder(dc ? dc : own, {0, 0, w, h}, Shadow(*this));
        if (own) ReleaseDC(window(), own);
        break;
    }
    case kMsgPaintClientInto:
        if (m.lparam != kSkinMagic) break;
        if (m.wparam) {
            ui::Message paint{WM_PAINT, m.wparam, 0, 0};
            CallPrevious(paint);
        }
        m.result = kSkinMagic;
        break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinEdit::FindSpin() {
    if (spin_ || !data() || !data()->SkinControls().has(TSkinControlType::xcSpin)) return;
    for (HWND child = GetWindow(window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsSpinClass(ClassLower(child))) continue;
        if (form() && form()->FindWindowSkin(child)) return;
        // Owned by the edit control, or by the window's skin for a bare edit.
        TSkinUpDown* made = nullptr;
        if (control()) {
            made = new TSkinUpDown(control());
        } else if (form()) {
            made = static_cast<TSkinUpDown*>(form()->OwnWindowSkin(std::make_unique<TSkinUpDown>(nullptr)));
        } else {
            return;
        }
        made->AttachEmbedded(child, data(), form(), true);
        spin_ = made;
        spin_->free_notification(this);
        return;
    }
}

void TSkinEdit::PaintSkin(HDC dc, const ui::Rect& rect) {
    FindSpin();
    RECT client{};
    if (!GetClientRect(window(), &client)) return;
    if (!EditHasBorder(rect.width(), rect.height(), client.right, client.bottom)) return;
    PaintEditRings(dc, rect, Shadow(*this));
}

} // namespace skin
