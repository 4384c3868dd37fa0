// Finding a stored recording again from its relative path.
#pragma once
#include <string>

#include "station/core/globals.h"

namespace station {

// The folder the device folders of recordings live in: the data folder, or the user's save
// folder with a relative form expanded (the one downloads are saved under).
std::string SaveBase(const StationGlobals& g);

// Full path of the recording `relative_path` ("<yyyymmdd>\<file>"): directly under the data
// folder, under a search folder, or under a device folder of the save base. Empty when none
// holds it.
std::string FindRecordingFile(StationGlobals& g, const std::string& relative_path);

// Lists the subfolders of the save base into SaveSubfolders.
void ScanSaveFolders(StationGlobals& g);

} // namespace station
