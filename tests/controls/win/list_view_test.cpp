// The control set's list view under Wine: the owner-drawn header and its sort arrow pixel by
// pixel, click sorting, the last column's fill, the check veto, and a picture.
#include <gtest/gtest.h>

#include "controls/ec_list_vw.h"
#include "controls/ec_shell_utils.h"
#include "golden_map.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/themes.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;

namespace {

class ProbeListView : public TEcListView {
public:
    using TEcListView::TEcListView;
    using TEcListView::draw_header;
};

class EcListView : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        ui::theme_services().set_switched_off(true);
        form.set_bounds(100, 100, 460, 260);
        list = new ProbeListView(&form);
        list->set_parent(&form);
        list->set_bounds(8, 8, 420, 200);
        list->set_view_style(ui::TViewStyle::vsReport);
        list->set_fill_last_column(false);
        for (const char* caption : {"Channel", "Caller", "Length"}) {
            ui::ListColumn* c = list->columns().add_item();
            c->set_caption(caption);
            c->set_width(100);
        }
    }
    void TearDown() override { ui::theme_services().set_switched_off(false); }
    void add_row(const char* caption, std::vector<const char*> subs) {
        ui::ListItem* it = list->add_item();
        it->set_caption(caption);
        for (const char* s : subs) it->sub_items().add(s);
    }
    std::vector<std::string> captions() {
        std::vector<std::string> out;
        for (int i = 0; i < list->item_count(); ++i) out.push_back(list->item(i)->caption());
        return out;
    }
    int header_format(int index) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(list->header_handle(), HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return item.fmt;
    }
    void click_column(int index) {
        NMLISTVIEW n{};
        n.hdr.hwndFrom = list->handle();
        n.hdr.code = LVN_COLUMNCLICK;
        n.iItem = -1;
        n.iSubItem = index;
        list->perform(ui::CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    }

    ui::Form form{nullptr};
    ProbeListView* list = nullptr;
};

TEST_F(EcListView, HeaderItemsAreOwnerDrawnAfterCreation) {
    form.handle_needed();
    for (int i = 0; i < 3; ++i) EXPECT_NE(header_format(i) & HDF_OWNERDRAW, 0) << i;
    list->set_header_sort_display_mode(TEcLVHeaderSortDisplayMode::hsdmNone);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(header_format(i) & HDF_OWNERDRAW, 0) << i;
        EXPECT_NE(header_format(i) & HDF_STRING, 0) << i;
    }

    // An old common-controls library cannot draw the arrow: the mode stays hsdmNone.
    set_comctl32_version(make_version(4, 0));
    list->set_header_sort_display_mode(TEcLVHeaderSortDisplayMode::hsdmRightAlign);
    EXPECT_EQ(list->header_sort_display_mode(), TEcLVHeaderSortDisplayMode::hsdmNone);
    EXPECT_EQ(header_format(0) & HDF_OWNERDRAW, 0);
    set_comctl32_version(std::nullopt);
    list->set_header_sort_display_mode(TEcLVHeaderSortDisplayMode::hsdmRightAlign);
    EXPECT_EQ(list->header_sort_display_mode(), TEcLVHeaderSortDisplayMode::hsdmRightAlign);
}

TEST_F(EcListView, SortArrowPixelByPixel) {
    list->column(0)->set_caption("");
    list->set_header_sort_display_mode(TEcLVHeaderSortDisplayMode::hsdmLeftAlign);
    form.handle_needed();
    ectest::Legend legend = ectest::system_legend();
    legend['b'] = ui::clBtnFace;
    ui::Bitmap bitmap;
    auto draw = [&](int width, SortDirection direction) {
        list->column(0)->set_width(width);
        list->set_sort_column(0, direction);
        ectest::reset(bitmap, 24, 18);
        DRAWITEMSTRUCT d{};
        d.CtlType = ODT_HEADER;
        d.itemID = 0;
        d.hwndItem = list->header_handle();
        d.hDC = bitmap.dc();
        d.rcItem = {0, 0, 24, 18};
        SendMessageW(list->handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
    };
    // The box from an item 18 high: s = (2 + 16) / 2 - 1 = 8, at the text's left (6), rows 4..11;
    // the arrow fills the bottom six rows, eleven pixels wide.
    const Rows up = {
        "bbbbbbbbbbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbbbbbbbbbb",
        "bbbbbbbbbbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbbbbbbbbbb",
        "bbbbbbbbbbbSbbbbbbbbbbbb", "bbbbbbbbbbSSSbbbbbbbbbbb", "bbbbbbbbbSSSSSbbbbbbbbbb",
        "bbbbbbbbSSSSSSSbbbbbbbbb", "bbbbbbbSSSSSSSSSbbbbbbbb", "bbbbbbSSSSSSSSSSSbbbbbbb",
        "bbbbbbbbbbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbbbbbbbbbb",
        "bbbbbbbbbbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbbbbbbbbbb",
    };
    Rows down = up;
    std::reverse(down.begin() + 6, down.begin() + 12);
    draw(24, SortDirection::Ascending);
    EXPECT_TRUE(ectest::matches(bitmap, up, legend)) << ectest::text_of(ectest::picture_of(bitmap, legend));
    draw(24, SortDirection::Descending);
    EXPECT_TRUE(ectest::matches(bitmap, down, legend)) << ectest::text_of(ectest::picture_of(bitmap, legend));
    draw(18, SortDirection::Ascending);  // twice the box is not narrower than the column: no arrow
    EXPECT_TRUE(ectest::matches(bitmap, Rows(18, std::string(24, 'b')), legend))
        << ectest::text_of(ectest::picture_of(bitmap, legend));
}

TEST_F(EcListView, ClicksSortAscendingDescendingAscending) {
    list->set_alpha_sort_all(true);
    add_row("b", {"2"});
    add_row("", {"1"});
    add_row("A", {"3"});
    form.handle_needed();
    int clicked = 0;
    list->on_column_click = [&](ui::Component*, ui::ListColumn*) { ++clicked; };
    using V = std::vector<std::string>;
    click_column(0);
    EXPECT_EQ(captions(), (V{"A", "b", ""}));  // the empty caption last
    click_column(0);
    EXPECT_EQ(captions(), (V{"", "b", "A"}));
    click_column(0);
    EXPECT_EQ(captions(), (V{"A", "b", ""}));
    click_column(1);
    EXPECT_EQ(captions(), (V{"", "b", "A"}));
    EXPECT_EQ(list->sort_state().column, 1);
    EXPECT_EQ(clicked, 4);
    EXPECT_EQ(list->cell_text(0, 1), "1");
}

TEST_F(EcListView, TheLastColumnFillsTheWidth) {
    list->column(0)->set_width(100);
    list->column(1)->set_width(50);
    list->columns().remove(2);
    form.handle_needed();
    list->set_client_width(400);
    add_row("x", {"y"});
    list->set_fill_last_column(true);
    EXPECT_EQ(list->column(1)->width(), 300);
    list->clear();
    list->fill_last_column();
    EXPECT_EQ(list->column(1)->width(), 300 - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(EcListView, RefusedCheckKeepsTheBox) {
    list->set_checkboxes(true);
    add_row("one", {});
    form.handle_needed();
    bool allow = false;
    int asked = 0, changed = 0;
    list->on_check_state_changing = [&](ui::Component*, ui::ListItem*, bool to_be_checked, bool& allow_change) {
        ++asked;
        EXPECT_TRUE(to_be_checked);
        allow_change = allow;
    };
    list->on_check_state_change = [&](ui::Component*, ui::ListItem*) { ++changed; };
    LVITEMW state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(list->handle(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(list->item(0)->checked());
    EXPECT_EQ(changed, 0);
    allow = true;
    SendMessageW(list->handle(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    EXPECT_TRUE(list->item(0)->checked());
    EXPECT_EQ(changed, 1);
}

// The keyboard's menu belongs to the focused item and opens at the centre of its icon; without
// a focused item the list's own popup menu opens at the corner. A right click on an item opens
// the item's menu once.
TEST_F(EcListView, ItemMenusFromTheKeyboardAndTheMouse) {
    add_row("1", {"8001", "00:10"});
    add_row("2", {"8002", "00:20"});
    ui::PopupMenu rows(&form), other(&form);
    list->set_popup_menu(&rows);
    std::vector<std::pair<std::string, POINT>> shown;
    std::string opening;
    rows.on_popup = [&](ui::Component*) { opening = "rows"; };
    other.on_popup = [&](ui::Component*) { opening = "other"; };
    ui::PopupMenu::set_track_function([&](HMENU, UINT, int x, int y, HWND) {
        shown.push_back({opening, POINT{x, y}});
        return 0u;
    });
    std::vector<int> asked;
    list->on_item_context_menu = [&](ui::Component*, ui::ListItem* item, POINT&, ui::PopupMenu*& menu) {
        asked.push_back(item ? item->index() : -1);
        if (item && item->index() == 1) menu = &other;
    };
    form.show();
    list->set_focus();
    ASSERT_TRUE(window_test::pump_until([&] { return list->focused(); }, 3000));

    window_test::press_key(list->handle(), VK_APPS);
    ASSERT_EQ(shown.size(), 1u) << "no focused item: the list's own menu";
    EXPECT_EQ(shown[0].first, "rows");
    const POINT corner = list->client_to_screen(POINT{0, 0});
    EXPECT_EQ(shown[0].second.x, corner.x);
    EXPECT_EQ(shown[0].second.y, corner.y);
    EXPECT_TRUE(asked.empty());

    list->item(1)->set_focused(true);
    window_test::press_key(list->handle(), VK_F10, true);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(asked, std::vector<int>{1});
    EXPECT_EQ(shown[1].first, "other") << "the event chose the menu";
    const ui::Rect icon = list->item(1)->display_rect(ui::TDisplayCode::drIcon);
    const POINT centre = list->client_to_screen(POINT{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2});
    EXPECT_EQ(shown[1].second.x, centre.x);
    EXPECT_EQ(shown[1].second.y, centre.y);

    // A right click on the first row: its menu, once, at the click.
    const ui::Rect row = list->item(0)->display_rect(ui::TDisplayCode::drBounds);
    const POINT at{row.left + 30, (row.top + row.bottom) / 2};
    POINT screen = list->client_to_screen(at);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(list->handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(list->handle(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ASSERT_TRUE(window_test::pump_until([&] { return shown.size() >= 3; }, 3000));
    window_test::pump_until([] { return HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_INPUT)) == 0; }, 3000);
    ui::PopupMenu::set_track_function([](HMENU, UINT, int, int, HWND) { return 0u; });
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_EQ(asked.back(), 0);
    EXPECT_EQ(shown[2].first, "rows");
    EXPECT_EQ(shown[2].second.x, screen.x);
    EXPECT_EQ(shown[2].second.y, screen.y);
}

// With OnInfoTip the list shows its own tip under the item: the caption, as the event changes it.
TEST_F(EcListView, InfoTipsUnderTheItem) {
    add_row("1", {"8001", "00:10"});
    add_row("2", {"8002", "00:20"});
    list->on_info_tip = [](ui::Component*, ui::ListItem*, std::string& tip) { tip += " of 2"; };
    form.show();
    SetForegroundWindow(form.handle());
    ASSERT_TRUE(window_test::pump_until([] { return ui::application().active(); }, 3000));
    auto hover = [&](POINT at) {
        const POINT screen = list->client_to_screen(at);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(list->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        ui::HintWindow* tip = list->info_tip();
        return tip && tip->handle_allocated() && IsWindowVisible(tip->handle());
    };
    const ui::Rect row = list->item(1)->display_rect(ui::TDisplayCode::drBounds);
    ASSERT_TRUE(hover(POINT{row.left + 10, (row.top + row.bottom) / 2}));
    EXPECT_EQ(list->info_tip()->text(), "2 of 2");
    const POINT corner = list->client_to_screen(POINT{row.left + 5, row.bottom - 3});
    EXPECT_EQ(list->info_tip()->left(), corner.x);
    EXPECT_EQ(list->info_tip()->top(), corner.y);
    EXPECT_FALSE(hover(POINT{row.left + 10, row.bottom + 60})) << "below the rows";
    EXPECT_TRUE(hover(POINT{row.left + 10, (row.top + row.bottom) / 2}));
    list->perform(ui::CM_MOUSELEAVE);
    EXPECT_FALSE(list->info_tip()->handle_allocated());
}

TEST_F(EcListView, Pictures) {
    ui::set_ordinal_property(*list, "FrameVisible", 1);
    list->set_row_select(true);
    add_row("1", {"\xD5\xC5\xC8\xFD", "00:01:05"});  // 张三
    add_row("2", {"8001", "00:12:40"});
    add_row("3", {"", "00:00:09"});
    list->set_fill_last_column(true);
    auto* other = new ui::Edit(&form);
    other->set_parent(&form);
    other->set_bounds(8, 212, 200, 21);
    list->set_sort_column(1, SortDirection::Ascending);
    form.show();
    ASSERT_TRUE(window_test::pump_until([&] { return IsWindowVisible(list->handle()) != FALSE; }, 5000));
    SetFocus(other->handle());
    ASSERT_TRUE(window_test::pump_until([&] { return GetFocus() == other->handle(); }, 5000));
    window_test::save_screenshot(form.handle(), "controls_screenshots", "list_view_normal");
    list->item(1)->set_selected(true);
    SetFocus(list->handle());
    ASSERT_TRUE(window_test::pump_until([&] { return GetFocus() == list->handle(); }, 5000));
    window_test::save_screenshot(form.handle(), "controls_screenshots", "list_view_focused");
    list->set_enabled(false);
    window_test::save_screenshot(form.handle(), "controls_screenshots", "list_view_disabled");
}

} // namespace
