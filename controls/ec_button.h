// The control set's painted push buttons: the base that check boxes and radio buttons share
// (caption styles, hot tracking, mouse and focus), the push button with default, cancel, modal
// result and latching groups, the bit button with its glyph and standard kinds, and the small
// graphic button of spin and button edits with auto-repeat; the tool button of the tool bar
// (glyph from an image list, caption in four layouts, groups, drop-down menu).
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "controls/model/button_layout.h"
#include "controls/model/ec_enums.h"
#include "controls/model/tool_button_layout.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/timer.h"

namespace ec {

using ui::TColor;

// Sent to the controls of a grouped button's parent when it went down or its group changed:
// wParam the GroupIndex, lParam the sending button.
constexpr unsigned CM_BUTTON_GROUP = 0x2421;

constexpr TColor kDefaultHotTrackColor = 0x00149BF0;

class TEcCustomButton : public ui::CustomControl {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomButton(ui::Component* owner);

    TAlignmentVertical alignment_vertical() const { return alignment_vertical_; }
    void set_alignment_vertical(TAlignmentVertical v) { store(alignment_vertical_, v); }
    bool hot_track() const { return hot_track_; }
    virtual void set_hot_track(bool v) { store(hot_track_, v); }
    TColor hot_track_color() const { return hot_track_color_; }
    void set_hot_track_color(TColor v) { store(hot_track_color_, v); }
    TEcHotTrackColorType hot_track_color_type() const { return hot_track_color_type_; }
    void set_hot_track_color_type(TEcHotTrackColorType v) { store(hot_track_color_type_, v); }
    TColor highlight_color() const { return highlight_color_; }
    void set_highlight_color(TColor v) { store(highlight_color_, v); }
    bool light_text_style() const { return light_text_style_; }
    void set_light_text_style(bool v) { store(light_text_style_, v); }
    TTextStyle text_style() const { return text_style_; }
    void set_text_style(TTextStyle v) { store(text_style_, v); }
    TColor text_highlight_color() const { return text_highlight_color_; }
    void set_text_highlight_color(TColor v) { store(text_highlight_color_, v); }
    TColor text_shadow_color() const { return text_shadow_color_; }
    void set_text_shadow_color(TColor v) { store(text_shadow_color_, v); }
    int text_shadow_depth() const { return text_shadow_depth_; }
    void set_text_shadow_depth(int v) { store(text_shadow_depth_, v); }
    bool theme_aware() const { return theme_aware_; }
    void set_theme_aware(bool v) { store(theme_aware_, v); }
    bool transparent() const { return transparent_; }
    virtual void set_transparent(bool v) { store(transparent_, v); }

    bool mouse_over() const { return mouse_over_; }
    bool pressed_look() const { return pressed_look_; }
    bool dragging() const { return dragging_; }

    void wnd_proc(ui::Message& m) override;

protected:
    // Draws the parent's image under the button (for transparency).
    virtual void paint_parent_image(HDC /*dc*/) {}
    virtual void state_change_repaint() {}
    virtual void focus_change_repaint() { invalidate(); }
    virtual ui::Rect hot_track_rect() const { return client_rect(); }
    // The caption in `r` with the text style, placed by AlignmentVertical.
    virtual void draw_caption(ui::Canvas& canvas, ui::Rect r, UINT flags);
    // A press was released inside the button (or space went up).
    virtual void change_state_and_click() = 0;

    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void mouse_move(ui::TShiftState shift, int x, int y) override;
    void mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;

    bool themed_look() const;
    void set_pressed_look(bool v) { pressed_look_ = v; }
    // Stores a changed value and repaints.
    template <class T>
    void store(T& field, const T& value) {
        if (field == value) return;
        field = value;
        invalidate();
    }

private:
    void invalidate_hot_rect();

    TAlignmentVertical alignment_vertical_ = TAlignmentVertical::avCenter;
    bool dragging_ = false, mouse_over_ = false, pressed_look_ = false;
    bool hot_track_ = false;
    TColor hot_track_color_ = kDefaultHotTrackColor;
    TEcHotTrackColorType hot_track_color_type_ = TEcHotTrackColorType::htctActual;
    TColor highlight_color_ = ui::clHighlight;
    bool light_text_style_ = false;
    TTextStyle text_style_ = TTextStyle::tsNormal;
    TColor text_highlight_color_ = ui::clBtnHighlight, text_shadow_color_ = ui::clBtnShadow;
    int text_shadow_depth_ = 2;
    bool theme_aware_ = true, transparent_ = false;
};

// up and exclusive are the only states ever stored; disabled and down are drawn.
enum class ButtonState { Up, Disabled, Down, Exclusive };

class TEcButton : public TEcCustomButton {
    UI_CLASS_IDENTITY()
public:
    explicit TEcButton(ui::Component* owner);

    ui::TAlignment alignment() const { return alignment_; }
    void set_alignment(ui::TAlignment v) { store(alignment_, v); }
    bool is_default() const { return default_; }
    void set_default(bool v);
    bool cancel() const { return cancel_; }
    void set_cancel(bool v) { cancel_ = v; }
    ui::TModalResult modal_result() const { return modal_result_; }
    void set_modal_result(ui::TModalResult v) { modal_result_ = v; }
    bool allow_all_up() const { return allow_all_up_; }
    void set_allow_all_up(bool v);
    bool down() const { return down_; }
    void set_down(bool v);
    int group_index() const { return group_index_; }
    void set_group_index(int v);
    TColor frame_color() const { return frame_color_; }
    void set_frame_color(TColor v) { store(frame_color_, v); }
    bool show_down_pattern() const { return show_down_pattern_; }
    void set_show_down_pattern(bool v) { store(show_down_pattern_, v); }
    bool show_focus_rect() const { return show_focus_rect_; }
    void set_show_focus_rect(bool v) { store(show_focus_rect_, v); }
    bool drop_down_on_enter() const { return drop_down_on_enter_; }
    void set_drop_down_on_enter(bool v) { drop_down_on_enter_ = v; }
    void set_hot_track(bool v) override;

    // Whether Enter presses this button now.
    bool active() const { return active_; }
    ButtonState state() const { return state_; }
    // Drawn pressed: latched down, or held by the mouse or the space key.
    bool shown_pressed() const;

    void click() override;
    void wnd_proc(ui::Message& m) override;
    // Whether descriptions store Default, Cancel and ModalResult (a standard kind implies them).
    virtual bool stores_button_values() const { return true; }

protected:
    virtual ui::Rect caption_rect() const;
    // The caption (and the bit button's glyph).
    virtual void draw_button_caption(ui::Canvas& canvas);
    void paint(ui::Canvas& canvas) override;
    void paint_parent_image(HDC dc) override;
    void state_change_repaint() override { invalidate(); }
    void change_state_and_click() override;
    void create_wnd() override;
    bool do_key_down(WORD& key, ui::TShiftState shift) override;
    bool do_key_up(WORD& key, ui::TShiftState shift) override;
    UINT caption_flags() const;

private:
    // Each returns the face left inside its frame.
    ui::Rect paint_hot_track_face(ui::Canvas& canvas, ui::Rect r);
    ui::Rect paint_classic_face(ui::Canvas& canvas, ui::Rect r);
    void broadcast_group();
    void set_active(bool v);
    void erase_rounded_corners(HDC dc);

    ui::TAlignment alignment_ = ui::TAlignment::taCenter;
    bool active_ = false, default_ = false, cancel_ = false;
    ui::TModalResult modal_result_ = ui::mrNone;
    ButtonState state_ = ButtonState::Up;
    bool allow_all_up_ = false, down_ = false;
    int group_index_ = 0;
    bool clicking_ = false, key_toggle_ = false;
    TColor frame_color_ = ui::cl3DDkShadow;
    bool show_down_pattern_ = true, show_focus_rect_ = true, drop_down_on_enter_ = true;
};

class TEcBitBtn : public TEcButton {
    UI_CLASS_IDENTITY()
public:
    explicit TEcBitBtn(ui::Component* owner);
    ~TEcBitBtn() override;

    ui::Bitmap& glyph() { return glyph_; }
    // Takes a copy of `source` as the glyph.
    void set_glyph(const ui::Bitmap& source);
    int num_glyphs() const { return num_glyphs_; }
    void set_num_glyphs(int n);
    // bkCustom as soon as Default, Cancel or ModalResult left the kind's values, or the glyph was
    // replaced.
    TBitBtnKind kind() const;
    void set_kind(TBitBtnKind k);
    TButtonLayout layout() const { return layout_; }
    void set_layout(TButtonLayout v) { store(layout_, v); }
    int margin() const { return margin_; }
    void set_margin(int v);
    int spacing() const { return spacing_; }
    void set_spacing(int v) { store(spacing_, v); }
    int image_index() const { return image_index_; }
    void set_image_index(int v) { store(image_index_, v); }
    int disabled_index() const { return disabled_index_; }
    void set_disabled_index(int v) { store(disabled_index_, v); }
    ui::ImageList* images() const { return images_; }
    void set_images(ui::ImageList* list);

    bool stores_button_values() const override { return kind() == TBitBtnKind::bkCustom; }
    SIZE glyph_size() const;
    ui::Rect glyph_rect();
    // Margin and Spacing follow the form's scaling.
    void change_scale(int multiplier, int divider);

protected:
    ui::Rect caption_rect() const override;
    void draw_button_caption(ui::Canvas& canvas) override;
    void notification(ui::Component* c, ui::TOperation op) override;
    void action_change(ui::Action& action) override;

private:
    bool has_glyph() const;
    GlyphPlacement placement() const;
    int measured_caption_height() const;
    void draw_glyph(ui::Canvas& canvas, const ui::Rect& r);

    ui::Bitmap glyph_;
    mutable TBitBtnKind kind_ = TBitBtnKind::bkCustom;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = 2, spacing_ = 4, num_glyphs_ = 1;
    mutable bool glyph_modified_ = false;
    bool assigning_kind_ = false;
    int image_index_ = -1, disabled_index_ = -1;
    ui::ImageList* images_ = nullptr;
};

// The glyph strip of a standard kind (two 16 x 16 cells: normal, disabled), drawn once per
// process; empty for bkCustom.
const ui::Bitmap& bit_btn_kind_glyph(TBitBtnKind kind);

class TEcControlButton : public ui::GraphicControl {
    UI_CLASS_IDENTITY()
public:
    explicit TEcControlButton(ui::Component* owner);
    ~TEcControlButton() override;

    bool flat() const { return flat_; }
    void set_flat(bool v);
    ui::Bitmap& glyph() { return glyph_; }
    void set_glyph(const ui::Bitmap& source);
    int num_glyphs() const { return num_glyphs_; }
    void set_num_glyphs(int n);
    int delay() const { return delay_; }
    void set_delay(int v) { delay_ = v; }
    int initial_delay() const { return initial_delay_; }
    void set_initial_delay(int v) { initial_delay_ = v; }
    bool repeat_clicks() const { return repeat_clicks_; }
    void set_repeat_clicks(bool v) { repeat_clicks_ = v; }
    TEcControlButtonStyle style() const { return style_; }
    void set_style(TEcControlButtonStyle v);

    bool is_down() const { return down_; }
    bool mouse_over() const { return mouse_over_; }
    // The repeat timer, once a press with RepeatClicks made it.
    ui::Timer* repeat_timer() const { return timer_.get(); }

    void wnd_proc(ui::Message& m) override;

protected:
    void paint(ui::Canvas& canvas) override;
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;

private:
    ui::Rect paint_frame_and_face(ui::Canvas& canvas, ui::Rect r, bool hot);
    void repeat_tick();
    bool holds_capture() const;

    bool flat_ = false;
    ui::Bitmap glyph_;
    int num_glyphs_ = 1;
    int delay_ = 100, initial_delay_ = 400;
    bool repeat_clicks_ = false;
    TEcControlButtonStyle style_ = TEcControlButtonStyle::cbsNone;
    bool mouse_over_ = false, down_ = false, dragging_ = false;
    std::unique_ptr<ui::Timer> timer_;
};

class TEcToolbar;
class TEcToolButton;

// The tool bar tells its buttons of its settings by these, sent to every child.
constexpr unsigned CM_TOOLBARSHOWCAPTIONCHANGED = 0xB3EA;
constexpr unsigned CM_TOOLBARBUTTONLAYOUTCHANGED = 0xB3EB;
constexpr unsigned CM_TOOLBARBUTTONSIZECHANGED = 0xB3EC;
constexpr unsigned CM_TOOLBARVISUALSTYLECHANGED = 0xB3ED;

enum class ToolButtonState { Up, Disabled, Pressed, Down, Dropped };

// Ties the button's Down and ImageIndex to its action's Checked and ImageIndex.
class TEcToolButtonActionLink {
public:
    explicit TEcToolButtonActionLink(TEcToolButton& button) : button_(button) {}
    bool is_checked_linked() const;
    bool is_image_index_linked() const;
    void set_checked(bool v);
    void set_image_index(int v);

private:
    TEcToolButton& button_;
};

class TEcToolButton : public ui::GraphicControl {
    UI_CLASS_IDENTITY()
public:
    explicit TEcToolButton(ui::Component* owner);
    ~TEcToolButton() override;

    ui::TAlignment alignment() const { return alignment_; }
    void set_alignment(ui::TAlignment v) { store(alignment_, v); }
    TButtonLayout layout() const { return layout_; }
    void set_layout(TButtonLayout v);
    bool show_caption() const { return show_caption_; }
    void set_show_caption(bool v);
    bool transparent() const { return transparent_; }
    void set_transparent(bool v) { store(transparent_, v); }
    bool flat() const { return flat_; }
    void set_flat(bool v) { store(flat_, v); }
    TEcVisualStyle visual_style() const { return visual_style_; }
    void set_visual_style(TEcVisualStyle v);
    TEcGradientColorStyle gradient_color_style() const { return gradient_color_style_; }
    void set_gradient_color_style(TEcGradientColorStyle v) { store(gradient_color_style_, v); }
    TColor selection_color_start() const { return selection_color_start_; }
    void set_selection_color_start(TColor v) { store(selection_color_start_, v); }
    TColor selection_color_stop() const { return selection_color_stop_; }
    void set_selection_color_stop(TColor v) { store(selection_color_stop_, v); }
    TColor selection_frame_color() const { return selection_frame_color_; }
    void set_selection_frame_color(TColor v) { store(selection_frame_color_, v); }
    bool use_toolbar_button_size() const { return use_toolbar_button_size_; }
    void set_use_toolbar_button_size(bool v);
    bool use_toolbar_button_layout() const { return use_toolbar_button_layout_; }
    void set_use_toolbar_button_layout(bool v);
    bool use_toolbar_show_caption() const { return use_toolbar_show_caption_; }
    void set_use_toolbar_show_caption(bool v);
    bool use_toolbar_visual_style() const { return use_toolbar_visual_style_; }
    void set_use_toolbar_visual_style(bool v);

    ui::ImageList* images() const { return images_.list(); }
    void set_images(ui::ImageList* list);
    int image_index() const { return image_index_; }
    void set_image_index(int v) { store(image_index_, v); }
    int down_index() const { return down_index_; }
    void set_down_index(int v) { store(down_index_, v); }
    int disabled_index() const { return disabled_index_; }
    void set_disabled_index(int v) { store(disabled_index_, v); }
    int hot_index() const { return hot_index_; }
    void set_hot_index(int v) { store(hot_index_, v); }
    int group_index() const { return group_index_; }
    void set_group_index(int v);
    bool allow_all_up() const { return allow_all_up_; }
    void set_allow_all_up(bool v);
    bool down() const { return down_; }
    void set_down(bool v);
    TEcToolStyle tool_style() const { return tool_style_; }
    void set_tool_style(TEcToolStyle v);
    ui::PopupMenu* drop_down_menu() const { return drop_down_menu_; }
    void set_drop_down_menu(ui::PopupMenu* menu);

    // A new parent that is a tool bar hands its styles down.
    void set_parent(ui::WinControl* parent) override;
    // Width and Height set by the program or a description stop following the bar's size.
    void set_bounds(int left, int top, int width, int height) override;

    // The image list drawn from: Images, else the parent tool bar's.
    ui::ImageList* image_list_in_use() const;
    TEcToolbar* toolbar() const;
    ToolButtonState state() const { return state_; }
    bool mouse_over() const { return mouse_over_; }
    // Whether descriptions store Width and Height (not while they are the bar's).
    bool stores_size() const;

    // Opens DropDownMenu under the button; nothing without one.
    virtual void drop_down();
    // Takes the bar's caption flag, layout, size and look, as far as the button follows them.
    void pick_up_toolbar_styles();
    void click() override;
    void wnd_proc(ui::Message& m) override;
    void assign(const ui::Persistent& source) override;
    // Copies Down into the action's Checked and ImageIndex into its ImageIndex.
    void assign_to_action(ui::Action& action) const;

    // The clock of the re-open guard (milliseconds, wrapping); tests set their own.
    using TickSource = std::function<std::uint32_t()>;
    static void set_tick_source(TickSource source);  // nullptr: GetTickCount again

    ui::NotifyEvent on_drop_down;

protected:
    void paint(ui::Canvas& canvas) override;
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void mouse_move(ui::TShiftState shift, int x, int y) override;
    void mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void notification(ui::Component* c, ui::TOperation op) override;
    void loaded() override;
    void action_change(ui::Action& action) override;

    virtual void draw_frame_and_face(ui::Canvas& canvas, ui::Rect r);
    virtual void draw_glyph(ui::Canvas& canvas, const ui::Rect& r);
    virtual void draw_drop_down_part(ui::Canvas& canvas);
    virtual void draw_caption(ui::Canvas& canvas, const ui::Rect& r);
    ToolButtonRects place_glyph_and_caption(ui::Canvas& canvas) const;

private:
    template <class T>
    void store(T& field, const T& value) {
        if (field == value) return;
        field = value;
        invalidate();
    }
    bool flat_like() const { return visual_style_ != TEcVisualStyle::vsClassic || flat_; }
    bool themed() const;
    bool active_look() const;
    bool split_button() const;  // tsDropDown with a click of its own
    bool has_own_click() const { return static_cast<bool>(on_click) || action() != nullptr; }
    SIZE glyph_size() const;
    int caption_text_width() const;
    void follow_size();
    void check_hover();
    void broadcast_group();
    void images_changed();
    void fix_state();

    ui::TAlignment alignment_ = ui::TAlignment::taCenter;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    bool show_caption_ = false, transparent_ = true, flat_ = true;
    TEcVisualStyle visual_style_ = TEcVisualStyle::vsWinXP;
    TEcGradientColorStyle gradient_color_style_ = TEcGradientColorStyle::gcsSystem;
    TColor selection_color_start_ = ui::clBtnFace, selection_color_stop_ = ui::clBtnShadow;
    TColor selection_frame_color_ = ui::cl3DDkShadow;
    bool use_toolbar_button_size_ = true, use_toolbar_button_layout_ = true;
    bool use_toolbar_show_caption_ = true, use_toolbar_visual_style_ = true;
    ui::ImageListLink images_{*this, [this](ui::ImageList&) { images_changed(); }};
    int image_index_ = -1, down_index_ = -1, disabled_index_ = -1, hot_index_ = -1;
    int group_index_ = 0;
    bool allow_all_up_ = false, down_ = false;
    TEcToolStyle tool_style_ = TEcToolStyle::tsButton;
    ui::PopupMenu* drop_down_menu_ = nullptr;
    ToolButtonState state_ = ToolButtonState::Up;
    bool mouse_over_ = false, dragging_ = false, in_drop_down_ = false, treat_as_normal_ = true;
    std::uint32_t last_drop_ = 0;
    bool following_ = false;  // the bar is setting the size: it still follows
};

// Publishes the classes above for window descriptions.
void register_button_classes();

} // namespace ec
