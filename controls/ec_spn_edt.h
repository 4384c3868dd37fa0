// The control set's spin buttons (two auto-repeating arrow buttons) and the spin edit, a framed
// edit holding a number that its buttons, the arrow and page keys and the wheel step.
#pragma once
#include <functional>

#include "controls/ec_button.h"
#include "controls/ec_edit.h"
#include "controls/model/spin_value.h"

namespace ec {

using SpinButtonEvent = std::function<void(ui::Component* sender, TSpinButtonType button)>;
using SpinChangingEvent = std::function<void(ui::Component* sender, long double new_value, bool& allow_change)>;

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

class TEcSpinEdit : public TEcCustomEdit {
    UI_CLASS_IDENTITY()
public:
    explicit TEcSpinEdit(ui::Component* owner);
    ~TEcSpinEdit() override;

    // The text converted, clamped to the range whenever the range applies (also before the edit
    // lost the focus); an empty text reads as BlankValue with AllowBlank, else as Min, which the
    // edit then shows.
    long double value();
    // Clamped, then shown with Decimals digits.
    void set_value(long double v);
    // Value without touching the text (for descriptions).
    long double current_value() const;
    long long int_value();
    void set_int_value(long long v);
    long double min_value() const { return range_.min; }
    void set_min_value(long double v);
    long double max_value() const { return range_.max; }
    void set_max_value(long double v);
    bool check_range() const { return range_.check_range; }
    void set_check_range(bool v);
    long double clamp_value(long double v) const { return range_.clamp(v); }
    long double increment() const { return increment_; }
    void set_increment(long double v) { increment_ = v; }
    long double page_size() const { return page_size_; }
    void set_page_size(long double v) { page_size_ = v; }
    int decimals() const { return decimals_; }
    void set_decimals(int v);
    bool integers_only() const { return integers_only_; }
    void set_integers_only(bool v);
    bool allow_blank() const { return allow_blank_; }
    void set_allow_blank(bool v) { allow_blank_ = v; }
    long double blank_value() const { return blank_value_; }
    void set_blank_value(long double v) { blank_value_ = v; }
    bool allow_key_edit() const { return allow_key_edit_; }
    void set_allow_key_edit(bool v) { allow_key_edit_ = v; }
    int button_width() const { return button_width_; }
    void set_button_width(int v);
    TSpinDirection direction() const { return buttons_->direction(); }
    void set_direction(TSpinDirection v) { buttons_->set_direction(v); }
    TOrientation orientation() const { return buttons_->orientation(); }
    void set_orientation(TOrientation v);
    void set_flat_buttons(bool v) override;

    TEcSpinButtons& buttons() { return *buttons_; }
    const TEcSpinButtons& buttons() const { return *buttons_; }

    // Steps by `amount` (a read-only edit only beeps); OnChanging may veto.
    void inc_value(long double amount);
    void dec_value(long double amount);
    void spin_up() { inc_value(increment_); }
    void spin_down() { dec_value(increment_); }

    void frame_look_changed(bool recolour) override;
    void set_bounds(int left, int top, int width, int height) override;
    void wnd_proc(ui::Message& m) override;

    SpinChangingEvent on_changing;
    SpinButtonEvent on_button_click;

protected:
    virtual void layout_spin_buttons();
    virtual void update_margins();
    virtual bool is_valid_char(wchar_t ch);
    void create_wnd() override;
    void loaded() override;
    void read_only_changed() override;
    void update_hot_state(bool mouse, bool value) override;
    void color_changed() override;
    bool do_key_down(WORD& key, ui::TShiftState shift) override;
    bool do_key_press(wchar_t& key) override;
    bool do_mouse_wheel_down(ui::TShiftState shift, POINT mouse_pos) override;
    bool do_mouse_wheel_up(ui::TShiftState shift, POINT mouse_pos) override;

private:
    void step(long double amount, TSpinButtonType button);
    void rewrite_value();
    void update_button_look();
    void left_edit();

    TEcSpinButtons* buttons_ = nullptr;
    SpinRange range_;
    long double increment_ = 1, page_size_ = 10, blank_value_ = 0;
    int decimals_ = 0, button_width_ = 17;
    bool integers_only_ = true, allow_blank_ = false, allow_key_edit_ = false;
    long double loaded_value_ = 0;  // Value as a description gave it, applied once Min and Max are read
};

} // namespace ec
