// The control set's painted check box and radio button: a state glyph beside a caption, painted
// off-screen over the parent's image, from a custom strip, the theme, the hot-track painters or
// the classic frame controls; read-only and frame-controller aware.
#pragma once
#include "controls/ec_button.h"
#include "controls/ec_common.h"
#include "controls/model/frame_controller.h"
#include "platform/ui/win/std_controls.h"

namespace ec {

class TEcCustomGlyphButton : public TEcCustomButton, public FrameControllerLink {
    UI_CLASS_IDENTITY()
public:
    TEcCustomGlyphButton(ui::Component* owner, int glyph_states);
    ~TEcCustomGlyphButton() override;

    virtual bool checked() const { return false; }
    virtual void set_checked(bool) {}

    ui::TLeftRight alignment() const { return alignment_; }
    void set_alignment(ui::TLeftRight v) { store(alignment_, v); }
    ui::Bitmap& custom_glyphs() { return custom_glyphs_; }
    void set_custom_glyphs(const ui::Bitmap& strip) { custom_glyphs_.assign(strip); }
    bool use_custom_glyphs() const { return use_custom_glyphs_; }
    void set_use_custom_glyphs(bool v);
    bool tab_on_enter() const { return tab_on_enter_; }
    void set_tab_on_enter(bool v) { tab_on_enter_ = v; }
    TColor frame_color() const { return frame_color_; }
    void set_frame_color(TColor v) { store(frame_color_, v); }
    TColor disabled_color() const { return disabled_color_; }
    void set_disabled_color(TColor v) { store(disabled_color_, v); }
    TColor transparent_color() const { return transparent_color_; }
    void set_transparent_color(TColor v) { store(transparent_color_, v); }
    TColor win_mask_color() const { return win_mask_color_; }
    void set_win_mask_color(TColor v) { store(win_mask_color_, v); }
    TColor focus_color() const { return focus_color_; }
    void set_focus_color(TColor v) { store(focus_color_, v); }
    TColor fill_color() const { return fill_color_; }
    void set_fill_color(TColor v) { store(fill_color_, v); }
    TEcButtonHotTrackStyle hot_track_style() const { return hot_track_style_; }
    void set_hot_track_style(TEcButtonHotTrackStyle v) { store(hot_track_style_, v); }
    bool read_only() const { return read_only_; }
    virtual void set_read_only(bool v) { store(read_only_, v); }
    TColor read_only_color() const { return read_only_color_; }
    void set_read_only_color(TColor v) { store(read_only_color_, v); }
    bool read_only_color_on_focus() const { return read_only_color_on_focus_; }
    void set_read_only_color_on_focus(bool v) { store(read_only_color_on_focus_, v); }
    FrameController* frame_controller() const { return link_.controller(); }
    void set_frame_controller(FrameController* c) { link_.set_controller(*this, c); }
    TEcFrameControllerNotifications frame_controller_notifications() const { return link_.notifications(); }
    void set_frame_controller_notifications(TEcFrameControllerNotifications v) { link_.set_notifications(v); }

    int glyph_width() const { return glyph_width_; }
    int glyph_height() const { return glyph_height_; }
    ui::Rect glyph_rect() const;
    void refresh_frame_from_controller() override;
    void wnd_proc(ui::Message& m) override;

protected:
    // Paints the glyph of the current state into `glyph` (glyph-sized).
    virtual void paint_glyph(ui::Bitmap& glyph) = 0;
    // Smooths the glyph's edges over a transparent background (the radio circle's).
    virtual void post_process_transparent(ui::Bitmap&) {}
    // Paints one cell of the custom strip into `glyph`.
    void copy_custom_cell(int cell, ui::Bitmap& glyph);
    // The state a painter shows; disabled before pressed before hot.
    GlyphDrawState draw_state() const;
    GlyphLook glyph_look() const;
    bool using_mouse() const { return using_mouse_; }
    bool clicks_disabled() const { return clicks_disabled_; }
    // OnClick unless an action link is setting the state.
    void notify_click();

    void paint(ui::Canvas& canvas) override;
    void paint_parent_image(HDC dc) override;
    void state_change_repaint() override { paint_now(); }
    void focus_change_repaint() override { paint_now(); }
    ui::Rect hot_track_rect() const override { return glyph_rect(); }
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void action_change(ui::Action& action) override;
    void notification(ui::Component* c, ui::TOperation op) override;
    bool do_key_down(WORD& key, ui::TShiftState shift) override;
    bool do_key_press(wchar_t& key) override;

    bool key_toggle_ = false;

private:
    void draw_glyph(ui::Canvas& canvas);

    int glyph_states_;
    int glyph_width_ = 13, glyph_height_ = 13;
    ui::Bitmap custom_glyphs_;
    bool use_custom_glyphs_ = false;
    bool tab_on_enter_ = false;
    FrameControllerUser link_;
    bool clicks_disabled_ = false;
    TColor frame_color_ = ui::clBtnShadow, disabled_color_ = ui::clBtnFace;
    TColor transparent_color_ = ui::clOlive, win_mask_color_ = ui::clLime;
    TColor focus_color_ = ui::clWindow, fill_color_ = ui::clWindow;
    TEcButtonHotTrackStyle hot_track_style_ = TEcButtonHotTrackStyle::htsInterior;
    bool read_only_ = false;
    TColor read_only_color_ = ui::clInfoBk;
    bool read_only_color_on_focus_ = false;
    bool using_mouse_ = false;
    ui::TLeftRight alignment_ = ui::TLeftRight::taRightJustify;
    ui::Bitmap off_screen_;
};

class TEcRadioButton : public TEcCustomGlyphButton {
    UI_CLASS_IDENTITY()
public:
    explicit TEcRadioButton(ui::Component* owner);
    bool checked() const override { return checked_; }
    void set_checked(bool v) override;
    void set_read_only(bool v) override;
    void wnd_proc(ui::Message& m) override;

protected:
    void change_state_and_click() override;
    void paint_glyph(ui::Bitmap& glyph) override;
    void post_process_transparent(ui::Bitmap& glyph) override;

private:
    bool checked_ = false;
};

class TEcCustomCheckBox : public TEcCustomGlyphButton {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomCheckBox(ui::Component* owner);
    bool checked() const override { return state_ == ui::TCheckBoxState::cbChecked; }
    void set_checked(bool v) override {
        set_state(v ? ui::TCheckBoxState::cbChecked : ui::TCheckBoxState::cbUnchecked);
    }
    ui::TCheckBoxState state() const { return state_; }
    virtual void set_state(ui::TCheckBoxState s);
    bool allow_grayed() const { return allow_grayed_; }
    void set_allow_grayed(bool v) { allow_grayed_ = v; }
    void wnd_proc(ui::Message& m) override;

protected:
    void change_state_and_click() override;
    void paint_glyph(ui::Bitmap& glyph) override;
    bool do_key_down(WORD& key, ui::TShiftState shift) override;
    bool do_key_up(WORD& key, ui::TShiftState shift) override;

private:
    ui::TCheckBoxState state_ = ui::TCheckBoxState::cbUnchecked;
    bool allow_grayed_ = false;
};

class TEcCheckBox : public TEcCustomCheckBox {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCheckBox(ui::Component* owner) : TEcCustomCheckBox(owner) {}
};

void register_rad_chk_classes();

} // namespace ec
