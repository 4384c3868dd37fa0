// Finding a stored recording again from its relative path.
#pragma once
#include <string>
#include <vector>

#include "station/core/globals.h"

namespace station {

// The folder the device folders of recordings live in: the data folder, or the user's save
// folder with a relative form expanded (the one downloads are saved under).
std::string SaveBase(const StationGlobals& g);

// Whether a stored path has the old two-part form "<yyyymmdd>\<file>", which names no device
// folder; rows of today name "<device folder>\<yyyymmdd>\<file>".
bool IsTwoPartPath(const std::string& relative_path);

// The files the recording `relative_path` may be, at most two. A path with its device folder
// is looked for under the save base first, then as an old path is; its first hit is the answer.
// An old two-part path is looked for directly under the data folder, under each search folder
// and under each device folder of the save base: two devices may hold one name of one day, so
// every hit counts, up to the second.
std::vector<std::string> FindRecordingFiles(StationGlobals& g, const std::string& relative_path);

// The first of FindRecordingFiles; empty when none holds it.
std::string FindRecordingFile(StationGlobals& g, const std::string& relative_path);

// Lists the subfolders of the save base into SaveSubfolders.
void ScanSaveFolders(StationGlobals& g);

} // namespace station
