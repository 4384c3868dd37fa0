// The station's main window started from copies of its description whose stored skin is
// damaged (made at build time): the window runs unskinned, the damage is told once through the
// skin's fault notifier, and the window still opens its views and dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/text_gbk.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_manager.h"
#include "tests/station_shell/screenshots.h"
#include "tests/station_shell/station_views_fixture.h"
#include "tests/support/skin_faults.h"
#include "tests/support/window_test/modal_action.h"
#include "tests/support/window_test/window_test.h"

namespace {

using window_test::pump;

class DamagedSkin : public shell_test::ViewsWindowFixture {
protected:
    DamagedSkin() : ViewsWindowFixture("shell-damaged-skin-") {}
    ~DamagedSkin() override { Close(); }

    // The main window from `description` with the search view and the dialogs wired in, shown.
    void Open(const wchar_t* description) {
        MakeForm("", description);
        WireViews();
        ShowForm();
    }
    // The window, then its views, then the skin manager it started.
    void Close() {
        CloseViewsWindow();
        skin::TSkinManage::Shutdown();
        pump(0);
    }

    test_support::CapturedFaults skin_faults_;
};

TEST_F(DamagedSkin, MainWindowRunsUnskinnedWithItsViewsAndDialogs) {
    for (const test_support::DamagedSkinCase& c : test_support::DamagedSkinCases(L"VQTESTMAINSKIN")) {
        const std::string name = plat::wide_to_gbk(c.description);
        SCOPED_TRACE(name);
        skin::TSkinManage::Shutdown();
        skin_faults_.faults.clear();
        Open(c.description.c_str());
        ASSERT_NO_FATAL_FAILURE(test_support::ExpectToldOnce(skin_faults_.faults, c));
        skin::TSkinData* data = form_->SkinData1;
        ASSERT_NE(data, nullptr);
        EXPECT_TRUE(data->NoSkin());
        EXPECT_EQ(data->Skin(), nullptr);
        EXPECT_FALSE(data->Active()) << "turned off at Loaded";
        EXPECT_EQ(GetMenu(form_->handle()), form_->menu()->handle()) << "the system's menu bar stays";

        // The views: the query page with its search, and back to the state view.
        form_->btnQuery->click();
        ASSERT_NE(views_->SearchFrame(), nullptr);
        EXPECT_EQ(form_->pgcWorkArea->active_page(), form_->tabQuery);
        views_->SearchFrame()->btnSearch->click();
        pump(50);
        form_->btnFtpState->click();
        EXPECT_EQ(form_->FCurrentView, forms::kStateView);
        EXPECT_NE(form_->FStateFrame, nullptr);

        // The dialogs: the settings and the log viewer open and close.
        bool settings_shown = false, viewer_shown = false;
        window_test::when_modal([&] { return window_test::shown(views_->Settings()); }, [&] {
            settings_shown = window_test::shown(views_->Settings());
            window_test::click_at(views_->Settings()->btnCancel->handle(), 5, 5);
        });
        form_->NodeSysSettings->click();
        EXPECT_TRUE(settings_shown);
        EXPECT_EQ(views_->Settings()->modal_result(), ui::mrCancel);
        window_test::when_modal([&] { return window_test::shown(views_->LogViewer()); }, [&] {
            viewer_shown = window_test::shown(views_->LogViewer());
            views_->LogViewer()->btnClose->click();
        });
        form_->NodeLogFiles->click();
        EXPECT_TRUE(viewer_shown);
        EXPECT_EQ(prompts_.asked, 0);
        pump(100);

        skin::TSkinManage* manager = skin::TSkinManage::Instance();
        ASSERT_NE(manager, nullptr);
        EXPECT_TRUE(manager->Windows().empty()) << "nothing skinned";
        EXPECT_EQ(skin_faults_.faults.size(), c.reports) << "told once only";
        EXPECT_TRUE(shell_test::SaveScreenshot(form_->handle(), "damaged_skin_" + name));
        Close();
    }
}

} // namespace
