#include "station/core/station_texts.h"

#include <algorithm>

#include "station/core/gbk_literal.h"

namespace station {
namespace {

struct BuiltInText {
    const char* key;
    const char* utf8;
};

// Re-read from the language file at every change of language.
const BuiltInText kLanguageTexts[] = {
    {"MsgBox.Yes", u8"是(&Y)"},
    {"MsgBox.No", u8"否(&N)"},
    {"MsgBox.OK", u8"确定"},
    {"MsgBox.Alerting", u8"提示"},
    {"MsgBox.Error", u8"错误"},
    {"Msg.Connected", u8"已连接"},
    {"Msg.Disconnected", u8"未连接"},
    {"Log.Information", u8"消息"},
    {"Log.Alerting", u8"提醒"},
    {"Log.Warning", u8"警告"},
    {"Log.Error", u8"错误"},
    {"Msg.StateNull", u8"空闲"},
    {"Msg.StateWaiting", u8"等待中"},
    {"Msg.StateQueryNewFile", u8"查询新文件"},
    {"Msg.StateWaitingQueryResult", u8"等待查询结果"},
    {"Msg.StateFTPStart", u8"开始FTP"},
    {"Msg.StateFTPProcessing", u8"FTP过程中"},
    {"Msg.StateFTPStop", u8"停止FTP"},
    {"Msg.StateFTPFinished", u8"FTP完成"},
    {"Log.CantFindFile", u8"找不到录音文件 '%s'"},
    {"Log.ConfirmOverwrite", u8"文件'%s'已存在，要覆盖它吗?"},
    {"Log.DeleteCount", u8"删除掉 %d 条录音记录!"},
    {"Filter.ExportRecords", u8"数据库文件(*.dat)|*.dat|文本文件(*.txt)|*.txt|Excel表格(*.csv)|*.csv"},
    {"Log.ExportFilesEnd1", u8"导出完成! 成功导出了 %d 个文件"},
    {"Log.ExportFilesEnd2", u8"导出完成! 选中了 %d 个文件，成功导出了 %d 个文件"},
    {"Log.ExportRecordsEnd", u8"成功导出了 %d 条记录"},
    {"Log.SelectPathToSave", u8"请选择保存路径"},
    {"Log.CreateFolderFail", u8"创建文件夹 '%s' 失败!"},
    {"Log.CopyFileFail", u8"拷贝录音文件 %s 失败!"},
    {"Msg.TotalRecord", u8"共找到 %d 条记录"},
    {"Col.SortAscending", u8"升序(&A)"},
    {"Col.SortDescending", u8"降序(&D)"},
    {"Log.NoColumnAlert", u8"至少有一列必须可见。请在以下列中选择，然后继续"},
    {"Log.SelectPathToSearch", u8"请选择查找路径"},
    {"Log.PathNotExists", u8"路径不存在!"},
    {"Log.CallInbound", u8"呼入"},
    {"Log.CallOutbound", u8"呼出"},
    {"Log.CallMissed", u8"未接"},
    {"Log.CallUnknown", u8"未知"},
    {"Log.UpdateDevTimeSucc", u8"设备%d (%s) 时钟同步成功"},
    {"Log.UpdateDevTimeFail", u8"设备%d (%s) 时钟同步失败"},
    {"Log.LoginSucc", u8"设备%d - 登录成功(%s), 连接已建立"},
    {"Log.LoginFail", u8"设备%d - 登录失败(%s), 原因: %s"},
    {"Log.DevDisconnected", u8"设备%d - 连接中断"},
    {"Log.DevLogoutFinished", u8"设备%d - 退出登录"},
    {"Log.ConnReqFail", u8"设备主动连接服务器失败 - 无匹配的硬件序列号 [序列号 %s, IP %s, 端口 %d]"},
    {"Cause.UserNotExist", u8"用户名不存在"},
    {"Cause.PasswordError", u8"密码错误"},
    {"Cause.ConnFull", u8"连接已满"},
    {"Cause.TimeOut", u8"超时"},
    {"Cause.NoLicense", u8"无授权"},
    {"Cause.DomainNameFail", u8"域名解析失败"},
    {"Log.DevicePaused", u8"已暂停"},
    {"Log.EnableDevice", u8"允许使用设备%d (%s)"},
    {"Log.DisableDevice", u8"暂停使用设备%d (%s)"},
    {"Log.DownloadSucc", u8"录音文件下载成功"},
    {"Log.DownloadSuccButNoRecord", u8"录音文件下载成功 (无呼叫记录)"},
};

// Set by the main window from the language file in code.
const BuiltInText kMainWindowTexts[] = {
    {"Caption.StartFTP", u8"启动FTP"},
    {"Caption.StopFTP", u8"停止FTP"},
    {"Log.StartProgram", u8"启动程序"},
    {"Log.ExitProgram", u8"退出程序"},
    {"Log.ConfirmExit", u8"您确定要关闭本系统吗?"},
    {"Log.ConfirmDelRecord", u8"您确定要删除选中的记录吗?"},
    {"Log.ConfirmDelRecords", u8"您确定要删除选中的 %d 条记录吗?"},
};

// The station's own words, never taken from a language file: language files made for earlier
// versions know nothing of them.
const BuiltInText kBuiltInOnlyTexts[] = {
    {"Log.DeviceListNextStart", u8"设备列表已修改：设备描述和保存路径将在程序下次启动后生效"},
    {"Log.AmbiguousFile", u8"录音文件 '%s' 对应多个文件: '%s' 和 '%s'"},
    {"Log.ConfirmDelAmbiguous",
     u8"录音文件 '%s' 对应多个文件:\r\n%s\r\n%s\r\n无法确定属于这条记录的文件。只删除记录并保留这两个文件吗?"},
    {"Msg.DatabaseCannotOpen", u8"无法打开呼叫记录数据库。新的呼叫记录暂存，数据库可用后自动写入（详见日志）。"},
    {"Msg.DatabaseDamaged", u8"呼叫记录数据库已损坏或没有呼叫记录表，程序未改动它。新的呼叫记录暂存，数据库修复或更换后自动写入（详见日志）。"},
    {"Log.DatabaseCannotOpen", u8"无法打开呼叫记录数据库 %s，新的呼叫记录暂存于 %s"},
    {"Log.DatabaseDamaged", u8"呼叫记录数据库 %s 已损坏或没有呼叫记录表，未改动；新的呼叫记录暂存于 %s"},
    {"Log.TimeSectionEmpty", u8"时段%d的开始时间和结束时间相同，请修改后再确定"},
    {"Log.ExportRecordsFail", u8"导出呼叫记录到 '%s' 失败: %s"},
    {"Log.OpenLogFileFail", u8"无法打开日志文件 '%s': %s"},
    {"Log.PrintLogFileFail", u8"无法打印日志文件 '%s': %s"},
};

static_assert(std::size(kLanguageTexts) == 57, "the texts a change of language re-reads");
static_assert(std::size(kLanguageTexts) + std::size(kMainWindowTexts) == 64, "the built-in texts");

struct Defaults {
    std::vector<std::pair<std::string, std::string>> texts;
    std::vector<std::string> language_keys;
    std::vector<std::string> main_keys;
};

const Defaults& defaults() {
    static const Defaults d = [] {
        Defaults r;
        for (const auto& t : kLanguageTexts) {
            r.texts.emplace_back(t.key, Gbk(t.utf8));
            r.language_keys.emplace_back(t.key);
        }
        for (const auto& t : kMainWindowTexts) {
            r.texts.emplace_back(t.key, Gbk(t.utf8));
            r.main_keys.emplace_back(t.key);
        }
        for (const auto& t : kBuiltInOnlyTexts) r.texts.emplace_back(t.key, Gbk(t.utf8));
        return r;
    }();
    return d;
}

std::ptrdiff_t index_of(const std::vector<std::pair<std::string, std::string>>& list, std::string_view key) {
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.first == key; });
    return it == list.end() ? -1 : it - list.begin();
}

const std::string& empty_text() {
    static const std::string empty;
    return empty;
}

std::string append_arguments(std::string_view pattern, const std::vector<FormatArg>& args) {
    std::string out(pattern);
    for (const auto& a : args) out += " " + (a.is_number() ? std::to_string(a.number()) : a.text());
    return out;
}

} // namespace

StationTexts::StationTexts() : texts_(defaults().texts) {}

void StationTexts::SetDefaults() { texts_ = defaults().texts; }

const std::string& StationTexts::Get(std::string_view key) const {
    auto i = index_of(texts_, key);
    return i < 0 ? empty_text() : texts_[static_cast<std::size_t>(i)].second;
}

bool StationTexts::Set(std::string_view key, std::string value) {
    auto i = index_of(texts_, key);
    if (i < 0) return false;
    texts_[static_cast<std::size_t>(i)].second = std::move(value);
    return true;
}

const std::string& StationTexts::DefaultOf(std::string_view key) {
    auto i = index_of(defaults().texts, key);
    return i < 0 ? empty_text() : defaults().texts[static_cast<std::size_t>(i)].second;
}

std::string StationTexts::Format(std::string_view key, const std::vector<FormatArg>& args) const {
    if (auto text = TryFormat(Get(key), args)) return *text;
    return FormatFixed(DefaultOf(key), args);
}

const std::vector<std::string>& StationTexts::LanguageTextKeys() { return defaults().language_keys; }
const std::vector<std::string>& StationTexts::MainWindowTextKeys() { return defaults().main_keys; }

std::string FormatFixed(std::string_view pattern, const std::vector<FormatArg>& args) {
    if (auto text = TryFormat(pattern, args)) return *text;
    return append_arguments(pattern, args);
}

} // namespace station
