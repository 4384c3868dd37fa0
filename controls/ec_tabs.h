// The owner-drawn tab control (tabs in five shapes on any side, one scrolled row or stacked
// rows, close and tab-list buttons, hot tracking and tab hints), the page control that makes
// its tabs from its pages, and the pages themselves.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/model/tab_layout.h"
#include "controls/model/tab_shapes.h"
#include "platform/ui/description_parser.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/image_list.h"
#include "platform/ui/win/menus.h"
#include "platform/ui/win/timer.h"

namespace ec {

class TEcCustomTabControl;
class TEcPageControl;
class TEcTabSheet;

using TEcTabChangingEvent = std::function<void(ui::Component* sender, int new_index, bool& allow_change)>;
using TEcTabCloseEvent = std::function<void(ui::Component* sender, bool& allow_close)>;
using TEcTabOrderChangeEvent = std::function<void(ui::Component* sender, int old_index, int new_index)>;
// Text styles: 0 hot, 1 selected, 2 unselected, 3 disabled.
using TEcGetTextColorEvent = std::function<void(ui::Component* sender, int tab_index, int text_style, ui::TColor& color, bool& handled)>;
using TEcPaintBackgroundEvent = std::function<void(ui::Component* sender, ui::Canvas& canvas, const ui::Rect& rect, bool& handled)>;
using TEcPaintTabBackgroundEvent =
    std::function<void(ui::Component* sender, ui::Canvas& canvas, int tab_index, const ui::Rect& rect, bool& handled)>;
using TEcPaintCardBackgroundEvent =
    std::function<void(ui::Component* sender, ui::Canvas& canvas, int row, const ui::Rect& rect, bool& handled)>;

// Three colours of the control; a change repaints it.
class TEcTabColors : public ui::Persistent {
    UI_CLASS_IDENTITY()
public:
    explicit TEcTabColors(TEcCustomTabControl* owner) : owner_(owner) {}
    ui::TColor highlight_bar() const { return highlight_bar_; }
    void set_highlight_bar(ui::TColor v) { change(highlight_bar_, v); }
    ui::TColor shadow() const { return shadow_; }
    void set_shadow(ui::TColor v) { change(shadow_, v); }
    ui::TColor unselected() const { return unselected_; }
    void set_unselected(ui::TColor v) { change(unselected_, v); }

private:
    void change(ui::TColor& field, ui::TColor v);
    TEcCustomTabControl* owner_;
    ui::TColor highlight_bar_ = ui::clHighlight, shadow_ = ui::clBtnFace, unselected_ = ui::clWindow;
};

class TEcTextColors : public ui::Persistent {
    UI_CLASS_IDENTITY()
public:
    explicit TEcTextColors(TEcCustomTabControl* owner) : owner_(owner) {}
    ui::TColor disabled() const { return disabled_; }
    void set_disabled(ui::TColor v) { change(disabled_, v); }
    ui::TColor selected() const { return selected_; }
    void set_selected(ui::TColor v) { change(selected_, v); }
    ui::TColor unselected() const { return unselected_; }
    void set_unselected(ui::TColor v) { change(unselected_, v); }

private:
    void change(ui::TColor& field, ui::TColor v);
    TEcCustomTabControl* owner_;
    ui::TColor disabled_ = ui::clGrayText, selected_ = ui::clBtnText, unselected_ = ui::clBtnText;
};

// A small button of the strip: framed, gradient or plain face, pressed while held.
class TEcTabSmallButton : public ui::CustomControl {
    UI_CLASS_IDENTITY()
public:
    explicit TEcTabSmallButton(TEcCustomTabControl* tabs);
    ui::TColor frame_color() const { return frame_color_; }
    void set_frame_color(ui::TColor v);
    bool pressed() const { return pressed_; }

protected:
    void paint_face(ui::Canvas& canvas, const ui::Rect& r, bool pressed);
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void mouse_move(ui::TShiftState shift, int x, int y) override;
    void mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    bool erase_background(HDC) override { return true; }
    // Released inside after a press.
    virtual void released() {}
    TEcCustomTabControl* tabs_;
    bool pressed_ = false, held_ = false;
    ui::TColor frame_color_ = ui::clBtnShadow;
};

class TEcTabCloseButton : public TEcTabSmallButton {
    UI_CLASS_IDENTITY()
public:
    using TEcTabSmallButton::TEcTabSmallButton;

protected:
    void paint(ui::Canvas& canvas) override;
    void released() override;
};

class TEcTabMenuButton : public TEcTabSmallButton {
    UI_CLASS_IDENTITY()
public:
    explicit TEcTabMenuButton(TEcCustomTabControl* tabs);
    ui::PopupMenu& menu() { return *menu_; }
    ui::NotifyEvent on_display_menu;
    // Fills the menu with the visible tabs; where it pops up, in screen coordinates.
    void build_menu();
    POINT menu_point(ui::TPopupAlignment& alignment) const;

protected:
    void paint(ui::Canvas& canvas) override;
    void released() override;

private:
    std::unique_ptr<ui::PopupMenu> menu_;
};

// Two halves scrolling the tabs back and forward, repeating while held.
class TEcTabScroller : public TEcTabSmallButton {
    UI_CLASS_IDENTITY()
public:
    explicit TEcTabScroller(TEcCustomTabControl* tabs);
    ~TEcTabScroller() override;
    bool vertical() const;
    ui::NotifyEvent on_down_left_click, on_up_right_click;
    ui::Timer& repeat_timer() { return *timer_; }

protected:
    void paint(ui::Canvas& canvas) override;
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void mouse_move(ui::TShiftState shift, int x, int y) override;
    void mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;

private:
    int half_at(int x, int y) const;  // 0 left or lower, 1 right or upper
    void fire(int half);
    int pressed_half_ = -1;
    bool inside_ = false;
    std::unique_ptr<ui::Timer> timer_;
};

class TEcCustomTabControl : public ui::CustomControl {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomTabControl(ui::Component* owner);
    ~TEcCustomTabControl() override;

    // The tab records; a change to them is followed by layout_changed().
    std::vector<TEcTabData>& tabs() { return layout_.tabs; }
    int tab_count() const { return static_cast<int>(layout_.tabs.size()); }
    void add_tab(const std::string& caption);
    const TabLayout& tab_layout() const { return layout_; }
    // Runs the layout now when it is out of date (painting does it otherwise).
    void ensure_layout();

    bool align_tabs() const { return align_tabs_; }
    void set_align_tabs(bool v);
    bool allow_tab_dragging() const { return allow_tab_dragging_; }
    void set_allow_tab_dragging(bool v) { allow_tab_dragging_ = v; }
    ui::TColor background_color() const { return background_color_; }
    void set_background_color(ui::TColor v);
    bool parent_background_color() const { return parent_background_color_; }
    void set_parent_background_color(bool v);
    bool bold_current_tab() const { return settings().bold_current_tab; }
    void set_bold_current_tab(bool v) { change_layout(layout_.settings.bold_current_tab, v); }
    bool use_colored_tabs() const { return use_colored_tabs_; }
    virtual void set_use_colored_tabs(bool v);
    int cut_corner_size() const { return settings().cut_corner_size; }
    void set_cut_corner_size(int v);
    ui::TColor flat_color() const { return flat_color_; }
    void set_flat_color(ui::TColor v);
    int flat_color_adjustment() const { return flat_color_adjustment_; }
    void set_flat_color_adjustment(int v);
    bool hot_track() const { return hot_track_; }
    void set_hot_track(bool v) { change_look(hot_track_, v); }
    ui::TColor hot_track_color() const { return hot_track_color_; }
    void set_hot_track_color(ui::TColor v) { change_look(hot_track_color_, v); }
    TEcHotTrackColorType hot_track_color_type() const { return hot_track_color_type_; }
    void set_hot_track_color_type(TEcHotTrackColorType v) { change_look(hot_track_color_type_, v); }
    TEcTabHotTrackStyle hot_track_style() const { return hot_track_style_; }
    void set_hot_track_style(TEcTabHotTrackStyle v) { change_look(hot_track_style_, v); }
    TEcHorizontalAlignment image_alignment() const { return image_alignment_; }
    void set_image_alignment(TEcHorizontalAlignment v) { change_look(image_alignment_, v); }
    TEcVerticalAlignment image_alignment_vertical() const { return image_alignment_vertical_; }
    void set_image_alignment_vertical(TEcVerticalAlignment v) { change_look(image_alignment_vertical_, v); }
    int image_margin() const { return settings().image_margin; }
    void set_image_margin(int v);
    TEcImagePosition image_position() const { return settings().image_position; }
    void set_image_position(TEcImagePosition v) { change_layout(layout_.settings.image_position, v); }
    ui::ImageList* images() const { return images_; }
    void set_images(ui::ImageList* v);
    int margin() const { return settings().margin; }
    void set_margin(int v) { change_layout(layout_.settings.margin, std::max(0, v)); }
    bool multi_line() const { return settings().multi_line; }
    void set_multi_line(bool v) { change_layout(layout_.settings.multi_line, v); }
    int row_indent() const { return settings().row_indent; }
    void set_row_indent(int v) { change_layout(layout_.settings.row_indent, std::max(0, v)); }
    int row_overlap() const { return settings().row_overlap; }
    void set_row_overlap(int v);
    bool show_card_frame() const { return settings().show_card_frame; }
    void set_show_card_frame(bool v) { change_layout(layout_.settings.show_card_frame, v); }
    bool show_full_frame() const { return settings().show_full_frame; }
    void set_show_full_frame(bool v);
    bool show_shadow() const { return settings().show_shadow; }
    void set_show_shadow(bool v);
    bool show_close_button() const { return settings().show_close_button; }
    void set_show_close_button(bool v);
    bool show_menu_button() const { return settings().show_menu_button; }
    void set_show_menu_button(bool v);
    bool show_focus_rect() const { return show_focus_rect_; }
    void set_show_focus_rect(bool v) { change_look(show_focus_rect_, v); }
    bool soft_corners() const { return soft_corners_; }
    void set_soft_corners(bool v) { change_look(soft_corners_, v); }
    TEcTabColors& tab_colors() { return tab_colors_; }
    TEcTextColors& text_colors() { return text_colors_; }
    int tab_height() const { return settings().tab_height; }
    void set_tab_height(int v) { change_layout(layout_.settings.tab_height, std::max(0, v)); }
    int tab_width() const { return settings().tab_width; }
    void set_tab_width(int v) { change_layout(layout_.settings.tab_width, std::max(0, v)); }
    bool tab_hints() const { return tab_hints_; }
    void set_tab_hints(bool v) { tab_hints_ = v; }
    int tab_index() const { return tab_index_; }
    void set_tab_index(int v);
    TEcTabOrientation tab_orientation() const { return settings().orientation; }
    void set_tab_orientation(TEcTabOrientation v);
    int tab_overlap() const { return settings().tab_overlap; }
    void set_tab_overlap(int v) { change_layout(layout_.settings.tab_overlap, v); }
    TEcTabSequence tab_sequence() const { return settings().sequence; }
    void set_tab_sequence(TEcTabSequence v) { change_layout(layout_.settings.sequence, v); }
    TEcTabStyle tab_style() const { return settings().style; }
    void set_tab_style(TEcTabStyle v) { change_layout(layout_.settings.style, v); }
    TEcHorizontalAlignment text_alignment() const { return text_alignment_; }
    void set_text_alignment(TEcHorizontalAlignment v) { change_look(text_alignment_, v); }
    TEcVerticalAlignment text_alignment_vertical() const { return text_alignment_vertical_; }
    void set_text_alignment_vertical(TEcVerticalAlignment v) { change_look(text_alignment_vertical_, v); }
    TOrientation text_orientation() const { return settings().text_orientation; }
    void set_text_orientation(TOrientation v);
    bool transparent() const { return transparent_; }
    void set_transparent(bool v) { change_look(transparent_, v); }
    bool use_gradients() const { return use_gradients_; }
    void set_use_gradients(bool v) { change_look(use_gradients_, v); }
    int fixed_dimension() const { return layout_.fixed_dimension(); }
    void set_fixed_dimension(int v) { layout_.set_fixed_dimension(v); }
    int region_cache_capacity() const { return regions_.capacity(); }
    void set_region_cache_capacity(int v);

    int row_count() const { return layout_.row_count(); }
    int first_shown_tab() const { return layout_.first_shown_tab(); }
    int hot_tab() const { return hot_tab_; }
    bool scrolling_needed() const { return layout_.scrolling_needed(); }
    const TEcTabRegionCache& region_cache() const { return regions_; }
    // The tab under a client point, or -1.
    int tab_at_point(int x, int y);
    ui::Rect tab_rect(int index);  // in the control
    ui::Rect page_area_rect();
    bool can_select_tab(int index);
    void scroll_tabs(bool forward);
    TEcTabScroller* scroller() const { return scroller_; }
    TEcTabCloseButton* close_button() const { return close_button_; }
    TEcTabMenuButton* menu_button() const { return menu_button_; }
    // The outline colour: FlatColor adjusted.
    ui::TColor outline_color() const;
    // Stops hot tracking (the mouse left every tab).
    void clear_hot_tab();
    // The hover timer runs on the control's window.
    bool hover_timer_running() const { return hover_timer_; }
    bool dragging_tab() const { return dragging_; }
    ui::Timer& drag_scroll_timer() { return *drag_timer_; }

    ui::NotifyEvent on_change, on_tab_click, on_scrolled_tabs, on_page_change;
    TEcTabChangingEvent on_changing;
    TEcTabCloseEvent on_close;
    TEcTabOrderChangeEvent on_tab_order_change;
    TEcGetTextColorEvent on_get_text_color;
    TEcPaintBackgroundEvent on_paint_background;
    TEcPaintTabBackgroundEvent on_paint_tab_background;
    TEcPaintCardBackgroundEvent on_paint_card_background;

    void adjust_client_rect(ui::Rect& r) const override;
    void align_controls(ui::Control* changed, ui::Rect& r) override;
    void wnd_proc(ui::Message& m) override;

    virtual void close_active_tab() {}
    virtual void move_active_tab(int /*new_index*/) {}
    virtual void hide_all_tabs() {}
    virtual void show_all_tabs() {}
    // Marks the layout out of date and repaints.
    virtual void layout_changed();

protected:
    friend class TEcTabColors;
    friend class TEcTextColors;
    friend class TEcTabMenuButton;
    friend class TEcTabCloseButton;
    const TabSettings& settings() const { return layout_.settings; }
    void paint(ui::Canvas& canvas) override;
    void changed_bounds(bool size_changed) override;
    void font_changed() override;
    void color_changed() override;
    void loaded() override;
    void notification(ui::Component* c, ui::TOperation op) override;
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void mouse_move(ui::TShiftState shift, int x, int y) override;
    void mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    bool do_key_down(WORD& key, ui::TShiftState shift) override;
    bool erase_background(HDC) override { return true; }
    // Shows or hides (drawing it again) the drop mark at `target`'s edge facing the selected tab.
    virtual void draw_drop_mark(int target);
    // The OnChanging trigger; the page control changes its page here.
    virtual bool can_change(int new_index);
    virtual void change();
    // The card of `row`: true when a handler painted it.
    virtual bool paint_card_background(ui::Canvas& canvas, int row, const ui::Rect& rect);
    // Makes the clipping region of a tab from its points in the control; nullptr on failure.
    virtual std::unique_ptr<TabRegion> make_tab_region(const std::vector<POINT>& points);
    // Selects without asking OnChanging again; the keyboard also fires OnTabClick.
    void select_from_keyboard(int index);
    void select_from_layout(int index);

private:
    template <class T>
    void change_look(T& field, const T& value) {
        if (field == value) return;
        field = value;
        invalidate();
    }
    template <class T>
    void change_layout(T& field, const T& value) {
        if (field == value) return;
        field = value;
        layout_changed();
    }
    void run_layout();
    TabTextMeasure measurer();
    HRGN tab_region(int index, const ui::Rect& rect);
    void paint_tabs(ui::Canvas& canvas);
    void draw_tab(ui::Canvas& canvas, int index);
    void draw_tab_background(ui::Canvas& canvas, int index, const ui::Rect& rect);
    void draw_tab_contents(ui::Canvas& canvas, int index, const ui::Rect& rect);
    void draw_caption(ui::Canvas& canvas, int index, const ui::Rect& text_rect, ui::TColor color);
    void draw_bar(ui::Canvas& canvas, const ui::Rect& rect, ui::TColor color);
    void draw_card(ui::Canvas& canvas, int row);
    void replay(ui::Canvas& canvas);
    void place_buttons();
    void repaint_strip();
    int step_tab(int from, bool next) const;
    void update_hot(int x, int y);
    void drag_over(int x, int y);
    void end_drag();
    void drag_scroll_tick();
    ui::TColor tab_text_color(int index);

    TabLayout layout_;
    bool layout_invalid_ = true;
    int tab_index_ = -1;
    int hot_tab_ = -1;
    bool align_tabs_ = false, allow_tab_dragging_ = false;
    ui::TColor background_color_ = ui::clBtnFace;
    bool parent_background_color_ = true;
    bool use_colored_tabs_ = false;
    ui::TColor flat_color_ = ui::clBtnShadow;
    int flat_color_adjustment_ = 0;
    bool hot_track_ = true;
    ui::TColor hot_track_color_ = ui::rgb(240, 155, 20);
    TEcHotTrackColorType hot_track_color_type_ = TEcHotTrackColorType::htctActual;
    TEcTabHotTrackStyle hot_track_style_ = TEcTabHotTrackStyle::htsTab;
    TEcHorizontalAlignment image_alignment_ = TEcHorizontalAlignment::haCenter, text_alignment_ = TEcHorizontalAlignment::haCenter;
    TEcVerticalAlignment image_alignment_vertical_ = TEcVerticalAlignment::vaCenter,
                         text_alignment_vertical_ = TEcVerticalAlignment::vaCenter;
    ui::ImageList* images_ = nullptr;
    bool show_focus_rect_ = true, soft_corners_ = false, tab_hints_ = false, transparent_ = false, use_gradients_ = true;
    TEcTabColors tab_colors_{this};
    TEcTextColors text_colors_{this};
    TEcTabRegionCache regions_;
    OutlineCommands outline_;
    ui::Bitmap buffer_;
    ui::Rect last_page_area_{};
    bool keyboard_selection_ = false;
    bool hover_timer_ = false;
    std::string own_hint_;
    TEcTabScroller* scroller_ = nullptr;
    TEcTabCloseButton* close_button_ = nullptr;
    TEcTabMenuButton* menu_button_ = nullptr;
    // Tab dragging: the pressed tab, the tab under the drag and its shown mark.
    int pressed_tab_ = -1;
    bool dragging_ = false;
    int drop_target_ = -1;
    bool mark_shown_ = false;
    int mark_tab_ = -1;
    POINT drag_point_{};
    std::unique_ptr<ui::Timer> drag_timer_;
};

class TEcTabSheet : public ui::CustomControl {
    UI_CLASS_IDENTITY()
public:
    explicit TEcTabSheet(ui::Component* owner);
    ~TEcTabSheet() override;
    bool adopt_child(ui::Component* child) override;

    TEcPageControl* page_control() const { return page_control_; }
    void set_page_control(TEcPageControl* pc);
    ui::TColor sheet_color() const { return color(); }
    void set_sheet_color(ui::TColor v);
    int disabled_index() const { return disabled_index_; }
    void set_disabled_index(int v);
    int image_index() const { return image_index_; }
    void set_image_index(int v);
    int page_index() const;
    void set_page_index(int v);
    bool tab_enabled() const { return tab_enabled_; }
    void set_tab_enabled(bool v);
    bool tab_visible() const { return tab_visible_; }
    void set_tab_visible(bool v);
    // Among the pages with a visible tab; -1 when its tab is hidden.
    int visible_tab_index() const;

    TEcPaintBackgroundEvent on_paint_background;
    ui::NotifyEvent on_show, on_hide;

    void wnd_proc(ui::Message& m) override;

protected:
    void paint(ui::Canvas& canvas) override;
    void text_changed() override;
    bool erase_background(HDC) override { return true; }

private:
    friend class TEcPageControl;
    void changed();
    TEcPageControl* page_control_ = nullptr;
    int disabled_index_ = -1, image_index_ = -1;
    bool tab_enabled_ = true, tab_visible_ = true;
};

class TEcPageControl : public TEcCustomTabControl {
    UI_CLASS_IDENTITY()
public:
    explicit TEcPageControl(ui::Component* owner);
    ~TEcPageControl() override;
    bool adopt_child(ui::Component* child) override;
    std::vector<ui::Component*> children() const override;

    int page_count() const { return static_cast<int>(pages_.size()); }
    TEcTabSheet* page(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    TEcTabSheet* active_page() const { return active_page_; }
    void set_active_page(TEcTabSheet* page);
    TEcTabSheet* active_page_default() const { return active_page_default_; }
    void set_active_page_default(TEcTabSheet* page);
    int active_page_index() const { return active_page_ ? active_page_->page_index() : -1; }
    void set_active_page_index(int v);
    bool save_resources() const { return save_resources_; }
    void set_save_resources(bool v);
    bool dbl_click_undocks() const { return dbl_click_undocks_; }
    void set_dbl_click_undocks(bool v) { dbl_click_undocks_ = v; }
    bool dock_site() const { return dock_site_; }
    void set_dock_site(bool v) { dock_site_ = v; }
    void set_use_colored_tabs(bool v) override;

    void close_active_tab() override;
    void move_active_tab(int new_index) override;
    void hide_all_tabs() override;
    void show_all_tabs() override;
    void layout_changed() override;
    void wnd_proc(ui::Message& m) override;

protected:
    bool can_change(int new_index) override;
    void change() override;
    bool paint_card_background(ui::Canvas& canvas, int row, const ui::Rect& rect) override;
    void color_changed() override;
    void loaded() override;
    void notification(ui::Component* c, ui::TOperation op) override;

private:
    friend class TEcTabSheet;
    void insert_page(TEcTabSheet* page);
    void remove_page(TEcTabSheet* page);
    void change_active_page(TEcTabSheet* page);
    void select_next_page(bool forward);
    std::vector<TEcTabSheet*> pages_;
    TEcTabSheet* active_page_ = nullptr;
    TEcTabSheet* active_page_default_ = nullptr;
    bool save_resources_ = false, dbl_click_undocks_ = true, dock_site_ = false;
    bool own_loading_ = false;
    bool rebuilding_ = false;
};

void register_tab_classes();

} // namespace ec
