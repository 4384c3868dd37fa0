// Helpers for the library's own window tests under Wine: message pumping and screenshots saved
// under the build tree for review; the application and posted input come from window_test.
#pragma once
#include <windows.h>

#include <string>

#include "platform/ui/win/application.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/graphics.h"
#include "tests/support/window_test/window_test.h"

namespace uitest {

using window_test::click_at;
using window_test::ensure_application;
using window_test::errors;
using window_test::press_key;

// Handles waiting messages for about `ms` milliseconds (at least one pass).
void pump(int ms = 50);
// Saves the window as <build>/platform_ui_screenshots/<name>.png; returns the path.
std::string screenshot(HWND window, const std::string& name);
// Saves a bitmap the same way.
std::string save_bitmap(const ui::Bitmap& bitmap, const std::string& name);

} // namespace uitest
