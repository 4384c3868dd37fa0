// The statements the station sends about single call records, as GBK SQL text.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "station/core/database/call_log_info.h"
#include "station/core/database/sql_dialect.h"

namespace calldb {

// Every single quote doubled, so that the text inside '...' is one SQL string literal.
std::string quote_sql_text(std::string_view text);

// A double in fixed notation with two decimals and a '.' whatever the locale ("0.00").
std::string format_sql_real(double value);

std::string insert_call_log_statement(const ACallLogInfo& record);
std::string delete_call_log_statement(std::int32_t id);
std::string update_call_log_note_statement(std::int32_t id, std::string_view note);

// Counts the rows of the same call (start, line, channel, recording) as `record`, through the
// search's index on the start.
std::string same_call_count_statement(const ACallLogInfo& record, SqlDialect dialect);

// A query that reads no row and fails when the table is missing or the file damaged.
std::string table_probe_statement();

// A write that changes nothing. It meets another program's lock as an insert does and gives
// up as soon, where a query may wait for the driver's own time (the SQLite driver's 100 s).
std::string lock_probe_statement();

// Statements that make the table and the index the search uses in a new SQLite file. Every
// text column is TEXT: a column of unknown type would turn the caller number 0755 into 755.
const char* const* sqlite_create_statements();

} // namespace calldb
