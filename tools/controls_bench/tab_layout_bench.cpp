// Times the tab control's full layout of 200 tabs, one scrolled row and stacked rows, without
// windows: the text is measured by a stand-in of fixed character width.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "controls/model/tab_layout.h"

namespace {

ec::TabLayout two_hundred_tabs(bool multi_line) {
    ec::TabLayout t;
    t.settings.style = ec::TEcTabStyle::tsRoundCorners;
    t.settings.multi_line = multi_line;
    t.settings.width = 800;
    t.settings.height = 600;
    for (int i = 0; i < 200; ++i) {
        ec::TEcTabData d;
        d.caption = "Tab &" + std::to_string(i);
        t.tabs.push_back(d);
    }
    return t;
}

} // namespace

int main() {
    const ec::TabTextMeasure measure = [](std::string_view line, bool) {
        return ec::TabSize{static_cast<int>(line.size()) * 7, 13};
    };
    std::printf("tab layout of 200 tabs on 800 x 600, microseconds (best of 50)\n");
    for (bool multi : {false, true}) {
        ec::TabLayout t = two_hundred_tabs(multi);
        double best = 1e18;
        for (int run = 0; run < 50; ++run) {
            const auto start = std::chrono::steady_clock::now();
            t.layout(measure, 150);
            if (!multi) {
                while (!t.is_tab_shown(150) && t.scroll_tabs(true)) {
                }
            } else {
                t.rotate_rows(150);
            }
            const auto end = std::chrono::steady_clock::now();
            best = std::min(best, std::chrono::duration<double, std::micro>(end - start).count());
        }
        std::printf("  %-34s %8.1f  (%d rows)\n", multi ? "multi-line, tab 150 selected" : "single line, scrolled to tab 150",
                    best, t.row_count());
    }
    return 0;
}
