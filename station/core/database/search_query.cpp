#include "station/core/database/search_query.h"

#include "station/core/database/call_log_statements.h"
#include "station/core/date_time_text.h"

namespace calldb {

namespace {

std::string trimmed(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    return text.substr(begin, end - begin);
}

void add_like(std::string& sql, SqlDialect dialect, const TextCondition& condition, const char* column) {
    if (!condition.Enabled) return;
    sql += like_condition(dialect, column, quote_sql_text(trimmed(condition.Text)));
}

void add_direction(std::string& sql, const SearchConditions& c) {
    const bool ticked[3] = {c.ByIn, c.ByOut, c.ByNoanswer};  // CallType 0, 1, 2
    int count = 0;
    for (bool t : ticked) count += t ? 1 : 0;
    if (count == 0 || count == 3) return;  // all or nothing: no limit on the direction
    sql += " and (";
    bool first = true;
    for (int type = 0; type < 3; ++type) {
        if (!ticked[type]) continue;
        sql += first ? "CallType=" : " Or CallType=";
        sql += std::to_string(type);
        first = false;
    }
    sql += ')';
}

} // namespace

std::string build_search_sql(const SearchConditions& c, SqlDialect dialect) {
    std::string sql = "select * from CallLogTable where " + start_moment_expression(dialect) +
                      " between '" + quote_sql_text(c.DateFrom + c.TimeFrom) + "' and '" +
                      quote_sql_text(c.DateTo + c.TimeTo) + "'";
    add_like(sql, dialect, c.ByCallerID, "CallerID");
    add_like(sql, dialect, c.ByDialed, "DTMF");
    add_like(sql, dialect, c.ByNote, "CNote");
    add_like(sql, dialect, c.ByAgent, "AgentName");
    add_like(sql, dialect, c.BySessionID, "SeqID");
    add_direction(sql, c);
    if (c.LongerThan.Enabled) sql += " and DuringTime >= '" + station::SecondsToTimeText(c.LongerThan.Value) + "'";
    if (c.ShorterThan.Enabled) sql += " and DuringTime <= '" + station::SecondsToTimeText(c.ShorterThan.Value) + "'";
    if (c.RingLargerThan.Enabled) sql += " and Rings >=" + std::to_string(c.RingLargerThan.Value);
    if (c.RingSmallerThan.Enabled) sql += " and Rings <=" + std::to_string(c.RingSmallerThan.Value);
    sql += " order by ID asc";
    return sql;
}

} // namespace calldb
