// The tab control and the page control as windows: a round tab joined to its card pixel by
// pixel, coloured tabs, a region that cannot be made, keys, the tab menu, the close button, hot
// tracking, rotating rows, pages with hidden tabs, descriptions and pictures of each look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "controls/ec_tabs.h"
#include "controls/model/hsl_color.h"
#include "controls/register_control_set.h"
#include "golden_map.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/messages.h"
#include "platform/ui/win/forms.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;

namespace {

constexpr ui::TColor kFace = ui::rgb(200, 200, 200);   // the selected tab and the card
constexpr ui::TColor kBack = ui::rgb(0, 128, 0);       // around the tabs
constexpr ui::TColor kBase = ui::rgb(255, 255, 160);   // unselected tabs
constexpr ui::TColor kLine = ui::rgb(0, 0, 200);       // outlines

// The control as painted through WM_PAINT into a 32-bit memory bitmap.
std::unique_ptr<ui::Bitmap> picture_of(ui::WinControl& c) {
    auto bitmap = std::make_unique<ui::Bitmap>();
    ectest::reset(*bitmap, c.width(), c.height());
    c.perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap->dc()));
    return bitmap;
}

// Exposes the region maker so that a test can make one tab's region fail.
class FailingRegions : public TEcCustomTabControl {
public:
    using TEcCustomTabControl::TEcCustomTabControl;
    int failing = -1;
    int made = 0;

protected:
    std::unique_ptr<TabRegion> make_tab_region(const std::vector<POINT>& points) override {
        // The tab whose shape starts at the failing tab's left edge gets no region.
        if (failing >= 0 && points.front().x == tab_rect(failing).left) return nullptr;
        ++made;
        return TEcCustomTabControl::make_tab_region(points);
    }
};

class EcTabs : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        window_test::errors().clear();
        register_control_set_classes();
        form = std::make_unique<ui::Form>(nullptr);
        form->set_bounds(100, 100, 520, 420);
    }
    void TearDown() override {
        form.reset();
        EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front();
    }
    template <class T = TEcCustomTabControl>
    T* add_tabs(int w, int h) {
        auto* t = new T(form.get());
        t->set_parent(form.get());
        t->set_bounds(4, 4, w, h);
        return t;
    }
    TEcPageControl* add_pages(const std::vector<std::string>& captions, int w = 300, int h = 150) {
        auto* pc = add_tabs<TEcPageControl>(w, h);
        pc->set_tab_style(TEcTabStyle::tsRoundCorners);
        for (const std::string& c : captions) {
            auto* p = new TEcTabSheet(form.get());
            p->set_caption(c);
            p->set_page_control(pc);
        }
        return pc;
    }
    // Plain colours, no gradient, no shadow: every pixel has one meaning.
    static void plain(TEcCustomTabControl& t) {
        t.set_color(kFace);
        t.set_background_color(kBack);
        t.tab_colors().set_unselected(kBase);
        t.set_flat_color(kLine);
        t.set_use_gradients(false);
        t.set_show_shadow(false);
        t.set_hot_track(false);
        t.set_show_focus_rect(false);
    }
    static ectest::Legend legend() {
        return {{'.', ectest::kBackground}, {'f', kFace}, {'g', kBack}, {'y', kBase}, {'b', kLine}};
    }
    std::unique_ptr<ui::Form> form;
};

TEST_F(EcTabs, RoundTabJoinsItsCardPixelByPixel) {
    TEcCustomTabControl* t = add_tabs(22, 16);
    plain(*t);
    t->set_tab_style(TEcTabStyle::tsRoundCorners);
    t->set_tab_width(12);
    t->set_tab_height(8);
    t->add_tab("");
    // Unselected: the tab (2 .. 14 across, 3 .. 11 down) stands on the closed card; its side
    // toward the strip's end is doubled.
    t->set_tab_index(-1);
    const Rows unselected = {
        "gggggggggggggggggggggg",
        "gggggggggggggggggggggg",
        "gggggggggggggggggggggg",
        "ggggbbbbbbbbbggggggggg",
        "gggbyyyyyyyyybgggggggg",
        "ggbyyyyyyyyyybbggggggg",
        "ggbyyyyyyyyyybbggggggg",
        "ggbyyyyyyyyyybbggggggg",
        "ggbyyyyyyyyyybbggggggg",
        "ggbyyyyyyyyyybbggggggg",
        "ggbyyyyyyyyyybbggggggg",
        "bbbbbbbbbbbbbbbbbbbbbb",
        "bffffffffffffffffffffb",
        "bffffffffffffffffffffb",
        "bffffffffffffffffffffb",
        "bbbbbbbbbbbbbbbbbbbbbb",
    };
    auto picture = picture_of(*t);
    EXPECT_TRUE(ectest::matches(*picture, unselected, legend()));
    ectest::save_sheet(*picture, "tab_round_unselected");

    // Selected: two pixels larger at both ends and outward, its base open into the card.
    t->set_tab_index(0);
    const Rows selected = {
        "gggggggggggggggggggggg",
        "ggbbbbbbbbbbbbbggggggg",
        "gbfffffffffffffbgggggg",
        "bffffffffffffffbbggggg",
        "bffffffffffffffbbggggg",
        "bffffffffffffffbbggggg",
        "bffffffffffffffbbggggg",
        "bffffffffffffffbbggggg",
        "bffffffffffffffbbggggg",
        "bffffffffffffffbbggggg",
        "bffffffffffffffbbggggg",
        "bfffffffffffffffbbbbbb",
        "bffffffffffffffffffffb",
        "bffffffffffffffffffffb",
        "bffffffffffffffffffffb",
        "bbbbbbbbbbbbbbbbbbbbbb",
    };
    picture = picture_of(*t);
    EXPECT_TRUE(ectest::matches(*picture, selected, legend()));
    ectest::save_sheet(*picture, "tab_round_selected");
}

TEST_F(EcTabs, WhiteColouredTabGradientStartsFromButtonFace) {
    TEcCustomTabControl* t = add_tabs(200, 60);
    t->set_tab_style(TEcTabStyle::tsRoundCorners);
    t->set_use_colored_tabs(true);
    t->set_tab_width(60);
    t->set_tab_height(20);
    t->add_tab("");
    t->add_tab("");
    t->tabs()[1].color = ui::clWhite;
    t->layout_changed();
    t->set_tab_index(0);
    auto picture = picture_of(*t);
    const ui::Rect r = t->tab_rect(1);
    // The gradient runs from the shade at the top toward the tab's white at the card.
    const std::uint32_t top = picture->pixel((r.left + r.right) / 2, r.top + 2);
    const std::uint32_t low = picture->pixel((r.left + r.right) / 2, r.bottom - 1);
    // The first rows lie within a step of the face, far from white darkened by 30.
    const int face = static_cast<int>(ui::color_to_rgb(ui::clBtnFace) & 0xFF);
    EXPECT_LE(std::abs(static_cast<int>(top & 0xFF) - face), 2) << top;
    EXPECT_GT(static_cast<int>(top & 0xFF), static_cast<int>(ui::color_to_rgb(darken_color(ui::clWhite, 30)) & 0xFF) + 4);
    EXPECT_GT(low & 0xFF, top & 0xFF);
    EXPECT_GE(low & 0xFF, 0xF0u);
    ectest::save_sheet(*picture, "tab_white_gradient");
}

TEST_F(EcTabs, RegionThatCannotBeMadeStopsThePaintWithAnError) {
    auto* t = add_tabs<FailingRegions>(200, 60);
    plain(*t);
    t->add_tab("one");
    t->add_tab("two");
    t->set_tab_index(0);
    t->failing = 1;
    t->handle_needed();
    auto picture = picture_of(*t);
    ASSERT_FALSE(window_test::errors().empty());
    EXPECT_NE(window_test::errors().front().find("Error creating region"), std::string::npos) << window_test::errors().front();
    window_test::errors().clear();
    const ui::Rect r = t->tab_rect(1);
    EXPECT_EQ(picture->pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2), ui::color_to_rgb(ectest::kBackground));

    t->set_region_cache_capacity(-1);
    EXPECT_THROW(t->set_region_cache_capacity(0), EEcTabControlError);
    t->failing = -1;
    picture = picture_of(*t);
    EXPECT_TRUE(window_test::errors().empty());
    EXPECT_EQ(t->region_cache().count(), 2u);  // every tab's region kept
    const int made = t->made;
    picture_of(*t);
    EXPECT_EQ(t->made, made);  // an unchanged tab makes no new region
}

TEST_F(EcTabs, KeysSkipHiddenAndDisabledTabsAndTheMenuListsVisibleOnes) {
    TEcCustomTabControl* t = add_tabs(400, 60);
    for (const char* c : {"a", "b", "c", "d", "e"}) t->add_tab(c);
    t->tabs()[1].visible = false;
    t->tabs()[3].enabled = false;
    t->tabs()[4].visible = false;
    t->layout_changed();
    t->set_tab_index(0);
    int clicks = 0;
    t->on_tab_click = [&](ui::Component*) { ++clicks; };
    form->show();
    HWND h = t->handle();
    struct Step {
        WORD key;
        int expected;
    };
    for (const Step s : {Step{VK_RIGHT, 2}, Step{VK_RIGHT, 0}, Step{VK_LEFT, 2}, Step{VK_END, 2}, Step{VK_HOME, 0},
                         Step{VK_DOWN, 2}, Step{VK_UP, 0}}) {
        window_test::press_key(h, s.key);
        EXPECT_EQ(t->tab_index(), s.expected) << s.key;
    }
    EXPECT_EQ(clicks, 6);  // Home on the first tab changes nothing
    t->set_tab_index(t->tab_count());  // the count itself is no tab
    EXPECT_EQ(t->tab_index(), -1);

    t->set_show_menu_button(true);
    t->set_tab_index(2);
    t->menu_button()->build_menu();
    ui::MenuItem* items = t->menu_button()->menu().items();
    ASSERT_EQ(items->count(), 3);
    EXPECT_EQ(items->item(0)->caption(), "a");
    EXPECT_EQ(items->item(1)->caption(), "c");
    EXPECT_TRUE(items->item(1)->checked());
    EXPECT_FALSE(items->item(2)->enabled());
    items->item(0)->click();
    EXPECT_EQ(t->tab_index(), 0);
}

TEST_F(EcTabs, CloseButtonClosesOnlyWhenOnCloseAllows) {
    TEcPageControl* pc = add_pages({"one", "two", "three"});
    pc->set_show_close_button(true);
    form->show();
    pc->set_active_page(pc->page(1));
    pc->ensure_layout();
    HWND close = pc->close_button()->handle();
    window_test::click_at(close, 3, 3);
    EXPECT_EQ(pc->page_count(), 3);  // no OnClose: nothing closes

    pc->on_close = [](ui::Component*, bool& allow) { allow = true; };
    window_test::click_at(close, 3, 3);
    ASSERT_EQ(pc->page_count(), 2);
    EXPECT_EQ(pc->active_page()->caption(), "one");  // the tab before the closed one
}

TEST_F(EcTabs, HotTabClearsWhenTheMouseLeaves) {
    TEcCustomTabControl* t = add_tabs(300, 60);
    t->add_tab("one");
    t->add_tab("two");
    form->show();
    t->ensure_layout();
    const ui::Rect r = t->tab_rect(1);
    const POINT over{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    const POINT screen = t->client_to_screen(over);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(t->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(t->hot_tab(), 1);
    EXPECT_TRUE(t->hover_timer_running());
    SetCursorPos(5, 5);  // outside the form
    EXPECT_TRUE(window_test::pump_until([&] { return t->hot_tab() == -1; }, 3000));
    EXPECT_FALSE(t->hover_timer_running());
}

TEST_F(EcTabs, NinePageMultiLineControlRotatesItsRows) {
    TEcPageControl* pc = add_pages({"General", "Recording", "Devices", "Storage", "Network", "Query", "Users",
                                    "Display", "Advanced"},
                                   300, 200);
    pc->set_multi_line(true);
    pc->set_row_overlap(1);
    pc->set_fixed_dimension(19);
    form->show();
    pc->set_active_page(pc->page(0));
    pc->ensure_layout();
    ASSERT_GE(pc->row_count(), 2);
    EXPECT_EQ(pc->tab_layout().tabs[0].row, 0);
    const int last = 8;
    const int back_row = pc->tab_layout().tabs[last].row;
    ASSERT_GT(back_row, 0);
    pc->set_active_page(pc->page(last));
    EXPECT_EQ(pc->tab_layout().tabs[last].row, 0);
    EXPECT_NE(pc->tab_layout().tabs[0].row, 0);
    EXPECT_EQ(pc->tab_index(), last);
    window_test::save_screenshot(form->handle(), "controls_screenshots", "tabs_nine_pages");
}

TEST_F(EcTabs, HiddenTabsSwitchPagesThroughActivePage) {
    TEcPageControl* pc = add_pages({"state", "query"});
    pc->page(0)->set_tab_visible(false);
    pc->page(1)->set_tab_visible(false);
    int page_changes = 0, shows = 0, hides = 0;
    pc->on_page_change = [&](ui::Component*) { ++page_changes; };
    pc->page(1)->on_show = [&](ui::Component*) { ++shows; };
    pc->page(1)->on_hide = [&](ui::Component*) { ++hides; };
    form->show();
    pc->set_active_page(pc->page(0));
    EXPECT_EQ(page_changes, 1);
    EXPECT_EQ(pc->tab_index(), -1);
    pc->set_active_page(pc->page(1));
    EXPECT_EQ(page_changes, 2);
    EXPECT_EQ(pc->tab_index(), -1);
    EXPECT_TRUE(pc->page(1)->visible());
    EXPECT_FALSE(pc->page(0)->visible());
    EXPECT_EQ(shows, 1);
    pc->set_active_page(pc->page(0));
    EXPECT_EQ(page_changes, 3);
    EXPECT_EQ(hides, 1);
    EXPECT_TRUE(pc->tab_layout().tabs.empty());
    window_test::save_screenshot(form->handle(), "controls_screenshots", "tabs_hidden_switcher");
}

TEST_F(EcTabs, PagesTabIndexesAndTheActivePagesHiddenTab) {
    TEcPageControl* pc = add_pages({"A", "B", "C"});
    pc->page(0)->set_tab_visible(false);
    EXPECT_EQ(pc->page(2)->visible_tab_index(), 1);
    EXPECT_EQ(pc->page(0)->visible_tab_index(), -1);
    form->show();
    pc->set_active_page(pc->page(1));
    EXPECT_EQ(pc->tab_index(), 0);
    pc->page(1)->set_tab_visible(false);  // hidden tab, page still active and shown
    EXPECT_EQ(pc->tab_index(), -1);
    EXPECT_EQ(pc->active_page(), pc->page(1));
    EXPECT_TRUE(pc->page(1)->visible());

    // Another control's page is ignored; indexes out of range.
    TEcPageControl* other = add_pages({"X"});
    pc->set_active_page(other->page(0));
    EXPECT_EQ(pc->active_page(), pc->page(1));
    pc->set_active_page_index(7);
    EXPECT_EQ(pc->tab_index(), -1);
    try {
        pc->page(2)->set_page_index(3);
        ADD_FAILURE() << "no error";
    } catch (const EEcTabControlError& e) {
        EXPECT_STREQ(e.what(), "3 is an invalid PageIndex value. PageIndex must be between 0 and 2");
    }
    int old_index = -1, new_index = -1;
    pc->on_tab_order_change = [&](ui::Component*, int o, int n) { old_index = o, new_index = n; };
    pc->page(2)->set_page_index(0);
    EXPECT_EQ(old_index, 2);
    EXPECT_EQ(new_index, 0);
    EXPECT_EQ(pc->page(0)->caption(), "C");
    EXPECT_THROW(ui::set_property_text(*pc->page(0), "Visible", "False"), std::exception);
}

TEST_F(EcTabs, DraggedTabMovesItsPage) {
    TEcPageControl* pc = add_pages({"A", "B", "C"});
    pc->set_allow_tab_dragging(true);
    form->show();
    pc->set_active_page(pc->page(0));
    pc->ensure_layout();
    int old_index = -1, new_index = -1;
    pc->on_tab_order_change = [&](ui::Component*, int o, int n) { old_index = o, new_index = n; };
    auto centre = [&](int tab) {
        const ui::Rect r = pc->tab_rect(tab);
        return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2 + 2);
    };
    HWND h = pc->handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, centre(0));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, centre(1));
    EXPECT_TRUE(pc->dragging_tab());
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pc->width() - 10, pc->height() - 10));  // over no tab
    EXPECT_TRUE(pc->drag_scroll_timer().enabled());
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, centre(2));
    EXPECT_FALSE(pc->drag_scroll_timer().enabled());
    SendMessageW(h, WM_LBUTTONUP, 0, centre(2));
    EXPECT_FALSE(pc->dragging_tab());
    EXPECT_EQ(old_index, 0);
    EXPECT_EQ(new_index, 2);
    EXPECT_EQ(pc->page(2)->caption(), "A");
    EXPECT_EQ(pc->active_page()->caption(), "A");

    // Dropped on the selected tab itself: nothing moves.
    old_index = -1;
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, centre(2));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, centre(2));
    SendMessageW(h, WM_LBUTTONUP, 0, centre(2));
    EXPECT_EQ(old_index, -1);
}

TEST_F(EcTabs, PageColourTurnsColouredTabsOn) {
    TEcPageControl* pc = add_pages({"A", "B"});
    EXPECT_FALSE(pc->use_colored_tabs());
    pc->page(1)->set_sheet_color(pc->color());
    EXPECT_FALSE(pc->use_colored_tabs());
    pc->page(1)->set_sheet_color(ui::clYellow);
    EXPECT_TRUE(pc->use_colored_tabs());
    EXPECT_EQ(pc->tab_layout().tabs[1].color, ui::clYellow);
    form->show();
    pc->set_active_page(pc->page(0));
    window_test::save_screenshot(form->handle(), "controls_screenshots", "tabs_coloured");
}

TEST_F(EcTabs, CtrlTabWrapsOverVisibleTabs) {
    TEcPageControl* pc = add_pages({"A", "B", "C", "D"});
    pc->page(2)->set_tab_visible(false);
    auto* edit = new TEcTabSheet(form.get());  // any focusable child inside the first page
    edit->set_tab_stop(true);
    edit->set_parent(pc->page(0));
    form->show();
    pc->set_active_page(pc->page(0));
    form->set_active_control(edit);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    auto ctrl_tab = [&](bool shift) {
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        form->perform(ui::CM_DIALOGKEY, VK_TAB, 0);
        if (form->active_control() == nullptr || !pc->contains_control(form->active_control())) form->set_active_control(pc);
        return pc->active_page()->caption();
    };
    EXPECT_EQ(ctrl_tab(false), "B");
    EXPECT_EQ(ctrl_tab(false), "D");  // C has no tab
    EXPECT_EQ(ctrl_tab(false), "A");
    EXPECT_EQ(ctrl_tab(true), "D");
    keys[VK_CONTROL] = 0;
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

TEST_F(EcTabs, SettingsPageControlRoundTripsAndActivePageDefaultWins) {
    form->set_name("F");
    TEcPageControl* pc = add_pages({"General", "Recording", "Devices", "Storage", "Network", "Query", "Users",
                                    "Display", "Advanced"},
                                   360, 240);
    pc->set_name("pcSettings");
    pc->font().set_height(-11);  // the dialog's font: rows 19 high
    for (int i = 0; i < pc->page_count(); ++i) pc->page(i)->set_name("ts" + std::to_string(i));
    pc->set_multi_line(true);
    pc->set_row_overlap(1);
    pc->set_fixed_dimension(19);
    pc->set_active_page(pc->page(2));
    pc->set_active_page_default(pc->page(0));
    const std::string text = ui::write_description(*form);
    EXPECT_NE(text.find("FixedDimension = 19"), std::string::npos) << text;
    EXPECT_NE(text.find("RowOverlap = 1"), std::string::npos);
    EXPECT_NE(text.find("MultiLine = True"), std::string::npos);
    EXPECT_NE(text.find("TabStyle = tsRoundCorners"), std::string::npos);
    EXPECT_EQ(text.find("Visible", text.find("object pcSettings")), std::string::npos) << text;
    EXPECT_EQ(text.find("PageIndex"), std::string::npos);
    EXPECT_EQ(text.find("TabVisible"), std::string::npos);  // only values off their default
    EXPECT_LT(text.find("object ts0"), text.find("object ts8"));

    ui::Form copy(nullptr);
    int events = 0;
    ui::read_description(copy, text);
    auto* read = dynamic_cast<TEcPageControl*>(copy.find_component("pcSettings"));
    ASSERT_NE(read, nullptr);
    read->on_page_change = [&](ui::Component*) { ++events; };
    ASSERT_EQ(read->page_count(), 9);
    EXPECT_EQ(read->page(8)->caption(), "Advanced");
    EXPECT_EQ(read->active_page(), read->page(0));  // the default wins over the stored page
    EXPECT_EQ(read->tab_index(), 0);
    EXPECT_TRUE(read->page(0)->visible());
    EXPECT_FALSE(read->page(2)->visible());
    EXPECT_EQ(events, 0);
    // Read back, the page control writes what it read.
    const std::string again = ui::write_description(copy);
    EXPECT_NE(again.find("ActivePage = ts0"), std::string::npos);
    ui::Form third(nullptr);
    ui::read_description(third, again);
    EXPECT_EQ(ui::write_description(third), again);
}

// Pictures of every style on every side, three rows, the scroller with both buttons.
TEST_F(EcTabs, Sheets) {
    const TEcTabStyle styles[] = {TEcTabStyle::tsSingleSlant, TEcTabStyle::tsDoubleSlant, TEcTabStyle::tsCutCorner,
                                  TEcTabStyle::tsRoundCorners, TEcTabStyle::tsBackSlant};
    const TEcTabOrientation sides[] = {TEcTabOrientation::toTop, TEcTabOrientation::toLeft, TEcTabOrientation::toBottom,
                                       TEcTabOrientation::toRight};
    for (TEcTabStyle style : styles) {
        ui::Bitmap sheet(4 * 190, 130);
        sheet.canvas().brush().color = ui::clWhite;
        sheet.canvas().fill_rect({0, 0, sheet.width(), sheet.height()});
        for (int k = 0; k < 4; ++k) {
            TEcCustomTabControl* t = add_tabs(180, 120);
            t->set_tab_style(style);
            t->set_tab_orientation(sides[k]);
            if (sides[k] == TEcTabOrientation::toLeft || sides[k] == TEcTabOrientation::toRight)
                t->set_text_orientation(TOrientation::orVertical);
            for (const char* c : {"&One", "Two", "Three"}) t->add_tab(c);
            t->set_tab_index(1);
            auto picture = picture_of(*t);
            BitBlt(sheet.dc(), k * 190 + 5, 5, 180, 120, picture->dc(), 0, 0, SRCCOPY);
            delete t;
        }
        ectest::save_sheet(sheet, "tabs_style_" + std::to_string(static_cast<int>(style)));
    }

    TEcCustomTabControl* rows = add_tabs(220, 140);
    rows->set_tab_style(TEcTabStyle::tsRoundCorners);
    rows->set_multi_line(true);
    for (const char* c : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta", "Eta", "Theta", "Iota", "Kappa", "Lambda"})
        rows->add_tab(c);
    rows->set_tab_index(2);
    rows->ensure_layout();
    EXPECT_EQ(rows->row_count(), 3);
    ectest::save_sheet(*picture_of(*rows), "tabs_three_rows");
    delete rows;

    TEcCustomTabControl* scrolled = add_tabs(260, 80);
    scrolled->set_show_close_button(true);
    scrolled->set_show_menu_button(true);
    for (const char* c : {"January", "February", "March", "April", "May", "June", "July"}) scrolled->add_tab(c);
    scrolled->set_tab_index(0);
    form->show();
    scrolled->ensure_layout();
    EXPECT_TRUE(scrolled->scrolling_needed());
    ASSERT_NE(scrolled->scroller(), nullptr);
    EXPECT_GT(scrolled->scroller()->width(), 1);
    const int first = scrolled->first_shown_tab();
    scrolled->scroll_tabs(true);
    EXPECT_EQ(scrolled->first_shown_tab(), first + 1);
    window_test::save_screenshot(form->handle(), "controls_screenshots", "tabs_scroller");
}

} // namespace
