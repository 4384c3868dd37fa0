// Colour values, string lists, layout, shortcuts and the PNG writer.
#include <gtest/gtest.h>

#include "platform/ui/align_layout.h"
#include "platform/ui/color.h"
#include "platform/ui/png_writer.h"
#include "platform/ui/shortcut.h"
#include "platform/ui/string_list.h"

using namespace ui;

namespace {

TEST(UiColors, ValuesTextsAndSystemColours) {
    EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), 0xFF00000Fu);
    EXPECT_EQ(clNone, 0x1FFFFFFF);
    EXPECT_EQ(rgb(0x12, 0x34, 0x56), 0x563412);
    EXPECT_EQ(color_to_rgb(clRed), 0x0000FFu);
    EXPECT_EQ(color_to_rgb(clBtnFace), classic_system_color(15));
    set_system_color_provider([](int index) { return index == 15 ? 0x00ABCDEFu : 0u; });
    EXPECT_EQ(color_to_rgb(clBtnFace), 0xABCDEFu);
    set_system_color_provider(nullptr);
    EXPECT_EQ(color_to_rgb(clBtnFace), classic_system_color(15));

    const std::pair<const char*, TColor> texts[] = {{"clWindowText", clWindowText}, {"cl3DDkShadow", cl3DDkShadow},
                                                    {"clInfoBk", clInfoBk}, {"clFuchsia", clFuchsia},
                                                    {"$FF000005", clWindow}, {"-16777201", clBtnFace}};
    for (auto [text, value] : texts) EXPECT_EQ(color_from_text(text), value) << text;
    EXPECT_EQ(color_to_text(0x00102030), "$00102030");
    EXPECT_FALSE(color_from_text("$1FFFFFFFF"));
    EXPECT_FALSE(color_from_text("red"));
}

TEST(UiStringLists, EditingSortingAndEvents) {
    StringList list;
    int changes = 0;
    list.on_change = [&](StringList&) { ++changes; };
    list.add("beta");
    list.add("Alpha");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(list.index_of("ALPHA"), 1);
    list.begin_update();
    list.add("gamma");
    list.add("delta");
    list.end_update();
    EXPECT_EQ(changes, 3);  // one change for the whole update
    list.set_sorted(true);
    EXPECT_EQ(list.to_vector(), (std::vector<std::string>{"Alpha", "beta", "delta", "gamma"}));
    EXPECT_EQ(list.add("Charlie"), 2);
    EXPECT_EQ(list.index_of("charlie"), 2);
    EXPECT_THROW(list.insert(0, "x"), StringListError);
    EXPECT_THROW(list.get(9), StringListError);
    EXPECT_THROW(list.remove(-1), StringListError);
    EXPECT_EQ(StringList({"a b", "c", "", "d\"e"}).comma_text(), "\"a b\",c,\"\",\"d\"\"e\"");
    StringList copy;
    copy.assign(list);
    EXPECT_EQ(copy.to_vector(), list.to_vector());
}

TEST(UiStringLists, MoveAndExchangeCarryTheObjects) {
    StringList list({"a", "b", "c", "d"});
    int one = 1, two = 2;
    list.put_object(0, &one);
    list.put_object(2, &two);
    int changes = 0;
    list.on_change = [&](StringList&) { ++changes; };
    list.move(0, 3);
    EXPECT_EQ(list.to_vector(), (std::vector<std::string>{"b", "c", "d", "a"}));
    EXPECT_EQ(list.object(3), &one);
    EXPECT_EQ(changes, 1);
    list.exchange(1, 3);
    EXPECT_EQ(list.to_vector(), (std::vector<std::string>{"b", "a", "d", "c"}));
    EXPECT_EQ(list.object(1), &one);
    EXPECT_EQ(list.object(3), &two);
    EXPECT_EQ(changes, 2);
    EXPECT_THROW(list.move(0, 4), StringListError);
    EXPECT_THROW(list.exchange(0, -1), StringListError);
    EXPECT_EQ(list.to_vector(), (std::vector<std::string>{"b", "a", "d", "c"}));
}

TEST(UiLayout, AlignedChildrenShareTheClientInOrder) {
    const Rect client{0, 0, 400, 300};
    auto child = [](TAlign a, Rect r) {
        LayoutChild c;
        c.align = a;
        c.bounds = r;
        return c;
    };
    std::vector<LayoutChild> kids = {
        child(TAlign::alClient, {0, 0, 10, 10}), child(TAlign::alTop, {5, 5, 50, 66}),
        child(TAlign::alLeft, {0, 0, 85, 10}),   child(TAlign::alBottom, {0, 0, 10, 128}),
        child(TAlign::alTop, {0, 70, 10, 90}),   child(TAlign::alRight, {0, 0, 30, 10}),
    };
    kids.push_back(child(TAlign::alTop, {0, 0, 10, 40}));
    kids.back().visible = false;
    auto r = align_children(client, kids);
    EXPECT_EQ(r[1], (Rect{0, 0, 400, 61}));
    EXPECT_EQ(r[4], (Rect{0, 61, 400, 81}));
    EXPECT_EQ(r[3], (Rect{0, 172, 400, 300}));
    EXPECT_EQ(r[2], (Rect{0, 81, 85, 172}));
    EXPECT_EQ(r[5], (Rect{370, 81, 400, 172}));
    EXPECT_EQ(r[0], (Rect{85, 81, 370, 172}));
    EXPECT_EQ(r[6], kids[6].bounds);  // hidden: untouched

    // Two bottom panels: the one placed lower stays lower, whatever the creation order.
    auto both = align_children(client, {child(TAlign::alBottom, {0, 200, 10, 240}), child(TAlign::alBottom, {0, 280, 10, 300})});
    EXPECT_EQ(both[1], (Rect{0, 280, 400, 300}));
    EXPECT_EQ(both[0], (Rect{0, 240, 400, 280}));
}

TEST(UiLayout, AnchorsAndConstraints) {
    LayoutChild stretch;
    stretch.anchors = {TAnchorKind::akLeft, TAnchorKind::akTop, TAnchorKind::akRight, TAnchorKind::akBottom};
    stretch.bounds = {10, 10, 90, 90};
    stretch.anchor_right = 10;
    stretch.anchor_bottom = 10;
    LayoutChild corner;
    corner.anchors = {TAnchorKind::akRight, TAnchorKind::akBottom};
    corner.bounds = {70, 80, 95, 95};
    corner.anchor_right = 5;
    corner.anchor_bottom = 5;
    LayoutChild limited;
    limited.align = TAlign::alClient;
    limited.constraints.max_width = 100;
    auto r = align_children({0, 0, 200, 150}, {stretch, corner, limited});
    EXPECT_EQ(r[0], (Rect{10, 10, 190, 140}));
    EXPECT_EQ(r[1], (Rect{170, 130, 195, 145}));
    EXPECT_EQ(r[2], (Rect{0, 0, 100, 150}));
    auto small = align_children({0, 0, 5, 5}, {stretch});
    EXPECT_EQ(small[0].width(), 0);  // never negative
}

TEST(UiShortcuts, TextRoundTrip) {
    const std::pair<const char*, TShortCut> cases[] = {{"Alt+F4", shortcut(0x73, scAlt)}, {"Ctrl+S", shortcut('S', scCtrl)},
                                                       {"Shift+Del", shortcut(0x2E, scShift)}, {"F12", shortcut(0x7B, 0)},
                                                       {"Shift+Ctrl+Alt+Enter", shortcut(0x0D, scShift | scCtrl | scAlt)}};
    for (auto [text, sc] : cases) {
        EXPECT_EQ(text_to_shortcut(text), sc) << text;
        EXPECT_EQ(shortcut_to_text(sc), text);
    }
    EXPECT_EQ(text_to_shortcut("ctrl+a"), shortcut('A', scCtrl));
    EXPECT_EQ(text_to_shortcut(""), TShortCut{0});
    EXPECT_FALSE(text_to_shortcut("Ctrl+Banana"));
    EXPECT_FALSE(text_to_shortcut("F25"));
}

std::uint32_t be32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

TEST(UiPng, ChunksAreWellFormedAndCarryThePixels) {
    EXPECT_EQ(crc32_of(reinterpret_cast<const std::uint8_t*>("123456789"), 9), 0xCBF43926u);
    // 2 x 2: blue, green / red, white in B G R A order.
    const std::uint8_t px[] = {255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 255, 255, 255, 0};
    auto png = encode_png(2, 2, px);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    std::size_t at = 8;
    std::vector<std::string> types;
    std::vector<std::uint8_t> idat;
    while (at + 12 <= png.size()) {
        std::uint32_t len = be32(png, at);
        ASSERT_LE(at + 12 + len, png.size());
        types.emplace_back(png.begin() + static_cast<long>(at) + 4, png.begin() + static_cast<long>(at) + 8);
        EXPECT_EQ(crc32_of(png.data() + at + 4, len + 4), be32(png, at + 8 + len)) << types.back();
        if (types.back() == "IDAT") idat.assign(png.begin() + static_cast<long>(at) + 8, png.begin() + static_cast<long>(at + 8 + len));
        at += 12 + len;
    }
    EXPECT_EQ(at, png.size());
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    // One stored block: 2-byte header, 5-byte block header, rows of filter 0 + RGBA.
    const std::vector<std::uint8_t> rows = {0, 0, 0, 255, 255, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255};
    ASSERT_EQ(idat.size(), 2 + 5 + rows.size() + 4);
    EXPECT_EQ(std::vector<std::uint8_t>(idat.begin() + 7, idat.begin() + 7 + static_cast<long>(rows.size())), rows);
    EXPECT_THROW(encode_png(0, 1, px), std::invalid_argument);
}

TEST(UiPng, LargeImagesSpanSeveralStoredBlocks) {
    std::vector<std::uint8_t> px(200 * 100 * 4, 0x80);
    auto png = encode_png(200, 100, px.data());
    EXPECT_GT(png.size(), px.size());  // 80,100 bytes of rows need two 65,535-byte blocks
}

} // namespace

#include "platform/ui/date_time.h"

namespace {

TEST(UiDateTimes, EncodeAndDecode) {
    struct Case {
        ui::CivilDateTime civil;
        double value;
    };
    const Case cases[] = {
        {{1899, 12, 30, 0, 0, 0, 0}, 0.0},
        {{1900, 1, 1, 0, 0, 0, 0}, 2.0},
        {{2012, 3, 1, 18, 0, 0, 0}, 40969.75},
        {{2000, 2, 29, 6, 0, 0, 0}, 36585.25},
        {{1899, 12, 29, 12, 0, 0, 0}, -1.5},  // before the epoch the time counts forward
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ui::encode_date_time(c.civil), c.value) << c.value;
        ui::CivilDateTime back = ui::decode_date_time(c.value);
        EXPECT_EQ(back.year, c.civil.year);
        EXPECT_EQ(back.month, c.civil.month);
        EXPECT_EQ(back.day, c.civil.day);
        EXPECT_EQ(back.hour, c.civil.hour);
    }
    ui::CivilDateTime almost = ui::decode_date_time(1.0 - 1e-9);  // 0.09 ms before midnight rounds up to it
    EXPECT_EQ(almost.day, 31);
    EXPECT_EQ(almost.hour, 0);
    for (ui::CivilDateTime bad : {ui::CivilDateTime{2001, 2, 29}, ui::CivilDateTime{2000, 13, 1}, ui::CivilDateTime{2000, 1, 1, 24}})
        EXPECT_THROW(ui::encode_date_time(bad), std::out_of_range);
}

} // namespace
