// The button edit without windows: the pair's place for each combination of visible buttons,
// framed, unframed and right to left; the margins; shortcut values and which button they
// click; and the stock glyphs, drawn by our code and kept as the program's bitmap files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "controls/model/button_edit_glyphs.h"
#include "controls/model/button_edit_layout.h"

using namespace ec;
using ui::Rect;

namespace {

TEST(EcButtonEditLayout, PairAndButtonsForEachCombination) {
    struct Case {
        const char* what;
        bool framed, rtl, button, alt;
        Rect pair, main, alternate;
        int left_margin, right_margin;
    } const cases[] = {
        {"main only, framed", true, false, true, false, {100, 0, 117, 18}, {0, 0, 17, 17}, {}, 0, 19},
        {"both, framed", true, false, true, true, {83, 0, 117, 18}, {0, 0, 17, 17}, {17, 0, 34, 17}, 0, 36},
        {"alternate only: at the left edge", true, false, false, true, {100, 0, 117, 18}, {}, {0, 0, 17, 17}, 0, 19},
        {"main only, unframed", false, false, true, false, {103, 1, 120, 19}, {0, 0, 17, 17}, {}, 0, 19},
        {"both, unframed", false, false, true, true, {86, 1, 120, 19}, {0, 0, 17, 17}, {17, 0, 34, 17}, 0, 36},
        {"right to left", true, true, true, true, {0, 0, 34, 18}, {0, 0, 17, 17}, {17, 0, 34, 17}, 36, 0},
        {"none visible", true, false, false, false, {117, 0, 117, 18}, {}, {}, 0, 2},
    };
    for (const Case& c : cases) {
        ButtonEditShape shape;
        shape.width = 121;
        shape.height = 21;
        shape.framed = c.framed;
        shape.right_to_left = c.rtl;
        shape.button_visible = c.button;
        shape.alt_visible = c.alt;
        const ButtonEditLayout l = button_edit_layout(shape);
        EXPECT_EQ(l.pair, c.pair) << c.what;
        EXPECT_EQ(l.button, c.main) << c.what;
        EXPECT_EQ(l.alt, c.alternate) << c.what;
        EXPECT_EQ(l.left_margin, c.left_margin) << c.what;
        EXPECT_EQ(l.right_margin, c.right_margin) << c.what;
        EXPECT_TRUE(l.pair_visible) << c.what;
    }
}

TEST(EcButtonEditLayout, ReadOnlyHidesThePairAndGivesTheTextTheWidth) {
    ButtonEditShape shape;
    shape.read_only = true;
    ButtonEditLayout l = button_edit_layout(shape);
    EXPECT_FALSE(l.pair_visible);
    EXPECT_EQ(l.left_margin + l.right_margin, 0);
    shape.hide_on_read_only = false;
    l = button_edit_layout(shape);
    EXPECT_TRUE(l.pair_visible);
    EXPECT_EQ(l.right_margin, 19);
    // Widths as asked, narrower under desktop themes.
    EXPECT_EQ(applied_pair_button_width(17, false), 17);
    EXPECT_EQ(applied_pair_button_width(25, false), 25);
    EXPECT_EQ(applied_pair_button_width(17, true), 15);
    EXPECT_EQ(applied_pair_button_width(-4, false), 0);
}

TEST(EcButtonEditLayout, ShortcutValuesAndTheirButton) {
    EXPECT_EQ(key_shortcut(0x73, false, false, false), 115);  // F4
    EXPECT_EQ(key_shortcut(0x73, true, false, false), 0x2073);
    EXPECT_EQ(key_shortcut(0x73, false, true, false), 0x4073);
    EXPECT_EQ(key_shortcut(0x28, false, false, true), 0x8028);  // Alt+Down
    EXPECT_EQ(key_shortcut(0x41, true, true, true), 0xE041);

    struct Case {
        const char* what;
        ui::TShortCut pressed;
        PairButtonKeys button, alt;
        ShortcutTarget expected;
    } const cases[] = {
        {"main's F4", 115, {true, 115}, {true, 0}, ShortcutTarget::Button},
        {"main hidden: F4 does nothing", 115, {false, 115}, {true, 0}, ShortcutTarget::None},
        {"the alternate's own", 0x4073, {true, 115}, {true, 0x4073}, ShortcutTarget::AltBtn},
        {"the same key for both: the main", 115, {true, 115}, {true, 115}, ShortcutTarget::Button},
        {"main unusable, alternate has it", 115, {false, 115}, {true, 115}, ShortcutTarget::AltBtn},
        {"0 is no shortcut", 0, {true, 0}, {true, 0}, ShortcutTarget::None},
        {"other key", 114, {true, 115}, {true, 0}, ShortcutTarget::None},
    };
    for (const Case& c : cases) EXPECT_EQ(shortcut_target(c.pressed, c.button, c.alt), c.expected) << c.what;
}

// '.' aqua, '#' anything else.
std::vector<std::string> cell_map(const GlyphStrip& s, int cell) {
    std::vector<std::string> rows;
    for (int y = 0; y < s.height; ++y) {
        std::string row;
        for (int x = 0; x < kButtonEditGlyphCell; ++x)
            row += s.rgb(cell * kButtonEditGlyphCell + x, y) == kGlyphAqua ? '.' : '#';
        rows.push_back(row);
    }
    return rows;
}

TEST(EcButtonEditGlyphs, StripsOfTwoCellsOnAqua) {
    for (int k = 1; k <= static_cast<int>(TButtonKind::bkSearch); ++k) {
        const auto kind = static_cast<TButtonKind>(k);
        const GlyphStrip s = button_edit_glyph(kind);
        ASSERT_EQ(s.width, 20) << k;
        ASSERT_EQ(s.height, 10) << k;
        EXPECT_EQ(s.rgb(0, 9), kGlyphAqua) << k;  // the transparent colour is the bottom-left pixel
        // The disabled cell: only greys and white, a white pixel below-right of the shape.
        bool any_white = false;
        for (int y = 0; y < 10; ++y)
            for (int x = 10; x < 20; ++x) {
                const std::uint32_t p = s.rgb(x, y);
                EXPECT_TRUE(p == kGlyphAqua || p == 0xFFFFFF || p == 0x808080 || p == 0xC0C0C0) << k << " " << x << "," << y;
                any_white = any_white || p == 0xFFFFFF;
            }
        EXPECT_TRUE(any_white) << k;
    }
    EXPECT_EQ(button_edit_glyph(TButtonKind::bkCustom).width, 0);
    EXPECT_EQ(button_edit_glyph_resource(TButtonKind::bkDropDown), "ECBTNEDT_DROPDOWN");
    EXPECT_EQ(button_edit_glyph_resource(TButtonKind::bkCustom), "");

    EXPECT_EQ(cell_map(button_edit_glyph(TButtonKind::bkLookup), 0),
              (std::vector<std::string>{"..........", "..........", "..........", "..........", "..........",
                                        "..........", ".##.##.##.", ".##.##.##.", "..........", ".........."}));
    // The drop-down triangle: 7 wide, 4 high, black.
    const GlyphStrip drop = button_edit_glyph(TButtonKind::bkDropDown);
    EXPECT_EQ(cell_map(drop, 0),
              (std::vector<std::string>{"..........", "..........", "..........", ".#######..", "..#####...",
                                        "...###....", "....#.....", "..........", "..........", ".........."}));
    EXPECT_EQ(drop.rgb(4, 6), 0x000000u);
    EXPECT_EQ(cell_map(drop, 1),
              (std::vector<std::string>{"..........", "..........", "..........", ".#######..", "..#######.",
                                        "...#####..", "....###...", ".....#....", "..........", ".........."}));
}

TEST(EcButtonEditGlyphs, BitmapFilesAreTheGeneratorsOutput) {
    for (int k = 1; k <= static_cast<int>(TButtonKind::bkSearch); ++k) {
        const auto kind = static_cast<TButtonKind>(k);
        const std::vector<std::uint8_t> bytes = encode_bmp8(button_edit_glyph(kind));
        EXPECT_EQ(bytes[28], 8);  // bits per pixel
        std::ifstream file(std::string(VQ_CONTROLS_RESOURCE_DIR) + "/" + button_edit_glyph_file(kind), std::ios::binary);
        ASSERT_TRUE(file) << button_edit_glyph_file(kind);
        const std::vector<std::uint8_t> stored{std::istreambuf_iterator<char>(file), {}};
        EXPECT_EQ(stored, bytes) << button_edit_glyph_file(kind) << ": run ecglyphs controls/resources";
    }
}

} // namespace
