// Control skins: attaching to library controls and bare windows and giving everything back, the
// message cycle, switching a skin off and on, bare windows that come and go, skins freed by
// their own messages, the program's say in which control gets which skin, and extended combo
// boxes.
#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <cstring>
#include <new>
#include <utility>

#include <gtest/gtest.h>

#include "platform/ui/win/forms.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/subclass.h"
#include "skin/win/skin_attach.h"
#include "skin/win/skin_button.h"
#include "skin/win/skin_control.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_toggles.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/window_test/window_test.h"

namespace {

using skin::TSkinControl;
using skin::TSkinData;
using skin::TWinSkinForm;
using namespace skinned_test;

class SkinnedControls : public SkinnedTest {};

// A skin that paints its whole window in one colour and counts its calls.
class ProbeSkin : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(ui::Message& m) override {
        if (m.msg == WM_PAINT) ++paints_before;
        return TSkinControl::BeforeMessage(m);
    }
    void PaintSkin(HDC dc, const ui::Rect& rect) override {
        ++paints;
        skin::FillColorRect(dc, rect, ui::rgb(0, 200, 0));
    }
    int paints = 0, paints_before = 0;
};

// What a window and its control give the skin: the layers of its subclass chain, the filters of
// its message entry, its procedure, its colour and ParentBackground.
struct Listing {
    std::vector<std::string> layers, filters;
    LONG_PTR proc = 0;
    ui::TColor color = 0;
    bool parent_background = false;
    friend bool operator==(const Listing& a, const Listing& b) {
        return a.layers == b.layers && a.filters == b.filters && a.proc == b.proc && a.color == b.color &&
               a.parent_background == b.parent_background;
    }
};

Listing ListingOf(HWND window, ui::WinControl* control) {
    Listing l;
    l.layers = ui::WindowSubclass::layers(window);
    l.proc = GetWindowLongPtrW(window, GWLP_WNDPROC);
    if (control) {
        l.filters = control->window_proc.names();
        l.color = control->color();
        l.parent_background = control->parent_background();
    }
    return l;
}

HWND BareButton(HWND parent, const wchar_t* text, int y) {
    return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, y, 90, 26, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

COLORREF PixelOnScreen(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

struct SkinnedMain {
    explicit SkinnedMain(TSkinData*& data, ui::Component* owner) {
        data = LoadedData(owner, kDefaultSkin);
        button = new ui::Button(w.form.get());
        button->set_parent(w.form.get());
        button->set_bounds(10, 10, 90, 26);
        button->set_caption("Library");
        panel = new ui::Panel(w.form.get());
        panel->set_parent(w.form.get());
        panel->set_bounds(120, 10, 120, 60);
        panel->set_parent_background(true);
        panel->set_color(ui::clWindow);
        bare = BareButton(w.handle(), L"Bare", 100);
        Activate(w.handle());
    }
    MainWindow w;
    ui::Button* button = nullptr;
    ui::Panel* panel = nullptr;
    HWND bare = nullptr;
};

TEST_F(SkinnedControls, AttachAndUnskinGiveBackEveryProcedureFilterAndColour) {
    TSkinData* data = nullptr;
    SkinnedMain m(data, owner_.get());
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    ASSERT_NE(form, nullptr);
    form->ReleaseControlSkins();  // whatever the window's start gave them

    const Listing button_before = ListingOf(m.button->handle(), m.button);
    const Listing panel_before = ListingOf(m.panel->handle(), m.panel);
    const Listing bare_before = ListingOf(m.bare, nullptr);
    const ui::TColor face = data->Skin()->colours[skin::kButtonFace];

    for (int cycle = 0; cycle < 3; ++cycle) {
        SCOPED_TRACE(cycle);
        auto* on_button = new ProbeSkin(m.button);
        on_button->AttachControl(form, data, true);
        on_button->AttachControl(form, data, true);  // a second attachment does nothing
        auto* on_panel = new ProbeSkin(m.panel);
        on_panel->AttachControl(form, data, true);
        auto* on_bare = static_cast<ProbeSkin*>(form->OwnWindowSkin(std::make_unique<ProbeSkin>(nullptr)));
        on_bare->AttachWindow(m.bare, data, form);
        on_bare->AttachWindow(m.bare, data, form);  // never its own previous procedure

        EXPECT_EQ(form->ControlSkins().size(), 3u);
        EXPECT_EQ(form->FindControlSkin(m.button), on_button);
        EXPECT_EQ(form->FindWindowSkin(m.bare), on_bare);
        EXPECT_EQ(m.button->window_proc.names().size(), button_before.filters.size() + 1);
        EXPECT_EQ(ui::WindowSubclass::layers(m.bare).size(), bare_before.layers.size() + 1);
        EXPECT_EQ(m.button->color(), face);
        EXPECT_EQ(m.panel->color(), face);
        EXPECT_FALSE(m.panel->parent_background()) << "switched off while skinned";
        EXPECT_EQ(on_panel->option(), 1);
        EXPECT_EQ(on_button->option(), 0);
        for (HWND h : {m.button->handle(), m.panel->handle(), m.bare})
            EXPECT_EQ(SendMessageW(h, skin::kMsgIsSkinned, 0, 0), 1);

        // The control paints first, then the skin over the whole window.
        for (ProbeSkin* s : {on_button, on_bare}) {
            const int before = s->paints;
            RedrawWindow(s->window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            EXPECT_GT(s->paints, before);
            EXPECT_EQ(PixelOnScreen(s->window(), 2, 2), RGB(0, 200, 0));
        }

        // Off: messages go by the skin, the control paints itself; on: painted at once.
        for (WPARAM off : {WPARAM(0), static_cast<WPARAM>(-5)}) {
            SendMessageW(m.bare, skin::kMsgSkinSwitch, off, 0);
            EXPECT_FALSE(on_bare->active());
            const int before = on_bare->paints, before_seen = on_bare->paints_before;
            RedrawWindow(m.bare, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            EXPECT_EQ(on_bare->paints, before);
            EXPECT_EQ(on_bare->paints_before, before_seen);
            EXPECT_NE(PixelOnScreen(m.bare, 2, 2), RGB(0, 200, 0));
            EXPECT_EQ(SendMessageW(m.bare, skin::kMsgIsSkinned, 0, 0), 0) << "the button's own answer";
            SendMessageW(m.bare, skin::kMsgSkinSwitch, 1, 0);
            EXPECT_TRUE(on_bare->active());
            EXPECT_GT(on_bare->paints, before) << "repainted on switching on";
            EXPECT_EQ(PixelOnScreen(m.bare, 2, 2), RGB(0, 200, 0));
        }

        // The skin's notification of the window never reaches the control as one.
        EXPECT_EQ(SendMessageW(m.button->handle(), skin::kMsgSkinned, 0, skin::kSkinMagic), 0);

        form->ReleaseControlSkins();
        EXPECT_TRUE(form->ControlSkins().empty());
        EXPECT_TRUE(ListingOf(m.button->handle(), m.button) == button_before);
        EXPECT_TRUE(ListingOf(m.panel->handle(), m.panel) == panel_before);
        EXPECT_TRUE(ListingOf(m.bare, nullptr) == bare_before);
        EXPECT_TRUE(m.panel->parent_background());
        EXPECT_EQ(m.panel->color(), ui::clWindow);
    }
}

// Bare windows subclassed by the skin and by others after it: either can go first; the skin's
// layer leaves at WM_NCDESTROY and the window's skin frees the dead skin.
TEST_F(SkinnedControls, BareWindowsComeAndGoInAnyOrder) {
    TSkinData* data = nullptr;
    SkinnedMain m(data, owner_.get());
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    ASSERT_NE(form, nullptr);
    form->ReleaseControlSkins();

    HWND bare = BareButton(m.w.handle(), L"Later", 140);
    const Listing before = ListingOf(bare, nullptr);
    auto* s = static_cast<ProbeSkin*>(form->OwnWindowSkin(std::make_unique<ProbeSkin>(nullptr)));
    s->AttachWindow(bare, data, form);
    int later_seen = 0;
    {
        ui::WindowSubclass later(bare, [&](ui::Message& msg, const ui::WindowSubclass::Next& next) {
            ++later_seen;
            next(msg);
        }, "later");
        EXPECT_EQ(ui::WindowSubclass::layers(bare), (std::vector<std::string>{"later", TSkinControl::kLayerName}));
        form->ReleaseControlSkins();  // the skin goes first
        EXPECT_EQ(ui::WindowSubclass::layers(bare), std::vector<std::string>{"later"});
        SendMessageW(bare, WM_NULL, 0, 0);
        EXPECT_GT(later_seen, 0) << "the later subclasser still sees the window's messages";
    }
    EXPECT_TRUE(ListingOf(bare, nullptr) == before);

    // Destroyed while skinned: dead, the layer gone with the window, freed by the window's skin.
    s = static_cast<ProbeSkin*>(form->OwnWindowSkin(std::make_unique<ProbeSkin>(nullptr)));
    s->AttachWindow(bare, data, form);
    DestroyWindow(bare);
    EXPECT_TRUE(s->dead());
    EXPECT_FALSE(s->active());
    form->DropDeadControlSkins();
    EXPECT_TRUE(form->ControlSkins().empty());

    // Many made and destroyed: the object counts stay.
    const HANDLE process = GetCurrentProcess();
    auto cycle = [&] {
        HWND h = BareButton(m.w.handle(), L"Loop", 140);
        auto* k = static_cast<ProbeSkin*>(form->OwnWindowSkin(std::make_unique<ProbeSkin>(nullptr)));
        k->AttachWindow(h, data, form);
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        DestroyWindow(h);
        form->DropDeadControlSkins();
    };
    for (int i = 0; i < 5; ++i) cycle();
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS), user = GetGuiResources(process, GR_USEROBJECTS);
    const long long live = ui::gdi_tally().live();  // Wine reports no counts of its own
    for (int i = 0; i < 50; ++i) cycle();
    EXPECT_LE(ui::gdi_tally().live(), live);
    EXPECT_TRUE(form->ControlSkins().empty());
    EXPECT_LE(GetGuiResources(process, GR_GDIOBJECTS), gdi + 2);
    EXPECT_LE(GetGuiResources(process, GR_USEROBJECTS), user + 2);
}

// A library control freed while skinned takes its skin with it and leaves the window's list.
TEST_F(SkinnedControls, ControlFreedWithItsSkin) {
    TSkinData* data = nullptr;
    SkinnedMain m(data, owner_.get());
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    ASSERT_NE(form, nullptr);
    form->ReleaseControlSkins();
    auto* s = new ProbeSkin(m.button);
    s->AttachControl(form, data, true);
    ASSERT_EQ(form->ControlSkins().size(), 1u);
    delete m.button;
    EXPECT_TRUE(form->ControlSkins().empty());
}

// The published-property helpers: absent names read -1, empty or nil and writes do nothing.
TEST_F(SkinnedControls, PropertiesByNameWithAbsentOnes) {
    ui::Form form(nullptr);
    auto* b = new ui::Button(&form);
    b->set_caption("Go");
    b->set_tag(7);
    EXPECT_EQ(skin::GetOrdPropByName(b, "Tag"), 7);
    EXPECT_EQ(skin::GetOrdPropByName(b, "NoSuch"), -1);
    EXPECT_EQ(skin::GetOrdPropByName(b, "Caption"), -1) << "a text is no ordinal";
    EXPECT_EQ(skin::GetOrdPropByName(nullptr, "Tag"), -1);
    EXPECT_EQ(skin::GetTextPropByName(b, "Caption"), "Go");
    EXPECT_EQ(skin::GetTextPropByName(b, "NoSuch"), "");
    EXPECT_EQ(skin::GetEnumPropByName(b, "Default"), "False");
    EXPECT_EQ(skin::GetEnumPropByName(b, "NoSuch"), "");
    EXPECT_NE(skin::GetObjectPropByName(b, "Font"), nullptr);
    EXPECT_EQ(skin::GetObjectPropByName(b, "NoSuch"), nullptr);
    skin::SetPropByName(b, "NoSuch", "1");
    skin::SetPropByName(b, "Tag", "not a number");
    EXPECT_EQ(b->tag(), 7);
    skin::SetPropByName(b, "Default", "True");
    EXPECT_TRUE(b->is_default());
    skin::SetPropByName(b, "Caption", "Again");
    EXPECT_EQ(b->caption(), "Again");
}

TEST_F(SkinnedControls, PopupWindowsByStyleOrDesktopParent) {
    MainWindow w;
    HWND child = BareButton(w.handle(), L"c", 10);
    EXPECT_FALSE(skin::IsPopupWindow(child));
    EXPECT_FALSE(skin::IsPopupWindow(w.handle()));
    HWND popup = CreateWindowExW(0, L"STATIC", L"p", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindowOnExit guard{popup};
    EXPECT_TRUE(skin::IsPopupWindow(popup));
    EXPECT_FALSE(skin::IsPopupWindow(nullptr));
    EXPECT_EQ(skin::ReadWindowText(child), L"c");
}

// Skins made in a memory of their own that is filled with 0xDD, and never reused, when they are
// freed: a write to a freed skin shows as a changed byte.
struct PoisonArena {
    alignas(std::max_align_t) unsigned char bytes[64 * 1024];
    std::size_t used = 0;
    int live = 0;
    std::vector<std::pair<std::size_t, std::size_t>> freed;  // offset, size
};
PoisonArena& Arena() {
    static PoisonArena arena;
    return arena;
}

template <class Base>
class Poisoned : public Base {
public:
    using Base::Base;
    static void* operator new(std::size_t size) {
        PoisonArena& a = Arena();
        const std::size_t at = (a.used + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) * alignof(std::max_align_t);
        if (at + size > sizeof a.bytes) throw std::bad_alloc();
        a.used = at + size;
        ++a.live;
        return a.bytes + at;
    }
    static void operator delete(void* p, std::size_t size) {
        PoisonArena& a = Arena();
        std::memset(p, 0xDD, size);
        a.freed.push_back({static_cast<std::size_t>(static_cast<unsigned char*>(p) - a.bytes), size});
        --a.live;
    }
};

// True when no freed skin was written to since it was freed.
bool FreedSkinsUntouched() {
    PoisonArena& a = Arena();
    bool untouched = true;
    for (const auto& [at, size] : a.freed)
        for (std::size_t i = 0; i < size; ++i) untouched = untouched && a.bytes[at + i] == 0xDD;
    a.freed.clear();
    if (a.live == 0) a.used = 0;
    return untouched;
}

HWND BareCheckBox(HWND parent, int y) {
    return CreateWindowExW(0, L"BUTTON", L"Bare check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 120, y, 120, 22, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

// A skin freed by what its own message leads to (the window unskinned from a click, the control
// destroyed while it takes the focus, a bare window's parent releasing the skins from the
// window's notification) is never written to again, and the window keeps working without it.
TEST_F(SkinnedControls, SkinFreedInsideItsOwnMessage) {
    TSkinData* data = nullptr;
    SkinnedMain m(data, owner_.get());
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    ASSERT_NE(form, nullptr);
    form->ReleaseControlSkins();
    ASSERT_TRUE(FreedSkinsUntouched());

    // The window's skins released by the button's OnClick, which its skin calls on release.
    {
        const Listing before = ListingOf(m.button->handle(), m.button);
        int clicks = 0;
        m.button->on_click = [&](ui::Component*) {
            ++clicks;
            form->ReleaseControlSkins();
        };
        (new Poisoned<skin::TSkinButton>(m.button))->AttachControl(form, data, true);
        window_test::press_middle(m.button->handle());
        EXPECT_EQ(clicks, 1);
        EXPECT_TRUE(form->ControlSkins().empty());
        EXPECT_TRUE(ListingOf(m.button->handle(), m.button) == before);
        window_test::press_middle(m.button->handle());
        EXPECT_EQ(clicks, 2) << "the button clicks by itself now";
        m.button->on_click = nullptr;
        EXPECT_TRUE(FreedSkinsUntouched()) << "a freed button skin was written to";
    }
    // A library button destroyed while its skin gives it the focus on a press: the control that
    // loses the focus frees the button (and with it the skin).
    {
        auto* doomed = new ui::Button(m.w.form.get());
        doomed->set_parent(m.w.form.get());
        doomed->set_bounds(10, 150, 90, 26);
        (new Poisoned<skin::TSkinButton>(doomed))->AttachControl(form, data, true);
        SetFocus(m.button->handle());
        const auto token = m.button->window_proc.add("free on leaving", [&](ui::Message& msg, const ui::MessageChain::Next& next) {
            next(msg);
            if (msg.msg == WM_KILLFOCUS && doomed) {
                ui::Button* going = std::exchange(doomed, nullptr);
                delete going;
            }
        });
        SendMessageW(doomed->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        m.button->window_proc.remove(token);
        EXPECT_EQ(doomed, nullptr);
        EXPECT_TRUE(form->ControlSkins().empty());
        EXPECT_TRUE(FreedSkinsUntouched()) << "a skin freed while taking the focus was written to";
    }
    // Bare windows: the parent releases every skin from the check box's BN_CLICKED, which the
    // system sends while the skin handles WM_LBUTTONUP; a bare push button's press takes the
    // focus from a control that releases the skins when it loses it.
    {
        HWND check = BareCheckBox(m.w.handle(), 150);
        HWND push = BareButton(m.w.handle(), L"Bare push", 180);
        const Listing check_before = ListingOf(check, nullptr), push_before = ListingOf(push, nullptr);
        bool release_on_click = true;
        const auto token = m.w.form->window_proc.add("release on click", [&](ui::Message& msg, const ui::MessageChain::Next& next) {
            next(msg);
            if (msg.msg == WM_COMMAND && reinterpret_cast<HWND>(msg.lparam) == check && HIWORD(msg.wparam) == BN_CLICKED &&
                release_on_click)
                form->ReleaseControlSkins();
        });
        form->OwnWindowSkin(std::make_unique<Poisoned<skin::TSkinCheckBox>>(nullptr))->AttachWindow(check, data, form);
        window_test::press_middle(check);
        EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_TRUE(form->ControlSkins().empty());
        EXPECT_TRUE(ListingOf(check, nullptr) == check_before);
        release_on_click = false;
        window_test::press_middle(check);
        EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "the check box works without its skin";

        form->OwnWindowSkin(std::make_unique<Poisoned<skin::TSkinButton>>(nullptr))->AttachWindow(push, data, form);
        SetFocus(m.button->handle());
        const auto leave = m.button->window_proc.add("release on leaving", [&](ui::Message& msg, const ui::MessageChain::Next& next) {
            next(msg);
            if (msg.msg == WM_KILLFOCUS) form->ReleaseControlSkins();
        });
        SendMessageW(push, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(push, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        m.button->window_proc.remove(leave);
        m.w.form->window_proc.remove(token);
        EXPECT_TRUE(form->ControlSkins().empty());
        EXPECT_TRUE(ListingOf(push, nullptr) == push_before) << "the skin's layer left at once";
        RedrawWindow(push, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(FreedSkinsUntouched()) << "a freed bare-window skin was written to";
        DestroyWindow(check);
        DestroyWindow(push);
    }
    EXPECT_TRUE(window_test::errors().empty());
}

// The program's OnSkinControl sees every control offered with its form and upper-case class
// name. A skin it gives replaces the rules' one (a panel's children are still offered); a skin
// of the window's list given again keeps the control unskinned; none leaves it to the rules.
TEST_F(SkinnedControls, OnSkinControlGivesRefusesOrLeavesTheChoice) {
    TSkinData* data = nullptr;
    SkinnedMain m(data, owner_.get());
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    ASSERT_NE(form, nullptr);
    form->ReleaseControlSkins();

    ui::Form* owner = m.w.form.get();
    auto add = [&](ui::WinControl* c, ui::WinControl* parent, int y) {
        c->set_parent(parent);
        c->set_bounds(10, y, 90, 24);
        return c;
    };
    auto* panel = static_cast<ui::Panel*>(add(new ui::Panel(owner), owner, 150));
    panel->set_bounds(250, 100, 100, 90);
    auto* inner = static_cast<ui::Button*>(add(new ui::Button(panel), panel, 5));
    auto* refused = static_cast<ui::CheckBox*>(add(new ui::CheckBox(owner), owner, 150));
    auto* plain = static_cast<ui::Button*>(add(new ui::Button(owner), owner, 180));

    struct Seen {
        ui::Component* form;
        ui::Component* control;
        std::string cls;
    };
    std::vector<Seen> seen;
    ProbeSkin* given = nullptr;
    data->OnSkinControl = [&](ui::Component*, TSkinData* d, ui::Component* f, ui::Component* control,
                              const std::string& cls, TSkinControl*& skinned) {
        EXPECT_EQ(d, data);
        seen.push_back({f, control, cls});
        if (control == panel) skinned = given = new ProbeSkin(panel);
        else if (control == refused) skinned = given;
    };
    for (ui::Control* c : std::initializer_list<ui::Control*>{panel, refused, plain}) skin::SkinControl(*form, c, owner);

    ASSERT_NE(given, nullptr);
    EXPECT_EQ(form->FindControlSkin(panel), given) << "the program's skin, attached";
    EXPECT_TRUE(given->attached());
    EXPECT_EQ(std::count(form->ControlSkins().begin(), form->ControlSkins().end(), given), 1);
    EXPECT_NE(dynamic_cast<skin::TSkinButton*>(form->FindControlSkin(inner)), nullptr) << "the panel's children offered";
    EXPECT_EQ(form->FindControlSkin(refused), nullptr);
    EXPECT_EQ(SendMessageW(refused->handle(), skin::kMsgIsSkinned, 0, 0), 0);
    EXPECT_NE(dynamic_cast<skin::TSkinButton*>(form->FindControlSkin(plain)), nullptr) << "left to the rules";
    ASSERT_EQ(seen.size(), 4u);
    const std::vector<std::pair<ui::Component*, std::string>> expected = {
        {panel, "TPANEL"}, {inner, "TBUTTON"}, {refused, "TCHECKBOX"}, {plain, "TBUTTON"}};
    for (std::size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i].control, expected[i].first);
        EXPECT_EQ(seen[i].cls, expected[i].second);
        EXPECT_EQ(seen[i].form, owner);
    }
    data->OnSkinControl = nullptr;
}

// An extended combo box of the system: its first child window (the combo box) gets the combo
// skin, the extended window none; without combo skins in SkinControls nothing is skinned.
TEST_F(SkinnedControls, ExtendedComboBoxSkinsItsFirstChild) {
    TSkinData* data = nullptr;
    SkinnedMain m(data, owner_.get());
    ASSERT_TRUE(WaitSkinned(m.w.handle()));
    TWinSkinForm* form = SkinOf(m.w.handle());
    ASSERT_NE(form, nullptr);
    form->ReleaseControlSkins();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_USEREX_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    // The combo skin stands in for itself where the program has none registered yet.
    const bool had_factory = skin::HasControlSkinFactory(skin::ControlSkinKind::kComboBox);
    if (!had_factory)
        skin::RegisterControlSkin(skin::ControlSkinKind::kComboBox, [](ui::Component* owner, const skin::ControlSkinChoice&) {
            return std::unique_ptr<TSkinControl>(std::make_unique<ProbeSkin>(owner));
        });
    auto make = [&](int y) {
        return CreateWindowExW(0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 120, y, 150, 200,
                               m.w.handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    };
    HWND ex = make(140);
    ASSERT_NE(ex, nullptr);
    HWND combo = GetWindow(ex, GW_CHILD);
    ASSERT_NE(combo, nullptr);
    const Listing ex_before = ListingOf(ex, nullptr);
    skin::SkinChildWindow(*form, ex);
    EXPECT_NE(form->FindWindowSkin(combo), nullptr);
    EXPECT_EQ(SendMessageW(combo, skin::kMsgIsSkinned, 0, 0), 1);
    EXPECT_EQ(form->FindWindowSkin(ex), nullptr);
    EXPECT_TRUE(ListingOf(ex, nullptr) == ex_before);
    const std::size_t skins = form->ControlSkins().size();  // a combo skin may skin its parts too
    skin::SkinChildWindow(*form, ex);  // once only
    EXPECT_EQ(form->ControlSkins().size(), skins);

    HWND without = make(170);
    auto controls = data->SkinControls();
    controls.exclude(skin::TSkinControlType::xcCombo);
    data->SetSkinControls(controls);
    skin::SkinChildWindow(*form, without);
    EXPECT_EQ(form->FindWindowSkin(GetWindow(without, GW_CHILD)), nullptr);
    EXPECT_EQ(form->ControlSkins().size(), skins);

    form->ReleaseControlSkins();
    DestroyWindow(ex);
    DestroyWindow(without);
    if (!had_factory) skin::RegisterControlSkin(skin::ControlSkinKind::kComboBox, {});
}

}  // namespace
