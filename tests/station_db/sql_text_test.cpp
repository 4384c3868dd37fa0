// The SQL the station sends, checked as text: the search for each database kind, the insert,
// quoting, and the connection string.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "station/core/database/call_log_statements.h"
#include "station/core/database/database_text.h"
#include "station/core/database/odbc_connection_string.h"
#include "station/core/database/search_query.h"
#include "station/core/database/sql_dialect.h"
#include "platform/text_utf16.h"

namespace calldb {
namespace {

// The period "this month" in March 2012.
SearchConditions march_2012() {
    SearchConditions c;
    c.DateFrom = "2012-03-01";
    c.TimeFrom = "00:00:00";
    c.DateTo = "2012-03-31";
    c.TimeTo = "23:59:59";
    return c;
}

SearchConditions documented_example() {
    SearchConditions c = march_2012();
    c.ByCallerID = {true, "0755"};
    c.ByIn = true;
    c.ByNoanswer = true;
    c.LongerThan = {true, 60};
    return c;
}

TEST(SearchSql, DocumentedExampleInEveryDialect) {
    struct Case {
        SqlDialect dialect;
        const char* expected;
    };
    const Case cases[] = {
        {SqlDialect::Other,
         "select * from CallLogTable where (StartDate + StartTime) between '2012-03-0100:00:00' and "
         "'2012-03-3123:59:59' and CallerID like '%0755%' and (CallType=0 Or CallType=2) and "
         "DuringTime >= '00:01:00' order by ID asc"},
        {SqlDialect::SQLite,
         "select * from CallLogTable where (StartDate || StartTime) between '2012-03-0100:00:00' and "
         "'2012-03-3123:59:59' and CallerID like '%0755%' and (CallType=0 Or CallType=2) and "
         "DuringTime >= '00:01:00' order by ID asc"},
        {SqlDialect::PostgreSQL,
         "select * from CallLogTable where (StartDate || StartTime) between '2012-03-0100:00:00' and "
         "'2012-03-3123:59:59' and CallerID ILIKE '%0755%' ESCAPE '' and (CallType=0 Or CallType=2) and "
         "DuringTime >= '00:01:00' order by ID asc"},
    };
    for (const Case& c : cases) EXPECT_EQ(build_search_sql(documented_example(), c.dialect), c.expected);
}

TEST(SearchSql, ConditionFragments) {
    struct Case {
        const char* name;
        void (*set)(SearchConditions&);
        const char* tail;  // what follows the period, SQLite dialect
    };
    const Case cases[] = {
        {"nothing ticked", [](SearchConditions&) {}, ""},
        {"all text conditions in their fixed order",
         [](SearchConditions& c) {
             c.BySessionID = {true, "S1"};
             c.ByAgent = {true, "A"};
             c.ByNote = {true, "N"};
             c.ByDialed = {true, "D"};
             c.ByCallerID = {true, "C"};
         },
         " and CallerID like '%C%' and DTMF like '%D%' and CNote like '%N%' and AgentName like '%A%'"
         " and SeqID like '%S1%'"},
        {"ticked with an empty edit matches anything", [](SearchConditions& c) { c.ByNote = {true, ""}; },
         " and CNote like '%%'"},
        {"text trimmed and its quote doubled", [](SearchConditions& c) { c.ByAgent = {true, "  O'Neil \t"}; },
         " and AgentName like '%O''Neil%'"},
        {"unticked text is ignored", [](SearchConditions& c) { c.ByCallerID = {false, "0755"}; }, ""},
        {"all three directions: no limit",
         [](SearchConditions& c) { c.ByIn = c.ByOut = c.ByNoanswer = true; }, ""},
        {"one direction", [](SearchConditions& c) { c.ByOut = true; }, " and (CallType=1)"},
        {"two directions in type order",
         [](SearchConditions& c) { c.ByNoanswer = true; c.ByOut = true; }, " and (CallType=1 Or CallType=2)"},
        {"duration bounds as times",
         [](SearchConditions& c) { c.LongerThan = {true, 3725}; c.ShorterThan = {true, 36000}; },
         " and DuringTime >= '01:02:05' and DuringTime <= '10:00:00'"},
        {"ring bounds without a blank",
         [](SearchConditions& c) { c.RingLargerThan = {true, 3}; c.RingSmallerThan = {true, 12}; },
         " and Rings >=3 and Rings <=12"},
    };
    const std::string head =
        "select * from CallLogTable where (StartDate || StartTime) between '2012-03-0100:00:00' and "
        "'2012-03-3123:59:59'";
    for (const Case& c : cases) {
        SearchConditions conditions = march_2012();
        c.set(conditions);
        EXPECT_EQ(build_search_sql(conditions, SqlDialect::SQLite), head + c.tail + " order by ID asc") << c.name;
    }
}

TEST(SearchSql, DialectFromReportedDatabaseName) {
    EXPECT_EQ(dialect_from_dbms_name("SQLite"), SqlDialect::SQLite);
    EXPECT_EQ(dialect_from_dbms_name("PostgreSQL"), SqlDialect::PostgreSQL);
    EXPECT_EQ(dialect_from_dbms_name("ACCESS"), SqlDialect::Other);
    EXPECT_EQ(dialect_from_dbms_name("Microsoft SQL Server"), SqlDialect::Other);
    EXPECT_EQ(dialect_from_dbms_name(""), SqlDialect::Other);
}

TEST(RecordSql, InsertStatementQuotesTextsAndFormatsNumbers) {
    ACallLogInfo r;
    r.ID = 99;  // never written: the database numbers the rows
    r.LineID = "L1";
    r.Chan = 3;
    r.AgentName = "O'Neil";
    r.StartDate = "2012-03-01";
    r.StartTime = "08:00:00";
    r.DuringTime = "00:01:05";
    r.CallerID = "0755";
    r.DTMF = "123";
    r.WaveFilePath = "20120301\\a.wav";
    r.CNote = "it's";
    r.CallType = 1;
    r.Rings = 2;
    r.BackUpFlag = 1;
    r.SeqID = "S";
    r.VerID = 2;
    r.RingSecs = 7;
    r.TestScore = 1.005e3;
    r.MaxScore = -4;
    r.TestGrade = 12.5;
    EXPECT_EQ(insert_call_log_statement(r),
              "Insert into CallLogTable (LineID,Chan,AgentID,AgentName,StartDate,StartTime,DuringTime,"
              "CallerID,DTMF,WaveFilePath,CNote,CallType,Rings,VIFlag,BackUpFlag,SeqID,VerID,RingSecs,"
              "TestScore,MaxScore,TestGrade) Values('L1',3,'','O''Neil','2012-03-01','08:00:00','00:01:05',"
              "'0755','123','20120301\\a.wav','it''s',1,2,0,1,'S',2,7,1005.00,-4,12.50)");
}

TEST(RecordSql, DeleteAndNoteStatements) {
    EXPECT_EQ(delete_call_log_statement(42), "Delete from CallLogTable Where ID=42");
    EXPECT_EQ(update_call_log_note_statement(7, "a'b''c"), "Update CallLogTable Set CNote='a''b''''c' Where ID=7");
}

TEST(RecordSql, RealsHaveTwoDecimalsAndNeverANonNumber) {
    EXPECT_EQ(format_sql_real(0.0), "0.00");
    EXPECT_EQ(format_sql_real(-12.345678), "-12.35");
    EXPECT_EQ(format_sql_real(std::numeric_limits<double>::infinity()), "0.00");
    EXPECT_EQ(format_sql_real(std::numeric_limits<double>::quiet_NaN()), "0.00");
}

TEST(OdbcConnectionString, ValuesWithPunctuationAreBraced) {
    struct Case {
        const char* dsn;
        const char* user;
        const char* password;
        const char* expected;
    };
    const Case cases[] = {
        {"calls", "sa", "", "DSN=calls;Uid=sa;Pwd="},
        {"my calls", "sa", "p=w", "DSN=my calls;Uid=sa;Pwd=p=w"},
        {"calls", "sa", "pa;ss}w{o=rd", "DSN=calls;Uid=sa;Pwd={pa;ss}}w{o=rd}"},
        {"calls", "sa", "}", "DSN=calls;Uid=sa;Pwd={}}}"},
        {"calls", "sa", " pw ", "DSN=calls;Uid=sa;Pwd={ pw }"},
        {"a;b", "u}", "x", "DSN={a;b};Uid={u}}};Pwd=x"},
    };
    for (const Case& c : cases) EXPECT_EQ(odbc_connection_string(c.dsn, c.user, c.password), c.expected);
}

TEST(DatabaseText, WholeGbkIsPlainUtf8AndEveryOtherByteComesBack) {
    // Whole characters become their UTF-8, so that other programs read the table.
    EXPECT_EQ(gbk_to_database_text("a\xCD\xA8"), "a\xE9\x80\x9A");  // a通
    EXPECT_EQ(database_text_to_gbk("a\xE9\x80\x9A"), "a\xCD\xA8");
    const std::string texts[] = {
        "", "plain", "\xCD\xA8\xBB\xB0", "ab\xB0", "\xB0", "\xB0'", "\x80", "\xFF", "\xB0 \xB0",
        "\xEF\x9E\x80", "\xCD\xA8\xB0",
    };
    for (const std::string& text : texts) {
        const std::string stored = gbk_to_database_text(text);
        EXPECT_EQ(stored.find('?'), std::string::npos) << text;
        EXPECT_EQ(plat::utf16_to_utf8(plat::utf8_to_utf16(stored)), stored) << text;  // valid UTF-8
        EXPECT_EQ(database_text_to_gbk(stored), text) << text;
    }
}

TEST(Utf16Text, RoundTripAndBadInput) {
    const std::string text = "a\xE9\x80\x9A\xF0\x9F\x93\x9E";  // a, 通, an emoji outside the BMP
    const std::u16string wide = plat::utf8_to_utf16(text);
    EXPECT_EQ(wide, (std::u16string{u'a', 0x901A, 0xD83D, 0xDCDE}));
    EXPECT_EQ(plat::utf16_to_utf8(wide), text);
    EXPECT_EQ(plat::utf8_to_utf16("\xE9\x80"), std::u16string(1, char16_t(0xFFFD)));  // cut short
    EXPECT_EQ(plat::utf16_to_utf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

} // namespace
} // namespace calldb
