#include "ui_harness.h"

#include "platform/ui/win/screenshot.h"
#include "tests/support/window_test/window_test.h"

namespace uitest {

std::vector<std::string>& errors() {
    static std::vector<std::string> list;
    return list;
}

void ensure_application() {
    static bool done = [] {
        ui::application().initialize();
        ui::register_control_classes();
        ui::application().on_exception = [](const std::string& message) { errors().push_back(message); };
        return true;
    }();
    (void)done;
}

void pump(int ms) { window_test::pump(ms); }

// Keyboard state for GetKeyState while a posted key is handled.
static void set_shift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void press_key(HWND window, WORD key, bool shift) {
    set_shift(shift);
    PostMessageW(window, WM_KEYDOWN, key, 1);
    pump(20);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    pump(20);
    set_shift(false);
}

void click_at(HWND window, int x, int y) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    pump(30);
}

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
