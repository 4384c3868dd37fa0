// Messages the layer passes on: parent colour and font changes to the children, system colour
// and theme changes down the tree, the mouse wheel to the control under it, popup menus back on
// the system's tracking, the application's deactivation as a posted notice, and a windowless
// child's hold on the mouse ended by another window taking it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

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

// Paints itself red.
class RedBlock : public GraphicControl {
public:
    using GraphicControl::GraphicControl;

protected:
    void paint(Canvas& canvas) override {
        canvas.brush().color = clRed;
        canvas.fill_rect({0, 0, width(), height()});
    }
};

// A filter on a windowless control sees the paint its parent gives it, with a DC set up at the
// control's corner, and the mouse messages; it may paint instead of the control or let it paint.
TEST_F(LayerMessages, AWindowlessControlsFilterSeesItsPaintAndMouse) {
    Form form(nullptr);
    form.set_bounds(10, 10, 200, 120);
    form.set_color(clWhite);
    auto* block = new RedBlock(&form);
    block->set_parent(&form);
    block->set_bounds(20, 10, 30, 20);
    form.show();
    std::vector<UINT> seen;
    bool replace = true;
    const auto token = block->window_proc.add("test", [&](Message& m, const MessageChain::Next& next) {
        if (m.msg == WM_PAINT || m.msg == WM_LBUTTONDOWN || m.msg == WM_LBUTTONUP || m.msg == WM_MOUSEMOVE ||
            m.msg == CM_MOUSEENTER || m.msg == CM_MOUSELEAVE)
            seen.push_back(m.msg);
        if (m.msg != WM_PAINT || !replace) return next(m);
        ASSERT_NE(m.wparam, 0u);
        HDC dc = reinterpret_cast<HDC>(m.wparam);
        GdiObject<HBRUSH> blue(CreateSolidBrush(RGB(0, 0, 255)));
        RECT all{-100, -100, 300, 300};  // clipped to the control
        FillRect(dc, &all, blue.get());
        m.result = 1;
    });
    Bitmap picture(200, 120);
    auto paint = [&] {
        PatBlt(picture.dc(), 0, 0, 200, 120, WHITENESS);
        form.perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.dc()), PRF_CLIENT);
        return std::vector<std::uint32_t>{picture.pixel(19, 10), picture.pixel(20, 10), picture.pixel(49, 29),
                                          picture.pixel(50, 29)};
    };
    EXPECT_EQ(paint(), (std::vector<std::uint32_t>{0xFFFFFF, 0xFF0000, 0xFF0000, 0xFFFFFF}));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), static_cast<UINT>(WM_PAINT)), 1);
    replace = false;
    EXPECT_EQ(paint(), (std::vector<std::uint32_t>{0xFFFFFF, 0x0000FF, 0x0000FF, 0xFFFFFF}));

    seen.clear();
    SendMessageW(form.handle(), WM_MOUSEMOVE, 0, MAKELPARAM(25, 15));
    SendMessageW(form.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 15));
    SendMessageW(form.handle(), WM_LBUTTONUP, 0, MAKELPARAM(25, 15));
    SendMessageW(form.handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 80));
    EXPECT_EQ(seen, (std::vector<UINT>{CM_MOUSEENTER, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, CM_MOUSELEAVE}));

    block->window_proc.remove(token);
    EXPECT_EQ(paint(), (std::vector<std::uint32_t>{0xFFFFFF, 0x0000FF, 0x0000FF, 0xFFFFFF}));
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

// Owner-drawn menus: the flag builds every item MFT_OWNERDRAW, and a form hands the item
// messages of menus (wParam 0) to the item named by command id or by submenu handle.
TEST_F(LayerMessages, OwnerDrawnMenuItemsReachTheirHandlers) {
    Form form(nullptr);
    form.handle_needed();
    PopupMenu menu(nullptr);
    auto* open = new MenuItem(&menu);
    open->set_caption("&Open");
    auto* more = new MenuItem(&menu);
    more->set_caption("More");
    auto* inner = new MenuItem(&menu);
    inner->set_caption("Inner");
    more->add(inner);
    menu.items()->add(open);
    menu.items()->add(more);

    auto type_of = [](HMENU m, UINT pos) {
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(m, pos, TRUE, &mi);
        return mi.fType;
    };
    HMENU handle = menu.handle();
    EXPECT_EQ(type_of(handle, 0) & MFT_OWNERDRAW, 0u);
    menu.set_owner_draw(true);
    handle = menu.handle();
    EXPECT_NE(type_of(handle, 0) & MFT_OWNERDRAW, 0u);
    ASSERT_NE(more->submenu_handle(), nullptr);
    EXPECT_NE(type_of(more->submenu_handle(), 0) & MFT_OWNERDRAW, 0u);
    EXPECT_EQ(GetSubMenu(handle, 1), more->submenu_handle());
    EXPECT_EQ(inner->parent_handle(), more->submenu_handle());
    EXPECT_EQ(open->parent_handle(), handle);

    std::vector<std::pair<MenuItem*, bool>> drawn;
    std::vector<MenuItem*> measured;
    auto draw = [&](MenuItem* item, HDC, const RECT&, bool selected) { drawn.emplace_back(item, selected); };
    auto measure = [&](MenuItem* item, HDC, int& w, int& h) {
        measured.push_back(item);
        w = 77;
        h = 19;
    };
    open->on_draw_item = draw;
    open->on_measure_item = measure;
    more->on_draw_item = draw;
    more->on_measure_item = measure;

    struct Case {
        const char* what;
        UINT id;
        MenuItem* item;  // nullptr: not a menu item of the program
    } cases[] = {
        {"by command id", open->command(), open},
        {"by submenu handle", static_cast<UINT>(reinterpret_cast<std::uintptr_t>(more->submenu_handle())), more},
        {"unknown id", 0xF0F0u, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        drawn.clear();
        measured.clear();
        MEASUREITEMSTRUCT mi{};
        mi.CtlType = ODT_MENU;
        mi.itemID = c.id;
        mi.itemHeight = 5;
        const LRESULT measured_result = SendMessageW(form.handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
        Bitmap target(80, 20);
        DRAWITEMSTRUCT di{};
        di.CtlType = ODT_MENU;
        di.itemID = c.id;
        di.itemState = ODS_SELECTED;
        di.hDC = target.dc();
        di.rcItem = {0, 0, 80, 20};
        di.hwndItem = reinterpret_cast<HWND>(handle);
        const LRESULT drawn_result = SendMessageW(form.handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di));
        if (c.item) {
            EXPECT_EQ(measured_result, TRUE);
            EXPECT_EQ(drawn_result, TRUE);
            ASSERT_EQ(measured.size(), 1u);
            EXPECT_EQ(measured[0], c.item);
            EXPECT_EQ(mi.itemWidth, 77u);
            EXPECT_EQ(mi.itemHeight, 19u);
            ASSERT_EQ(drawn.size(), 1u);
            EXPECT_EQ(drawn[0].first, c.item);
            EXPECT_TRUE(drawn[0].second);
        } else {
            EXPECT_TRUE(measured.empty());
            EXPECT_TRUE(drawn.empty());
            EXPECT_EQ(mi.itemHeight, 5u);
        }
    }

    // Without handlers an item measures and draws itself plainly, inside its rectangle.
    open->on_draw_item = nullptr;
    open->on_measure_item = nullptr;
    MEASUREITEMSTRUCT mi{};
    mi.CtlType = ODT_MENU;
    mi.itemID = open->command();
    SendMessageW(form.handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
    EXPECT_GT(mi.itemWidth, 24u);
    EXPECT_GT(mi.itemHeight, 0u);
    Bitmap target(100, 30);
    target.canvas().brush().color = clLime;
    target.canvas().fill_rect({0, 0, 100, 30});
    DRAWITEMSTRUCT di{};
    di.CtlType = ODT_MENU;
    di.itemID = open->command();
    di.hDC = target.dc();
    di.rcItem = {10, 5, 90, 25};
    SendMessageW(form.handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&di));
    EXPECT_EQ(target.pixel(10, 5), static_cast<std::uint32_t>(GetSysColor(COLOR_MENU)));
    for (int x = 0; x < 100; ++x) {
        for (int y = 0; y < 30; ++y) {
            if (x >= 10 && x < 90 && y >= 5 && y < 25) continue;
            ASSERT_EQ(target.pixel(x, y), 0x00FF00u) << x << "," << y;
        }
    }

    // Off again: the items are the system's.
    menu.set_owner_draw(false);
    EXPECT_EQ(type_of(menu.handle(), 0) & MFT_OWNERDRAW, 0u);
    EXPECT_EQ(MenuItem::from_menu_id(static_cast<UINT>(reinterpret_cast<std::uintptr_t>(handle))), nullptr);
}
