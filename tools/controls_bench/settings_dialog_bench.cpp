#include "settings_dialog_bench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "controls/register_control_set.h"
#include "platform/ui/win/application.h"
#include "station/forms/settings/form_settings.h"

namespace {

struct SilentPrompts : forms::IPrompts {
    bool Confirm(const std::string&) override { return false; }
    void Inform(const std::string&, const std::string&) override {}
};

struct NoShell : forms::IShellActions {
    std::string OpenFile(HWND, const std::string&) override { return {}; }
    std::string PrintFile(HWND, const std::string&) override { return {}; }
    bool BrowseForFolder(HWND, const std::string&, std::string&) override { return false; }
    bool ChooseFile(HWND, std::string&) override { return false; }
};

struct NoRegistry : station::IRunKeyRegistry {
    void DeleteValue(station::RunKeyRoot, const std::string&) override {}
    void WriteValue(station::RunKeyRoot, const std::string&, const std::string&) override {}
};

double since_ms(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

void bench_settings_dialog() {
    ui::application().initialize();
    ui::register_control_classes();
    ec::register_control_set_classes();
    station::StationGlobals globals;
    // Nothing is read from files: the dialog shows the settings in memory and no devices.
    globals.SettingsLoaded = true;
    NoRegistry registry;
    SilentPrompts prompts;
    NoShell shell;
    auto make = [&] {
        return std::make_unique<forms::TFormSettings>(
            nullptr, forms::SettingsDialogServices{globals, registry, prompts, shell, "Velquist.exe",
                                                   [] { return std::vector<std::string>{"127.0.0.1"}; }});
    };
    double read_best = 1e9, shown_best = 1e9;
    for (int run = 0; run < 5; ++run) {
        auto start = std::chrono::steady_clock::now();
        make().reset();
        read_best = std::min(read_best, since_ms(start));

        start = std::chrono::steady_clock::now();
        auto form = make();
        // Shown once with every page's windows made, as the first opening does.
        form->set_visible(true);
        for (int p = 0; p < form->pageSettings->page_count(); ++p) form->pageSettings->set_active_page_index(p);
        ui::application().process_messages();
        form.reset();
        shown_best = std::min(shown_best, since_ms(start));
    }
    std::printf("settings dialog from its description, ms (best of 5)\n");
    std::printf("  %-40s %8.2f\n", "read and freed", read_best);
    std::printf("  %-40s %8.2f\n", "read, shown on every page and freed", shown_best);
}
