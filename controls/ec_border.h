// A bare layered border for decorating windows, and the LED display: a border showing its
// caption in a 5 x 7 dot font, standing or scrolling.
#pragma once
#include <memory>
#include <string>

#include "controls/ec_common.h"
#include "controls/model/border_geometry.h"
#include "controls/model/frame_controller.h"
#include "controls/model/led_geometry.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/timer.h"

namespace ec {

// The colours of a layered border that a frame controller pushes into the control drawing it.
struct LayeredBorderColours {
    ui::TColor& highlight;
    ui::TColor& shadow;
    ui::TColor& flat;
    int& flat_adjustment;
};

// Takes what the control's frame controller pushes: the outer style, the sides, the flat colour,
// the control's colour and parent colour and the bevel colours made from them. False when no
// visible frame controller is attached.
template <class Control>
bool take_frame_controller_push(Control& control, const FrameControllerUser& frame,
                                BorderLayers& layers, const LayeredBorderColours& colours) {
    FrameController* fc = frame.controller();
    if (!fc || !fc->frame_visible()) return false;
    using P = TEcFrameControllerProperty;
    const auto wanted = frame.notifications();
    if (wanted.has(P::fcpFrameStyle)) layers.outer = to_frame_style_ex(fc->frame_style());
    if (wanted.has(P::fcpFrameSides)) layers.sides = fc->frame_sides();
    if (wanted.has(P::fcpFrameColor)) {
        colours.flat = fc->frame_color();
        colours.flat_adjustment = 0;
    }
    if (wanted.has(P::fcpColor)) control.set_color(fc->color());
    if (wanted.has(P::fcpParentColor)) control.set_parent_color(fc->parent_color());
    if (wanted.has(P::fcpColor)) {
        colours.highlight = lighten_color(control.color(), 100);
        colours.shadow = darken_color(control.color(), 50);
    }
    return true;
}

class TEcBorder : public ui::GraphicControl, public FrameControllerLink {
    UI_CLASS_IDENTITY()
public:
    explicit TEcBorder(ui::Component* owner);
    ~TEcBorder() override;

    int bevel_width() const { return layers_.bevel_width; }
    void set_bevel_width(int v) { change(layers_.bevel_width, v); }
    int border_width() const { return layers_.width; }
    void set_border_width(int v) { change(layers_.width, v); }
    TFrameStyleEx border_inner() const { return layers_.inner; }
    void set_border_inner(TFrameStyleEx v) { change(layers_.inner, v); }
    TFrameStyleEx border_outer() const { return layers_.outer; }
    void set_border_outer(TFrameStyleEx v) { change(layers_.outer, v); }
    TSides border_sides() const { return layers_.sides; }
    void set_border_sides(TSides v) { change(layers_.sides, v); }
    ui::TColor border_color() const { return border_color_; }
    void set_border_color(ui::TColor v) { change_color(border_color_, v); }
    ui::TColor border_highlight() const { return highlight_; }
    void set_border_highlight(ui::TColor v) { change_color(highlight_, v); }
    ui::TColor border_shadow() const { return shadow_; }
    void set_border_shadow(ui::TColor v) { change_color(shadow_, v); }
    ui::TColor flat_color() const { return flat_color_; }
    void set_flat_color(ui::TColor v) { change_color(flat_color_, v); }
    int flat_color_adjustment() const { return flat_color_adjustment_; }
    void set_flat_color_adjustment(int v);
    FrameController* frame_controller() const { return frame_.controller(); }
    void set_frame_controller(FrameController* v) { frame_.set_controller(*this, v); }
    TEcFrameControllerNotifications frame_controller_notifications() const { return frame_.notifications(); }
    void set_frame_controller_notifications(TEcFrameControllerNotifications v) { frame_.set_notifications(v); }

    // The rectangle inside the borders, in the control's coordinates.
    ui::Rect border_client_rect() const;
    void refresh_frame_from_controller() override;

protected:
    void paint(ui::Canvas& canvas) override;
    void notification(ui::Component* component, ui::TOperation operation) override;
    // The colour inside the borders; a border is not opaque, so it is never painted.
    virtual ui::TColor interior_color() const { return 0x0000FFFF; }
    // A border layer changed its size.
    virtual void layers_changed() { invalidate(); }
    const BorderLayers& layers() const { return layers_; }

private:
    template <class T>
    void change(T& field, const T& value) {
        if (field == value) return;
        field = value;
        layers_changed();
    }
    void change_color(ui::TColor& field, ui::TColor value);

    BorderLayers layers_;
    ui::TColor border_color_ = ui::clBtnFace;
    ui::TColor highlight_ = ui::clBtnHighlight;
    ui::TColor shadow_ = ui::clBtnShadow;
    ui::TColor flat_color_ = ui::clBtnShadow;
    int flat_color_adjustment_ = 30;
    FrameControllerUser frame_;
};

class TEcLEDDisplay : public TEcBorder {
    UI_CLASS_IDENTITY()
public:
    explicit TEcLEDDisplay(ui::Component* owner);
    ~TEcLEDDisplay() override;

    ui::TAlignment alignment() const { return alignment_; }
    void set_alignment(ui::TAlignment v);
    // The display's own text, not the control's.
    const std::string& led_caption() const { return caption_; }
    void set_led_caption(const std::string& v);
    ui::TColor back_color() const { return back_color_; }
    void set_back_color(ui::TColor v);
    ui::TColor seg_on_color() const { return seg_on_color_; }
    void set_seg_on_color(ui::TColor v);
    ui::TColor seg_off_color() const { return seg_off_color_; }
    void set_seg_off_color(ui::TColor v);
    TEcScrollType scroll_type() const { return scroll_type_; }
    void set_scroll_type(TEcScrollType v);
    bool scrolling() const { return scrolling_; }
    void set_scrolling(bool v);
    // Milliseconds; below 1 counts as 1.
    unsigned scroll_delay() const { return scroll_delay_; }
    void set_scroll_delay(int v);
    ui::NotifyEvent on_scroll_complete;

    const LedDots& dots() const { return dots_; }
    int steps() const { return steps_; }
    int current_step() const { return current_step_; }
    // The scroll timer, which runs exactly while the text is moving.
    ui::Timer& scroll_timer() { return *timer_; }

protected:
    void paint(ui::Canvas& canvas) override;
    ui::TColor interior_color() const override { return back_color_; }
    void layers_changed() override;
    void changed_bounds(bool size_changed) override;
    void loaded() override;

private:
    void recompute_dots();
    void update_timer();
    void scroll_tick();
    void draw_led_cell(ui::Canvas& canvas, int x, int y, unsigned char code) const;
    void set_colour(ui::TColor& field, ui::TColor value);

    ui::TAlignment alignment_ = ui::TAlignment::taLeftJustify;
    std::string caption_;
    ui::TColor back_color_ = ui::clBlack;
    ui::TColor seg_on_color_ = 0x0000FF00;
    ui::TColor seg_off_color_ = 0x00003300;
    TEcScrollType scroll_type_ = TEcScrollType::stRightToLeft;
    bool scrolling_ = false;
    unsigned scroll_delay_ = 100;
    LedDots dots_;
    int steps_ = 0;
    int current_step_ = 0;
    std::unique_ptr<ui::Timer> timer_;
};

} // namespace ec
