// The control set's spin buttons and spin edit under Wine.
#include <gtest/gtest.h>

#include <memory>

#include "controls/ec_spn_edt.h"
#include "controls/register_control_set.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/themes.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;

namespace {

class EcSpinButtons : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        window_test::errors().clear();
        register_control_set_classes();
        form = std::make_unique<ui::Form>(nullptr);
        form->set_bounds(100, 100, 300, 200);
        spin = new TEcSpinButtons(form.get());
        spin->set_parent(form.get());
        spin->set_bounds(10, 10, 16, 25);
        spin->on_up_right_click = [this](ui::Component*) { ++ups; };
        spin->on_down_left_click = [this](ui::Component*) { ++downs; };
    }
    void TearDown() override {
        form.reset();
        EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front();
    }
    std::unique_ptr<ui::Form> form;
    TEcSpinButtons* spin = nullptr;
    int ups = 0, downs = 0;
};

TEST_F(EcSpinButtons, LayoutArrowsAndOrientation) {
    EXPECT_EQ(spin->up_right_button().bounds_rect(), (ui::Rect{0, 0, 16, 12}));
    EXPECT_EQ(spin->down_left_button().bounds_rect(), (ui::Rect{0, 12, 16, 25}));
    EXPECT_EQ(spin->up_right_button().style(), TEcControlButtonStyle::cbsUp);
    EXPECT_EQ(spin->down_left_button().style(), TEcControlButtonStyle::cbsDown);
    EXPECT_EQ(spin->up_right_button().initial_delay(), 400);
    EXPECT_EQ(spin->up_right_button().delay(), 100);
    EXPECT_TRUE(spin->up_right_button().repeat_clicks());

    spin->set_orientation(TOrientation::orHorizontal);
    EXPECT_EQ(spin->width(), 32);
    EXPECT_EQ(spin->down_left_button().bounds_rect(), (ui::Rect{0, 0, 16, 25}));
    EXPECT_EQ(spin->up_right_button().bounds_rect(), (ui::Rect{16, 0, 32, 25}));
    spin->set_direction(TSpinDirection::sdLeftRight);
    EXPECT_EQ(spin->up_right_button().style(), TEcControlButtonStyle::cbsRight);
    EXPECT_EQ(spin->down_left_button().style(), TEcControlButtonStyle::cbsLeft);

    // A glyph replaces the arrow; a new direction brings the arrow back.
    ui::Bitmap glyph(16, 8);
    spin->set_glyph_up_right(glyph);
    EXPECT_TRUE(spin->custom_glyph_up_right());
    EXPECT_EQ(spin->up_right_button().style(), TEcControlButtonStyle::cbsNone);
    spin->set_direction(TSpinDirection::sdUpDown);
    EXPECT_FALSE(spin->custom_glyph_up_right());
    EXPECT_TRUE(spin->glyph_up_right().empty());
    EXPECT_EQ(spin->up_right_button().style(), TEcControlButtonStyle::cbsUp);
    spin->set_orientation(TOrientation::orVertical);
    EXPECT_EQ(spin->width(), 16);
}

TEST_F(EcSpinButtons, ClicksRepeatsAndKeys) {
    form->show();
    ASSERT_TRUE(window_test::pump_until([&] { return IsWindowVisible(form->handle()) != FALSE; }, 5000));
    const HWND h = spin->handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
    EXPECT_EQ(ups, 1);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 20));
    TEcControlButton& down = spin->down_left_button();
    ASSERT_NE(down.repeat_timer(), nullptr);
    EXPECT_EQ(down.repeat_timer()->interval(), 400u);
    down.repeat_timer()->fire();
    EXPECT_EQ(down.repeat_timer()->interval(), 100u);
    down.repeat_timer()->fire();
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(8, 20));
    EXPECT_EQ(downs, 3);  // two repeats and the release
    EXPECT_EQ(SendMessageW(h, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    spin->perform(WM_KEYDOWN, VK_UP, 0);
    spin->perform(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(ups, 2);
    EXPECT_EQ(downs, 4);
}

} // namespace
