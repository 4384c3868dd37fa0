#include "station/core/database/call_log_statements.h"

#include <charconv>
#include <cmath>

namespace calldb {

std::string quote_sql_text(std::string_view text) {
    // GBK trail bytes never take the value of a quote, so the bytes can be scanned one by one.
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out;
}

std::string format_sql_real(double value) {
    if (!std::isfinite(value)) value = 0.0;  // no SQL accepts "inf" or "nan" as a number
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (result.ec != std::errc()) return "0.00";
    return std::string(buffer, result.ptr);
}

namespace {
void add_text(std::string& sql, std::string_view text) {
    sql += '\'';
    sql += quote_sql_text(text);
    sql += '\'';
}
void add_int(std::string& sql, std::int32_t value) { sql += std::to_string(value); }
} // namespace

std::string insert_call_log_statement(const ACallLogInfo& r) {
    std::string sql =
        "Insert into CallLogTable (LineID,Chan,AgentID,AgentName,StartDate,StartTime,DuringTime,"
        "CallerID,DTMF,WaveFilePath,CNote,CallType,Rings,VIFlag,BackUpFlag,SeqID,VerID,RingSecs,"
        "TestScore,MaxScore,TestGrade) Values(";
    add_text(sql, r.LineID);       sql += ',';
    add_int(sql, r.Chan);          sql += ',';
    add_text(sql, r.AgentID);      sql += ',';
    add_text(sql, r.AgentName);    sql += ',';
    add_text(sql, r.StartDate);    sql += ',';
    add_text(sql, r.StartTime);    sql += ',';
    add_text(sql, r.DuringTime);   sql += ',';
    add_text(sql, r.CallerID);     sql += ',';
    add_text(sql, r.DTMF);         sql += ',';
    add_text(sql, r.WaveFilePath); sql += ',';
    add_text(sql, r.CNote);        sql += ',';
    add_int(sql, r.CallType);      sql += ',';
    add_int(sql, r.Rings);         sql += ',';
    add_int(sql, r.VIFlag);        sql += ',';
    add_int(sql, r.BackUpFlag);    sql += ',';
    add_text(sql, r.SeqID);        sql += ',';
    add_int(sql, r.VerID);         sql += ',';
    add_int(sql, r.RingSecs);      sql += ',';
    sql += format_sql_real(r.TestScore); sql += ',';
    add_int(sql, r.MaxScore);      sql += ',';
    sql += format_sql_real(r.TestGrade);
    sql += ')';
    return sql;
}

std::string delete_call_log_statement(std::int32_t id) {
    return "Delete from CallLogTable Where ID=" + std::to_string(id);
}

std::string update_call_log_note_statement(std::int32_t id, std::string_view note) {
    return "Update CallLogTable Set CNote='" + quote_sql_text(note) + "' Where ID=" + std::to_string(id);
}

std::string same_call_count_statement(const ACallLogInfo& r, SqlDialect dialect) {
    std::string sql = "Select count(*) From CallLogTable Where " + start_moment_expression(dialect) + "=";
    add_text(sql, r.StartDate + r.StartTime);
    sql += " and LineID=";
    add_text(sql, r.LineID);
    sql += " and Chan=";
    add_int(sql, r.Chan);
    sql += " and WaveFilePath=";
    add_text(sql, r.WaveFilePath);
    return sql;
}

std::string table_probe_statement() { return "Select ID From CallLogTable Where ID<0"; }

std::string lock_probe_statement() { return "Delete from CallLogTable Where ID<0"; }

const char* const* sqlite_create_statements() {
    static const char* const statements[] = {
        "Create Table CallLogTable (ID INTEGER PRIMARY KEY AUTOINCREMENT,LineID TEXT,Chan Integer,"
        "AgentID TEXT,AgentName TEXT,StartDate TEXT,StartTime TEXT,DuringTime TEXT,CallerID TEXT,"
        "DTMF TEXT,WaveFilePath TEXT,CNote TEXT,CallType Integer,Rings Integer,VIFlag Integer,"
        "BackUpFlag Integer,SeqID TEXT,VerID Integer,RingSecs Integer,TestScore REAL,"
        "MaxScore Integer,TestGrade REAL)",
        // The search compares the joined date and time; only an index on that very expression
        // spares it a scan of every row.
        "Create Index CallLogTable_StartMoment On CallLogTable ((StartDate || StartTime))",
        nullptr,
    };
    return statements;
}

} // namespace calldb
