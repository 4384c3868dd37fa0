// The station's settings dialog: start-up and autorun, the device list and the library's
// network settings, the database, the save folder, the transfer periods, the search folders,
// clock synchronisation and the log level. Created once, shown modally again and again; every
// showing reloads the controls, OK applies and saves, Cancel discards.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/win/comctl_controls.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/list_view.h"
#include "platform/ui/win/std_controls.h"
#include "station/core/engine/board_info.h"
#include "station/core/engine/transfer_library.h"
#include "station/core/globals.h"
#include "station/core/settings_models/autorun.h"
#include "station/core/settings_models/device_list.h"
#include "station/core/settings_models/find_dirs.h"
#include "station/forms/settings/prompts.h"
#include "station/forms/settings/shell_seam.h"

namespace forms {

struct SettingsDialogServices {
    station::StationGlobals& Globals;
    station::IRunKeyRegistry& Registry;
    IPrompts& Prompts;
    IShellActions& Shell;
    std::string ProgramPath;  // the running program, for the autorun value
    std::function<std::vector<std::string>()> LocalAddresses;  // empty: the host's addresses
    // "Synchronise now" reaches the devices through these; absent, it sends nothing.
    const station::BoardTable* Boards = nullptr;
    station::ITransferLibrary* Library = nullptr;
};

class TFormSettings : public ui::Form {
    UI_CLASS_IDENTITY()
public:
    TFormSettings(ui::Component* owner, SettingsDialogServices services);

    bool FNetChanged = false;
    bool FFindDirsChanged = false;
    std::string FLocalIP;
    std::int32_t FLocalPort = station::kDefaultLocalPort;

    ui::PageControl* pageSettings;
    ui::TabSheet *tabGeneral, *tabDevices, *tabLocalIP, *tabDB, *tabSavePath, *tabPeriod, *tabFindRecPath,
        *tabSyncDevDateTime, *tabLogLevel;
    // General.
    ui::GroupBox* groupGeneral;
    ui::CheckBox* checkAutoRun;
    ui::ComboBox* cbAutoRunMode;
    ui::CheckBox* checkEnableFTPOnStart;
    // Devices.
    ui::GroupBox* groupDeviceInfo;
    ui::ListView* lvDev;
    ui::Label *labelDeviceIP, *labelPort, *labelDeviceSerial;
    ui::Edit *editDeviceIP, *editPort, *editDeviceSerial, *editUserName, *editPassword, *editComment,
        *editSaveFolderName;
    ui::UpDown* spinPort;
    ui::Button *btnAddDev, *btnEditDev, *btnDelDev, *btnDevUp, *btnDevDown;
    ui::ComboBox* comboConnMode;
    // Local address.
    ui::GroupBox* groupLocalIP;
    ui::ComboBox* comboLocalIP;
    ui::Edit* editLocalPort;
    ui::UpDown* spinLocalPort;
    // Database.
    ui::GroupBox *groupDBInfo, *groupODBC, *groupAccess;
    ui::ComboBox *comboDBConnMode, *comboODBCDsn;
    ui::Edit *editODBCUser, *editODBCPass, *editAccessPath;
    ui::Button* btnAccessPath;
    ui::RadioButton *radioDefaultAccess, *radioUserAccess;
    // Save folder.
    ui::GroupBox* groupSavePath;
    ui::RadioButton *radioLocalSavePath, *radioUserSavePath;
    ui::Edit* editSavePath;
    ui::Button* btnSavePath;
    // Periods.
    ui::GroupBox *groupPeriodSettings, *groupCustomPeriod;
    ui::RadioButton *radio24Hours, *radioCustomPeriod;
    std::array<ui::CheckBox*, station::kTimeSectionCount> checkTimeSection{};
    std::array<ui::DateTimePicker*, station::kTimeSectionCount> DTTimeSecFrom{}, DTTimeSecTo{};
    std::array<ui::Label*, station::kTimeSectionCount> labelFrom{}, labelTo{};
    std::array<ui::CheckBox*, station::kTimeSectionCount> checkTSStop{};
    // Search folders.
    ui::GroupBox* groupRecFindPath;
    ui::ListBox* listFindDir;
    ui::Edit* editNewFindDir;
    ui::Button *btnBrowseFindDir, *btnAddFindDir, *btnDelFindDir, *btnReplaceFindDir, *btnUpFindDir, *btnDownFindDir;
    // Clock synchronisation.
    ui::CheckBox* checkSyncDateTime;
    ui::Label *labelEvery, *labelDays;
    ui::Edit* editSyncInterval;
    ui::UpDown* spinSyncInterval;
    ui::Button* btnSyncDateTime;
    // Log level.
    ui::GroupBox* groupLogLevelSettings;
    std::array<ui::RadioButton*, 5> radioLogLevel{};

    ui::Button *btnSure, *btnCancel;

    int LogLevelIndex() const;
    // The first custom section in use whose start equals its end; -1 when there is none.
    int EmptyTimeSection() const;

    // The handlers, as the controls call them.
    void FormShow();
    void btnSureClick();
    void checkAutoRunClick();
    void comboDBConnModeChange();
    void editAccessPathButtonClick();
    void editSavePathButtonClick();
    void radioSavePathClick();
    void radioAccessClick();
    void radioPeriodClick();
    void checkTimeSectionClick(int row);
    void checkSyncDateTimeClick();
    void btnSyncDateTimeClick();
    void lvDevClick();
    void btnAddDevClick();
    void btnEditDevClick();
    void btnDelDevClick();
    void btnDevUpClick();
    void btnDevDownClick();
    void comboConnModeChange();
    void listFindDirClick();
    void btnBrowseFindDirClick();
    void btnAddFindDirClick();
    void btnDelFindDirClick();
    void btnReplaceFindDirClick();
    void btnUpFindDirClick();
    void btnDownFindDirClick();

private:
    void build_general();
    void build_devices();
    void build_local_ip();
    void build_database();
    void build_save_path();
    void build_periods();
    void build_find_dirs();
    void build_sync();
    void build_log_level();
    void fill_local_addresses();
    void load_library_settings();
    void save_library_settings();
    void show_devices();
    void select_device(int row);
    station::DeviceRow typed_device() const;
    void clear_device_edits();
    void show_find_dirs();
    void mark_net_changed();

    SettingsDialogServices services_;
    station::DeviceListModel devices_;
    station::FindDirListModel find_dirs_;
    // Set while the dialog fills its controls: what it sets then is no change by the user.
    bool loading_controls_ = false;
};

} // namespace forms
