#include "station/forms/settings/form_settings.h"

#include <cmath>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/ui/description_parser.h"
#include "station/core/date_time_text.h"
#include "station/core/gbk_literal.h"
#include "station/core/local_addresses.h"
#include "station/core/save_paths.h"
#include "station/core/settings_models/clock_now.h"
#include "station/core/settings_models/trim_text.h"

namespace forms {

using station::Gbk;
using station::TrimText;

ui::ClassInfo& TFormSettings::static_class() {
    static ui::ClassInfo info("TFormSettings", &ui::Form::static_class());
    return info;
}

namespace {

// Any date serves: the pickers show only the time of day.
constexpr double kPickerDate = 41000.0;
// Told in the log when the device list changed; the station's own text when the language file
// has none for it.
constexpr const char* kNextStartKey = "Log.DeviceListNextStart";
constexpr const char* kNextStartText =
    u8"设备列表已修改：设备描述和保存路径将在程序下次启动后生效";

std::string time_text_of(const ui::DateTimePicker* picker) {
    const double fraction = picker->date_time() - std::floor(picker->date_time());
    return station::SecondsToTimeText(std::llround(fraction * 86400.0));
}

void set_picker_time(ui::DateTimePicker* picker, const std::string& text) {
    const int seconds = station::TimeTextToSeconds(text).value_or(0);
    picker->set_date_time(kPickerDate + seconds / 86400.0);
}

} // namespace

template <class T>
void TFormSettings::find(T*& part, const std::string& name) {
    part = dynamic_cast<T*>(find_component(name));
    // A description without one of the parts the code works with is no usable dialog.
    if (part == nullptr)
        throw ui::DescriptionError("TFormSettings: the description lacks " + name + " of class " +
                                   T::static_class().name);
}

TFormSettings::TFormSettings(ui::Component* owner, SettingsDialogServices services, std::string_view description)
    : ui::Form(owner), services_(std::move(services)) {
    using Notify = std::function<void(ui::Component*)>;
    auto on = [this](const char* name, std::function<void()> fn) {
        register_method(name, Notify([fn = std::move(fn)](ui::Component*) { fn(); }));
    };
    on("FormShow", [this] { FormShow(); });
    // OK runs before the button's modal result ends the loop: the click handler comes first.
    on("btnSureClick", [this] { btnSureClick(); });
    on("checkAutoRunClick", [this] { checkAutoRunClick(); });
    register_method("lvDevSelectItem", ui::LVSelectItemEvent([this](ui::Component*, ui::ListItem*, bool) {
                        lvDevClick();
                    }));
    on("btnAddDevClick", [this] { btnAddDevClick(); });
    on("btnEditDevClick", [this] { btnEditDevClick(); });
    on("btnDelDevClick", [this] { btnDelDevClick(); });
    on("btnDevUpClick", [this] { btnDevUpClick(); });
    on("btnDevDownClick", [this] { btnDevDownClick(); });
    on("comboConnModeChange", [this] {
        comboConnModeChange();
        mark_net_changed();
    });
    on("comboLocalIPChange", [this] { mark_net_changed(); });
    on("editLocalPortChange", [this] { mark_net_changed(); });
    on("comboDBConnModeChange", [this] { comboDBConnModeChange(); });
    on("radioDefaultAccessClick", [this] { radioAccessClick(); });
    on("radioUserAccessClick", [this] { radioAccessClick(); });
    on("editAccessPathButtonClick", [this] { editAccessPathButtonClick(); });
    on("radioLocalSavePathClick", [this] { radioSavePathClick(); });
    on("radioUserSavePathClick", [this] { radioSavePathClick(); });
    on("editSavePathButtonClick", [this] { editSavePathButtonClick(); });
    on("radio24HoursClick", [this] { radioPeriodClick(); });
    on("radioCustomPeriodClick", [this] { radioPeriodClick(); });
    for (int i = 0; i < station::kTimeSectionCount; ++i)
        on(("checkTimeSection" + std::to_string(i + 1) + "Click").c_str(), [this, i] { checkTimeSectionClick(i); });
    on("listFindDirClick", [this] { listFindDirClick(); });
    on("editNewFindDirChange", [this] { editNewFindDirChange(); });
    on("btnBrowseFindDirClick", [this] { btnBrowseFindDirClick(); });
    on("btnAddFindDirClick", [this] { btnAddFindDirClick(); });
    on("btnDelFindDirClick", [this] { btnDelFindDirClick(); });
    on("btnReplaceFindDirClick", [this] { btnReplaceFindDirClick(); });
    on("btnUpFindDirClick", [this] { btnUpFindDirClick(); });
    on("btnDownFindDirClick", [this] { btnDownFindDirClick(); });
    on("checkSyncDateTimeClick", [this] { checkSyncDateTimeClick(); });
    on("btnSyncDateTimeClick", [this] { btnSyncDateTimeClick(); });

    if (description.empty()) load_resource(L"VQFORMSETTINGS");
    else load_description(description);

    find(pageSettings, "pageSettings");
    find(tabGeneral, "tabGeneral");
    find(tabDevices, "tabDevices");
    find(tabLocalIP, "tabLocalIP");
    find(tabDB, "tabDB");
    find(tabSavePath, "tabSavePath");
    find(tabPeriod, "tabPeriod");
    find(tabFindRecPath, "tabFindRecPath");
    find(tabSyncDevDateTime, "tabSyncDevDateTime");
    find(tabLogLevel, "tabLogLevel");
    find(groupGeneral, "groupGeneral");
    find(checkAutoRun, "checkAutoRun");
    find(cbAutoRunMode, "cbAutoRunMode");
    find(checkEnableFTPOnStart, "checkEnableFTPOnStart");
    find(groupDeviceInfo, "groupDeviceInfo");
    find(lvDev, "lvDev");
    find(labelDeviceIP, "labelDeviceIP");
    find(labelPort, "labelPort");
    find(labelDeviceSerial, "labelDeviceSerial");
    find(editDeviceIP, "editDeviceIP");
    find(editDeviceSerial, "editDeviceSerial");
    find(editUserName, "editUserName");
    find(editPassword, "editPassword");
    find(editComment, "editComment");
    find(editSaveFolderName, "editSaveFolderName");
    find(editPort, "editPort");
    find(btnAddDev, "btnAddDev");
    find(btnEditDev, "btnEditDev");
    find(btnDelDev, "btnDelDev");
    find(btnDevUp, "btnDevUp");
    find(btnDevDown, "btnDevDown");
    find(comboConnMode, "comboConnMode");
    find(groupLocalIP, "groupLocalIP");
    find(comboLocalIP, "comboLocalIP");
    find(editLocalPort, "editLocalPort");
    find(groupDBInfo, "groupDBInfo");
    find(groupODBC, "groupODBC");
    find(groupAccess, "groupAccess");
    find(comboDBConnMode, "comboDBConnMode");
    find(comboODBCDsn, "comboODBCDsn");
    find(editODBCUser, "editODBCUser");
    find(editODBCPass, "editODBCPass");
    find(editAccessPath, "editAccessPath");
    find(radioDefaultAccess, "radioDefaultAccess");
    find(radioUserAccess, "radioUserAccess");
    find(groupSavePath, "groupSavePath");
    find(radioLocalSavePath, "radioLocalSavePath");
    find(radioUserSavePath, "radioUserSavePath");
    find(editSavePath, "editSavePath");
    find(groupPeriodSettings, "groupPeriodSettings");
    find(groupCustomPeriod, "groupCustomPeriod");
    find(radio24Hours, "radio24Hours");
    find(radioCustomPeriod, "radioCustomPeriod");
    for (int i = 0; i < station::kTimeSectionCount; ++i) {
        const std::string n = std::to_string(i + 1);
        find(checkTimeSection[i], "checkTimeSection" + n);
        find(DTTimeSecFrom[i], "DTTimeSec" + n + "From");
        find(DTTimeSecTo[i], "DTTimeSec" + n + "To");
        find(labelFrom[i], "labelFrom" + n);
        find(labelTo[i], "labelTo" + n);
        find(checkTSStop[i], "checkTSStop" + n);
    }
    find(groupRecFindPath, "groupRecFindPath");
    find(listFindDir, "listFindDir");
    find(editNewFindDir, "editNewFindDir");
    find(btnBrowseFindDir, "btnBrowseFindDir");
    find(btnAddFindDir, "btnAddFindDir");
    find(btnDelFindDir, "btnDelFindDir");
    find(btnReplaceFindDir, "btnReplaceFindDir");
    find(btnUpFindDir, "btnUpFindDir");
    find(btnDownFindDir, "btnDownFindDir");
    find(checkSyncDateTime, "checkSyncDateTime");
    find(labelEvery, "labelEvery");
    find(labelDays, "labelDays");
    find(spinSyncInterval, "spinSyncInterval");
    find(btnSyncDateTime, "btnSyncDateTime");
    find(groupLogLevelSettings, "groupLogLevelSettings");
    find(btnSure, "btnSure");
    find(btnCancel, "btnCancel");
}

void TFormSettings::editNewFindDirChange() {
    const bool typed = !TrimText(editNewFindDir->text()).empty();
    btnAddFindDir->set_enabled(typed);
    btnReplaceFindDir->set_enabled(typed && find_dirs_.Selected() >= 0);
}

int TFormSettings::LogLevelIndex() const { return groupLogLevelSettings->item_index(); }

// --- show ---------------------------------------------------------------------------------

void TFormSettings::FormShow() {
    loading_controls_ = true;
    station::StationGlobals& g = services_.Globals;
    if (!g.SettingsLoaded) {
        // A start that ended before the settings were read: the dialog shows what the file holds,
        // so that OK writes back what the user stored instead of the defaults.
        std::lock_guard<std::mutex> lock(g.FindDirsLock);
        station::LoadSettings(g.SettingsPath, g.ProgramDir, g.Settings, g.FindDirs);
        g.SettingsLoaded = true;
    }
    const station::StationSettings& s = g.Settings;
    pageSettings->set_active_page(tabGeneral);
    tabFindRecPath->set_tab_visible(s.PlayFuncEnable);

    checkAutoRun->set_checked(s.AutoRunEnable);
    cbAutoRunMode->set_item_index(s.AutoRunMode);
    checkAutoRunClick();
    checkEnableFTPOnStart->set_checked(s.AutoFTPEnable);

    fill_local_addresses();
    groupLogLevelSettings->set_item_index(s.LogLevel);

    comboDBConnMode->set_item_index(s.DBInfo.ConnMode);
    comboODBCDsn->set_text(s.DBInfo.ODBCDsn);
    editODBCUser->set_text(s.DBInfo.ODBCUser);
    editODBCPass->set_text(s.DBInfo.ODBCPass);
    comboDBConnModeChange();
    radioDefaultAccess->set_checked(s.DBInfo.LocalAccess);
    radioUserAccess->set_checked(!s.DBInfo.LocalAccess);
    editAccessPath->set_text(s.DBInfo.UserAccessPath);
    radioAccessClick();

    radioLocalSavePath->set_checked(s.LocalPath);
    radioUserSavePath->set_checked(!s.LocalPath);
    editSavePath->set_text(s.UserSavePath);
    radioSavePathClick();

    for (int i = 0; i < station::kTimeSectionCount; ++i) {
        const station::ATimeSection& t = s.TimeSections[static_cast<std::size_t>(i)];
        checkTimeSection[i]->set_checked(t.Enable);
        set_picker_time(DTTimeSecFrom[i], t.From);
        set_picker_time(DTTimeSecTo[i], t.To);
        checkTSStop[i]->set_checked(t.StopEnable);
        checkTimeSectionClick(i);
    }
    radio24Hours->set_checked(s.AllDay);
    radioCustomPeriod->set_checked(!s.AllDay);
    radioPeriodClick();

    {
        std::lock_guard<std::mutex> lock(services_.Globals.FindDirsLock);
        find_dirs_.Reset(services_.Globals.FindDirs);
    }
    show_find_dirs();
    editNewFindDir->set_text(std::string());
    btnAddFindDir->set_enabled(false);
    btnReplaceFindDir->set_enabled(false);

    checkSyncDateTime->set_checked(s.SyncEnable);
    spinSyncInterval->set_value(s.SyncIntervalDays);
    checkSyncDateTimeClick();

    FNetChanged = false;
    FFindDirsChanged = false;
    load_library_settings();
    clear_device_edits();
    btnEditDev->set_enabled(false);
    btnDelDev->set_enabled(false);
    loading_controls_ = false;
}

void TFormSettings::fill_local_addresses() {
    std::vector<std::string> addresses;
    if (services_.LocalAddresses) addresses = services_.LocalAddresses();
    else station::GetLocalAddresses(addresses);
    comboLocalIP->items().clear();
    for (const std::string& a : addresses) comboLocalIP->items().add(a);
}

void TFormSettings::load_library_settings() {
    const station::LibrarySettings s = station::LoadLibrarySettings(services_.Globals.LibraryConfigPath);
    FLocalIP = s.LocalIP;
    FLocalPort = s.LocalPort;
    comboLocalIP->set_text(FLocalIP);
    editLocalPort->set_value(FLocalPort);
    devices_.Reset(s.Devices);
    show_devices();
    comboConnMode->set_item_index(s.ConnModeItem);
    comboConnModeChange();
}

// --- page behaviour -------------------------------------------------------------------------

void TFormSettings::checkAutoRunClick() { cbAutoRunMode->set_enabled(checkAutoRun->checked()); }

void TFormSettings::comboDBConnModeChange() {
    const int mode = comboDBConnMode->item_index();
    groupODBC->set_visible(mode == 0);
    groupAccess->set_visible(mode == 1);
}

void TFormSettings::radioAccessClick() { editAccessPath->set_enabled(radioUserAccess->checked()); }

void TFormSettings::editAccessPathButtonClick() {
    std::string file;
    if (services_.Shell.ChooseFile(handle(), file)) editAccessPath->set_text(TrimText(file));
}

void TFormSettings::radioSavePathClick() { editSavePath->set_enabled(radioUserSavePath->checked()); }

void TFormSettings::editSavePathButtonClick() {
    std::string folder;
    if (services_.Shell.BrowseForFolder(handle(), Gbk(u8"选择下载后的保存路径"), folder))
        editSavePath->set_text(TrimText(folder));
}

void TFormSettings::radioPeriodClick() {
    const bool custom = radioCustomPeriod->checked();
    groupCustomPeriod->set_enabled(custom);
    // Disabling the group alone leaves its controls drawn as enabled.
    for (int i = 0; i < station::kTimeSectionCount; ++i) {
        checkTimeSection[i]->set_enabled(custom);
        checkTimeSectionClick(i);
    }
}

void TFormSettings::checkTimeSectionClick(int row) {
    const bool on = checkTimeSection[row]->checked() && checkTimeSection[row]->enabled();
    for (ui::Control* c : std::initializer_list<ui::Control*>{DTTimeSecFrom[row], DTTimeSecTo[row], checkTSStop[row],
                                                              labelFrom[row], labelTo[row]})
        c->set_enabled(on);
}

void TFormSettings::checkSyncDateTimeClick() {
    const bool on = checkSyncDateTime->checked();
    for (ui::Control* c : std::initializer_list<ui::Control*>{labelEvery, spinSyncInterval, labelDays})
        c->set_enabled(on);
}

void TFormSettings::btnSyncDateTimeClick() {
    if (!services_.Boards || !services_.Library) return;
    station::SetConnectedDeviceClocks(*services_.Boards, services_.Globals.DeviceCount, *services_.Library,
                                      station::FormatDeviceClock(plat::local_now()));
}

// --- search folders ---------------------------------------------------------------------------

void TFormSettings::show_find_dirs() {
    listFindDir->items().clear();
    for (const std::string& f : find_dirs_.Folders()) listFindDir->items().add(f);
    listFindDir->set_item_index(find_dirs_.Selected());
    btnDelFindDir->set_enabled(find_dirs_.Selected() >= 0);
}

void TFormSettings::listFindDirClick() {
    find_dirs_.Select(listFindDir->item_index());
    btnDelFindDir->set_enabled(find_dirs_.Selected() >= 0);
    btnReplaceFindDir->set_enabled(find_dirs_.Selected() >= 0 && !TrimText(editNewFindDir->text()).empty());
}

void TFormSettings::btnBrowseFindDirClick() {
    std::string folder;
    if (!services_.Shell.BrowseForFolder(handle(), services_.Globals.Texts.Get("Log.SelectPathToSearch"), folder))
        return;
    if (TrimText(folder) == TrimText(editNewFindDir->text())) return;
    editNewFindDir->set_text(folder);
    btnAddFindDir->set_enabled(true);
}

void TFormSettings::btnAddFindDirClick() {
    const station::AddFolderResult r = find_dirs_.Add(
        editNewFindDir->text(), [](const std::string& folder) { return plat::directory_exists(folder); });
    if (r == station::AddFolderResult::FolderMissing) {
        services_.Prompts.Inform(services_.Globals.Texts.Get("MsgBox.Error"),
                                 services_.Globals.Texts.Get("Log.PathNotExists"));
        return;
    }
    if (r != station::AddFolderResult::Added) return;
    show_find_dirs();
    editNewFindDir->set_text(std::string());
    btnAddFindDir->set_enabled(false);
    FFindDirsChanged = true;
}

void TFormSettings::btnDelFindDirClick() {
    if (!find_dirs_.DeleteSelected()) return;
    show_find_dirs();
    FFindDirsChanged = true;
}

void TFormSettings::btnReplaceFindDirClick() {
    if (!find_dirs_.ReplaceSelected(editNewFindDir->text())) return;
    show_find_dirs();
    btnReplaceFindDir->set_enabled(false);
    btnAddFindDir->set_enabled(false);
    FFindDirsChanged = true;
}

void TFormSettings::btnUpFindDirClick() {
    if (!find_dirs_.MoveSelectedUp()) return;
    show_find_dirs();
    FFindDirsChanged = true;
}

void TFormSettings::btnDownFindDirClick() {
    if (!find_dirs_.MoveSelectedDown()) return;
    show_find_dirs();
    FFindDirsChanged = true;
}

// --- devices ----------------------------------------------------------------------------------

void TFormSettings::mark_net_changed() {
    if (!loading_controls_) FNetChanged = true;
}

void TFormSettings::show_devices() {
    const int selected = devices_.Selected();
    const bool was_loading = loading_controls_;
    loading_controls_ = true;
    lvDev->begin_update();
    lvDev->clear();
    int n = 1;
    for (const station::DeviceRow& r : devices_.Rows()) {
        ui::ListItem* item = lvDev->add_item();
        item->set_caption(std::to_string(n++));
        for (const std::string& cell : {r.Address, std::to_string(r.Port), r.Serial, r.Description, r.SaveFolder})
            item->sub_items().add(cell);
    }
    lvDev->end_update();
    if (selected >= 0) lvDev->item(selected)->set_selected(true);
    loading_controls_ = was_loading;
    select_device(selected);
}

void TFormSettings::select_device(int row) {
    devices_.Select(row);
    const bool any = devices_.Selected() >= 0;
    btnEditDev->set_enabled(any);
    btnDelDev->set_enabled(any);
}

void TFormSettings::lvDevClick() {
    if (loading_controls_) return;
    select_device(lvDev->selected_index());
    if (devices_.Selected() < 0) return;
    const station::DeviceRow& r = devices_.Rows()[static_cast<std::size_t>(devices_.Selected())];
    editDeviceIP->set_text(r.Address);
    editPort->set_value(r.Port);
    editDeviceSerial->set_text(r.Serial);
    editComment->set_text(r.Description);
    editSaveFolderName->set_text(r.SaveFolder);
    editUserName->set_text(r.User);
    editPassword->set_text(r.Password);
}

station::DeviceRow TFormSettings::typed_device() const {
    station::DeviceRow r;
    r.Address = editDeviceIP->text();
    // An emptied port reads as the default (BlankValue); a typed one is held in 0..65535.
    r.Port = static_cast<int>(editPort->value());
    r.Serial = editDeviceSerial->text();
    r.Description = editComment->text();
    r.SaveFolder = editSaveFolderName->text();
    r.User = editUserName->text();
    r.Password = editPassword->text();
    return r;
}

void TFormSettings::clear_device_edits() {
    for (ec::TEcEdit* e : {editDeviceIP, editDeviceSerial, editComment, editSaveFolderName, editUserName, editPassword})
        e->set_text(std::string());
    editPort->set_value(station::kDefaultDevicePort);
}

void TFormSettings::btnAddDevClick() {
    devices_.Add(typed_device());
    show_devices();
    FNetChanged = true;
    clear_device_edits();
}

void TFormSettings::btnEditDevClick() {
    if (!devices_.EditSelected(typed_device())) return;
    show_devices();
    FNetChanged = true;
}

void TFormSettings::btnDelDevClick() {
    if (!devices_.DeleteSelected()) return;
    show_devices();
    FNetChanged = true;
    clear_device_edits();
}

void TFormSettings::btnDevUpClick() {
    if (!devices_.MoveSelectedUp()) return;
    show_devices();
    FNetChanged = true;
}

void TFormSettings::btnDevDownClick() {
    if (!devices_.MoveSelectedDown()) return;
    show_devices();
    FNetChanged = true;
}

void TFormSettings::comboConnModeChange() {
    const bool devices_connect = comboConnMode->item_index() == station::kConnModeDevicesConnect;
    for (ui::Control* c : std::initializer_list<ui::Control*>{labelDeviceIP, editDeviceIP, labelPort, editPort})
        c->set_enabled(!devices_connect);
    labelDeviceSerial->set_enabled(devices_connect);
    editDeviceSerial->set_enabled(devices_connect);
}

void TFormSettings::save_library_settings() {
    station::LibrarySettings s;
    FLocalIP = TrimText(comboLocalIP->text());
    FLocalPort = static_cast<std::int32_t>(editLocalPort->value());
    s.LocalIP = FLocalIP;
    s.LocalPort = FLocalPort;
    s.Devices = devices_.Rows();
    s.ConnModeItem = comboConnMode->item_index() == station::kConnModeDevicesConnect
                         ? station::kConnModeDevicesConnect
                         : station::kConnModeStationConnects;
    station::SaveLibrarySettings(services_.Globals.LibraryConfigPath, s);
}

// --- OK ---------------------------------------------------------------------------------------

int TFormSettings::EmptyTimeSection() const {
    if (!radioCustomPeriod->checked()) return -1;
    for (int i = 0; i < station::kTimeSectionCount; ++i) {
        if (checkTimeSection[i]->checked() && time_text_of(DTTimeSecFrom[i]) == time_text_of(DTTimeSecTo[i]))
            return i;
    }
    return -1;
}

void TFormSettings::btnSureClick() {
    station::StationGlobals& g = services_.Globals;
    station::StationSettings& s = g.Settings;
    // A section from a time to the same time would fetch during one second a day: surely not
    // what was meant. Refused before anything is written; the dialog stays open.
    if (const int empty = EmptyTimeSection(); empty >= 0) {
        set_modal_result(ui::mrNone);
        pageSettings->set_active_page(tabPeriod);
        services_.Prompts.Inform(g.Texts.Get("MsgBox.Error"), g.Texts.Format("Log.TimeSectionEmpty", {empty + 1}));
        return;
    }
    if (FNetChanged) {
        save_library_settings();
        // The running library keeps the device order it read at start-up, and the station's
        // device table follows it: re-reading descriptions and folder names by the new row
        // numbers now would file one device's recordings under another's folder.
        const std::string& told = g.Texts.Get(kNextStartKey);
        g.Log.WriteLog(told.empty() ? Gbk(kNextStartText) : told, station::LogMessage);
        g.EraseDevEnable = true;
    }
    const station::AutorunChoice old_choice{s.AutoRunEnable, s.AutoRunMode};

    s.AutoRunEnable = checkAutoRun->checked();
    s.AutoRunMode = cbAutoRunMode->item_index();
    s.AutoFTPEnable = checkEnableFTPOnStart->checked();
    s.LogLevel = LogLevelIndex();
    s.DBInfo.ConnMode = comboDBConnMode->item_index();
    s.DBInfo.ODBCDsn = TrimText(comboODBCDsn->text());
    s.DBInfo.ODBCUser = TrimText(editODBCUser->text());
    s.DBInfo.ODBCPass = TrimText(editODBCPass->text());
    s.DBInfo.LocalAccess = radioDefaultAccess->checked();
    s.DBInfo.UserAccessPath = TrimText(editAccessPath->text());

    g.RescanSaveFolders = true;
    s.LocalPath = radioLocalSavePath->checked();
    s.UserSavePath = TrimText(editSavePath->text());
    s.UserSavePathResolved = station::ResolveRelativePath(s.UserSavePath, g.ProgramDir);

    s.AllDay = radio24Hours->checked();
    for (int i = 0; i < station::kTimeSectionCount; ++i) {
        station::ATimeSection& t = s.TimeSections[static_cast<std::size_t>(i)];
        t.Enable = checkTimeSection[i]->checked();
        t.From = time_text_of(DTTimeSecFrom[i]);
        t.To = time_text_of(DTTimeSecTo[i]);
        t.StopEnable = checkTSStop[i]->checked();
    }
    s.SyncEnable = checkSyncDateTime->checked();
    s.SyncIntervalDays = static_cast<int>(spinSyncInterval->value());

    if (const std::string error = station::SaveSettings(g.SettingsPath, s); !error.empty()) {
        // The values stay in memory; what would have followed the failed write is skipped.
        services_.Prompts.Inform(g.Texts.Get("MsgBox.Error"), error);
        return;
    }
    station::UpdateAutorun(services_.Registry, old_choice, {s.AutoRunEnable, s.AutoRunMode}, services_.ProgramPath);

    if (FFindDirsChanged) {
        station::SaveFindDirs(g.SettingsPath, find_dirs_.Folders());
        std::lock_guard<std::mutex> lock(g.FindDirsLock);
        g.FindDirs = find_dirs_.Folders();
    }
}

} // namespace forms
