#include "station/core/settings.h"

#include <algorithm>
#include <climits>

#include "platform/ini_file.h"
#include "station/core/save_paths.h"

namespace station {
namespace {

// Sentinel that no stored text can equal: tells a missing key from an empty one.
const char kMissing[] = "\x01missing\x01";

std::string trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

bool parse_int32(const std::string& text, int& value) {
    std::string t = trim(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == t.size()) return false;
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        v = v * 10 + (t[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) v = -v;
    if (v < INT_MIN || v > INT_MAX) return false;
    value = static_cast<int>(v);
    return true;
}

std::string read_text(const std::string& file, const char* section, const std::string& key, const char* def) {
    return plat::ini_read_string(file, section, key, def);
}

std::string section_key(const char* pattern, int k) {
    std::string key(pattern);
    return key.replace(key.find("%d"), 2, std::to_string(k));
}

// Writes one key after another and remembers the first failure; later writes are skipped.
class SettingsWriter {
public:
    explicit SettingsWriter(const std::string& file) : file_(file) {}
    void text(const char* section, const std::string& key, const std::string& value) {
        if (ok_) ok_ = plat::ini_write_string(file_, section, key, value);
    }
    void integer(const char* section, const std::string& key, int value) { text(section, key, std::to_string(value)); }
    void boolean(const char* section, const std::string& key, bool value) { text(section, key, value ? "1" : "0"); }
    bool ok() const { return ok_; }
private:
    const std::string& file_;
    bool ok_ = true;
};

} // namespace

int ReadIniInteger(const std::string& file, const std::string& section, const std::string& key, int def) {
    std::string text = plat::ini_read_string(file, section, key, kMissing);
    int value = def;
    if (text == kMissing || !parse_int32(text, value)) return def;
    return value;
}

bool ReadIniBool(const std::string& file, const std::string& section, const std::string& key, bool def) {
    return ReadIniInteger(file, section, key, def ? 1 : 0) != 0;
}

void LoadSettings(const std::string& f, const std::string& program_dir, StationSettings& s,
                  std::vector<std::string>& find_dirs) {
    s.AutoRunEnable = ReadIniBool(f, "CommonInfo", "AutoRunEnable", false);
    s.AutoRunMode = ReadIniInteger(f, "CommonInfo", "AutoRunMode", 0);
    s.AutoFTPEnable = ReadIniBool(f, "CommonInfo", "AutoFTPEnable", true);
    s.LangName = read_text(f, "Language", "LangName", "");
    s.LogPanelVisible = ReadIniBool(f, "Log", "LogPanelVisible", true);
    s.LogLevel = ReadIniInteger(f, "Log", "LogLevel", 1);
    // Without a ConnMode key the embedded file is used: an unnamed data source would store nothing.
    s.DBInfo.ConnMode = ReadIniInteger(f, "DB", "ConnMode", 1);
    s.DBInfo.ODBCDsn = read_text(f, "DB", "ODBCDsn", "");
    s.DBInfo.ODBCUser = read_text(f, "DB", "ODBCUser", "");
    s.DBInfo.ODBCPass = read_text(f, "DB", "ODBCPass", "");
    s.DBInfo.LocalAccess = ReadIniBool(f, "DB", "LocalAccess", true);
    s.DBInfo.UserAccessPath = read_text(f, "DB", "UserAccessPath", "");
    s.LocalPath = ReadIniBool(f, "SavePath", "LocalPath", true);
    s.UserSavePath = read_text(f, "SavePath", "UserSavePath", "");
    s.UserSavePathResolved = ResolveRelativePath(s.UserSavePath, program_dir);

    find_dirs.clear();
    int dir_count = std::clamp(ReadIniInteger(f, "FindDirInfo", "TotalDirNum", 0), 0, kMaxFindDirs);
    for (int k = 1; k <= dir_count; ++k) {
        std::string dir = trim(read_text(f, "FindDirInfo", "DirPath[" + std::to_string(k) + "]", ""));
        if (!dir.empty()) find_dirs.push_back(dir);
    }

    s.AllDay = ReadIniBool(f, "TimeSecs", "24hoursEnable", true);
    for (int k = 1; k <= kTimeSectionCount; ++k) {
        ATimeSection& t = s.TimeSections[static_cast<std::size_t>(k - 1)];
        t.Enable = ReadIniBool(f, "TimeSecs", section_key("TimeSec%dEnable", k), false);
        t.From = read_text(f, "TimeSecs", section_key("TimeSec%dFrom", k), "00:00:00");
        t.To = read_text(f, "TimeSecs", section_key("TimeSec%dTo", k), "00:00:00");
        t.StopEnable = ReadIniBool(f, "TimeSecs", section_key("TimeSec%dStopEnable", k), false);
    }
    s.SyncEnable = ReadIniBool(f, "SyncTime", "Enable", true);
    // The settings dialog offers 1 to 1000 days; a period of 0 or less would set the device
    // clocks on every tick.
    s.SyncIntervalDays = std::clamp(ReadIniInteger(f, "SyncTime", "IntervalDays", 7), kMinSyncIntervalDays,
                                    kMaxSyncIntervalDays);
    s.LastUpdateDT = read_text(f, "SyncTime", "LastUpdateDT", "");
    s.PlayFuncEnable = ReadIniBool(f, "FuncControl", "PlayFuncEnable", true);
}

std::string SaveSettings(const std::string& f, const StationSettings& s) {
    SettingsWriter w(f);
    w.boolean("CommonInfo", "AutoRunEnable", s.AutoRunEnable);
    w.integer("CommonInfo", "AutoRunMode", s.AutoRunMode);
    w.boolean("CommonInfo", "AutoFTPEnable", s.AutoFTPEnable);
    w.text("Language", "LangName", s.LangName);
    w.boolean("Log", "LogPanelVisible", s.LogPanelVisible);
    w.integer("Log", "LogLevel", s.LogLevel);
    w.integer("DB", "ConnMode", s.DBInfo.ConnMode);
    w.text("DB", "ODBCDsn", s.DBInfo.ODBCDsn);
    w.text("DB", "ODBCUser", s.DBInfo.ODBCUser);
    w.text("DB", "ODBCPass", s.DBInfo.ODBCPass);
    w.boolean("DB", "LocalAccess", s.DBInfo.LocalAccess);
    w.text("DB", "UserAccessPath", s.DBInfo.UserAccessPath);
    w.boolean("SavePath", "LocalPath", s.LocalPath);
    w.text("SavePath", "UserSavePath", s.UserSavePath);
    w.boolean("TimeSecs", "24hoursEnable", s.AllDay);
    for (int k = 1; k <= kTimeSectionCount; ++k) {
        const ATimeSection& t = s.TimeSections[static_cast<std::size_t>(k - 1)];
        w.boolean("TimeSecs", section_key("TimeSec%dEnable", k), t.Enable);
        w.text("TimeSecs", section_key("TimeSec%dFrom", k), t.From);
        w.text("TimeSecs", section_key("TimeSec%dTo", k), t.To);
        w.boolean("TimeSecs", section_key("TimeSec%dStopEnable", k), t.StopEnable);
    }
    w.boolean("SyncTime", "Enable", s.SyncEnable);
    w.integer("SyncTime", "IntervalDays", s.SyncIntervalDays);
    w.text("SyncTime", "LastUpdateDT", s.LastUpdateDT);
    return w.ok() ? std::string() : "Unable to write to " + f;
}

} // namespace station
