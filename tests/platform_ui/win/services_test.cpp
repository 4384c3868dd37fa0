// Actions, frames, hint windows, the theme service, system dialogs and window re-creation.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/text_gbk.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/win/actions.h"
#include "platform/ui/win/comctl_controls.h"
#include "platform/ui/win/dialogs.h"
#include "platform/ui/win/hint_window.h"
#include "platform/ui/win/list_view.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/message_window.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/themes.h"
#include "ui_harness.h"

using namespace ui;

namespace {

class Services : public ::testing::Test {
protected:
    void SetUp() override {
        uitest::ensure_application();
        uitest::errors().clear();
    }
};

class ViewForm : public Form {
public:
    ViewForm() : Form(nullptr) {
        register_method("ShowState", this, &ViewForm::show_state);
        register_method("ShowQuery", this, &ViewForm::show_query);
        load_description(R"(object ViewForm: TViewForm
  Width = 300
  Height = 200
  object pages: TPageControl
    Align = alClient
    object tabState: TTabSheet
      TabVisible = False
    end
    object tabQuery: TTabSheet
      TabVisible = False
    end
  end
  object btnState: TButton
    Action = actState
  end
  object Menu1: TPopupMenu
    object itemState: TMenuItem
      Action = actState
    end
  end
  object Actions: TActionList
    object actState: TAction
      Caption = '状态'
      GroupIndex = 1
      OnExecute = ShowState
    end
    object actQuery: TAction
      Caption = '查询'
      GroupIndex = 1
      OnExecute = ShowQuery
    end
  end
end)");
    }
    void show_state(Component*) { executed.push_back("state"); }
    void show_query(Component*) { executed.push_back("query"); }
    std::vector<std::string> executed;
};

TEST_F(Services, ActionsDriveLinkedControlsAndMenuItems) {
    ViewForm f;
    auto* act = dynamic_cast<Action*>(f.find_component("actState"));
    auto* query = dynamic_cast<Action*>(f.find_component("actQuery"));
    auto* button = dynamic_cast<Button*>(f.find_component("btnState"));
    auto* item = dynamic_cast<MenuItem*>(f.find_component("itemState"));
    ASSERT_TRUE(act && query && button && item);
    EXPECT_EQ(button->caption(), plat::utf8_to_gbk("状态"));
    EXPECT_EQ(item->caption(), plat::utf8_to_gbk("状态"));
    button->click();
    item->click();
    EXPECT_EQ(f.executed, (std::vector<std::string>{"state", "state"}));
    act->set_checked(true);
    EXPECT_TRUE(item->checked());
    query->set_checked(true);  // one checked action per group
    EXPECT_FALSE(act->checked());
    EXPECT_FALSE(item->checked());
    act->set_enabled(false);
    EXPECT_FALSE(button->enabled());
    EXPECT_FALSE(act->execute());
    EXPECT_EQ(f.executed.size(), 2u);
    delete act;  // the links let go
    EXPECT_EQ(button->action(), nullptr);
    EXPECT_EQ(item->action(), nullptr);
}

// A view as the station makes them: a frame owned by the application, placed on a page.
class StateFrame : public Frame {
public:
    explicit StateFrame(Component* owner) : Frame(owner) {
        load_description(R"(object StateFrame: TStateFrame
  Width = 200
  Height = 100
  object lblTitle: TLabel
    Caption = 'devices'
  end
  object lvDevices: TListView
    Top = 20
    Width = 200
    Height = 80
    Anchors = [akLeft, akTop, akRight, akBottom]
    ViewStyle = vsReport
  end
end)");
    }
};

TEST_F(Services, FramesLoadTheirOwnDescriptionAndFillAPage) {
    ViewForm f;
    auto* pages = dynamic_cast<PageControl*>(f.find_component("pages"));
    auto* tab = dynamic_cast<TabSheet*>(f.find_component("tabState"));
    auto* frame = new StateFrame(&application());
    frame->set_parent(tab);
    frame->set_align(TAlign::alClient);
    pages->set_active_page(tab);
    f.show();
    uitest::pump();
    EXPECT_EQ(frame->width(), tab->client_width());
    auto* lv = dynamic_cast<ListView*>(frame->find_component("lvDevices"));
    ASSERT_NE(lv, nullptr);
    EXPECT_EQ(lv->width(), frame->client_width());  // anchored on both sides: stretched with the frame
    EXPECT_TRUE(frame->inherits_from("TCustomFrame"));
    EXPECT_TRUE(IsWindowVisible(lv->handle()));
    delete frame;
    EXPECT_EQ(tab->control_count(), 0);
}

TEST_F(Services, UnknownPropertiesNameTheWindowComponentAndProperty) {
    Form f(nullptr);
    try {
        f.load_description("object Dlg: TDlg\n  object edit1: TEdit\n    Txet = 'a'\n  end\nend");
        FAIL();
    } catch (const DescriptionError& e) {
        std::string what = e.what();
        EXPECT_NE(what.find("window 'Dlg'"), std::string::npos) << what;
        EXPECT_NE(what.find("component 'edit1'"), std::string::npos) << what;
        EXPECT_NE(what.find("property 'Txet'"), std::string::npos) << what;
    }
    EXPECT_THROW(f.load_resource(L"NO_SUCH_WINDOW"), DescriptionError);
}

TEST_F(Services, RecreatedWindowsKeepTheirState) {
    Form f(nullptr);
    auto* combo = new ComboBox(&f);
    combo->set_parent(&f);
    combo->items().set_text("a\nb\nc");
    combo->set_item_index(2);
    auto* lv = new ListView(&f);
    lv->set_parent(&f);
    lv->set_view_style(TViewStyle::vsReport);
    lv->columns().add_item()->set_caption("c");
    lv->add_item()->set_caption("row");
    f.handle_needed();
    int recreated = 0;
    combo->window_proc.add("recreation count", [&recreated](Message& m, const MessageChain::Next& next) {
        if (m.msg == CM_RECREATEWND) ++recreated;
        next(m);
    });
    HWND old = combo->handle();
    combo->set_style(TComboBoxStyle::csDropDownList);
    EXPECT_NE(combo->handle(), old);
    EXPECT_EQ(recreated, 1);
    EXPECT_EQ(combo->item_index(), 2);
    EXPECT_EQ(SendMessageW(combo->handle(), CB_GETCOUNT, 0, 0), 3);
    // Moved and resized, a drop-down combo box keeps room for its list.
    combo->set_bounds(5, 5, 150, 21);
    RECT dropped{};
    SendMessageW(combo->handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_GT(dropped.bottom - dropped.top, 60);
    EXPECT_EQ(combo->height(), 21);
    lv->set_multi_select(true);
    EXPECT_EQ(lv->cell_text(0, 0), "row");
    // Messages reach a control without a window too.
    Edit loose(nullptr);
    EXPECT_EQ(loose.perform(CM_HITTEST), 1);
    EXPECT_FALSE(loose.handle_allocated());
}

TEST_F(Services, HintWindowsThemesAndDialogs) {
    HintWindow hint(nullptr);
    Rect r = hint.calc_hint_rect(200, "hint text");
    EXPECT_GT(r.width(), 20);
    EXPECT_LE(r.width(), 206);
    hint.activate_hint({100, 100, 100 + r.width(), 100 + r.height()}, "hint text");
    uitest::pump();
    EXPECT_TRUE(IsWindowVisible(hint.handle()));
    EXPECT_NE(GetActiveWindow(), hint.handle());
    hint.release_handle();
    EXPECT_FALSE(hint.handle_allocated());

    // Under an unthemed Wine the service answers "no themes" and draws nothing.
    ThemeServices& themes = theme_services();
    EXPECT_FALSE(themes.themes_enabled());
    Bitmap b(10, 10);
    EXPECT_FALSE(themes.draw_element(b.dc(), L"BUTTON", 1, 1, {0, 0, 10, 10}));
    themes.set_switched_off(true);
    EXPECT_FALSE(themes.themes_enabled());
    themes.set_switched_off(false);

    // The open dialog comes up and is cancelled from outside.
    OpenDialog dialog(nullptr);
    dialog.filter = "Text|*.txt|All|*.*";
    UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND box = FindWindowW(L"#32770", nullptr);
        if (box) PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(dialog.execute());
    KillTimer(nullptr, timer);
}

TEST_F(Services, MessageLoopScreenAndCursor) {
    auto* main = new Form(&application());
    main->set_caption("main");
    application().set_main_form(main);
    PostMessageW(nullptr, WM_NULL, 0, 0);
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (Form* f = application().main_form()) PostMessageW(f->handle(), WM_CLOSE, 0, 0);
    });
    application().run();  // closing the main form ends the loop
    EXPECT_TRUE(application().terminated());
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));  // taken, not left for a later loop
    EXPECT_FALSE(main->visible());
    application().set_main_form(nullptr);
    main->free();

    auto monitors = screen().monitors();
    ASSERT_FALSE(monitors.empty());
    Rect work = screen().work_area_rect();
    EXPECT_GT(work.width(), 0);
    EXPECT_LE(work.width(), screen().width());
    {
        HourGlass busy;
        EXPECT_EQ(screen().cursor(), crHourGlass);
    }
    EXPECT_EQ(screen().cursor(), crDefault);
    EXPECT_TRUE(is_accel(L'h', "&Help"));
    EXPECT_FALSE(is_accel(L'h', "He&lp"));
    EXPECT_FALSE(is_accel(L'a', "A&&B"));
}

// A component's hidden window is top-level and never shown, so a broadcast reaches it; what
// its method leaves goes to the system, and an error stays inside the window procedure.
TEST_F(Services, MessageWindowsTakeBroadcastsAndKeepErrorsIn) {
    const UINT broadcast = RegisterWindowMessageW(L"VelquistLayerTestBroadcast");
    int broadcasts = 0;
    MessageWindow window([&](Message& m) {
        if (m.msg == broadcast) {
            ++broadcasts;
            m.result = 7;
            return true;
        }
        if (m.msg == WM_APP) throw std::runtime_error("handler failed");
        return false;
    });
    ASSERT_NE(window.handle(), nullptr);
    EXPECT_FALSE(IsWindowVisible(window.handle()));
    EXPECT_EQ(GetAncestor(window.handle(), GA_PARENT), GetDesktopWindow());
    PostMessageW(HWND_BROADCAST, broadcast, 0, 0);
    EXPECT_TRUE(window_test::pump_until([&] { return broadcasts == 1; }, 5000));
    EXPECT_EQ(SendMessageW(window.handle(), broadcast, 0, 0), 7);

    // Left to the system: the window keeps its text as any window does.
    SetWindowTextW(window.handle(), L"tray");
    wchar_t text[8] = {};
    GetWindowTextW(window.handle(), text, 8);
    EXPECT_STREQ(text, L"tray");

    EXPECT_EQ(SendMessageW(window.handle(), WM_APP, 0, 0), 0);
    ASSERT_EQ(uitest::errors().size(), 1u);
    EXPECT_EQ(uitest::errors().front(), "handler failed");
    uitest::errors().clear();
}

// The handlers fire once per real change, whoever minimises, so a handler that minimises
// again (the tray icon does) is not called back.
TEST_F(Services, MinimiseAndRestoreHandlersFireOncePerChange) {
    Form main(nullptr);
    main.set_caption("main");
    main.set_bounds(10, 10, 200, 120);
    application().set_main_form(&main);
    main.show();
    std::vector<std::string> events;
    application().on_minimize = [&](Component* sender) {
        EXPECT_EQ(sender, &application());
        events.push_back("minimize");
        application().minimize();
    };
    application().on_restore = [&](Component*) {
        events.push_back("restore");
        application().restore();
    };
    application().restore();  // not minimised: nothing happens
    EXPECT_TRUE(events.empty());
    application().minimize();
    EXPECT_TRUE(application().minimized());
    EXPECT_TRUE(IsIconic(main.handle()));
    application().minimize();
    application().restore();
    EXPECT_FALSE(IsIconic(main.handle()));
    EXPECT_EQ(events, (std::vector<std::string>{"minimize", "restore"}));

    // The window's own minimise command, as the title bar's button gives it.
    SendMessageW(main.handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(events.back(), "minimize");
    SendMessageW(main.handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(events.size(), 4u);

    // Replaced: only the new handler hears of the change.
    int replaced = 0;
    application().on_minimize = [&](Component*) { ++replaced; };
    application().minimize();
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(events.size(), 4u);

    application().on_minimize = nullptr;
    application().on_restore = nullptr;
    application().restore();
    application().set_main_form(nullptr);
    EXPECT_FALSE(application().minimized());
}

TEST_F(Services, ApplicationIconIsTheSystemsUntilSet) {
    EXPECT_EQ(application().icon(), LoadIconW(nullptr, IDI_APPLICATION));
    Icon own(CreateIcon(GetModuleHandleW(nullptr), 16, 16, 1, 1, std::vector<BYTE>(32, 0xFF).data(),
                        std::vector<BYTE>(32, 0).data()));
    application().set_icon(own.get());
    EXPECT_EQ(application().icon(), own.get());
    application().set_icon(nullptr);
    EXPECT_EQ(application().icon(), LoadIconW(nullptr, IDI_APPLICATION));
}

TEST_F(Services, CtrlTabTurnsThePageOfTheFocusedControl) {
    Form f(nullptr);
    f.load_description(R"(object Pages: TPagesForm
  Width = 300
  Height = 200
  object pages: TPageControl
    Align = alClient
    object first: TTabSheet
      Caption = 'one'
      object edit1: TEdit
      end
    end
    object second: TTabSheet
      Caption = 'two'
      object edit2: TEdit
      end
    end
  end
end)");
    auto* pages = dynamic_cast<PageControl*>(f.find_component("pages"));
    auto* edit1 = dynamic_cast<Edit*>(f.find_component("edit1"));
    int changes = 0;
    pages->on_change = [&changes](Component*) { ++changes; };
    f.show();
    uitest::pump();
    EXPECT_EQ(pages->active_page()->name(), "first");
    EXPECT_EQ(SendMessageW(pages->handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    edit1->set_focus();
    uitest::pump();
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    uitest::press_key(edit1->handle(), VK_TAB);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(pages->active_page()->name(), "second");
    EXPECT_EQ(SendMessageW(pages->handle(), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(Services, HintsComeUpAfterThePauseAndGoWithTheMouse) {
    // The real pointer stays away from the form: only the test's own enter and leave count.
    SetCursorPos(screen().width() - 2, screen().height() - 2);
    Form f(nullptr);
    f.set_bounds(0, 0, 200, 100);
    auto* button = new Button(&f);
    button->set_parent(&f);
    button->set_hint("\xCD\xA3\xD6\xB9");  // GBK text
    button->set_show_hint(true);
    f.show();
    uitest::pump();
    application().hint_pause = 50;
    button->perform(CM_MOUSEENTER);
    uitest::pump(300);
    HintWindow* hint = application().hint_window();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->handle_allocated() && IsWindowVisible(hint->handle()));
    EXPECT_EQ(hint->caption(), "\xCD\xA3\xD6\xB9");
    EXPECT_EQ(application().hint_control(), button);
    button->perform(CM_MOUSELEAVE);
    EXPECT_FALSE(hint->handle_allocated());
    // A control without ShowHint shows nothing.
    button->set_show_hint(false);
    button->perform(CM_MOUSEENTER);
    uitest::pump(200);
    EXPECT_FALSE(hint->handle_allocated());
    EXPECT_EQ(application().hint_control(), nullptr);
    application().hint_pause = 500;
}

} // namespace
