#include "skin/win/skin_menu_bar.h"

#include <algorithm>

#include "platform/text_gbk.h"
#include "skin/menu_bar_layout.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_menu_draw.h"
#include "skin/win/skin_popup_menu.h"

namespace skin {
namespace {

constexpr std::size_t kMenuTextLimit = 80;

// What one drop of a menu shares with the message filter: the filter is a plain function of
// the thread, and only one menu is tracked at a time.
struct DropState {
    TWinSkinMenu* bar = nullptr;
    int dropped = -1;
    HMENU submenu = nullptr;
    TrackedItem item;
    POINT last{};
    bool first = true;
    int target = -1;  // the button the keys or the mouse moved to
    HHOOK hook = nullptr;
};

DropState& drop() {
    static DropState state;
    return state;
}

int hooks_in = 0, hooks_out = 0;

// An item a drop made owner-drawn, given back to the system's drawing when the drop ends.
struct MarkedItem {
    HMENU menu;
    UINT position;
    UINT id;
};

constexpr int kMaxMenuDepth = 16;

// Every item of `menu` and of its submenus drawn by the window for the drop.
void MarkOwnerDraw(HMENU menu, std::vector<MarkedItem>& marked, int depth = 0) {
    if (!menu || depth > kMaxMenuDepth) return;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (!(info.fType & (MFT_OWNERDRAW | MFT_BITMAP))) {
            MENUITEMINFOW set{};
            set.cbSize = sizeof set;
            set.fMask = MIIM_FTYPE;
            set.fType = info.fType | MFT_OWNERDRAW;
            if (SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &set))
                marked.push_back({menu, static_cast<UINT>(i), info.wID});
        }
        if (info.hSubMenu) MarkOwnerDraw(info.hSubMenu, marked, depth + 1);
    }
}

// The marked items still in their menus (a menu rebuilt meanwhile has new ones).
void UnmarkOwnerDraw(const std::vector<MarkedItem>& marked) {
    for (const MarkedItem& m : marked) {
        if (!IsMenu(m.menu)) continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        if (!GetMenuItemInfoW(m.menu, m.position, TRUE, &info) || info.wID != m.id || !(info.fType & MFT_OWNERDRAW))
            continue;
        MENUITEMINFOW set{};
        set.cbSize = sizeof set;
        set.fMask = MIIM_FTYPE;
        set.fType = info.fType & ~static_cast<UINT>(MFT_OWNERDRAW);
        SetMenuItemInfoW(m.menu, m.position, TRUE, &set);
    }
}

std::u16string AsU16(const std::wstring& w) { return std::u16string(w.begin(), w.end()); }
std::wstring AsWide(const std::u16string& u) { return std::wstring(u.begin(), u.end()); }

std::wstring MenuText(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return {};
    std::wstring text(static_cast<std::size_t>(info.cch) + 1, L'\0');
    info.cch += 1;
    info.dwTypeData = text.data();
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return {};
    text.resize(std::min<std::size_t>(info.cch, text.size() - 1));
    return AsWide(CutMenuText(AsU16(text), kMenuTextLimit));
}

// The newest menu window of the thread: keys for the menu go there.
HWND NewestMenuWindow(HWND fallback) {
    for (HWND w = FindWindowW(L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) return w;
    return fallback;
}

LRESULT CALLBACK MenuFilter(int code, WPARAM wparam, LPARAM lparam) {
    DropState& s = drop();
    auto* msg = reinterpret_cast<MSG*>(lparam);
    const bool right_to_left = s.bar && s.bar->buttons().size() > 0 && s.bar->right_to_left();
    if (code == MSGF_MENU && msg && right_to_left && msg->message == WM_KEYDOWN) {
        if (msg->wParam == VK_LEFT)
            msg->wParam = VK_RIGHT;
        else if (msg->wParam == VK_RIGHT)
            msg->wParam = VK_LEFT;
    }
    const LRESULT handled = CallNextHookEx(s.hook, code, wparam, lparam);
    if (handled || code != MSGF_MENU || !msg || !s.bar) return handled;
    if (s.first) {
        s.first = false;
        PostMessageW(NewestMenuWindow(s.bar->window()), WM_KEYDOWN, VK_DOWN, 0);  // the first item selected
    }
    const int count = static_cast<int>(s.bar->buttons().size());
    int target = -1;
    switch (msg->message) {
    case WM_KEYDOWN:
        if (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT)
            target = ButtonForArrow(msg->wParam == VK_LEFT ? BarKey::kLeft : BarKey::kRight, s.dropped, count, s.item);
        break;
    case WM_SYSKEYDOWN:
        // The system closes the menu on Alt; nothing drops after it.
        if (msg->wParam == VK_MENU) {
            s.bar->LeaveMenuMode();
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (msg->pt.x != s.last.x || msg->pt.y != s.last.y) {
            s.last = msg->pt;
            target = ButtonForPointer(s.bar->HitTestScreen(msg->pt), s.dropped);
        }
        break;
    default: break;
    }
    if (target < 0) return 0;
    // A second menu cannot be tracked while this one is: this one ends, and the bar drops the
    // other when the tracking has returned.
    s.target = target;
    EndMenu();
    return 1;
}

} // namespace

int TWinSkinMenu::hooks_installed() { return hooks_in; }
int TWinSkinMenu::hooks_removed() { return hooks_out; }
HHOOK TWinSkinMenu::active_hook() { return drop().hook; }
HMENU TWinSkinMenu::dropped_submenu() { return drop().submenu; }

TWinSkinMenu::TWinSkinMenu(HWND window, ui::Form* form, TSkinData& data, TSkinManage& manager, bool right_to_left)
    : window_(window), form_(form), data_(data), manager_(manager), right_to_left_(right_to_left) {}

TWinSkinMenu::~TWinSkinMenu() {
    DropState& s = drop();
    if (s.bar == this) {
        // Destroyed from inside its own drop (the window went): the filter must not outlive it.
        if (s.hook) {
            UnhookWindowsHookEx(s.hook);
            ++hooks_out;
        }
        s = DropState{};
    }
}

HFONT TWinSkinMenu::MenuFont() {
    if (!font_.get()) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            font_ = ui::GdiObject<HFONT>(CreateFontIndirectW(&metrics.lfMenuFont));
        else
            return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    return font_.get();
}

void TWinSkinMenu::Build(bool mdi_menu) {
    HMENU menu = GetMenu(window_);
    if (!menu && form_ && !mdi_menu) {
        // A library window shows its present main menu, or none once it has none.
        if (!form_->menu()) menu_ = nullptr;
        menu = form_->menu() ? form_->menu()->handle() : nullptr;
    }
    Build(menu ? menu : menu_, mdi_menu);
}

void TWinSkinMenu::Build(HMENU menu, bool mdi_menu) {
    if (dropping_) {
        // The buttons are in use by the drop: built again when it has ended.
        rebuild_pending_ = true;
        return;
    }
    buttons_.clear();
    caption_widths_.clear();
    hot_ = -1;
    if (menu && IsMenu(menu)) menu_ = menu;
    if (!menu_ || !IsMenu(menu_)) {
        menu_ = nullptr;
        return;
    }
    ui::MainMenu* library_menu = form_ ? form_->menu() : nullptr;
    const int count = GetMenuItemCount(menu_);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoW(menu_, static_cast<UINT>(i), TRUE, &info)) continue;
        Button b;
        b.command = info.wID;
        b.submenu = info.hSubMenu;
        b.enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        if (!(info.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW))) b.caption = MenuText(menu_, static_cast<UINT>(i));
        ui::MenuItem* item = nullptr;
        if (library_menu && (!mdi_menu || b.caption.empty()) && info.wID >= 1 && info.wID <= 4095)
            item = library_menu->find_item(info.wID);
        if (item && item != library_menu->items()) {
            b.item = item;
            b.caption = AsWide(CutMenuText(AsU16(plat::gbk_to_wide(item->caption())), kMenuTextLimit));
            if (item->is_separator()) b.caption.clear();
            b.enabled = item->enabled();
            if (item->count() == 0) b.submenu = nullptr;
        }
        buttons_.push_back(std::move(b));
    }
}

void TWinSkinMenu::TakeMenu() {
    HMENU menu = GetMenu(window_);
    if (!menu) return;
    menu_ = menu;
    menu_taken_ = true;
    SetMenu(window_, nullptr);
}

void TWinSkinMenu::GiveMenuBack() {
    if (!menu_taken_ || !IsWindow(window_)) return;
    menu_taken_ = false;
    // The library may have rebuilt or replaced its menu in the meantime: its present one goes back.
    HMENU menu = form_ && form_->menu() ? form_->menu()->handle() : menu_;
    if (menu && IsMenu(menu) && !GetMenu(window_)) SetMenu(window_, menu);
}

void TWinSkinMenu::MeasureButtons(HDC dc) {
    caption_widths_.assign(buttons_.size(), 0);
    const HGDIOBJ old = SelectObject(dc, MenuFont());
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const std::wstring& text = buttons_[i].caption;
        if (text.empty()) continue;
        RECT r{0, 0, 0, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
        caption_widths_[i] = r.right - r.left;
    }
    SelectObject(dc, old);
}

void TWinSkinMenu::Layout(const ui::Rect& bar, int row_end) {
    bar_ = bar;
    row_end_ = row_end;
    if (buttons_.empty() || bar.width() <= 0) {
        for (Button& b : buttons_) b.rect = {};
        return;
    }
    if (caption_widths_.size() != buttons_.size()) {
        ui::MemoryDC dc;
        MeasureButtons(dc.get());
    }
    const SkinDescription* skin = data_.Skin();
    const bool picture = skin && skin->menu_bar && !skin->menu_bar->bitmap.empty();
    const int start = MenuBarStartX(picture, picture ? skin->menu_bar->left_width : 0,
                                    picture ? skin->menu_bar->right_width : 0, bar.width(), right_to_left_);
    std::vector<BarButtonSize> sizes;
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        sizes.push_back({caption_widths_[i], buttons_[i].caption.empty(), buttons_[i].visible});
    const auto rects = LayoutMenuBar(sizes, bar, start, right_to_left_, row_end >= 0 ? row_end : bar.right);
    for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i].rect = rects[i];
}

void TWinSkinMenu::EnsurePicture() {
    const SkinDescription* skin = data_.Skin();
    if (skin == picture_of_) return;
    picture_of_ = skin;
    picture_.set_size(0, 0);
    if (skin && skin->menu_bar && !skin->menu_bar->bitmap.empty()) AssignImage(picture_, skin->menu_bar->bitmap);
}

void TWinSkinMenu::Paint(HDC dc, const ui::Rect& bar, bool active, int row_end, const std::function<void(HDC)>& extras) {
    const SkinDescription* skin = data_.Skin();
    if (!dc || !skin || bar.width() <= 0 || bar.height() <= 0) return;
    EnsurePicture();
    ui::Bitmap work(bar.width(), bar.height());
    const RECT all{0, 0, bar.width(), bar.height()};
    const TDataSkinObject* element = skin->menu_bar ? &*skin->menu_bar : nullptr;
    if (element && !picture_.empty()) {
        const int index = active ? 1 : 2;
        const Margins margins{element->left_width, element->top_height, element->right_width, element->bottom_height};
        if (element->tile == 1) {
            DrawSkinFrame(work.dc(), {0, 0, bar.width(), bar.height()}, picture_, margins, index, 2, false, false, true);
        } else {
            ui::Canvas canvas(work.dc());
            DrawSkinBar(canvas, {0, 0, bar.width(), bar.height()}, picture_, margins, true, false, 2, index);
            canvas.set_handle(nullptr);
        }
    } else {
        const ui::GdiObject<HBRUSH> fill(CreateSolidBrush(ui::to_colorref(skin->colours[kMenubar])));
        FillRect(work.dc(), &all, fill.get());
    }
    // The clean picture: a button's state is painted over its part of it.
    clean_bar_.set_size(bar.width(), bar.height());
    BitBlt(clean_bar_.dc(), 0, 0, bar.width(), bar.height(), work.dc(), 0, 0, SRCCOPY);

    Layout(bar, row_end);
    const HGDIOBJ old_font = SelectObject(work.dc(), MenuFont());
    SetBkMode(work.dc(), TRANSPARENT);
    for (const Button& b : buttons_) {
        if (!b.visible || b.caption.empty() || b.rect.width() <= 0) continue;
        SetTextColor(work.dc(), ui::to_colorref(skin->colours[b.enabled ? kMenuBarText : kButtonShadow]));
        RECT r{b.rect.left - bar.left, b.rect.top - bar.top, b.rect.right - bar.left, b.rect.bottom - bar.top};
        UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
        if (right_to_left_) format |= DT_RTLREADING;
        DrawTextW(work.dc(), b.caption.c_str(), static_cast<int>(b.caption.size()), &r, format);
    }
    SelectObject(work.dc(), old_font);
    if (extras) {
        POINT old{};
        SetViewportOrgEx(work.dc(), -bar.left, -bar.top, &old);
        extras(work.dc());
        SetViewportOrgEx(work.dc(), old.x, old.y, nullptr);
    }
    BitBlt(dc, bar.left, bar.top, bar.width(), bar.height(), work.dc(), 0, 0, SRCCOPY);
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].state != kNormal) PaintButton(static_cast<int>(i), dc);
}

void TWinSkinMenu::PaintButton(int index, HDC dc) {
    if (index < 0 || index >= static_cast<int>(buttons_.size()) || clean_bar_.empty()) return;
    const SkinDescription* skin = data_.Skin();
    const Button& b = buttons_[static_cast<std::size_t>(index)];
    if (!skin || !b.visible || b.rect.width() <= 0 || b.rect.height() <= 0) return;
    std::unique_ptr<ui::WindowDC> own;
    if (!dc) {
        own = std::make_unique<ui::WindowDC>(window_);
        dc = own->get();
        if (!dc) return;
    }
    // Kept inside the bar: a button past its end draws nothing outside it.
    const ui::Rect r{std::max(b.rect.left, bar_.left), b.rect.top, std::min(b.rect.right, bar_.right), b.rect.bottom};
    if (r.width() <= 0) return;
    BitBlt(dc, r.left, r.top, r.width(), r.height(), clean_bar_.dc(), r.left - bar_.left, r.top - bar_.top, SRCCOPY);
    if (b.state == kPressed || b.state == kHot) {
        const ui::GdiObject<HBRUSH> frame(CreateSolidBrush(ui::to_colorref(skin->colours[kButtonHilight])));
        const RECT box{b.rect.left, b.rect.top, b.rect.right, b.rect.bottom};
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        FrameRect(dc, &box, frame.get());
        RestoreDC(dc, saved);
    }
    const HGDIOBJ old_font = SelectObject(dc, MenuFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ui::to_colorref(skin->colours[b.enabled ? kMenuBarText : kButtonShadow]));
    RECT text{r.left, r.top, r.right, r.bottom};
    if (r.width() == b.rect.width()) text = {b.rect.left, b.rect.top, b.rect.right, b.rect.bottom};
    UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if (right_to_left_) format |= DT_RTLREADING;
    DrawTextW(dc, b.caption.c_str(), static_cast<int>(b.caption.size()), &text, format);
    SelectObject(dc, old_font);
    SetBkMode(dc, OPAQUE);
}

void TWinSkinMenu::SetState(int index, int state) {
    if (index < 0 || index >= static_cast<int>(buttons_.size())) return;
    Button& b = buttons_[static_cast<std::size_t>(index)];
    if (b.state == state) return;
    b.state = state;
    PaintButton(index);
}

void TWinSkinMenu::SetHot(int index) {
    if (index == hot_) return;
    if (hot_ >= 0) SetState(hot_, kNormal);
    hot_ = index >= 0 && index < static_cast<int>(buttons_.size()) ? index : -1;
    if (hot_ >= 0) SetState(hot_, kHot);
}

int TWinSkinMenu::HitTest(int x, int y) const {
    std::vector<ui::Rect> rects;
    std::vector<bool> empty;
    for (const Button& b : buttons_) {
        rects.push_back(b.visible ? b.rect : ui::Rect{});
        empty.push_back(b.caption.empty());
    }
    return MenuBarHitTest(rects, empty, x, y);
}

int TWinSkinMenu::HitTestScreen(POINT screen) const {
    RECT r{};
    GetWindowRect(window_, &r);
    return HitTest(screen.x - r.left, screen.y - r.top);
}

int TWinSkinMenu::ButtonForKey(wchar_t key) const {
    std::vector<BarButtonKeys> keys;
    for (const Button& b : buttons_) keys.push_back({AsU16(b.caption), b.enabled, b.visible && !b.caption.empty()});
    return skin::ButtonForKey(keys, static_cast<char16_t>(key));
}

void TWinSkinMenu::MenuSelect(WPARAM wparam, LPARAM lparam) {
    DropState& s = drop();
    if (s.bar != this) return;
    const UINT flags = HIWORD(wparam);
    const auto menu = reinterpret_cast<HMENU>(lparam);
    if (flags == 0xFFFF && !menu) {
        s.item = {};
        return;
    }
    s.item.any = menu != nullptr;
    s.item.has_sub_items = (flags & MF_POPUP) != 0;
    s.item.in_dropped_menu = menu == s.submenu;
}

void TWinSkinMenu::MenuChanged() {
    Build(false);
    if (!dropping_) {
        TakeMenu();
        if (on_changed) on_changed();
    }
}

ui::MenuItem* TWinSkinMenu::BarItem(UINT id) const {
    ui::MainMenu* menu = form_ ? form_->menu() : nullptr;
    if (!menu) return nullptr;
    ui::MenuItem* item = ui::MenuItem::from_menu_id(id);
    return item && item != menu->items() && item->menu() == menu ? item : nullptr;
}

bool TWinSkinMenu::MeasureItem(MEASUREITEMSTRUCT& mi) {
    if (mi.CtlType != ODT_MENU) return false;
    ui::MenuItem* item = BarItem(mi.itemID);
    // Other items are ours only while this bar's menu is dropped; a library window's own ids
    // belong to its other menus.
    if (!item && (drop().bar != this || (form_ && mi.itemID >= 1 && mi.itemID <= 4095))) return false;
    if (form_) TWinSkinPopMenu::MarkAllTracking();
    ui::WindowDC dc(window_);
    if (!dc.get()) return false;
    int width = static_cast<int>(mi.itemWidth), height = static_cast<int>(mi.itemHeight);
    if (item) {
        const HGDIOBJ old = SelectObject(dc.get(), MenuFont());
        if (item->on_measure_item)
            item->measure_item(dc.get(), width, height);
        else
            MeasureMainMenuItem(&data_, item, dc.get(), width, height);
        SelectObject(dc.get(), old);
    } else {
        MeasureItemFromText(&data_, ReadMenuText(drop().submenu, mi.itemID, false), dc.get(), width, height);
    }
    mi.itemWidth = static_cast<UINT>(std::max(width, 0));
    mi.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool TWinSkinMenu::DrawItem(const DRAWITEMSTRUCT& d) {
    if (d.CtlType != ODT_MENU || !d.hDC) return false;
    ui::MenuItem* item = BarItem(d.itemID);
    if (!item && (drop().bar != this || (form_ && d.itemID >= 1 && d.itemID <= 4095))) return false;
    const auto menu = reinterpret_cast<HMENU>(d.hwndItem);
    TWinSkinPopMenu::MarkAllTracking();
    TWinSkinPopMenu::GiveMenu(menu);
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    if (item && item->on_draw_item)
        item->draw_item(d.hDC, d.rcItem, selected);
    else if (item)
        DrawMenuItem(&data_, item, d.hDC, d.rcItem, selected);
    else
        DrawMenuItemFromHandle(&data_, menu, d.itemID, d.hDC, d.rcItem, selected);
    return true;
}

bool TWinSkinMenu::DropMenu(int index) {
    DropState& s = drop();
    if (s.bar || dropping_) return false;  // one tracked menu at a time
    bool dropped_any = false;
    int current = index;
    dropping_ = true;
    while (current >= 0 && current < static_cast<int>(buttons_.size())) {
        const Button b = buttons_[static_cast<std::size_t>(current)];
        // The library runs the top item's click (it may fill the submenu).
        if (b.command) PostMessageW(window_, WM_COMMAND, b.command, 0);
        if (!b.submenu) break;
        s = DropState{};
        s.bar = this;
        s.dropped = current;
        s.submenu = b.submenu;
        GetCursorPos(&s.last);
        // The drop's items are drawn in the skin, through the window's WM_DRAWITEM.
        std::vector<MarkedItem> marked;
        MarkOwnerDraw(b.submenu, marked);
        menu_mode_ = true;
        manager_.SetPopupKind(1);
        manager_.SetMenuBarTracking(true);
        if (hot_ >= 0 && hot_ != current) SetState(hot_, kNormal);
        hot_ = current;
        SetState(current, kPressed);
        RECT wr{};
        GetWindowRect(window_, &wr);
        const int x = (right_to_left_ ? b.rect.right : b.rect.left) + wr.left;
        const int y = b.rect.bottom + wr.top;
        s.hook = SetWindowsHookExW(WH_MSGFILTER, MenuFilter, nullptr, GetCurrentThreadId());
        if (s.hook) ++hooks_in;
        if (b.enabled)
            TrackPopupMenu(b.submenu, TPM_LEFTBUTTON | TPM_RIGHTBUTTON | (right_to_left_ ? TPM_RIGHTALIGN : TPM_LEFTALIGN),
                           x, y, 0, window_, nullptr);
        // However the tracking ended, the filter goes with it.
        if (s.hook) {
            UnhookWindowsHookEx(s.hook);
            ++hooks_out;
        }
        UnmarkOwnerDraw(marked);
        const int target = s.target;
        s = DropState{};
        menu_mode_ = false;
        SetState(current, kNormal);
        dropped_any = true;
        current = target;
        if (rebuild_pending_) {
            // The menu changed during the drop: the next drop uses the new submenus.
            rebuild_pending_ = false;
            dropping_ = false;
            Build(false);
            dropping_ = true;
            rebuild_pending_ = true;  // taken from the system and repainted below
        }
    }
    dropping_ = false;
    hot_ = -1;
    if (rebuild_pending_) {
        rebuild_pending_ = false;
        Build(false);
        TakeMenu();
        if (on_changed) on_changed();
    }
    return dropped_any;
}

} // namespace skin
