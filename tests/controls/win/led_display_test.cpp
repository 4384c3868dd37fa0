// The LED display and the bare border: the dot picture pixel by pixel against maps built from
// the font's dot rows, scrolling driven by firing its timer, repaints, the frame controller and
// stored descriptions.
#include <gtest/gtest.h>

#include <memory>

#include "controls/ec_border.h"
#include "controls/register_control_set.h"
#include "golden_map.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/win/forms.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;

namespace {

// The dot rows of the characters the maps use, top row first, as the font draws them.
const std::map<char, Rows> kDotRows = {
    {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {':', {".....", ".....", "..#..", ".....", ".....", "..#..", "....."}},
    {'\x7f', {".....", ".###.", ".###.", ".###.", ".###.", ".###.", "....."}},
};

constexpr ui::TColor kOn = 0x0000FF00, kOff = 0x00003300;
const ectest::Legend kLegend = {{'k', ui::clBlack}, {'G', kOn}, {'g', kOff}, {'S', ui::clBtnShadow},
                                {'H', ui::clBtnHighlight}};

// The 100 x 30 display with one-pixel status bevels: 3-pixel dots with no gap, 18 x 21 cells
// whose row starts 3 pixels into the 98 x 28 client. Each dot is a 4 x 4 square outlined in the
// back colour, the next dot's square overlapping the outline: the blank cells at `blanks`, then
// the characters at their left edges, in that order.
using Cells = std::vector<std::pair<int, char>>;

Rows led_map(const std::vector<int>& blanks, const Cells& text) {
    Rows rows(30, std::string(100, 'k'));
    for (int x = 0; x < 100; ++x) {
        rows[0][x] = x == 99 ? 'H' : 'S';
        rows[29][x] = 'H';  // the lower-right colour owns both far corners
    }
    for (int y = 1; y < 29; ++y) {
        rows[y][0] = 'S';
        rows[y][99] = 'H';
    }
    auto draw_cell = [&](int left, char code) {
        for (int r = 0; r < 7; ++r)
            for (int c = 0; c < 6; ++c) {
                const bool lit = c < 5 && kDotRows.at(code)[r][c] == '#';
                for (int v = 0; v <= 3; ++v)
                    for (int u = 0; u <= 3; ++u) {
                        const int x = left + 3 * c + u, y = 3 + 3 * r + v;
                        if (x < 0 || x >= 98 || y >= 28) continue;
                        const bool outline = u == 0 || u == 3 || v == 0 || v == 3;
                        rows[1 + y][1 + x] = outline ? 'k' : lit ? 'G' : 'g';
                    }
            }
    };
    for (int x : blanks) draw_cell(x, ' ');
    for (const auto& [x, code] : text) draw_cell(x, code);
    return rows;
}

// Cells every 18 pixels from `first` across the client.
std::vector<int> grid(int first) {
    std::vector<int> xs;
    for (int x = first; x < 98; x += 18) xs.push_back(x);
    return xs;
}

Cells cells_from(int x, const std::string& text) {
    Cells cells;
    for (char c : text) {
        cells.emplace_back(x, c);
        x += 18;
    }
    return cells;
}

std::unique_ptr<ui::Bitmap> picture_of(TEcLEDDisplay& led) {
    auto bitmap = std::make_unique<ui::Bitmap>();
    ectest::reset(*bitmap, led.width(), led.height());
    led.paint_to(bitmap->dc());
    return bitmap;
}

class EcLedDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        window_test::errors().clear();
        register_control_set_classes();
    }
    void TearDown() override { EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front(); }
};

TEST_F(EcLedDisplay, DotGeometryFollowsTheBorders) {
    TEcLEDDisplay led(nullptr);
    EXPECT_EQ(led.width(), 100);
    EXPECT_EQ(led.height(), 30);
    EXPECT_EQ(led.border_client_rect(), (ui::Rect{1, 1, 99, 29}));
    EXPECT_EQ(led.dots().size, 3);
    EXPECT_EQ(led.dots().gap, 0);
    led.set_height(40);
    EXPECT_EQ(led.dots().size, 5);
    led.set_border_inner(TFrameStyleEx::fsGroove);
    EXPECT_EQ(led.dots().size, 4);

    // A frame controller writes the borders itself; the dots are placed anew after it.
    FrameController fc(nullptr);
    fc.set_frame_visible(true);
    fc.set_frame_style(TFrameStyle::fsFlat);
    led.set_frame_controller_notifications(TEcFrameControllerNotifications{TEcFrameControllerProperty::fcpFrameStyle});
    led.set_frame_controller(&fc);
    EXPECT_EQ(led.border_outer(), TFrameStyleEx::fsFlat);
    EXPECT_EQ(led.dots().size, 4);  // 40 - 2 - 4 = 34
    fc.set_frame_style(TFrameStyle::fsNone);
    EXPECT_EQ(led.dots().size, 4);  // 36 / 7.6
    led.set_border_inner(TFrameStyleEx::fsNone);
    EXPECT_EQ(led.dots().size, 5);
    fc.set_frame_style(TFrameStyle::fsGroove);
    EXPECT_EQ(led.dots().size, 4);

    led.set_scroll_delay(0);
    EXPECT_EQ(led.scroll_delay(), 1u);
    EXPECT_EQ(led.scroll_timer().interval(), 1u);
}

TEST_F(EcLedDisplay, StillPicturesPixelForPixel) {
    struct Case {
        const char* what;
        std::string caption;
        ui::TAlignment align;
        Rows map;
    };
    const Case cases[] = {
        {"clock", "00:00:00", ui::TAlignment::taLeftJustify, led_map(grid(0), cells_from(0, "00:00:00"))},
        {"empty caption: blank cells", "", ui::TAlignment::taLeftJustify, led_map(grid(0), {})},
        {"right-justified overflow drops leading characters", "0:0000:0:", ui::TAlignment::taRightJustify,
         led_map(grid(-10), cells_from(98 - 9 * 18, "0:0000:0:"))},
        {"centred", "0:", ui::TAlignment::taCenter, led_map(grid(-5), cells_from(31, "0:"))},
        {"a control code shows the block", "0\n", ui::TAlignment::taLeftJustify, led_map(grid(0), cells_from(0, "0\x7f"))},
    };
    for (const Case& c : cases) {
        TEcLEDDisplay led(nullptr);
        led.set_alignment(c.align);
        led.set_led_caption(c.caption);
        const auto bitmap = picture_of(led);
        EXPECT_TRUE(ectest::matches(*bitmap, c.map, kLegend)) << c.what;
        if (c.caption == "00:00:00") ectest::save_sheet(*bitmap, "led_still");
    }

    // A client of 7 pixels or less shows the border only.
    TEcLEDDisplay low(nullptr);
    low.set_height(9);
    low.set_led_caption("00");
    const Rows rows = ectest::picture_of(*picture_of(low), kLegend);
    for (const std::string& row : rows) EXPECT_EQ(row.find_first_of("Gg"), std::string::npos) << row;
}

TEST_F(EcLedDisplay, ScrollingByTheTimer) {
    TEcLEDDisplay led(nullptr);
    led.set_led_caption("00:00:00");
    int passes = 0;
    led.on_scroll_complete = [&](ui::Component*) { ++passes; };

    // A scroll type alone starts nothing.
    led.set_scroll_type(TEcScrollType::stLeftToRight);
    EXPECT_FALSE(led.scroll_timer().enabled());
    led.scroll_timer().fire();
    EXPECT_EQ(led.current_step(), 0);

    led.set_scroll_type(TEcScrollType::stRightToLeft);
    led.set_scrolling(true);
    EXPECT_TRUE(led.scroll_timer().enabled());
    EXPECT_EQ(led.steps(), 8 * 18 + 100);
    // Step 0: the text enters at the right edge, on the dot grid (96 = 3 x (98 div 3)).
    EXPECT_TRUE(ectest::matches(*picture_of(led), led_map(grid(0), cells_from(96, "00:00:00")), kLegend));
    for (int i = 1; i <= 20; ++i) led.scroll_timer().fire();
    EXPECT_EQ(led.current_step(), 60);
    const auto mid = picture_of(led);
    EXPECT_TRUE(ectest::matches(*mid, led_map(grid(0), cells_from(36, "00:00:00")), kLegend));
    ectest::save_sheet(*mid, "led_mid_scroll");

    int fired = 20;
    while (passes == 0 && fired < 1000) {
        led.scroll_timer().fire();
        ++fired;
    }
    EXPECT_EQ(fired, 82);  // 3 pixels a tick over a pass of 244
    EXPECT_EQ(led.current_step(), 0);
    for (int i = 0; i < 82; ++i) led.scroll_timer().fire();
    EXPECT_EQ(passes, 2);  // one per pass

    // Off mid-pass: back at the still place.
    for (int i = 0; i < 7; ++i) led.scroll_timer().fire();
    led.set_scrolling(false);
    EXPECT_FALSE(led.scroll_timer().enabled());
    EXPECT_EQ(led.current_step(), 0);
    EXPECT_TRUE(ectest::matches(*picture_of(led), led_map(grid(0), cells_from(0, "00:00:00")), kLegend));

    // No type, no timer, even while scrolling is on.
    led.set_scrolling(true);
    led.set_scroll_type(TEcScrollType::stNone);
    EXPECT_FALSE(led.scroll_timer().enabled());
    led.set_scroll_type(TEcScrollType::stLeftToRight);
    EXPECT_TRUE(led.scroll_timer().enabled());
    EXPECT_EQ(led.steps(), 244);
}

// Counts its paints.
class CountedLed : public TEcLEDDisplay {
public:
    using TEcLEDDisplay::TEcLEDDisplay;
    int paints = 0;

protected:
    void paint(ui::Canvas& canvas) override {
        ++paints;
        TEcLEDDisplay::paint(canvas);
    }
};

TEST_F(EcLedDisplay, ANewCaptionRepaintsAtOnceTheSameOneNot) {
    ui::Form form(nullptr);
    form.set_bounds(0, 0, 200, 100);
    auto* led = new CountedLed(&form);
    led->set_parent(&form);
    led->set_led_caption("00:00:01");
    form.show();
    ASSERT_TRUE(window_test::pump_until([&] { return led->paints > 0; }, 5000));
    window_test::pump(0);
    const int before = led->paints;
    led->set_led_caption("00:00:01");
    window_test::pump(0);
    EXPECT_EQ(led->paints, before);
    led->set_led_caption("00:00:02");
    EXPECT_GT(led->paints, before);  // painted before the setter returns
    window_test::save_screenshot(form.handle(), "controls_screenshots", "led_on_form");
}

TEST_F(EcLedDisplay, BareBorderLeavesItsInteriorToTheParent) {
    TEcBorder border(nullptr);
    border.set_bounds(0, 0, 7, 6);
    border.set_border_outer(TFrameStyleEx::fsFlat);
    border.set_border_inner(TFrameStyleEx::fsStatus);
    border.set_border_sides(TSides{TSide::sdLeft, TSide::sdTop, TSide::sdRight});
    border.set_flat_color(ui::clBlack);
    border.set_flat_color_adjustment(0);
    EXPECT_EQ(border.border_client_rect(), (ui::Rect{2, 2, 5, 6}));
    ui::Bitmap bitmap;
    ectest::reset(bitmap, 7, 6);
    border.paint_to(bitmap.dc());
    EXPECT_TRUE(ectest::matches(bitmap, {"kkkkkkk", "kSSSSHk", "kS...Hk", "kS...Hk", "kS...Hk", "kS...Hk"},
                                ectest::system_legend()));
}

TEST_F(EcLedDisplay, DescriptionsRoundTrip) {
    ui::Form form(nullptr);
    form.set_name("Form1");
    auto* led = new TEcLEDDisplay(&form);
    led->set_name("ledTime");
    led->set_parent(&form);
    led->set_led_caption("00:00:00");
    led->set_alignment(ui::TAlignment::taCenter);
    led->set_scroll_type(TEcScrollType::stLeftToRight);
    led->set_seg_on_color(ui::clRed);
    auto* border = new TEcBorder(&form);
    border->set_name("brdTop");
    border->set_parent(&form);
    border->set_border_outer(TFrameStyleEx::fsStatus);
    border->set_border_sides(TSides{TSide::sdTop});
    const std::string text = ui::write_description(form);
    EXPECT_NE(text.find("Caption = '00:00:00'"), std::string::npos) << text;
    EXPECT_NE(text.find("ScrollType = stLeftToRight"), std::string::npos) << text;
    // fsStatus is the display's default and the border's own choice: stored once.
    EXPECT_EQ(text.find("BorderOuter"), text.rfind("BorderOuter")) << text;
    EXPECT_NE(text.find("BorderSides = [sdTop]"), std::string::npos) << text;

    ui::Form again(nullptr);
    ui::read_description(again, text);
    EXPECT_EQ(ui::write_description(again), text);
    auto* read = dynamic_cast<TEcLEDDisplay*>(again.find_component("ledTime"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->led_caption(), "00:00:00");
    EXPECT_EQ(read->border_outer(), TFrameStyleEx::fsStatus);
    EXPECT_EQ(read->seg_on_color(), ui::clRed);

    // Old descriptions: the dropped names are read and forgotten; the loaded height places the dots.
    ui::Form old(nullptr);
    ui::read_description(old, "object Form1: TForm\n  object led: TEcLEDDisplay\n    Height = 40\n"
                              "    SegSpacing = 2\n    DisplayCells = 8\n    Scrolling = True\n  end\nend\n");
    auto* led_old = dynamic_cast<TEcLEDDisplay*>(old.find_component("led"));
    ASSERT_NE(led_old, nullptr);
    EXPECT_EQ(led_old->dots().size, 5);
    EXPECT_TRUE(led_old->scroll_timer().enabled());
    EXPECT_EQ(ui::write_description(old).find("SegSpacing"), std::string::npos);
}

} // namespace
