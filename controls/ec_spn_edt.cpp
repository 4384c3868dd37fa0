#include "controls/ec_spn_edt.h"

namespace ec {

// ---------------------------------------------------------------------------------------------
// TEcSpinButtons

// A press first takes the focus where the spin buttons send it; the button goes down only once
// that worked.
class TEcSpinButtons::ArrowButton : public TEcControlButton {
public:
    ArrowButton(TEcSpinButtons& owner) : TEcControlButton(&owner), owner_(owner) {}

protected:
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override {
        if (button == ui::TMouseButton::mbLeft && !owner_.arrow_button_mouse_down()) return;
        TEcControlButton::mouse_down(button, shift, x, y);
    }

private:
    TEcSpinButtons& owner_;
};

ui::ClassInfo& TEcSpinButtons::static_class() {
    static ui::ClassInfo info = [] {
        using C = TEcSpinButtons;
        ui::ClassInfo c("TEcSpinButtons", &ui::WinControl::static_class());
        c.factory = ui::factory_of<TEcSpinButtons>();
        ui::PropBuilder<C> b(c);
        b.integer("Delay", &C::delay, &C::set_delay, 100, "Word")
            .enumeration("Direction", &C::direction, &C::set_direction, TSpinDirection::sdUpDown)
            .boolean("Flat", &C::flat, &C::set_flat)
            .reference<ui::WinControl>("FocusControl", "TWinControl", &C::focus_control, &C::set_focus_control)
            .object("GlyphUpRight", ui::PropKind::Object, "TBitmap",
                    [](C& x) -> ui::Persistent* { return &x.glyph_up_right(); })
            .stored(&C::custom_glyph_up_right)
            .object("GlyphDownLeft", ui::PropKind::Object, "TBitmap",
                    [](C& x) -> ui::Persistent* { return &x.glyph_down_left(); })
            .stored(&C::custom_glyph_down_left)
            .integer("InitialDelay", &C::initial_delay, &C::set_initial_delay, 400, "Word")
            .integer("NumGlyphsUpRight", &C::num_glyphs_up_right, &C::set_num_glyphs_up_right, 2, "TNumGlyphs")
            .stored(&C::custom_glyph_up_right)
            .integer("NumGlyphsDownLeft", &C::num_glyphs_down_left, &C::set_num_glyphs_down_left, 2, "TNumGlyphs")
            .stored(&C::custom_glyph_down_left)
            .enumeration("Orientation", &C::orientation, &C::set_orientation, TOrientation::orVertical)
            .event("OnUpRightClick", "TNotifyEvent", &C::on_up_right_click)
            .event("OnDownLeftClick", "TNotifyEvent", &C::on_down_left_click);
        return c;
    }();
    return info;
}

TEcSpinButtons::TEcSpinButtons(ui::Component* owner) : WinControl(owner) {
    ui::TControlStyle style = control_style();
    set_control_style(style.exclude(ui::TControlStyleFlag::csAcceptsControls).exclude(ui::TControlStyleFlag::csSetCaption));
    set_parent_color(true);
    set_tab_stop(false);
    up_ = create_arrow_button();
    down_ = create_arrow_button();
    focused_button_ = up_;
    update_arrow(*up_);
    update_arrow(*down_);
    set_bounds(0, 0, 16, 25);
}

TEcSpinButtons::~TEcSpinButtons() = default;

TEcControlButton* TEcSpinButtons::create_arrow_button() {
    auto* b = new ArrowButton(*this);
    b->set_parent(this);
    b->set_repeat_clicks(true);
    b->set_num_glyphs(2);
    b->on_click = [this, b](ui::Component*) { arrow_button_click(*b); };
    auto detect = b->glyph().on_change;
    b->glyph().on_change = [this, b, detect](ui::Bitmap& g) {
        if (detect) detect(g);
        arrow_glyph_changed(*b);
    };
    return b;
}

int TEcSpinButtons::delay() const { return up_->delay(); }

void TEcSpinButtons::set_delay(int v) {
    up_->set_delay(v);
    down_->set_delay(v);
}

int TEcSpinButtons::initial_delay() const { return up_->initial_delay(); }

void TEcSpinButtons::set_initial_delay(int v) {
    up_->set_initial_delay(v);
    down_->set_initial_delay(v);
}

bool TEcSpinButtons::flat() const { return up_->flat(); }

void TEcSpinButtons::set_flat(bool v) {
    up_->set_flat(v);
    down_->set_flat(v);
}

void TEcSpinButtons::set_direction(TSpinDirection v) {
    if (v == direction_) return;
    direction_ = v;
    // A new direction brings the arrows back.
    setting_arrow_ = true;
    up_->glyph().set_size(0, 0);
    down_->glyph().set_size(0, 0);
    setting_arrow_ = false;
    custom_up_ = custom_down_ = false;
    update_arrow(*up_);
    update_arrow(*down_);
}

void TEcSpinButtons::set_focus_control(ui::WinControl* c) {
    if (focus_control_ == c) return;
    if (focus_control_) focus_control_->remove_free_notification(this);
    focus_control_ = c;
    if (c) c->free_notification(this);
}

void TEcSpinButtons::notification(ui::Component* c, ui::TOperation op) {
    WinControl::notification(c, op);
    if (op == ui::TOperation::opRemove && c == focus_control_) focus_control_ = nullptr;
}

void TEcSpinButtons::set_orientation(TOrientation v) {
    if (v == orientation_) return;
    orientation_ = v;
    if (!loading()) {
        const int w = v == TOrientation::orHorizontal ? width() * 2 : width() / 2;
        set_bounds(left(), top(), w, height());
    }
    layout_buttons();
}

void TEcSpinButtons::set_enabled(bool v) {
    WinControl::set_enabled(v);
    up_->set_enabled(v);
    down_->set_enabled(v);
}

void TEcSpinButtons::color_changed() {
    WinControl::color_changed();
    up_->set_color(color());
    down_->set_color(color());
}

void TEcSpinButtons::set_bounds(int left, int top, int width, int height) {
    WinControl::set_bounds(left, top, width, height);
    layout_buttons();
}

void TEcSpinButtons::loaded() {
    WinControl::loaded();
    layout_buttons();
}

void TEcSpinButtons::layout_buttons() {
    if (!up_ || !down_) return;
    const SpinButtonRects r = spin_button_rects(width(), height(), orientation_);
    up_->set_bounds(r.up_right.left, r.up_right.top, r.up_right.width(), r.up_right.height());
    down_->set_bounds(r.down_left.left, r.down_left.top, r.down_left.width(), r.down_left.height());
}

void TEcSpinButtons::update_arrow(TEcControlButton& button) {
    const bool up = &button == up_;
    if (!button.glyph().empty()) {
        button.set_style(TEcControlButtonStyle::cbsNone);
        return;
    }
    if (direction_ == TSpinDirection::sdLeftRight)
        button.set_style(up ? TEcControlButtonStyle::cbsRight : TEcControlButtonStyle::cbsLeft);
    else
        button.set_style(up ? TEcControlButtonStyle::cbsUp : TEcControlButtonStyle::cbsDown);
}

void TEcSpinButtons::arrow_glyph_changed(TEcControlButton& button) {
    if (setting_arrow_) return;
    (&button == up_ ? custom_up_ : custom_down_) = !button.glyph().empty();
    update_arrow(button);
}

bool TEcSpinButtons::arrow_button_mouse_down() {
    if (focus_control_) {
        if (focus_control_->tab_stop() && focus_control_->can_focus() && !focus_control_->focused()) {
            focus_control_->set_focus();
            return focus_control_->focused();
        }
        return true;
    }
    if (tab_stop() && can_focus() && !focused()) set_focus();
    return true;
}

void TEcSpinButtons::arrow_button_click(TEcControlButton& button) {
    if (&button == up_) {
        if (on_up_right_click) on_up_right_click(this);
    } else if (on_down_left_click) {
        on_down_left_click(this);
    }
}

bool TEcSpinButtons::do_key_down(WORD& key, ui::TShiftState shift) {
    if (WinControl::do_key_down(key, shift)) return true;
    if (key != VK_UP && key != VK_DOWN) return false;
    focused_button_ = key == VK_UP ? up_ : down_;
    focused_button_->click();
    return true;
}

void TEcSpinButtons::wnd_proc(ui::Message& m) {
    if (m.msg == WM_GETDLGCODE) {
        m.result = DLGC_WANTARROWS;
        return;
    }
    WinControl::wnd_proc(m);
}

} // namespace ec
