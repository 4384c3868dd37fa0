// The search view's frame: building, the main window's calls, the call list with its sorting,
// selection and row commands.
#include "station/forms/search/search_frame.h"

#include <algorithm>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "controls/register_control_set.h"
#include "platform/ui/win/application.h"
#include "station/core/call_cells.h"
#include "station/core/gbk_literal.h"

namespace forms {

using station::Gbk;

namespace {

ui::TAlignment Alignment(station::ColumnAlign align) {
    switch (align) {
    case station::ColumnAlign::Center: return ui::TAlignment::taCenter;
    case station::ColumnAlign::Right: return ui::TAlignment::taRightJustify;
    case station::ColumnAlign::Left: break;
    }
    return ui::TAlignment::taLeftJustify;
}

template <class T>
T* part(ui::Component& root, const char* name) {
    auto* c = dynamic_cast<T*>(root.find_component(name));
    if (!c) throw std::logic_error(std::string("the search view's description lacks ") + name);
    return c;
}

} // namespace

ui::ClassInfo& TSearchRecFrame::static_class() {
    static ui::ClassInfo info("TSearchRecFrame", &ui::Frame::static_class());
    return info;
}

TSearchRecFrame::TSearchRecFrame(ui::Component* owner, SearchFrameServices services)
    : ui::Frame(owner), s_(std::move(services)), calls_(s_.globals->Texts) {
    RegisterHandlers();
    load_resource(L"VQSEARCHFRAME");
    FindParts();
}

void TSearchRecFrame::RegisterHandlers() {
    using station::SearchPeriod;
    const auto notify = [this](const char* name, std::function<void()> fn) {
        register_method(name, ui::NotifyEvent([fn = std::move(fn)](ui::Component*) { fn(); }));
    };
    const struct {
        const char* handler;
        const char* caption;
        SearchPeriod period;
    } periods[] = {
        {"NodeTodayClick", u8"今天", SearchPeriod::Today},
        {"NodeYesterdayClick", u8"昨天", SearchPeriod::Yesterday},
        {"NodeThisWeekClick", u8"这星期", SearchPeriod::ThisWeek},
        {"NodeLastWeekClick", u8"上星期", SearchPeriod::LastWeek},
        {"NodeThisMonthClick", u8"这个月", SearchPeriod::ThisMonth},
        {"NodeLastMonthClick", u8"上个月", SearchPeriod::LastMonth},
        {"NodeThisQuarterClick", u8"这季度", SearchPeriod::ThisQuarter},
        {"NodeLastQuarterClick", u8"上季度", SearchPeriod::LastQuarter},
        {"NodeThisYearClick", u8"今年", SearchPeriod::ThisYear},
        {"NodeLastYearClick", u8"去年", SearchPeriod::LastYear},
    };
    for (const auto& p : periods) {
        const SearchPeriod period = p.period;
        const std::string fallback = Gbk(p.caption);
        // The item's caption, as a language file may have changed it.
        register_method(p.handler, ui::NotifyEvent([this, period, fallback](ui::Component* sender) {
            auto* item = dynamic_cast<ui::MenuItem*>(sender);
            ApplyPeriod(period, item ? item->caption() : fallback);
        }));
    }
    notify("NodeCustomClick", [this] { NodeCustomClick(); });
    notify("btnClosePanelParamClick", [this] { btnClosePanelParamClick(); });
    notify("btnSearchParamsClick", [this] { btnSearchParamsClick(); });
    for (const char* name : {"checkByCallerIDClick", "checkByDialedClick", "checkByAgentClick", "checkBySessionIDClick",
                             "checkByNoteClick", "checkLongerThanClick", "checkShorterThanClick",
                             "checkRingLargerThanClick", "checkRingSmallerThanClick"}) {
        register_method(name, ui::NotifyEvent([this](ui::Component* sender) {
            if (auto* box = dynamic_cast<ec::TEcCheckBox*>(sender)) ConditionChecked(box);
        }));
    }
    notify("btnMoreSearchOptionsClick", [this] { btnMoreSearchOptionsClick(); });
    notify("btnSearchClick", [this] { btnSearchClick(); });
    // A control's command stops a playing call; the menu's F9 restarts with the selection.
    notify("btnPlay2Click", [this] { ProcessPlay(true); });
    notify("NodePlayClick", [this] { ProcessPlay(false); });
    notify("btnDelClick", [this] { NodeDelClick(); });
    notify("NodeDelClick", [this] { NodeDelClick(); });
    notify("NodeSaveAsClick", [this] { NodeSaveAsClick(); });
    notify("NodeEditNotesClick", [this] { NodeEditNotesClick(); });
    notify("NodeExportClick", [this] { NodeExportClick(); });
    notify("NodePropertyClick", [this] { NodePropertyClick(); });
    notify("NodePreviousClick", [this] { NodePreviousClick(); });
    notify("NodeNextClick", [this] { NodeNextClick(); });
    notify("NodeSelAllClick", [this] { NodeSelAllClick(); });
    notify("NodeSortByColumnClick", [this] { NodeSortByColumnClick(); });
    // The column chooser belongs to the main window.
    notify("NodeSelColumnClick", [this] {
        if (s_.choose_columns) s_.choose_columns();
    });
    notify("SearchFramePopupMenuPopup", [this] { SearchFramePopupMenuPopup(); });
    register_method("lvCallsData", ui::LVNotifyEvent([this](ui::Component*, ui::ListItem* item) { lvCallsData(*item); }));
    register_method("lvCallsGetSubItemImage",
                    ui::LVSubItemImageEvent([this](ui::Component*, ui::ListItem* item, int column, int& image) {
                        image = Cell(item->index(), column).image;
                    }));
    register_method("lvCallsColumnClick", ui::LVColumnClickEvent([this](ui::Component*, ui::ListColumn* column) {
        lvCallsColumnClick(column->index(), true);
    }));
    register_method("lvCallsColumnRightClick",
                    ui::LVColumnRightClickEvent([this](ui::Component*, ui::ListColumn* column, POINT p) {
                        lvCallsColumnRightClick(column->index(), p);
                    }));
    notify("lvCallsClick", [this] { lvCallsClick(); });
    register_method("lvCallsChange",
                    ui::LVChangeEvent([this](ui::Component*, ui::ListItem*, ui::TItemChange) { lvCallsClick(); }));
    register_method("lvCallsDataStateChange",
                    ui::LVDataStateChangeEvent([this](ui::Component*, int, int, UINT, UINT) { lvCallsClick(); }));
    notify("lvCallsDblClick", [this] { lvCallsDblClick(); });
    // Playback.
    notify("btnPlayClick", [this] { btnPlayClick(); });
    notify("btnPauseClick", [this] { btnPauseClick(); });
    notify("btnStopClick", [this] { btnStopClick(); });
    notify("NodeStopClick", [this] { btnStopClick(); });
    notify("btnFastForwardClick", [this] { SkipPlayback(true); });
    notify("NodeFastForwardClick", [this] { SkipPlayback(true); });
    notify("btnRewindClick", [this] { SkipPlayback(false); });
    notify("NodeRewindClick", [this] { SkipPlayback(false); });
    notify("btnNextClick", [this] { btnNextClick(); });
    notify("btnPreviousClick", [this] { btnPreviousClick(); });
    notify("HiTimer1Timer", [this] { HiTimer1Timer(); });
    notify("TrackBarChange", [this] { TrackBarChange(); });
    const auto mouse = [this](const char* name, std::function<void()> fn) {
        register_method(name, ui::MouseEvent([fn = std::move(fn)](ui::Component*, ui::TMouseButton, ui::TShiftState,
                                                                    int, int) { fn(); }));
    };
    mouse("TrackBarMouseDown", [this] { TrackBarMouseDown(); });
    mouse("TrackBarMouseUp", [this] { TrackBarMouseUp(); });
    notify("TrackBarSpeedChange", [this] { TrackBarSpeedChange(); });
    notify("btnSpeedRestoreClick", [this] { btnSpeedRestoreClick(); });
    notify("TrackBarVolumeChange", [this] { TrackBarVolumeChange(); });
    notify("TrackBarVolumeEnter", [this] { TrackBarVolumeEnter(); });
    // Only the mouse moves the volume: keys reach the bar as a code it ignores.
    register_method("TrackBarVolumeKeyDown", ui::KeyEvent([](ui::Component*, WORD& key, ui::TShiftState) { key = 1; }));
    register_method("TrackBarVolumeKeyPress", ui::KeyPressEvent([](ui::Component*, wchar_t& key) { key = L'1'; }));
    notify("btnVolumeMuteClick", [this] { btnVolumeMuteClick(); });
    notify("btnChangeShowingTimeClick", [this] { btnChangeShowingTimeClick(); });
    notify("btnClosePanelPlayClick", [this] { btnClosePanelPlayClick(); });
}

void TSearchRecFrame::FindParts() {
#define VQ_PART(member) member = part<std::remove_pointer_t<decltype(member)>>(*this, #member)
    VQ_PART(panelParam);
    VQ_PART(panelParamTop);
    VQ_PART(panelMoreSearchOptions);
    VQ_PART(panelRight);
    VQ_PART(panelTop);
    VQ_PART(panelPlay);
    VQ_PART(panelPlayClose);
    VQ_PART(ScrollBoxLeft);
    VQ_PART(labelParamCaption);
    VQ_PART(labelFrom);
    VQ_PART(labelTo);
    VQ_PART(labelSpeed);
    VQ_PART(labelVolumn);
    VQ_PART(btnClosePanelParam);
    VQ_PART(TimeButton);
    VQ_PART(btnMoreSearchOptions);
    VQ_PART(DTDateFrom);
    VQ_PART(DTDateTo);
    VQ_PART(DTTimeFrom);
    VQ_PART(DTTimeTo);
    VQ_PART(checkByCallerID);
    VQ_PART(checkByDialed);
    VQ_PART(checkByAgent);
    VQ_PART(checkBySessionID);
    VQ_PART(checkByNote);
    VQ_PART(editCallerID);
    VQ_PART(editDialed);
    VQ_PART(editAgent);
    VQ_PART(editSessionID);
    VQ_PART(editNote);
    VQ_PART(groupDirection);
    VQ_PART(checkByOut);
    VQ_PART(checkByIn);
    VQ_PART(checkByNoanswer);
    VQ_PART(checkLongerThan);
    VQ_PART(checkShorterThan);
    VQ_PART(checkRingLargerThan);
    VQ_PART(checkRingSmallerThan);
    VQ_PART(spinLongerThan);
    VQ_PART(spinShorterThan);
    VQ_PART(spinRingLargerThan);
    VQ_PART(spinRingSmallerThan);
    VQ_PART(btnSearchParams);
    VQ_PART(btnSearch);
    VQ_PART(btnPlay2);
    VQ_PART(btnSave);
    VQ_PART(btnDel);
    VQ_PART(btnEditNote);
    VQ_PART(btnExport);
    VQ_PART(lvCalls);
    VQ_PART(statusBarSearch);
    VQ_PART(btnPrevious);
    VQ_PART(btnRewind);
    VQ_PART(btnPlay);
    VQ_PART(btnPause);
    VQ_PART(btnFastForward);
    VQ_PART(btnNext);
    VQ_PART(btnStop);
    VQ_PART(LEDDisplay);
    VQ_PART(btnChangeShowingTime);
    VQ_PART(btnSpeedRestore);
    VQ_PART(btnVolumeMute);
    VQ_PART(btnClosePanelPlay);
    VQ_PART(TrackBar);
    VQ_PART(TrackBarSpeed);
    VQ_PART(TrackBarVolume);
    VQ_PART(HiTimer1);
    VQ_PART(ImageList1);
    VQ_PART(ImageList2);
    VQ_PART(SearchFramePopupMenu);
    VQ_PART(RightClickColumnPopupMenu);
    VQ_PART(PopupMenuSelDate);
    VQ_PART(NodePlay);
    VQ_PART(NodeFastForward);
    VQ_PART(NodeRewind);
    VQ_PART(NodeStop);
    VQ_PART(NodePrevious);
    VQ_PART(NodeNext);
    VQ_PART(NodeSaveAs);
    VQ_PART(NodeDel);
    VQ_PART(NodeExport);
    VQ_PART(NodeEditNotes);
    VQ_PART(NodeProperty);
    VQ_PART(NodeSelAll);
    VQ_PART(NodeSortByColumn);
    VQ_PART(NodeSelColumn);
    VQ_PART(EcSendMessage1);
#undef VQ_PART
    // The header shows the sort arrows, the first two pictures of the call list's images.
    lvCalls->set_header_images(ImageList1);
    condition_links_ = {
        {checkByCallerID, editCallerID}, {checkByDialed, editDialed}, {checkByAgent, editAgent},
        {checkBySessionID, editSessionID}, {checkByNote, editNote}, {checkLongerThan, spinLongerThan},
        {checkShorterThan, spinShorterThan}, {checkRingLargerThan, spinRingLargerThan},
        {checkRingSmallerThan, spinRingSmallerThan},
    };
}

TSearchRecFrame::~TSearchRecFrame() {
    if (s_.player) s_.player->SetStateListener(nullptr);
}

station::ListCell TSearchRecFrame::Cell(int row, int column) {
    std::lock_guard<std::mutex> guard(calls_.Lock());
    if (row < 0 || row >= calls_.Count() || column < 0 || column >= ColumnCount()) return station::ListCell{};
    return station::CallListCell(ColumnKey(column), calls_.Records()[static_cast<std::size_t>(row)], s_.globals->Texts);
}

void TSearchRecFrame::lvCallsData(ui::ListItem& item) {
    const int row = item.index();
    if (ColumnCount() == 0) return;
    const station::ListCell first = Cell(row, 0);
    item.set_caption(first.text);
    item.set_image_index(first.image);
    for (int c = 1; c < ColumnCount(); ++c) item.sub_items().add(Cell(row, c).text);
}

int TSearchRecFrame::ColumnCount() const { return lvCalls->columns().count(); }

const std::string& TSearchRecFrame::ColumnKey(int column) const {
    static const std::string none;
    const auto& info = s_.globals->ColumnsInfo;
    if (column < 0 || column >= std::min(info.VisibleCount, station::kColumnCount)) return none;
    return info.VisibleColumns[static_cast<std::size_t>(column)].Key;
}

void TSearchRecFrame::InitFrame() {
    panelMoreSearchOptions->hide();
    ScrollBoxLeft->scroll_to(0);
    ApplyPeriod(station::SearchPeriod::Today, Gbk(u8"今天"));
    for (auto& link : condition_links_) {
        link.first->set_checked(false);
        ConditionChecked(link.first);
    }
    RebuildColumns();
    for (int c = 0; c < station::CallList::kSortSlots; ++c) calls_.SetSortAscending(c, true);
    for (ec::TEcToolButton* b : {btnPlay2, btnSave, btnDel, btnEditNote, btnExport}) b->set_enabled(false);
    panelPlay->hide();
    btnSearchParams->set_enabled(false);
    FRightClickColumn = -1;
    FUnknownText = Text("Msg.Unknown");
    TimeButton->set_caption(Gbk(u8"选择日期和时间"));
    PlaybackTexts();
    FVolumeAvailable = s_.volume_available && s_.volume != nullptr;
    if (!FVolumeAvailable) {
        TrackBarVolume->set_enabled(false);
        TrackBarVolume->hide();
        btnVolumeMute->hide();
        labelVolumn->hide();
    } else {
        LoadVolumeState();
    }
    if (s_.player) s_.player->SetStateListener([this](plat::media::PlayState st) { WMediaPlayerStatusChange(st); });
}

void TSearchRecFrame::FirstShow() {
    if (FFirstShown) return;
    FFirstShown = true;
    lvCalls->set_width(lvCalls->width() + 1);
}

void TSearchRecFrame::DoneFrame() {
    HiTimer1->set_enabled(false);
    if (s_.player) s_.player->SetStateListener(nullptr);
    lvCalls->set_item_count(0);
    calls_.Clear();
}

void TSearchRecFrame::RebuildColumns() {
    lvCalls->set_item_count(0);
    SetStatus("");
    const auto& info = s_.globals->ColumnsInfo;
    auto& columns = lvCalls->columns();
    columns.begin_update();
    columns.clear();
    for (int c = 0; c < std::min(info.VisibleCount, station::kColumnCount); ++c) {
        const station::AColumnInfo& col = info.VisibleColumns[static_cast<std::size_t>(c)];
        ui::ListColumn* column = columns.add_item();
        column->set_caption(col.Caption);
        column->set_width(col.Width);
        column->set_alignment(Alignment(station::ColumnAlignment(col.Key)));
    }
    columns.end_update();
    lvCalls->redraw_rows();
}

void TSearchRecFrame::ApplyColumnWidths() {
    const auto& info = s_.globals->ColumnsInfo;
    for (int c = 0; c < std::min(ColumnCount(), info.VisibleCount); ++c)
        lvCalls->column(c)->set_width(info.VisibleColumns[static_cast<std::size_t>(c)].Width);
}

void TSearchRecFrame::ApplyLanguage() {
    const auto& info = s_.globals->ColumnsInfo;
    for (int c = 0; c < std::min(ColumnCount(), info.VisibleCount); ++c)
        lvCalls->column(c)->set_caption( info.VisibleColumns[static_cast<std::size_t>(c)].Caption);
    calls_.SetStatusFormat(s_.globals->Texts.Get("Msg.TotalRecord"));
    SetStatus(calls_.StatusText());
    PlaybackTexts();
    FUnknownText = Text("Msg.Unknown");
}

std::string TSearchRecFrame::Text(const char* key) const { return station::SearchViewText(key, s_.language); }

void TSearchRecFrame::SetStatus(const std::string& text) {
    status_text_ = text;
    statusBarSearch->set_simple_caption(text);
}

void TSearchRecFrame::btnSearchClick() {
    ui::HourGlass hourglass;
    lvCalls->clear_selection();
    lvCalls->set_item_count(0);
    calls_.Search(*s_.store, CurrentConditions());
    // Written also when the database could not be opened: the empty list shows 0.
    SetStatus(calls_.StatusText());
    lvCalls->set_item_count(calls_.Count());
    lvCalls->redraw_rows();
    lvCallsClick();
}

void TSearchRecFrame::lvCallsColumnClick(int column, bool from_click) {
    if (column < 0 || column >= ColumnCount()) return;
    ui::HourGlass hourglass;
    const bool ascending = calls_.SortByColumn(column, ColumnKey(column), from_click);
    for (int q = 0; q < ColumnCount(); ++q) {
        lvCalls->column(q)->set_header_image(station::ColumnShowsSortArrow(ColumnKey(q)) ? station::SortHeaderImage(q, column, ascending) : -1);
    }
    s_.globals->SortAscending = ascending;
    if (s_.sort_menu_checked) s_.sort_menu_checked(column, ascending);
    lvCalls->redraw_rows();
}

void TSearchRecFrame::SortFromMenu(int column, bool ascending) {
    calls_.SetSortAscending(column, ascending);
    lvCallsColumnClick(column, false);
}

void TSearchRecFrame::lvCallsColumnRightClick(int column, POINT list_point) {
    NodeSortByColumn->set_caption(Gbk(u8"按“") + ColumnKey(column) + Gbk(u8"”排序(&S)"));
    FRightClickColumn = column;
    const POINT p = lvCalls->client_to_screen(POINT{list_point.x + 2, list_point.y + 2});
    RightClickColumnPopupMenu->popup(p.x, p.y);
}

void TSearchRecFrame::NodeSortByColumnClick() { lvCallsColumnClick(FRightClickColumn, true); }

bool TSearchRecFrame::PlayerStopped() const {
    if (!s_.player) return true;
    const auto st = s_.player->State();
    return st == plat::media::PlayState::Stopped || st == plat::media::PlayState::Undefined;
}

void TSearchRecFrame::lvCallsClick() {
    const int first = lvCalls->selected_index();
    const bool stopped = PlayerStopped();
    if (first < 0) {
        for (ec::TEcToolButton* b : {btnSave, btnDel, btnEditNote, btnExport}) b->set_enabled(false);
        if (stopped) {
            btnPlay2->set_enabled(false);
            btnPlay->set_enabled(false);
        }
        return;
    }
    for (ec::TEcToolButton* b : {btnPlay2, btnSave, btnDel, btnEditNote, btnExport}) b->set_enabled(true);
    bool missed = false;
    {
        std::lock_guard<std::mutex> guard(calls_.Lock());
        missed = first < calls_.Count() && calls_.Records()[static_cast<std::size_t>(first)].CallType == station::kCallTypeMissed;
    }
    const bool playing = s_.player && s_.player->State() == plat::media::PlayState::Playing;
    if (missed && !playing) btnPlay2->set_enabled(false);
    if (stopped) btnPlay->set_enabled(true);
}

void TSearchRecFrame::lvCallsDblClick() {
    if (btnPlay2->enabled()) ProcessPlay(true);
}

void TSearchRecFrame::SearchFramePopupMenuPopup() {
    const int first = lvCalls->selected_index();
    bool missed = false;
    if (first >= 0) {
        std::lock_guard<std::mutex> guard(calls_.Lock());
        missed = first < calls_.Count() && calls_.Records()[static_cast<std::size_t>(first)].CallType == station::kCallTypeMissed;
    }
    for (ui::MenuItem* m : {NodeDel, NodePrevious, NodeNext, NodeProperty, NodeEditNotes}) m->set_enabled(first >= 0);
    for (ui::MenuItem* m : {NodePlay, NodeSaveAs}) m->set_enabled(first >= 0 && !missed);
    if (lvCalls->focused() && lvCalls->focused_row() >= 0) {
        NodePrevious->set_enabled(true);
        NodeNext->set_enabled(true);
    }
}

void TSearchRecFrame::NodePreviousClick() {
    const int selected = lvCalls->selected_index();
    if (selected >= 0) {
        if (selected == 0) return;
        lvCalls->set_row_selected(selected, false);
        lvCalls->move_to(selected - 1);
    } else if (lvCalls->focused_row() >= 0) {
        lvCalls->move_to(std::max(0, lvCalls->focused_row() - 1));
    }
}

void TSearchRecFrame::NodeNextClick() {
    const int selected = lvCalls->selected_index();
    const int last = lvCalls->item_count() - 1;
    if (selected >= 0) {
        if (selected >= last) return;
        lvCalls->set_row_selected(selected, false);
        lvCalls->move_to(selected + 1);
    } else if (lvCalls->focused_row() >= 0) {
        lvCalls->move_to(std::min(last, lvCalls->focused_row() + 1));
    }
}

void TSearchRecFrame::NodeSelAllClick() { lvCalls->select_all(); }

TSearchRecFrame* CreateSearchFrame(ui::WinControl* page, SearchFrameServices services) {
    // The description names classes of the layer and of the control set; registering again
    // changes nothing.
    ui::register_control_classes();
    ec::register_control_set_classes();
    services.volume_available = services.volume_available && VolumeControlAvailable();
    auto* frame = new TSearchRecFrame(page, std::move(services));
    frame->set_parent(page);
    frame->set_align(ui::TAlign::alClient);
    frame->InitFrame();
    return frame;
}

bool VolumeControlAvailable() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool known = GetVersionExW(&info) != FALSE;
#pragma GCC diagnostic pop
    return !(known && info.dwMajorVersion == 5 && info.dwMinorVersion == 2);
}

} // namespace forms
