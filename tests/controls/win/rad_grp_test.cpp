// The radio group on a form: the station's log-level group laid out, clamps, deleted items,
// a refused choice, enabling, and OnChanging and OnClick for changes made in code.
#include <gtest/gtest.h>

#include "controls/ec_rad_grp.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;

namespace {

class EcRadioGroupForm : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        form = std::make_unique<ui::Form>(nullptr);
        form->set_bounds(100, 100, 420, 260);
        group = new TEcRadioGroup(form.get());
        group->set_parent(form.get());
        group->set_bounds(10, 10, 369, 140);
        group->set_caption("Log level");
        group->items().set_text("Off\r\nMessages\r\nReminders\r\nWarnings\r\nErrors");
    }
    void TearDown() override { form.reset(); }
    void show() {
        form->show();
        window_test::pump(30);
    }
    std::unique_ptr<ui::Form> form;
    TEcRadioGroup* group = nullptr;
};

TEST_F(EcRadioGroupForm, StationLogLevelLayout) {
    group->set_columns(2);
    group->set_space_evenly(true);
    group->set_start_x_pos(22);
    group->set_start_y_pos(16);
    group->set_item_height(26);
    group->set_item_hot_track(true);
    group->set_transparent(true);
    ASSERT_EQ(group->button_count(), 5);
    ui::Rect client = group->client_rect();
    group->adjust_client_rect(client);
    const int lefts[] = {22, 22, 22, 190, 190};
    for (int i = 0; i < 5; ++i) {
        const TEcGroupButton* b = group->button(i);
        EXPECT_EQ(b->left(), lefts[i]) << i;
        EXPECT_EQ(b->width(), 168) << i;
        EXPECT_EQ(b->top(), client.top + 16 + (i % 3) * 29) << i;
        EXPECT_TRUE(b->hot_track());
        EXPECT_EQ(b->caption(), group->items().get(i));
    }
    show();
    group->set_item_index(2);
    EXPECT_TRUE(window_test::save_screenshot(form->handle(), "controls_screenshots", "radio_group_station"));
    group->set_enabled(false);
    EXPECT_TRUE(window_test::save_screenshot(form->handle(), "controls_screenshots", "radio_group_disabled"));
}

TEST_F(EcRadioGroupForm, ClampsAndDeletedItems) {
    group->set_columns(0);
    EXPECT_EQ(group->columns(), 1);
    group->set_columns(20);
    EXPECT_EQ(group->columns(), 16);
    group->set_item_index(7);
    EXPECT_EQ(group->item_index(), 4);
    EXPECT_TRUE(group->button(4)->checked());
    group->set_item_index(-5);
    EXPECT_EQ(group->item_index(), -1);
    EXPECT_FALSE(group->button(4)->checked());

    group->set_item_index(4);
    group->items().remove(4);
    EXPECT_EQ(group->button_count(), 4);
    EXPECT_EQ(group->item_index(), 3);  // the new last line
    EXPECT_TRUE(group->button(3)->checked());
    group->items().clear();
    EXPECT_EQ(group->button_count(), 0);
    EXPECT_EQ(group->item_index(), -1);
}

TEST_F(EcRadioGroupForm, ChangesFromCodeAskAndClick) {
    int clicks = 0;
    std::vector<int> asked, seen_index;
    group->on_click = [&](ui::Component*) { ++clicks; };
    group->on_changing = [&](ui::Component*, int index, bool&) {
        asked.push_back(index);
        seen_index.push_back(group->item_index());
    };
    group->set_item_index(1);
    group->set_item_index(1);  // no change: nothing
    group->set_item_index(3);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(asked, (std::vector<int>{1, 3}));
    EXPECT_EQ(seen_index, (std::vector<int>{1, 3}));  // stored before the question
}

TEST_F(EcRadioGroupForm, RefusedChoiceKeepsThePreviousCheckedAndFocused) {
    show();
    group->set_item_index(0);
    bool allow = false;
    group->on_changing = [&](ui::Component*, int, bool& allow_change) { allow_change = allow; };
    TEcGroupButton* b2 = group->button(2);
    window_test::click_at(b2->handle(), 5, 5);
    EXPECT_EQ(group->item_index(), 0);
    EXPECT_TRUE(group->button(0)->checked());
    EXPECT_FALSE(b2->checked());
    EXPECT_EQ(GetFocus(), group->button(0)->handle());
    allow = true;
    window_test::click_at(b2->handle(), 5, 5);
    EXPECT_EQ(group->item_index(), 2);
    EXPECT_FALSE(group->button(0)->checked());
}

TEST_F(EcRadioGroupForm, EnablingReachesEveryButton) {
    group->set_enabled(false);
    for (int i = 0; i < group->button_count(); ++i) EXPECT_FALSE(group->button(i)->enabled()) << i;
    group->set_enabled(true);
    for (int i = 0; i < group->button_count(); ++i) EXPECT_TRUE(group->button(i)->enabled()) << i;
}

} // namespace
