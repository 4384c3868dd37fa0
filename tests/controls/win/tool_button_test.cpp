// Tool buttons on a real form, driven by mouse messages: latching groups, the split and the
// whole-button drop-down with a menu chosen by a test track function, the re-open guard on a
// test clock (across the tick wrap), following the tool bar's size, the disabled image; the
// classic and gradient faces pixel by pixel, and a sheet of looks and states.
#include <gtest/gtest.h>

#include "controls/ec_button.h"
#include "controls/ec_common.h"
#include "controls/ec_grafx.h"
#include "controls/ec_panel.h"
#include "platform/ui/win/actions.h"
#include "golden_map.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;

namespace {

// Records the mouse moves that reach it.
class MoveRecorder : public ui::GraphicControl {
public:
    using GraphicControl::GraphicControl;
    int moves = 0;
    void wnd_proc(ui::Message& m) override {
        if (m.msg == WM_MOUSEMOVE) ++moves;
        GraphicControl::wnd_proc(m);
    }
};

// Three 16 x 16 images in pure red, green and blue.
void fill_images(ui::ImageList& list) {
    const ui::TColor colours[] = {ui::clRed, ui::clLime, ui::clBlue};
    for (ui::TColor c : colours) {
        ui::Bitmap b(16, 16);
        b.canvas().brush().color = c;
        b.canvas().fill_rect({0, 0, 16, 16});
        list.add(b);
    }
}

class EcToolButtonForm : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        window_test::errors().clear();
        form = std::make_unique<ui::Form>(nullptr);
        form->set_bounds(100, 100, 420, 220);
    }
    void TearDown() override {
        ui::PopupMenu::set_track_function(nullptr);
        TEcToolButton::set_tick_source(nullptr);
        form.reset();
        EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front();
    }
    TEcToolButton* add(int left, int top, ui::WinControl* parent = nullptr) {
        auto* b = new TEcToolButton(form.get());
        b->set_parent(parent ? parent : form.get());
        b->set_bounds(left, top, 25, 25);
        return b;
    }
    void show() {
        form->show();
        window_test::pump_until([&] { return IsWindowVisible(form->handle()) != FALSE; }, 500);
    }
    // A press and a release at a client point of the form.
    void click(int x, int y) {
        SendMessageW(form->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(form->handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    ui::PopupMenu* menu_with(const char* caption, int& chosen) {
        auto* menu = new ui::PopupMenu(form.get());
        auto* item = new ui::MenuItem(menu);
        item->set_caption(caption);
        item->on_click = [&chosen](ui::Component*) { ++chosen; };
        menu->items()->add(item);
        return menu;
    }
    std::unique_ptr<ui::Form> form;
};

TEST_F(EcToolButtonForm, GroupedButtonsLatchOneAtATime) {
    TEcToolButton* a = add(10, 10);
    TEcToolButton* b = add(40, 10);
    a->set_group_index(1);
    b->set_group_index(1);
    int clicks = 0;
    b->on_click = [&](ui::Component*) { ++clicks; };
    show();
    click(20, 20);
    EXPECT_TRUE(a->down());
    EXPECT_EQ(a->state(), ToolButtonState::Down);
    click(50, 20);
    EXPECT_TRUE(b->down());
    EXPECT_FALSE(a->down()) << "pressing the second raises the first";
    EXPECT_EQ(clicks, 1);
    click(50, 20);
    EXPECT_TRUE(b->down()) << "without AllowAllUp the down button stays down";
    EXPECT_EQ(clicks, 1) << "and gives no click";

    b->set_allow_all_up(true);
    EXPECT_TRUE(a->allow_all_up()) << "the group takes the sender's AllowAllUp";
    click(50, 20);
    EXPECT_FALSE(b->down());
    EXPECT_EQ(clicks, 2);

    int enters = 0;
    a->on_mouse_enter = [&](ui::Component*) { ++enters; };
    a->perform(ui::CM_MOUSEENTER);
    a->perform(ui::CM_MOUSEENTER);
    EXPECT_EQ(enters, 1) << "entering twice is one enter";

    TEcToolButton* loose = add(80, 10);
    loose->set_down(true);
    EXPECT_FALSE(loose->down()) << "outside a group Down stays False";
}

TEST_F(EcToolButtonForm, SplitAndWholeButtonDropDowns) {
    int chosen = 0, clicks = 0, dropped = 0, whole_chosen = 0;
    TEcToolButton* split = add(10, 10);
    split->set_tool_style(TEcToolStyle::tsDropDown);
    EXPECT_EQ(split->width(), 39) << "the drop-down part widens the button";
    split->set_drop_down_menu(menu_with("Today", chosen));
    split->on_click = [&](ui::Component*) { ++clicks; };
    split->on_drop_down = [&](ui::Component* sender) {
        EXPECT_EQ(sender, split->drop_down_menu());
        ++dropped;
    };
    TEcToolButton* whole = add(60, 10);
    whole->set_tool_style(TEcToolStyle::tsDropDown);
    whole->set_drop_down_menu(menu_with("This week", whole_chosen));
    auto* under = new MoveRecorder(form.get());
    under->set_parent(form.get());
    under->set_bounds(10, 60, 100, 40);

    // The menu loop takes the mouse and eats the release, as the system's does.
    ui::Form menu_window(nullptr);
    menu_window.handle_needed();
    int tracked = 0;
    ui::PopupMenu::set_track_function([&](HMENU menu, UINT, int, int, HWND) -> UINT {
        ++tracked;
        SetCapture(menu_window.handle());
        ReleaseCapture();
        return GetMenuItemID(menu, 0);
    });
    show();

    SendMessageW(form->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10 + 39 - 5, 20));  // the arrow part
    EXPECT_EQ(tracked, 1);
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(clicks, 0) << "a drop-down is no click";
    SendMessageW(form->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 80));
    EXPECT_EQ(under->moves, 1) << "the mouse is not the button's any more";

    TEcToolButton::set_tick_source([] { return 5000u; });
    click(15, 20);  // the main part of a split button clicks; 0 ms after: still a click
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(tracked, 1);

    click(65, 20);  // anywhere on a button without a click of its own
    EXPECT_EQ(whole_chosen, 1);
    EXPECT_EQ(tracked, 2);

    whole->set_drop_down_menu(nullptr);
    TEcToolButton::set_tick_source([] { return 9000u; });
    click(65, 20);
    EXPECT_EQ(tracked, 2) << "no menu, nothing opens";
}

TEST_F(EcToolButtonForm, RightToLeftTheArrowPartLeads) {
    int chosen = 0, clicks = 0, tracked = 0;
    TEcToolButton* b = add(10, 10);
    b->set_bidi_mode(ui::TBiDiMode::bdRightToLeft);
    b->set_tool_style(TEcToolStyle::tsDropDown);
    b->set_drop_down_menu(menu_with("Range", chosen));
    b->on_click = [&](ui::Component*) { ++clicks; };
    ui::PopupMenu::set_track_function([&](HMENU, UINT, int, int, HWND) -> UINT {
        ++tracked;
        return 0;
    });
    show();
    click(10 + 35, 20);  // the trailing side is the button's own
    EXPECT_EQ(tracked, 0);
    EXPECT_EQ(clicks, 1);
    click(10 + 5, 20);  // the leading 14 pixels open the menu
    EXPECT_EQ(tracked, 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(EcToolButtonForm, ReopenGuardOnATestClockAlsoAcrossTheWrap) {
    int chosen = 0;
    std::uint32_t now = 1000;
    TEcToolButton::set_tick_source([&] { return now; });
    TEcToolButton* b = add(10, 10);
    b->set_tool_style(TEcToolStyle::tsDropDown);
    b->set_drop_down_menu(menu_with("Range", chosen));
    int tracked = 0;
    ui::PopupMenu::set_track_function([&](HMENU, UINT, int, int, HWND) -> UINT {
        ++tracked;
        return 0;
    });
    show();
    struct Step {
        std::uint32_t at;
        int tracked;
        const char* what;
    };
    const Step steps[] = {
        {1000, 1, "first press opens"},
        {1099, 1, "99 ms after: the press only ends the drop-down"},
        {1150, 2, "the next press opens again"},
        {1400, 3, "long after: opens"},
        {0xFFFFFFF0u, 4, "just before the wrap: opens"},
        {0x00000010u, 4, "32 ms later, after the wrap: guarded"},
        {0x00000100u, 5, "then opens again"},
    };
    for (const Step& s : steps) {
        now = s.at;
        click(20, 20);
        EXPECT_EQ(tracked, s.tracked) << s.what;
    }
}

TEST_F(EcToolButtonForm, FollowsTheBarUntilItsWidthIsSet) {
    auto* bar = new TEcToolbar(form.get());
    bar->set_parent(form.get());
    bar->set_button_width(60);
    bar->set_button_height(40);
    auto* b = new TEcToolButton(form.get());
    b->set_parent(bar);
    EXPECT_EQ(b->width(), 60);
    EXPECT_EQ(b->height(), 40);
    EXPECT_FALSE(b->stores_size());
    bar->set_button_width(50);
    EXPECT_EQ(b->width(), 50);

    b->set_caption("A much longer caption");
    bar->set_show_button_captions(true);
    bar->set_button_layout(TButtonLayout::blGlyphTop);
    EXPECT_TRUE(b->show_caption());
    EXPECT_EQ(b->layout(), TButtonLayout::blGlyphTop);
    EXPECT_GT(b->width(), 50) << "widened to its caption";

    b->set_width(40);
    EXPECT_FALSE(b->use_toolbar_button_size());
    bar->set_button_width(70);
    EXPECT_EQ(b->width(), 40) << "set by code: the bar's size no longer applies";
    EXPECT_TRUE(b->stores_size());
    b->set_use_toolbar_button_size(true);
    EXPECT_GE(b->width(), 70) << "following again at once";
}

TEST_F(EcToolButtonForm, ActionSuppliesDownAndImageIndex) {
    ui::Action action(form.get());
    action.set_checked(true);
    action.set_image_index(2);
    TEcToolButton* b = add(0, 0);
    b->set_group_index(3);
    b->set_action(&action);
    EXPECT_TRUE(b->down());
    EXPECT_EQ(b->image_index(), 2);
    TEcToolButtonActionLink link(*b);
    EXPECT_TRUE(link.is_checked_linked());
    EXPECT_TRUE(link.is_image_index_linked());
    link.set_image_index(1);
    EXPECT_EQ(b->image_index(), 1);

    ui::Action other(form.get());
    b->assign_to_action(other);
    EXPECT_TRUE(other.checked());
    EXPECT_EQ(other.image_index(), 1);
}

TEST_F(EcToolButtonForm, DisabledImageChosen) {
    ui::ImageList images(form.get());
    fill_images(images);
    TEcToolButton* b = add(0, 0);
    b->set_images(&images);
    b->set_image_index(0);
    b->set_enabled(false);
    ui::Bitmap bitmap;
    const auto centre = [&] {
        ectest::reset(bitmap, 25, 25);
        b->paint_to(bitmap.dc());
        GdiFlush();
        return static_cast<ui::TColor>(bitmap.pixel(12, 12));
    };
    EXPECT_NE(centre(), ui::color_to_rgb(ui::clRed)) << "ImageIndex greyed";
    b->set_disabled_index(2);
    EXPECT_EQ(centre(), ui::color_to_rgb(ui::clBlue)) << "DisabledIndex drawn as it is";
    b->set_enabled(true);
    EXPECT_EQ(centre(), ui::color_to_rgb(ui::clRed));
    b->set_image_index(7);
    EXPECT_EQ(centre(), ui::color_to_rgb(ectest::kBackground)) << "outside the list: no glyph";
}

// Faces of an 8 x 6 button without a glyph, transparent over the background.
class EcToolButtonFaces : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        legend = ectest::system_legend();
        legend['c'] = ui::clBtnFace;
        legend['h'] = ui::clBtnHighlight;
    }
    void paint(TEcToolButton& b) {
        b.set_bounds(0, 0, 8, 6);
        ectest::reset(bitmap, 8, 6);
        b.paint_to(bitmap.dc());
    }
    ectest::Legend legend;
    ui::Bitmap bitmap;
};

TEST_F(EcToolButtonFaces, ClassicNormalHotAndDown) {
    TEcToolButton b(nullptr);
    b.set_visual_style(TEcVisualStyle::vsClassic);
    b.set_flat(false);
    paint(b);
    const Rows up{"HHHHHHHD", "HLLLLLSD", "HL....SD", "HL....SD", "HSSSSSSD", "DDDDDDDD"};
    EXPECT_TRUE(ectest::matches(bitmap, up, legend)) << "normal";
    b.perform(ui::CM_MOUSEENTER);
    paint(b);
    EXPECT_TRUE(ectest::matches(bitmap, up, legend)) << "hot: the classic look does not track";
    b.perform(ui::CM_MOUSELEAVE);
    b.set_group_index(1);
    b.set_down(true);
    paint(b);
    EXPECT_TRUE(ectest::matches(bitmap, {"SSSSSSSH", "SDDDDDLH", "SDchchLH", "SDhchcLH", "SLLLLLLH", "HHHHHHHH"}, legend))
        << "down: lowered, with the checker";
}

TEST_F(EcToolButtonFaces, GradientNormalHotAndDown) {
    TEcToolButton b(nullptr);
    b.set_visual_style(TEcVisualStyle::vsGradient);
    b.set_gradient_color_style(TEcGradientColorStyle::gcsCustom);
    b.set_selection_color_start(ui::clWhite);
    b.set_selection_color_stop(ui::clGray);
    b.set_selection_frame_color(ui::clNavy);
    legend['N'] = ui::clNavy;
    const auto rows_of = [&](ui::TColor start, ui::TColor stop, char first) {
        ui::Bitmap reference(6, 4);
        paint_gradient_fill(reference.canvas(), {0, 0, 6, 4}, TGradientDirection::gdHorizontalEnd, start, stop, 1);
        GdiFlush();
        Rows rows{"NNNNNNNN"};
        for (int y = 0; y < 4; ++y) {
            const char letter = static_cast<char>(first + y);
            legend[letter] = static_cast<ui::TColor>(reference.pixel(0, y));
            rows.push_back("N" + std::string(6, letter) + "N");
        }
        rows.push_back("NNNNNNNN");
        return rows;
    };
    paint(b);
    EXPECT_TRUE(ectest::matches(bitmap, Rows(6, "........"), legend)) << "normal: nothing over the background";
    b.perform(ui::CM_MOUSEENTER);
    paint(b);
    EXPECT_TRUE(ectest::matches(bitmap, rows_of(ui::clWhite, ui::clGray, '0'), legend)) << "hot: frame and gradient";
    b.perform(ui::CM_MOUSELEAVE);
    b.set_group_index(1);
    b.set_down(true);
    paint(b);
    EXPECT_TRUE(ectest::matches(bitmap, rows_of(darken_color(ui::clGray, 40), ui::clWhite, '4'), legend))
        << "down, not hovered: the darkened stop to the start";
    b.perform(ui::CM_MOUSEENTER);
    paint(b);
    EXPECT_TRUE(ectest::matches(bitmap, rows_of(ui::clGray, ui::clWhite, '8'), legend)) << "down and hovered: swapped";
}

// Every look in each state, for a person to look at.
TEST_F(EcToolButtonForm, ScreenshotOfLooksAndStates) {
    form->set_bounds(50, 50, 560, 260);
    ui::ImageList images(form.get());
    fill_images(images);
    const char* states[] = {"normal", "hot", "down", "disabled", "dropped"};
    const TEcVisualStyle looks[] = {TEcVisualStyle::vsClassic, TEcVisualStyle::vsWinXP, TEcVisualStyle::vsGradient,
                                    TEcVisualStyle::vsWinXP};
    int chosen = 0;
    ui::PopupMenu* menu = menu_with("Item", chosen);
    for (int look = 0; look < 4; ++look) {
        for (int s = 0; s < 5; ++s) {
            TEcToolButton* b = add(10 + s * 105, 10 + look * 55);
            b->set_visual_style(looks[look]);
            b->set_flat(look != 0 && look != 3);
            b->set_images(&images);
            b->set_image_index(look % 3);
            b->set_caption(states[s]);
            b->set_show_caption(true);
            b->set_layout(look == 1 ? TButtonLayout::blGlyphTop : TButtonLayout::blGlyphLeft);
            b->set_bounds(b->left(), b->top(), 95, 45);
            if (s == 1) b->perform(ui::CM_MOUSEENTER);
            if (s == 2) {
                b->set_group_index(look + 1);
                b->set_down(true);
            }
            if (s == 3) b->set_enabled(false);
            if (s == 4) {
                b->set_tool_style(TEcToolStyle::tsDropDown);
                b->set_drop_down_menu(menu);
            }
        }
    }
    // The dropped state is drawn while the menu is open.
    std::vector<std::string> saved;
    ui::PopupMenu::set_track_function([&](HMENU, UINT, int, int, HWND) -> UINT {
        saved.push_back(window_test::save_screenshot(form->handle(), "controls_screenshots", "tool_buttons")
                            ? "ok"
                            : "failed");
        return 0;
    });
    show();
    SendMessageW(form->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10 + 4 * 105 + 90, 10 + 2 * 55 + 20));
    EXPECT_EQ(saved, (std::vector<std::string>{"ok"}));
}

} // namespace
