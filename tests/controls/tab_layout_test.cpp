// The tab control's geometry: measuring, extents, rows, the mapping to the control, cards,
// scrolling, small buttons, shapes, outline commands and the region cache.
#include <gtest/gtest.h>

#include <string>

#include "controls/model/tab_layout.h"
#include "controls/model/tab_shapes.h"

using namespace ec;

namespace {

// Every character 6 wide, a line 13 high; bold adds one pixel a character.
TabSize fake_measure(std::string_view line, bool bold) {
    return {static_cast<int>(line.size()) * (bold ? 7 : 6), 13};
}

// A layout of tabs whose captions are `n` characters each.
TabLayout tabs_of(std::initializer_list<int> chars, TEcTabStyle style = TEcTabStyle::tsRoundCorners, int width = 300) {
    TabLayout t;
    t.settings.style = style;
    t.settings.width = width;
    for (int n : chars) {
        TEcTabData d;
        d.caption = std::string(static_cast<std::size_t>(n), 'x');
        t.tabs.push_back(d);
    }
    return t;
}

std::vector<int> rows_of(const TabLayout& t) {
    std::vector<int> r;
    for (const TEcTabData& d : t.tabs) r.push_back(d.row);
    return r;
}

} // namespace

TEST(EcTabMeasure, CaptionsAreMeasuredWithoutAcceleratorsAndByLines) {
    EXPECT_EQ(measure_tab_caption("A&&B", false, TOrientation::orHorizontal, fake_measure), (TabSize{18, 13}));
    EXPECT_EQ(measure_tab_caption("&A", false, TOrientation::orHorizontal, fake_measure), (TabSize{6, 13}));
    EXPECT_EQ(measure_tab_caption("one\r\nthree", false, TOrientation::orHorizontal, fake_measure), (TabSize{30, 26}));
    EXPECT_EQ(measure_tab_caption("one\r\nthree", false, TOrientation::orVertical, fake_measure), (TabSize{26, 30}));
    EXPECT_EQ(measure_tab_caption("ab", true, TOrientation::orHorizontal, fake_measure), (TabSize{14, 13}));
    EXPECT_EQ(tab_accelerator("&Save"), 's');
    EXPECT_EQ(tab_accelerator("A&&B"), 0);
    EXPECT_EQ(tab_accelerator("A&&&B"), 'b');
    EXPECT_EQ(tab_accelerator("end&"), 0);
}

TEST(EcTabMeasure, ExtentTable) {
    struct Case {
        TEcTabStyle style;
        TEcTabOrientation on;
        TOrientation text;
        TabSize expected;  // for content 20 x 13, TabHeight 0, CutCornerSize 6
    };
    const TOrientation H = TOrientation::orHorizontal, V = TOrientation::orVertical;
    const Case cases[] = {
        {TEcTabStyle::tsSingleSlant, TEcTabOrientation::toTop, H, {2 * 9 + 20 + 2 + 4, 19}},
        {TEcTabStyle::tsBackSlant, TEcTabOrientation::toBottom, V, {2 * 9 + 20 + 2 + 4, 19}},
        {TEcTabStyle::tsSingleSlant, TEcTabOrientation::toLeft, H, {26, 2 * 13 + 13 + 2 + 4}},
        {TEcTabStyle::tsDoubleSlant, TEcTabOrientation::toTop, H, {2 * 15 + 20 + 2 + 4, 19}},
        {TEcTabStyle::tsDoubleSlant, TEcTabOrientation::toRight, V, {26, 2 * 22 + 13 + 2 + 4}},
        {TEcTabStyle::tsCutCorner, TEcTabOrientation::toTop, H, {12 + 20 + 8, 20}},
        {TEcTabStyle::tsCutCorner, TEcTabOrientation::toBottom, V, {30, 13 + 6 + 7}},
        {TEcTabStyle::tsCutCorner, TEcTabOrientation::toLeft, H, {20 + 6 + 7, 23}},
        {TEcTabStyle::tsCutCorner, TEcTabOrientation::toRight, V, {27, 12 + 13 + 8}},
        {TEcTabStyle::tsRoundCorners, TEcTabOrientation::toLeft, H, {36, 19}},
        {TEcTabStyle::tsRoundCorners, TEcTabOrientation::toTop, V, {26, 29}},
    };
    for (const Case& c : cases) {
        TabSettings s;
        s.style = c.style;
        s.orientation = c.on;
        s.text_orientation = c.text;
        EXPECT_EQ(tab_extent(s, 20, 13), c.expected) << static_cast<int>(c.style) << "/" << static_cast<int>(c.on);
    }
    TabSettings s;
    s.tab_height = 10;  // the slants grow with a fixed height
    EXPECT_EQ(tab_extent(s, 20, 13).cx, 2 * 9 + 20 + 2 + 5 + 4);
    s.style = TEcTabStyle::tsDoubleSlant;
    EXPECT_EQ(slant_overlap(s, 19), 19);
    s.style = TEcTabStyle::tsCutCorner;
    EXPECT_EQ(slant_overlap(s, 19), -1);
}

TEST(EcTabLayout, RoundTabsFollowEachOtherTwoPixelsApart) {
    // Content 44, 64 and 34 wide give tabs 60, 80 and 50 wide.
    TabLayout t = tabs_of({0, 0, 0});
    t.tabs[0].caption = std::string(8, 'x');   // 48 > "AAA"
    t.tabs[1].caption = std::string(11, 'x');  // 66: use TabWidth-free sizes below
    t.tabs[2].caption = std::string(6, 'x');   // 36
    t.layout(fake_measure, -1);
    EXPECT_EQ(t.tabs[0].rect.left, 0);
    EXPECT_EQ(t.tabs[0].rect.width(), 64);
    EXPECT_EQ(t.tabs[1].rect.left, 66);
    EXPECT_EQ(t.tabs[2].rect.left, 66 + 82 + 2);

    TabLayout exact = tabs_of({0, 0, 0});
    exact.settings.multi_line = false;
    TabTextMeasure widths = [](std::string_view line, bool) {
        return TabSize{line == "a" ? 44 : line == "b" ? 64 : line == "c" ? 34 : 18, 13};
    };
    exact.tabs[0].caption = "a";
    exact.tabs[1].caption = "b";
    exact.tabs[2].caption = "c";
    exact.layout(widths, -1);
    EXPECT_EQ(exact.tabs[0].rect, (ui::Rect{0, 3, 60, 22}));
    EXPECT_EQ(exact.tabs[1].rect.left, 62);
    EXPECT_EQ(exact.tabs[2].rect.left, 144);
    EXPECT_EQ(exact.fixed_dimension(), 19);
    // Shown two pixels further along: the round corners need room at the strip's start.
    EXPECT_EQ(exact.physical_tab_rect(0, -1).left, 2);
    EXPECT_EQ(exact.physical_tab_rect(2, -1).left, 146);
    // The selected round tab is two pixels larger at both ends and outward.
    EXPECT_EQ(exact.physical_tab_rect(1, 1), (ui::Rect{62, 1, 146, 22}));
}

TEST(EcTabLayout, MultiLineRowsAndRotation) {
    // Ten tabs 46 long (content 30), 48 apart; each further row is 5 shorter.
    struct Case {
        int width;
        int rows;
    };
    for (const Case c : {Case{400, 2}, Case{300, 2}, Case{200, 4}, Case{100, 10}}) {
        TabLayout t = tabs_of({5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, TEcTabStyle::tsRoundCorners, c.width);
        t.settings.multi_line = true;
        t.layout(fake_measure, 0);
        EXPECT_EQ(t.row_count(), c.rows) << c.width;
        for (const TEcTabData& d : t.tabs) {
            EXPECT_GE(d.rect.width(), 0);
            EXPECT_LT(d.row, t.row_count());
        }
    }

    // Twelve on 250: two rows of five would leave two over, so three rows of four.
    TabLayout t = tabs_of({5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, TEcTabStyle::tsRoundCorners, 250);
    t.settings.multi_line = true;
    t.settings.row_overlap = 1;
    t.layout(fake_measure, 0);
    ASSERT_EQ(t.row_count(), 3);
    EXPECT_EQ(rows_of(t), (std::vector<int>{0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2}));
    EXPECT_EQ(t.strip_thickness(), 3 + 19 + 18 * 2);
    EXPECT_EQ(t.tabs[0].rect.top, t.strip_thickness() - 19);
    EXPECT_EQ(t.tabs[5].rect.top, t.tabs[0].rect.top - 18);
    const int along = t.tabs[7].rect.left;

    t.rotate_rows(7);  // a back row comes to the front, the others move back in turn
    EXPECT_EQ(rows_of(t), (std::vector<int>{2, 2, 2, 2, 0, 0, 0, 0, 1, 1, 1, 1}));
    EXPECT_EQ(t.tabs[7].rect.top, t.strip_thickness() - 19);
    EXPECT_EQ(t.tabs[7].rect.left, along);
    EXPECT_EQ(t.display_rect(9, -1).left, t.tabs[9].rect.left + 5);  // row 1 is indented once

    // AlignTabs fills each row to the row length.
    t.settings.align_tabs = true;
    t.layout(fake_measure, 0);
    const int row_length = t.strip_length() - 2 * 5;
    EXPECT_EQ(t.tabs[3].rect.right - t.tabs[0].rect.left + 4, row_length);
    EXPECT_EQ(t.tabs[7].rect.right - t.tabs[4].rect.left + 4, row_length);
}

TEST(EcTabLayout, NarrowerThanItsMarginsStillLaysOut) {
    TabLayout t = tabs_of({5, 5, 5}, TEcTabStyle::tsRoundCorners, 30);
    t.settings.multi_line = true;
    t.settings.margin = 40;
    t.layout(fake_measure, 0);
    EXPECT_EQ(t.row_count(), 3);  // each tab alone on its row
    for (const TEcTabData& d : t.tabs) {
        EXPECT_GE(d.rect.width(), 0);
        EXPECT_GE(d.rect.height(), 0);
    }
    EXPECT_GE(t.card_rect(0).width(), 0);
    t.settings.align_tabs = true;
    t.layout(fake_measure, 0);
    for (const TEcTabData& d : t.tabs) EXPECT_GE(d.rect.width(), 0);
}

TEST(EcTabLayout, LogicalToPhysicalAndCardsPerOrientation) {
    struct Case {
        TEcTabOrientation on;
        TEcTabSequence seq;
        ui::Rect tab0;  // the first tab in the control
        ui::Rect card0;
    };
    // One round tab 50 long (content 34) and 19 thick, on a 300 x 100 control; strip 22 thick.
    const TEcTabSequence S = TEcTabSequence::tsStandard, R = TEcTabSequence::tsReverse;
    const Case cases[] = {
        {TEcTabOrientation::toTop, S, {2, 3, 52, 22}, {0, 22, 299, 99}},
        {TEcTabOrientation::toTop, R, {247, 3, 297, 22}, {0, 22, 299, 99}},
        {TEcTabOrientation::toBottom, S, {2, 77, 52, 96}, {0, 0, 299, 77}},
        {TEcTabOrientation::toBottom, R, {247, 77, 297, 96}, {0, 0, 299, 77}},
        {TEcTabOrientation::toLeft, S, {3, 47, 22, 97}, {22, 0, 299, 99}},
        {TEcTabOrientation::toLeft, R, {3, 2, 22, 52}, {22, 0, 299, 99}},
        {TEcTabOrientation::toRight, S, {277, 2, 296, 52}, {0, 0, 277, 99}},
        {TEcTabOrientation::toRight, R, {277, 47, 296, 97}, {0, 0, 277, 99}},
    };
    for (const Case& c : cases) {
        TabLayout t;
        t.settings.style = TEcTabStyle::tsRoundCorners;
        t.settings.orientation = c.on;
        t.settings.sequence = c.seq;
        t.settings.text_orientation = t.settings.vertical_strip() ? TOrientation::orVertical : TOrientation::orHorizontal;
        TEcTabData d;
        d.caption = "c";
        t.tabs.push_back(d);
        t.layout([](std::string_view, bool) { return TabSize{34, 13}; }, 0);
        EXPECT_EQ(t.physical_tab_rect(0, -1), c.tab0) << static_cast<int>(c.on) << "/" << static_cast<int>(c.seq);
        EXPECT_EQ(t.card_rect(0), c.card0) << static_cast<int>(c.on) << "/" << static_cast<int>(c.seq);
    }
}

TEST(EcTabLayout, CardsBehindAndThePageArea) {
    TabLayout t = tabs_of({5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, TEcTabStyle::tsRoundCorners, 250);
    t.settings.multi_line = true;
    t.layout(fake_measure, 0);
    ASSERT_EQ(t.row_count(), 3);
    const int th = t.strip_thickness();
    EXPECT_EQ(t.card_rect(0), (ui::Rect{0, th, 249 - 10, 99}));
    EXPECT_EQ(t.card_rect(1), (ui::Rect{5, th - 14, 249 - 5, 99 - 14}));
    EXPECT_EQ(t.card_rect(2), (ui::Rect{10, th - 28, 249, 99 - 28}));
    t.settings.sequence = TEcTabSequence::tsReverse;
    EXPECT_EQ(t.card_rect(0), (ui::Rect{10, th, 249, 99}));

    TabLayout one = tabs_of({3});
    one.layout(fake_measure, 0);
    EXPECT_EQ(one.page_area_rect(), (ui::Rect{1, 23, 297, 97}));  // the shadow takes two pixels
    one.settings.show_shadow = false;
    EXPECT_EQ(one.page_area_rect(), (ui::Rect{1, 23, 299, 99}));
    one.settings.show_full_frame = false;
    EXPECT_EQ(one.page_area_rect(), (ui::Rect{0, 23, 300, 100}));
    one.settings.show_card_frame = false;
    EXPECT_EQ(one.page_area_rect(), (ui::Rect{0, 22, 300, 100}));

    TabLayout none;
    none.layout(fake_measure, -1);
    EXPECT_EQ(none.card_rect(0), (ui::Rect{0, 0, 299, 99}));
}

TEST(EcTabLayout, ScrollingAndFirstShownTab) {
    TabLayout t = tabs_of({5, 5, 5, 5, 5, 5, 5, 5, 5, 5});  // 46 long, 48 apart: 478 in all
    t.layout(fake_measure, 0);
    ASSERT_TRUE(t.scrolling_needed());
    EXPECT_EQ(t.first_shown_tab(), 0);
    EXPECT_EQ(t.scroll_offset(), -2);
    EXPECT_TRUE(t.is_tab_shown(0));
    EXPECT_FALSE(t.is_tab_shown(9));
    EXPECT_FALSE(t.can_scroll(false));
    EXPECT_TRUE(t.can_scroll(true));
    EXPECT_FALSE(t.scroll_tabs(false));

    int steps = 0;
    while (t.scroll_tabs(true)) ++steps;
    EXPECT_TRUE(t.is_tab_shown(9));
    EXPECT_EQ(t.first_shown_tab(), steps);
    EXPECT_FALSE(t.is_tab_shown(0));
    EXPECT_EQ(t.scroll_offset(), t.tabs[static_cast<std::size_t>(steps)].rect.left - 2);
    EXPECT_TRUE(t.scroll_tabs(false));
    EXPECT_EQ(t.first_shown_tab(), steps - 1);

    // A hidden first shown tab moves the first shown tab up to a visible one; a hidden tail
    // down from there.
    t.set_first_shown_tab(3);
    t.tabs[3].visible = false;
    t.layout(fake_measure, 0);
    EXPECT_EQ(t.first_shown_tab(), 4);
    for (int i = 4; i < 10; ++i) t.tabs[static_cast<std::size_t>(i)].visible = false;
    t.tabs[0].visible = false;
    t.set_first_shown_tab(8);
    t.settings.width = 80;
    t.layout(fake_measure, 0);
    ASSERT_TRUE(t.scrolling_needed());
    EXPECT_EQ(t.first_shown_tab(), 2);

    // Room for all: no scrolling, the first visible tab first.
    TabLayout few = tabs_of({5, 5});
    few.tabs[0].visible = false;
    few.set_first_shown_tab(-1);
    few.layout(fake_measure, 0);
    EXPECT_FALSE(few.scrolling_needed());
    EXPECT_EQ(few.first_shown_tab(), 1);
    EXPECT_EQ(few.tabs[1].rect.left, 0);  // an invisible tab takes no place
}

TEST(EcTabLayout, SelectionCorrections) {
    TabLayout t = tabs_of({3, 3, 3, 3});
    t.tabs[1].enabled = false;
    t.tabs[2].visible = false;
    EXPECT_EQ(t.corrected_selection(1), 3);
    EXPECT_EQ(t.corrected_selection(0), 0);
    t.tabs[3].enabled = false;
    EXPECT_EQ(t.corrected_selection(2), 0);  // none after it: the nearest before
    EXPECT_EQ(t.corrected_selection(-1), -1);
    EXPECT_FALSE(t.can_select(4));  // the tab count itself is no tab
    EXPECT_FALSE(t.can_select(-1));
}

TEST(EcTabLayout, SmallButtonPlaces) {
    TabLayout t = tabs_of({5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
    t.settings.show_close_button = true;
    t.settings.show_menu_button = true;
    t.layout(fake_measure, 0);
    ASSERT_EQ(t.small_button_size(), 17);  // "A" 13 high + 4, below FixedDimension - 2
    ASSERT_TRUE(t.scrolling_needed());
    // Strip (0, 0, 297, 22): close at 297 - 17 - 0 - 1, 22 - 17 - 2.
    SmallButtonPlaces p = t.small_button_places();
    EXPECT_EQ(p.close, (ui::Rect{279, 3, 296, 20}));
    EXPECT_EQ(p.menu, (ui::Rect{260, 3, 277, 20}));
    EXPECT_EQ(p.scroller, (ui::Rect{297 - 33 - 1 - 19 - 19, 3, 297 - 1 - 19 - 19, 20}));

    t.settings.sequence = TEcTabSequence::tsReverse;
    t.layout(fake_measure, 0);
    p = t.small_button_places();
    EXPECT_EQ(p.close, (ui::Rect{0, 3, 17, 20}));
    EXPECT_EQ(p.menu, (ui::Rect{19, 3, 36, 20}));
    EXPECT_EQ(p.scroller, (ui::Rect{38, 3, 71, 20}));

    struct Case {
        TEcTabOrientation on;
        ui::Rect close;
    };
    for (const Case c : {Case{TEcTabOrientation::toBottom, {283, 79, 300, 96}}, Case{TEcTabOrientation::toLeft, {3, 0, 20, 17}},
                         Case{TEcTabOrientation::toRight, {279, 83, 296, 100}}}) {
        TabLayout v = tabs_of({5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, TEcTabStyle::tsRoundCorners, 300);
        v.settings.orientation = c.on;
        v.settings.text_orientation = v.settings.vertical_strip() ? TOrientation::orVertical : TOrientation::orHorizontal;
        v.settings.show_close_button = true;
        v.layout([](std::string_view, bool) { return TabSize{30, 13}; }, 0);
        EXPECT_EQ(v.small_button_places().close, c.close) << static_cast<int>(c.on);
        EXPECT_TRUE(v.small_button_places().menu == ui::Rect{});
    }
}

TEST(EcTabShapes, PointsPerStyle) {
    const ui::Rect r{2, 0, 42, 19};
    using P = std::vector<TabPoint>;
    EXPECT_EQ(tab_shape_points(TEcTabStyle::tsRoundCorners, false, 6, r),
              (P{{2, 19}, {2, 2}, {4, 0}, {40, 0}, {42, 2}, {42, 19}}));
    EXPECT_EQ(tab_shape_points(TEcTabStyle::tsRoundCorners, true, 6, r), tab_shape_points(TEcTabStyle::tsRoundCorners, false, 6, r));
    EXPECT_EQ(tab_shape_points(TEcTabStyle::tsSingleSlant, false, 6, r), (P{{2, 19}, {2, 2}, {4, 0}, {23, 0}, {42, 19}}));
    EXPECT_EQ(tab_shape_points(TEcTabStyle::tsSingleSlant, true, 6, r),
              (P{{2, 19}, {2, 2}, {4, 0}, {19, 0}, {25, 2}, {42, 19}}));
    EXPECT_EQ(tab_shape_points(TEcTabStyle::tsDoubleSlant, false, 6, r), (P{{2, 19}, {21, 0}, {23, 0}, {42, 19}}));
    EXPECT_EQ(tab_shape_points(TEcTabStyle::tsDoubleSlant, true, 6, r),
              (P{{2, 19}, {19, 2}, {25, 0}, {19, 0}, {25, 2}, {42, 19}}));
    EXPECT_EQ(tab_shape_points(TEcTabStyle::tsCutCorner, false, 6, r), (P{{2, 19}, {2, 0}, {36, 0}, {42, 6}, {42, 19}}));
    EXPECT_EQ(tab_shape_points(TEcTabStyle::tsCutCorner, true, 6, r), tab_shape_points(TEcTabStyle::tsCutCorner, false, 6, r));
    EXPECT_EQ(tab_shape_points(TEcTabStyle::tsBackSlant, false, 6, r), (P{{2, 19}, {21, 0}, {40, 0}, {42, 2}, {42, 19}}));
    EXPECT_EQ(tab_shape_points(TEcTabStyle::tsBackSlant, true, 6, r),
              (P{{2, 19}, {19, 2}, {25, 0}, {40, 0}, {42, 2}, {42, 19}}));
    for (TEcTabStyle s : {TEcTabStyle::tsSingleSlant, TEcTabStyle::tsDoubleSlant, TEcTabStyle::tsCutCorner,
                          TEcTabStyle::tsRoundCorners, TEcTabStyle::tsBackSlant})
        for (bool soft : {false, true}) EXPECT_EQ(tab_shape_points(s, soft, 6, r).size(), tab_shape_point_count(s, soft));
}

namespace {

using Codes = std::vector<std::int32_t>;

// One round tab 40 long at the strip's start of a 100 x 60 control, selected or not.
TabLayout one_round_tab() {
    TabLayout t;
    t.settings.style = TEcTabStyle::tsRoundCorners;
    t.settings.width = 100;
    t.settings.height = 60;
    TEcTabData d;
    d.caption = "c";
    t.tabs.push_back(d);
    t.layout([](std::string_view, bool) { return TabSize{24, 13}; }, 0);
    return t;
}

} // namespace

TEST(EcTabShapes, OutlineOfARoundTab) {
    TabLayout t = one_round_tab();  // logical (0, 3, 40, 22), shown at x + 2
    OutlineCommands out;
    record_tab_outline(out, t, 0, -1, false);
    EXPECT_EQ(out.codes, (Codes{0, 3, 42, 5, 4, 42, 22, 3, 42, 5, 4, 40, 3, 3, 41, 5, 4, 41, 22, 3, 40, 3, 4, 4, 3, 4, 2, 5,
                                4, 2, 22}));
    t.settings.orientation = TEcTabOrientation::toLeft;  // the doubled side is the first one
    out.clear();
    record_tab_outline(out, t, 0, -1, false);
    EXPECT_EQ(out.codes.size(), 31u);
    EXPECT_EQ(out.codes[1], kOutlineMove);
    EXPECT_FALSE(out.has_shadow());
}

TEST(EcTabShapes, CardFramePaths) {
    TabLayout t = one_round_tab();  // card (0, 22, 99, 59); the selected tab is (0, 1, 44, 22) shown
    OutlineCommands out;
    // No tab joins: with the shadow the frame stops two pixels short, the shadow fills them.
    record_card_frame(out, t, 0, -1, false, false, true);
    EXPECT_EQ(out.codes, (Codes{0, 3, 0, 22, 4, 97, 22, 4, 97, 57, 4, 0, 57, 4, 0, 22,  // frame
                                3, 98, 23, 5, 98, 58, 5, 0, 58,                         // strength 30
                                3, 98, 22, 6, 99, 22, 6, 99, 59, 6, 0, 59, 6, 0, 58}));  // strength 15
    EXPECT_TRUE(out.has_shadow());
    out.clear();
    record_card_frame(out, t, 0, -1, false, false, false);  // the hot tab alone: no shadow
    EXPECT_FALSE(out.has_shadow());

    // The selected round tab joins: A is its first point one along, Z its last.
    out.clear();
    record_card_frame(out, t, 0, 0, true, false, true);
    const Codes joined{0, 3, 0, 57, 4, 0, 22, 4, 1, 22, 3, 44, 22, 4, 97, 22, 4, 97, 57, 4, -1, 57};
    EXPECT_EQ(Codes(out.codes.begin(), out.codes.begin() + static_cast<long>(joined.size())), joined);
    const Codes tail{0, 3, 44, 22, 4, 44, 22, 4, 45, 22};
    EXPECT_EQ(Codes(out.codes.end() - static_cast<long>(tail.size()), out.codes.end()), tail);

    t.settings.show_shadow = false;
    t.layout([](std::string_view, bool) { return TabSize{24, 13}; }, 0);
    out.clear();
    record_card_frame(out, t, 0, 0, true, false, true);
    EXPECT_EQ(out.codes, (Codes{0, 3, 0, 59, 4, 0, 22, 4, 1, 22, 3, 44, 22, 4, 99, 22, 4, 99, 59, 4, -1, 59, 3, 44, 22, 4, 44,
                                22, 4, 45, 22}));
    t.settings.show_full_frame = false;
    out.clear();
    record_card_frame(out, t, 0, 0, true, false, true);
    EXPECT_EQ(out.codes, (Codes{0, 3, 0, 22, 4, 1, 22, 3, 44, 22, 4, 100, 22, 3, 44, 22, 4, 44, 22, 4, 45, 22}));

    // Other orientations, square styles, full frame.
    struct Case {
        TEcTabOrientation on;
        Codes expected;
    };
    for (const Case& c : {Case{TEcTabOrientation::toBottom, {0, 3, 0, 0, 4, 99, 0, 4, 99, 39, 4, 39, 39, 3, 0, 39, 4, 0, 39, 4, 0, 0}},
                          Case{TEcTabOrientation::toRight, {0, 3, 0, 0, 4, 66, 0, 4, 66, 1, 3, 66, 23, 4, 66, 59, 4, 0, 59, 4, 0, 0}}}) {
        TabLayout s;
        s.settings.style = TEcTabStyle::tsCutCorner;
        s.settings.orientation = c.on;
        s.settings.width = 100;
        s.settings.height = 60;
        s.settings.show_shadow = false;
        TEcTabData d;
        d.caption = "c";
        s.tabs.push_back(d);
        s.layout([](std::string_view, bool) { return TabSize{20, 13}; }, 0);
        out.clear();
        record_card_frame(out, s, 0, 0, true, false, true);
        EXPECT_EQ(out.codes, c.expected) << static_cast<int>(c.on);
    }
}

namespace {

// Counts the regions alive, so that a test sees every free.
struct CountedRegion : TabRegion {
    static int alive;
    CountedRegion() { ++alive; }
    ~CountedRegion() override { --alive; }
};
int CountedRegion::alive = 0;

} // namespace

TEST(EcTabRegionCache, OrderAndCapacity) {
    TEcTabRegionCache cache;
    EXPECT_EQ(cache.capacity(), 1);
    EXPECT_THROW(cache.set_capacity(0), EEcTabControlError);
    EXPECT_THROW(cache.set_capacity(-2), EEcTabControlError);
    try {
        cache.set_capacity(0);
    } catch (const EEcTabControlError& e) {
        EXPECT_STREQ(e.what(), "Capacity must be -1 (to cache all regions) or > 0");
    }
    const ui::Rect a{0, 0, 10, 10}, b{10, 0, 20, 10}, c{20, 0, 30, 10}, d{30, 0, 40, 10};
    cache.add(a, std::make_unique<CountedRegion>());
    TabRegion* rb = cache.add(b, std::make_unique<CountedRegion>());
    EXPECT_EQ(cache.count(), 1u);  // capacity 1: the older one is freed
    EXPECT_EQ(CountedRegion::alive, 1);
    EXPECT_EQ(cache.find(b), rb);
    EXPECT_EQ(cache.find(a), nullptr);

    cache.set_capacity(-1);  // keep all
    cache.add(c, std::make_unique<CountedRegion>());
    cache.add(d, std::make_unique<CountedRegion>());
    cache.add(a, std::make_unique<CountedRegion>());
    EXPECT_EQ(cache.rects(), (std::vector<ui::Rect>{a, d, c, b}));
    cache.find(b);  // a look-up does not reorder
    EXPECT_EQ(cache.rects().front(), a);

    cache.set_capacity(2);  // shrinking frees from the least recently used end until it fits
    EXPECT_EQ(cache.rects(), (std::vector<ui::Rect>{a, d}));
    EXPECT_EQ(CountedRegion::alive, 2);
    cache.clear();
    EXPECT_EQ(CountedRegion::alive, 0);
}
