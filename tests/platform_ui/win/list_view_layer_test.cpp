// The layer's list view as the search view's call list uses it: a virtual list's selection by
// row numbers, header pictures and right clicks, header notifications in both codes, the veto
// before a change, pictures in sub-items; and popup-menu shortcuts of the focused control and
// its parents.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/ui/win/image_list.h"
#include "platform/ui/win/list_view.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/std_controls.h"
#include "ui_harness.h"

using namespace ui;

namespace {

// Records the header codes the layer hands on.
class HeaderListener : public ListView {
public:
    using ListView::ListView;
    std::vector<UINT> codes;

protected:
    void header_notify(UINT code, NMHDR& header, Message& m) override {
        codes.push_back(code);
        ListView::header_notify(code, header, m);
    }
};

class ListViewLayer : public ::testing::Test {
protected:
    void SetUp() override {
        uitest::ensure_application();
        uitest::errors().clear();
        form.set_bounds(50, 50, 400, 300);
        list = new HeaderListener(&form);
        list->set_parent(&form);
        list->set_bounds(0, 0, 380, 260);
        list->set_view_style(TViewStyle::vsReport);
        list->set_owner_data(true);
        list->set_multi_select(true);
        list->set_row_select(true);
        list->set_read_only(true);
        for (const char* caption : {"first", "second", "third"}) {
            ListColumn* c = list->columns().add_item();
            c->set_caption(caption);
            c->set_width(100);
        }
        list->on_data = [](Component*, ListItem* item) {
            item->set_caption("row " + std::to_string(item->index()));
            item->sub_items().add("cell");
        };
        list->set_item_count(kRows);
    }
    void TearDown() override { EXPECT_TRUE(uitest::errors().empty()) << uitest::errors().front(); }
    // A notification of the list as its parent receives it.
    void notify_parent(NMHDR& header) {
        header.hwndFrom = list->handle();
        header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list->handle()));
        SendMessageW(form.handle(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
    int header_image(int column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        SendMessageW(list->header_handle(), HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        return (item.fmt & HDF_IMAGE) && (item.fmt & HDF_BITMAP_ON_RIGHT) ? item.iImage : -1;
    }

    static constexpr int kRows = 100000;
    Form form{nullptr};
    HeaderListener* list = nullptr;
};

TEST_F(ListViewLayer, VirtualSelectionByRowNumbers) {
    int whole_list_changes = 0;
    list->on_change = [&](Component*, ListItem* item, TItemChange) {
        if (!item) ++whole_list_changes;
    };
    form.show();
    EXPECT_TRUE(list->selected_rows().empty());
    EXPECT_EQ(list->selected_index(), -1);

    list->move_to(70000);
    EXPECT_EQ(list->selected_rows(), std::vector<int>{70000});
    EXPECT_EQ(list->focused_row(), 70000);
    EXPECT_TRUE(list->focused());
    EXPECT_EQ(list->cell_text(70000, 0), "row 70000");
    list->set_row_selected(3, true);
    EXPECT_EQ(list->selected_rows(), (std::vector<int>{3, 70000}));
    list->set_row_selected(70000, false);
    list->set_row_selected(kRows, true);  // past the rows: nothing
    list->set_row_selected(-1, true);
    EXPECT_EQ(list->selected_rows(), std::vector<int>{3});
    list->move_to(kRows);
    EXPECT_EQ(list->focused_row(), 70000);

    // Every row at once, in one message, told as one change of the whole list.
    list->select_all();
    EXPECT_EQ(list->sel_count(), kRows);
    EXPECT_GE(whole_list_changes, 1);
    list->clear_selection();
    EXPECT_EQ(list->sel_count(), 0);
    EXPECT_TRUE(list->selected_rows().empty());

    // A range of rows whose state changed together.
    int first = -1, last = -1;
    list->on_data_state_change = [&](Component*, int from, int to, UINT, UINT now) {
        first = from;
        last = to;
        EXPECT_EQ(now, static_cast<UINT>(LVIS_SELECTED));
    };
    NMLVODSTATECHANGE range{};
    range.hdr.code = LVN_ODSTATECHANGED;
    range.iFrom = 10;
    range.iTo = 20;
    range.uNewState = LVIS_SELECTED;
    notify_parent(range.hdr);
    EXPECT_EQ(first, 10);
    EXPECT_EQ(last, 20);
}

TEST_F(ListViewLayer, HeaderPicturesRightClicksAndCodes) {
    ImageList arrows(&form);
    arrows.set_width(8);
    arrows.set_height(8);
    Bitmap picture(16, 8);
    picture.canvas().brush().color = clBlack;
    picture.canvas().fill_rect({0, 0, 16, 8});
    arrows.add(picture, nullptr);
    list->set_header_images(&arrows);
    list->column(1)->set_header_image(1);  // before the window: applied when it comes
    form.show();
    EXPECT_EQ(header_image(0), -1);
    EXPECT_EQ(header_image(1), 1);
    list->column(1)->set_header_image(-1);
    list->column(2)->set_header_image(0);
    EXPECT_EQ(header_image(1), -1);
    EXPECT_EQ(header_image(2), 0);
    list->column(2)->set_caption("renamed");  // a caption change keeps the picture
    EXPECT_EQ(header_image(2), 0);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(list->header_handle(), HDM_GETIMAGELIST, 0, 0)), arrows.handle());

    // A right click on a column names it; the rows' menu does not follow.
    PopupMenu rows_menu(&form);
    list->set_popup_menu(&rows_menu);
    int menus = 0;
    PopupMenu::set_track_function([&](HMENU, UINT, int, int, HWND) {
        ++menus;
        return 0u;
    });
    ListColumn* clicked = nullptr;
    list->on_column_right_click = [&](Component*, ListColumn* column, POINT) { clicked = column; };
    HWND header = list->header_handle();
    RECT second{};
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    POINT at{(second.left + second.right) / 2, (second.top + second.bottom) / 2};
    POINT screen = at;
    ClientToScreen(header, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(header, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(header, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(window_test::pump_until([&] { return clicked != nullptr; }, 3000));
    EXPECT_EQ(clicked, list->column(1));
    SendMessageW(list->handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(header), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(menus, 0);
    PopupMenu::set_track_function(nullptr);

    // Both codes of a header notification arrive as the Unicode one.
    list->codes.clear();
    for (UINT code : {static_cast<UINT>(HDN_ENDTRACKA), static_cast<UINT>(HDN_ENDTRACKW)}) {
        HDITEMW item{};
        NMHEADERW n{};
        n.hdr.hwndFrom = header;
        n.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(header));
        n.hdr.code = code;
        n.iItem = 0;
        n.pitem = &item;
        SendMessageW(list->handle(), WM_NOTIFY, n.hdr.idFrom, reinterpret_cast<LPARAM>(&n));
    }
    EXPECT_EQ(list->codes, (std::vector<UINT>{static_cast<UINT>(HDN_ENDTRACKW), static_cast<UINT>(HDN_ENDTRACKW)}));
}

TEST_F(ListViewLayer, ChangesAreVetoedAndSubItemsShowPictures) {
    list->set_owner_data(false);
    for (int i = 0; i < 3; ++i) list->add_item()->set_caption("item " + std::to_string(i));
    list->on_changing = [](Component*, ListItem* item, TItemChange change, bool& allow) {
        EXPECT_EQ(change, TItemChange::ctState);
        allow = item->index() != 1;
    };
    list->on_get_sub_item_image = [](Component*, ListItem* item, int sub_item, int& image) {
        image = item->index() * 10 + sub_item;
    };
    form.show();
    list->set_row_selected(0, true);
    list->set_row_selected(1, true);
    EXPECT_EQ(list->selected_rows(), std::vector<int>{0});

    LVITEMW cell{};
    cell.mask = LVIF_IMAGE;
    cell.iItem = 2;
    cell.iSubItem = 1;
    ASSERT_TRUE(SendMessageW(list->handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&cell)));
    EXPECT_EQ(cell.iImage, 21);
}

// A key of a popup menu works while a control inside its owner has the focus: the nearest
// control's menu first, each prepared by its OnPopup as for a click.
TEST(LayerShortcuts, PopupMenusOfTheFocusedControlAndItsParents) {
    uitest::ensure_application();
    Form form(nullptr);
    form.set_bounds(50, 50, 300, 200);
    auto* panel = new Panel(&form);
    panel->set_parent(&form);
    panel->set_align(TAlign::alClient);
    auto* edit = new Edit(&form);
    edit->set_parent(panel);
    auto make = [&](PopupMenu& menu, TShortCut key, std::vector<std::string>& ran, const std::string& name) {
        auto* item = new MenuItem(menu.items());
        item->set_caption(name);
        item->set_shortcut(key);
        item->on_click = [&ran, name](Component*) { ran.push_back(name); };
        menu.items()->add(item);
        return item;
    };
    std::vector<std::string> ran;
    PopupMenu panel_menu(&form), edit_menu(&form);
    const TShortCut ctrl_k = shortcut('K', scCtrl), ctrl_j = shortcut('J', scCtrl);
    make(panel_menu, ctrl_k, ran, "panel K");
    MenuItem* panel_j = make(panel_menu, ctrl_j, ran, "panel J");
    make(edit_menu, ctrl_k, ran, "edit K");
    int prepared = 0;
    panel_menu.on_popup = [&](Component*) {
        ++prepared;
        panel_j->set_enabled(false);
    };
    panel->set_popup_menu(&panel_menu);
    form.show();
    edit->set_focus();
    ASSERT_TRUE(window_test::pump_until([&] { return edit->focused(); }, 3000));

    auto press = [&](WORD key) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        PostMessageW(edit->handle(), WM_KEYDOWN, key, 1);
        window_test::pump_until([] { return HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_KEY)) == 0; }, 3000);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    };
    press('K');
    EXPECT_EQ(ran, std::vector<std::string>{"panel K"}) << "the parent's menu";
    EXPECT_EQ(panel_menu.popup_component(), panel);
    EXPECT_EQ(prepared, 1);
    press('J');
    EXPECT_EQ(ran, std::vector<std::string>{"panel K"}) << "disabled by OnPopup";
    EXPECT_EQ(prepared, 2);

    edit->set_popup_menu(&edit_menu);
    press('K');
    EXPECT_EQ(ran, (std::vector<std::string>{"panel K", "edit K"})) << "the nearest menu first";
    press('Q');
    EXPECT_EQ(prepared, 2) << "a key no menu has prepares none";
}

} // namespace
