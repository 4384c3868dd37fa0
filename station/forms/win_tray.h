// The tray icon on Windows: the notification area through Shell_NotifyIconW, and the icon's own
// hidden window, which receives the shell's callbacks, the "TaskbarCreated" broadcast, the
// session-end messages and the animation timer. (The window class library has no hidden
// message window of its own; this one is a top-level window because broadcasts never reach
// message-only windows.)
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "station/forms/tray_icon.h"

namespace forms {

constexpr UINT kTrayCallbackMessage = 0x2422;

class WinTrayShell final : public ITrayShell {
public:
    explicit WinTrayShell(HWND window);
    bool NewShell() const override { return new_shell_; }
    bool Add(IconHandle icon, const std::string& tip) override;
    bool Modify(IconHandle icon, const std::string& tip) override;
    void Delete() override;

private:
    bool Send(DWORD message, IconHandle icon, const std::string& tip);
    HWND window_;
    bool new_shell_;
};

// The major version of the shell library; 0 when it does not tell.
DWORD ShellMajorVersion();

// Icons loaded from the program's resources, freed with the list.
class ResourceIcons final : public ITrayIconList {
public:
    ResourceIcons(const std::vector<int>& resource_ids, int size);
    ~ResourceIcons() override;
    ResourceIcons(const ResourceIcons&) = delete;
    ResourceIcons& operator=(const ResourceIcons&) = delete;
    int Count() const override { return static_cast<int>(icons_.size()); }
    IconHandle Icon(int index) const override;
    HICON Handle(int index) const { return reinterpret_cast<HICON>(Icon(index)); }

private:
    std::vector<HICON> icons_;
};

// The shell the component talks to; tests may replace it before the icon is loaded.
class SwappableShell final : public ITrayShell {
public:
    std::unique_ptr<ITrayShell> target;
    bool NewShell() const override { return target->NewShell(); }
    bool Add(IconHandle icon, const std::string& tip) override { return target->Add(icon, tip); }
    bool Modify(IconHandle icon, const std::string& tip) override { return target->Modify(icon, tip); }
    void Delete() override { target->Delete(); }
};

// The whole component: its window, the shell seam and the rules.
class WinTrayIcon {
public:
    explicit WinTrayIcon(ITrayApplication& app);
    ~WinTrayIcon();
    WinTrayIcon(const WinTrayIcon&) = delete;
    WinTrayIcon& operator=(const WinTrayIcon&) = delete;

    TrayIcon& Tray() { return *tray_; }
    HWND Window() const { return window_; }
    // Starts or stops the animation timer of the icon's window.
    void SetTimer(bool enabled, int interval_ms);
    // Lets tests stand in for the shell (to refuse an add, for instance).
    void UseShell(std::unique_ptr<ITrayShell> shell);

    static UINT TaskbarCreatedMessage();

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wparam, LPARAM lparam);

    ITrayApplication& app_;
    HWND window_ = nullptr;
    SwappableShell shell_;
    std::unique_ptr<TrayIcon> tray_;
};

} // namespace forms
