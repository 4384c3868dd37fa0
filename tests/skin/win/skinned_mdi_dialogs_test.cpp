// Skinned MDI frames and dialogs: a bare MDI frame with its client and children, a modal form
// of the library, a dialog of the program from a template and the system's save dialog; the
// minimised and maximised starts, the window's shape against the skin's border pictures, the
// hit test; and everything given back by unskinning.
#include <windows.h>
#include <commdlg.h>
#include <windowsx.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/win/forms.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/subclass.h"
#include "skin/image32.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_messages.h"
#include "skin/win/win_skin_form.h"
#include "tests/skin/win/skinned_fixture.h"
#include "tests/support/window_test/window_test.h"

namespace {

using skin::TSkinData;
using skin::TSkinManage;
using skin::TWinSkinForm;
using namespace skinned_test;

const char* const kShots = "skinned_mdi_dialogs";

// A bare MDI frame of the program's own classes: the frame, its client and its children, the
// frame with a menu whose "Window" item lists the children.
class MdiFrame {
public:
    MdiFrame() {
        Register();
        HMENU menu = CreateMenu();
        window_menu_ = CreatePopupMenu();
        AppendMenuW(window_menu_, MF_STRING, 100, L"&Cascade");
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(window_menu_), L"&Window");
        frame = CreateWindowExW(0, kFrameClass, L"MDI frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 60, 40, 560, 400,
                                nullptr, menu, GetModuleHandleW(nullptr), this);
        client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    }
    ~MdiFrame() {
        if (IsWindow(frame)) DestroyWindow(frame);
    }
    MdiFrame(const MdiFrame&) = delete;
    MdiFrame& operator=(const MdiFrame&) = delete;

    HWND AddChild(const wchar_t* title, int x, int y) {
        MDICREATESTRUCTW create{};
        create.szClass = kChildClass;
        create.szTitle = title;
        create.hOwner = GetModuleHandleW(nullptr);
        create.x = x;
        create.y = y;
        create.cx = 220;
        create.cy = 150;
        create.style = WS_OVERLAPPEDWINDOW;
        return reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    }

    HWND frame = nullptr, client = nullptr;

private:
    static constexpr const wchar_t* kFrameClass = L"VqBareMdiFrame";
    static constexpr const wchar_t* kChildClass = L"VqBareMdiChild";

    static LRESULT CALLBACK FrameProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
        auto client = reinterpret_cast<HWND>(GetWindowLongPtrW(h, GWLP_USERDATA));
        if (msg == WM_CREATE) {
            auto* self = static_cast<MdiFrame*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
            CLIENTCREATESTRUCT ccs{self->window_menu_, 1000};
            client = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDIClient", nullptr,
                                     WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, h,
                                     nullptr, GetModuleHandleW(nullptr), &ccs);
            SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(client));
            return client ? 0 : -1;
        }
        return DefFrameProcW(h, client, msg, w, l);
    }

    static void Register() {
        static bool done = false;
        if (done) return;
        done = true;
        WNDCLASSW wc{};
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        wc.lpfnWndProc = FrameProc;
        wc.lpszClassName = kFrameClass;
        RegisterClassW(&wc);
        wc.lpfnWndProc = DefMDIChildProcW;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kChildClass;
        RegisterClassW(&wc);
    }

    HMENU window_menu_ = nullptr;
};

// What unskinning must give back, read from a window.
struct WindowRecord {
    std::vector<std::string> layers;
    std::vector<std::string> filters;
    LONG_PTR procedure = 0;
    SIZE client{};
    bool sys_menu = false;

    static WindowRecord Of(HWND window, const ui::WinControl* control = nullptr) {
        WindowRecord r;
        r.layers = ui::WindowSubclass::layers(window);
        if (control) r.filters = control->window_proc.names();
        r.procedure = GetWindowLongPtrW(window, GWLP_WNDPROC);
        r.client = ClientSize(window);
        r.sys_menu = (GetWindowLongPtrW(window, GWL_STYLE) & WS_SYSMENU) != 0;
        return r;
    }
};

void ExpectGivenBack(const WindowRecord& before, const WindowRecord& after, const char* which) {
    EXPECT_EQ(after.layers, before.layers) << which;
    EXPECT_EQ(after.filters, before.filters) << which;
    EXPECT_EQ(after.procedure, before.procedure) << which << ": the window procedure";
    EXPECT_EQ(after.client.cx, before.client.cx) << which;
    EXPECT_EQ(after.client.cy, before.client.cy) << which;
    EXPECT_EQ(after.sys_menu, before.sys_menu) << which << ": WS_SYSMENU";
}

// The outer size is the client plus the skin's frame.
void ExpectSkinFrame(HWND window, const char* which) {
    TWinSkinForm* skinned = SkinOf(window);
    ASSERT_NE(skinned, nullptr) << which;
    const skin::SkinFrame& f = skinned->frame();
    const RECT outer = WindowRectOf(window);
    const SIZE client = ClientSize(window);
    EXPECT_EQ(outer.right - outer.left - client.cx, f.left + f.right) << which;
    EXPECT_EQ(outer.bottom - outer.top - client.cy, f.top + f.bottom + f.menu_bar) << which;
}

bool HasRegion(HWND window) {
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(window, r);
    DeleteObject(r);
    return kind != ERROR;
}

// A test's own layer on a window, counting one message and optionally answering it.
struct Watch {
    Watch(HWND window, UINT msg, std::function<bool(ui::Message&)> answer = nullptr)
        : layer(window, [this, msg, answer](ui::Message& m, const ui::WindowSubclass::Next& next) {
              if (m.msg == msg) {
                  ++count;
                  if (answer && answer(m)) return;
              }
              next(m);
          }, "test") {}
    int count = 0;
    ui::WindowSubclass layer;
};

// Steps that run one after another from a thread timer while a modal loop (a dialog's, a modal
// form's) runs; each step is a condition that holds when the step is done. After `limit_ms` the
// remaining steps are given up and `close` ends the loop anyway.
class ModalScript {
public:
    using Step = std::function<bool()>;
    ModalScript(std::vector<Step> steps, std::function<void()> close, DWORD limit_ms = 8000)
        : steps_(std::move(steps)), close_(std::move(close)), deadline_(GetTickCount() + limit_ms) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, Tick);
    }
    ~ModalScript() {
        if (timer_) KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;
    bool finished() const { return done_ == steps_.size(); }
    std::size_t steps_done() const { return done_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalScript* self = current_;
        if (!self || self->running_ || self->closed_) return;
        self->running_ = true;
        while (self->done_ < self->steps_.size() && self->steps_[self->done_]()) ++self->done_;
        const bool late = static_cast<LONG>(GetTickCount() - self->deadline_) > 0;
        if (self->finished() || late) {
            self->closed_ = true;
            KillTimer(nullptr, self->timer_);
            self->timer_ = 0;
            self->close_();
        }
        self->running_ = false;
    }
    static ModalScript* current_;
    std::vector<Step> steps_;
    std::function<void()> close_;
    DWORD deadline_;
    UINT_PTR timer_ = 0;
    std::size_t done_ = 0;
    bool running_ = false, closed_ = false;
};
ModalScript* ModalScript::current_ = nullptr;

bool Skinned(HWND window) {
    TWinSkinForm* f = SkinOf(window);
    return f && f->skin_state() == TWinSkinForm::kSkinned;
}

// A window of the program's own class, for the starts and for taking the activation away.
HWND ProgramWindow(const wchar_t* caption, DWORD style) {
    static const wchar_t* const kClass = L"VqSkinnedStart";
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClass;
        RegisterClassW(&wc);
        registered = true;
    }
    return CreateWindowExW(0, kClass, caption, style, 100, 80, 360, 240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Pictures of a window for review in both of our skins, active and inactive, as steps of a
// script: `component` is switched to each skin at run time, and the window made inactive by
// activating another window of the program (made at the first step, so that a modal loop that
// disabled the others has not disabled it), then active again. The window is found by
// `window()`, as a dialog's is known only once it is up. The component's skin-changed event is
// borrowed meanwhile and given back at the last step.
std::vector<ModalScript::Step> ShotsInBothSkins(TSkinData* component, std::function<HWND()> window, const std::string& name) {
    struct Shared {
        DestroyWindowOnExit other{nullptr};
        ui::NotifyEvent borrowed;
        int changed = 0, expected = 0;
    };
    auto shared = std::make_shared<Shared>();
    std::vector<ModalScript::Step> steps;
    steps.push_back([=] {
        shared->other.h = ProgramWindow(L"Another window", WS_OVERLAPPEDWINDOW);
        SetWindowPos(shared->other.h, nullptr, 700, 480, 200, 120, SWP_NOZORDER | SWP_NOACTIVATE);
        shared->borrowed = component->OnSkinChanged;
        component->OnSkinChanged = [shared](ui::Component*) { ++shared->changed; };
        return true;
    });
    auto is_active = [window](bool active) {
        const HWND h = window();
        return (GetActiveWindow() == h) == active && Skinned(h) && SkinOf(h)->active() == active;
    };
    for (const char* skin_name : {"default", "contrast"}) {
        const std::string prefix = name + "_" + skin_name;
        const char* path = std::string(skin_name) == "default" ? kDefaultSkin : kContrastSkin;
        steps.push_back([=] {
            component->SetSkinFile(path);
            ++shared->expected;
            return true;
        });
        steps.push_back([=] { return shared->changed == shared->expected && Skinned(window()); });
        steps.push_back([=] {
            ShowWindow(shared->other.h, SW_SHOWNORMAL);
            SetForegroundWindow(shared->other.h);
            SetActiveWindow(shared->other.h);
            return true;
        });
        steps.push_back([=] {
            if (!is_active(false)) return false;
            EXPECT_TRUE(window_test::save_screenshot(window(), kShots, prefix + "_inactive"));
            SetForegroundWindow(window());
            SetActiveWindow(window());
            return true;
        });
        steps.push_back([=] {
            if (!is_active(true)) return false;
            EXPECT_TRUE(window_test::save_screenshot(window(), kShots, prefix + "_active"));
            return true;
        });
    }
    steps.push_back([=] {
        component->OnSkinChanged = shared->borrowed;
        return true;
    });
    return steps;
}

// Steps run one after another outside a modal loop; false when one did not hold in time.
bool RunSteps(const std::vector<ModalScript::Step>& steps) {
    for (const ModalScript::Step& step : steps)
        if (!window_test::pump_until(step, 5000)) return false;
    return true;
}

class SkinnedMdiDialogs : public SkinnedTest {};

// The frame, its client and its children skinned; a maximised child leaves the frame's look to
// the system and takes the children's shapes away; the client's messages keep the manager and
// the component up to date.
TEST_F(SkinnedMdiDialogs, MdiFrameClientAndChildren) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    TSkinManage* manager = TSkinManage::Instance();
    MdiFrame mdi;
    ASSERT_NE(mdi.client, nullptr);
    Activate(mdi.frame);
    ASSERT_TRUE(WaitSkinned(mdi.frame));
    TWinSkinForm* frame = SkinOf(mdi.frame);
    EXPECT_EQ(frame->kind(), TWinSkinForm::kMdiFrame);
    EXPECT_EQ(frame->mdi_client(), mdi.client);
    EXPECT_EQ(ui::WindowSubclass::layers(mdi.client), std::vector<std::string>{"skin mdi client"});
    ExpectSkinFrame(mdi.frame, "frame");
    EXPECT_EQ(GetWindowLongPtrW(mdi.client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0)
        << "the client's scroll bars go without xoMDIScrollbar";

    // Children are taken on as they are made; the skinned menu bar keeps still meanwhile.
    ASSERT_TRUE(data->MenuUpdate());
    const HWND a = mdi.AddChild(L"Child A", 10, 10);
    EXPECT_FALSE(data->MenuUpdate());
    const HWND b = mdi.AddChild(L"Child B", 120, 80);
    ASSERT_TRUE(WaitSkinned(a));
    ASSERT_TRUE(WaitSkinned(b));
    for (HWND child : {a, b}) {
        EXPECT_EQ(SkinOf(child)->kind(), TWinSkinForm::kMdiChild);
        EXPECT_EQ(SkinOf(child)->window_state(), TWinSkinForm::kNormal);
        ExpectSkinFrame(child, "child");
        EXPECT_TRUE(HasRegion(child));
    }
    // Only the newest child is active; the older one was deactivated before its skin started.
    EXPECT_FALSE(SkinOf(a)->active());
    EXPECT_TRUE(SkinOf(b)->active());
    ASSERT_TRUE(RunSteps(ShotsInBothSkins(data, [&] { return mdi.frame; }, "mdi")));

    // 0x3516 at the client repaints the frame with its frame.
    {
        Watch paints(mdi.frame, WM_NCPAINT);
        PostMessageW(mdi.client, skin::kMsgMdiRedraw, 0, 0);
        EXPECT_TRUE(window_test::pump_until([&] { return paints.count > 0; }, 2000));
    }

    // A child maximised by its own caption button: the manager knows, the children lose their
    // shapes, the system draws the child's frame; a new title repaints the MDI frame.
    SendMessageW(a, skin::kMsgPaintNonClient, 0, 0);
    const RECT ra = WindowRectOf(a);
    bool clicked = false;
    for (const auto& button : SkinOf(a)->buttons()) {
        if (button.element.action != 1 || !button.visible) continue;
        const LPARAM at = MAKELPARAM(ra.left + (button.rect.left + button.rect.right) / 2,
                                     ra.top + (button.rect.top + button.rect.bottom) / 2);
        SendMessageW(a, WM_NCLBUTTONDOWN, HTCAPTION, at);
        SendMessageW(a, WM_NCLBUTTONUP, HTCAPTION, at);
        clicked = true;
        break;
    }
    ASSERT_TRUE(clicked) << "no maximise button on the child";
    ASSERT_TRUE(window_test::pump_until([&] { return IsZoomed(a) != FALSE; }, 2000));
    EXPECT_TRUE(manager->MaximisedChildShown());
    EXPECT_EQ(SkinOf(a)->window_state(), TWinSkinForm::kMaximised);
    EXPECT_FALSE(HasRegion(a));
    EXPECT_FALSE(HasRegion(b));
    window_test::save_screenshot(mdi.frame, kShots, "mdi_child_maximised");
    {
        Watch paints(mdi.frame, WM_NCPAINT);
        SetWindowTextW(a, L"Child A, renamed");
        EXPECT_TRUE(window_test::pump_until([&] { return paints.count > 0; }, 2000));
    }

    // Restored through the client: the shapes come back.
    SendMessageW(mdi.client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(a), 0);
    ASSERT_TRUE(window_test::pump_until([&] { return !IsZoomed(a); }, 2000));
    EXPECT_FALSE(manager->MaximisedChildShown());
    for (HWND child : {a, b}) {
        EXPECT_EQ(SkinOf(child)->window_state(), TWinSkinForm::kNormal);
        EXPECT_TRUE(HasRegion(child));
    }
    // Maximised through the client too, then cascaded: the flag follows.
    SendMessageW(mdi.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b), 0);
    ASSERT_TRUE(window_test::pump_until([&] { return IsZoomed(b) != FALSE; }, 2000));
    EXPECT_TRUE(manager->MaximisedChildShown());
    EXPECT_FALSE(HasRegion(a));
    SendMessageW(mdi.client, WM_MDICASCADE, 0, 0);
    window_test::pump(0);
    EXPECT_EQ(manager->MaximisedChildShown(), IsZoomed(b) != FALSE);

    // The last child gone, the menu bar follows the menu again.
    SendMessageW(mdi.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_FALSE(data->MenuUpdate());
    SendMessageW(mdi.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(b), 0);
    EXPECT_TRUE(data->MenuUpdate());
    EXPECT_FALSE(manager->MaximisedChildShown());
}

// However a child came to be maximised, the frame learns of it when it paints its menu bar:
// children that keep the system's borders tell nobody.
TEST_F(SkinnedMdiDialogs, MaximisedChildFoundWhenTheMenuBarIsPainted) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    skin::TSkinOptions options = data->Options();
    options.include(skin::TSkinOption::xoMDIChildBorder);
    data->SetOptions(options);
    TSkinManage* manager = TSkinManage::Instance();
    MdiFrame mdi;
    Activate(mdi.frame);
    ASSERT_TRUE(WaitSkinned(mdi.frame));
    ASSERT_NE(SkinOf(mdi.frame)->menu_bar(), nullptr);
    const HWND child = mdi.AddChild(L"Child", 10, 10);
    ASSERT_TRUE(WaitSkinned(child));
    SendMessageW(mdi.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    ASSERT_TRUE(window_test::pump_until([&] { return IsZoomed(child) != FALSE; }, 2000));
    const RECT r = WindowRectOf(mdi.frame);
    ui::Bitmap picture(r.right - r.left, r.bottom - r.top);
    EXPECT_EQ(SendMessageW(mdi.frame, skin::kMsgPaintInto, reinterpret_cast<WPARAM>(picture.dc()), skin::kSkinMagic),
              skin::kSkinMagic);
    EXPECT_TRUE(manager->MaximisedChildShown());
}

// What the system does for an MDI child's caption: a right click (down and up as the mouse
// gives them), and the child's window menu from its icon.
struct SystemMenuProbe {
    int context_menus = 0;  // WM_CONTEXTMENU at the child
    int window_menus = 0;   // the child's own window menu popped up
    int passed_down = 0;    // the right button's press reached the system's procedure
};

SystemMenuProbe ProbeSystemMenu(HWND child, int caption_y) {
    SystemMenuProbe probe;
    Watch context(child, WM_CONTEXTMENU);
    // A window menu comes up (the MDI frame tracks its children's): closed again at once.
    auto close_window_menu = [&](ui::Message& m) {
        if (HIWORD(m.lparam)) {
            ++probe.window_menus;
            EndMenu();
        }
        return false;
    };
    Watch popups(child, WM_INITMENUPOPUP, close_window_menu);
    Watch frame_popups(GetAncestor(child, GA_ROOT), WM_INITMENUPOPUP, close_window_menu);
    const RECT r = WindowRectOf(child);
    const POINT at{(r.left + r.right) / 2, r.top + caption_y};
    POINT up = at;
    ScreenToClient(child, &up);
    // The system follows the pressed right button with the mouse's own messages.
    SetCursorPos(at.x, at.y);
    PostMessageW(child, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
    PostMessageW(child, WM_RBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    window_test::pump_until([&] { return context.count > 0; }, 2000);
    PostMessageW(child, WM_SYSCOMMAND, SC_MOUSEMENU | HTSYSMENU, MAKELPARAM(r.left + 8, r.top + caption_y));
    window_test::pump_until([&] { return probe.window_menus > 0; }, 2000);
    probe.context_menus = context.count;
    return probe;
}

// A right click on a child's caption is the system's: the skin opens no menu of its own, and
// the child keeps the window menu it had before it was skinned.
TEST_F(SkinnedMdiDialogs, MdiChildRightClickLeavesTheSystemMenu) {
    MdiFrame mdi;
    const HWND child = mdi.AddChild(L"Child", 20, 20);
    Activate(mdi.frame);
    const int caption_y = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    SystemMenuProbe unskinned;
    {
        Watch down(child, WM_NCRBUTTONDOWN);
        unskinned = ProbeSystemMenu(child, caption_y);
        unskinned.passed_down = down.count;
    }
    ASSERT_EQ(unskinned.window_menus, 1) << "the system's window menu of an unskinned child";

    LoadedData(owner_.get(), kDefaultSkin);
    TSkinManage* manager = TSkinManage::Instance();
    Watch down(child, WM_NCRBUTTONDOWN);  // below the skin: what the skin passes on
    ASSERT_TRUE(manager->SkinWindow(mdi.frame));
    ASSERT_TRUE(manager->SkinWindow(child));
    ASSERT_TRUE(WaitSkinned(child));
    RedrawWindow(child, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    bool skinned_menu = false;
    ui::PopupMenu::set_track_function([&](HMENU, UINT, int, int, HWND) -> UINT {
        skinned_menu = true;
        return 0;
    });
    const int skin_caption_y = SkinOf(child)->frame().top / 2;
    const RECT r = WindowRectOf(child);
    ASSERT_EQ(SendMessageW(child, WM_NCHITTEST, 0, MAKELPARAM((r.left + r.right) / 2, r.top + skin_caption_y)), HTCAPTION);
    const SystemMenuProbe skinned = ProbeSystemMenu(child, skin_caption_y);
    ui::PopupMenu::set_track_function(nullptr);
    EXPECT_FALSE(skinned_menu);
    EXPECT_EQ(down.count, unskinned.passed_down);
    EXPECT_EQ(skinned.context_menus, unskinned.context_menus);
    EXPECT_EQ(skinned.window_menus, unskinned.window_menus) << "the child's window menu";
}

// Unskinning gives every layer, filter and window procedure back, with the client sizes and
// the window-menu style, to the frame, its client and its children.
TEST_F(SkinnedMdiDialogs, MdiUnskinningGivesEverythingBack) {
    MdiFrame mdi;
    const HWND a = mdi.AddChild(L"Child A", 10, 10);
    const HWND b = mdi.AddChild(L"Child B", 120, 80);
    ShowWindow(mdi.frame, SW_SHOW);
    window_test::pump(0);
    const WindowRecord frame_before = WindowRecord::Of(mdi.frame), client_before = WindowRecord::Of(mdi.client),
                       a_before = WindowRecord::Of(a), b_before = WindowRecord::Of(b);

    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    TSkinManage* manager = TSkinManage::Instance();
    // Made before the hook: offered as the hook offers windows.
    ASSERT_TRUE(manager->SkinWindow(mdi.frame)) << static_cast<int>(manager->LastVerdict());
    ASSERT_TRUE(WaitSkinned(mdi.frame));
    ASSERT_TRUE(manager->SkinWindow(a)) << static_cast<int>(manager->LastVerdict());
    ASSERT_TRUE(manager->SkinWindow(b)) << static_cast<int>(manager->LastVerdict());
    ASSERT_TRUE(WaitSkinned(a));
    ASSERT_TRUE(WaitSkinned(b));
    for (auto [window, before] : {std::pair{mdi.frame, frame_before}, {mdi.client, client_before}, {a, a_before}, {b, b_before}}) {
        EXPECT_EQ(ui::WindowSubclass::layers(window).size(), before.layers.size() + 1);
        EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), before.procedure);
    }
    EXPECT_EQ(ClientSize(a).cx, a_before.client.cx);
    EXPECT_EQ(ClientSize(a).cy, a_before.client.cy);

    int changed = 0;
    data->OnSkinChanged = [&](ui::Component*) { ++changed; };
    data->SetActive(false);
    ASSERT_TRUE(window_test::pump_until([&] { return changed == 1; }, 3000));
    EXPECT_TRUE(manager->Windows().empty());
    ExpectGivenBack(frame_before, WindowRecord::Of(mdi.frame), "frame");
    ExpectGivenBack(client_before, WindowRecord::Of(mdi.client), "client");
    ExpectGivenBack(a_before, WindowRecord::Of(a), "child A");
    ExpectGivenBack(b_before, WindowRecord::Of(b), "child B");
}

// A modal form of the library: skinned when it comes up, and unskinned while it is up.
TEST_F(SkinnedMdiDialogs, ModalLibraryDialog) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    MainWindow main;
    Activate(main.handle());
    ASSERT_TRUE(WaitSkinned(main.handle()));

    ui::Form dialog(nullptr);
    dialog.set_caption("Library dialog");
    dialog.set_border_style(ui::TFormBorderStyle::bsDialog);
    dialog.set_bounds(140, 120, 300, 180);
    dialog.handle_needed();
    const HWND h = dialog.handle();
    const WindowRecord before = WindowRecord::Of(h, &dialog);
    int changed = 0;
    data->OnSkinChanged = [&](ui::Component*) { ++changed; };
    std::vector<ModalScript::Step> steps{[&] { return Skinned(h); },
                                         [&] {
                                             EXPECT_EQ(SkinOf(h)->control(), &dialog);
                                             ExpectSkinFrame(h, "library dialog");
                                             EXPECT_EQ(ClientSize(h).cx, before.client.cx);
                                             EXPECT_EQ(ClientSize(h).cy, before.client.cy);
                                             EXPECT_EQ(dialog.window_proc.names().size(), before.filters.size() + 1);
                                             return true;
                                         }};
    for (auto& step : ShotsInBothSkins(data, [h] { return h; }, "library_dialog")) steps.push_back(std::move(step));
    steps.push_back([&] {
        data->SetActive(false);
        return true;
    });
    steps.push_back([&] { return changed == 1; });
    steps.push_back([&] {
        ExpectGivenBack(before, WindowRecord::Of(h, &dialog), "library dialog");
        return true;
    });
    ModalScript script(std::move(steps), [&] { dialog.set_modal_result(ui::mrCancel); }, 30000);
    EXPECT_EQ(dialog.show_modal(), ui::mrCancel);
    EXPECT_TRUE(script.finished()) << "steps done: " << script.steps_done();
}

// A dialog of the program from a template, shown modally.
struct ProgramDialog {
    HWND window = nullptr;
    WindowRecord before;

    static INT_PTR CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
        if (msg == WM_INITDIALOG) {
            auto* self = reinterpret_cast<ProgramDialog*>(l);
            self->window = h;
            self->before = WindowRecord::Of(h);
            return TRUE;
        }
        if (msg == WM_COMMAND && (LOWORD(w) == IDCANCEL || LOWORD(w) == IDOK)) {
            EndDialog(h, LOWORD(w));
            return TRUE;
        }
        return FALSE;
    }

    INT_PTR Run(HWND owner) {
        struct alignas(4) Template {
            DLGTEMPLATE t;
            WORD menu, cls;
            wchar_t title[7];  // each text ends where the next part's alignment starts
            alignas(4) DLGITEMTEMPLATE text;
            WORD text_class[2];
            wchar_t text_title[24];
            WORD text_extra;
            alignas(4) DLGITEMTEMPLATE button;
            WORD button_class[2];
            wchar_t button_title[3];
            WORD button_extra;
        } tpl{};
        tpl.t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        tpl.t.cdit = 2;
        tpl.t.x = 60;
        tpl.t.y = 60;
        tpl.t.cx = 180;
        tpl.t.cy = 70;
        wcscpy(tpl.title, L"Dialog");
        tpl.text.style = WS_CHILD | WS_VISIBLE | SS_LEFT;
        tpl.text.x = 8;
        tpl.text.y = 8;
        tpl.text.cx = 160;
        tpl.text.cy = 10;
        tpl.text.id = 10;
        tpl.text_class[0] = 0xFFFF;
        tpl.text_class[1] = 0x0082;  // static
        wcscpy(tpl.text_title, L"A dialog of the program");
        tpl.button.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
        tpl.button.x = 124;
        tpl.button.y = 48;
        tpl.button.cx = 48;
        tpl.button.cy = 14;
        tpl.button.id = IDOK;
        tpl.button_class[0] = 0xFFFF;
        tpl.button_class[1] = 0x0080;  // button
        wcscpy(tpl.button_title, L"OK");
        static_assert(offsetof(Template, text) == 36 && offsetof(Template, button) == 108, "the template's layout");
        return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &tpl.t, owner, Proc, reinterpret_cast<LPARAM>(this));
    }
};

// The program's "#32770" dialog is skinned by the dialog component, and unskinned while up.
TEST_F(SkinnedMdiDialogs, ProgramDialogFromATemplate) {
    LoadedData(owner_.get(), kDefaultSkin);
    TSkinData* dialogs = LoadedData(owner_.get(), kContrastSkin, skin::TSkinFormType::sfDialog);
    MainWindow main;
    Activate(main.handle());
    ASSERT_TRUE(WaitSkinned(main.handle()));
    ProgramDialog dialog;
    int changed = 0;
    dialogs->OnSkinChanged = [&](ui::Component*) { ++changed; };
    std::vector<ModalScript::Step> steps{
        [&] { return dialog.window && IsWindowVisible(dialog.window) && Skinned(dialog.window); },
        [&] {
            TWinSkinForm* skinned = SkinOf(dialog.window);
            EXPECT_EQ(skinned->class_name(), "#32770");
            EXPECT_EQ(skinned->data(), dialogs);
            EXPECT_EQ(skinned->control(), nullptr);
            EXPECT_EQ(skinned->frame_kind(), skin::FrameKind::kDialog);
            ExpectSkinFrame(dialog.window, "program dialog");
            EXPECT_EQ(ClientSize(dialog.window).cx, dialog.before.client.cx);
            EXPECT_EQ(ClientSize(dialog.window).cy, dialog.before.client.cy);
            EXPECT_EQ(ui::WindowSubclass::layers(dialog.window).size(), dialog.before.layers.size() + 1);
            return true;
        }};
    for (auto& step : ShotsInBothSkins(dialogs, [&] { return dialog.window; }, "program_dialog")) steps.push_back(std::move(step));
    steps.push_back([&] {
        // The dialog component's own command unskins what it skinned.
        dialogs->SetActive(false);
        TSkinManage::Instance()->SetCommandTarget(dialogs);
        TSkinManage::Instance()->IssueCommand(skin::SkinCommand::kUnskinAll, 100);
        return true;
    });
    steps.push_back([&] { return changed == 1; });
    steps.push_back([&] {
        EXPECT_EQ(SkinOf(dialog.window), nullptr);
        ExpectGivenBack(dialog.before, WindowRecord::Of(dialog.window), "program dialog");
        return true;
    });
    ModalScript script(std::move(steps), [&] { PostMessageW(dialog.window, WM_COMMAND, IDCANCEL, 0); }, 30000);
    EXPECT_EQ(dialog.Run(main.handle()), IDCANCEL);
    EXPECT_TRUE(script.finished()) << "steps done: " << script.steps_done();
}

// The system's save dialog: a "#32770" of another module, skinned unless it asks to come to
// the foreground; closed from the test as a person would cancel it.
TEST_F(SkinnedMdiDialogs, SystemSaveDialog) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    TSkinManage* manager = TSkinManage::Instance();
    MainWindow main;
    Activate(main.handle());
    ASSERT_TRUE(WaitSkinned(main.handle()));

    wchar_t file[MAX_PATH] = L"call.wav";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = main.handle();
    ofn.lpstrFilter = L"Recordings\0*.wav\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"Velquist save";
    ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT;
    HWND dialog = nullptr;
    bool expect_skin = false;
    ModalScript script(
        {[&] {
             dialog = FindWindowW(L"#32770", L"Velquist save");
             return dialog && IsWindowVisible(dialog) && GetActiveWindow() == dialog;
         },
         [&] {
             // Activated: the hook has offered it by now.
             const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
             expect_skin = !(style & DS_SETFOREGROUND);
             EXPECT_EQ(SkinOf(dialog) != nullptr, expect_skin);
             if (!expect_skin) {
                 EXPECT_TRUE(ui::WindowSubclass::layers(dialog).empty()) << "left alone";
                 EXPECT_FALSE(manager->SkinWindow(dialog));
                 EXPECT_EQ(manager->LastVerdict(), skin::FilterVerdict::kSetForeground);
             }
             return true;
         },
         [&] { return !expect_skin || Skinned(dialog); },
         [&] {
             if (expect_skin) {
                 EXPECT_EQ(SkinOf(dialog)->data(), data);
                 EXPECT_EQ(SkinOf(dialog)->control(), nullptr);
                 ExpectSkinFrame(dialog, "save dialog");
             }
             window_test::save_screenshot(dialog, kShots, "save_dialog_default");
             return true;
         }},
        [&] {
            if (dialog) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        },
        15000);
    EXPECT_FALSE(GetSaveFileNameW(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_TRUE(script.finished()) << "steps done: " << script.steps_done();
    EXPECT_FALSE(IsWindow(dialog));
}

SIZE NormalSize(HWND window) {
    WINDOWPLACEMENT p{};
    p.length = sizeof p;
    GetWindowPlacement(window, &p);
    return {p.rcNormalPosition.right - p.rcNormalPosition.left, p.rcNormalPosition.bottom - p.rcNormalPosition.top};
}

// A window that starts minimised is not resized; it takes the skin's frame when restored. One
// that starts maximised keeps its size and only has its frame measured again.
TEST_F(SkinnedMdiDialogs, MinimisedAndMaximisedStarts) {
    LoadedData(owner_.get(), kDefaultSkin);
    TSkinManage* manager = TSkinManage::Instance();
    MainWindow main;
    Activate(main.handle());
    ASSERT_TRUE(WaitSkinned(main.handle()));

    DestroyWindowOnExit minimised{ProgramWindow(L"Minimised start", WS_OVERLAPPEDWINDOW)};
    ShowWindow(minimised.h, SW_SHOWMINNOACTIVE);
    window_test::pump(0);
    ASSERT_TRUE(IsIconic(minimised.h));
    const SIZE normal = NormalSize(minimised.h);
    const RECT icon = WindowRectOf(minimised.h);
    ASSERT_TRUE(manager->SkinWindow(minimised.h)) << static_cast<int>(manager->LastVerdict());
    ASSERT_TRUE(WaitSkinned(minimised.h));
    EXPECT_EQ(SkinOf(minimised.h)->window_state(), TWinSkinForm::kMinimised);
    const RECT icon_after = WindowRectOf(minimised.h);
    EXPECT_EQ(icon_after.right - icon_after.left, icon.right - icon.left);
    EXPECT_EQ(icon_after.bottom - icon_after.top, icon.bottom - icon.top);
    EXPECT_EQ(NormalSize(minimised.h).cx, normal.cx);
    EXPECT_EQ(NormalSize(minimised.h).cy, normal.cy);
    ShowWindow(minimised.h, SW_RESTORE);
    window_test::pump(0);
    EXPECT_EQ(SkinOf(minimised.h)->window_state(), TWinSkinForm::kNormal);
    const RECT restored = WindowRectOf(minimised.h);
    EXPECT_EQ(restored.right - restored.left, normal.cx);
    EXPECT_EQ(restored.bottom - restored.top, normal.cy);
    ExpectSkinFrame(minimised.h, "restored after a minimised start");
    window_test::save_screenshot(minimised.h, kShots, "restored_after_minimised_start");

    DestroyWindowOnExit maximised{ProgramWindow(L"Maximised start", WS_OVERLAPPEDWINDOW)};
    ShowWindow(maximised.h, SW_SHOWMAXIMIZED);  // activated: the hook takes it on
    const RECT full = WindowRectOf(maximised.h);
    ASSERT_NE(SkinOf(maximised.h), nullptr);
    ASSERT_TRUE(WaitSkinned(maximised.h));
    EXPECT_EQ(SkinOf(maximised.h)->window_state(), TWinSkinForm::kMaximised);
    const RECT after = WindowRectOf(maximised.h);
    EXPECT_EQ(after.left, full.left);
    EXPECT_EQ(after.top, full.top);
    EXPECT_EQ(after.right, full.right);
    EXPECT_EQ(after.bottom, full.bottom);
    ExpectSkinFrame(maximised.h, "maximised start");
}

// The window's shape follows the magenta pixels in the fixed ends of every border picture that
// has transparency, pixel by pixel, in both skins; the middle of each border is whole.
void ExpectShapeFollowsCorners(HWND window, const skin::SkinDescription& skin, const skin::SkinFrame& f,
                               const std::string& which) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR) << which;
    const RECT r = WindowRectOf(window);
    const int w = r.right - r.left, h = r.bottom - r.top;
    int cut = 0;
    // Top and bottom pictures run along the window with fixed left and right ends and their frames
    // stacked; side pictures run down it with fixed top and bottom ends and their frames side by side.
    auto check_strip = [&](skin::BorderSide side, int x0, int y0, int strip_w, int strip_h) {
        const skin::TDataSkinObject& e = skin.borders[side];
        if (e.trans != 1) return;
        const bool along = side == skin::kTopBorder || side == skin::kBottomBorder;
        const int frames = std::max(e.frame, 1);
        const int pw = along ? e.bitmap.width() : e.bitmap.width() / frames;
        const int ph = along ? e.bitmap.height() / frames : e.bitmap.height();
        auto expect = [&](int px, int py, int wx, int wy) {
            const bool key = (e.bitmap.at(px, py) & 0xFFFFFF) == skin::kKeyPixel;
            cut += key;
            EXPECT_EQ(PtInRegion(region, wx, wy) != FALSE, !key)
                << which << " side " << side << " picture (" << px << ", " << py << ") window (" << wx << ", " << wy << ")";
        };
        if (along) {
            ASSERT_EQ(ph, strip_h) << which << " side " << side;
            for (int y = 0; y < ph; ++y) {
                for (int px = 0; px < e.left_width; ++px) expect(px, y, x0 + px, y0 + y);
                for (int px = pw - e.right_width; px < pw; ++px) expect(px, y, x0 + strip_w - (pw - px), y0 + y);
            }
        } else {
            ASSERT_EQ(pw, strip_w) << which << " side " << side;
            for (int x = 0; x < pw; ++x) {
                for (int py = 0; py < e.top_height; ++py) expect(x, py, x0 + x, y0 + py);
                for (int py = ph - e.bottom_height; py < ph; ++py) expect(x, py, x0 + x, y0 + strip_h - (ph - py));
            }
        }
    };
    check_strip(skin::kTopBorder, f.left, 0, w - f.left - f.right, f.top);
    check_strip(skin::kBottomBorder, f.left, h - f.bottom, w - f.left - f.right, f.bottom);
    check_strip(skin::kLeftBorder, 0, 0, f.left, h);
    check_strip(skin::kRightBorder, w - f.right, 0, f.right, h);
    EXPECT_GT(cut, 0) << which << ": the pictures have magenta corners";
    EXPECT_TRUE(PtInRegion(region, 0, h / 2)) << which << " the middle of the left border";
    EXPECT_TRUE(PtInRegion(region, w - 1, h / 2)) << which << " the middle of the right border";
    EXPECT_TRUE(PtInRegion(region, w / 2, 0)) << which << " the middle of the top border";
    EXPECT_TRUE(PtInRegion(region, w / 2, h - 1)) << which << " the middle of the bottom border";
    DeleteObject(region);
}

TEST_F(SkinnedMdiDialogs, WindowShapeFollowsTheBorderPictures) {
    TSkinData* data = LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w;
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    ExpectShapeFollowsCorners(w.handle(), *data->Skin(), SkinOf(w.handle())->frame(), "default");
    int changed = 0;
    data->OnSkinChanged = [&](ui::Component*) { ++changed; };
    data->SetSkinFile(kContrastSkin);
    ASSERT_TRUE(window_test::pump_until([&] { return changed == 1; }, 3000));
    ExpectShapeFollowsCorners(w.handle(), *data->Skin(), SkinOf(w.handle())->frame(), "contrast");
}

// The hit test: points of the frame, each with the system's answer (given by a layer below the
// skin, or the system's own), and what the skinned window answers.
TEST_F(SkinnedMdiDialogs, HitTestTable) {
    LoadedData(owner_.get(), kDefaultSkin);
    MainWindow w;
    int system_answer = -1;  // -1: the system's own
    Watch below(w.handle(), WM_NCHITTEST, [&](ui::Message& m) {
        if (system_answer < 0) return false;
        m.result = system_answer;
        return true;
    });
    Activate(w.handle());
    ASSERT_TRUE(WaitSkinned(w.handle()));
    const skin::SkinFrame f = SkinOf(w.handle())->frame();
    ASSERT_GT(f.menu_bar, 0);
    ASSERT_GT(f.top, 8);
    const RECT r = WindowRectOf(w.handle());
    const int width = r.right - r.left, height = r.bottom - r.top, mid = width / 2;
    const int menu_row = f.top + f.menu_bar / 2;
    struct Case {
        const char* where;
        int x, y;  // window coordinates
        int system;
        LRESULT expected;
    } cases[] = {
        {"top edge, nowhere", mid, 0, HTNOWHERE, HTNOWHERE},
        {"3 pixels down, nowhere", mid, 3, HTNOWHERE, HTNOWHERE},
        {"4 pixels down, nowhere", mid, 4, HTNOWHERE, HTCAPTION},
        {"top edge, caption", mid, 1, HTCAPTION, HTCAPTION},
        {"caption, caption", mid, f.top / 2, HTCAPTION, HTCAPTION},
        {"last caption row, nowhere", mid, f.top - 1, HTNOWHERE, HTCAPTION},
        {"menu row, caption", mid, menu_row, HTCAPTION, HTMENU},
        {"menu row, nowhere", 20, menu_row, HTNOWHERE, HTMENU},
        {"bottom edge, nowhere: below the top border of a window with a menu bar", mid, height - 1, HTNOWHERE, HTMENU},
        {"left border, left", 1, height / 2, HTLEFT, HTLEFT},
        {"top edge, top", mid, 1, HTTOP, HTTOP},
        {"caption, close box", mid, f.top / 2, HTCLOSE, HTCLOSE},
        {"client, client", mid, height / 2, HTCLIENT, HTCLIENT},
        {"client, the system's", mid, height / 2, -1, HTCLIENT},
        {"caption, the system's", mid, f.top / 2, -1, HTCAPTION},
        {"menu row, the system's", mid, menu_row, -1, HTMENU},
    };
    for (const Case& c : cases) {
        system_answer = c.system;
        EXPECT_EQ(SendMessageW(w.handle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + c.x, r.top + c.y)), c.expected) << c.where;
    }
}

}  // namespace
