// The station's settings dialog: start-up and autorun, the device list and the library's
// network settings, the database, the save folder, the transfer periods, the search folders,
// clock synchronisation and the log level. Created once, shown modally again and again; every
// showing reloads the controls, OK applies and saves, Cancel discards.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/ec_btn_edt.h"
#include "controls/ec_button.h"
#include "controls/ec_cmbo_bx.h"
#include "controls/ec_dtp.h"
#include "controls/ec_edit.h"
#include "controls/ec_label.h"
#include "controls/ec_list_vw.h"
#include "controls/ec_lst_box.h"
#include "controls/ec_panel.h"
#include "controls/ec_rad_chk.h"
#include "controls/ec_rad_grp.h"
#include "controls/ec_spn_edt.h"
#include "controls/ec_tabs.h"
#include "platform/ui/win/forms.h"
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
    // Reads the dialog from `description` (tests) or, when it is empty, from the program's
    // resource; a description that is missing or does not read throws, and no dialog is made.
    TFormSettings(ui::Component* owner, SettingsDialogServices services, std::string_view description = {});

    bool FNetChanged = false;
    bool FFindDirsChanged = false;
    std::string FLocalIP;
    std::int32_t FLocalPort = station::kDefaultLocalPort;

    ec::TEcPageControl* pageSettings;
    ec::TEcTabSheet *tabGeneral, *tabDevices, *tabLocalIP, *tabDB, *tabSavePath, *tabPeriod, *tabFindRecPath,
        *tabSyncDevDateTime, *tabLogLevel;
    // General.
    ec::TEcGroupBox* groupGeneral;
    ec::TEcCheckBox* checkAutoRun;
    ec::TEcComboBox* cbAutoRunMode;
    ec::TEcCheckBox* checkEnableFTPOnStart;
    // Devices.
    ec::TEcGroupBox* groupDeviceInfo;
    ec::TEcListView* lvDev;
    ec::TEcLabel *labelDeviceIP, *labelPort, *labelDeviceSerial;
    ec::TEcEdit *editDeviceIP, *editDeviceSerial, *editUserName, *editPassword, *editComment, *editSaveFolderName;
    ec::TEcSpinEdit* editPort;
    ec::TEcButton *btnAddDev, *btnEditDev, *btnDelDev;
    ec::TEcBitBtn *btnDevUp, *btnDevDown;
    ec::TEcComboBox* comboConnMode;
    // Local address.
    ec::TEcGroupBox* groupLocalIP;
    ec::TEcComboBox* comboLocalIP;
    ec::TEcSpinEdit* editLocalPort;
    // Database.
    ec::TEcGroupBox *groupDBInfo, *groupODBC, *groupAccess;
    ec::TEcComboBox *comboDBConnMode, *comboODBCDsn;
    ec::TEcEdit *editODBCUser, *editODBCPass;
    ec::TEcButtonEdit* editAccessPath;
    ec::TEcRadioButton *radioDefaultAccess, *radioUserAccess;
    // Save folder.
    ec::TEcGroupBox* groupSavePath;
    ec::TEcRadioButton *radioLocalSavePath, *radioUserSavePath;
    ec::TEcButtonEdit* editSavePath;
    // Periods.
    ec::TEcGroupBox *groupPeriodSettings, *groupCustomPeriod;
    ec::TEcRadioButton *radio24Hours, *radioCustomPeriod;
    std::array<ec::TEcCheckBox*, station::kTimeSectionCount> checkTimeSection{};
    std::array<ec::TEcDateTimePicker*, station::kTimeSectionCount> DTTimeSecFrom{}, DTTimeSecTo{};
    std::array<ec::TEcLabel*, station::kTimeSectionCount> labelFrom{}, labelTo{};
    std::array<ec::TEcCheckBox*, station::kTimeSectionCount> checkTSStop{};
    // Search folders.
    ec::TEcGroupBox* groupRecFindPath;
    ec::TEcListBox* listFindDir;
    ec::TEcEdit* editNewFindDir;
    ec::TEcButton *btnBrowseFindDir, *btnAddFindDir, *btnDelFindDir, *btnReplaceFindDir;
    ec::TEcBitBtn *btnUpFindDir, *btnDownFindDir;
    // Clock synchronisation.
    ec::TEcCheckBox* checkSyncDateTime;
    ec::TEcLabel *labelEvery, *labelDays;
    ec::TEcSpinEdit* spinSyncInterval;
    ec::TEcButton* btnSyncDateTime;
    // Log level: the chosen line is the level.
    ec::TEcRadioGroup* groupLogLevelSettings;

    ec::TEcBitBtn *btnSure, *btnCancel;

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
    void editNewFindDirChange();
    void btnBrowseFindDirClick();
    void btnAddFindDirClick();
    void btnDelFindDirClick();
    void btnReplaceFindDirClick();
    void btnUpFindDirClick();
    void btnDownFindDirClick();

private:
    template <class T>
    void find(T*& part, const std::string& name);
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
