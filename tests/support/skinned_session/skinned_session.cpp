#include "tests/support/skinned_session/skinned_session.h"

#include <gtest/gtest.h>

#include "platform/ui/description_reader.h"
#include "skin/win/skin_manager.h"
#include "tests/support/window_test/window_test.h"

namespace test_support {
namespace {

// The station's main window as the build wrote it, its skin embedded.
constexpr const wchar_t* kMainWindowResource = L"VQMAINFORM";
constexpr const char* kComponentName = "SkinData1";

} // namespace

SkinnedSession::SkinnedSession() {
    window_test::ensure_application();
    skin::TSkinManage::Shutdown();
    owner_ = std::make_unique<ui::Form>(nullptr);
    ui::register_class(skin::TSkinData::static_class());
    const std::string text = ui::load_resource_text(kMainWindowResource);
    if (text.empty()) {
        ADD_FAILURE() << "the station's main window description is not among the program's resources";
        return;
    }
    const ui::DescObject main = ui::parse_description(text);
    // Only the skin component: the rest of the main window stays out of the dialogs' tests.
    ui::DescObject holder;
    holder.name = "SkinnedSessionOwner";
    holder.class_name = "TForm";
    for (const ui::DescObject& child : main.children)
        if (child.name == kComponentName) holder.children.push_back(child);
    if (holder.children.empty()) {
        ADD_FAILURE() << "the station's main window carries no " << kComponentName;
        return;
    }
    ui::read_description(*owner_, holder);
    data_ = dynamic_cast<skin::TSkinData*>(owner_->find_component(kComponentName));
    if (!data_ || data_->NoSkin()) ADD_FAILURE() << "the skin did not load: " << (data_ ? data_->LoadError() : "");
}

SkinnedSession::~SkinnedSession() {
    owner_.reset();
    skin::TSkinManage::Shutdown();
    window_test::pump(0);
    // A fault inside a skinned window's message reaches the application's handler, not the test.
    EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front();
    window_test::errors().clear();
}

skin::TWinSkinForm* SkinOf(HWND window) {
    skin::TSkinManage* manager = skin::TSkinManage::Instance();
    return manager ? manager->FindSkinnedWindow(window) : nullptr;
}

skin::TWinSkinForm* Skinned(HWND window) {
    skin::TWinSkinForm* f = SkinOf(window);
    return f && f->skin_state() == skin::TWinSkinForm::kSkinned ? f : nullptr;
}

skin::TWinSkinForm* WaitSkinned(HWND window) {
    window_test::pump_until([&] { return Skinned(window) != nullptr; }, 3000);
    return Skinned(window);
}

} // namespace test_support
