#include "station/core/station_log.h"

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/files.h"
#include "station/core/date_time_text.h"

namespace station {

void LogPanelLines::Add(const std::string& line) {
    if (lines_.size() >= kCapacity) lines_.pop_front();
    lines_.push_back(line);
}

StationLog::StationLog(const std::string& program_dir, const StationSettings& settings, const StationTexts& texts)
    : program_dir_(program_dir), settings_(settings), texts_(texts) {}

void StationLog::WriteLog(const std::string& message, int level) {
    if (settings_.LogLevel == 0 || level < settings_.LogLevel) return;
    const plat::LocalTime now = plat::local_now();
    ALogInfo entry{FormatDate(now), FormatTimeOfDay(now), message, std::to_string(level)};
    if (panel_) panel_->AddLogLine(" " + entry.Time + "    " + entry.Message);
    AppendLogFile(entry);
}

std::string StationLog::LogFilePath(const std::string& date) const {
    return program_dir_ + "\\Logs\\" + date + " Logs.txt";
}

std::string StationLog::LevelWord(const std::string& level_text) const {
    if (level_text == "1") return texts_.Get("Log.Information");
    if (level_text == "2") return texts_.Get("Log.Alerting");
    if (level_text == "3") return texts_.Get("Log.Warning");
    if (level_text == "4") return texts_.Get("Log.Error");
    return {};
}

bool StationLog::AppendLogFile(const ALogInfo& entry) {
    // The day is taken again here: an entry made just before midnight still goes into the file
    // of the moment it is written, as the file is opened.
    const std::string path = LogFilePath(FormatDate(plat::local_now()));
    const std::string line = entry.Time + " " + LevelWord(entry.LevelText) + "\t" + entry.Message + "\r\n";
    plat::File file;
    if (!file.open(path, plat::File::Mode::OpenOrCreate)) {
        plat::debug_output("station log: cannot open " + path);
        return false;
    }
    const std::int64_t end = file.size();
    if (end < 0 || file.write_at(end, line.data(), line.size()) != static_cast<long long>(line.size())) {
        plat::debug_output("station log: cannot append to " + path);
        return false;
    }
    return true;
}

} // namespace station
