// The control set's spin buttons and spin edit under Wine: arrows and layout, clicks, held
// repeats and keys; the spin edit's wheel, keys, buttons, clamping on leaving and on reading,
// the OnChanging veto, typed and pasted characters, read-only, descriptions and pictures.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "controls/ec_feedback.h"
#include "controls/ec_spn_edt.h"
#include "controls/register_control_set.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
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

// Descriptions: the defaults write nothing of the buttons' own and read back the same; the
// glyph settings are written only for a custom glyph (the bitmap itself is never written by the
// layer, only read).
TEST_F(EcSpinButtons, Descriptions) {
    form->set_name("F");
    spin->set_name("sb");
    spin->set_direction(TSpinDirection::sdLeftRight);
    const std::string plain = ui::write_description(*form);
    EXPECT_EQ(plain.find("Glyph"), std::string::npos) << plain;
    EXPECT_NE(plain.find("Direction = sdLeftRight"), std::string::npos) << plain;
    ui::Form copy(nullptr);
    ui::read_description(copy, plain);
    EXPECT_EQ(ui::write_description(copy), plain);
    auto* read = dynamic_cast<TEcSpinButtons*>(copy.find_component("sb"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->up_right_button().style(), TEcControlButtonStyle::cbsRight);

    spin->set_glyph_down_left(ui::Bitmap(24, 8));  // three cells
    const std::string text = ui::write_description(*form);
    EXPECT_NE(text.find("NumGlyphsDownLeft = 3"), std::string::npos) << text;
    EXPECT_EQ(text.find("UpRight"), std::string::npos) << text;
}

// Holds Ctrl in the thread's keyboard state while it lives.
class HeldControlKey {
public:
    HeldControlKey() { set(0x80); }
    ~HeldControlKey() { set(0); }

private:
    static void set(BYTE state) {
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = state;
        SetKeyboardState(keys);
    }
};

class EcSpinEdit : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        window_test::errors().clear();
        register_control_set_classes();
        ui::theme_services().set_switched_off(true);
        previous_beep = set_beep_function([this] { ++beeps; });
        form = std::make_unique<ui::Form>(nullptr);
        form->set_name("F");
        form->set_bounds(100, 100, 260, 200);
        spin = new TEcSpinEdit(form.get());
        spin->set_name("sePort");
        spin->set_parent(form.get());
        spin->set_bounds(10, 10, 80, 21);
        spin->set_allow_key_edit(true);
        spin->set_min_value(1);
        spin->set_max_value(65500);
        spin->set_frame_visible(true);
        spin->on_button_click = [this](ui::Component*, TSpinButtonType b) {
            (b == TSpinButtonType::sbUp ? ups : downs) += 1;
        };
        other = new ui::Edit(form.get());
        other->set_name("edt");
        other->set_parent(form.get());
        other->set_bounds(10, 120, 100, 21);
    }
    void TearDown() override {
        form.reset();
        set_beep_function(previous_beep);
        ui::theme_services().set_switched_off(false);
        EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front();
    }
    void show() {
        form->show();
        ASSERT_TRUE(window_test::pump_until([&] { return IsWindowVisible(form->handle()) != FALSE; }, 5000));
    }
    void focus(HWND window) {
        SetFocus(window);
        ASSERT_TRUE(window_test::pump_until([&] { return GetFocus() == window; }, 5000));
    }
    void wheel(int notches) {
        RECT r{};
        GetWindowRect(spin->handle(), &r);
        SendMessageW(spin->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, notches * WHEEL_DELTA), MAKELPARAM(r.left + 5, r.top + 5));
    }
    void key(WORD k) { SendMessageW(spin->handle(), WM_KEYDOWN, k, 0); }
    void type(const std::wstring& keys) {
        for (wchar_t k : keys) SendMessageW(spin->handle(), WM_CHAR, k, 0);
    }
    void screenshot(const char* name) { window_test::save_screenshot(form->handle(), "controls_screenshots", name); }

    std::unique_ptr<ui::Form> form, copy;
    TEcSpinEdit* spin = nullptr;
    ui::Edit* other = nullptr;
    BeepFunction previous_beep;
    int beeps = 0, ups = 0, downs = 0;
};

TEST_F(EcSpinEdit, NewEditAndValueText) {
    TEcSpinEdit fresh(nullptr);
    EXPECT_EQ(fresh.width(), 47);
    EXPECT_EQ(fresh.text(), "0");
    EXPECT_EQ(fresh.alignment(), ui::TAlignment::taRightJustify);
    fresh.set_integers_only(false);
    fresh.set_decimals(2);
    fresh.set_value(7);
    EXPECT_EQ(fresh.text(), "7.00");
    fresh.set_decimals(40);
    EXPECT_EQ(fresh.decimals(), 18);
    fresh.set_decimals(1);
    fresh.set_value(99.5L);
    fresh.spin_up();
    EXPECT_EQ(fresh.value(), 100);  // clamped to Max
    fresh.set_integers_only(true);
    EXPECT_EQ(fresh.decimals(), 0);
    EXPECT_EQ(fresh.text(), "100");
    fresh.set_integers_only(false);
    fresh.set_decimals(1);
    fresh.set_value(2.5L);
    EXPECT_EQ(fresh.int_value(), 2);  // halves to even
    fresh.set_value(3.5L);
    EXPECT_EQ(fresh.int_value(), 4);
    fresh.set_increment(0);
    fresh.spin_up();
    EXPECT_EQ(fresh.text(), "3.5");  // an increment of 0 steps nothing
}

TEST_F(EcSpinEdit, WheelKeysAndButtonsStep) {
    show();
    focus(spin->handle());
    spin->set_value(100);
    wheel(1);
    EXPECT_EQ(spin->value(), 101);
    wheel(-1);
    EXPECT_EQ(spin->value(), 100);
    {
        HeldControlKey ctrl;
        wheel(1);
    }
    EXPECT_EQ(spin->value(), 110);
    key(VK_UP);
    EXPECT_EQ(spin->value(), 111);
    key(VK_PRIOR);
    EXPECT_EQ(spin->value(), 121);
    key(VK_NEXT);
    key(VK_DOWN);
    EXPECT_EQ(spin->value(), 110);
    EXPECT_EQ(spin->text(), "110");

    // The buttons: a click steps once; held, the first repeat comes after 400 ms, then every 100.
    const HWND buttons = spin->buttons().handle();
    const ui::Rect up = spin->buttons().up_right_button().bounds_rect();
    const ui::Rect down = spin->buttons().down_left_button().bounds_rect();
    SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(up.left + 3, up.top + 3));
    SendMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(up.left + 3, up.top + 3));
    EXPECT_EQ(spin->value(), 111);
    SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.left + 3, down.top + 3));
    TEcControlButton& held = spin->buttons().down_left_button();
    ASSERT_NE(held.repeat_timer(), nullptr);
    EXPECT_EQ(held.repeat_timer()->interval(), 400u);
    held.repeat_timer()->fire();
    EXPECT_EQ(held.repeat_timer()->interval(), 100u);
    held.repeat_timer()->fire();
    SendMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(down.left + 3, down.top + 3));
    EXPECT_EQ(spin->value(), 108);
    EXPECT_EQ(ups, 5);
    EXPECT_EQ(downs, 6);
    EXPECT_EQ(beeps, 0);
}

TEST_F(EcSpinEdit, HeldButtonRepeatsOnItsOwn) {
    show();
    spin->set_value(10);
    const HWND buttons = spin->buttons().handle();
    const ui::Rect up = spin->buttons().up_right_button().bounds_rect();
    SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(up.left + 3, up.top + 3));
    EXPECT_EQ(GetFocus(), spin->handle());  // the press took the focus to the edit first
    // Tolerant of a slow machine: at least two repeats come while held.
    EXPECT_TRUE(window_test::pump_until([&] { return spin->value() >= 12; }, 10000));
    SendMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(up.left + 3, up.top + 3));
    const long double after = spin->value();
    window_test::pump(0);
    EXPECT_EQ(spin->value(), after);
}

TEST_F(EcSpinEdit, LeavingAndReadingClamp) {
    show();
    focus(spin->handle());
    spin->set_text("70000");
    // Read before the edit is left (a dialog closed with Enter): in range already.
    EXPECT_EQ(spin->value(), 65500);
    EXPECT_EQ(spin->text(), "70000");
    focus(other->handle());
    EXPECT_EQ(spin->text(), "65500");
    focus(spin->handle());
    spin->set_text("");
    focus(other->handle());
    EXPECT_EQ(spin->text(), "1");
    focus(spin->handle());
    spin->set_text("abc");
    EXPECT_EQ(spin->value(), 1);
    focus(other->handle());
    EXPECT_EQ(spin->text(), "1");
    spin->set_allow_blank(true);
    spin->set_blank_value(-1);
    spin->set_text("");
    EXPECT_EQ(spin->value(), -1);
    focus(spin->handle());
    focus(other->handle());
    EXPECT_EQ(spin->text(), "");
    // Min and Max drag each other and re-write the value.
    spin->set_value(500);
    spin->set_max_value(300);
    EXPECT_EQ(spin->text(), "300");
    spin->set_min_value(400);
    EXPECT_EQ(spin->max_value(), 400);
    EXPECT_EQ(spin->text(), "300");  // Min = Max without CheckRange clamps nothing
    spin->set_check_range(true);
    EXPECT_EQ(spin->text(), "400");
}

TEST_F(EcSpinEdit, ChangingVetoesAndTypingIsFiltered) {
    show();
    focus(spin->handle());
    spin->set_value(20);
    spin->on_changing = [](ui::Component*, long double next, bool& allow) { allow = next <= 20; };
    key(VK_UP);
    wheel(1);
    EXPECT_EQ(spin->text(), "20");
    EXPECT_EQ(ups, 0);
    key(VK_DOWN);
    EXPECT_EQ(spin->text(), "19");
    spin->on_changing = nullptr;

    SendMessageW(spin->handle(), EM_SETSEL, 0, -1);
    type(L"-12a");
    EXPECT_EQ(spin->text(), "-12");
    EXPECT_EQ(beeps, 1);
    type(L"-.");  // a second minus; the separator with IntegersOnly
    EXPECT_EQ(spin->text(), "-12");
    EXPECT_EQ(beeps, 3);

    // Without AllowKeyEdit digits and Delete are refused, pasting is dropped; the keys still step.
    spin->set_allow_key_edit(false);
    type(L"5");
    key(VK_DELETE);
    EXPECT_EQ(beeps, 5);
    EXPECT_TRUE(OpenClipboard(form->handle()));
    EmptyClipboard();
    const wchar_t letters[] = L"abc";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof letters);
    std::memcpy(GlobalLock(memory), letters, sizeof letters);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(spin->handle(), EM_SETSEL, 0, -1);
    SendMessageW(spin->handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(spin->text(), "-12");
    key(VK_UP);
    EXPECT_EQ(spin->value(), 2);  // -12 reads as Min, one up from there
    // With AllowKeyEdit the letters come in and read as Min.
    spin->set_allow_key_edit(true);
    SendMessageW(spin->handle(), EM_SETSEL, 0, -1);
    SendMessageW(spin->handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(spin->text(), "abc");
    EXPECT_EQ(spin->value(), 1);
}

TEST_F(EcSpinEdit, ReadOnlyBeepsAndHidesTheButtons) {
    show();
    EXPECT_TRUE(IsWindowVisible(spin->buttons().handle()));
    EXPECT_EQ(HIWORD(SendMessageW(spin->handle(), EM_GETMARGINS, 0, 0)), spin->buttons().width() + 2);
    spin->set_value(5);
    spin->set_read_only(true);
    EXPECT_FALSE(IsWindowVisible(spin->buttons().handle()));
    EXPECT_EQ(SendMessageW(spin->handle(), EM_GETMARGINS, 0, 0), 0);
    focus(spin->handle());
    key(VK_UP);
    wheel(1);
    EXPECT_EQ(spin->text(), "5");
    EXPECT_EQ(beeps, 2);
    spin->set_read_only(false);
    EXPECT_TRUE(IsWindowVisible(spin->buttons().handle()));
}

TEST_F(EcSpinEdit, ButtonsSitInsideTheRightEdge) {
    show();
    // Framed, no themes: at Width - 17 - 4, over the client height.
    EXPECT_EQ(spin->buttons().bounds_rect(), (ui::Rect{80 - 17 - 4, 0, 80 - 4, 21 - 4}));
    spin->set_button_width(12);
    EXPECT_EQ(spin->buttons().bounds_rect(), (ui::Rect{80 - 12 - 4, 0, 80 - 4, 21 - 4}));
    spin->set_orientation(TOrientation::orHorizontal);
    EXPECT_EQ(spin->buttons().width(), 24);
    EXPECT_EQ(spin->buttons().up_right_button().style(), TEcControlButtonStyle::cbsUp);
    spin->set_direction(TSpinDirection::sdLeftRight);
    EXPECT_EQ(spin->buttons().up_right_button().style(), TEcControlButtonStyle::cbsRight);
}

TEST_F(EcSpinEdit, Descriptions) {
    spin->set_value(8080);
    const std::string text = ui::write_description(*form);
    for (const char* line : {"Value = 8080", "Min = 1", "Max = 65500", "AllowKeyEdit = True", "FrameVisible = True"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    for (const char* name : {"Increment", "PageSize", "Alignment", "ButtonUpGlyph", "ButtonUpNumGlyphs", "object : T"})
        EXPECT_EQ(text.find(name), std::string::npos) << name << "\n" << text;
    copy = std::make_unique<ui::Form>(nullptr);
    ui::read_description(*copy, text);
    EXPECT_EQ(ui::write_description(*copy), text);
    // Value before Min and Max, and an old name, in a description: the range applies first.
    copy = std::make_unique<ui::Form>(nullptr);
    ui::read_description(*copy,
                         "object F: TForm\n"
                         "  object s: TEcSpinEdit\n"
                         "    Value = 70000\n"
                         "    FlatButtonParentColor = True\n"
                         "    Max = 165532\n"
                         "    Min = 1\n"
                         "  end\n"
                         "end\n");
    auto* read = dynamic_cast<TEcSpinEdit*>(copy->find_component("s"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->value(), 70000);
    EXPECT_EQ(read->text(), "70000");
    // A zero value is written all the same.
    spin->set_min_value(0);
    spin->set_value(0);
    EXPECT_NE(ui::write_description(*form).find("Value = 0"), std::string::npos);
}

TEST_F(EcSpinEdit, Pictures) {
    spin->set_value(8080);
    auto* flat = new TEcSpinEdit(form.get());
    flat->set_parent(form.get());
    flat->set_bounds(10, 50, 80, 21);
    flat->set_flat_buttons(true);
    flat->set_frame_visible(true);
    flat->set_orientation(TOrientation::orHorizontal);
    flat->set_direction(TSpinDirection::sdLeftRight);
    show();
    focus(other->handle());
    // The text keeps clear of the buttons, also after the font came.
    EXPECT_EQ(HIWORD(SendMessageW(flat->handle(), EM_GETMARGINS, 0, 0)), 2 * 17 + 2);
    screenshot("spin_edit_normal");
    focus(spin->handle());
    screenshot("spin_edit_focused");
    focus(other->handle());
    spin->set_frame_hot_track(true);
    spin->perform(ui::CM_MOUSEENTER);
    flat->perform(ui::CM_MOUSEENTER);
    // Flat buttons take FlatButtonColor while the edit is hot, its own colour otherwise.
    EXPECT_EQ(flat->buttons().up_right_button().color(), ui::clBtnFace);
    screenshot("spin_edit_hot");
    spin->perform(ui::CM_MOUSELEAVE);
    flat->perform(ui::CM_MOUSELEAVE);
    EXPECT_EQ(flat->buttons().up_right_button().color(), ui::clWindow);
    spin->set_read_only(true);
    screenshot("spin_edit_read_only");
    spin->set_read_only(false);
    spin->set_enabled(false);
    flat->set_enabled(false);
    screenshot("spin_edit_disabled");
}

} // namespace
