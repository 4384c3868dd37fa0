#include "controls/ec_spn_edt.h"

#include <cmath>

#include "controls/ec_common.h"
#include "controls/ec_locale.h"

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

// ---------------------------------------------------------------------------------------------
// TEcSpinEdit

ui::ClassInfo& TEcSpinEdit::static_class() {
    static ui::ClassInfo info = [] {
        using C = TEcSpinEdit;
        ui::ClassInfo c("TEcSpinEdit", &TEcCustomEdit::static_class());
        c.factory = ui::factory_of<C>();
        ui::PropBuilder<C> b(c);
        auto number = [&b](const char* name, long double (C::*get)() const, void (C::*set)(long double),
                           double def) {
            b.floating(name, [get](const C& x) { return static_cast<double>((x.*get)()); },
                       [set](C& x, double v) { (x.*set)(v); }, "Extended", def);
        };
        b.enumeration("Alignment", &C::alignment, &C::set_alignment, ui::TAlignment::taRightJustify)
            .boolean("AllowBlank", &C::allow_blank, &C::set_allow_blank)
            .boolean("AllowKeyEdit", &C::allow_key_edit, &C::set_allow_key_edit);
        number("BlankValue", &C::blank_value, &C::set_blank_value, 0);
        b.object("ButtonUpGlyph", ui::PropKind::Object, "TBitmap",
                 [](C& x) -> ui::Persistent* { return &x.buttons().glyph_up_right(); })
            .stored([](const C& x) { return x.buttons().custom_glyph_up_right(); })
            .object("ButtonDownGlyph", ui::PropKind::Object, "TBitmap",
                    [](C& x) -> ui::Persistent* { return &x.buttons().glyph_down_left(); })
            .stored([](const C& x) { return x.buttons().custom_glyph_down_left(); })
            .integer("ButtonUpNumGlyphs", [](const C& x) { return x.buttons().num_glyphs_up_right(); },
                     [](C& x, int n) { x.buttons().set_num_glyphs_up_right(n); }, 2, "TNumGlyphs")
            .stored([](const C& x) { return x.buttons().custom_glyph_up_right(); })
            .integer("ButtonDownNumGlyphs", [](const C& x) { return x.buttons().num_glyphs_down_left(); },
                     [](C& x, int n) { x.buttons().set_num_glyphs_down_left(n); }, 2, "TNumGlyphs")
            .stored([](const C& x) { return x.buttons().custom_glyph_down_left(); })
            .integer("ButtonWidth", &C::button_width, &C::set_button_width, 17)
            .boolean("CheckRange", &C::check_range, &C::set_check_range)
            .integer("Decimals", &C::decimals, &C::set_decimals, 0, "Byte")
            .enumeration("Direction", &C::direction, &C::set_direction, TSpinDirection::sdUpDown);
        number("Increment", &C::increment, &C::set_increment, 1);
        b.boolean("IntegersOnly", &C::integers_only, &C::set_integers_only, true);
        number("Max", &C::max_value, &C::set_max_value, 100);
        number("Min", &C::min_value, &C::set_min_value, 0);
        b.enumeration("Orientation", &C::orientation, &C::set_orientation, TOrientation::orVertical);
        number("PageSize", &C::page_size, &C::set_page_size, 10);
        number("Value", &C::current_value, &C::set_value, 0);
        c.props.back().has_default = false;  // always stored
        b.event("OnChanging", "TSpinChangingEvent", &C::on_changing)
            .event("OnButtonClick", "TSpinButtonEvent", &C::on_button_click)
            .obsolete("FlatButtonParentColor", ui::ObsoleteValue::Boolean);
        return c;
    }();
    return info;
}

TEcSpinEdit::TEcSpinEdit(ui::Component* owner) : TEcCustomEdit(owner) {
    set_alignment(ui::TAlignment::taRightJustify);
    buttons_ = new TEcSpinButtons(this);
    buttons_->set_bounds(0, 0, 17, 17);
    buttons_->set_parent(this);
    buttons_->set_focus_control(this);
    buttons_->on_up_right_click = [this](ui::Component*) { spin_up(); };
    buttons_->on_down_left_click = [this](ui::Component*) { spin_down(); };
    set_width(47);
    set_text("0");
}

TEcSpinEdit::~TEcSpinEdit() = default;

long double TEcSpinEdit::current_value() const {
    if (loading()) return loaded_value_;
    SpinText t{text(), allow_blank_, blank_value_};
    return read_spin_value(t, range_, locale_decimal_separator()).value;
}

long double TEcSpinEdit::value() {
    if (loading()) return loaded_value_;
    SpinText t{text(), allow_blank_, blank_value_};
    const SpinRead r = read_spin_value(t, range_, locale_decimal_separator());
    if (r.new_text) set_text(*r.new_text);
    return r.value;
}

void TEcSpinEdit::set_value(long double v) {
    if (loading()) {
        // Min and Max may come later in the description.
        loaded_value_ = v;
        return;
    }
    const std::string shown = format_spin_value(range_.clamp(v), decimals_, locale_decimal_separator());
    const std::string before = text();
    if (shown == before) return;
    const bool keep_caret = parent() && handle_allocated() && sel_length() == 0;
    const int caret = keep_caret ? sel_start() : 0;
    set_text(shown);
    if (keep_caret)
        set_sel_start(spin_caret_after_write(caret, static_cast<int>(before.size()), static_cast<int>(shown.size())));
}

long long TEcSpinEdit::int_value() { return static_cast<long long>(std::nearbyint(value())); }

void TEcSpinEdit::set_int_value(long long v) { set_value(static_cast<long double>(v)); }

void TEcSpinEdit::rewrite_value() {
    if (loading()) return;
    set_value(value());
    invalidate();
}

void TEcSpinEdit::set_min_value(long double v) {
    if (v == range_.min) return;
    const long double shown = value();
    range_.set_min(v);
    if (!loading()) set_value(shown);
}

void TEcSpinEdit::set_max_value(long double v) {
    if (v == range_.max) return;
    const long double shown = value();
    range_.set_max(v);
    if (!loading()) set_value(shown);
}

void TEcSpinEdit::set_check_range(bool v) {
    if (v == range_.check_range) return;
    const long double shown = value();
    range_.check_range = v;
    if (!loading()) set_value(shown);
}

void TEcSpinEdit::set_decimals(int v) {
    v = std::clamp(v, 0, kMaxSpinDecimals);
    if (v == decimals_) return;
    decimals_ = v;
    rewrite_value();
}

void TEcSpinEdit::set_integers_only(bool v) {
    if (v == integers_only_) return;
    integers_only_ = v;
    if (!v) return;
    decimals_ = 0;
    if (!loading()) set_value(std::nearbyint(value()));
}

void TEcSpinEdit::set_button_width(int v) {
    button_width_ = std::max(0, v);
    buttons_->set_width(spin_buttons_width(button_width_, buttons_->orientation()));
    layout_spin_buttons();
}

void TEcSpinEdit::set_orientation(TOrientation v) {
    buttons_->set_orientation(v);
    layout_spin_buttons();
}

void TEcSpinEdit::set_flat_buttons(bool v) {
    TEcCustomEdit::set_flat_buttons(v);
    update_button_look();
    layout_spin_buttons();
}

void TEcSpinEdit::frame_look_changed(bool recolour) {
    TEcCustomEdit::frame_look_changed(recolour);
    layout_spin_buttons();
}

void TEcSpinEdit::set_bounds(int left, int top, int width, int height) {
    TEcCustomEdit::set_bounds(left, top, width, height);
    if (buttons_) layout_spin_buttons();
}

void TEcSpinEdit::layout_spin_buttons() {
    if (loading() || !buttons_) return;
    const int line = font_line_height(font());
    if (height() < line) {
        set_height(line);  // the resize lays out again
        return;
    }
    SpinEditGeometry g;
    g.width = width();
    g.height = height();
    g.buttons_width = buttons_->width();
    g.framed = frame_look().frame_visible || ctl3d();
    g.themed = themes_active();
    g.right_to_left = use_right_to_left_reading();
    const Rect r = spin_edit_buttons_rect(g);
    buttons_->set_bounds(r.left, r.top, r.width(), r.height());
    buttons_->set_visible(!read_only());
    update_margins();
}

void TEcSpinEdit::update_margins() {
    if (!handle_allocated()) return;
    if (!read_only() && loading()) return;
    const SpinMargins m = spin_edit_margins(buttons_->width(), read_only(), use_right_to_left_reading());
    SendMessageW(handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(m.left, m.right));
}

void TEcSpinEdit::create_wnd() {
    TEcCustomEdit::create_wnd();
    update_margins();
}

void TEcSpinEdit::loaded() {
    TEcCustomEdit::loaded();
    set_value(loaded_value_);
    layout_spin_buttons();
}

void TEcSpinEdit::read_only_changed() {
    TEcCustomEdit::read_only_changed();
    layout_spin_buttons();
}

void TEcSpinEdit::update_button_look() {
    if (!buttons_) return;
    buttons_->set_flat(flat_buttons() && !(themes_active() && hot()));
    const bool tinted = flat_buttons() && !themes_active() && hot();
    buttons_->set_color(tinted ? flat_button_color() : color());
}

void TEcSpinEdit::update_hot_state(bool mouse, bool value) {
    TEcCustomEdit::update_hot_state(mouse, value);
    if (flat_buttons()) update_button_look();
}

void TEcSpinEdit::color_changed() {
    TEcCustomEdit::color_changed();
    update_button_look();
}

void TEcSpinEdit::step(long double amount, TSpinButtonType button) {
    if (read_only()) {
        invalid_key();
        return;
    }
    // A step of nothing changes nothing and asks nobody.
    if (amount == 0) return;
    const long double next = value() + (button == TSpinButtonType::sbUp ? amount : -amount);
    bool allow = true;
    if (on_changing) on_changing(this, next, allow);
    if (!allow) return;
    set_value(next);
    if (on_button_click) on_button_click(this, button);
}

void TEcSpinEdit::inc_value(long double amount) { step(amount, TSpinButtonType::sbUp); }

void TEcSpinEdit::dec_value(long double amount) { step(amount, TSpinButtonType::sbDown); }

bool TEcSpinEdit::is_valid_char(wchar_t ch) {
    SpinCharContext c;
    c.text = text();
    c.sel_start = sel_start();
    c.sel_length = sel_length();
    c.integers_only = integers_only_;
    c.allow_key_edit = allow_key_edit_;
    c.separator = locale_decimal_separator();
    return spin_char_valid(ch, c);
}

bool TEcSpinEdit::do_key_down(WORD& key, ui::TShiftState shift) {
    if (TEcCustomEdit::do_key_down(key, shift)) return true;
    switch (key) {
    case VK_DELETE:
        if (allow_key_edit_) return false;
        invalid_key();
        return true;
    case VK_PRIOR: inc_value(page_size_); return true;
    case VK_NEXT: dec_value(page_size_); return true;
    case VK_UP: inc_value(increment_); return true;
    case VK_DOWN: dec_value(increment_); return true;
    default: return false;
    }
}

bool TEcSpinEdit::do_key_press(wchar_t& key) {
    if (TEcCustomEdit::do_key_press(key)) return true;
    if (is_valid_char(key)) return false;
    key = 0;
    invalid_key();
    return true;
}

bool TEcSpinEdit::do_mouse_wheel_down(ui::TShiftState shift, POINT mouse_pos) {
    if (!TEcCustomEdit::do_mouse_wheel_down(shift, mouse_pos))
        dec_value(shift.has(ui::TShiftStateFlag::ssCtrl) ? page_size_ : increment_);
    return true;
}

bool TEcSpinEdit::do_mouse_wheel_up(ui::TShiftState shift, POINT mouse_pos) {
    if (!TEcCustomEdit::do_mouse_wheel_up(shift, mouse_pos))
        inc_value(shift.has(ui::TShiftStateFlag::ssCtrl) ? page_size_ : increment_);
    return true;
}

void TEcSpinEdit::left_edit() {
    if (text().empty() && allow_blank_) return;
    const auto parsed = parse_spin_text(text(), locale_decimal_separator());
    set_value(parsed.value_or(range_.min));
}

void TEcSpinEdit::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case WM_CUT:
    case WM_PASTE:
        if (!allow_key_edit_ || read_only()) return;
        break;
    case WM_SIZE:
        TEcCustomEdit::wnd_proc(m);
        layout_spin_buttons();
        return;
    case WM_SETFONT:
        // A new font brings the edit's own margins back.
        TEcCustomEdit::wnd_proc(m);
        update_margins();
        return;
    case ui::CM_ENTER:
        update_margins();
        break;
    case ui::CM_EXIT:
        TEcCustomEdit::wnd_proc(m);
        update_margins();
        left_edit();
        return;
    case ui::CM_ENABLEDCHANGED:
        buttons_->set_enabled(enabled());
        break;
    default: break;
    }
    TEcCustomEdit::wnd_proc(m);
}

} // namespace ec
