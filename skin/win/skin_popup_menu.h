// The skin of a popup menu window ("#32768"): its frame and background from the skin's
// `MenuBackground` picture. The skin manager makes one for every popup window its hook sees
// created while popups of the present kind are skinned; it lives until the window is destroyed.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/ui/win/graphics.h"
#include "platform/ui/win/subclass.h"

namespace skin {

class TSkinData;
class TSkinManage;

class TWinSkinPopMenu {
public:
    explicit TWinSkinPopMenu(TSkinManage& manager) : manager_(manager) {}
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    void HookWindow(HWND window, TSkinData* data);
    void UnhookWindow();

    HWND window() const { return window_; }
    TSkinData* data() const { return data_; }
    HMENU menu() const { return menu_; }
    void SetMenu(HMENU menu) { menu_ = menu; }
    bool tracking() const { return tracking_; }
    void SetTracking(bool on) { tracking_ = on; }
    const ui::Bitmap& Background() const { return background_; }
    // The `MenuBackground` element over the whole window; false without the element.
    bool MakeBackground();

    // The popup skins of open popup windows, oldest first.
    static const std::vector<std::unique_ptr<TWinSkinPopMenu>>& Skins();
    // Creates and hooks a skin for a new popup window.
    static TWinSkinPopMenu& Add(TSkinManage& manager, HWND window, TSkinData* data);
    // The popup that last painted its background; null when none is open.
    static TWinSkinPopMenu* Current();
    static TWinSkinPopMenu* ForMenu(HMENU menu);
    static TWinSkinPopMenu* ForWindow(HWND window);
    static void MarkAllTracking();
    // Gives the menu to the newest popup skin that has none yet (unless one already shows it).
    static void GiveMenu(HMENU menu);
    // Every popup skin unhooked and freed (unskinning, the end of the manager).
    static void ReleaseAll();
    // The background picture of a `MenuBackground` element for a window of this size.
    static std::unique_ptr<ui::Bitmap> BackgroundPicture(TSkinData* data, int width, int height);

private:
    void Message(ui::Message& m, const ui::WindowSubclass::Next& next);
    static void Retire(TWinSkinPopMenu* skin);

    TSkinManage& manager_;
    std::unique_ptr<ui::WindowSubclass> layer_;
    HWND window_ = nullptr;
    TSkinData* data_ = nullptr;
    HMENU menu_ = nullptr;
    ui::Bitmap background_;
    bool tracking_ = false;
};

} // namespace skin
