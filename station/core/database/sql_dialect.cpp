#include "station/core/database/sql_dialect.h"

#include <algorithm>
#include <cctype>

namespace calldb {

namespace {
bool contains_ignoring_case(std::string_view text, std::string_view word) {
    auto it = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return it != text.end();
}
} // namespace

SqlDialect dialect_from_dbms_name(std::string_view dbms_name) {
    if (contains_ignoring_case(dbms_name, "sqlite")) return SqlDialect::SQLite;
    if (contains_ignoring_case(dbms_name, "postgres")) return SqlDialect::PostgreSQL;
    return SqlDialect::Other;
}

std::string start_moment_expression(SqlDialect dialect) {
    return dialect == SqlDialect::Other ? "(StartDate + StartTime)" : "(StartDate || StartTime)";
}

std::string like_condition(SqlDialect dialect, std::string_view column, std::string_view quoted_pattern) {
    std::string out = " and ";
    out += column;
    if (dialect == SqlDialect::PostgreSQL) {
        out += " ILIKE '%";
        out += quoted_pattern;
        out += "%' ESCAPE ''";
    } else {
        out += " like '%";
        out += quoted_pattern;
        out += "%'";
    }
    return out;
}

} // namespace calldb
