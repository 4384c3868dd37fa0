// What the setup tool's skin tests share: the main window and its address dialog over the
// stand-in devices on loopback, read from a chosen description, each case with a skin manager
// of its own and the skin's fault reports captured.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kesto_fakes.h"
#include "platform/ui/win/application.h"
#include "setuptool/forms/ip_addr_form.h"
#include "setuptool/forms/main_form.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_manager.h"
#include "skin/win/win_skin_form.h"
#include "tests/support/discovery_responder/discovery_responder.h"
#include "tests/support/skin_faults.h"
#include "tests/support/window_test/window_test.h"

namespace kesto_test {

class RecordingMessages : public kesto::UserMessages {
public:
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

template <class T> T* part(ui::Component& root, const char* name) {
    auto* c = dynamic_cast<T*>(root.find_component(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

// The window's skin once it has started, else null.
inline skin::TWinSkinForm* skinned(HWND window) {
    skin::TSkinManage* manager = skin::TSkinManage::Instance();
    skin::TWinSkinForm* form = manager ? manager->FindSkinnedWindow(window) : nullptr;
    return form && form->skin_state() == skin::TWinSkinForm::kSkinned ? form : nullptr;
}

class KestoSkinFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static bool ready = [] {
            ui::application().initialize();
            ui::register_control_classes();
            return true;
        }();
        (void)ready;
    }
    void SetUp() override {
        skin::TSkinManage::Shutdown();
        ui::application().on_exception = [this](const std::string& message) { errors_.push_back(message); };
    }
    void TearDown() override {
        close();
        EXPECT_TRUE(errors_.empty()) << errors_.front();
    }
    // The windows gone and the skin manager ended, ready for the next open.
    void close() {
        if (main) main->close();
        main.reset();
        dialog.reset();
        if (responder) responder->stop();
        responder.reset();
        skin::TSkinManage::Shutdown();
        window_test::pump(0);
    }

    // The main window read from `description`, shown and active.
    void open(const wchar_t* description = kesto::kMainFormDescription) {
        ResponderOptions options;
        options.port = 0;
        responder = std::make_unique<DiscoveryResponder>(options);
        ASSERT_TRUE(responder->start());
        tokens = std::make_unique<ScriptedTokens>(std::deque<std::uint8_t>{11, 22, 33});
        kesto::SessionOptions session;
        session.target = {0x7FFFFFFFu, responder->port()};  // loopback's broadcast address
        session.tokens = tokens.get();
        dialog = std::make_unique<kesto::IPAddrForm>(messages);
        main = std::make_unique<kesto::MainForm>(*dialog, session, web, messages, description);
        main->set_visible(true);
        SetForegroundWindow(main->handle());
        window_test::pump(50);
    }
    skin::TSkinData* skin_data() { return part<skin::TSkinData>(*main, "SkinData1"); }
    int rows() { return main->device_list().item_count(); }
    bool refresh_and_wait(int count) {
        part<ui::MenuItem>(*main, "NodeRefresh")->click();
        return window_test::pump_until([&] { return rows() >= count; }, 5000);
    }

    test_support::CapturedFaults skin_faults;
    RecordingMessages messages;
    RecordingWebPage web;
    std::unique_ptr<ScriptedTokens> tokens;
    std::unique_ptr<DiscoveryResponder> responder;
    std::unique_ptr<kesto::IPAddrForm> dialog;
    std::unique_ptr<kesto::MainForm> main;

private:
    std::vector<std::string> errors_;
};

} // namespace kesto_test
