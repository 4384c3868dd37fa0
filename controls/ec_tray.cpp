#include "controls/ec_tray.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/graphics.h"

namespace ec {

using ui::PropBuilder;

DWORD ShellMajorVersion() {
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (shell == nullptr) return 0;
    auto get_version = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(shell, "DllGetVersion")));
    if (get_version == nullptr) return 0;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    return SUCCEEDED(get_version(&info)) ? info.dwMajorVersion : 0;
}

WinTrayShell::WinTrayShell(HWND window) : window_(window), new_shell_(ShellMajorVersion() >= 5) {}

bool WinTrayShell::Send(DWORD message, IconHandle icon, const std::string& tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = new_shell_ ? NOTIFYICONDATAW_V2_SIZE : NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window_;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | (tip.empty() ? 0 : NIF_TIP);
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(icon);
    // The tip was cut to the field in GBK characters; the wide form is never longer.
    const std::wstring wide = plat::gbk_to_wide(tip);
    const std::size_t room = (new_shell_ ? 128 : 64) - 1;
    std::memcpy(data.szTip, wide.data(), std::min(wide.size(), room) * sizeof(wchar_t));
    return Shell_NotifyIconW(message, &data) != FALSE;
}

bool WinTrayShell::Add(IconHandle icon, const std::string& tip) { return Send(NIM_ADD, icon, tip); }
bool WinTrayShell::Modify(IconHandle icon, const std::string& tip) { return Send(NIM_MODIFY, icon, tip); }
void WinTrayShell::Delete() { Send(NIM_DELETE, 0, {}); }

// The shell the rules talk to: the real one unless a test stands in for it.
class TEcTrayIcon::Shell final : public ITrayShell {
public:
    std::unique_ptr<ITrayShell> target;
    bool NewShell() const override { return target->NewShell(); }
    bool Add(IconHandle icon, const std::string& tip) override { return target->Add(icon, tip); }
    bool Modify(IconHandle icon, const std::string& tip) override { return target->Modify(icon, tip); }
    void Delete() override { target->Delete(); }
};

// The images of the Icons list as icons. Each is made once and kept until the list changes:
// the shell is given it again on every re-add.
class TEcTrayIcon::Icons final : public ITrayIconList {
public:
    using Cache = std::vector<std::unique_ptr<ui::Icon>>;
    ui::ImageList* list = nullptr;

    int Count() const override { return list ? list->count() : 0; }
    IconHandle Icon(int index) const override {
        if (list == nullptr || index < 0 || index >= list->count()) return 0;
        const auto slot = static_cast<std::size_t>(index);
        if (cache_.size() <= slot) cache_.resize(slot + 1);
        if (!cache_[slot]) cache_[slot] = std::make_unique<ui::Icon>(ImageList_GetIcon(list->handle(), index, ILD_NORMAL));
        return reinterpret_cast<IconHandle>(cache_[slot]->get());
    }
    // Hands the made icons over: the caller keeps them until the icon shown has been replaced.
    Cache forget() { return std::exchange(cache_, {}); }

private:
    mutable Cache cache_;
};

// The application as the rules see it: its main form is the task-bar window.
class TEcTrayIcon::Application final : public ITrayApplication {
public:
    explicit Application(TEcTrayIcon& tray) : tray_(tray) {}
    IconHandle ApplicationIcon() const override { return reinterpret_cast<IconHandle>(ui::application().icon()); }
    void Minimize() override { ui::application().minimize(); }
    void HideMainWindow() override {
        if (HWND window = main_window()) ShowWindow(window, SW_HIDE);
    }
    void Restore() override { ui::application().restore(); }
    void ShowMainWindowInFront() override {
        HWND window = main_window();
        if (window == nullptr) return;
        ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(window);
    }
    void ShowPopupMenu() override { tray_.show_popup_menu(); }
    void SetAnimationTimer(bool enabled, int interval_ms) override {
        tray_.animation_.set_interval(static_cast<unsigned>(interval_ms));
        tray_.animation_.set_enabled(enabled);
    }
    void InstallHandlers() override { tray_.install_handlers(); }

private:
    static HWND main_window() {
        ui::Form* form = ui::application().main_form();
        return form && form->handle_allocated() ? form->handle() : nullptr;
    }
    TEcTrayIcon& tray_;
};

// The application's minimise or restore handler of one tray icon; recognisable, so that the
// icon takes it back when it goes.
struct TEcTrayIcon::Handler {
    TEcTrayIcon* tray;
    bool minimize;
    void operator()(ui::Component*) const {
        if (minimize) tray->rules_->MinimizeApp();
        else tray->rules_->RestoreApp();
    }
};

ui::ClassInfo& TEcTrayIcon::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcTrayIcon", &Component::static_class());
        c.factory = ui::factory_of<TEcTrayIcon>();
        PropBuilder<TEcTrayIcon>(c)
            .boolean("Animate", &TEcTrayIcon::animate, &TEcTrayIcon::set_animate, false)
            .boolean("Enabled", &TEcTrayIcon::enabled, &TEcTrayIcon::set_enabled, true)
            .boolean("HideOnMinimize", &TEcTrayIcon::hide_on_minimize, &TEcTrayIcon::set_hide_on_minimize, true)
            .string("Hint", &TEcTrayIcon::hint, &TEcTrayIcon::set_hint)
            .integer("IconIndex", &TEcTrayIcon::icon_index, &TEcTrayIcon::set_icon_index, 0)
            .reference<ui::ImageList>("Icons", "TCustomImageList", &TEcTrayIcon::icons, &TEcTrayIcon::set_icons)
            .integer("Interval", &TEcTrayIcon::interval, &TEcTrayIcon::set_interval, 1000)
            .reference<ui::PopupMenu>("PopupMenu", "TPopupMenu", &TEcTrayIcon::popup_menu,
                                      &TEcTrayIcon::set_popup_menu)
            .enumeration("PopupMenuOn", &TEcTrayIcon::popup_menu_on, &TEcTrayIcon::set_popup_menu_on,
                         TEcTrayIconClicks::ticRightClickUp)
            .enumeration("RestoreOn", &TEcTrayIcon::restore_on, &TEcTrayIcon::set_restore_on,
                         TEcTrayIconClicks::ticLeftDblClick)
            .event("OnBalloonHintClick", "TNotifyEvent", &TEcTrayIcon::on_balloon_hint_click)
            .event("OnBalloonHintClose", "TNotifyEvent", &TEcTrayIcon::on_balloon_hint_close)
            .event("OnBalloonHintHide", "TNotifyEvent", &TEcTrayIcon::on_balloon_hint_hide)
            .event("OnEndSession", "TNotifyEvent", &TEcTrayIcon::on_end_session)
            .event("OnLButtonDblClick", "TNotifyEvent", &TEcTrayIcon::on_lbutton_dbl_click)
            .event("OnLButtonDown", "TNotifyEvent", &TEcTrayIcon::on_lbutton_down)
            .event("OnLButtonUp", "TNotifyEvent", &TEcTrayIcon::on_lbutton_up)
            .event("OnMinimizeApp", "TNotifyEvent", &TEcTrayIcon::on_minimize_app)
            .event("OnQueryEndSession", "TEcQueryEndSessionEvent", &TEcTrayIcon::on_query_end_session)
            .event("OnRButtonDblClick", "TNotifyEvent", &TEcTrayIcon::on_rbutton_dbl_click)
            .event("OnRButtonDown", "TNotifyEvent", &TEcTrayIcon::on_rbutton_down)
            .event("OnRButtonUp", "TNotifyEvent", &TEcTrayIcon::on_rbutton_up)
            .event("OnRestoreApp", "TNotifyEvent", &TEcTrayIcon::on_restore_app);
        return c;
    }();
    return info;
}

UINT TEcTrayIcon::taskbar_created_message() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

TEcTrayIcon::TEcTrayIcon(ui::Component* owner)
    : Component(owner), window_([this](ui::Message& m) { return window_message(m); }) {
    // A timer starts enabled; the animation runs only while Animate is on.
    animation_.set_enabled(false);
    animation_.on_timer = [this](ui::Component*) { rules_->AnimateTick(); };
    taskbar_created_message();
    shell_ = std::make_unique<Shell>();
    shell_->target = std::make_unique<WinTrayShell>(window_.handle());
    application_ = std::make_unique<Application>(*this);
    icon_list_ = std::make_unique<Icons>();
    rules_ = std::make_unique<TrayIconRules>(*shell_, *application_);

    auto notify = [this](const ui::NotifyEvent& event) {
        return [this, &event] {
            if (event) event(this);
        };
    };
    rules_->OnMinimize = notify(on_minimize_app);
    rules_->OnRestore = notify(on_restore_app);
    rules_->OnEndSessionEvent = notify(on_end_session);
    rules_->OnLButtonDown = notify(on_lbutton_down);
    rules_->OnLButtonUp = notify(on_lbutton_up);
    rules_->OnLButtonDblClick = notify(on_lbutton_dbl_click);
    rules_->OnRButtonDown = notify(on_rbutton_down);
    rules_->OnRButtonUp = notify(on_rbutton_up);
    rules_->OnRButtonDblClick = notify(on_rbutton_dbl_click);
    rules_->OnBalloonHintHide = notify(on_balloon_hint_hide);
    rules_->OnBalloonHintClose = notify(on_balloon_hint_close);
    rules_->OnBalloonHintClick = notify(on_balloon_hint_click);
    rules_->OnQueryEndSessionEvent = [this](bool& allow) {
        if (on_query_end_session) on_query_end_session(this, allow);
    };
    install_handlers();
}

TEcTrayIcon::~TEcTrayIcon() {
    icons_.set(nullptr);
    release_owned();
    // The application's handlers would call into a freed icon.
    ui::Application& app = ui::application();
    for (ui::NotifyEvent* handler : {&app.on_minimize, &app.on_restore}) {
        const Handler* ours = handler->target<Handler>();
        if (ours && ours->tray == this) *handler = nullptr;
    }
    animation_.set_enabled(false);
    rules_.reset();  // deletes the shown icon while its window still exists
}

void TEcTrayIcon::install_handlers() {
    ui::application().on_minimize = Handler{this, true};
    ui::application().on_restore = Handler{this, false};
}

void TEcTrayIcon::loaded() {
    Component::loaded();
    rules_->Loaded();
}

void TEcTrayIcon::use_shell(std::unique_ptr<ITrayShell> shell) { shell_->target = std::move(shell); }

void TEcTrayIcon::set_popup_menu(ui::PopupMenu* menu) {
    if (menu == popup_menu_) return;
    if (popup_menu_) popup_menu_->remove_free_notification(this);
    popup_menu_ = menu;
    if (popup_menu_) popup_menu_->free_notification(this);
    rules_->SetHasPopupMenu(popup_menu_ != nullptr);
}

void TEcTrayIcon::set_icons(ui::ImageList* icons) {
    if (!icons_.set(icons)) return;
    const Icons::Cache stale = icon_list_->forget();
    icon_list_->list = icons;
    rules_->SetIcons(icons ? icon_list_.get() : nullptr);
}

void TEcTrayIcon::icons_changed() {
    const Icons::Cache stale = icon_list_->forget();
    rules_->SetIconIndex(rules_->IconIndex());
}

void TEcTrayIcon::notification(ui::Component* component, ui::TOperation operation) {
    Component::notification(component, operation);
    if (operation != ui::TOperation::opRemove || component == nullptr) return;
    if (component == popup_menu_) {
        popup_menu_ = nullptr;
        rules_->SetHasPopupMenu(false);
    }
    if (icons_.forget(component)) {
        const Icons::Cache stale = icon_list_->forget();
        icon_list_->list = nullptr;
        rules_->SetIcons(nullptr);
    }
}

void TEcTrayIcon::show_popup_menu() {
    if (popup_menu_ == nullptr) return;
    POINT at{};
    GetCursorPos(&at);
    auto* form = dynamic_cast<ui::Form*>(owner());
    if (form && form->handle_allocated()) SetForegroundWindow(form->handle());
    popup_menu_->popup(at.x, at.y);
    // Without a message after it, a menu of a background program does not close when the user
    // clicks elsewhere.
    PostMessageW(window_.handle(), WM_NULL, 0, 0);
}

bool TEcTrayIcon::window_message(ui::Message& m) {
    if (!rules_) return false;  // still being made
    if (m.msg == kTrayCallbackMessage) {
        rules_->OnCallback(static_cast<unsigned>(m.lparam));
        return true;
    }
    if (m.msg == taskbar_created_message()) {
        // The new task bar is the shell's own business: a failing re-add must not reach it.
        try {
            rules_->OnTaskbarCreated();
        } catch (...) {
        }
        return true;
    }
    switch (m.msg) {
    case WM_QUERYENDSESSION: m.result = rules_->OnQueryEndSession(); return true;
    case WM_ENDSESSION: rules_->OnEndSession(m.wparam != 0); return true;
    default: return false;
    }
}

} // namespace ec
