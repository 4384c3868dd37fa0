// Times the control set's painters into a 32-bit memory bitmap: each gradient look over
// 1920 x 1080, 1000 frames of every style, the LED display scrolling and the track bar's
// background with a tick at every value, and the list controls. Prints milliseconds; run under
// Wine.
#include <windows.h>

#include <chrono>
#include <algorithm>
#include <cstdio>
#include <utility>

#include "controls/ec_border.h"
#include "controls/ec_common.h"
#include "controls/ec_grafx.h"
#include "controls/ec_trk_bar.h"
#include "platform/ui/win/forms.h"
#include "list_bench.h"
#include "tab_bench.h"
#ifdef VQ_BENCH_STATION_WINDOWS
#include "settings_dialog_bench.h"
#include "window_bench.h"
#endif

namespace {

template <class F>
double milliseconds(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double process_cpu_ms() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

// CPU time one second of scrolling costs: the ticks of a second at `delay_ms`, each stepping
// the text and painting the display, run back to back (best of 3 runs of 20 seconds' worth).
double led_cpu_ms_per_second(int width, int height, int delay_ms) {
    ec::TEcLEDDisplay led(nullptr);
    led.set_bounds(0, 0, width, height);
    led.set_led_caption("00:00:00");
    led.set_scroll_delay(delay_ms);
    led.set_scrolling(true);
    ui::Bitmap screen(width, height);
    const int ticks = 20 * 1000 / delay_ms;
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const double start = process_cpu_ms();
        for (int i = 0; i < ticks; ++i) {
            led.scroll_timer().fire();
            led.paint_to(screen.dc());
        }
        GdiFlush();
        best = std::min(best, (process_cpu_ms() - start) / 20);
    }
    return best;
}

} // namespace

int main() {
    ui::Bitmap target(1920, 1080);
    ui::Canvas& canvas = target.canvas();
    std::printf("gradient 1920 x 1080, ms per fill (best of 3)\n");
    for (std::size_t d = 0; d < ec::enum_info(ec::TGradientDirection{}).count(); ++d) {
        double best = 1e9;
        for (int run = 0; run < 3; ++run)
            best = std::min(best, milliseconds([&] {
                                ec::paint_gradient_fill(canvas, {0, 0, 1920, 1080}, static_cast<ec::TGradientDirection>(d),
                                                        ui::clWhite, ui::rgb(10, 40, 120));
                                GdiFlush();
                            }));
        std::printf("  %-20s %8.2f\n", ec::enum_info(ec::TGradientDirection{}).name_of(static_cast<std::int64_t>(d)).c_str(),
                    best);
    }
    std::printf("1000 PaintFrameStyleSides calls on 200 x 24, ms\n");
    for (std::size_t s = 0; s < ec::enum_info(ec::TFrameStyleEx{}).count(); ++s) {
        const auto style = static_cast<ec::TFrameStyleEx>(s);
        const double ms = milliseconds([&] {
            for (int i = 0; i < 1000; ++i) ec::paint_frame_style_sides(canvas, {10, 10, 210, 34}, style, ec::kAllSides);
            GdiFlush();
        });
        std::printf("  %-20s %8.2f\n", ec::enum_info(ec::TFrameStyleEx{}).name_of(static_cast<std::int64_t>(s)).c_str(), ms);
    }
    std::printf("LED display scrolling \"00:00:00\", CPU ms per second of scrolling\n");
    for (const auto& [w, h] : {std::pair{100, 30}, std::pair{400, 60}})
        for (int delay : {100, 20})
            std::printf("  %d x %d at %3d ms %8.2f\n", w, h, delay, led_cpu_ms_per_second(w, h, delay));

    std::printf("track bar 200 x 35 background rebuilt with a tick at every value, ms (best of 5)\n");
    ui::application().initialize();
    ui::Form form(nullptr);
    auto* bar = new ec::TEcTrackBar(&form);
    bar->set_parent(&form);
    ui::Bitmap shown(200, 35);
    for (int max : {65535, 10'800'000}) {
        bar->set_max(max);
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            bar->set_tick_color(run % 2 ? ui::clBtnShadow : ui::clGray);  // marks the cache
            best = std::min(best, milliseconds([&] {
                                bar->perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shown.dc()), PRF_CLIENT);
                                GdiFlush();
                            }));
        }
        std::printf("  Max %-10d %8.2f\n", max, best);
    }
    bench_lists();
    bench_tabs();
#ifdef VQ_BENCH_STATION_WINDOWS
    bench_main_window();
    bench_settings_dialog();
#endif
    return 0;
}
