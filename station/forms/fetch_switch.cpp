#include "station/forms/fetch_switch.h"

#include <algorithm>

namespace forms {

bool AnyDeviceDownloading(const station::BoardTable& boards, int device_count) {
    const int count = std::clamp(device_count, 0, station::kMaxBoards);
    return std::any_of(boards.begin(), boards.begin() + count, [](const station::ABoardInfo& b) {
        return b.Connected == 1 && b.State == station::StateFTPProcessing;
    });
}

FetchSwitch::FetchSwitch(IFetchControls& controls, TrayIcon& tray, const ITrayIconList& small_icons,
                         const ITrayIconList& animation_icons, const station::StationTexts& texts,
                         std::function<void()> start_fetching, std::function<void()> stop_fetching)
    : controls_(controls), tray_(tray), small_icons_(small_icons), animation_icons_(animation_icons),
      texts_(texts), start_(std::move(start_fetching)), stop_(std::move(stop_fetching)),
      caption_(texts.Get("Caption.StartFTP")) {}

void FetchSwitch::Toggle() {
    if (running_) {
        if (stop_) stop_();
        caption_ = texts_.Get("Caption.StartFTP");
        controls_.SetStartStopButton(kStartImage, caption_);
        controls_.SetAnimateTimer(false);
        tray_.SetAnimate(false);
        tray_.SetIcons(&small_icons_);
        tray_.SetIconIndex(kTrayIdleIcon);
    } else {
        if (start_) start_();
        caption_ = texts_.Get("Caption.StopFTP");
        controls_.SetStartStopButton(kStopImage, caption_);
        tray_.SetAnimate(false);
        tray_.SetIcons(&animation_icons_);
        tray_.SetIconIndex(0);
        controls_.SetAnimateTimer(true);
    }
    running_ = !running_;
}

void FetchSwitch::AnimateTick(bool some_device_downloading) {
    if (!running_) return;
    if (some_device_downloading) {
        if (!tray_.Animate()) tray_.SetAnimate(true);
    } else if (tray_.Animate()) {
        tray_.SetAnimate(false);
        tray_.SetIconIndex(0);
    }
}

void FetchSwitch::HideToTrayAndFetch() {
    tray_.SetHideOnMinimize(true);
    tray_.MinimizeApp();
    if (!running_) Toggle();
}

void FetchSwitch::ApplyTexts() {
    caption_ = texts_.Get(running_ ? "Caption.StopFTP" : "Caption.StartFTP");
    controls_.SetStartStopButton(running_ ? kStopImage : kStartImage, caption_);
}

} // namespace forms
