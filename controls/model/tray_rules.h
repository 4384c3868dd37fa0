// The rules of the application's icon in the notification area: tip, animation through an icon
// list, restore and popup on chosen clicks, hiding the task-bar window on minimise, re-adding
// after the task bar is recreated, and the session-end questions. The shell, the application
// and the timer are seams so that the rules can be exercised without a desktop.
//
// The icon the program wants (Enabled) is kept apart from the icon the shell shows (Shown): a
// refused add (the task bar is not up yet at log-on) leaves Enabled on, the icon is added again
// on "TaskbarCreated" and on the next minimise, and the main window is hidden only while the
// icon is really shown, so the program can never end up hidden with no way back.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/ui/enum_info.h"

namespace ec {

// The clicks on the icon that restore the application or open the popup menu. Stored
// descriptions name them: append nothing in the middle.
UI_ENUM(TEcTrayIconClicks, ticNone, ticLeftClick, ticLeftDblClick, ticLeftClickUp, ticRightClick, ticRightDblClick,
        ticRightClickUp)

using IconHandle = std::uintptr_t;

class ITrayIconList {
public:
    virtual ~ITrayIconList() = default;
    virtual int Count() const = 0;
    virtual IconHandle Icon(int index) const = 0;
};

class ITrayShell {
public:
    virtual ~ITrayShell() = default;
    // Version 5 or later of the shell takes the long tip.
    virtual bool NewShell() const = 0;
    // False when the shell refuses.
    virtual bool Add(IconHandle icon, const std::string& tip) = 0;
    virtual bool Modify(IconHandle icon, const std::string& tip) = 0;
    virtual void Delete() = 0;
};

class ITrayApplication {
public:
    virtual ~ITrayApplication() = default;
    virtual IconHandle ApplicationIcon() const = 0;
    virtual void Minimize() = 0;
    virtual void HideMainWindow() = 0;
    virtual void Restore() = 0;
    virtual void ShowMainWindowInFront() = 0;
    // Pops the menu up at the cursor and returns when it has closed.
    virtual void ShowPopupMenu() = 0;
    virtual void SetAnimationTimer(bool enabled, int interval_ms) = 0;
    // Makes the icon the application's minimise and restore handler (again: another part of
    // the program may have taken them meanwhile).
    virtual void InstallHandlers() = 0;
};

class TrayIconRules {
public:
    // Mouse messages of the notification-area callback (the window system's values).
    static constexpr unsigned kLButtonDown = 0x201, kLButtonUp = 0x202, kLButtonDblClk = 0x203,
                              kRButtonDown = 0x204, kRButtonUp = 0x205, kRButtonDblClk = 0x206,
                              kBalloonHide = 0x403, kBalloonTimeout = 0x404, kBalloonClick = 0x405;

    TrayIconRules(ITrayShell& shell, ITrayApplication& app);
    ~TrayIconRules();
    TrayIconRules(const TrayIconRules&) = delete;
    TrayIconRules& operator=(const TrayIconRules&) = delete;

    // Takes the first icon and adds it when enabled; before this, changes only store values.
    // Only the first call counts.
    void Loaded();
    bool IsLoaded() const { return loaded_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Shown() const { return shown_; }
    bool HideOnMinimize() const { return hide_on_minimize_; }
    void SetHideOnMinimize(bool v) { hide_on_minimize_ = v; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    const std::string& Tip() const { return tip_; }
    bool HasPopupMenu() const { return has_popup_; }
    void SetHasPopupMenu(bool v) { has_popup_ = v; }
    const ITrayIconList* Icons() const { return icons_; }
    void SetIcons(const ITrayIconList* icons);
    int IconIndex() const { return icon_index_; }
    void SetIconIndex(int index);
    IconHandle CurrentIcon() const { return current_icon_; }
    bool Animate() const { return animate_; }
    void SetAnimate(bool on);
    int Interval() const { return interval_; }
    // Below 1 ms becomes 1.
    void SetInterval(int ms);
    TEcTrayIconClicks RestoreOn = TEcTrayIconClicks::ticLeftDblClick;
    TEcTrayIconClicks PopupMenuOn = TEcTrayIconClicks::ticRightClickUp;

    // Neither runs again from within itself (through the application's handlers).
    void MinimizeApp();
    void RestoreApp();

    // Window-message entry points of the component's own window.
    void AnimateTick();
    void OnCallback(unsigned mouse_message);
    void OnTaskbarCreated();
    // The answer to WM_QUERYENDSESSION: 1 when the session may end.
    int OnQueryEndSession();
    void OnEndSession(bool ending);

    std::function<void()> OnMinimize, OnRestore, OnEndSessionEvent;
    std::function<void(bool& allow)> OnQueryEndSessionEvent;
    std::function<void()> OnLButtonDown, OnLButtonUp, OnLButtonDblClick, OnRButtonDown, OnRButtonUp,
        OnRButtonDblClick, OnBalloonHintHide, OnBalloonHintClose, OnBalloonHintClick;

private:
    void AddOrRemove();
    void Update();
    void Click(TEcTrayIconClicks click, const std::function<void()>& event);

    ITrayShell& shell_;
    ITrayApplication& app_;
    bool loaded_ = false;
    bool enabled_ = true;
    bool shown_ = false;
    bool hide_on_minimize_ = true;
    bool has_popup_ = false;
    bool popup_showing_ = false;
    bool restoring_ = false;
    bool minimizing_ = false;
    bool animate_ = false;
    int interval_ = 1000;
    std::string hint_, tip_;
    const ITrayIconList* icons_ = nullptr;
    int icon_index_ = 0;
    IconHandle current_icon_ = 0;
};

} // namespace ec
