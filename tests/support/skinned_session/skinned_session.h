// A skinned session as the station has it, for window tests of its dialogs: the main window's
// skin component (the default skin, active, skinning every window of the thread) read from the
// program's resources onto an owner that never shows. Every window the test activates
// afterwards is skinned by the manager's rules, as it would be over the running main window.
// The test program links the station's resources.
#pragma once
#include <windows.h>

#include <memory>

#include "platform/ui/win/forms.h"
#include "skin/win/skin_data.h"
#include "skin/win/win_skin_form.h"

namespace test_support {

class SkinnedSession {
public:
    SkinnedSession();
    // The component goes and the manager with it: the next session starts from nothing.
    ~SkinnedSession();
    SkinnedSession(const SkinnedSession&) = delete;
    SkinnedSession& operator=(const SkinnedSession&) = delete;

    skin::TSkinData& Data() const { return *data_; }

private:
    std::unique_ptr<ui::Form> owner_;
    skin::TSkinData* data_ = nullptr;  // owned by owner_
};

// The live skin of `window`, or null.
skin::TWinSkinForm* SkinOf(HWND window);
// The skin of `window` when it is in the skinned state, else null.
skin::TWinSkinForm* Skinned(HWND window);
// The skin of `window` once it is in the skinned state (three seconds at most), else null.
skin::TWinSkinForm* WaitSkinned(HWND window);

} // namespace test_support
