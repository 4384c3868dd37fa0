// The search view as its stored description makes it: the components by name, class and nesting,
// a description that reads back the same, the picture buttons, the period menu, the LED and the
// position bar over a stand-in player, the spin ranges and a large result.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

#include "controls/register_control_set.h"
#include "platform/media/master_volume.h"
#include "platform/media/media_player.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "station/core/search/period_dates.h"
#include "station/forms/search/search_frame.h"
#include "tests/station_search/search_fixture.h"
#include "tests/support/window_test/description_checks.h"
#include "tests/support/window_test/window_test.h"

namespace station_search_test {
namespace {

using forms::TSearchRecFrame;
using plat::media::PlayState;

// Plays nothing: the test moves the position, and each state change is told at once.
class StandInPlayer : public plat::media::IMediaPlayer {
public:
    double duration = 10.0;
    double position = 0.0;

    bool Open(const std::string& path) override {
        url_ = path;
        Change(PlayState::Stopped);
        return true;
    }
    const std::string& Url() const override { return url_; }
    bool Play() override { return Change(PlayState::Playing); }
    bool Pause() override { return Change(PlayState::Paused); }
    bool Stop() override {
        position = 0.0;
        return Change(PlayState::Stopped);
    }
    void Close() override { url_.clear(); }
    double Position() override { return position; }
    bool SetPosition(double seconds) override {
        position = seconds;
        return true;
    }
    double Duration() override { return url_.empty() ? 0.0 : duration; }
    bool SetRate(double rate) override {
        rate_ = rate;
        return true;
    }
    double Rate() const override { return rate_; }
    PlayState State() const override { return state_; }
    void SetStateListener(std::function<void(PlayState)> listener) override { listener_ = std::move(listener); }

private:
    bool Change(PlayState s) {
        state_ = s;
        if (listener_) listener_(s);
        return true;
    }
    std::string url_;
    double rate_ = 1.0;
    PlayState state_ = PlayState::Undefined;
    std::function<void(PlayState)> listener_;
};

class SearchFrameDescription : public ::testing::Test {
protected:
    SearchFrameDescription() : station("search-description"), files(station.globals()) {
        window_test::ensure_application();
        window_test::errors().clear();
        ui::register_control_classes();
        ec::register_control_set_classes();
        station::StationGlobals& g = station.globals();
        g.Texts.SetDefaults();
        station::LoadColumns(station.root() + "\\none.ini", g.ColumnsInfo);
        store.data_dir = g.DataDir;

        host = new ui::Form(nullptr);
        host->set_bounds(10, 10, 1000, 700);
        page = new ui::Panel(host);
        page->set_parent(host);
        page->set_align(ui::TAlign::alClient);
        page->set_bevel_outer(ui::TBevelCut::bvNone);
        forms::SearchFrameServices s;
        s.globals = &g;
        s.store = &store;
        s.prompts = &prompts;
        s.file_dialogs = &dialogs;
        s.files = &files;
        s.player = &player;
        s.volume = &volume;
        frame = forms::CreateSearchFrame(page, std::move(s));
        host->show();
        frame->FirstShow();
        window_test::pump(50);
    }
    ~SearchFrameDescription() override {
        frame->DoneFrame();
        host->free();
        EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front();
    }

    // One call with a recording, started at `start`, listed and selected.
    void ListOneRecording(const std::string& start) {
        store.rows = {MakeCall(1, "2026-03-01", start, 0, "rec1.wav")};
        station.AddRecording(store.rows[0].WaveFilePath);
        frame->btnSearch->click();
        frame->lvCalls->move_to(0);
    }
    // The player moved on: the position timer's tick shows it.
    void PlayedTo(double seconds) {
        player.position = seconds;
        frame->HiTimer1->fire();
    }

    StationFolder station;
    station::StationRecordingFiles files;
    ScriptedStore store;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;
    StandInPlayer player;
    plat::media::FakeMasterVolume volume;
    ui::Form* host = nullptr;
    ui::Panel* page = nullptr;
    TSearchRecFrame* frame = nullptr;
};

TEST_F(SearchFrameDescription, ComponentsFollowTheTable) {
    const char* const root = "SearchRecFrame";
    std::vector<window_test::ComponentRow> rows = {
        {"panelParam", "TEcPanel", root},
        {"panelParamTop", "TEcPanel", "panelParam"},
        {"labelParamCaption", "TEcLabel", "panelParamTop"},
        {"btnClosePanelParam", "TEcToolButton", "panelParamTop"},
        {"ScrollBoxLeft", "TScrollBox", "panelParam"},
        {"TimeButton", "TEcToolButton", "ScrollBoxLeft"},
        {"labelFrom", "TEcLabel", "ScrollBoxLeft"},
        {"labelTo", "TEcLabel", "ScrollBoxLeft"},
        {"DTDateFrom", "TEcDateTimePicker", "ScrollBoxLeft"},
        {"DTDateTo", "TEcDateTimePicker", "ScrollBoxLeft"},
        {"DTTimeFrom", "TEcDateTimePicker", "ScrollBoxLeft"},
        {"DTTimeTo", "TEcDateTimePicker", "ScrollBoxLeft"},
        {"groupDirection", "TEcGroupBox", "ScrollBoxLeft"},
        {"checkByOut", "TEcCheckBox", "groupDirection"},
        {"checkByIn", "TEcCheckBox", "groupDirection"},
        {"checkByNoanswer", "TEcCheckBox", "groupDirection"},
        {"checkLongerThan", "TEcCheckBox", "ScrollBoxLeft"},
        {"spinLongerThan", "TEcSpinEdit", "ScrollBoxLeft"},
        {"checkShorterThan", "TEcCheckBox", "ScrollBoxLeft"},
        {"spinShorterThan", "TEcSpinEdit", "ScrollBoxLeft"},
        {"btnMoreSearchOptions", "TEcToolButton", "ScrollBoxLeft"},
        {"panelMoreSearchOptions", "TEcPanel", "ScrollBoxLeft"},
        {"checkRingLargerThan", "TEcCheckBox", "panelMoreSearchOptions"},
        {"spinRingLargerThan", "TEcSpinEdit", "panelMoreSearchOptions"},
        {"checkRingSmallerThan", "TEcCheckBox", "panelMoreSearchOptions"},
        {"spinRingSmallerThan", "TEcSpinEdit", "panelMoreSearchOptions"},
        {"panelRight", "TEcPanel", root},
        {"panelTop", "TEcPanel", "panelRight"},
        {"btnSearchParams", "TEcToolButton", "panelTop"},
        {"btnSearch", "TEcBitBtn", "panelTop"},
        {"lvCalls", "TListView", "panelRight"},
        {"statusBarSearch", "TEcStatusBar", "panelRight"},
        {"panelPlay", "TEcPanel", "panelRight"},
        {"LEDDisplay", "TEcLEDDisplay", "panelPlay"},
        {"btnChangeShowingTime", "TEcToolButton", "panelPlay"},
        {"TrackBar", "TEcTrackBar", "panelPlay"},
        {"labelSpeed", "TEcLabel", "panelPlay"},
        {"TrackBarSpeed", "TEcTrackBar", "panelPlay"},
        {"btnSpeedRestore", "TEcToolButton", "panelPlay"},
        {"labelVolumn", "TEcLabel", "panelPlay"},
        {"TrackBarVolume", "TEcTrackBar", "panelPlay"},
        {"btnVolumeMute", "TEcToolButton", "panelPlay"},
        {"panelPlayClose", "TEcPanel", "panelPlay"},
        {"btnClosePanelPlay", "TEcToolButton", "panelPlayClose"},
        {"ImageList1", "TImageList", root},
        {"ImageList2", "TImageList", root},
        {"HiTimer1", "TTimer", root},
        {"EcSendMessage1", "TEcSendMessage", root},
        {"SearchFramePopupMenu", "TPopupMenu", root},
        {"RightClickColumnPopupMenu", "TPopupMenu", root},
        {"PopupMenuSelDate", "TPopupMenu", root},
        {"NodeSortByColumn", "TMenuItem", "RightClickColumnPopupMenu"},
        {"NodeSelColumn", "TMenuItem", "RightClickColumnPopupMenu"},
    };
    const char* const text_conditions[][2] = {{"checkByCallerID", "editCallerID"}, {"checkByDialed", "editDialed"},
                                              {"checkByAgent", "editAgent"}, {"checkBySessionID", "editSessionID"},
                                              {"checkByNote", "editNote"}};
    for (const auto& c : text_conditions) {
        rows.push_back({c[0], "TEcCheckBox", "ScrollBoxLeft"});
        rows.push_back({c[1], "TEcEdit", "ScrollBoxLeft"});
    }
    for (const char* b : {"btnPlay2", "btnSave", "btnDel", "btnEditNote", "btnExport"}) rows.push_back({b, "TEcToolButton", "panelTop"});
    for (const char* b : {"btnPrevious", "btnRewind", "btnPlay", "btnPause", "btnFastForward", "btnNext", "btnStop"})
        rows.push_back({b, "TEcToolButton", "panelPlay"});
    for (const char* m : {"NodePlay", "NodeFastForward", "NodeRewind", "NodeStop", "NodePrevious", "NodeNext", "NodeSaveAs",
                          "NodeDel", "NodeExport", "NodeEditNotes", "NodeProperty", "NodeSelAll"})
        rows.push_back({m, "TMenuItem", "SearchFramePopupMenu"});
    for (const char* m : {"NodeToday", "NodeYesterday", "NodeThisWeek", "NodeLastWeek", "NodeThisMonth", "NodeLastMonth",
                          "NodeThisQuarter", "NodeLastQuarter", "NodeThisYear", "NodeLastYear", "NodeCustom"})
        rows.push_back({m, "TMenuItem", "PopupMenuSelDate"});
    window_test::expect_components(*frame, rows);

    // The shortcuts and the timer as the description gives them.
    EXPECT_EQ(frame->NodePlay->shortcut(), ui::text_to_shortcut("F9").value_or(0));
    EXPECT_EQ(frame->NodeDel->shortcut(), ui::text_to_shortcut("Shift+Del").value_or(0));
    EXPECT_EQ(frame->HiTimer1->interval(), 50u);
    EXPECT_FALSE(frame->HiTimer1->enabled());
}

TEST_F(SearchFrameDescription, DescriptionReadsBackTheSame) {
    window_test::expect_description_round_trip(*frame, [] { return std::make_unique<ui::Frame>(nullptr); });
}

TEST_F(SearchFrameDescription, ButtonsArePicturesWithHintsAndTimeButtonDropsThePeriods) {
    const struct {
        ec::TEcToolButton* button;
        const char* hint;
    } pictures[] = {
        {frame->btnPlay2, u8"播放选中的录音文件"},
        {frame->btnSave, u8"导出选中的录音文件"},
        {frame->btnDel, u8"删除选中的呼叫记录及所带的录音文件"},
        {frame->btnEditNote, u8"编辑或查看选中记录的备注信息"},
        {frame->btnExport, u8"导出选中的呼叫记录"},
        {frame->btnSearchParams, u8"查询参数"},
        {frame->btnPrevious, u8"播放上一个录音文件"},
        {frame->btnRewind, u8"快退"},
        {frame->btnPlay, u8"播放录音文件"},
        {frame->btnPause, u8"暂停播放"},
        {frame->btnFastForward, u8"快进"},
        {frame->btnNext, u8"播放下一个录音文件"},
        {frame->btnStop, u8"停止放音"},
    };
    for (const auto& p : pictures) {
        const std::string name = p.button->name();
        EXPECT_FALSE(p.button->show_caption()) << name;
        EXPECT_EQ(p.button->caption(), "") << name;
        EXPECT_EQ(p.button->hint(), Gbk(p.hint)) << name;
        EXPECT_TRUE(p.button->show_hint()) << name;
        ASSERT_EQ(p.button->image_list_in_use(), frame->ImageList2) << name;
        EXPECT_GE(p.button->image_index(), 0) << name;
        EXPECT_LT(p.button->image_index(), frame->ImageList2->count()) << name;
    }
    // The states show as pictures: play and stop, loud and muted.
    EXPECT_EQ(frame->btnPlay2->image_index(), 8);
    frame->btnVolumeMuteClick();
    EXPECT_EQ(frame->btnVolumeMute->image_index(), 3);
    frame->btnVolumeMuteClick();
    EXPECT_EQ(frame->btnVolumeMute->image_index(), 2);

    // A press on the period button opens the period menu; its choice sets the dates.
    ASSERT_EQ(frame->TimeButton->drop_down_menu(), frame->PopupMenuSelDate);
    EXPECT_EQ(frame->TimeButton->tool_style(), ec::TEcToolStyle::tsDropDown);
    auto* yesterday = dynamic_cast<ui::MenuItem*>(frame->find_component("NodeYesterday"));
    ASSERT_NE(yesterday, nullptr);
    int menus = 0;
    ui::PopupMenu::set_track_function([&](HMENU menu, UINT, int, int, HWND) {
        ++menus;
        return menu == frame->PopupMenuSelDate->handle() ? yesterday->command() : 0u;
    });
    const POINT at{frame->TimeButton->left() + frame->TimeButton->width() / 2, frame->TimeButton->top() + 8};
    PostMessageW(frame->ScrollBoxLeft->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(frame->ScrollBoxLeft->handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(window_test::pump_until([&] { return menus > 0; }, 3000));
    window_test::pump(30);
    ui::PopupMenu::set_track_function([](HMENU, UINT, int, int, HWND) { return 0u; });
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(frame->TimeButton->caption(), Gbk(u8"昨天"));
    EXPECT_EQ(frame->CurrentConditions().DateFrom, frame->CurrentConditions().DateTo);
    EXPECT_FALSE(frame->DTDateFrom->enabled());
}

// The dots of each character cell of the LED, read from its picture: '#' lit, '.' dark.
std::vector<std::string> LedCells(ec::TEcLEDDisplay& led, int cells) {
    ui::Bitmap picture;
    picture.set_size(led.width(), led.height());
    led.paint_to(picture.dc());
    const ec::LedDots dots = led.dots();
    const ui::Rect client = led.border_client_rect();
    const int top = client.top + (client.height() - dots.cell_height()) / 2;
    std::vector<std::string> rows(7);
    for (int cell = 0; cell < cells; ++cell) {
        for (int r = 0; r < 7; ++r) {
            if (cell) rows[r] += ' ';
            for (int c = 0; c < 5; ++c) {
                const int x = client.left + cell * dots.cell_width() + c * dots.pitch() + dots.size / 2;
                const int y = top + r * dots.pitch() + dots.size / 2;
                rows[r] += GetPixel(picture.dc(), x, y) == static_cast<COLORREF>(led.seg_on_color()) ? '#' : '.';
            }
        }
    }
    return rows;
}

TEST_F(SearchFrameDescription, LedShowsTheElapsedTimeThenTheTimeOfDay) {
    ListOneRecording("08:30:00");
    frame->btnPlay2->click();
    ASSERT_EQ(player.State(), PlayState::Playing);
    EXPECT_TRUE(frame->HiTimer1->enabled());
    PlayedTo(5.0);
    EXPECT_EQ(frame->LEDDisplay->led_caption(), "00:00:05");
    const std::vector<std::string> five = {
        ".###. .###. ..... .###. .###. ..... .###. #####",
        "#...# #...# ..... #...# #...# ..... #...# #....",
        "#..## #..## ..#.. #..## #..## ..#.. #..## #....",
        "#.#.# #.#.# ..... #.#.# #.#.# ..... #.#.# ####.",
        "##..# ##..# ..... ##..# ##..# ..... ##..# ....#",
        "#...# #...# ..#.. #...# #...# ..#.. #...# #...#",
        ".###. .###. ..... .###. .###. ..... .###. .###.",
    };
    EXPECT_EQ(LedCells(*frame->LEDDisplay, 8), five);

    // The time of day shows from the next position on: the call's start plus the elapsed time.
    frame->btnChangeShowingTime->click();
    EXPECT_EQ(frame->btnChangeShowingTime->hint(), Gbk(u8"显示已播放的时间"));
    PlayedTo(6.0);
    EXPECT_EQ(frame->LEDDisplay->led_caption(), "08:30:06");
    const std::vector<std::string> clock = {
        ".###. .###. ..... .###. .###. ..... .###. .###.",
        "#...# #...# ..... #...# #...# ..... #...# #...#",
        "#..## #...# ..#.. ....# #..## ..#.. #..## #....",
        "#.#.# .###. ..... .###. #.#.# ..... #.#.# ####.",
        "##..# #...# ..... ....# ##..# ..... ##..# #...#",
        "#...# #...# ..#.. #...# #...# ..#.. #...# #...#",
        ".###. .###. ..... .###. .###. ..... .###. .###.",
    };
    EXPECT_EQ(LedCells(*frame->LEDDisplay, 8), clock);

    // Stopped: the display empties and keeps its size.
    const int height = frame->LEDDisplay->height();
    frame->btnStop->click();
    EXPECT_EQ(frame->LEDDisplay->led_caption(), "");
    EXPECT_EQ(frame->LEDDisplay->height(), height);
    EXPECT_TRUE(frame->LEDDisplay->visible());
}

TEST_F(SearchFrameDescription, PositionBarFollowsAThreeHourRecording) {
    player.duration = 3 * 3600.0;
    ListOneRecording("10:00:00");
    frame->btnPlay2->click();
    ASSERT_EQ(player.State(), PlayState::Playing);
    ec::TEcTrackBar& bar = *frame->TrackBar;
    EXPECT_EQ(bar.max(), 3 * 3600 * 1000);
    // The thumb travels from the left end to the right end in proportion to the time played.
    const int travel = bar.width() - bar.thumb_rect().width() - 8;
    const struct {
        double seconds;
        int thumb_left;
        const char* led;
    } points[] = {
        {1.0, 4, "00:00:01"},
        {3600.0, 4 + travel / 3, "01:00:00"},
        {5400.0, 4 + travel / 2, "01:30:00"},
        {3 * 3600.0 - 1, 4 + travel - 1, "02:59:59"},
        {3 * 3600.0, 4 + travel, "03:00:00"},
    };
    for (const auto& p : points) {
        PlayedTo(p.seconds);
        EXPECT_EQ(bar.position(), static_cast<int>(p.seconds * 1000)) << p.seconds;
        EXPECT_NEAR(bar.thumb_rect().left, p.thumb_left, 1) << p.seconds;
        EXPECT_LE(bar.thumb_rect().right, bar.width() - 4) << p.seconds;
        EXPECT_EQ(frame->LEDDisplay->led_caption(), p.led) << p.seconds;
    }
    // Seeking by the bar lands on whole seconds.
    frame->TrackBarMouseDown();
    bar.set_position(7'200'700);
    frame->TrackBarMouseUp();
    EXPECT_DOUBLE_EQ(player.position, 7200.0);
}

TEST_F(SearchFrameDescription, SearchSpinsHoldZeroTo36000) {
    const struct {
        long double set;
        long double held;
    } cases[] = {{-5, 0}, {0, 0}, {60, 60}, {36000, 36000}, {36001, 36000}, {100000, 36000}};
    for (ec::TEcSpinEdit* spin : {frame->spinLongerThan, frame->spinShorterThan, frame->spinRingLargerThan,
                                  frame->spinRingSmallerThan}) {
        EXPECT_EQ(spin->min_value(), 0) << spin->name();
        EXPECT_EQ(spin->max_value(), 36000) << spin->name();
        for (const auto& c : cases) {
            spin->set_value(c.set);
            EXPECT_EQ(spin->value(), c.held) << spin->name() << " set to " << static_cast<double>(c.set);
        }
    }
    // A search takes the value held.
    frame->checkLongerThan->set_checked(true);
    frame->spinLongerThan->set_value(50000);
    EXPECT_EQ(frame->CurrentConditions().LongerThan.Value, 36000);
}

TEST_F(SearchFrameDescription, TenThousandResultsFillTheListAtOnce) {
    for (int id = 1; id <= 10000; ++id) store.rows.push_back(MakeCall(id, "2026-03-01", "08:00:00", id % 3, ""));
    frame->btnSearch->click();
    // No message loop in between: the list knows every row as soon as the search returns.
    EXPECT_EQ(frame->lvCalls->item_count(), 10000);
    EXPECT_EQ(ListView_GetItemCount(frame->lvCalls->handle()), 10000);
    EXPECT_EQ(frame->StatusText(), Gbk(u8"共找到 10000 条记录"));
    EXPECT_EQ(frame->statusBarSearch->simple_caption(), frame->StatusText());
    // The last row is made on demand from its record.
    frame->lvCalls->move_to(9999);
    window_test::pump(30);
    wchar_t caller[64] = {};
    ListView_GetItemText(frame->lvCalls->handle(), 9999, 5, caller, 64);
    EXPECT_EQ(plat::wide_to_gbk(caller), "075511000");
}

} // namespace
} // namespace station_search_test
