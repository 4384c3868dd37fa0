// The main window and the transfer state view as their stored descriptions make them: the
// components of the window's table with their classes and nesting, descriptions that read back
// the same, the tray icon and the two tool bars in their order, the client area below the menu
// bar, and nothing cut off at the window's own size.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "controls/register_control_set.h"
#include "platform/ui/description_parser.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/win/forms.h"
#include "skin/win/skin_data.h"
#include "station/core/gbk_literal.h"
#include "tests/station_shell/main_window_fixture.h"
#include "tests/station_shell/screenshots.h"
#include "tests/support/window_test/description_checks.h"
#include "tests/support/window_test/window_test.h"

namespace {

using station::Gbk;
using window_test::ComponentRow;

class MainWindowDescription : public shell_test::MainWindowFixture {
protected:
    MainWindowDescription() : MainWindowFixture("shell-description-") {}

    // The integer a stored description gives the root's property.
    static int StoredRootInteger(const wchar_t* resource, const char* property) {
        const ui::DescObject root = ui::parse_description(ui::load_resource_text(resource));
        for (const ui::DescProperty& p : root.properties)
            if (p.name == property) return static_cast<int>(p.get().integer);
        ADD_FAILURE() << property << " is not stored";
        return -1;
    }

    static std::vector<std::string> NamesInOrder(const ec::TEcToolbar& bar) {
        std::vector<std::string> names;
        for (const auto& entry : bar.control_list().entries()) names.push_back(entry.control ? entry.control->name() : "?");
        return names;
    }

    // `inner` (its whole window, borders included) lies inside `outer`'s client area.
    static bool WholeInside(const ui::Control& inner, const ui::WinControl& outer) {
        const POINT top_left = inner.parent()->client_to_screen(POINT{inner.left(), inner.top()});
        const POINT outer_top_left = outer.client_to_screen(POINT{0, 0});
        return top_left.x >= outer_top_left.x && top_left.y >= outer_top_left.y &&
               top_left.x + inner.width() <= outer_top_left.x + outer.client_width() &&
               top_left.y + inner.height() <= outer_top_left.y + outer.client_height();
    }
};

TEST_F(MainWindowDescription, ComponentsAreThoseOfTheWindowsTable) {
    MakeForm();  // before the start-up: no view and no run-time menu item yet
    const char* const W = "MainForm";
    window_test::expect_components(*form_, {
        {"panelToolBar", "TEcPanel", W},
        {"EcToolbar1", "TEcToolbar", "panelToolBar"},
        {"btnStartStop", "TEcToolButton", "EcToolbar1"},
        {"EcSpacer1", "TEcSpacer", "EcToolbar1"},
        {"btnSettings", "TEcToolButton", "EcToolbar1"},
        {"EcSpacer2", "TEcSpacer", "EcToolbar1"},
        {"btnClose", "TEcToolButton", "EcToolbar1"},
        {"btnExportPro", "TEcToolButton", "EcToolbar1"},
        {"panelMiddle", "TEcPanel", W},
        {"panelLeftMenu", "TEcPanel", "panelMiddle"},
        {"EcPanel1", "TEcPanel", "panelLeftMenu"},
        {"labelLeftMenu", "TEcLabel", "EcPanel1"},
        {"PageScroller1", "TPageScroller", "panelLeftMenu"},
        {"toolBarLeftMenu", "TEcToolbar", "PageScroller1"},
        {"btnFtpState", "TEcToolButton", "toolBarLeftMenu"},
        {"btnQuery", "TEcToolButton", "toolBarLeftMenu"},
        {"panelWork", "TEcPanel", "panelMiddle"},
        {"pgcWorkArea", "TEcPageControl", "panelWork"},
        {"tabFTPState", "TEcTabSheet", "pgcWorkArea"},
        {"tabQuery", "TEcTabSheet", "pgcWorkArea"},
        {"panelLog", "TEcPanel", W},
        {"listLog", "TEcListBox", "panelLog"},
        {"statusBarMain", "TEcStatusBar", W},
        {"MainMenu", "TMainMenu", W},
        {"NodeFile", "TMenuItem", "MainMenu"},
        {"NodeClose", "TMenuItem", "NodeFile"},
        {"NodeView", "TMenuItem", "MainMenu"},
        {"NodeColumns", "TMenuItem", "NodeView"},
        {"NodeSortColumn", "TMenuItem", "NodeView"},
        {"N3", "TMenuItem", "NodeView"},
        {"NodeLogFiles", "TMenuItem", "NodeView"},
        {"NodeLogPanel", "TMenuItem", "NodeView"},
        {"NodeSettings", "TMenuItem", "MainMenu"},
        {"NodeSysSettings", "TMenuItem", "NodeSettings"},
        {"N4", "TMenuItem", "NodeSettings"},
        {"NodeLanguage", "TMenuItem", "NodeSettings"},
        {"NodeHelp", "TMenuItem", "MainMenu"},
        {"TrayIconMain", "TEcTrayIcon", W},
        {"PopupMenuTrayIcon", "TPopupMenu", W},
        {"TrayNodeOpen", "TMenuItem", "PopupMenuTrayIcon"},
        {"TrayNodeStartStopFTP", "TMenuItem", "PopupMenuTrayIcon"},
        {"TrayNodeExit", "TMenuItem", "PopupMenuTrayIcon"},
        {"ImageList_large", "TImageList", W},
        {"ImageList_Small", "TImageList", W},
        {"ImageListTrayAnimate", "TImageList", W},
        {"SkinData1", "TSkinData", W},
        {"MainTimer", "TTimer", W},
        {"ExtraTimer", "TTimer", W},
        {"AnimateTimer", "TTimer", W},
        {"SyncTimer", "TTimer", W},
        {"ActionList1", "TActionList", W},
        {"actQuery", "TAction", "ActionList1"},
        {"actFTPState", "TAction", "ActionList1"},
    });

    // What the table says of them beyond their kind.
    EXPECT_EQ(form_->caption(), Gbk(u8"FTP下载终端 - BRELDOX"));
    EXPECT_EQ(form_->position(), ui::TPosition::poScreenCenter);
    EXPECT_EQ(form_->menu(), form_->MainMenu);
    EXPECT_EQ(form_->panelToolBar->height(), 66);
    EXPECT_EQ(form_->panelLeftMenu->width(), 85);
    EXPECT_EQ(form_->panelLog->height(), 128);
    EXPECT_EQ(form_->listLog->item_height(), 13);
    EXPECT_EQ(form_->listLog->style(), ui::TListBoxStyle::lbOwnerDrawFixed) << "a standard list takes the font's height";
    EXPECT_EQ(form_->listLog->color(), ui::clBtnFace);
    EXPECT_EQ(form_->pgcWorkArea->tab_style(), ec::TEcTabStyle::tsRoundCorners);
    EXPECT_FALSE(form_->tabFTPState->tab_visible());
    EXPECT_FALSE(form_->tabQuery->tab_visible());
    EXPECT_EQ(form_->labelLeftMenu->caption(), Gbk(u8"主菜单"));
    const struct {
        ec::TEcToolButton* button;
        const char* caption;
        int image;
        int group;
    } buttons[] = {{form_->btnStartStop, u8"启动FTP", 0, 0}, {form_->btnSettings, u8"系统设置", 2, 0},
                   {form_->btnClose, u8"退出", 3, 0},        {form_->btnFtpState, u8"状态", 4, 1},
                   {form_->btnQuery, u8"查询", 5, 1}};
    for (const auto& b : buttons) {
        EXPECT_EQ(b.button->caption(), Gbk(b.caption)) << b.button->name();
        EXPECT_EQ(b.button->image_index(), b.image) << b.button->name();
        EXPECT_EQ(b.button->group_index(), b.group) << b.button->name();
        EXPECT_EQ(b.button->layout(), ec::TButtonLayout::blGlyphTop) << b.button->name() << ": the glyph above the caption";
        EXPECT_TRUE(b.button->show_caption()) << b.button->name();
        EXPECT_EQ(b.button->image_list_in_use(), form_->ImageList_large) << b.button->name();
    }
    EXPECT_FALSE(form_->btnExportPro->visible());
    EXPECT_EQ(form_->EcToolbar1->button_width(), 60);
    EXPECT_EQ(form_->EcToolbar1->row_height(), 60);
    EXPECT_EQ(form_->toolBarLeftMenu->button_width(), 64);
    EXPECT_EQ(form_->toolBarLeftMenu->row_height(), 64);
    EXPECT_EQ(form_->toolBarLeftMenu->margin(), 8);
    EXPECT_FALSE(form_->toolBarLeftMenu->auto_resize());
    for (ec::TEcToolbar* bar : {form_->EcToolbar1, form_->toolBarLeftMenu}) {
        EXPECT_FALSE(bar->auto_style()) << bar->name();
        EXPECT_EQ(bar->text_options(), ec::TEcToolbarTextOptions::ttoCustom) << bar->name();
    }
    EXPECT_EQ(form_->PageScroller1->control(), form_->toolBarLeftMenu);

    const struct {
        ui::Timer* timer;
        unsigned interval;
        bool enabled;
    } timers[] = {{form_->MainTimer, 100, false},
                  {form_->ExtraTimer, 100, false},
                  {form_->AnimateTimer, 1000, false},
                  {form_->SyncTimer, 60000, true}};
    for (const auto& t : timers) {
        EXPECT_EQ(t.timer->interval(), t.interval) << t.timer->name();
        EXPECT_EQ(t.timer->enabled(), t.enabled) << t.timer->name();
    }
    const struct {
        ui::ImageList* list;
        int size;
        int count;
    } lists[] = {{form_->ImageList_large, 32, 6}, {form_->ImageList_Small, 16, 5}, {form_->ImageListTrayAnimate, 16, 4}};
    for (const auto& l : lists) {
        EXPECT_EQ(l.list->width(), l.size) << l.list->name();
        EXPECT_EQ(l.list->height(), l.size) << l.list->name();
        EXPECT_EQ(l.list->count(), l.count) << l.list->name() << ": every icon resource loaded";
    }
    EXPECT_EQ(form_->NodeClose->shortcut(), ui::shortcut(VK_F4, ui::scAlt));
    EXPECT_TRUE(form_->NodeLogPanel->checked());
    EXPECT_FALSE(form_->NodeHelp->visible());
}

// The tray icon and the two tool bars as the description makes them, and the bars' buttons
// shown in that order.
TEST_F(MainWindowDescription, TrayIconAndTheTwoToolBarsInTheirOrder) {
    MakeForm();
    const ec::TEcTrayIcon& tray = *form_->TrayIconMain;
    EXPECT_EQ(tray.interval(), 800);
    EXPECT_FALSE(tray.hide_on_minimize());
    EXPECT_EQ(tray.hint(), Gbk(u8"BRELDOXFTP下载终端"));
    EXPECT_EQ(tray.popup_menu(), form_->PopupMenuTrayIcon);
    EXPECT_EQ(tray.icons(), form_->ImageListTrayAnimate);

    EXPECT_EQ(NamesInOrder(*form_->EcToolbar1),
              (std::vector<std::string>{"btnStartStop", "EcSpacer1", "btnSettings", "EcSpacer2", "btnClose", "btnExportPro"}));
    EXPECT_EQ(NamesInOrder(*form_->toolBarLeftMenu), (std::vector<std::string>{"btnFtpState", "btnQuery"}));
    ShowForm();
    // Along the top bar left to right, down the left menu top to bottom.
    const std::vector<ui::Control*> across{form_->btnStartStop, form_->EcSpacer1, form_->btnSettings, form_->EcSpacer2,
                                           form_->btnClose};
    for (std::size_t i = 1; i < across.size(); ++i)
        EXPECT_GE(across[i]->left(), across[i - 1]->left() + across[i - 1]->width()) << across[i]->name();
    EXPECT_GE(form_->btnQuery->top(), form_->btnFtpState->top() + form_->btnFtpState->height());
    EXPECT_EQ(form_->btnQuery->left(), form_->btnFtpState->left());
}

// The stored client height is the area below the menu bar, with the menu shown (by the skin's
// own bar, which takes the menu from the system).
TEST_F(MainWindowDescription, ClientHeightIsTheStoredOneBelowTheMenuBar) {
    MakeForm();
    ShowForm();
    ASSERT_NE(form_->menu(), nullptr);
    EXPECT_EQ(GetMenuItemCount(form_->menu()->handle()), 3) << "File, View and Settings; Help is hidden";
    RECT client{};
    GetClientRect(form_->handle(), &client);
    EXPECT_EQ(client.bottom, StoredRootInteger(L"VQMAINFORM", "ClientHeight"));
    EXPECT_EQ(client.right, StoredRootInteger(L"VQMAINFORM", "ClientWidth"));
    EXPECT_EQ(form_->client_height(), client.bottom);
}

// At the window's own size nothing is cut off: the tool bars' buttons, the state view's
// buttons, and the nine newest lines of the log panel whole.
TEST_F(MainWindowDescription, NothingIsCutOffAtTheDefaultSize) {
    MakeForm();
    ShowForm();
    form_->set_bounds(form_->left(), form_->top(), 927, 659);
    for (int i = 1; i <= 12; ++i) form_->AddLogLine("line " + std::to_string(i));
    ASSERT_TRUE(window_test::pump_until([&] { return form_->width() == 927 && form_->height() == 659; }, 5000));
    window_test::pump(100);

    for (ec::TEcToolButton* b : {form_->btnStartStop, form_->btnSettings, form_->btnClose})
        EXPECT_TRUE(WholeInside(*b, *form_->EcToolbar1)) << b->name();
    for (ec::TEcToolButton* b : {form_->btnFtpState, form_->btnQuery})
        EXPECT_TRUE(WholeInside(*b, *form_->PageScroller1)) << b->name();
    forms::TMyFTPStateFrame& frame = *form_->FStateFrame;
    for (ec::TEcToolButton* b : {frame.btnEnableDev, frame.btnDisableDev})
        EXPECT_TRUE(WholeInside(*b, *frame.panelTool)) << b->name();
    EXPECT_TRUE(WholeInside(*frame.lvBoard, *form_->tabFTPState));

    // The log panel sits above the status bar, and its list shows the nine newest lines whole.
    EXPECT_TRUE(WholeInside(*form_->panelLog, *form_));
    EXPECT_LE(form_->panelLog->top() + form_->panelLog->height(), form_->statusBarMain->top());
    HWND list = form_->listLog->handle();
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 9);
    EXPECT_EQ(form_->listLog->items().get(8), "line 12");
    EXPECT_EQ(form_->listLog->items().get(0), "line 4");
    RECT client{};
    GetClientRect(list, &client);
    const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    EXPECT_EQ(top, 0);
    for (int i = 0; i < 9; ++i) {
        RECT item{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        EXPECT_GE(item.top, client.top) << "line " << i;
        EXPECT_LE(item.bottom, client.bottom) << "line " << i << " is cut off";
    }
    EXPECT_TRUE(shell_test::SaveScreenshot(form_->handle(), "main_state_view"));
}

TEST_F(MainWindowDescription, DescriptionReadsBackTheSame) {
    MakeForm();
    // The skin component is made by the window itself; the plain host reads it by name.
    ui::register_class(skin::TSkinData::static_class());
    window_test::expect_description_round_trip(*form_, [] { return std::make_unique<ui::Form>(nullptr); });
}

class StateFrameDescription : public shell_test::MainWindowFixture {
protected:
    StateFrameDescription() : MainWindowFixture("shell-state-description-") {}

    std::unique_ptr<forms::TMyFTPStateFrame> MakeFrame() {
        ui::register_control_classes();
        ec::register_control_set_classes();
        return std::make_unique<forms::TMyFTPStateFrame>(
            nullptr, boards_, [] { return 0; }, globals_.Texts, library_, [](const std::string&, int) {});
    }

    station::BoardTable boards_;
};

TEST_F(StateFrameDescription, ComponentsAndColumnsAreThoseOfTheViewsTable) {
    std::unique_ptr<forms::TMyFTPStateFrame> frame = MakeFrame();
    const char* const F = "MyFTPStateFrame";
    window_test::expect_components(*frame, {
        {"panelTool", "TEcPanel", F},
        {"btnEnableDev", "TEcToolButton", "panelTool"},
        {"btnDisableDev", "TEcToolButton", "panelTool"},
        {"lvBoard", "TListView", F},
        {"ImageList_Small", "TImageList", F},
    });
    EXPECT_EQ(frame->panelTool->height(), 33);
    EXPECT_EQ(frame->panelTool->align(), ui::TAlign::alTop);
    const struct {
        ec::TEcToolButton* button;
        const char* caption;
        int image;
        int tag;
    } buttons[] = {{frame->btnEnableDev, u8"允许使用", 3, 0}, {frame->btnDisableDev, u8"暂停使用", 4, 1}};
    for (const auto& b : buttons) {
        EXPECT_EQ(b.button->caption(), Gbk(b.caption)) << b.button->name();
        EXPECT_EQ(b.button->image_index(), b.image) << b.button->name();
        EXPECT_EQ(b.button->tag(), b.tag) << b.button->name();
        EXPECT_EQ(b.button->images(), frame->ImageList_Small) << b.button->name();
        EXPECT_FALSE(b.button->enabled()) << b.button->name();
    }
    EXPECT_EQ(frame->ImageList_Small->count(), 5);

    ui::ListView& list = *frame->lvBoard;
    EXPECT_EQ(list.view_style(), ui::TViewStyle::vsReport);
    EXPECT_TRUE(list.read_only());
    EXPECT_TRUE(list.row_select());
    EXPECT_EQ(list.small_images(), frame->ImageList_Small);
    ASSERT_EQ(list.columns().count(), forms::kStateColumnCount);
    for (int c = 0; c < forms::kStateColumnCount; ++c) {
        const forms::StateColumn& expected = forms::StateColumns()[static_cast<std::size_t>(c)];
        EXPECT_EQ(list.column(c)->caption(), Gbk(expected.Caption)) << c;
        if (expected.Width >= 0) {
            EXPECT_EQ(list.column(c)->width(), expected.Width) << c;
        }
    }
}

TEST_F(StateFrameDescription, DescriptionReadsBackTheSame) {
    std::unique_ptr<forms::TMyFTPStateFrame> frame = MakeFrame();
    window_test::expect_description_round_trip(*frame, [] { return std::make_unique<ui::Frame>(nullptr); });
}

} // namespace
