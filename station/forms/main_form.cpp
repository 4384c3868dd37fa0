#include "station/forms/main_form.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <stdexcept>

#include "controls/register_control_set.h"
#include "platform/files.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/win/application.h"
#include "station/core/database/database_start_report.h"
#include "station/core/gbk_literal.h"
#include "station/core/language_texts.h"
#include "station/core/system_language.h"
#include "station/forms/sort_menu.h"
#include "station/forms/station_description.h"
#include "station/forms/station_database_settings.h"

namespace forms {

using station::Gbk;

ui::ClassInfo& TMainForm::static_class() {
    static ui::ClassInfo info("TMainForm", &ui::Form::static_class());
    return info;
}

TMainForm::TMainForm(station::StationGlobals& globals, station::ITransferLibrary& library, std::string exe_path,
                     std::string first_argument, const wchar_t* description)
    : ui::Form(nullptr), g_(globals), library_(library), exe_path_(std::move(exe_path)),
      first_argument_(std::move(first_argument)) {
    RegisterHandlers();
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
    ui::register_control_classes();
    ec::register_control_set_classes();
    ui::register_class(skin::TSkinData::static_class());
    load_resource(description);
    FindParts();
    fetch_ = std::make_unique<FetchSwitch>(
        *this, g_.Texts, [this] { if (engine_) engine_->StartFetching(); },
        [this] { if (engine_) engine_->StopFetching(); });
}

TMainForm::~TMainForm() {
    FormDestroy();
    // Timers and the tray go before the engine they call.
    release_owned();
}

void TMainForm::RegisterHandlers() {
    auto bind = [this](const char* name, std::function<void()> fn) {
        register_method(name, ui::NotifyEvent([fn = std::move(fn)](ui::Component*) { fn(); }));
    };
    register_method("FormShow", this, &TMainForm::FormShowEvent);
    register_method("FormCloseQuery", this, &TMainForm::FormCloseQuery);
    register_method("MainTimerTimer", this, &TMainForm::MainTimerTimer);
    register_method("SyncTimerTimer", this, &TMainForm::SyncTimerTimer);
    register_method("ExtraTimerTimer", this, &TMainForm::ExtraTimerTimer);
    register_method("AnimateTimerTimer", this, &TMainForm::AnimateTimerTimer);
    register_method("PopupMenuTrayIconPopup", this, &TMainForm::PopupMenuTrayIconPopup);
    register_method("TrayNodeOpenClick", this, &TMainForm::TrayNodeOpenClick);
    bind("btnStartStopClick", [this] { btnStartStopClick(); });
    bind("TrayNodeStartStopFTPClick", [this] { btnStartStopClick(); });
    bind("btnCloseClick", [this] { btnCloseClick(); });
    bind("btnExportProClick", [this] { btnExportProClick(); });
    bind("btnSettingsClick", [this] { if (Views) Views->OpenSettings(); });
    bind("NodeSysSettingsClick", [this] { if (Views) Views->OpenSettings(); });
    bind("NodeColumnsClick", [this] { if (Views) Views->OpenColumns(); });
    bind("NodeLogFilesClick", [this] { if (Views) Views->OpenLogViewer(); });
    bind("NodeLogPanelClick", [this] { NodeLogPanelClick(); });
    bind("btnFtpStateClick", [this] { actFTPStateExecute(); });
    bind("actFTPStateExecute", [this] { actFTPStateExecute(); });
    bind("btnQueryClick", [this] { actQueryExecute(); });
    bind("actQueryExecute", [this] { actQueryExecute(); });
}

void TMainForm::FindParts() {
    panelToolBar = Part<ec::TEcPanel>(*this, "panelToolBar");
    panelMiddle = Part<ec::TEcPanel>(*this, "panelMiddle");
    panelLeftMenu = Part<ec::TEcPanel>(*this, "panelLeftMenu");
    EcPanel1 = Part<ec::TEcPanel>(*this, "EcPanel1");
    panelWork = Part<ec::TEcPanel>(*this, "panelWork");
    panelLog = Part<ec::TEcPanel>(*this, "panelLog");
    EcToolbar1 = Part<ec::TEcToolbar>(*this, "EcToolbar1");
    toolBarLeftMenu = Part<ec::TEcToolbar>(*this, "toolBarLeftMenu");
    EcSpacer1 = Part<ec::TEcSpacer>(*this, "EcSpacer1");
    EcSpacer2 = Part<ec::TEcSpacer>(*this, "EcSpacer2");
    PageScroller1 = Part<ui::PageScroller>(*this, "PageScroller1");
    pgcWorkArea = Part<ec::TEcPageControl>(*this, "pgcWorkArea");
    tabFTPState = Part<ec::TEcTabSheet>(*this, "tabFTPState");
    tabQuery = Part<ec::TEcTabSheet>(*this, "tabQuery");
    statusBarMain = Part<ec::TEcStatusBar>(*this, "statusBarMain");
    labelLeftMenu = Part<ec::TEcLabel>(*this, "labelLeftMenu");
    btnStartStop = Part<ec::TEcToolButton>(*this, "btnStartStop");
    btnSettings = Part<ec::TEcToolButton>(*this, "btnSettings");
    btnClose = Part<ec::TEcToolButton>(*this, "btnClose");
    btnExportPro = Part<ec::TEcToolButton>(*this, "btnExportPro");
    btnFtpState = Part<ec::TEcToolButton>(*this, "btnFtpState");
    btnQuery = Part<ec::TEcToolButton>(*this, "btnQuery");
    listLog = Part<ec::TEcListBox>(*this, "listLog");
    MainMenu = Part<ui::MainMenu>(*this, "MainMenu");
    NodeFile = Part<ui::MenuItem>(*this, "NodeFile");
    NodeClose = Part<ui::MenuItem>(*this, "NodeClose");
    NodeView = Part<ui::MenuItem>(*this, "NodeView");
    NodeColumns = Part<ui::MenuItem>(*this, "NodeColumns");
    NodeSortColumn = Part<ui::MenuItem>(*this, "NodeSortColumn");
    N3 = Part<ui::MenuItem>(*this, "N3");
    NodeLogFiles = Part<ui::MenuItem>(*this, "NodeLogFiles");
    NodeLogPanel = Part<ui::MenuItem>(*this, "NodeLogPanel");
    NodeSettings = Part<ui::MenuItem>(*this, "NodeSettings");
    NodeSysSettings = Part<ui::MenuItem>(*this, "NodeSysSettings");
    N4 = Part<ui::MenuItem>(*this, "N4");
    NodeLanguage = Part<ui::MenuItem>(*this, "NodeLanguage");
    NodeHelp = Part<ui::MenuItem>(*this, "NodeHelp");
    TrayIconMain = Part<ec::TEcTrayIcon>(*this, "TrayIconMain");
    PopupMenuTrayIcon = Part<ui::PopupMenu>(*this, "PopupMenuTrayIcon");
    TrayNodeOpen = Part<ui::MenuItem>(*this, "TrayNodeOpen");
    TrayNodeStartStopFTP = Part<ui::MenuItem>(*this, "TrayNodeStartStopFTP");
    TrayNodeExit = Part<ui::MenuItem>(*this, "TrayNodeExit");
    ImageList_large = Part<ui::ImageList>(*this, "ImageList_large");
    ImageList_Small = Part<ui::ImageList>(*this, "ImageList_Small");
    ImageListTrayAnimate = Part<ui::ImageList>(*this, "ImageListTrayAnimate");
    MainTimer = Part<ui::Timer>(*this, "MainTimer");
    ExtraTimer = Part<ui::Timer>(*this, "ExtraTimer");
    AnimateTimer = Part<ui::Timer>(*this, "AnimateTimer");
    SyncTimer = Part<ui::Timer>(*this, "SyncTimer");
    ActionList1 = Part<ui::ActionList>(*this, "ActionList1");
    actQuery = Part<ui::Action>(*this, "actQuery");
    actFTPState = Part<ui::Action>(*this, "actFTPState");
    SkinData1 = Part<skin::TSkinData>(*this, "SkinData1");
}

void TMainForm::FormCloseQuery(ui::Component*, bool& can_close) {
    can_close = FSessionEnding;
    if (!can_close) HideToTray();
}

void TMainForm::MainTimerTimer(ui::Component*) {
    if (engine_) engine_->OnMainTimer();
    if (writer_) writer_->FollowSettings();
}

void TMainForm::SyncTimerTimer(ui::Component*) {
    if (engine_) engine_->OnSyncTimer();
}

// The item always names what a click on it will do.
void TMainForm::PopupMenuTrayIconPopup(ui::Component*) { TrayNodeStartStopFTP->set_caption(btnStartStop->caption()); }

void TMainForm::TrayNodeOpenClick(ui::Component*) { TrayIconMain->restore_app(); }

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
    // The rows are stored on the writer's thread, with its own connection; the window's
    // connection searches and edits.
    writer_ = std::make_unique<calldb::CallLogWriter>([this] { return StationDatabaseSettings(g_); });
    engine_ = std::make_unique<station::TransferEngine>(g_, library_, *writer_);
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
    if (!g_.Settings.PlayFuncEnable) btnQuery->set_visible(false);
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

void TMainForm::ExtraTimerTimer(ui::Component*) {
    ExtraTimer->set_enabled(false);
    fetch_->HideToTrayAndFetch();
}

void TMainForm::AnimateTimerTimer(ui::Component*) {
    if (!engine_) return;
    fetch_->AnimateTick(AnyDeviceDownloading(engine_->Boards(), engine_->DeviceCount()));
}

void TMainForm::CheckViewAction(int view) {
    actFTPState->set_checked(view == kStateView);
    btnFtpState->set_down(view == kStateView);
    btnQuery->set_down(view == kQueryView);
}

void TMainForm::actFTPStateExecute() {
    if (FStateFrame == nullptr) {
        FStateFrame = new TMyFTPStateFrame(
            this, engine_ ? engine_->Boards() : no_boards_,
            [this] { return engine_ ? engine_->DeviceCount() : 0; }, g_.Texts, library_,
            [this](const std::string& message, int level) { g_.Log.WriteLog(message, level); });
        FStateFrame->set_align(ui::TAlign::alClient);
        FStateFrame->set_parent(tabFTPState);
        FStateFrame->View().InitFrame();
        if (engine_) engine_->SetRowRefresh([this](int index) { FStateFrame->View().RefreshRow(index); });
        SkinData1->AttachFrame(this, FStateFrame);
    }
    if (FCurrentView == kStateView) return;
    pgcWorkArea->set_active_page(tabFTPState);
    CheckViewAction(kStateView);
    FCurrentView = kStateView;
    FStateFrame->View().FirstShow();
}

void TMainForm::actQueryExecute() {
    // The one place where the search view comes to life, the first time its page opens.
    if (FSearchFrame == nullptr && Views) {
        FSearchFrame = Views->CreateSearchView(tabQuery);
        SkinData1->AttachFrame(this, FSearchFrame);
    }
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

std::unique_ptr<TMainForm> CreateMainForm(station::StationGlobals& globals, station::ITransferLibrary& library,
                                          std::string exe_path, std::string first_argument,
                                          const wchar_t* description) {
    try {
        return std::make_unique<TMainForm>(globals, library, std::move(exe_path), std::move(first_argument),
                                           description);
    } catch (const std::exception&) {
        // The window went with the exception: its parts and handles were released on the way out.
        ui::application().handle_exception(std::current_exception());
        return nullptr;
    }
}

} // namespace forms
