#include "window_bench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "platform/ui/win/application.h"
#include "station/forms/main_form.h"
#include "tests/support/fake_transfer_library.h"

void bench_main_window() {
    std::printf("main window from its description, windows made, ms (best of 5)\n");
    ui::application().initialize();
    station::StationGlobals globals;
    test_support::FakeTransferLibrary library;
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        auto form = std::make_unique<forms::TMainForm>(globals, library, "C:\\bench\\Velquist.exe", "");
        form->handle_needed();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("  TMainForm %8.2f\n", best);
}
