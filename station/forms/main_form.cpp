#include "station/forms/main_form.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <stdexcept>

#include "platform/files.h"
#include "platform/ui/win/application.h"
#include "station/core/database/database_start_report.h"
#include "station/core/gbk_literal.h"
#include "station/core/language_texts.h"
#include "station/core/system_language.h"
#include "station/forms/resource_ids.h"
#include "station/forms/sort_menu.h"
#include "station/forms/station_database_settings.h"

namespace forms {

using station::Gbk;

ui::ClassInfo& TMainForm::static_class() {
    static ui::ClassInfo info("TMainForm", &ui::Form::static_class());
    return info;
}

TMainForm::TMainForm(station::StationGlobals& globals, station::ITransferLibrary& library, std::string exe_path,
                     std::string first_argument)
    : ui::Form(nullptr), g_(globals), library_(library), exe_path_(std::move(exe_path)),
      first_argument_(std::move(first_argument)) {
    set_name("MainForm");
    set_caption(Gbk(u8"FTP下载终端 - BRELDOX"));
    set_bounds(0, 0, 927, 659);
    set_position(ui::TPosition::poScreenCenter);
    CreateControls();
    CreateMenus();
    CreateSkin();
    CreateTrayIcon();

    fetch_ = std::make_unique<FetchSwitch>(
        *this, g_.Texts, [this] { if (engine_) engine_->StartFetching(); },
        [this] { if (engine_) engine_->StopFetching(); });

    on_show = [this](ui::Component*) { FormShow(); };
    on_close_query = [this](ui::Component*, bool& can_close) {
        can_close = FSessionEnding;
        if (!can_close) HideToTray();
    };
    on_message(WM_QUERYENDSESSION, [this](ui::Message& m) {
        FSessionEnding = true;
        m.result = 1;
    });
    // After this answer the system may end the process at once: everything is saved first.
    on_message(WM_ENDSESSION, [this](ui::Message& m) {
        m.result = 0;
        if (m.wparam == 0) return;
        FormDestroy();
        ui::application().terminate();
    });
    // Before any of the menu bar's lists opens: a language file added meanwhile is offered.
    on_message(WM_INITMENU, [this](ui::Message& m) {
        m.result = 0;
        if (reinterpret_cast<HMENU>(m.wparam) == MainMenu->handle()) RefreshLanguageMenu();
    });
    on_message(WM_RESTOREFROMTRAY, [this](ui::Message& m) {
        m.result = 0;
        TrayIconMain->restore_app();
    });
}

TMainForm::~TMainForm() {
    FormDestroy();
    // Timers and the tray go before the engine they call.
    release_owned();
}

ui::ToolButton* TMainForm::ToolButton(ui::ToolBar* bar, const char* name, const char* caption, int image) {
    auto* b = new ui::ToolButton(this);
    b->set_name(name);
    b->set_caption(Gbk(caption));
    b->set_image_index(image);
    b->set_parent(bar);
    return b;
}

void TMainForm::CreateControls() {
    auto panel = [this](const char* name, ui::WinControl* parent, ui::TAlign align, int size) {
        auto* p = new ui::Panel(this);
        p->set_name(name);
        p->set_bevel_outer(ui::TBevelCut::bvNone);
        p->set_align(align);
        if (align == ui::TAlign::alTop || align == ui::TAlign::alBottom) p->set_height(size);
        if (align == ui::TAlign::alLeft) p->set_width(size);
        p->set_parent(parent);
        return p;
    };
    // The lists copy the icons; the loaded ones go at once.
    auto image_list = [this](const char* name, int size, int first_icon, int count) {
        auto* list = new ui::ImageList(this);
        list->set_name(name);
        list->set_width(size);
        list->set_height(size);
        for (int id = first_icon; id < first_icon + count; ++id) {
            ui::Icon icon(static_cast<HICON>(
                LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
            if (icon.get()) list->add_icon(icon.get());
        }
        return list;
    };
    ImageList_large = image_list("ImageList_large", 32, VQ_ICON_LARGE_FIRST, VQ_ICON_LARGE_COUNT);
    ImageList_Small = image_list("ImageList_Small", 16, VQ_ICON_SMALL_FIRST, VQ_ICON_SMALL_COUNT);
    ImageListTrayAnimate = image_list("ImageListTrayAnimate", 16, VQ_ICON_TRAY_FIRST, VQ_ICON_TRAY_COUNT);
    auto tool_bar = [this](const char* name, ui::WinControl* parent, int width, int height) {
        auto* bar = new ui::ToolBar(this);
        bar->set_name(name);
        bar->set_align(ui::TAlign::alClient);
        bar->set_images(ImageList_large);
        bar->set_show_captions(true);
        bar->set_flat(true);
        bar->set_button_width(width);
        bar->set_button_height(height);
        bar->set_parent(parent);
        return bar;
    };

    panelToolBar = panel("panelToolBar", this, ui::TAlign::alTop, 66);
    EcToolbar1 = tool_bar("EcToolbar1", panelToolBar, 60, 60);
    btnStartStop = ToolButton(EcToolbar1, "btnStartStop", u8"启动FTP", 0);
    btnSettings = ToolButton(EcToolbar1, "btnSettings", u8"系统设置", 2);
    btnClose = ToolButton(EcToolbar1, "btnClose", u8"退出", 3);
    btnExportPro = ToolButton(EcToolbar1, "btnExportPro", "Export", -1);
    btnExportPro->set_visible(false);

    statusBarMain = new ui::StatusBar(this);
    statusBarMain->set_name("statusBarMain");
    statusBarMain->set_align(ui::TAlign::alBottom);
    statusBarMain->set_parent(this);
    panelLog = panel("panelLog", this, ui::TAlign::alBottom, 128);
    listLog = new ui::ListBox(this);
    listLog->set_name("listLog");
    listLog->set_align(ui::TAlign::alClient);
    listLog->set_color(ui::clBtnFace);
    listLog->set_item_height(13);
    listLog->set_parent(panelLog);

    panelMiddle = panel("panelMiddle", this, ui::TAlign::alClient, 0);
    panelLeftMenu = panel("panelLeftMenu", panelMiddle, ui::TAlign::alLeft, 85);
    EcPanel1 = panel("EcPanel1", panelLeftMenu, ui::TAlign::alTop, 22);
    labelLeftMenu = new ui::Label(this);
    labelLeftMenu->set_name("labelLeftMenu");
    labelLeftMenu->set_caption(Gbk(u8"主菜单"));
    labelLeftMenu->set_bounds(6, 4, 70, 13);
    labelLeftMenu->set_parent(EcPanel1);
    toolBarLeftMenu = tool_bar("toolBarLeftMenu", panelLeftMenu, 64, 60);
    btnFtpState = ToolButton(toolBarLeftMenu, "btnFtpState", u8"状态", 4);
    btnQuery = ToolButton(toolBarLeftMenu, "btnQuery", u8"查询", 5);
    for (ui::ToolButton* b : {btnFtpState, btnQuery}) {
        b->set_style(ui::TToolButtonStyle::tbsCheck);
        b->set_grouped(true);
        b->set_wrap(true);  // one above the other
    }

    panelWork = panel("panelWork", panelMiddle, ui::TAlign::alClient, 0);
    pgcWorkArea = new ui::PageControl(this);
    pgcWorkArea->set_name("pgcWorkArea");
    pgcWorkArea->set_align(ui::TAlign::alClient);
    pgcWorkArea->set_parent(panelWork);
    auto page = [this](const char* name) {
        auto* sheet = new ui::TabSheet(this);
        sheet->set_name(name);
        sheet->set_page_control(pgcWorkArea);
        sheet->set_tab_visible(false);
        return sheet;
    };
    tabFTPState = page("tabFTPState");
    tabQuery = page("tabQuery");

    auto timer = [this](const char* name, unsigned interval, bool enabled, std::function<void()> tick) {
        auto* t = new ui::Timer(this);
        t->set_name(name);
        t->set_interval(interval);
        t->set_enabled(enabled);
        t->on_timer = [tick = std::move(tick)](ui::Component*) { tick(); };
        return t;
    };
    MainTimer = timer("MainTimer", 100, false, [this] {
        if (engine_) engine_->OnMainTimer();
        if (database_) database_->StorePendingRows();
    });
    ExtraTimer = timer("ExtraTimer", 100, false, [this] { ExtraTimerTimer(); });
    AnimateTimer = timer("AnimateTimer", 1000, false, [this] { AnimateTimerTimer(); });
    SyncTimer = timer("SyncTimer", 60000, true, [this] { if (engine_) engine_->OnSyncTimer(); });

    btnStartStop->on_click = [this](ui::Component*) { btnStartStopClick(); };
    btnClose->on_click = [this](ui::Component*) { btnCloseClick(); };
    btnSettings->on_click = [this](ui::Component*) { if (Views) Views->OpenSettings(); };
    btnExportPro->on_click = [this](ui::Component*) { btnExportProClick(); };
    btnFtpState->on_click = [this](ui::Component*) { actFTPStateExecute(); };
    btnQuery->on_click = [this](ui::Component*) { actQueryExecute(); };
}

// The skin component the main window carries, with its stored settings and the default skin as
// its stored skin (the program's resource VQ_SKIN_STORED holds the archive's stored bytes).
void TMainForm::CreateSkin() {
    using CT = skin::TSkinControlType;
    SkinData1 = new skin::TSkinData(this);
    SkinData1->set_name("SkinData1");
    SkinData1->SetActive(true);
    SkinData1->SetOptions({skin::TSkinOption::xoPreview, skin::TSkinOption::xoToolbarBK});
    SkinData1->SetSkinControls({CT::xcMainMenu, CT::xcPopupMenu, CT::xcToolbar, CT::xcControlbar, CT::xcCombo,
                                CT::xcProgress, CT::xcScrollbar, CT::xcEdit, CT::xcButton, CT::xcBitBtn,
                                CT::xcSpeedButton, CT::xcPanel, CT::xcGroupBox, CT::xcStatusBar, CT::xcTab,
                                CT::xcTrackBar, CT::xcSystemMenu});
    HMODULE module = GetModuleHandleW(nullptr);
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VQ_SKIN_STORED), MAKEINTRESOURCEW(10) /* RT_RCDATA */)) {
        const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
        if (bytes) SkinData1->SetStoredArchive(std::vector<std::uint8_t>(bytes, bytes + SizeofResource(module, found)));
    }
    static_cast<ui::Component*>(SkinData1)->loaded();
}

void TMainForm::CreateTrayIcon() {
    TrayIconMain = new ec::TEcTrayIcon(this);
    TrayIconMain->set_name("TrayIconMain");
    TrayIconMain->set_hint(Gbk(u8"BRELDOXFTP下载终端"));
    TrayIconMain->set_popup_menu(PopupMenuTrayIcon);
    TrayIconMain->set_icons(ImageListTrayAnimate);
    TrayIconMain->set_interval(800);
    TrayIconMain->set_hide_on_minimize(false);
    TrayIconMain->loaded();
}

ui::MenuItem* TMainForm::Item(ui::MenuItem* parent, const char* name, const char* caption) {
    auto* item = new ui::MenuItem(this);
    item->set_name(name);
    item->set_caption(Gbk(caption));
    parent->add(item);
    return item;
}

void TMainForm::CreateMenus() {
    MainMenu = new ui::MainMenu(this);
    MainMenu->set_name("MainMenu");
    ui::MenuItem* root = MainMenu->items();
    NodeFile = Item(root, "NodeFile", u8"文件(&F)");
    NodeClose = Item(NodeFile, "NodeClose", u8"退出");
    NodeClose->set_shortcut(ui::shortcut(VK_F4, ui::scAlt));
    NodeView = Item(root, "NodeView", u8"查看(&V)");
    NodeColumns = Item(NodeView, "NodeColumns", u8"选择详细信息(&C) ...");
    NodeSortColumn = Item(NodeView, "NodeSortColumn", u8"排列方式(&T)");
    N3 = Item(NodeView, "N3", "-");
    NodeLogFiles = Item(NodeView, "NodeLogFiles", u8"系统日志(&L)  ...");
    NodeLogPanel = Item(NodeView, "NodeLogPanel", u8"日志窗体");
    NodeLogPanel->set_checked(true);
    NodeSettings = Item(root, "NodeSettings", u8"设置(&S)");
    NodeSysSettings = Item(NodeSettings, "NodeSysSettings", u8"参数设置 ...");
    N4 = Item(NodeSettings, "N4", "-");
    NodeLanguage = Item(NodeSettings, "NodeLanguage", u8"语言(&L)");
    NodeHelp = Item(root, "NodeHelp", u8"帮助(&H)");
    NodeHelp->set_visible(false);
    set_menu(MainMenu);

    NodeClose->on_click = [this](ui::Component*) { btnCloseClick(); };
    NodeColumns->on_click = [this](ui::Component*) { if (Views) Views->OpenColumns(); };
    NodeLogFiles->on_click = [this](ui::Component*) { if (Views) Views->OpenLogViewer(); };
    NodeLogPanel->on_click = [this](ui::Component*) { NodeLogPanelClick(); };
    NodeSysSettings->on_click = [this](ui::Component*) { if (Views) Views->OpenSettings(); };

    PopupMenuTrayIcon = new ui::PopupMenu(this);
    PopupMenuTrayIcon->set_name("PopupMenuTrayIcon");
    ui::MenuItem* tray_root = PopupMenuTrayIcon->items();
    TrayNodeOpen = Item(tray_root, "TrayNodeOpen", u8"显示界面");
    Item(tray_root, "N1", "-");
    TrayNodeStartStopFTP = Item(tray_root, "TrayNodeStartStopFTP", u8"开启FTP功能");
    Item(tray_root, "N2", "-");
    TrayNodeExit = Item(tray_root, "TrayNodeExit", u8"退出程序");
    // The item always names what a click on it will do.
    PopupMenuTrayIcon->on_popup = [this](ui::Component*) { TrayNodeStartStopFTP->set_caption(btnStartStop->caption()); };
    TrayNodeOpen->on_click = [this](ui::Component*) { TrayIconMain->restore_app(); };
    TrayNodeStartStopFTP->on_click = [this](ui::Component*) { btnStartStopClick(); };
    TrayNodeExit->on_click = [this](ui::Component*) { btnCloseClick(); };
}

void TMainForm::FormCreate() {
    FSessionEnding = false;
    FCurrentView = kNoView;

    const std::string error = station::InitGlobals(g_, station::ProgramDirOf(exe_path_));
    // The saved choice wins over the system's language: applied one over the other, the two
    // files would leave a mix of both wherever the chosen one is silent.
    const bool chosen = g_.SettingsLoaded && !g_.Settings.LangName.empty() &&
                        plat::file_exists(station::LanguageFilePath(g_.ProgramDir, g_.Settings.LangName));
    language_window_ = std::make_unique<LanguageWindow>(*this);
    language_ = std::make_unique<station::TLanguageFile>(
        chosen ? std::string() : station::SystemLanguageFilePath(exe_path_, station::SystemDefaultLanguageId()), this);
    language_->SetForm(language_window_.get());
    if (!error.empty()) {
        // The window still opens, without devices, so that the user sees what went wrong.
        ui::application().handle_exception(std::make_exception_ptr(std::runtime_error(error)));
        return;
    }
    g_.Log.SetPanel(this);
    BuildSortMenu();
    database_ = std::make_unique<calldb::TMyDataModule>([this] { return StationDatabaseSettings(g_); });
    // Told once: rows wait beside the database until it can be used again.
    const calldb::DatabaseStartReport database_problem =
        calldb::DatabaseStartMessage(database_->CheckCallLogDatabase(), g_.Texts);
    if (!database_problem.message.empty()) {
        g_.Log.WriteLog(database_problem.log_line, station::LogError);
        Information(database_problem.message, g_.Texts.Get("MsgBox.Alerting"));
    }
    engine_ = std::make_unique<station::TransferEngine>(
        g_, library_, [this](const std::vector<station::ACallLogInfo>& rows) { return database_->InsertCallLogs(rows); });
    engine_->SetCallLogCounter([this](const std::string& path) { return database_->CountCallLogsWithPath(path); });
    engine_->StartLibrary(500);
    MainTimer->set_enabled(true);
    first_show_ = true;
    created_ = true;
}

void TMainForm::FormShow() {
    BuildLanguageMenu();
    NodeLogPanel->set_checked(g_.Settings.LogPanelVisible);
    panelLog->set_visible(g_.Settings.LogPanelVisible);
    actQueryExecute();
    actFTPStateExecute();
    if (first_show_ && created_ && g_.Settings.AutoFTPEnable && !FFTPRunning()) btnStartStopClick();
    if (first_show_ && first_argument_ == "-logon") {
        ExtraTimer->set_interval(50);
        ExtraTimer->set_enabled(true);
    }
    first_show_ = false;
    if (!g_.Settings.LangName.empty()) {
        for (ui::MenuItem* item : NodeLanguage->items()) {
            if (item->caption() == g_.Settings.LangName) {
                NodeLangItemClick(item);
                break;
            }
        }
    }
    if (!g_.Settings.PlayFuncEnable) {
        btnQuery->set_visible(false);
        toolBarLeftMenu->update_buttons();  // the bar shows a button's visibility only then
    }
    if (created_) station::LogProgramStart(g_, exe_path_);
}

void TMainForm::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    for (ui::Timer* t : {MainTimer, ExtraTimer, AnimateTimer, SyncTimer}) t->set_enabled(false);
    // The end of the Windows session comes here without the exit command.
    if (FSearchFrame != nullptr && Views) Views->DoneSearchView();
    if (!created_) return;
    engine_->ReleaseLibrary();
    const std::string error = station::DoneGlobals(g_, [this] { engine_->SaveDeviceEnables(); });
    g_.Log.SetPanel(nullptr);
    // The settings changed while running would be lost without a word.
    if (!error.empty()) ui::application().handle_exception(std::make_exception_ptr(std::runtime_error(error)));
}

void TMainForm::btnStartStopClick() { fetch_->Toggle(); }

void TMainForm::btnCloseClick() {
    ConfForm->FMessage = g_.Texts.Get("Log.ConfirmExit");
    ConfForm->show_modal();
    if (!ConfForm->FConfirmed) return;
    for (ui::Timer* t : {MainTimer, ExtraTimer, AnimateTimer, SyncTimer}) t->set_enabled(false);
    if (FSearchFrame != nullptr && Views) Views->DoneSearchView();
    ui::application().terminate();
}

void TMainForm::ExtraTimerTimer() {
    ExtraTimer->set_enabled(false);
    fetch_->HideToTrayAndFetch();
}

void TMainForm::AnimateTimerTimer() {
    if (!engine_) return;
    fetch_->AnimateTick(AnyDeviceDownloading(engine_->Boards(), engine_->DeviceCount()));
}

void TMainForm::CheckViewAction(int view) {
    btnFtpState->set_down(view == kStateView);
    btnQuery->set_down(view == kQueryView);
}

void TMainForm::actFTPStateExecute() {
    if (FStateFrame == nullptr) {
        FStateFrame = new TMyFTPStateFrame(
            this, ImageList_Small, engine_ ? engine_->Boards() : no_boards_,
            [this] { return engine_ ? engine_->DeviceCount() : 0; }, g_.Texts, library_,
            [this](const std::string& message, int level) { g_.Log.WriteLog(message, level); });
        FStateFrame->set_align(ui::TAlign::alClient);
        FStateFrame->set_parent(tabFTPState);
        FStateFrame->View().InitFrame();
        if (engine_) engine_->SetRowRefresh([this](int index) { FStateFrame->View().RefreshRow(index); });
    }
    if (FCurrentView == kStateView) return;
    pgcWorkArea->set_active_page(tabFTPState);
    CheckViewAction(kStateView);
    FCurrentView = kStateView;
    FStateFrame->View().FirstShow();
}

void TMainForm::actQueryExecute() {
    // The one place where the search view comes to life, the first time its page opens.
    if (FSearchFrame == nullptr && Views) FSearchFrame = Views->CreateSearchView(tabQuery);
    if (FCurrentView == kQueryView) return;
    pgcWorkArea->set_active_page(tabQuery);
    CheckViewAction(kQueryView);
    FCurrentView = kQueryView;
    if (FSearchFrame != nullptr) Views->SearchViewShown();
}

void TMainForm::NodeLogPanelClick() {
    NodeLogPanel->set_checked(!NodeLogPanel->checked());
    panelLog->set_visible(NodeLogPanel->checked());
    g_.Settings.LogPanelVisible = NodeLogPanel->checked();
}

void TMainForm::BuildSortMenu() {
    for (const SortMenuItem& entry : BuildSortMenuItems(g_.ColumnsInfo, g_.Texts)) {
        // Owned by their submenu, not the window: unnamed, they would otherwise stand for the
        // window itself in the language files.
        auto* item = new ui::MenuItem(NodeSortColumn);
        item->set_caption(entry.Caption);
        if (!entry.Separator) {
            item->set_radio_item(true);
            item->set_group_index(entry.Group);
            item->set_checked(entry.Checked);
            if (entry.Group == 1) {
                item->on_click = [this, item](ui::Component*) { NodeSortColumnItemClick(item); };
            } else {
                item->on_click = [this, item](ui::Component*) { NodeSortSequenceItemClick(item); };
            }
        }
        NodeSortColumn->add(item);
    }
}

void TMainForm::ClearSortMenu() { NodeSortColumn->clear(); }

void TMainForm::CheckSortMenu(int column_position, bool ascending) {
    const int visible = std::clamp(g_.ColumnsInfo.VisibleCount, 0, station::kColumnCount);
    const int count = NodeSortColumn->count();
    if (column_position >= 0 && column_position < visible && column_position < count)
        NodeSortColumn->item(column_position)->set_checked(true);
    const int direction = visible + (ascending ? 1 : 2);
    if (direction < count) NodeSortColumn->item(direction)->set_checked(true);
}

void TMainForm::NodeSortColumnItemClick(ui::MenuItem* item) {
    if (item->checked()) return;
    item->set_checked(true);
    const int position = SortColumnPosition(g_.ColumnsInfo, item->caption());
    if (position < 0) return;
    const int count = NodeSortColumn->count();
    const bool ascending = count >= 2 && NodeSortColumn->item(count - 2)->checked();
    if (FSearchFrame != nullptr && Views) Views->SortSearchView(position, ascending);
}

void TMainForm::NodeSortSequenceItemClick(ui::MenuItem* item) {
    if (item->checked()) return;
    item->set_checked(true);
    for (ui::MenuItem* column : NodeSortColumn->items()) {
        if (column->group_index() != 1 || !column->checked()) continue;
        const int position = SortColumnPosition(g_.ColumnsInfo, column->caption());
        const int count = NodeSortColumn->count();
        const bool ascending = count >= 2 && NodeSortColumn->item(count - 2)->checked();
        if (position >= 0 && FSearchFrame != nullptr && Views) Views->SortSearchView(position, ascending);
        return;
    }
}

void TMainForm::BuildLanguageMenu() {
    NodeLanguage->clear();
    language_choices_ = station::LanguageChoices(g_.ProgramDir);
    int number = 1;
    for (const std::string& name : language_choices_) {
        auto* item = new ui::MenuItem(this);
        item->set_name("NodeLang" + std::to_string(number++));
        item->set_caption(name);
        item->set_radio_item(true);
        item->set_group_index(1);
        item->set_checked(!applied_language_.empty() && name == applied_language_);
        item->on_click = [this, item](ui::Component*) { NodeLangItemClick(item); };
        NodeLanguage->add(item);
    }
}

void TMainForm::RefreshLanguageMenu() {
    // Rebuilding changes the menu bar, so it happens only when the folder's files changed.
    if (station::LanguageChoices(g_.ProgramDir) != language_choices_) BuildLanguageMenu();
}

void TMainForm::NodeLangItemClick(ui::MenuItem* item) {
    if (item->checked()) return;
    item->set_checked(true);
    applied_language_ = item->caption();
    g_.Settings.LangName = item->caption();
    language_->LoadFile(station::LanguageFilePath(g_.ProgramDir, item->caption()));
    language_->SetForm(language_window_.get());
    station::LoadLanguageTexts(*language_, g_.Texts, g_.ColumnsInfo);
    ApplyMainTexts();
    if (FSearchFrame != nullptr) {
        if (!search_language_window_) search_language_window_ = std::make_unique<LanguageWindow>(*FSearchFrame);
        language_->SetForm(search_language_window_.get());
        Views->SearchViewLanguageChanged();
    }
    if (FStateFrame != nullptr) {
        if (!state_language_window_) state_language_window_ = std::make_unique<LanguageWindow>(*FStateFrame);
        language_->SetForm(state_language_window_.get());
        FStateFrame->View().ApplyLanguage([this](const std::string& key) { return language_->GetText(key); });
    }
    if (Views) Views->DialogsLanguageChanged(*language_);
    if (ConfForm != nullptr) {
        if (!conf_language_window_) conf_language_window_ = std::make_unique<LanguageWindow>(*ConfForm);
        language_->SetForm(conf_language_window_.get());
    }
}

void TMainForm::ApplyMainTexts() {
    const std::string title = language_->GetText("App.Title");
    ui::application().set_title(title.empty() ? Gbk(kApplicationTitle) : title);
    const int visible = std::clamp(g_.ColumnsInfo.VisibleCount, 0, station::kColumnCount);
    const int items = NodeSortColumn->count();
    for (int i = 0; i < visible && i < items; ++i) {
        NodeSortColumn->item(i)->set_caption(g_.ColumnsInfo.VisibleColumns[static_cast<std::size_t>(i)].Name);
    }
    if (items >= visible + 3) {
        NodeSortColumn->item(visible + 1)->set_caption(g_.Texts.Get("Col.SortAscending"));
        NodeSortColumn->item(visible + 2)->set_caption(g_.Texts.Get("Col.SortDescending"));
    }
    station::LoadMainWindowTexts(*language_, g_.Texts);
    fetch_->ApplyTexts();
    if (FStateFrame != nullptr && engine_) {
        for (int i = 0; i < engine_->DeviceCount(); ++i) FStateFrame->View().RefreshRow(i);
    }
}

void TMainForm::btnExportProClick() {
    std::vector<station::ExportItem> items{{language_window_.get(), {"caption", "hint"}}};
    if (FSearchFrame != nullptr) {
        if (!search_language_window_) search_language_window_ = std::make_unique<LanguageWindow>(*FSearchFrame);
        items.push_back({search_language_window_.get(), {"caption", "items", "hint"}});
    }
    if (FStateFrame != nullptr) {
        if (!state_language_window_) state_language_window_ = std::make_unique<LanguageWindow>(*FStateFrame);
        items.push_back({state_language_window_.get(), {"caption", "items", "hint"}});
    }
    if (Views) Views->AddExportItems(items);
    station::ExportLanguageFile(*language_, items, station::DefaultLanguageFilePath(g_.ProgramDir));
}

void TMainForm::SetStartStopButton(int image, const std::string& caption) {
    btnStartStop->set_image_index(image);
    btnStartStop->set_caption(caption);
}
void TMainForm::SetAnimateTimer(bool enabled) { AnimateTimer->set_enabled(enabled); }

bool TMainForm::TrayAnimating() const { return TrayIconMain->animate(); }
void TMainForm::SetTrayAnimating(bool on) { TrayIconMain->set_animate(on); }

void TMainForm::ShowTrayIcon(TrayImages images, int index) {
    TrayIconMain->set_icons(images == TrayImages::Animation ? ImageListTrayAnimate : ImageList_Small);
    TrayIconMain->set_icon_index(index);
}

void TMainForm::HideToTray() {
    TrayIconMain->set_hide_on_minimize(true);
    TrayIconMain->minimize_app();
}

void TMainForm::AddLogLine(const std::string& line) {
    log_lines_.Add(line);
    listLog->items().clear();
    for (const std::string& l : log_lines_.lines()) listLog->items().add(l);
}

void TMainForm::Information(const std::string& text, const std::string& caption) {
    if (MsgForm == nullptr) return;
    MsgForm->set_caption(caption);
    MsgForm->FMessage = text;
    MsgForm->show_modal();
}

} // namespace forms
