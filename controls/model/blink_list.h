// The one blink timer of the process: every blinking label and status pane changes colour on
// the same tick, so two of them never show different phases.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/component.h"

namespace ec {

constexpr unsigned CM_QUERYBLINK = 0xB3E8;  // answer 1 while blinking
constexpr unsigned CM_BLINKSTEP = 0xB3E9;   // wParam: the new phase

// The timer that drives the list: it is told the next interval after every tick.
class BlinkClock {
public:
    virtual ~BlinkClock() = default;
    virtual void set_interval(unsigned ms) = 0;
};

// Sends a component message synchronously and returns the answer.
using ComponentMessenger = std::function<std::intptr_t(ui::Component& target, unsigned msg, std::uintptr_t wparam)>;

class BlinkingControlsList {
public:
    // The clock starts with the off interval.
    BlinkingControlsList(std::unique_ptr<BlinkClock> clock, ComponentMessenger messenger);

    void register_control(ui::Component* control);
    // Removes the first occurrence.
    void unregister_control(ui::Component* control);
    int registered_count() const { return static_cast<int>(controls_.size()); }

    // 1 while blinking controls show their blink colour, 0 while they show their normal one.
    int phase() const { return phase_; }
    // Intervals are 16-bit milliseconds, clamped to 1..65535.
    unsigned on_interval() const { return on_interval_; }
    void set_on_interval(int ms);
    unsigned off_interval() const { return off_interval_; }
    void set_off_interval(int ms);

    // One timer tick: flips the phase, sets the interval the new phase lasts and steps every
    // registered control that answers it is blinking.
    void tick();

private:
    std::unique_ptr<BlinkClock> clock_;
    ComponentMessenger messenger_;
    std::vector<ui::Component*> controls_;
    int phase_ = 1;
    unsigned on_interval_ = 500;
    unsigned off_interval_ = 500;
};

// The process-wide list: absent until a blinking-capable control needs it.
BlinkingControlsList* blink_list();
// The list, created with `make` when absent.
BlinkingControlsList& acquire_blink_list(const std::function<std::unique_ptr<BlinkingControlsList>()>& make);
// Frees the list when no control is registered any more.
void release_blink_list_if_empty();

} // namespace ec
