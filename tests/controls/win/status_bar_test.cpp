// The status bar and its panes: the grip squares and a pane's flat frame pixel by pixel, the
// grip only on a sizeable form that is not maximised, a grip press handed to the form as its
// sizing command, simple status mode, panes widened with the bar, fill colours, transparency
// after loading, blink colours, grip-zone hits answered by the bar, descriptions and pictures.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <memory>

#include "controls/ec_panel.h"
#include "controls/ec_status.h"
#include "controls/register_control_set.h"
#include "golden_map.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/subclass.h"
#include "platform/ui/win/themes.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;

namespace {

constexpr ui::TColor kRed = ui::rgb(200, 0, 0);
constexpr WPARAM kGripSizing = SC_SIZE | WMSZ_BOTTOMRIGHT;
static_assert(kGripSizing == 61448);

class EcStatusBar : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        register_control_set_classes();
        legend = ectest::system_legend();
        legend['y'] = ui::clYellow;
        legend['l'] = shift_color_lightness(ui::clBtnShadow, 30);
        form = std::make_unique<ui::Form>(nullptr);
        form->set_bounds(100, 100, 400, 200);
    }
    void TearDown() override {
        sizing.reset();
        form.reset();
    }
    TEcStatusBar* add_bar() {
        auto* bar = new TEcStatusBar(form.get());
        bar->set_parent(form.get());
        return bar;
    }
    template <class T>
    T* add_pane(TEcStatusBar* bar, int left, int width) {
        auto* pane = new T(form.get());
        pane->set_parent(bar);
        pane->set_bounds(left, 1, width, 17);
        return pane;
    }
    // Records the sizing commands the form gets and keeps them from starting a sizing loop.
    void watch_sizing() {
        sizing = std::make_unique<ui::WindowSubclass>(form->handle(), [this](ui::Message& m, const auto& next) {
            if (m.msg == WM_SYSCOMMAND && (m.wparam & 0xFFF0) == SC_SIZE) {
                commands.push_back(m.wparam);
                m.result = 0;
                return;
            }
            next(m);
        });
    }
    void paint(ui::Control& c, int w, int h) {
        ectest::reset(bitmap, w, h);
        if (dynamic_cast<ui::WinControl*>(&c)) c.perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.dc()));
        else c.paint_to(bitmap.dc());
    }
    // A press at a client point of the bar, posted and handled.
    void press(TEcStatusBar* bar, int x, int y) {
        PostMessageW(bar->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(bar->handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        window_test::pump_until([&] { return presses > 0 || !commands.empty(); }, 2000);
        window_test::pump(0);
    }

    ectest::Legend legend;
    ui::Bitmap bitmap;
    std::unique_ptr<ui::Form> form;
    std::unique_ptr<ui::WindowSubclass> sizing;
    std::vector<WPARAM> commands;
    int presses = 0;
};

TEST_F(EcStatusBar, GripSquaresInTheBottomRightCorner) {
    auto* bar = add_bar();
    bar->set_align(ui::TAlign::alNone);
    bar->set_visual_style(TEcVisualStyle::vsClassic);
    bar->set_color(ui::clYellow);
    bar->set_bounds(0, 0, 16, 16);
    form->show();
    ASSERT_TRUE(bar->grip_shown());
    paint(*bar, 16, 16);
    // Light squares, then dark ones a pixel up and left over them; the corner is the client
    // rectangle's, one pixel above its bottom.
    Rows rows = {
        "yyyyyyyyyyyyyyyy", "yyyyyyyyyyyyyyyy", "yyyyyyyyyySSyyyy", "yyyyyyyyyySSHyyy",
        "yyyyyyyyyyyHHyyy", "yyyyyyyyyyyyyyyy", "yyyyyySSyySSyyyy", "yyyyyySSHySSHyyy",
        "yyyyyyyHHyyHHyyy", "yyyyyyyyyyyyyyyy", "yySSyySSyySSyyyy", "yySSHySSHySSHyyy",
        "yyyHHyyHHyyHHyyy", "yyyyyyyyyyyyyyyy", "yyyyyyyyyyyyyyyy", "yyyyyyyyyyyyyyyy",
    };
    // Without the theme library the client rectangle reaches a pixel below the bar.
    if (!ui::theme_services().available()) {
        rows.insert(rows.begin(), rows.back());
        rows.pop_back();
    }
    EXPECT_TRUE(ectest::matches(bitmap, rows, legend));
}

TEST_F(EcStatusBar, PaneFlatFrameLeavesItsCorners) {
    TEcGlyphStatus pane(nullptr);
    pane.set_color(ui::clYellow);
    pane.set_transparent(false);
    pane.set_bounds(0, 0, 8, 6);
    paint(pane, 8, 6);
    EXPECT_TRUE(ectest::matches(bitmap, {"yyyyyyyy", "yyllllyy", "ylyyyyly", "ylyyyyly", "yyllllyy", "yyyyyyyy"},
                                legend));
    pane.set_transparent(true);
    pane.set_border_width(0);
    pane.set_bounds(0, 0, 6, 4);
    paint(pane, 6, 4);
    EXPECT_TRUE(ectest::matches(bitmap, {".llll.", "l....l", "l....l", ".llll."}, legend)) << "transparent";
}

// Sizeable forms get the grip and its sizing command; a dialog's bar lets the press through,
// and so does a press a pixel left of the grip.
TEST_F(EcStatusBar, GripPressSendsTheSizingCommandOnlyWhereAllowed) {
    struct Case {
        const char* what;
        ui::TFormBorderStyle border;
        int from_right;
        bool sizes;
    };
    const Case cases[] = {
        {"sizeable, at Width - 13", ui::TFormBorderStyle::bsSizeable, 13, true},
        {"sizeable, at Width - 1", ui::TFormBorderStyle::bsSizeable, 1, true},
        {"sizeable tool window", ui::TFormBorderStyle::bsSizeToolWin, 5, true},
        {"sizeable, at Width - 14", ui::TFormBorderStyle::bsSizeable, 14, false},
        {"dialog", ui::TFormBorderStyle::bsDialog, 5, false},
        {"single", ui::TFormBorderStyle::bsSingle, 5, false},
    };
    for (const Case& c : cases) {
        SetUp();
        form->set_border_style(c.border);
        auto* bar = add_bar();
        bar->on_mouse_down = [this](ui::Component*, ui::TMouseButton, ui::TShiftState, int, int) { ++presses; };
        form->show();
        watch_sizing();
        window_test::pump(0);
        EXPECT_EQ(bar->grip_shown(), c.border != ui::TFormBorderStyle::bsDialog &&
                                         c.border != ui::TFormBorderStyle::bsSingle)
            << c.what;
        press(bar, bar->width() - c.from_right, 8);
        if (c.sizes) {
            EXPECT_EQ(commands, std::vector<WPARAM>{kGripSizing}) << c.what;
            EXPECT_EQ(presses, 0) << c.what << ": the press goes no further";
        } else {
            EXPECT_TRUE(commands.empty()) << c.what;
            EXPECT_EQ(presses, 1) << c.what << ": the press reaches the bar";
        }
        commands.clear();
        presses = 0;
        TearDown();
    }
}

// Over the grip the bar shows the diagonal sizing pointer; elsewhere it leaves the pointer
// to the layer.
TEST_F(EcStatusBar, SizingPointerOverTheGrip) {
    auto* bar = add_bar();
    form->show();
    window_test::pump(0);
    const auto pointer_at = [&](int x) {
        const POINT p = bar->client_to_screen(POINT{x, 8});
        SetCursorPos(p.x, p.y);
        window_test::pump_until([&] {
            POINT now{};
            GetCursorPos(&now);
            return now.x == p.x && now.y == p.y;
        }, 2000);
        SetCursor(ui::cursor_handle(ui::crArrow));
        return bar->perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(bar->handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    EXPECT_EQ(pointer_at(bar->width() - 13), 1);
    EXPECT_EQ(GetCursor(), ui::cursor_handle(ui::crSizeNWSE));
    pointer_at(bar->width() - 14);
    EXPECT_NE(GetCursor(), ui::cursor_handle(ui::crSizeNWSE)) << "left of the grip";
    bar->set_show_size_grip(false);
    pointer_at(bar->width() - 5);
    EXPECT_NE(GetCursor(), ui::cursor_handle(ui::crSizeNWSE)) << "no grip";
}

TEST_F(EcStatusBar, DialogBarDrawsNoGripAndMaximisedFormHidesIt) {
    const auto grip_pixel = [this](TEcStatusBar* bar) {
        paint(*bar, bar->width(), bar->height());
        GdiFlush();
        const ui::Rect r = bar->client_rect();
        return bitmap.pixel(r.right - 4, r.bottom - 1 - 3);  // inside the lowest right square
    };
    form->set_border_style(ui::TFormBorderStyle::bsDialog);
    auto* bar = add_bar();
    bar->set_visual_style(TEcVisualStyle::vsClassic);
    bar->set_color(ui::clYellow);
    form->show();
    EXPECT_EQ(grip_pixel(bar), ui::color_to_rgb(ui::clYellow)) << "dialog";

    TearDown();
    SetUp();
    bar = add_bar();
    bar->set_visual_style(TEcVisualStyle::vsClassic);
    bar->set_color(ui::clYellow);
    form->show();
    EXPECT_EQ(grip_pixel(bar), ui::color_to_rgb(ui::clBtnHighlight)) << "normal sizeable form";
    form->set_window_state(ui::TWindowState::wsMaximized);
    ASSERT_TRUE(window_test::pump_until([&] { return IsZoomed(form->handle()) != 0; }, 2000));
    EXPECT_EQ(grip_pixel(bar), ui::color_to_rgb(ui::clYellow)) << "maximised: gone at the next repaint";
    EXPECT_FALSE(bar->grip_allowed());
    form->set_window_state(ui::TWindowState::wsNormal);
    ASSERT_TRUE(window_test::pump_until([&] { return IsZoomed(form->handle()) == 0; }, 2000));
    EXPECT_EQ(grip_pixel(bar), ui::color_to_rgb(ui::clBtnHighlight)) << "restored";
}

TEST_F(EcStatusBar, SimpleStatusHidesEveryPaneAndShowsThemAllAgain) {
    auto* bar = add_bar();
    auto* a = add_pane<TEcGlyphStatus>(bar, 0, 100);
    auto* b = add_pane<TEcGlyphStatus>(bar, 100, 100);
    b->hide();
    bar->set_simple_caption("Found 3 calls");
    bar->set_simple_status(true);
    EXPECT_FALSE(a->visible());
    EXPECT_FALSE(b->visible());
    bar->set_simple_status(false);
    EXPECT_TRUE(a->visible());
    EXPECT_TRUE(b->visible()) << "also the pane hidden before";
}

TEST_F(EcStatusBar, PanesWidenWithTheBarUnlessItHadNoWidth) {
    auto* bar = add_bar();
    bar->set_align(ui::TAlign::alNone);
    bar->set_bounds(0, 0, 300, 19);
    auto* pane = add_pane<TEcGlyphStatus>(bar, 0, 100);
    auto* other = add_pane<TEcGlyphStatus>(bar, 100, 200);
    bar->set_width(400);
    EXPECT_EQ(pane->width(), 100) << "AutoScalePanes is off";
    bar->set_auto_scale_panes(true);
    bar->set_width(500);
    EXPECT_EQ(pane->width(), 125);
    EXPECT_EQ(other->width(), 250);
    bar->set_width(0);
    EXPECT_EQ(pane->width(), 0);
    EXPECT_EQ(other->width(), 0);

    pane->set_width(100);
    bar->set_width(500);
    EXPECT_EQ(pane->width(), 100) << "no share of a change from no width";
    bar->set_height(30);
    EXPECT_EQ(pane->width(), 100) << "a change of height only";
}

TEST_F(EcStatusBar, FillColourFollowsColourUntilSetItself) {
    auto* bar = add_bar();
    auto* pane = add_pane<TEcGlyphStatus>(bar, 0, 100);
    EXPECT_TRUE(pane->parent_color());
    bar->set_color(ui::clYellow);
    pane->perform(ui::CM_PARENTCOLORCHANGED);
    EXPECT_EQ(pane->fill_color(), ui::clYellow);
    pane->set_color(kRed);
    EXPECT_EQ(pane->fill_color(), kRed);
    pane->set_fill_color(ui::clWhite);
    EXPECT_FALSE(pane->parent_fill_color());
    pane->set_color(ui::clBlack);
    EXPECT_EQ(pane->fill_color(), ui::clWhite) << "a later colour leaves FillColor";
    pane->set_parent_color(true);
    pane->set_parent_fill_color(true);
    EXPECT_EQ(pane->color(), ui::clYellow) << "the parent's colour taken again";
    EXPECT_EQ(pane->fill_color(), ui::clYellow);
}

TEST_F(EcStatusBar, PaneTakesItsFrameFromAController) {
    FrameController fc(nullptr);
    fc.set_frame_style(TFrameStyle::fsLowered);
    fc.set_frame_color(kRed);
    fc.set_color(ui::clYellow);
    TEcGlyphStatus pane(nullptr);
    pane.set_frame_controller(&fc);
    EXPECT_EQ(pane.frame_style(), TFrameStyle::fsFlat) << "a hidden frame pushes nothing";
    fc.set_frame_visible(true);
    EXPECT_EQ(pane.frame_style(), TFrameStyle::fsLowered);
    EXPECT_EQ(pane.flat_color(), kRed);
    EXPECT_EQ(pane.flat_color_adjustment(), 0);
    EXPECT_EQ(pane.fill_color(), ui::clYellow);
    EXPECT_FALSE(pane.parent_fill_color());
    pane.set_frame_controller_notifications(TEcFrameControllerNotifications{TEcFrameControllerProperty::fcpFrameStyle});
    fc.set_frame_style(TFrameStyle::fsGroove);
    fc.set_color(ui::clWhite);
    EXPECT_EQ(pane.frame_style(), TFrameStyle::fsGroove);
    EXPECT_EQ(pane.fill_color(), ui::clYellow) << "outside the pane's notifications";
}

TEST_F(EcStatusBar, PaneWithItsOwnColourLosesItsTransparencyAfterLoading) {
    ui::Form loaded(nullptr);
    ui::read_description(loaded, "object F: TForm\n"
                                 "  object bar: TEcStatusBar\n"
                                 "    object own: TEcGlyphStatus\n      Color = clYellow\n    end\n"
                                 "    object inherited: TEcGlyphStatus\n    end\n"
                                 "  end\nend\n");
    auto* own = dynamic_cast<TEcGlyphStatus*>(loaded.find_component("own"));
    auto* inherited = dynamic_cast<TEcGlyphStatus*>(loaded.find_component("inherited"));
    ASSERT_TRUE(own && inherited);
    EXPECT_FALSE(own->transparent());
    EXPECT_TRUE(inherited->transparent());
}

TEST_F(EcStatusBar, BlinkStepsSwitchTheCaptionColour) {
    TEcGlyphStatus pane(nullptr), still(nullptr);
    pane.font().set_color(ui::clBlack);
    still.font().set_color(ui::clBlack);
    pane.set_blink_color(kRed);
    EXPECT_EQ(pane.perform(CM_QUERYBLINK), 0);
    pane.set_blinking(true);
    EXPECT_EQ(pane.perform(CM_QUERYBLINK), 1);
    pane.perform(CM_BLINKSTEP, 1);
    still.perform(CM_BLINKSTEP, 1);
    EXPECT_EQ(pane.caption_color(), kRed);
    EXPECT_EQ(still.caption_color(), ui::clBlack) << "not blinking";
    pane.perform(CM_BLINKSTEP, 0x100);
    EXPECT_EQ(pane.caption_color(), ui::clBlack) << "only the low byte is the phase";
    // The shared list steps the pane with its own phase.
    ASSERT_NE(blink_list(), nullptr);
    for (int i = 0; i < 2; ++i) {
        blink_list()->tick();
        EXPECT_EQ(pane.caption_color(), blink_list()->phase() ? kRed : ui::clBlack) << i;
    }
    pane.perform(CM_BLINKSTEP, 1);
    pane.set_blinking(false);
    EXPECT_EQ(pane.caption_color(), ui::clBlack);
    pane.font().set_color(ui::clNavy);
    EXPECT_EQ(pane.caption_color(), ui::clNavy);
}

// A pane at the bar's right end hands hits near the edge to the bar's own hit test.
TEST_F(EcStatusBar, GripZoneHitsAnsweredByTheBar) {
    auto* bar = add_bar();
    auto* last = add_pane<TEcGlyphStatus>(bar, 0, 0);
    auto* inner = add_pane<TEcGlyphStatus>(bar, 0, 100);
    form->show();
    last->set_bounds(bar->width() - 100, 1, 100, 17);
    std::vector<POINT> asked;
    const ui::MessageChain::Token filter =
        bar->window_proc.add("hit test", [&](ui::Message& m, const ui::MessageChain::Next& next) {
            if (m.msg == WM_NCHITTEST) {
                asked.push_back({GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)});
                m.result = HTBOTTOMRIGHT;
                return;
            }
            next(m);
        });
    EXPECT_EQ(last->perform(ui::CM_HITTEST, 0, MAKELPARAM(100 - 12, 5)), HTBOTTOMRIGHT);
    ASSERT_EQ(asked.size(), 1u);
    const POINT expected = bar->client_to_screen(POINT{bar->width() - 12, 6});
    EXPECT_EQ(asked[0].x, expected.x);
    EXPECT_EQ(asked[0].y, expected.y);
    EXPECT_EQ(last->perform(ui::CM_HITTEST, 0, MAKELPARAM(100 - 13, 5)), 1) << "left of the zone";
    EXPECT_EQ(inner->perform(ui::CM_HITTEST, 0, MAKELPARAM(95, 5)), 1) << "short of the bar's edge";
    bar->set_show_size_grip(false);
    EXPECT_EQ(last->perform(ui::CM_HITTEST, 0, MAKELPARAM(95, 5)), 1) << "no grip";
    EXPECT_EQ(asked.size(), 1u);
    bar->window_proc.remove(filter);
}

TEST_F(EcStatusBar, GlyphStripSetsNumGlyphsBelowFive) {
    TEcGlyphStatus pane(nullptr);
    const std::pair<int, int> cases[] = {{32, 2}, {64, 4}, {80, 1}, {20, 1}};
    for (const auto& [width, glyphs] : cases) {
        pane.set_num_glyphs(3);
        pane.set_glyph(ui::Bitmap(width, 16));
        EXPECT_EQ(pane.num_glyphs(), width == 20 ? 3 : glyphs) << width;
    }
}

// The glyph's source: the image list while ImageIndex names an image, else the strip; a
// disabled pane takes DisabledIndex or the strip's second image.
TEST_F(EcStatusBar, GlyphFromTheImageListOrTheStrip) {
    const auto solid = [](ui::Bitmap& b, int w, int h, std::initializer_list<ui::TColor> cells) {
        b.set_size(w, h);
        int x = 0;
        for (ui::TColor c : cells) {
            b.canvas().brush().color = c;
            b.canvas().fill_rect({x, 0, x + h, h});
            x += h;
        }
    };
    ui::ImageList images(nullptr);
    images.set_width(8);
    images.set_height(8);
    ui::Bitmap red, blue, strip;
    solid(red, 8, 8, {kRed});
    solid(blue, 8, 8, {ui::clBlue});
    images.add_masked(red, ui::clFuchsia);
    images.add_masked(blue, ui::clFuchsia);
    solid(strip, 16, 8, {ui::clGreen, ui::clGray});
    strip.transparent_color = ui::clFuchsia;

    TEcGlyphStatus pane(nullptr);
    pane.set_color(ui::clYellow);
    pane.set_transparent(false);
    pane.set_frame_style(TFrameStyle::fsNone);
    pane.set_bounds(0, 0, 40, 20);
    pane.set_glyph(strip);
    ASSERT_EQ(pane.num_glyphs(), 2);
    pane.set_images(&images);
    struct Case {
        const char* what;
        int image_index, disabled_index;
        bool enabled;
        ui::TColor seen;
    };
    const Case cases[] = {
        {"ImageIndex -1: the strip", -1, -1, true, ui::clGreen},
        {"an image", 1, -1, true, ui::clBlue},
        {"disabled with DisabledIndex", 1, 0, false, kRed},
        {"enabled with DisabledIndex", 1, 0, true, ui::clBlue},
        {"an index past the list draws nothing", 5, -1, true, ui::clYellow},
        {"disabled strip: its second image", -1, -1, false, ui::clGray},
    };
    for (const Case& c : cases) {
        pane.set_image_index(c.image_index);
        pane.set_disabled_index(c.disabled_index);
        pane.set_enabled(c.enabled);
        paint(pane, 40, 20);
        GdiFlush();
        // Glyph offset 2 + border 1, no frame; centred down the pane.
        EXPECT_EQ(bitmap.pixel(3 + 4, 6 + 4), ui::color_to_rgb(c.seen)) << c.what;
    }
}

TEST_F(EcStatusBar, BordersSurviveLoadingOnlyWithoutAutoStyle) {
    auto* bar = add_bar();
    bar->set_border_outer(TFrameStyleEx::fsRaised);
    EXPECT_FALSE(bar->auto_style()) << "a border set at run time";
    ui::Form loaded(nullptr);
    ui::read_description(loaded, "object F: TForm\n"
                                 "  object kept: TEcStatusBar\n    AutoStyle = False\n    BorderOuter = fsRaised\n"
                                 "    Height = 30\n  end\n"
                                 "  object fixed: TEcStatusBar\n    BorderOuter = fsRaised\n    Height = 30\n  end\n"
                                 "end\n");
    auto* kept = dynamic_cast<TEcStatusBar*>(loaded.find_component("kept"));
    auto* fixed = dynamic_cast<TEcStatusBar*>(loaded.find_component("fixed"));
    ASSERT_TRUE(kept && fixed);
    EXPECT_EQ(kept->border_outer(), TFrameStyleEx::fsRaised);
    EXPECT_EQ(kept->height(), 30);
    EXPECT_EQ(fixed->border_outer(), TFrameStyleEx::fsNone);
    EXPECT_EQ(fixed->height(), 19);
    EXPECT_TRUE(fixed->auto_style());
}

// A strip of two 16 x 16 glyphs drawn here: a telephone-ish shape and its grey twin.
void draw_call_glyph(ui::Bitmap& strip) {
    strip.set_size(32, 16);
    ui::Canvas& c = strip.canvas();
    c.brush().color = ui::clFuchsia;
    c.fill_rect({0, 0, 32, 16});
    for (int cell = 0; cell < 2; ++cell) {
        const int x = cell * 16;
        c.brush().color = cell ? ui::clGray : ui::rgb(0, 120, 0);
        c.pen().color = c.brush().color;
        c.round_rect(x + 2, 2, x + 14, 7, 4, 4);
        c.rectangle(x + 5, 6, x + 11, 14);
    }
}

TEST_F(EcStatusBar, StatusBarWithPanesRoundTrips) {
    form->set_name("F");
    auto* images = new ui::ImageList(form.get());
    images->set_name("imgCallTypes");
    auto* bar = add_bar();
    bar->set_name("statusBarMain");
    bar->set_auto_scale_panes(true);
    bar->set_simple_caption("Found 3 calls");
    bar->set_show_size_grip(false);
    auto* state = add_pane<TEcGlyphStatus>(bar, 0, 120);
    state->set_name("paneState");
    state->set_caption("Recording");
    state->set_alignment(ui::TAlignment::taCenter);
    state->set_blinking(true);
    state->set_fill_color(ui::clYellow);
    state->set_frame_style(TFrameStyle::fsLowered);
    ui::Bitmap glyph;
    draw_call_glyph(glyph);
    state->set_glyph(glyph);
    auto* type = add_pane<TEcGlyphStatus>(bar, 120, 25);
    type->set_name("paneType");
    type->set_images(images);
    type->set_image_index(2);
    type->set_glyph_alignment(TGlyphAlignment::gaRight);
    type->set_frame_style(TFrameStyle::fsNone);
    const std::string text = ui::write_description(*form);
    for (const char* line : {"AutoScalePanes = True", "SimpleCaption = 'Found 3 calls'", "ShowSizeGrip = False",
                             "Caption = 'Recording'", "Alignment = taCenter", "Blinking = True",
                             "FillColor = clYellow", "ParentFillColor = False", "FrameStyle = fsLowered",
                             "NumGlyphs = 2",
                             "Images = imgCallTypes", "ImageIndex = 2", "GlyphAlignment = gaRight"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    for (const char* absent : {"AutoStyle", "BorderOuter", "SimpleStatus", "Transparent", "ParentColor"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent << "\n" << text;
    ui::Form copy(nullptr);
    ui::read_description(copy, text);
    EXPECT_EQ(ui::write_description(copy), text);

    // A bar and a pane as created write only their names and places.
    ui::Form plain(nullptr);
    plain.set_name("F");
    auto* fresh = new TEcStatusBar(&plain);
    fresh->set_name("sb");
    fresh->set_parent(&plain);
    auto* pane = new TEcGlyphStatus(&plain);
    pane->set_name("pane");
    pane->set_parent(fresh);
    const std::string defaults = ui::write_description(plain);
    for (const char* absent : {"Align", "Height = 19", "AutoStyle", "ShowSizeGrip", "Border", "Color", "Transparent",
                               "FrameStyle", "Glyph.", "NumGlyphs", "Index", "Blink"})
        EXPECT_EQ(defaults.find(absent), std::string::npos) << absent << "\n" << defaults;
}

// ---------------------------------------------------------------------------------------------
// Pictures

TEST_F(EcStatusBar, ScreenshotsWithGripAndInSimpleMode) {
    form->set_bounds(60, 60, 480, 120);
    auto* bar = add_bar();
    bar->set_visual_style(TEcVisualStyle::vsClassic);
    ui::Bitmap glyph;
    draw_call_glyph(glyph);
    auto* state = add_pane<TEcGlyphStatus>(bar, 0, 140);
    state->set_glyph(glyph);
    state->set_caption("Recording line 3");
    auto* count = add_pane<TEcGlyphStatus>(bar, 140, 120);
    count->set_caption("12 calls");
    count->set_alignment(ui::TAlignment::taCenter);
    count->set_frame_style(TFrameStyle::fsLowered);
    auto* off = add_pane<TEcGlyphStatus>(bar, 260, 120);
    off->set_glyph(glyph);
    off->set_caption("Line 4 idle");
    off->set_enabled(false);
    form->show();
    window_test::pump(30);
    EXPECT_TRUE(window_test::save_screenshot(form->handle(), "controls_screenshots", "status_bar_with_grip"));
    bar->set_simple_caption("Found 3 calls between 2026-12-01 and 2026-12-10");
    bar->set_simple_status(true);
    window_test::pump(30);
    EXPECT_TRUE(window_test::save_screenshot(form->handle(), "controls_screenshots", "status_bar_simple"));
}

TEST_F(EcStatusBar, ScreenshotsOfABlinkingPaneInBothPhases) {
    form->set_bounds(60, 60, 300, 100);
    auto* bar = add_bar();
    bar->set_visual_style(TEcVisualStyle::vsClassic);
    auto* pane = add_pane<TEcGlyphStatus>(bar, 0, 160);
    pane->set_caption("Recording");
    pane->font().set_style(ui::TFontStyles{ui::TFontStyle::fsBold});
    pane->set_blink_color(kRed);
    pane->set_blinking(true);
    form->show();
    pane->perform(CM_BLINKSTEP, 1);
    window_test::pump(30);
    EXPECT_TRUE(window_test::save_screenshot(form->handle(), "controls_screenshots", "status_pane_blink_on"));
    pane->perform(CM_BLINKSTEP, 0);
    window_test::pump(30);
    EXPECT_TRUE(window_test::save_screenshot(form->handle(), "controls_screenshots", "status_pane_blink_off"));
}

} // namespace
