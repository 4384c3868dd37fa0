// The main window with its search view and dialogs wired in, driven by messages over a seeded
// call-record database and a transfer library with one device: the query page and a search,
// the sort menu, the column chooser, the settings dialog, the log viewer, a change of language
// and the state view's device switches.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/graphics.h"
#include "station/core/gbk_literal.h"
#include "station/forms/sort_menu.h"
#include "tests/station_shell/station_views_fixture.h"
#include "tests/station_shell/screenshots.h"
#include "tests/support/window_test/modal_action.h"
#include "tests/support/window_test/window_test.h"

namespace {

using shell_test::ColumnCaption;
using shell_test::StationViewsTest;
using station::Gbk;
using window_test::pump;

TEST_F(StationViewsTest, QueryPageSearchesAndTheSortMenuAndHeaderFollowEachOther) {
    SeedCalls();
    Open();
    forms::TSearchRecFrame* created_at_show = views_->SearchFrame();
    ASSERT_NE(created_at_show, nullptr) << "the first showing opens the query page once";
    forms::TSearchRecFrame& frame = Search();
    EXPECT_EQ(&frame, created_at_show) << "made once";
    EXPECT_EQ(form_->FSearchFrame, &frame);
    EXPECT_EQ(form_->pgcWorkArea->active_page(), form_->tabQuery);
    ASSERT_EQ(frame.Calls().Count(), 3);
    EXPECT_EQ(frame.lvCalls->item_count(), 3);
    pump(100);
    EXPECT_TRUE(shell_test::SaveScreenshot(form_->handle(), "views_search_results"));

    // The sort menu: the caller column, ascending (ticked from the start), then descending.
    const int caller = forms::SortColumnPosition(globals_.ColumnsInfo, Gbk(u8"主叫"));
    ASSERT_GE(caller, 0);
    SortItem(caller)->click();
    EXPECT_EQ(ListedCallers(), (std::vector<std::string>{"0755-1", "0755-2", "0755-3"}));
    SortItem(VisibleColumns() + 2)->click();
    EXPECT_EQ(ListedCallers(), (std::vector<std::string>{"0755-3", "0755-2", "0755-1"}));
    EXPECT_TRUE(SortItem(caller)->checked());

    // A click on the date column's header ticks its item and the direction it sorted in.
    const int date = forms::SortColumnPosition(globals_.ColumnsInfo, Gbk(u8"日期"));
    frame.lvCallsColumnClick(date, true);
    EXPECT_TRUE(SortItem(date)->checked());
    EXPECT_FALSE(SortItem(caller)->checked());
    EXPECT_EQ(SortItem(VisibleColumns() + 1)->checked(), globals_.SortAscending);
    EXPECT_EQ(SortItem(VisibleColumns() + 2)->checked(), !globals_.SortAscending);
}

// What a new user saw at the window's first size: the conditions beside their scroll bar and
// the playback panel beside the open conditions, each control whole.
TEST_F(StationViewsTest, SearchViewIsWholeAtTheDefaultSize) {
    SeedCalls();
    Open();
    // The window's default size, as it opens on a new installation.
    form_->set_bounds(form_->left(), form_->top(), 927, 659);
    forms::TSearchRecFrame& frame = Search();
    frame.ShowPlayPanel();
    pump(100);
    const auto bounds = [](ui::Control* c) {
        const POINT p = c->client_to_screen(POINT{0, 0});
        return RECT{p.x, p.y, p.x + c->width(), p.y + c->height()};
    };
    const auto client = [](ui::WinControl* w) {
        RECT r{};
        GetClientRect(w->handle(), &r);
        MapWindowPoints(w->handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const auto across = [](const RECT& in, const RECT& out) { return in.left >= out.left && in.right <= out.right; };
    const auto inside = [&](const RECT& in, const RECT& out) {
        return across(in, out) && in.top >= out.top && in.bottom <= out.bottom;
    };
    const RECT page = client(form_->tabQuery);
    ASSERT_TRUE(inside(bounds(&frame), page));

    // The conditions are taller than their panel here: the scroll bar takes its width from the
    // client area, and every edit, picker and spin edit stays whole beside it.
    ASSERT_TRUE(GetWindowLongW(frame.ScrollBoxLeft->handle(), GWL_STYLE) & WS_VSCROLL);
    const RECT conditions = client(frame.ScrollBoxLeft);
    const std::vector<ui::Control*> fields = {
        frame.TimeButton, frame.DTDateFrom, frame.DTTimeFrom, frame.DTDateTo, frame.DTTimeTo, frame.editCallerID,
        frame.editDialed, frame.editAgent, frame.editSessionID, frame.editNote, frame.groupDirection,
        frame.spinLongerThan, frame.spinShorterThan, frame.btnMoreSearchOptions, frame.spinRingLargerThan,
        frame.spinRingSmallerThan};
    for (ui::Control* c : fields) EXPECT_TRUE(across(bounds(c), conditions)) << c->name();

    // The playback panel beside the open conditions: "1x", "静音", the close button and the
    // whole volume bar inside the panel and the page.
    ASSERT_TRUE(frame.panelParam->visible());
    const RECT play = client(frame.panelPlay);
    EXPECT_TRUE(inside(play, page));
    EXPECT_LE(bounds(frame.panelPlay).bottom, bounds(frame.statusBarSearch).top) << "above the status line";
    EXPECT_EQ(frame.btnSpeedRestore->caption(), "1x");
    EXPECT_EQ(frame.btnVolumeMute->caption(), Gbk(u8"静音"));
    for (ui::Control* c : std::vector<ui::Control*>{frame.btnSpeedRestore, frame.btnVolumeMute, frame.btnClosePanelPlay,
                                                    frame.TrackBarVolume, frame.TrackBarSpeed, frame.LEDDisplay,
                                                    frame.labelSpeed, frame.labelVolumn, frame.btnStop}) {
        EXPECT_TRUE(c->showing()) << c->name();
        EXPECT_TRUE(inside(bounds(c), play)) << c->name();
    }
    // The captions fit their buttons beside the picture.
    HDC dc = GetDC(frame.panelPlay->handle());
    for (ui::Control* c : std::vector<ui::Control*>{frame.btnSpeedRestore, frame.btnVolumeMute}) {
        const std::wstring text = plat::gbk_to_wide(c->caption());
        const ui::GdiObject<HFONT> font = ui::create_font(c->font());
        HGDIOBJ old = SelectObject(dc, font.get());
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        const int picture = c == frame.btnVolumeMute ? 16 + 4 : 0;
        EXPECT_LE(size.cx + picture + 4, c->width()) << c->name();
    }
    ReleaseDC(frame.panelPlay->handle(), dc);
    EXPECT_TRUE(shell_test::SaveScreenshot(form_->handle(), "views_search_playback_panel"));

    // Stopped, the LED empties and keeps its height.
    const int led_height = frame.LEDDisplay->height();
    frame.WMediaPlayerStatusChange(plat::media::PlayState::Stopped);
    pump(30);
    EXPECT_EQ(frame.LEDDisplay->led_caption(), "");
    EXPECT_EQ(frame.LEDDisplay->height(), led_height);
    EXPECT_GE(led_height, 20);
    EXPECT_TRUE(inside(bounds(frame.LEDDisplay), play));
}

TEST_F(StationViewsTest, ColumnChooserOkRebuildsTheListColumnsAndTheSortMenu) {
    Open();
    forms::TSearchRecFrame& frame = Search();
    const int date = forms::SortColumnPosition(globals_.ColumnsInfo, Gbk(u8"日期"));
    ASSERT_GT(date, 0);
    const std::string first_header = ColumnCaption(frame.lvCalls->handle(), 0);
    window_test::when_modal([&] { return window_test::shown(views_->ColumnChooser()); }, [&] {
        forms::TSelColumnsForm* chooser = views_->ColumnChooser();
        ASSERT_NE(chooser, nullptr);
        chooser->checklistColumns->set_item_index(date);
        chooser->checklistColumns->click();
        for (int i = 0; i < date; ++i) chooser->btnMoveUp->click();
        chooser->btnSure->click();
    });
    form_->NodeColumns->click();
    EXPECT_TRUE(views_->ColumnChooser()->FColumnsChanged);
    EXPECT_EQ(ColumnCaption(frame.lvCalls->handle(), 0), Gbk(u8"日期"));
    EXPECT_EQ(ColumnCaption(frame.lvCalls->handle(), 1), first_header);
    EXPECT_EQ(SortItem(0)->caption(), Gbk(u8"日期"));
    EXPECT_EQ(form_->NodeSortColumn->count(), VisibleColumns() + 3);
    EXPECT_TRUE(SortItem(VisibleColumns() + 1)->checked()) << "a rebuilt menu starts ascending";
    // The rebuilt menu still sorts: its first item is the date column.
    SortItem(0)->click();
    EXPECT_TRUE(SortItem(0)->checked());
}

TEST_F(StationViewsTest, ListHeaderPopupOpensTheColumnChooser) {
    Open();
    forms::TSearchRecFrame& frame = Search();
    bool shown = false;
    window_test::when_modal([&] { return window_test::shown(views_->ColumnChooser()); }, [&] {
        forms::TSelColumnsForm* chooser = views_->ColumnChooser();
        ASSERT_NE(chooser, nullptr);
        shown = IsWindowVisible(chooser->handle()) != FALSE;
        EXPECT_EQ(chooser->checklistColumns->count(), station::kColumnCount);
        EXPECT_TRUE(shell_test::SaveScreenshot(chooser->handle(), "views_header_popup_chooser"));
        chooser->btnCancel->click();
    });
    frame.NodeSelColumn->click();
    EXPECT_TRUE(shown);
}

TEST_F(StationViewsTest, SettingsAndLogViewerOpenFromTheMenuAndClose) {
    SeedCalls();
    Open();
    Search();
    bool settings_shown = false;
    window_test::when_modal([&] { return window_test::shown(views_->Settings()); }, [&] {
        forms::TFormSettings* settings = views_->Settings();
        ASSERT_NE(settings, nullptr);
        settings_shown = IsWindowVisible(settings->handle()) != FALSE;
        pump(100);
        // The whole screen: a window's own picture leaves out the dialog above it.
        EXPECT_TRUE(shell_test::SaveScreenshot(GetDesktopWindow(), "views_settings_over_main"));
        EXPECT_TRUE(shell_test::SaveScreenshot(settings->handle(), "views_settings_dialog"));
        window_test::click_at(settings->btnCancel->handle(), 5, 5);
    });
    form_->NodeSysSettings->click();
    EXPECT_TRUE(settings_shown);
    EXPECT_FALSE(IsWindowVisible(views_->Settings()->handle()));
    EXPECT_EQ(views_->Settings()->modal_result(), ui::mrCancel);

    // The tool button opens the same dialog.
    window_test::when_modal([&] { return window_test::shown(views_->Settings()); },
               [&] { window_test::click_at(views_->Settings()->btnCancel->handle(), 5, 5); });
    form_->btnSettings->click();
    EXPECT_FALSE(IsWindowVisible(views_->Settings()->handle()));

    bool viewer_shown = false;
    // Ready when it lists the files: it lists them while it is being shown.
    auto listed = [&] { return window_test::shown(views_->LogViewer()) && views_->LogViewer()->lvLogFile->item_count() >= 1; };
    window_test::when_modal(listed, [&] {
        forms::TViewOrPrintLogForm* viewer = views_->LogViewer();
        ASSERT_NE(viewer, nullptr);
        viewer_shown = IsWindowVisible(viewer->handle()) != FALSE;
        // The start line of this run is in today's log file.
        EXPECT_GE(viewer->lvLogFile->item_count(), 1);
        EXPECT_TRUE(shell_test::SaveScreenshot(viewer->handle(), "views_log_viewer"));
        viewer->btnClose->click();
    });
    form_->NodeLogFiles->click();
    EXPECT_TRUE(viewer_shown);
    EXPECT_EQ(prompts_.asked, 0);

    // The default language file takes the dialogs made so far.
    form_->btnExportPro->click();
    const std::string file = folder_ + "\\Lang\\default.ini";
    EXPECT_EQ(plat::ini_read_string(file, "TFormSettings", ".caption", ""), views_->Settings()->caption());
    EXPECT_EQ(plat::ini_read_string(file, "TViewOrPrintLogForm", ".caption", ""), Gbk(u8"查看或打印日志"));
}

TEST_F(StationViewsTest, LanguageSwitchReachesTheSearchView) {
    SeedCalls();
    const std::string lang = folder_ + "\\Lang\\English.ini";
    plat::ini_write_string(lang, "common", "Col.Date", "Date");
    plat::ini_write_string(lang, "common", "Col.CallerID", "Caller");
    plat::ini_write_string(lang, "common", "Msg.TotalRecord", "%d calls found");
    plat::ini_write_string(lang, "TViewOrPrintLogForm", "btnClose.Caption", "Close");
    plat::ini_write_string(lang, "TSelColumnsForm", ".Caption", "Columns");
    plat::ini_write_string(lang, "common", "RunItems.AnyUser", "Any user");
    plat::ini_write_string(lang, "common", "RunItems.ThisUser", "This user");
    plat::ini_write_string(lang, "common", "ColAddDev.DeviceIP", "Device IP");
    Open();
    forms::TSearchRecFrame& frame = Search();
    // A dialog made before the change and one made after it both take the new language.
    window_test::when_modal([&] { return window_test::shown(views_->LogViewer()); },
               [&] { views_->LogViewer()->btnClose->click(); });
    form_->NodeLogFiles->click();
    const int date = forms::SortColumnPosition(globals_.ColumnsInfo, Gbk(u8"日期"));
    const int caller = forms::SortColumnPosition(globals_.ColumnsInfo, Gbk(u8"主叫"));
    ASSERT_EQ(form_->NodeLanguage->count(), 1);
    form_->NodeLanguage->item(0)->click();
    EXPECT_EQ(ColumnCaption(frame.lvCalls->handle(), date), "Date");
    EXPECT_EQ(ColumnCaption(frame.lvCalls->handle(), caller), "Caller");
    EXPECT_EQ(frame.StatusText(), "3 calls found");
    EXPECT_EQ(views_->LogViewer()->btnClose->caption(), "Close");
    window_test::when_modal([&] { return window_test::shown(views_->ColumnChooser()); },
               [&] { views_->ColumnChooser()->btnCancel->click(); });
    form_->NodeColumns->click();
    EXPECT_EQ(views_->ColumnChooser()->caption(), "Columns");
    // The settings dialog's lists named by text keys.
    window_test::when_modal([&] { return window_test::shown(views_->Settings()); },
               [&] { window_test::click_at(views_->Settings()->btnCancel->handle(), 5, 5); });
    form_->NodeSysSettings->click();
    forms::TFormSettings& settings = *views_->Settings();
    EXPECT_EQ(settings.cbAutoRunMode->items().get(0), "Any user");
    EXPECT_EQ(settings.cbAutoRunMode->items().get(1), "This user");
    EXPECT_EQ(settings.lvDev->columns().at(1)->caption(), "Device IP");
    // The renamed sort item still sorts by its column.
    EXPECT_EQ(SortItem(caller)->caption(), "Caller");
    SortItem(caller)->click();
    EXPECT_EQ(ListedCallers(), (std::vector<std::string>{"0755-1", "0755-2", "0755-3"}));
    pump(100);
    EXPECT_TRUE(shell_test::SaveScreenshot(form_->handle(), "views_search_english"));
}

TEST_F(StationViewsTest, StateViewSwitchesTheSelectedDeviceInTheLibrary) {
    Open();
    form_->btnFtpState->click();
    forms::TMyFTPStateFrame& state = *form_->FStateFrame;
    ASSERT_EQ(form_->Engine()->DeviceCount(), 1);
    ASSERT_EQ(state.lvBoard->item_count(), 1);
    shell_test::SelectRow(state.lvBoard->handle(), 0);
    state.btnDisableDev->click();
    state.btnEnableDev->click();
    using Switch = std::pair<int, std::int32_t>;
    EXPECT_EQ(library_.enables, (std::vector<Switch>{{0, 0}, {0, 1}}));
    EXPECT_TRUE(form_->Engine()->Boards()[0].Enabled);
}

TEST_F(StationViewsTest, ShutDownEndsTheSearchView) {
    SeedCalls();
    Open();
    forms::TSearchRecFrame& frame = Search();
    ASSERT_EQ(frame.Calls().Count(), 3);
    // The end of the Windows session reaches only the destroy step, not the exit command.
    form_->FormDestroy();
    EXPECT_EQ(frame.Calls().Count(), 0);
    EXPECT_EQ(frame.lvCalls->item_count(), 0);
    EXPECT_FALSE(frame.HiTimer1->enabled());
}

} // namespace
