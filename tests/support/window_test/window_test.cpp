#include "tests/support/window_test/window_test.h"

#include "platform/files.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/screenshot.h"

namespace window_test {

bool pump_until(const std::function<bool()>& done, int ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        ui::application().process_messages();
        if (done()) return true;
        if (static_cast<int>(GetTickCount() - start) >= ms) return false;
        Sleep(5);
    }
}

void pump(int ms) {
    pump_until([] { return false; }, ms);
}

std::string picture_path(const std::string& folder, const std::string& name) {
    return folder + "\\" + name + ".png";
}

bool save_picture(const ui::Bitmap& picture, const std::string& folder, const std::string& name) {
    plat::force_directories(folder);
    return !picture.empty() && ui::save_png(picture, picture_path(folder, name));
}

bool save_screenshot(HWND window, const std::string& folder, const std::string& name) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    ui::Bitmap picture;
    ui::capture_window(window, picture);
    return save_picture(picture, folder, name);
}

} // namespace window_test
