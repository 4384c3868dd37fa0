// A windowed container whose children may be taller than it: a vertical scroll bar shows up
// when they are, and scrolling moves the children.
#pragma once
#include "platform/ui/win/control.h"

namespace ui {

class ScrollBox : public WinControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know.
    static ClassInfo& scrolling_class();
public:
    explicit ScrollBox(Component* owner);
    bool adopt_child(Component* child) override;

    TBorderStyle border_style() const { return border_style_; }
    void set_border_style(TBorderStyle s);

    // How far the children are scrolled up, in pixels.
    int scroll_position() const { return position_; }
    void scroll_to(int position);
    // The height the children need, measured from the unscrolled top.
    int content_height() const;
    // Scrolls so that `c` (a child at any depth) is wholly inside the client area when it can be.
    void scroll_in_view(const Control& c);

    void align_controls(Control* changed, Rect& r) override;
    void wnd_proc(Message& m) override;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;

private:
    void update_scroll_bar();
    int max_position() const;
    TBorderStyle border_style_ = TBorderStyle::bsSingle;
    int position_ = 0;
    int wheel_rest_ = 0;  // wheel movement below one step, kept for the next message
    bool updating_ = false;
};

} // namespace ui
