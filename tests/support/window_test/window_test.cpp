#include "tests/support/window_test/window_test.h"

#include "platform/files.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/screenshot.h"

namespace window_test {

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

namespace {

// Keyboard state for GetKeyState while a posted key is handled.
void set_shift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

} // namespace

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

void press_middle(HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageW(control, WM_LBUTTONUP, 0, middle);
}

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
