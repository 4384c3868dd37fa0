#include "station/core/database/file_database.h"

#include <atomic>
#include <chrono>
#include <cstdio>

#include "platform/files.h"
#include "station/core/database/call_log_statements.h"
#include "station/core/database/sqlite_connection.h"

namespace calldb {

namespace {

std::string temporary_name_beside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    char name[48];
    std::snprintf(name, sizeof name, "~SM%08llX%04X.tmp", ticks & 0xFFFFFFFFull, counter++ & 0xFFFFu);
    return plat::extract_file_dir(path) + name;
}

bool build_tables(const std::string& path) {
    auto db = SqliteConnection::open(path, true);
    if (!db || !db->execute("BEGIN")) return false;
    for (const char* const* statement = sqlite_create_statements(); *statement; ++statement)
        if (!db->execute(*statement)) return false;  // the open transaction is rolled back on close
    return db->execute("COMMIT");
}

} // namespace

bool create_call_log_file(const std::string& path) {
    if (plat::file_exists(path)) return false;
    const std::string temporary = temporary_name_beside(path);
    plat::remove_file(temporary);
    const bool made = build_tables(temporary) && plat::rename_file(temporary, path);
    plat::remove_file(temporary);
    plat::remove_file(temporary + "-journal");
    return made;
}

} // namespace calldb
