#include "skin/win/skin_scrolled.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/ui/messages.h"
#include "skin/win/skin_attach.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_header.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_services.h"
#include "skin/win/win_skin_form.h"

namespace skin {
namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

void Invalidate(TWScrollbar* panel) {
    if (panel && panel->shown()) panel->invalidate();
}

// The window rectangle of `window` moved to (0, 0) and the screen rectangle of a shown panel's
// bar in those coordinates.
bool BarInWindow(HWND window, const TWScrollbar* panel, RECT& out) {
    if (!panel || !panel->shown()) return false;
    SCROLLBARINFO info;
    RECT w{};
    if (!panel->ReadBar(info, false) || !GetWindowRect(window, &w)) return false;
    out = info.rcScrollBar;
    OffsetRect(&out, -w.left, -w.top);
    return true;
}

} // namespace

void FreePanel(std::unique_ptr<TWScrollbar>& panel) {
    if (!panel) return;
    if (panel->in_press()) {
        panel->Orphan();
        panel.release();  // frees itself when the press has unwound
        return;
    }
    panel.reset();
}

void FillSizeBox(TSkinControl& skin, HDC dc, HWND window, const TWScrollbar* h, const TWScrollbar* v) {
    RECT hr{}, vr{};
    if (!dc || !BarInWindow(window, h, hr) || !BarInWindow(window, v, vr)) return;
    // The corner between the two bars: across the vertical bar, down the horizontal one.
    FillFace(skin, dc, {vr.left, hr.top, vr.right, hr.bottom});
}

// ---- TSkinScrollbar ----

TSkinScrollbar::~TSkinScrollbar() {
    *living_ = false;
    if (recreate_filter_ && control()) control()->window_proc.remove(recreate_filter_);
    FreePanel(h_);
    FreePanel(v_);
}

void TSkinScrollbar::AttachControl(TWinSkinForm* form, TSkinData* data, bool) { AttachScrolled(form, data); }

void TSkinScrollbar::AttachScrolled(TWinSkinForm* form, TSkinData* data) {
    if (attached()) return;
    TSkinControl::AttachControl(form, data, false);
    ui::WinControl* c = control();
    if (!attached() || !c) return;
    border_ = Lower(GetEnumPropByName(c, "BorderStyle")) != "bsnone" && !c->inherits_from("TImageScrollBox") && option_ == 0;
    const std::int64_t fixed = GetOrdPropByName(c, "FixedColor");
    if (fixed != -1) {
        saved_fixed_ = fixed;
        fixed_saved_ = true;
        SetPropByName(c, "FixedColor", std::to_string(static_cast<long long>(FaceColour(*this))));
    }
    // Outside the skin's own switch: the window re-created under the control (the skin of the
    // old one is dead by now, so the window's skin is asked for a fresh one), and the skin
    // switched off and on (0x3506 never reaches the skin's handlers), which takes the panels
    // away and back.
    recreate_filter_ = c->window_proc.add("skin scroll renewal", [this, living = living_](ui::Message& m, const ui::MessageChain::Next& next) {
        next(m);
        if (!*living) return;
        if (m.msg == kMsgSkinSwitch && !dead()) {
            if (static_cast<LONG_PTR>(m.wparam) > 0) PlacePanels();
            else HidePanels();
            return;
        }
        if (m.msg != ui::CM_RECREATEWND || !this->form()) return;
        if (HWND target = this->form()->window(); target && control() && control()->handle_allocated())
            PostMessageW(target, kMsgNewScrollSkin, reinterpret_cast<WPARAM>(control()->handle()), 0);
    });
    CreatePanels();
    if (!c->visible()) HidePanels();
    else PlacePanels();
}

void TSkinScrollbar::CreatePanels() {
    h_ = std::make_unique<TWScrollbar>(*this, window(), TWScrollbar::kHorizontalBar);
    v_ = std::make_unique<TWScrollbar>(*this, window(), TWScrollbar::kVerticalBar);
    const bool enabled = control() ? control()->enabled() : IsWindowEnabled(window()) != FALSE;
    h_->set_enabled(enabled);
    v_->set_enabled(enabled);
}

void TSkinScrollbar::PlacePanels() {
    if (h_) h_->Place();
    if (v_) v_->Place();
}

void TSkinScrollbar::HidePanels() {
    if (h_) h_->Hide();
    if (v_) v_->Hide();
}

void TSkinScrollbar::Unskin() {
    if (!active()) return;
    if (!dead() && fixed_saved_ && control()) SetPropByName(control(), "FixedColor", std::to_string(static_cast<long long>(saved_fixed_)));
    TSkinControl::Unskin();
    if (!dead()) {
        FreePanel(h_);
        FreePanel(v_);
    } else {
        // Never a panel over a destroyed window; they go with the skin.
        HidePanels();
    }
}

void TSkinScrollbar::Reskin() {
    if (fixed_saved_ && control()) SetPropByName(control(), "FixedColor", std::to_string(static_cast<long long>(FaceColour(*this))));
    TSkinControl::Reskin();
    if (!CanDrawBars()) HidePanels();
    else PlacePanels();
    Invalidate(h_.get());
    Invalidate(v_.get());
}

bool TSkinScrollbar::BeforeMessage(ui::Message& m) {
    if (m.msg == WM_NCPAINT && border_) {
        CallPrevious(m);
        if (HDC dc = GetWindowDC(window())) {
            DrawBorder(dc);
            FillSizeBox(*this, dc, window(), h_.get(), v_.get());
            ReleaseDC(window(), dc);
        }
        return false;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinScrollbar::AfterMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_NCPAINT:
        if (HDC dc = GetWindowDC(window())) {
            FillSizeBox(*this, dc, window(), h_.get(), v_.get());
            ReleaseDC(window(), dc);
        }
        break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: PlacePanels(); break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (TWScrollbar* p = m.msg == WM_HSCROLL ? h_.get() : v_.get()) {
            p->SetHot(LOWORD(m.wparam));
            p->invalidate();
        }
        break;
    case WM_MOUSEWHEEL:
        Invalidate(h_.get());
        Invalidate(v_.get());
        break;
    case ui::CM_VISIBLECHANGED:
        if (control() && control()->visible()) PlacePanels();
        else HidePanels();
        break;
    case ui::CM_ENABLEDCHANGED:
        if (control()) {
            if (h_) h_->set_enabled(control()->enabled());
            if (v_) v_->set_enabled(control()->enabled());
        }
        TSkinControl::AfterMessage(m);
        break;
    case kMsgPaintInto:
        if (m.lparam != kSkinMagic) break;
        DrawBorder(reinterpret_cast<HDC>(m.wparam));
        m.result = kSkinMagic;
        break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinScrollbar::PaintSkin(HDC dc, const ui::Rect&) {
    const auto style = GetWindowLongPtrW(window(), GWL_STYLE);
    const auto follow = [&](TWScrollbar* p, LONG_PTR bit) {
        if (!p) return;
        if (p->shown()) p->invalidate();
        else if (style & bit) p->Place();
    };
    follow(h_.get(), WS_HSCROLL);
    follow(v_.get(), WS_VSCROLL);
    FillSizeBox(*this, dc, window(), h_.get(), v_.get());
}

void TSkinScrollbar::DrawBorder(HDC dc) {
    RECT r{};
    if (!dc || !GetWindowRect(window(), &r)) return;
    const ui::Rect outer{0, 0, r.right - r.left, r.bottom - r.top};
    const SkinDescription* s = Skin();
    const ui::TColor shadow = s ? s->colours[kButtonShadow] : ui::TColor(ui::clBtnShadow);
    const ui::GdiObject<HBRUSH> frame(CreateSolidBrush(ui::to_colorref(shadow)));
    const ui::GdiObject<HBRUSH> face(CreateSolidBrush(ui::to_colorref(FaceColour(*this))));
    RECT a{outer.left, outer.top, outer.right, outer.bottom};
    FrameRect(dc, &a, frame.get());
    InflateRect(&a, -1, -1);
    FrameRect(dc, &a, face.get());
}

// ---- TSkinListView ----

void TSkinListView::AttachScrolled(TWinSkinForm* form, TSkinData* data) {
    TSkinScrollbar::AttachScrolled(form, data);
    if (!attached() || !control()) return;
    auto header = reinterpret_cast<HWND>(SendMessageW(window(), LVM_GETHEADER, 0, 0));
    if (!header || !IsWindow(header)) return;
    // Owned by the list view's control, as skins made for a control's parts are.
    header_ = new TSkinHeader(control());
    header_->AttachWindow(header, data, form);
}

// ---- TSkinScrollbarH ----

TSkinScrollbarH::~TSkinScrollbarH() {
    FreePanel(h_);
    FreePanel(v_);
}

void TSkinScrollbarH::AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) {
    if (attached()) return;
    TSkinControl::AttachWindow(window, data, form);
    if (!attached()) return;
    h_ = std::make_unique<TWScrollbar>(*this, window, TWScrollbar::kHorizontalBar);
    v_ = std::make_unique<TWScrollbar>(*this, window, TWScrollbar::kVerticalBar);
    PlacePanels();
}

void TSkinScrollbarH::PlacePanels() {
    if (h_) h_->Place();
    if (v_) v_->Place();
}

void TSkinScrollbarH::Unskin() {
    if (!active()) return;
    TSkinControl::Unskin();
    if (!dead()) {
        FreePanel(h_);
        FreePanel(v_);
    } else {
        if (h_) h_->Hide();
        if (v_) v_->Hide();
    }
}

void TSkinScrollbarH::AfterMessage(ui::Message& m) {
    // Both panels go with a hidden window, not only the vertical one.
    if (window() && IsWindow(window()) && !IsWindowVisible(window())) {
        if (h_ && h_->shown()) h_->Hide();
        if (v_ && v_->shown()) v_->Hide();
    }
    switch (m.msg) {
    case WM_SIZE:
    case WM_NCPAINT:
    case WM_WINDOWPOSCHANGED:
        PlacePanels();
        Invalidate(h_.get());
        Invalidate(v_.get());
        if (m.msg == WM_NCPAINT)
            if (HDC dc = GetWindowDC(window())) {
                FillSizeBox(*this, dc, window(), h_.get(), v_.get());
                ReleaseDC(window(), dc);
            }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (TWScrollbar* p = m.msg == WM_HSCROLL ? h_.get() : v_.get()) {
            p->SetHot(LOWORD(m.wparam));
            p->invalidate();
        }
        break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinScrollbarH::PaintSkin(HDC dc, const ui::Rect&) {
    Invalidate(h_.get());
    Invalidate(v_.get());
    FillSizeBox(*this, dc, window(), h_.get(), v_.get());
}

// ---- TSkinScControl ----

TSkinScControl::~TSkinScControl() { FreePanel(panel_); }

void TSkinScControl::AttachControl(TWinSkinForm* form, TSkinData* data, bool) {
    if (attached()) return;
    TSkinControl::AttachControl(form, data, false);
    if (!attached() || !control()) return;
    panel_ = std::make_unique<TWScrollbar>(*this, window(), TWScrollbar::kScrollControl);
    panel_->set_show_hint(control()->show_hint());
    panel_->set_hint(control()->hint());
    if (!control()->visible()) panel_->Hide();
    else panel_->Place();
}

void TSkinScControl::Unskin() {
    if (!active()) return;
    TSkinControl::Unskin();
    if (!dead()) FreePanel(panel_);
    else if (panel_) panel_->Hide();
}

void TSkinScControl::AfterMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_WINDOWPOSCHANGED:
        if (panel_) panel_->Place();
        break;
    case WM_NCPAINT:
        if (panel_ && control() && control()->handle_allocated()) {
            panel_->SetWindow(control()->handle());
            panel_->Place();
        }
        break;
    case SBM_SETSCROLLINFO:
    case ui::CN_VSCROLL:
    case ui::CN_HSCROLL:
        if (panel_) panel_->invalidate();
        break;
    case ui::CM_VISIBLECHANGED:
        if (!panel_) break;
        if (control() && control()->visible()) panel_->Place();
        else panel_->Hide();
        break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinScControl::PaintSkin(HDC, const ui::Rect&) {
    if (panel_) panel_->invalidate();
}

// ---- Renewal ----

void RenewScrollSkin(TWinSkinForm& form, HWND window) {
    ui::WinControl* control = ControlOfWindow(window);
    if (!control || !form.data()) return;
    TSkinScrollbar* old = nullptr;
    for (TSkinControl* s : form.ControlSkins())
        if (auto* scrolled = dynamic_cast<TSkinScrollbar*>(s); scrolled && s->control() == control) old = scrolled;
    bool list = false;
    if (old) {
        if (old->busy()) return;
        list = dynamic_cast<TSkinListView*>(old) != nullptr;
    } else {
        const ControlSkinKind kind = ChoiceFor(form, *control).skin.kind;
        if (kind != ControlSkinKind::kScrollbar && kind != ControlSkinKind::kListView) return;
        list = kind == ControlSkinKind::kListView;
    }
    delete old;
    form.DropDeadControlSkins();  // the list's old header skin among them
    TSkinScrollbar* fresh = list ? new TSkinListView(control) : new TSkinScrollbar(control);
    fresh->AttachScrolled(&form, form.data());
    if (!fresh->attached()) delete fresh;
}

} // namespace skin
