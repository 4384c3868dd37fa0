// The station's main window skinned as it runs: both views' controls with their control skins,
// the hook on the window thread alone, unskinning that gives everything back, the switch to the
// contrasting skin, the tray round trip, the language switch in the skinned menu bar, and
// pictures of the window and its menus.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <tuple>

#include "platform/ini_file.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/screenshot.h"
#include "platform/ui/win/subclass.h"
#include "skin/win/skin_attach.h"
#include "skin/win/skin_control.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_services.h"
#include "skin/win/win_skin_form.h"
#include "tests/station_shell/screenshots.h"
#include "tests/station_shell/station_views_fixture.h"
#include "tests/support/skinned_session/skinned_session.h"
#include "tests/support/window_test/window_test.h"

namespace {

using window_test::pump;
using window_test::pump_until;

constexpr const char* kContrastSkin = VQ_SKIN_STORED_DIR "/contrast.skn";
constexpr const char* kDefaultSkin = VQ_SKIN_STORED_DIR "/default.skn";

// The program's views, with a look at the search view between its making and its attachment
// to the skin.
class ViewsWithALook : public forms::IStationViews {
public:
    ViewsWithALook(forms::IStationViews& views, std::function<void(ui::WinControl*)> made)
        : views_(views), made_(std::move(made)) {}
    ui::WinControl* CreateSearchView(ui::WinControl* page) override {
        ui::WinControl* view = views_.CreateSearchView(page);
        if (made_) made_(view);
        return view;
    }
    void SearchViewShown() override { views_.SearchViewShown(); }
    void SortSearchView(int column_position, bool ascending) override { views_.SortSearchView(column_position, ascending); }
    void SearchViewLanguageChanged() override { views_.SearchViewLanguageChanged(); }
    void DoneSearchView() override { views_.DoneSearchView(); }
    void DialogsLanguageChanged(station::TLanguageFile& language) override { views_.DialogsLanguageChanged(language); }
    void AddExportItems(std::vector<station::ExportItem>& items) override { views_.AddExportItems(items); }
    void OpenSettings() override { views_.OpenSettings(); }
    void OpenColumns() override { views_.OpenColumns(); }
    void OpenLogViewer() override { views_.OpenLogViewer(); }

private:
    forms::IStationViews& views_;
    std::function<void(ui::WinControl*)> made_;
};

// Every control `root` owns or holds, at any depth, `root` included.
void CollectControls(ui::Control* root, std::vector<ui::Control*>& out) {
    if (!root || std::find(out.begin(), out.end(), root) != out.end()) return;
    out.push_back(root);
    for (ui::Component* c : root->components())
        if (auto* control = dynamic_cast<ui::Control*>(c)) CollectControls(control, out);
    if (auto* w = dynamic_cast<ui::WinControl*>(root))
        for (ui::Control* child : w->controls()) CollectControls(child, out);
}

// The control skins `control` holds; with `own_window_only` those of its own window (a list view
// also holds its header's).
int OwnedSkins(const ui::Control& control, bool own_window_only = false) {
    const auto* w = dynamic_cast<const ui::WinControl*>(&control);
    const HWND own = w && w->handle_allocated() ? const_cast<ui::WinControl*>(w)->handle() : nullptr;
    int n = 0;
    for (ui::Component* c : control.components())
        if (auto* s = dynamic_cast<skin::TSkinControl*>(c); s && (!own_window_only || s->window() == own)) ++n;
    return n;
}

// One window as the system and the library see it: procedure, subclass layers, message filters
// of its control, and place.
struct WindowEntry {
    std::string name;
    HWND window;
    LONG_PTR procedure;
    std::vector<std::string> layers, filters;
    RECT rect;
    friend bool operator==(const WindowEntry& a, const WindowEntry& b) {
        return a.window == b.window && a.procedure == b.procedure && a.layers == b.layers && a.filters == b.filters &&
               EqualRect(&a.rect, &b.rect);
    }
};
std::ostream& operator<<(std::ostream& out, const WindowEntry& e) {
    out << e.name << " " << e.window << " proc " << reinterpret_cast<void*>(e.procedure) << " [" << e.rect.left << "," << e.rect.top
        << "," << e.rect.right << "," << e.rect.bottom << "] layers";
    for (const auto& l : e.layers) out << " " << l;
    out << " filters";
    for (const auto& f : e.filters) out << " " << f;
    return out;
}

WindowEntry EntryOf(HWND h) {
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    ui::WinControl* control = skin::ControlOfWindow(h);
    WindowEntry e{plat::wide_to_gbk(cls) + (control ? " " + control->name() : std::string()), h, GetWindowLongPtrW(h, GWLP_WNDPROC), ui::WindowSubclass::layers(h), {}, {}};
    if (control) e.filters = control->window_proc.names();
    GetWindowRect(h, &e.rect);
    return e;
}

std::vector<WindowEntry> WindowListing(HWND top) {
    std::vector<WindowEntry> out{EntryOf(top)};
    EnumChildWindows(top, [](HWND h, LPARAM p) {
        reinterpret_cast<std::vector<WindowEntry>*>(p)->push_back(EntryOf(h));
        return TRUE;
    }, reinterpret_cast<LPARAM>(&out));
    return out;
}

// Runs `step` on every message of the menu loop the next call opens (a thread timer keeps them
// coming) until it answers true, then ends the menu; bounded, so that a menu that never gets
// where the step wants still ends.
class WhileMenuOpen {
public:
    explicit WhileMenuOpen(std::function<bool()> step) {
        active_ = this;
        step_ = std::move(step);
        hook_ = SetWindowsHookExW(WH_MSGFILTER, Hook, nullptr, GetCurrentThreadId());
        timer_ = SetTimer(nullptr, 0, 30, nullptr);
    }
    ~WhileMenuOpen() {
        KillTimer(nullptr, timer_);
        UnhookWindowsHookEx(hook_);
        active_ = nullptr;
    }
    bool done() const { return done_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
        WhileMenuOpen* self = active_;
        if (self && code == MSGF_MENU) {
            if (!self->ended_ && !self->done_) self->done_ = self->step_();
            if (self->done_ || ++self->calls_ > 400) self->ended_ = true;
            // Also a menu that opens after the first one ended (the bar drops the next one).
            if (self->ended_) EndMenu();
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    static inline WhileMenuOpen* active_ = nullptr;
    std::function<bool()> step_;
    HHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
    int calls_ = 0;
    bool done_ = false, ended_ = false;
};

std::vector<HWND> VisibleMenuWindows() {
    std::vector<HWND> out;
    for (HWND h = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); h; h = FindWindowExW(nullptr, h, L"#32768", nullptr))
        if (IsWindowVisible(h)) out.push_back(h);
    return out;
}

class MainWindowSkin : public shell_test::ViewsWindowFixture {
protected:
    MainWindowSkin() : ViewsWindowFixture("shell-skin-") {
        library_.device_count = 1;
        // Each case starts as the program does: no skin manager before the window's component.
        skin::TSkinManage::Shutdown();
    }
    ~MainWindowSkin() override {
        CloseViewsWindow();
        skin::TSkinManage::Shutdown();
    }

    // The window with both views, not yet shown; `made` looks at the search view before its skin.
    void Make(const std::string& first_argument = "", std::function<void(ui::WinControl*)> made = nullptr) {
        MakeForm(first_argument);
        WireViews();
        look_ = std::make_unique<ViewsWithALook>(*views_, std::move(made));
        form_->Views = look_.get();
    }
    void Open(const std::string& first_argument = "", std::function<void(ui::WinControl*)> made = nullptr) {
        Make(first_argument, std::move(made));
        ShowForm();
    }

    skin::TWinSkinForm* WaitSkinned() { return test_support::WaitSkinned(form_->handle()); }
    // Runs the component's pending command as its timer would, and waits for its report.
    void WaitSkinChanged(const std::function<void()>& change) {
        int changed = 0;
        form_->SkinData1->OnSkinChanged = [&](ui::Component*) { ++changed; };
        change();
        EXPECT_TRUE(pump_until([&] { return changed == 1; }, 3000));
        form_->SkinData1->OnSkinChanged = nullptr;
        pump(50);
    }

    // Every control of both views that the rules pick has its control skin, once, in the
    // window's list; the controls carrying the DisableTag have none.
    void ExpectViewsSkinned(const skin::TWinSkinForm& window, const std::string& when) {
        SCOPED_TRACE(when);
        const int disable_tag = form_->SkinData1->DisableTag();
        const auto& list = window.ControlSkins();
        auto listed = [&](const skin::TSkinControl* s) { return std::find(list.begin(), list.end(), s) != list.end(); };
        int picked = 0;
        for (ui::WinControl* view : {static_cast<ui::WinControl*>(form_->FStateFrame), form_->FSearchFrame}) {
            ASSERT_NE(view, nullptr);
            std::vector<ui::Control*> controls;
            CollectControls(view, controls);
            for (ui::Control* c : controls) {
                const std::string name = c->name().empty() ? c->class_name() : c->name();
                EXPECT_LE(OwnedSkins(*c, true), 1) << name << ": two control skins";
                auto* w = dynamic_cast<ui::WinControl*>(c);
                if (c->tag() == disable_tag) {
                    EXPECT_EQ(window.FindControlSkin(c), nullptr) << name << " carries the DisableTag";
                    if (w && w->handle_allocated()) {
                        EXPECT_EQ(window.FindWindowSkin(w->handle()), nullptr) << name;
                    }
                    continue;
                }
                const skin::ControlSkinChoice choice = skin::ChoiceFor(window, *c);
                // A view attached to the skinned window is a container, whatever its class picks.
                const bool frame = c == view && skin::AttachedAsFrame(*c);
                if (!frame && (choice.skin.kind == skin::ControlSkinKind::kNone || !skin::HasControlSkinFactory(choice.skin.kind)))
                    continue;
                ++picked;
                if (choice.by_handle && w) {
                    EXPECT_NE(window.FindWindowSkin(w->handle()), nullptr) << name;
                    continue;
                }
                skin::TSkinControl* s = window.FindControlSkin(c);
                EXPECT_NE(s, nullptr) << name << " (" << c->class_name() << ") has no skin of kind "
                                      << skin::ControlSkinKindName(choice.skin.kind);
                if (s) {
                    EXPECT_TRUE(listed(s)) << name;
                    EXPECT_TRUE(s->attached()) << name;
                }
            }
        }
        EXPECT_GT(picked, 20);
        // No control or window twice in the list.
        std::map<const void*, int> seen;
        for (const skin::TSkinControl* s : list) {
            const void* key = s->control() ? static_cast<const void*>(s->control()) : static_cast<const void*>(s->window());
            EXPECT_EQ(++seen[key], 1) << (s->control() ? s->control()->name() : std::string("a bare window"));
        }
    }

    std::unique_ptr<ViewsWithALook> look_;
};

// After the first showing both views are skinned (the search view on the page now hidden), and
// the controls the program marked with the DisableTag stay as they are.
TEST_F(MainWindowSkin, BothViewsControlsHaveTheirSkinsAndTaggedOnesNone) {
    std::vector<ui::Control*> tagged;
    Open("", [&](ui::WinControl* view) {
        auto& search = *static_cast<forms::TSearchRecFrame*>(view);
        tagged = {search.editNote, search.checkByNote, search.btnExport, search.TrackBarSpeed};
        for (ui::Control* c : tagged) c->set_tag(form_->SkinData1->DisableTag());
    });
    skin::TWinSkinForm* window = WaitSkinned();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(form_->FCurrentView, forms::kStateView);
    EXPECT_FALSE(form_->FSearchFrame->showing()) << "the search view's page is hidden";
    ExpectViewsSkinned(*window, "first showing");
    for (ui::Control* c : tagged) {
        EXPECT_EQ(window->FindControlSkin(c), nullptr) << c->name();
        EXPECT_EQ(OwnedSkins(*c), 0) << c->name();
    }
    EXPECT_TRUE(skin::AttachedAsFrame(*form_->FStateFrame));
    EXPECT_TRUE(skin::AttachedAsFrame(*form_->FSearchFrame));
    // Switching views attaches nothing more.
    const std::size_t skins = window->ControlSkins().size();
    form_->btnQuery->click();
    form_->btnFtpState->click();
    pump(50);
    EXPECT_EQ(window->ControlSkins().size(), skins);
    ExpectViewsSkinned(*window, "after switching views");

    // Off and on again: the views come back as they were attached, the tagged controls bare.
    WaitSkinChanged([&] { form_->SkinData1->SetActive(false); });
    WaitSkinChanged([&] { form_->SkinData1->SetActive(true); });
    window = WaitSkinned();
    ASSERT_NE(window, nullptr);
    ExpectViewsSkinned(*window, "skinned again");
    EXPECT_EQ(window->ControlSkins().size(), skins);
    for (ui::Control* c : tagged) EXPECT_EQ(OwnedSkins(*c), 0) << c->name();
}

// The hook sits on the window thread once; the station's own threads (engine, library, database
// writer) make no windows, and a window made on another thread is never skinned.
TEST_F(MainWindowSkin, HookIsInstalledOnceOnTheWindowThreadOnly) {
    const skin::TSkinManage::HookCounts before = skin::TSkinManage::Hooks();
    Open();
    ASSERT_NE(WaitSkinned(), nullptr);
    form_->btnStartStop->click();  // fetching: the engine's threads at work
    ASSERT_TRUE(form_->FFTPRunning());
    pump(200);
    EXPECT_EQ(skin::TSkinManage::Hooks().installed, before.installed + 1);
    EXPECT_TRUE(skin::TSkinManage::Instance()->HookInstalled());
    // Asked from another thread, the manager installs nothing.
    std::thread([] { skin::TSkinManage::Instance()->InstallHook(); }).join();
    EXPECT_EQ(skin::TSkinManage::Hooks().installed, before.installed + 1);

    const DWORD ui_thread = GetCurrentThreadId();
    for (const auto& w : skin::TSkinManage::Instance()->Windows())
        EXPECT_EQ(GetWindowThreadProcessId(w->window(), nullptr), ui_thread);
    // Every other thread of the process: no window of ours.
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int others = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId() || entry.th32ThreadID == ui_thread) continue;
        ++others;
        std::vector<HWND> windows;
        EnumThreadWindows(entry.th32ThreadID, [](HWND h, LPARAM p) {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&windows));
        for (HWND h : windows) {
            wchar_t cls[64] = {};
            GetClassNameW(h, cls, 64);
            ADD_FAILURE() << "thread " << entry.th32ThreadID << " made a window of class " << plat::wide_to_gbk(cls);
        }
    }
    CloseHandle(snapshot);
    EXPECT_GE(others, 2) << "the station's threads run";

    // A window made and activated on another thread: the hook does not see it.
    HWND made = nullptr;
    std::thread([&] {
        made = CreateWindowExW(0, L"Static", L"other thread", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 120, 80, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
        SetActiveWindow(made);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        EXPECT_EQ(skin::TSkinManage::Instance()->FindSkinnedWindow(made), nullptr);
        DestroyWindow(made);
    }).join();
    form_->btnStartStop->click();
}

// Unskinning gives back every window procedure, layer, filter and place, the window's size and
// its menu; skinning again takes everything on again.
TEST_F(MainWindowSkin, UnskinningGivesEverythingBackAndSkinningAgainTakesItOn) {
    Make();
    // Off before the first showing: the window opens as the system draws it.
    form_->SkinData1->SetActive(false);
    ShowForm();
    const HWND h = form_->handle();
    ASSERT_EQ(skin::TSkinManage::Instance()->FindSkinnedWindow(h), nullptr);
    const std::vector<WindowEntry> before = WindowListing(h);
    RECT before_rect{};
    GetWindowRect(h, &before_rect);
    const HMENU before_menu = GetMenu(h);
    ASSERT_NE(before_menu, nullptr);
    ASSERT_GT(before.size(), 30u);

    WaitSkinChanged([&] { form_->SkinData1->SetActive(true); });
    skin::TWinSkinForm* window = WaitSkinned();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetMenu(h), nullptr) << "the skin's bar shows the menu";
    ExpectViewsSkinned(*window, "skinned after the showing");
    EXPECT_NE(WindowListing(h), before);

    WaitSkinChanged([&] { form_->SkinData1->SetActive(false); });
    EXPECT_EQ(skin::TSkinManage::Instance()->FindSkinnedWindow(h), nullptr);
    const std::vector<WindowEntry> after = WindowListing(h);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(after[i], before[i]) << i;
    RECT after_rect{};
    GetWindowRect(h, &after_rect);
    EXPECT_TRUE(EqualRect(&after_rect, &before_rect));
    EXPECT_EQ(GetMenu(h), before_menu);
    for (ui::WinControl* view : {static_cast<ui::WinControl*>(form_->FStateFrame), form_->FSearchFrame}) {
        std::vector<ui::Control*> controls;
        CollectControls(view, controls);
        for (ui::Control* c : controls) EXPECT_EQ(OwnedSkins(*c), 0) << c->name();
    }

    WaitSkinChanged([&] { form_->SkinData1->SetActive(true); });
    window = WaitSkinned();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetMenu(h), nullptr);
    ExpectViewsSkinned(*window, "skinned again");
}

// The frame, caption and menu bar as painted on the screen against what the skin paints now.
struct FramePixels {
    std::uint32_t border, caption, bar;
    friend bool operator==(const FramePixels& a, const FramePixels& b) {
        return std::tie(a.border, a.caption, a.bar) == std::tie(b.border, b.caption, b.bar);
    }
};

FramePixels SampledPixels(const ui::Bitmap& picture, const skin::TWinSkinForm& w) {
    const skin::SkinFrame& f = w.frame();
    return {picture.pixel(f.left / 2, picture.height() / 2), picture.pixel(picture.width() / 2, f.top / 2),
            picture.pixel(picture.width() - 8, f.top + f.menu_bar / 2)};
}

FramePixels ScreenPixels(HWND h, const skin::TWinSkinForm& w) {
    pump(0);
    ui::Bitmap picture;
    ui::capture_window(h, picture);
    return SampledPixels(picture, w);
}

FramePixels PaintedPixels(HWND h, const skin::TWinSkinForm& w) {
    RECT r{};
    GetWindowRect(h, &r);
    ui::Bitmap picture(r.right - r.left, r.bottom - r.top);
    SendMessageW(h, skin::kMsgPaintInto, reinterpret_cast<WPARAM>(picture.dc()), skin::kSkinMagic);
    return SampledPixels(picture, w);
}

// The contrasting skin repaints the open window, its menu bar and its controls, and the default
// comes back the same way.
TEST_F(MainWindowSkin, SwitchingSkinsRepaintsTheWindowAndItsMenus) {
    Open();
    const HWND h = form_->handle();
    skin::TWinSkinForm* window = WaitSkinned();
    ASSERT_NE(window, nullptr);
    const FramePixels default_screen = ScreenPixels(h, *window);
    EXPECT_EQ(default_screen, PaintedPixels(h, *window));
    const std::size_t skins = window->ControlSkins().size();

    WaitSkinChanged([&] { form_->SkinData1->SetSkinFile(kContrastSkin); });
    ASSERT_EQ(test_support::Skinned(h), window) << "the same window skin, refreshed";
    const FramePixels contrast_screen = ScreenPixels(h, *window);
    EXPECT_EQ(contrast_screen, PaintedPixels(h, *window)) << "the screen shows the new skin";
    EXPECT_NE(contrast_screen.border, default_screen.border);
    EXPECT_NE(contrast_screen.caption, default_screen.caption);
    EXPECT_NE(contrast_screen.bar, default_screen.bar);
    EXPECT_EQ(window->ControlSkins().size(), skins);
    for (const skin::TSkinControl* s : window->ControlSkins()) EXPECT_EQ(s->Skin(), form_->SkinData1->Skin());
    ExpectViewsSkinned(*window, "contrast");
    EXPECT_TRUE(shell_test::SaveScreenshot(h, "skin_main_contrast"));

    WaitSkinChanged([&] { form_->SkinData1->SetSkinFile(kDefaultSkin); });
    EXPECT_EQ(ScreenPixels(h, *window), default_screen);
}

// Hidden to the tray and back, the window keeps its skin; both ways the program offers.
TEST_F(MainWindowSkin, TrayRoundTripKeepsTheSkin) {
    Open();
    const HWND h = form_->handle();
    skin::TWinSkinForm* window = WaitSkinned();
    ASSERT_NE(window, nullptr);
    RECT shown_rect{};
    GetWindowRect(h, &shown_rect);
    const std::size_t skins = window->ControlSkins().size();
    const struct {
        const char* name;
        std::function<void()> hide, restore;
    } cases[] = {
        {"close button, tray open item", [&] { form_->close(); }, [&] { form_->TrayNodeOpen->click(); }},
        {"hide to tray, second start's message", [&] { form_->HideToTray(); },
         [&] { SendMessageW(h, forms::WM_RESTOREFROMTRAY, 0, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.hide();
        ASSERT_TRUE(pump_until([&] { return !IsWindowVisible(h); }, 5000));
        EXPECT_TRUE(form_->TrayIconMain->shown());
        EXPECT_EQ(skin::TSkinManage::Instance()->FindSkinnedWindow(h), window) << "the same window skin";
        c.restore();
        ASSERT_TRUE(pump_until([&] { return IsWindowVisible(h) != FALSE && test_support::Skinned(h) == window; }, 5000));
        EXPECT_TRUE(pump_until([&] { return GetActiveWindow() == h; }, 2000));
        RECT r{};
        GetWindowRect(h, &r);
        EXPECT_EQ(r.right - r.left, shown_rect.right - shown_rect.left);
        EXPECT_EQ(r.bottom - r.top, shown_rect.bottom - shown_rect.top);
        EXPECT_EQ(GetMenu(h), nullptr);
        EXPECT_EQ(window->ControlSkins().size(), skins);
        EXPECT_EQ(PaintedPixels(h, *window), ScreenPixels(h, *window));
    }
    EXPECT_TRUE(shell_test::SaveScreenshot(h, "skin_main_after_tray"));
}

// Started at logon the window goes to the tray at once; opened from there it is skinned.
TEST_F(MainWindowSkin, StartAtLogonIsSkinnedWhenFirstShown) {
    Open("-logon");
    const HWND h = form_->handle();
    ASSERT_TRUE(pump_until([&] { return !IsWindowVisible(h) && form_->FFTPRunning(); }, 5000));
    EXPECT_TRUE(form_->TrayIconMain->shown());
    form_->TrayNodeOpen->click();
    ASSERT_TRUE(pump_until([&] { return IsWindowVisible(h) != FALSE; }, 5000));
    skin::TWinSkinForm* window = WaitSkinned();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(pump_until([&] { return GetActiveWindow() == h; }, 2000));
    EXPECT_TRUE(window->active());
    EXPECT_EQ(GetMenu(h), nullptr);
    ASSERT_NE(window->menu_bar(), nullptr);
    ExpectViewsSkinned(*window, "opened from the tray");
    EXPECT_EQ(PaintedPixels(h, *window), ScreenPixels(h, *window));
    EXPECT_TRUE(shell_test::SaveScreenshot(h, "skin_main_logon_opened"));
    form_->btnStartStop->click();
}

// A new language shows in the skinned menu bar's buttons.
TEST_F(MainWindowSkin, LanguageSwitchRenamesTheMenuBarButtons) {
    const std::string lang = folder_ + "\\Lang\\English.ini";
    plat::ini_write_string(lang, "TMainForm", "NodeFile.Caption", "&File");
    plat::ini_write_string(lang, "TMainForm", "NodeView.Caption", "&View");
    plat::ini_write_string(lang, "TMainForm", "NodeSettings.Caption", "&Settings");
    plat::ini_write_string(lang, "TMainForm", "NodeHelp.Caption", "&Help");
    Open();
    skin::TWinSkinForm* window = WaitSkinned();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(window->menu_bar(), nullptr);
    ASSERT_EQ(form_->NodeLanguage->count(), 1);
    form_->NodeLanguage->item(0)->click();
    ASSERT_EQ(form_->NodeFile->caption(), "&File");
    pump(50);
    std::vector<std::string> expected, shown;
    for (ui::MenuItem* item : form_->menu()->items()->items())
        if (item->visible()) expected.push_back(item->caption());
    ASSERT_NE(window->menu_bar(), nullptr);
    for (const auto& b : window->menu_bar()->buttons()) shown.push_back(plat::wide_to_gbk(b.caption));
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(shown.front(), "&File");
    EXPECT_TRUE(shell_test::SaveScreenshot(form_->handle(), "skin_main_english"));
}

// Pictures in the default skin, for review: both views, a dropped calendar, the main menu with
// its sort submenu, the tray menu, the window menu and the inactive window.
TEST_F(MainWindowSkin, Pictures) {
    SeedCalls();
    Open();
    const HWND h = form_->handle();
    skin::TWinSkinForm* window = WaitSkinned();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(form_->panelLog->visible()) << "the log panel is shown";
    form_->btnStartStop->click();
    pump(100);
    EXPECT_TRUE(shell_test::SaveScreenshot(h, "skin_main_state_view"));
    form_->btnStartStop->click();

    form_->btnQuery->click();
    forms::TSearchRecFrame& search = *views_->SearchFrame();
    search.btnSearch->click();
    pump(100);
    EXPECT_EQ(search.lvCalls->item_count(), 3);
    EXPECT_TRUE(shell_test::SaveScreenshot(h, "skin_main_search_view"));

    // The date picker's calendar dropped (the views have no combo box).
    {
        HWND picker = search.DTDateFrom->handle();
        RECT r{};
        GetClientRect(picker, &r);
        // The month calendar drops as a window of its own.
        auto calendar = [] {
            const HWND c = FindWindowW(L"SysMonthCal32", nullptr);
            return c && IsWindowVisible(c) ? c : nullptr;
        };
        window_test::click_at(picker, r.right - 6, r.bottom / 2);
        ASSERT_TRUE(pump_until([&] { return calendar() != nullptr; }, 2000));
        pump(100);
        EXPECT_TRUE(shell_test::SaveScreenshot(GetDesktopWindow(), "skin_main_calendar_dropped"));
        window_test::click_at(picker, r.right - 6, r.bottom / 2);  // the button again folds it
        EXPECT_TRUE(pump_until([&] { return calendar() == nullptr; }, 2000));
        SetForegroundWindow(h);
        EXPECT_TRUE(pump_until([&] { return GetActiveWindow() == h; }, 2000));
    }

    // The View menu from the skinned bar, with the pointer resting on the sort item: its submenu.
    {
        skin::TWinSkinMenu* bar = window->menu_bar();
        ASSERT_NE(bar, nullptr);
        int view = -1;
        for (std::size_t i = 0; i < bar->buttons().size(); ++i)
            if (bar->buttons()[i].item == form_->NodeView) view = static_cast<int>(i);
        ASSERT_GE(view, 0);
        const HMENU view_menu = bar->buttons()[static_cast<std::size_t>(view)].submenu;
        int sort_index = -1;
        for (int i = 0; i < GetMenuItemCount(view_menu); ++i)
            if (GetSubMenu(view_menu, i) == form_->NodeSortColumn->submenu_handle()) sort_index = i;
        ASSERT_GE(sort_index, 0);
        bool pictured = false;
        WhileMenuOpen open([&] {
            const std::vector<HWND> menus = VisibleMenuWindows();
            if (menus.size() >= 2) {
                pump(0);
                pictured = shell_test::SaveScreenshot(GetDesktopWindow(), "skin_main_sort_submenu");
                return true;
            }
            if (menus.empty() || HIWORD(GetQueueStatus(QS_MOUSEMOVE)) != 0) return false;
            // The pointer rests on the sort item: its submenu opens.
            RECT item{};
            if (!GetMenuItemRect(h, view_menu, static_cast<UINT>(sort_index), &item)) return false;
            POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
            SetCursorPos(at.x, at.y);
            ScreenToClient(menus.front(), &at);
            PostMessageW(menus.front(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
            return false;
        });
        bar->DropMenu(view);
        EXPECT_TRUE(open.done());
        EXPECT_TRUE(pictured);
    }

    auto picture_menu = [&](const std::string& name, const std::function<void()> show) {
        bool pictured = false;
        WhileMenuOpen open([&] {
            const std::vector<HWND> menus = VisibleMenuWindows();
            if (menus.empty()) return false;
            EXPECT_EQ(SendMessageW(menus.front(), skin::kMsgIsSkinned, 0, 0), 1) << name;
            pictured = shell_test::SaveScreenshot(GetDesktopWindow(), name);
            return true;
        });
        show();
        EXPECT_TRUE(open.done()) << name;
        EXPECT_TRUE(pictured) << name;
    };
    picture_menu("skin_main_tray_menu", [&] {
        SendMessageW(form_->TrayIconMain->handle(), ec::kTrayCallbackMessage, ec::kTrayIconId, WM_RBUTTONUP);
    });
    picture_menu("skin_main_window_menu", [&] {
        RECT r{};
        GetWindowRect(h, &r);
        SendMessageW(h, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(r.left + 80, r.top + window->frame().top / 2));
    });

    SendMessageW(h, WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(window->active());
    EXPECT_TRUE(shell_test::SaveScreenshot(h, "skin_main_inactive"));
    SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
}

} // namespace
