#include "station_window_bench.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/media/master_volume.h"
#include "skin/win/skin_manager.h"
#include "station/forms/main_form.h"
#include "station/forms/station_views.h"
#include "tests/support/fake_transfer_library.h"
#include "window_figures.h"

namespace {

using namespace main_windows_bench;

constexpr int kStarts = 5;
constexpr int kRepaints = 50;
constexpr int kDevices = 4;
constexpr int kPaintTimeoutMs = 10000;

struct SilentPrompts : forms::IPrompts {
    bool Confirm(const std::string&) override { return false; }
    void Inform(const std::string&, const std::string&) override {}
};

void RemoveTree(const std::string& path) {
    for (const plat::DirEntry& e : plat::list_directory(path)) {
        const std::string child = plat::include_trailing_separator(path) + e.name;
        if (e.is_directory) RemoveTree(child); else plat::remove_file(child);
    }
    plat::remove_directory(path);
}

// The program folder as a first start finds it: fetching off, no language chosen, an empty
// call-record database.
std::string ProgramFolder() { return plat::include_trailing_separator(OutputFolder()) + "main_windows_bench-station"; }

std::string FreshProgramFolder() {
    const std::string folder = ProgramFolder();
    RemoveTree(folder);
    plat::force_directories(folder + "\\Lang");
    plat::force_directories(folder + "\\DB");
    plat::ini_write_string(folder + "\\Velquist.ini", "CommonInfo", "AutoFTPEnable", "0");
    plat::ini_write_string(folder + "\\Velquist.ini", "Language", "LangName", "");
    return folder;
}

// The station as the program starts it, over a transfer library of a few devices: the main
// window read from its description, its boxes and views wired in, the start-up run and the
// window shown in front. Unskinned, the skin component is switched off once the description is
// read and before the window shows, which leaves it as "Active = False" in the description
// would: the skin manager is there, no window is skinned.
class Station {
public:
    Station(const std::string& folder, bool skinned)
        : skinned_(skinned), conf_(nullptr, globals_.Texts), msg_(nullptr, globals_.Texts), multi_(nullptr) {
        library_.device_count = kDevices;
        const std::string exe = folder + "\\Velquist.exe";
        form_ = std::make_unique<forms::TMainForm>(globals_, library_, exe, "");
        if (!skinned) form_->SkinData1->SetActive(false);
        form_->window_proc.add("bench", [this](ui::Message& m, const ui::MessageChain::Next& next) {
            if (m.msg == WM_PAINT) ++paints_;
            next(m);
        });
        form_->ConfForm = &conf_;
        form_->MsgForm = &msg_;
        views_ = std::make_unique<forms::StationViews>(*form_, globals_, library_,
                                                       forms::StationViews::Boxes{conf_, msg_, multi_}, exe);
        views_->Use.Prompts = &prompts_;
        views_->Use.Volume = &volume_;
        form_->Views = views_.get();
        form_->FormCreate();
        form_->show();
        SetForegroundWindow(form_->handle());
        SetActiveWindow(form_->handle());
    }
    ~Station() {
        form_->FormDestroy();
        form_.reset();
        views_.reset();
        // The next start finds no skin manager, as a new process would.
        skin::TSkinManage::Shutdown();
    }
    Station(const Station&) = delete;
    Station& operator=(const Station&) = delete;

    forms::TMainForm& form() { return *form_; }
    HWND window() const { return form_->handle(); }

    // The window has painted its client and no window of the thread waits for a paint;
    // skinned, after the skin started on it (which repaints its frame and children).
    bool Painted() const { return paints_ > 0 && (!skinned_ || SkinnedNow(form_->handle())) && NothingToPaint(); }

private:
    bool skinned_;
    station::StationGlobals globals_;
    test_support::FakeTransferLibrary library_;
    SilentPrompts prompts_;
    plat::media::FakeMasterVolume volume_;
    forms::TConfForm conf_;
    forms::TMsgForm msg_;
    forms::TMultiConfForm multi_;
    std::unique_ptr<forms::StationViews> views_;
    std::unique_ptr<forms::TMainForm> form_;
    int paints_ = 0;
};

const char* LookName(bool skinned) { return skinned ? "skinned" : "unskinned"; }

void StartFigures() {
    std::printf("station start to its first painted main window, ms (%d starts each, in turn)\n", kStarts);
    {
        // Untimed: the first window of a process loads fonts and libraries that later ones find.
        Station first(FreshProgramFolder(), true);
        PumpUntil([&] { return first.Painted(); }, kPaintTimeoutMs);
    }
    std::vector<double> shown[2], painted[2];
    for (int run = 0; run < kStarts; ++run)
        for (bool skinned : {true, false}) {
            const std::string folder = FreshProgramFolder();
            const auto start = Clock::now();
            Station station(folder, skinned);
            const double made = MsSince(start);
            if (!PumpUntil([&] { return station.Painted(); }, kPaintTimeoutMs)) continue;
            shown[skinned].push_back(made);
            painted[skinned].push_back(MsSince(start));
        }
    const auto mean = [](const std::vector<double>& v) {
        double sum = 0;
        for (double t : v) sum += t;
        return v.empty() ? 0 : sum / static_cast<double>(v.size());
    };
    for (bool skinned : {true, false}) {
        const std::vector<double>& p = painted[skinned];
        std::printf("  %-10s painted: mean %7.1f  max %7.1f   of which made, started and shown: mean %7.1f"
                    "   (%zu of %d painted)\n",
                    LookName(skinned), mean(p), p.empty() ? 0 : *std::max_element(p.begin(), p.end()),
                    mean(shown[skinned]), p.size(), kStarts);
    }
}

void ShownFigures(bool skinned, double idle_seconds) {
    const char* look = LookName(skinned);
    Station station(FreshProgramFolder(), skinned);
    if (!station.form().FStateFrame || !PumpUntil([&] { return station.Painted(); }, kPaintTimeoutMs)) {
        std::printf("  %s: the window was not painted\n", look);
        return;
    }
    const HWND window = station.window();
    SaveScreenshot(window, std::string("station-state-") + look);
    const Idle idle = IdleFor(idle_seconds);
    std::printf("  %-10s idle for %.0f s with the state view: %6.2f %% of one core, %.1f timer messages a second%s\n",
                look, idle_seconds, idle.cpu_percent, idle.timer_messages_per_second,
                GetForegroundWindow() == window ? "" : " (the window was not in front)");
    const Spread state = Repaints(window, kRepaints);
    std::printf("  %-10s full repaint, state view:  mean %7.2f ms   max %7.2f ms\n", look, state.mean_ms, state.max_ms);
    station.form().actQueryExecute();
    if (!station.form().FSearchFrame || !PumpUntil([&] { return station.Painted(); }, kPaintTimeoutMs)) {
        std::printf("  %s: the search view was not painted\n", look);
        return;
    }
    SaveScreenshot(window, std::string("station-search-") + look);
    const Spread search = Repaints(window, kRepaints);
    std::printf("  %-10s full repaint, search view: mean %7.2f ms   max %7.2f ms\n", look, search.mean_ms,
                search.max_ms);
}

} // namespace

void BenchStationWindow(double idle_seconds) {
    StartFigures();
    std::printf("station main window shown (%d devices), %d repaints each "
                "(RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW)\n",
                kDevices, kRepaints);
    for (bool skinned : {true, false}) ShownFigures(skinned, idle_seconds);
    RemoveTree(ProgramFolder());
}
