// The setup tool started from copies of its main window description whose stored skin is
// damaged (made at build time): the tool runs unskinned, the damage is told once through the
// skin's fault notifier, and its windows work as ever.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/text_gbk.h"
#include "tests/setuptool/kesto_skin_fixture.h"
#include "tests/support/window_test/modal_action.h"

namespace {

using kesto_test::part;

class KestoDamagedSkin : public kesto_test::KestoSkinFixture {};

TEST_F(KestoDamagedSkin, MainWindowRunsUnskinnedAndTheDamageIsToldOnce) {
    for (const test_support::DamagedSkinCase& c : test_support::DamagedSkinCases(L"KESTOMAINSKIN")) {
        SCOPED_TRACE(plat::wide_to_gbk(c.description));
        skin_faults.faults.clear();
        open(c.description.c_str());
        ASSERT_NE(main, nullptr);
        ASSERT_NO_FATAL_FAILURE(test_support::ExpectToldOnce(skin_faults.faults, c));
        skin::TSkinData* data = skin_data();
        ASSERT_NE(data, nullptr);
        EXPECT_TRUE(data->NoSkin());
        EXPECT_EQ(data->Skin(), nullptr);
        EXPECT_FALSE(data->Active()) << "turned off at Loaded";

        // The tool's flows, unskinned: refresh lists the devices, the address dialog opens and
        // closes, the window keeps the system's menu bar.
        ASSERT_TRUE(refresh_and_wait(3));
        window_test::pump(100);
        EXPECT_EQ(rows(), 3);
        EXPECT_EQ(main->status_bar().panel_text(1), plat::utf8_to_gbk("找到的设备数: 3"));
        main->device_list().set_selected(main->device_list().item(1));
        bool dialog_shown = false;
        window_test::when_modal([&] { return dialog->visible(); }, [&] {
            dialog_shown = dialog->visible();
            part<ui::Button>(*dialog, "btnCancel")->click();
        });
        part<ui::MenuItem>(*main, "NodeIPAddress")->click();
        EXPECT_TRUE(dialog_shown);
        EXPECT_EQ(GetMenu(main->handle()), main->menu()->handle());
        window_test::pump(100);

        skin::TSkinManage* manager = skin::TSkinManage::Instance();
        ASSERT_NE(manager, nullptr);
        EXPECT_TRUE(manager->Windows().empty());
        EXPECT_EQ(skin_faults.faults.size(), c.reports) << "told once only";
        EXPECT_TRUE(window_test::save_screenshot(main->handle(), "kesto_skin_screenshots",
                                                 "damaged_" + plat::wide_to_gbk(c.description)));
        close();
    }
}

} // namespace
