// What the skinned-window test programs share: skin components loaded as a window description
// leaves them, a library main window with a menu, a dialog of the program from a template, and
// waits for a window's skin.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/win/forms.h"
#include "platform/ui/win/menus.h"
#include "skin/image32.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_manager.h"
#include "skin/win/win_skin_form.h"

namespace skinned_test {

using skin::TSkinData;
using skin::TSkinManage;
using skin::TWinSkinForm;
using Bytes = std::vector<std::uint8_t>;

extern const char* const kDefaultSkin;
extern const char* const kContrastSkin;

Bytes ReadStored(const char* path);

// A skin component as a window description would leave it: settings first, then Loaded.
skin::TSkinData* LoadedData(ui::Component* owner, const char* skin_path,
                            skin::TSkinFormType type = skin::TSkinFormType::sfMainform, bool active = true);

// A library main window with a menu.
struct MainWindow {
    explicit MainWindow(const std::string& caption = "Velquist skinned", int client_w = 360, int client_h = 200);
    HWND handle() const { return form->handle(); }
    std::unique_ptr<ui::Form> form;
    ui::MainMenu* menu = nullptr;
};

SIZE ClientSize(HWND window);
RECT WindowRectOf(HWND window);
// What the window shows now, its frame included, after a full repaint.
skin::Image32 Capture(HWND window);
skin::TWinSkinForm* SkinOf(HWND window);
// Until the window's skin has started (or three seconds passed).
bool WaitSkinned(HWND window);
void Activate(HWND window);

// A dialog of the program of the standard dialog class, from a template in memory.
HWND CreateProgramDialog(const wchar_t* caption, DWORD extra_style = 0);

struct DestroyWindowOnExit {
    HWND h;
    ~DestroyWindowOnExit() {
        if (IsWindow(h)) DestroyWindow(h);
    }
};

// Every test starts and ends without a skin manager, and with no handler errors left over.
class SkinnedTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<ui::Component> owner_;
};

} // namespace skinned_test
