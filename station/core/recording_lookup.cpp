#include "station/core/recording_lookup.h"

#include <algorithm>

#include "platform/files.h"
#include "station/core/save_paths.h"

namespace station {
namespace {

constexpr std::size_t kEnoughMatches = 2;  // a second file already makes the old path ambiguous

// Adds `candidate` when it exists and is not listed yet; true once enough are listed.
bool note_match(std::vector<std::string>& found, const std::string& candidate) {
    if (plat::file_exists(candidate) && std::find(found.begin(), found.end(), candidate) == found.end()) {
        found.push_back(candidate);
    }
    return found.size() >= kEnoughMatches;
}

// Today's search over the data folder, the search folders and the device folders; stops at the
// first hit unless `all`.
void search_folders(StationGlobals& g, const std::string& rel, bool all, std::vector<std::string>& found) {
    const std::size_t wanted = all ? kEnoughMatches : 1;
    auto add = [&](const std::string& candidate) { return note_match(found, candidate) || found.size() >= wanted; };
    if (add(g.DataDir + "\\" + rel)) return;
    {
        std::lock_guard<std::mutex> lock(g.FindDirsLock);
        for (const std::string& dir : g.FindDirs) {
            if (add(WithSeparator(dir) + rel)) return;
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
        if (add(base + sub + "\\" + rel)) return;
    }
}

} // namespace

std::string SaveBase(const StationGlobals& g) {
    return g.Settings.LocalPath ? g.DataDir : g.Settings.UserSavePathResolved;
}

bool IsTwoPartPath(const std::string& rel) {
    int separators = 0;
    for (std::size_t i = 0; i < rel.size(); ++i) {
        const auto c = static_cast<unsigned char>(rel[i]);
        if (c >= 0x81 && c <= 0xFE) {
            ++i;  // a GBK trail byte may be 0x5C without being a separator
        } else if (c == '\\' || c == '/') {
            ++separators;
        }
    }
    return separators == 1;
}

std::vector<std::string> FindRecordingFiles(StationGlobals& g, const std::string& rel) {
    std::vector<std::string> found;
    if (!IsTwoPartPath(rel)) {
        note_match(found, WithSeparator(SaveBase(g)) + rel);
        if (found.empty()) search_folders(g, rel, false, found);
        return found;
    }
    search_folders(g, rel, true, found);
    return found;
}

std::string FindRecordingFile(StationGlobals& g, const std::string& rel) {
    const std::vector<std::string> found = FindRecordingFiles(g, rel);
    return found.empty() ? std::string() : found.front();
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
