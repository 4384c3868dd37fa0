// Helpers for window tests under Wine: one initialised application, message pumping with a
// time limit, posted input, and screenshots saved under the build tree for review.
#pragma once
#include <windows.h>

#include <string>

#include "platform/ui/win/application.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/graphics.h"

namespace uitest {

// Initialises the application and the class registry once; failed handlers are collected in
// `errors()` instead of showing a box.
void ensure_application();
std::vector<std::string>& errors();

// Handles waiting messages for about `ms` milliseconds (at least one pass).
void pump(int ms = 50);
// Posts a key press (down, char when printable, up) to `window` and handles it.
void press_key(HWND window, WORD key, bool shift = false);
// A left click at a client point of `window`.
void click_at(HWND window, int x, int y);
// Saves the window as <build>/platform_ui_screenshots/<name>.png; returns the path.
std::string screenshot(HWND window, const std::string& name);
// Saves a bitmap the same way.
std::string save_bitmap(const ui::Bitmap& bitmap, const std::string& name);

} // namespace uitest
