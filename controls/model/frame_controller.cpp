#include "controls/model/frame_controller.h"

#include <algorithm>

#include "platform/ui/text_util.h"

namespace ec {

using P = TEcFrameControllerProperty;
using ui::PropBuilder;

bool is_control(const ui::Component& component) { return component.inherits_from("TControl"); }

ui::ClassInfo& FrameController::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcFrameController", &Component::static_class());
        c.factory = ui::factory_of<FrameController>();
        PropBuilder<FrameController>(c)
            .color("Color", &FrameController::color, &FrameController::set_color, ui::clWindow)
            .stored([](const FrameController& f) { return !f.parent_color(); })
            .color("DisabledColor", &FrameController::disabled_color, &FrameController::set_disabled_color, ui::clBtnFace)
            .color("ReadOnlyColor", &FrameController::read_only_color, &FrameController::set_read_only_color, ui::clInfoBk)
            .boolean("ReadOnlyColorOnFocus", &FrameController::read_only_color_on_focus,
                     &FrameController::set_read_only_color_on_focus, false)
            .color("FlatButtonColor", &FrameController::flat_button_color, &FrameController::set_flat_button_color,
                   ui::clBtnFace)
            .boolean("FlatButtons", &FrameController::flat_buttons, &FrameController::set_flat_buttons, true)
            .color("FocusColor", &FrameController::focus_color, &FrameController::set_focus_color, ui::clWindow)
            .color("FrameColor", &FrameController::frame_color, &FrameController::set_frame_color, ui::clBtnShadow)
            .color("FrameHotColor", &FrameController::frame_hot_color, &FrameController::set_frame_hot_color,
                   ui::clBtnShadow)
            .enumeration("FrameHotStyle", &FrameController::frame_hot_style, &FrameController::set_frame_hot_style,
                         TFrameStyle::fsFlatBold)
            .boolean("FrameHotTrack", &FrameController::frame_hot_track, &FrameController::set_frame_hot_track, false)
            .set("FrameSides", "TSides", &FrameController::frame_sides, &FrameController::set_frame_sides, kAllSides)
            .enumeration("FrameStyle", &FrameController::frame_style, &FrameController::set_frame_style,
                         TFrameStyle::fsFlat)
            .boolean("FrameVisible", &FrameController::frame_visible, &FrameController::set_frame_visible, false)
            .enumeration("FramingPreference", &FrameController::framing_preference,
                         &FrameController::set_framing_preference, TFramingPreference::fpXPThemes)
            .boolean("ParentColor", &FrameController::parent_color, &FrameController::set_parent_color, false)
            .reference<RegIniFile>("RegIniFile", "TEcRegIniFile", &FrameController::reg_ini_file,
                                   &FrameController::set_reg_ini_file)
            .obsolete("FrameFlatStyle", ui::ObsoleteValue::Identifier)
            .obsolete("FrameFlat", ui::ObsoleteValue::Boolean,
                      [](FrameController& f, const ui::DescValue& v) {
                          const bool flat = ui::same_text(v.text, "True");
                          f.set_frame_hot_track(flat);
                          if (!flat) return;
                          f.set_frame_style(TFrameStyle::fsStatus);
                          f.set_frame_hot_style(TFrameStyle::fsLowered);
                      })
            .obsolete("FrameFocusStyle", ui::ObsoleteValue::Identifier,
                      [](FrameController& f, const ui::DescValue& v) {
                          // A name that is no frame style keeps the hot style as it was.
                          if (auto style = enum_info(TFrameStyle{}).value_of(v.text))
                              f.set_frame_hot_style(static_cast<TFrameStyle>(*style));
                      });
        return c;
    }();
    return info;
}

FrameController::FrameController(ui::Component* owner) : Component(owner) {}

FrameController::~FrameController() {
    // Linked controls hear of it while this object is whole and clear their references.
    release_owned();
}

void FrameController::attach_control(ui::Component* control) {
    if (!control || !is_control(*control)) return;
    if (std::find(controls_.begin(), controls_.end(), control) != controls_.end()) return;
    controls_.push_back(control);
    control->free_notification(this);
    push_setting(control, P::fcpAll);
}

void FrameController::detach_control(ui::Component* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
}

void FrameController::unlock_updates() {
    if (--lock_count_ > 0) return;
    lock_count_ = 0;
    push_setting_to_all(P::fcpAll);
}

void FrameController::push_setting_to_all(TEcFrameControllerProperty property) {
    if (lock_count_ > 0) return;
    // A copy: a control may detach itself while it takes the settings.
    const std::vector<ui::Component*> linked = controls_;
    for (ui::Component* c : linked)
        if (std::find(controls_.begin(), controls_.end(), c) != controls_.end()) push_setting(c, property);
}

std::uint32_t FrameController::control_notifications(const ui::Component& control) {
    if (!ui::has_property(control, "FrameControllerNotifications")) return kAllFrameNotifications;
    return static_cast<std::uint32_t>(ui::get_ordinal_property(control, "FrameControllerNotifications"));
}

void FrameController::push_setting(ui::Component* control, TEcFrameControllerProperty property) {
    if (!control || !is_control(*control)) return;
    const std::uint32_t mask = control_notifications(*control);
    if (auto* link = control->query_interface<FrameControllerLink>()) {
        link->refresh_frame_from_controller();
        return;
    }
    if (property != P::fcpAll) {
        write_setting(*control, property, mask);
        return;
    }
    write_setting(*control, P::fcpParentColor, mask);
    if (!parent_color_) write_setting(*control, P::fcpColor, mask);
    for (P p : {P::fcpDisabledColor, P::fcpReadOnlyColor, P::fcpReadOnlyColorOnFocus, P::fcpFocusColor,
                P::fcpFlatButtonColor, P::fcpFlatButtons, P::fcpFrameColor, P::fcpFrameHotColor, P::fcpFrameHotTrack,
                P::fcpFrameHotStyle, P::fcpFrameSides, P::fcpFrameStyle, P::fcpFrameVisible, P::fcpFramingPreference})
        write_setting(*control, p, mask);
}

void FrameController::write_setting(ui::Component& control, TEcFrameControllerProperty property,
                                    std::uint32_t mask) const {
    if ((mask & (1u << static_cast<int>(property))) == 0) return;
    // The control's property has the controller's property's name.
    const std::string name = enum_info(property).names()[static_cast<std::size_t>(property)].substr(3);
    if (!ui::has_property(control, name)) return;
    if (property == P::fcpFrameSides) {
        ui::set_property_text(control, name, ui::get_property_text(*this, name));
        return;
    }
    ui::set_ordinal_property(control, name, ui::get_ordinal_property(*this, name));
}

template <class T>
bool FrameController::change(T& field, const T& value, TEcFrameControllerProperty property) {
    if (field == value) return false;
    field = value;
    push_setting_to_all(property);
    return true;
}

void FrameController::set_color(ui::TColor v) {
    if (v == color_) return;
    // A stored description holds both colours as they were: reading one must not move the other
    // (FocusColor at its default is not stored, and would read back as Color).
    if (color_ == focus_color_ && !loading()) set_focus_color(v);
    color_ = v;
    parent_color_ = false;
    push_setting_to_all(P::fcpColor);
}

void FrameController::set_parent_color(bool v) {
    if (v == parent_color_) return;
    parent_color_ = v;
    push_setting_to_all(P::fcpParentColor);
    if (!v) push_setting_to_all(P::fcpColor);
}

void FrameController::set_flat_button_color(ui::TColor v) { change(flat_button_color_, v, P::fcpFlatButtonColor); }
void FrameController::set_flat_buttons(bool v) { change(flat_buttons_, v, P::fcpFlatButtons); }
void FrameController::set_disabled_color(ui::TColor v) { change(disabled_color_, v, P::fcpDisabledColor); }
void FrameController::set_read_only_color(ui::TColor v) { change(read_only_color_, v, P::fcpReadOnlyColor); }
void FrameController::set_read_only_color_on_focus(bool v) {
    change(read_only_color_on_focus_, v, P::fcpReadOnlyColorOnFocus);
}
void FrameController::set_focus_color(ui::TColor v) { change(focus_color_, v, P::fcpFocusColor); }
void FrameController::set_frame_color(ui::TColor v) { change(frame_color_, v, P::fcpFrameColor); }
void FrameController::set_frame_hot_color(ui::TColor v) { change(frame_hot_color_, v, P::fcpFrameHotColor); }

void FrameController::set_frame_hot_track(bool v) {
    if (v == frame_hot_track_) return;
    frame_hot_track_ = v;
    if (v) {
        set_frame_visible(true);
        if (!loading()) frame_sides_ = kAllSides;
    }
    push_setting_to_all(P::fcpFrameHotTrack);
}

void FrameController::set_frame_hot_style(TFrameStyle v) { change(frame_hot_style_, v, P::fcpFrameHotStyle); }
void FrameController::set_frame_sides(TSides v) { change(frame_sides_, v, P::fcpFrameSides); }
void FrameController::set_frame_style(TFrameStyle v) { change(frame_style_, v, P::fcpFrameStyle); }
void FrameController::set_frame_visible(bool v) { change(frame_visible_, v, P::fcpFrameVisible); }
void FrameController::set_framing_preference(TFramingPreference v) {
    change(framing_preference_, v, P::fcpFramingPreference);
}

void FrameController::set_reg_ini_file(RegIniFile* v) {
    if (v == reg_ini_file_) return;
    if (reg_ini_file_) reg_ini_file_->remove_free_notification(this);
    reg_ini_file_ = v;
    if (v) v->free_notification(this);
}

void FrameController::assign(const ui::Persistent& source) {
    const auto* other = dynamic_cast<const FrameController*>(&source);
    if (!other) {
        Component::assign(source);
        return;
    }
    lock_updates();
    set_parent_color(other->parent_color_);
    set_color(other->color_);
    set_disabled_color(other->disabled_color_);
    set_read_only_color(other->read_only_color_);
    set_read_only_color_on_focus(other->read_only_color_on_focus_);
    set_focus_color(other->focus_color_);
    set_flat_button_color(other->flat_button_color_);
    set_flat_buttons(other->flat_buttons_);
    set_frame_color(other->frame_color_);
    set_frame_hot_color(other->frame_hot_color_);
    set_frame_hot_track(other->frame_hot_track_);
    set_frame_hot_style(other->frame_hot_style_);
    set_frame_sides(other->frame_sides_);
    set_frame_style(other->frame_style_);
    set_frame_visible(other->frame_visible_);
    set_framing_preference(other->framing_preference_);
    parent_color_ = other->parent_color_;
    unlock_updates();
}

void FrameController::loaded() {
    Component::loaded();
    push_all_settings();
}

void FrameController::notification(ui::Component* component, ui::TOperation operation) {
    Component::notification(component, operation);
    if (operation != ui::TOperation::opRemove) return;
    detach_control(component);
    if (component == reg_ini_file_) reg_ini_file_ = nullptr;
}

void FrameControllerUser::set_controller(ui::Component& self, FrameController* controller) {
    if (controller_) {
        controller_->detach_control(&self);
        self.remove_free_notification(controller_);
    }
    controller_ = controller;
    if (controller_) {
        self.free_notification(controller_);
        controller_->attach_control(&self);
    }
}

void FrameControllerUser::forget(const ui::Component* gone) {
    if (gone && gone == controller_) controller_ = nullptr;
}

void FrameControllerUser::release(ui::Component& self) {
    if (!controller_) return;
    controller_->detach_control(&self);
    self.remove_free_notification(controller_);
    controller_ = nullptr;
}

} // namespace ec
