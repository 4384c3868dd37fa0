// Making a new SQLite file for the call records.
#pragma once
#include <string>

namespace calldb {

// Creates the file at `path` (GBK) holding the empty table and its index. The database is
// built under a temporary name in the same folder and then renamed, so that `path` never
// holds a half-made file; an existing file is left alone and gives false.
bool create_call_log_file(const std::string& path);

} // namespace calldb
