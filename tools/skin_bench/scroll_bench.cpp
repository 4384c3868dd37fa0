// Figures of the skinned scroll bars (run under Wine): a list view of 10,000 rows scrolled line
// by line and by thumb track positions, with the time per step and the panel repaints per
// step.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/list_view.h"
#include "skin/win/skin_attach.h"
#include "skin/win/skin_data.h"
#include "skin/win/skin_manager.h"
#include "skin/win/skin_scrolled.h"
#include "skin/win/win_skin_form.h"
#include "tools/skingen/skin_generator.h"

namespace {

using Clock = std::chrono::steady_clock;

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done) {
    const auto start = Clock::now();
    while (!done()) {
        if (Clock::now() - start > std::chrono::seconds(5)) return false;
        Pump();
        Sleep(1);
    }
    return true;
}

} // namespace

int main() {
    ui::application().initialize();
    ui::register_control_classes();
    const skin::PackResult packed = skingen::GenerateAndPack(skingen::DefaultLook(), "scroll_bench-skin");
    auto data = std::make_unique<skin::TSkinData>(nullptr);
    data->SetActive(true);
    data->SetStoredArchive(packed.stored);
    static_cast<ui::Component*>(data.get())->loaded();
    {
        ui::Form form(nullptr);
        form.set_bounds(40, 40, 520, 420);
        auto* list = new ui::ListView(&form);
        list->set_parent(&form);
        list->set_bounds(10, 10, 480, 360);
        list->set_view_style(ui::TViewStyle::vsReport);
        for (const char* caption : {"Station", "Channel", "Duration"}) list->columns().add_item()->set_caption(caption);
        list->on_data = [](ui::Component*, ui::ListItem* item) { item->set_caption("Call"); };
        list->set_owner_data(true);
        list->set_item_count(10000);
        form.show();
        SetForegroundWindow(form.handle());
        skin::TWinSkinForm* window = nullptr;
        if (!PumpUntil([&] {
                skin::TSkinManage* manager = skin::TSkinManage::Instance();
                if (!manager) return false;
                for (const auto& w : manager->Windows())
                    if (w->window() == form.handle() && w->skin_state() == skin::TWinSkinForm::kSkinned) window = w.get();
                return window != nullptr;
            })) {
            std::printf("scroll bench: the window was not skinned\n");
            return 1;
        }
        skin::SkinControl(*window, list, &form);
        auto* skin = dynamic_cast<skin::TSkinListView*>(window->FindControlSkin(list));
        if (!skin || !skin->vertical() || !skin->vertical()->shown()) {
            std::printf("scroll bench: the list has no drawn bar\n");
            return 1;
        }
        HWND h = list->handle();
        skin::TWScrollbar* bar = skin->vertical();
        const auto steps = [&](const char* name, int count, const std::function<void(int)>& step) {
            const int paints = bar->paints();
            const auto start = Clock::now();
            for (int i = 0; i < count; ++i) {
                step(i);
                UpdateWindow(h);
                UpdateWindow(bar->handle());
            }
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            std::printf("10,000-row list view, %s: %.3f ms per step, %.2f panel repaints per step\n", name,
                        seconds / count * 1e3, static_cast<double>(bar->paints() - paints) / count);
        };
        steps("line by line", 500, [&](int) { SendMessageW(h, WM_VSCROLL, SB_LINEDOWN, 0); });
        SendMessageW(h, WM_VSCROLL, SB_TOP, 0);
        steps("thumb track", 500, [&](int i) { SendMessageW(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, i * 19), 0); });
        SendMessageW(h, WM_VSCROLL, SB_ENDSCROLL, 0);
    }
    data.reset();
    skin::TSkinManage::Shutdown();
    return 0;
}
