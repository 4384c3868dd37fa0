// Panels, group boxes and spacers: borders and group-box styles pixel by pixel, children laid
// out inside the borders, the aligned edge kept, enabled states remembered across disabling,
// and a resize that repaints only the uncovered strips.
#include <gtest/gtest.h>

#include "controls/ec_panel.h"
#include "golden_map.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;

namespace {

class EcPanelPaint : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        legend = ectest::system_legend();
        legend['c'] = ui::clBtnFace;
        legend['y'] = ui::clYellow;
        legend['l'] = shift_color_lightness(ui::clBtnShadow, 30);
    }
    void paint(ui::Control& c, int w, int h) {
        c.set_bounds(0, 0, w, h);
        ectest::reset(bitmap, w, h);
        if (dynamic_cast<ui::WinControl*>(&c)) c.perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.dc()));
        else c.paint_to(bitmap.dc());
    }
    ectest::Legend legend;
    ui::Bitmap bitmap;
};

TEST_F(EcPanelPaint, BordersFromTheFrameTables) {
    TEcPanel p(nullptr);
    paint(p, 6, 6);
    EXPECT_TRUE(ectest::matches(bitmap, {"LLLLLD", "LHHHSD", "LHccSD", "LHccSD", "LSSSSD", "DDDDDD"}, legend))
        << "raised";
    p.set_border_outer(TFrameStyleEx::fsFlat);
    p.set_border_inner(TFrameStyleEx::fsStatus);
    p.set_border_width(1);
    p.set_border_color(ui::clYellow);
    paint(p, 7, 7);
    EXPECT_TRUE(ectest::matches(bitmap, {"lllllll", "lyyyyyl", "lySSHyl", "lyScHyl", "lyHHHyl", "lyyyyyl", "lllllll"},
                                legend))
        << "flat outer, band, status inner";
    p.set_border_sides(TSides{TSide::sdTop});
    p.set_border_inner(TFrameStyleEx::fsNone);
    p.set_border_width(0);
    paint(p, 4, 3);
    EXPECT_TRUE(ectest::matches(bitmap, {"llll", "cccc", "cccc"}, legend)) << "top only";
}

TEST_F(EcPanelPaint, GridDotsAndLinesAndZeroPitch) {
    TEcPanel p(nullptr);
    p.set_border_outer(TFrameStyleEx::fsNone);
    p.set_show_grid(true);
    p.set_grid_color(ui::clYellow);
    p.set_grid_x_size(3);
    p.set_grid_y_size(2);
    paint(p, 7, 5);
    EXPECT_TRUE(ectest::matches(bitmap, {"ccccccc", "ccyccyc", "ccccccc", "ccyccyc", "ccccccc"}, legend)) << "dots";
    p.set_grid_style(TEcGridStyle::gsSolidLines);
    paint(p, 7, 5);
    EXPECT_TRUE(ectest::matches(bitmap, {"ccyccyc", "yyyyyyy", "ccyccyc", "yyyyyyy", "ccyccyc"}, legend)) << "solid";
    p.set_grid_x_size(0);
    paint(p, 7, 5);
    EXPECT_TRUE(ectest::matches(bitmap, {"ccccccc", "yyyyyyy", "ccccccc", "yyyyyyy", "ccccccc"}, legend))
        << "no columns: horizontal lines only";
    p.set_grid_style(TEcGridStyle::gsDots);
    paint(p, 7, 5);
    EXPECT_TRUE(ectest::matches(bitmap, Rows(5, "ccccccc"), legend)) << "no columns: no dots";
}

TEST_F(EcPanelPaint, GroupBoxStylesWithoutThemes) {
    TEcGroupBox g(nullptr);
    ui::Bitmap probe(1, 1);
    probe.canvas().font().assign(g.font());
    const int top = probe.canvas().text_height("Pp") / 2 - 1;
    // Rows above the frame are the box's colour.
    const auto framed = [top](Rows frame) {
        Rows rows(static_cast<std::size_t>(top), std::string(frame.front().size(), 'c'));
        rows.insert(rows.end(), frame.begin(), frame.end());
        return rows;
    };
    struct Case {
        TEcGroupBoxStyle style;
        Rows frame;
    };
    const Case cases[] = {
        {TEcGroupBoxStyle::gsFlat, {"cclllcc", "clcccl" "c", "lcccccl", "lcccccl", "clcccl" "c", "cclllcc"}},
        {TEcGroupBoxStyle::gsStandard, {"SSSSSSH", "SHHHHSH", "SHcccSH", "SHcccSH", "SSSSSSH", "HHHHHHH"}},
        {TEcGroupBoxStyle::gsTopLine, {"SSSSSSS", "HHHHHHH", "ccccccc", "ccccccc", "ccccccc", "ccccccc"}},
        {TEcGroupBoxStyle::gsUnderline, Rows(6, "ccccccc")},  // no caption: nothing to underline
        {TEcGroupBoxStyle::gsBanner, Rows(6, "ccccccc")},
    };
    for (const Case& c : cases) {
        g.set_group_style(c.style);
        paint(g, 7, top + 6);
        EXPECT_TRUE(ectest::matches(bitmap, framed(c.frame), legend)) << int(c.style);
    }
}

// The underline lies inside the caption's rectangle; the caption's fill must not wipe it.
TEST_F(EcPanelPaint, UnderlineSurvivesTheCaption) {
    TEcGroupBox g(nullptr);
    g.set_group_style(TEcGroupBoxStyle::gsUnderline);
    g.set_caption("A");
    paint(g, 60, 40);
    ui::Bitmap probe(1, 1);
    probe.canvas().font().assign(g.font());
    const int y = probe.canvas().text_height("A") + 2 - 1;
    GdiFlush();
    for (int x : {0, 30, 59}) EXPECT_EQ(bitmap.pixel(x, y), ui::color_to_rgb(legend['l'])) << x;
}

TEST_F(EcPanelPaint, SpacerGroove) {
    TEcSpacer s(nullptr);
    paint(s, 4, 5);
    EXPECT_TRUE(ectest::matches(bitmap, Rows(5, "...."), legend)) << "plain: nothing";
    s.set_grooved(true);
    paint(s, 4, 5);
    EXPECT_TRUE(ectest::matches(bitmap, {"....", ".SH.", ".SH.", ".SH.", ".SH."}, legend)) << "upright";
    paint(s, 5, 4);
    EXPECT_TRUE(ectest::matches(bitmap, {".....", ".SSSS", ".HHHH", "....."}, legend)) << "lying";
    s.set_orientation(TOrientation::orVertical);
    EXPECT_EQ(s.width(), 4);
    EXPECT_EQ(s.height(), 5);
}

// ---------------------------------------------------------------------------------------------

class EcPanelForm : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        form = std::make_unique<ui::Form>(nullptr);
        form->set_bounds(100, 100, 400, 300);
    }
    void TearDown() override { form.reset(); }
    template <class T>
    T* add(ui::WinControl* parent) {
        auto* c = new T(form.get());
        c->set_parent(parent);
        return c;
    }
    std::unique_ptr<ui::Form> form;
};

TEST_F(EcPanelForm, ChildrenSitInsideTheBordersAndTheAlignedEdgeStays) {
    auto* p = add<TEcPanel>(form.get());
    p->set_bounds(10, 10, 100, 60);
    auto* child = add<ui::Panel>(p);
    child->set_align(ui::TAlign::alClient);
    EXPECT_EQ(child->bounds_rect(), (ui::Rect{2, 2, 98, 58}));
    p->set_border_sides(TSides{TSide::sdTop});
    EXPECT_EQ(child->bounds_rect(), (ui::Rect{0, 2, 100, 60}));

    auto* bottom = add<TEcPanel>(form.get());
    bottom->set_align(ui::TAlign::alBottom);
    const int bottom_edge = bottom->top() + bottom->height();
    bottom->set_height(bottom->height() + 20);
    EXPECT_EQ(bottom->top() + bottom->height(), bottom_edge);

    auto* box = add<TEcGroupBox>(form.get());
    box->set_group_style(TEcGroupBoxStyle::gsStandard);
    box->set_caption("Box");
    auto* inner = add<ui::Panel>(box);
    inner->set_align(ui::TAlign::alClient);
    EXPECT_EQ(inner->top(), box->caption_text_height() + 2);
    box->set_group_style(TEcGroupBoxStyle::gsBanner);
    EXPECT_EQ(inner->top(), box->caption_text_height() + 8);
}

TEST_F(EcPanelForm, EnabledStatesSurviveDisablingAndForgetChildrenThatLeave) {
    auto* p = add<TEcPanel>(form.get());
    auto* was_on = add<ui::Panel>(p);
    auto* was_off = add<ui::Panel>(p);
    auto* leaving = add<ui::Panel>(p);
    was_off->set_enabled(false);
    form->show();
    p->set_enabled(false);
    EXPECT_FALSE(was_on->enabled());
    EXPECT_EQ(p->enabled_states().count(), 3);
    auto* added = add<ui::Panel>(p);  // added while the panel is disabled
    leaving->set_parent(form.get());
    EXPECT_EQ(p->enabled_states().count(), 2);
    p->set_enabled(true);
    EXPECT_TRUE(was_on->enabled());
    EXPECT_FALSE(was_off->enabled());
    EXPECT_TRUE(added->enabled());
}

TEST_F(EcPanelForm, ResizeWithoutFullRepaintInvalidatesOnlyTheUncoveredStrips) {
    auto* p = add<TEcPanel>(form.get());
    p->set_bounds(10, 10, 100, 50);
    p->set_full_repaint(false);
    form->show();
    window_test::pump(30);
    UpdateWindow(p->handle());
    p->set_bounds(10, 10, 120, 50);
    ui::Region region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetUpdateRgn(p->handle(), region.get(), FALSE), ERROR);
    RECT box{};
    GetRgnBox(region.get(), &box);
    // The old right border (from the inner edge less one) and what the resize uncovered.
    EXPECT_EQ(ui::from_rect(box), (ui::Rect{97, 0, 120, 50}));
    EXPECT_FALSE(region.contains(50, 25));

    ValidateRect(p->handle(), nullptr);
    p->set_full_repaint(true);
    p->set_bounds(10, 10, 120, 40);
    ASSERT_NE(GetUpdateRgn(p->handle(), region.get(), FALSE), ERROR);
    EXPECT_TRUE(region.contains(50, 20));
}

// A sheet of borders, fills, grids, every group-box style and the spacers, enabled and not.
TEST_F(EcPanelForm, ScreenshotOfPanelsGroupBoxesAndSpacers) {
    form->set_bounds(50, 50, 640, 360);
    const TFrameStyleEx outers[] = {TFrameStyleEx::fsRaised, TFrameStyleEx::fsFlatRounded, TFrameStyleEx::fsFlat,
                                    TFrameStyleEx::fsPopup, TFrameStyleEx::fsGroove};
    for (int i = 0; i < 5; ++i) {
        auto* p = add<TEcPanel>(form.get());
        p->set_bounds(10 + i * 120, 10, 110, 60);
        p->set_border_outer(outers[i]);
        p->set_caption(enum_info(TFrameStyleEx{}).name_of(static_cast<int>(outers[i])));
        if (i == 1) p->set_visual_style(TEcVisualStyle::vsGradient);
        if (i == 2) {
            p->set_show_grid(true);
            p->set_border_inner(TFrameStyleEx::fsLowered);
            p->set_border_width(2);
        }
        if (i == 4) p->set_enabled(false);
    }
    const TEcGroupBoxStyle styles[] = {TEcGroupBoxStyle::gsStandard, TEcGroupBoxStyle::gsCustom,
                                       TEcGroupBoxStyle::gsTopLine,  TEcGroupBoxStyle::gsFlat,
                                       TEcGroupBoxStyle::gsBanner,   TEcGroupBoxStyle::gsUnderline};
    for (int i = 0; i < 6; ++i) {
        auto* g = add<TEcGroupBox>(form.get());
        g->set_bounds(10 + (i % 3) * 200, 90 + (i / 3) * 100, 190, 90);
        g->set_group_style(styles[i]);
        g->set_caption(enum_info(TEcGroupBoxStyle{}).name_of(static_cast<int>(styles[i])));
        if (i == 1) g->set_border_outer(TFrameStyleEx::fsRaised);
        if (i == 5) g->set_enabled(false);
    }
    for (int i = 0; i < 2; ++i) {
        auto* s = add<TEcSpacer>(form.get());
        s->set_grooved(true);
        if (i == 1) s->set_orientation(TOrientation::orVertical);
        s->set_left(10 + i * 40);
        s->set_top(300);
    }
    form->show();
    window_test::pump(30);
    EXPECT_TRUE(window_test::save_screenshot(form->handle(), "controls_screenshots", "panels_group_boxes_spacers"));
}

} // namespace
