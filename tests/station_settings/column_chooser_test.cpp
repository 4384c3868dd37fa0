// The column chooser's list and what its OK writes into the column table and Velquist.ini.
#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "station/core/gbk_literal.h"
#include "station/core/settings_models/column_chooser.h"
#include "tests/support/test_folder.h"

namespace {

using station::ChooserAccept;
using station::ColumnChooserModel;

station::AProgramColumnsInfo DefaultColumns(const std::string& absent_ini) {
    station::AProgramColumnsInfo c;
    station::LoadColumns(absent_ini, c);
    return c;
}

std::vector<std::string> Names(const ColumnChooserModel& m) {
    std::vector<std::string> names;
    for (const auto& e : m.Entries()) names.push_back(e.Name);
    return names;
}

class ColumnChooser : public ::testing::Test {
protected:
    test_support::TestFolder dir;
    std::string ini = dir / "Velquist.ini";
    station::AProgramColumnsInfo columns = DefaultColumns(ini);
    ColumnChooserModel model;
};

TEST_F(ColumnChooser, ListsVisibleColumnsTickedThenTheHiddenOnesInTableOrder) {
    model.Fill(columns);
    ASSERT_EQ(model.Entries().size(), 14u);
    for (int j = 0; j < 14; ++j) EXPECT_EQ(model.Entries()[j].Ticked, j < 10) << j;
    const std::vector<std::string> names = Names(model);
    const std::vector<std::string> hidden(names.begin() + 10, names.end());
    EXPECT_EQ(hidden, (std::vector<std::string>{station::Gbk(u8"坐席名称"), station::Gbk(u8"振铃次数"),
                                                station::Gbk(u8"振铃秒数"), station::Gbk(u8"呼叫序号")}));
    EXPECT_EQ(model.Selected(), 0);
    EXPECT_FALSE(model.CanMoveUp());
    EXPECT_TRUE(model.CanMoveDown());
    EXPECT_EQ(columns.VisibleCount, 10) << "the appended hidden columns do not count as visible";
    EXPECT_EQ(columns.VisibleColumns[13].Index, 13);
}

TEST_F(ColumnChooser, HiddenColumnsFollowACustomOrder) {
    // Visible: 时间 (3), 方向 (0); the rest follow in table order.
    columns.VisibleColumns[0] = columns.AllColumns[3];
    columns.VisibleColumns[1] = columns.AllColumns[0];
    columns.VisibleCount = 2;
    model.Fill(columns);
    std::vector<int> positions;
    for (const auto& e : model.Entries()) positions.push_back(e.Position);
    EXPECT_EQ(positions, (std::vector<int>{3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
}

TEST_F(ColumnChooser, DateAboveDirectionSavesColumn1Is2AndColumn2Is0) {
    model.Fill(columns);
    model.Select(2);
    model.MoveUp();
    model.MoveUp();
    EXPECT_EQ(model.Selected(), 0);
    bool changed = false;
    ASSERT_EQ(model.Accept(columns, changed), ChooserAccept::Accepted);
    EXPECT_TRUE(changed);
    station::SaveColumns(ini, columns);
    EXPECT_EQ(plat::ini_read_string(ini, "CallColumnsInfo", "TotalColumnsNum", ""), "10");
    EXPECT_EQ(plat::ini_read_string(ini, "CallColumnsInfo", "Column1", ""), "2");
    EXPECT_EQ(plat::ini_read_string(ini, "CallColumnsInfo", "Column2", ""), "0");
    EXPECT_EQ(plat::ini_read_string(ini, "CallColumnsInfo", "Column1Width", ""), "70");
    station::AProgramColumnsInfo back;
    station::LoadColumns(ini, back);
    EXPECT_EQ(back.VisibleColumns[0].Key, station::Gbk(u8"日期"));
    EXPECT_EQ(back.VisibleColumns[1].Key, station::Gbk(u8"方向"));
}

TEST_F(ColumnChooser, WidthOnlyChangeIsNotAColumnChange) {
    model.Fill(columns);
    model.Select(4);
    model.SetWidthText("123");
    model.SetWidthText("");     // an emptied edit keeps the width
    model.SetWidthText("12a");  // a pasted non-number too
    bool changed = true;
    ASSERT_EQ(model.Accept(columns, changed), ChooserAccept::Accepted);
    EXPECT_FALSE(changed);
    EXPECT_EQ(columns.VisibleColumns[4].Width, 123);
}

TEST_F(ColumnChooser, TypedWidthIsBoundedTo20Through2000) {
    const std::pair<const char*, int> typed[] = {
        {"0", 20}, {"19", 20}, {"20", 20}, {"2000", 2000}, {"2001", 2000}, {"99999999999999999999", 2000}, {"150", 150}};
    model.Fill(columns);
    model.Select(2);
    for (const auto& [text, width] : typed) {
        model.SetWidthText(text);
        EXPECT_EQ(model.Entries()[2].Width, width) << text;
    }
}

TEST_F(ColumnChooser, ShowingAndHidingChangeTheColumns) {
    model.Fill(columns);
    model.Select(12);
    model.Show();
    model.Select(1);
    model.Hide();
    bool changed = false;
    ASSERT_EQ(model.Accept(columns, changed), ChooserAccept::Accepted);
    EXPECT_TRUE(changed);
    ASSERT_EQ(columns.VisibleCount, 10);
    EXPECT_EQ(columns.VisibleColumns[1].Index, 2);
    EXPECT_EQ(columns.VisibleColumns[9].Index, 12);
    EXPECT_EQ(columns.VisibleColumns[9].Key, station::Gbk(u8"振铃秒数"));
}

TEST_F(ColumnChooser, NothingTickedIsRefusedAndLeavesTheTable) {
    model.Fill(columns);
    for (int j = 0; j < 14; ++j) model.SetTicked(j, false);
    const auto before = columns.VisibleColumns;
    bool changed = true;
    EXPECT_EQ(model.Accept(columns, changed), ChooserAccept::NoColumnTicked);
    EXPECT_EQ(columns.VisibleCount, 10);
    for (int j = 0; j < 14; ++j) EXPECT_EQ(columns.VisibleColumns[j].Index, before[j].Index);
}

TEST_F(ColumnChooser, ResetRestoresTheTenDefaultColumnsAndWidths) {
    columns.VisibleColumns[0] = columns.AllColumns[13];
    columns.VisibleColumns[0].Width = 999;
    columns.VisibleCount = 1;
    model.Fill(columns);
    model.Reset(columns);
    bool changed = false;
    ASSERT_EQ(model.Accept(columns, changed), ChooserAccept::Accepted);
    EXPECT_TRUE(changed);
    ASSERT_EQ(columns.VisibleCount, 10);
    const int widths[] = {60, 50, 70, 70, 80, 100, 100, 80, 160, 80};
    for (int j = 0; j < 10; ++j) {
        EXPECT_EQ(columns.VisibleColumns[j].Index, j);
        EXPECT_EQ(columns.VisibleColumns[j].Width, widths[j]);
    }
}

TEST_F(ColumnChooser, FewerColumnsKeepOldHigherKeysButTheReaderStopsAtTheCount) {
    model.Fill(columns);
    bool changed = false;
    model.Accept(columns, changed);
    station::SaveColumns(ini, columns);
    for (int j = 3; j < 14; ++j) model.SetTicked(j, false);
    ASSERT_EQ(model.Accept(columns, changed), ChooserAccept::Accepted);
    EXPECT_TRUE(changed);
    station::SaveColumns(ini, columns);
    EXPECT_EQ(plat::ini_read_string(ini, "CallColumnsInfo", "TotalColumnsNum", ""), "3");
    EXPECT_EQ(plat::ini_read_string(ini, "CallColumnsInfo", "Column10", ""), "9");
    station::AProgramColumnsInfo back;
    station::LoadColumns(ini, back);
    EXPECT_EQ(back.VisibleCount, 3);
}

} // namespace
