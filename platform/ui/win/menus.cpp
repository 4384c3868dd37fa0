#include "platform/ui/win/menus.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>

#include "platform/text_gbk.h"
#include "platform/ui/messages.h"
#include "platform/ui/win/actions.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/image_list.h"

namespace ui {

namespace {

// Command ids in use, 1..4095, to their items.
std::map<UINT, MenuItem*>& commands() {
    static std::map<UINT, MenuItem*> map;
    return map;
}

UINT allocate_command(MenuItem* item) {
    static UINT next = 1;
    for (int tries = 0; tries < 4095; ++tries) {
        UINT id = next;
        next = next >= 4095 ? 1 : next + 1;
        if (!commands().count(id)) {
            commands()[id] = item;
            return id;
        }
    }
    throw std::runtime_error("out of menu command ids");
}

UINT track_with_system(HMENU menu, UINT flags, int x, int y, HWND owner) {
    return static_cast<UINT>(TrackPopupMenu(menu, flags | TPM_RETURNCMD, x, y, 0, owner, nullptr));
}

// Submenu handles to the items whose sub-items they hold.
std::map<UINT, MenuItem*>& submenus() {
    static std::map<UINT, MenuItem*> map;
    return map;
}

UINT menu_key(HMENU menu) { return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(menu)); }

// The caption as a menu shows it: the shortcut text after a tab.
std::wstring item_text(const std::string& caption, TShortCut shortcut) {
    std::wstring text = plat::gbk_to_wide(caption);
    std::string sc = shortcut_to_text(shortcut);
    if (!sc.empty()) text += L"\t" + plat::gbk_to_wide(sc);
    return text;
}

PopupMenu::TrackFunction& track_function() {
    static PopupMenu::TrackFunction f = track_with_system;
    return f;
}

} // namespace

ClassInfo& MenuItem::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TMenuItem", &Component::static_class());
        c.factory = factory_of<MenuItem>();
        PropBuilder<MenuItem>(c)
            .string("Caption", &MenuItem::caption, &MenuItem::set_caption, "TCaption")
            .boolean("Checked", &MenuItem::checked, &MenuItem::set_checked)
            .boolean("RadioItem", &MenuItem::radio_item, &MenuItem::set_radio_item)
            .integer("GroupIndex", &MenuItem::group_index, &MenuItem::set_group_index, 0, "Byte")
            .boolean("AutoCheck", &MenuItem::auto_check, &MenuItem::set_auto_check)
            .boolean("Enabled", &MenuItem::enabled, &MenuItem::set_enabled, true)
            .boolean("Visible", &MenuItem::visible, &MenuItem::set_visible, true)
            .boolean("Default", &MenuItem::is_default, &MenuItem::set_default)
            .integer("ShortCut", &MenuItem::shortcut, &MenuItem::set_shortcut, 0, "TShortCut")
            .text_form(text_to_shortcut, [](std::int64_t v) { return shortcut_to_text(static_cast<TShortCut>(v)); })
            .integer("ImageIndex", &MenuItem::image_index, &MenuItem::set_image_index, -1, "TImageIndex")
            .string("Hint", &MenuItem::hint, &MenuItem::set_hint)
            .reference<Action>("Action", "TAction", &MenuItem::action, &MenuItem::set_action)
            .event("OnClick", "TNotifyEvent", &MenuItem::on_click);
        return c;
    }();
    return info;
}

struct MenuItem::Link : ActionLink {
    explicit Link(MenuItem& i) : item(i) {}
    void action_changed() override {
        Action* a = item.action_;
        if (!a) return;
        if (!a->caption().empty()) item.caption_ = a->caption();
        item.enabled_ = a->enabled();
        item.visible_ = a->visible();
        item.image_index_ = a->image_index();
        item.hint_ = a->hint();
        item.checked_ = a->checked();
        item.changed();
    }
    MenuItem& item;
};

MenuItem::MenuItem(Component* owner) : Component(owner) { command_ = allocate_command(this); }

MenuItem::~MenuItem() {
    release_owned();
    if (action_) action_->unregister_link(link_.get());
    clear();
    if (parent_) parent_->remove(this);
    commands().erase(command_);
    if (submenu_) submenus().erase(menu_key(submenu_));
}

void MenuItem::set_caption(const std::string& c) {
    if (c == caption_) return;
    caption_ = c;
    changed();
}

void MenuItem::set_checked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    if (v && radio_item_) uncheck_group();
    changed();
}

void MenuItem::uncheck_group() {
    if (!parent_) return;
    for (MenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->radio_item_ && sibling->group_index_ == group_index_) sibling->checked_ = false;
}

void MenuItem::set_radio_item(bool v) {
    radio_item_ = v;
    if (v && checked_) uncheck_group();
    changed();
}

void MenuItem::set_group_index(int v) {
    group_index_ = v;
    if (radio_item_ && checked_) uncheck_group();
    changed();
}

void MenuItem::set_enabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    changed();
}

void MenuItem::set_visible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    changed();
}

void MenuItem::set_default(bool v) {
    default_ = v;
    changed();
}

void MenuItem::set_shortcut(TShortCut s) {
    shortcut_ = s;
    changed();
}

void MenuItem::set_image_index(int i) {
    image_index_ = i;
    changed();
}

void MenuItem::add(MenuItem* item) { insert(count(), item); }

void MenuItem::insert(int index, MenuItem* item) {
    if (!item || item == this) throw std::invalid_argument("invalid menu item");
    if (item->parent_) throw std::logic_error("menu item " + item->name() + " already has a parent");
    index = std::clamp(index, 0, count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    if (item->radio_item_ && item->checked_) item->uncheck_group();
    changed();
}

void MenuItem::remove(MenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    changed();
}

void MenuItem::clear() {
    while (!items_.empty()) delete items_.back();  // each unlinks itself
}

int MenuItem::index_of(const MenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

Menu* MenuItem::menu() const {
    const MenuItem* i = this;
    while (i->parent_) i = i->parent_;
    return i->menu_;
}

MenuItem* MenuItem::find_item(UINT command) {
    if (command_ == command) return this;
    for (MenuItem* i : items_)
        if (MenuItem* found = i->find_item(command)) return found;
    return nullptr;
}

void MenuItem::click() {
    if (auto_check_) set_checked(radio_item_ ? true : !checked_);
    // The item's own handler, else its action's.
    if (on_click) on_click(this);
    else if (action_) action_->execute();
}

HMENU MenuItem::parent_handle() const {
    if (parent_ && parent_->parent_) return parent_->submenu_;
    Menu* m = menu();
    return m && m->handle_allocated() ? m->handle() : nullptr;
}

MenuItem* MenuItem::from_menu_id(UINT id) {
    if (auto it = commands().find(id); it != commands().end()) return it->second;
    if (auto it = submenus().find(id); it != submenus().end()) return it->second;
    return nullptr;
}

void MenuItem::draw_item(HDC dc, const RECT& rect, bool selected) {
    if (on_draw_item) {
        on_draw_item(this, dc, rect, selected);
        return;
    }
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (is_separator()) {
        RECT line{rect.left, rect.top + (rect.bottom - rect.top) / 2 - 1, rect.right, rect.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF colour = SetTextColor(dc, GetSysColor(!enabled_ ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT r{rect.left + 20, rect.top, rect.right - 4, rect.bottom};
    std::wstring text = item_text(caption_, shortcut_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
    SelectObject(dc, old_font);
    SetTextColor(dc, colour);
    SetBkMode(dc, mode);
}

void MenuItem::measure_item(HDC dc, int& width, int& height) {
    // The plain measure first; a handler adjusts it.
    if (is_separator()) {
        width = 0;
        height = 8;
    } else {
        HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        std::wstring text = item_text(caption_.empty() || caption_ == "&" ? " " : caption_, shortcut_);
        RECT r{};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
        SelectObject(dc, old_font);
        width = r.right - r.left + 24;
        height = std::max<int>(r.bottom - r.top + 4, GetSystemMetrics(SM_CYMENU));
    }
    if (on_measure_item) on_measure_item(this, dc, width, height);
}

void MenuItem::set_action(Action* action) {
    if (action == action_) return;
    if (action_) action_->unregister_link(link_.get());
    action_ = action;
    if (!action) return;
    if (!link_) link_ = std::make_unique<Link>(*this);
    action->register_link(link_.get());
    free_notification(action);
    link_->action_changed();
}

void MenuItem::notification(Component* c, TOperation op) {
    Component::notification(c, op);
    if (op == TOperation::opRemove && c == action_) action_ = nullptr;
}

bool MenuItem::adopt_child(Component* child) {
    auto* item = dynamic_cast<MenuItem*>(child);
    if (!item) return false;
    add(item);
    return true;
}

std::vector<Component*> MenuItem::children() const { return {items_.begin(), items_.end()}; }

void MenuItem::changed() {
    if (Menu* m = menu(); m && !m->destroying() && m->handle_allocated()) m->rebuild();
}

// ---------------------------------------------------------------------------------------------

ClassInfo& Menu::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TMenu", &Component::static_class());
        PropBuilder<Menu>(c).reference<ImageList>("Images", "TCustomImageList", &Menu::images, &Menu::set_images);
        return c;
    }();
    return info;
}

Menu::Menu(Component* owner) : Component(owner) { root_.menu_ = this; }

Menu::~Menu() {
    release_owned();
    root_.clear();
    destroy_menu_handle();
}

void Menu::set_owner_draw(bool v) {
    if (v == owner_draw_) return;
    owner_draw_ = v;
    rebuild();
}

HMENU Menu::handle() {
    if (!handle_) {
        handle_ = create_menu_handle();
        fill(handle_, root_);
    }
    return handle_;
}

void Menu::destroy_menu_handle() {
    forget_submenus(root_);
    if (handle_) DestroyMenu(handle_);  // sub-menus go with it
    handle_ = nullptr;
}

void Menu::forget_submenus(MenuItem& parent) {
    for (MenuItem* item : parent.items_) {
        if (item->submenu_) submenus().erase(menu_key(item->submenu_));
        item->submenu_ = nullptr;
        forget_submenus(*item);
    }
}

void Menu::fill(HMENU menu, MenuItem& parent) {
    for (MenuItem* item : parent.items_) {
        if (!item->visible_) continue;
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        std::wstring text = item_text(item->caption_, item->shortcut_);
        mi.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        mi.wID = item->command_;
        mi.fType = item->is_separator() ? MFT_SEPARATOR : MFT_STRING;
        if (owner_draw_) mi.fType |= MFT_OWNERDRAW;
        if (item->radio_item_) mi.fType |= MFT_RADIOCHECK;
        mi.fState = (item->checked_ ? MFS_CHECKED : 0) | (item->enabled_ ? 0 : MFS_DISABLED) | (item->default_ ? MFS_DEFAULT : 0);
        mi.dwTypeData = text.data();
        if (!item->items_.empty()) {
            HMENU sub = CreatePopupMenu();
            fill(sub, *item);
            mi.fMask |= MIIM_SUBMENU;
            mi.hSubMenu = sub;
            item->submenu_ = sub;
            submenus()[menu_key(sub)] = item;
        }
        InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mi);
    }
}

void Menu::hold_rebuilds(bool hold) {
    if (hold) {
        ++held_;
        return;
    }
    if (held_ > 0) --held_;
    if (held_ == 0 && rebuild_waiting_) {
        rebuild_waiting_ = false;
        rebuild();
    }
}

void Menu::rebuild() {
    if (held_ > 0) {
        // Destroying submenus the system is tracking would pull them from under it.
        rebuild_waiting_ = true;
        return;
    }
    if (!handle_) return;
    forget_submenus(root_);
    while (GetMenuItemCount(handle_) > 0) DeleteMenu(handle_, 0, MF_BYPOSITION);
    fill(handle_, root_);
}

void Menu::set_images(ImageList* images) {
    images_ = images;
    if (images) free_notification(images);
}

void Menu::notification(Component* c, TOperation op) {
    Component::notification(c, op);
    if (op == TOperation::opRemove && c == images_) images_ = nullptr;
}

MenuItem* Menu::shortcut_item(TShortCut shortcut, bool enabled_only) {
    std::function<MenuItem*(MenuItem&)> find = [&](MenuItem& parent) -> MenuItem* {
        for (MenuItem* i : parent.items_) {
            if (!i->visible_ || (enabled_only && !i->enabled_)) continue;
            if (i->shortcut_ == shortcut) return i;
            if (MenuItem* f = find(*i)) return f;
        }
        return nullptr;
    };
    return shortcut != 0 ? find(root_) : nullptr;
}

bool Menu::is_shortcut(TShortCut shortcut) {
    MenuItem* item = shortcut_item(shortcut, true);
    if (!item) return false;
    item->click();
    return true;
}

bool PopupMenu::is_shortcut_in(Component* control, TShortCut shortcut) {
    // Only a key the menu has prepares it: OnPopup enables the items as for a click.
    if (!shortcut_item(shortcut, false)) return false;
    popup_component_ = control;
    if (on_popup) on_popup(this);
    return is_shortcut(shortcut);
}

bool Menu::dispatch_command(UINT command) {
    auto it = commands().find(command);
    if (it == commands().end()) return false;
    MenuItem* item = it->second;
    if (!item->enabled_) return true;
    item->click();
    return true;
}

bool Menu::adopt_child(Component* child) { return root_.adopt_child(child); }

std::vector<Component*> Menu::children() const { return root_.children(); }

ClassInfo& MainMenu::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TMainMenu", &Menu::static_class());
        c.factory = factory_of<MainMenu>();
        PropBuilder<MainMenu>(c).obsolete("AutoHotkeys", ObsoleteValue::Identifier);
        return c;
    }();
    return info;
}

void MainMenu::rebuild() {
    if (rebuilds_held()) {
        Menu::rebuild();  // waits for the tracking to end, then comes back here
        return;
    }
    Menu::rebuild();
    // A window that paints its own menu bar (a skinned one) never sees DrawMenuBar: it is told.
    for (Form* f : screen().forms())
        if (f->menu() == this && f->handle_allocated()) {
            DrawMenuBar(f->handle());
            SendMessageW(f->handle(), CM_MENUCHANGED, 0, 0);
        }
}

ClassInfo& PopupMenu::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TPopupMenu", &Menu::static_class());
        c.factory = factory_of<PopupMenu>();
        PropBuilder<PopupMenu>(c)
            .boolean("AutoPopup", &PopupMenu::auto_popup, &PopupMenu::set_auto_popup, true)
            .enumeration("Alignment", &PopupMenu::alignment, &PopupMenu::set_alignment, TPopupAlignment::paLeft)
            .event("OnPopup", "TNotifyEvent", &PopupMenu::on_popup);
        return c;
    }();
    return info;
}

void PopupMenu::set_track_function(TrackFunction f) {
    track_function() = f ? std::move(f) : TrackFunction(track_with_system);
}

void PopupMenu::popup(int x, int y) {
    if (on_popup) on_popup(this);
    rebuild();
    HMENU menu = handle();
    UINT flags = alignment_ == TPopupAlignment::paRight ? TPM_RIGHTALIGN : alignment_ == TPopupAlignment::paCenter ? TPM_CENTERALIGN : TPM_LEFTALIGN;
    Form* owner = screen().active_form();
    if (!owner) owner = application().main_form();
    HWND owner_window = owner && owner->handle_allocated() ? owner->handle() : nullptr;
    UINT command = track_function()(menu, flags | TPM_RIGHTBUTTON, x, y, owner_window);
    if (command) dispatch_command(command);
}

} // namespace ui
