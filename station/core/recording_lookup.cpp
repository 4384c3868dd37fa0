#include "station/core/recording_lookup.h"

#include <algorithm>

#include "platform/files.h"
#include "station/core/save_paths.h"

namespace station {

std::string SaveBase(const StationGlobals& g) {
    return g.Settings.LocalPath ? g.DataDir : g.Settings.UserSavePathResolved;
}

std::string FindRecordingFile(StationGlobals& g, const std::string& rel) {
    std::string candidate = g.DataDir + "\\" + rel;
    if (plat::file_exists(candidate)) return candidate;
    {
        std::lock_guard<std::mutex> lock(g.FindDirsLock);
        for (const std::string& dir : g.FindDirs) {
            candidate = WithSeparator(dir) + rel;
            if (plat::file_exists(candidate)) return candidate;
        }
    }
    // Listed at the first look-up too: with no device configured (any more) the recordings of
    // earlier devices are still found.
    if (!g.SaveSubfoldersListed || g.RescanSaveFolders ||
        g.SaveSubfolders.size() < static_cast<std::size_t>(std::max(g.DeviceCount, 0))) {
        ScanSaveFolders(g);
        g.RescanSaveFolders = false;
    }
    const std::string base = WithSeparator(SaveBase(g));
    for (const std::string& sub : g.SaveSubfolders) {
        candidate = base + sub + "\\" + rel;
        if (plat::file_exists(candidate)) return candidate;
    }
    return {};
}

void ScanSaveFolders(StationGlobals& g) {
    g.SaveSubfolders.clear();
    g.SaveSubfoldersListed = true;
    const std::string base = SaveBase(g);
    if (!plat::directory_exists(base)) return;
    for (const plat::DirEntry& e : plat::list_directory(WithSeparator(base))) {
        if (e.is_directory && e.name != "." && e.name != "..") g.SaveSubfolders.push_back(e.name);
    }
}

} // namespace station
