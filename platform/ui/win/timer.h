// Window timers on the window thread: their handlers never overlap each other or a dialog's
// own message handling.
#pragma once
#include <windows.h>

#include "platform/ui/component.h"

namespace ui {

class Timer : public Component {
    UI_CLASS_IDENTITY()
public:
    explicit Timer(Component* owner);
    ~Timer() override;

    bool enabled() const { return enabled_; }
    void set_enabled(bool v);
    unsigned interval() const { return interval_; }
    void set_interval(unsigned ms);
    NotifyEvent on_timer;
    // Runs the handler as the window timer would.
    void fire();

protected:
    void loaded() override;

private:
    void update_timer();
    bool enabled_ = true;
    unsigned interval_ = 1000;
    UINT_PTR id_ = 0;
};

} // namespace ui
