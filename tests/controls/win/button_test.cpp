// Push, bit and control buttons on a real form: dialog keys, clicks from outside, latching
// groups, presses dragged out, the space key, auto-repeat with its timer fired by hand, the
// standard kinds; and the faces pixel by pixel.
#include <gtest/gtest.h>

#include "controls/ec_button.h"
#include "controls/ec_common.h"
#include "controls/ec_grafx.h"
#include "golden_map.h"
#include "platform/ui/win/std_controls.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;

namespace {

class EcButtonForm : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        form = std::make_unique<ui::Form>(nullptr);
        form->set_bounds(100, 100, 360, 200);
    }
    void TearDown() override { form.reset(); }

    template <class T>
    T* add(int left, int top, const char* caption = "") {
        auto* c = new T(form.get());
        c->set_parent(form.get());
        c->set_left(left);
        c->set_top(top);
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
    static void send(ui::WinControl* c, UINT msg, int x, int y, WPARAM keys = 0) {
        SendMessageW(c->handle(), msg, keys, MAKELPARAM(x, y));
    }

    std::unique_ptr<ui::Form> form;
};

TEST_F(EcButtonForm, OkAndCancelAnswerEnterAndEscapeUnlessAnotherButtonHasTheFocus) {
    auto* ok = add<TEcBitBtn>(10, 100);
    ok->set_kind(TBitBtnKind::bkOK);
    auto* cancel = add<TEcBitBtn>(100, 100);
    cancel->set_kind(TBitBtnKind::bkCancel);
    auto* other = add<TEcButton>(190, 100, "Other");
    auto* edit = add<ui::Edit>(10, 10);
    int others = 0;
    counting(other, others);
    show();

    edit->set_focus();
    window_test::pump(20);
    EXPECT_TRUE(ok->active());
    window_test::press_key(edit->handle(), VK_RETURN);
    EXPECT_EQ(form->modal_result(), ui::mrOk);
    form->set_modal_result(ui::mrNone);
    window_test::press_key(edit->handle(), VK_ESCAPE);
    EXPECT_EQ(form->modal_result(), ui::mrCancel);

    // A focused push button takes Enter itself; the default one steps back.
    form->set_modal_result(ui::mrNone);
    other->set_focus();
    window_test::pump(20);
    EXPECT_FALSE(ok->active());
    EXPECT_TRUE(other->active());
    window_test::press_key(other->handle(), VK_RETURN);
    EXPECT_EQ(others, 1);
    EXPECT_EQ(form->modal_result(), ui::mrNone);
    EXPECT_EQ(ok->caption(), "OK");
    EXPECT_EQ(cancel->caption(), "Cancel");

    // A button made the default while the form is up takes Enter from then on.
    edit->set_focus();
    window_test::pump(20);
    ok->set_default(false);
    EXPECT_FALSE(ok->active());
    other->set_default(true);
    EXPECT_TRUE(other->active());
    window_test::press_key(edit->handle(), VK_RETURN);
    EXPECT_EQ(others, 2);
}

TEST_F(EcButtonForm, ClickFromOutsideAndAcceleratorsNeedNoMouse) {
    auto* yes = add<TEcBitBtn>(10, 10);
    yes->set_kind(TBitBtnKind::bkYes);
    auto* plain = add<TEcButton>(100, 10, "&Go");
    plain->set_modal_result(ui::mrRetry);
    show();
    // What the skin engine does: Click, nothing else.
    yes->click();
    EXPECT_EQ(form->modal_result(), ui::mrYes);
    // Alt+G through the form's dialog characters.
    PostMessageW(form->handle(), WM_SYSCHAR, L'g', 1 << 29);
    window_test::pump(20);
    EXPECT_EQ(form->modal_result(), ui::mrRetry);
    // A button without a modal result still writes its 0.
    plain->set_modal_result(ui::mrNone);
    plain->click();
    EXPECT_EQ(form->modal_result(), ui::mrNone);
}

TEST_F(EcButtonForm, GroupedButtonsLatchAndTakeTheSendersAllowAllUp) {
    TEcButton* b[3];
    for (int i = 0; i < 3; ++i) {
        b[i] = add<TEcButton>(10 + i * 80, 10, "G");
        b[i]->set_group_index(1);
    }
    auto* loose = add<TEcButton>(10, 60, "loose");
    show();
    window_test::click_at(b[0]->handle(), 10, 10);
    EXPECT_TRUE(b[0]->down());
    EXPECT_EQ(b[0]->state(), ButtonState::Exclusive);
    window_test::click_at(b[1]->handle(), 10, 10);
    EXPECT_TRUE(b[1]->down());
    EXPECT_FALSE(b[0]->down());
    EXPECT_EQ(b[0]->state(), ButtonState::Up);
    // Without AllowAllUp a down button stays down.
    window_test::click_at(b[1]->handle(), 10, 10);
    EXPECT_TRUE(b[1]->down());
    b[1]->set_allow_all_up(true);
    EXPECT_TRUE(b[0]->allow_all_up());
    EXPECT_TRUE(b[2]->allow_all_up());
    window_test::click_at(b[1]->handle(), 10, 10);
    EXPECT_FALSE(b[1]->down());
    // Outside any group Down cannot be set.
    loose->set_down(true);
    EXPECT_FALSE(loose->down());
}

TEST_F(EcButtonForm, PressDraggedOutGivesNoClickSpaceClicks) {
    auto* b = add<TEcButton>(10, 10, "Drag");
    int clicks = 0;
    counting(b, clicks);
    show();
    send(b, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    EXPECT_TRUE(b->pressed_look());
    EXPECT_EQ(GetCapture(), b->handle());
    send(b, WM_MOUSEMOVE, 200, 10, MK_LBUTTON);
    EXPECT_FALSE(b->pressed_look());
    send(b, WM_MOUSEMOVE, 10, 10, MK_LBUTTON);
    EXPECT_TRUE(b->pressed_look());
    send(b, WM_MOUSEMOVE, 200, 10, MK_LBUTTON);
    send(b, WM_LBUTTONUP, 200, 10);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(b->pressed_look());
    EXPECT_NE(GetCapture(), b->handle());

    send(b, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    send(b, WM_LBUTTONUP, 12, 12);
    EXPECT_EQ(clicks, 1);

    SendMessageW(b->handle(), WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(b->pressed_look());
    EXPECT_EQ(clicks, 1);
    SendMessageW(b->handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001u));
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(b->pressed_look());
}

TEST_F(EcButtonForm, HeldControlButtonRepeatsAlsoOutside) {
    auto* cb = add<TEcControlButton>(20, 20);
    cb->set_repeat_clicks(true);
    int clicks = 0;
    counting(cb, clicks);
    show();
    send(form.get(), WM_LBUTTONDOWN, 25, 25, MK_LBUTTON);
    ASSERT_NE(cb->repeat_timer(), nullptr);
    EXPECT_TRUE(cb->is_down());
    EXPECT_TRUE(cb->repeat_timer()->enabled());
    EXPECT_EQ(cb->repeat_timer()->interval(), 400u);
    cb->repeat_timer()->fire();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(cb->repeat_timer()->interval(), 100u);
    send(form.get(), WM_MOUSEMOVE, 300, 150, MK_LBUTTON);  // outside, still holding the mouse
    cb->repeat_timer()->fire();
    cb->repeat_timer()->fire();
    EXPECT_EQ(clicks, 3);
    send(form.get(), WM_LBUTTONUP, 300, 150);
    EXPECT_EQ(clicks, 3);  // released outside: no further click
    EXPECT_FALSE(cb->repeat_timer()->enabled());
    EXPECT_FALSE(cb->is_down());
    // A plain press and release inside clicks once.
    send(form.get(), WM_LBUTTONDOWN, 25, 25, MK_LBUTTON);
    send(form.get(), WM_LBUTTONUP, 25, 25);
    EXPECT_EQ(clicks, 4);
}

TEST_F(EcButtonForm, KindReadsCustomOnceItsValuesChange) {
    auto* b = add<TEcBitBtn>(10, 10);
    b->set_kind(TBitBtnKind::bkOK);
    EXPECT_EQ(b->kind(), TBitBtnKind::bkOK);
    EXPECT_EQ(b->num_glyphs(), 2);
    EXPECT_EQ(b->glyph().width(), 32);
    EXPECT_TRUE(b->is_default());
    b->set_modal_result(ui::mrCancel);
    EXPECT_EQ(b->kind(), TBitBtnKind::bkCustom);

    auto* g = add<TEcBitBtn>(100, 10);
    g->set_kind(TBitBtnKind::bkClose);
    ui::Bitmap own(64, 16);
    g->set_glyph(own);
    EXPECT_EQ(g->kind(), TBitBtnKind::bkCustom);  // a glyph of its own
    EXPECT_EQ(g->num_glyphs(), 4);
    g->set_num_glyphs(9);
    EXPECT_EQ(g->num_glyphs(), 4);
    g->set_margin(-5);
    EXPECT_EQ(g->margin(), 2);  // below -1 is ignored

    // An image index the list does not hold draws no glyph, and nothing fails.
    auto* images = new ui::ImageList(form.get());
    ui::Bitmap one(16, 16);
    images->add(one);
    auto* listed = add<TEcBitBtn>(10, 60, "");
    listed->set_images(images);
    listed->set_image_index(5);
    ui::Bitmap face;
    face.set_size(listed->width(), listed->height());
    listed->perform(WM_PAINT, reinterpret_cast<WPARAM>(face.dc()));
    GdiFlush();
    const ui::Rect where = listed->glyph_rect();
    for (int y = where.top; y < where.bottom; ++y)
        for (int x = where.left; x < where.right; ++x) ASSERT_NE(face.pixel(x, y), 0u) << x << "," << y;  // no black image
}

// ---------------------------------------------------------------------------------------------
// Faces pixel by pixel, painted through WM_PAINT into a memory bitmap.

class EcButtonFaces : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        set_display_traits({0, false});  // flat faces: no gradient
        legend = ectest::system_legend();
        legend['c'] = ui::clBtnFace;
        legend['a'] = darken_color(ui::clBtnFace, 20);
        legend['b'] = lighten_color(ui::clBtnFace, 20);
        legend['e'] = darken_color(ui::clBtnFace, 30);
        legend['p'] = darken_color(ui::clBtnFace, 10);
        legend['s'] = ui::clSilver;
        legend['w'] = ui::clWindowFrame;
    }
    void TearDown() override { set_display_traits({0, true}); }
    void paint(TEcButton& b, int w, int h) {
        b.set_bounds(0, 0, w, h);
        ectest::reset(bitmap, w, h);
        b.perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.dc()));
    }
    ectest::Legend legend;
    ui::Bitmap bitmap;
};

TEST_F(EcButtonFaces, HotTrackLook) {
    // The face's gradient rows, as the gradient painter makes them.
    ui::Bitmap reference(8, 4);
    paint_gradient_fill(reference.canvas(), {0, 0, 8, 4}, TGradientDirection::gdHorizontalEnd,
                        lighten_color(ui::clBtnFace, 30), darken_color(ui::clBtnFace, 10), 1);
    GdiFlush();
    for (int y = 0; y < 4; ++y) legend[static_cast<char>('0' + y)] = static_cast<ui::TColor>(reference.pixel(0, y));

    TEcButton b(nullptr);
    b.set_hot_track(true);
    b.set_theme_aware(false);
    paint(b, 12, 10);
    const Rows frame_top{"..aaaaaaaa..", ".aDDDDDDDDa."}, frame_bottom{".aDDDDDDDDb.", "..bbbbbbbb.."};
    auto with_frame = [&](Rows face) {
        Rows rows = frame_top;
        for (const std::string& f : face) rows.push_back("aD" + f + "Db");
        rows.insert(rows.end(), frame_bottom.begin(), frame_bottom.end());
        return rows;
    };
    EXPECT_TRUE(ectest::matches(
        bitmap, with_frame({"00000000", "11111111", "22222222", "33333333", "aaaaaaaa", "eeeeeeee"}), legend))
        << "normal: gradient, then two darker lines";

    b.set_group_index(1);
    b.set_down(true);
    paint(b, 12, 10);
    EXPECT_TRUE(ectest::matches(
        bitmap, with_frame({"scscscsc", "cscscscs", "scscscsc", "cscscscs", "scscscsc", "cscscscs"}), legend))
        << "latched down: silver checker on the face";
    b.set_show_down_pattern(false);
    paint(b, 12, 10);
    EXPECT_TRUE(ectest::matches(bitmap, with_frame(Rows(6, "pppppppp")), legend)) << "down without the pattern";

    b.set_enabled(false);
    legend['d'] = lighten_color(ui::clBtnShadow, 30);
    paint(b, 12, 10);
    EXPECT_TRUE(ectest::matches(bitmap, {"............", "..dddddddd..", ".dccccccccd.", ".dccccccccd.",
                                         ".dccccccccd.", ".dccccccccd.", ".dccccccccd.", ".dccccccccd.",
                                         "..dddddddd..", "............"},
                                legend))
        << "disabled";
}

TEST_F(EcButtonFaces, ClassicLook) {
    TEcButton b(nullptr);
    b.set_theme_aware(false);
    paint(b, 8, 6);
    EXPECT_TRUE(ectest::matches(bitmap, {"HHHHHHHD", "HLLLLLFD", "HLccccFD", "HLccccFD", "HFFFFFFD", "DDDDDDDD"}, legend))
        << "up";
    b.set_group_index(2);
    b.set_down(true);
    paint(b, 8, 6);
    EXPECT_TRUE(ectest::matches(bitmap, {"SSSSSSSH", "SDDDDDLH", "SDscscLH", "SDcscsLH", "SLLLLLLH", "HHHHHHHH"}, legend))
        << "latched down: lowered, with the checker";
}

TEST_F(EcButtonFaces, ControlButtonFrames) {
    const auto face = [&](bool flat, bool hot, bool down) {
        TEcControlButton b(nullptr);
        b.set_flat(flat);
        b.set_bounds(0, 0, 6, 6);
        if (hot) b.perform(ui::CM_MOUSEENTER);
        if (down) b.perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ectest::reset(bitmap, 6, 6);
        b.paint_to(bitmap.dc());
    };
    face(false, false, false);
    EXPECT_TRUE(ectest::matches(bitmap, {"LLLLLD", "LHHHSD", "LHccSD", "LHccSD", "LSSSSD", "DDDDDD"}, legend)) << "up";
    face(false, false, true);
    EXPECT_TRUE(ectest::matches(bitmap, {"SSSSSS", "SccccS", "SccccS", "SccccS", "SccccS", "SSSSSS"}, legend)) << "down";
    face(true, false, false);
    EXPECT_TRUE(ectest::matches(bitmap, Rows(6, "cccccc"), legend)) << "flat";
    face(true, true, false);
    EXPECT_TRUE(ectest::matches(bitmap, {"HHHHHS", "HccccS", "HccccS", "HccccS", "HccccS", "SSSSSS"}, legend))
        << "flat, hot";
    face(true, true, true);
    EXPECT_TRUE(ectest::matches(bitmap, {"SSSSSH", "SccccH", "SccccH", "SccccH", "SccccH", "HHHHHH"}, legend))
        << "flat, down";
}

// A sheet of every look and state, and of every kind, for a person to look at.
TEST_F(EcButtonForm, ScreenshotOfLooksStatesAndKinds) {
    form->set_bounds(50, 50, 620, 330);
    const char* states[] = {"normal", "hot", "down", "focused", "disabled"};
    std::vector<TEcButton*> focusable;
    for (int look = 0; look < 2; ++look) {
        for (int s = 0; s < 5; ++s) {
            auto* b = add<TEcButton>(10 + s * 100, 10 + look * 35, states[s]);
            b->set_hot_track(look == 0);
            b->set_width(90);
            if (s == 1) b->perform(ui::CM_MOUSEENTER);
            if (s == 2) {
                b->set_group_index(10 + look);
                b->set_down(true);
            }
            if (s == 3) focusable.push_back(b);
            if (s == 4) b->set_enabled(false);
        }
    }
    for (int k = 1; k < 11; ++k) {
        auto* bit = add<TEcBitBtn>(10 + ((k - 1) % 5) * 100, 90 + ((k - 1) / 5) * 35);
        bit->set_kind(static_cast<TBitBtnKind>(k));
        bit->set_width(90);
        bit->set_hot_track(k % 2 == 0);
    }
    auto* off = add<TEcBitBtn>(10, 170, "Disabled");
    off->set_kind(TBitBtnKind::bkOK);
    off->set_caption("Disabled");
    off->set_width(90);
    off->set_enabled(false);
    const TEcControlButtonStyle styles[] = {TEcControlButtonStyle::cbsLeft, TEcControlButtonStyle::cbsUp,
                                            TEcControlButtonStyle::cbsRight, TEcControlButtonStyle::cbsDown,
                                            TEcControlButtonStyle::cbsDropDown};
    for (int i = 0; i < 5; ++i) add<TEcControlButton>(120 + i * 20, 170)->set_style(styles[i]);
    show();
    focusable[1]->set_focus();
    window_test::pump(20);
    EXPECT_TRUE(window_test::save_screenshot(form->handle(), "controls_screenshots", "buttons_hot_track_classic"));
    focusable[0]->set_focus();
    window_test::pump(20);
    EXPECT_TRUE(window_test::save_screenshot(form->handle(), "controls_screenshots", "buttons_hot_track_focused"));
}

} // namespace
