// Pictures of windows for review: the window as it is on screen, captured into a 32-bit DIB.
#pragma once
#include <windows.h>

#include <string>

#include "platform/ui/win/graphics.h"

namespace ui {

// The whole window, frame included; empty when the window has no size.
void capture_window(HWND window, Bitmap& into);
// Writes the bitmap as a PNG file (GBK path); false when the file cannot be written.
bool save_png(const Bitmap& bitmap, const std::string& path);

} // namespace ui
