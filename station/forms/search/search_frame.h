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
#include "platform/ui/win/comctl_controls.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/list_view.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/scroll_box.h"
#include "platform/ui/win/std_controls.h"
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

// A numeric edit with an up-down, limited to 0..36000.
struct SpinEdit {
    ui::Edit* edit = nullptr;
    ui::UpDown* updown = nullptr;
    int Value() const;
    void SetValue(int v);
    void SetEnabled(bool v);
};

class TSearchRecFrame : public ui::Panel {
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

    station::CallList& Calls() { return calls_; }
    calldb::SearchConditions CurrentConditions() const;
    const std::string& StatusText() const { return status_text_; }
    bool ShowElapsed() const { return FShowElapsed; }
    int RightClickColumn() const { return FRightClickColumn; }

    // Controls, named as the view's description names them.
    ui::Panel *panelParam, *panelParamTop, *panelMoreSearchOptions, *panelRight, *panelTop, *panelPlay;
    ui::ScrollBox* ScrollBoxLeft;
    ui::Label *labelParamCaption, *labelFrom, *labelTo, *LEDDisplay, *labelSpeed, *labelVolumn;
    ui::Button *btnClosePanelParam, *TimeButton, *btnMoreSearchOptions;
    ui::DateTimePicker *DTDateFrom, *DTDateTo, *DTTimeFrom, *DTTimeTo;
    ui::CheckBox *checkByCallerID, *checkByDialed, *checkByAgent, *checkBySessionID, *checkByNote;
    ui::Edit *editCallerID, *editDialed, *editAgent, *editSessionID, *editNote;
    ui::GroupBox* groupDirection;
    ui::CheckBox *checkByOut, *checkByIn, *checkByNoanswer;
    ui::CheckBox *checkLongerThan, *checkShorterThan, *checkRingLargerThan, *checkRingSmallerThan;
    SpinEdit spinLongerThan, spinShorterThan, spinRingLargerThan, spinRingSmallerThan;
    ui::Button *btnSearchParams, *btnSearch, *btnPlay2, *btnSave, *btnDel, *btnEditNote, *btnExport;
    ui::ListView* lvCalls;
    ui::StatusBar* statusBarSearch;
    ui::Button *btnPrevious, *btnRewind, *btnPlay, *btnPause, *btnFastForward, *btnNext, *btnStop;
    ui::Button *btnChangeShowingTime, *btnSpeedRestore, *btnVolumeMute, *btnClosePanelPlay;
    ui::TrackBar *TrackBar, *TrackBarSpeed, *TrackBarVolume;
    ui::Timer* HiTimer1;
    ui::ImageList *ImageList1, *HeaderImages;
    ui::PopupMenu *SearchFramePopupMenu, *RightClickColumnPopupMenu, *PopupMenuSelDate;
    ui::MenuItem *NodePlay, *NodeFastForward, *NodeRewind, *NodeStop, *NodePrevious, *NodeNext, *NodeSaveAs, *NodeDel,
        *NodeExport, *NodeEditNotes, *NodeProperty, *NodeSelAll, *NodeSortByColumn, *NodeSelColumn;
    // Tags of the two state buttons: 0 stopped, 1 paused, 2 playing; 0 not muted, 1 muted.
    int btnPlay2Tag = 0, btnVolumeMuteTag = 0;

private:
    void BuildConditionPanel();
    void BuildListArea();
    void BuildPlaybackPanel();
    void BuildMenus();
    void BuildImages();
    void NameComponents();
    ui::Button* AddButton(ui::WinControl* parent, const std::string& caption, int x, int y, int w, int h,
                          std::function<void()> click);
    ui::MenuItem* AddItem(ui::PopupMenu* menu, const char* utf8, const char* shortcut, std::function<void()> click);
    void ConditionChecked(ui::CheckBox* box);
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
    std::vector<std::pair<ui::CheckBox*, std::function<void(bool)>>> condition_links_;

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
