// The control set's spin buttons (two auto-repeating arrow buttons) and the spin edit, a framed
// edit holding a number that its buttons, the arrow and page keys and the wheel step.
#pragma once
#include <functional>

#include "controls/ec_button.h"
#include "controls/model/spin_value.h"

namespace ec {

using SpinButtonEvent = std::function<void(ui::Component* sender, TSpinButtonType button)>;

class TEcSpinButtons : public ui::WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit TEcSpinButtons(ui::Component* owner);
    ~TEcSpinButtons() override;

    int delay() const;
    void set_delay(int v);
    int initial_delay() const;
    void set_initial_delay(int v);
    TSpinDirection direction() const { return direction_; }
    void set_direction(TSpinDirection v);
    bool flat() const;
    void set_flat(bool v);
    ui::WinControl* focus_control() const { return focus_control_; }
    void set_focus_control(ui::WinControl* c);
    TOrientation orientation() const { return orientation_; }
    void set_orientation(TOrientation v);
    // An empty glyph shows the direction's arrow.
    ui::Bitmap& glyph_up_right() { return up_->glyph(); }
    ui::Bitmap& glyph_down_left() { return down_->glyph(); }
    void set_glyph_up_right(const ui::Bitmap& b) { up_->set_glyph(b); }
    void set_glyph_down_left(const ui::Bitmap& b) { down_->set_glyph(b); }
    int num_glyphs_up_right() const { return up_->num_glyphs(); }
    void set_num_glyphs_up_right(int n) { up_->set_num_glyphs(n); }
    int num_glyphs_down_left() const { return down_->num_glyphs(); }
    void set_num_glyphs_down_left(int n) { down_->set_num_glyphs(n); }
    bool custom_glyph_up_right() const { return custom_up_; }
    bool custom_glyph_down_left() const { return custom_down_; }

    TEcControlButton& up_right_button() { return *up_; }
    TEcControlButton& down_left_button() { return *down_; }

    void set_enabled(bool v) override;
    void set_bounds(int left, int top, int width, int height) override;
    void wnd_proc(ui::Message& m) override;

    ui::NotifyEvent on_up_right_click, on_down_left_click;

protected:
    virtual TEcControlButton* create_arrow_button();
    virtual void arrow_button_click(TEcControlButton& button);
    // False when the focus could not go where the press needs it: the press is dropped.
    virtual bool arrow_button_mouse_down();
    virtual void arrow_glyph_changed(TEcControlButton& button);
    virtual void layout_buttons();
    void color_changed() override;
    void loaded() override;
    void notification(ui::Component* c, ui::TOperation op) override;
    bool do_key_down(WORD& key, ui::TShiftState shift) override;

private:
    class ArrowButton;
    void update_arrow(TEcControlButton& button);

    TEcControlButton* up_ = nullptr;
    TEcControlButton* down_ = nullptr;
    TEcControlButton* focused_button_ = nullptr;
    ui::WinControl* focus_control_ = nullptr;
    TSpinDirection direction_ = TSpinDirection::sdUpDown;
    TOrientation orientation_ = TOrientation::orVertical;
    bool custom_up_ = false, custom_down_ = false;
    bool setting_arrow_ = false;
};

} // namespace ec
