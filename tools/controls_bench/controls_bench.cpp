// Times the control set's painters into a 32-bit memory bitmap: each gradient look over
// 1920 x 1080, and 1000 frames of every style. Prints milliseconds; run under Wine.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "controls/ec_common.h"
#include "controls/ec_grafx.h"
#include "list_bench.h"

namespace {

template <class F>
double milliseconds(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
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
    bench_lists();
    return 0;
}
