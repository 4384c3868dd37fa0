// The search view driven as a user would, under Wine with a display: a database seeded by the
// test, generated recordings, the real player and scripted boxes and dialogs.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <map>

#include <gtest/gtest.h>

#include "controls/register_control_set.h"
#include "platform/clock.h"
#include "platform/media/com_ptr.h"
#include "platform/media/directshow_player.h"
#include "platform/ui/persistent.h"
#include "platform/ini_file.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "station/core/database/call_log_database.h"
#include "station/core/search/note_text.h"
#include "station/core/search/playback_math.h"
#include "station/forms/search/call_dialogs.h"
#include "station/core/language_file.h"
#include "station/forms/language_window.h"
#include "station/forms/search/search_frame.h"
#include "tests/station_search/search_fixture.h"
#include "tests/station_search/wav_file.h"
#include "tests/support/window_test/window_test.h"

namespace station_search_test {
namespace {

using forms::TSearchRecFrame;
using plat::media::PlayState;

std::vector<std::string>& ui_errors() {
    static std::vector<std::string> list;
    return list;
}

void EnsureApplication() {
    static const bool done = [] {
        ui::application().initialize();
        ui::register_control_classes();
        ec::register_control_set_classes();
        ui::application().on_exception = [](const std::string& m) { ui_errors().push_back(m); };
        return true;
    }();
    (void)done;
}

bool PumpUntil(const std::function<bool()>& done, int ms) { return window_test::pump_until(done, ms); }
void Pump(int ms) { window_test::pump(ms); }

std::string Screenshot(HWND window, const std::string& name) {
    const std::string folder = "screenshots\\station_search";
    Pump(150);
    EXPECT_TRUE(window_test::save_screenshot(window, folder, name)) << window_test::picture_path(folder, name);
    return window_test::picture_path(folder, name);
}

class ScriptedCallDialogs : public forms::ICallDialogs {
public:
    std::vector<std::wstring> notes;  // answers of the editor, in order; empty: cancelled
    std::vector<std::wstring> shown_notes;
    std::vector<station::CallProperties> shown;
    bool EditNote(std::wstring& note) override {
        shown_notes.push_back(note);
        if (notes.empty()) return false;
        note = station::TrimmedNote(notes.front());
        notes.erase(notes.begin());
        return true;
    }
    void ShowProperties(const station::CallProperties& p) override { shown.push_back(p); }
};

std::string Today() { return station::DateText({plat::local_now().year, plat::local_now().month, plat::local_now().day}); }

std::string DayFolder(std::string date) {
    date.erase(std::remove(date.begin(), date.end(), '-'), date.end());
    return date;
}

// Calls of today (with recordings, but the missed ones) and three older ones.
std::vector<ACallLogInfo> SeedCalls(const std::string& today, const std::string& yesterday) {
    struct Row { const char* date; const char* time; int type; const char* caller; const char* dtmf; const char* agent;
                 const char* seq; const char* note; const char* duration; int rings; };
    const Row rows[] = {
        {"T", "08:00:00", 0, "075512345", "", "Lee", "S-1", "", "00:00:04", 2},
        {"T", "08:30:00", 1, "02088886666", "13800138000", "Wang", "S-2", "O'Neil called", "00:01:30", 0},
        {"T", "09:00:00", 2, "075599999", "", "", "S-3", "", "00:00:00", 5},
        {"T", "10:15:00", 0, "01012345678", "", "Lee", "S-4", u8"回电", "00:02:10", 1},
        {"T", "11:45:00", 1, "075500001", "400800", "Zhao", "S-5", "", "00:00:45", 0},
        {"T", "23:59:30", 0, "075577777", "", "Lee", "S-6", "", "00:00:04", 3},
        {"Y", "12:00:00", 0, "075512345", "", "Lee", "S-7", "", "00:00:04", 1},
        {"Y", "13:00:00", 2, "075512345", "", "", "S-8", "", "00:00:00", 4},
        {"2001-01-01", "13:00:00", 0, "075512345", "", "", "S-9", "", "00:00:04", 1},
    };
    std::vector<ACallLogInfo> calls;
    int n = 0;
    for (const Row& r : rows) {
        ++n;
        const std::string date = std::string(r.date) == "T" ? today : std::string(r.date) == "Y" ? yesterday : r.date;
        ACallLogInfo c = MakeCall(n, date, r.time, r.type, r.type == 2 ? "" : "rec" + std::to_string(n) + ".wav");
        c.CallerID = r.caller;
        c.DTMF = r.dtmf;
        c.AgentName = r.agent;
        c.AgentID = *r.agent ? "A" + std::to_string(n) : "";
        c.SeqID = r.seq;
        c.CNote = Gbk(r.note);
        c.DuringTime = r.duration;
        c.Rings = r.rings;
        c.RingSecs = r.rings * 3;
        c.LineID = Gbk(u8"线路") + std::to_string(n);
        calls.push_back(c);
    }
    return calls;
}

class SearchWindowTest : public ::testing::Test {
protected:
    SearchWindowTest() : station("search-window"), files(station.globals()) {
        EnsureApplication();
        station::StationGlobals& g = station.globals();
        g.Texts.SetDefaults();
        station::LoadColumns(station.root() + "\\none.ini", g.ColumnsInfo);
        settings.ConnMode = calldb::ConnModeFile;
        settings.LocalFile = false;
        settings.UserFilePath = station.root() + "\\calls.db";
        module = std::make_unique<calldb::TMyDataModule>([this] { return settings; });
        store = std::make_unique<station::DataModuleStore>(*module);

        today = Today();
        const plat::LocalTime now = plat::local_now();
        yesterday = station::DateText(station::AddDays({now.year, now.month, now.day}, -1));
        for (const ACallLogInfo& c : SeedCalls(today, yesterday)) {
            EXPECT_EQ(module->InsertCallLog(c), 0);
            if (!c.WaveFilePath.empty()) {
                const double seconds = c.StartTime == "08:00:00" ? 1.0 : 4.0;
                EXPECT_TRUE(WriteToneWav(station.data(c.WaveFilePath), seconds));
            }
        }

        host = new ui::Form(nullptr);
        host->set_caption(Gbk(u8"Velquist 查询"));
        host->set_bounds(10, 10, 1180, 760);
        page = new ui::Panel(host);
        page->set_parent(host);
        page->set_align(ui::TAlign::alClient);
        page->set_bevel_outer(ui::TBevelCut::bvNone);

        forms::SearchFrameServices s;
        s.globals = &g;
        s.store = store.get();
        s.prompts = &prompts;
        s.file_dialogs = &dialogs;
        s.files = &files;
        s.call_dialogs = &call_dialogs;
        s.player = &player;
        s.volume = &volume;
        s.sort_menu_checked = [this](int column, bool ascending) { sort_menu.emplace_back(column, ascending); };
        volume.volume = 32768;
        frame = forms::CreateSearchFrame(page, std::move(s));
        host->show();
        frame->FirstShow();
        Pump(100);
    }
    ~SearchWindowTest() override {
        frame->DoneFrame();
        player.Close();
        host->free();
        EXPECT_TRUE(ui_errors().empty()) << (ui_errors().empty() ? "" : ui_errors().front());
        ui_errors().clear();
    }

    void Search() {
        frame->btnSearch->click();
        Pump(30);
    }
    std::vector<int> ListedIds() {
        std::vector<int> ids;
        for (const ACallLogInfo& r : frame->Calls().Records()) ids.push_back(r.ID);
        return ids;
    }
    int RowOf(int id) {
        const auto ids = ListedIds();
        return static_cast<int>(std::find(ids.begin(), ids.end(), id) - ids.begin());
    }
    bool WaitForState(PlayState s, int ms = 4000) {
        return PumpUntil([&] { return player.State() == s && frame->btnPlay2Tag == (s == PlayState::Playing ? 2 : s == PlayState::Paused ? 1 : 0); }, ms);
    }

    plat::media::ComApartment com;
    StationFolder station;
    StationRecordingFiles files;
    calldb::DatabaseSettings settings;
    std::unique_ptr<calldb::TMyDataModule> module;
    std::unique_ptr<station::DataModuleStore> store;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    ScriptedCallDialogs call_dialogs;
    plat::media::DirectShowPlayer player;
    plat::media::FakeMasterVolume volume;
    std::vector<std::pair<int, bool>> sort_menu;
    std::string today, yesterday;
    ui::Form* host = nullptr;
    ui::Panel* page = nullptr;
    TSearchRecFrame* frame = nullptr;
};

TEST_F(SearchWindowTest, SearchButtonCountsEachConditionKind) {
    struct Case {
        const char* name;
        std::function<void(TSearchRecFrame&)> set;
        int count;
    };
    auto tick = [](ec::TEcCheckBox* box, ec::TEcEdit* edit, const std::string& text) {
        box->set_checked(true);
        if (edit) edit->set_text(text);
    };
    const Case cases[] = {
        {"today", [](TSearchRecFrame&) {}, 6},
        {"yesterday", [](TSearchRecFrame& f) { f.ApplyPeriod(station::SearchPeriod::Yesterday, "y"); }, 2},
        {"this year", [](TSearchRecFrame& f) { f.ApplyPeriod(station::SearchPeriod::ThisYear, "y"); }, -1},
        {"caller", [&](TSearchRecFrame& f) { tick(f.checkByCallerID, f.editCallerID, " 0755 "); }, 4},
        {"dialed", [&](TSearchRecFrame& f) { tick(f.checkByDialed, f.editDialed, "138"); }, 1},
        {"empty text matches all", [&](TSearchRecFrame& f) { tick(f.checkByDialed, f.editDialed, ""); }, 6},
        {"agent", [&](TSearchRecFrame& f) { tick(f.checkByAgent, f.editAgent, "Lee"); }, 3},
        {"session", [&](TSearchRecFrame& f) { tick(f.checkBySessionID, f.editSessionID, "S-5"); }, 1},
        {"note with quote", [&](TSearchRecFrame& f) { tick(f.checkByNote, f.editNote, "O'Neil"); }, 1},
        {"note in Chinese", [&](TSearchRecFrame& f) { tick(f.checkByNote, f.editNote, Gbk(u8"回电")); }, 1},
        {"in and missed", [&](TSearchRecFrame& f) { tick(f.checkByIn, nullptr, ""); tick(f.checkByNoanswer, nullptr, ""); }, 4},
        {"all three directions", [&](TSearchRecFrame& f) {
             tick(f.checkByIn, nullptr, ""); tick(f.checkByOut, nullptr, ""); tick(f.checkByNoanswer, nullptr, ""); }, 6},
        {"longer than 60 s", [&](TSearchRecFrame& f) { tick(f.checkLongerThan, nullptr, ""); f.spinLongerThan->set_value(60); }, 2},
        {"shorter than 5 s", [&](TSearchRecFrame& f) { tick(f.checkShorterThan, nullptr, ""); f.spinShorterThan->set_value(5); }, 3},
        {"rings at least 2", [&](TSearchRecFrame& f) { tick(f.checkRingLargerThan, nullptr, ""); f.spinRingLargerThan->set_value(2); }, 3},
        {"rings at most 1", [&](TSearchRecFrame& f) { tick(f.checkRingSmallerThan, nullptr, ""); f.spinRingSmallerThan->set_value(1); }, 3},
        {"period ending before it starts", [](TSearchRecFrame& f) {
             f.NodeCustomClick();
             f.DTDateTo->set_date(f.DTDateFrom->date() - 1); }, 0},
    };
    for (const Case& c : cases) {
        frame->InitFrame();
        c.set(*frame);
        Search();
        int expected = c.count;
        if (expected < 0) expected = yesterday.substr(0, 4) == today.substr(0, 4) ? 8 : 6;  // this year
        EXPECT_EQ(frame->lvCalls->item_count(), expected) << c.name;
        EXPECT_EQ(frame->StatusText(), Gbk(u8"共找到 ") + std::to_string(expected) + Gbk(u8" 条记录")) << c.name;
        EXPECT_EQ(frame->statusBarSearch->simple_caption(), frame->StatusText()) << c.name;
    }

    // A database that cannot be opened: an empty list, and the status says so.
    frame->InitFrame();
    Search();
    ASSERT_EQ(frame->lvCalls->item_count(), 6);
    settings.UserFilePath = station.root() + "\\missing.db";
    Search();
    EXPECT_EQ(frame->lvCalls->item_count(), 0);
    EXPECT_EQ(frame->StatusText(), Gbk(u8"共找到 0 条记录"));
}

TEST_F(SearchWindowTest, HeaderClicksSortDescendingThenAscendingWithImages) {
    Search();
    HWND header = reinterpret_cast<HWND>(SendMessageW(frame->lvCalls->handle(), LVM_GETHEADER, 0, 0));
    RECT time_column{};
    ASSERT_TRUE(SendMessageW(header, HDM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&time_column)));
    auto click_header = [&] {
        const int x = (time_column.left + time_column.right) / 2, y = (time_column.top + time_column.bottom) / 2;
        PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump(60);
    };
    // The picture the header itself shows, on the right of the caption; -1 none.
    auto header_image = [&](int column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        return (item.fmt & HDF_IMAGE) && (item.fmt & HDF_BITMAP_ON_RIGHT) ? item.iImage : -1;
    };
    EXPECT_EQ(header_image(3), -1);
    click_header();
    EXPECT_EQ(ListedIds(), (std::vector<int>{6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(frame->lvCalls->column(3)->header_image(), 1);
    EXPECT_EQ(frame->lvCalls->column(2)->header_image(), -1);
    EXPECT_EQ(header_image(3), 1);
    EXPECT_EQ(header_image(2), -1);
    EXPECT_FALSE(station.globals().SortAscending);
    Screenshot(host->handle(), "sorted-descending");
    click_header();
    EXPECT_EQ(ListedIds(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(frame->lvCalls->column(3)->header_image(), 0);
    EXPECT_EQ(header_image(3), 0);
    ASSERT_EQ(sort_menu.size(), 2u);
    EXPECT_EQ(sort_menu.back(), std::make_pair(3, true));
    // The rows show the records' cells.
    ListView_SetItemState(frame->lvCalls->handle(), 0, LVIS_SELECTED, LVIS_SELECTED);
    wchar_t cell[64] = {};
    ListView_GetItemText(frame->lvCalls->handle(), 1, 5, cell, 64);
    EXPECT_EQ(plat::wide_to_gbk(cell), "02088886666");
    // A new search resets the directions; the sort menu sorts without a flip.
    Search();
    click_header();
    EXPECT_EQ(ListedIds().front(), 6);
    frame->SortFromMenu(3, true);
    EXPECT_EQ(ListedIds().front(), 1);
    EXPECT_EQ(frame->lvCalls->column(3)->header_image(), 0);

    // A right click on a header names the column in the menu, whose item sorts with a flip.
    int menus_shown = 0;
    ui::PopupMenu::set_track_function([&](HMENU, UINT, int, int, HWND) {
        ++menus_shown;
        return frame->NodeSortByColumn->command();
    });
    const int x = (time_column.left + time_column.right) / 2, y = (time_column.top + time_column.bottom) / 2;
    POINT screen_point{x, y};
    ClientToScreen(header, &screen_point);
    SetCursorPos(screen_point.x, screen_point.y);
    PostMessageW(header, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    PostMessageW(header, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
    Pump(60);
    // Later menus of this program choose nothing (no test may wait on a real menu).
    ui::PopupMenu::set_track_function([](HMENU, UINT, int, int, HWND) { return 0u; });
    EXPECT_EQ(menus_shown, 1) << "only the column menu opens";
    EXPECT_EQ(frame->RightClickColumn(), 3);
    EXPECT_EQ(frame->NodeSortByColumn->caption(), Gbk(u8"按“时间”排序(&S)"));
    EXPECT_EQ(ListedIds().front(), 6);

    // A rebuild of the columns empties the rows and the status line but keeps the records.
    auto& columns = station.globals().ColumnsInfo;
    columns.VisibleCount = 3;
    frame->RebuildColumns();
    EXPECT_EQ(frame->lvCalls->columns().count(), 3);
    EXPECT_EQ(frame->lvCalls->item_count(), 0);
    EXPECT_EQ(frame->StatusText(), "");
    EXPECT_EQ(frame->Calls().Count(), 6);
    columns.VisibleColumns[1].Caption = "Chan";
    station.globals().Texts.Set("Msg.TotalRecord", "%d calls");
    frame->ApplyLanguage();
    EXPECT_EQ(frame->lvCalls->column(1)->caption(), "Chan");
    EXPECT_EQ(frame->StatusText(), "6 calls");
}

// The row menu's shortcuts reach it from the list through the window layer, which searches the
// focused control's popup menu before the form's main menu.
TEST_F(SearchWindowTest, RowMenuShortcutsWorkInTheList) {
    Search();
    frame->lvCalls->set_focus();
    ASSERT_TRUE(PumpUntil([&] { return frame->lvCalls->focused(); }, 3000));
    auto press = [&](WORD key, BYTE modifier) {
        BYTE keys[256];
        GetKeyboardState(keys);
        if (modifier) keys[modifier] = 0x80;
        SetKeyboardState(keys);
        PostMessageW(frame->lvCalls->handle(), WM_KEYDOWN, key, 1);
        // Handled once the queue no longer holds it.
        const bool handled = PumpUntil([] { return HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_KEY)) == 0; }, 3000);
        if (modifier) keys[modifier] = 0;
        SetKeyboardState(keys);
        return handled;
    };
    ASSERT_TRUE(press('A', VK_CONTROL));
    EXPECT_EQ(frame->lvCalls->selected_rows().size(), 6u) << "Ctrl+A selects every row";
    EXPECT_TRUE(frame->btnDel->enabled()) << "the selection reached the frame";

    frame->lvCalls->clear_selection();
    frame->lvCalls->move_to(RowOf(4));
    ASSERT_TRUE(press(VK_F9, 0));
    ASSERT_TRUE(WaitForState(PlayState::Playing)) << "F9 plays the selected row";
    EXPECT_EQ(player.Url(), station.data(DayFolder(today) + "\\rec4.wav"));
    frame->btnStopClick();
    ASSERT_TRUE(WaitForState(PlayState::Stopped));

    // A disabled item's key does nothing: a missed call does not play.
    frame->lvCalls->clear_selection();
    frame->lvCalls->move_to(RowOf(3));
    ASSERT_TRUE(press(VK_F9, 0));
    EXPECT_EQ(player.State(), PlayState::Stopped);
}

TEST_F(SearchWindowTest, PlaybackWalksStatesWithBarLedSkipsAndRate) {
    Search();
    frame->lvCalls->move_to(RowOf(6));  // started 23:59:30, 4 s long
    Pump(30);
    EXPECT_TRUE(frame->btnPlay2->enabled());
    EXPECT_FALSE(frame->panelPlay->visible());
    frame->TrackBarSpeed->set_position(15);  // a rate set while stopped applies at the start
    frame->btnPlay2->click();
    ASSERT_TRUE(WaitForState(PlayState::Playing));
    EXPECT_TRUE(frame->panelPlay->visible());
    EXPECT_TRUE(frame->TrackBar->visible());
    EXPECT_TRUE(frame->TrackBar->enabled());
    EXPECT_NEAR(frame->TrackBar->max(), 4000, 5);
    EXPECT_DOUBLE_EQ(player.Rate(), 1.5);
    EXPECT_FALSE(frame->btnPlay->enabled());
    EXPECT_TRUE(frame->btnPause->enabled());
    EXPECT_EQ(frame->btnPlay2->hint(), Gbk(u8"停止播放"));
    frame->TrackBarSpeed->set_position(10);
    EXPECT_DOUBLE_EQ(player.Rate(), 1.0);
    ASSERT_TRUE(PumpUntil([&] { return frame->TrackBar->position() >= 500; }, 3000)) << "the bar advances";
    const int at = frame->TrackBar->position();
    EXPECT_EQ(frame->LEDDisplay->led_caption(), station::LedTimeText(true, "", at));
    frame->btnChangeShowingTimeClick();
    frame->TrackBarChange();
    EXPECT_EQ(frame->LEDDisplay->led_caption().substr(0, 6), "23:59:");
    EXPECT_EQ(frame->btnChangeShowingTime->hint(), Gbk(u8"显示已播放的时间"));
    Screenshot(host->handle(), "search-view-playing");

    frame->SkipPlayback(false);
    EXPECT_NEAR(player.Position(), 0.0, 0.3);  // within the first 2.5 s: to the start
    frame->SkipPlayback(true);
    frame->SkipPlayback(true);
    EXPECT_GE(player.Position(), 3.5);         // clamped at the end of 4 s
    EXPECT_LE(player.Position(), 4.0);

    ASSERT_TRUE(WaitForState(PlayState::Stopped, 5000)) << "the end of the media stops";
    EXPECT_FALSE(frame->TrackBar->visible());
    EXPECT_EQ(frame->LEDDisplay->led_caption(), "");
    EXPECT_DOUBLE_EQ(player.Rate(), 1.0);
    EXPECT_EQ(frame->TrackBarSpeed->position(), 10);
    EXPECT_TRUE(frame->btnPlay->enabled());
    EXPECT_FALSE(frame->btnStop->enabled());

    // Pause and resume by the panel; btnPlay2 on a playing call stops it.
    frame->btnPlayClick();
    ASSERT_TRUE(WaitForState(PlayState::Playing));
    frame->btnPauseClick();
    ASSERT_TRUE(WaitForState(PlayState::Paused));
    EXPECT_EQ(frame->btnPlay2->hint(), Gbk(u8"播放暂停的录音文件"));
    frame->btnPlayClick();
    ASSERT_TRUE(WaitForState(PlayState::Playing));
    frame->btnPlay2->click();
    ASSERT_TRUE(WaitForState(PlayState::Stopped));
}

TEST_F(SearchWindowTest, NextSkipsMissedCallsAndMissingRecordingsAreReported) {
    Search();
    frame->lvCalls->move_to(RowOf(2));
    frame->btnNextClick();  // row of call 3 is missed: call 4 plays
    ASSERT_TRUE(WaitForState(PlayState::Playing));
    EXPECT_EQ(frame->lvCalls->selected_index(), RowOf(4));
    EXPECT_EQ(player.Url(), station.data(DayFolder(today) + "\\rec4.wav"));
    frame->btnStopClick();
    ASSERT_TRUE(WaitForState(PlayState::Stopped));

    // A missed call keeps btnPlay2 disabled while nothing plays.
    frame->lvCalls->clear_selection();
    frame->lvCalls->move_to(RowOf(3));
    Pump(30);
    EXPECT_FALSE(frame->btnPlay2->enabled());

    // Previous and next record move the selection one row; the ends stay.
    frame->NodeNextClick();
    EXPECT_EQ(frame->lvCalls->selected_rows(), std::vector<int>{RowOf(3) + 1});
    frame->lvCalls->clear_selection();
    frame->lvCalls->move_to(0);
    frame->NodePreviousClick();
    EXPECT_EQ(frame->lvCalls->selected_rows(), std::vector<int>{0});
    frame->lvCalls->clear_selection();
    frame->lvCalls->move_to(5);
    frame->NodeNextClick();
    EXPECT_EQ(frame->lvCalls->selected_rows(), std::vector<int>{5});
    frame->SearchFramePopupMenuPopup();
    EXPECT_TRUE(frame->NodeDel->enabled());

    plat::remove_file(station.data(DayFolder(today) + "\\rec5.wav"));
    frame->lvCalls->clear_selection();
    frame->lvCalls->move_to(RowOf(5));
    frame->ProcessPlay(false);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].second, Gbk(u8"找不到录音文件 '") + DayFolder(today) + "\\rec5.wav'");
}

TEST_F(SearchWindowTest, DeleteOfThePlayingCallStopsRemovesFileAndRow) {
    Search();
    frame->lvCalls->move_to(RowOf(4));
    frame->btnPlay2->click();
    ASSERT_TRUE(WaitForState(PlayState::Playing));
    const std::string file = station.data(DayFolder(today) + "\\rec4.wav");
    prompts.confirms = {true};
    frame->NodeDelClick();
    EXPECT_EQ(prompts.asked.back(), Gbk(u8"您确定要删除选中的记录吗?"));
    EXPECT_TRUE(player.Url().empty());
    EXPECT_FALSE(plat::file_exists(file));
    EXPECT_EQ(frame->lvCalls->item_count(), 5);
    EXPECT_EQ(frame->StatusText(), Gbk(u8"共找到 5 条记录"));
    ASSERT_TRUE(PumpUntil([&] { return frame->btnPlay2Tag == 0; }, 3000)) << "the panel shows the stop";
    EXPECT_FALSE(frame->TrackBar->visible());
    Search();
    EXPECT_EQ(RowOf(4), 5) << "the row is gone from the database";

    // Two rows by Shift+Del in the list, answered "no": nothing changes.
    frame->lvCalls->set_row_selected(0, true);
    frame->lvCalls->set_row_selected(1, true);
    prompts.confirms = {false};
    frame->lvCalls->set_focus();
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(frame->lvCalls->handle(), WM_KEYDOWN, VK_DELETE, 1);
    Pump(40);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(prompts.asked.back(), Gbk(u8"您确定要删除选中的 2 条记录吗?"));
    EXPECT_EQ(frame->lvCalls->item_count(), 5);
}

TEST_F(SearchWindowTest, ExportWritesVisibleColumnsAndCopyAnswersNoToAll) {
    Search();
    frame->NodeSelAllClick();
    dialogs.save_path = station.root() + "\\calls.csv";
    frame->NodeExportClick();
    std::string written;
    ASSERT_TRUE(plat::read_whole_file(dialogs.save_path, written));
    const auto& columns = station.globals().ColumnsInfo;
    std::string header;
    for (int c = 0; c < columns.VisibleCount; ++c) header += (c ? "," : "") + columns.VisibleColumns[static_cast<std::size_t>(c)].Name;
    EXPECT_EQ(written.substr(0, header.size() + 2), header + "\r\n");
    int lines = 0;
    for (std::size_t at = 0; (at = written.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    EXPECT_EQ(lines, 7);
    EXPECT_NE(written.find(Gbk(u8"呼入") + ",1," + today + ",08:00:00"), std::string::npos) << written;

    // Copy: two of the five recordings are there already; "全否" skips both.
    dialogs.folder = station.root() + "\\copies";
    for (int id : {2, 5}) {
        const std::string target = dialogs.folder + "\\" + DayFolder(today) + "\\rec" + std::to_string(id) + ".wav";
        plat::force_directories(plat::extract_file_dir(target));
        plat::write_whole_file(target, "old");
    }
    prompts.multi = {MultiAnswer::NoToAll};
    frame->NodeSaveAsClick();
    ASSERT_FALSE(prompts.messages.empty());
    EXPECT_EQ(prompts.messages.back().first, Gbk(u8"提示"));
    // Six selected: the missed call and two skipped are not copied.
    EXPECT_EQ(prompts.messages.back().second, Gbk(u8"导出完成! 选中了 6 个文件，成功导出了 3 个文件"));
}

TEST_F(SearchWindowTest, PropertiesAndNotesRoundTripThroughTheDatabase) {
    Search();
    frame->lvCalls->move_to(RowOf(1));
    frame->NodePropertyClick();
    ASSERT_EQ(call_dialogs.shown.size(), 1u);
    const station::CallProperties& p = call_dialogs.shown[0];
    EXPECT_EQ(p.call_type, Gbk(u8"呼入"));
    EXPECT_EQ(p.file_size, "15 KB");  // 1 s of 8 kHz 16-bit: 16044 bytes
    EXPECT_EQ(p.start, today + "  08:00:00");

    // The dialog itself shows every field.
    forms::TRecLogPropertyForm dialog(nullptr);
    dialog.ShowRecord(p);
    dialog.show();
    EXPECT_EQ(dialog.labelCallTypeValue->caption(), p.call_type);
    EXPECT_EQ(dialog.labelLineIDValue->caption(), Gbk(u8"线路1"));
    EXPECT_EQ(dialog.labelAgentIDValue->caption(), "A1");
    EXPECT_EQ(dialog.labelAgentNameValue->caption(), "Lee");
    EXPECT_EQ(dialog.labelStartTimeValue->caption(), p.start);
    EXPECT_EQ(dialog.labelDurationValue->caption(), "00:00:04");
    EXPECT_EQ(dialog.labelCallerIDValue->caption(), "075512345");
    EXPECT_EQ(dialog.labelCallerNameValue->caption(), Gbk(u8"未知"));
    EXPECT_EQ(dialog.editFilePath->text(), station.data(DayFolder(today) + "\\rec1.wav"));
    EXPECT_EQ(dialog.labelFileSizeValue->caption(), "15 KB");
    EXPECT_EQ(dialog.labelDtmfValue->caption(), "");
    EXPECT_EQ(dialog.memoComment->text(), "");
    Screenshot(dialog.handle(), "call-properties");
    dialog.hide();

    // Notes: a quote, and 200 Chinese characters (cut to 125) after a leading ASCII one.
    std::wstring long_note = L"x";
    for (int i = 0; i < 200; ++i) long_note += plat::gbk_to_wide(Gbk(u8"备"));
    call_dialogs.notes = {L"  it's O'Neil's  ", long_note};
    for (const std::string& expected : {std::string("it's O'Neil's"), station::NoteForStorage(long_note)}) {
        frame->NodeEditNotesClick();
        Search();
        frame->lvCalls->move_to(RowOf(1));
        EXPECT_EQ(frame->Calls().Records()[static_cast<std::size_t>(RowOf(1))].CNote, expected);
    }
    EXPECT_EQ(frame->Calls().Records()[static_cast<std::size_t>(RowOf(1))].CNote.size(), 249u);
    EXPECT_EQ(call_dialogs.shown_notes[1], L"it's O'Neil's");

    // The editor trims on OK.
    forms::TEditCallLogCommentForm editor(nullptr);
    editor.FComment = L"  keep  ";
    editor.show();
    editor.FormShow();
    EXPECT_EQ(editor.memoComment->text(), "keep");
    editor.memoComment->set_text(Gbk(u8"  新的备注 "));
    editor.btnSureClick();
    EXPECT_EQ(editor.FComment, plat::gbk_to_wide(Gbk(u8"新的备注")));
    Screenshot(editor.handle(), "note-editor");
    editor.hide();
}

TEST_F(SearchWindowTest, ConditionPanelShowsAndHides) {
    EXPECT_FALSE(frame->btnSearchParams->enabled());
    EXPECT_FALSE(frame->editCallerID->enabled());
    frame->checkByCallerID->set_checked(true);
    EXPECT_TRUE(frame->editCallerID->enabled());
    frame->btnMoreSearchOptionsClick();
    EXPECT_TRUE(frame->panelMoreSearchOptions->visible());
    frame->checkRingLargerThan->set_checked(true);
    EXPECT_TRUE(frame->spinRingLargerThan->enabled());
    frame->btnMoreSearchOptionsClick();
    EXPECT_FALSE(frame->checkRingLargerThan->checked()) << "hiding unticks the ring conditions";
    EXPECT_FALSE(frame->spinRingLargerThan->enabled());
    frame->NodeCustomClick();
    EXPECT_TRUE(frame->DTDateFrom->enabled());
    EXPECT_EQ(frame->TimeButton->caption(), Gbk(u8"自定义时间"));
    frame->btnClosePanelParamClick();
    EXPECT_FALSE(frame->panelParam->visible());
    EXPECT_TRUE(frame->btnSearchParams->enabled());
    frame->btnSearchParamsClick();
    EXPECT_TRUE(frame->panelParam->visible());
}

// In a short window the conditions are taller than their panel: the direction group and the
// options after it are reached by scrolling the panel as a user would.
TEST_F(SearchWindowTest, ShortWindowScrollsTheDirectionGroupIntoView) {
    host->set_height(340);
    Pump(50);
    ui::ScrollBox* box = frame->ScrollBoxLeft;
    const auto inside_box = [box](ui::Control* c) {
        RECT area{};
        GetClientRect(box->handle(), &area);
        MapWindowPoints(box->handle(), nullptr, reinterpret_cast<POINT*>(&area), 2);
        const POINT corner = c->client_to_screen(POINT{0, 0});
        return c->showing() && corner.y >= area.top && corner.y + c->height() <= area.bottom;
    };
    const std::vector<ui::Control*> direction{frame->checkByOut, frame->checkByIn, frame->checkByNoanswer};
    const auto all_inside = [&] {
        return std::all_of(direction.begin(), direction.end(), [&](ui::Control* c) { return inside_box(c); });
    };
    ASSERT_GT(box->content_height(), box->client_height());
    ASSERT_TRUE(GetWindowLongW(box->handle(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(all_inside()) << "the direction group starts below the panel";

    for (int i = 0; i < 100 && !all_inside(); ++i) {
        SendMessageW(box->handle(), WM_VSCROLL, SB_LINEDOWN, 0);
        Pump(5);
    }
    EXPECT_TRUE(all_inside());
    EXPECT_GT(box->scroll_position(), 0);
    EXPECT_FALSE(inside_box(frame->TimeButton)) << "the top of the conditions scrolled away";
    Screenshot(host->handle(), "conditions_scrolled_to_direction");

    SendMessageW(box->handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_TRUE(inside_box(frame->btnMoreSearchOptions)) << "the last condition is reachable";
    const int short_extent = box->content_height();
    frame->btnMoreSearchOptionsClick();
    SCROLLINFO bar{};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_RANGE;
    GetScrollInfo(box->handle(), SB_VERT, &bar);
    EXPECT_GT(box->content_height(), short_extent);
    EXPECT_EQ(bar.nMax + 1, box->content_height()) << "the bar's range follows the extra options";
    SendMessageW(box->handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_TRUE(inside_box(frame->checkRingSmallerThan)) << "the extra options are reachable";

    SendMessageW(box->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 20 * WHEEL_DELTA), 0);
    EXPECT_EQ(box->scroll_position(), 0);
    EXPECT_TRUE(inside_box(frame->TimeButton));
}

TEST_F(SearchWindowTest, VolumeAndMuteGoThroughTheMixer) {
    EXPECT_EQ(frame->TrackBarVolume->position(), 32768);
    EXPECT_EQ(volume.set_calls, 0) << "loading the state writes nothing back";
    frame->TrackBarVolume->set_position(65535);
    EXPECT_EQ(volume.volume, 65535);
    EXPECT_EQ(frame->TrackBarVolume->hint(), Gbk(u8"放音音量控制 100%"));
    frame->btnVolumeMuteClick();
    EXPECT_TRUE(volume.muted);
    EXPECT_EQ(frame->btnVolumeMute->hint(), Gbk(u8"取消静音"));
    frame->btnVolumeMuteClick();
    EXPECT_FALSE(volume.muted);
    EXPECT_EQ(frame->btnVolumeMute->hint(), Gbk(u8"设置成静音"));

    // Where the mixer cannot be driven (Windows 5.2) no volume or mute control is offered.
    forms::SearchFrameServices s;
    s.globals = &station.globals();
    s.store = store.get();
    s.prompts = &prompts;
    s.file_dialogs = &dialogs;
    s.files = &files;
    s.volume = &volume;
    s.volume_available = false;
    auto* page2 = new ui::Panel(host);
    page2->set_parent(host);
    page2->set_bounds(0, 0, 600, 400);
    TSearchRecFrame* without = forms::CreateSearchFrame(page2, std::move(s));
    EXPECT_FALSE(without->TrackBarVolume->visible());
    EXPECT_FALSE(without->TrackBarVolume->enabled());
    EXPECT_FALSE(without->btnVolumeMute->visible());
    EXPECT_FALSE(without->labelVolumn->visible());
    without->DoneFrame();
}

// A text the window shows: the window's own text for windowed controls, the caption otherwise.
std::string ShownText(ui::Control* control) {
    if (auto* windowed = dynamic_cast<ui::WinControl*>(control)) {
        const HWND h = windowed->handle();
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(h, &text[0], static_cast<int>(text.size()))));
        return plat::wide_to_gbk(text);
    }
    return control->caption();
}

TEST_F(SearchWindowTest, LanguageSectionReachesControlsByName) {
    struct Case {
        const char* key;
        const char* value;
        std::function<std::string()> shown;
    };
    const Case cases[] = {
        {"btnSearch.Caption", "Find", [&] { return ShownText(frame->btnSearch); }},
        {"btnMoreSearchOptions.Caption", "More options", [&] { return ShownText(frame->btnMoreSearchOptions); }},
        {"checkByCallerID.Caption", "By caller number", [&] { return ShownText(frame->checkByCallerID); }},
        {"checkByIn.Caption", "Incoming", [&] { return ShownText(frame->checkByIn); }},
        {"groupDirection.Caption", "Direction", [&] { return ShownText(frame->groupDirection); }},
        {"checkRingSmallerThan.Caption", "Rings at most", [&] { return ShownText(frame->checkRingSmallerThan); }},
        {"labelFrom.Caption", "From", [&] { return ShownText(frame->labelFrom); }},
        {"labelParamCaption.Caption", "Conditions", [&] { return ShownText(frame->labelParamCaption); }},
        {"btnPlay.Caption", "Play", [&] { return ShownText(frame->btnPlay); }},
        {"btnStop.Hint", "Stop playing", [&] { return frame->btnStop->hint(); }},
        {"btnSave.Hint", "Save the recording", [&] { return frame->btnSave->hint(); }},
        {"labelSpeed.Caption", "Speed", [&] { return ShownText(frame->labelSpeed); }},
        {"NodeYesterday.Caption", "Yesterday", [&] {
             ui::Component* item = frame->find_component("NodeYesterday");
             return item != nullptr ? static_cast<ui::MenuItem*>(item)->caption() : std::string("(none)");
         }},
        {"NodeProperty.Caption", "Properties", [&] { return frame->NodeProperty->caption(); }},
    };
    const std::string path = station.root() + "\\english.ini";
    for (const Case& c : cases) ASSERT_TRUE(plat::ini_write_string(path, "TSearchRecFrame", c.key, c.value));

    station::TLanguageFile language("", nullptr);
    forms::LanguageWindow window(*frame);
    EXPECT_FALSE(language.LoadFile(path).has_value());
    EXPECT_FALSE(language.SetForm(&window).has_value());
    Pump(50);
    for (const Case& c : cases) EXPECT_EQ(c.shown(), c.value) << c.key;
    Screenshot(host->handle(), "search-view-translated");
}

TEST_F(SearchWindowTest, DefaultLanguageExportWritesNamedKeysOnly) {
    const std::string path = station.root() + "\\default.ini";
    station::TLanguageFile language("", nullptr);
    forms::LanguageWindow window(*frame);
    ASSERT_TRUE(station::ExportLanguageFile(language, {{&window, {"caption", "items", "hint"}}}, path));

    const std::vector<std::string> keys = plat::ini_read_keys(path, "TSearchRecFrame");
    const auto value = [&](const char* key) { return plat::ini_read_string(path, "TSearchRecFrame", key, "(missing)"); };
    const struct {
        const char* key;
        const char* text;
    } expected[] = {
        {"btnSearch.caption", u8"查询"},
        {"btnMoreSearchOptions.caption", u8"更多查询选项"},
        {"checkByCallerID.caption", u8"根据来电号码查询"},
        {"checkByNoanswer.caption", u8"未接"},
        {"groupDirection.caption", u8"方向"},
        {"labelTo.caption", u8"到"},
        {"btnPlay2.hint", u8"播放选中的录音文件"},
        {"btnSave.hint", u8"导出选中的录音文件"},
        {"btnPrevious.hint", u8"播放上一个录音文件"},
        {"TrackBarSpeed.hint", u8"播放速率控制"},
        {"labelVolumn.caption", u8"音量"},
        {"NodeToday.caption", u8"今天"},
        {"NodeCustom.caption", u8"自定义时间"},
        {"NodeSelAll.caption", u8"全部选定(&A)"},
    };
    for (const auto& e : expected) EXPECT_EQ(value(e.key), Gbk(e.text)) << e.key;
    // The window's own properties go under an empty component name; a nameless component
    // would overwrite them there, out of reach of any language file.
    for (const std::string& key : keys) {
        if (!key.empty() && key[0] == '.') {
            EXPECT_EQ(value(key.c_str()), ui::get_property_text(*frame, key.substr(1))) << key;
        }
    }
    for (ui::Component* c : frame->components()) {
        if (!c->name().empty()) continue;
        forms::LanguageComponent unnamed(*c);
        for (const char* property : {"caption", "hint"}) {
            EXPECT_EQ(unnamed.GetValue(property), "") << property << " of a nameless " << c->class_name();
        }
    }
    EXPECT_GT(keys.size(), std::size(expected));
}

} // namespace
} // namespace station_search_test
