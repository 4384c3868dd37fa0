// Everything the main window opens besides its own controls: the search view with the
// services it works through, the settings dialog, the column chooser and the log viewer. The
// dialogs are made on their first use (the settings dialog needs the device table, which
// exists only after the start-up). Destroy the main window first: its search view uses the
// player and the stores held here.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "platform/media/directshow_player.h"
#include "platform/media/master_volume.h"
#include "platform/media/winmm_mixer_driver.h"
#include "station/core/search/call_store.h"
#include "station/core/search/recording_files.h"
#include "station/core/settings_models/autorun.h"
#include "station/forms/language_window.h"
#include "station/forms/main_form.h"
#include "station/forms/search/call_dialogs.h"
#include "station/forms/search/search_frame.h"
#include "station/forms/search/shell_dialogs.h"
#include "station/forms/settings/form_settings.h"
#include "station/forms/settings/log_viewer_form.h"
#include "station/forms/settings/prompts.h"
#include "station/forms/settings/sel_columns_form.h"
#include "station/forms/settings/shell_seam.h"

namespace forms {

// The settings dialogs' questions and messages in the station's own boxes.
class StationBoxPrompts : public IPrompts {
public:
    StationBoxPrompts(TConfForm& confirm, TMsgForm& message) : confirm_(confirm), message_(message) {}
    bool Confirm(const std::string& text) override;
    void Inform(const std::string& caption, const std::string& text) override;

private:
    TConfForm& confirm_;
    TMsgForm& message_;
};

class StationViews : public IStationViews, public ICallListColumns, public ICallDialogs {
public:
    struct Boxes {
        TConfForm& Confirm;
        TMsgForm& Message;
        TMultiConfForm& MultiConfirm;
    };
    // Needs COM on this thread (the player).
    StationViews(TMainForm& main, station::StationGlobals& globals, station::ITransferLibrary& library, Boxes boxes,
                 std::string program_path);
    ~StationViews() override;
    StationViews(const StationViews&) = delete;
    StationViews& operator=(const StationViews&) = delete;

    // What the views work through; the real ones by default. Tests put their own in place
    // before the first use.
    struct Seams {
        station::IStationPrompts* SearchPrompts;
        IPrompts* Prompts;
        IShellActions* Shell;
        station::IRunKeyRegistry* Registry;
        station::IFileDialogs* FileDialogs;
        plat::media::IMediaPlayer* Player;
        plat::media::IMasterVolume* Volume;
    };
    Seams Use;

    TSearchRecFrame* SearchFrame() { return frame_; }
    TFormSettings* Settings() { return settings_.get(); }
    TSelColumnsForm* ColumnChooser() { return chooser_.get(); }
    TViewOrPrintLogForm* LogViewer() { return log_viewer_.get(); }

    // IStationViews
    ui::WinControl* CreateSearchView(ui::WinControl* page) override;
    void SearchViewShown() override;
    void SortSearchView(int column_position, bool ascending) override;
    void SearchViewLanguageChanged() override;
    void DoneSearchView() override;
    void DialogsLanguageChanged(station::TLanguageFile& language) override;
    void AddExportItems(std::vector<station::ExportItem>& items) override;
    void OpenSettings() override;
    void OpenColumns() override;
    void OpenLogViewer() override;
    // ICallListColumns
    void RebuildColumnsAndSortMenu() override;
    void ApplyColumnWidths() override;
    // ICallDialogs: made on first use, with the view's call-type images.
    bool EditNote(std::wstring& note) override;
    void ShowProperties(const station::CallProperties& properties) override;

private:
    calldb::TMyDataModule& Database();
    ModalCallDialogs& CallDialogs();
    // The dialogs made so far, in the order the language files list them.
    std::vector<ui::Form*> Dialogs() const;
    LanguageWindow& LanguageOf(ui::Form& dialog);
    // A dialog made after a change of language takes that language at once.
    void Made(ui::Form& dialog);
    // The settings dialog's lists that language files name by text keys, not by property.
    void ApplySettingsTexts(station::TLanguageFile& language);
    void RememberSettingsTexts();

    TMainForm& main_;
    station::StationGlobals& g_;
    station::ITransferLibrary& library_;
    Boxes boxes_;
    std::string program_path_;

    CallbackPrompts search_prompts_;
    StationBoxPrompts prompts_;
    WindowsShellActions shell_;
    station::WindowsRunKeyRegistry registry_;
    ShellFileDialogs file_dialogs_;
    station::StationRecordingFiles files_;
    plat::media::DirectShowPlayer player_;
    plat::media::WinmmMixerDriver mixer_;
    plat::media::MasterVolume volume_;

    // Used only when the start-up stopped before the main window opened its database.
    std::unique_ptr<calldb::TMyDataModule> own_database_;
    std::unique_ptr<station::DataModuleStore> store_;
    TSearchRecFrame* frame_ = nullptr;  // owned by its page
    std::unique_ptr<ModalCallDialogs> call_dialogs_;
    std::unique_ptr<ui::Component> call_dialog_owner_;  // owns the two call dialogs
    std::unique_ptr<TFormSettings> settings_;
    // The settings dialog's built-in list texts by language key, for keys a language file lacks.
    std::map<std::string, std::string> settings_built_in_;
    std::unique_ptr<TSelColumnsForm> chooser_;
    std::unique_ptr<TViewOrPrintLogForm> log_viewer_;
    bool language_chosen_ = false;
    std::map<ui::Form*, std::unique_ptr<LanguageWindow>> language_windows_;
};

} // namespace forms
