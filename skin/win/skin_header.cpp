#include "skin/win/skin_header.h"

#include <windowsx.h>

#include <commctrl.h>

#include "skin/win/skin_frames.h"
#include "skin/win/skin_services.h"

namespace skin {

void TSkinHeader::AttachControl(TWinSkinForm* form, TSkinData* data, bool set_colour) {
    TSkinControl::AttachControl(form, data, set_colour);
    hot_item_ = -1;
}

void TSkinHeader::AttachWindow(HWND window, TSkinData* data, TWinSkinForm* form) {
    TSkinControl::AttachWindow(window, data, form);
    hot_item_ = -1;
}

bool TSkinHeader::HasHeaderbar() const {
    const SkinDescription* s = Skin();
    return s && s->header_bar && !s->header_bar->bitmap.empty();
}

bool TSkinHeader::BeforeMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_PAINT:
        if (!HasHeaderbar()) break;
        HandlePaint(*this, m);
        return false;
    case WM_ERASEBKGND:
        if (!HasHeaderbar()) break;
        m.result = 1;
        return false;
    default: break;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinHeader::AfterMessage(ui::Message& m) {
    switch (m.msg) {
    case WM_MOUSEMOVE: {
        const POINT p{GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)};
        for (std::size_t i = 0; i < items_.size(); ++i) {
            const ui::Rect& r = items_[i];
            if (p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom) continue;
            if (static_cast<int>(i) != hot_item_) {
                hot_item_ = static_cast<int>(i);
                RefreshSkin();
            }
            break;
        }
        TrackMouseLeave(window());
        break;
    }
    case WM_MOUSELEAVE:
        hot_item_ = -1;
        RefreshSkin();
        break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinHeader::PaintSkin(HDC dc, const ui::Rect& rect) {
    const SkinDescription* s = Skin();
    if (!dc || !s || !s->header_bar || s->header_bar->bitmap.empty()) return;
    const TDataSkinObject& bar = *s->header_bar;
    const ui::Bitmap* picture = ElementBitmap(bar);
    if (!picture || rect.width() <= 0 || rect.height() <= 0) return;
    const int frames = std::max(bar.frame, 1);
    HWND h = window();
    buffer_.set_size(rect.width(), rect.height());
    HDC b = buffer_.dc();
    if (!b) return;
    FillColorRect(b, {0, 0, rect.width(), rect.height()}, FaceColour(*this));
    const auto font = reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0));
    const HGDIOBJ old_font = SelectObject(b, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    const int old_mode = SetBkMode(b, TRANSPARENT);
    enabled_ = IsWindowEnabled(h) != FALSE;
    const COLORREF text_colour = !enabled_ ? GetSysColor(COLOR_BTNSHADOW)
                                 : s->colour_defined[kWindowText] ? ui::to_colorref(s->colours[kWindowText])
                                                                   : GetSysColor(COLOR_BTNTEXT);
    const COLORREF old_colour = SetTextColor(b, text_colour);
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(h, HDM_GETIMAGELIST, 0, 0));
    const int count = std::max(0, static_cast<int>(SendMessageW(h, HDM_GETITEMCOUNT, 0, 0)));
    items_.assign(static_cast<std::size_t>(count), ui::Rect{});
    int end = 0;
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!SendMessageW(h, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
        const ui::Rect item{r.left, r.top, r.right, r.bottom};
        end = std::max(end, item.right);
        DrawElement(b, item, bar, *picture, frames, i == hot_item_ ? 2 : 1);
        wchar_t text[201] = {};
        HDITEMW info{};
        info.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
        info.pszText = text;
        info.cchTextMax = 200;
        if (SendMessageW(h, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&info)) && text[0]) {
            int image = (info.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) ? info.iImage : -1;
            int iw = 0, ih = 0;
            if (image < 0 || !images || !ImageList_GetIconSize(images, &iw, &ih) || iw >= item.width()) image = -1, iw = 0;
            const UINT align = (info.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT
                               : (info.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                                            : DT_LEFT;
            RECT area{item.left + 3, item.top, item.right - 3, item.bottom};
            if (image >= 0) {
                ImageList_Draw(images, image, b, area.left, item.top + (item.height() - ih) / 2, ILD_TRANSPARENT);
                area.left += iw + 2;
            }
            if (area.right > area.left)
                DrawTextAuto(b, text, area, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_EXPANDTABS);
        }
        items_[static_cast<std::size_t>(i)] = {item.left + 3, item.top + 3, item.right - 3, item.bottom - 3};
    }
    if (end < rect.width()) DrawElement(b, {end, 0, rect.width(), rect.height()}, bar, *picture, frames, 1);
    SetTextColor(b, old_colour);
    SetBkMode(b, old_mode);
    SelectObject(b, old_font);
    BitBlt(dc, rect.left, rect.top, rect.width(), rect.height(), b, 0, 0, SRCCOPY);
}

} // namespace skin
