// The main window's and the address dialog's behaviour without their windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kesto_fakes.h"
#include "platform/clock.h"
#include "platform/text_gbk.h"
#include "setuptool/address_dialog_model.h"
#include "setuptool/discovery_packets.h"
#include "setuptool/kesto_texts.h"
#include "setuptool/main_window_model.h"

namespace {

using kesto_test::Bytes;

std::string gbk(const char* utf8) { return plat::utf8_to_gbk(utf8); }

kesto::DeviceRow device(const std::string& ip, const std::string& mac_decimal = "0-26-43-60-77-1") {
    kesto::DeviceRow row;
    row.ip = ip;
    row.mask = "255.255.255.0";
    row.gateway = "192.168.1.1";
    row.mac = "00-1a-2b-3c-4d-01";
    row.serial = "DV4-000000000001";
    row.line_count = "4";
    row.firmware = "V2.1.7";
    row.delay = "00:00:00 .003";
    row.mac_decimal = mac_decimal;
    return row;
}

struct KestoMainWindow : ::testing::Test {
    kesto_test::RecordingSender sender;
    kesto_test::ScriptedTokens tokens{{17, 42}};
    kesto::SearchState search;
    kesto_test::RecordingWebPage web;
    kesto::MainWindowModel model{sender, tokens, search, web};
    kesto::AddressDialogModel dialog;
};

TEST_F(KestoMainWindow, TextsAreTheSystemsGbkTexts) {
    // Each text written here in UTF-8 and converted: the stored GBK bytes must match.
    EXPECT_EQ(kesto::text::kAppTitle, gbk("网络设备管理器 Kesto"));
    EXPECT_EQ(kesto::MainWindowModel::result_message(1), gbk("操作成功!"));
    EXPECT_EQ(kesto::MainWindowModel::result_message(2), gbk("操作失败 - 用户不存在!"));
    EXPECT_EQ(kesto::MainWindowModel::result_message(3), gbk("操作失败 -  密码错误!"));
    for (int code : {0, 4, 255}) EXPECT_FALSE(kesto::MainWindowModel::result_message(code)) << code;
    const char* titles[] = {"序号", "IP 地址", "子网掩码", "默认网关", "MAC 地址", "硬件序列号", "线数", "固件版本", "时延"};
    const int widths[] = {0, 100, 100, 110, 130, 140, 80, 100, 110};
    const auto& columns = kesto::device_list_columns();
    ASSERT_EQ(columns.size(), 9u);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        EXPECT_EQ(columns[i].title, gbk(titles[i])) << i;
        EXPECT_EQ(columns[i].width, widths[i]) << i;
    }
}

TEST_F(KestoMainWindow, PortPanelShowsTheBoundPortOrTheFailure) {
    model.set_bound_port(3105);
    EXPECT_EQ(model.port_panel_text(), gbk("使用中的 UDP 端口: 3105"));
    model.set_bound_port(0);
    EXPECT_EQ(model.port_panel_text(), gbk("从端口 3101 到 3300，绑定UDP端口失败!"));
}

TEST_F(KestoMainWindow, RefreshEmptiesTheListAndProbesWithANewToken) {
    plat::ManualClock clock;
    plat::set_tick_source(&clock);
    clock.set_ticks(5000);
    EXPECT_EQ(search.snapshot().token, kesto::kNoToken);
    model.add_device(device("10.0.0.1"));
    EXPECT_TRUE(model.refresh());
    EXPECT_TRUE(model.rows().empty());
    EXPECT_EQ(model.count_panel_text(), gbk("找到的设备数: 0"));
    EXPECT_EQ(search.snapshot().token, 17);
    EXPECT_EQ(search.snapshot().sent_tick, 5000u);
    EXPECT_TRUE(model.refresh());
    EXPECT_EQ(search.snapshot().token, 42);
    plat::set_tick_source(nullptr);
    ASSERT_EQ(sender.sent.size(), 2u);
    auto first = kesto::build_probe(17);
    auto second = kesto::build_probe(42);
    EXPECT_EQ(sender.sent[0], Bytes(first.begin(), first.end()));
    EXPECT_EQ(sender.sent[1], Bytes(second.begin(), second.end()));
}

TEST_F(KestoMainWindow, EveryAnswerIsItsOwnNumberedRow) {
    model.add_device(device("10.0.0.1"));
    model.add_device(device("10.0.0.1"));  // the same device answering twice
    model.add_device(device("10.0.0.2"));
    ASSERT_EQ(model.rows().size(), 3u);
    EXPECT_EQ(model.count_panel_text(), gbk("找到的设备数: 3"));
    EXPECT_EQ(model.row_texts(0)[0], "1");
    EXPECT_EQ(model.row_texts(1)[0], "2");
    EXPECT_EQ(model.row_texts(2), (std::vector<std::string>{"3", "10.0.0.2", "255.255.255.0", "192.168.1.1",
                                                            "00-1a-2b-3c-4d-01", "DV4-000000000001", "4",
                                                            "V2.1.7", "00:00:00 .003"}));
}

TEST_F(KestoMainWindow, CommandsNeedASelectedRow) {
    model.add_device(device("10.0.0.1"));
    for (std::optional<std::size_t> selected : {std::optional<std::size_t>(), std::optional<std::size_t>(1)}) {
        EXPECT_FALSE(model.fill_address_dialog(selected, dialog));
        EXPECT_FALSE(model.open_device_page(selected));
    }
    EXPECT_FALSE(model.send_set_address(5, dialog).sent);
    EXPECT_TRUE(web.opened.empty());
    EXPECT_TRUE(sender.sent.empty());
    EXPECT_EQ(dialog.ip, "");
}

TEST_F(KestoMainWindow, DeviceSettingsOpenTheRowsWebPage) {
    model.add_device(device("10.0.0.1"));
    model.add_device(device("192.168.1.102"));
    EXPECT_TRUE(model.open_device_page(1));
    EXPECT_EQ(web.opened, (std::vector<std::string>{"http://192.168.1.102"}));
}

TEST_F(KestoMainWindow, SetAddressSendsTheCommandForTheSelectedRow) {
    model.add_device(device("10.0.0.1", "1-2-3-4-5-6"));
    model.add_device(device("10.0.0.2", "0-26-43-60-77-2"));
    ASSERT_TRUE(model.fill_address_dialog(1, dialog));
    EXPECT_EQ(dialog.ip, "10.0.0.2");
    EXPECT_EQ(dialog.mask, "255.255.255.0");
    EXPECT_EQ(dialog.gateway, "192.168.1.1");
    dialog.show();
    dialog.ip = "10.0.0.300";
    auto outcome = model.send_set_address(1, dialog);
    EXPECT_TRUE(outcome.sent);
    EXPECT_EQ(outcome.error, "");
    Bytes want(54, 0);
    const std::string login = "pelum";
    std::copy(login.begin(), login.end(), want.begin());
    std::copy(login.begin(), login.end(), want.begin() + 16);
    const Bytes tail = {10, 0, 0, 44, 255, 255, 255, 0, 192, 168, 1, 1, 0, 26, 43, 60, 77, 2, 1, 2, 3, 4};
    std::copy(tail.begin(), tail.end(), want.begin() + 32);
    ASSERT_EQ(sender.sent.size(), 1u);
    EXPECT_EQ(sender.sent[0], want);
}

TEST_F(KestoMainWindow, EmptyGatewayIsRefusedAndNothingSent) {
    model.add_device(device("10.0.0.1"));
    model.fill_address_dialog(0, dialog);
    dialog.show();
    dialog.gateway = "";
    EXPECT_EQ(dialog.check_before_ok(), "");  // the dialog itself does not look at the gateway
    auto outcome = model.send_set_address(0, dialog);
    EXPECT_FALSE(outcome.sent);
    EXPECT_EQ(outcome.error, "'' is not a valid integer value");
    EXPECT_TRUE(sender.sent.empty());
}

TEST(KestoAddressDialog, ShowingTicksTheDefaultLogin) {
    kesto::AddressDialogModel dialog;
    dialog.set_default_login(false);
    dialog.user_name = "admin";
    dialog.password = "secret";
    dialog.show();
    EXPECT_TRUE(dialog.default_login());
    EXPECT_FALSE(dialog.login_editable());
    EXPECT_EQ(dialog.user_name, "pelum");
    EXPECT_EQ(dialog.password, "pelum");

    dialog.set_default_login(false);  // unticking keeps the texts, now editable
    EXPECT_TRUE(dialog.login_editable());
    EXPECT_EQ(dialog.user_name, "pelum");
    EXPECT_EQ(dialog.password, "pelum");

    dialog.user_name = "admin";
    auto input = dialog.input_for("1-2-3-4-5-6");
    EXPECT_EQ(input.user_name, "admin");
    EXPECT_EQ(input.mac_decimal, "1-2-3-4-5-6");
}

TEST(KestoAddressDialog, AddressEditsTakeOnlyDigitsPointsAndBackspace) {
    const unsigned backspace = 8;
    for (unsigned key : {unsigned('0'), unsigned('5'), unsigned('9'), unsigned('.'), backspace})
        EXPECT_TRUE(kesto::AddressDialogModel::accepts_address_key(key)) << key;
    // Letters, blanks, other punctuation, Enter, Escape, Delete and a CJK character.
    for (unsigned key : {unsigned('a'), unsigned('Z'), unsigned(' '), unsigned('-'), unsigned(','), unsigned('/'),
                         unsigned(':'), 13u, 27u, 127u, 0x4E00u})
        EXPECT_FALSE(kesto::AddressDialogModel::accepts_address_key(key)) << key;
}

TEST(KestoAddressDialog, OkRefusesAnEmptyAddressOrMask) {
    struct Case {
        const char* ip;
        const char* mask;
        const char* message;  // UTF-8; "" = closes with OK
    };
    const Case cases[] = {
        {"", "255.0.0.0", "请输入IP地址!"},
        {"  ", "", "请输入IP地址!"},
        {"10.0.0.1", "", "请输入子网掩码!"},
        {"10.0.0.1", " \t", "请输入子网掩码!"},
        {"10.0.0.1", "255.0.0.0", ""},
    };
    for (const Case& c : cases) {
        kesto::AddressDialogModel dialog;
        dialog.show();
        dialog.ip = c.ip;
        dialog.mask = c.mask;
        EXPECT_EQ(dialog.check_before_ok(), gbk(c.message)) << c.ip << "/" << c.mask;
    }
}

} // namespace
