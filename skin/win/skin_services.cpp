#include "skin/win/skin_services.h"

namespace skin {

namespace {

// The entry points are looked up once: their absence is a property of the system.
template <class Fn>
Fn UserEntry(const char* name) {
    HMODULE user = GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user, name))) : nullptr;
}

using GetScrollBarInfoFn = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using TrackMouseEventFn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);

GetScrollBarInfoFn ScrollBarInfoEntry() {
    static const GetScrollBarInfoFn fn = UserEntry<GetScrollBarInfoFn>("GetScrollBarInfo");
    return fn;
}

TrackMouseEventFn TrackMouseEntry() {
    static const TrackMouseEventFn fn = UserEntry<TrackMouseEventFn>("TrackMouseEvent");
    return fn;
}

} // namespace

ui::WinControl* ControlOfWindow(HWND window) { return window ? ui::WinControl::find_control(window) : nullptr; }

int DrawTextAuto(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
    return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

bool HasScrollBarInfo() { return ScrollBarInfoEntry() != nullptr; }

bool GetScrollBarInfoSafe(HWND window, LONG object, SCROLLBARINFO& info) {
    const GetScrollBarInfoFn fn = ScrollBarInfoEntry();
    if (!fn) return false;
    info.cbSize = sizeof info;
    return fn(window, object, &info) != FALSE;
}

bool TrackMouseLeave(HWND window) {
    const TrackMouseEventFn fn = TrackMouseEntry();
    if (!fn) return false;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window;
    return fn(&track) != FALSE;
}

} // namespace skin
