// The column chooser driven by messages, and what the main window is asked to do after it.
#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "platform/ui/win/application.h"
#include "station/core/gbk_literal.h"
#include "station/forms/settings/sel_columns_form.h"
#include "tests/station_settings/dialog_driver.h"
#include "tests/support/window_test/button_glyphs.h"
#include "tests/support/window_test/description_checks.h"
#include "tests/support/test_folder.h"
#include "tests/support/skinned_session/skinned_session.h"

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

    // As in the program: every dialog is skinned by the main window's skin when activated.
    test_support::SkinnedSession skin_;
    TestFolder dir;
    station::StationGlobals g;
    FakePrompts prompts;
    RecordingCallList call_list;
};

TEST_F(ColumnChooserWindow, DescriptionHoldsItsPartsAndReadsBack) {
    TSelColumnsForm chooser(nullptr, g, prompts);
    std::vector<window_test::ComponentRow> rows = {
        {"labelSelectColumn", "TEcLabel", "SelColumnsForm"}, {"labelDetail", "TEcLabel", "SelColumnsForm"},
        {"labelColumnWidth", "TEcLabel", "SelColumnsForm"},  {"checklistColumns", "TEcCheckList", "SelColumnsForm"},
        {"editColumnWidth", "TEcEdit", "SelColumnsForm"},     {"btnSure", "TEcBitBtn", "SelColumnsForm"},
        {"btnCancel", "TEcBitBtn", "SelColumnsForm"},     {"ImageListButtons", "TImageList", "SelColumnsForm"},
    };
    for (const char* b : {"btnMoveUp", "btnMoveDown", "btnShow", "btnHide", "btnReset"})
        rows.push_back({b, "TEcButton", "SelColumnsForm"});
    window_test::expect_components(chooser, rows);
    window_test::expect_description_round_trip(chooser, [] { return std::make_unique<ui::Form>(nullptr); });
    EXPECT_EQ(chooser.caption(), station::Gbk(u8"选择详细信息"));
    EXPECT_EQ(chooser.checklistColumns->item_height(), 17);
    EXPECT_EQ(chooser.labelColumnWidth->focus_control(), chooser.editColumnWidth);
    EXPECT_EQ(chooser.editColumnWidth->alignment(), ui::TAlignment::taRightJustify);
    EXPECT_TRUE(chooser.btnSure->is_default());
    EXPECT_EQ(chooser.btnSure->modal_result(), ui::mrNone) << "a refused OK keeps the dialog open";
    EXPECT_TRUE(chooser.btnCancel->cancel());
    EXPECT_TRUE(window_test::paints_glyph_map(*chooser.btnSure, window_test::kTickGlyph));
    EXPECT_TRUE(window_test::paints_glyph_map(*chooser.btnCancel, window_test::kCrossGlyph));
    for (ec::TEcButton* b : {chooser.btnMoveUp, chooser.btnMoveDown, chooser.btnShow, chooser.btnHide, chooser.btnReset})
        EXPECT_TRUE(b->hot_track()) << b->name();
}

// Ticks by the glyph and by Show/Hide, a move that carries the line's tick, and OK writing the
// ticked lines in their order.
TEST_F(ColumnChooserWindow, GlyphShowHideAndMovesDecideTheColumnsWritten) {
    TSelColumnsForm chooser(nullptr, g, prompts);
    std::vector<std::string> names;
    WhenShown([&] {
        const HWND list = chooser.checklistColumns->handle();
        for (int j = 0; j < chooser.checklistColumns->count(); ++j) names.push_back(chooser.checklistColumns->items().get(j));
        ClickCheckGlyph(list, 1);
        EXPECT_FALSE(chooser.checklistColumns->item_checked(1)) << "the glyph hides a shown column";
        ClickCheckGlyph(list, 10);
        EXPECT_TRUE(chooser.checklistColumns->item_checked(10)) << "the glyph shows a hidden one";
        SelectListBoxItem(list, 13);
        ClickButton(chooser.btnShow->handle());
        EXPECT_TRUE(chooser.checklistColumns->item_checked(13));
        SelectListBoxItem(list, 9);
        ClickButton(chooser.btnHide->handle());
        EXPECT_FALSE(chooser.checklistColumns->item_checked(9));
        SelectListBoxItem(list, 13);
        ClickButton(chooser.btnMoveUp->handle());
        EXPECT_EQ(chooser.checklistColumns->item_index(), 12);
        EXPECT_EQ(chooser.checklistColumns->items().get(12), names[13]);
        EXPECT_TRUE(chooser.checklistColumns->item_checked(12)) << "the moved line keeps its tick";
        EXPECT_EQ(chooser.checklistColumns->items().get(13), names[12]);
        EXPECT_FALSE(chooser.checklistColumns->item_checked(13)) << "and so does the one it passed";
        EXPECT_EQ(chooser.editColumnWidth->text(), "150");
        SaveScreenshot(chooser.handle(), "column_chooser_ticks_moved");
        ClickButton(chooser.btnSure->handle());
    });
    forms::RunColumnChooser(chooser, call_list);
    ASSERT_EQ(names.size(), 14u);
    EXPECT_TRUE(chooser.FColumnsChanged);
    EXPECT_EQ(call_list.rebuilt, 1);
    const int written[] = {0, 2, 3, 4, 5, 6, 7, 8, 10, 13};
    EXPECT_EQ(Columns("TotalColumnsNum"), "10");
    for (int j = 0; j < 10; ++j)
        EXPECT_EQ(Columns("Column" + std::to_string(j + 1)), std::to_string(written[j])) << j + 1;
    EXPECT_EQ(Columns("Column10Width"), "150");
    EXPECT_EQ(g.ColumnsInfo.VisibleColumns[9].Key, station::Gbk(u8"呼叫序号"));
}

TEST_F(ColumnChooserWindow, DateAboveDirectionRebuildsTheColumnsAndSortMenu) {
    TSelColumnsForm chooser(nullptr, g, prompts);
    WhenShown([&] {
        EXPECT_EQ(chooser.checklistColumns->count(), 14);
        EXPECT_TRUE(chooser.checklistColumns->item_checked(9));
        EXPECT_FALSE(chooser.checklistColumns->item_checked(10));
        EXPECT_FALSE(chooser.btnMoveUp->enabled());
        SaveScreenshot(chooser.handle(), "column_chooser_shown");
        SelectListBoxItem(chooser.checklistColumns->handle(), 2);
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
        SelectListBoxItem(chooser.checklistColumns->handle(), 4);
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
        SelectListBoxItem(chooser.checklistColumns->handle(), 0);
        SetWindowText936(chooser.editColumnWidth->handle(), "5");
        SelectListBoxItem(chooser.checklistColumns->handle(), 1);
        SetWindowText936(chooser.editColumnWidth->handle(), "99999");
        SelectListBoxItem(chooser.checklistColumns->handle(), 0);
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
        for (int j = 0; j < 10; ++j) ClickCheckGlyph(chooser.checklistColumns->handle(), j);
        ClickButton(chooser.btnSure->handle());
        EXPECT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(chooser.modal_result(), ui::mrNone) << "the dialog stays open";
        SaveScreenshot(chooser.handle(), "column_chooser_none_ticked");
        SelectListBoxItem(chooser.checklistColumns->handle(), 13);
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
