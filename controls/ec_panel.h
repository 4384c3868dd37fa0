// The control set's containers: the framed panel (two borders on any sides, a band between
// them, flat or gradient fill, grid, caption with margins), the group box in six styles and
// the spacer between tool-bar buttons.
#pragma once
#include "controls/ec_common.h"
#include "controls/model/frame_controller.h"
#include "controls/model/panel_layout.h"
#include "platform/ui/win/std_controls.h"

namespace ec {

class TEcCustomPanel : public ui::Panel, public FrameControllerLink {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomPanel(ui::Component* owner);
    ~TEcCustomPanel() override;

    TAlignmentVertical alignment_vertical() const { return alignment_vertical_; }
    void set_alignment_vertical(TAlignmentVertical v) { store(alignment_vertical_, v); }
    TFrameStyleEx border_inner() const { return border_inner_; }
    void set_border_inner(TFrameStyleEx v) { store_and_realign(border_inner_, v); }
    TFrameStyleEx border_outer() const { return border_outer_; }
    void set_border_outer(TFrameStyleEx v) { store_and_realign(border_outer_, v); }
    TSides border_sides() const { return border_sides_; }
    void set_border_sides(TSides v) { store_and_realign(border_sides_, v); }
    TColor border_color() const { return border_color_; }
    void set_border_color(TColor v) { store(border_color_, v); }
    TColor border_highlight() const { return border_highlight_; }
    void set_border_highlight(TColor v) { store(border_highlight_, v); }
    TColor border_shadow() const { return border_shadow_; }
    void set_border_shadow(TColor v) { store(border_shadow_, v); }
    TColor flat_color() const { return flat_color_; }
    void set_flat_color(TColor v) { store(flat_color_, v); }
    int flat_color_adjustment() const { return flat_color_adjustment_; }
    void set_flat_color_adjustment(int v) { store(flat_color_adjustment_, v); }
    TEcGradientColorStyle gradient_color_style() const { return gradient_color_style_; }
    void set_gradient_color_style(TEcGradientColorStyle v) { store(gradient_color_style_, v); }
    TColor gradient_color_start() const { return gradient_color_start_; }
    void set_gradient_color_start(TColor v);
    TColor gradient_color_stop() const { return gradient_color_stop_; }
    void set_gradient_color_stop(TColor v);
    TGradientDirection gradient_direction() const { return gradient_direction_; }
    void set_gradient_direction(TGradientDirection v);
    TColor grid_color() const { return grid_color_; }
    void set_grid_color(TColor v) { store(grid_color_, v); }
    TEcGridStyle grid_style() const { return grid_style_; }
    void set_grid_style(TEcGridStyle v) { store(grid_style_, v); }
    int grid_x_size() const { return grid_x_size_; }
    void set_grid_x_size(int v) { store(grid_x_size_, v); }
    int grid_y_size() const { return grid_y_size_; }
    void set_grid_y_size(int v) { store(grid_y_size_, v); }
    bool show_grid() const { return show_grid_; }
    void set_show_grid(bool v) { store(show_grid_, v); }
    bool paint_client_area() const { return paint_client_area_; }
    void set_paint_client_area(bool v) { store(paint_client_area_, v); }
    int text_margin() const { return text_margin_; }
    void set_text_margin(int v) { store(text_margin_, v); }
    int text_margin_vertical() const { return text_margin_vertical_; }
    void set_text_margin_vertical(int v) { store(text_margin_vertical_, v); }
    bool transparent() const { return transparent_; }
    void set_transparent(bool v);
    TEcVisualStyle visual_style() const { return visual_style_; }
    void set_visual_style(TEcVisualStyle v) { store(visual_style_, v); }
    bool word_wrap() const { return word_wrap_; }
    void set_word_wrap(bool v) { store(word_wrap_, v); }
    bool show_dock_client_captions() const { return show_dock_client_captions_; }
    void set_show_dock_client_captions(bool v) { show_dock_client_captions_ = v; }
    // Stored for descriptions; nothing of the system docks.
    bool dock_site() const { return dock_site_; }
    void set_dock_site(bool v) { dock_site_ = v; }
    bool use_dock_manager() const { return use_dock_manager_; }
    void set_use_dock_manager(bool v) { use_dock_manager_ = v; }
    FrameController* frame_controller() const { return link_.controller(); }
    void set_frame_controller(FrameController* c) { link_.set_controller(*this, c); }
    TEcFrameControllerNotifications frame_controller_notifications() const { return link_.notifications(); }
    void set_frame_controller_notifications(TEcFrameControllerNotifications v) { link_.set_notifications(v); }

    // The children's enabled states while the panel is disabled: "1" or "0", the child as object.
    const ui::StringList& enabled_states() const { return enabled_states_; }

    PanelBorders borders() const;
    ui::Rect adjust_rect_for_borders(ui::Rect r, bool with_border_width) const;
    ui::Rect control_bounds_rect() const { return {0, 0, width(), height()}; }
    virtual POINT repaint_margin_size() const { return {1, 1}; }

    void set_bounds(int left, int top, int width, int height) override;
    void invalidate() override;
    void align_controls(ui::Control* changed, ui::Rect& r) override;
    void refresh_frame_from_controller() override;
    void wnd_proc(ui::Message& m) override;

    ui::NotifyEvent on_paint;

protected:
    void paint(ui::Canvas& canvas) override;
    void notification(ui::Component* c, ui::TOperation op) override;
    virtual GradientPair gradient_color_pair() const;
    // The flat styles' line colour and its adjustment.
    virtual std::pair<TColor, int> flat_frame_colors() const;
    virtual void draw_caption_text(ui::Canvas& canvas, ui::Rect r);
    virtual void draw_grid_pattern(ui::Canvas& canvas, const ui::Rect& r);

    template <class T>
    void store(T& field, const T& value) {
        if (field == value) return;
        field = value;
        invalidate();
    }
    template <class T>
    void store_and_realign(T& field, const T& value) {
        if (field == value) return;
        field = value;
        realign();
        invalidate();
    }

private:
    void enabled_changed();
    void invalidate_uncovered(int new_width, int new_height);

    TAlignmentVertical alignment_vertical_ = TAlignmentVertical::avCenter;
    TFrameStyleEx border_inner_ = TFrameStyleEx::fsNone, border_outer_ = TFrameStyleEx::fsRaised;
    TSides border_sides_ = kAllSides;
    TColor border_color_ = ui::clBtnFace, border_highlight_ = ui::clBtnHighlight, border_shadow_ = ui::clBtnShadow;
    TColor flat_color_ = ui::clBtnShadow;
    int flat_color_adjustment_ = 30;
    TEcGradientColorStyle gradient_color_style_ = TEcGradientColorStyle::gcsSystem;
    TColor gradient_color_start_ = ui::clWhite, gradient_color_stop_ = ui::clBtnFace;
    TGradientDirection gradient_direction_ = TGradientDirection::gdHorizontalEnd;
    TColor grid_color_ = ui::clBtnShadow;
    TEcGridStyle grid_style_ = TEcGridStyle::gsDots;
    int grid_x_size_ = 8, grid_y_size_ = 8;
    bool show_grid_ = false, paint_client_area_ = true;
    int text_margin_ = 0, text_margin_vertical_ = 0;
    bool transparent_ = false;
    TEcVisualStyle visual_style_ = TEcVisualStyle::vsWinXP;
    bool word_wrap_ = true, show_dock_client_captions_ = true;
    bool dock_site_ = false, use_dock_manager_ = true;
    FrameControllerUser link_;
    ui::StringList enabled_states_;
    bool resizing_ = false;
};

class TEcPanel : public TEcCustomPanel {
    UI_CLASS_IDENTITY()
public:
    explicit TEcPanel(ui::Component* owner) : TEcCustomPanel(owner) {}
};

class TEcCustomGroupBox : public TEcCustomPanel {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomGroupBox(ui::Component* owner);

    TEcGroupBoxStyle group_style() const { return group_style_; }
    virtual void set_group_style(TEcGroupBoxStyle v) { store_and_realign(group_style_, v); }
    // The height of "Yy" in the box's font.
    int caption_text_height() const;

    void adjust_client_rect(ui::Rect& r) const override;
    void refresh_frame_from_controller() override;
    void wnd_proc(ui::Message& m) override;

protected:
    void paint(ui::Canvas& canvas) override;

private:
    ui::Rect caption_rect(ui::Canvas& canvas) const;

    TEcGroupBoxStyle group_style_ = TEcGroupBoxStyle::gsFlat;
};

class TEcGroupBox : public TEcCustomGroupBox {
    UI_CLASS_IDENTITY()
public:
    explicit TEcGroupBox(ui::Component* owner) : TEcCustomGroupBox(owner) {}
};

class TEcSpacer : public ui::GraphicControl {
    UI_CLASS_IDENTITY()
public:
    explicit TEcSpacer(ui::Component* owner);
    bool grooved() const { return grooved_; }
    void set_grooved(bool v);
    TOrientation orientation() const { return orientation_; }
    // Outside loading, turning the spacer swaps its width and height.
    void set_orientation(TOrientation v);

protected:
    void paint(ui::Canvas& canvas) override;

private:
    bool grooved_ = false;
    TOrientation orientation_ = TOrientation::orHorizontal;
};

void register_panel_classes();

// The bar at the bottom of a window: status panes or other controls, a simple mode that hides
// them and shows one caption, and a size grip that sizes the form.
class TEcStatusBar : public TEcCustomPanel {
    UI_CLASS_IDENTITY()
public:
    explicit TEcStatusBar(ui::Component* owner);

    bool auto_scale_panes() const { return auto_scale_panes_; }
    void set_auto_scale_panes(bool v) { auto_scale_panes_ = v; }
    bool auto_style() const { return auto_style_; }
    void set_auto_style(bool v) { auto_style_ = v; }
    bool show_size_grip() const { return show_size_grip_; }
    void set_show_size_grip(bool v);
    const std::string& simple_caption() const { return simple_caption_; }
    void set_simple_caption(const std::string& v);
    TFrameStyle simple_frame_style() const { return simple_frame_style_; }
    void set_simple_frame_style(TFrameStyle v);
    bool simple_status() const { return simple_status_; }
    void set_simple_status(bool v);
    // A border set outside loading gives up the fixed look.
    void set_border_inner(TFrameStyleEx v);
    void set_border_outer(TFrameStyleEx v);
    void set_border_sides(TSides v);

    // Whether the parent form lets the grip size it: sizeable and not maximised.
    bool grip_allowed() const { return grip_allowed_; }
    bool grip_shown() const { return show_size_grip_ && grip_allowed_; }

    ui::Rect client_rect() const override;
    void wnd_proc(ui::Message& m) override;

protected:
    void paint(ui::Canvas& canvas) override;
    void loaded() override;
    void create_wnd() override;
    void changed_bounds(bool size_changed) override;
    GradientPair gradient_color_pair() const override;
    virtual void draw_simple_frame(ui::Canvas& canvas, const ui::Rect& r);
    virtual void apply_auto_style();

private:
    void update_grip_allowed();
    void paint_size_grip(HDC dc);
    void scale_panes(int change, int previous_width);

    bool auto_scale_panes_ = false;
    bool auto_style_ = true;
    bool show_size_grip_ = true;
    std::string simple_caption_;
    TFrameStyle simple_frame_style_ = TFrameStyle::fsFlat;
    bool simple_status_ = false;
    bool grip_allowed_ = false;
    bool resize_seen_ = false;
    int previous_width_ = 0;
    ui::Canvas grip_canvas_;  // the grip is drawn on the window after the normal painting
};

} // namespace ec
