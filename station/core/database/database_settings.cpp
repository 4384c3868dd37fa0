#include "station/core/database/database_settings.h"

#include "platform/files.h"

namespace calldb {

std::string call_log_file_path(const DatabaseSettings& settings) {
    if (!settings.LocalFile) return settings.UserFilePath;
    return plat::include_trailing_separator(settings.ProgramDir) + "DB\\CallLog.db";
}

std::string pending_rows_path(const DatabaseSettings& settings) {
    if (settings.ConnMode == ConnModeFile) {
        const std::string file = call_log_file_path(settings);
        return file.empty() ? std::string() : file + ".pending";
    }
    if (settings.ProgramDir.empty()) return {};
    return plat::include_trailing_separator(settings.ProgramDir) + "DB\\CallLog.odbc.pending";
}

} // namespace calldb
