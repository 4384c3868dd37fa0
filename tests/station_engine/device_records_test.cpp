// The pure conversions of the engine: device texts, call records, dates and the state view's row.
#include <cstring>

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "station/core/engine/board_row.h"
#include "station/core/engine/call_record_row.h"
#include "station/core/engine/device_texts.h"
#include "station/core/engine/local_date_time.h"
#include "station/core/gbk_literal.h"

namespace engine_test {
namespace {

using namespace station;

TEST(DeviceTexts, PlainNamesDateFoldersAndCleaning) {
    struct Case {
        std::string text;
        bool plain;
        std::string cleaned;
    };
    const Case cases[] = {
        {"a.wav", true, "a.wav"},
        {"", false, ""},
        {".", false, ""},
        {"..", false, ""},
        {"...", true, ""},  // Windows would take it as ".."
        {"CON", true, "_CON"},
        {"SN1. ", true, "_SN1__"},
        {"a<b>", false, "a_b_"},
        {"a\\b", false, "a_b"},
        {"a/b", false, "a_b"},
        {"c:x", false, "c_x"},
        {"a\nb", false, "a_b"},
        {std::string("a\0b", 3), false, "a_b"},
        {"\x7f", false, "_"},
        {"\x81\x5c.wav", true, "\x81\x5c.wav"},  // 0x5C as the second byte of a GBK character
        {"x\x81", false, "x_"},                   // a character cut off at the end
        {Gbk(u8"前台录音"), true, Gbk(u8"前台录音")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsPlainName(c.text), c.plain);
        EXPECT_EQ(CleanFolderName(c.text), c.cleaned);
    }
    for (const char* date : {"20120301", "00000000"}) EXPECT_TRUE(IsDateFolderName(date)) << date;
    for (const char* date : {"", "2012031", "201203011", "2012-03-", "2012030a", "２０"}) {
        EXPECT_FALSE(IsDateFolderName(date)) << date;
    }
    EXPECT_EQ(PrintableText("a\r\n\x81\x0a"), "a??\x81\x0a") << "a double-byte character is left whole";
    EXPECT_TRUE(IsIniKeyText("SN1"));
    for (const char* key : {"", " SN", "SN ", "a=b", "[s]", ";x", "a\nb"}) EXPECT_FALSE(IsIniKeyText(key)) << key;
}

ftp_callinfo FullCall() {
    ftp_callinfo c{};
    c.call_type = 1;
    std::strcpy(c.start_date, "2012-03-01");
    std::strcpy(c.start_time, "07:58:00");
    std::strcpy(c.second_date, "2012-03-02");
    std::strcpy(c.second_time, "09:00:01");
    std::strcpy(c.caller_number, "0755P88");
    std::strcpy(c.dialled_digits, "123#");
    c.channel = 3;
    std::strcpy(c.line, "L1");
    std::strcpy(c.agent_name, "Agent");
    std::strcpy(c.note, "note");
    c.rings = 4;
    c.ring_seconds = 12;
    c.duration = 3725;
    std::strcpy(c.file_name, "r1.wav");
    std::strcpy(c.session_number, "S-1");
    return c;
}

TEST(CallRecordRow, FieldsOfAnAnsweredCall) {
    const CallRowResult r = CallLogFromCallInfo(FullCall());
    EXPECT_FALSE(r.bad_caller_id);
    EXPECT_EQ(r.row.ID, 0);
    EXPECT_EQ(r.row.LineID, "L1");
    EXPECT_EQ(r.row.Chan, 3);
    EXPECT_EQ(r.row.AgentID, "");
    EXPECT_EQ(r.row.AgentName, "Agent");
    EXPECT_EQ(r.row.CallType, 1);
    EXPECT_EQ(r.row.StartDate, "2012-03-01");
    EXPECT_EQ(r.row.StartTime, "07:58:00");
    EXPECT_EQ(r.row.DuringTime, "01:02:05");
    EXPECT_EQ(r.row.CallerID, "0755P88");
    EXPECT_EQ(r.row.DTMF, "123#");
    EXPECT_EQ(r.row.Rings, 4);
    EXPECT_EQ(r.row.RingSecs, 12);
    EXPECT_EQ(r.row.CNote, "note");
    EXPECT_EQ(r.row.SeqID, "S-1");
    EXPECT_EQ(r.row.VerID, 2);
    EXPECT_EQ(r.row.WaveFilePath, "") << "the station names the file where it saved it";
}

TEST(CallRecordRow, MissedCallTakesTheRinging) {
    ftp_callinfo c = FullCall();
    c.call_type = 2;
    const CallRowResult r = CallLogFromCallInfo(c);
    EXPECT_EQ(r.row.StartDate, "2012-03-02");
    EXPECT_EQ(r.row.StartTime, "09:00:01");
    EXPECT_EQ(r.row.DuringTime, "00:00:12");
}

TEST(CallRecordRow, CallerNumbers) {
    const std::pair<const char*, bool> numbers[] = {
        {"0755P88", true}, {"p", true}, {"", true}, {"010-1234", false}, {"1 2", false}, {"+86", false},
    };
    for (const auto& [number, good] : numbers) {
        ftp_callinfo c = FullCall();
        std::strcpy(c.caller_number, number);
        const CallRowResult r = CallLogFromCallInfo(c);
        EXPECT_EQ(r.bad_caller_id, !good) << number;
        EXPECT_EQ(r.row.CallerID, good ? number : "") << number;
    }
}

TEST(CallRecordRow, FullFieldsWithoutTerminatorStayInsideTheirFields) {
    ftp_callinfo c = FullCall();
    std::memset(c.line, 'L', sizeof c.line);
    std::memset(c.agent_name, 'A', sizeof c.agent_name);
    std::memset(c.session_number, 'S', sizeof c.session_number);
    std::memset(c.file_name, 'f', sizeof c.file_name);
    std::memset(c.start_date, '2', sizeof c.start_date);
    const CallRowResult r = CallLogFromCallInfo(c);
    EXPECT_EQ(r.row.LineID, std::string(32, 'L'));
    EXPECT_EQ(r.row.AgentName, std::string(24, 'A'));
    EXPECT_EQ(r.row.SeqID, std::string(30, 'S'));
    EXPECT_EQ(r.row.StartDate, std::string(12, '2'));
    EXPECT_EQ(CallInfoFileName(c), std::string(56, 'f'));
}

TEST(LocalDateTime, ConversionsAndCalendar) {
    const plat::LocalTime t = At(2012, 3, 1, 8, 0, 5);
    EXPECT_DOUBLE_EQ(ToDateTime(At(1899, 12, 30, 0, 0, 0)), 0.0);
    EXPECT_EQ(DateTimeToUnixSeconds(ToDateTime(At(1970, 1, 1, 0, 0, 1))), 1);
    const plat::LocalTime back = FromDateTime(ToDateTime(t));
    EXPECT_EQ(std::make_tuple(back.year, back.month, back.day, back.hour, back.minute, back.second, back.day_of_week),
              std::make_tuple(2012, 3, 1, 8, 0, 5, 4));
    const std::pair<int, std::array<int, 3>> earlier[] = {
        {1, {2012, 2, 29}}, {7, {2012, 2, 23}}, {366, {2011, 3, 1}}, {1000, {2009, 6, 5}},
    };
    for (const auto& [days, date] : earlier) {
        const plat::LocalTime e = DaysBefore(t, days);
        EXPECT_EQ((std::array<int, 3>{e.year, e.month, e.day}), date) << days;
        EXPECT_EQ(e.hour, 8);
    }
}

TEST(BoardRow, TextsAndImageOfAnyDevice) {
    StationTexts texts;
    ABoardInfo b;
    b.Description = "Front";
    b.IPAddress = "127.0.0.2";
    b.Serial = "SN1";
    b.ChanCount = 8;
    b.FilesRemaining = 3;
    b.FileName = "r1.wav";
    b.BytesReceived = 1024;
    b.FileSize = 4096;
    b.SaveFolder = "F";

    b.Connected = 1;
    b.State = StateFTPProcessing;
    BoardRow row = MakeBoardRow(4, b, texts);
    EXPECT_EQ(row.Caption, Gbk(u8"已连接"));
    EXPECT_EQ(row.Image, RowImageConnected);
    EXPECT_EQ(row.Cells, (std::array<std::string, 10>{"5", "Front", "127.0.0.2", "SN1", "8", "3", Gbk(u8"FTP过程中"),
                                                      "r1.wav", "1024 / 4096", "F"}));

    b.State = StateWaiting;
    row = MakeBoardRow(4, b, texts);
    EXPECT_EQ(row.Cells[6], Gbk(u8"等待中"));
    EXPECT_EQ(row.Cells[8], "") << "progress only while downloading";

    b.Connected = 0;
    row = MakeBoardRow(4, b, texts);
    EXPECT_EQ(row.Caption, Gbk(u8"未连接"));
    EXPECT_EQ(row.Image, RowImageDisconnected);
    for (int k = 4; k <= 8; ++k) EXPECT_EQ(row.Cells[k], "") << k + 1;

    b.Connected = 1;
    b.Enabled = false;
    row = MakeBoardRow(4, b, texts);
    EXPECT_EQ(row.Caption, Gbk(u8"未连接")) << "paused even while the library still reports it connected";
    EXPECT_EQ(row.Image, RowImagePaused);
    EXPECT_EQ(row.Cells[1], Gbk(u8"Front(已暂停)"));

    EXPECT_EQ(TransferStateName(0, texts), "");
    EXPECT_EQ(TransferStateName(9, texts), "");
    EXPECT_EQ(TransferStateName(StateFTPStart, texts), Gbk(u8"开始FTP"));
}

} // namespace
} // namespace engine_test
