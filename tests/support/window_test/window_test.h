// Helpers for the window tests under Wine: handling the thread's messages for a while, and
// pictures of windows saved as PNG files below the working folder (the build tree) for review.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/win/graphics.h"

namespace window_test {

// Initialises the application and the class registry once; failed handlers are collected in
// `errors()` instead of showing a box.
void ensure_application();
std::vector<std::string>& errors();

// Posts a key press (down, then up) to `window` and handles it, with Shift held when asked.
void press_key(HWND window, WORD key, bool shift = false);
// A left click at a client point of `window`, handled before returning.
void click_at(HWND window, int x, int y);
// A left press and release at the middle of `control`, sent, so that what the click does is done
// on return: the control set's painted buttons answer the mouse, not BM_CLICK.
void press_middle(HWND control);

// Handles the thread's messages until `done` holds or about `ms` milliseconds passed; one pass
// at least, so that a zero wait still lets posted messages through.
bool pump_until(const std::function<bool()>& done, int ms);
// Handles the thread's messages for about `ms` milliseconds (one pass at least).
void pump(int ms);

// <folder>\<name>.png, relative to the working folder.
std::string picture_path(const std::string& folder, const std::string& name);
// Saves `picture` as picture_path(folder, name), making the folder first; false when nothing
// could be written.
bool save_picture(const ui::Bitmap& picture, const std::string& folder, const std::string& name);
// Repaints `window` with its frame and children first, so that the picture shows what the test
// just changed, then saves it as save_picture does.
bool save_screenshot(HWND window, const std::string& folder, const std::string& name);

} // namespace window_test
