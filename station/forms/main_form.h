// The station's main window: tool bar, left menu switching the transfer state view and the
// search view, log panel, main menu, tray icon with its menu, and the four timers that drive
// the station. It also runs the station's start-up and shut-down in their fixed order.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "controls/ec_button.h"
#include "controls/ec_label.h"
#include "controls/ec_lst_box.h"
#include "controls/ec_panel.h"
#include "controls/ec_tabs.h"
#include "controls/ec_tray.h"
#include "platform/ui/win/actions.h"
#include "platform/ui/win/comctl_controls.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/timer.h"
#include "skin/win/skin_data.h"
#include "station/core/database/call_log_database.h"
#include "station/core/database/call_log_writer.h"
#include "station/core/engine/transfer_engine.h"
#include "station/core/globals.h"
#include "station/core/language_file.h"
#include "station/forms/fetch_switch.h"
#include "station/forms/language_window.h"
#include "station/forms/message_boxes.h"
#include "station/forms/state_frame.h"

namespace forms {

// The main window's stored description among the program's resources.
inline constexpr const wchar_t* kMainFormDescription = L"VQMAINFORM";

// Sent by a second start of the program to the running one's main window (both parameters 0).
constexpr UINT WM_RESTOREFROMTRAY = 10101;

// The application's title while no language file names it (UTF-8).
constexpr const char* kApplicationTitle = u8"Velquist - Dravik";

// Views: none yet, the search view, the transfer state view.
constexpr int kNoView = -1, kQueryView = 1, kStateView = 2;

// The search view and the dialogs of the other windows, as the main window reaches them; the
// program wires the real ones in, tests may leave them out.
class IStationViews {
public:
    virtual ~IStationViews() = default;
    // Creates, places and initialises the search view on `page`.
    virtual ui::WinControl* CreateSearchView(ui::WinControl* page) = 0;
    virtual void SearchViewShown() = 0;
    virtual void SortSearchView(int column_position, bool ascending) = 0;
    // The new language's texts are loaded and the view's own captions set.
    virtual void SearchViewLanguageChanged() = 0;
    virtual void DoneSearchView() = 0;
    // The chosen language reaches the dialogs made so far; later ones take it when made.
    virtual void DialogsLanguageChanged(station::TLanguageFile& language) = 0;
    // The dialogs made so far, in the order of the default language file.
    virtual void AddExportItems(std::vector<station::ExportItem>& items) = 0;
    virtual void OpenSettings() = 0;
    virtual void OpenColumns() = 0;
    virtual void OpenLogViewer() = 0;
};

class TMainForm : public ui::Form, public IFetchControls, public station::ILogPanel,
                  public station::ILanguageNotices {
    UI_CLASS_IDENTITY()
public:
    // Reads the window's description (the RCDATA resource `description`); the control set's
    // classes are registered first. A description that is missing or does not read throws.
    TMainForm(station::StationGlobals& globals, station::ITransferLibrary& library, std::string exe_path,
              std::string first_argument, const wchar_t* description = kMainFormDescription);
    ~TMainForm() override;

    // The boxes the station asks and informs through (created once by the program).
    TConfForm* ConfForm = nullptr;
    TMsgForm* MsgForm = nullptr;

    // Set once before FormCreate; outlives the window.
    IStationViews* Views = nullptr;

    void FormCreate();
    void FormShow();
    // Saves and releases everything; runs once, at exit or at the end of the session.
    void FormDestroy();

    // Commands.
    void btnStartStopClick();
    void btnCloseClick();
    void actFTPStateExecute();
    void actQueryExecute();
    void NodeLogPanelClick();
    void NodeLangItemClick(ui::MenuItem* item);
    void BuildSortMenu();
    void ClearSortMenu();
    // Ticks the item of the column at `column_position` and the direction's item.
    void CheckSortMenu(int column_position, bool ascending);

    // Seams.
    void SetStartStopButton(int image, const std::string& caption) override;
    void SetAnimateTimer(bool enabled) override;
    bool TrayAnimating() const override;
    void SetTrayAnimating(bool on) override;
    void ShowTrayIcon(TrayImages images, int index) override;
    void HideToTray() override;
    void AddLogLine(const std::string& line) override;
    void Information(const std::string& text, const std::string& caption) override;

    // State read by tests and by the other views.
    bool FFTPRunning() const { return fetch_ && fetch_->Running(); }
    int FCurrentView = kNoView;
    bool FSessionEnding = false;
    TMyFTPStateFrame* FStateFrame = nullptr;
    ui::WinControl* FSearchFrame = nullptr;
    // The station's call-record database; none when the start-up stopped early.
    calldb::TMyDataModule* Database() { return database_.get(); }
    station::TransferEngine* Engine() { return engine_.get(); }
    station::TLanguageFile* Language() { return language_.get(); }

    // Parts of the window, found by name once the description is read.
    ec::TEcPanel *panelToolBar = nullptr, *panelMiddle = nullptr, *panelLeftMenu = nullptr, *EcPanel1 = nullptr,
                 *panelWork = nullptr, *panelLog = nullptr;
    ec::TEcToolbar *EcToolbar1 = nullptr, *toolBarLeftMenu = nullptr;
    ec::TEcSpacer *EcSpacer1 = nullptr, *EcSpacer2 = nullptr;
    ui::PageScroller* PageScroller1 = nullptr;
    ec::TEcPageControl* pgcWorkArea = nullptr;
    ec::TEcTabSheet *tabFTPState = nullptr, *tabQuery = nullptr;
    ec::TEcStatusBar* statusBarMain = nullptr;
    ec::TEcLabel* labelLeftMenu = nullptr;
    ec::TEcToolButton *btnStartStop = nullptr, *btnSettings = nullptr, *btnClose = nullptr, *btnExportPro = nullptr,
                      *btnFtpState = nullptr, *btnQuery = nullptr;
    ec::TEcListBox* listLog = nullptr;
    ui::MainMenu* MainMenu = nullptr;
    ui::MenuItem *NodeFile = nullptr, *NodeClose = nullptr, *NodeView = nullptr, *NodeColumns = nullptr,
                 *NodeSortColumn = nullptr, *N3 = nullptr, *NodeLogFiles = nullptr, *NodeLogPanel = nullptr,
                 *NodeSettings = nullptr, *NodeSysSettings = nullptr, *N4 = nullptr, *NodeLanguage = nullptr,
                 *NodeHelp = nullptr;
    ec::TEcTrayIcon* TrayIconMain = nullptr;
    ui::PopupMenu* PopupMenuTrayIcon = nullptr;
    ui::MenuItem *TrayNodeOpen = nullptr, *TrayNodeStartStopFTP = nullptr, *TrayNodeExit = nullptr;
    ui::ImageList *ImageList_large = nullptr, *ImageList_Small = nullptr, *ImageListTrayAnimate = nullptr;
    ui::Timer *MainTimer = nullptr, *ExtraTimer = nullptr, *AnimateTimer = nullptr, *SyncTimer = nullptr;
    ui::ActionList* ActionList1 = nullptr;
    ui::Action *actQuery = nullptr, *actFTPState = nullptr;
    skin::TSkinData* SkinData1 = nullptr;

private:
    void RegisterHandlers();
    void FindParts();
    void BuildLanguageMenu();
    void RefreshLanguageMenu();
    void ApplyMainTexts();
    void CheckViewAction(int view);
    // Handlers bound by the description.
    void FormShowEvent(ui::Component*) { FormShow(); }
    void FormCloseQuery(ui::Component*, bool& can_close);
    void MainTimerTimer(ui::Component*);
    void SyncTimerTimer(ui::Component*);
    void ExtraTimerTimer(ui::Component* = nullptr);
    void AnimateTimerTimer(ui::Component* = nullptr);
    void PopupMenuTrayIconPopup(ui::Component*);
    void TrayNodeOpenClick(ui::Component*);
    void NodeSortColumnItemClick(ui::MenuItem* item);
    void NodeSortSequenceItemClick(ui::MenuItem* item);
    void btnExportProClick();

    station::StationGlobals& g_;
    station::ITransferLibrary& library_;
    std::string exe_path_;
    std::string first_argument_;
    bool first_show_ = true;
    bool created_ = false;   // the start-up ran to its end
    bool destroyed_ = false;
    std::unique_ptr<LanguageWindow> language_window_;
    std::unique_ptr<station::TLanguageFile> language_;
    std::vector<std::string> language_choices_;  // what the language menu lists
    std::string applied_language_;               // the language chosen from the menu in this run
    std::unique_ptr<calldb::TMyDataModule> database_;
    std::unique_ptr<calldb::CallLogWriter> writer_;  // outlives the engine, which hands it rows
    std::unique_ptr<station::TransferEngine> engine_;
    std::unique_ptr<FetchSwitch> fetch_;
    std::unique_ptr<LanguageWindow> state_language_window_, search_language_window_, conf_language_window_;
    station::BoardTable no_boards_;  // the devices shown when the start-up stopped early
    station::LogPanelLines log_lines_;
};

// The main window as the start-up makes it. When its description is missing or does not read,
// the error goes the station's error path (the application's handle_exception; the layer's
// message names the window, the component and the property), nothing of the window is left, and
// the start-up gets nullptr and stops.
std::unique_ptr<TMainForm> CreateMainForm(station::StationGlobals& globals, station::ITransferLibrary& library,
                                          std::string exe_path, std::string first_argument,
                                          const wchar_t* description = kMainFormDescription);

} // namespace forms
