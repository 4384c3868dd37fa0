#include "station/forms/fetch_switch.h"

#include <algorithm>

namespace forms {

bool AnyDeviceDownloading(const station::BoardTable& boards, int device_count) {
    const int count = std::clamp(device_count, 0, station::kMaxBoards);
    return std::any_of(boards.begin(), boards.begin() + count, [](const station::ABoardInfo& b) {
        return b.Connected == 1 && b.State == station::StateFTPProcessing;
    });
}

FetchSwitch::FetchSwitch(IFetchControls& controls, const station::StationTexts& texts,
                         std::function<void()> start_fetching, std::function<void()> stop_fetching)
    : controls_(controls), texts_(texts), start_(std::move(start_fetching)), stop_(std::move(stop_fetching)),
      caption_(texts.Get("Caption.StartFTP")) {}

void FetchSwitch::Toggle() {
    if (running_) {
        if (stop_) stop_();
        caption_ = texts_.Get("Caption.StartFTP");
        controls_.SetStartStopButton(kStartImage, caption_);
        controls_.SetAnimateTimer(false);
        controls_.SetTrayAnimating(false);
        controls_.ShowTrayIcon(TrayImages::Small, kTrayIdleIcon);
    } else {
        if (start_) start_();
        caption_ = texts_.Get("Caption.StopFTP");
        controls_.SetStartStopButton(kStopImage, caption_);
        controls_.SetTrayAnimating(false);
        controls_.ShowTrayIcon(TrayImages::Animation, 0);
        controls_.SetAnimateTimer(true);
    }
    running_ = !running_;
}

void FetchSwitch::AnimateTick(bool some_device_downloading) {
    if (!running_) return;
    if (some_device_downloading) {
        if (!controls_.TrayAnimating()) controls_.SetTrayAnimating(true);
    } else if (controls_.TrayAnimating()) {
        controls_.SetTrayAnimating(false);
        controls_.ShowTrayIcon(TrayImages::Animation, 0);
    }
}

void FetchSwitch::HideToTrayAndFetch() {
    controls_.HideToTray();
    if (!running_) Toggle();
}

void FetchSwitch::ApplyTexts() {
    caption_ = texts_.Get(running_ ? "Caption.StopFTP" : "Caption.StartFTP");
    controls_.SetStartStopButton(running_ ? kStopImage : kStartImage, caption_);
}

} // namespace forms
