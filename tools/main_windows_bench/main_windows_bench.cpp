// Figures of the two programs' main windows, each skinned by its own default skin and, for
// comparison, with its skin component switched off: the station's start to its first painted
// window, a full repaint of it with each view, its CPU while idle, and the setup tool's repaint
// with 200 devices listed. Prints milliseconds and percentages; run under Wine.
//   main_windows_bench [--idle-seconds N]     the idle figure's duration (default 60)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "controls/register_control_set.h"
#include "platform/media/com_ptr.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/win/application.h"
#include "skin/win/skin_data.h"
#include "kesto_window_bench.h"
#include "station_window_bench.h"

int main(int argc, char** argv) {
    double idle_seconds = 60;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--idle-seconds") == 0 && i + 1 < argc && std::atof(argv[i + 1]) > 0) {
            idle_seconds = std::atof(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: main_windows_bench [--idle-seconds N]\n");
            return 2;
        }
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // The search view's player needs COM on the window thread.
    plat::media::ComApartment com;
    ui::application().initialize();
    // The windows are read from their descriptions: every class they name is known first.
    ui::register_control_classes();
    ec::register_control_set_classes();
    ui::register_class(skin::TSkinData::static_class());
    // Said, not shown in a box that would wait for a click.
    ui::application().on_exception = [](const std::string& message) { std::printf("error: %s\n", message.c_str()); };
    skin::SetSkinFaultNotifier([](const skin::SkinLoadFault& f) { std::printf("skin fault: %s\n", f.text.c_str()); });
    BenchStationWindow(idle_seconds);
    BenchKestoWindow();
    return 0;
}
