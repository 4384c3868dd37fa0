#include "tests/station_shell/screenshots.h"

#include "platform/files.h"
#include "platform/ui/win/screenshot.h"

namespace shell_test {

bool SaveScreenshot(HWND window, const std::string& name) {
    const std::string folder = "screenshots\\station_shell";
    plat::force_directories(folder);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    ui::Bitmap picture;
    ui::capture_window(window, picture);
    return !picture.empty() && ui::save_png(picture, folder + "\\" + name + ".png");
}

} // namespace shell_test
