// A form described in the text format with one control of every kind: loading, layout, keys,
// bound handlers, properties by name, menus, timers, list views and a screenshot.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <fstream>

#include "platform/text_gbk.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/win/comctl_controls.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/list_view.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/timer.h"
#include "tests/support/window_test/description_checks.h"
#include "ui_harness.h"

using namespace ui;

namespace {

std::string gbk(const char* utf8) { return plat::utf8_to_gbk(utf8); }

class SampleForm : public Form {
public:
    // Without loading: an empty window of the same class, for reading a description into.
    explicit SampleForm(bool load = true) : Form(nullptr) {
        register_method("FormShow", this, &SampleForm::form_show);
        register_method("FormCloseQuery", this, &SampleForm::form_close_query);
        register_method("StartClick", this, &SampleForm::count_call);
        register_method("EditChange", this, &SampleForm::count_call);
        register_method("KindChange", this, &SampleForm::count_call);
        register_method("OkClick", this, &SampleForm::count_call);
        register_method("HelpClick", this, &SampleForm::count_call);
        register_method("PageChange", this, &SampleForm::count_call);
        register_method("MenuOpenClick", this, &SampleForm::count_call);
        register_method("PopupCopyClick", this, &SampleForm::count_call);
        register_method("TimerTick", this, &SampleForm::timer_tick);
        register_method("RefreshExecute", this, &SampleForm::count_call);
        register_method("CallsColumnClick", this, &SampleForm::column_click);
        if (load) load_resource(L"SAMPLEFORM");
    }
    template <class T>
    T* get(const char* name) {
        auto* c = dynamic_cast<T*>(find_component(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    int calls(const std::string& who) const { return static_cast<int>(std::count(log.begin(), log.end(), who)); }

    void form_show(Component*) { log.push_back("FormShow"); }
    void form_close_query(Component*, bool& can_close) { can_close = allow_close; }
    void count_call(Component* sender) { log.push_back(sender->name()); }
    void timer_tick(Component*) { ++ticks; }
    void column_click(Component*, ListColumn* column) { log.push_back("column " + std::to_string(column->index())); }

    std::vector<std::string> log;
    int ticks = 0;
    bool allow_close = true;
};

class SampleFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        uitest::ensure_application();
        uitest::errors().clear();
    }
    void TearDown() override { EXPECT_TRUE(uitest::errors().empty()) << uitest::errors().front(); }
};

TEST_F(SampleFormTest, LoadsEveryKindOfControlWithItsState) {
    SampleForm f;
    EXPECT_EQ(f.caption(), gbk("样例窗口 - 控件一览"));
    const std::pair<const char*, const char*> kinds[] = {
        {"ToolBar1", "TToolBar"},   {"btnStart", "TToolButton"},  {"panelTop", "TCustomPanel"},
        {"labelName", "TGraphicControl"}, {"editName", "TCustomEdit"}, {"updown", "TCustomUpDown"},
        {"cmbKind", "TCustomComboBox"}, {"dtpDate", "TDateTimePicker"}, {"btnOk", "TButton"},
        {"StatusBar1", "TCustomStatusBar"}, {"pgcWork", "TPageControl"}, {"tabControls", "TTabSheet"},
        {"grpOptions", "TCustomGroupBox"}, {"chkAuto", "TCustomCheckBox"}, {"rbFirst", "TRadioButton"},
        {"prgDownload", "TProgressBar"}, {"trkVolume", "TTrackBar"}, {"lstLog", "TCustomListBox"},
        {"memNote", "TCustomEdit"},  {"sbPosition", "TScrollBar"}, {"imgLogo", "TImage"},
        {"lvCalls", "TCustomListView"}, {"pgsLeft", "TPageScroller"}, {"MainMenu1", "TMainMenu"},
        {"PopupMenu1", "TPopupMenu"}, {"ImageList1", "TCustomImageList"}, {"Timer1", "TTimer"},
        {"NodeOpen", "TMenuItem"}, {"ActionList1", "TActionList"}, {"actRefresh", "TAction"},
        {"OpenDialog1", "TOpenDialog"}, {"SaveDialog1", "TOpenDialog"},
    };
    for (auto [name, base] : kinds) {
        Component* c = f.find_component(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_TRUE(c->inherits_from(base)) << name << " is a " << c->class_name();
    }
    EXPECT_TRUE(f.get<Memo>("memNote")->inherits_from("TCustomMemo"));
    EXPECT_FALSE(f.get<Memo>("memNote")->inherits_from("TEdit"));

    f.show();
    uitest::pump();
    EXPECT_EQ(f.log.front(), "FormShow");
    EXPECT_EQ(f.get<Edit>("editName")->text(), gbk("初始文本"));
    EXPECT_EQ(f.get<ComboBox>("cmbKind")->item_index(), 1);
    EXPECT_EQ(f.get<ComboBox>("cmbKind")->text(), gbk("呼入"));
    EXPECT_TRUE(f.get<CheckBox>("chkAuto")->checked());
    EXPECT_EQ(SendMessageW(f.get<CheckBox>("chkAuto")->handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(f.get<RadioButton>("rbFirst")->checked());
    EXPECT_FALSE(f.get<RadioButton>("rbSecond")->checked());
    EXPECT_EQ(f.get<ProgressBar>("prgDownload")->position(), 40);
    EXPECT_EQ(f.get<TrackBar>("trkVolume")->position(), 70);
    EXPECT_EQ(f.get<UpDown>("updown")->position(), 5);
    EXPECT_EQ(f.get<ScrollBar>("sbPosition")->position(), 50);
    EXPECT_EQ(f.get<ListBox>("lstLog")->count(), 2);
    EXPECT_EQ(f.get<Memo>("memNote")->lines().to_vector(), (std::vector<std::string>{gbk("备注第一行"), "second line"}));
    EXPECT_EQ(f.get<Memo>("memNote")->text(), gbk("备注第一行") + "\r\nsecond line");
    EXPECT_DOUBLE_EQ(f.get<DateTimePicker>("dtpDate")->date(), 40969.0);
    EXPECT_EQ(f.get<StatusBar>("StatusBar1")->panel_text(0), gbk("就绪"));
    EXPECT_EQ(f.get<StatusBar>("StatusBar1")->panel_text(1), "BRELDOX");
    EXPECT_EQ(f.get<ImageList>("ImageList1")->count(), 4);
    EXPECT_EQ(f.get<ToolBar>("ToolBar1")->button_count(), 4);
    EXPECT_EQ(SendMessageW(f.get<ToolBar>("ToolBar1")->handle(), TB_BUTTONCOUNT, 0, 0), 4);
    EXPECT_EQ(f.get<ListView>("lvCalls")->columns().count(), 3);
    HWND header = f.get<ListView>("lvCalls")->header_handle();
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(f.get<PageControl>("pgcWork")->active_page(), f.get<TabSheet>("tabControls"));
    EXPECT_EQ(SendMessageW(f.get<PageControl>("pgcWork")->handle(), TCM_GETITEMCOUNT, 0, 0), 1);  // the hidden tab has no head
    EXPECT_EQ(f.get<PageScroller>("pgsLeft")->control(), f.get<Panel>("panelScrolled"));
    EXPECT_EQ(f.menu(), f.get<MainMenu>("MainMenu1"));
    EXPECT_EQ(GetMenuItemCount(GetMenu(f.handle())), 2);
}

TEST_F(SampleFormTest, WrittenDescriptionReadsBackTheSame) {
    SampleForm f;
    const std::string text = write_description(f);
    EXPECT_EQ(text.rfind("object SampleForm: ", 0), 0u) << text;
    EXPECT_NE(text.find("  Caption = '样例窗口 - 控件一览'\n"), std::string::npos) << text;
    EXPECT_NE(text.find("      Items.Strings = (\n"), std::string::npos) << text;
    SampleForm copy(false);
    read_description(copy, text);
    EXPECT_EQ(write_description(copy), text);
    EXPECT_EQ(copy.get<ComboBox>("cmbKind")->item_index(), 1);
    EXPECT_EQ(copy.get<ProgressBar>("prgDownload")->position(), 40);
}

TEST_F(SampleFormTest, LabelsStoreAutoSizeOnlyWhenItIsOff) {
    Form f(nullptr);
    read_description(f, "object F: TForm\n  object fixed: TLabel\n    Width = 120\n    AutoSize = False\n  end\n"
                        "  object sized: TLabel\n  end\nend");
    const auto label = [](Form& form, const char* name) { return dynamic_cast<Label*>(form.find_component(name)); };
    ASSERT_TRUE(label(f, "fixed") && label(f, "sized"));
    EXPECT_FALSE(label(f, "fixed")->auto_size());
    EXPECT_TRUE(label(f, "sized")->auto_size());
    const std::string text = write_description(f);
    EXPECT_EQ(text.find("AutoSize = True"), std::string::npos) << text;
    Form copy(nullptr);
    read_description(copy, text);
    ASSERT_NE(label(copy, "fixed"), nullptr);
    EXPECT_FALSE(label(copy, "fixed")->auto_size());
    EXPECT_EQ(label(copy, "fixed")->width(), 120);
}

TEST_F(SampleFormTest, DescriptionChecksFindTheComponentsAndAWrongOneIsReported) {
    SampleForm f;
    window_test::expect_components(f, {{"btnStart", "TToolButton", "ToolBar1"},
                                       {"ImageList1", "TImageList", "SampleForm"},
                                       {"pgcWork", "TPageControl", "SampleForm"}});
    window_test::expect_description_round_trip(f, [] { return std::make_unique<Form>(nullptr); });
    EXPECT_NONFATAL_FAILURE(window_test::expect_components(f, {{"btnStart", "TButton", "ToolBar1"}}), "btnStart");
    EXPECT_NONFATAL_FAILURE(window_test::expect_components(f, {{"btnStart", "TToolButton", "SampleForm"}}), "btnStart");
    EXPECT_NONFATAL_FAILURE(window_test::expect_components(f, {{"btnGone", "TButton", "SampleForm"}}), "btnGone is missing");
}

TEST_F(SampleFormTest, AlignmentAndAnchorsLayTheFormOut) {
    SampleForm f;
    f.show();
    uitest::pump();
    Rect client = f.client_rect();
    auto* bar = f.get<ToolBar>("ToolBar1");
    auto* top = f.get<Panel>("panelTop");
    auto* buttons = f.get<Panel>("panelButtons");
    auto* status = f.get<StatusBar>("StatusBar1");
    auto* pages = f.get<PageControl>("pgcWork");
    EXPECT_EQ(bar->top(), 0);
    EXPECT_EQ(bar->width(), client.width());
    EXPECT_EQ(top->top(), bar->height());
    EXPECT_EQ(top->width(), client.width());
    EXPECT_EQ(status->top() + status->height(), client.height());
    EXPECT_EQ(buttons->top() + buttons->height(), status->top());
    EXPECT_EQ(pages->top(), top->top() + top->height());
    EXPECT_EQ(pages->top() + pages->height(), buttons->top());
    auto* ok = f.get<Button>("btnOk");
    int ok_margin = buttons->client_width() - ok->left();
    auto* calls = f.get<ListView>("lvCalls");
    int calls_margin = calls->parent()->client_width() - (calls->left() + calls->width());
    f.set_bounds(f.left(), f.top(), f.width() + 100, f.height() + 60);
    uitest::pump();
    EXPECT_EQ(buttons->client_width() - ok->left(), ok_margin);  // anchored right: it moved
    EXPECT_EQ(calls->parent()->client_width() - (calls->left() + calls->width()), calls_margin);  // stretched
    EXPECT_EQ(f.get<Label>("labelName")->width() > 0, true);  // auto-sized to its caption
}

TEST_F(SampleFormTest, TabEnterAndEscapeAreDialogKeys) {
    SampleForm f;
    f.show();
    uitest::pump();
    auto* name = f.get<Edit>("editName");
    name->set_focus();
    uitest::pump();
    EXPECT_EQ(f.active_control(), name);
    const char* order[] = {"editCount", "cmbKind", "dtpDate", "btnOk", "btnCancel", "btnHelp", "pgcWork", "chkAuto"};
    for (const char* next : order) {
        uitest::press_key(GetFocus(), VK_TAB);
        ASSERT_NE(f.active_control(), nullptr);
        EXPECT_EQ(f.active_control()->name(), next);
    }
    uitest::press_key(GetFocus(), VK_TAB, true);
    EXPECT_EQ(f.active_control()->name(), "pgcWork");

    // Enter in an edit presses the default button; Escape the cancel button.
    name->set_focus();
    uitest::pump();
    uitest::press_key(name->handle(), VK_RETURN);
    EXPECT_EQ(f.calls("btnOk"), 1);
    EXPECT_EQ(f.modal_result(), mrOk);
    f.set_modal_result(mrNone);
    uitest::press_key(name->handle(), VK_ESCAPE);
    EXPECT_EQ(f.modal_result(), mrCancel);
    // Enter in the memo is the memo's own.
    auto* memo = f.get<Memo>("memNote");
    memo->set_focus();
    f.set_modal_result(mrNone);
    uitest::press_key(memo->handle(), VK_RETURN);
    EXPECT_EQ(f.calls("btnOk"), 1);
    // An accelerator (Alt+H) presses its button.
    PostMessageW(name->handle(), WM_SYSCHAR, L'h', 1 << 29);
    uitest::pump();
    EXPECT_EQ(f.calls("btnHelp"), 1);
}

TEST_F(SampleFormTest, ShowModalEndsWithTheButtonsModalResult) {
    SampleForm f;
    auto* name = f.get<Edit>("editName");
    f.set_active_control(name);
    f.handle_needed();
    PostMessageW(name->handle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(f.show_modal(), mrOk);
    EXPECT_FALSE(f.visible());
    // A refused close keeps the loop running until it is allowed.
    f.allow_close = false;
    PostMessageW(name->handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    UINT_PTR t = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        for (Form* form : screen().forms())
            if (auto* s = dynamic_cast<SampleForm*>(form)) {
                s->allow_close = true;
                s->set_modal_result(mrCancel);
            }
    });
    EXPECT_EQ(f.show_modal(), mrCancel);
    KillTimer(nullptr, t);
}

TEST_F(SampleFormTest, BoundHandlersFireFromMessages) {
    SampleForm f;
    f.show();
    uitest::pump();
    auto* name = f.get<Edit>("editName");
    SetWindowTextW(name->handle(), L"changed");
    EXPECT_EQ(f.calls("editName"), 1);
    auto* kind = f.get<ComboBox>("cmbKind");
    SendMessageW(kind->handle(), CB_SETCURSEL, 2, 0);
    SendMessageW(f.get<Panel>("panelTop")->handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(kind->handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(kind->handle()));
    EXPECT_EQ(f.calls("cmbKind"), 1);
    EXPECT_EQ(kind->text(), gbk("呼出"));
    // Clicks: a push button, a check box (toggles), a radio button (unchecks its sibling).
    SendMessageW(f.get<Button>("btnHelp")->handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(f.calls("btnHelp"), 1);
    SendMessageW(f.get<CheckBox>("chkAuto")->handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(f.get<CheckBox>("chkAuto")->checked());
    SendMessageW(f.get<RadioButton>("rbSecond")->handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(f.get<RadioButton>("rbSecond")->checked());
    EXPECT_FALSE(f.get<RadioButton>("rbFirst")->checked());
    // The tool bar's command reaches its button.
    auto* bar = f.get<ToolBar>("ToolBar1");
    SendMessageW(f.handle(), WM_COMMAND, MAKEWPARAM(f.get<ToolButton>("btnStart")->command(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar->handle()));
    EXPECT_EQ(f.calls("btnStart"), 1);
    SendMessageW(f.handle(), WM_COMMAND, MAKEWPARAM(f.get<ToolButton>("btnQuery")->command(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar->handle()));
    EXPECT_TRUE(f.get<ToolButton>("btnQuery")->down());
    EXPECT_FALSE(f.get<ToolButton>("btnState")->down());
    // The timer's handler runs on the window thread.
    DWORD start = GetTickCount();
    while (f.ticks < 2 && GetTickCount() - start < 3000) uitest::pump(20);
    EXPECT_GE(f.ticks, 2);
    get_ordinal_property(*f.get<Timer>("Timer1"), "Enabled");
    set_property_text(*f.get<Timer>("Timer1"), "Enabled", "False");
}

TEST_F(SampleFormTest, MenusShortcutsRadioGroupsAndPopups) {
    SampleForm f;
    f.show();
    uitest::pump();
    uitest::press_key(f.get<Edit>("editName")->handle(), 'O');
    EXPECT_EQ(f.calls("NodeOpen"), 0);  // no Ctrl
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    uitest::press_key(f.get<Edit>("editName")->handle(), 'O');
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(f.calls("NodeOpen"), 1);
    // F5 runs the item's action.
    uitest::press_key(f.get<Edit>("editName")->handle(), VK_F5);
    EXPECT_EQ(f.calls("actRefresh"), 1);
    EXPECT_EQ(f.get<MenuItem>("NodeRefresh")->caption(), gbk("刷新"));
    // A menu command by id, as the window gets it.
    auto* desc = f.get<MenuItem>("NodeDesc");
    SendMessageW(f.handle(), WM_COMMAND, MAKEWPARAM(desc->command(), 0), 0);
    EXPECT_TRUE(desc->checked());
    EXPECT_FALSE(f.get<MenuItem>("NodeAsc")->checked());
    HMENU view = GetSubMenu(GetMenu(f.handle()), 1);
    EXPECT_EQ(GetMenuState(view, desc->command(), MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(view, f.get<MenuItem>("NodeAsc")->command(), MF_BYCOMMAND) & MF_CHECKED, 0u);
    wchar_t text[64] = {};
    GetMenuStringW(GetSubMenu(GetMenu(f.handle()), 0), f.get<MenuItem>("NodeClose")->command(), text, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"\x9000\x51FA\tAlt+F4");
    // A popup menu through the replaceable tracker: pick its first item.
    PopupMenu::set_track_function([](HMENU menu, UINT, int, int, HWND) { return GetMenuItemID(menu, 0); });
    SendMessageW(f.get<ListView>("lvCalls")->handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f.get<ListView>("lvCalls")->handle()),
                 MAKELPARAM(100, 100));
    EXPECT_EQ(f.calls("PopCopy"), 1);
    EXPECT_EQ(f.get<PopupMenu>("PopupMenu1")->popup_component(), f.get<ListView>("lvCalls"));
}

TEST_F(SampleFormTest, ListViewCellsSortingAndVirtualRows) {
    SampleForm f;
    f.show();
    uitest::pump();
    auto* lv = f.get<ListView>("lvCalls");
    const char* rows[][3] = {{"2012-03-02", "08:00:00", "13900000002"}, {"2012-03-01", "18:00:00", "13900000001"}};
    for (auto& r : rows) {
        ListItem* it = lv->add_item();
        it->set_caption(r[0]);
        it->sub_items().add(r[1]);
        it->sub_items().add(r[2]);
        it->set_image_index(1);
    }
    EXPECT_EQ(lv->cell_text(0, 0), "2012-03-02");
    EXPECT_EQ(lv->cell_text(1, 2), "13900000001");
    lv->alpha_sort();
    EXPECT_EQ(lv->cell_text(0, 0), "2012-03-01");
    lv->set_selected(lv->item(1));
    EXPECT_EQ(lv->selected_index(), 1);
    // Column clicks arrive as the bound handler.
    NMLISTVIEW click{};
    click.hdr = {lv->handle(), 0, static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iItem = -1;
    click.iSubItem = 2;
    SendMessageW(f.get<TabSheet>("tabControls")->handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(f.calls("column 2"), 1);

    // Virtual mode: 100000 rows, only the shown ones asked for.
    int asked = 0;
    lv->set_owner_data(true);
    lv->on_data = [&asked](Component*, ListItem* item) {
        ++asked;
        item->set_caption("row " + std::to_string(item->index()));
        item->sub_items().add("t" + std::to_string(item->index()));
    };
    lv->set_item_count(100000);
    uitest::pump();
    EXPECT_EQ(SendMessageW(lv->handle(), LVM_GETITEMCOUNT, 0, 0), 100000);
    EXPECT_EQ(lv->cell_text(99999, 0), "row 99999");
    EXPECT_EQ(lv->cell_text(42, 1), "t42");
    EXPECT_LT(asked, 1000);
    EXPECT_THROW(lv->add_item(), std::logic_error);
}

TEST_F(SampleFormTest, PagesSwitchAndHiddenTabsStayHeadless) {
    SampleForm f;
    f.show();
    uitest::pump();
    auto* pages = f.get<PageControl>("pgcWork");
    auto* hidden = f.get<TabSheet>("tabHidden");
    auto* shown = f.get<TabSheet>("tabControls");
    set_property_text(*pages, "ActivePage", "tabHidden");
    uitest::pump();
    EXPECT_TRUE(IsWindowVisible(hidden->handle()));
    EXPECT_FALSE(IsWindowVisible(shown->handle()));
    EXPECT_EQ(SendMessageW(pages->handle(), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(hidden->width(), shown->width());
    uitest::screenshot(f.handle(), "sample_form_hidden_page");
    pages->set_active_page(shown);
    uitest::pump();
    EXPECT_TRUE(IsWindowVisible(shown->handle()));
}

// Every published property of every component reads as text and takes that text back.
TEST_F(SampleFormTest, EveryPropertyReadsAndWritesByName) {
    SampleForm f;
    f.show();
    uitest::pump();
    std::vector<Persistent*> objects{&f};
    for (Component* c : f.components()) objects.push_back(c);
    int checked = 0;
    for (Persistent* o : objects) {
        for (const PropInfo* p : o->class_type().all_properties()) {
            if (p->kind == PropKind::Object || p->kind == PropKind::Collection || p->kind == PropKind::Binary) continue;
            if (p->name == "Name") continue;
            std::string before;
            try {
                before = get_property_text(*o, p->name);
                set_property_text(*o, p->name, before);
            } catch (const std::exception& e) {
                ADD_FAILURE() << o->class_name() << "." << p->name << ": " << e.what();
                continue;
            }
            EXPECT_EQ(get_property_text(*o, p->name), before) << o->class_name() << "." << p->name;
            ++checked;
        }
    }
    EXPECT_GT(checked, 300);
    // Enumerations, sets and colours as text.
    auto* lv = f.get<ListView>("lvCalls");
    EXPECT_EQ(get_property_text(*lv, "ViewStyle"), "vsReport");
    EXPECT_EQ(get_property_text(*lv, "Anchors"), "[akLeft,akTop,akRight,akBottom]");
    EXPECT_EQ(get_property_text(*f.get<ListBox>("lstLog"), "Color"), "clSilver");
    set_property_text(*f.get<ListBox>("lstLog"), "Color", "$00808080");
    EXPECT_EQ(f.get<ListBox>("lstLog")->color(), clGray);
    EXPECT_EQ(get_property_text(*f.get<Button>("btnOk"), "ModalResult"), "mrOk");
    set_property_text(*f.get<Panel>("panelTop"), "Caption", gbk("新标题"));
    EXPECT_EQ(f.get<Panel>("panelTop")->caption(), gbk("新标题"));
    EXPECT_EQ(get_property_text(*f.get<MenuItem>("NodeClose"), "ShortCut"), "Alt+F4");
}

TEST_F(SampleFormTest, ScreenshotOfTheForm) {
    SampleForm f;
    f.show();
    uitest::pump(200);
    std::string path = uitest::screenshot(f.handle(), "sample_form");
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    // The list box paints its own colour (silver) inside its frame.
    auto* list = f.get<ListBox>("lstLog");
    POINT p = list->client_to_screen(POINT{list->client_width() - 5, list->client_height() - 5});
    HDC screen_dc = GetDC(nullptr);
    COLORREF c = GetPixel(screen_dc, p.x, p.y);
    ReleaseDC(nullptr, screen_dc);
    EXPECT_EQ(c, RGB(0xC0, 0xC0, 0xC0));
}

} // namespace
