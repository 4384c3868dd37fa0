#include "tests/station_shell/screenshots.h"

#include "tests/support/window_test/window_test.h"

namespace shell_test {

bool SaveScreenshot(HWND window, const std::string& name) {
    return window_test::save_screenshot(window, "screenshots\\station_shell", name);
}

} // namespace shell_test
