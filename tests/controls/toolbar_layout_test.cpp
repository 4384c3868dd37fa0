// The tool bar's geometry: the wrap layout in rows and columns, right to left, AutoResize and the
// overflow test; the text-option presets; the control list read back by names.
#include <gtest/gtest.h>

#include <map>

#include "controls/model/toolbar_layout.h"

using namespace ec;
using ui::Rect;
using ui::TAlign;

namespace {

ToolbarItem sized(int w, int h) { return {{0, 0, w, h}}; }

// The station's top bar: 60 x 60 buttons with 8 x 25 spacers between them.
std::vector<ToolbarItem> station_row() {
    return {sized(60, 60), sized(8, 25), sized(60, 60), sized(8, 25), sized(60, 60), sized(60, 60)};
}

ToolbarMetrics station_bar() {
    ToolbarMetrics m;
    m.width = 915;
    m.margin = 4;
    m.top_margin = 2;
    m.row_height = 60;
    return m;
}

TEST(EcToolbarLayout, RowsPlaceControlsCentredInTheirRow) {
    const ToolbarArrangement a = arrange_toolbar(station_bar(), station_row());
    EXPECT_EQ(a.bounds[0], (Rect{4, 2, 64, 62}));
    EXPECT_EQ(a.bounds[1], (Rect{64, 20, 72, 45}));
    EXPECT_EQ(a.bounds[2], (Rect{72, 2, 132, 62}));
    EXPECT_EQ(a.rows, 1);
    EXPECT_EQ(a.new_height, 64);  // one row and two top margins
    EXPECT_FALSE(a.new_width);
    EXPECT_FALSE(a.overflow);
}

TEST(EcToolbarLayout, WrapsIntoRowsButNeverBeforeTheFirstControl) {
    ToolbarMetrics m = station_bar();
    m.width = 140;  // room for 64 + 8 + 60 = 132 <= 136
    const ToolbarArrangement a = arrange_toolbar(m, station_row());
    EXPECT_EQ(a.bounds[2].left, 72);
    EXPECT_EQ(a.bounds[3], (Rect{4, 80, 12, 105})) << "second row starts at the margin";
    EXPECT_EQ(a.bounds[5].left, 72);
    EXPECT_EQ(a.rows, 2);
    EXPECT_EQ(a.new_height, 2 * 60 + 4);

    m.width = 30;  // narrower than the first control
    const ToolbarArrangement b = arrange_toolbar(m, {sized(60, 60), sized(60, 60)});
    EXPECT_EQ(b.bounds[0], (Rect{4, 2, 64, 62}));
    EXPECT_EQ(b.bounds[1], (Rect{4, 62, 64, 122}));
    EXPECT_EQ(b.rows, 2);

    m.wrap = false;
    const ToolbarArrangement c = arrange_toolbar(m, {sized(60, 60), sized(60, 60)});
    EXPECT_EQ(c.rows, 1);
    EXPECT_EQ(c.bounds[1].left, 64);
}

TEST(EcToolbarLayout, AnInvisibleControlKeepsItsPlaceButTakesNoRoom) {
    std::vector<ToolbarItem> items = station_row();
    items[1].visible = false;
    items[1].bounds = {300, 300, 308, 325};
    items[3].present = false;  // an entry whose control is gone
    const ToolbarArrangement a = arrange_toolbar(station_bar(), items);
    EXPECT_EQ(a.bounds[1], (Rect{300, 300, 308, 325})) << "not moved";
    EXPECT_EQ(a.bounds[2].left, 64);
    EXPECT_EQ(a.bounds[4].left, 124);
}

TEST(EcToolbarLayout, RightToLeftMirrorsEachRow) {
    ToolbarMetrics m = station_bar();
    m.right_to_left = true;
    const ToolbarArrangement a = arrange_toolbar(m, station_row());
    EXPECT_EQ(a.bounds[0], (Rect{851, 2, 911, 62}));
    EXPECT_EQ(a.bounds[1].left, 915 - 8 - 64);
}

TEST(EcToolbarLayout, ColumnsRunDownAndWrapAcross) {
    ToolbarMetrics m;
    m.orientation = TOrientation::orVertical;
    m.height = 60;
    m.margin = 4;
    m.top_margin = 2;
    m.row_height = 25;
    m.align = TAlign::alLeft;
    const ToolbarArrangement a = arrange_toolbar(m, {sized(25, 25), sized(25, 8), sized(25, 25), sized(21, 21)});
    EXPECT_EQ(a.bounds[0], (Rect{4, 4, 29, 29}));
    EXPECT_EQ(a.bounds[1], (Rect{4, 29, 29, 37}));
    EXPECT_EQ(a.bounds[2], (Rect{29, 4, 54, 29})) << "37 + 25 > 56: next column";
    EXPECT_EQ(a.bounds[3], (Rect{31, 29, 52, 50})) << "centred across its column";
    EXPECT_EQ(a.rows, 2);
    EXPECT_EQ(a.new_width, 54) << "2 x 25 + TopMargin + 2";
    EXPECT_FALSE(a.overflow) << "columns never overflow";

    m.align = TAlign::alTop;
    EXPECT_EQ(arrange_toolbar(m, {sized(25, 25), sized(25, 8)}).new_height, 4 + 37);
}

TEST(EcToolbarLayout, AutoResizeByAlignment) {
    struct Case {
        TAlign align;
        std::optional<int> width, height;
    };
    const Case cases[] = {
        {TAlign::alTop, std::nullopt, 54},      {TAlign::alBottom, std::nullopt, 54},
        {TAlign::alNone, std::nullopt, 54},     {TAlign::alLeft, 4 + 29, std::nullopt},
        {TAlign::alRight, 4 + 29, std::nullopt}, {TAlign::alClient, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        ToolbarMetrics m;
        m.width = 50;  // 4 + 25 + 25 passes 50 - 4: two rows
        m.align = c.align;
        const ToolbarArrangement a = arrange_toolbar(m, {sized(25, 25), sized(25, 25)});
        EXPECT_EQ(a.rows, 2);
        EXPECT_EQ(a.new_width, c.width) << enum_info(c.align).name_of(int(c.align));
        EXPECT_EQ(a.new_height, c.height) << enum_info(c.align).name_of(int(c.align));
    }
    ToolbarMetrics off;
    off.auto_resize = false;
    const ToolbarArrangement a = arrange_toolbar(off, {sized(25, 25)});
    EXPECT_FALSE(a.new_width || a.new_height);
}

TEST(EcToolbarLayout, OverflowReadsTheLastControlAsPlacedBefore) {
    ToolbarMetrics m = station_bar();
    m.wrap = false;
    m.width = 200;
    std::vector<ToolbarItem> items = station_row();
    items.back().bounds = {130, 2, 190, 62};  // inside 200 - 4
    EXPECT_FALSE(arrange_toolbar(m, items).overflow);
    items.back().bounds = {140, 2, 200, 62};
    EXPECT_TRUE(arrange_toolbar(m, items).overflow);
    EXPECT_FALSE(arrange_toolbar(m, {}).overflow);
}

TEST(EcToolbarLayout, NegativeSizesAndZeroRowHeightAreClamped) {
    EXPECT_EQ(clamp_toolbar_size(-5), 0);
    EXPECT_EQ(clamp_toolbar_size(7), 7);
    EXPECT_EQ(clamp_row_height(0), 1);
    EXPECT_EQ(clamp_row_height(-3), 1);
    ToolbarMetrics m;
    m.margin = 0;
    m.row_height = 1;
    m.width = 0;
    const ToolbarArrangement a = arrange_toolbar(m, {sized(10, 10), sized(10, 10)});
    EXPECT_EQ(a.rows, 2);
}

TEST(EcToolbarLayout, TextOptionPresets) {
    using T = TEcToolbarTextOptions;
    using L = TButtonLayout;
    struct Case {
        T options;
        TOrientation orientation;
        L layout;
        int width, height;
        bool captions;
        int row;
    };
    const Case cases[] = {
        {T::ttoNoTextLabels, TOrientation::orHorizontal, L::blGlyphLeft, 25, 25, false, 25},
        {T::ttoNoTextLabels, TOrientation::orVertical, L::blGlyphLeft, 25, 25, false, 25},
        {T::ttoShowTextLabels, TOrientation::orHorizontal, L::blGlyphTop, 60, 40, true, 40},
        {T::ttoShowTextLabels, TOrientation::orVertical, L::blGlyphTop, 60, 40, true, 60},
        {T::ttoSelectiveTextOnRight, TOrientation::orHorizontal, L::blGlyphLeft, 60, 25, true, 25},
        {T::ttoSelectiveTextOnRight, TOrientation::orVertical, L::blGlyphLeft, 60, 25, true, 60},
    };
    for (const Case& c : cases) {
        const auto p = text_options_preset(c.options, c.orientation);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->layout, c.layout);
        EXPECT_EQ(p->button_width, c.width);
        EXPECT_EQ(p->button_height, c.height);
        EXPECT_EQ(p->show_captions, c.captions);
        EXPECT_EQ(p->row_height, c.row) << enum_info(c.options).name_of(int(c.options)) << " " << enum_info(c.orientation).name_of(int(c.orientation));
    }
    EXPECT_FALSE(text_options_preset(T::ttoCustom, TOrientation::orHorizontal));
}

class ToolbarNames : public ::testing::Test {
protected:
    // The bar's children: btnA, spacer, btnB; "btnOther" sits on another parent.
    std::map<std::string, NamedPlace> owner{{"btna", {NamedPlace::OnBar, 0}},
                                            {"spacer", {NamedPlace::OnBar, 1}},
                                            {"btnb", {NamedPlace::OnBar, 2}},
                                            {"btnother", {NamedPlace::Elsewhere, -1}}};
    std::vector<int> resolve(bool read, std::vector<std::string> names) {
        return resolve_toolbar_controls(
            read, names,
            [&](const std::string& name) {
                std::string key;
                for (char ch : name) key += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
                const auto it = owner.find(key);
                return it == owner.end() ? NamedPlace{} : it->second;
            },
            3);
    }
};

TEST_F(ToolbarNames, ResolvedInTheOrderRead) {
    EXPECT_EQ(resolve(true, {"btnB", "btnA"}), (std::vector<int>{2, 0})) << "children not named are left out";
    EXPECT_EQ(resolve(false, {}), (std::vector<int>{0, 1, 2})) << "nothing read: every child";
}

TEST_F(ToolbarNames, MissingForeignAndDoubledNames) {
    EXPECT_EQ(resolve(true, {"btnB", "gone", "spacer"}), (std::vector<int>{2, 1})) << "missing: dropped";
    EXPECT_EQ(resolve(true, {"btnB", "BTNB", "btnA"}), (std::vector<int>{2, 0})) << "doubled: listed once";
    EXPECT_EQ(resolve(true, {"btnB", "btnOther"}), (std::vector<int>{2, 0, 1})) << "foreign: all children follow";
}

TEST_F(ToolbarNames, AddUniqueNameIgnoresCase) {
    std::vector<std::string> names;
    EXPECT_TRUE(add_unique_name(names, "btnStart"));
    EXPECT_FALSE(add_unique_name(names, "BTNSTART"));
    EXPECT_TRUE(add_unique_name(names, "btnStop"));
    EXPECT_EQ(names.size(), 2u);
}

} // namespace
