// The menu bar of a skinned window: the window's menu is taken from the system and shown as a
// row of buttons in the skinned frame. A button drops its submenu with the system's menu
// tracking while a message filter carries the keyboard and the mouse along the bar; the window
// gets its menu back when it is unskinned.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/win/forms.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/menus.h"

namespace skin {

class TSkinData;
class TSkinManage;
struct SkinDescription;

class TWinSkinMenu {
public:
    // Button states.
    static constexpr int kNormal = 1, kPressed = 2, kHot = 3;

    struct Button {
        ui::MenuItem* item = nullptr;  // the library's item it stands for, when one has its command
        std::wstring caption;
        bool enabled = true, visible = true;
        HMENU submenu = nullptr;  // none when the item opens no submenu
        UINT command = 0;
        ui::Rect rect;  // window coordinates
        int state = kNormal;
    };

    // `form` is the library window whose main menu the bar shows, or null for a foreign window.
    TWinSkinMenu(HWND window, ui::Form* form, TSkinData& data, TSkinManage& manager, bool right_to_left);
    ~TWinSkinMenu();
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // The buttons from the window's menu (or the one taken before). After WM_MDISETMENU only the
    // items without a text are looked up in the library's menu.
    void Build(bool mdi_menu = false);
    void Build(HMENU menu, bool mdi_menu);
    // Takes the window's menu from the system (remembering it) / gives it back.
    void TakeMenu();
    void GiveMenuBack();
    HMENU menu_handle() const { return menu_; }

    // Places the buttons in `bar` (window coordinates) without painting.
    void Layout(const ui::Rect& bar, int row_end = -1);
    // Paints the bar and its buttons into `dc` at the bar's place; `extras` draws what else sits
    // in the bar (a maximised MDI child's buttons) into the work bitmap, in window coordinates.
    // `row_end` (right to left) is where the row of buttons ends, -1 for the bar's end.
    void Paint(HDC dc, const ui::Rect& bar, bool active, int row_end = -1,
               const std::function<void(HDC)>& extras = nullptr);
    // One button in its state onto `dc` (window coordinates), from the clean bar picture; null
    // paints on the window.
    void PaintButton(int index, HDC dc = nullptr);

    // The button under a point (window coordinates / screen coordinates), or -1.
    int HitTest(int x, int y) const;
    int HitTestScreen(POINT screen) const;
    // The button the keyboard picks: key 0 is Alt or F10 alone.
    int ButtonForKey(wchar_t key) const;

    // Drops the button's menu, and then the menus the keys or the mouse moved to, until one
    // ends without a move. False when nothing dropped.
    bool DropMenu(int index);
    bool in_menu_mode() const { return menu_mode_; }

    // The mouse over the bar: a button becomes hot, -1 leaves.
    void SetHot(int index);
    int hot() const { return hot_; }

    // What the window learns while its menu is tracked, and that the library's menu changed.
    void MenuSelect(WPARAM wparam, LPARAM lparam);
    void MenuChanged();
    // Alt pressed while a menu is dropped: the system closes it, and the bar leaves menu mode.
    void LeaveMenuMode() { menu_mode_ = false; }

    // The window's WM_MEASUREITEM and WM_DRAWITEM for menu items: the items of the bar's menu
    // are measured and drawn in the skin, others of a dropped menu from their menu's text.
    // False leaves the message to the window.
    bool MeasureItem(MEASUREITEMSTRUCT& item);
    bool DrawItem(const DRAWITEMSTRUCT& item);
    // The submenu dropped now by any bar of the thread, or null.
    static HMENU dropped_submenu();

    HWND window() const { return window_; }
    bool right_to_left() const { return right_to_left_; }
    const std::vector<Button>& buttons() const { return buttons_; }
    const ui::Rect& bar_rect() const { return bar_; }
    // Run after the bar changed by itself (a rebuild after a drop): the window repaints it.
    std::function<void()> on_changed;

    // Message-filter hooks installed and removed so far on this thread.
    static int hooks_installed();
    static int hooks_removed();
    // The filter in place now, or null.
    static HHOOK active_hook();

private:
    void MeasureButtons(HDC dc);
    void EnsurePicture();
    HFONT MenuFont();
    void SetState(int index, int state);
    // The library's item of the bar's menu with this id, or null.
    ui::MenuItem* BarItem(UINT id) const;

    HWND window_;
    ui::Form* form_;
    TSkinData& data_;
    TSkinManage& manager_;
    bool right_to_left_;
    HMENU menu_ = nullptr;
    bool menu_taken_ = false;
    std::vector<Button> buttons_;
    std::vector<int> caption_widths_;
    ui::Rect bar_;
    int row_end_ = -1;
    ui::Bitmap clean_bar_;
    ui::Bitmap picture_;
    const SkinDescription* picture_of_ = nullptr;
    ui::GdiObject<HFONT> font_;
    int hot_ = -1;
    bool menu_mode_ = false;
    bool dropping_ = false;
    bool rebuild_pending_ = false;
};

} // namespace skin
