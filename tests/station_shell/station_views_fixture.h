// The main window with its search view and dialogs wired in, over a seeded call-record database
// and a transfer library, as the tests of the views, of their dialogs and of the skinned window
// open it.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/register_control_set.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/media/com_ptr.h"
#include "platform/ui/win/application.h"
#include "station/core/database/call_log_database.h"
#include "station/core/search/period_dates.h"
#include "station/forms/station_database_settings.h"
#include "station/forms/station_views.h"
#include "tests/station_shell/main_window_fixture.h"
#include "tests/support/test_folder.h"
#include "tests/support/window_test/window_test.h"

namespace shell_test {

inline void SelectRow(HWND list_view, int row, bool selected = true) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageW(list_view, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// Counts the boxes the dialogs would have shown; every question is answered "no".
struct CountingPrompts : forms::IPrompts {
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

// The main window with its boxes and both views, over the station's own database file.
class ViewsWindowFixture : protected ComFirst, public shell_test::MainWindowFixture {
protected:
    explicit ViewsWindowFixture(const std::string& prefix) : MainWindowFixture(prefix) {
        // As the program does: the dialogs are read from descriptions naming these classes.
        ui::register_control_classes();
        ec::register_control_set_classes();
        // A failed run leaves its folder: the calls are seeded afresh.
        test_support::RemoveTree(folder_ + "\\DB");
        plat::force_directories(folder_ + "\\DB");
    }
    // The views go only after the window that uses them.
    ~ViewsWindowFixture() override { CloseViewsWindow(); }

    // Three calls of today in the station's own database file; caller numbers out of time order.
    // `recordings`, when given, names each call's recording file.
    void SeedCalls(const std::vector<std::string>& recordings = {}) {
        station::StationGlobals g;
        g.ProgramDir = folder_;
        calldb::TMyDataModule db([&g] { return forms::StationDatabaseSettings(g); });
        const plat::LocalTime now = plat::local_now();
        const std::string today = station::DateText({now.year, now.month, now.day});
        const char* callers[] = {"0755-3", "0755-1", "0755-2"};
        const char* times[] = {"08:00:00", "09:00:00", "10:00:00"};
        for (int i = 0; i < 3; ++i) {
            station::ACallLogInfo c;
            c.StartDate = today;
            c.StartTime = times[i];
            c.DuringTime = "00:00:10";
            c.CallerID = callers[i];
            if (static_cast<std::size_t>(i) < recordings.size()) c.WaveFilePath = recordings[static_cast<std::size_t>(i)];
            ASSERT_EQ(db.InsertCallLog(c), 0);
        }
    }

    // Wires the boxes and the views into the window MakeForm made. `station_boxes`: the dialogs
    // ask through the station's own boxes, else they are counted.
    void WireViews(bool station_boxes = false) {
        msg_ = std::make_unique<forms::TMsgForm>(nullptr, globals_.Texts);
        multi_ = std::make_unique<forms::TMultiConfForm>(nullptr);
        form_->MsgForm = msg_.get();
        views_ = std::make_unique<forms::StationViews>(*form_, globals_, library_,
                                                       forms::StationViews::Boxes{*conf_, *msg_, *multi_},
                                                       folder_ + "\\Velquist.exe");
        if (!station_boxes) views_->Use.Prompts = &prompts_;
        views_->Use.Volume = &volume_;
        form_->Views = views_.get();
    }
    void CloseViewsWindow() {
        CloseForm();
        views_.reset();
        msg_.reset();
        multi_.reset();
    }

    CountingPrompts prompts_;
    plat::media::FakeMasterVolume volume_;
    std::unique_ptr<forms::TMsgForm> msg_;
    std::unique_ptr<forms::TMultiConfForm> multi_;
    std::unique_ptr<forms::StationViews> views_;
};

class StationViewsTest : public ViewsWindowFixture {
protected:
    StationViewsTest() : ViewsWindowFixture("shell-views-") { library_.device_count = 1; }

    void Open(bool station_boxes = false) {
        MakeForm();
        WireViews(station_boxes);
        ShowForm();
    }

    forms::TSearchRecFrame& Search() {
        form_->btnQuery->click();
        forms::TSearchRecFrame* frame = views_->SearchFrame();
        EXPECT_NE(frame, nullptr);
        frame->btnSearch->click();
        window_test::pump(50);
        return *frame;
    }
    std::vector<std::string> ListedCallers() {
        std::vector<std::string> callers;
        for (const station::ACallLogInfo& r : views_->SearchFrame()->Calls().Records()) callers.push_back(r.CallerID);
        return callers;
    }
    ui::MenuItem* SortItem(int index) { return form_->NodeSortColumn->item(index); }
    int VisibleColumns() const { return globals_.ColumnsInfo.VisibleCount; }
};

} // namespace shell_test
