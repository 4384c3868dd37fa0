// The setup tool's windows under Wine against the stand-in devices on loopback: the list and
// its status bar, stale answers, the address dialog and the set-address results, the port
// failure, closing while replies flow, and a screenshot of the main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "kesto_fakes.h"
#include "platform/files.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/screenshot.h"
#include "setuptool/forms/ip_addr_form.h"
#include "setuptool/forms/main_form.h"
#include "tests/support/discovery_responder/discovery_responder.h"
#include "tests/support/window_test/window_test.h"

namespace {

using kesto_test::Bytes;
using kesto_test::ResponderOptions;

constexpr std::uint32_t kLoopbackBroadcast = 0x7FFFFFFFu;

std::string gbk(const char* utf8) { return plat::utf8_to_gbk(utf8); }

class RecordingMessages : public kesto::UserMessages {
public:
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

using window_test::pump;

// Replies from the stand-in devices on loopback can take a while under Wine.
bool pump_until(const std::function<bool()>& done, int ms = 5000) { return window_test::pump_until(done, ms); }

// Runs `step` on this thread from inside whatever message loop turns next (a modal dialog's
// included), once.
std::map<UINT_PTR, std::function<void()>>& pending_steps() {
    static std::map<UINT_PTR, std::function<void()>> steps;
    return steps;
}
void CALLBACK run_step(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto it = pending_steps().find(id);
    if (it == pending_steps().end()) return;
    std::function<void()> step = std::move(it->second);
    pending_steps().erase(it);
    step();
}
void on_next_turn(std::function<void()> step) {
    UINT_PTR id = SetTimer(nullptr, 0, 30, run_step);
    pending_steps()[id] = std::move(step);
}

template <class T> T* part(ui::Component& root, const char* name) {
    auto* c = dynamic_cast<T*>(root.find_component(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

void click_menu(ui::Component& form, const char* name) { part<ui::MenuItem>(form, name)->click(); }

// A key pressed in `window`, handled through the thread's message loop (menu shortcuts too).
void press_key(HWND window, WORD key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    ui::application().process_messages();
}

class KestoWindows : public ::testing::Test {
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
        errors_.clear();
        ui::application().on_exception = [this](const std::string& message) { errors_.push_back(message); };
    }
    void TearDown() override {
        if (main) main->close();
        main.reset();
        dialog.reset();
        if (responder) responder->stop();
        EXPECT_TRUE(errors_.empty()) << errors_.front();
    }

    void open(ResponderOptions options, std::deque<std::uint8_t> token_script = {11, 22, 33}) {
        options.port = 0;
        responder = std::make_unique<kesto_test::DiscoveryResponder>(options);
        ASSERT_TRUE(responder->start());
        tokens = std::make_unique<kesto_test::ScriptedTokens>(std::move(token_script));
        kesto::SessionOptions session;
        session.target = {kLoopbackBroadcast, responder->port()};
        session.tokens = tokens.get();
        dialog = std::make_unique<kesto::IPAddrForm>(messages);
        main = std::make_unique<kesto::MainForm>(*dialog, session, web, messages);
        main->set_visible(true);
        pump(50);
    }
    int rows() { return main->device_list().item_count(); }
    bool refresh_and_wait(int count) {
        click_menu(*main, "NodeRefresh");
        return pump_until([&] { return rows() >= count; });
    }
    void select_row(int index) { main->device_list().set_selected(main->device_list().item(index)); }

    RecordingMessages messages;
    kesto_test::RecordingWebPage web;
    std::unique_ptr<kesto_test::ScriptedTokens> tokens;
    std::unique_ptr<kesto_test::DiscoveryResponder> responder;
    std::unique_ptr<kesto::IPAddrForm> dialog;
    std::unique_ptr<kesto::MainForm> main;

private:
    std::vector<std::string> errors_;
};

TEST_F(KestoWindows, RefreshListsTheDevicesAndTheirCount) {
    open(ResponderOptions{});
    EXPECT_EQ(main->caption(), gbk("网络设备管理器 Kesto"));
    EXPECT_EQ(main->client_width(), 931);
    EXPECT_EQ(main->client_height(), 391) << "the stored client height is the area below the menu bar";
    RECT client{};
    GetClientRect(main->handle(), &client);
    EXPECT_EQ(client.bottom, 391);
    std::string port_text = main->status_bar().panel_text(0);
    EXPECT_EQ(port_text.rfind(gbk("使用中的 UDP 端口: 31"), 0), 0u) << port_text;
    EXPECT_EQ(rows(), 0);  // nothing is probed before the first refresh

    main->device_list().set_focus();
    press_key(main->device_list().handle(), VK_F5);
    ASSERT_TRUE(pump_until([&] { return rows() >= 3; }));
    pump(100);
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(main->status_bar().panel_text(1), gbk("找到的设备数: 3"));
    ui::ListView& list = main->device_list();
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list.cell_text(row, 0), std::to_string(row + 1));
        EXPECT_EQ(list.cell_text(row, 1), "192.168.1." + std::to_string(101 + row));
        EXPECT_EQ(list.cell_text(row, 4), "00-1a-2b-3c-4d-0" + std::to_string(row + 1));
        EXPECT_EQ(list.cell_text(row, 6), "4");
        EXPECT_EQ(list.item(row)->sub_items().count(), 9);  // eight shown, the decimal MAC hidden
    }

    ui::Bitmap shot;
    ui::capture_window(main->handle(), shot);
    EXPECT_TRUE(window_test::save_picture(shot, "kesto_screenshots", "main_window"));
}

TEST_F(KestoWindows, SecondQuickRefreshIgnoresStaleAnswers) {
    ResponderOptions late;
    late.delay_ms = 300;
    open(late, {11, 22});
    click_menu(*main, "NodeRefresh");
    click_menu(*main, "NodeRefresh");
    ASSERT_TRUE(pump_until([&] { return responder->datagrams_sent() >= 6; }));
    // Sent is not yet taken in: wait for the second refresh's three devices, then make sure no
    // stale answer adds a row after them.
    auto found_three = [&] { return rows() == 3 && main->status_bar().panel_text(1) == gbk("找到的设备数: 3"); };
    EXPECT_TRUE(pump_until(found_three)) << rows();
    pump(300);
    EXPECT_TRUE(found_three()) << rows();
}

TEST_F(KestoWindows, SetAddressSendsTheCommandAndShowsTheResult) {
    struct Case {
        const char* name;
        const char* user;  // nullptr: the default login stays ticked
        const char* password;
        const char* message;
    };
    const Case cases[] = {
        {"default login", nullptr, nullptr, "操作成功!"},
        {"unknown user", "admin", "pelum", "操作失败 - 用户不存在!"},
        {"wrong password", "pelum", "secret", "操作失败 -  密码错误!"},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        open(ResponderOptions{});
        ASSERT_TRUE(refresh_and_wait(3)) << c.name;
        select_row(1);
        on_next_turn([&] {
            auto* check = part<ui::CheckBox>(*dialog, "checkDefaultPass");
            if (c.user) {
                check->set_checked(false);
                part<ui::Edit>(*dialog, "editUserName")->set_text(c.user);
                part<ui::Edit>(*dialog, "editPassword")->set_text(c.password);
            }
            part<ui::Edit>(*dialog, "editIPAddr")->set_text("192.168.1.222");
            part<ui::Button>(*dialog, "btnOK")->click();
        });
        click_menu(*main, "NodeIPAddress");
        ASSERT_TRUE(pump_until([&] { return !messages.shown.empty(); })) << c.name;
        EXPECT_EQ(messages.shown, std::vector<std::string>{gbk(c.message)}) << c.name;

        Bytes want(54, 0);
        std::string user = c.user ? c.user : "pelum";
        std::string password = c.password ? c.password : "pelum";
        std::copy(user.begin(), user.end(), want.begin());
        std::copy(password.begin(), password.end(), want.begin() + 16);
        const Bytes tail = {192, 168, 1, 222, 255, 255, 255, 0, 192, 168, 1, 1, 0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x02,
                            1, 2, 3, 4};
        std::copy(tail.begin(), tail.end(), want.begin() + 32);
        auto log = responder->log();
        ASSERT_EQ(log.size(), 2u) << c.name;
        EXPECT_EQ(log[1].bytes, want) << c.name;
        TearDown();
    }
}

TEST_F(KestoWindows, AddressDialogLoginKeysAndChecks) {
    open(ResponderOptions{});
    ASSERT_TRUE(refresh_and_wait(3));
    select_row(0);
    auto* check = part<ui::CheckBox>(*dialog, "checkDefaultPass");
    auto* user = part<ui::Edit>(*dialog, "editUserName");
    auto* password = part<ui::Edit>(*dialog, "editPassword");
    auto* ip = part<ui::Edit>(*dialog, "editIPAddr");
    auto* mask = part<ui::Edit>(*dialog, "editNetMask");
    std::vector<std::string> seen;
    bool default_ticked = false, login_disabled = false, login_kept = false, editable = false;
    bool pictured = false;
    on_next_turn([&] {
        // The dialog as it opens for the first device, for review.
        pictured = window_test::save_screenshot(dialog->handle(), "kesto_screenshots", "address_dialog");
        // An earlier showing left the box unticked: this one ticks it again.
        default_ticked = check->checked();
        login_disabled = user->text() == "pelum" && password->text() == "pelum" && !user->enabled() &&
                         !password->enabled();
        check->set_checked(false);
        login_kept = user->text() == "pelum" && password->text() == "pelum";
        editable = user->enabled() && password->enabled();

        ip->set_text("");
        for (wchar_t key : {L'1', L'a', L'.', L'Z', L' ', L'2'}) SendMessageW(ip->handle(), WM_CHAR, key, 1);
        seen.push_back(ip->text());

        ip->set_text("  ");
        part<ui::Button>(*dialog, "btnOK")->click();
        seen.push_back(dialog->visible() && dialog->modal_result() == ui::mrNone ? "open" : "closed");
        ip->set_text("10.0.0.9");
        mask->set_text("");
        part<ui::Button>(*dialog, "btnOK")->click();
        seen.push_back(dialog->visible() && dialog->modal_result() == ui::mrNone ? "open" : "closed");
        part<ui::Button>(*dialog, "btnCancel")->click();
    });
    check->set_checked(false);  // as a previous showing may have left it
    click_menu(*main, "NodeIPAddress");
    EXPECT_TRUE(pictured);
    EXPECT_TRUE(default_ticked);
    EXPECT_TRUE(login_disabled);
    EXPECT_TRUE(login_kept);
    EXPECT_TRUE(editable);
    EXPECT_EQ(seen, (std::vector<std::string>{"1.2", "open", "open"}));
    EXPECT_EQ(messages.shown, (std::vector<std::string>{gbk("请输入IP地址!"), gbk("请输入子网掩码!")}));
    pump(50);
    EXPECT_EQ(responder->log().size(), 1u);  // the probe only: Cancel sends nothing
}

TEST_F(KestoWindows, EmptyGatewayShowsTheConversionErrorAndSendsNothing) {
    open(ResponderOptions{});
    ASSERT_TRUE(refresh_and_wait(3));
    select_row(2);
    on_next_turn([&] {
        part<ui::Edit>(*dialog, "editDftGW")->set_text("");
        part<ui::Button>(*dialog, "btnOK")->click();
    });
    click_menu(*main, "NodeIPAddress");
    EXPECT_EQ(messages.shown, std::vector<std::string>{"'' is not a valid integer value"});
    pump(50);
    EXPECT_EQ(responder->log().size(), 1u);
}

TEST_F(KestoWindows, CommandsWithoutASelectedRowDoNothing) {
    open(ResponderOptions{});
    ASSERT_TRUE(refresh_and_wait(3));
    bool dialog_appeared = false;
    on_next_turn([&] {
        if (dialog->visible()) {
            dialog_appeared = true;
            part<ui::Button>(*dialog, "btnCancel")->click();
        }
    });
    main->device_list().set_focus();
    press_key(main->device_list().handle(), VK_RETURN);
    click_menu(*main, "NodeIPAddress");
    click_menu(*main, "NodeDeviceSettings");
    pump(100);
    EXPECT_FALSE(dialog_appeared);
    EXPECT_TRUE(web.opened.empty());

    select_row(1);
    click_menu(*main, "NodeDeviceSettings");
    EXPECT_EQ(web.opened, std::vector<std::string>{"http://192.168.1.102"});

    // Enter with a row selected opens the address dialog.
    on_next_turn([&] {
        dialog_appeared = dialog->visible();
        part<ui::Button>(*dialog, "btnCancel")->click();
    });
    press_key(main->device_list().handle(), VK_RETURN);
    pump_until([&] { return dialog_appeared; }, 2000);
    EXPECT_TRUE(dialog_appeared);
}

TEST_F(KestoWindows, AllTwoHundredPortsTakenShowsTheFailure) {
    std::vector<std::unique_ptr<plat::UdpEndpoint>> held;
    for (std::uint32_t p = kesto::kFirstLocalPort; p <= kesto::kLastLocalPort; ++p) {
        auto endpoint = std::make_unique<plat::UdpEndpoint>();
        if (endpoint->open("", static_cast<std::uint16_t>(p))) held.push_back(std::move(endpoint));
    }
    open(ResponderOptions{});
    EXPECT_EQ(main->status_bar().panel_text(0), gbk("从端口 3101 到 3300，绑定UDP端口失败!"));
    click_menu(*main, "NodeRefresh");  // the tool runs on without answers
    pump(200);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(main->status_bar().panel_text(1), gbk("找到的设备数: 0"));
}

TEST_F(KestoWindows, ClosingWhileRepliesFlowDoesNotHang) {
    ResponderOptions flood;
    flood.devices = 250;
    flood.copies = 8;
    open(flood);
    ASSERT_TRUE(refresh_and_wait(5));
    DWORD start = GetTickCount();
    main->close();
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_LT(rows(), 2000);
}

} // namespace
