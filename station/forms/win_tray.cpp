#include "station/forms/win_tray.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "platform/text_gbk.h"

namespace forms {

namespace {
constexpr UINT kTrayIconId = 1;
constexpr UINT_PTR kAnimationTimerId = 1;
const wchar_t kWindowClass[] = L"VelquistTrayIconWindow";

} // namespace

DWORD ShellMajorVersion() {
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (shell == nullptr) return 0;
    auto get_version = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(shell, "DllGetVersion")));
    if (get_version == nullptr) return 0;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    return SUCCEEDED(get_version(&info)) ? info.dwMajorVersion : 0;
}

WinTrayShell::WinTrayShell(HWND window) : window_(window), new_shell_(ShellMajorVersion() >= 5) {}

bool WinTrayShell::Send(DWORD message, IconHandle icon, const std::string& tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = new_shell_ ? NOTIFYICONDATAW_V2_SIZE : NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window_;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | (tip.empty() ? 0 : NIF_TIP);
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(icon);
    // The tip was cut to the field in GBK characters; the wide form is never longer.
    const std::wstring wide = plat::gbk_to_wide(tip);
    const std::size_t room = (new_shell_ ? 128 : 64) - 1;
    std::memcpy(data.szTip, wide.data(), std::min(wide.size(), room) * sizeof(wchar_t));
    return Shell_NotifyIconW(message, &data) != FALSE;
}

bool WinTrayShell::Add(IconHandle icon, const std::string& tip) { return Send(NIM_ADD, icon, tip); }
bool WinTrayShell::Modify(IconHandle icon, const std::string& tip) { return Send(NIM_MODIFY, icon, tip); }
void WinTrayShell::Delete() { Send(NIM_DELETE, 0, {}); }

ResourceIcons::ResourceIcons(const std::vector<int>& resource_ids, int size) {
    for (int id : resource_ids) {
        HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0);
        if (icon != nullptr) icons_.push_back(static_cast<HICON>(icon));
    }
}

ResourceIcons::~ResourceIcons() {
    for (HICON icon : icons_) DestroyIcon(icon);
}

IconHandle ResourceIcons::Icon(int index) const {
    if (index < 0 || index >= Count()) return 0;
    return reinterpret_cast<IconHandle>(icons_[static_cast<std::size_t>(index)]);
}

UINT WinTrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

WinTrayIcon::WinTrayIcon(ITrayApplication& app) : app_(app) {
    static const ATOM registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &WinTrayIcon::WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kWindowClass;
        return RegisterClassW(&wc);
    }();
    (void)registered;
    TaskbarCreatedMessage();
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    shell_.target = std::make_unique<WinTrayShell>(window_);
    tray_ = std::make_unique<TrayIcon>(shell_, app_);
}

WinTrayIcon::~WinTrayIcon() {
    tray_.reset();  // deletes the icon while the window still exists
    if (window_ != nullptr) {
        KillTimer(window_, kAnimationTimerId);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void WinTrayIcon::UseShell(std::unique_ptr<ITrayShell> shell) { shell_.target = std::move(shell); }

void WinTrayIcon::SetTimer(bool enabled, int interval_ms) {
    if (enabled) {
        ::SetTimer(window_, kAnimationTimerId, static_cast<UINT>(interval_ms > 0 ? interval_ms : 1), nullptr);
    } else {
        KillTimer(window_, kAnimationTimerId);
    }
}

LRESULT CALLBACK WinTrayIcon::WindowProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<WinTrayIcon*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || !self->tray_) return DefWindowProcW(window, msg, wparam, lparam);
    // No exception may leave a window procedure.
    try {
        return self->Handle(msg, wparam, lparam);
    } catch (...) {
        return 0;
    }
}

LRESULT WinTrayIcon::Handle(UINT msg, WPARAM wparam, LPARAM lparam) {
    TrayIcon& tray = *tray_;
    if (msg == kTrayCallbackMessage) {
        tray.OnCallback(static_cast<unsigned>(lparam));
        return 0;
    }
    if (msg == TaskbarCreatedMessage()) {
        tray.OnTaskbarCreated();
        return 0;
    }
    switch (msg) {
    case WM_TIMER:
        if (wparam == kAnimationTimerId) tray.AnimateTick();
        return 0;
    case WM_QUERYENDSESSION:
        return tray.OnQueryEndSession();
    case WM_ENDSESSION:
        tray.OnEndSession(wparam != 0);
        return 0;
    default:
        return DefWindowProcW(window_, msg, wparam, lparam);
    }
}

} // namespace forms
