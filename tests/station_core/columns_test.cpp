#include <gtest/gtest.h>

#include "station/core/columns.h"
#include "station/core/gbk_literal.h"
#include "tests/support/test_folder.h"

namespace station {
namespace {

using test_support::TestFolder;
using test_support::WriteFile;

TEST(Columns, BuiltInTable) {
    struct Row { const char* key; const char* caption; int width; const char* language_key; };
    const Row rows[kColumnCount] = {
        {u8"方向", u8"", 60, "Col.Direction"},       {u8"通道", u8"通道", 50, "Col.Channel"},
        {u8"日期", u8"日期", 70, "Col.Date"},         {u8"时间", u8"时间", 70, "Col.Time"},
        {u8"线路名称", u8"线路名称", 80, "Col.LineDescription"},
        {u8"主叫", u8"来电号码", 100, "Col.CallerID"}, {u8"按键码", u8"拨出号码", 100, "Col.Dialed"},
        {u8"持续时间", u8"持续时间", 80, "Col.Duration"},
        {u8"录音文件", u8"录音文件", 160, "Col.FileName"}, {u8"备注", u8"备注", 80, "Col.Note"},
        {u8"坐席名称", u8"坐席", 80, "Col.AgentName"}, {u8"振铃次数", u8"振铃次数", 80, "Col.Rings"},
        {u8"振铃秒数", u8"振铃秒数", 80, "Col.RingSecs"}, {u8"呼叫序号", u8"呼叫序号", 150, "Col.CallSessionID"},
    };
    for (int i = 0; i < kColumnCount; ++i) {
        const AColumnInfo& c = BuiltInColumn(i);
        EXPECT_EQ(c.Key, Gbk(rows[i].key)) << i;
        EXPECT_EQ(c.Name, Gbk(rows[i].key)) << i;
        EXPECT_EQ(c.Caption, Gbk(rows[i].caption)) << i;
        EXPECT_EQ(c.Width, rows[i].width) << i;
        EXPECT_EQ(c.Index, i);
        EXPECT_STREQ(ColumnLanguageKey(i), rows[i].language_key);
    }
}

TEST(Columns, LoadColumnsFromTheSettingsFile) {
    struct Case { const char* section; std::vector<int> visible; std::vector<int> widths; };
    const std::vector<int> first_ten = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const std::vector<int> first_ten_widths = {60, 50, 70, 70, 80, 100, 100, 80, 160, 80};
    const Case cases[] = {
        {"", first_ten, first_ten_widths},
        {"TotalColumnsNum=0\r\n", first_ten, first_ten_widths},
        {"TotalColumnsNum=3\r\nColumn1=2\r\nColumn2=2\r\nColumn3=20\r\n", {2}, {70}},
        {"TotalColumnsNum=3\r\nColumn1=13\r\nColumn1Width=33\r\nColumn2=-1\r\nColumn3=0\r\n", {13, 0}, {33, 60}},
        {"TotalColumnsNum=2\r\nColumn1=5\r\nColumn2=4\r\nColumn3=3\r\n", {5, 4}, {100, 80}},
        // More than fourteen entries: only the first fourteen keys are read.
        {"TotalColumnsNum=99\r\nColumn1=1\r\nColumn15=2\r\n", {1}, {50}},
        {"TotalColumnsNum=2\r\nColumn1=x\r\nColumn2=3\r\nColumn2Width=wide\r\n", {3}, {70}},
    };
    for (const Case& c : cases) {
        TestFolder dir;
        WriteFile(dir / "Velquist.ini", std::string("[CallColumnsInfo]\r\n") + c.section);
        AProgramColumnsInfo columns;
        LoadColumns(dir / "Velquist.ini", columns);
        ASSERT_EQ(columns.VisibleCount, static_cast<int>(c.visible.size())) << c.section;
        for (std::size_t j = 0; j < c.visible.size(); ++j) {
            const AColumnInfo& v = columns.VisibleColumns[j];
            EXPECT_EQ(v.Index, c.visible[j]) << c.section << " #" << j;
            EXPECT_EQ(v.Width, c.widths[j]) << c.section << " #" << j;
            EXPECT_EQ(v.Key, BuiltInColumn(c.visible[j]).Key);
            EXPECT_EQ(v.Caption, BuiltInColumn(c.visible[j]).Caption);
        }
        for (int i = 0; i < kColumnCount; ++i) EXPECT_EQ(columns.AllColumns[i].Index, i);
    }
}

} // namespace
} // namespace station
