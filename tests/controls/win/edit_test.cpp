// The framed edit and memo under Wine: the colour of each state as the focus moves, the frame
// in the non-client area pixel by pixel, re-creation on Alignment, Enter as Tab, the memo's
// caret and wheel, descriptions, and pictures of each state.
#include <gtest/gtest.h>

#include "controls/ec_btn_edt.h"
#include "controls/ec_edit.h"
#include "controls/ec_feedback.h"
#include "controls/register_control_set.h"
#include "golden_map.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/screenshot.h"
#include "platform/ui/win/themes.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;

namespace {

// A memo whose wheel setting the test chooses.
class ProbeMemo : public TEcMemo {
public:
    using TEcMemo::TEcMemo;
    unsigned wheel_lines = 3;

protected:
    unsigned wheel_scroll_lines() const override { return wheel_lines; }
};

class EcEditForm : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        ui::theme_services().set_switched_off(true);
        form.set_bounds(100, 100, 300, 260);
        edit = add<TEcEdit>(8, 8, 200, 21);
        memo = add<ProbeMemo>(8, 40, 200, 80);
        other = add<TEcEdit>(8, 130, 200, 21);
        for (TEcEdit* e : {edit, other}) e->set_frame_visible(true);
        memo->set_frame_visible(true);
        form.handle_needed();
    }
    void TearDown() override { ui::theme_services().set_switched_off(false); }

    template <class T>
    T* add(int x, int y, int w, int h) {
        auto* c = new T(&form);
        c->set_parent(&form);
        c->set_bounds(x, y, w, h);
        return c;
    }
    void show() {
        form.show();
        ASSERT_TRUE(window_test::pump_until([&] { return IsWindowVisible(edit->handle()) != FALSE; }, 5000));
    }
    void focus(ui::WinControl* c) {
        c->set_focus();
        ASSERT_TRUE(window_test::pump_until([&] { return c->focused(); }, 5000));
    }
    void type(HWND window, wchar_t key) {
        PostMessageW(window, WM_KEYDOWN, key, 0);
        PostMessageW(window, WM_CHAR, key, 0);
        PostMessageW(window, WM_KEYUP, key, 0);
        window_test::pump(0);
    }

    ui::Form form{nullptr};
    TEcEdit* edit = nullptr;
    ProbeMemo* memo = nullptr;
    TEcEdit* other = nullptr;
};

TEST_F(EcEditForm, ColourOfEachStateAsTheFocusMoves) {
    edit->set_focus_color(ui::clYellow);
    edit->set_read_only_color(ui::clAqua);
    edit->set_disabled_color(ui::clSilver);
    show();
    focus(other);
    EXPECT_EQ(edit->color(), ui::clWindow);
    focus(edit);
    EXPECT_EQ(edit->color(), ui::clYellow);
    window_test::save_screenshot(form.handle(), "controls_screenshots", "edit_focused");

    // Read-only shows its colour without the focus, the focus colour with it unless told.
    edit->set_read_only(true);
    EXPECT_EQ(edit->color(), ui::clYellow);
    focus(other);
    EXPECT_EQ(edit->color(), ui::clAqua);
    window_test::save_screenshot(form.handle(), "controls_screenshots", "edit_read_only");
    edit->set_read_only_color_on_focus(true);
    focus(edit);
    EXPECT_EQ(edit->color(), ui::clAqua);
    edit->set_read_only(false);
    EXPECT_EQ(edit->color(), ui::clYellow);

    edit->set_enabled(false);
    EXPECT_EQ(edit->color(), ui::clSilver);
    window_test::save_screenshot(form.handle(), "controls_screenshots", "edit_disabled");
    edit->set_enabled(true);
    focus(other);
    EXPECT_EQ(edit->color(), ui::clWindow);

    // A colour from outside is the normal colour; a focus colour equal to the old one follows.
    other->set_color(ui::clRed);
    EXPECT_EQ(other->color(), ui::clRed);
    EXPECT_EQ(other->focus_color(), ui::clRed);
    focus(edit);
    EXPECT_EQ(other->color(), ui::clRed);

    // The memo follows the same table.
    memo->set_focus_color(ui::clInfoBk);
    memo->set_read_only(true);
    EXPECT_EQ(memo->color(), ui::clInfoBk);  // the read-only colour's default
    memo->set_read_only_color(ui::clWindow);
    EXPECT_EQ(memo->color(), ui::clWindow);
    focus(memo);
    EXPECT_EQ(memo->color(), ui::clInfoBk);
}

TEST_F(EcEditForm, FrameInTheNonClientAreaAgainstGoldenMaps) {
    auto* small = add<TEcEdit>(220, 8, 12, 10);
    small->set_frame_visible(true);
    small->set_frame_hot_style(TFrameStyle::fsFlatBold);
    small->set_frame_hot_color(ui::clRed);
    small->set_frame_hot_track(true);
    show();
    focus(other);
    const ectest::Legend legend = [] {
        ectest::Legend l = ectest::system_legend();
        l['r'] = ui::clRed;
        return l;
    }();
    ui::Bitmap picture;
    RedrawWindow(small->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    ui::capture_window(small->handle(), picture);
    EXPECT_TRUE(ectest::matches(picture, {"SSSSSSSSSSSS",
                                          "SWWWWWWWWWWS",
                                          "SWWWWWWWWWWS",
                                          "SWWWWWWWWWWS",
                                          "SWWWWWWWWWWS",
                                          "SWWWWWWWWWWS",
                                          "SWWWWWWWWWWS",
                                          "SWWWWWWWWWWS",
                                          "SWWWWWWWWWWS",
                                          "SSSSSSSSSSSS"},
                                legend));
    // Hot: under the mouse, then with the focus.
    small->perform(ui::CM_MOUSEENTER);
    RedrawWindow(small->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    ui::capture_window(small->handle(), picture);
    const Rows hot = {"rrrrrrrrrrrr",
                      "rrrrrrrrrrrr",
                      "rrWWWWWWWWrr",
                      "rrWWWWWWWWrr",
                      "rrWWWWWWWWrr",
                      "rrWWWWWWWWrr",
                      "rrWWWWWWWWrr",
                      "rrWWWWWWWWrr",
                      "rrrrrrrrrrrr",
                      "rrrrrrrrrrrr"};
    EXPECT_TRUE(ectest::matches(picture, hot, legend));
    small->perform(ui::CM_MOUSELEAVE);
    focus(small);
    HideCaret(small->handle());  // a blinking caret is no part of the frame
    RedrawWindow(small->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    ui::capture_window(small->handle(), picture);
    EXPECT_TRUE(ectest::matches(picture, hot, legend));

    // The wide edit under the mouse, for the eye.
    edit->set_frame_hot_track(true);
    edit->perform(ui::CM_MOUSEENTER);
    edit->set_text("under the mouse");
    window_test::save_screenshot(form.handle(), "controls_screenshots", "edit_hot");
    edit->perform(ui::CM_MOUSELEAVE);
    edit->set_text("normal");
    window_test::save_screenshot(form.handle(), "controls_screenshots", "edit_normal");

    // Under the platform's themed border no frame of ours shows.
    small->set_framing_preference(TFramingPreference::fpXPThemes);
    EXPECT_EQ(small->uses_themed_frame(), ui::theme_services().themes_enabled());
}

TEST_F(EcEditForm, AlignmentRecreatesTheWindowKeepingTheText) {
    show();
    edit->set_text("right");
    const HWND before = edit->handle();
    edit->set_alignment(ui::TAlignment::taRightJustify);
    const HWND after = edit->handle();
    EXPECT_NE(after, before);
    EXPECT_TRUE(GetWindowLongW(after, GWL_STYLE) & ES_RIGHT);
    EXPECT_FALSE(GetWindowLongW(after, GWL_STYLE) & ES_MULTILINE);
    EXPECT_EQ(edit->text(), "right");
    edit->set_alignment(ui::TAlignment::taCenter);
    EXPECT_TRUE(GetWindowLongW(edit->handle(), GWL_STYLE) & ES_CENTER);

    // FrameVisible re-creates too: the frame needs the sunken border under it.
    const HWND framed = edit->handle();
    edit->set_frame_visible(false);
    EXPECT_NE(edit->handle(), framed);
    EXPECT_EQ(edit->text(), "right");
}

TEST_F(EcEditForm, EnterMovesTheFocusOnAndTypesNothing) {
    edit->set_tab_on_enter(true);
    memo->set_tab_on_enter(true);
    show();
    edit->set_text("one");
    focus(edit);
    window_test::press_key(edit->handle(), VK_RETURN);
    ASSERT_TRUE(window_test::pump_until([&] { return memo->focused(); }, 5000));
    EXPECT_EQ(edit->text(), "one");

    memo->set_text("line");
    window_test::press_key(memo->handle(), VK_RETURN);
    ASSERT_TRUE(window_test::pump_until([&] { return other->focused(); }, 5000));
    EXPECT_EQ(memo->text(), "line");

    // Without TabOnEnter the memo takes the line break.
    memo->set_tab_on_enter(false);
    focus(memo);
    window_test::press_key(memo->handle(), VK_RETURN);
    ASSERT_TRUE(window_test::pump_until([&] { return memo->text().find("\r\n") != std::string::npos; }, 5000));
    EXPECT_TRUE(memo->focused());
}

TEST_F(EcEditForm, MemoCaretLineAndColumn) {
    show();
    memo->set_text("first\r\nsecond line\r\nthird");
    std::vector<std::pair<int, int>> seen;
    memo->on_line_col_change = [&](ui::Component*, int line, int column) { seen.emplace_back(line, column); };
    int clipboard_calls = 0;
    memo->on_clipboard_change = [&](ui::Component*, bool, bool) { ++clipboard_calls; };
    focus(memo);
    seen.clear();
    clipboard_calls = 0;

    memo->set_caret_line(2);
    EXPECT_EQ(memo->caret_line(), 2);
    EXPECT_EQ(memo->caret_column(), 1);
    memo->set_caret_column(7);
    EXPECT_EQ(memo->caret_line(), 2);
    EXPECT_EQ(memo->caret_column(), 7);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{2, 1}, {2, 7}}));
    EXPECT_EQ(clipboard_calls, 2);

    // The end of the line is reachable, a column past it moves nothing.
    memo->set_caret_column(12);
    EXPECT_EQ(memo->caret_column(), 12);
    memo->set_caret_column(13);
    EXPECT_EQ(memo->caret_column(), 12);
    EXPECT_EQ(seen.size(), 3u);

    // A line past the last goes to the last.
    memo->set_caret_line(9);
    EXPECT_EQ(memo->caret_line(), 3);
    EXPECT_EQ(memo->caret_column(), 1);

    // Typing reports the new place.
    seen.clear();
    type(memo->handle(), L'x');
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), std::make_pair(3, 2));
}

TEST_F(EcEditForm, MemoWheelScrollsLinesOrAPage) {
    std::string text;
    for (int i = 1; i <= 60; ++i) text += "line " + std::to_string(i) + "\r\n";
    show();
    memo->set_text(text);
    auto first_visible = [&] { return static_cast<int>(SendMessageW(memo->handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); };
    auto wheel = [&](int delta) {
        SendMessageW(memo->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(150, 150));
    };
    ASSERT_EQ(first_visible(), 0);
    memo->wheel_lines = 3;
    wheel(-120);
    EXPECT_EQ(first_visible(), 3);
    wheel(120);
    EXPECT_EQ(first_visible(), 0);

    // The page setting, read unsigned: a page down, never a line up.
    memo->wheel_lines = 0xFFFFFFFFu;
    wheel(-120);
    const int page = first_visible();
    EXPECT_GT(page, 3);
    memo->wheel_lines = 65535u;
    wheel(-120);
    EXPECT_EQ(first_visible(), 2 * page);

    // A caret line set by code is scrolled to the top.
    memo->set_caret_line(30);
    EXPECT_EQ(first_visible(), 29);
    EXPECT_EQ(memo->caret_line(), 30);

    // An OnMouseWheel handler takes the wheel instead.
    int handled = 0;
    memo->on_mouse_wheel = [&](ui::Component*, ui::TShiftState, int, POINT, bool& h) {
        ++handled;
        h = true;
    };
    const int before = first_visible();
    wheel(-120);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(first_visible(), before);
}

// ---------------------------------------------------------------------------------------------
// The button edit

class EcButtonEditForm : public EcEditForm {
protected:
    void SetUp() override {
        EcEditForm::SetUp();
        previous_beep = set_beep_function([this] { ++beeps; });
        btn = add<TEcButtonEdit>(8, 170, 200, 21);
        btn->set_frame_visible(true);
        btn->on_button_click = [this](ui::Component*) { ++clicks; };
        btn->on_alt_btn_click = [this](ui::Component*) { ++alt_clicks; };
    }
    void TearDown() override {
        set_beep_function(previous_beep);
        EcEditForm::TearDown();
    }
    std::pair<int, int> margins() {
        const auto m = static_cast<DWORD>(SendMessageW(btn->handle(), EM_GETMARGINS, 0, 0));
        return {LOWORD(m), HIWORD(m)};
    }

    TEcButtonEdit* btn = nullptr;
    BeepFunction previous_beep;
    int beeps = 0, clicks = 0, alt_clicks = 0;
};

TEST_F(EcButtonEditForm, F4ClicksTheMainButtonAndTypesNothing) {
    show();
    btn->set_text("path");
    focus(btn);
    window_test::press_key(btn->handle(), VK_F4);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(btn->text(), "path");

    // Only the alternate button shows: it sits at the pair's left edge, and F4 is not its key.
    btn->set_button_visible(TEcCustomButtonEdit::kButton, false);
    btn->set_button_visible(TEcCustomButtonEdit::kAltBtn, true);
    EXPECT_EQ(btn->pair_button(TEcCustomButtonEdit::kAltBtn)->left(), 0);
    window_test::press_key(btn->handle(), VK_F4);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(alt_clicks, 0);
    btn->set_shortcut(TEcCustomButtonEdit::kAltBtn, ui::shortcut(VK_F4, 0));
    window_test::press_key(btn->handle(), VK_F4);
    EXPECT_EQ(alt_clicks, 1);
    EXPECT_EQ(beeps, 0);
}

TEST_F(EcButtonEditForm, WithoutAllowKeyEditTypingBeepsAndTheShortcutStillClicks) {
    btn->set_allow_key_edit(false);
    show();
    btn->set_text("fixed");
    focus(btn);
    window_test::press_key(btn->handle(), 'A');
    window_test::press_key(btn->handle(), VK_BACK);
    window_test::press_key(btn->handle(), VK_DELETE);
    EXPECT_EQ(btn->text(), "fixed");
    EXPECT_EQ(beeps, 3);
    window_test::press_key(btn->handle(), VK_F4);
    EXPECT_EQ(clicks, 1);
    // BeepOnInvalidKey off: refused in silence.
    btn->set_beep_on_invalid_key(false);
    window_test::press_key(btn->handle(), 'B');
    EXPECT_EQ(beeps, 3);
    EXPECT_EQ(btn->text(), "fixed");
}

TEST_F(EcButtonEditForm, ReadOnlyHidesTheButtonsAndGivesTheTextTheWidth) {
    show();
    EXPECT_TRUE(btn->pair()->visible());
    EXPECT_EQ(margins(), std::make_pair(0, 17 + 2));
    EXPECT_EQ(btn->pair()->left(), 200 - 17 - 4);
    btn->set_read_only(true);
    EXPECT_FALSE(btn->pair()->visible());
    EXPECT_EQ(margins(), std::make_pair(0, 0));
    window_test::save_screenshot(form.handle(), "controls_screenshots", "button_edit_read_only");
    btn->set_hide_buttons_on_read_only(false);
    EXPECT_TRUE(btn->pair()->visible());
    EXPECT_EQ(margins(), std::make_pair(0, 19));
    btn->set_read_only(false);
    // Both buttons: the pair is twice as wide.
    btn->set_button_visible(TEcCustomButtonEdit::kAltBtn, true);
    EXPECT_EQ(margins(), std::make_pair(0, 36));
    EXPECT_EQ(btn->pair_button(TEcCustomButtonEdit::kAltBtn)->left(), 17);
}

TEST_F(EcButtonEditForm, APressMovesTheFocusToTheEditBeforeTheClick) {
    show();
    focus(other);
    bool focused_at_click = false;
    btn->on_button_click = [&](ui::Component*) {
        ++clicks;
        focused_at_click = btn->focused();
    };
    TEcControlButton* main = btn->pair_button(TEcCustomButtonEdit::kButton);
    window_test::click_at(btn->pair()->handle(), main->left() + 5, main->top() + 5);
    ASSERT_TRUE(window_test::pump_until([&] { return clicks == 1; }, 5000));
    EXPECT_TRUE(focused_at_click);
}

TEST_F(EcButtonEditForm, KindsGlyphsAndPictures) {
    show();
    // The stock glyph from the program's resources: the look-up dots on aqua.
    const ui::Bitmap& lookup = button_kind_glyph(TButtonKind::bkLookup);
    ASSERT_EQ(lookup.width(), 20);
    ASSERT_EQ(lookup.height(), 10);
    EXPECT_EQ(lookup.pixel(0, 9), ui::color_to_rgb(ui::clAqua));
    EXPECT_EQ(lookup.pixel(1, 6), 0u);
    TEcControlButton* main = btn->pair_button(TEcCustomButtonEdit::kButton);
    EXPECT_EQ(main->glyph().width(), 20);
    EXPECT_EQ(main->num_glyphs(), 2);
    window_test::save_screenshot(form.handle(), "controls_screenshots", "button_edit_normal");

    // The drop-down kind draws its arrow, without a glyph.
    btn->set_kind(TEcCustomButtonEdit::kButton, TButtonKind::bkDropDown);
    EXPECT_TRUE(main->glyph().empty());
    EXPECT_EQ(main->style(), TEcControlButtonStyle::cbsDropDown);
    btn->set_button_visible(TEcCustomButtonEdit::kAltBtn, true);
    btn->set_kind(TEcCustomButtonEdit::kAltBtn, TButtonKind::bkFolder);
    focus(btn);
    window_test::save_screenshot(form.handle(), "controls_screenshots", "button_edit_focused");
    btn->set_frame_hot_track(true);
    btn->set_flat_buttons(true);
    btn->perform(ui::CM_MOUSEENTER);
    window_test::save_screenshot(form.handle(), "controls_screenshots", "button_edit_hot");
    btn->perform(ui::CM_MOUSELEAVE);
    btn->set_enabled(false);
    EXPECT_FALSE(main->enabled());
    window_test::save_screenshot(form.handle(), "controls_screenshots", "button_edit_disabled");
    btn->set_enabled(true);

    // A glyph of its own makes the kind custom.
    ui::Bitmap own(16, 16);
    btn->set_glyph(TEcCustomButtonEdit::kButton, own);
    EXPECT_EQ(btn->kind(TEcCustomButtonEdit::kButton), TButtonKind::bkCustom);
    EXPECT_EQ(btn->kind(TEcCustomButtonEdit::kAltBtn), TButtonKind::bkFolder);
}

// ---------------------------------------------------------------------------------------------
// Descriptions

class EcEditDescriptions : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        register_control_set_classes();
        form = std::make_unique<ui::Form>(nullptr);
        form->set_name("F");
    }
    std::string round_trip(const std::string& text) {
        copy = std::make_unique<ui::Form>(nullptr);
        ui::read_description(*copy, text);
        return ui::write_description(*copy);
    }
    template <class T>
    T* add(const char* name) {
        auto* c = new T(form.get());
        c->set_name(name);
        c->set_parent(form.get());
        return c;
    }
    std::unique_ptr<ui::Form> form, copy;
};

TEST_F(EcEditDescriptions, StoredRulesRoundTrip) {
    auto* e = add<TEcEdit>("e");
    e->set_frame_visible(true);
    e->set_alignment(ui::TAlignment::taRightJustify);
    e->set_read_only_color(ui::clWindow);
    e->set_tab_on_enter(true);
    e->set_max_length(16);
    e->set_password_char("*");
    auto* m = add<TEcMemo>("m");
    m->set_frame_visible(true);
    m->set_focus_color(ui::clInfoBk);
    m->set_read_only(true);
    m->set_max_length(200);
    auto* plain = add<TEcEdit>("plain");
    plain->set_color(ui::clRed);  // the focus colour followed: not stored

    const std::string text = ui::write_description(*form);
    EXPECT_EQ(round_trip(text), text);
    EXPECT_NE(text.find("Alignment = taRightJustify"), std::string::npos) << text;
    EXPECT_NE(text.find("FocusColor = clInfoBk"), std::string::npos) << text;
    EXPECT_NE(text.find("Color = clRed"), std::string::npos) << text;
    EXPECT_EQ(text.find("FocusColor = clRed"), std::string::npos) << text;
    // The read-only memo keeps its normal colour in the description, not the one shown.
    EXPECT_EQ(text.find("Color = clInfoBk\n    FocusColor"), std::string::npos) << text;
    auto* read_m = dynamic_cast<TEcMemo*>(copy->find_component("m"));
    ASSERT_NE(read_m, nullptr);
    EXPECT_EQ(read_m->color(), ui::clInfoBk);  // loaded read-only, shown in the read-only colour
    EXPECT_EQ(read_m->normal_color(), ui::clWindow);
    EXPECT_TRUE(form->find_component("e")->inherits_from("TCustomEdit"));
    EXPECT_TRUE(form->find_component("m")->inherits_from("TCustomMemo"));
}

TEST_F(EcEditDescriptions, WhatAFrameControllerSuppliesIsNotStored) {
    auto* fc = new FrameController(form.get());
    fc->set_name("fc");
    fc->set_color(ui::clRed);
    fc->set_frame_visible(true);
    auto* e = add<TEcEdit>("e");
    e->frame_look().controller.set_notifications(
        TEcFrameControllerNotifications{TEcFrameControllerProperty::fcpColor, TEcFrameControllerProperty::fcpFrameVisible});
    e->frame_look().controller.set_controller(*e, fc);
    fc->push_all_settings();
    EXPECT_EQ(e->color(), ui::clRed);
    EXPECT_TRUE(e->frame_visible());
    const std::string text = ui::write_description(*form);
    const std::size_t at = text.find("object e:");
    const std::string own = text.substr(at, text.find("  end\n", at) - at);
    EXPECT_EQ(own.find("Color ="), std::string::npos) << text;
    EXPECT_EQ(own.find("FrameVisible ="), std::string::npos) << text;
    EXPECT_NE(own.find("FrameController = fc"), std::string::npos) << text;
}

TEST_F(EcEditDescriptions, ButtonEditRoundTripsWithoutItsPair) {
    auto* b = add<TEcButtonEdit>("b");
    b->set_frame_visible(true);
    b->set_kind(TEcCustomButtonEdit::kAltBtn, TButtonKind::bkFind);
    b->set_button_visible(TEcCustomButtonEdit::kAltBtn, true);
    b->set_shortcut(TEcCustomButtonEdit::kAltBtn, ui::shortcut(VK_F3, ui::scCtrl));
    b->set_allow_key_edit(false);
    auto* c = add<TEcButtonEdit>("c");
    ui::Bitmap own(10, 10);
    c->set_glyph(TEcCustomButtonEdit::kButton, own);
    const std::string text = ui::write_description(*form);
    EXPECT_EQ(round_trip(text), text);
    EXPECT_EQ(text.find("TEcButtonPair"), std::string::npos) << text;
    // Only the custom glyph is written.
    EXPECT_LT(text.find("object c:"), text.find("ButtonGlyph")) << text;
    EXPECT_EQ(text.find("AltBtnGlyph"), std::string::npos) << text;
    EXPECT_NE(text.find("ButtonKind = bkCustom"), std::string::npos) << text;
    EXPECT_NE(text.find("AltBtnKind = bkFind"), std::string::npos) << text;
    auto* read_b = dynamic_cast<TEcButtonEdit*>(copy->find_component("b"));
    ASSERT_NE(read_b, nullptr);
    EXPECT_EQ(read_b->shortcut(TEcCustomButtonEdit::kAltBtn), ui::shortcut(VK_F3, ui::scCtrl));
    EXPECT_EQ(read_b->shortcut(TEcCustomButtonEdit::kButton), 115);
    EXPECT_FALSE(read_b->allow_key_edit());
    EXPECT_EQ(read_b->pair_button(TEcCustomButtonEdit::kAltBtn)->glyph().width(), 20);  // the kind's glyph
}

TEST_F(EcEditDescriptions, ButtonEditOldNamesAndBadKinds) {
    ui::read_description(*form,
                         "object F: TForm\n"
                         "  object b: TEcButtonEdit\n"
                         "    ButtonShortCutText = 'Ctrl+F5'\n"
                         "    AltBtnShortCutText = 'F2'\n"
                         "    FlatButtonParentColor = True\n"
                         "  end\n"
                         "end\n");
    auto* b = dynamic_cast<TEcButtonEdit*>(form->find_component("b"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->shortcut(TEcCustomButtonEdit::kButton), ui::shortcut(VK_F5, ui::scCtrl));
    EXPECT_EQ(b->shortcut(TEcCustomButtonEdit::kAltBtn), VK_F2);
    const std::string written = ui::write_description(*form);
    for (const char* old : {"ShortCutText", "FlatButtonParentColor"})
        EXPECT_EQ(written.find(old), std::string::npos) << old << "\n" << written;

    auto fresh = std::make_unique<ui::Form>(nullptr);
    try {
        ui::read_description(*fresh, "object F: TForm\n  object x: TEcButtonEdit\n    ButtonKind = bkWhatever\n  end\nend\n");
        ADD_FAILURE() << "an unknown kind was read";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("ButtonKind"), std::string::npos) << e.what();
    }
}

TEST_F(EcEditDescriptions, OldFrameNamesReadIntoTheHotFrame) {
    const std::string text =
        "object F: TForm\n"
        "  object e: TEcEdit\n    FrameFlat = True\n    FrameFlatStyle = fsFlat\n  end\n"
        "  object m: TEcMemo\n    FrameFocusStyle = fsLowered\n  end\n"
        "end\n";
    ui::read_description(*form, text);
    auto* e = dynamic_cast<TEcEdit*>(form->find_component("e"));
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->frame_hot_track());
    EXPECT_TRUE(e->frame_visible());
    EXPECT_EQ(e->frame_style(), TFrameStyle::fsStatus);
    EXPECT_EQ(e->frame_hot_style(), TFrameStyle::fsLowered);
    EXPECT_EQ(dynamic_cast<TEcMemo*>(form->find_component("m"))->frame_hot_style(), TFrameStyle::fsLowered);
    const std::string written = ui::write_description(*form);
    for (const char* old : {"FrameFlat ", "FrameFocusStyle", "FrameFlatStyle"})
        EXPECT_EQ(written.find(old), std::string::npos) << old << "\n" << written;
}

} // namespace
