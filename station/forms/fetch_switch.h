// Switching the fetching of recordings on and off, and what follows it on the screen: the
// start/stop button's image and caption, the tray icon's images and animation, and the timer
// that starts and stops the animation with the devices' downloads.
#pragma once
#include <functional>
#include <string>

#include "station/core/engine/board_info.h"
#include "station/core/station_texts.h"

namespace forms {

// The tray icon's two image lists: the small images while fetching is off, the animation
// frames while it runs.
enum class TrayImages { Small, Animation };

class IFetchControls {
public:
    virtual ~IFetchControls() = default;
    virtual void SetStartStopButton(int image, const std::string& caption) = 0;
    virtual void SetAnimateTimer(bool enabled) = 0;
    // The tray icon.
    virtual bool TrayAnimating() const = 0;
    virtual void SetTrayAnimating(bool on) = 0;
    virtual void ShowTrayIcon(TrayImages images, int index) = 0;
    // Hides the window to the tray (as closing it does).
    virtual void HideToTray() = 0;
};

// Images of the start/stop button and of the tray in its two states.
constexpr int kStartImage = 0, kStopImage = 1;
constexpr int kTrayIdleIcon = 3;

// True when some device is connected and downloading.
bool AnyDeviceDownloading(const station::BoardTable& boards, int device_count);

class FetchSwitch {
public:
    FetchSwitch(IFetchControls& controls, const station::StationTexts& texts, std::function<void()> start_fetching,
                std::function<void()> stop_fetching);

    bool Running() const { return running_; }
    // The start/stop button and the tray menu item.
    void Toggle();
    // The animation timer's tick.
    void AnimateTick(bool some_device_downloading);
    // The one-shot timer of a start at log-on: hide to the tray, then fetch if not yet fetching.
    void HideToTrayAndFetch();
    // What the button (and so the tray menu item) says now.
    const std::string& Caption() const { return caption_; }
    // After a change of language: the caption of the current state again.
    void ApplyTexts();

private:
    IFetchControls& controls_;
    const station::StationTexts& texts_;
    std::function<void()> start_, stop_;
    bool running_ = false;
    std::string caption_;
};

} // namespace forms
