#include "controls/model/blink_list.h"

#include <algorithm>

namespace ec {

namespace {

unsigned clamp_interval(int ms) { return static_cast<unsigned>(std::min(std::max(ms, 1), 65535)); }

std::unique_ptr<BlinkingControlsList>& the_list() {
    static std::unique_ptr<BlinkingControlsList> list;
    return list;
}

} // namespace

BlinkingControlsList::BlinkingControlsList(std::unique_ptr<BlinkClock> clock, ComponentMessenger messenger)
    : clock_(std::move(clock)), messenger_(std::move(messenger)) {
    if (clock_) clock_->set_interval(off_interval_);
}

void BlinkingControlsList::register_control(ui::Component* control) {
    if (control) controls_.push_back(control);
}

void BlinkingControlsList::unregister_control(ui::Component* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it != controls_.end()) controls_.erase(it);
}

void BlinkingControlsList::set_on_interval(int ms) { on_interval_ = clamp_interval(ms); }
void BlinkingControlsList::set_off_interval(int ms) { off_interval_ = clamp_interval(ms); }

void BlinkingControlsList::tick() {
    phase_ = phase_ == 0 ? 1 : 0;
    if (clock_) clock_->set_interval(phase_ == 1 ? on_interval_ : off_interval_);
    if (!messenger_) return;
    // A copy: a control may unregister itself while it repaints.
    const std::vector<ui::Component*> registered = controls_;
    for (ui::Component* c : registered) {
        if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
        if (messenger_(*c, CM_QUERYBLINK, 0) == 1) messenger_(*c, CM_BLINKSTEP, static_cast<std::uintptr_t>(phase_));
    }
}

BlinkingControlsList* blink_list() { return the_list().get(); }

BlinkingControlsList& acquire_blink_list(const std::function<std::unique_ptr<BlinkingControlsList>()>& make) {
    if (!the_list()) the_list() = make();
    return *the_list();
}

void release_blink_list_if_empty() {
    if (the_list() && the_list()->registered_count() == 0) the_list().reset();
}

} // namespace ec
