#include "station/forms/box_layout.h"

#include <gtest/gtest.h>

namespace {

using forms::BoxLayout;

struct BoxCase {
    const char* box;
    BoxLayout (*layout)(int, int);
    int label_width;
    int button_width;
    int window_width;
    std::vector<int> button_lefts;
};

// Short texts give each box its minimum width; long ones widen it to the text.
TEST(BoxLayout, WidthsAndButtonPositionsFollowTheText) {
    const BoxCase cases[] = {
        {"confirm short", forms::LayoutConfirmBox, 40, 75, 180, {7, 98}},
        {"confirm long", forms::LayoutConfirmBox, 400, 75, 470, {152, 243}},
        {"confirm odd", forms::LayoutConfirmBox, 401, 75, 471, {152, 243}},
        {"message short", forms::LayoutMessageBox, 5, 75, 100, {12}},
        {"message long", forms::LayoutMessageBox, 300, 75, 388, {156}},
        {"multi short", forms::LayoutMultiConfirmBox, 100, 75, 380, {16, 107, 198, 289}},
        {"multi long", forms::LayoutMultiConfirmBox, 500, 75, 570, {63, 154, 245, 336}},
    };
    for (const BoxCase& c : cases) {
        const BoxLayout b = c.layout(c.label_width, c.button_width);
        EXPECT_EQ(b.WindowWidth, c.window_width) << c.box;
        EXPECT_EQ(b.LabelLeft, 60) << c.box;
        for (std::size_t i = 0; i < c.button_lefts.size(); ++i) EXPECT_EQ(b.ButtonLefts[i], c.button_lefts[i]) << c.box << i;
    }
}

TEST(BoxLayout, MessageLabelIsWidenedBeyondItsText) {
    EXPECT_EQ(forms::LayoutMessageBox(300, 75).LabelWidth, 318);
    EXPECT_EQ(forms::LayoutConfirmBox(300, 75).LabelWidth, 300);
}

// A window narrower than its buttons gives negative offsets that truncate toward zero.
TEST(BoxLayout, DivisionTruncatesTowardZero) {
    EXPECT_EQ(forms::LayoutConfirmBox(10, 100).ButtonLefts[0], -18);  // (180 - 216) / 2
    EXPECT_EQ(forms::LayoutMultiConfirmBox(10, 100).ButtonLefts[0], -9);  // (380 - 416) / 4
}

} // namespace
