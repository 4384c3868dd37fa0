#include "station/core/globals.h"

#include "platform/clock.h"
#include "platform/files.h"
#include "station/core/date_time_text.h"

namespace station {

std::string ProgramDirOf(const std::string& executable_path) {
    std::string dir = plat::extract_file_dir(executable_path);
    if (dir.size() > 1 && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
    return dir;
}

std::string InitGlobals(StationGlobals& g, const std::string& program_dir) {
    g.ProgramDir = program_dir;
    g.LibraryConfigPath = program_dir + "\\tarnlib.ini";
    g.DataDir = program_dir + "\\Data";
    g.SettingsPath = program_dir + "\\Velquist.ini";
    g.RescanSaveFolders = false;
    g.EraseDevEnable = false;
    g.Settings.PlayFuncEnable = true;

    for (const std::string& folder : {g.DataDir, program_dir + "\\Logs", program_dir + "\\LibLogs",
                                      program_dir + "\\DB"}) {
        if (!plat::force_directories(folder)) return "Cannot create " + folder;
    }

    g.DeviceCount = 0;
    {
        std::lock_guard<std::mutex> lock(g.FindDirsLock);
        g.FindDirs.clear();
    }
    g.SaveSubfolders.clear();
    g.SaveSubfoldersListed = false;
    g.Texts.SetDefaults();

    {
        std::lock_guard<std::mutex> lock(g.FindDirsLock);
        LoadSettings(g.SettingsPath, g.ProgramDir, g.Settings, g.FindDirs);
    }
    g.SettingsLoaded = true;
    LoadColumns(g.SettingsPath, g.ColumnsInfo);
    return {};
}

std::string DoneGlobals(StationGlobals& g, const std::function<void()>& save_device_enables) {
    std::string error;
    if (g.SettingsLoaded) error = SaveSettings(g.SettingsPath, g.Settings);
    if (save_device_enables) save_device_enables();
    g.Log.WriteLog(g.Texts.Get("Log.ExitProgram"), LogReminder);
    {
        std::lock_guard<std::mutex> lock(g.FindDirsLock);
        g.FindDirs.clear();
    }
    g.SaveSubfolders.clear();
    return error;
}

void LogProgramStart(StationGlobals& g, const std::string& executable_path) {
    g.Log.WriteLog(FormatDate(plat::local_now()) + "   " + g.Texts.Get("Log.StartProgram") + " " + executable_path,
                   LogReminder);
}

} // namespace station
