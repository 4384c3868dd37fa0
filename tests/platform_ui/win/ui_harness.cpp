#include "ui_harness.h"

#include "platform/ui/win/screenshot.h"
#include "tests/support/window_test/window_test.h"

namespace uitest {

void pump(int ms) { window_test::pump(ms); }

static const char kScreenshots[] = "platform_ui_screenshots";

std::string save_bitmap(const ui::Bitmap& bitmap, const std::string& name) {
    window_test::save_picture(bitmap, kScreenshots, name);
    return window_test::picture_path(kScreenshots, name);
}

std::string screenshot(HWND window, const std::string& name) {
    pump(100);
    ui::Bitmap shot;
    ui::capture_window(window, shot);
    return save_bitmap(shot, name);
}

} // namespace uitest
