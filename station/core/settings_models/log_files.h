// The station's daily log files for the log viewer: found below <program>\Logs at any depth.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace station {

// Paths of the files below `folder` whose extension matches `extension` without regard to
// case (".*" matches every file), depth first in listing order. A missing folder gives none.
// `between_entries` runs after each entry (the window keeps answering on long listings).
std::vector<std::string> FindFiles(const std::string& folder, const std::string& extension,
                                   const std::function<void()>& between_entries = {});

struct LogFileRow {
    std::string Caption;  // the file name without its extension
    std::string Path;
};

std::vector<LogFileRow> ListLogFiles(const std::string& program_dir,
                                     const std::function<void()>& between_entries = {});

} // namespace station
