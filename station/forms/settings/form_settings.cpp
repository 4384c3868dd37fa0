#include "station/forms/settings/form_settings.h"

#include <cmath>

#include "platform/clock.h"
#include "platform/files.h"
#include "station/core/date_time_text.h"
#include "station/core/gbk_literal.h"
#include "station/core/local_addresses.h"
#include "station/core/save_paths.h"
#include "station/core/settings_models/clock_now.h"
#include "station/core/settings_models/trim_text.h"
#include "station/forms/settings/place.h"
#include "station/forms/settings/spin_text.h"

namespace forms {

using station::Gbk;
using station::TrimText;

ui::ClassInfo& TFormSettings::static_class() {
    static ui::ClassInfo info("TFormSettings", &ui::Form::static_class());
    return info;
}

namespace {

constexpr int kPageWidth = 576;
// Any date serves: the pickers show only the time of day.
constexpr double kPickerDate = 41000.0;
// Told in the log when the device list changed; the station's own text when the language file
// has none for it.
constexpr const char* kNextStartKey = "Log.DeviceListNextStart";
constexpr const char* kNextStartText =
    u8"设备列表已修改：设备描述和保存路径将在程序下次启动后生效";

ui::TabSheet* add_page(TFormSettings* form, ui::PageControl* pages, const char* name, const char* caption) {
    auto* page = new ui::TabSheet(form);
    page->set_name(name);
    page->set_caption(Gbk(caption));
    page->set_page_control(pages);
    return page;
}

ui::Label* add_label(TFormSettings* form, ui::WinControl* parent, const std::string& name, int left, int top,
                     const char* caption, int width = 90) {
    return Place<ui::Label>(form, parent, name, left, top + 3, width, 14, Gbk(caption));
}

ui::UpDown* attach_spin(TFormSettings* form, ui::WinControl* parent, const std::string& name, ui::Edit* edit, int min,
                        int max) {
    auto* spin = Place<ui::UpDown>(form, parent, name, edit->left() + edit->width(), edit->top(), 16, edit->height());
    spin->set_min(min);
    spin->set_max(max);
    spin->set_thousands(false);
    spin->set_associate(edit);
    return spin;
}

std::string time_text_of(const ui::DateTimePicker* picker) {
    const double fraction = picker->date_time() - std::floor(picker->date_time());
    return station::SecondsToTimeText(std::llround(fraction * 86400.0));
}

void set_picker_time(ui::DateTimePicker* picker, const std::string& text) {
    const int seconds = station::TimeTextToSeconds(text).value_or(0);
    picker->set_date_time(kPickerDate + seconds / 86400.0);
}

} // namespace

TFormSettings::TFormSettings(ui::Component* owner, SettingsDialogServices services)
    : ui::Form(owner), services_(std::move(services)) {
    set_name("FormSettings");
    set_caption(Gbk(u8"设置"));
    set_border_style(ui::TFormBorderStyle::bsDialog);
    set_border_icons({ui::TBorderIcon::biSystemMenu});
    set_position(ui::TPosition::poScreenCenter);
    font().set_name(Gbk(u8"宋体"));
    set_client_width(600);
    set_client_height(430);

    pageSettings = Place<ui::PageControl>(this, this, "pageSettings", 8, 8, 584, 374);
    pageSettings->set_multi_line(true);
    tabGeneral = add_page(this, pageSettings, "tabGeneral", u8"通用");
    tabDevices = add_page(this, pageSettings, "tabDevices", u8"设备信息");
    tabLocalIP = add_page(this, pageSettings, "tabLocalIP", u8"本机IP");
    tabDB = add_page(this, pageSettings, "tabDB", u8"数据库访问");
    tabSavePath = add_page(this, pageSettings, "tabSavePath", u8"下载保存路径");
    tabPeriod = add_page(this, pageSettings, "tabPeriod", u8"下载时段");
    tabFindRecPath = add_page(this, pageSettings, "tabFindRecPath", u8"搜索路径");
    tabSyncDevDateTime = add_page(this, pageSettings, "tabSyncDevDateTime", u8"设备时间同步");
    tabLogLevel = add_page(this, pageSettings, "tabLogLevel", u8"日志级别");
    build_general();
    build_devices();
    build_local_ip();
    build_database();
    build_save_path();
    build_periods();
    build_find_dirs();
    build_sync();
    build_log_level();

    btnSure = Place<ui::Button>(this, this, "btnSure", 428, 394, 75, 25, Gbk(u8"确定"));
    btnSure->set_default(true);
    btnSure->set_modal_result(ui::mrOk);
    btnCancel = Place<ui::Button>(this, this, "btnCancel", 516, 394, 75, 25, Gbk(u8"取消"));
    btnCancel->set_cancel(true);
    btnCancel->set_modal_result(ui::mrCancel);
    // OK runs before the button's modal result ends the loop: the click handler comes first.
    btnSure->on_click = [this](ui::Component*) { btnSureClick(); };
    on_show = [this](ui::Component*) { FormShow(); };
}

void TFormSettings::build_general() {
    groupGeneral = Place<ui::GroupBox>(this, tabGeneral, "groupGeneral", 12, 12, kPageWidth - 32, 90, Gbk(u8"自启动"));
    checkAutoRun = Place<ui::CheckBox>(this, groupGeneral, "checkAutoRun", 16, 22, 300, 20,
                                       Gbk(u8"系统启动时自动运行该程序  "));
    cbAutoRunMode = Place<ui::ComboBox>(this, groupGeneral, "cbAutoRunMode", 36, 52, 260, 22);
    cbAutoRunMode->set_style(ui::TComboBoxStyle::csDropDownList);
    cbAutoRunMode->items().add(Gbk(u8"任何用户登陆时自动运行"));
    cbAutoRunMode->items().add(Gbk(u8"当前用户登陆时自动运行"));
    checkEnableFTPOnStart = Place<ui::CheckBox>(this, tabGeneral, "checkEnableFTPOnStart", 28, 116, 320, 20,
                                                Gbk(u8"程序启动后，自动启动FTP功能"));
    checkAutoRun->on_click = [this](ui::Component*) { checkAutoRunClick(); };
}

void TFormSettings::build_devices() {
    groupDeviceInfo = Place<ui::GroupBox>(this, tabDevices, "groupDeviceInfo", 8, 4, kPageWidth - 24, 150,
                                          Gbk(u8"设备信息"));
    lvDev = Place<ui::ListView>(this, groupDeviceInfo, "lvDev", 8, 18, kPageWidth - 40, 124);
    lvDev->set_view_style(ui::TViewStyle::vsReport);
    lvDev->set_row_select(true);
    lvDev->set_read_only(true);
    lvDev->set_hide_selection(false);
    const std::pair<const char*, int> columns[] = {{u8"序号", 40},     {u8"设备 IP", 100},   {u8"设备端口", 60},
                                                   {u8"设备序列号", 100}, {u8"设备描述", 100}, {u8"保存路径", 100}};
    for (const auto& [caption, width] : columns) {
        ui::ListColumn* c = lvDev->columns().add_item();
        c->set_caption(Gbk(caption));
        c->set_width(width);
    }
    labelDeviceIP = add_label(this, tabDevices, "labelDeviceIP", 8, 164, u8"设备 IP ：", 70);
    editDeviceIP = Place<ui::Edit>(this, tabDevices, "editDeviceIP", 84, 164, 120, 21);
    labelPort = add_label(this, tabDevices, "labelPort", 216, 164, u8"端口：", 40);
    editPort = Place<ui::Edit>(this, tabDevices, "editPort", 258, 164, 60, 21);
    spinPort = attach_spin(this, tabDevices, "spinPort", editPort, 0, station::kMaxDevicePort);
    labelDeviceSerial = add_label(this, tabDevices, "labelDeviceSerial", 344, 164, u8"序列号：", 60);
    editDeviceSerial = Place<ui::Edit>(this, tabDevices, "editDeviceSerial", 412, 164, 148, 21);
    add_label(this, tabDevices, "labelUserName", 8, 192, u8"用户名：", 70);
    editUserName = Place<ui::Edit>(this, tabDevices, "editUserName", 84, 192, 120, 21);
    add_label(this, tabDevices, "labelPassword", 216, 192, u8"密码：", 40);
    editPassword = Place<ui::Edit>(this, tabDevices, "editPassword", 258, 192, 76, 21);
    // The library's login carries at most 15 characters of each.
    editUserName->set_max_length(static_cast<int>(station::kMaxLoginBytes));
    editPassword->set_max_length(static_cast<int>(station::kMaxLoginBytes));
    editPassword->set_password_char("*");
    add_label(this, tabDevices, "labelComment", 8, 220, u8"设备描述：", 70);
    editComment = Place<ui::Edit>(this, tabDevices, "editComment", 84, 220, 120, 21);
    add_label(this, tabDevices, "labelSaveFolderName", 216, 220, u8"相对保存路径：", 100);
    editSaveFolderName = Place<ui::Edit>(this, tabDevices, "editSaveFolderName", 318, 220, 120, 21);
    btnAddDev = Place<ui::Button>(this, tabDevices, "btnAddDev", 84, 250, 64, 24, Gbk(u8"增加"));
    btnEditDev = Place<ui::Button>(this, tabDevices, "btnEditDev", 156, 250, 64, 24, Gbk(u8"编辑"));
    btnDelDev = Place<ui::Button>(this, tabDevices, "btnDelDev", 228, 250, 64, 24, Gbk(u8"删除"));
    btnDevUp = Place<ui::Button>(this, tabDevices, "btnDevUp", 300, 250, 64, 24, Gbk(u8"上移"));
    btnDevDown = Place<ui::Button>(this, tabDevices, "btnDevDown", 372, 250, 64, 24, Gbk(u8"下移"));
    add_label(this, tabDevices, "labelConnMode", 8, 286, u8"连接模式 ：", 70);
    comboConnMode = Place<ui::ComboBox>(this, tabDevices, "comboConnMode", 84, 286, 476, 22);
    comboConnMode->set_style(ui::TComboBoxStyle::csDropDownList);
    comboConnMode->items().add(Gbk(u8"服务器主动连接录音设备 ( 设备可分配固定 IP 地址 )"));
    comboConnMode->items().add(Gbk(u8"录音设备主动连接服务器 ( 服务器可分配固定 IP 地址 )"));

    lvDev->on_select_item = [this](ui::Component*, ui::ListItem*, bool) { lvDevClick(); };
    btnAddDev->on_click = [this](ui::Component*) { btnAddDevClick(); };
    btnEditDev->on_click = [this](ui::Component*) { btnEditDevClick(); };
    btnDelDev->on_click = [this](ui::Component*) { btnDelDevClick(); };
    btnDevUp->on_click = [this](ui::Component*) { btnDevUpClick(); };
    btnDevDown->on_click = [this](ui::Component*) { btnDevDownClick(); };
    comboConnMode->on_change = [this](ui::Component*) {
        comboConnModeChange();
        mark_net_changed();
    };
}

void TFormSettings::build_local_ip() {
    groupLocalIP = Place<ui::GroupBox>(this, tabLocalIP, "groupLocalIP", 12, 12, kPageWidth - 32, 100,
                                       Gbk(u8"本机信息（如果本机有双网卡，则必须设置 IP 地址；单网卡，本机 IP 可以为空）"));
    add_label(this, groupLocalIP, "labelLocalIP", 16, 30, u8"本机 IP 地址：", 100);
    comboLocalIP = Place<ui::ComboBox>(this, groupLocalIP, "comboLocalIP", 120, 30, 160, 22);
    add_label(this, groupLocalIP, "labelLocalPort", 16, 62, u8"端口：", 100);
    editLocalPort = Place<ui::Edit>(this, groupLocalIP, "editLocalPort", 120, 62, 70, 21);
    spinLocalPort = attach_spin(this, groupLocalIP, "spinLocalPort", editLocalPort, 0, station::kMaxLocalPort);
    comboLocalIP->on_change = [this](ui::Component*) { mark_net_changed(); };
    editLocalPort->on_change = [this](ui::Component*) { mark_net_changed(); };
}

void TFormSettings::build_database() {
    groupDBInfo = Place<ui::GroupBox>(this, tabDB, "groupDBInfo", 12, 12, kPageWidth - 32, 60, Gbk(u8"数据库信息"));
    comboDBConnMode = Place<ui::ComboBox>(this, groupDBInfo, "comboDBConnMode", 16, 24, 160, 22);
    comboDBConnMode->set_style(ui::TComboBoxStyle::csDropDownList);
    comboDBConnMode->items().add("ODBC");
    comboDBConnMode->items().add("SQLite");
    // The two groups share a place: the connection mode shows one of them.
    groupODBC = Place<ui::GroupBox>(this, tabDB, "groupODBC", 12, 84, kPageWidth - 32, 120, Gbk(u8"ODBC 连接信息"));
    add_label(this, groupODBC, "labelDsn", 16, 24, u8"数据源(DSN) ：", 100);
    comboODBCDsn = Place<ui::ComboBox>(this, groupODBC, "comboODBCDsn", 120, 24, 200, 22);
    comboODBCDsn->set_style(ui::TComboBoxStyle::csSimple);
    add_label(this, groupODBC, "labelODBCUser", 16, 54, u8"登陆 ID：", 100);
    editODBCUser = Place<ui::Edit>(this, groupODBC, "editODBCUser", 120, 54, 200, 21);
    add_label(this, groupODBC, "labelODBCPass", 16, 84, u8"密码：", 100);
    editODBCPass = Place<ui::Edit>(this, groupODBC, "editODBCPass", 120, 84, 200, 21);
    editODBCPass->set_password_char("*");
    groupAccess = Place<ui::GroupBox>(this, tabDB, "groupAccess", 12, 84, kPageWidth - 32, 120,
                                      Gbk(u8"SQLite 数据库文件位置"));
    radioDefaultAccess = Place<ui::RadioButton>(this, groupAccess, "radioDefaultAccess", 16, 24, 400, 20,
                                                Gbk(u8"本地 （DB\\CallLog.db，SQLite 文件）"));
    radioUserAccess = Place<ui::RadioButton>(this, groupAccess, "radioUserAccess", 16, 52, 120, 20,
                                             Gbk(u8"用户自定义"));
    editAccessPath = Place<ui::Edit>(this, groupAccess, "editAccessPath", 36, 80, 420, 21);
    btnAccessPath = Place<ui::Button>(this, groupAccess, "btnAccessPath", 460, 80, 24, 21, "...");
    comboDBConnMode->on_change = [this](ui::Component*) { comboDBConnModeChange(); };
    radioDefaultAccess->on_click = [this](ui::Component*) { radioAccessClick(); };
    radioUserAccess->on_click = [this](ui::Component*) { radioAccessClick(); };
    btnAccessPath->on_click = [this](ui::Component*) { editAccessPathButtonClick(); };
}

void TFormSettings::build_save_path() {
    groupSavePath = Place<ui::GroupBox>(this, tabSavePath, "groupSavePath", 12, 12, kPageWidth - 32, 120,
                                        Gbk(u8"所有设备下载后的文件保存路径"));
    radioLocalSavePath = Place<ui::RadioButton>(this, groupSavePath, "radioLocalSavePath", 16, 24, 200, 20,
                                                Gbk(u8"本地（Data）"));
    radioUserSavePath = Place<ui::RadioButton>(this, groupSavePath, "radioUserSavePath", 16, 52, 200, 20,
                                               Gbk(u8"用户自定义"));
    editSavePath = Place<ui::Edit>(this, groupSavePath, "editSavePath", 36, 80, 420, 21);
    btnSavePath = Place<ui::Button>(this, groupSavePath, "btnSavePath", 460, 80, 24, 21, "...");
    radioLocalSavePath->on_click = [this](ui::Component*) { radioSavePathClick(); };
    radioUserSavePath->on_click = [this](ui::Component*) { radioSavePathClick(); };
    btnSavePath->on_click = [this](ui::Component*) { editSavePathButtonClick(); };
}

void TFormSettings::build_periods() {
    groupPeriodSettings = Place<ui::GroupBox>(this, tabPeriod, "groupPeriodSettings", 12, 8, kPageWidth - 32, 50,
                                              Gbk(u8"时段设置"));
    radio24Hours = Place<ui::RadioButton>(this, groupPeriodSettings, "radio24Hours", 16, 22, 120, 20, Gbk(u8"全时段"));
    radioCustomPeriod = Place<ui::RadioButton>(this, groupPeriodSettings, "radioCustomPeriod", 160, 22, 120, 20,
                                               Gbk(u8"自定义时段"));
    groupCustomPeriod = Place<ui::GroupBox>(this, tabPeriod, "groupCustomPeriod", 12, 66, kPageWidth - 32, 200);
    for (int i = 0; i < station::kTimeSectionCount; ++i) {
        const std::string n = std::to_string(i + 1);
        const int top = 20 + i * 34;
        checkTimeSection[i] = Place<ui::CheckBox>(this, groupCustomPeriod, "checkTimeSection" + n, 16, top, 80, 20,
                                                  Gbk(u8"时段") + n);
        labelFrom[i] = add_label(this, groupCustomPeriod, "labelFrom" + n, 104, top, u8"从", 20);
        DTTimeSecFrom[i] = Place<ui::DateTimePicker>(this, groupCustomPeriod, "DTTimeSec" + n + "From", 128, top, 100, 22);
        labelTo[i] = add_label(this, groupCustomPeriod, "labelTo" + n, 244, top, u8"到", 20);
        DTTimeSecTo[i] = Place<ui::DateTimePicker>(this, groupCustomPeriod, "DTTimeSec" + n + "To", 268, top, 100, 22);
        for (ui::DateTimePicker* p : {DTTimeSecFrom[i], DTTimeSecTo[i]}) {
            p->set_kind(ui::TDateTimeKind::dtkTime);
            p->set_format("HH:mm:ss");
        }
        checkTSStop[i] = Place<ui::CheckBox>(this, groupCustomPeriod, "checkTSStop" + n, 384, top, 150, 20,
                                             Gbk(u8"无录音文件就停下"));
        checkTSStop[i]->set_visible(false);
        checkTimeSection[i]->on_click = [this, i](ui::Component*) { checkTimeSectionClick(i); };
    }
    radio24Hours->on_click = [this](ui::Component*) { radioPeriodClick(); };
    radioCustomPeriod->on_click = [this](ui::Component*) { radioPeriodClick(); };
}

void TFormSettings::build_find_dirs() {
    groupRecFindPath = Place<ui::GroupBox>(this, tabFindRecPath, "groupRecFindPath", 12, 8, kPageWidth - 32, 280,
                                           Gbk(u8"录音文件搜索路径"));
    listFindDir = Place<ui::ListBox>(this, groupRecFindPath, "listFindDir", 16, 22, 420, 200);
    editNewFindDir = Place<ui::Edit>(this, groupRecFindPath, "editNewFindDir", 16, 232, 392, 21);
    btnBrowseFindDir = Place<ui::Button>(this, groupRecFindPath, "btnBrowseFindDir", 412, 232, 24, 21, ". . .");
    auto side_button = [this](const char* name, int top, const char* caption, const char* hint) {
        auto* b = Place<ui::Button>(this, groupRecFindPath, name, 448, top, 72, 24, Gbk(caption));
        if (hint) {
            b->set_hint(Gbk(hint));
            b->set_show_hint(true);
        }
        return b;
    };
    btnAddFindDir = side_button("btnAddFindDir", 22, u8"增加 ", u8"增加新的查找路径");
    btnDelFindDir = side_button("btnDelFindDir", 54, u8"删除 ", u8"删除选中的查找路径");
    btnReplaceFindDir = side_button("btnReplaceFindDir", 86, u8"替换 ", u8"用新路径替换选中的查找路径");
    btnUpFindDir = side_button("btnUpFindDir", 134, u8"上移", nullptr);
    btnDownFindDir = side_button("btnDownFindDir", 166, u8"下移", nullptr);
    listFindDir->on_click = [this](ui::Component*) { listFindDirClick(); };
    editNewFindDir->on_change = [this](ui::Component*) {
        const bool typed = !TrimText(editNewFindDir->text()).empty();
        btnAddFindDir->set_enabled(typed);
        btnReplaceFindDir->set_enabled(typed && find_dirs_.Selected() >= 0);
    };
    btnBrowseFindDir->on_click = [this](ui::Component*) { btnBrowseFindDirClick(); };
    btnAddFindDir->on_click = [this](ui::Component*) { btnAddFindDirClick(); };
    btnDelFindDir->on_click = [this](ui::Component*) { btnDelFindDirClick(); };
    btnReplaceFindDir->on_click = [this](ui::Component*) { btnReplaceFindDirClick(); };
    btnUpFindDir->on_click = [this](ui::Component*) { btnUpFindDirClick(); };
    btnDownFindDir->on_click = [this](ui::Component*) { btnDownFindDirClick(); };
}

void TFormSettings::build_sync() {
    checkSyncDateTime = Place<ui::CheckBox>(this, tabSyncDevDateTime, "checkSyncDateTime", 20, 20, 400, 20,
                                            Gbk(u8"自动让录音设备的时间和本电脑同步"));
    labelEvery = add_label(this, tabSyncDevDateTime, "labelEvery", 40, 54, u8"每隔", 34);
    editSyncInterval = Place<ui::Edit>(this, tabSyncDevDateTime, "editSyncInterval", 76, 54, 50, 21);
    spinSyncInterval = attach_spin(this, tabSyncDevDateTime, "spinSyncInterval", editSyncInterval,
                                   station::kMinSyncIntervalDays, station::kMaxSyncIntervalDays);
    spinSyncInterval->set_orientation(ui::TUDOrientation::udHorizontal);
    labelDays = add_label(this, tabSyncDevDateTime, "labelDays", 150, 54, u8"天同步一次", 90);
    btnSyncDateTime = Place<ui::Button>(this, tabSyncDevDateTime, "btnSyncDateTime", 40, 92, 90, 25,
                                        Gbk(u8"立即同步"));
    add_label(this, tabSyncDevDateTime, "labelSyncNote", 40, 136, u8"说明：同步只有在录音设备和本电脑连接时才能进行。",
              420);
    checkSyncDateTime->on_click = [this](ui::Component*) { checkSyncDateTimeClick(); };
    btnSyncDateTime->on_click = [this](ui::Component*) { btnSyncDateTimeClick(); };
}

void TFormSettings::build_log_level() {
    groupLogLevelSettings = Place<ui::GroupBox>(this, tabLogLevel, "groupLogLevelSettings", 12, 12, kPageWidth - 32,
                                                110, Gbk(u8"日志级别设置"));
    const char* captions[] = {u8"无", u8"调试", u8"通常", u8"警告", u8"错误"};
    for (int i = 0; i < 5; ++i) {
        // Two columns, filled down the first column first.
        const int column = i < 3 ? 0 : 1, row = i < 3 ? i : i - 3;
        radioLogLevel[i] = Place<ui::RadioButton>(this, groupLogLevelSettings, "radioLogLevel" + std::to_string(i),
                                                  24 + column * 260, 22 + row * 26, 200, 20, Gbk(captions[i]));
    }
}

int TFormSettings::LogLevelIndex() const {
    for (int i = 0; i < 5; ++i)
        if (radioLogLevel[i]->checked()) return i;
    return -1;
}

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
    for (int i = 0; i < 5; ++i) radioLogLevel[i]->set_checked(i == s.LogLevel);

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
    editSyncInterval->set_text(std::to_string(s.SyncIntervalDays));
    spinSyncInterval->set_position(s.SyncIntervalDays);
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
    editLocalPort->set_text(std::to_string(FLocalPort));
    spinLocalPort->set_position(FLocalPort);
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
    for (ui::Control* c : std::initializer_list<ui::Control*>{labelEvery, editSyncInterval, spinSyncInterval, labelDays})
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
    editPort->set_text(std::to_string(r.Port));
    editDeviceSerial->set_text(r.Serial);
    editComment->set_text(r.Description);
    editSaveFolderName->set_text(r.SaveFolder);
    editUserName->set_text(r.User);
    editPassword->set_text(r.Password);
}

station::DeviceRow TFormSettings::typed_device() const {
    station::DeviceRow r;
    r.Address = editDeviceIP->text();
    r.Port = SpinValue(editPort->text(), 0, station::kMaxDevicePort, station::kDefaultDevicePort);
    r.Serial = editDeviceSerial->text();
    r.Description = editComment->text();
    r.SaveFolder = editSaveFolderName->text();
    r.User = editUserName->text();
    r.Password = editPassword->text();
    return r;
}

void TFormSettings::clear_device_edits() {
    for (ui::Edit* e : {editDeviceIP, editDeviceSerial, editComment, editSaveFolderName, editUserName, editPassword})
        e->set_text(std::string());
    editPort->set_text(std::to_string(station::kDefaultDevicePort));
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
    for (ui::Control* c : std::initializer_list<ui::Control*>{labelDeviceIP, editDeviceIP, labelPort, editPort, spinPort})
        c->set_enabled(!devices_connect);
    labelDeviceSerial->set_enabled(devices_connect);
    editDeviceSerial->set_enabled(devices_connect);
}

void TFormSettings::save_library_settings() {
    station::LibrarySettings s;
    FLocalIP = TrimText(comboLocalIP->text());
    FLocalPort = SpinValue(editLocalPort->text(), 0, station::kMaxLocalPort, station::kDefaultLocalPort);
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
    s.SyncIntervalDays = SpinValue(editSyncInterval->text(), station::kMinSyncIntervalDays,
                                   station::kMaxSyncIntervalDays, s.SyncIntervalDays);

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
