// Tool bars on a real form: the overflow button shows and hides with the bar's width, its popup
// lists exactly the visible buttons past the line and runs the chosen one's click; a bar in a
// page scroller keeps AutoResize off; the presets and the hand-set values; the overflow
// chevron pixel by pixel; pictures of a wrapped, a vertical and an overflowing bar.
#include <gtest/gtest.h>

#include "controls/ec_button.h"
#include "controls/ec_panel.h"
#include "controls/ec_popups.h"
#include "golden_map.h"
#include "platform/ui/win/comctl_controls.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;

namespace {

constexpr UINT kChoose = WM_APP + 9;

// Four 16 x 16 images in plain colours.
void fill_images(ui::ImageList& list) {
    for (ui::TColor c : {ui::clRed, ui::clLime, ui::clBlue, ui::clOlive}) {
        ui::Bitmap b(16, 16);
        b.canvas().brush().color = c;
        b.canvas().fill_rect({0, 0, 16, 16});
        list.add(b);
    }
}

class EcToolbarForm : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        window_test::errors().clear();
        form = std::make_unique<ui::Form>(nullptr);
        form->set_bounds(100, 100, 420, 300);
        images = new ui::ImageList(form.get());
        fill_images(*images);
        bar = new TEcToolbar(form.get());
        bar->set_parent(form.get());
        bar->set_images(images);
    }
    void TearDown() override {
        form.reset();
        EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front();
    }
    TEcToolButton* button(const std::string& caption, TEcToolbar* on = nullptr) {
        auto* b = new TEcToolButton(form.get());
        b->set_caption(caption);
        b->set_image_index(static_cast<int>(caption.size() + caption.back()) % 4);
        b->set_parent(on ? on : bar);
        return b;
    }
    void show() {
        form->show();
        window_test::pump_until([&] { return IsWindowVisible(form->handle()) != FALSE; }, 500);
    }
    std::unique_ptr<ui::Form> form;
    ui::ImageList* images = nullptr;
    TEcToolbar* bar = nullptr;
};

TEST_F(EcToolbarForm, ButtonsLineUpInTheirOrderAndTheBarFitsItsRows) {
    std::vector<TEcToolButton*> b;
    for (int i = 0; i < 3; ++i) b.push_back(button("b" + std::to_string(i)));
    auto* spacer = new TEcSpacer(form.get());
    spacer->set_parent(bar);
    show();
    EXPECT_EQ(bar->control_list().count(), 4);
    EXPECT_EQ(b[0]->bounds_rect(), (ui::Rect{4, 2, 29, 27}));
    EXPECT_EQ(b[2]->left(), 54);
    EXPECT_EQ(spacer->left(), 79);
    EXPECT_EQ(bar->height(), 25 + 4);

    bar->set_toolbar_align(ui::TAlign::alNone);
    bar->set_width(50);  // 4 + 25 + 25 passes 46
    bar->arrange_controls();
    EXPECT_EQ(b[1]->top(), 27) << "second row";
    b[1]->set_visible(false);
    bar->arrange_controls();
    EXPECT_EQ(b[2]->top(), 27) << "an invisible button takes no room";
    EXPECT_EQ(bar->control_list().index_of(b[1]), 1) << "but keeps its place";
}

TEST_F(EcToolbarForm, RightToLeftBarsStartAtTheRight) {
    bar->set_toolbar_align(ui::TAlign::alNone);
    bar->set_width(200);
    bar->set_bidi_mode(ui::TBiDiMode::bdRightToLeft);
    auto* first = button("first");
    auto* second = button("second");
    bar->arrange_controls();
    EXPECT_EQ(first->left(), 200 - 25 - 4);
    EXPECT_EQ(second->left(), 200 - 25 - 29);
}

TEST_F(EcToolbarForm, PresetsAndHandSetValues) {
    auto* b = button("Go");
    bar->set_text_options(TEcToolbarTextOptions::ttoShowTextLabels);
    EXPECT_EQ(bar->button_layout(), TButtonLayout::blGlyphTop);
    EXPECT_EQ(bar->button_height(), 40);
    EXPECT_EQ(bar->row_height(), 40);
    EXPECT_TRUE(b->show_caption());
    EXPECT_EQ(bar->text_options(), TEcToolbarTextOptions::ttoShowTextLabels);
    bar->set_button_width(70);
    EXPECT_EQ(bar->text_options(), TEcToolbarTextOptions::ttoCustom);
    bar->set_margin(-3);
    bar->set_row_height(0);
    EXPECT_EQ(bar->margin(), 0);
    EXPECT_EQ(bar->row_height(), 1);
}

TEST_F(EcToolbarForm, AutoResizeTellsTheParentItsSize) {
    std::vector<std::pair<WPARAM, LPARAM>> sizes;
    form->on_message(WM_SIZE, [&](ui::Message& m) { sizes.emplace_back(m.wparam, m.lparam); });
    button("b");
    show();
    sizes.clear();
    bar->set_row_height(40);
    EXPECT_EQ(bar->height(), 44);
    window_test::pump_until([&] { return !sizes.empty(); }, 1000);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].first, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(sizes[0].second, MAKELPARAM(form->width(), form->height())) << "the parent's outer size";
}

TEST_F(EcToolbarForm, InAPageScrollerAutoResizeStaysOff) {
    auto* scroller = new ui::PageScroller(form.get());
    scroller->set_parent(form.get());
    auto* inner = new TEcToolbar(form.get());
    inner->set_parent(scroller);
    EXPECT_FALSE(inner->auto_resize());
    inner->set_auto_resize(true);
    EXPECT_FALSE(inner->auto_resize());
}

TEST_F(EcToolbarForm, OverflowPopupListsTheButtonsPastTheLine) {
    bar->set_wrap_controls(false);
    bar->set_toolbar_align(ui::TAlign::alNone);
    bar->set_width(110);  // the line is at 106
    std::vector<TEcToolButton*> b;
    std::vector<int> clicks(6);
    for (int i = 0; i < 6; ++i) {
        b.push_back(button("b" + std::to_string(i)));
        b.back()->on_click = [&clicks, i](ui::Component*) { ++clicks[static_cast<std::size_t>(i)]; };
    }
    b[4]->set_visible(false);
    show();
    bar->arrange_controls();  // the overflow test reads the places of the layout before
    ASSERT_TRUE(bar->overflow_shown());
    TEcToolbarPopupButton* overflow = bar->overflow_button();
    ASSERT_NE(overflow, nullptr);
    EXPECT_TRUE(overflow->visible());
    EXPECT_EQ(overflow->bounds_rect(), (ui::Rect{110 - 14, 0, 110, bar->height()}));

    std::vector<std::string> listed;
    TEcToolButton* to_choose = nullptr;
    overflow->on_popup = [&](ui::Component*) {
        for (ui::Control* c : overflow->popup_toolbar()->controls()) {
            listed.push_back(c->caption());
            if (c->caption() == "b5") to_choose = static_cast<TEcToolButton*>(c);
        }
        PostMessageW(form->handle(), kChoose, 0, 0);
    };
    form->on_message(kChoose, [&](ui::Message&) {
        window_test::save_screenshot(form->handle(), "controls_screenshots", "toolbar_overflow_form");
        window_test::save_screenshot(overflow->popup_panel()->popup_window()->handle(), "controls_screenshots",
                                     "toolbar_overflow_popup");
        ASSERT_NE(to_choose, nullptr);
        to_choose->click();
    });
    SendMessageW(overflow->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(overflow->handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    // 4 + 25 x 4 = 104: b3 ends at 104, b5 (after the invisible b4) at 129.
    EXPECT_EQ(listed, (std::vector<std::string>{"b5"}));
    EXPECT_EQ(clicks, (std::vector<int>{0, 0, 0, 0, 0, 1})) << "the source's click ran, once";
    EXPECT_EQ(overflow->popup_panel(), nullptr);

    bar->set_width(300);
    bar->arrange_controls();
    EXPECT_FALSE(bar->overflow_shown());
    EXPECT_FALSE(overflow->visible());
}

TEST_F(EcToolbarForm, ScreenshotsOfWrappedAndVerticalBars) {
    for (int i = 0; i < 7; ++i) {
        auto* b = button("Tool " + std::to_string(i));
        b->set_visual_style(i % 2 ? TEcVisualStyle::vsGradient : TEcVisualStyle::vsClassic);
        if (i == 3) {
            auto* s = new TEcSpacer(form.get());
            s->set_grooved(true);
            s->set_parent(bar);
        }
    }
    bar->set_text_options(TEcToolbarTextOptions::ttoSelectiveTextOnRight);
    bar->set_toolbar_align(ui::TAlign::alNone);
    bar->set_width(250);
    auto* side = new TEcToolbar(form.get());
    side->set_parent(form.get());
    side->set_images(images);
    side->set_orientation(TOrientation::orVertical);
    side->set_toolbar_align(ui::TAlign::alRight);
    for (int i = 0; i < 5; ++i) button("S" + std::to_string(i), side);
    show();
    bar->arrange_controls();
    side->arrange_controls();
    EXPECT_GT(bar->height(), 2 * 25) << "wrapped onto rows";
    EXPECT_EQ(side->border_sides(), TSides{TSide::sdRight}) << "AutoStyle by the alignment";
    EXPECT_TRUE(window_test::save_screenshot(form->handle(), "controls_screenshots", "toolbars_wrapped_vertical"));
}

// The overflow button's chevron on a classic bar, up and pressed: a bar five rows over the
// point, then rows of 7, 5 and 3 pixels down to it.
TEST(EcToolbarFaces, OverflowChevronUpAndDown) {
    window_test::ensure_application();
    ui::Form form(nullptr);
    auto* bar = new TEcToolbar(&form);
    bar->set_parent(&form);
    bar->set_visual_style(TEcVisualStyle::vsClassic);
    bar->set_color(ui::clBtnFace);
    auto* overflow = new TEcToolbarPopupButton(bar);
    overflow->set_parent(bar);
    overflow->set_bounds(0, 0, 9, 12);
    ectest::Legend legend = ectest::system_legend();
    legend['c'] = ui::clBtnFace;
    legend['d'] = darken_color(ui::clBtnFace, 20);
    ui::Bitmap bitmap;
    const auto paint = [&] {
        ectest::reset(bitmap, 9, 12);
        overflow->perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.dc()));
    };
    paint();
    EXPECT_TRUE(ectest::matches(bitmap, {"SSSSSSSSS", "ScccccccS", "ScccccccS", "SkkkkkkkS", "ScccccccS", "SkkkkkkkS", "SckkkkkcS", "ScckkkccS", "SccckcccS", "ScccccccS", "ScccccccS", "SSSSSSSSS"}, legend)) << "up";
    overflow->perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(overflow->is_down());
    paint();
    EXPECT_TRUE(ectest::matches(bitmap, {"SSSSSSSSS", "SdddddddS", "SdddddddS", "SdddddddS", "SkkkkkkkS", "SdddddddS", "SkkkkkkkS", "SdkkkkkdS", "SddkkkddS", "SdddkdddS", "SdddddddS", "SSSSSSSSS"}, legend)) << "down: darker, one row lower";
    overflow->perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 2));
    EXPECT_FALSE(overflow->is_down()) << "dragged out";
    ReleaseCapture();
}

} // namespace
