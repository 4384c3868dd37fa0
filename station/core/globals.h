// The station's global state: its paths, settings, texts, column model and log, and the
// start-up and shut-down of that state.
#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "station/core/columns.h"
#include "station/core/settings.h"
#include "station/core/station_log.h"
#include "station/core/station_texts.h"

namespace station {

struct StationGlobals {
    std::string ProgramDir;         // no trailing separator
    std::string LibraryConfigPath;  // <program>\tarnlib.ini
    std::string DataDir;            // <program>\Data
    std::string SettingsPath;       // <program>\Velquist.ini
    bool RescanSaveFolders = false;
    bool EraseDevEnable = false;
    std::int32_t DeviceCount = 0;

    std::mutex FindDirsLock;                  // guards FindDirs
    std::vector<std::string> FindDirs;        // extra folders searched for recordings
    std::vector<std::string> SaveSubfolders;  // subfolder names of the save folder
    bool SaveSubfoldersListed = false;        // SaveSubfolders has been filled at least once

    StationSettings Settings;
    // Set once LoadSettings has run: settings never loaded are never written back.
    bool SettingsLoaded = false;
    AProgramColumnsInfo ColumnsInfo;
    bool SortAscending = true;
    StationTexts Texts;
    StationLog Log{ProgramDir, Settings, Texts};
};

// The folder of the running program, without a trailing separator.
std::string ProgramDirOf(const std::string& executable_path);

// Sets up the globals for a program living in `program_dir`: paths, folders, texts, settings
// and columns. Returns the empty text, or "Cannot create <folder>" when a folder can neither
// be found nor made; then the settings and columns are not loaded.
std::string InitGlobals(StationGlobals& g, const std::string& program_dir);

// Saves the settings (when they were loaded), runs `save_device_enables`, logs the exit line
// and frees the lists. Returns the empty text or the settings' write error.
std::string DoneGlobals(StationGlobals& g, const std::function<void()>& save_device_enables);

// The start line of the log: the date, three blanks, the start text, a blank, the program path.
void LogProgramStart(StationGlobals& g, const std::string& executable_path);

} // namespace station
