// The operations on CallLogTable, run against every database kind the executable instantiates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend_fixture.h"
#include "platform/text_gbk.h"

namespace calldb::testing {
namespace {

std::vector<std::string> line_ids(const std::vector<ACallLogInfo>& rows) {
    std::vector<std::string> ids;
    for (const auto& r : rows) ids.push_back(r.LineID);
    return ids;
}

TEST_P(BackendTest, StoredRecordReadsBackFieldByField) {
    const ACallLogInfo stored = store(sample_record());
    const std::vector<ACallLogInfo> rows = search_all();
    ASSERT_EQ(rows.size(), 1u);
    const ACallLogInfo& r = rows[0];
    EXPECT_GT(r.ID, 0);
    EXPECT_EQ(r.LineID, stored.LineID);
    EXPECT_EQ(r.Chan, stored.Chan);
    EXPECT_EQ(r.AgentID, stored.AgentID);
    EXPECT_EQ(r.AgentName, stored.AgentName);
    EXPECT_EQ(r.StartDate, stored.StartDate);
    EXPECT_EQ(r.StartTime, stored.StartTime);
    EXPECT_EQ(r.DuringTime, stored.DuringTime);
    EXPECT_EQ(r.CallerID, "07551234");  // a text, leading zero and all
    EXPECT_EQ(r.CallerName, "");
    EXPECT_EQ(r.DTMF, stored.DTMF);
    EXPECT_EQ(r.WaveFilePath, stored.WaveFilePath);
    EXPECT_EQ(r.CNote, stored.CNote);  // GBK in, GBK out
    EXPECT_EQ(r.CallType, stored.CallType);
    EXPECT_EQ(r.Rings, stored.Rings);
    EXPECT_EQ(r.VIFlag, stored.VIFlag);
    EXPECT_EQ(r.BackUpFlag, stored.BackUpFlag);
    EXPECT_EQ(r.SeqID, stored.SeqID);
    EXPECT_EQ(r.VerID, stored.VerID);
    EXPECT_EQ(r.RingSecs, stored.RingSecs);
    EXPECT_EQ(r.MaxScore, stored.MaxScore);
    EXPECT_DOUBLE_EQ(r.TestScore, stored.TestScore);
    EXPECT_DOUBLE_EQ(r.TestGrade, stored.TestGrade);
}

TEST_P(BackendTest, TextsAreReadTrimmed) {
    ACallLogInfo r = sample_record();
    r.LineID = "  Line 9 ";
    r.CNote = "\tnote ";
    store(r);
    const auto rows = search_all();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].LineID, "Line 9");
    EXPECT_EQ(rows[0].CNote, "note");
}

TEST_P(BackendTest, DeleteRemovesOnlyThatRow) {
    ACallLogInfo first = sample_record();
    first.LineID = "first";
    ACallLogInfo second = sample_record();
    second.LineID = "second";
    first = store(first);
    second = store(second);
    db.DeleteCallLog(first.ID);
    db.DeleteCallLog(second.ID + 1000);  // no such row: nothing happens
    EXPECT_EQ(line_ids(search_all()), std::vector<std::string>{"second"});
}

TEST_P(BackendTest, NoteUpdateKeepsQuotesAndChinese) {
    ACallLogInfo a = sample_record();
    a.LineID = "a";
    ACallLogInfo b = sample_record();
    b.LineID = "b";
    a = store(a);
    b = store(b);
    const std::string note = plat::utf8_to_gbk("O'Neil 说 '明天' ''");
    db.UpdateCallLogNote(a.ID, note);
    const auto rows = search_all();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].CNote, note);
    EXPECT_EQ(rows[1].CNote, b.CNote);
}

// Texts that are not whole GBK: devices cut their texts after a fixed count of bytes, which
// may leave the first byte of a character at the end.
TEST_P(BackendTest, TextsThatAreNotWholeGbkReadBackUnchanged) {
    const std::string texts[] = {
        "ab\xB0",                                   // a lone lead byte at the end
        "\xB0",
        "\xB0'",                                    // before a quote, which doubles
        plat::utf8_to_gbk("通话") + "\xCD",
        "x\x80y\xFF",                               // bytes that lead no character
        "\xB0 x",                                   // a lead byte before a byte that ends none
        plat::utf8_to_gbk("客户") + "\xEF\x9E\x80",  // bytes that look like the stored form
    };
    std::int32_t chan = 0;
    for (const std::string& text : texts) {
        ACallLogInfo r = sample_record();
        r.Chan = ++chan;
        r.LineID = text;
        r.AgentName = text;
        r.CNote = "note";
        ACallLogInfo stored = store(r);
        db.UpdateCallLogNote(stored.ID, text);
    }
    const auto rows = search_all();
    ASSERT_EQ(rows.size(), std::size(texts));
    for (const ACallLogInfo& row : rows) {
        ASSERT_GE(row.Chan, 1);
        ASSERT_LE(row.Chan, chan);
        const std::string& text = texts[row.Chan - 1];
        EXPECT_EQ(row.LineID, text) << row.Chan;
        EXPECT_EQ(row.AgentName, text) << row.Chan;
        EXPECT_EQ(row.CNote, text) << row.Chan;
    }
}

// Rows for the search cases, in insertion (ID) order.
struct SeedRow {
    const char* line;
    const char* date;
    const char* time;
    const char* caller;
    const char* dtmf;
    const char* agent;
    const char* note;  // UTF-8 here, GBK in the database
    const char* seq;
    int type;
    const char* during;
    int rings;
};
const SeedRow kSeed[] = {
    {"L01", "2012-03-01", "00:00:00", "0755", "123", "O'Neil", "it's fine", "S1", 0, "00:00:59", 0},
    {"L02", "2012-03-31", "23:59:59", "7550", "1x3", "Smith", "100% sure", "S2", 1, "00:01:00", 3},
    {"L03", "2012-04-01", "00:00:00", "0755", "123", "O'Neil", "", "S3", 2, "00:00:00", 5},
    {"L04", "2012-02-29", "23:59:59", "0755", "123", "O'Neil", "", "S4", 0, "00:05:00", 1},
    {"L05", "2012-03-15", "12:00:00", "13800138000", "1_3", "oneil", "回电 a\\b", "S10", 2, "00:10:00", 12},
    {"L06", "2012-03-20", "09:30:00", "", "", "", "100 percent", "", 3, "01:00:00", 1},
};

struct SearchCase {
    const char* name;
    void (*set)(SearchConditions&);
    std::vector<std::string> expected;
};

SearchConditions march() {
    SearchConditions c;
    c.DateFrom = "2012-03-01";
    c.TimeFrom = "00:00:00";
    c.DateTo = "2012-03-31";
    c.TimeTo = "23:59:59";
    return c;
}

const std::vector<SearchCase>& search_cases() {
    static const std::vector<SearchCase> cases = {
        {"the period's ends belong to it", [](SearchConditions&) {}, {"L01", "L02", "L05", "L06"}},
        {"a period that ends before it starts",
         [](SearchConditions& c) { c.DateFrom = "2012-03-31"; c.DateTo = "2012-03-01"; }, {}},
        {"a one-second period",
         [](SearchConditions& c) { c.DateTo = "2012-03-01"; c.TimeTo = "00:00:00"; }, {"L01"}},
        {"times of day bound the joined moment",
         [](SearchConditions& c) { c.DateFrom = "2012-03-15"; c.TimeFrom = "12:00:01"; c.TimeTo = "23:59:58"; },
         {"L06"}},
        {"caller number keeps its leading zero", [](SearchConditions& c) { c.ByCallerID = {true, "0755"}; }, {"L01"}},
        {"caller number anywhere in the text", [](SearchConditions& c) { c.ByCallerID = {true, "755"}; },
         {"L01", "L02"}},
        {"an empty ticked text matches every row", [](SearchConditions& c) { c.ByCallerID = {true, " "}; },
         {"L01", "L02", "L05", "L06"}},
        {"'_' matches any one character", [](SearchConditions& c) { c.ByDialed = {true, "1_3"}; },
         {"L01", "L02", "L05"}},
        {"'%' matches any run of characters", [](SearchConditions& c) { c.ByNote = {true, "100%"}; },
         {"L02", "L06"}},
        {"a Chinese note", [](SearchConditions& c) { c.ByNote = {true, plat::utf8_to_gbk("回电")}; }, {"L05"}},
        {"a backslash is an ordinary character", [](SearchConditions& c) { c.ByNote = {true, "a\\b"}; }, {"L05"}},
        {"a name with a quote", [](SearchConditions& c) { c.ByAgent = {true, "O'Neil"}; }, {"L01"}},
        {"names ignore case", [](SearchConditions& c) { c.ByAgent = {true, "NEIL"}; }, {"L01", "L05"}},
        {"session number", [](SearchConditions& c) { c.BySessionID = {true, "S1"}; }, {"L01", "L05"}},
        {"incoming only", [](SearchConditions& c) { c.ByIn = true; }, {"L01"}},
        {"outgoing and missed", [](SearchConditions& c) { c.ByOut = c.ByNoanswer = true; }, {"L02", "L05"}},
        {"all three directions include unknown calls",
         [](SearchConditions& c) { c.ByIn = c.ByOut = c.ByNoanswer = true; }, {"L01", "L02", "L05", "L06"}},
        {"at least a minute", [](SearchConditions& c) { c.LongerThan = {true, 60}; }, {"L02", "L05", "L06"}},
        {"at most 59 seconds", [](SearchConditions& c) { c.ShorterThan = {true, 59}; }, {"L01"}},
        {"at least three rings", [](SearchConditions& c) { c.RingLargerThan = {true, 3}; }, {"L02", "L05"}},
        {"at most one ring", [](SearchConditions& c) { c.RingSmallerThan = {true, 1}; }, {"L01", "L06"}},
        {"conditions combine",
         [](SearchConditions& c) { c.ByNoanswer = true; c.RingLargerThan = {true, 5}; c.ByNote = {true, "a"}; },
         {"L05"}},
    };
    return cases;
}

TEST_P(BackendTest, SearchFindsWhatEachConditionSelects) {
    for (const SeedRow& s : kSeed) {
        ACallLogInfo r = sample_record();
        r.LineID = s.line;
        r.StartDate = s.date;
        r.StartTime = s.time;
        r.CallerID = s.caller;
        r.DTMF = s.dtmf;
        r.AgentName = s.agent;
        r.CNote = plat::utf8_to_gbk(s.note);
        r.SeqID = s.seq;
        r.CallType = s.type;
        r.DuringTime = s.during;
        r.Rings = s.rings;
        ASSERT_EQ(db.InsertCallLog(r), 0) << s.line;
    }
    for (const SearchCase& c : search_cases()) {
        SearchConditions conditions = march();
        c.set(conditions);
        std::vector<ACallLogInfo> rows;
        EXPECT_EQ(db.SearchCallLogs(conditions, rows), 0) << c.name;
        EXPECT_EQ(line_ids(rows), c.expected) << c.name;
    }
}

TEST_P(BackendTest, SearchAppendsToTheGivenList) {
    store(sample_record());
    std::vector<ACallLogInfo> rows(2);
    SearchConditions c = march();
    EXPECT_EQ(db.SearchCallLogs(c, rows), 0);
    EXPECT_EQ(rows.size(), 3u);
}

} // namespace
} // namespace calldb::testing
