// The station's daily log: one GBK text file a day in the Logs folder, and the panel of the
// main window, which shows the newest lines.
#pragma once
#include <cstddef>
#include <deque>
#include <string>

#include "station/core/settings.h"
#include "station/core/station_texts.h"

namespace station {

enum LogLevelValue : int { LogMessage = 1, LogReminder = 2, LogWarning = 3, LogError = 4 };

struct ALogInfo {
    std::string Date;       // "yyyy-mm-dd"
    std::string Time;       // "hh:nn:ss"
    std::string Message;
    std::string LevelText;  // the level in decimal
};

// The main window's log list.
class ILogPanel {
public:
    virtual ~ILogPanel() = default;
    virtual void AddLogLine(const std::string& line) = 0;
};

// The lines the panel holds: the newest nine, oldest first.
class LogPanelLines {
public:
    static constexpr std::size_t kCapacity = 9;
    void Add(const std::string& line);
    const std::deque<std::string>& lines() const { return lines_; }
private:
    std::deque<std::string> lines_;
};

class StationLog {
public:
    // Reads the level filter from `settings` and the level words from `texts` at every line.
    StationLog(const std::string& program_dir, const StationSettings& settings, const StationTexts& texts);

    void SetPanel(ILogPanel* panel) { panel_ = panel; }
    void WriteLog(const std::string& message, int level);
    // Appends one entry to the file of the day the clock shows now; false when it cannot.
    bool AppendLogFile(const ALogInfo& entry);
    // The file of the given day: <program>\Logs\yyyy-mm-dd Logs.txt.
    std::string LogFilePath(const std::string& date) const;
    std::string LevelWord(const std::string& level_text) const;

private:
    const std::string& program_dir_;
    const StationSettings& settings_;
    const StationTexts& texts_;
    ILogPanel* panel_ = nullptr;
};

} // namespace station
