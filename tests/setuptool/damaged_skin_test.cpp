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
    const struct {
        const wchar_t* description;
        int reports;
        const char* told;  // part of what the notifier is told
        bool unknown_version;
    } cases[] = {
        {L"KESTOMAINSKINTRUNCATED", 1, "skin stream truncated", false},
        {L"KESTOMAINSKINUNKNOWNVERSION", 1, "This is Older Skin File", true},
        // A length of 0 is the component's "no skin stored", which it keeps quiet about.
        {L"KESTOMAINSKINEMPTY", 0, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(plat::wide_to_gbk(c.description));
        faults.clear();
        open(c.description);
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(faults.size(), static_cast<std::size_t>(c.reports));
        if (c.reports > 0) {
            EXPECT_NE(faults[0].text.find(c.told), std::string::npos) << faults[0].text;
            EXPECT_EQ(faults[0].unknown_version, c.unknown_version);
        }
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
        EXPECT_EQ(faults.size(), static_cast<std::size_t>(c.reports)) << "told once only";
        EXPECT_TRUE(window_test::save_screenshot(main->handle(), "kesto_skin_screenshots",
                                                 "damaged_" + plat::wide_to_gbk(c.description)));
        close();
    }
}

} // namespace
