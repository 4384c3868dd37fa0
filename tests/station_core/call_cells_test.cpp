#include <algorithm>
#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "station/core/call_cells.h"
#include "station/core/columns.h"
#include "station/core/gbk_literal.h"

namespace station {
namespace {

ACallLogInfo Sample() {
    ACallLogInfo r;
    r.LineID = Gbk(u8"前台");
    r.Chan = 3;
    r.AgentID = "A7";
    r.AgentName = "Lee";
    r.StartDate = "2012-03-01";
    r.StartTime = "08:15:00";
    r.DuringTime = "00:01:05";
    r.CallerID = "0755123";
    r.CallerName = "Wang";
    r.DTMF = "88";
    r.WaveFilePath = "20120301\\" + Gbk(u8"录音") + ".wav";
    r.CallType = 1;
    r.Rings = 2;
    r.RingSecs = 9;
    r.BackUpFlag = 1;
    r.CNote = "call back";
    r.SeqID = "S-1";
    r.MaxScore = 10;
    r.TestScore = 7.125;
    r.TestGrade = 71.25;
    return r;
}

TEST(CallCells, TextOfEachKey) {
    const StationTexts texts;
    const ACallLogInfo r = Sample();
    struct Case { const char* key; std::string text; };
    const Case cases[] = {
        {u8"方向", Gbk(u8"呼出")},         {u8"锁定标志", ""},
        {u8"备份标志", Gbk(u8"已备份")},   {u8"线路名称", Gbk(u8"前台")},
        {u8"坐席名称", "Lee"},             {u8"日期", "2012-03-01"},
        {u8"时间", "08:15:00"},            {u8"主叫", "0755123"},
        {u8"按键码", "88"},                {u8"持续时间", "00:01:05"},
        {u8"坐席工号", "A7"},              {u8"主叫名称", "Wang"},
        {u8"备注", "call back"},           {u8"呼叫序号", "S-1"},
        {u8"通道", "3"},                   {u8"录音文件", Gbk(u8"录音") + ".wav"},
        {u8"振铃次数", "2"},               {u8"振铃秒数", "9"},
        {u8"得分", "7.13"},                {u8"满分", "10"},
        {u8"得分率", "71.25%"},            {u8"未知列", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CallLogCellTextByKey(Gbk(c.key), r, texts), c.text) << c.key;
    EXPECT_EQ(CallLogCellText(7, r, texts), "00:01:05");
    EXPECT_EQ(CallLogCellText(14, r, texts), "");
}

TEST(CallCells, TextsThatDependOnOtherFields) {
    StationTexts texts;
    struct Case { const char* key; std::function<void(ACallLogInfo&)> change; std::string text; };
    const Case cases[] = {
        {u8"方向", [](ACallLogInfo& r) { r.CallType = 0; }, Gbk(u8"呼入")},
        {u8"方向", [](ACallLogInfo& r) { r.CallType = 2; }, Gbk(u8"未接")},
        {u8"方向", [](ACallLogInfo& r) { r.CallType = 7; }, Gbk(u8"未知")},
        {u8"方向", [](ACallLogInfo& r) { r.CallType = -1; }, Gbk(u8"未知")},
        {u8"备份标志", [](ACallLogInfo& r) { r.BackUpFlag = 2; }, ""},
        {u8"振铃秒数", [](ACallLogInfo& r) { r.Rings = 0; }, ""},
        {u8"得分", [](ACallLogInfo& r) { r.MaxScore = 0; }, ""},
        {u8"满分", [](ACallLogInfo& r) { r.MaxScore = 0; }, ""},
        {u8"得分率", [](ACallLogInfo& r) { r.MaxScore = 0; }, ""},
        {u8"得分", [](ACallLogInfo& r) { r.TestScore = 1234567.891; }, "1234568.00"},  // seven digits
        {u8"得分", [](ACallLogInfo& r) { r.TestScore = 0.005; }, "0.01"},
        {u8"录音文件", [](ACallLogInfo& r) { r.WaveFilePath = ""; }, ""},
        {u8"录音文件", [](ACallLogInfo& r) { r.WaveFilePath = "plain.wav"; }, "plain.wav"},
        // The second byte of this GBK character is '\'; the name is not cut inside it.
        {u8"录音文件", [](ACallLogInfo& r) { r.WaveFilePath = "20120301\\a\x81\x5C.wav"; }, "a\x81\x5C.wav"},
    };
    for (const Case& c : cases) {
        ACallLogInfo r = Sample();
        c.change(r);
        EXPECT_EQ(CallLogCellTextByKey(Gbk(c.key), r, texts), c.text) << c.key;
    }
    texts.Set("Log.CallOutbound", "Out");
    EXPECT_EQ(CallLogCellTextByKey(Gbk(u8"方向"), Sample(), texts), "Out");
}

TEST(CallCells, Comparators) {
    struct Case { const char* key; std::function<void(ACallLogInfo&, ACallLogInfo&)> set; int sign; };
    const Case cases[] = {
        {u8"方向", [](auto& a, auto& b) { a.CallType = 0; b.CallType = 2; }, -1},
        {u8"锁定标志", [](auto& a, auto& b) { a.VIFlag = 1; b.VIFlag = 0; }, 1},
        {u8"备份标志", [](auto& a, auto& b) { a.BackUpFlag = 1; b.BackUpFlag = 1; }, 0},
        {u8"线路名称", [](auto& a, auto& b) { a.LineID = "abc"; b.LineID = "ABD"; }, -1},  // letters without case
        {u8"线路名称", [](auto& a, auto& b) { a.LineID = "Line"; b.LineID = "LINE"; }, 0},
        {u8"线路名称", [](auto& a, auto& b) { a.LineID = "ab"; b.LineID = "abc"; }, -1},
        {u8"线路名称", [](auto& a, auto& b) { a.LineID = "\xB0\xA1"; b.LineID = "z"; }, 1},  // other bytes by value
        {u8"坐席名称", [](auto& a, auto& b) { a.AgentName = "b"; b.AgentName = "a"; }, 1},
        {u8"日期", [](auto& a, auto& b) { a.StartDate = "2012-03-02"; b.StartDate = "2012-03-01"; }, 1},
        {u8"日期", [](auto& a, auto& b) { a.StartTime = "09:00:00"; b.StartTime = "10:00:00"; }, -1},  // same day
        {u8"时间", [](auto& a, auto& b) { a.StartDate = "2013-01-01"; a.StartTime = "09:00:00"; b.StartTime = "10:00:00"; }, -1},
        {u8"主叫", [](auto& a, auto& b) { a.CallerID = "0755"; b.CallerID = "755"; }, -1},  // as text
        {u8"按键码", [](auto& a, auto& b) { a.DTMF = "2"; b.DTMF = "10"; }, 1},
        {u8"持续时间", [](auto& a, auto& b) { a.DuringTime = "00:10:00"; b.DuringTime = "00:09:59"; }, 1},
        {u8"坐席工号", [](auto& a, auto& b) { a.AgentID = "a1"; b.AgentID = "A2"; }, -1},
        {u8"主叫名称", [](auto& a, auto& b) { a.CallerName = "x"; b.CallerName = "x"; }, 0},
        {u8"备注", [](auto& a, auto& b) { a.CNote = ""; b.CNote = "n"; }, -1},
        {u8"呼叫序号", [](auto& a, auto& b) { a.SeqID = "9"; b.SeqID = "10"; }, 1},
        {u8"通道", [](auto& a, auto& b) { a.Chan = 9; b.Chan = 10; }, -1},  // as numbers
        {u8"通道", [](auto& a, auto& b) { a.Chan = -2147483647 - 1; b.Chan = 2147483647; }, -1},
        {u8"振铃次数", [](auto& a, auto& b) { a.Rings = 3; b.Rings = 3; }, 0},
        {u8"振铃秒数", [](auto& a, auto& b) { a.RingSecs = 12; b.RingSecs = 5; }, 1},
        {u8"得分", [](auto& a, auto& b) { a.TestScore = 1.5; b.TestScore = 1.25; }, 1},
        {u8"满分", [](auto& a, auto& b) { a.MaxScore = 5; b.MaxScore = 10; }, -1},
        {u8"得分率", [](auto& a, auto& b) { a.TestGrade = 50.0; b.TestGrade = 50.0; }, 0},
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const Case& c : cases) {
        ACallLogInfo a, b;
        c.set(a, b);
        const std::string key = Gbk(c.key);
        EXPECT_TRUE(HasCallLogComparator(key)) << c.key;
        EXPECT_EQ(sign(CompareCallLogs(key, a, b, true)), c.sign) << c.key;
        EXPECT_EQ(sign(CompareCallLogs(key, a, b, false)), -c.sign) << c.key << " descending";
    }
    for (const char* key : {u8"录音文件", u8"未知列"}) {
        ACallLogInfo a, b;
        a.WaveFilePath = "a";
        b.WaveFilePath = "b";
        EXPECT_FALSE(HasCallLogComparator(Gbk(key))) << key;
        EXPECT_EQ(CompareCallLogs(Gbk(key), a, b, true), 0) << key;
    }
}

TEST(CallCells, HeaderOperations) {
    struct Case { const char* key; int image; ColumnAlign align; bool arrow; };
    const Case cases[] = {
        {u8"锁定标志", 6, ColumnAlign::Left, false},   {u8"备份标志", 7, ColumnAlign::Left, false},
        {u8"通道", -1, ColumnAlign::Center, true},     {u8"日期", -1, ColumnAlign::Center, true},
        {u8"时间", -1, ColumnAlign::Center, true},     {u8"持续时间", -1, ColumnAlign::Center, true},
        {u8"振铃次数", -1, ColumnAlign::Center, true}, {u8"振铃秒数", -1, ColumnAlign::Center, true},
        {u8"得分", -1, ColumnAlign::Right, true},      {u8"满分", -1, ColumnAlign::Right, true},
        {u8"得分率", -1, ColumnAlign::Right, true},    {u8"方向", -1, ColumnAlign::Left, true},
        {u8"主叫", -1, ColumnAlign::Left, true},       {u8"未知列", -1, ColumnAlign::Left, true},
    };
    for (const Case& c : cases) {
        const std::string key = Gbk(c.key);
        EXPECT_EQ(ColumnImageIndex(key), c.image) << c.key;
        EXPECT_EQ(ColumnAlignment(key), c.align) << c.key;
        EXPECT_EQ(ColumnShowsSortArrow(key), c.arrow) << c.key;
    }
}

TEST(CallCells, SortingByAColumnUsesItsComparator) {
    std::vector<ACallLogInfo> rows(3);
    rows[0].Chan = 10; rows[1].Chan = 2; rows[2].Chan = 7;
    const std::string key = Gbk(u8"通道");
    for (bool ascending : {true, false}) {
        std::stable_sort(rows.begin(), rows.end(), [&](const ACallLogInfo& a, const ACallLogInfo& b) {
            return CompareCallLogs(key, a, b, ascending) < 0;
        });
        std::vector<int> chans;
        for (const auto& r : rows) chans.push_back(r.Chan);
        EXPECT_EQ(chans, ascending ? (std::vector<int>{2, 7, 10}) : (std::vector<int>{10, 7, 2}));
    }
}

} // namespace
} // namespace station
