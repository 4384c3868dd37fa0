// Check boxes and radio buttons on a real form: exclusivity per parent, clicks only on change,
// checking by Tab but by the mouse only through the click, read-only, the grayed cycle,
// TabOnEnter and BM_GETCHECK; and their glyphs inside the controls pixel by pixel.
#include <gtest/gtest.h>

#include "controls/ec_rad_chk.h"
#include "golden_map.h"
#include "platform/ui/win/actions.h"
#include "platform/ui/win/std_controls.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;
using ui::TCheckBoxState;

namespace {

class EcRadChkForm : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        form = std::make_unique<ui::Form>(nullptr);
        form->set_bounds(100, 100, 400, 240);
    }
    void TearDown() override { form.reset(); }

    template <class T>
    T* add(ui::WinControl* parent, int left, int top, const char* caption = "item") {
        auto* c = new T(form.get());
        c->set_parent(parent);
        c->set_bounds(left, top, 100, 17);
        c->set_caption(caption);
        return c;
    }
    void show() {
        form->show();
        window_test::pump(30);
    }
    static void counting(ui::Control* c, int& count) {
        c->on_click = [&count](ui::Component*) { ++count; };
    }
    std::unique_ptr<ui::Form> form;
};

TEST_F(EcRadChkForm, RadioButtonsAreExclusivePerParentAndClickOnlyOnChange) {
    auto* panel = new ui::Panel(form.get());
    panel->set_parent(form.get());
    panel->set_bounds(200, 10, 150, 100);
    auto* a = add<TEcRadioButton>(form.get(), 10, 10);
    auto* b = add<TEcRadioButton>(form.get(), 10, 30);
    auto* inside = add<TEcRadioButton>(panel, 10, 10);
    int a_clicks = 0;
    counting(a, a_clicks);
    show();
    inside->set_checked(true);
    a->set_checked(true);
    EXPECT_EQ(a_clicks, 1);
    a->set_checked(true);
    EXPECT_EQ(a_clicks, 1);  // no change, no click
    EXPECT_TRUE(a->tab_stop());
    b->set_checked(true);
    EXPECT_FALSE(a->checked());
    EXPECT_FALSE(a->tab_stop());
    EXPECT_TRUE(inside->checked());  // another parent
    EXPECT_EQ(SendMessageW(b->handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(a->handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(EcRadChkForm, TabChecksTheMouseChecksThroughTheClick) {
    auto* edit = add<ui::Edit>(form.get(), 10, 10);
    auto* r1 = add<TEcRadioButton>(form.get(), 10, 40);
    auto* r2 = add<TEcRadioButton>(form.get(), 10, 60);
    r1->set_tab_stop(true);
    int clicks = 0;
    counting(r2, clicks);
    show();
    edit->set_focus();
    window_test::pump(20);
    window_test::press_key(edit->handle(), VK_TAB);
    EXPECT_EQ(GetFocus(), r1->handle());
    EXPECT_TRUE(r1->checked());

    // The press focuses without checking; the release checks, once.
    SendMessageW(r2->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetFocus(), r2->handle());
    EXPECT_FALSE(r2->checked());
    SendMessageW(r2->handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(r2->checked());
    EXPECT_FALSE(r1->checked());
    EXPECT_EQ(clicks, 1);
}

TEST_F(EcRadChkForm, ReadOnlyIgnoresTheUserButNotCode) {
    auto* box = add<TEcCheckBox>(form.get(), 10, 10);
    auto* r1 = add<TEcRadioButton>(form.get(), 10, 40);
    auto* r2 = add<TEcRadioButton>(form.get(), 10, 60);
    box->set_read_only(true);
    r1->set_read_only(true);
    EXPECT_TRUE(r2->read_only());  // passed to the siblings
    show();
    window_test::click_at(box->handle(), 5, 5);
    EXPECT_EQ(box->state(), TCheckBoxState::cbUnchecked);
    window_test::press_key(box->handle(), VK_SPACE);
    EXPECT_EQ(box->state(), TCheckBoxState::cbUnchecked);
    box->set_state(TCheckBoxState::cbGrayed);
    EXPECT_EQ(box->state(), TCheckBoxState::cbGrayed);
    window_test::click_at(r2->handle(), 5, 5);
    EXPECT_FALSE(r2->checked());
    r2->set_checked(true);
    EXPECT_TRUE(r2->checked());
}

TEST_F(EcRadChkForm, ClicksCycleThroughGrayedOnlyWhenAllowed) {
    auto* box = add<TEcCheckBox>(form.get(), 10, 10);
    int clicks = 0;
    counting(box, clicks);
    show();
    const auto click_states = [&](int n) {
        std::vector<TCheckBoxState> seen;
        for (int i = 0; i < n; ++i) {
            window_test::click_at(box->handle(), 5, 5);
            seen.push_back(box->state());
        }
        return seen;
    };
    using S = TCheckBoxState;
    EXPECT_EQ(click_states(2), (std::vector<S>{S::cbChecked, S::cbUnchecked}));
    box->set_allow_grayed(true);
    EXPECT_EQ(click_states(3), (std::vector<S>{S::cbGrayed, S::cbChecked, S::cbUnchecked}));
    EXPECT_EQ(clicks, 5);
    // The space key toggles like a click.
    window_test::press_key(box->handle(), VK_SPACE);
    EXPECT_EQ(box->state(), S::cbGrayed);
    const std::pair<S, LRESULT> answers[] = {{S::cbUnchecked, 0}, {S::cbChecked, 1}, {S::cbGrayed, 2}};
    for (const auto& [state, answer] : answers) {
        box->set_state(state);
        EXPECT_EQ(SendMessageW(box->handle(), BM_GETCHECK, 0, 0), answer);
    }
}

TEST_F(EcRadChkForm, TabOnEnterMovesOnWithoutChecking) {
    auto* radio = add<TEcRadioButton>(form.get(), 10, 10);
    auto* edit = add<ui::Edit>(form.get(), 10, 40);
    auto* ok = add<TEcButton>(form.get(), 10, 80);
    ok->set_default(true);
    ok->set_modal_result(ui::mrOk);
    radio->set_tab_on_enter(true);
    show();
    radio->set_focus();
    window_test::pump(20);
    radio->set_checked(false);  // focus from code checked it
    window_test::press_key(radio->handle(), VK_RETURN);
    EXPECT_TRUE(window_test::pump_until([&] { return GetFocus() == edit->handle(); }, 1000));
    EXPECT_FALSE(radio->checked());
    EXPECT_EQ(form->modal_result(), ui::mrNone);  // the default button did not take the Enter
}

TEST_F(EcRadChkForm, AnActionSetsCheckedWithoutAClick) {
    auto* box = add<TEcCheckBox>(form.get(), 10, 10);
    int clicks = 0;
    counting(box, clicks);
    ui::Action action(nullptr);
    action.set_checked(true);
    box->set_action(&action);
    EXPECT_TRUE(box->checked());
    action.set_checked(false);
    EXPECT_FALSE(box->checked());
    EXPECT_EQ(clicks, 0);
    box->set_action(nullptr);
}

// Transparent: the parent is painted beneath, in the control's own bitmap.
TEST_F(EcRadChkForm, TransparentShowsTheParentBeneath) {
    auto* panel = new ui::Panel(form.get());
    panel->set_parent(form.get());
    panel->set_bevel_outer(ui::TBevelCut::bvNone);
    panel->set_color(ui::clYellow);
    panel->set_bounds(10, 10, 200, 60);
    auto* box = add<TEcCheckBox>(panel, 5, 5, "");
    box->set_transparent(true);
    box->set_hot_track(true);
    box->set_checked(true);
    show();
    ui::Bitmap whole;
    ectest::reset(whole, box->width(), box->height());
    box->perform(WM_PAINT, reinterpret_cast<WPARAM>(whole.dc()));
    GdiFlush();
    for (int x : {20, 50, 99}) EXPECT_EQ(whole.pixel(x, 8), ui::color_to_rgb(ui::clYellow)) << x;
    EXPECT_EQ(whole.pixel(0, 0), ui::color_to_rgb(ui::clYellow));  // above the glyph
    EXPECT_EQ(whole.pixel(0, 2), ui::color_to_rgb(ui::clBtnShadow));  // the glyph's frame
}

// A custom strip narrower than its cells draws no glyph instead of reading past its edge.
TEST_F(EcRadChkForm, NarrowCustomStripDrawsNoGlyph) {
    auto* box = add<TEcCheckBox>(form.get(), 10, 10, "");
    ui::Bitmap strip(5, 13);
    strip.canvas().brush().color = ui::clRed;
    strip.canvas().fill_rect({0, 0, 5, 13});
    box->set_custom_glyphs(strip);
    EXPECT_TRUE(box->use_custom_glyphs());
    EXPECT_EQ(box->glyph_width(), 0);
    ui::Bitmap whole;
    ectest::reset(whole, box->width(), box->height());
    box->perform(WM_PAINT, reinterpret_cast<WPARAM>(whole.dc()));
    GdiFlush();
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x) ASSERT_EQ(whole.pixel(x, y), ui::color_to_rgb(box->color())) << x << "," << y;
}

// ---------------------------------------------------------------------------------------------
// The glyphs inside the controls: each state's glyph at its place, the corners in the
// control's colour, nothing else drawn for an empty caption.

class EcRadChkGlyphs : public ::testing::Test {
protected:
    void SetUp() override { window_test::ensure_application(); }

    // Paints the control 40 x 17 and returns the 13 x 13 glyph at (0, 2) after checking that the
    // rest is the control's colour.
    void glyph_of(TEcCustomGlyphButton& c, ui::Bitmap& g) {
        c.set_bounds(0, 0, 40, 17);
        ui::Bitmap whole;
        ectest::reset(whole, 40, 17);
        c.perform(WM_PAINT, reinterpret_cast<WPARAM>(whole.dc()));
        GdiFlush();
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 40; ++x)
                if (x >= 13 || y < 2 || y >= 15) {
                    EXPECT_EQ(whole.pixel(x, y), ui::color_to_rgb(c.color())) << x << "," << y;
                }
        g.set_size(13, 13);
        g.canvas().copy_rect({0, 0, 13, 13}, whole.canvas(), {0, 2, 13, 15});
        GdiFlush();
    }
    static GlyphLook look_for(GlyphDrawState state) {
        GlyphLook look;
        look.state = state;
        look.mark = ui::clHighlight;
        look.hot_dark = kDefaultHotTrackColor;
        look.hot_light = mix_colors(ui::clWhite, kDefaultHotTrackColor, 190);
        return look;
    }
    static void set_state(TEcCustomGlyphButton& c, GlyphDrawState s) {
        c.set_enabled(s != GlyphDrawState::Disabled);
        if (s == GlyphDrawState::Hot) c.perform(ui::CM_MOUSEENTER);
    }
    static bool same(const ui::Bitmap& a, const ui::Bitmap& b) {
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) return false;
        return true;
    }
};

TEST_F(EcRadChkGlyphs, CheckedNormalCheckBox) {
    TEcCheckBox box(nullptr);
    box.set_hot_track(true);
    box.set_checked(true);
    ectest::Legend legend = ectest::system_legend();
    legend['T'] = ui::clHighlight;
    ui::Bitmap g;
    glyph_of(box, g);
    EXPECT_TRUE(ectest::matches(g,
                                {"FFFFFFFFFFFFF", "FWWWWWWWWWWWF", "FWWWWWWWWWWWF", "FWWWWWWWWTWWF", "FWWWWWWWTTWWF",
                                 "FWWTWWWTTTWWF", "FWWTTWTTTWWWF", "FWWTTTTTWWWWF", "FWWWTTTWWWWWF", "FWWWWTWWWWWWF",
                                 "FWWWWWWWWWWWF", "FWWWWWWWWWWWF", "FFFFFFFFFFFFF"},
                                legend));
}

TEST_F(EcRadChkGlyphs, EveryStateOfBothGlyphs) {
    const GlyphDrawState states[] = {GlyphDrawState::Normal, GlyphDrawState::Hot, GlyphDrawState::Pressed,
                                     GlyphDrawState::Disabled};
    for (GlyphDrawState s : states) {
        for (TCheckBoxState cs : {TCheckBoxState::cbUnchecked, TCheckBoxState::cbChecked, TCheckBoxState::cbGrayed}) {
            TEcCheckBox box(nullptr);
            box.set_hot_track(true);
            box.set_state(cs);
            set_state(box, s);
            ui::Bitmap expected(13, 13);
            expected.canvas().brush().color = box.color();
            expected.canvas().fill_rect({0, 0, 13, 13});
            paint_check_glyph(expected.canvas(), {0, 0, 13, 13}, cs, look_for(s));
            GdiFlush();
            if (s == GlyphDrawState::Pressed) continue;  // the mouse's own state, below
            ui::Bitmap got;
            glyph_of(box, got);
            EXPECT_TRUE(same(got, expected)) << "check " << int(s) << " " << int(cs);
        }
        for (bool checked : {false, true}) {
            TEcRadioButton radio(nullptr);
            radio.set_hot_track(true);
            radio.set_checked(checked);
            set_state(radio, s);
            ui::Bitmap expected(13, 13);
            paint_radio_glyph(expected.canvas(), {0, 0, 13, 13}, checked, look_for(s), radio.color(), false,
                              ui::clOlive);
            GdiFlush();
            if (s == GlyphDrawState::Pressed) continue;
            ui::Bitmap got;
            glyph_of(radio, got);
            EXPECT_TRUE(same(got, expected)) << "radio " << int(s) << " " << checked;
        }
    }
}

// The pressed look comes only from the space key or the mouse, so these two live on a form.
TEST_F(EcRadChkForm, PressedGlyphs) {
    auto* box = add<TEcCheckBox>(form.get(), 10, 10, "");
    auto* radio = add<TEcRadioButton>(form.get(), 10, 40, "");
    box->set_hot_track(true);
    radio->set_hot_track(true);
    show();
    const auto glyph_of = [](TEcCustomGlyphButton& c, ui::Bitmap& g) {
        ui::Bitmap whole;
        ectest::reset(whole, c.width(), c.height());
        c.perform(WM_PAINT, reinterpret_cast<WPARAM>(whole.dc()));
        g.set_size(13, 13);
        g.canvas().copy_rect({0, 0, 13, 13}, whole.canvas(), {0, 2, 13, 15});
        GdiFlush();
    };
    GlyphLook look;
    look.state = GlyphDrawState::Pressed;
    look.focused = true;
    look.mark = ui::clHighlight;
    look.hot_dark = kDefaultHotTrackColor;
    look.hot_light = mix_colors(ui::clWhite, kDefaultHotTrackColor, 190);

    box->set_focus();
    SendMessageW(box->handle(), WM_KEYDOWN, VK_SPACE, 1);
    ASSERT_TRUE(box->pressed_look());
    ui::Bitmap expected(13, 13);
    expected.canvas().brush().color = box->color();
    expected.canvas().fill_rect({0, 0, 13, 13});
    paint_check_glyph(expected.canvas(), {0, 0, 13, 13}, TCheckBoxState::cbUnchecked, look);
    GdiFlush();
    ui::Bitmap got;
    glyph_of(*box, got);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) ASSERT_EQ(got.pixel(x, y), expected.pixel(x, y)) << "check " << x << "," << y;
    SendMessageW(box->handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001u));

    SendMessageW(radio->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(radio->pressed_look());
    ui::Bitmap expected_radio(13, 13);
    paint_radio_glyph(expected_radio.canvas(), {0, 0, 13, 13}, false, look, radio->color(), false, ui::clOlive);
    GdiFlush();
    ui::Bitmap got_radio;
    glyph_of(*radio, got_radio);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(got_radio.pixel(x, y), expected_radio.pixel(x, y)) << "radio " << x << "," << y;
    SendMessageW(radio->handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// A sheet of both looks in every state for a person to look at.
TEST_F(EcRadChkForm, ScreenshotOfStates) {
    form->set_bounds(50, 50, 560, 200);
    const char* states[] = {"normal", "hot", "checked", "grayed", "focused", "disabled"};
    std::vector<TEcCustomGlyphButton*> focusable;
    for (int look = 0; look < 2; ++look) {
        for (int s = 0; s < 6; ++s) {
            auto* box = add<TEcCheckBox>(form.get(), 10 + s * 90, 10 + look * 60, states[s]);
            auto* radio = add<TEcRadioButton>(form.get(), 10 + s * 90, 30 + look * 60, states[s]);
            box->set_width(85);
            radio->set_width(85);
            box->set_hot_track(look == 0);
            radio->set_hot_track(look == 0);
            if (s == 1) {
                box->perform(ui::CM_MOUSEENTER);
                radio->perform(ui::CM_MOUSEENTER);
            }
            if (s == 2) box->set_checked(true);
            if (s == 3) box->set_state(TCheckBoxState::cbGrayed);
            if (s >= 2) {
                auto* holder = new ui::Panel(form.get());  // its own parent, so that it stays checked
                holder->set_parent(form.get());
                holder->set_bevel_outer(ui::TBevelCut::bvNone);
                holder->set_bounds(radio->left(), radio->top(), 85, 17);
                radio->set_parent(holder);
                radio->set_bounds(0, 0, 85, 17);
                radio->set_checked(s != 3);
            }
            if (s == 4) focusable.push_back(box);
            if (s == 5) {
                box->set_checked(true);
                box->set_enabled(false);
                radio->set_enabled(false);
            }
        }
    }
    show();
    focusable[0]->set_focus();
    window_test::pump(20);
    EXPECT_TRUE(window_test::save_screenshot(form->handle(), "controls_screenshots", "check_radio_states"));
}

} // namespace
