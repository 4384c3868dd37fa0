#include "skin/win/skin_boxes.h"

#include <commctrl.h>

#include "platform/text_gbk.h"
#include "platform/ui/win/comctl_controls.h"
#include "skin/win/control_painters.h"
#include "skin/win/skin_data.h"

namespace skin {
namespace {

std::wstring PartText(HWND bar, int part, int& type) {
    const LRESULT length = SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    type = HIWORD(length);
    std::wstring text(LOWORD(length) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

} // namespace

// ---- TSkinBoxH ----

bool TSkinBoxH::BeforeMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_ERASEBKGND: {
        RECT r{};
        if (GetWindowRect(window(), &r) && m.wparam)
            FillFace(*this, reinterpret_cast<HDC>(m.wparam), {0, 0, r.right - r.left, r.bottom - r.top});
        m.result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        CallPrevious(m);
        if (data() && data()->FaceBrush()) {
            // The static's text stands on the face too, in the skin's text colour.
            if (m.wparam) {
                const HDC dc = reinterpret_cast<HDC>(m.wparam);
                SetBkColor(dc, ui::to_colorref(FaceColour(*this)));
                if (const SkinDescription* skin = Skin()) SetTextColor(dc, ui::to_colorref(skin->colours[kWindowText]));
            }
            m.result = reinterpret_cast<LRESULT>(data()->FaceBrush());
        }
        return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinBoxH::AfterMessage(ui::Message& m) {
    if (m.msg == WM_PAINT) return;  // the ground is painted at the erase
    TSkinControl::AfterMessage(m);
}

// ---- TSkinSizer ----

void TSkinSizer::PaintSkin(HDC dc, const ui::Rect& rect) { FillFace(*this, dc, rect); }

// ---- TSkinGroupBox ----

void TSkinGroupBox::AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) {
    if (attached()) return;
    TSkinControl::AttachControl(form, data, set_colour);
    if (attached()) option_ = control() ? 1 : 0;
}

bool TSkinGroupBox::BeforeMessage(ui::Message& m) {
    if (m.msg == WM_PAINT && option_ == 1) {
        HandlePaint(*this, m);
        return false;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinGroupBox::PaintSkin(HDC dc, const ui::Rect& rect) {
    const SkinDescription* skin = Skin();
    const HWND w = window();
    if (!skin || !w) return;
    ui::WinControl* c = control();
    GroupBoxPaint p;
    p.caption = ReadWindowText(w);
    if (p.caption.empty() && c) p.caption = plat::gbk_to_wide(GetTextPropByName(c, "Caption"));
    p.font = TextFont();
    p.text_colour = c ? SkinTextColour(c->font().color(), skin->colours[kWindowText]) : skin->colours[kWindowText];
    p.face = FaceColour(*this);
    p.shadow = skin->colours[kButtonShadow];
    p.fill = option_ == 1;
    p.right_aligned = (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
    p.right_to_left = (TextFlagsFor(*this, 0) & DT_RTLREADING) != 0;
    PaintGroupBox(dc, rect, p);
    if (option_ == 1 && c) c->paint_controls(dc);
}

// ---- TSkinStatusBar ----

bool TSkinStatusBar::BeforeMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_PAINT: HandlePaint(*this, m); return false;
    case WM_ERASEBKGND: m.result = 1; return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinStatusBar::PaintSkin(HDC dc, const ui::Rect& rect) {
    const SkinDescription* skin = Skin();
    const HWND w = window();
    if (!skin || !w || rect.width() <= 0 || rect.height() <= 0) return;
    auto* bar = dynamic_cast<ui::StatusBar*>(control());
    StatusBarPaint p;
    p.face = FaceColour(*this);
    p.font = TextFont();
    p.text_colour = control() ? control()->font().color() : ui::TColor(ui::clBtnText);
    if (skin->status_bar_edges) {
        const TDataSkinObject& edges = *skin->status_bar_edges;
        p.text_colour = edges.normal_colour2;
        const ui::Bitmap* picture = ElementBitmap(edges);
        if (picture && !picture->empty()) {
            p.edges = picture;
            p.edge_margins = {edges.left_width, edges.top_height, edges.right_width, edges.bottom_height};
            p.edge_tile = edges.tile != 0;
            p.edge_trans = edges.trans != 0;
        }
    }
    p.right_to_left = (TextFlagsFor(*this, 0) & DT_RTLREADING) != 0;

    const int parts = static_cast<int>(SendMessageW(w, SB_GETPARTS, 0, 0));
    if (bar) p.simple = bar->simple_panel() || bar->panels().count() == 0;
    else p.simple = SendMessageW(w, SB_ISSIMPLE, 0, 0) != 0 || parts <= 0;
    if (p.simple) {
        int type = 0;
        p.simple_text = bar ? plat::gbk_to_wide(GetTextPropByName(bar, "SimpleText")) : PartText(w, SB_SIMPLEID, type);
    } else {
        for (int i = 0; i < parts; ++i) {
            RECT r{};
            if (!SendMessageW(w, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) r = {};
            StatusPanelPaint panel;
            panel.rect = ui::from_rect(r);
            panel.right_to_left = p.right_to_left;
            int type = 0;
            panel.text = PartText(w, i, type);
            panel.bevel = (type & SBT_NOBORDERS) ? Bevel::kNone : (type & SBT_POPOUT) ? Bevel::kRaised : Bevel::kLowered;
            if (bar && i < bar->panels().count()) {
                const ui::StatusPanel* sp = bar->panels().at(i);
                panel.bevel = sp->bevel() == ui::TStatusPanelBevel::pbRaised  ? Bevel::kRaised
                              : sp->bevel() == ui::TStatusPanelBevel::pbNone ? Bevel::kNone
                                                                              : Bevel::kLowered;
                panel.text_panel = sp->style() == ui::TStatusPanelStyle::psText;
                panel.text = plat::gbk_to_wide(sp->text());
                panel.alignment = sp->alignment() == ui::TAlignment::taRightJustify ? 1
                                  : sp->alignment() == ui::TAlignment::taCenter    ? 2
                                                                                   : 0;
            } else if (type & SBT_OWNERDRAW) {
                panel.text_panel = false;
            }
            p.panels.push_back(panel);
        }
    }
    if ((GetWindowLongPtrW(w, GWL_STYLE) & SBARS_SIZEGRIP) && skin->extra_images) {
        p.size_grip = true;
        p.grip = ElementBitmap(*skin->extra_images);
        p.grip_frames = skin->extra_images->frame;
    }
    PaintStatusBar(dc, rect.width(), rect.height(), p);
    if (control()) control()->paint_controls(dc);
    if (bar && bar->on_draw_panel && !p.simple) {
        const std::vector<Rect> given = [&] {
            std::vector<Rect> r;
            for (const StatusPanelPaint& panel : p.panels) r.push_back(panel.rect);
            return StatusPanelRects(r, rect.width());
        }();
        for (int i = 0; i < static_cast<int>(given.size()) && i < bar->panels().count(); ++i) {
            const Rect& r = given[static_cast<std::size_t>(i)];
            if (r.right > r.left) bar->on_draw_panel(bar, bar->panels().at(i), {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2});
        }
    }
}

} // namespace skin
