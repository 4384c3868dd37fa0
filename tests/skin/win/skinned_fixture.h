// What the skinned-window tests share: our stored skins, a skin component loaded as a window
// description leaves it, a library main window with a menu, waiting for a window's skin, and a
// fixture that ends the skin manager around every test.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/menus.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_manager.h"
#include "skin/win/win_skin_form.h"
#include "tests/support/window_test/window_test.h"

namespace skinned_test {

using skin::TSkinData;
using skin::TSkinManage;
using skin::TWinSkinForm;
using Bytes = std::vector<std::uint8_t>;

inline const char* const kDefaultSkin = VQ_SKIN_STORED_DIR "/default.skn";
inline const char* const kContrastSkin = VQ_SKIN_STORED_DIR "/contrast.skn";

inline Bytes ReadStored(const char* path) {
    std::string text;
    EXPECT_TRUE(plat::read_whole_file(path, text)) << path;
    return Bytes(text.begin(), text.end());
}

// A skin component as a window description would leave it: settings first, then Loaded.
inline TSkinData* LoadedData(ui::Component* owner, const char* skin_path,
                             skin::TSkinFormType type = skin::TSkinFormType::sfMainform, bool active = true) {
    auto* data = new TSkinData(owner);
    data->SetSkinFormtype(type);
    data->SetActive(active);
    if (skin_path) data->SetStoredArchive(ReadStored(skin_path));
    static_cast<ui::Component*>(data)->loaded();
    return data;
}

// A library main window with a menu.
struct MainWindow {
    explicit MainWindow(const std::string& caption = "Velquist skinned", int client_w = 360, int client_h = 200) {
        form = std::make_unique<ui::Form>(nullptr);
        form->set_caption(caption);
        menu = new ui::MainMenu(form.get());
        auto* item = new ui::MenuItem(menu);
        item->set_caption("&File");
        menu->items()->add(item);
        form->set_menu(menu);
        form->set_bounds(80, 60, 400, 300);
        form->handle_needed();
        form->set_client_width(client_w);
        form->set_client_height(client_h);
    }
    HWND handle() const { return form->handle(); }
    std::unique_ptr<ui::Form> form;
    ui::MainMenu* menu = nullptr;
};

inline SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

inline RECT WindowRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

inline TWinSkinForm* SkinOf(HWND window) {
    TSkinManage* manager = TSkinManage::Instance();
    return manager ? manager->FindSkinnedWindow(window) : nullptr;
}

inline bool WaitSkinned(HWND window) {
    return window_test::pump_until([&] {
        TWinSkinForm* f = SkinOf(window);
        return f && f->skin_state() == TWinSkinForm::kSkinned;
    }, 3000);
}

inline void Activate(HWND window) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    window_test::pump(0);
}

struct DestroyWindowOnExit {
    HWND h;
    ~DestroyWindowOnExit() {
        if (IsWindow(h)) DestroyWindow(h);
    }
};

// Every test starts and ends without a skin manager.
class SkinnedWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window_test::ensure_application(); }
    void SetUp() override {
        TSkinManage::Shutdown();
        owner_ = std::make_unique<ui::Component>(nullptr);
    }
    void TearDown() override {
        owner_.reset();
        TSkinManage::Shutdown();
        window_test::pump(0);
        EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front();
        window_test::errors().clear();
    }
    std::unique_ptr<ui::Component> owner_;
};

} // namespace skinned_test
