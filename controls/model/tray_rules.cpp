#include "controls/model/tray_rules.h"

#include "controls/model/tray_tip.h"

namespace ec {

namespace {
void fire(const std::function<void()>& event) {
    if (event) event();
}

// Clears a flag when the scope ends, also when a handler throws.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};
} // namespace

TrayIconRules::TrayIconRules(ITrayShell& shell, ITrayApplication& app) : shell_(shell), app_(app) {
    current_icon_ = app_.ApplicationIcon();
}

TrayIconRules::~TrayIconRules() {
    if (shown_) shell_.Delete();
}

void TrayIconRules::Loaded() {
    // A second add of a shown icon would be refused and read as a lost icon.
    if (loaded_) return;
    loaded_ = true;
    SetIconIndex(icon_index_);
    if (enabled_) AddOrRemove();
}

void TrayIconRules::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (loaded_) AddOrRemove();
}

void TrayIconRules::AddOrRemove() {
    if (enabled_) {
        shown_ = shell_.Add(current_icon_, tip_);
        app_.InstallHandlers();
    } else if (shown_) {
        shell_.Delete();
        shown_ = false;
    }
}

void TrayIconRules::Update() {
    if (loaded_ && shown_) shell_.Modify(current_icon_, tip_);
}

void TrayIconRules::SetHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    tip_ = TrayTipText(hint, shell_.NewShell());
    Update();
}

void TrayIconRules::SetIcons(const ITrayIconList* icons) {
    icons_ = icons;
    SetIconIndex(icon_index_);
}

void TrayIconRules::SetIconIndex(int index) {
    icon_index_ = index;
    if (icons_ != nullptr && index >= 0 && index < icons_->Count()) {
        current_icon_ = icons_->Icon(index);
    } else {
        current_icon_ = app_.ApplicationIcon();
    }
    Update();
}

void TrayIconRules::SetAnimate(bool on) {
    animate_ = on;
    app_.SetAnimationTimer(on, interval_);
}

void TrayIconRules::SetInterval(int ms) {
    interval_ = ms < 1 ? 1 : ms;
    if (animate_) app_.SetAnimationTimer(true, interval_);
}

void TrayIconRules::AnimateTick() {
    if (icons_ == nullptr || icons_->Count() <= 0) return;
    int next = icon_index_ + 1;
    if (next >= icons_->Count() || next < 0) next = 0;
    SetIconIndex(next);
}

void TrayIconRules::MinimizeApp() {
    // Minimising the application calls its minimise handler, which is this again.
    if (minimizing_) return;
    FlagScope scope(minimizing_);
    // A refused add is tried again here; the window is hidden only when the icon is there to
    // bring it back. A window that goes to the tray is hidden without being minimised first:
    // hidden, it shows nothing of either state, and it comes back in its normal state.
    if (enabled_ && !shown_) AddOrRemove();
    if (enabled_ && hide_on_minimize_ && shown_) {
        app_.HideMainWindow();
    } else {
        app_.Minimize();
    }
    fire(OnMinimize);
}

void TrayIconRules::RestoreApp() {
    if (popup_showing_ || restoring_) return;
    FlagScope scope(restoring_);
    app_.Restore();
    // Always shown: a window hidden while the icon was enabled must come back even if the icon
    // has been switched off since.
    app_.ShowMainWindowInFront();
    fire(OnRestore);
}

void TrayIconRules::Click(TEcTrayIconClicks click, const std::function<void()>& event) {
    if (RestoreOn == click) RestoreApp();
    if (PopupMenuOn == click && has_popup_) {
        FlagScope scope(popup_showing_);
        app_.ShowPopupMenu();
    }
    fire(event);
}

void TrayIconRules::OnCallback(unsigned mouse_message) {
    switch (mouse_message) {
    case kLButtonDown: Click(TEcTrayIconClicks::ticLeftClick, OnLButtonDown); break;
    case kLButtonUp: Click(TEcTrayIconClicks::ticLeftClickUp, OnLButtonUp); break;
    case kLButtonDblClk: Click(TEcTrayIconClicks::ticLeftDblClick, OnLButtonDblClick); break;
    case kRButtonDown: Click(TEcTrayIconClicks::ticRightClick, OnRButtonDown); break;
    case kRButtonUp: Click(TEcTrayIconClicks::ticRightClickUp, OnRButtonUp); break;
    case kRButtonDblClk: Click(TEcTrayIconClicks::ticRightDblClick, OnRButtonDblClick); break;
    case kBalloonHide: fire(OnBalloonHintHide); break;
    case kBalloonTimeout: fire(OnBalloonHintClose); break;
    case kBalloonClick: fire(OnBalloonHintClick); break;
    default: break;
    }
}

void TrayIconRules::OnTaskbarCreated() {
    // The new task bar holds no icon of ours, whatever the old one did.
    shown_ = false;
    if (loaded_ && enabled_) AddOrRemove();
}

int TrayIconRules::OnQueryEndSession() {
    bool allow = true;
    if (OnQueryEndSessionEvent) OnQueryEndSessionEvent(allow);
    return allow ? 1 : 0;
}

void TrayIconRules::OnEndSession(bool ending) {
    fire(OnEndSessionEvent);
    if (ending && shown_) {
        shell_.Delete();
        shown_ = false;
    }
}

} // namespace ec
