// Which windows the skin manager takes on, which skin component skins them, and how requests
// to skin, unskin or refresh everything are put off until the window thread is free. Plain
// facts in, decisions out, so the rules are tested without windows.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "skin/skin_settings.h"

namespace skin {

// What the manager learns about a window before it decides.
struct WindowFacts {
    bool answers_skinned = false;  // answers the "are you skinned" message with 1
    bool listed = false;           // already has a window skin object
    bool has_control = false;      // a window of our window class library
    int control_tag = 0;
    bool child = false;      // WS_CHILD
    bool mdi_child = false;  // WS_EX_MDICHILD
    std::string parent_class;
    bool own_module = false;  // its instance handle is the program's
    std::string class_name;
    bool empty_rect = false;
    bool set_foreground = false;  // DS_SETFOREGROUND
};

struct FilterSettings {
    bool skinning_on = false;
    bool skinning_all = false;  // the skin-all walk lets child windows through
    bool has_main_component = false;
    TSkinOptions main_options;
};

// Why a window is refused, or kSkin.
enum class FilterVerdict {
    kSkin,
    kSkinningOff,
    kAlreadySkinned,
    kChildWindow,
    kForeign,
    kEmptyRect,
    kDisabledTag,
    kExcludedClass,
    kPreview,
    kSetForeground,
    kPopupTreeView,
    kVetoed,
};

// The tag that keeps a library window unskinned whatever the component's DisableTag says.
constexpr int kUnskinnedWindowTag = 99;

// Steps 1 to 9 of the manager's filter; `ask_veto` (the main component's AskFormSkin, true
// to skin) runs last and only when every other step passed.
FilterVerdict FilterWindow(const WindowFacts& window, const FilterSettings& settings,
                           const std::function<bool()>& ask_veto);

// One registered skin component as the choice sees it.
struct ComponentFacts {
    TSkinFormType form_type = TSkinFormType::sfMainform;
    bool owns_window = false;  // its owner's window is the one being skinned
};

// The index of the component that skins a window of `class_name`, or -1 when there is none:
// the one of its own form, else the dialog one for dialogs, else the main one, else the first;
// among several of a kind the last registered wins.
int ChooseSkinComponent(const std::vector<ComponentFacts>& components, const std::string& class_name);

// Lower-cased dialog classes: the system's standard dialog and the library's message box.
bool IsDialogClass(const std::string& class_name);

enum class SkinCommand { kNone = 0, kSkinAll = 1, kUnskinAll = 2, kRefresh = 3 };

// The pending command and its timer. Before the manager has started (no window activated
// yet) skin-all and unskin-all only switch skinning on or off at once; afterwards a command
// waits for the timer, and a later one issued before it fires replaces it.
class CommandLatch {
public:
    void Issue(SkinCommand command, unsigned delay_ms);
    // The timer fired: the pending command, which is cleared, and the timer stops.
    SkinCommand Take();

    bool started() const { return started_; }
    void Start() { started_ = true; }
    bool skinning_on() const { return skinning_on_; }
    void set_skinning_on(bool on) { skinning_on_ = on; }
    bool timer_enabled() const { return timer_enabled_; }
    unsigned interval() const { return interval_; }
    SkinCommand pending() const { return pending_; }

private:
    SkinCommand pending_ = SkinCommand::kNone;
    unsigned interval_ = 100;
    bool timer_enabled_ = false;
    bool started_ = false;
    bool skinning_on_ = false;
};

} // namespace skin
