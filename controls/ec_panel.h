// The control set's containers: the framed panel (two borders on any sides, a band between
// them, flat or gradient fill, grid, caption with margins), the group box in six styles, the
// spacer between tool-bar buttons and the tool bar that lays its controls out in rows.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "controls/ec_common.h"
#include "controls/model/button_layout.h"
#include "controls/model/frame_controller.h"
#include "controls/model/panel_layout.h"
#include "controls/model/reg_ini_file.h"
#include "controls/model/toolbar_layout.h"
#include "platform/ui/win/image_list.h"
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

class TEcToolbar;
class TEcPopupPanel;

// The tool bar's controls in its order, each with its name (the name stays while the control is
// not yet found after loading).
class TEcToolbarControlList {
public:
    struct Entry {
        ui::Control* control = nullptr;
        std::string name;
    };
    int count() const { return static_cast<int>(entries_.size()); }
    const Entry& at(int i) const { return entries_.at(static_cast<std::size_t>(i)); }
    const std::vector<Entry>& entries() const { return entries_; }
    // The existing index when the control is listed already.
    int add(ui::Control* control);
    int add_name(const std::string& name);
    int remove(ui::Control* control);
    int remove_name(const std::string& name);
    int index_of(const ui::Control* control) const;
    int index_of_name(const std::string& name) const;  // without regard to case
    void clear() { entries_.clear(); }

private:
    std::vector<Entry> entries_;
};

// Captions a customisation dialog would show; kept and stored only.
class TEcCustomizeCaptions : public ui::Persistent {
    UI_CLASS_IDENTITY()
public:
    TEcCustomizeCaptions();
    // Index 1 Title .. 9 SelectiveTextOnRight.
    const std::string& caption(int index) const { return captions_.at(static_cast<std::size_t>(index - 1)); }
    void set_caption(int index, const std::string& text);
    bool modified() const { return modified_; }
    void assign(const ui::Persistent& source) override;

private:
    std::vector<std::string> captions_;
    bool modified_ = false;
};

// The button at the trailing edge of a tool bar that does not wrap: it opens a popup tool bar
// with the buttons that did not fit.
class TEcToolbarPopupButton : public ui::CustomControl {
    UI_CLASS_IDENTITY()
public:
    explicit TEcToolbarPopupButton(TEcToolbar* bar);
    ~TEcToolbarPopupButton() override;

    TColor frame_color() const { return frame_color_; }
    void set_frame_color(TColor v);
    bool is_down() const { return down_; }
    // Opens the popup tool bar beneath the button; returns once it has closed.
    void show_overflow_popup();
    // The popup tool bar while it is open (tests look into it).
    TEcToolbar* popup_toolbar() const { return popup_bar_; }
    TEcPopupPanel* popup_panel() const { return popup_panel_; }
    // Fired once the popup tool bar is filled, just before it opens.
    ui::NotifyEvent on_popup;

protected:
    void paint(ui::Canvas& canvas) override;
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void mouse_move(ui::TShiftState shift, int x, int y) override;
    void mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    bool erase_background(HDC) override { return true; }

private:
    friend class TEcPopupToolButton;
    TEcToolbar* bar_;
    TColor frame_color_ = ui::clBtnShadow;
    bool pressed_ = false, down_ = false;
    ui::Control* chosen_ = nullptr;
    TEcPopupPanel* popup_panel_ = nullptr;
    TEcToolbar* popup_bar_ = nullptr;
};

class TEcToolbar : public TEcCustomPanel {
    UI_CLASS_IDENTITY()
public:
    explicit TEcToolbar(ui::Component* owner);
    ~TEcToolbar() override;

    bool auto_resize() const { return auto_resize_; }
    void set_auto_resize(bool v);
    bool auto_style() const { return auto_style_; }
    void set_auto_style(bool v) { auto_style_ = v; }
    ui::Bitmap& background() { return background_; }
    void set_background(const ui::Bitmap& b) { background_.assign(b); }
    int button_height() const { return button_height_; }
    void set_button_height(int v);
    int button_width() const { return button_width_; }
    void set_button_width(int v);
    TButtonLayout button_layout() const { return button_layout_; }
    void set_button_layout(TButtonLayout v);
    TEcCustomizeCaptions& customize_captions() { return captions_; }
    ui::ImageList* images() const { return images_.list(); }
    void set_images(ui::ImageList* list);
    int margin() const { return margin_; }
    void set_margin(int v);
    int top_margin() const { return top_margin_; }
    void set_top_margin(int v);
    TOrientation orientation() const { return orientation_; }
    void set_orientation(TOrientation v);
    RegIniFile* reg_ini_file() const { return reg_ini_file_; }
    void set_reg_ini_file(RegIniFile* v);
    int row_height() const { return row_height_; }
    void set_row_height(int v);
    bool show_button_captions() const { return show_button_captions_; }
    void set_show_button_captions(bool v);
    bool show_divider() const { return show_divider_; }
    void set_show_divider(bool v);
    TEcToolbarTextOptions text_options() const { return text_options_; }
    void set_text_options(TEcToolbarTextOptions v);
    bool wrap_controls() const { return wrap_controls_; }
    void set_wrap_controls(bool v);
    ui::TAlign toolbar_align() const { return align(); }
    void set_toolbar_align(ui::TAlign v);
    // Changing a border clears AutoStyle; changing the look tells the buttons.
    void set_border_inner(TFrameStyleEx v);
    void set_border_outer(TFrameStyleEx v);
    void set_border_sides(TSides v);
    void set_visual_style(TEcVisualStyle v);
    void set_gradient_color_style(TEcGradientColorStyle v);

    const TEcToolbarControlList& control_list() const { return list_; }
    TEcToolbarControlList& control_list() { return list_; }
    int row_pitch() const { return row_pitch_; }
    virtual int row_height_for_row(int /*row*/) const { return row_height_; }
    bool overflow_shown() const { return overflow_shown_; }
    TEcToolbarPopupButton* overflow_button() const { return overflow_button_; }
    // Lays the listed controls out again (the wrap layout).
    void arrange_controls();
    void apply_auto_style(ui::TAlign align);
    POINT repaint_margin_size() const override { return overflow_shown_ ? POINT{15, 1} : POINT{1, 1}; }

    void set_parent(ui::WinControl* parent) override;
    void align_controls(ui::Control* changed, ui::Rect& r) override;
    void change_scale(int multiplier, int divider);
    void wnd_proc(ui::Message& m) override;

    ui::NotifyEvent on_visible_changed;

protected:
    void paint(ui::Canvas& canvas) override;
    void draw_caption_text(ui::Canvas&, ui::Rect) override {}
    void notification(ui::Component* c, ui::TOperation op) override;
    void loaded() override;

private:
    friend class TEcToolbarPopupButton;
    bool check_auto_resize_allowed(bool v) const;
    void apply_button_metrics(bool captions, int width, int height);
    void changed_by_hand();
    void place_overflow_button();
    void post_size_to_parent();
    void read_controls(const ui::DescValue& v);
    bool write_controls(ui::DescValue& v) const;

    TEcToolbarControlList list_;
    std::vector<std::string> loading_names_;
    bool names_read_ = false;
    bool auto_resize_ = true, auto_style_ = true;
    ui::Bitmap background_;
    int button_height_ = 25, button_width_ = 25;
    TButtonLayout button_layout_ = TButtonLayout::blGlyphLeft;
    TEcCustomizeCaptions captions_;
    ui::ImageListLink images_{*this, [this](ui::ImageList&) { invalidate(); }};
    int margin_ = 4, top_margin_ = 2;
    TOrientation orientation_ = TOrientation::orHorizontal;
    RegIniFile* reg_ini_file_ = nullptr;
    int row_height_ = 25, row_pitch_ = 25;
    bool show_button_captions_ = false, show_divider_ = true;
    TEcToolbarTextOptions text_options_ = TEcToolbarTextOptions::ttoNoTextLabels;
    bool wrap_controls_ = true;
    TEcToolbarPopupButton* overflow_button_ = nullptr;
    bool overflow_shown_ = false;
    bool applying_preset_ = false, arranging_ = false, destroying_ = false;
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
