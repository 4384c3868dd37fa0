// Figures of the skin engine: stream decode and encode speed, a skin's load time, the region
// of a full-screen border set and nine-slice draws of a title bar. Natively the portable
// code; the Windows build adds the GDI drawing, skinned windows and their controls (run it
// under Wine).
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "skin/frame_geometry.h"
#include "skin/lzh_stream.h"
#include "skin/region_runs.h"
#include "skin/skin_archive.h"
#include "skin/skin_parse.h"
#include "tests/skin/skin_test_data.h"
#include "tools/skingen/skin_generator.h"
#ifdef _WIN32
#include <windows.h>

#include <commctrl.h>

#include "platform/ui/win/application.h"
#include "platform/ui/win/comctl_controls.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/list_view.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/subclass.h"
#include "skin/win/skin_attach.h"
#include "skin/win/skin_bitmaps.h"
#include "skin/win/skin_button.h"
#include "skin/win/skin_combo.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_frames.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_messages.h"
#include "skin/win/skin_popup_menu.h"
#include "skin/win/skin_progress.h"
#include "skin/win/skin_region.h"
#include "skin/win/skin_scrolled.h"
#include "skin/win/skin_tabs.h"
#include "skin/win/skin_trackbar.h"
#include "skin/win/win_skin_form.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;

// Seconds per run of `work`, repeated until at least half a second has passed.
double SecondsPerRun(const std::function<void()>& work) {
    int runs = 0;
    const auto start = Clock::now();
    double elapsed = 0;
    do {
        work();
        ++runs;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < 0.5);
    return elapsed / runs;
}

// A skin of the size the programs carry: an ini and fifty frame strips and borders.
std::vector<std::uint8_t> SkinArchive() {
    std::vector<skin::ArchiveMember> members;
    std::string ini;
    for (int i = 0; i < 50; ++i) ini += "[Element" + std::to_string(i) + "]\r\nBitmap=e" + std::to_string(i) + ".bmp\r\n";
    members.push_back({"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    for (int i = 0; i < 50; ++i)
        members.push_back({"e" + std::to_string(i) + ".bmp", skin_test::MakeFrameStrip(20 + i, 24, 1 + i % 4)});
    return skin::WriteArchive(members).archive;
}

void Codec(const char* name, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> stored;
    const double encode = SecondsPerRun([&] { stored = skin::LzhEncode(data); });
    const double decode = SecondsPerRun([&] { skin::LzhDecode(stored); });
    const double mb = static_cast<double>(data.size()) / 1e6;
    std::printf("%-22s %8.3f MB -> %8.3f MB   encode %7.1f MB/s   decode %7.1f MB/s\n", name, mb,
                static_cast<double>(stored.size()) / 1e6, mb / encode, mb / decode);
}

// Parse time of one of our own skins from its stored bytes, and the pixels its elements hold.
void OwnSkin(const char* name, const skingen::SkinLook& look) {
    const std::string folder = std::string("skin_bench-") + name;
    const skin::PackResult packed = skingen::GenerateAndPack(look, folder);
    if (!packed.ok()) {
        std::printf("%s skin: %s\n", name, packed.error.c_str());
        return;
    }
    const skin::PortableSkinSystem system;
    std::unique_ptr<skin::SkinDescription> loaded;
    const double parse = SecondsPerRun([&] {
        loaded = skin::LoadSkinDescription(packed.stored.data(), packed.stored.size(), system).skin;
    });
    std::size_t bytes = 0;
    for (const skin::TDataSkinObject* e : loaded->Elements()) {
        bytes += static_cast<std::size_t>(e->bitmap.width()) * static_cast<std::size_t>(e->bitmap.height()) * 4;
        if (const auto* b = dynamic_cast<const skin::TDataSkinBorder*>(e))
            bytes += static_cast<std::size_t>(b->bitmap2.width()) * static_cast<std::size_t>(b->bitmap2.height()) * 4;
    }
    std::printf("%s skin (%zu stored bytes): load and parse %.2f ms, %zu elements, %.1f KB of pictures\n", name,
                packed.stored.size(), parse * 1e3, loaded->Elements().size(), static_cast<double>(bytes) / 1024);
}

#ifdef _WIN32
// A skin component switching between our two skins by SkinFile: read, load, parse and swap.
void SkinFileReload() {
    const std::string files[] = {"skin_bench-default.skn", "skin_bench-contrasting.skn"};
    const skingen::SkinLook looks[] = {skingen::DefaultLook(), skingen::ContrastingLook()};
    for (int i = 0; i < 2; ++i) {
        const skin::PackResult packed = skingen::GenerateAndPack(looks[i], "skin_bench-reload-" + std::to_string(i));
        const std::string bytes(packed.stored.begin(), packed.stored.end());
        if (!packed.ok() || !plat::write_whole_file(files[i], bytes)) {
            std::printf("SkinFile reload: no skin file to read\n");
            return;
        }
    }
    skin::SetSkinFaultNotifier([](const skin::SkinLoadFault& f) { std::printf("skin fault: %s\n", f.text.c_str()); });
    skin::TSkinData data(nullptr);
    int next = 0;
    const double reload = SecondsPerRun([&] {
        data.SetSkinFile(files[next]);
        next ^= 1;
    });
    std::printf("SkinFile reload (our two skins in turn): %.2f ms%s\n", reload * 1e3, data.NoSkin() ? " (FAILED)" : "");
}

// A main window with a menu, skinned by our default skin: from its activation to its first
// skinned paint, the frame painted into a memory DC, the non-client repaint of an activation
// change, and a resize step of a full-HD window with its region rebuilt.
class SkinnedWindowBench {
public:
    SkinnedWindowBench() {
        ui::application().initialize();
        ui::register_control_classes();
        const skin::PackResult packed = skingen::GenerateAndPack(skingen::DefaultLook(), "skin_bench-window");
        data_ = std::make_unique<skin::TSkinData>(nullptr);
        data_->SetActive(true);
        data_->SetStoredArchive(packed.stored);
        static_cast<ui::Component*>(data_.get())->loaded();
    }
    ~SkinnedWindowBench() {
        data_.reset();
        skin::TSkinManage::Shutdown();
    }

    void Run() {
        if (data_->NoSkin()) {
            std::printf("skinned window: no skin\n");
            return;
        }
        double first_paint = 0;
        const int windows = 10;
        for (int i = 0; i < windows; ++i) {
            const auto form = MainWindow(1024, 768);
            const auto start = Clock::now();
            if (!Activate(form->handle())) return;
            first_paint += std::chrono::duration<double>(Clock::now() - start).count();
        }
        std::printf("1024x768 main window, activation to first skinned paint: %.2f ms\n", first_paint / windows * 1e3);

        const auto form = MainWindow(1024, 768);
        if (!Activate(form->handle())) return;
        const HWND h = form->handle();
        RECT r{};
        GetWindowRect(h, &r);
        ui::Bitmap picture(r.right - r.left, r.bottom - r.top);
        const double paint = SecondsPerRun([&] {
            SendMessageW(h, skin::kMsgPaintInto, reinterpret_cast<WPARAM>(picture.dc()), skin::kSkinMagic);
        });
        std::printf("1024x768 skinned frame painted into a memory DC: %.3f ms\n", paint * 1e3);
        bool active = true;
        const double activation = SecondsPerRun([&] {
            active = !active;
            SendMessageW(h, WM_NCACTIVATE, active ? TRUE : FALSE, 0);
        });
        std::printf("1024x768 non-client repaint on an activation change: %.3f ms\n", activation * 1e3);

        MenuBar();

        // Larger than the test display: the system would hold it to the screen's size.
        const auto wide = MainWindow(1920, 1080);
        wide->window_proc.add("bench", [](ui::Message& m, const ui::MessageChain::Next& next) {
            next(m);
            if (m.msg == WM_GETMINMAXINFO) reinterpret_cast<MINMAXINFO*>(m.lparam)->ptMaxTrackSize = {4000, 4000};
        });
        if (!Activate(wide->handle())) return;
        int step = 0;
        const double resize = SecondsPerRun([&] {
            step ^= 1;
            SetWindowPos(wide->handle(), nullptr, 0, 0, 1920 + step, 1080, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        });
        GetWindowRect(wide->handle(), &r);
        std::printf("1920x1080 skinned window (now %ldx%ld), one resize step with its region rebuilt: %.2f ms\n",
                    r.right - r.left, r.bottom - r.top, resize * 1e3);

        // A 20-item popup's size in the menu font: its MenuBackground picture.
        const double background = SecondsPerRun([&] { skin::TWinSkinPopMenu::BackgroundPicture(data_.get(), 180, 20 * 19 + 6); });
        std::printf("popup menu background picture, 180x386 (20 items): %.3f ms\n", background * 1e3);
    }

    // A window of 100 push buttons: their skins attached at the window's start, a full repaint
    // of the window and its controls, and the repaint of one button as the mouse enters and
    // leaves it.
    void RunControls() {
        if (data_->NoSkin()) return;
        const auto form = MainWindow(1000, 400);
        std::vector<ui::Button*> buttons;
        for (int i = 0; i < 100; ++i) {
            auto* b = new ui::Button(form.get());
            b->set_parent(form.get());
            b->set_bounds(5 + (i % 10) * 99, 5 + (i / 10) * 39, 94, 34);
            b->set_caption("Button " + std::to_string(i + 1));
            buttons.push_back(b);
        }
        if (!Activate(form->handle())) return;
        skin::TWinSkinForm* skinned = skin::TSkinManage::Instance()->FindSkinnedWindow(form->handle());
        if (!skinned) return;
        const std::size_t attached = skinned->ControlSkins().size();
        double attach = 0, release = 0;
        const int rounds = 20;
        for (int i = 0; i < rounds; ++i) {
            auto start = Clock::now();
            skinned->ReleaseControlSkins();
            release += std::chrono::duration<double>(Clock::now() - start).count();
            start = Clock::now();
            skin::SkinLibraryWindow(*skinned, form.get());
            attach += std::chrono::duration<double>(Clock::now() - start).count();
        }
        std::printf("window of 100 buttons (%zu skins): attaching their skins %.2f ms, freeing them %.2f ms\n", attached,
                    attach / rounds * 1e3, release / rounds * 1e3);
        const HWND h = form->handle();
        const double full = SecondsPerRun([&] {
            RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        });
        std::printf("window of 100 buttons, full repaint: %.2f ms\n", full * 1e3);
        const HWND one = buttons[55]->handle();
        const double hover = SecondsPerRun([&] {
            SendMessageW(one, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
            SendMessageW(one, WM_MOUSELEAVE, 0, 0);
        });
        std::printf("hover repaint of one button (enter or leave): %.3f ms\n", hover / 2 * 1e3);
    }

    // A progress bar set again and again (as at 100 updates a second), a 30-tab control
    // repainted, and a track bar's thumb moved one step, each with its skin attached.
    void RunBars() {
        if (data_->NoSkin()) return;
        const auto form = MainWindow(800, 400);
        if (!Activate(form->handle())) return;
        skin::TWinSkinForm* skinned = skin::TSkinManage::Instance()->FindSkinnedWindow(form->handle());
        if (!skinned) return;
        auto* bar = new ui::ProgressBar(form.get());
        bar->set_parent(form.get());
        bar->set_bounds(10, 10, 400, 20);
        (new skin::TSkinProgress(bar))->AttachControl(skinned, data_.get(), true);
        int position = 0;
        const double update = SecondsPerRun([&] {
            bar->set_position(position = (position + 1) % 101);
            UpdateWindow(bar->handle());
        });
        std::printf("progress bar 400x20, one position update painted: %.3f ms\n", update * 1e3);

        HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | TCS_MULTILINE, 10, 40, 600, 200,
                                    form->handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        for (int i = 0; i < 30; ++i) {
            std::wstring text = L"Tab " + std::to_wstring(i + 1);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = text.data();
            SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        }
        skinned->OwnWindowSkin(std::make_unique<skin::TSkinTab>(nullptr))->AttachWindow(tabs, data_.get(), skinned);
        const double tab_repaint = SecondsPerRun([&] {
            RedrawWindow(tabs, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        });
        std::printf("tab control of 30 tabs (multi-line, 600x200), full repaint: %.3f ms\n", tab_repaint * 1e3);

        auto* track = new ui::TrackBar(form.get());
        track->set_parent(form.get());
        track->set_bounds(10, 260, 400, 40);
        track->set_max(100);
        (new skin::TSkinTrackBar(track))->AttachControl(skinned, data_.get(), true);
        int step = 0;
        const double drag = SecondsPerRun([&] {
            track->set_position(step = (step + 1) % 101);
            UpdateWindow(track->handle());
        });
        std::printf("track bar 400x40, one thumb step painted: %.3f ms\n", drag * 1e3);
    }

    // A form of text entry: a 10,000-row list view, a memo and four combos, skinned by the
    // rules at the window's start. A full repaint of the window and its controls (the scroll
    // bar panels included), and the latency of opening a combo's 30-item drop-down list, by
    // CB_SHOWDROPDOWN and by a click on its button, until the list is shown and painted and
    // the combo has repainted its dropped look.
    void RunForm() {
        if (data_->NoSkin()) return;
        const auto form = MainWindow(640, 420);
        auto* list = new ui::ListView(form.get());
        list->set_parent(form.get());
        list->set_bounds(10, 10, 380, 250);
        list->set_view_style(ui::TViewStyle::vsReport);
        for (const char* caption : {"Station", "Channel", "Duration"}) list->columns().add_item()->set_caption(caption);
        list->on_data = [](ui::Component*, ui::ListItem* item) { item->set_caption("Call"); };
        list->set_owner_data(true);
        list->set_item_count(10000);
        auto* memo = new ui::Memo(form.get());
        memo->set_parent(form.get());
        memo->set_bounds(10, 270, 380, 140);
        memo->set_scroll_bars(ui::TScrollStyle::ssVertical);
        std::string lines;
        for (int i = 0; i < 40; ++i) lines += "Line " + std::to_string(i + 1) + " of the memo\r\n";
        memo->set_text(lines);
        std::vector<ui::ComboBox*> combos;
        for (int i = 0; i < 4; ++i) {
            auto* c = new ui::ComboBox(form.get());
            c->set_parent(form.get());
            c->set_bounds(410, 10 + i * 40, 210, 24);
            if (i % 2) c->set_style(ui::TComboBoxStyle::csDropDownList);
            for (int k = 0; k < 30; ++k) c->items().add("Item " + std::to_string(k + 1));
            c->set_item_index(0);
            combos.push_back(c);
        }
        if (!Activate(form->handle())) return;
        skin::TWinSkinForm* skinned = skin::TSkinManage::Instance()->FindSkinnedWindow(form->handle());
        if (!skinned) return;
        auto* list_skin = dynamic_cast<skin::TSkinListView*>(skinned->FindControlSkin(list));
        auto* memo_skin = dynamic_cast<skin::TSkinScrollbar*>(skinned->FindControlSkin(memo));
        auto* combo_skin = dynamic_cast<skin::TSkinComBox*>(skinned->FindControlSkin(combos[0]));
        int combo_skins = 0;
        for (ui::ComboBox* c : combos) combo_skins += dynamic_cast<skin::TSkinComBox*>(skinned->FindControlSkin(c)) != nullptr;
        if (!list_skin || !memo_skin || combo_skins != 4 || !combo_skin->list_skin()) {
            std::printf("form of a list view, a memo and four combos: not all skinned (list %d, memo %d, combos %d)\n",
                        list_skin != nullptr, memo_skin != nullptr, combo_skins);
            return;
        }
        const HWND h = form->handle();
        const double full = SecondsPerRun([&] {
            RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        });
        std::printf("form of a list view, a memo and four combos (640x420), full repaint: %.2f ms\n", full * 1e3);

        // The list's paints, seen above the skin's layers.
        const HWND combo = combos[0]->handle();
        const HWND drop = combo_skin->list_window();
        bool painted = false;
        ui::WindowSubclass watch(drop, [&](ui::Message& m, const ui::WindowSubclass::Next& next) {
            next(m);
            if (m.msg == WM_PAINT && IsWindowVisible(drop)) painted = true;
        }, "bench");
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(combo, &info);
        const LPARAM button = MAKELPARAM((info.rcButton.left + info.rcButton.right) / 2,
                                         (info.rcButton.top + info.rcButton.bottom) / 2);
        const auto settle = [&] {
            for (int i = 0; i < 1000 && (GetUpdateRect(combo, nullptr, FALSE) || GetUpdateRect(h, nullptr, FALSE)); ++i)
                ui::application().process_messages();
            ui::application().process_messages();
        };
        const auto opening = [&](const char* how, const std::function<void()>& open) {
            const int drops = 20;
            int done = 0;
            double shown = 0;
            for (int i = 0; i < drops; ++i) {
                painted = false;
                const auto start = Clock::now();
                open();
                const auto deadline = start + std::chrono::seconds(5);
                while ((!painted || GetUpdateRect(combo, nullptr, FALSE)) && Clock::now() < deadline)
                    ui::application().process_messages();
                const auto end = Clock::now();
                if (painted && combo_skin->dropped()) {
                    ++done;
                    shown += std::chrono::duration<double>(end - start).count();
                }
                SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
                if (GetCapture()) ReleaseCapture();
                settle();
            }
            if (done)
                std::printf("combo's 30-item drop-down list, %s to the list shown and painted: %.2f ms (%d drops)\n", how,
                            shown / done * 1e3, done);
            else
                std::printf("combo's drop-down list, %s: the list was not shown\n", how);
        };
        settle();
        opening("CB_SHOWDROPDOWN", [&] { SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0); });
        opening("a click on its button", [&] {
            SendMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, button);
            SendMessageW(combo, WM_LBUTTONUP, 0, button);
        });
    }

    // The menu bar: a repaint of the bar, and a press on a bar button until its 20-item menu
    // is shown and painted (the system's menu loop has nothing more to do: it goes idle).
    void MenuBar() {
        const auto form = MainWindow(1024, 768);
        ui::MenuItem* file = form->menu()->items()->item(0);
        for (int i = 0; i < 20; ++i) {
            auto* item = new ui::MenuItem(form->menu());
            item->set_caption("Menu item " + std::to_string(i + 1));
            file->add(item);
        }
        if (!Activate(form->handle())) return;
        const HWND h = form->handle();
        const skin::TWinSkinForm* f = skin::TSkinManage::Instance()->FindSkinnedWindow(h);
        skin::TWinSkinMenu* bar = f ? f->menu_bar() : nullptr;
        if (!bar || bar->buttons().empty()) {
            std::printf("menu bar: none\n");
            return;
        }
        RECT r{};
        GetWindowRect(h, &r);
        const ui::Rect row = bar->bar_rect();
        ui::Bitmap picture(r.right - r.left, r.bottom - r.top);
        bool active = true;
        const double repaint = SecondsPerRun([&] {
            active = !active;
            bar->Paint(picture.dc(), row, active);
        });
        std::printf("1024x768 menu bar repaint (a row of %dx%d): %.3f ms\n", row.width(), row.height(),
                    repaint * 1e3);
        const ui::Rect b = bar->buttons()[0].rect;
        const LPARAM at = MAKELPARAM(r.left + (b.left + b.right) / 2, r.top + (b.top + b.bottom) / 2);
        Clock::time_point start;
        double shown = 0;
        bool seen = false;
        form->window_proc.add("bench", [&](ui::Message& m, const ui::MessageChain::Next& next) {
            if (m.msg == WM_ENTERIDLE && !seen) {
                seen = true;
                shown += std::chrono::duration<double>(Clock::now() - start).count();
                EndMenu();
            }
            next(m);
        });
        const int drops = 20;
        int done = 0;
        for (int i = 0; i < drops; ++i) {
            seen = false;
            start = Clock::now();
            SendMessageW(h, WM_NCLBUTTONDOWN, HTMENU, at);
            if (seen) ++done;
            ui::application().process_messages();
        }
        if (done)
            std::printf("menu bar press to its 20-item menu shown and painted: %.2f ms (%d drops)\n", shown / done * 1e3, done);
        else
            std::printf("menu bar press: no menu was shown\n");
    }

private:
    static std::unique_ptr<ui::Form> MainWindow(int client_width, int client_height) {
        auto form = std::make_unique<ui::Form>(nullptr);
        form->set_caption("Velquist skin_bench");
        auto* menu = new ui::MainMenu(form.get());
        auto* item = new ui::MenuItem(menu);
        item->set_caption("&File");
        menu->items()->add(item);
        form->set_menu(menu);
        form->set_bounds(0, 0, client_width, client_height);
        form->handle_needed();
        form->set_client_width(client_width);
        form->set_client_height(client_height);
        return form;
    }

    // Shows and activates the window and runs its messages until the skin has started on it
    // and painted its frame; false (said) when that does not happen within five seconds.
    static bool Activate(HWND window) {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetActiveWindow(window);
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        for (;;) {
            ui::application().process_messages();
            const skin::TSkinManage* manager = skin::TSkinManage::Instance();
            const skin::TWinSkinForm* f = manager ? manager->FindSkinnedWindow(window) : nullptr;
            if (f && f->skin_state() == skin::TWinSkinForm::kSkinned) {
                UpdateWindow(window);
                return true;
            }
            if (Clock::now() > deadline) {
                std::printf("skinned window: the skin did not start\n");
                return false;
            }
        }
    }

    std::unique_ptr<skin::TSkinData> data_;
};
#endif

// A 1920 x 1080 window's border set: an 8-pixel frame with rounded corners, magenta inside.
skin::Image32 BorderSet() {
    skin::Image32 image(1920, 1080, skin::kKeyPixel);
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x) {
            const bool border = x < 8 || y < 8 || x >= 1912 || y >= 1072;
            const int cx = x < 12 ? 12 - x : x >= 1908 ? x - 1907 : 0;
            const int cy = y < 12 ? 12 - y : y >= 1068 ? y - 1067 : 0;
            if (border && cx * cx + cy * cy <= 144) image.set(x, y, 0x204080 + (x + y) % 7);
        }
    return image;
}

} // namespace

int main() {
    Codec("1 MB mixed data", skin_test::MixedBytes(1'000'000, 1));
    const std::vector<std::uint8_t> archive = SkinArchive();
    Codec("skin (51 members)", archive);

    const std::vector<std::uint8_t> stored = skin::LzhEncode(archive);
    const double load = SecondsPerRun([&] {
        skin::TSkinReader reader;
        reader.LoadArchive(stored);
        for (const std::string& name : reader.Names()) reader.GetMember(name);
    });
    std::printf("skin load and every member: %.2f ms\n", load * 1e3);
    OwnSkin("default", skingen::DefaultLook());
    OwnSkin("contrasting", skingen::ContrastingLook());

    const skin::Image32 border = BorderSet();
    std::size_t runs = 0;
    const double region = SecondsPerRun([&] {
        runs = skin::CollectRegionRuns(border, 0, 0, {skin::kKeyPixel, 1, 1, 1}, [](const std::vector<skin::Rect>&) {});
    });
    std::printf("1920x1080 border set: %zu runs in %.2f ms\n", runs, region * 1e3);

    // A title element: three 60 x 30 frames, 20-pixel caps.
    skin::Image32 title(180, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 180; ++x) title.set(x, y, static_cast<std::uint32_t>(x * 0x010203 + y * 0x030201));
    const skin::Margins caps{20, 4, 20, 4};
    skin::Image32 bar(1920, 30);
    for (bool tile : {false, true}) {
        const double draw = SecondsPerRun([&] {
            skin::DrawBlits(title, skin::NineSliceBlits(1920, 30, {60, 0, 120, 30}, caps, tile), bar);
        });
        std::printf("1920x30 title nine-slice (%s, portable): %.0f draws/s\n", tile ? "tiled" : "stretched", 1 / draw);
    }
#ifdef _WIN32
    ui::Bitmap border_bitmap;
    skin::AssignImage(border_bitmap, border);
    const double hrgn = SecondsPerRun([&] { skin::RegionFromBitmap(border_bitmap, 0, 0, ui::clFuchsia, 1, 1, 1); });
    std::printf("1920x1080 border set region (GDI): %.2f ms\n", hrgn * 1e3);
    SkinFileReload();
    {
        SkinnedWindowBench bench;
        bench.Run();
        bench.RunControls();
        bench.RunBars();
        bench.RunForm();
    }
    ui::Bitmap title_bitmap;
    skin::AssignImage(title_bitmap, title);
    ui::Bitmap screen(1920, 30);
    for (bool transparent : {false, true}) {
        const double draw = SecondsPerRun([&] {
            skin::DrawSkinFrame(screen.dc(), {0, 0, 1920, 30}, title_bitmap, caps, 2, 3, transparent, false, false);
        });
        std::printf("1920x30 title DrawSkinFrame (%s, GDI): %.0f draws/s\n", transparent ? "transparent" : "opaque",
                    1 / draw);
    }
#endif
    return 0;
}
