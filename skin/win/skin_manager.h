// The one skin manager of a program: it sees every window its thread creates, activates and
// destroys through a window-creation hook, decides which windows are skinned and by which
// skin component, and runs the requests to skin, unskin or refresh everything from a timer,
// outside the code that asked for them.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/win/timer.h"
#include "skin/window_filter.h"

namespace skin {

class TSkinData;
class TWinSkinForm;

class TSkinManage {
public:
    // The program's manager, or null before the first component loaded and after Shutdown.
    static TSkinManage* Instance();
    static TSkinManage& Create();
    // The end of the program (tests call it too): every window skin released without a
    // repaint, the hook removed, later hook calls passed on.
    static void Shutdown();

    // How often the hook was installed and removed, for tests.
    struct HookCounts {
        int installed = 0, removed = 0;
    };
    static HookCounts Hooks();

    void Register(TSkinData* data);
    void Unregister(TSkinData* data);
    const std::vector<TSkinData*>& Components() const { return components_; }
    TSkinData* MainComponent() const { return main_; }

    // Installs the hook for the calling thread; once, and only on the manager's thread.
    void InstallHook();
    bool HookInstalled() const { return hook_ != nullptr; }

    void IssueCommand(SkinCommand command, unsigned delay_ms);
    void SetCommandTarget(TSkinData* data) { target_ = data; }
    // Runs the pending command as the timer would.
    void FireCommand();
    ui::Timer& CommandTimer() { return *timer_; }
    const CommandLatch& Latch() const { return latch_; }

    bool SkinningOn() const { return latch_.skinning_on(); }
    void SetSkinningOn(bool on) { latch_.set_skinning_on(on); }
    bool SkinningAll() const { return skinning_all_; }
    // 0 until the first activation, then 1; 4 while ending.
    int StartState() const { return start_state_; }
    void MarkStarted();

    bool SkinWindow(HWND window);
    // Why the last SkinWindow refused (kSkin when it skinned), for tests.
    FilterVerdict LastVerdict() const { return last_verdict_; }
    TWinSkinForm* FindSkinnedWindow(HWND window) const;
    TSkinData* ChooseSkinData(HWND window) const;
    // Frees the skins of destroyed windows and of unskinned ones no message uses any more.
    void DropDeadWindows();
    const std::vector<std::unique_ptr<TWinSkinForm>>& Windows() const { return windows_; }

    // Kind of the next popup menu: 0 context, 1 menu bar drop-down, 2 window menu.
    int PopupKind() const { return popup_kind_; }
    void SetPopupKind(int kind) { popup_kind_ = kind; }
    // Set while a skinned menu bar drops a menu: the popup skins made meanwhile are marked.
    bool MenuBarTracking() const { return menu_bar_tracking_; }
    void SetMenuBarTracking(bool on) { menu_bar_tracking_ = on; }
    // The last popup skin went with its window: no tracking, and the next popup is a context menu.
    void PopupsGone() {
        menu_bar_tracking_ = false;
        popup_kind_ = 0;
    }
    // Whether a popup of the present kind is skinned with `data`'s settings.
    bool PopupAllowed(const TSkinData& data) const;

    bool MaximisedChildShown() const { return maximised_child_; }
    void SetMaximisedChild(bool shown);

    ~TSkinManage();

private:
    TSkinManage();
    static LRESULT CALLBACK HookProc(int code, WPARAM wparam, LPARAM lparam);
    void OnCreate(HWND window, const CBT_CREATEWNDW& create);
    void SkinVisibleForm(HWND window);
    void Unskin(std::unique_ptr<TWinSkinForm> form, bool repaint);
    void RunCommand(SkinCommand command, TSkinData* target);

    std::unique_ptr<ui::Timer> timer_;
    std::vector<std::unique_ptr<TWinSkinForm>> windows_;
    std::vector<std::unique_ptr<TWinSkinForm>> retired_;  // unskinned while still in a message
    std::vector<TSkinData*> components_;
    CommandLatch latch_;
    bool skinning_all_ = false;
    int start_state_ = 0;
    int popup_kind_ = 0;
    bool menu_bar_tracking_ = false;
    bool maximised_child_ = false;
    TSkinData* target_ = nullptr;
    TSkinData* main_ = nullptr;
    HHOOK hook_ = nullptr;
    DWORD thread_ = 0;
    FilterVerdict last_verdict_ = FilterVerdict::kSkinningOff;
};

} // namespace skin
