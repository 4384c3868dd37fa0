// The label with a layered border, raised, recessed and shadowed text, text turned by any angle
// or laid along an arc, blinking in step with every other blinking control, a fly-by colour and
// ellipses for a caption too long for it.
#pragma once
#include "controls/ec_border.h"
#include "controls/ec_common.h"
#include "controls/model/border_geometry.h"
#include "controls/model/frame_controller.h"
#include "controls/model/label_geometry.h"
#include "platform/ui/win/std_controls.h"

namespace ec {

class TEcLabel : public ui::Label, public FrameControllerLink {
    UI_CLASS_IDENTITY()
public:
    explicit TEcLabel(ui::Component* owner);
    ~TEcLabel() override;

    // Stored as 0..359.
    int angle() const { return angle_; }
    void set_angle(int v);
    TRotation rotation() const { return rotation_; }
    void set_rotation(TRotation v);
    TCenterPoint center_point() const { return center_point_; }
    void set_center_point(TCenterPoint v);
    TTextStyle text_style() const { return text_style_; }
    void set_text_style(TTextStyle v) { change(text_style_, v); }
    bool light_text_style() const { return light_text_style_; }
    void set_light_text_style(bool v) { change(light_text_style_, v); }
    ui::TColor highlight_color() const { return highlight_color_; }
    void set_highlight_color(ui::TColor v) { change(highlight_color_, v); }
    ui::TColor shadow_color() const { return shadow_color_; }
    void set_shadow_color(ui::TColor v) { change(shadow_color_, v); }
    int shadow_depth() const { return shadow_depth_; }
    void set_shadow_depth(int v) { change(shadow_depth_, v); }
    int text_margin() const { return text_margin_; }
    void set_text_margin(int v) { change(text_margin_, v); }
    TEcCondenseCaption condense_caption() const { return condense_; }
    void set_condense_caption(TEcCondenseCaption v);

    bool blinking() const { return blinking_; }
    void set_blinking(bool v);
    ui::TColor blink_color() const { return blink_color_; }
    void set_blink_color(ui::TColor v) { change(blink_color_, v); }
    // Shared by every blinking control of the process.
    int blink_interval_on() const;
    void set_blink_interval_on(int ms);
    int blink_interval_off() const;
    void set_blink_interval_off(int ms);
    ui::TColor fly_by_color() const { return fly_by_color_; }
    void set_fly_by_color(ui::TColor v) { fly_by_color_ = v; }
    bool fly_by_enabled() const { return fly_by_enabled_; }
    void set_fly_by_enabled(bool v);
    // The colour the text is painted in now: the font's, or the blink colour.
    ui::TColor text_color() const { return current_color_; }

    int bevel_width() const { return layers_.bevel_width; }
    void set_bevel_width(int v) { change_layer(layers_.bevel_width, v); }
    int border_width() const { return layers_.width; }
    void set_border_width(int v) { change_layer(layers_.width, v); }
    TFrameStyleEx border_inner() const { return layers_.inner; }
    void set_border_inner(TFrameStyleEx v) { change_layer(layers_.inner, v); }
    TFrameStyleEx border_outer() const { return layers_.outer; }
    void set_border_outer(TFrameStyleEx v) { change_layer(layers_.outer, v); }
    TSides border_sides() const { return layers_.sides; }
    void set_border_sides(TSides v) { change_layer(layers_.sides, v); }
    ui::TColor border_color() const { return border_color_; }
    void set_border_color(ui::TColor v) { change(border_color_, v); }
    ui::TColor border_highlight() const { return border_highlight_; }
    void set_border_highlight(ui::TColor v) { change(border_highlight_, v); }
    ui::TColor border_shadow() const { return border_shadow_; }
    void set_border_shadow(ui::TColor v) { change(border_shadow_, v); }
    ui::TColor flat_color() const { return flat_color_; }
    void set_flat_color(ui::TColor v) { change(flat_color_, v); }
    int flat_color_adjustment() const { return flat_color_adjustment_; }
    void set_flat_color_adjustment(int v) { change(flat_color_adjustment_, v); }
    FrameController* frame_controller() const { return frame_.controller(); }
    void set_frame_controller(FrameController* v) { frame_.set_controller(*this, v); }
    TEcFrameControllerNotifications frame_controller_notifications() const { return frame_.notifications(); }
    void set_frame_controller_notifications(TEcFrameControllerNotifications v) { frame_.set_notifications(v); }

    void refresh_frame_from_controller() override;
    void wnd_proc(ui::Message& m) override;

protected:
    void paint(ui::Canvas& canvas) override;
    bool can_auto_size(int& width, int& height) override;
    bool auto_size_keeps_right() const override;
    void font_changed() override;
    void loaded() override;
    void notification(ui::Component* component, ui::TOperation operation) override;

private:
    template <class T>
    void change(T& field, const T& value) {
        if (field == value) return;
        field = value;
        invalidate();
    }
    template <class T>
    void change_layer(T& field, const T& value) {
        if (field == value) return;
        field = value;
        adjust_size();
        invalidate();
    }
    ui::Rect text_rect() const;
    UINT draw_flags() const;
    void paint_flat(ui::Canvas& canvas, ui::Rect r);
    void paint_turned(ui::Canvas& canvas, const ui::Rect& r);
    void paint_arc(ui::Canvas& canvas);
    void use_true_type_font();

    int angle_ = 0;
    TRotation rotation_ = TRotation::roNone;
    TCenterPoint center_point_ = TCenterPoint::cpCenter;
    TTextStyle text_style_ = TTextStyle::tsNormal;
    bool light_text_style_ = false;
    ui::TColor highlight_color_ = ui::clBtnHighlight;
    ui::TColor shadow_color_ = ui::clBtnShadow;
    int shadow_depth_ = 2;
    int text_margin_ = 0;
    TEcCondenseCaption condense_ = TEcCondenseCaption::ccNone;
    bool blinking_ = false;
    ui::TColor blink_color_ = ui::clHighlight;
    ui::TColor fly_by_color_ = ui::clHighlight;
    bool fly_by_enabled_ = false;
    ui::TColor font_color_;
    ui::TColor current_color_;
    ui::TColor saved_fly_color_ = ui::clNone;
    BorderLayers layers_;
    ui::TColor border_color_ = ui::clBtnFace;
    ui::TColor border_highlight_ = ui::clBtnHighlight;
    ui::TColor border_shadow_ = ui::clBtnShadow;
    ui::TColor flat_color_ = ui::clBtnShadow;
    int flat_color_adjustment_ = 30;
    FrameControllerUser frame_;
};

} // namespace ec
