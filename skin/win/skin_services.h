// Services of the skin engine that its skinned windows and controls call: finding the library's
// control behind a window, wide text drawing, and the system calls an older system may lack.
#pragma once
#include <windows.h>

#include <string>

#include "platform/ui/win/control.h"

namespace skin {

// The window class library's control of `window`, or nullptr for a window it did not make.
ui::WinControl* ControlOfWindow(HWND window);
// Draws wide text: the W API exists on every system the programs run on.
int DrawTextAuto(HDC dc, const std::wstring& text, RECT& rect, UINT format);
// GetScrollBarInfo and TrackMouseEvent with TME_LEAVE when the system offers them; false when
// it does not or the call fails.
bool GetScrollBarInfoSafe(HWND window, LONG object, SCROLLBARINFO& info);
bool TrackMouseLeave(HWND window);
// Whether the system has GetScrollBarInfo at all (the component skins no scroll bars without).
bool HasScrollBarInfo();

} // namespace skin
