// The column chooser driven by messages, and what the main window is asked to do after it.
#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "platform/ui/win/application.h"
#include "station/core/gbk_literal.h"
#include "station/forms/settings/sel_columns_form.h"
#include "tests/station_settings/dialog_driver.h"
#include "tests/support/test_folder.h"

namespace {

using namespace settings_test;
using namespace test_support;
using forms::TSelColumnsForm;

class RecordingCallList : public forms::ICallListColumns {
public:
    int rebuilt = 0, widths = 0;
    void RebuildColumnsAndSortMenu() override { ++rebuilt; }
    void ApplyColumnWidths() override { ++widths; }
};

class ColumnChooserWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ui::application().initialize(); }
    void SetUp() override { ASSERT_EQ(station::InitGlobals(g, dir.path()), ""); }

    std::string Columns(const std::string& key) {
        return plat::ini_read_string(g.SettingsPath, "CallColumnsInfo", key, "<missing>");
    }

    TestFolder dir;
    station::StationGlobals g;
    FakePrompts prompts;
    RecordingCallList call_list;
};

TEST_F(ColumnChooserWindow, DateAboveDirectionRebuildsTheColumnsAndSortMenu) {
    TSelColumnsForm chooser(nullptr, g, prompts);
    WhenShown([&] {
        EXPECT_EQ(chooser.checklistColumns->item_count(), 14);
        EXPECT_TRUE(chooser.checklistColumns->item(9)->checked());
        EXPECT_FALSE(chooser.checklistColumns->item(10)->checked());
        EXPECT_FALSE(chooser.btnMoveUp->enabled());
        SaveScreenshot(chooser.handle(), "column_chooser_shown");
        SelectListRow(chooser.checklistColumns->handle(), 2);
        EXPECT_EQ(chooser.editColumnWidth->text(), "70");
        ClickButton(chooser.btnMoveUp->handle());
        ClickButton(chooser.btnMoveUp->handle());
        EXPECT_FALSE(chooser.btnMoveUp->enabled());
        SaveScreenshot(chooser.handle(), "column_chooser_date_moved");
        ClickButton(chooser.btnSure->handle());
    });
    forms::RunColumnChooser(chooser, call_list);
    EXPECT_TRUE(chooser.FAccepted);
    EXPECT_TRUE(chooser.FColumnsChanged);
    EXPECT_EQ(call_list.rebuilt, 1);
    EXPECT_EQ(call_list.widths, 0);
    EXPECT_EQ(Columns("Column1"), "2");
    EXPECT_EQ(Columns("Column2"), "0");
    EXPECT_EQ(g.ColumnsInfo.VisibleColumns[0].Key, station::Gbk(u8"日期"));
}

TEST_F(ColumnChooserWindow, WidthOnlyChangeOnlyAppliesWidths) {
    TSelColumnsForm chooser(nullptr, g, prompts);
    WhenShown([&] {
        SelectListRow(chooser.checklistColumns->handle(), 4);
        SetWindowText936(chooser.editColumnWidth->handle(), "123");
        SendMessageW(chooser.editColumnWidth->handle(), WM_CHAR, L'x', 0);
        EXPECT_EQ(chooser.editColumnWidth->text(), "123") << "only digits get through";
        ClickButton(chooser.btnSure->handle());
    });
    forms::RunColumnChooser(chooser, call_list);
    EXPECT_FALSE(chooser.FColumnsChanged);
    EXPECT_EQ(call_list.rebuilt, 0);
    EXPECT_EQ(call_list.widths, 1);
    EXPECT_EQ(Columns("Column5Width"), "123");
}

TEST_F(ColumnChooserWindow, TypedWidthsAreBoundedTo20Through2000) {
    TSelColumnsForm chooser(nullptr, g, prompts);
    WhenShown([&] {
        SelectListRow(chooser.checklistColumns->handle(), 0);
        SetWindowText936(chooser.editColumnWidth->handle(), "5");
        SelectListRow(chooser.checklistColumns->handle(), 1);
        SetWindowText936(chooser.editColumnWidth->handle(), "99999");
        SelectListRow(chooser.checklistColumns->handle(), 0);
        EXPECT_EQ(chooser.editColumnWidth->text(), "20") << "the entry shows the width it holds";
        SaveScreenshot(chooser.handle(), "column_chooser_width_bounded");
        ClickButton(chooser.btnSure->handle());
    });
    forms::RunColumnChooser(chooser, call_list);
    EXPECT_EQ(Columns("Column1Width"), "20");
    EXPECT_EQ(Columns("Column2Width"), "2000");
}

TEST_F(ColumnChooserWindow, NothingTickedKeepsTheDialogOpenAndHiddenOnesCanBeShown) {
    TSelColumnsForm chooser(nullptr, g, prompts);
    WhenShown([&] {
        for (int j = 0; j < 14; ++j) SetListCheck(chooser.checklistColumns->handle(), j, false);
        ClickButton(chooser.btnSure->handle());
        EXPECT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(chooser.modal_result(), ui::mrNone) << "the dialog stays open";
        SaveScreenshot(chooser.handle(), "column_chooser_none_ticked");
        SelectListRow(chooser.checklistColumns->handle(), 13);
        ClickButton(chooser.btnShow->handle());
        ClickButton(chooser.btnSure->handle());
    });
    forms::RunColumnChooser(chooser, call_list);
    EXPECT_TRUE(chooser.FAccepted);
    EXPECT_EQ(g.ColumnsInfo.VisibleCount, 1);
    EXPECT_EQ(g.ColumnsInfo.VisibleColumns[0].Key, station::Gbk(u8"呼叫序号"));
    EXPECT_EQ(Columns("TotalColumnsNum"), "1");
    EXPECT_EQ(call_list.rebuilt, 1);
}

TEST_F(ColumnChooserWindow, CancelWritesNothing) {
    TSelColumnsForm chooser(nullptr, g, prompts);
    WhenShown([&] {
        ClickButton(chooser.btnReset->handle());
        ClickButton(chooser.btnCancel->handle());
    });
    forms::RunColumnChooser(chooser, call_list);
    EXPECT_FALSE(chooser.FAccepted);
    EXPECT_EQ(call_list.rebuilt + call_list.widths, 0);
    EXPECT_EQ(Columns("TotalColumnsNum"), "<missing>");
}

} // namespace
