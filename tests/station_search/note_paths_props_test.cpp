#include <gtest/gtest.h>

#include "platform/text_gbk.h"
#include "station/core/database/call_log_database.h"
#include "station/core/search/call_properties.h"
#include "station/core/search/call_store.h"
#include "station/core/search/note_text.h"
#include "tests/station_search/search_fixture.h"

namespace station_search_test {
namespace {

std::wstring Wide(const char* utf8) { return plat::gbk_to_wide(Gbk(utf8)); }

std::wstring Repeat(const std::wstring& unit, int times) {
    std::wstring out;
    for (int i = 0; i < times; ++i) out += unit;
    return out;
}

TEST(NoteText, CutOnGbkCharacterBoundary) {
    const std::wstring han = Wide(u8"录");
    struct Case { const char* name; std::wstring note; std::string stored; };
    const Case cases[] = {
        {"200 Chinese characters keep 125", Repeat(han, 200), plat::wide_to_gbk(Repeat(han, 125))},
        // One ASCII byte first: 249 bytes hold 124 characters, the 125th would split.
        {"odd offset drops the split character", L"x" + Repeat(han, 200), "x" + plat::wide_to_gbk(Repeat(han, 124))},
        {"ASCII over 200 characters", std::wstring(300, L'a'), std::string(200, 'a')},
        {"short note unchanged", L"O'Neil", "O'Neil"},
        {"empty", L"", ""},
    };
    for (const Case& c : cases) {
        const std::string stored = NoteForStorage(c.note);
        EXPECT_EQ(stored, c.stored) << c.name;
        EXPECT_LE(stored.size(), kNoteMaxBytes) << c.name;
    }
    EXPECT_EQ(TrimmedNote(L"  note \r\n"), L"note");
    EXPECT_EQ(TrimmedNote(L" \t "), L"");
}

TEST(RecordingPaths, OnlyPlainRelativePathsAreUsed) {
    struct Case { std::string path; bool plain; };
    const Case cases[] = {
        {"20120301\\a.wav", true},
        {"20120301/a.wav", true},
        {"20120301\\" + Gbk(u8"录音") + ".wav", true},
        {Gbk(u8"表") + "\\a.wav", true},  // a trail byte 0x5C inside a character is no separator
        {"", false},
        {"..\\a.wav", false},
        {"20120301\\..\\..\\a.wav", false},
        {"20120301\\...\\a.wav", false},
        {".\\a.wav", false},
        {"\\20120301\\a.wav", false},
        {"/etc/passwd", false},
        {"C:\\a.wav", false},
        {"C:a.wav", false},
        {"\\\\server\\share\\a.wav", false},
        {"20120301\\\\a.wav", false},
        {"20120301\\", false},
        {"a.wav:stream", false},
        {std::string("20120301\\\x81"), false},  // a lone lead byte
    };
    for (const Case& c : cases) EXPECT_EQ(IsPlainRelativePath(c.path), c.plain) << c.path;

    StationFolder station("search-paths");
    station.AddRecording("20120301\\a.wav");
    plat::force_directories(station.data("20120301\\dir.wav"));
    plat::write_whole_file(station.root() + "\\outside.wav", "x");
    EXPECT_EQ(LocateRecording(station.globals(), "20120301\\a.wav").path, station.data("20120301\\a.wav"));
    EXPECT_EQ(LocateRecording(station.globals(), "..\\outside.wav").path, "");
    EXPECT_EQ(LocateRecording(station.globals(), "20120301\\dir.wav").path, "");  // a folder is no recording
}

TEST(CallPropertiesView, EveryFieldWithUnknownsAndSizes) {
    StationFolder station("search-props");
    StationRecordingFiles files(station.globals());
    const CallTypeTexts texts{"in", "out", "missed", "unknown"};
    ACallLogInfo r = MakeCall(5, "2012-03-01", "08:15:00", 0, "a.wav");
    r.LineID = "L1";
    r.DTMF = "";
    r.CNote = "note";
    station.AddRecording(r.WaveFilePath, 10239);
    CallProperties p = DescribeCall(r, texts, files);
    EXPECT_EQ(p.glyph, 3);
    EXPECT_EQ(p.call_type, "in");
    EXPECT_EQ(p.line, "L1");
    EXPECT_EQ(p.agent_id, "unknown");
    EXPECT_EQ(p.agent_name, "unknown");
    EXPECT_EQ(p.start, "2012-03-01  08:15:00");
    EXPECT_EQ(p.duration, "00:00:10");
    EXPECT_EQ(p.caller_id, "07551005");
    EXPECT_EQ(p.caller_name, "unknown");
    EXPECT_EQ(p.dtmf, "");
    EXPECT_EQ(p.note, "note");
    EXPECT_EQ(p.file_path, station.data("20120301\\a.wav"));
    EXPECT_EQ(p.file_size, "9 KB");

    struct Case { int type; std::string rel; int glyph; const char* type_text; std::string path; const char* size; };
    const Case cases[] = {
        {1, "20120301\\gone.wav", 2, "out", "20120301\\gone.wav", "unknown"},
        {2, "20120301\\a.wav", 4, "missed", "", ""},
        {3, "20120301\\a.wav", -1, "unknown", station.data("20120301\\a.wav"), "9 KB"},
    };
    for (const Case& c : cases) {
        r.CallType = c.type;
        r.WaveFilePath = c.rel;
        p = DescribeCall(r, texts, files);
        EXPECT_EQ(p.glyph, c.glyph) << c.type;
        EXPECT_EQ(p.call_type, c.type_text) << c.type;
        EXPECT_EQ(p.file_path, c.path) << c.type;
        EXPECT_EQ(p.file_size, c.size) << c.type;
    }
}

// The note's storage form survives the station's own database file, and a delete is checked.
TEST(CallStore, NoteRoundTripAndConfirmedDelete) {
    StationFolder station("search-notes");
    calldb::DatabaseSettings settings;
    settings.ConnMode = calldb::ConnModeFile;
    settings.LocalFile = false;
    settings.UserFilePath = station.root() + "\\calls.db";
    calldb::TMyDataModule module([&] { return settings; });
    ASSERT_EQ(module.InsertCallLog(MakeCall(0, "2012-03-01", "08:00:00", 0, "a.wav")), 0);
    calldb::SearchConditions all;
    all.DateFrom = "2012-03-01";
    all.TimeFrom = "00:00:00";
    all.DateTo = "2012-03-01";
    all.TimeTo = "23:59:59";
    std::vector<ACallLogInfo> rows;
    ASSERT_EQ(module.SearchCallLogs(all, rows), 0);
    ASSERT_EQ(rows.size(), 1u);

    DataModuleStore store(module);
    for (const std::wstring& note : {std::wstring(L"it's O'Neil's"), L"x" + Repeat(Wide(u8"备"), 200)}) {
        const std::string stored = NoteForStorage(TrimmedNote(L"  " + note + L" "));
        store.UpdateCallLogNote(rows[0].ID, stored);
        std::vector<ACallLogInfo> again;
        ASSERT_EQ(store.SearchCallLogs(all, again), 0);
        ASSERT_EQ(again.size(), 1u);
        EXPECT_EQ(again[0].CNote, stored);
    }
    // A delete is confirmed by the row's absence; an unreachable database confirms nothing.
    const std::string path = settings.UserFilePath;
    settings.UserFilePath = station.root() + "\\missing.db";
    EXPECT_FALSE(store.DeleteCallLog(rows[0]));
    settings.UserFilePath = path;
    EXPECT_TRUE(store.DeleteCallLog(rows[0]));
    std::vector<ACallLogInfo> none;
    store.SearchCallLogs(all, none);
    EXPECT_TRUE(none.empty());
}

} // namespace
} // namespace station_search_test
