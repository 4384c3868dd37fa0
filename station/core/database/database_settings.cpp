#include "station/core/database/database_settings.h"

#include "platform/files.h"

namespace calldb {

std::string call_log_file_path(const DatabaseSettings& settings) {
    if (!settings.LocalFile) return settings.UserFilePath;
    return plat::include_trailing_separator(settings.ProgramDir) + "DB\\CallLog.db";
}

} // namespace calldb
