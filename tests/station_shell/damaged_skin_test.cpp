// The station's main window started from copies of its description whose stored skin is
// damaged (made at build time): the window runs unskinned, the damage is told once through the
// skin's fault notifier, and the window still opens its views and dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/register_control_set.h"
#include "platform/media/com_ptr.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_manager.h"
#include "station/forms/station_views.h"
#include "tests/station_shell/main_window_fixture.h"
#include "tests/station_shell/screenshots.h"
#include "tests/support/window_test/modal_action.h"
#include "tests/support/window_test/window_test.h"

namespace {

using window_test::pump;

struct NoPrompts : forms::IPrompts {
    int asked = 0;
    bool Confirm(const std::string&) override {
        ++asked;
        return false;
    }
    void Inform(const std::string&, const std::string&) override { ++asked; }
};

// COM is up before the window is made and goes down after everything of the fixture is gone.
struct ComFirst {
    plat::media::ComApartment com_;
};

class DamagedSkin : protected ComFirst, public shell_test::MainWindowFixture {
protected:
    DamagedSkin() : MainWindowFixture("shell-damaged-skin-") {
        ui::register_control_classes();
        ec::register_control_set_classes();
        plat::force_directories(folder_ + "\\DB");
        previous_ = skin::SetSkinFaultNotifier([this](const skin::SkinLoadFault& f) { faults_.push_back(f); });
    }
    ~DamagedSkin() override {
        Close();
        skin::SetSkinFaultNotifier(std::move(previous_));
    }

    // The main window from `description` with the search view and the dialogs wired in, shown.
    void Open(const wchar_t* description) {
        form_ = std::make_unique<forms::TMainForm>(globals_, library_, folder_ + "\\Velquist.exe", "", description);
        ui::application().set_main_form(form_.get());
        conf_ = std::make_unique<forms::TConfForm>(nullptr, globals_.Texts);
        form_->ConfForm = conf_.get();
        msg_ = std::make_unique<forms::TMsgForm>(nullptr, globals_.Texts);
        multi_ = std::make_unique<forms::TMultiConfForm>(nullptr);
        form_->MsgForm = msg_.get();
        views_ = std::make_unique<forms::StationViews>(*form_, globals_, library_,
                                                       forms::StationViews::Boxes{*conf_, *msg_, *multi_},
                                                       folder_ + "\\Velquist.exe");
        views_->Use.Prompts = &prompts_;
        views_->Use.Volume = &volume_;
        form_->Views = views_.get();
        ShowForm();
    }
    // The window, then its views, then the skin manager it started.
    void Close() {
        CloseForm();
        views_.reset();
        msg_.reset();
        multi_.reset();
        skin::TSkinManage::Shutdown();
        pump(0);
    }

    std::vector<skin::SkinLoadFault> faults_;
    NoPrompts prompts_;
    plat::media::FakeMasterVolume volume_;
    std::unique_ptr<forms::TMsgForm> msg_;
    std::unique_ptr<forms::TMultiConfForm> multi_;
    std::unique_ptr<forms::StationViews> views_;

private:
    skin::SkinFaultNotifier previous_;
};

TEST_F(DamagedSkin, MainWindowRunsUnskinnedWithItsViewsAndDialogs) {
    const struct {
        const wchar_t* description;
        int reports;
        const char* told;  // part of what the notifier is told
        bool unknown_version;
    } cases[] = {
        {L"VQTESTMAINSKINTRUNCATED", 1, "skin stream truncated", false},
        {L"VQTESTMAINSKINUNKNOWNVERSION", 1, "This is Older Skin File", true},
        // A length of 0 is the component's "no skin stored", which it keeps quiet about.
        {L"VQTESTMAINSKINEMPTY", 0, "", false},
    };
    for (const auto& c : cases) {
        const std::string name = plat::wide_to_gbk(c.description);
        SCOPED_TRACE(name);
        skin::TSkinManage::Shutdown();
        faults_.clear();
        Open(c.description);
        ASSERT_EQ(faults_.size(), static_cast<std::size_t>(c.reports));
        if (c.reports > 0) {
            EXPECT_NE(faults_[0].text.find(c.told), std::string::npos) << faults_[0].text;
            EXPECT_EQ(faults_[0].unknown_version, c.unknown_version);
        }
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
        EXPECT_EQ(faults_.size(), static_cast<std::size_t>(c.reports)) << "told once only";
        EXPECT_TRUE(shell_test::SaveScreenshot(form_->handle(), "damaged_skin_" + name));
        Close();
    }
}

} // namespace
