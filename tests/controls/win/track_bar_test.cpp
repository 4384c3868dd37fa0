// The track bar: thumbs composited over the cached track pixel by pixel, orientation from the
// size, the range rules, keys, Enter as Tab, paging by the repeat timer, sliding, the slider
// cursor, stored descriptions and a sheet of every thumb.
#include <gtest/gtest.h>

#include <memory>

#include "controls/ec_trk_bar.h"
#include "controls/register_control_set.h"
#include "golden_map.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/description_writer.h"
#include "platform/ui/win/forms.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;
using ectest::Rows;

namespace {

constexpr ui::TColor kFace = ui::rgb(200, 200, 200);

std::unique_ptr<ui::Bitmap> picture_of(TEcTrackBar& bar) {
    auto bitmap = std::make_unique<ui::Bitmap>();
    ectest::reset(*bitmap, bar.width(), bar.height());
    bar.perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap->dc()), PRF_CLIENT);
    return bitmap;
}

// A w x h piece of `picture` from (x, y).
std::unique_ptr<ui::Bitmap> piece(const ui::Bitmap& picture, int x, int y, int w, int h) {
    auto out = std::make_unique<ui::Bitmap>(w, h);
    BitBlt(out->dc(), 0, 0, w, h, picture.dc(), x, y, SRCCOPY);
    return out;
}

class EcTrackBar : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        window_test::errors().clear();
        register_control_set_classes();
        form = std::make_unique<ui::Form>(nullptr);
        form->set_bounds(0, 0, 300, 260);
    }
    void TearDown() override {
        form.reset();
        EXPECT_TRUE(window_test::errors().empty()) << window_test::errors().front();
    }
    TEcTrackBar* add_bar(int x, int y, int w, int h) {
        auto* bar = new TEcTrackBar(form.get());
        bar->set_parent(form.get());
        bar->set_bounds(x, y, w, h);
        bar->set_color(kFace);
        return bar;
    }
    // The thumb's roles in the colours the map gives them, the bar's own colour and the track.
    static ectest::Legend legend() {
        return {{'f', kFace},           {'W', ui::clWhite},   {'L', ui::cl3DLight}, {'F', ui::clBtnFace},
                {'S', ui::clBtnShadow}, {'D', ui::cl3DDkShadow},
                {'A', static_cast<ui::TColor>(ui::color_to_rgb(ui::clHighlight) + 1)},
                {'t', ui::cl3DLight},   {'s', ui::clBtnShadow}, {'h', ui::clBtnHighlight},
                {'r', ui::clRed},       {'b', ui::clBlue},    {'g', ui::clGray}};
    }
    std::unique_ptr<ui::Form> form;
};

TEST_F(EcTrackBar, BoxThumbOverTheCachedTrack) {
    TEcTrackBar* bar = add_bar(0, 0, 40, 35);
    bar->set_thumb_style(TThumbStyle::tsBox);
    bar->set_theme_aware(false);
    bar->set_max(2);
    bar->set_position(1);
    EXPECT_EQ(bar->thumb_rect(), (ui::Rect{14, 14, 25, 34}));  // 4 + 21 * 1 div 2; (8 - 20) div 2 + 20
    const auto picture = picture_of(*bar);
    // The thumb and a column of the cache on each side: the track ('t', framed by 's' and 'h')
    // runs on under it.
    const Rows expected = {
        "fWWWWWWWWWWDf",
        "fWLLLLLLLLSDf",
        "fWLFFFFFFFSDf",
        "fWLFFFFFFFSDf",
        "fWLFFFAFFFSDf",
        "fWLFFFAFFFSDf",
        "sWLFFFAFFFSDs",
        "tWLFFFAFFFSDt",
        "tWLFFFAFFFSDt",
        "tWLFFFAFFFSDt",
        "tWLFFFAFFFSDt",
        "tWLFFFAFFFSDt",
        "tWLFFFAFFFSDt",
        "hWLFFFAFFFSDh",
        "fWLFFFAFFFSDf",
        "fWLFFFAFFFSDf",
        "fWLFFFFFFFSDf",
        "fWLFFFFFFFSDf",
        "fWSSSSSSSSSDf",
        "fDDDDDDDDDDDf",
    };
    EXPECT_TRUE(ectest::matches(*piece(*picture, 13, 14, 13, 20), expected, legend()));
    ectest::save_sheet(*picture, "track_box");
}

TEST_F(EcTrackBar, CustomThumbIsMaskedOverTheCache) {
    TEcTrackBar* bar = add_bar(0, 0, 40, 35);
    bar->set_max(2);
    bar->set_position(1);
    bar->set_show_ticks(false);
    // Thumb, mask and disabled thumb, 5 x 6 each: the mask leaves the corners to the track.
    ui::Bitmap drawn(15, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool corner = (x == 0 || x == 4) && (y == 0 || y == 5);
            drawn.canvas().set_pixel(x, y, corner ? ui::clBlack : (x == 2 ? ui::clBlue : ui::clRed));
            drawn.canvas().set_pixel(5 + x, y, corner ? ui::clWhite : ui::clBlack);
            drawn.canvas().set_pixel(10 + x, y, corner ? ui::clBlack : ui::clGray);
        }
    bar->custom_thumb().assign(drawn);
    EXPECT_EQ(bar->thumb_style(), TThumbStyle::tsCustom);
    EXPECT_EQ(bar->thumb_rect(), (ui::Rect{17, 21, 22, 27}));
    EXPECT_TRUE(ectest::matches(*piece(*picture_of(*bar), 16, 20, 7, 8),
                                {"sssssss", "ttrbrtt", "trrbrrt", "trrbrrt", "trrbrrt", "trrbrrt", "ttrbrtt", "hhhhhhh"},
                                legend()));
    bar->set_enabled(false);
    EXPECT_TRUE(ectest::matches(*piece(*picture_of(*bar), 16, 20, 7, 8),
                                {"sssssss", "FFgggFF", "FgggggF", "FgggggF", "FgggggF", "FgggggF", "FFgggFF", "hhhhhhh"},
                                legend()));  // a disabled track takes the face colour

    // An empty custom thumb is no thumb at all.
    bar->custom_thumb().assign(ui::Bitmap());
    EXPECT_EQ(bar->thumb_rect().width(), 0);
    EXPECT_NO_THROW(picture_of(*bar));
}

TEST_F(EcTrackBar, RangeRulesAndOrientation) {
    TEcTrackBar* bar = add_bar(0, 0, 200, 35);
    std::vector<int> asked;
    bar->on_changing = [&](ui::Component*, int v, bool& allow) {
        asked.push_back(v);
        allow = v <= 7;
    };
    bar->set_max(0);
    EXPECT_EQ(bar->max(), 1);
    bar->set_min(1);
    EXPECT_EQ(bar->min(), 0);
    bar->set_max(5);
    bar->set_position(10);
    EXPECT_EQ(bar->position(), 5);
    EXPECT_EQ(asked, std::vector<int>{5});
    bar->set_max(10);
    bar->set_position(9);  // refused
    EXPECT_EQ(bar->position(), 5);
    bar->set_track_width(2);
    EXPECT_EQ(bar->track_width(), 4);
    bar->set_tick_step(0);
    EXPECT_EQ(bar->tick_step(), 1);
    bar->set_thumb_style(TThumbStyle::tsMixer);
    EXPECT_EQ(bar->track_width(), 6);

    // Taller than wide: vertical, Max at the top.
    bar->set_bounds(0, 0, 35, 200);
    EXPECT_EQ(bar->orientation(), TOrientation::orVertical);
    bar->set_position(0);
    const int bottom = bar->thumb_rect().bottom;
    bar->set_position(7);
    EXPECT_LT(bar->thumb_rect().bottom, bottom);
    bar->set_bounds(0, 0, 200, 35);
    EXPECT_EQ(bar->orientation(), TOrientation::orHorizontal);
}

TEST_F(EcTrackBar, KeysAndEnterAsTab) {
    TEcTrackBar* first = add_bar(10, 10, 200, 35);
    TEcTrackBar* second = add_bar(10, 60, 200, 35);
    first->set_tab_on_enter(true);
    first->set_page_size(3);
    int enters_seen = 0;
    first->on_key_press = [&](ui::Component*, wchar_t& key) { enters_seen += key == L'\r'; };
    form->show();
    first->set_focus();
    ASSERT_TRUE(window_test::pump_until([&] { return first->focused(); }, 2000));
    struct Step {
        WORD key;
        int position;
    };
    const Step steps[] = {{VK_RIGHT, 1}, {VK_PRIOR, 4}, {VK_END, 10}, {VK_UP, 10}, {VK_NEXT, 7},
                          {VK_SUBTRACT, 6}, {VK_HOME, 0}, {VK_LEFT, 0}};
    for (const Step& s : steps) {
        window_test::press_key(first->handle(), s.key);
        EXPECT_EQ(first->position(), s.position) << s.key;
    }
    window_test::press_key(first->handle(), VK_RETURN);
    EXPECT_TRUE(window_test::pump_until([&] { return second->focused(); }, 2000));
    EXPECT_EQ(enters_seen, 0);
}

TEST_F(EcTrackBar, PagingBySlidingAndTheCursor) {
    TEcTrackBar* bar = add_bar(10, 10, 200, 35);
    bar->set_thumb_style(TThumbStyle::tsBox);
    bar->set_max(100);
    bar->set_page_size(10);
    form->show();
    window_test::pump(0);
    const HWND h = bar->handle();
    // Press at x 150: about position 77. The first page comes with the press.
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 5));
    EXPECT_EQ(bar->position(), 10);
    ASSERT_TRUE(bar->repeat_timer().enabled());
    EXPECT_EQ(bar->repeat_timer().interval(), 200u);
    std::vector<int> positions;
    for (int i = 0; i < 12 && bar->repeat_timer().enabled(); ++i) {
        bar->repeat_timer().fire();
        positions.push_back(bar->position());
        if (bar->repeat_timer().enabled()) {
            EXPECT_EQ(bar->repeat_timer().interval(), 100u);
        }
    }
    // Pages while the thumb's left edge is left of the pointer (at 80 it is at 148), and stops
    // when a repeat would page back.
    EXPECT_EQ(positions, (std::vector<int>{20, 30, 40, 50, 60, 70, 80, 90, 90}));
    EXPECT_FALSE(bar->repeat_timer().enabled());
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(150, 5));
    EXPECT_EQ(bar->repeat_timer().interval(), 200u);

    // Sliding: press on the thumb, move, release.
    const ui::Rect t = bar->thumb_rect();
    const int cx = (t.left + t.right) / 2, cy = (t.top + t.bottom) / 2;
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cx, cy));
    EXPECT_TRUE(bar->sliding());
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(cx - 90, cy));
    EXPECT_EQ(bar->position(), 40);  // the thumb from 166 to 76 on a track of 182 from 9
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-500, cy));
    EXPECT_EQ(bar->position(), 0);
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(-500, cy));
    EXPECT_FALSE(bar->sliding());

    // Hot over the thumb, and the slider cursor there.
    const ui::Rect now = bar->thumb_rect();
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(now.left + 2, now.top + 2));
    EXPECT_TRUE(bar->hot());
    window_test::save_screenshot(form->handle(), "controls_screenshots", "track_hot");
    POINT over{now.left + 2, now.top + 2};
    ClientToScreen(h, &over);
    SetCursorPos(over.x, over.y);
    SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), ui::cursor_handle(bar->slider_cursor()));
    EXPECT_NE(ui::cursor_handle(bar->slider_cursor()), nullptr);
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(now.right + 20, now.top + 2));
    EXPECT_FALSE(bar->hot());

    // A bar narrower than its thumb + 8 has no track to slide along: the position stays.
    TEcTrackBar* narrow = add_bar(10, 100, 12, 10);
    narrow->set_thumb_style(TThumbStyle::tsBox);
    narrow->set_bounds(10, 100, 18, 10);
    narrow->set_position(3);
    const ui::Rect nt = narrow->thumb_rect();
    SendMessageW(narrow->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(nt.left + 1, nt.top + 1));
    SendMessageW(narrow->handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(nt.left + 7, nt.top + 1));
    EXPECT_EQ(narrow->position(), 3);
    SendMessageW(narrow->handle(), WM_LBUTTONUP, 0, MAKELPARAM(nt.left + 7, nt.top + 1));
}

TEST_F(EcTrackBar, DescriptionsRoundTrip) {
    form->set_name("Form1");
    TEcTrackBar* bar = add_bar(0, 0, 200, 35);
    bar->set_name("tbVolume");
    bar->set_thumb_style(TThumbStyle::tsBox);
    bar->set_max(65535);
    bar->set_position(300);
    bar->set_tick_step(4096);
    const std::string text = ui::write_description(*form);
    EXPECT_NE(text.find("Max = 65535"), std::string::npos) << text;
    EXPECT_NE(text.find("ThumbStyle = tsBox"), std::string::npos) << text;
    ui::Form again(nullptr);
    ui::read_description(again, text);
    EXPECT_EQ(ui::write_description(again), text);
    auto* read = dynamic_cast<TEcTrackBar*>(again.find_component("tbVolume"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->position(), 300);
}

TEST_F(EcTrackBar, SheetOfEveryThumb) {
    form->set_bounds(0, 0, 760, 560);
    form->set_color(kFace);
    const TThumbStyle styles[] = {TThumbStyle::tsBox, TThumbStyle::tsPointer, TThumbStyle::tsMixer,
                                  TThumbStyle::tsFlat, TThumbStyle::tsPointer};
    std::vector<TEcTrackBar*> hot;
    for (int s = 0; s < 5; ++s)
        for (int state = 0; state < 3; ++state) {
            TEcTrackBar* h = add_bar(10 + state * 130, 10 + s * 45, 120, 35);
            TEcTrackBar* v = add_bar(10 + (s * 3 + state) * 45, 260, 35, 200);
            for (TEcTrackBar* b : {h, v}) {
                b->set_theme_aware(false);
                b->set_thumb_style(styles[s]);
                if (s == 4) b->set_pointer_type(TPointerType::ptWin95);
                b->set_position(5);
                if (state == 2) b->set_enabled(false);
                if (state == 1) hot.push_back(b);
            }
        }
    form->show();
    window_test::pump(0);
    for (TEcTrackBar* b : hot) {
        const ui::Rect t = b->thumb_rect();
        SendMessageW(b->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(t.left + 1, t.top + 1));
        EXPECT_TRUE(b->hot());
    }
    EXPECT_TRUE(window_test::save_screenshot(form->handle(), "controls_screenshots", "track_thumbs"));
}

} // namespace
