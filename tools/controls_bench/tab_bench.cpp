#include "tab_bench.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "controls/ec_tabs.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"

void bench_tabs() {
    ui::Form form(nullptr);
    form.set_bounds(0, 0, 820, 640);
    auto* tabs = new ec::TEcCustomTabControl(&form);
    tabs->set_parent(&form);
    tabs->set_bounds(0, 0, 800, 600);
    tabs->set_tab_style(ec::TEcTabStyle::tsRoundCorners);
    tabs->set_multi_line(true);
    for (int i = 0; i < 200; ++i) tabs->add_tab("Tab &" + std::to_string(i));
    tabs->set_tab_index(150);
    ui::Bitmap target(800, 600);
    std::printf("tab control 800 x 600, 200 tabs multi-line, ms per paint (best of 5)\n");
    struct Run {
        const char* name;
        bool fresh;
        int capacity;
    };
    for (const Run& r : {Run{"after a layout change", true, 1}, Run{"unchanged, region cache of 1", false, 1},
                         Run{"unchanged, every region cached", false, -1}}) {
        tabs->set_region_cache_capacity(r.capacity);
        const bool fresh = r.fresh;
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            if (fresh) tabs->layout_changed();
            const auto start = std::chrono::steady_clock::now();
            tabs->perform(WM_PAINT, reinterpret_cast<WPARAM>(target.dc()));
            GdiFlush();
            best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::printf("  %-34s %8.2f  (%d rows)\n", r.name, best, tabs->row_count());
    }
}
