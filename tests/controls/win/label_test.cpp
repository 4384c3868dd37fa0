// The label: text styles as offset copies of the plain text, disabled grey, auto size, ellipses,
// blinking in step, angles and rotation, stored descriptions, and a sheet of every look.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "controls/ec_label.h"
#include "controls/register_control_set.h"
#include "golden_map.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/win/forms.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;

namespace {

constexpr ui::TColor kRed = ui::rgb(255, 0, 0), kBlue = ui::rgb(0, 0, 255), kFace = ui::rgb(200, 200, 200);

std::unique_ptr<ui::Bitmap> picture_of(TEcLabel& label) {
    auto bitmap = std::make_unique<ui::Bitmap>();
    ectest::reset(*bitmap, label.width(), label.height());
    label.paint_to(bitmap->dc());
    return bitmap;
}

// What the label should show: its colour, then each (colour, dx, dy) copy of the text drawn by
// DrawText into `rect` moved by (dx, dy).
using Copies = std::vector<std::tuple<ui::TColor, int, int>>;
std::unique_ptr<ui::Bitmap> expected_of(TEcLabel& label, const ui::Rect& rect, UINT flags, const Copies& copies) {
    auto bitmap = std::make_unique<ui::Bitmap>();
    ectest::reset(*bitmap, label.width(), label.height());
    ui::Canvas& c = bitmap->canvas();
    c.brush().style = ui::TBrushStyle::bsSolid;
    c.brush().color = label.color();
    c.fill_rect({0, 0, label.width(), label.height()});
    c.brush().style = ui::TBrushStyle::bsClear;
    for (const auto& [color, dx, dy] : copies) {
        c.font().assign(label.font());
        c.font().set_color(color);
        ui::Rect at{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
        c.draw_text(label.caption(), at, flags);
    }
    return bitmap;
}

::testing::AssertionResult same_pixels(const ui::Bitmap& a, const ui::Bitmap& b) {
    GdiFlush();
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ";
}

class EcLabel : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        window_test::errors().clear();
        register_control_set_classes();
    }
    void TearDown() override { EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front(); }

    // A fixed 120 x 28 label with a 3-pixel margin, so that the offset copies stay inside.
    static void fixed(TEcLabel& label) {
        label.set_auto_size(false);
        label.set_bounds(0, 0, 120, 28);
        label.set_color(kFace);
        label.set_text_margin(3);
        label.font().set_name("Arial");
        label.font().set_height(-16);
        label.font().set_color(ui::clBlack);
        label.set_highlight_color(kRed);
        label.set_shadow_color(kBlue);
        label.set_caption("Velquist 42");
    }
};

TEST_F(EcLabel, TextStylesAreOffsetCopiesOfThePlainText) {
    const ui::Rect inside{3, 3, 117, 25};
    const UINT flags = DT_EXPANDTABS | DT_LEFT;
    struct Case {
        const char* what;
        TTextStyle style;
        bool light, enabled;
        Copies copies;
    };
    const Case cases[] = {
        {"plain", TTextStyle::tsNormal, false, true, {{ui::clBlack, 0, 0}}},
        {"raised", TTextStyle::tsRaised, false, true, {{kBlue, 1, 1}, {kRed, -1, -1}, {ui::clBlack, 0, 0}}},
        {"raised light", TTextStyle::tsRaised, true, true, {{kRed, -1, -1}, {ui::clBlack, 0, 0}}},
        {"recessed", TTextStyle::tsRecessed, false, true, {{kRed, 1, 1}, {kBlue, -1, -1}, {ui::clBlack, 0, 0}}},
        {"recessed light", TTextStyle::tsRecessed, true, true, {{kRed, 1, 1}, {ui::clBlack, 0, 0}}},
        {"shadow", TTextStyle::tsShadow, false, true, {{kBlue, 2, 2}, {ui::clBlack, 0, 0}}},
        {"disabled: grey only", TTextStyle::tsRaised, false, false, {{ui::clGrayText, 0, 0}}},
    };
    for (const Case& c : cases) {
        TEcLabel label(nullptr);
        fixed(label);
        label.set_text_style(c.style);
        label.set_light_text_style(c.light);
        label.set_enabled(c.enabled);
        EXPECT_TRUE(same_pixels(*picture_of(label), *expected_of(label, inside, flags, c.copies))) << c.what;
    }

    // Right-aligned shadowed text moves left to make room for its shadow.
    TEcLabel right(nullptr);
    fixed(right);
    right.set_alignment(ui::TAlignment::taRightJustify);
    right.set_text_style(TTextStyle::tsShadow);
    EXPECT_TRUE(same_pixels(*picture_of(right),
                            *expected_of(right, {1, 3, 115, 25}, DT_EXPANDTABS | DT_RIGHT,
                                         {{kBlue, 2, 2}, {ui::clBlack, 0, 0}})));
}

TEST_F(EcLabel, AutoSizeAndCondensing) {
    TEcLabel label(nullptr);
    label.set_bounds(100, 10, 10, 10);
    label.set_alignment(ui::TAlignment::taRightJustify);
    label.set_caption("ab");
    const int right = label.left() + label.width();
    const int short_width = label.width();
    label.set_caption("abcdefghijk");
    EXPECT_GT(label.width(), short_width);
    EXPECT_EQ(label.left() + label.width(), right);  // grew to the left

    // Borders add their sides; the bold flat frame adds nothing.
    const int plain = label.width();
    label.set_border_outer(TFrameStyleEx::fsGroove);
    EXPECT_EQ(label.width(), plain + 4);
    label.set_border_outer(TFrameStyleEx::fsFlatBold);
    EXPECT_EQ(label.width(), plain);
    label.set_border_outer(TFrameStyleEx::fsNone);

    // A turned label takes the box of its turned text.
    const int w = label.width(), h = label.height();
    label.set_angle(90);
    EXPECT_EQ(label.rotation(), TRotation::roFlat);
    EXPECT_EQ(label.width(), h);
    EXPECT_EQ(label.height(), w);

    TEcLabel narrow(nullptr);
    fixed(narrow);
    narrow.set_auto_size(true);
    narrow.set_caption("Recording 20261210-083000.wav");
    narrow.set_condense_caption(TEcCondenseCaption::ccAtEnd);
    EXPECT_FALSE(narrow.auto_size());
    narrow.set_bounds(0, 0, 90, 28);
    const auto shown = picture_of(narrow);
    EXPECT_TRUE(same_pixels(*shown, *expected_of(narrow, {3, 3, 87, 25}, DT_EXPANDTABS | DT_LEFT | DT_END_ELLIPSIS,
                                                 {{ui::clBlack, 0, 0}})));
    EXPECT_FALSE(same_pixels(*shown, *expected_of(narrow, {3, 3, 87, 25}, DT_EXPANDTABS | DT_LEFT,
                                                  {{ui::clBlack, 0, 0}})));
}

TEST_F(EcLabel, AnglesAndRotation) {
    TEcLabel label(nullptr);
    const std::pair<int, int> angles[] = {{-90, 270}, {450, 90}, {-450, 270}, {359, 359}, {720, 0}};
    for (const auto& [given, stored] : angles) {
        label.set_angle(given);
        EXPECT_EQ(label.angle(), stored) << given;
    }
    label.set_angle(30);
    EXPECT_EQ(label.rotation(), TRotation::roFlat);
    label.set_rotation(TRotation::roFlat);
    EXPECT_EQ(label.angle(), 0);
    label.set_center_point(TCenterPoint::cpLowerLeft);
    label.set_rotation(TRotation::roCurve);
    label.set_angle(45);
    EXPECT_EQ(label.angle(), 45);
    EXPECT_EQ(label.center_point(), TCenterPoint::cpLowerLeft);
    label.set_rotation(TRotation::roFlat);
    EXPECT_EQ(label.center_point(), TCenterPoint::cpCenter);

    // An arc on a label too small for it draws no character.
    TEcLabel small(nullptr);
    fixed(small);
    small.set_rotation(TRotation::roCurve);
    small.set_border_width(2);
    small.set_bounds(0, 0, 8, 40);
    const auto with_text = picture_of(small);
    small.set_caption("");
    EXPECT_TRUE(same_pixels(*with_text, *picture_of(small)));
}

TEST_F(EcLabel, TwoLabelsBlinkInStep) {
    TEcLabel a(nullptr), b(nullptr), still(nullptr);
    for (TEcLabel* l : {&a, &b, &still}) l->font().set_color(ui::clBlack);
    a.set_blink_color(kRed);
    b.set_blink_color(kRed);
    a.set_blinking(true);
    b.set_blinking(true);
    ASSERT_NE(blink_list(), nullptr);
    EXPECT_EQ(blink_list()->registered_count(), 3);
    std::vector<std::tuple<ui::TColor, ui::TColor, ui::TColor>> seen;
    for (int i = 0; i < 3; ++i) {
        blink_list()->tick();
        seen.emplace_back(a.text_color(), b.text_color(), still.text_color());
    }
    const auto black = ui::clBlack;
    EXPECT_EQ(seen, (std::vector<std::tuple<ui::TColor, ui::TColor, ui::TColor>>{
                        {black, black, black}, {kRed, kRed, black}, {black, black, black}}));

    a.set_blink_interval_on(300);
    EXPECT_EQ(b.blink_interval_on(), 300);
    blink_list()->tick();
    a.set_blinking(false);
    EXPECT_EQ(a.text_color(), black);
    EXPECT_EQ(b.text_color(), kRed);
    a.set_blink_interval_on(500);
}

TEST_F(EcLabel, FlyByColourWhileTheMouseIsOver) {
    TEcLabel label(nullptr);
    label.font().set_color(ui::clBlack);
    label.set_fly_by_color(kBlue);
    label.set_fly_by_enabled(true);
    int entered = 0;
    label.on_mouse_enter = [&](ui::Component*) { ++entered; };
    label.perform(ui::CM_MOUSEENTER);
    EXPECT_EQ(label.font().color(), kBlue);
    EXPECT_EQ(label.text_color(), kBlue);
    EXPECT_EQ(entered, 1);
    label.perform(ui::CM_MOUSELEAVE);
    EXPECT_EQ(label.font().color(), ui::clBlack);
    label.perform(ui::CM_MOUSEENTER);
    label.set_fly_by_enabled(false);
    EXPECT_EQ(label.font().color(), ui::clBlack);
}

TEST_F(EcLabel, DescriptionsRoundTrip) {
    ui::Form form(nullptr);
    form.set_name("Form1");
    auto* label = new TEcLabel(&form);
    label->set_name("lblTitle");
    label->set_parent(&form);
    label->set_caption("Velquist");
    label->set_text_style(TTextStyle::tsRecessed);
    label->set_angle(-90);
    label->set_border_sides(TSides{TSide::sdBottom});
    const std::string text = ui::write_description(form);
    EXPECT_NE(text.find("Angle = 270"), std::string::npos) << text;
    EXPECT_NE(text.find("Rotation = roFlat"), std::string::npos) << text;
    EXPECT_EQ(text.find("BlinkInterval"), std::string::npos) << text;
    ui::Form again(nullptr);
    ui::read_description(again, text);
    EXPECT_EQ(ui::write_description(again), text);

    ui::Form old(nullptr);
    ui::read_description(old, "object Form1: TForm\n  object lbl: TEcLabel\n    Caption = 'x'\n    Angle = 45\n"
                              "    FrameSides = [sdLeft]\n  end\nend\n");
    auto* read = dynamic_cast<TEcLabel*>(old.find_component("lbl"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->rotation(), TRotation::roFlat);  // a stored angle turns the text after loading
    EXPECT_EQ(ui::write_description(old).find("FrameSides"), std::string::npos);
}

TEST_F(EcLabel, SheetOfEveryLook) {
    ui::Form form(nullptr);
    form.set_bounds(0, 0, 520, 300);
    form.set_color(kFace);
    struct Look {
        const char* caption;
        int x, y;
        TTextStyle style;
        int angle;
        TRotation rotation;
        bool enabled;
    };
    const Look looks[] = {
        {"Normal", 10, 10, TTextStyle::tsNormal, 0, TRotation::roNone, true},
        {"Raised", 10, 40, TTextStyle::tsRaised, 0, TRotation::roNone, true},
        {"Recessed", 10, 70, TTextStyle::tsRecessed, 0, TRotation::roNone, true},
        {"Shadow", 10, 100, TTextStyle::tsShadow, 0, TRotation::roNone, true},
        {"Disabled", 10, 130, TTextStyle::tsRaised, 0, TRotation::roNone, false},
        {"Turned 45", 150, 10, TTextStyle::tsNormal, 45, TRotation::roFlat, true},
        {"Turned 90", 260, 10, TTextStyle::tsNormal, 90, TRotation::roFlat, true},
        {"Turned 180", 150, 150, TTextStyle::tsShadow, 180, TRotation::roFlat, true},
        {"Turned 270", 300, 10, TTextStyle::tsRaised, 270, TRotation::roFlat, true},
        {"Along an arc of text", 340, 60, TTextStyle::tsNormal, 80, TRotation::roCurve, true},
    };
    for (const Look& l : looks) {
        auto* label = new TEcLabel(&form);
        label->set_parent(&form);
        label->font().set_name("Arial");
        label->font().set_height(-18);
        label->font().set_color(ui::rgb(20, 40, 120));
        label->set_caption(l.caption);
        label->set_left(l.x);
        label->set_top(l.y);
        label->set_text_style(l.style);
        label->set_rotation(l.rotation);
        label->set_angle(l.angle);
        label->set_enabled(l.enabled);
        if (l.rotation == TRotation::roCurve) {
            label->set_auto_size(false);
            label->set_center_point(TCenterPoint::cpLowerCenter);
            label->set_bounds(l.x, l.y, 160, 160);
        }
    }
    form.show();
    window_test::pump(0);
    EXPECT_TRUE(window_test::save_screenshot(form.handle(), "controls_screenshots", "labels"));
}

} // namespace
