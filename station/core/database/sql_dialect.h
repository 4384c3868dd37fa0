// The few places where the databases we meet disagree about SQL. The statements are written
// once in the station's own SQL and changed only where a database would reject or misread them.
#pragma once
#include <string>
#include <string_view>

namespace calldb {

enum class SqlDialect {
    SQLite,
    PostgreSQL,
    Other,  // anything else (Access, SQL Server ...): the statements exactly as written
};

// From the name the data source reports for its database system (ODBC SQL_DBMS_NAME).
SqlDialect dialect_from_dbms_name(std::string_view dbms_name);

// Joins the start date and time columns into one comparable text. In SQLite "+" adds numbers
// ('2012-03-01' + '00:00:00' is 2012) and PostgreSQL rejects it for texts.
std::string start_moment_expression(SqlDialect dialect);

// " and <column> like '%<pattern>%'" for an already quoted pattern. PostgreSQL's LIKE is case
// sensitive and treats '\' as an escape: the search must behave as in the other databases.
std::string like_condition(SqlDialect dialect, std::string_view column, std::string_view quoted_pattern);

} // namespace calldb
