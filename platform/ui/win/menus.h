// Main and popup menus over HMENU: items with captions, checks and radio groups, shortcuts,
// images and click handlers; command ids 1..4095 shared by all menus of the program.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/component.h"
#include "platform/ui/shortcut.h"

namespace ui {

class Menu;
class ImageList;
class Action;

class MenuItem : public Component {
    UI_CLASS_IDENTITY()
public:
    explicit MenuItem(Component* owner);
    ~MenuItem() override;

    const std::string& caption() const { return caption_; }
    void set_caption(const std::string& c);
    bool is_separator() const { return caption_ == "-"; }
    bool checked() const { return checked_; }
    void set_checked(bool v);
    bool radio_item() const { return radio_item_; }
    void set_radio_item(bool v);
    int group_index() const { return group_index_; }
    void set_group_index(int v);
    bool auto_check() const { return auto_check_; }
    void set_auto_check(bool v) { auto_check_ = v; }
    bool enabled() const { return enabled_; }
    void set_enabled(bool v);
    bool visible() const { return visible_; }
    void set_visible(bool v);
    bool is_default() const { return default_; }
    void set_default(bool v);
    TShortCut shortcut() const { return shortcut_; }
    void set_shortcut(TShortCut s);
    int image_index() const { return image_index_; }
    void set_image_index(int i);
    const std::string& hint() const { return hint_; }
    void set_hint(const std::string& h) { hint_ = h; }

    // Sub-items.
    int count() const { return static_cast<int>(items_.size()); }
    MenuItem* item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    const std::vector<MenuItem*>& items() const { return items_; }
    void add(MenuItem* item);
    void insert(int index, MenuItem* item);
    void remove(MenuItem* item);  // unlinks without freeing
    void clear();                 // frees every sub-item
    int index_of(const MenuItem* item) const;
    MenuItem* parent_item() const { return parent_; }
    Menu* menu() const;
    MenuItem* find_item(UINT command);

    Action* action() const { return action_; }
    void set_action(Action* action);

    UINT command() const { return command_; }
    // Runs the item: ticks it when AutoCheck, then OnClick.
    virtual void click();

    // Owner-drawn items (the menu's owner_draw): the draw handler draws the item, else it draws
    // itself plainly in the system's menu colours; the measure handler adjusts the plain measure.
    using DrawItemEvent = std::function<void(MenuItem* item, HDC dc, const RECT& rect, bool selected)>;
    using MeasureItemEvent = std::function<void(MenuItem* item, HDC dc, int& width, int& height)>;
    DrawItemEvent on_draw_item;
    MeasureItemEvent on_measure_item;
    void draw_item(HDC dc, const RECT& rect, bool selected);
    void measure_item(HDC dc, int& width, int& height);
    // The handle of the popup holding this item's sub-items while the menu handle exists; null
    // otherwise.
    HMENU submenu_handle() const { return submenu_; }
    // The handle of the menu this item is shown in: its parent's submenu, or the menu's own.
    HMENU parent_handle() const;
    // The item an owner-draw message names: by command id, else by submenu handle (the id an
    // item with sub-items may carry); nullptr when no menu of the program has it.
    static MenuItem* from_menu_id(UINT id);

    bool adopt_child(Component* child) override;
    std::vector<Component*> children() const override;

    NotifyEvent on_click;

protected:
    void notification(Component* c, TOperation op) override;

private:
    friend class Menu;
    struct Link;
    void changed();
    void uncheck_group();

    std::string caption_;
    std::string hint_;
    bool checked_ = false, radio_item_ = false, auto_check_ = false, enabled_ = true, visible_ = true, default_ = false;
    int group_index_ = 0;
    int image_index_ = -1;
    TShortCut shortcut_ = 0;
    UINT command_ = 0;
    HMENU submenu_ = nullptr;
    MenuItem* parent_ = nullptr;
    Menu* menu_ = nullptr;  // set on the root item only
    Action* action_ = nullptr;
    std::unique_ptr<Link> link_;
    std::vector<MenuItem*> items_;
};

class Menu : public Component {
    UI_CLASS_IDENTITY()
public:
    explicit Menu(Component* owner);
    ~Menu() override;

    MenuItem* items() { return &root_; }
    HMENU handle();
    bool handle_allocated() const { return handle_ != nullptr; }
    ImageList* images() const { return images_; }
    void set_images(ImageList* images);
    MenuItem* find_item(UINT command) { return root_.find_item(command); }
    bool is_shortcut(TShortCut shortcut);
    // Items built MFT_OWNERDRAW, drawn and measured through the items' handlers.
    bool owner_draw() const { return owner_draw_; }
    void set_owner_draw(bool v);

    // Runs the item with this command id in any menu of the program; false when none has it.
    static bool dispatch_command(UINT command);

    bool adopt_child(Component* child) override;
    std::vector<Component*> children() const override;

    // Rebuilds the menu handle after an item changed.
    virtual void rebuild();
    // While held (the system tracks the menu), a rebuild waits and is done when released.
    void hold_rebuilds(bool hold);
    bool rebuilds_held() const { return held_ > 0; }

protected:
    virtual HMENU create_menu_handle() = 0;
    // The visible item with this shortcut, searched through the submenus; nullptr when none.
    MenuItem* shortcut_item(TShortCut shortcut, bool enabled_only);
    void notification(Component* c, TOperation op) override;
    void destroy_menu_handle();
    HMENU handle_ = nullptr;

private:
    void fill(HMENU menu, MenuItem& parent);
    void forget_submenus(MenuItem& parent);
    bool owner_draw_ = false;
    int held_ = 0;
    bool rebuild_waiting_ = false;
    MenuItem root_{nullptr};
    ImageList* images_ = nullptr;
};

class MainMenu : public Menu {
    UI_CLASS_IDENTITY()
public:
    explicit MainMenu(Component* owner) : Menu(owner) {}
    void rebuild() override;

protected:
    HMENU create_menu_handle() override { return CreateMenu(); }
};

UI_ENUM(TPopupAlignment, paLeft, paRight, paCenter)

class PopupMenu : public Menu {
    UI_CLASS_IDENTITY()
public:
    explicit PopupMenu(Component* owner) : Menu(owner) {}

    bool auto_popup() const { return auto_popup_; }
    void set_auto_popup(bool v) { auto_popup_ = v; }
    TPopupAlignment alignment() const { return alignment_; }
    void set_alignment(TPopupAlignment a) { alignment_ = a; }
    Component* popup_component() const { return popup_component_; }
    void set_popup_component(Component* c) { popup_component_ = c; }
    // Shows the menu at a screen point and runs the chosen item.
    void popup(int x, int y);
    // A key pressed in `control`, whose menu this is: when it is one of the items' shortcuts the
    // menu prepares itself as for showing and runs the item.
    bool is_shortcut_in(Component* control, TShortCut shortcut);

    NotifyEvent on_popup;

    // How the menu is tracked: replaceable so that tests choose an item without a mouse.
    // Returns the chosen command id or 0.
    using TrackFunction = std::function<UINT(HMENU menu, UINT flags, int x, int y, HWND owner)>;
    // nullptr restores the system's tracking.
    static void set_track_function(TrackFunction f);

protected:
    HMENU create_menu_handle() override { return CreatePopupMenu(); }

private:
    bool auto_popup_ = true;
    TPopupAlignment alignment_ = TPopupAlignment::paLeft;
    Component* popup_component_ = nullptr;
};

} // namespace ui
