// The station program: one instance per executable; a second start brings the first one back
// and ends.
#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "controls/register_control_set.h"
#include "platform/media/com_ptr.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/control.h"
#include "station/core/engine/tarnlink_library.h"
#include "station/core/gbk_literal.h"
#include "station/forms/main_form.h"
#include "station/forms/resource_ids.h"
#include "station/forms/single_instance.h"
#include "station/forms/station_views.h"

namespace {

std::string first_argument() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string first;
    if (args != nullptr && count > 1) first = plat::wide_to_gbk(args[1]);
    if (args != nullptr) LocalFree(args);
    return first;
}

int run_station() {
    forms::InstanceGuard guard;
    const std::wstring exe = forms::OwnExePath();
    if (!guard.Acquired()) {
        if (HWND running = forms::FindRunningInstance(exe)) {
            SendMessageW(running, forms::WM_RESTOREFROMTRAY, 0, 0);
            SetForegroundWindow(running);
        }
        return 0;
    }
    // The search view's player needs COM on the window thread.
    plat::media::ComApartment com;
    ui::application().initialize();
    // The windows are read from their descriptions: every class they name is known first.
    ui::register_control_classes();
    ec::register_control_set_classes();
    ui::application().set_title(station::Gbk(forms::kApplicationTitle));
    // The tray icon shows it when no image of its own applies.
    ui::application().set_icon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(VQ_ICON_MAIN)));

    station::StationGlobals globals;
    station::TarnlinkLibrary library;
    // Declared before the main window so that it goes after it: the search view on the main
    // window uses the player and stores the views hold.
    std::unique_ptr<forms::StationViews> views;
    // A window description that does not read has been told, and no window was made.
    std::unique_ptr<forms::TMainForm> main_form =
        forms::CreateMainForm(globals, library, plat::wide_to_gbk(exe), first_argument());
    if (!main_form) return 1;
    ui::application().set_main_form(main_form.get());
    auto conf = std::make_unique<forms::TConfForm>(nullptr, globals.Texts);
    auto msg = std::make_unique<forms::TMsgForm>(nullptr, globals.Texts);
    auto multi = std::make_unique<forms::TMultiConfForm>(nullptr);
    main_form->ConfForm = conf.get();
    main_form->MsgForm = msg.get();
    views = std::make_unique<forms::StationViews>(*main_form, globals, library,
                                                  forms::StationViews::Boxes{*conf, *msg, *multi},
                                                  plat::wide_to_gbk(exe));
    main_form->Views = views.get();
    main_form->FormCreate();
    ui::application().run();
    main_form->FormDestroy();
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return run_station();
    } catch (...) {
        return 1;
    }
}
