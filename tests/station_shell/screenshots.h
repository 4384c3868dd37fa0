// Pictures of the windows the tests drive, for review: <build>\screenshots\station_shell\.
#pragma once
#include <windows.h>

#include <string>

namespace shell_test {

// Saves the window as <name>.png; false when it could not be written.
bool SaveScreenshot(HWND window, const std::string& name);

} // namespace shell_test
