// One set of frame and colour settings pushed to every control linked to it. Controls that
// implement FrameControllerLink read the settings themselves; the others are written property
// by property through their published names, each under the control's notification mask.
#pragma once
#include <vector>

#include "controls/model/ec_enums.h"
#include "controls/model/reg_ini_file.h"
#include "platform/ui/color.h"
#include "platform/ui/component.h"

namespace ec {

UI_ENUM(TEcFrameControllerProperty, fcpColor, fcpFocusColor, fcpDisabledColor, fcpReadOnlyColor,
        fcpReadOnlyColorOnFocus, fcpParentColor, fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor, fcpFrameHotColor,
        fcpFrameHotTrack, fcpFrameHotStyle, fcpFrameSides, fcpFrameStyle, fcpFrameVisible, fcpFramingPreference,
        fcpAll)
// A set of the properties before fcpAll, one bit each; all of them is 0xFFFF.
using TEcFrameControllerNotifications = ui::SetOf<TEcFrameControllerProperty>;
constexpr std::uint32_t kAllFrameNotifications = 0xFFFF;

// Offered by controls that apply the controller's settings through their own mask.
class FrameControllerLink {
public:
    virtual void refresh_frame_from_controller() = 0;

protected:
    ~FrameControllerLink() = default;
};

class FrameController : public ui::Component {
    UI_CLASS_IDENTITY()
public:
    explicit FrameController(ui::Component* owner);
    ~FrameController() override;

    // Only controls are taken; a control already linked is left alone. A new one gets every
    // setting at once.
    void attach_control(ui::Component* control);
    void detach_control(ui::Component* control);
    const std::vector<ui::Component*>& linked_controls() const { return controls_; }

    void lock_updates() { ++lock_count_; }
    void unlock_updates();
    void push_all_settings() { push_setting_to_all(TEcFrameControllerProperty::fcpAll); }
    virtual void push_setting_to_all(TEcFrameControllerProperty property);
    virtual void push_setting(ui::Component* control, TEcFrameControllerProperty property);
    // The control's published FrameControllerNotifications, or all when it has none.
    static std::uint32_t control_notifications(const ui::Component& control);

    // FocusColor follows a change of Color when the two were equal, except while loading.
    ui::TColor color() const { return color_; }
    virtual void set_color(ui::TColor v);
    bool parent_color() const { return parent_color_; }
    virtual void set_parent_color(bool v);
    ui::TColor flat_button_color() const { return flat_button_color_; }
    virtual void set_flat_button_color(ui::TColor v);
    bool flat_buttons() const { return flat_buttons_; }
    virtual void set_flat_buttons(bool v);
    ui::TColor disabled_color() const { return disabled_color_; }
    virtual void set_disabled_color(ui::TColor v);
    ui::TColor read_only_color() const { return read_only_color_; }
    virtual void set_read_only_color(ui::TColor v);
    bool read_only_color_on_focus() const { return read_only_color_on_focus_; }
    virtual void set_read_only_color_on_focus(bool v);
    ui::TColor focus_color() const { return focus_color_; }
    virtual void set_focus_color(ui::TColor v);
    ui::TColor frame_color() const { return frame_color_; }
    virtual void set_frame_color(ui::TColor v);
    ui::TColor frame_hot_color() const { return frame_hot_color_; }
    virtual void set_frame_hot_color(ui::TColor v);
    // Switching hot tracking on also shows the frame and, outside loading, frames all sides.
    bool frame_hot_track() const { return frame_hot_track_; }
    virtual void set_frame_hot_track(bool v);
    TFrameStyle frame_hot_style() const { return frame_hot_style_; }
    virtual void set_frame_hot_style(TFrameStyle v);
    TSides frame_sides() const { return frame_sides_; }
    virtual void set_frame_sides(TSides v);
    TFrameStyle frame_style() const { return frame_style_; }
    virtual void set_frame_style(TFrameStyle v);
    bool frame_visible() const { return frame_visible_; }
    virtual void set_frame_visible(bool v);
    TFramingPreference framing_preference() const { return framing_preference_; }
    virtual void set_framing_preference(TFramingPreference v);
    RegIniFile* reg_ini_file() const { return reg_ini_file_; }
    virtual void set_reg_ini_file(RegIniFile* v);

    void assign(const ui::Persistent& source) override;
    void loaded() override;

protected:
    void notification(ui::Component* component, ui::TOperation operation) override;

private:
    template <class T>
    bool change(T& field, const T& value, TEcFrameControllerProperty property);
    void write_setting(ui::Component& control, TEcFrameControllerProperty property, std::uint32_t mask) const;

    std::vector<ui::Component*> controls_;
    int lock_count_ = 0;
    ui::TColor color_ = ui::clWindow;
    ui::TColor disabled_color_ = ui::clBtnFace;
    ui::TColor read_only_color_ = ui::clInfoBk;
    bool read_only_color_on_focus_ = false;
    ui::TColor flat_button_color_ = ui::clBtnFace;
    bool flat_buttons_ = true;
    ui::TColor focus_color_ = ui::clWindow;
    ui::TColor frame_color_ = ui::clBtnShadow;
    ui::TColor frame_hot_color_ = ui::clBtnShadow;
    TFrameStyle frame_hot_style_ = TFrameStyle::fsFlatBold;
    bool frame_hot_track_ = false;
    TSides frame_sides_ = kAllSides;
    TFrameStyle frame_style_ = TFrameStyle::fsFlat;
    bool frame_visible_ = false;
    TFramingPreference framing_preference_ = TFramingPreference::fpXPThemes;
    bool parent_color_ = false;
    RegIniFile* reg_ini_file_ = nullptr;
};

// The control side of the link, kept by every framed control: its FrameController and
// FrameControllerNotifications. Setting a controller, even the same one again, detaches first
// and re-attaches, which pushes every setting.
class FrameControllerUser {
public:
    FrameController* controller() const { return controller_; }
    void set_controller(ui::Component& self, FrameController* controller);
    TEcFrameControllerNotifications notifications() const { return notifications_; }
    void set_notifications(TEcFrameControllerNotifications v) { notifications_ = v; }
    // From the control's notification handler: forgets a controller that goes away.
    void forget(const ui::Component* gone);
    // From the control's destructor.
    void release(ui::Component& self);

private:
    FrameController* controller_ = nullptr;
    TEcFrameControllerNotifications notifications_ = TEcFrameControllerNotifications::from_bits(kAllFrameNotifications);
};

// Whether a component is a control: only controls take frame settings.
bool is_control(const ui::Component& component);

} // namespace ec
