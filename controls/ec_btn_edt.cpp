#include "controls/ec_btn_edt.h"

#include <memory>
#include <stdexcept>

#include "controls/ec_feedback.h"
#include "controls/model/button_edit_glyphs.h"

namespace ec {

using ui::Message;

const ui::Bitmap& button_kind_glyph(TButtonKind kind) {
    static std::array<std::unique_ptr<ui::Bitmap>, 9> cache;
    auto& slot = cache[static_cast<std::size_t>(kind)];
    if (!slot) {
        slot = std::make_unique<ui::Bitmap>();
        if (kind != TButtonKind::bkCustom) {
            const std::string name = button_edit_glyph_resource(kind);
            if (!slot->load_from_resource(GetModuleHandleW(nullptr), std::wstring(name.begin(), name.end()).c_str())) {
                slot.reset();
                throw std::runtime_error("resource " + name + " not found");
            }
        }
    }
    return *slot;
}

// ---------------------------------------------------------------------------------------------
// TEcButtonPair

namespace {

// A pair button asks the pair before it goes down: the focus moves to the edit first.
class PairButton : public TEcControlButton {
public:
    explicit PairButton(TEcButtonPair& pair) : TEcControlButton(&pair), pair_(pair) {}

protected:
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;

private:
    TEcButtonPair& pair_;
};

} // namespace

ui::ClassInfo& TEcButtonPair::static_class() {
    static ui::ClassInfo info = [] {
        using C = TEcButtonPair;
        ui::ClassInfo c("TEcButtonPair", &ui::WinControl::static_class());
        ui::PropBuilder<C>(c)
            .boolean("Flat", &C::flat, &C::set_flat)
            .event("OnAltBtnClick", "TNotifyEvent", &C::on_alt_btn_click)
            .event("OnButtonClick", "TNotifyEvent", &C::on_button_click);
        return c;
    }();
    return info;
}

TEcButtonPair::TEcButtonPair(ui::Component* owner) : WinControl(owner) {
    set_tab_stop(false);
    set_parent_color(true);
    button_ = create_pair_button();
    alt_btn_ = create_pair_button();
    alt_btn_->set_visible(false);
    set_bounds(0, 0, 34, 21);
}

TEcControlButton* TEcButtonPair::create_pair_button() {
    auto* b = new PairButton(*this);
    b->set_parent(this);
    b->set_width(themes_active() ? kThemedPairButtonWidth : kPairButtonWidth);
    b->on_click = [this, b](ui::Component*) { pair_button_click(b); };
    return b;
}

void TEcButtonPair::notification(ui::Component* c, ui::TOperation op) {
    WinControl::notification(c, op);
    if (op == ui::TOperation::opRemove && c == focus_control_) focus_control_ = nullptr;
}

bool TEcButtonPair::pair_button_mouse_down() {
    if (!focus_control_ || focus_control_->focused()) return true;
    if (focus_control_->can_focus()) focus_control_->set_focus();
    return focus_control_->focused();
}

void PairButton::mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    if (button == ui::TMouseButton::mbLeft && !pair_.pair_button_mouse_down()) return;
    TEcControlButton::mouse_down(button, shift, x, y);
}

void TEcButtonPair::pair_button_click(TEcControlButton* b) {
    if (b == button_ && on_button_click) on_button_click(this);
    else if (b == alt_btn_ && on_alt_btn_click) on_alt_btn_click(this);
}

void TEcButtonPair::set_flat(bool v) {
    flat_ = v;
    button_->set_flat(v);
    alt_btn_->set_flat(v);
}

void TEcButtonPair::set_enabled(bool v) {
    WinControl::set_enabled(v);
    button_->set_enabled(v);
    alt_btn_->set_enabled(v);
}

void TEcButtonPair::layout_pair() {
    const int h = std::max(0, height() - 1);
    const int main_width = button_->visible() ? button_->width() : 0;
    button_->set_bounds(0, 0, button_->width(), h);
    alt_btn_->set_bounds(main_width, 0, alt_btn_->width(), h);
}

void TEcButtonPair::set_bounds(int left, int top, int width, int height) {
    WinControl::set_bounds(left, top, width, height);
    if (button_) layout_pair();
}

void TEcButtonPair::wnd_proc(Message& m) {
    if (m.msg == ui::CM_COLORCHANGED) {
        button_->set_color(color());
        alt_btn_->set_color(color());
    }
    WinControl::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// TEcCustomButtonEdit

namespace {

template <int Index>
void publish_pair_button(ui::PropBuilder<TEcCustomButtonEdit>& b, const std::string& prefix, bool shown,
                         ui::TShortCut shortcut) {
    using C = TEcCustomButtonEdit;
    b.object(prefix + "Glyph", ui::PropKind::Object, "TBitmap", [](C& x) -> ui::Persistent* { return &x.glyph(Index); })
        .stored([](const C& x) { return x.kind(Index) == TButtonKind::bkCustom; })
        .integer(prefix + "NumGlyphs", [](const C& x) { return x.num_glyphs(Index); },
                 [](C& x, int v) { x.set_num_glyphs(Index, v); }, 2, "TNumGlyphs")
        .string(prefix + "Hint", [](const C& x) { return x.button_hint(Index); },
                [](C& x, const std::string& v) { x.set_button_hint(Index, v); })
        .enumeration(prefix + "Kind", [](const C& x) { return x.kind(Index); },
                     [](C& x, TButtonKind v) { x.set_kind(Index, v); }, TButtonKind::bkLookup)
        .integer(prefix + "ShortCut", [](const C& x) { return x.shortcut(Index); },
                 [](C& x, int v) { x.set_shortcut(Index, static_cast<ui::TShortCut>(v)); }, shortcut, "TShortCut")
        .text_form(ui::text_to_shortcut, [](std::int64_t v) { return ui::shortcut_to_text(static_cast<ui::TShortCut>(v)); })
        .boolean(prefix + "Visible", [](const C& x) { return x.button_visible(Index); },
                 [](C& x, bool v) { x.set_button_visible(Index, v); }, shown)
        .integer(prefix + "Width", [](const C& x) { return x.button_width(Index); },
                 [](C& x, int v) { x.set_button_width(Index, v); }, kPairButtonWidth)
        // Older descriptions kept the shortcut as its text; it is read, never written.
        .defined(
            prefix + "ShortCutText",
            [](C& x, const ui::DescValue& v) { x.set_shortcut(Index, ui::text_to_shortcut(v.text).value_or(0)); },
            [](const C&, ui::DescValue&) { return false; });
}

} // namespace

ui::ClassInfo& TEcCustomButtonEdit::static_class() {
    static ui::ClassInfo info = [] {
        using C = TEcCustomButtonEdit;
        using P = TEcFrameControllerProperty;
        ui::ClassInfo c("TEcCustomButtonEdit", &TEcEdit::static_class());
        ui::PropBuilder<C> b(c);
        publish_pair_button<kButton>(b, "Button", true, ui::shortcut(VK_F4, 0));
        publish_pair_button<kAltBtn>(b, "AltBtn", false, 0);
        b.boolean("AllowKeyEdit", &C::allow_key_edit, &C::set_allow_key_edit, true)
            .color("FlatButtonColor", &C::flat_button_color, &C::set_flat_button_color, ui::clBtnFace)
            .stored([](const C& x) { return !x.frame_look().supplied(P::fcpFlatButtonColor); })
            .boolean("FlatButtons", &C::flat_buttons, &C::set_flat_buttons)
            .stored([](const C& x) { return !x.frame_look().supplied(P::fcpFlatButtons); })
            .boolean("HideButtonsOnReadOnly", &C::hide_buttons_on_read_only, &C::set_hide_buttons_on_read_only, true)
            .event("OnAltBtnClick", "TNotifyEvent", &C::on_alt_btn_click)
            .event("OnButtonClick", "TNotifyEvent", &C::on_button_click)
            .obsolete("FlatButtonParentColor", ui::ObsoleteValue::Boolean);
        return c;
    }();
    return info;
}

TEcCustomButtonEdit::TEcCustomButtonEdit(ui::Component* owner) : TEcEdit(owner) {
    slot(kButton).shortcut = ui::shortcut(VK_F4, 0);
    pair_ = new TEcButtonPair(this);
    pair_->set_focus_control(this);
    pair_->on_button_click = [this](ui::Component*) { button_click(); };
    pair_->on_alt_btn_click = [this](ui::Component*) { alt_btn_click(); };
    for (int index : {kAltBtn, kButton}) {
        TEcControlButton* b = pair_button(index);
        // A glyph given from outside (by code or a description) is the button's own.
        auto detect = std::move(b->glyph().on_change);
        b->glyph().on_change = [this, index, detect](ui::Bitmap& g) {
            if (detect) detect(g);
            if (!showing_kind_) slot(index).kind = TButtonKind::bkCustom;
        };
        show_kind(index);
    }
    pair_->set_parent(this);
}

void TEcCustomButtonEdit::show_kind(int index) {
    TEcControlButton* b = pair_button(index);
    const TButtonKind k = slot(index).kind;
    if (k == TButtonKind::bkCustom) return;
    showing_kind_ = true;
    if (k == TButtonKind::bkDropDown) {
        // The drawn arrow, never a glyph.
        b->set_glyph(ui::Bitmap());
        b->set_style(TEcControlButtonStyle::cbsDropDown);
    } else {
        b->set_glyph(button_kind_glyph(k));
        b->set_num_glyphs(2);
        b->set_style(TEcControlButtonStyle::cbsNone);
    }
    showing_kind_ = false;
}

void TEcCustomButtonEdit::set_kind(int index, TButtonKind v) {
    if (v == slot(index).kind) return;
    slot(index).kind = v;
    if (!loading()) show_kind(index);
}

void TEcCustomButtonEdit::set_glyph(int index, const ui::Bitmap& v) { pair_button(index)->set_glyph(v); }

void TEcCustomButtonEdit::set_button_visible(int index, bool v) {
    pair_button(index)->set_visible(v);
    layout_buttons();
}

void TEcCustomButtonEdit::set_button_width(int index, int v) {
    slot(index).width = v;
    layout_buttons();
}

void TEcCustomButtonEdit::set_hide_buttons_on_read_only(bool v) {
    hide_buttons_on_read_only_ = v;
    layout_buttons();
}

void TEcCustomButtonEdit::set_flat_buttons(bool v) {
    TEcEdit::set_flat_buttons(v);
    update_pair_look();
    layout_buttons();
}

void TEcCustomButtonEdit::set_alignment(ui::TAlignment v) {
    TEcEdit::set_alignment(v);
    update_margins();
}

void TEcCustomButtonEdit::frame_look_changed(bool recolour) {
    TEcEdit::frame_look_changed(recolour);
    layout_buttons();
}

ButtonEditLayout TEcCustomButtonEdit::current_layout() const {
    const bool themed = themes_active();
    ButtonEditShape s;
    s.width = width();
    s.height = height();
    s.framed = frame_visible() || ctl3d();
    s.right_to_left = use_right_to_left_reading();
    s.button_visible = pair_->button()->visible();
    s.alt_visible = pair_->alt_btn()->visible();
    s.button_width = applied_pair_button_width(slot(kButton).width, themed);
    s.alt_width = applied_pair_button_width(slot(kAltBtn).width, themed);
    s.read_only = read_only();
    s.hide_on_read_only = hide_buttons_on_read_only_;
    return button_edit_layout(s);
}

void TEcCustomButtonEdit::layout_buttons() {
    if (loading()) return;
    const int line = font_line_height(font());
    if (height() < line) set_height(line);
    const ButtonEditLayout l = current_layout();
    pair_->button()->set_width(l.button.width() > 0 ? l.button.width() : pair_->button()->width());
    pair_->alt_btn()->set_width(l.alt.width() > 0 ? l.alt.width() : pair_->alt_btn()->width());
    pair_->set_bounds(l.pair.left, l.pair.top, l.pair.width(), l.pair.height());
    pair_->set_visible(l.pair_visible);
    update_margins();
    invalidate();
}

void TEcCustomButtonEdit::update_margins() {
    if (!handle_allocated()) return;
    const ButtonEditLayout l = current_layout();
    SendMessageW(handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(l.left_margin, l.right_margin));
}

void TEcCustomButtonEdit::update_pair_look() {
    const bool themed = themes_active();
    if (!flat_buttons()) {
        pair_->set_flat(false);
        pair_->set_color(ui::clBtnFace);
        return;
    }
    // Flat buttons stand up while the edit is hot.
    if (hot()) {
        pair_->set_flat(!themed);
        pair_->set_color(themed ? ui::clBtnFace : flat_button_color());
    } else {
        pair_->set_flat(true);
        pair_->set_color(color());
    }
}

void TEcCustomButtonEdit::update_hot_state(bool mouse, bool value) {
    TEcEdit::update_hot_state(mouse, value);
    update_pair_look();
}

void TEcCustomButtonEdit::loaded() {
    TEcEdit::loaded();
    for (int index : {kAltBtn, kButton}) show_kind(index);
    layout_buttons();
}

void TEcCustomButtonEdit::initialize_window() {
    TEcEdit::initialize_window();
    update_margins();
}

void TEcCustomButtonEdit::read_only_changed() {
    TEcEdit::read_only_changed();
    layout_buttons();
}

void TEcCustomButtonEdit::button_click() {
    if (on_button_click) on_button_click(this);
}

void TEcCustomButtonEdit::alt_btn_click() {
    if (on_alt_btn_click) on_alt_btn_click(this);
}

bool TEcCustomButtonEdit::do_key_down(WORD& key, ui::TShiftState shift) {
    if (TEcEdit::do_key_down(key, shift)) return true;
    if (!allow_key_edit_ && key == VK_DELETE) {
        invalid_key();
        key = 0;
        return true;
    }
    const ui::TShortCut pressed = key_shortcut(key, shift.has(ui::TShiftStateFlag::ssShift),
                                               shift.has(ui::TShiftStateFlag::ssCtrl), shift.has(ui::TShiftStateFlag::ssAlt));
    auto usable = [this](int index) {
        const TEcControlButton* b = pair_button(index);
        return pair_->visible() && b->visible() && b->enabled() && enabled();
    };
    const ShortcutTarget target =
        shortcut_target(pressed, {usable(kButton), slot(kButton).shortcut}, {usable(kAltBtn), slot(kAltBtn).shortcut});
    shortcut_pressed_ = target != ShortcutTarget::None;
    if (target == ShortcutTarget::Button) pair_->button()->click();
    else if (target == ShortcutTarget::AltBtn) pair_->alt_btn()->click();
    if (shortcut_pressed_) {
        key = 0;
        return true;
    }
    return false;
}

bool TEcCustomButtonEdit::do_key_press(wchar_t& key) {
    if (TEcEdit::do_key_press(key)) return true;
    // The character of a shortcut's key (Ctrl+letter) is no typing.
    if (shortcut_pressed_) {
        shortcut_pressed_ = false;
        key = 0;
        return true;
    }
    if (!allow_key_edit_ && (key >= 32 || key == VK_BACK)) {
        invalid_key();
        key = 0;
        return true;
    }
    return false;
}

void TEcCustomButtonEdit::wnd_proc(Message& m) {
    switch (m.msg) {
    case WM_CUT:
    case WM_PASTE:
        if (!allow_key_edit_ || read_only()) return;
        break;
    case WM_SIZE:
        TEcEdit::wnd_proc(m);
        layout_buttons();
        return;
    case ui::CM_ENABLEDCHANGED:
        pair_->set_enabled(enabled());
        update_margins();
        break;
    case ui::CM_COLORCHANGED:
        TEcEdit::wnd_proc(m);
        update_pair_look();
        return;
    case ui::CM_FONTCHANGED:
    case ui::CM_ENTER:
    case ui::CM_EXIT:
        TEcEdit::wnd_proc(m);
        update_margins();
        return;
    default: break;
    }
    TEcEdit::wnd_proc(m);
}

ui::ClassInfo& TEcButtonEdit::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcButtonEdit", &TEcCustomButtonEdit::static_class());
        c.factory = ui::factory_of<TEcButtonEdit>();
        return c;
    }();
    return info;
}

} // namespace ec
