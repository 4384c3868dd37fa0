// The skinned window's menu bar: its buttons built from the library's main menu and rebuilt when
// the menu changes, its pixels in both of our skins, drops by the keyboard, the mouse and the
// arrow keys along the bar, the message filter that lives for one drop, bad menus, and
// pictures of the bar and of an open drop for review.
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/text_gbk.h"
#include "platform/ui/messages.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_popup_menu.h"
#include "tests/skin/pixel_maps.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/window_test/window_test.h"

namespace {

using namespace skinned_test;
using skin::TWinSkinMenu;
using skin_test::PixelMap;

constexpr UINT kMsgInMenu = WM_APP + 71;  // posted when a drop opens: runs that drop's script
constexpr UINT kMsgAfterKeys = WM_APP + 72;

// A skinned library window whose main menu is
//   &File (Open, Recent > (One, Two), -, Exit) | &Edit (Copy, Paste disabled) | &Help (no items)
//   | &Tools (disabled, Options) | &View (Zoom, Status bar)
// Clicks are recorded by caption; every drop runs the next step of a script from inside the
// tracked menu: keys posted after the bar's own first key, and what else the step does.
class BarWindow {
public:
    struct Step {
        std::vector<WPARAM> keys;
        std::function<void()> before;  // run inside the drop before its keys are posted
        std::function<void()> after;   // run inside the drop once its keys are through
    };

    explicit BarWindow(DWORD ex_style = 0) {
        form = std::make_unique<ui::Form>(nullptr);
        form->set_caption("Velquist menu bar");
        menu = new ui::MainMenu(form.get());
        file = Add(menu->items(), "&File");
        Add(file, "&Open");
        recent = Add(file, "&Recent");
        Add(recent, "One");
        Add(recent, "Two");
        Add(file, "-");
        Add(file, "E&xit");
        edit = Add(menu->items(), "&Edit");
        Add(edit, "&Copy");
        Add(edit, "&Paste")->set_enabled(false);
        help = Add(menu->items(), "&Help");
        tools = Add(menu->items(), "&Tools");
        Add(tools, "&Options");
        tools->set_enabled(false);
        view = Add(menu->items(), "&View");
        Add(view, "&Zoom");
        Add(view, "&Status bar");
        form->set_menu(menu);
        form->set_bounds(80, 60, 420, 300);
        form->handle_needed();
        if (ex_style)
            SetWindowLongPtrW(form->handle(), GWL_EXSTYLE, GetWindowLongPtrW(form->handle(), GWL_EXSTYLE) | ex_style);
        form->window_proc.add("bar test", [this](ui::Message& m, const ui::MessageChain::Next& next) {
            if (m.msg == WM_INITMENUPOPUP && HIWORD(m.lparam) == 0) OnDrop(reinterpret_cast<HMENU>(m.wparam));
            if (m.msg == kMsgInMenu) {
                RunStep();
                return;
            }
            if (m.msg == kMsgAfterKeys) {
                if (after_) after_();
                return;
            }
            next(m);
        });
        Activate(form->handle());
    }
    ~BarWindow() { form.reset(); }

    HWND handle() const { return form->handle(); }
    TWinSkinMenu* bar() const {
        TWinSkinForm* f = SkinOf(handle());
        return f ? f->menu_bar() : nullptr;
    }
    int ButtonOf(HMENU submenu) const {
        if (!bar()) return -1;
        const auto& buttons = bar()->buttons();
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i].submenu == submenu) return static_cast<int>(i);
        return -1;
    }
    POINT ButtonCentre(int index) const {
        const RECT w = WindowRectOf(handle());
        const ui::Rect& r = bar()->buttons()[static_cast<std::size_t>(index)].rect;
        return {w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2};
    }

    std::unique_ptr<ui::Form> form;
    ui::MainMenu* menu = nullptr;
    ui::MenuItem *file = nullptr, *recent = nullptr, *edit = nullptr, *help = nullptr, *tools = nullptr, *view = nullptr;
    std::vector<std::string> clicked;
    std::vector<int> drops;  // the buttons whose menus opened, in order
    std::deque<Step> script;

private:
    ui::MenuItem* Add(ui::MenuItem* parent, const std::string& caption) {
        auto* item = new ui::MenuItem(menu);
        item->set_caption(caption);
        item->on_click = [this, item](ui::Component*) { clicked.push_back(item->caption()); };
        parent->add(item);
        return item;
    }
    void OnDrop(HMENU submenu) {
        const int index = ButtonOf(submenu);
        if (index < 0) return;  // a submenu of a drop
        drops.push_back(index);
        PostMessageW(handle(), kMsgInMenu, 0, 0);
    }
    void RunStep() {
        if (script.empty()) {
            PostMessageW(handle(), WM_KEYDOWN, VK_ESCAPE, 0);  // an unscripted drop closes
            return;
        }
        Step step = script.front();
        script.pop_front();
        if (step.before) step.before();
        for (WPARAM key : step.keys) PostMessageW(handle(), WM_KEYDOWN, key, 0);
        after_ = step.after;
        if (after_) PostMessageW(handle(), kMsgAfterKeys, 0, 0);
    }
    std::function<void()> after_;
};

// Posts a message that drops a menu and handles messages until the drop and the commands it
// posted are through.
void Drive(HWND window, UINT msg, WPARAM wparam, LPARAM lparam, const std::function<bool()>& done) {
    PostMessageW(window, msg, wparam, lparam);
    EXPECT_TRUE(window_test::pump_until(done, 5000));
    window_test::pump(0);
}

std::vector<std::wstring> Captions(const TWinSkinMenu& bar) {
    std::vector<std::wstring> out;
    for (const auto& b : bar.buttons()) out.push_back(b.caption);
    return out;
}

class SkinnedMenuBar : public SkinnedTest {};

TEST_F(SkinnedMenuBar, BuiltFromTheMainMenuWhichTheSystemNoLongerShows) {
    LoadedData(owner_.get(), kDefaultSkin);
    BarWindow w;
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TWinSkinMenu* bar = w.bar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenu(w.handle()), nullptr);
    EXPECT_EQ(bar->menu_handle(), w.menu->handle());
    ASSERT_EQ(bar->buttons().size(), 5u);
    EXPECT_EQ(Captions(*bar), (std::vector<std::wstring>{L"&File", L"&Edit", L"&Help", L"&Tools", L"&View"}));
    const bool enabled[] = {true, true, true, false, true};
    const ui::MenuItem* items[] = {w.file, w.edit, w.help, w.tools, w.view};
    for (std::size_t i = 0; i < 5; ++i) {
        const auto& b = bar->buttons()[i];
        EXPECT_EQ(b.enabled, enabled[i]) << i;
        EXPECT_EQ(b.command, items[i]->command()) << i;
        EXPECT_EQ(b.item, items[i]) << i;
        EXPECT_EQ(b.submenu != nullptr, items[i]->count() > 0) << i;
        EXPECT_GT(b.rect.width(), 10) << i;
        if (i > 0) {
            EXPECT_EQ(b.rect.left, bar->buttons()[i - 1].rect.right) << i;
        }
    }
    // The bar's hit test at each button's centre.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(bar->HitTestScreen(w.ButtonCentre(i)), i);

    // The library's menu changes: a caption renamed, a submenu rebuilt, an item added.
    w.file->set_caption("&Archive");
    w.edit->clear();
    auto* added = new ui::MenuItem(w.menu);
    added->set_caption("&Undo");
    w.edit->add(added);
    auto* extra = new ui::MenuItem(w.menu);
    extra->set_caption("E&xtra");
    w.menu->items()->add(extra);
    bar = w.bar();
    ASSERT_EQ(bar->buttons().size(), 6u);
    EXPECT_EQ(bar->buttons()[0].caption, L"&Archive");
    EXPECT_EQ(bar->buttons()[5].caption, L"E&xtra");
    EXPECT_EQ(GetMenuItemCount(bar->buttons()[1].submenu), 1);
    EXPECT_EQ(GetMenu(w.handle()), nullptr);
    // A menu set anew is taken from the system too.
    w.form->set_menu(w.menu);
    EXPECT_EQ(GetMenu(w.handle()), nullptr);
    EXPECT_EQ(w.bar()->buttons().size(), 6u);
    // No menu any more: an empty bar.
    w.form->set_menu(nullptr);
    EXPECT_TRUE(w.bar()->buttons().empty());
    w.form->set_menu(w.menu);
    EXPECT_EQ(w.bar()->buttons().size(), 6u);
    EXPECT_EQ(GetMenu(w.handle()), nullptr);
}

TEST_F(SkinnedMenuBar, LayerMainMenuTellsItsFormsOfChanges) {
    window_test::ensure_application();
    ui::Form form(nullptr);
    auto* menu = new ui::MainMenu(&form);
    auto* item = new ui::MenuItem(menu);
    item->set_caption("&File");
    menu->items()->add(item);
    form.set_menu(menu);
    form.handle_needed();
    int told = 0;
    form.window_proc.add("count", [&](ui::Message& m, const ui::MessageChain::Next& next) {
        if (m.msg == ui::CM_MENUCHANGED) ++told;
        next(m);
    });
    item->set_caption("&Files");
    EXPECT_EQ(told, 1);
    menu->items()->clear();
    EXPECT_EQ(told, 2);
}

std::string BarRows(const ui::Bitmap& picture, const ui::Rect& r, COLORREF background, COLORREF frame) {
    std::string rows;
    for (int y = r.top; y < r.bottom; ++y) {
        rows += '\n';
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF p = picture.pixel(x, y) & 0xFFFFFF;
            rows += p == background ? 'b' : p == frame ? 'h' : '.';
        }
    }
    return rows;
}

std::string Rows(const PixelMap& map) {
    std::string rows;
    for (const std::string& row : map) rows += '\n' + row;
    return rows;
}

// The bar painted into a memory DC: the background picture's frame for the window's state, the
// captions, and a hot and a pressed button framed in the skin's highlight.
TEST_F(SkinnedMenuBar, PaintedIntoAMemoryDCInBothSkins) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    BarWindow w;
    ASSERT_TRUE(WaitSkinned(w.handle()));
    int changed = 0;
    data->OnSkinChanged = [&](ui::Component*) { ++changed; };
    for (const char* skin_name : {"default", "contrast"}) {
        if (std::string(skin_name) == "contrast") {
            data->SetSkinFile(kContrastSkin);
            ASSERT_TRUE(window_test::pump_until([&] { return changed == 1; }, 3000));
        }
        TWinSkinMenu* bar = w.bar();
        ASSERT_NE(bar, nullptr);
        const skin::SkinDescription& s = *data->Skin();
        ASSERT_TRUE(s.menu_bar.has_value());
        const skin::SkinFrame& f = SkinOf(w.handle())->frame();
        const RECT wr = WindowRectOf(w.handle());
        const int width = wr.right - wr.left;
        const ui::Rect row{f.left, f.top, width - f.right, f.top + f.menu_bar};
        const COLORREF frame = ui::to_colorref(s.colours[skin::kButtonHilight]);
        for (bool active : {true, false}) {
            ui::Bitmap picture(width, row.bottom + 2);
            bar->Paint(picture.dc(), row, active);
            // Our pictures: the face colour active, a darker face inactive, flat.
            const skin::Image32& strip = s.menu_bar->bitmap;
            const std::uint32_t px = strip.at(strip.width() / 2, active ? 1 : strip.height() - 2);
            const COLORREF background = RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
            EXPECT_EQ(picture.pixel(row.left, row.top) & 0xFFFFFF, background) << skin_name << active;
            EXPECT_EQ(picture.pixel(row.right - 1, row.bottom - 1) & 0xFFFFFF, background) << skin_name << active;
            const std::string name = std::string(skin_name) + (active ? "_active" : "_inactive");
            window_test::save_picture(picture, "skinned_menu_bar", "bar_" + name);

            // The first button's left edge: background, then its caption begins after 5 pixels.
            const ui::Rect b0 = bar->buttons()[0].rect;
            EXPECT_EQ(b0.left, row.left + 6);  // the picture's left width 2 + 4
            EXPECT_EQ(b0.height(), row.height() - 1);
            // Hot and pressed buttons get a one-pixel frame in the highlight colour, inside their
            // rectangles only.
            for (int state : {TWinSkinMenu::kHot, TWinSkinMenu::kPressed}) {
                const_cast<TWinSkinMenu::Button&>(bar->buttons()[1]).state = state;
                bar->PaintButton(1, picture.dc());
                const ui::Rect b = bar->buttons()[1].rect;
                const ui::Rect top_left{b.left - 2, b.top, b.left + 4, b.top + 3};
                const PixelMap frame_top_left = {
                    "bbhhhh",
                    "bbhbbb",
                    "bbhbbb",
                };
                EXPECT_EQ(BarRows(picture, top_left, background, frame), Rows(frame_top_left)) << name << " " << state;
                // The bar's last row is no button's.
                const ui::Rect bottom_right{b.right - 3, b.bottom - 2, b.right + 2, b.bottom + 1};
                const PixelMap frame_bottom_right = {
                    "bbhbb",
                    "hhhbb",
                    "bbbbb",
                };
                EXPECT_EQ(BarRows(picture, bottom_right, background, frame), Rows(frame_bottom_right)) << name << " " << state;
                window_test::save_picture(picture, "skinned_menu_bar",
                                          "bar_" + name + (state == TWinSkinMenu::kHot ? "_hot" : "_pressed"));
            }
            // Back to normal: the clean picture again.
            const_cast<TWinSkinMenu::Button&>(bar->buttons()[1]).state = TWinSkinMenu::kNormal;
            bar->PaintButton(1, picture.dc());
            const ui::Rect b = bar->buttons()[1].rect;
            EXPECT_EQ(BarRows(picture, {b.left - 2, b.top, b.left + 4, b.top + 3}, background, frame),
                      Rows({"bbbbbb", "bbbbbb", "bbbbbb"}));
        }
    }
}

TEST_F(SkinnedMenuBar, KeyboardDropsYieldTheChosenCommand) {
    LoadedData(owner_.get(), kDefaultSkin);
    BarWindow w;
    ASSERT_TRUE(WaitSkinned(w.handle()));
    const int installed = TWinSkinMenu::hooks_installed(), removed = TWinSkinMenu::hooks_removed();

    // Alt+E: the Edit menu, its first item (the bar selects it) chosen with Enter.
    w.script = {{{VK_RETURN}, nullptr, nullptr}};
    Drive(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 'e', [&] { return w.clicked.size() == 2; });
    EXPECT_EQ(w.drops, (std::vector<int>{1}));
    EXPECT_EQ(w.clicked, (std::vector<std::string>{"&Edit", "&Copy"}));  // the top item's click first
    EXPECT_EQ(TWinSkinMenu::hooks_installed(), installed + 1);
    EXPECT_EQ(TWinSkinMenu::hooks_removed(), removed + 1);
    EXPECT_EQ(TWinSkinMenu::active_hook(), nullptr);

    // Alt alone (and F10) takes the first button: Down twice to Exit past the separator.
    w.clicked.clear();
    w.drops.clear();
    w.script = {{{VK_DOWN, VK_DOWN, VK_RETURN}, nullptr, nullptr}};
    Drive(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 0, [&] { return w.clicked.size() == 2; });
    EXPECT_EQ(w.drops, (std::vector<int>{0}));
    EXPECT_EQ(w.clicked.back(), "E&xit");

    // Escape ends a drop without a command; the filter goes all the same.
    w.clicked.clear();
    w.drops.clear();
    w.script = {{{VK_ESCAPE}, nullptr, nullptr}};
    Drive(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 'v', [&] { return w.drops.size() == 1 && !w.bar()->in_menu_mode(); });
    window_test::pump(50);
    EXPECT_EQ(w.clicked, (std::vector<std::string>{"&View"}));
    EXPECT_EQ(TWinSkinMenu::hooks_installed(), TWinSkinMenu::hooks_removed());
    EXPECT_EQ(TWinSkinMenu::active_hook(), nullptr);

    // A key no button has, and a disabled button's key, drop nothing.
    const int before = TWinSkinMenu::hooks_installed();
    SendMessageW(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 'q');
    SendMessageW(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 't');
    EXPECT_EQ(TWinSkinMenu::hooks_installed(), before);
}

// Alt with a letter that reaches the window as the library's dialog character: a key no control
// took, with only Alt held, drops the button it is the accelerator of.
TEST_F(SkinnedMenuBar, AltLetterAsADialogCharacterDrops) {
    LoadedData(owner_.get(), kDefaultSkin);
    BarWindow w;
    ASSERT_TRUE(WaitSkinned(w.handle()));
    constexpr LPARAM kAlt = 1 << 29;  // key data: Alt held
    const int installed = TWinSkinMenu::hooks_installed();
    w.script = {{{VK_RETURN}, nullptr, nullptr}};
    Drive(w.handle(), ui::CM_DIALOGCHAR, 'e', kAlt, [&] { return w.clicked.size() == 2; });
    EXPECT_EQ(w.drops, (std::vector<int>{1}));
    EXPECT_EQ(w.clicked, (std::vector<std::string>{"&Edit", "&Copy"}));
    EXPECT_EQ(TWinSkinMenu::hooks_installed(), installed + 1);
    EXPECT_EQ(TWinSkinMenu::active_hook(), nullptr);

    // Without Alt, with a letter no button has, or a disabled button's: nothing drops, and the
    // message is left unhandled.
    struct Case {
        WPARAM key;
        LPARAM data;
    } cases[] = {{'e', 0}, {'q', kAlt}, {'t', kAlt}};
    for (const Case& c : cases) {
        EXPECT_EQ(SendMessageW(w.handle(), ui::CM_DIALOGCHAR, c.key, c.data), 0) << static_cast<char>(c.key);
    }
    EXPECT_EQ(TWinSkinMenu::hooks_installed(), installed + 1);
    EXPECT_EQ(w.drops.size(), 1u);
}

// Alt pressed while a menu is dropped closes it, drops no other menu and leaves menu mode, so
// that the next Alt drops the first menu again.
TEST_F(SkinnedMenuBar, AltInADroppedMenuClosesIt) {
    LoadedData(owner_.get(), kDefaultSkin);
    BarWindow w;
    ASSERT_TRUE(WaitSkinned(w.handle()));
    // Whether the bar was still in menu mode as the menu loop ended, before the drop returned.
    std::vector<bool> mode_at_exit;
    w.form->window_proc.add("menu loop end", [&](ui::Message& m, const ui::MessageChain::Next& next) {
        if (m.msg == WM_EXITMENULOOP) mode_at_exit.push_back(w.bar()->in_menu_mode());
        next(m);
    });
    w.script = {{{VK_ESCAPE}, nullptr, nullptr}};
    Drive(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 'e', [&] { return !w.drops.empty() && !w.bar()->in_menu_mode(); });
    EXPECT_EQ(mode_at_exit, (std::vector<bool>{true}));  // Escape: menu mode lasts the whole drop

    w.drops.clear();
    w.clicked.clear();
    mode_at_exit.clear();
    const int installed = TWinSkinMenu::hooks_installed();
    BarWindow::Step alt{{}, [&] { PostMessageW(w.handle(), WM_SYSKEYDOWN, VK_MENU, 1 << 29); }, nullptr};
    w.script = {alt};
    Drive(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 'e', [&] { return !w.drops.empty() && !w.bar()->in_menu_mode(); });
    window_test::pump(50);
    EXPECT_EQ(mode_at_exit, (std::vector<bool>{false}));
    EXPECT_EQ(w.drops, (std::vector<int>{1}));
    EXPECT_EQ(w.clicked, (std::vector<std::string>{"&Edit"}));
    EXPECT_FALSE(w.bar()->in_menu_mode());
    EXPECT_EQ(TWinSkinMenu::hooks_installed(), installed + 1);
    EXPECT_EQ(TWinSkinMenu::hooks_removed(), TWinSkinMenu::hooks_installed());
    EXPECT_EQ(TWinSkinMenu::active_hook(), nullptr);

    w.script = {{{VK_ESCAPE}, nullptr, nullptr}};
    Drive(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 0, [&] { return w.drops.size() == 2 && !w.bar()->in_menu_mode(); });
    EXPECT_EQ(w.drops, (std::vector<int>{1, 0}));
}

// While the bar drops a menu the manager marks the popup skins made meanwhile; when the last
// popup has gone, it forgets the drop.
TEST_F(SkinnedMenuBar, PopupsMadeDuringADropAreMarked) {
    LoadedData(owner_.get(), kDefaultSkin);
    BarWindow w;
    ASSERT_TRUE(WaitSkinned(w.handle()));
    TSkinManage* manager = TSkinManage::Instance();
    bool tracking = false, marked = false;
    int kind = -1;
    w.script = {{{VK_ESCAPE}, [&] {
                     tracking = manager->MenuBarTracking();
                     kind = manager->PopupKind();
                     const auto& skins = skin::TWinSkinPopMenu::Skins();
                     marked = !skins.empty() && skins.back()->tracking();
                 }, nullptr}};
    Drive(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f', [&] { return !w.drops.empty() && !w.bar()->in_menu_mode(); });
    EXPECT_TRUE(tracking);
    EXPECT_EQ(kind, 1);
    EXPECT_TRUE(marked);
    ASSERT_TRUE(window_test::pump_until([] { return skin::TWinSkinPopMenu::Skins().empty(); }, 3000));
    EXPECT_FALSE(manager->MenuBarTracking());
    EXPECT_EQ(manager->PopupKind(), 0);
}

TEST_F(SkinnedMenuBar, TopItemWithoutSubItemsFiresItsClickAndDropsNothing) {
    LoadedData(owner_.get(), kDefaultSkin);
    BarWindow w;
    ASSERT_TRUE(WaitSkinned(w.handle()));
    const int installed = TWinSkinMenu::hooks_installed();
    const POINT help = w.ButtonCentre(2);
    Drive(w.handle(), skin::kMsgMenuBarClick, 0, MAKELPARAM(help.x, help.y), [&] { return w.clicked.size() == 1; });
    EXPECT_EQ(w.clicked, (std::vector<std::string>{"&Help"}));
    EXPECT_TRUE(w.drops.empty());
    EXPECT_EQ(TWinSkinMenu::hooks_installed(), installed);
}

// Where the arrow keys and the mouse move a dropped menu along the bar.
TEST_F(SkinnedMenuBar, NavigationAlongTheBar) {
    LoadedData(owner_.get(), kDefaultSkin);
    struct Case {
        const char* name;
        DWORD ex_style;
        WPARAM key;  // Alt with this letter drops the first menu
        std::vector<std::vector<WPARAM>> keys;
        std::vector<int> drops;
        std::string clicked;  // the last click, "" for none past the top items
        bool mouse = false;   // the first drop's step moves the pointer over the Edit button
    } cases[] = {
        {"left on the first drops the last", 0, 'f', {{VK_LEFT}, {VK_ESCAPE}}, {0, 4}, ""},
        {"right on the last drops the first", 0, 'v', {{VK_RIGHT}, {VK_ESCAPE}}, {4, 0}, ""},
        {"right on an item with sub-items opens it", 0, 'f', {{VK_DOWN, VK_RIGHT, VK_RETURN}}, {0}, "One"},
        {"left in a submenu closes only it", 0, 'f', {{VK_DOWN, VK_RIGHT, VK_LEFT, VK_UP, VK_RETURN}}, {0}, "&Open"},
        {"moving over another button switches", 0, 'f', {{}, {VK_RETURN}}, {0, 1}, "&Copy", true},
        {"right to left: Left goes to the next button, leftwards", WS_EX_LEFTSCROLLBAR, 'f', {{VK_LEFT}, {VK_ESCAPE}}, {0, 1}, ""},
        {"right to left: Right on the first drops the last", WS_EX_LEFTSCROLLBAR, 'f', {{VK_RIGHT}, {VK_ESCAPE}}, {0, 4}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BarWindow w(c.ex_style);
        ASSERT_TRUE(WaitSkinned(w.handle()));
        const int installed = TWinSkinMenu::hooks_installed();
        for (std::size_t i = 0; i < c.keys.size(); ++i) {
            BarWindow::Step step{c.keys[i], nullptr, nullptr};
            if (c.mouse && i == 0) {
                const POINT edit = w.ButtonCentre(1);
                step.before = [edit] {
                    SetCursorPos(edit.x, edit.y);
                    PostMessageW(FindWindowW(L"#32768", nullptr), WM_MOUSEMOVE, 0, 0);
                };
            }
            w.script.push_back(step);
        }
        if (c.ex_style) {
            // Right to left, the row runs leftwards from the bar's right end.
            EXPECT_GT(w.bar()->buttons()[0].rect.left, w.bar()->buttons()[1].rect.left);
        }
        Drive(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, c.key,
              [&] { return w.drops.size() >= c.drops.size() && !w.bar()->in_menu_mode() && w.script.empty(); });
        window_test::pump(50);
        EXPECT_EQ(w.drops, c.drops);
        const std::string last = w.clicked.empty() ? "" : w.clicked.back();
        const bool top = !last.empty() && (last == "&File" || last == "&Edit" || last == "&View");
        EXPECT_EQ(top ? "" : last, c.clicked);
        // One filter per drop, each removed.
        EXPECT_EQ(TWinSkinMenu::hooks_installed() - installed, static_cast<int>(c.drops.size()));
        EXPECT_EQ(TWinSkinMenu::hooks_installed(), TWinSkinMenu::hooks_removed());
        EXPECT_EQ(TWinSkinMenu::active_hook(), nullptr);
    }
}

TEST_F(SkinnedMenuBar, RightToLeftDropsRightAligned) {
    LoadedData(owner_.get(), kDefaultSkin);
    BarWindow w(WS_EX_LEFTSCROLLBAR);
    ASSERT_TRUE(WaitSkinned(w.handle()));
    RECT popup{};
    const RECT window = WindowRectOf(w.handle());
    const ui::Rect button = w.bar()->buttons()[1].rect;
    w.script = {{{VK_ESCAPE}, [&] { GetWindowRect(FindWindowW(L"#32768", nullptr), &popup); }, nullptr}};
    Drive(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 'e', [&] { return !w.drops.empty() && !w.bar()->in_menu_mode(); });
    EXPECT_EQ(popup.right, window.left + button.right);
    EXPECT_EQ(popup.top, window.top + button.bottom);
}

TEST_F(SkinnedMenuBar, MenuChangedWhileDroppedRebuildsTheBarAfterTheDrop) {
    LoadedData(owner_.get(), kDefaultSkin);
    BarWindow w;
    ASSERT_TRUE(WaitSkinned(w.handle()));
    std::wstring during;
    w.script = {{{VK_ESCAPE}, [&] {
                     w.view->set_caption("&Look");
                     during = w.bar()->buttons()[4].caption;
                 }, nullptr}};
    Drive(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f', [&] { return !w.drops.empty() && !w.bar()->in_menu_mode(); });
    window_test::pump(50);
    EXPECT_EQ(during, L"&View");  // the drop's buttons stay as they were
    EXPECT_EQ(w.bar()->buttons()[4].caption, L"&Look");
    EXPECT_EQ(GetMenu(w.handle()), nullptr);
    EXPECT_EQ(TWinSkinMenu::active_hook(), nullptr);
}

TEST_F(SkinnedMenuBar, BadMenusDrawNothingOutsideTheBar) {
    LoadedData(owner_.get(), kDefaultSkin);
    const std::string long_caption(1000, 'M');
    struct Case {
        const char* name;
        std::vector<std::string> captions;
        std::size_t buttons;
    } cases[] = {
        {"only separators", {"-", "-"}, 2},
        {"a lone ampersand and an empty caption", {"&", ""}, 2},
        {"a 1000-character caption", {long_caption}, 1},
        {"two hundred items", std::vector<std::string>(200, "&Item"), 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindow w;
        w.menu->items()->clear();
        for (const std::string& caption : c.captions) {
            auto* item = new ui::MenuItem(w.menu);
            item->set_caption(caption);
            w.menu->items()->add(item);
        }
        Activate(w.handle());
        ASSERT_TRUE(WaitSkinned(w.handle()));
        TWinSkinMenu* bar = SkinOf(w.handle())->menu_bar();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->buttons().size(), c.buttons);
        for (const auto& b : bar->buttons()) EXPECT_LE(b.caption.size(), 80u);
        // Painted into a bitmap larger than the window: nothing outside the bar's row changes.
        const RECT wr = WindowRectOf(w.handle());
        const skin::SkinFrame& f = SkinOf(w.handle())->frame();
        const ui::Rect row{f.left, f.top, (wr.right - wr.left) - f.right, f.top + f.menu_bar};
        ui::Bitmap picture(row.right + 40, row.bottom + 10);
        const RECT all{0, 0, picture.width(), picture.height()};
        const ui::GdiObject<HBRUSH> green(CreateSolidBrush(RGB(0, 255, 0)));
        FillRect(picture.dc(), &all, green.get());
        bar->Paint(picture.dc(), row, true);
        for (int i = 0; i < static_cast<int>(bar->buttons().size()); ++i) {
            const_cast<TWinSkinMenu::Button&>(bar->buttons()[static_cast<std::size_t>(i)]).state = TWinSkinMenu::kHot;
            bar->PaintButton(i, picture.dc());
            const_cast<TWinSkinMenu::Button&>(bar->buttons()[static_cast<std::size_t>(i)]).state = TWinSkinMenu::kNormal;
        }
        int outside = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const bool in_row = x >= row.left && x < row.right && y >= row.top && y < row.bottom;
                if (!in_row && (picture.pixel(x, y) & 0xFFFFFF) != RGB(0, 255, 0)) ++outside;
            }
        EXPECT_EQ(outside, 0);
        // Alt and an accelerator do nothing harmful on such a bar.
        w.form->window_proc.add("close drops", [&](ui::Message& m, const ui::MessageChain::Next& next) {
            if (m.msg == WM_INITMENUPOPUP) PostMessageW(w.handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            next(m);
        });
        SendMessageW(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
        SendMessageW(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 'i');
        EXPECT_EQ(TWinSkinMenu::active_hook(), nullptr);
    }
}

TEST_F(SkinnedMenuBar, SkinWithoutAMenuBarPictureFillsTheMenubarColour) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    BarWindow w;
    ASSERT_TRUE(WaitSkinned(w.handle()));
    // The loaded description without its menu bar element.
    auto* skin = const_cast<skin::SkinDescription*>(data->Skin());
    skin->menu_bar.reset();
    const skin::SkinFrame& f = SkinOf(w.handle())->frame();
    const RECT wr = WindowRectOf(w.handle());
    const ui::Rect row{f.left, f.top, (wr.right - wr.left) - f.right, f.top + f.menu_bar};
    ui::Bitmap picture(row.right, row.bottom);
    w.bar()->Paint(picture.dc(), row, true);
    EXPECT_EQ(picture.pixel(row.left, row.top) & 0xFFFFFF, ui::to_colorref(skin->colours[skin::kMenubar]));
    EXPECT_EQ(w.bar()->buttons()[0].rect.left, row.left + 6);
}

TEST_F(SkinnedMenuBar, UnskinningGivesTheMenuBack) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    BarWindow w;
    const HMENU menu = w.menu->handle();
    ASSERT_TRUE(WaitSkinned(w.handle()));
    EXPECT_EQ(GetMenu(w.handle()), nullptr);
    int changed = 0;
    data->OnSkinChanged = [&](ui::Component*) { ++changed; };
    data->SetActive(false);
    ASSERT_TRUE(window_test::pump_until([&] { return changed == 1; }, 3000));
    EXPECT_EQ(SkinOf(w.handle()), nullptr);
    EXPECT_EQ(GetMenu(w.handle()), menu);
    // Renamed while unskinned: the system's bar has it.
    w.file->set_caption("&Archive");
    wchar_t text[32] = {};
    GetMenuStringW(GetMenu(w.handle()), 0, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Archive");
}

// Pictures for review: the bar in both skins, and a drop with its submenu open.
TEST_F(SkinnedMenuBar, ScreenshotsOfTheBarAndAnOpenDrop) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    BarWindow w;
    ASSERT_TRUE(WaitSkinned(w.handle()));
    int changed = 0;
    data->OnSkinChanged = [&](ui::Component*) { ++changed; };
    for (const char* skin_name : {"default", "contrast"}) {
        if (std::string(skin_name) == "contrast") {
            data->SetSkinFile(kContrastSkin);
            ASSERT_TRUE(window_test::pump_until([&] { return changed == 1; }, 3000));
        }
        Activate(w.handle());
        EXPECT_TRUE(window_test::save_screenshot(w.handle(), "skinned_menu_bar", std::string("window_") + skin_name));
        bool saved = false;
        w.drops.clear();
        BarWindow::Step step{{VK_DOWN, VK_RIGHT}, nullptr, nullptr};
        step.after = [&] {
            // The window and the menus over it, from the screen, once the submenu is open.
            RECT area = WindowRectOf(w.handle());
            int menus = 0;
            for (HWND m = FindWindowW(L"#32768", nullptr); m; m = FindWindowExW(nullptr, m, L"#32768", nullptr)) {
                if (!IsWindowVisible(m)) continue;
                ++menus;
                UpdateWindow(m);
                RECT r{};
                GetWindowRect(m, &r);
                UnionRect(&area, &area, &r);
            }
            EXPECT_EQ(menus, 2);
            ui::Bitmap shot(area.right - area.left, area.bottom - area.top);
            HDC screen = GetDC(nullptr);
            BitBlt(shot.dc(), 0, 0, shot.width(), shot.height(), screen, area.left, area.top, SRCCOPY);
            ReleaseDC(nullptr, screen);
            saved = window_test::save_picture(shot, "skinned_menu_bar", std::string("drop_") + skin_name);
            PostMessageW(w.handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessageW(w.handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        };
        w.script = {step};
        Drive(w.handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f', [&] { return saved && !w.bar()->in_menu_mode(); });
        EXPECT_TRUE(saved);
    }
}

} // namespace
