// The general settings of Velquist.ini in memory, and their reading and writing.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace station {

struct ADBInfo {
    std::int32_t ConnMode = 1;  // 0 ODBC data source, 1 the embedded database file
    std::string ODBCDsn;
    std::string ODBCUser;
    std::string ODBCPass;
    bool LocalAccess = true;
    std::string UserAccessPath;
};

struct ATimeSection {
    bool Enable = false;
    std::string From = "00:00:00";
    std::string To = "00:00:00";
    bool StopEnable = false;
};

constexpr int kTimeSectionCount = 5;
constexpr int kMinSyncIntervalDays = 1;
constexpr int kMaxSyncIntervalDays = 1000;
// More search folders than anyone configures; bounds the reading of a damaged count.
constexpr int kMaxFindDirs = 1000;

// Members start at the values an absent Velquist.ini gives.
struct StationSettings {
    bool AutoRunEnable = false;
    std::int32_t AutoRunMode = 0;
    bool AutoFTPEnable = true;
    std::string LangName;
    bool LogPanelVisible = true;
    std::int32_t LogLevel = 1;
    bool PlayFuncEnable = true;
    ADBInfo DBInfo;
    bool LocalPath = true;
    std::string UserSavePath;          // as stored
    std::string UserSavePathResolved;  // relative forms expanded; where recordings are saved
    bool AllDay = true;
    std::array<ATimeSection, kTimeSectionCount> TimeSections;
    bool SyncEnable = true;
    std::int32_t SyncIntervalDays = 7;
    std::string LastUpdateDT;
};

// Reads an integer key: the default when missing, empty or not a decimal 32-bit number.
int ReadIniInteger(const std::string& file, const std::string& section, const std::string& key, int def);
bool ReadIniBool(const std::string& file, const std::string& section, const std::string& key, bool def);

// Reads the general sections of `ini_path`; `program_dir` resolves a relative save path.
// `find_dirs` receives the search folders (trimmed, blank ones skipped).
void LoadSettings(const std::string& ini_path, const std::string& program_dir, StationSettings& settings,
                  std::vector<std::string>& find_dirs);

// Writes the general sections back. On a key that cannot be written it stops and returns the
// error text "Unable to write to <file>"; the empty text on success.
std::string SaveSettings(const std::string& ini_path, const StationSettings& settings);

} // namespace station
