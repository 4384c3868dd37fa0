// The control set's list box under Wine: the station's operations, type-ahead with beeps, the
// horizontal extent, group lines pixel by pixel, the frame, and pictures of each state.
#include <gtest/gtest.h>

#include "controls/ec_lst_box.h"
#include "golden_map.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/screenshot.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/themes.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;

namespace {

// Counts the beeps instead of making them.
class ProbeListBox : public TEcListBox {
public:
    using TEcListBox::TEcListBox;
    int beeps = 0;
    using TEcListBox::draw_item;

protected:
    void invalid_key() override { ++beeps; }
};

class EcListBox : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        ui::theme_services().set_switched_off(true);
        set_display_traits({0, true});
        form.set_bounds(100, 100, 260, 220);
        list = new ProbeListBox(&form);
        list->set_parent(&form);
        list->set_bounds(8, 8, 200, 150);
        list->on_click = [this](ui::Component*) { ++clicks; };
        form.handle_needed();
    }
    void TearDown() override { ui::theme_services().set_switched_off(false); }
    void fill(std::initializer_list<const char*> lines) {
        for (const char* l : lines) list->add(l);
    }
    void type(wchar_t key) { SendMessageW(list->handle(), WM_CHAR, key, 0); }

    ui::Form form{nullptr};
    ProbeListBox* list = nullptr;
    int clicks = 0;
};

TEST_F(EcListBox, DeleteKeepsTheIndexAndFiresOnClick) {
    for (int i = 0; i < 9; ++i) list->add("line " + std::to_string(i));
    list->set_item_index(8);
    list->delete_item(0);
    EXPECT_EQ(list->count(), 8);
    EXPECT_EQ(list->item_index(), 7);  // the index equalled the count: the one before
    EXPECT_EQ(clicks, 1);
    list->set_item_index(3);
    list->delete_item(0);
    EXPECT_EQ(list->item_index(), 3);  // the same index again
    EXPECT_EQ(list->selected_item(), "line 5");
    EXPECT_EQ(clicks, 2);

    list->set_item_index(-1);
    list->delete_item(0);
    EXPECT_EQ(list->item_index(), -1);
    EXPECT_EQ(clicks, 2);
}

TEST_F(EcListBox, SelectedItemAndItemTextOutsideTheItems) {
    EXPECT_EQ(list->selected_item(), "");
    fill({"a", "//Network"});
    EXPECT_EQ(list->selected_item(), "");
    EXPECT_EQ(list->item_text(-1), "");
    EXPECT_EQ(list->item_text(2), "");
    EXPECT_EQ(list->item_text(1), "Network");
    EXPECT_TRUE(list->is_group_line(1));
    EXPECT_EQ(list->group_ordinal(1), 0);
    EXPECT_TRUE(list->belongs_to_group(1));
    EXPECT_FALSE(list->belongs_to_group(0));
}

TEST_F(EcListBox, DeleteAllSelectedDeletesThemAndReportsOnce) {
    list->set_multi_select(true);
    fill({"0", "1", "2", "3", "4", "5"});
    for (int i : {1, 3, 4}) list->set_selected(i, true);
    int reports = 0;
    list->on_delete_items = [&](ui::Component*) { ++reports; };
    list->delete_all_selected();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(list->items().to_vector(), (std::vector<std::string>{"0", "2", "5"}));
    EXPECT_EQ(SendMessageW(list->handle(), LB_GETCOUNT, 0, 0), 3);
}

TEST_F(EcListBox, TypeAheadSelectsBeepsOnNoMatchAndTakesChineseWhole) {
    fill({"ODBC", "ACCESS", "\xD6\xD0\xCE\xC4"});  // 中文
    int matches = 0, key_presses = 0;
    list->on_match = [&](ui::Component*) { ++matches; };
    list->on_key_press = [&](ui::Component*, wchar_t&) { ++key_presses; };
    type(L'o');
    EXPECT_EQ(list->item_index(), 0);
    EXPECT_EQ(list->search_text(), "o");
    type(L'x');  // nothing starts with "ox": a beep, and the state stays
    EXPECT_EQ(list->beeps, 1);
    EXPECT_EQ(list->item_index(), 0);
    EXPECT_EQ(list->search_text(), "o");
    EXPECT_EQ(matches, 1);
    EXPECT_EQ(key_presses, 2);

    SendMessageW(list->handle(), WM_KEYDOWN, VK_HOME, 0);  // a navigation key ends the search
    EXPECT_EQ(list->search_text(), "");
    clicks = 0;
    type(L'\x4E2D');  // 中 as one character
    EXPECT_EQ(list->item_index(), 2);
    EXPECT_EQ(list->search_text(), "\xD6\xD0");
    type(L'\b');
    EXPECT_EQ(list->search_text(), "");
    EXPECT_EQ(list->item_index(), 0);
    EXPECT_EQ(clicks, 1);  // emptied by Backspace: the first item and OnClick

    type(VK_ESCAPE);
    EXPECT_EQ(list->item_index(), -1);
}

TEST_F(EcListBox, SearchStringRunsOutWithTheTimer) {
    fill({"ODBC", "ACCESS"});
    type(L'o');
    ASSERT_EQ(list->search_text(), "o");
    EXPECT_TRUE(window_test::pump_until([&] { return list->search_text().empty(); }, 5000));
    type(L'a');
    EXPECT_EQ(list->item_index(), 1);
}

TEST_F(EcListBox, HorizontalExtentFollowsTheItems) {
    list->set_horz_scroll_bar(true);
    list->add("short");
    const int first = list->horz_extent();
    EXPECT_GT(first, 0);
    list->add("a much longer line than the first one, wider than the list itself");
    EXPECT_GT(list->horz_extent(), first);
    EXPECT_GT(list->horz_extent(), list->client_width());
    EXPECT_NE(GetWindowLongPtrW(list->handle(), GWL_STYLE) & WS_HSCROLL, 0);  // the scroll bar shows
    EXPECT_EQ(SendMessageW(list->handle(), LB_GETHORIZONTALEXTENT, 0, 0), list->horz_extent());
    list->items().remove(1);
    EXPECT_EQ(list->horz_extent(), first);
}

// An item drawn through the reflected WM_DRAWITEM into a bitmap.
void draw_into(ProbeListBox& list, ui::Bitmap& bitmap, int index, UINT state) {
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_LISTBOX;
    d.itemID = static_cast<UINT>(index);
    d.itemState = state;
    d.hwndItem = list.handle();
    d.hDC = bitmap.dc();
    d.rcItem = {0, 0, bitmap.width(), bitmap.height()};
    list.perform(ui::CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
}

// A line wider than the list shows whole in a hint over it, tabs as spaces; a line that fits,
// no line, the mouse leaving or hints switched off show none.
TEST_F(EcListBox, ItemHintsShowLinesTooWideForTheList) {
    fill({"short", "a line\tmuch too wide to be shown whole in this list box", "//Group"});
    form.show();
    SetForegroundWindow(form.handle());
    ASSERT_TRUE(window_test::pump_until([] { return ui::application().active(); }, 3000));
    auto hover = [&](int index) {
        RECT r{};
        SendMessageW(list->handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        POINT p{r.left + 5, (r.top + r.bottom) / 2};
        POINT screen = p;
        ClientToScreen(list->handle(), &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(list->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        ui::HintWindow* hint = list->item_hint();
        return hint && hint->visible() && hint->handle_allocated() && IsWindowVisible(hint->handle());
    };
    EXPECT_FALSE(hover(0));
    EXPECT_EQ(list->item_hint(), nullptr) << "made on first need";
    ASSERT_TRUE(hover(1));
    ui::HintWindow* hint = list->item_hint();
    EXPECT_EQ(hint->text(), "a line        much too wide to be shown whole in this list box");
    RECT item{};
    SendMessageW(list->handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    POINT origin{item.left - 1, 0};
    ClientToScreen(list->handle(), &origin);
    EXPECT_EQ(hint->left(), origin.x);
    EXPECT_GT(hint->width(), list->client_width());
    EXPECT_FALSE(hover(2)) << "a group line that fits";
    EXPECT_TRUE(hover(1));
    list->perform(ui::CM_MOUSELEAVE);
    EXPECT_FALSE(hint->handle_allocated());
    list->set_show_item_hints(false);
    EXPECT_FALSE(hover(1));

    // The tabbed list box keeps hints off unless asked.
    TEcCustomTabbedListBox tabbed(nullptr);
    EXPECT_FALSE(tabbed.show_item_hints());
}

TEST_F(EcListBox, GroupLinesAndIndentedItemsPixelByPixel) {
    list->set_show_groups(true);
    list->set_use_gradients(false);
    list->set_group_color(ui::clRed);
    list->set_owner_draw_indent(3);
    fill({"//", "x"});
    ectest::Legend legend = ectest::system_legend();
    legend['r'] = ui::clRed;
    legend['h'] = ui::clHighlight;
    ui::Bitmap bitmap;
    // The text starts two pixels in: a two-pixel item shows only the background.
    const struct Case {
        const char* what;
        int index;
        UINT state;
        Rows map;
    } cases[] = {
        {"group line", 0, 0, {"rr", "rr", "rr"}},
        {"selected group line", 0, ODS_SELECTED, {"hh", "hh", "hh"}},
        {"item past the indent", 1, 0, {"...WW", "...WW", "...WW"}},
        {"selected item", 1, ODS_SELECTED, {"...hh", "...hh", "...hh"}},
    };
    for (const Case& c : cases) {
        ectest::reset(bitmap, static_cast<int>(c.map[0].size()), static_cast<int>(c.map.size()));
        draw_into(*list, bitmap, c.index, c.state);
        EXPECT_TRUE(ectest::matches(bitmap, c.map, legend)) << c.what;
    }
}

TEST_F(EcListBox, FramePaintedOverTheBorderAndStateColours) {
    ui::set_ordinal_property(*list, "FrameVisible", 1);
    ui::set_ordinal_property(*list, "FrameColor", ui::clRed);
    ui::set_ordinal_property(*list, "FocusColor", ui::clYellow);
    ui::set_ordinal_property(*list, "DisabledColor", ui::clSilver);
    fill({"//Devices", "Channel 1", "Channel 2", "//Files", "\xD6\xD0\xCE\xC4 recording"});
    list->set_show_groups(true);
    auto* other = new ui::Edit(&form);  // somewhere else for the focus to go
    other->set_parent(&form);
    other->set_bounds(8, 164, 200, 21);
    form.show();
    ASSERT_TRUE(window_test::pump_until([&] { return IsWindowVisible(list->handle()) != FALSE; }, 5000));
    SetFocus(other->handle());  // the list took the focus as the first control: the normal look first
    ASSERT_TRUE(window_test::pump_until([&] { return list->color() == ui::clWindow; }, 5000));

    ui::Bitmap picture;
    RedrawWindow(list->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    ui::capture_window(list->handle(), picture);
    const int w = picture.width(), h = picture.height();
    ASSERT_EQ(w, 200);
    const std::uint32_t red = ui::color_to_rgb(ui::clRed), inside = ui::color_to_rgb(list->color());
    EXPECT_EQ(picture.pixel(0, 0), red);
    EXPECT_EQ(picture.pixel(w / 2, 0), red);
    EXPECT_EQ(picture.pixel(0, h / 2), red);
    EXPECT_EQ(picture.pixel(w / 2, h - 1), red);
    EXPECT_EQ(picture.pixel(1, h / 2), inside);  // the inner ring in the list's colour
    window_test::save_screenshot(form.handle(), "controls_screenshots", "list_box_normal");

    SetFocus(list->handle());
    ASSERT_TRUE(window_test::pump_until([&] { return list->color() == ui::clYellow; }, 5000));
    list->set_item_index(2);
    window_test::save_screenshot(form.handle(), "controls_screenshots", "list_box_focused");

    list->set_enabled(false);
    EXPECT_EQ(list->color(), ui::clSilver);
    window_test::save_screenshot(form.handle(), "controls_screenshots", "list_box_disabled");
    list->set_enabled(true);
    EXPECT_EQ(list->color(), ui::clYellow);

    // A colour from outside becomes the normal colour, shown again once the focus leaves.
    list->set_color(ui::clAqua);
    SetFocus(other->handle());
    ASSERT_TRUE(window_test::pump_until([&] { return list->color() == ui::clAqua; }, 5000));
}

} // namespace
