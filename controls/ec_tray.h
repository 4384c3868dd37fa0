// The application's icon in the notification area, as a component of a window description: a
// tip, an animation through an image list, restoring the application or opening a popup menu
// on chosen clicks, hiding the task-bar window on minimise, re-adding the icon when the task bar
// is recreated, and the session-end questions. The rules are TrayIconRules; this class gives
// them the shell, the application, the timer and the icon's own hidden window.
//
// A shell that refuses the add (the task bar is not up yet at log-on) leaves the icon wanted:
// it is added again on "TaskbarCreated" and on the next minimise, and the main window is hidden
// only while the icon is really shown.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/model/tray_rules.h"
#include "platform/ui/component.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/message_window.h"
#include "platform/ui/win/timer.h"

namespace ec {

// The callback message of the notification area (its lParam is the mouse message).
constexpr UINT kTrayCallbackMessage = 0x2422;
// The identifier of the component's icon among those of its window.
constexpr UINT kTrayIconId = 1;

// The major version of the shell library; 0 when it does not tell.
DWORD ShellMajorVersion();

// The notification area through Shell_NotifyIconW, for the icon of `window`.
class WinTrayShell final : public ITrayShell {
public:
    explicit WinTrayShell(HWND window);
    bool NewShell() const override { return new_shell_; }
    bool Add(IconHandle icon, const std::string& tip) override;
    bool Modify(IconHandle icon, const std::string& tip) override;
    void Delete() override;

private:
    bool Send(DWORD message, IconHandle icon, const std::string& tip);
    HWND window_;
    bool new_shell_;
};

using QueryEndSessionEvent = std::function<void(ui::Component* sender, bool& allow_session_to_end)>;

class TEcTrayIcon : public ui::Component {
    UI_CLASS_IDENTITY()
public:
    explicit TEcTrayIcon(ui::Component* owner);
    ~TEcTrayIcon() override;

    bool animate() const { return rules_->Animate(); }
    void set_animate(bool on) { rules_->SetAnimate(on); }
    bool enabled() const { return rules_->Enabled(); }
    void set_enabled(bool on) { rules_->SetEnabled(on); }
    bool hide_on_minimize() const { return rules_->HideOnMinimize(); }
    void set_hide_on_minimize(bool on) { rules_->SetHideOnMinimize(on); }
    const std::string& hint() const { return rules_->Hint(); }
    void set_hint(const std::string& hint) { rules_->SetHint(hint); }
    ui::PopupMenu* popup_menu() const { return popup_menu_; }
    void set_popup_menu(ui::PopupMenu* menu);
    ui::ImageList* icons() const { return icons_.list(); }
    void set_icons(ui::ImageList* icons);
    int icon_index() const { return rules_->IconIndex(); }
    void set_icon_index(int index) { rules_->SetIconIndex(index); }
    int interval() const { return rules_->Interval(); }
    void set_interval(int ms) { rules_->SetInterval(ms); }
    TEcTrayIconClicks restore_on() const { return rules_->RestoreOn; }
    void set_restore_on(TEcTrayIconClicks click) { rules_->RestoreOn = click; }
    TEcTrayIconClicks popup_menu_on() const { return rules_->PopupMenuOn; }
    void set_popup_menu_on(TEcTrayIconClicks click) { rules_->PopupMenuOn = click; }

    void minimize_app() { rules_->MinimizeApp(); }
    void restore_app() { rules_->RestoreApp(); }

    // True while the shell holds the icon.
    bool shown() const { return rules_->Shown(); }
    // The icon handed to the shell.
    HICON current_icon() const { return reinterpret_cast<HICON>(rules_->CurrentIcon()); }
    // The tip as the shell's field takes it.
    const std::string& tip() const { return rules_->Tip(); }
    // The icon's own window: the shell's callbacks, the task bar's and the session's messages.
    HWND handle() const { return window_.handle(); }
    ui::Timer& animation_timer() { return animation_; }
    // Lets tests stand in for the shell (to refuse an add, for instance); before loading.
    void use_shell(std::unique_ptr<ITrayShell> shell);

    static UINT taskbar_created_message();

    ui::NotifyEvent on_balloon_hint_hide, on_balloon_hint_close, on_balloon_hint_click;
    ui::NotifyEvent on_minimize_app, on_restore_app;
    ui::NotifyEvent on_lbutton_down, on_lbutton_up, on_lbutton_dbl_click, on_rbutton_down, on_rbutton_up,
        on_rbutton_dbl_click;
    ui::NotifyEvent on_end_session;
    QueryEndSessionEvent on_query_end_session;

    // Adds the icon when enabled. A description calls it; a tray icon made in code shows
    // nothing in the notification area until its maker calls it.
    void loaded() override;

protected:
    void notification(ui::Component* component, ui::TOperation operation) override;

private:
    class Application;
    class Icons;
    class Shell;
    struct Handler;

    bool window_message(ui::Message& m);
    void icons_changed();
    void show_popup_menu();
    void install_handlers();

    ui::MessageWindow window_;
    ui::Timer animation_{nullptr};
    ui::PopupMenu* popup_menu_ = nullptr;
    ui::ImageListLink icons_{*this, [this](ui::ImageList&) { icons_changed(); }};
    std::unique_ptr<Shell> shell_;
    std::unique_ptr<Application> application_;
    std::unique_ptr<Icons> icon_list_;
    std::unique_ptr<TrayIconRules> rules_;
};

} // namespace ec
