#include "skin/win/skin_tabs.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/text_gbk.h"
#include "skin/pixel_transforms.h"
#include "skin/win/control_painters.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_services.h"

namespace skin {
namespace {

constexpr int kTabFrames = 5;
constexpr int kMaxTabText = 80;

Margins MarginsOf(const TDataSkinObject& e) { return {e.left_width, e.top_height, e.right_width, e.bottom_height}; }

HWND ArrowsWindow(HWND tabs) {
    for (HWND h = GetWindow(tabs, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        GetClassNameW(h, name, 32);
        if (lstrcmpiW(name, UPDOWN_CLASSW) == 0) return h;
    }
    return nullptr;
}

} // namespace

// ---- TSkinTab ----

TSkinTab::~TSkinTab() {
    if (arrows_ && !arrows_->dead()) arrows_->Unskin();
    arrows_.reset();
}

void TSkinTab::AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) {
    TSkinControl::AttachControl(form, data, set_colour);
    if (!attached()) return;
    PreparePictures();
    SkinArrows();
}

void TSkinTab::AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) {
    TSkinControl::AttachWindow(window, data, form);
    if (!attached()) return;
    PreparePictures();
    SkinArrows();
}

void TSkinTab::Reskin() {
    prepared_for_ = nullptr;
    PreparePictures();
    TSkinControl::Reskin();
    if (arrows_ && arrows_->active()) arrows_->Reskin();
}

void TSkinTab::Unskin() {
    if (!active()) return;
    FreeArrows();
    TSkinControl::Unskin();
}

void TSkinTab::FreeArrows() {
    if (!arrows_) return;
    if (!arrows_->dead()) arrows_->Unskin();
    if (!arrows_->busy()) arrows_.reset();
}

void TSkinTab::SkinArrows() {
    if (!attached() || !active() || !window()) return;
    HWND arrows = ArrowsWindow(window());
    if (arrows_) {
        if (arrows_->window() == arrows && arrows_->active() && !arrows_->dead()) return;
        if (arrows_->busy()) return;
        FreeArrows();
    }
    // Arrows that answer as skinned have a skin from elsewhere.
    if (!arrows || SendMessageW(arrows, kMsgIsSkinned, 0, 0) == 1) return;
    auto made = std::make_unique<TSkinUpDown>(nullptr);
    made->AttachWindow(arrows, data(), nullptr);
    if (made->attached()) arrows_ = std::move(made);
}

void TSkinTab::PreparePictures() {
    const SkinDescription* skin = Skin();
    const TabSide side = window() ? TabSideOf(static_cast<unsigned long>(GetWindowLongPtrW(window(), GWL_STYLE)))
                                  : TabSide::kTop;
    if (skin == prepared_for_ && side == side_) return;
    prepared_for_ = skin;
    side_ = side;
    strip_.set_size(0, 0);
    pane_.set_size(0, 0);
    if (!skin || !skin->tabs) return;
    Image32 strip = skin->tabs->bitmap;
    OrientStrip(strip, side_);
    AssignImage(strip_, strip);
    Image32 pane;
    if (skin->tabs->style == 0) pane = skin->tabs->bitmap2;
    else if (skin->tabs->style == 1 && skin->tab_pane) pane = skin->tab_pane->bitmap;
    OrientPane(pane, side_);
    AssignImage(pane_, pane);
}

bool TSkinTab::BeforeMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_PAINT: HandlePaint(*this, m); return false;
    case WM_ERASEBKGND: m.result = 1; return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

Rect TSkinTab::ArrowsRect() const {
    HWND arrows = window() ? ArrowsWindow(window()) : nullptr;
    if (!arrows || !IsWindowVisible(arrows)) return {};
    RECT r{};
    GetWindowRect(arrows, &r);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&r), 2);
    return ui::from_rect(r);
}

void TSkinTab::PaintSkin(HDC dc, const ui::Rect& rect) {
    const SkinDescription* skin = Skin();
    const HWND w = window();
    SkinArrows();
    if (!skin || !skin->tabs || !w || !dc || rect.width() <= 0 || rect.height() <= 0) return;
    PreparePictures();
    const int width = rect.width(), height = rect.height();
    RECT display{0, 0, width, height};
    SendMessageW(w, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const Rect pane = TabPaneRect(ui::from_rect(display), side_);
    const int focus = static_cast<int>(SendMessageW(w, TCM_GETCURFOCUS, 0, 0));
    const TDataSkinObject& tabs = *skin->tabs;
    const bool enabled = !(GetWindowLongPtrW(w, GWL_STYLE) & WS_DISABLED);

    if (!strip_.empty()) {
        const Rect band = TabBandRect(width, height, pane, side_);
        const Size2i flat = FlatBandSize(band, side_);
        if (flat.width > 0 && flat.height > 0) {
            band_.set_size(flat.width, flat.height);
            HDC b = band_.dc();
            FillParentColor(*this, b, {0, 0, flat.width, flat.height});
            const ui::SavedDC saved(b);
            SelectObject(b, TextFont());
            SetBkMode(b, TRANSPARENT);
            const auto* images = dynamic_cast<const ui::ImageList*>(GetObjectPropByName(control(), "Images"));
            const int count = static_cast<int>(SendMessageW(w, TCM_GETITEMCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                RECT r{};
                if (!SendMessageW(w, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
                if (r.right <= r.left || r.bottom <= r.top) continue;
                wchar_t text[kMaxTabText + 1] = {};
                TCITEMW item{};
                item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
                item.pszText = text;
                item.cchTextMax = kMaxTabText + 1;
                if (!SendMessageW(w, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) text[0] = 0;
                const Rect at = TabInFlatBand(ui::from_rect(r), band, pane, side_);
                const bool selected = i == focus;
                DrawSkinFrame(b, at, strip_, MarginsOf(tabs), selected ? 2 : 1, kTabFrames, tabs.trans == 1,
                              tabs.tile != 0, false);
                SetTextColor(b, ui::to_colorref(selected ? tabs.mouse_over_colour2 : tabs.normal_colour2));
                const int image = images && item.iImage >= 0 && item.iImage < images->count() ? item.iImage : -1;
                DrawGlyphCaption(b, at, 1, enabled, text, image, images);
            }
            if (Sideways(side_)) {
                if (side_ == TabSide::kLeft) RotateBitmapLeft(band_);
                else RotateBitmapRight(band_);
            }
            const ui::SavedDC clip(dc);
            const Rect arrows = ArrowsRect();
            if (arrows.width() > 0) ExcludeClipRect(dc, arrows.left, arrows.top, arrows.right, arrows.bottom);
            BitBlt(dc, rect.left + band.left, rect.top + band.top, band.width(), band.height(), band_.dc(), 0, 0, SRCCOPY);
        }
    }
    if (!pane_.empty()) {
        const Margins margins = tabs.style == 1 && skin->tab_pane ? MarginsOf(*skin->tab_pane) : Margins{4, 5, 4, 4};
        const Rect at{rect.left + pane.left, rect.top + pane.top, rect.left + pane.right, rect.top + pane.bottom};
        DrawSkinFrame(dc, at, pane_, margins, 1, 1, false, false, false);
    }
    if (option() == 2 && control()) control()->paint_controls(dc);
}

// ---- TSkinTab31 ----

void TSkinTab31::AttachControl(TWinSkinForm* form, TSkinData* data, bool) {
    if (attached()) return;
    tab_set_ = dynamic_cast<ui::WinControl*>(owner());
    if (!tab_set_) return;
    HWND handle = nullptr;
    try {
        handle = tab_set_->handle();
    } catch (...) {
        return;
    }
    AttachWindow(handle, data, form);
    if (attached()) PrepareStrip();
}

void TSkinTab31::Reskin() {
    prepared_for_ = nullptr;
    PrepareStrip();
    TSkinControl::Reskin();
}

void TSkinTab31::PrepareStrip() {
    const SkinDescription* skin = Skin();
    if (skin == prepared_for_) return;
    prepared_for_ = skin;
    flipped_.set_size(0, 0);
    if (!skin || !skin->tabs || skin->tabs->bitmap.empty()) return;
    Image32 strip = skin->tabs->bitmap;
    FlipBitmap(strip);
    AssignImage(flipped_, strip);
}

bool TSkinTab31::BeforeMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_PAINT:
        // The skin first, then the control, then the skin again after it (the base's AfterMessage).
        HandlePaint(*this, m);
        return true;
    case WM_ERASEBKGND: m.result = 1; return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinTab31::PaintSkin(HDC dc, const ui::Rect& rect) {
    const SkinDescription* skin = Skin();
    if (!dc || !skin || !skin->tabs || !tab_set_ || rect.width() <= 0 || rect.height() <= 0) return;
    PrepareStrip();
    if (flipped_.empty()) return;
    const TDataSkinBorder& tabs = *skin->tabs;
    buffer_.set_size(rect.width(), rect.height());
    HDC b = buffer_.dc();
    FillFace(*this, b, {0, 0, rect.width(), rect.height()});
    const ui::GdiObject<HFONT> font(ui::create_font(tab_set_->font()));
    const ui::SavedDC saved(b);
    SelectObject(b, TextFont());
    SetBkMode(b, TRANSPARENT);

    std::vector<std::wstring> texts;
    {
        const std::wstring all = plat::gbk_to_wide(GetTextPropByName(tab_set_, "Tabs"));
        std::size_t start = 0;
        while (start <= all.size() && !all.empty()) {
            std::size_t end = all.find(L'\n', start);
            if (end == std::wstring::npos) end = all.size();
            std::wstring line = all.substr(start, end - start);
            if (!line.empty() && line.back() == L'\r') line.pop_back();
            if (!(end == all.size() && line.empty())) texts.push_back(line);
            start = end + 1;
        }
    }
    std::vector<int> widths;
    for (const std::wstring& t : texts) {
        RECT r{0, 0, 0, 0};
        if (!t.empty()) DrawTextAuto(b, t, r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
        widths.push_back(r.right - r.left);
    }
    const auto ord = [this](const char* name) {
        const std::int64_t v = GetOrdPropByName(tab_set_, name);
        return static_cast<int>(std::clamp<std::int64_t>(v, -1000000, 1000000));
    };
    const int selected = ord("TabIndex");
    const auto* scroller = dynamic_cast<const ui::Control*>(GetObjectPropByName(tab_set_, "Scroller"));
    const bool scroller_visible = scroller && scroller->visible();
    for (const TabSetTab& t : FitTabSet(widths, std::max(ord("FirstIndex"), 0), rect.width(), rect.height(),
                                        std::max(ord("StartMargin"), 0), std::max(ord("EndMargin"), 0), scroller_visible)) {
        const bool on = t.index == selected;
        DrawSkinFrame(b, t.rect, flipped_, MarginsOf(tabs), on ? 2 : 1, kTabFrames, tabs.trans == 1, tabs.tile != 0, false);
        SetTextColor(b, ui::to_colorref(on ? tabs.mouse_over_colour2 : tabs.normal_colour2));
        DrawCaption(b, t.rect, 1, true, texts[static_cast<std::size_t>(t.index)]);
    }
    BitBlt(dc, rect.left, rect.top, rect.width(), rect.height(), b, 0, 0, SRCCOPY);
}

// ---- TSkinTabBtn ----

bool TSkinTabBtn::BeforeMessage(ui::Message& m) {
    if (m.msg == WM_PAINT) {
        HandlePaint(*this, m);
        return false;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinTabBtn::PaintSkin(HDC dc, const ui::Rect& rect) {
    const SkinDescription* skin = Skin();
    const HWND w = window();
    if (!skin || !skin->buttons || !w || !dc || rect.width() <= 0) return;
    const ui::Bitmap* strip = ElementBitmap(*skin->buttons);
    if (!strip) return;
    const TDataSkinButton& buttons = *skin->buttons;
    const bool enabled = control() ? control()->enabled() : !(GetWindowLongPtrW(w, GWL_STYLE) & WS_DISABLED);
    RECT display{0, 0, rect.width(), rect.height()};
    SendMessageW(w, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const int band_height = std::min(static_cast<int>(display.top) - 4 + 1, rect.height());
    if (band_height <= 0) return;
    band_.set_size(rect.width(), band_height);
    HDC b = band_.dc();
    FillFace(*this, b, {0, 0, rect.width(), band_height});
    const ui::SavedDC saved(b);
    SelectObject(b, TextFont());
    SetBkMode(b, TRANSPARENT);
    const auto* images = dynamic_cast<const ui::ImageList*>(GetObjectPropByName(control(), "Images"));
    const int focus = static_cast<int>(SendMessageW(w, TCM_GETCURFOCUS, 0, 0));
    const int count = static_cast<int>(SendMessageW(w, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!SendMessageW(w, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
        if (r.right <= r.left || r.bottom <= r.top) continue;
        wchar_t text[kMaxTabText + 1] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = kMaxTabText + 1;
        if (!SendMessageW(w, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) text[0] = 0;
        const Rect at{r.left, r.top + 1, r.right, r.bottom + 1};
        const bool selected = i == focus;
        DrawSkinFrame(b, at, *strip, MarginsOf(buttons), selected ? 2 : 1, kTabFrames, buttons.trans == 1, buttons.tile != 0,
                      false);
        COLORREF colour = RGB(0, 0, 0);
        if (!selected && buttons.normal_colour2_given) colour = ui::to_colorref(buttons.normal_colour2);
        if (selected && buttons.pressed_colour2_given) colour = ui::to_colorref(buttons.pressed_colour2);
        SetTextColor(b, colour);
        const int image = images && item.iImage >= 0 && item.iImage < images->count() ? item.iImage : -1;
        DrawGlyphCaption(b, at, 1, enabled, text, image, images);
    }
    BitBlt(dc, rect.left, rect.top, rect.width(), band_height, b, 0, 0, SRCCOPY);
}

// ---- TSkinAdvPage ----

void TSkinAdvPage::AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) {
    if (attached()) return;
    TSkinControl::AttachControl(form, data, set_colour);
    if (!attached()) return;
    if (kind_ == 4) MakePictures();
}

void TSkinAdvPage::Reskin() {
    if (kind_ == 4) MakePictures();
    TSkinControl::Reskin();
}

void TSkinAdvPage::Unskin() {
    for (const char* name : {"TabBackGround", "TabBackGroundActive"})
        if (auto* picture = dynamic_cast<ui::Bitmap*>(GetObjectPropByName(control(), name))) picture->set_size(0, 0);
    TSkinControl::Unskin();
}

void TSkinAdvPage::MakePictures() {
    const SkinDescription* skin = Skin();
    if (!skin || !skin->tabs) return;
    const TDataSkinBorder& tabs = *skin->tabs;
    const std::pair<const char*, int> pictures[] = {{"TabBackGround", 1}, {"TabBackGroundActive", 2}};
    for (const auto& [name, frame] : pictures) {
        auto* picture = dynamic_cast<ui::Bitmap*>(GetObjectPropByName(control(), name));
        if (!picture) continue;
        AssignImage(*picture, AdvPageTabPicture(tabs.bitmap, kTabFrames, frame, MarginsOf(tabs), tabs.tile != 0));
    }
    if (control()) control()->invalidate();
}

// ---- TSkinTabSheet ----

bool TSkinTabSheet::BeforeMessage(ui::Message& m) {
    if (option() != 0) return TSkinControl::BeforeMessage(m);
    switch (m.msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT: HandlePaint(*this, m); return false;
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(window(), &r);
        FillFace(*this, reinterpret_cast<HDC>(m.wparam), ui::from_rect(r));
        m.result = 1;
        return false;
    }
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinTabSheet::PaintSkin(HDC dc, const ui::Rect& rect) {
    if (!dc) return;
    FillFace(*this, dc, rect);
    if (control()) control()->paint_controls(dc);
}

} // namespace skin
