// The small window that shows a hint next to the mouse.
#pragma once
#include "platform/ui/win/control.h"

namespace ui {

class HintWindow : public CustomControl {
    UI_CLASS_IDENTITY()
public:
    explicit HintWindow(Component* owner);
    // The rectangle (origin 0, 0) the text needs, wrapped at `max_width`.
    Rect calc_hint_rect(int max_width, const std::string& text);
    // Shows `text` in `rect` (screen coordinates) without taking the focus.
    void activate_hint(const Rect& rect, const std::string& text);
    void release_handle();

protected:
    void create_params(CreateParams& p) override;
    void paint(Canvas& canvas) override;
};

} // namespace ui
