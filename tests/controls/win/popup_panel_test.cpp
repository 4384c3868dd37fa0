// The popup panel's local loop, driven by messages posted before it opens: ClosePopup, a click
// outside (swallowed), Escape, the application's deactivation and a failing handler each end
// it with the right result and the children back in the panel in their order.
#include <gtest/gtest.h>

#include <stdexcept>

#include "controls/ec_popups.h"
#include "platform/ui/win/std_controls.h"
#include "tests/support/window_test/window_test.h"

using namespace ec;

namespace {

constexpr UINT kStep = WM_APP + 7;

class EcPopupPanelForm : public ::testing::Test {
protected:
    void SetUp() override {
        window_test::ensure_application();
        window_test::errors().clear();
        form = std::make_unique<ui::Form>(nullptr);
        form->set_bounds(100, 100, 360, 260);
        anchor = new ui::Button(form.get());
        anchor->set_parent(form.get());
        anchor->set_bounds(200, 10, 80, 25);
        outside = new ui::Button(form.get());
        outside->set_parent(form.get());
        outside->set_bounds(10, 200, 80, 25);
        outside->on_click = [this](ui::Component*) { ++outside_clicks; };
        panel = new TEcPopupPanel(form.get());
        panel->set_parent(form.get());
        panel->set_bounds(0, 0, 150, 80);
        for (int i = 0; i < 3; ++i) {
            auto* b = new ui::Button(form.get());
            b->set_name("child" + std::to_string(i));
            b->set_parent(panel);
            b->set_bounds(5, 5 + i * 24, 100, 22);
            children.push_back(b);
        }
        form->on_message(kStep, [this](ui::Message&) {
            ASSERT_TRUE(panel->is_popped_up());
            opened_with_children = panel->popup_window()->control_count();
            step();
        });
        form->show();
        window_test::pump_until([&] { return IsWindowVisible(form->handle()) != FALSE; }, 500);
        panel->on_popup = [this](ui::Component*) { PostMessageW(form->handle(), kStep, 0, 0); };
    }
    void TearDown() override {
        form.reset();
        window_test::errors().clear();
    }
    void expect_children_home() {
        EXPECT_FALSE(panel->is_popped_up());
        ASSERT_EQ(panel->control_count(), 3);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(panel->control(i), children[static_cast<std::size_t>(i)]) << i;
    }

    std::unique_ptr<ui::Form> form;
    ui::Button *anchor = nullptr, *outside = nullptr;
    TEcPopupPanel* panel = nullptr;
    std::vector<ui::Control*> children;
    std::function<void()> step;
    int outside_clicks = 0, opened_with_children = 0;
};

TEST_F(EcPopupPanelForm, EachWayOfClosingGivesItsResult) {
    struct Case {
        const char* what;
        std::function<void()> act;
        bool result;
    };
    const Case cases[] = {
        {"ClosePopup", [this] { panel->close_popup(); }, true},
        {"a click outside",
         [this] {
             PostMessageW(outside->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             PostMessageW(outside->handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
         },
         false},
        {"Escape", [this] { PostMessageW(form->handle(), WM_KEYDOWN, VK_ESCAPE, 1); }, false},
        {"the application's deactivation", [this] { SendMessageW(form->handle(), WM_ACTIVATEAPP, FALSE, 0); }, false},
    };
    for (const Case& c : cases) {
        step = c.act;
        opened_with_children = 0;
        EXPECT_EQ(panel->popup(anchor), c.result) << c.what;
        EXPECT_EQ(opened_with_children, 3) << c.what;
        expect_children_home();
        window_test::pump(20);
    }
    EXPECT_EQ(outside_clicks, 0) << "the closing click is swallowed";
}

TEST_F(EcPopupPanelForm, OpensUnderTheControlRightJustified) {
    RECT seen{};
    step = [&] {
        GetWindowRect(panel->popup_window()->handle(), &seen);
        window_test::save_screenshot(panel->popup_window()->handle(), "controls_screenshots", "popup_panel");
        panel->close_popup();
    };
    EXPECT_TRUE(panel->popup(anchor));
    RECT a{};
    GetWindowRect(anchor->handle(), &a);
    EXPECT_EQ(seen.top, a.bottom);
    EXPECT_EQ(seen.right, a.right);
    EXPECT_EQ(seen.right - seen.left, 150);
}

TEST_F(EcPopupPanelForm, ASecondPopupWhileOpenReturnsFalseAtOnce) {
    bool second = true;
    step = [&] {
        second = panel->popup(anchor);
        panel->close_popup();
    };
    EXPECT_TRUE(panel->popup(anchor));
    EXPECT_FALSE(second);
    expect_children_home();
}

TEST_F(EcPopupPanelForm, AFailingHandlerStillLeavesTheChildrenHome) {
    step = [&] {
        PostMessageW(form->handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        throw std::runtime_error("handler failed");
    };
    EXPECT_FALSE(panel->popup(anchor));
    expect_children_home();
    EXPECT_FALSE(window_test::errors().empty()) << "the failure is reported, not lost";

    panel->on_popup = [](ui::Component*) { throw std::runtime_error("OnPopup failed"); };
    EXPECT_THROW(panel->popup(anchor), std::runtime_error);
    expect_children_home();
}

TEST_F(EcPopupPanelForm, WithoutWindowedChildrenEscapeAndOutsideClicksStillClose) {
    TEcPopupPanel bare(form.get());
    bare.set_parent(form.get());
    bare.on_popup = [this](ui::Component*) { PostMessageW(form->handle(), kStep + 1, 0, 0); };
    int n = 0;
    form->on_message(kStep + 1, [&](ui::Message&) {
        if (n++ == 0) PostMessageW(form->handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        else PostMessageW(outside->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    });
    EXPECT_FALSE(bare.popup(anchor));
    EXPECT_FALSE(bare.popup(anchor));
    EXPECT_EQ(n, 2);
}

} // namespace
