#include "skin/win/skin_menu_draw.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/text_gbk.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/image_list.h"
#include "skin/menu_item_layout.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_popup_menu.h"

namespace skin {

namespace {

constexpr int kItemFrames = 5;
constexpr int kSeparatorFrame = 2, kNormalFrame = 1, kSelectedFrame = 4;
constexpr ui::TColor kMagenta = 0xFF00FF;

const SkinDescription* SkinOf(TSkinData* data) { return data && !data->NoSkin() ? data->Skin() : nullptr; }

ui::TColor Colour(TSkinData* data, int index, int system) {
    if (const SkinDescription* s = SkinOf(data)) return s->colours[static_cast<std::size_t>(index)];
    return static_cast<ui::TColor>(GetSysColor(system));
}

int ItemLeftWidth(TSkinData* data) {
    const SkinDescription* s = SkinOf(data);
    return s && s->menu_item ? s->menu_item->left_width : 0;
}

struct ItemView {
    std::string caption;
    bool enabled = true, checked = false, is_default = false;
    int image_index = -1;
    ui::TShortCut shortcut = 0;
    ui::ImageList* images = nullptr;
    bool right_to_left = false;
};

ItemView ViewOf(ui::MenuItem* item) {
    ItemView v;
    v.caption = item->caption();
    v.enabled = item->enabled();
    v.checked = item->checked();
    v.is_default = item->is_default();
    v.image_index = item->image_index();
    v.shortcut = item->shortcut();
    if (ui::Menu* m = item->menu()) v.images = m->images();
    return v;
}

// The system check mark in `colour`, centred in `box` of the work bitmap.
void DrawCheckMark(ui::Bitmap& work, const Rect& box, ui::TColor colour) {
    const int side = std::min(box.width(), box.height());
    if (side <= 0) return;
    ui::Bitmap mark(side, side);
    RECT all{0, 0, side, side};
    FillRect(mark.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawFrameControl(mark.dc(), &all, DFC_MENU, DFCS_MENUCHECK);
    const int x0 = box.left + (box.width() - side) / 2, y0 = box.top + (box.height() - side) / 2;
    const std::uint32_t pixel = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    for (int y = 0; y < side; ++y) {
        const int ty = y0 + y;
        if (ty < 0 || ty >= work.height()) continue;
        const std::uint32_t* src = mark.scan_line(y);
        std::uint32_t* dst = work.scan_line(ty);
        for (int x = 0; x < side; ++x) {
            const int tx = x0 + x;
            if (tx < 0 || tx >= work.width() || (src[x] & 0xFFFFFF) == 0xFFFFFF) continue;
            dst[tx] = pixel;
        }
    }
}

// Glyph box, check mark, caption and shortcut into the work bitmap (the item at (0, 0)).
void DrawContent(TSkinData* data, const ItemView& v, ui::Bitmap& work, bool selected, bool separator_line) {
    HDC dc = work.dc();
    const bool separator = v.caption == "-";
    HFONT font = CreateMenuFont(v.is_default);
    HGDIOBJ old_font = SelectObject(dc, font);
    const std::wstring caption = plat::gbk_to_wide(MeasuredCaption(v.caption));
    RECT measured{};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    const std::wstring shortcut = plat::gbk_to_wide(ui::shortcut_to_text(v.shortcut));
    RECT shortcut_size{};
    if (!shortcut.empty())
        DrawTextW(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &shortcut_size, DT_SINGLELINE | DT_CALCRECT);

    ItemFacts f;
    f.item = {0, 0, work.width(), work.height()};
    f.item_left_width = ItemLeftWidth(data);
    f.image_width = v.images ? v.images->width() : 0;
    f.checked = v.checked;
    f.separator = separator;
    f.right_to_left = v.right_to_left;
    f.caption_height = measured.bottom - measured.top;
    f.shortcut_width = shortcut_size.right - shortcut_size.left;
    const ItemLayout l = LayOutItem(f);

    const bool has_image = v.images && v.image_index >= 0 && v.image_index < v.images->count();
    if (l.has_glyph_box && has_image) {
        if (v.checked) {
            ui::Bitmap pattern(8, 8);
            const ui::TColor face = ui::color_to_rgb(ui::clBtnFace), light = ui::color_to_rgb(ui::clBtnHighlight);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x) pattern.canvas().set_pixel(x, y, (x + y) % 2 ? face : light);
            HBRUSH brush = CreatePatternBrush(pattern.handle());
            RECT box{l.glyph_box.left, l.glyph_box.top, l.glyph_box.right, l.glyph_box.bottom};
            FillRect(dc, &box, brush);
            DeleteObject(brush);
            DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
        }
        v.images->draw(dc, l.glyph_box.left + (l.glyph_box.width() - v.images->width()) / 2,
                       l.glyph_box.top + (l.glyph_box.height() - v.images->height()) / 2, v.image_index, v.enabled);
    } else if (l.has_glyph_box && v.checked) {
        DrawCheckMark(work, l.glyph_box, static_cast<ui::TColor>(GetSysColor(COLOR_BTNTEXT)));
    }

    if (separator) {
        if (separator_line) {
            RECT line{l.caption.left, l.separator_line_y, l.caption.right, l.separator_line_y + 2};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        }
    } else {
        const SkinDescription* s = SkinOf(data);
        const bool shadow_is_text = s && s->colours[kButtonShadow] == s->colours[kMenuText];
        ui::TColor colour = 0;
        switch (CaptionColourOf(v.enabled, selected, shadow_is_text)) {
        case CaptionColour::kMenuText: colour = Colour(data, kMenuText, COLOR_MENUTEXT); break;
        case CaptionColour::kHilightText: colour = Colour(data, kHilightText, COLOR_HIGHLIGHTTEXT); break;
        case CaptionColour::kButtonShadow: colour = Colour(data, kButtonShadow, COLOR_BTNSHADOW); break;
        case CaptionColour::kSystemButtonShadow: colour = static_cast<ui::TColor>(GetSysColor(COLOR_BTNSHADOW)); break;
        }
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ui::color_to_rgb(colour));
        const std::wstring text = plat::gbk_to_wide(v.caption);
        RECT r{l.caption_text.left, l.caption_text.top, l.caption_text.right, l.caption_text.bottom};
        const UINT align = v.right_to_left ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_EXPANDTABS | align);
        if (!shortcut.empty()) {
            RECT sr{l.shortcut.left, l.shortcut.top, l.shortcut.right, l.shortcut.bottom};
            DrawTextW(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &sr,
                      DT_SINGLELINE | (v.right_to_left ? DT_LEFT : DT_RIGHT));
        }
    }
    SelectObject(dc, old_font);
    DeleteObject(font);
}

// The item's background: the popup's picture under it when there is one, else `Menu`.
void FillBackground(TSkinData* data, ui::Bitmap& work, HMENU menu, const RECT& rect) {
    TWinSkinPopMenu* popup = menu ? TWinSkinPopMenu::ForMenu(menu) : nullptr;
    if (popup && !popup->Background().empty()) {
        // Items are placed in the popup's client area, the picture covers the whole window.
        POINT client{0, 0};
        RECT window{};
        if (ClientToScreen(popup->window(), &client) && GetWindowRect(popup->window(), &window)) {
            client.x -= window.left;
            client.y -= window.top;
        } else {
            client = {3, 3};
        }
        BitBlt(work.dc(), 0, 0, work.width(), work.height(), popup->Background().dc(), rect.left + client.x,
               rect.top + client.y, SRCCOPY);
        return;
    }
    work.canvas().brush().color = Colour(data, kMenu, COLOR_MENU);
    work.canvas().fill_rect({0, 0, work.width(), work.height()});
}

void DrawOnPicture(TSkinData* data, const ItemView& v, HMENU menu, HDC dc, const RECT& rect, bool selected,
                   bool separator_case) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0 || w > kMaxDrawSide || h > kMaxDrawSide) return;
    const SkinDescription* s = SkinOf(data);
    ui::Bitmap work(w, h);
    FillBackground(data, work, menu, rect);
    const TDataSkinObject& e = *s->menu_item;
    ui::Bitmap picture;
    AssignImage(picture, e.bitmap);
    if (separator_case && v.caption == "-") {
        const auto frame = FrameRect(picture.width(), picture.height(), kItemFrames, kSeparatorFrame, false);
        if (frame) {
            const int rows = std::min(frame->height(), h);
            ui::Bitmap strip(frame->width(), rows);
            BitBlt(strip.dc(), 0, 0, frame->width(), rows, picture.dc(), frame->left, frame->bottom - rows, SRCCOPY);
            auto piece = StretchSkinFrame({0, 0, w, rows}, strip, {e.left_width, 0, e.right_width, 0}, false, false, 1, 1);
            if (piece) TransparentBlit(work.dc(), {0, (h - rows) / 2, w, (h - rows) / 2 + rows}, *piece, kMagenta);
        }
    } else {
        DrawSkinFrame(work.dc(), {0, 0, w, h}, picture, {e.left_width, e.top_height, e.right_width, e.bottom_height},
                      selected ? kSelectedFrame : kNormalFrame, kItemFrames, e.trans == 1, e.tile != 1, false);
        DrawContent(data, v, work, selected, true);
    }
    BitBlt(dc, rect.left, rect.top, w, h, work.dc(), 0, 0, SRCCOPY);
}

void DrawPlain(TSkinData* data, const ItemView& v, HDC dc, const RECT& rect, bool selected) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0 || w > kMaxDrawSide || h > kMaxDrawSide) return;
    ui::Bitmap work(w, h);
    work.canvas().brush().color = selected ? Colour(data, kHilight, COLOR_HIGHLIGHT) : Colour(data, kMenu, COLOR_MENU);
    work.canvas().fill_rect({0, 0, w, h});
    DrawContent(data, v, work, selected, true);
    BitBlt(dc, rect.left, rect.top, w, h, work.dc(), 0, 0, SRCCOPY);
}

void WalkItems(ui::MenuItem& parent, const std::function<void(ui::MenuItem&)>& f) {
    for (ui::MenuItem* i : parent.items()) {
        f(*i);
        WalkItems(*i, f);
    }
}

} // namespace

std::wstring ReadMenuText(HMENU menu, UINT item, bool by_position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    if (!menu || !GetMenuItemInfoW(menu, item, by_position, &info) || info.cch == 0) return {};
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (!GetMenuItemInfoW(menu, item, by_position, &info)) return {};
    text.resize(std::min<std::size_t>(info.cch, text.size()));
    text.resize(MenuTextKept(text.data(), text.size()));
    return text;
}

HFONT CreateMenuFont(bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = metrics.lfMenuFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    if (bold) font.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&font);
}

void MeasureMainMenuItem(TSkinData* data, ui::MenuItem* item, HDC dc, int& width, int& height) {
    // The item's own measure, without this handler.
    ui::MenuItem::MeasureItemEvent own = std::move(item->on_measure_item);
    item->on_measure_item = nullptr;
    item->measure_item(dc, width, height);
    item->on_measure_item = std::move(own);
    ui::Menu* m = item->menu();
    width = MainMenuItemWidth(width, ItemLeftWidth(data), m && m->images());
}

void MeasurePopupItem(TSkinData* data, ui::MenuItem* item, HDC, int& width, int&) {
    ui::Menu* m = item->menu();
    width = PopupItemWidth(width, ItemLeftWidth(data), m && m->images());
}

void MeasureItemFromText(TSkinData* data, const std::wstring& text, HDC dc, int& width, int& height) {
    HFONT font = CreateMenuFont(false);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    const ItemSize s = HandleItemSize(size.cx, height, ItemLeftWidth(data), !text.empty(), false);
    width = s.width;
    height = s.height;
}

void DrawMenuItem(TSkinData* data, ui::MenuItem* item, HDC dc, const RECT& rect, bool selected) {
    if (!item || !dc) return;
    const HMENU parent = item->parent_handle();
    TWinSkinPopMenu::MarkAllTracking();
    TWinSkinPopMenu::GiveMenu(parent);
    const SkinDescription* s = SkinOf(data);
    if (!s || !s->menu_item || s->menu_item->bitmap.empty()) {
        DrawPlainMenuItem(data, item, dc, rect, selected);
        return;
    }
    DrawOnPicture(data, ViewOf(item), parent, dc, rect, selected, true);
}

void DrawPlainMenuItem(TSkinData* data, ui::MenuItem* item, HDC dc, const RECT& rect, bool selected) {
    if (!item || !dc) return;
    DrawPlain(data, ViewOf(item), dc, rect, selected);
}

void DrawMenuItemFromHandle(TSkinData* data, HMENU menu, UINT id, HDC dc, const RECT& rect, bool selected) {
    if (!dc) return;
    ItemView v;
    const std::wstring text = ReadMenuText(menu, id, false);
    v.caption = text.empty() ? "-" : plat::wide_to_gbk(text);
    const UINT state = menu ? GetMenuState(menu, id, MF_BYCOMMAND) : 0;
    if (state != static_cast<UINT>(-1)) {
        v.enabled = (state & (MF_GRAYED | MF_DISABLED)) == 0;
        v.checked = (state & MF_CHECKED) != 0;
    }
    TWinSkinPopMenu::MarkAllTracking();
    TWinSkinPopMenu::GiveMenu(menu);
    const SkinDescription* s = SkinOf(data);
    if (!s || !s->menu_item || s->menu_item->bitmap.empty())
        DrawPlain(data, v, dc, rect, selected);
    else
        DrawOnPicture(data, v, menu, dc, rect, selected, false);
}

void GivePopupHandlers(TSkinData* data, ui::PopupMenu& menu, bool on) {
    menu.set_owner_draw(on);
    WalkItems(*menu.items(), [&](ui::MenuItem& i) {
        if (on) {
            i.on_draw_item = [data](ui::MenuItem* item, HDC dc, const RECT& r, bool selected) {
                DrawMenuItem(data, item, dc, r, selected);
            };
            if (!i.on_measure_item)
                i.on_measure_item = [data](ui::MenuItem* item, HDC dc, int& w, int& h) { MeasurePopupItem(data, item, dc, w, h); };
        } else {
            i.on_draw_item = nullptr;
            i.on_measure_item = nullptr;
        }
    });
}

void SetMenusOwnerDraw(TSkinData* data, ui::Component* component, bool on) {
    if (!component || (on && (!data || !data->SkinControls().has(TSkinControlType::xcPopupMenu)))) return;
    const int disable_tag = data ? data->DisableTag() : 99;
    for (ui::Component* c : std::vector<ui::Component*>(component->components())) {
        if (auto* popup = dynamic_cast<ui::PopupMenu*>(c)) {
            if (popup->tag() != disable_tag) GivePopupHandlers(data, *popup, on);
        } else if (c->component_count() > 0 && c->class_name() != "TwwRichEditForm") {
            // Frames and owned forms hold their own menus.
            SetMenusOwnerDraw(data, c, on);
        }
    }
}

void SetMainMenusOwnerDraw(TSkinData* data, ui::Component* control, bool on) {
    if (!control || (on && (!data || !data->SkinControls().has(TSkinControlType::xcMenuItem)))) return;
    for (ui::Component* c : std::vector<ui::Component*>(control->components())) {
        auto* menu = dynamic_cast<ui::MainMenu*>(c);
        if (!menu) continue;
        menu->set_owner_draw(on);
        for (ui::MenuItem* top : menu->items()->items())
            WalkItems(*top, [&](ui::MenuItem& i) {
                if (on) {
                    if (i.on_draw_item) return;
                    i.on_draw_item = [data](ui::MenuItem* item, HDC dc, const RECT& r, bool selected) {
                        DrawMenuItem(data, item, dc, r, selected);
                    };
                    i.on_measure_item = [data](ui::MenuItem* item, HDC dc, int& w, int& h) {
                        MeasureMainMenuItem(data, item, dc, w, h);
                    };
                } else {
                    i.on_draw_item = nullptr;
                    i.on_measure_item = nullptr;
                }
            });
    }
}

} // namespace skin
