#include "station/forms/station_views.h"

#include "station/forms/station_database_settings.h"

namespace forms {

bool StationBoxPrompts::Confirm(const std::string& text) {
    confirm_.FMessage = text;
    confirm_.show_modal();
    return confirm_.FConfirmed;
}

void StationBoxPrompts::Inform(const std::string& caption, const std::string& text) {
    message_.set_caption(caption);
    message_.FMessage = text;
    message_.show_modal();
}

StationViews::StationViews(TMainForm& main, station::StationGlobals& globals, station::ITransferLibrary& library,
                           Boxes boxes, std::string program_path)
    : Use{},
      main_(main),
      g_(globals),
      library_(library),
      boxes_(boxes),
      program_path_(std::move(program_path)),
      prompts_(boxes.Confirm, boxes.Message),
      file_dialogs_([this] { return main_.handle_allocated() ? main_.handle() : HWND{}; }),
      files_(globals),
      volume_(mixer_,
              [this](const std::string& text) { Use.Prompts->Inform(g_.Texts.Get("Log.Information"), text); }) {
    search_prompts_.confirm = [this](const std::string& text) { return Use.Prompts->Confirm(text); };
    search_prompts_.message = [this](const std::string& caption, const std::string& text) {
        Use.Prompts->Inform(caption, text);
    };
    search_prompts_.multi_confirm = [this](const std::string& text) {
        boxes_.MultiConfirm.FMessage = text;
        switch (boxes_.MultiConfirm.show_modal()) {
        case ui::mrYes: return station::MultiAnswer::Yes;
        case ui::mrNo: return station::MultiAnswer::No;
        case kYesToAll: return station::MultiAnswer::YesToAll;
        case kNoToAll: return station::MultiAnswer::NoToAll;
        default: return station::MultiAnswer::Closed;
        }
    };
    Use = Seams{&search_prompts_, &prompts_, &shell_, &registry_, &file_dialogs_, &player_, &volume_};
}

StationViews::~StationViews() = default;

calldb::TMyDataModule& StationViews::Database() {
    if (calldb::TMyDataModule* db = main_.Database()) return *db;
    if (!own_database_) {
        own_database_ = std::make_unique<calldb::TMyDataModule>([this] { return StationDatabaseSettings(g_); });
    }
    return *own_database_;
}

ui::WinControl* StationViews::CreateSearchView(ui::WinControl* page) {
    if (frame_ != nullptr) return frame_;
    store_ = std::make_unique<station::DataModuleStore>(Database());
    SearchFrameServices s;
    s.globals = &g_;
    s.store = store_.get();
    s.prompts = Use.SearchPrompts;
    s.file_dialogs = Use.FileDialogs;
    s.files = &files_;
    s.call_dialogs = this;
    s.player = Use.Player;
    s.volume = Use.Volume;
    s.language = [this](const std::string& key) {
        station::TLanguageFile* language = main_.Language();
        return language != nullptr ? language->GetText(key) : std::string();
    };
    s.sort_menu_checked = [this](int column, bool ascending) { main_.CheckSortMenu(column, ascending); };
    s.choose_columns = [this] { OpenColumns(); };
    frame_ = CreateSearchFrame(page, std::move(s));
    return frame_;
}

void StationViews::SearchViewShown() {
    if (frame_ != nullptr) frame_->FirstShow();
}

void StationViews::SortSearchView(int column_position, bool ascending) {
    if (frame_ != nullptr) frame_->SortFromMenu(column_position, ascending);
}

void StationViews::SearchViewLanguageChanged() {
    if (frame_ != nullptr) frame_->ApplyLanguage();
}

void StationViews::DoneSearchView() {
    if (frame_ != nullptr) frame_->DoneFrame();
}

std::vector<ui::Form*> StationViews::Dialogs() const {
    std::vector<ui::Form*> made;
    if (settings_) made.push_back(settings_.get());
    if (call_dialogs_) {
        made.push_back(call_dialogs_->note_form);
        made.push_back(call_dialogs_->properties_form);
    }
    if (chooser_) made.push_back(chooser_.get());
    if (log_viewer_) made.push_back(log_viewer_.get());
    return made;
}

LanguageWindow& StationViews::LanguageOf(ui::Form& dialog) {
    std::unique_ptr<LanguageWindow>& window = language_windows_[&dialog];
    if (!window) window = std::make_unique<LanguageWindow>(dialog);
    return *window;
}

void StationViews::Made(ui::Form& dialog) {
    station::TLanguageFile* language = main_.Language();
    if (!language_chosen_ || language == nullptr) return;
    if (&dialog == settings_.get()) ApplySettingsTexts(*language);
    language->ApplySection(&LanguageOf(dialog));
}

void StationViews::DialogsLanguageChanged(station::TLanguageFile& language) {
    language_chosen_ = true;
    if (settings_) ApplySettingsTexts(language);
    for (ui::Form* dialog : Dialogs()) language.SetForm(&LanguageOf(*dialog));
}

namespace {

const char* const kAutoRunItems[] = {"RunItems.AnyUser", "RunItems.ThisUser"};
const char* const kConnModeItems[] = {"RunItems.PCActiveMode", "RunItems.PCPassiveMode"};
const char* const kDeviceColumns[] = {"ColAddDev.No",           "ColAddDev.DeviceIP",   "ColAddDev.DevicePort",
                                      "ColAddDev.DeviceSerial", "ColAddDev.DeviceDesc", "ColAddDev.SaveFolder"};

} // namespace

void StationViews::RememberSettingsTexts() {
    auto items = [&](ui::ComboBox* box, const char* const (&keys)[2]) {
        for (int i = 0; i < 2 && i < box->items().count(); ++i) settings_built_in_[keys[i]] = box->items().get(i);
    };
    items(settings_->cbAutoRunMode, kAutoRunItems);
    items(settings_->comboConnMode, kConnModeItems);
    auto& columns = settings_->lvDev->columns();
    for (int i = 0; i < 6 && i < columns.count(); ++i) settings_built_in_[kDeviceColumns[i]] = columns.at(i)->caption();
}

void StationViews::ApplySettingsTexts(station::TLanguageFile& language) {
    auto text = [&](const char* key) {
        const std::string chosen = language.GetText(key);
        return chosen.empty() ? settings_built_in_[key] : chosen;
    };
    auto two_items = [&](ui::ComboBox* box, const char* const (&keys)[2]) {
        if (box->items().count() <= 1) return;
        const int chosen = box->item_index();
        box->items().put(0, text(keys[0]));
        box->items().put(1, text(keys[1]));
        box->set_item_index(chosen);
    };
    two_items(settings_->cbAutoRunMode, kAutoRunItems);
    two_items(settings_->comboConnMode, kConnModeItems);
    auto& columns = settings_->lvDev->columns();
    if (columns.count() <= 5) return;
    for (int i = 0; i < 6; ++i) columns.at(i)->set_caption(text(kDeviceColumns[i]));
}

void StationViews::AddExportItems(std::vector<station::ExportItem>& items) {
    auto add = [&](ui::Form* dialog, std::vector<std::string> properties) {
        items.push_back({dialog != nullptr ? &LanguageOf(*dialog) : nullptr, std::move(properties)});
    };
    add(settings_.get(), {"caption", "items", "hint", "lines"});
    add(call_dialogs_ ? call_dialogs_->note_form : nullptr, {"caption"});
    add(call_dialogs_ ? call_dialogs_->properties_form : nullptr, {"caption"});
    add(chooser_.get(), {"caption", "hint"});
    add(log_viewer_.get(), {"caption", "hint"});
}

void StationViews::OpenSettings() {
    if (!settings_) {
        station::TransferEngine* engine = main_.Engine();
        settings_ = std::make_unique<TFormSettings>(
            nullptr, SettingsDialogServices{g_, *Use.Registry, *Use.Prompts, *Use.Shell, program_path_, {},
                                            engine != nullptr ? &engine->Boards() : nullptr,
                                            engine != nullptr ? &library_ : nullptr});
        RememberSettingsTexts();
        Made(*settings_);
    }
    settings_->show_modal();
}

void StationViews::OpenColumns() {
    if (!chooser_) {
        chooser_ = std::make_unique<TSelColumnsForm>(nullptr, g_, *Use.Prompts);
        Made(*chooser_);
    }
    RunColumnChooser(*chooser_, *this);
}

void StationViews::OpenLogViewer() {
    if (!log_viewer_) {
        log_viewer_ = std::make_unique<TViewOrPrintLogForm>(nullptr, g_.ProgramDir, g_.Texts, *Use.Prompts, *Use.Shell);
        Made(*log_viewer_);
    }
    log_viewer_->show_modal();
}

void StationViews::RebuildColumnsAndSortMenu() {
    if (frame_ != nullptr) frame_->RebuildColumns();
    main_.ClearSortMenu();
    main_.BuildSortMenu();
}

void StationViews::ApplyColumnWidths() {
    if (frame_ != nullptr) frame_->ApplyColumnWidths();
}

ModalCallDialogs& StationViews::CallDialogs() {
    if (!call_dialogs_) {
        call_dialog_owner_ = std::make_unique<ui::Component>(nullptr);
        call_dialogs_ = std::make_unique<ModalCallDialogs>(call_dialog_owner_.get());
        Made(*call_dialogs_->note_form);
        Made(*call_dialogs_->properties_form);
    }
    return *call_dialogs_;
}

bool StationViews::EditNote(std::wstring& note) { return CallDialogs().EditNote(note); }

void StationViews::ShowProperties(const station::CallProperties& properties) {
    CallDialogs().ShowProperties(properties);
}

} // namespace forms
