// The search view's frame: building, the main window's calls, the call list with its sorting,
// selection and row commands.
#include "station/forms/search/search_frame.h"

#include <algorithm>
#include <utility>

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

} // namespace

ui::ClassInfo& TSearchRecFrame::static_class() {
    static ui::ClassInfo info("TSearchRecFrame", &ui::Panel::static_class());
    return info;
}

TSearchRecFrame::TSearchRecFrame(ui::Component* owner, SearchFrameServices services)
    : ui::Panel(owner), s_(std::move(services)), calls_(s_.globals->Texts) {
    set_name("SearchRecFrame");
    set_bevel_outer(ui::TBevelCut::bvNone);
    BuildImages();
    BuildMenus();
    BuildConditionPanel();
    BuildListArea();
    BuildPlaybackPanel();
    NameComponents();
}

void TSearchRecFrame::NameComponents() {
    // Language files reach components by name only, and the export writes a key per named
    // component; the names are the member names, which are those of the view's description.
#define VQ_NAMED(member) {member, #member}
    const std::pair<ui::Component*, const char*> named[] = {
        VQ_NAMED(panelParam), VQ_NAMED(panelParamTop), VQ_NAMED(labelParamCaption), VQ_NAMED(btnClosePanelParam),
        VQ_NAMED(ScrollBoxLeft), VQ_NAMED(TimeButton), VQ_NAMED(labelFrom), VQ_NAMED(labelTo),
        VQ_NAMED(DTDateFrom), VQ_NAMED(DTDateTo), VQ_NAMED(DTTimeFrom), VQ_NAMED(DTTimeTo),
        VQ_NAMED(checkByCallerID), VQ_NAMED(editCallerID), VQ_NAMED(checkByDialed), VQ_NAMED(editDialed),
        VQ_NAMED(checkByAgent), VQ_NAMED(editAgent), VQ_NAMED(checkBySessionID), VQ_NAMED(editSessionID),
        VQ_NAMED(checkByNote), VQ_NAMED(editNote), VQ_NAMED(groupDirection), VQ_NAMED(checkByOut),
        VQ_NAMED(checkByIn), VQ_NAMED(checkByNoanswer), VQ_NAMED(checkLongerThan), VQ_NAMED(checkShorterThan),
        VQ_NAMED(btnMoreSearchOptions), VQ_NAMED(panelMoreSearchOptions), VQ_NAMED(checkRingLargerThan),
        VQ_NAMED(checkRingSmallerThan),
        {spinLongerThan.edit, "spinLongerThan"}, {spinShorterThan.edit, "spinShorterThan"},
        {spinRingLargerThan.edit, "spinRingLargerThan"}, {spinRingSmallerThan.edit, "spinRingSmallerThan"},
        VQ_NAMED(panelRight), VQ_NAMED(panelTop), VQ_NAMED(btnSearchParams), VQ_NAMED(btnSearch),
        VQ_NAMED(btnPlay2), VQ_NAMED(btnSave), VQ_NAMED(btnDel), VQ_NAMED(btnEditNote), VQ_NAMED(btnExport),
        VQ_NAMED(lvCalls), VQ_NAMED(statusBarSearch), VQ_NAMED(ImageList1), VQ_NAMED(HeaderImages),
        VQ_NAMED(panelPlay), VQ_NAMED(btnPrevious), VQ_NAMED(btnRewind), VQ_NAMED(btnPlay), VQ_NAMED(btnPause),
        VQ_NAMED(btnFastForward), VQ_NAMED(btnNext), VQ_NAMED(btnStop), VQ_NAMED(LEDDisplay),
        VQ_NAMED(btnChangeShowingTime), VQ_NAMED(TrackBar), VQ_NAMED(labelSpeed), VQ_NAMED(TrackBarSpeed),
        VQ_NAMED(btnSpeedRestore), VQ_NAMED(labelVolumn), VQ_NAMED(TrackBarVolume), VQ_NAMED(btnVolumeMute),
        VQ_NAMED(btnClosePanelPlay), VQ_NAMED(HiTimer1),
        VQ_NAMED(SearchFramePopupMenu), VQ_NAMED(NodePlay), VQ_NAMED(NodeFastForward), VQ_NAMED(NodeRewind),
        VQ_NAMED(NodeStop), VQ_NAMED(NodePrevious), VQ_NAMED(NodeNext), VQ_NAMED(NodeSaveAs), VQ_NAMED(NodeDel),
        VQ_NAMED(NodeExport), VQ_NAMED(NodeEditNotes), VQ_NAMED(NodeProperty), VQ_NAMED(NodeSelAll),
        VQ_NAMED(RightClickColumnPopupMenu), VQ_NAMED(NodeSortByColumn), VQ_NAMED(NodeSelColumn),
        VQ_NAMED(PopupMenuSelDate),
    };
#undef VQ_NAMED
    for (const auto& n : named) n.first->set_name(n.second);
}

TSearchRecFrame::~TSearchRecFrame() {
    if (s_.player) s_.player->SetStateListener(nullptr);
}

ui::Button* TSearchRecFrame::AddButton(ui::WinControl* parent, const std::string& caption, int x, int y, int w, int h,
                                       std::function<void()> click) {
    auto* b = new ui::Button(this);
    b->set_parent(parent);
    b->set_bounds(x, y, w, h);
    b->set_caption(caption);
    b->on_click = [click = std::move(click)](ui::Component*) { click(); };
    return b;
}

ui::MenuItem* TSearchRecFrame::AddItem(ui::PopupMenu* menu, const char* utf8, const char* shortcut,
                                       std::function<void()> click) {
    // Separators have no name for the language files to use; owned by the window they would
    // stand for the window itself there.
    const bool separator = std::string(utf8) == "-";
    auto* item = separator ? new ui::MenuItem(menu->items()) : new ui::MenuItem(this);
    item->set_caption(Gbk(utf8));
    if (shortcut) item->set_shortcut(ui::text_to_shortcut(shortcut).value_or(0));
    if (click) item->on_click = [click = std::move(click)](ui::Component*) { click(); };
    menu->items()->add(item);
    return item;
}

void TSearchRecFrame::BuildImages() {
    // Drawn here: the program carries no picture resources for the list.
    ImageList1 = new ui::ImageList(this);
    ui::Bitmap strip(16 * 6, 16);
    ui::Canvas& c = strip.canvas();
    c.brush().color = ui::clFuchsia;
    c.fill_rect({0, 0, 96, 16});
    const ui::TColor colours[] = {ui::clFuchsia, ui::clFuchsia, ui::rgb(0, 128, 0), ui::rgb(0, 64, 200),
                                  ui::rgb(200, 0, 0), ui::rgb(128, 128, 128)};
    for (int i = 2; i < 6; ++i) {
        c.brush().color = colours[i];
        c.pen().color = colours[i];
        c.ellipse(16 * i + 3, 3, 16 * i + 13, 13);
    }
    ImageList1->add_masked(strip, ui::clFuchsia);

    HeaderImages = new ui::ImageList(this);
    ui::Bitmap arrows(16 * 2, 16);
    ui::Canvas& a = arrows.canvas();
    a.brush().color = ui::clFuchsia;
    a.fill_rect({0, 0, 32, 16});
    a.brush().color = ui::clGray;
    a.pen().color = ui::clGray;
    a.polygon({{4, 11}, {12, 11}, {8, 5}});     // ascending
    a.polygon({{20, 5}, {28, 5}, {24, 11}});    // descending
    HeaderImages->add_masked(arrows, ui::clFuchsia);
}

void TSearchRecFrame::BuildMenus() {
    using station::SearchPeriod;
    PopupMenuSelDate = new ui::PopupMenu(this);
    const struct {
        const char* name;
        const char* caption;
        SearchPeriod period;
    } periods[] = {
        {"NodeToday", u8"今天", SearchPeriod::Today},
        {"NodeYesterday", u8"昨天", SearchPeriod::Yesterday},
        {"NodeThisWeek", u8"这星期", SearchPeriod::ThisWeek},
        {"NodeLastWeek", u8"上星期", SearchPeriod::LastWeek},
        {"NodeThisMonth", u8"这个月", SearchPeriod::ThisMonth},
        {"NodeLastMonth", u8"上个月", SearchPeriod::LastMonth},
        {"NodeThisQuarter", u8"这季度", SearchPeriod::ThisQuarter},
        {"NodeLastQuarter", u8"上季度", SearchPeriod::LastQuarter},
        {"NodeThisYear", u8"今年", SearchPeriod::ThisYear},
        {"NodeLastYear", u8"去年", SearchPeriod::LastYear},
    };
    for (const auto& p : periods) {
        const SearchPeriod period = p.period;
        const std::string caption = Gbk(p.caption);
        AddItem(PopupMenuSelDate, p.caption, nullptr, [this, period, caption] { ApplyPeriod(period, caption); })
            ->set_name(p.name);
    }
    AddItem(PopupMenuSelDate, u8"自定义时间", nullptr, [this] { NodeCustomClick(); })->set_name("NodeCustom");

    SearchFramePopupMenu = new ui::PopupMenu(this);
    SearchFramePopupMenu->on_popup = [this](ui::Component*) { SearchFramePopupMenuPopup(); };
    NodePlay = AddItem(SearchFramePopupMenu, u8"播放录音文件(&P)", "F9", [this] { ProcessPlay(false); });
    NodeFastForward = AddItem(SearchFramePopupMenu, u8"快进", nullptr, [this] { SkipPlayback(true); });
    NodeRewind = AddItem(SearchFramePopupMenu, u8"快退", nullptr, [this] { SkipPlayback(false); });
    NodeStop = AddItem(SearchFramePopupMenu, u8"停止播放(&T)", "Esc", [this] { btnStopClick(); });
    AddItem(SearchFramePopupMenu, "-", nullptr, nullptr);
    NodePrevious = AddItem(SearchFramePopupMenu, u8"上一条", nullptr, [this] { NodePreviousClick(); });
    NodeNext = AddItem(SearchFramePopupMenu, u8"下一条", nullptr, [this] { NodeNextClick(); });
    AddItem(SearchFramePopupMenu, "-", nullptr, nullptr);
    NodeSaveAs = AddItem(SearchFramePopupMenu, u8"录音文件另存为(&W)...", "Ctrl+W", [this] { NodeSaveAsClick(); });
    NodeDel = AddItem(SearchFramePopupMenu, u8"删除选中的记录和录音文件(&D)", "Shift+Del", [this] { NodeDelClick(); });
    NodeExport = AddItem(SearchFramePopupMenu, u8"导出选中的录音记录...", nullptr, [this] { NodeExportClick(); });
    AddItem(SearchFramePopupMenu, "-", nullptr, nullptr);
    NodeEditNotes = AddItem(SearchFramePopupMenu, u8"编辑呼叫记录的备注...", nullptr, [this] { NodeEditNotesClick(); });
    AddItem(SearchFramePopupMenu, "-", nullptr, nullptr);
    NodeProperty = AddItem(SearchFramePopupMenu, u8"属性(&R)", nullptr, [this] { NodePropertyClick(); });
    AddItem(SearchFramePopupMenu, "-", nullptr, nullptr);
    NodeSelAll = AddItem(SearchFramePopupMenu, u8"全部选定(&A)", "Ctrl+A", [this] { NodeSelAllClick(); });

    RightClickColumnPopupMenu = new ui::PopupMenu(this);
    NodeSortByColumn = AddItem(RightClickColumnPopupMenu, "", nullptr, [this] { NodeSortByColumnClick(); });
    AddItem(RightClickColumnPopupMenu, "-", nullptr, nullptr);
    // The column chooser belongs to the main window.
    NodeSelColumn = AddItem(RightClickColumnPopupMenu, u8"选择详细信息(&C)...", nullptr, [this] {
        if (s_.choose_columns) s_.choose_columns();
    });
}

void TSearchRecFrame::BuildListArea() {
    panelRight = new ui::Panel(this);
    panelRight->set_parent(this);
    panelRight->set_align(ui::TAlign::alClient);
    panelRight->set_bevel_outer(ui::TBevelCut::bvNone);

    panelTop = new ui::Panel(this);
    panelTop->set_parent(panelRight);
    panelTop->set_height(32);
    panelTop->set_align(ui::TAlign::alTop);
    int x = 4;
    auto tool = [&](const char* caption, const char* hint, int w, std::function<void()> click) {
        ui::Button* b = AddButton(panelTop, Gbk(caption), x, 4, w, 24, std::move(click));
        if (hint) {
            b->set_hint(Gbk(hint));
            b->set_show_hint(true);
        }
        x += w + 4;
        return b;
    };
    btnSearchParams = tool(u8"查询参数", nullptr, 72, [this] { btnSearchParamsClick(); });
    btnSearch = tool(u8"查询", nullptr, 60, [this] { btnSearchClick(); });
    btnPlay2 = tool(u8"播放", u8"播放选中的呼叫记录所带的录音文件", 60, [this] { ProcessPlay(true); });
    btnSave = tool(u8"另存为", u8"导出选中的录音文件", 60, [this] { NodeSaveAsClick(); });
    btnDel = tool(u8"删除", u8"删除选中的呼叫记录及所带的录音文件", 60, [this] { NodeDelClick(); });
    btnEditNote = tool(u8"备注", u8"编辑或查看选中记录的备注信息", 60, [this] { NodeEditNotesClick(); });
    btnExport = tool(u8"导出", u8"导出选中的呼叫记录", 60, [this] { NodeExportClick(); });

    statusBarSearch = new ui::StatusBar(this);
    statusBarSearch->set_parent(panelRight);
    statusBarSearch->set_align(ui::TAlign::alBottom);
    statusBarSearch->set_simple_panel(true);

    // Owner data: rows are made on demand from the records, so a result of many thousands
    // costs no list items.
    lvCalls = new ui::ListView(this);
    lvCalls->set_parent(panelRight);
    lvCalls->set_align(ui::TAlign::alClient);
    lvCalls->set_view_style(ui::TViewStyle::vsReport);
    lvCalls->set_owner_data(true);
    lvCalls->set_multi_select(true);
    lvCalls->set_row_select(true);
    lvCalls->set_read_only(true);
    lvCalls->set_hide_selection(false);
    lvCalls->set_small_images(ImageList1);
    lvCalls->set_header_images(HeaderImages);
    lvCalls->set_popup_menu(SearchFramePopupMenu);
    lvCalls->on_data = [this](ui::Component*, ui::ListItem* item) { lvCallsData(*item); };
    lvCalls->on_get_sub_item_image = [this](ui::Component*, ui::ListItem* item, int column, int& image) {
        image = Cell(item->index(), column).image;
    };
    lvCalls->on_column_click = [this](ui::Component*, ui::ListColumn* column) { lvCallsColumnClick(column->index(), true); };
    lvCalls->on_column_right_click = [this](ui::Component*, ui::ListColumn* column, POINT p) {
        lvCallsColumnRightClick(column->index(), p);
    };
    lvCalls->on_click = [this](ui::Component*) { lvCallsClick(); };
    lvCalls->on_change = [this](ui::Component*, ui::ListItem*, ui::TItemChange) { lvCallsClick(); };
    lvCalls->on_data_state_change = [this](ui::Component*, int, int, UINT, UINT) { lvCallsClick(); };
    lvCalls->on_dbl_click = [this](ui::Component*) { lvCallsDblClick(); };
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
    ApplyPeriod(station::SearchPeriod::Today, Gbk(u8"今天"));
    for (auto& link : condition_links_) {
        link.first->set_checked(false);
        ConditionChecked(link.first);
    }
    RebuildColumns();
    for (int c = 0; c < station::CallList::kSortSlots; ++c) calls_.SetSortAscending(c, true);
    for (ui::Button* b : {btnPlay2, btnSave, btnDel, btnEditNote, btnExport}) b->set_enabled(false);
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
    statusBarSearch->set_simple_text(text);
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
        for (ui::Button* b : {btnSave, btnDel, btnEditNote, btnExport}) b->set_enabled(false);
        if (stopped) {
            btnPlay2->set_enabled(false);
            btnPlay->set_enabled(false);
        }
        return;
    }
    for (ui::Button* b : {btnPlay2, btnSave, btnDel, btnEditNote, btnExport}) b->set_enabled(true);
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
