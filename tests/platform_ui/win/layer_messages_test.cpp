// Messages the layer passes on: parent colour and font changes to the children, system colour
// and theme changes down the tree, the mouse wheel to the control under it, popup menus back on
// the system's tracking, the application's deactivation as a posted notice, and a windowless
// child's hold on the mouse ended by another window taking it.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/ui/messages.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/std_controls.h"
#include "ui_harness.h"

using namespace ui;

namespace {

// Records the component messages it is sent.
class Listener : public CustomControl {
public:
    using CustomControl::CustomControl;
    std::vector<UINT> heard;
    void wnd_proc(Message& m) override {
        if (m.msg == CM_PARENTCOLORCHANGED || m.msg == CM_PARENTFONTCHANGED || m.msg == CM_SYSCOLORCHANGE ||
            m.msg == WM_THEMECHANGED)
            heard.push_back(m.msg);
        CustomControl::wnd_proc(m);
    }
    std::size_t count(UINT msg) const { return static_cast<std::size_t>(std::count(heard.begin(), heard.end(), msg)); }
};

class LayerMessages : public ::testing::Test {
protected:
    void SetUp() override {
        uitest::ensure_application();
        uitest::errors().clear();
    }
    void TearDown() override { EXPECT_TRUE(uitest::errors().empty()) << uitest::errors().front(); }
};

TEST_F(LayerMessages, ParentChangesReachChildrenAsMessages) {
    Form form(nullptr);
    auto* panel = new Panel(&form);
    panel->set_parent(&form);
    auto* following = new Listener(&form);
    following->set_parent(panel);
    following->set_parent_color(true);
    auto* own = new Listener(&form);
    own->set_parent(panel);
    own->set_color(clYellow);
    following->heard.clear();
    own->heard.clear();

    panel->set_color(clAqua);
    EXPECT_EQ(following->count(CM_PARENTCOLORCHANGED), 1u);
    EXPECT_EQ(following->color(), clAqua);
    EXPECT_EQ(own->count(CM_PARENTCOLORCHANGED), 1u);  // told, but keeps its own colour
    EXPECT_EQ(own->color(), clYellow);

    panel->font().set_size(14);
    EXPECT_EQ(following->count(CM_PARENTFONTCHANGED), 1u);
    EXPECT_EQ(following->font().size(), 14);
}

TEST_F(LayerMessages, SystemColourAndThemeChangesGoDownTheTree) {
    Form form(nullptr);
    auto* panel = new Panel(&form);
    panel->set_parent(&form);
    auto* leaf = new Listener(&form);
    leaf->set_parent(panel);
    form.handle_needed();
    SendMessageW(form.handle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(leaf->count(CM_SYSCOLORCHANGE), 1u);
    SendMessageW(form.handle(), WM_THEMECHANGED, 0, 0);
    EXPECT_GE(leaf->count(WM_THEMECHANGED), 1u);
}

TEST_F(LayerMessages, WheelReachesTheControlsHandlers) {
    Form form(nullptr);
    form.set_bounds(10, 10, 200, 150);
    auto* box = new Listener(&form);
    box->set_parent(&form);
    box->set_bounds(10, 10, 100, 80);
    std::vector<std::string> calls;
    box->on_mouse_wheel = [&](Component*, TShiftState, int delta, POINT, bool& handled) {
        calls.push_back("wheel " + std::to_string(delta));
        handled = delta > 200;
    };
    box->on_mouse_wheel_down = [&](Component*, TShiftState, POINT, bool& handled) {
        calls.push_back("down");
        handled = true;
    };
    box->on_mouse_wheel_up = [&](Component*, TShiftState, POINT, bool&) { calls.push_back("up"); };
    form.show();
    const POINT at = box->client_to_screen(POINT{5, 5});
    SendMessageW(box->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(at.x, at.y));
    SendMessageW(box->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(at.x, at.y));
    SendMessageW(box->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA + 40), MAKELPARAM(at.x, at.y));
    EXPECT_EQ(calls, (std::vector<std::string>{"wheel -120", "down", "wheel 120", "up", "wheel 280"}));
    const unsigned lines = wheel_scroll_lines();
    EXPECT_TRUE(lines > 0 && (lines < 100 || lines == WHEEL_PAGESCROLL)) << lines;
}

// Records the mouse messages that reach it.
class MouseRecorder : public GraphicControl {
public:
    using GraphicControl::GraphicControl;
    int moves = 0;
    void wnd_proc(Message& m) override {
        if (m.msg == WM_MOUSEMOVE) ++moves;
        GraphicControl::wnd_proc(m);
    }
};

TEST_F(LayerMessages, LosingTheApplicationsActivationPostsTheDeactivateNotice) {
    Form form(nullptr);
    form.handle_needed();
    MSG msg;
    while (PeekMessageW(&msg, form.handle(), CM_DEACTIVATE, CM_DEACTIVATE, PM_REMOVE)) {
    }
    SendMessageW(form.handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_FALSE(PeekMessageW(&msg, form.handle(), CM_DEACTIVATE, CM_DEACTIVATE, PM_REMOVE));
    SendMessageW(form.handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(PeekMessageW(&msg, form.handle(), CM_DEACTIVATE, CM_DEACTIVATE, PM_REMOVE));
}

TEST_F(LayerMessages, AnotherWindowTakingTheMouseEndsAWindowlessChildsHold) {
    Form form(nullptr);
    form.set_bounds(10, 10, 200, 120);
    auto* pressed = new MouseRecorder(&form);
    pressed->set_parent(&form);
    pressed->set_bounds(0, 0, 50, 50);
    auto* other = new MouseRecorder(&form);
    other->set_parent(&form);
    other->set_bounds(60, 0, 50, 50);
    form.show();
    SendMessageW(form.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    // What a menu run inside the press does: its own window takes the mouse and eats the release.
    Form menu_like(nullptr);
    menu_like.handle_needed();
    SetCapture(menu_like.handle());
    ReleaseCapture();
    SendMessageW(form.handle(), WM_MOUSEMOVE, 0, MAKELPARAM(70, 10));
    EXPECT_EQ(other->moves, 1);
    EXPECT_EQ(pressed->moves, 0);
}

TEST_F(LayerMessages, TabLeavesAMemoThatWantsNoTabs) {
    Form form(nullptr);
    form.set_bounds(10, 10, 240, 200);
    auto* memo = new Memo(&form);
    memo->set_parent(&form);
    memo->set_bounds(8, 8, 200, 80);
    auto* edit = new Edit(&form);
    edit->set_parent(&form);
    edit->set_bounds(8, 100, 200, 21);
    form.show();
    memo->set_focus();
    uitest::pump();
    ASSERT_TRUE(memo->focused());
    // The memo wants Enter (WantReturns), which is no claim on Tab.
    PostMessageW(memo->handle(), WM_KEYDOWN, VK_TAB, 0);
    uitest::pump();
    EXPECT_TRUE(edit->focused());
    EXPECT_EQ(memo->text(), "");

    memo->set_want_tabs(true);
    memo->set_focus();
    uitest::pump();
    PostMessageW(memo->handle(), WM_KEYDOWN, VK_TAB, 0);
    uitest::pump();
    EXPECT_TRUE(memo->focused());
}

void CALLBACK close_menu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(LayerMessages, NoTrackFunctionMeansTheSystemsTracking) {
    Form form(nullptr);
    form.show();
    PopupMenu menu(&form);
    auto* item = new MenuItem(&menu);
    item->set_caption("Copy");
    menu.items()->add(item);
    int faked = 0;
    PopupMenu::set_track_function([&](HMENU, UINT, int, int, HWND) -> UINT {
        ++faked;
        return 0;
    });
    menu.popup(20, 20);
    EXPECT_EQ(faked, 1);
    PopupMenu::set_track_function(nullptr);
    SetTimer(nullptr, 0, 100, close_menu);  // the system's menu loop runs until this closes it
    menu.popup(20, 20);
    EXPECT_EQ(faked, 1);
}

} // namespace

namespace {

// Records CM_SHOWINGCHANGED with the state it carries.
class ShowingListener : public CustomControl {
public:
    using CustomControl::CustomControl;
    std::vector<bool> heard;
    void wnd_proc(Message& m) override {
        if (m.msg == CM_SHOWINGCHANGED) heard.push_back(m.wparam != 0);
        CustomControl::wnd_proc(m);
    }
};

} // namespace

TEST_F(LayerMessages, ShowingChangesReachTheControlAndItsShownChildren) {
    Form form(nullptr);
    auto* outer = new ShowingListener(&form);
    outer->set_parent(&form);
    auto* shown = new ShowingListener(&form);
    shown->set_parent(outer);
    auto* hidden = new ShowingListener(&form);
    hidden->set_visible(false);
    hidden->set_parent(outer);
    form.show();
    outer->heard.clear();
    shown->heard.clear();
    hidden->heard.clear();

    outer->hide();
    EXPECT_EQ(outer->heard, std::vector<bool>{false});
    EXPECT_EQ(shown->heard, std::vector<bool>{false});
    EXPECT_TRUE(hidden->heard.empty());  // it was not showing and still is not

    outer->show();
    EXPECT_EQ(outer->heard, (std::vector<bool>{false, true}));
    EXPECT_EQ(shown->heard, (std::vector<bool>{false, true}));
    EXPECT_TRUE(hidden->heard.empty());

    hidden->show();
    EXPECT_EQ(hidden->heard, std::vector<bool>{true});
    outer->heard.clear();
    shown->set_visible(true);  // no change, no message
    EXPECT_EQ(shown->heard.size(), 2u);

    // Moving a shown control under a hidden parent hides it.
    auto* closed = new ShowingListener(&form);
    closed->set_visible(false);
    closed->set_parent(&form);
    shown->set_parent(closed);
    EXPECT_EQ(shown->heard.back(), false);
    form.hide();
    EXPECT_EQ(outer->heard, std::vector<bool>{false});
}
