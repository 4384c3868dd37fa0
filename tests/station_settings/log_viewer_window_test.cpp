// The log viewer: the day files listed, opened and printed through the shell, deleted after
// the question.
#include <gtest/gtest.h>

#include <set>

#include "platform/files.h"
#include "platform/ui/win/application.h"
#include "station/core/gbk_literal.h"
#include "station/core/station_texts.h"
#include "station/forms/settings/log_viewer_form.h"
#include "tests/station_settings/dialog_driver.h"
#include "tests/support/window_test/button_glyphs.h"
#include "tests/support/window_test/description_checks.h"
#include "tests/support/test_folder.h"
#include "tests/support/skinned_session/skinned_session.h"

namespace {

using namespace settings_test;
using namespace test_support;
using forms::TViewOrPrintLogForm;

class LogViewerWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ui::application().initialize(); }
    void SetUp() override {
        WriteFile(dir / "Logs\\2012-03-17 Logs.txt", "a");
        WriteFile(dir / "Logs\\2012-03-18 Logs.TXT", "b");
        WriteFile(dir / "Logs\\old\\2011-01-01 Logs.txt", "c");
        WriteFile(dir / "Logs\\readme.doc", "d");
    }

    std::set<std::string> Captions(TViewOrPrintLogForm& f) {
        std::set<std::string> names;
        for (int i = 0; i < f.lvLogFile->item_count(); ++i) names.insert(f.lvLogFile->item(i)->caption());
        return names;
    }
    int Row(TViewOrPrintLogForm& f, const std::string& caption) {
        for (int i = 0; i < f.lvLogFile->item_count(); ++i)
            if (f.lvLogFile->item(i)->caption() == caption) return i;
        return -1;
    }

    // As in the program: every dialog is skinned by the main window's skin when activated.
    test_support::SkinnedSession skin_;
    TestFolder dir;
    station::StationTexts texts;
    FakePrompts prompts;
    FakeShell shell;
};

TEST_F(LogViewerWindow, DescriptionHoldsItsPartsAndReadsBack) {
    TViewOrPrintLogForm viewer(nullptr, dir.path(), texts, prompts, shell);
    window_test::expect_components(viewer, {{"groupFiles", "TEcGroupBox", "ViewOrPrintLogForm"},
                                            {"lvLogFile", "TEcListView", "groupFiles"},
                                            {"panelTools", "TEcPanel", "groupFiles"},
                                            {"btnPrint", "TEcBitBtn", "panelTools"},
                                            {"btnDelete", "TEcBitBtn", "panelTools"},
                                            {"btnView", "TEcBitBtn", "panelTools"},
                                            {"btnClose", "TEcBitBtn", "ViewOrPrintLogForm"},
                                            {"ImageListButtons", "TImageList", "ViewOrPrintLogForm"}});
    window_test::expect_description_round_trip(viewer, [] { return std::make_unique<ui::Form>(nullptr); });
    EXPECT_EQ(viewer.caption(), station::Gbk(u8"查看或打印日志"));
    EXPECT_EQ(viewer.lvLogFile->view_style(), ui::TViewStyle::vsReport);
    EXPECT_TRUE(viewer.lvLogFile->multi_select());
    EXPECT_TRUE(viewer.lvLogFile->row_select());
    ASSERT_EQ(viewer.lvLogFile->columns().count(), 1);
    EXPECT_EQ(viewer.lvLogFile->columns().at(0)->caption(), station::Gbk(u8"日志文件名称"));
    EXPECT_TRUE(viewer.btnClose->cancel());
    // Print, delete, view and close: four glyphs of their own.
    std::vector<int> indexes;
    for (ec::TEcBitBtn* b : {viewer.btnPrint, viewer.btnDelete, viewer.btnView, viewer.btnClose}) {
        EXPECT_TRUE(window_test::paints_its_image(*b));
        indexes.push_back(b->image_index());
    }
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2, 3}));
}

// Showing leaves the three buttons as they are; the first selection change sets them.
TEST_F(LogViewerWindow, ButtonsFollowTheSelectionOnly) {
    TViewOrPrintLogForm viewer(nullptr, dir.path(), texts, prompts, shell);
    bool enabled_when_shown = false, enabled_unselected = true, enabled_selected = false;
    WhenShown([&] { return viewer.lvLogFile->item_count() >= 3; }, [&] {
        enabled_when_shown = viewer.btnView->enabled() && viewer.btnPrint->enabled() && viewer.btnDelete->enabled();
        SelectListRow(viewer.lvLogFile->handle(), 0);
        enabled_selected = viewer.btnView->enabled() && viewer.btnPrint->enabled() && viewer.btnDelete->enabled();
        SelectListRow(viewer.lvLogFile->handle(), 0, false);
        enabled_unselected = viewer.btnView->enabled() || viewer.btnPrint->enabled() || viewer.btnDelete->enabled();
        ClickButton(viewer.btnClose->handle());
    });
    EXPECT_EQ(viewer.show_modal(), ui::mrCancel);
    EXPECT_TRUE(enabled_when_shown);
    EXPECT_TRUE(enabled_selected);
    EXPECT_FALSE(enabled_unselected);
}

TEST_F(LogViewerWindow, ListsDayFilesAndDeletesAChosenOneAfterYes) {
    TViewOrPrintLogForm viewer(nullptr, dir.path(), texts, prompts, shell);
    // The viewer lists the files while it is being shown, and its modal loop runs meanwhile.
    WhenShown([&] { return viewer.lvLogFile->item_count() >= 3; }, [&] {
        EXPECT_EQ(Captions(viewer),
                  (std::set<std::string>{"2012-03-17 Logs", "2012-03-18 Logs", "2011-01-01 Logs"}));
        SaveScreenshot(viewer.handle(), "log_viewer_shown");
        const int row = Row(viewer, "2012-03-17 Logs");
        ASSERT_GE(row, 0);
        SelectListRow(viewer.lvLogFile->handle(), row);
        EXPECT_TRUE(viewer.btnDelete->enabled());
        ClickButton(viewer.btnView->handle());
        ClickButton(viewer.btnPrint->handle());
        prompts.answer = false;
        ClickButton(viewer.btnDelete->handle());
        EXPECT_EQ(viewer.lvLogFile->item_count(), 3) << "no: nothing deleted";
        prompts.answer = true;
        ClickButton(viewer.btnDelete->handle());
        EXPECT_EQ(viewer.lvLogFile->item_count(), 2);
        EXPECT_FALSE(viewer.btnDelete->enabled());
        SaveScreenshot(viewer.handle(), "log_viewer_after_delete");
        ClickButton(viewer.btnClose->handle());
    });
    EXPECT_EQ(viewer.show_modal(), ui::mrCancel);
    const std::string chosen = dir / "Logs\\2012-03-17 Logs.txt";
    EXPECT_EQ(shell.opened, std::vector<std::string>{chosen});
    EXPECT_EQ(shell.printed, std::vector<std::string>{chosen});
    EXPECT_EQ(prompts.confirmations.size(), 2u);
    EXPECT_TRUE(prompts.messages.empty()) << "opened and printed: nothing to tell";
    EXPECT_FALSE(plat::file_exists(chosen));
    EXPECT_TRUE(plat::file_exists(dir / "Logs\\old\\2011-01-01 Logs.txt"));
}

TEST_F(LogViewerWindow, ViewOrPrintThatTheSystemCannotDoIsTold) {
    shell.failure = "No application is associated with the specified file";
    TViewOrPrintLogForm viewer(nullptr, dir.path(), texts, prompts, shell);
    WhenShown([&] { return viewer.lvLogFile->item_count() == 3; }, [&] {
        SelectListRow(viewer.lvLogFile->handle(), Row(viewer, "2012-03-18 Logs"));
        ClickButton(viewer.btnView->handle());
        ClickButton(viewer.btnPrint->handle());
        ClickButton(viewer.btnClose->handle());
    });
    viewer.show_modal();
    const std::string chosen = dir / "Logs\\2012-03-18 Logs.TXT";
    using Told = std::pair<std::string, std::string>;
    EXPECT_EQ(prompts.messages,
              (std::vector<Told>{{texts.Get("MsgBox.Error"), texts.Format("Log.OpenLogFileFail", {chosen, shell.failure})},
                                 {texts.Get("MsgBox.Error"), texts.Format("Log.PrintLogFileFail", {chosen, shell.failure})}}));
}

TEST_F(LogViewerWindow, WithoutASelectionTheButtonsDoNothing) {
    TViewOrPrintLogForm viewer(nullptr, dir.path(), texts, prompts, shell);
    WhenShown([&] {
        viewer.btnViewClick();
        viewer.btnPrintClick();
        viewer.btnDeleteClick();
        ClickButton(viewer.btnClose->handle());
    });
    viewer.show_modal();
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_TRUE(shell.printed.empty());
    EXPECT_TRUE(prompts.confirmations.empty());
}

TEST_F(LogViewerWindow, MissingLogsFolderShowsAnEmptyList) {
    TViewOrPrintLogForm viewer(nullptr, dir / "nowhere", texts, prompts, shell);
    int rows = -1;
    WhenShown([&] {
        rows = viewer.lvLogFile->item_count();
        ClickButton(viewer.btnClose->handle());
    });
    viewer.show_modal();
    EXPECT_EQ(rows, 0);
}

} // namespace
