// The station's search and playback view: the condition panel, the call list with its sorting,
// selection commands and status line, the playback panel with master volume, and the export,
// copy, properties and note commands.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/media/master_volume.h"
#include "platform/media/media_player.h"
#include "controls/ec_border.h"
#include "controls/ec_button.h"
#include "controls/ec_dtp.h"
#include "controls/ec_edit.h"
#include "controls/ec_label.h"
#include "controls/ec_panel.h"
#include "controls/ec_rad_chk.h"
#include "controls/ec_snd_msg.h"
#include "controls/ec_spn_edt.h"
#include "controls/ec_trk_bar.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/list_view.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/scroll_box.h"
#include "platform/ui/win/timer.h"
#include "station/core/call_cells.h"
#include "station/core/globals.h"
#include "station/core/search/call_list.h"
#include "station/core/search/call_properties.h"
#include "station/core/search/period_dates.h"
#include "station/core/search/search_texts.h"
#include "station/core/search/station_prompts.h"

namespace forms {

// The two dialogs the list opens, behind an interface so that tests answer them.
class ICallDialogs {
public:
    virtual ~ICallDialogs() = default;
    // Shows the note editor with `note`; true (and the edited, trimmed note) on OK.
    virtual bool EditNote(std::wstring& note) = 0;
    virtual void ShowProperties(const station::CallProperties& properties) = 0;
};

// What the view works with; everything is owned by the caller and outlives the frame.
struct SearchFrameServices {
    station::StationGlobals* globals = nullptr;
    station::ICallLogStore* store = nullptr;
    station::IStationPrompts* prompts = nullptr;
    station::IFileDialogs* file_dialogs = nullptr;
    station::IRecordingFiles* files = nullptr;
    ICallDialogs* call_dialogs = nullptr;
    plat::media::IMediaPlayer* player = nullptr;
    plat::media::IMasterVolume* volume = nullptr;
    station::LanguageLookup language;
    // The main window's sort menu: check the column's item and the direction.
    std::function<void(int column, bool ascending)> sort_menu_checked;
    // The main window's column chooser for the call list.
    std::function<void()> choose_columns;
    bool volume_available = true;
};

// The view's components come from its stored description (resource VQSEARCHFRAME); the
// program registers the control set's classes before the first view is made.
class TSearchRecFrame : public ui::Frame {
    // Language files address the view by this class name.
    UI_CLASS_IDENTITY()
public:
    TSearchRecFrame(ui::Component* owner, SearchFrameServices services);
    ~TSearchRecFrame() override;

    // Called by the main window.
    void InitFrame();
    void FirstShow();
    void DoneFrame();
    void RebuildColumns();
    void ApplyColumnWidths();
    void ApplyLanguage();
    // The main window's sort menu: the direction is already chosen, nothing flips.
    void SortFromMenu(int column, bool ascending);

    // Commands (the handlers of the controls and menu items).
    void ApplyPeriod(station::SearchPeriod period, const std::string& caption);
    void NodeCustomClick();
    void btnClosePanelParamClick();
    void btnSearchParamsClick();
    void btnMoreSearchOptionsClick();
    void btnSearchClick();
    void lvCallsColumnClick(int column, bool from_click);
    void lvCallsColumnRightClick(int column, POINT list_point);
    void NodeSortByColumnClick();
    void lvCallsData(ui::ListItem& item);
    void lvCallsClick();
    void lvCallsDblClick();
    void SearchFramePopupMenuPopup();
    void NodePreviousClick();
    void NodeNextClick();
    void NodeSelAllClick();
    void NodeDelClick();
    void NodeExportClick();
    void NodeSaveAsClick();
    void NodePropertyClick();
    void NodeEditNotesClick();
    // Playback.
    void ProcessPlay(bool from_control);
    void btnPlayClick();
    void btnPauseClick();
    void btnStopClick();
    void SkipPlayback(bool forward);
    void btnNextClick();
    void btnPreviousClick();
    void WMediaPlayerStatusChange(plat::media::PlayState state);
    void HiTimer1Timer();
    void TrackBarChange();
    void TrackBarMouseDown();
    void TrackBarMouseUp();
    void TrackBarSpeedChange();
    void btnSpeedRestoreClick();
    void TrackBarVolumeChange();
    void TrackBarVolumeEnter();
    void btnVolumeMuteClick();
    void btnChangeShowingTimeClick();
    void btnClosePanelPlayClick();
    // Shows the playback panel above the status line, where a playback shows it.
    void ShowPlayPanel();

    station::CallList& Calls() { return calls_; }
    calldb::SearchConditions CurrentConditions() const;
    const std::string& StatusText() const { return status_text_; }
    bool ShowElapsed() const { return FShowElapsed; }
    int RightClickColumn() const { return FRightClickColumn; }

    // Controls, named as the view's description names them.
    ec::TEcPanel *panelParam, *panelParamTop, *panelMoreSearchOptions, *panelRight, *panelTop, *panelPlay,
        *panelPlayClose;
    ui::ScrollBox* ScrollBoxLeft;
    ec::TEcLabel *labelParamCaption, *labelFrom, *labelTo, *labelSpeed, *labelVolumn;
    ec::TEcToolButton *btnClosePanelParam, *TimeButton, *btnMoreSearchOptions;
    ec::TEcDateTimePicker *DTDateFrom, *DTDateTo, *DTTimeFrom, *DTTimeTo;
    ec::TEcCheckBox *checkByCallerID, *checkByDialed, *checkByAgent, *checkBySessionID, *checkByNote;
    ec::TEcEdit *editCallerID, *editDialed, *editAgent, *editSessionID, *editNote;
    ec::TEcGroupBox* groupDirection;
    ec::TEcCheckBox *checkByOut, *checkByIn, *checkByNoanswer;
    ec::TEcCheckBox *checkLongerThan, *checkShorterThan, *checkRingLargerThan, *checkRingSmallerThan;
    ec::TEcSpinEdit *spinLongerThan, *spinShorterThan, *spinRingLargerThan, *spinRingSmallerThan;
    ec::TEcToolButton* btnSearchParams;
    ec::TEcBitBtn* btnSearch;
    ec::TEcToolButton *btnPlay2, *btnSave, *btnDel, *btnEditNote, *btnExport;
    ui::ListView* lvCalls;
    ec::TEcStatusBar* statusBarSearch;
    ec::TEcToolButton *btnPrevious, *btnRewind, *btnPlay, *btnPause, *btnFastForward, *btnNext, *btnStop;
    ec::TEcLEDDisplay* LEDDisplay;
    ec::TEcToolButton *btnChangeShowingTime, *btnSpeedRestore, *btnVolumeMute, *btnClosePanelPlay;
    ec::TEcTrackBar *TrackBar, *TrackBarSpeed, *TrackBarVolume;
    ui::Timer* HiTimer1;
    ui::ImageList *ImageList1, *ImageList2;
    ui::PopupMenu *SearchFramePopupMenu, *RightClickColumnPopupMenu, *PopupMenuSelDate;
    ui::MenuItem *NodePlay, *NodeFastForward, *NodeRewind, *NodeStop, *NodePrevious, *NodeNext, *NodeSaveAs, *NodeDel,
        *NodeExport, *NodeEditNotes, *NodeProperty, *NodeSelAll, *NodeSortByColumn, *NodeSelColumn;
    // Placed on the view and never used.
    ec::TEcSendMessage* EcSendMessage1;
    // Tags of the two state buttons: 0 stopped, 1 paused, 2 playing; 0 not muted, 1 muted.
    int btnPlay2Tag = 0, btnVolumeMuteTag = 0;

private:
    void RegisterHandlers();
    void FindParts();
    void ConditionChecked(ec::TEcCheckBox* box);
    void SetStatus(const std::string& text);
    void UpdatePlay2Hint();
    void UpdateMuteLook();
    void LoadVolumeState();
    void PlaybackTexts();
    std::string Text(const char* key) const;
    void ShowLed(int position_ms);
    bool PlayerStopped() const;
    std::vector<station::ACallLogInfo> SelectedRecords();
    const std::string& ColumnKey(int column) const;
    int ColumnCount() const;
    // The cell of `column` (list position) in `row`; empty outside the records and columns.
    station::ListCell Cell(int row, int column);
    // Each condition box with the edit or spin edit it enables.
    std::vector<std::pair<ec::TEcCheckBox*, ui::WinControl*>> condition_links_;

    SearchFrameServices s_;
    station::CallList calls_;
    int FRightClickColumn = -1;
    bool FFirstShown = false;
    std::string FUnknownText;
    bool FShowElapsed = true;
    std::string FCallStartTime = "00:00:00";
    bool FSeeking = false;
    bool FMuted = false;
    bool FVolumeAvailable = true;
    bool loading_volume_ = false;
    std::string status_text_;
    std::string elapsed_hint_, occur_hint_;
};

// Creates the view on `page`, filling it, and initialises it. The volume controls are offered
// unless the caller or the Windows version rules them out.
TSearchRecFrame* CreateSearchFrame(ui::WinControl* page, SearchFrameServices services);

// False only on Windows version 5.2, whose mixer the volume controls cannot drive.
bool VolumeControlAvailable();

} // namespace forms
