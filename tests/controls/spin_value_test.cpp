// The spin edit's number: clamping, reading and writing its text, typed characters, the caret
// after a write and where the buttons go.
#include <gtest/gtest.h>

#include "controls/model/spin_value.h"

using namespace ec;

namespace {

SpinRange range(long double min, long double max, bool check = false) {
    SpinRange r;
    r.min = min;
    r.max = max;
    r.check_range = check;
    return r;
}

long double read(const std::string& text, const SpinRange& r, bool allow_blank = false, long double blank = 0) {
    SpinText t;
    t.text = text;
    t.allow_blank = allow_blank;
    t.blank_value = blank;
    return read_spin_value(t, r, '.').value;
}

} // namespace

TEST(EcSpinValue, ClampingAndTheRangeEnds) {
    // Min = Max = 0 without CheckRange takes anything; with it, the one value.
    EXPECT_EQ(range(0, 0).clamp(-5), -5);
    EXPECT_EQ(range(0, 0).clamp(70000), 70000);
    EXPECT_EQ(range(0, 0, true).clamp(70000), 0);
    EXPECT_EQ(range(1, 65500).clamp(70000), 65500);
    EXPECT_EQ(range(1, 65500).clamp(0), 1);
    EXPECT_EQ(range(0, 100).clamp(99.5L + 1), 100);

    SpinRange r = range(0, 100);
    r.set_min(150);
    EXPECT_EQ(r.min, 150);
    EXPECT_EQ(r.max, 150);
    r.set_max(-3);
    EXPECT_EQ(r.min, -3);
    EXPECT_EQ(r.max, -3);
    r.set_max(10);
    EXPECT_EQ(r.min, -3);  // raising Max leaves Min where it is
}

TEST(EcSpinValue, ReadingTheText) {
    const SpinRange port = range(0, 65535);
    EXPECT_EQ(read("70000", port), 65535);  // clamped on reading, before the edit is left
    EXPECT_EQ(read("  42 ", port), 42);
    EXPECT_EQ(read("abc", range(7, 100)), 7);
    EXPECT_EQ(read("1.5.2", range(7, 100)), 7);
    EXPECT_EQ(read("-", range(7, 100)), 7);
    EXPECT_EQ(read("1e2", range(0, 1000)), 100);
    EXPECT_EQ(read("1e", range(3, 1000)), 3);
    EXPECT_EQ(read("-70000", range(0, 0)), -70000);  // Min = Max: no clamping

    // Empty: BlankValue with AllowBlank, else Min written into the edit.
    EXPECT_EQ(read("", range(1, 10), true, 0), 0);
    SpinText empty;
    const SpinRead filled = read_spin_value(empty, range(1.5L, 10), ',');
    EXPECT_EQ(filled.value, 1.5L);
    ASSERT_TRUE(filled.new_text);
    EXPECT_EQ(*filled.new_text, "1,5");

    // The separator is the locale's: a point is no number where the comma is used.
    EXPECT_EQ(parse_spin_text("2,25", ','), 2.25L);
    EXPECT_FALSE(parse_spin_text("2.25", ','));
    EXPECT_FALSE(parse_spin_text("", '.'));
    EXPECT_FALSE(parse_spin_text("1 000", '.'));
}

TEST(EcSpinValue, WritingTheText) {
    struct Row {
        long double value;
        int decimals;
        char separator;
        const char* text;
    } rows[] = {
        {7, 2, '.', "7.00"},
        {7, 2, ',', "7,00"},
        {7, 0, '.', "7"},
        {65500, 0, '.', "65500"},
        {-12.345L, 1, '.', "-12.3"},
        {2.5L, 0, '.', "2"},  // the binary value decides, halves to even as the platform does
        {-0.2L, 0, '.', "0"},  // no "-0"
        {1, 25, '.', "1.000000000000000000"},  // Decimals above 18 count as 18
    };
    for (const Row& r : rows)
        EXPECT_EQ(format_spin_value(r.value, r.decimals, r.separator), r.text) << r.text;
    EXPECT_EQ(format_spin_general(1, '.'), "1");
    EXPECT_EQ(format_spin_general(0.25L, ','), "0,25");
    EXPECT_EQ(parse_spin_text(format_spin_value(1e20L, 0, '.'), '.'), 1e20L);
}

TEST(EcSpinValue, TypedCharacters) {
    struct Row {
        const char* text;
        int sel_start, sel_length;
        bool integers_only, allow_key_edit;
        wchar_t ch;
        bool valid;
        const char* why;
    } rows[] = {
        {"12", 2, 0, true, true, L'3', true, "a digit"},
        {"12", 2, 0, true, true, L'a', false, "a letter"},
        {"12", 2, 0, true, true, L'.', false, "the separator with IntegersOnly"},
        {"12", 2, 0, false, true, L'.', true, "the separator once"},
        {"1.2", 3, 0, false, true, L'.', false, "a second separator"},
        {"1.2", 0, 3, false, true, L'.', true, "the separator over the one selected"},
        {"1.2", 2, 1, false, true, L'.', false, "the separator beside the selection"},
        {"12", 0, 0, true, true, L'-', true, "a minus at the start"},
        {"12", 1, 0, true, true, L'-', false, "a minus inside"},
        {"-12", 0, 0, true, true, L'-', false, "a second minus"},
        {"-12", 0, 0, true, true, L'+', false, "a plus before a minus"},
        {"-12", 0, 3, true, true, L'-', true, "a minus over the whole text"},
        {"12", 2, 0, true, false, L'3', false, "a digit without AllowKeyEdit"},
        {"12", 2, 0, true, false, L'\b', false, "Backspace without AllowKeyEdit"},
        {"12", 2, 0, true, true, L'\b', true, "Backspace"},
        {"12", 2, 0, true, false, 3, true, "Ctrl+C without AllowKeyEdit"},
        {"12", 2, 0, true, true, L'\r', false, "Enter"},
    };
    for (const Row& r : rows) {
        SpinCharContext c;
        c.text = r.text;
        c.sel_start = r.sel_start;
        c.sel_length = r.sel_length;
        c.integers_only = r.integers_only;
        c.allow_key_edit = r.allow_key_edit;
        EXPECT_EQ(spin_char_valid(r.ch, c), r.valid) << r.why;
    }
    SpinCharContext comma;
    comma.text = "1";
    comma.sel_start = 1;
    comma.integers_only = false;
    comma.allow_key_edit = true;
    comma.separator = ',';
    EXPECT_TRUE(spin_char_valid(L',', comma));
    EXPECT_FALSE(spin_char_valid(L'.', comma));
}

TEST(EcSpinValue, CaretAfterAWrite) {
    EXPECT_EQ(spin_caret_after_write(1, 2, 2), 1);
    EXPECT_EQ(spin_caret_after_write(1, 2, 3), 2);
    EXPECT_EQ(spin_caret_after_write(2, 3, 2), 1);
    EXPECT_EQ(spin_caret_after_write(0, 3, 2), 0);
    EXPECT_EQ(spin_caret_after_write(5, 5, 8), 6);
}

TEST(EcSpinValue, ButtonsAndMargins) {
    struct Row {
        bool framed, themed, right_to_left;
        ui::Rect rect;
    } rows[] = {
        {false, false, false, {29, 1, 46, 20}},
        {true, false, false, {26, 0, 43, 17}},
        {true, true, false, {27, -1, 44, 18}},
        {true, false, true, {0, 0, 17, 17}},
        {false, false, true, {0, 0, 17, 17}},
    };
    for (const Row& r : rows) {
        SpinEditGeometry g;
        g.width = 47;
        g.height = 21;
        g.framed = r.framed;
        g.themed = r.themed;
        g.right_to_left = r.right_to_left;
        const ui::Rect got = spin_edit_buttons_rect(g);
        EXPECT_EQ(got, r.rect) << r.framed << r.themed << r.right_to_left << ": " << got.left << ',' << got.top
                               << ',' << got.right << ',' << got.bottom;
    }
    EXPECT_EQ(spin_edit_margins(17, false, false), (SpinMargins{0, 19}));
    EXPECT_EQ(spin_edit_margins(17, false, true), (SpinMargins{19, 0}));
    EXPECT_EQ(spin_edit_margins(17, true, false), (SpinMargins{0, 0}));
    EXPECT_EQ(spin_buttons_width(17, TOrientation::orVertical), 17);
    EXPECT_EQ(spin_buttons_width(17, TOrientation::orHorizontal), 34);
    EXPECT_EQ(spin_buttons_width(-4, TOrientation::orVertical), 0);

    const SpinButtonRects v = spin_button_rects(16, 25, TOrientation::orVertical);
    EXPECT_EQ(v.up_right, (ui::Rect{0, 0, 16, 12}));
    EXPECT_EQ(v.down_left, (ui::Rect{0, 12, 16, 25}));
    const SpinButtonRects h = spin_button_rects(33, 16, TOrientation::orHorizontal);
    EXPECT_EQ(h.down_left, (ui::Rect{0, 0, 16, 16}));
    EXPECT_EQ(h.up_right, (ui::Rect{16, 0, 33, 16}));
}
