// Controls over the common controls library: page control and tab sheets, status bar, progress
// bar, track bar, up-down, date-time picker, page scroller, tool bar and tool buttons.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "platform/ui/collection.h"
#include "platform/ui/date_time.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/std_controls.h"

namespace ui {

class ImageList;
class PopupMenu;
class PageControl;

UI_ENUM(TTabStyle, tsTabs, tsButtons, tsFlatButtons)
UI_ENUM(TTabPosition, tpTop, tpBottom, tpLeft, tpRight)
UI_ENUM(TStatusPanelStyle, psText, psOwnerDraw)
UI_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised)
UI_ENUM(TProgressBarOrientation, pbHorizontal, pbVertical)
UI_ENUM(TTrackBarOrientation, trHorizontal, trVertical)
UI_ENUM(TTickStyle, tsNone, tsAuto, tsManual)
UI_ENUM(TTickMark, tmBottomRight, tmTopLeft, tmBoth)
UI_ENUM(TUDOrientation, udHorizontal, udVertical)
UI_ENUM(TUDAlignButton, udLeft, udRight)
UI_ENUM(TUDBtnType, btNext, btPrev)
UI_ENUM(TDateTimeKind, dtkDate, dtkTime)
UI_ENUM(TDTDateFormat, dfShort, dfLong)
UI_ENUM(TDTDateMode, dmComboBox, dmUpDown)
UI_ENUM(TPageScrollerOrientation, soHorizontal, soVertical)
UI_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider)

using TabChangingEvent = std::function<void(Component* sender, bool& allow_change)>;
using UDClickEvent = std::function<void(Component* sender, TUDBtnType button)>;

class TabSheet : public WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit TabSheet(Component* owner);
    ~TabSheet() override;
    bool adopt_child(Component* child) override;

    PageControl* page_control() const { return page_control_; }
    void set_page_control(PageControl* pc);
    bool tab_visible() const { return tab_visible_; }
    void set_tab_visible(bool v);
    int page_index() const;
    void set_page_index(int i);
    int image_index() const { return image_index_; }
    void set_image_index(int i);
    // The index of its tab among the visible tabs, or -1.
    int tab_index() const;

protected:
    void text_changed() override;

private:
    friend class PageControl;
    PageControl* page_control_ = nullptr;
    bool tab_visible_ = true;
    int image_index_ = -1;
};

class PageControl : public WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit PageControl(Component* owner);
    ~PageControl() override;
    bool adopt_child(Component* child) override;
    std::vector<Component*> children() const override;

    int page_count() const { return static_cast<int>(pages_.size()); }
    TabSheet* page(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    TabSheet* active_page() const { return active_page_; }
    void set_active_page(TabSheet* page);
    int active_page_index() const;
    void set_active_page_index(int i);
    TTabStyle style() const { return style_; }
    void set_style(TTabStyle s);
    ImageList* images() const { return images_; }
    void set_images(ImageList* images);
    bool multi_line() const { return multi_line_; }
    void set_multi_line(bool v);
    bool hot_track() const { return hot_track_; }
    void set_hot_track(bool v) { hot_track_ = v; }
    int tab_height() const { return tab_height_; }
    void set_tab_height(int h);
    int tab_width() const { return tab_width_; }
    void set_tab_width(int w);
    // Moves to the next (or previous) visible page.
    void select_next_page(bool forward);

    void adjust_client_rect(Rect& r) const override;
    void align_controls(Control* changed, Rect& r) override;
    void wnd_proc(Message& m) override;

    NotifyEvent on_change;
    TabChangingEvent on_changing;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void cn_notify(NMHDR& header, Message& m) override;
    void notification(Component* c, TOperation op) override;
    void loaded() override;

private:
    friend class TabSheet;
    void insert_page(TabSheet* page);
    void remove_page(TabSheet* page);
    void update_tabs();
    void show_active();
    std::vector<TabSheet*> pages_;
    TabSheet* active_page_ = nullptr;
    ImageList* images_ = nullptr;
    TTabStyle style_ = TTabStyle::tsTabs;
    bool multi_line_ = false, hot_track_ = false;
    int tab_height_ = 0, tab_width_ = 0;
    bool updating_tabs_ = false;
};

class StatusPanel : public CollectionItem {
    UI_CLASS_IDENTITY()
public:
    using CollectionItem::CollectionItem;
    const std::string& text() const { return text_; }
    void set_text(const std::string& t);
    int width() const { return width_; }
    void set_width(int w);
    TAlignment alignment() const { return alignment_; }
    void set_alignment(TAlignment a);
    TStatusPanelBevel bevel() const { return bevel_; }
    void set_bevel(TStatusPanelBevel b);
    TStatusPanelStyle style() const { return style_; }
    void set_style(TStatusPanelStyle s);

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
    TStatusPanelStyle style_ = TStatusPanelStyle::psText;
};

using DrawPanelEvent = std::function<void(Component* status_bar, StatusPanel* panel, const Rect& rect)>;

class StatusBar : public WinControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit StatusBar(Component* owner);
    OwnedCollection<StatusPanel>& panels() { return panels_; }
    bool simple_panel() const { return simple_panel_; }
    void set_simple_panel(bool v);
    const std::string& simple_text() const { return simple_text_; }
    void set_simple_text(const std::string& t);
    bool size_grip() const { return size_grip_; }
    void set_size_grip(bool v);
    // The text shown in a part, read back from the window.
    std::string panel_text(int index);

    DrawPanelEvent on_draw_panel;
    void wnd_proc(Message& m) override;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void changed_bounds(bool size_changed) override;

private:
    void update_panels();
    OwnedCollection<StatusPanel> panels_;
    bool simple_panel_ = false, size_grip_ = true;
    std::string simple_text_;
};

class ProgressBar : public WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit ProgressBar(Component* owner);
    int min() const { return min_; }
    void set_min(int v);
    int max() const { return max_; }
    void set_max(int v);
    int position() const;
    void set_position(int v);
    int step() const { return step_; }
    void set_step(int v);
    TProgressBarOrientation orientation() const { return orientation_; }
    void set_orientation(TProgressBarOrientation o);
    bool smooth() const { return smooth_; }
    void set_smooth(bool v);
    void step_it();
    void step_by(int delta);

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;

private:
    int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
    TProgressBarOrientation orientation_ = TProgressBarOrientation::pbHorizontal;
    bool smooth_ = false;
};

class TrackBar : public WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit TrackBar(Component* owner);
    int min() const { return min_; }
    void set_min(int v);
    int max() const { return max_; }
    void set_max(int v);
    int position() const;
    void set_position(int v);
    TTrackBarOrientation orientation() const { return orientation_; }
    void set_orientation(TTrackBarOrientation o);
    int frequency() const { return frequency_; }
    void set_frequency(int f);
    TTickStyle tick_style() const { return tick_style_; }
    void set_tick_style(TTickStyle s);
    TTickMark tick_marks() const { return tick_marks_; }
    void set_tick_marks(TTickMark t);
    int page_size() const { return page_size_; }
    void set_page_size(int v);
    int line_size() const { return line_size_; }
    void set_line_size(int v);

    NotifyEvent on_change;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void cn_scroll(Message& m) override;

private:
    int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1, page_size_ = 2, line_size_ = 1;
    TTrackBarOrientation orientation_ = TTrackBarOrientation::trHorizontal;
    TTickStyle tick_style_ = TTickStyle::tsAuto;
    TTickMark tick_marks_ = TTickMark::tmBottomRight;
};

class UpDown : public WinControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit UpDown(Component* owner);
    int min() const { return min_; }
    void set_min(int v);
    int max() const { return max_; }
    void set_max(int v);
    int position() const;
    void set_position(int v);
    int increment() const { return increment_; }
    void set_increment(int v);
    WinControl* associate() const { return associate_; }
    void set_associate(WinControl* c);
    TUDOrientation orientation() const { return orientation_; }
    void set_orientation(TUDOrientation o);
    TUDAlignButton align_button() const { return align_button_; }
    void set_align_button(TUDAlignButton a);
    bool wrap() const { return wrap_; }
    void set_wrap(bool v);
    bool arrow_keys() const { return arrow_keys_; }
    void set_arrow_keys(bool v);
    bool thousands() const { return thousands_; }
    void set_thousands(bool v);

    UDClickEvent on_click_button;
    std::function<void(Component*, bool& allow)> on_changing;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void cn_notify(NMHDR& header, Message& m) override;
    void cn_scroll(Message& m) override;
    void notification(Component* c, TOperation op) override;

private:
    int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
    WinControl* associate_ = nullptr;
    TUDOrientation orientation_ = TUDOrientation::udVertical;
    TUDAlignButton align_button_ = TUDAlignButton::udRight;
    bool wrap_ = false, arrow_keys_ = true, thousands_ = true;
};

class DateTimePicker : public WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit DateTimePicker(Component* owner);
    TDateTime date_time() const;
    void set_date_time(TDateTime v);
    TDateTime date() const;
    void set_date(TDateTime v);
    TDateTime time() const;
    void set_time(TDateTime v);
    TDateTimeKind kind() const { return kind_; }
    void set_kind(TDateTimeKind k);
    TDTDateFormat date_format() const { return date_format_; }
    void set_date_format(TDTDateFormat f);
    TDTDateMode date_mode() const { return date_mode_; }
    void set_date_mode(TDTDateMode m);
    // A format the window refuses leaves the one it had.
    const std::string& format() const { return format_; }
    void set_format(const std::string& f);
    // The range the value stays in; 0 leaves that end open. A value outside is moved into it.
    TDateTime min_date() const { return min_date_; }
    void set_min_date(TDateTime v);
    TDateTime max_date() const { return max_date_; }
    void set_max_date(TDateTime v);
    // The drop-down calendar while it shows, else nullptr.
    HWND calendar_handle();
    bool show_checkbox() const { return show_checkbox_; }
    void set_show_checkbox(bool v);
    bool checked() const;
    void set_checked(bool v);

    NotifyEvent on_change;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void cn_notify(NMHDR& header, Message& m) override;

private:
    void push_value();
    void push_range();
    TDateTime clamped(TDateTime v) const;
    TDateTime value_ = 0;
    TDateTime min_date_ = 0, max_date_ = 0;
    TDateTimeKind kind_ = TDateTimeKind::dtkDate;
    TDTDateFormat date_format_ = TDTDateFormat::dfShort;
    TDTDateMode date_mode_ = TDTDateMode::dmComboBox;
    std::string format_;
    bool show_checkbox_ = false, checked_ = true;
};

class PageScroller : public WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit PageScroller(Component* owner);
    bool adopt_child(Component* child) override;
    Control* control() const { return control_; }
    void set_control(Control* c);
    TPageScrollerOrientation orientation() const { return orientation_; }
    void set_orientation(TPageScrollerOrientation o);
    int button_size() const { return button_size_; }
    void set_button_size(int v);
    bool auto_scroll() const { return auto_scroll_; }
    void set_auto_scroll(bool v);
    int margin() const { return margin_; }
    void set_margin(int v);
    int position() const;
    void set_position(int v);
    void align_controls(Control* changed, Rect& r) override;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void cn_notify(NMHDR& header, Message& m) override;
    void notification(Component* c, TOperation op) override;

private:
    Control* control_ = nullptr;
    TPageScrollerOrientation orientation_ = TPageScrollerOrientation::soHorizontal;
    int button_size_ = 12, margin_ = 0;
    bool auto_scroll_ = false;
};

class ToolBar;

// A button of a tool bar: its look and place belong to the bar's window.
class ToolButton : public GraphicControl {
    UI_CLASS_IDENTITY()
public:
    explicit ToolButton(Component* owner);
    ~ToolButton() override;

    TToolButtonStyle style() const { return style_; }
    void set_style(TToolButtonStyle s);
    int image_index() const { return image_index_; }
    void set_image_index(int i);
    bool down() const { return down_; }
    void set_down(bool v);
    bool grouped() const { return grouped_; }
    void set_grouped(bool v);
    bool wrap() const { return wrap_; }
    void set_wrap(bool v);
    PopupMenu* drop_down_menu() const { return drop_down_menu_; }
    void set_drop_down_menu(PopupMenu* m);
    int command() const { return command_; }
    void click() override;
    ToolBar* tool_bar() const;
    // The bar shows them at once.
    void set_visible(bool v) override;
    void set_enabled(bool v) override;

protected:
    void text_changed() override;
    void notification(Component* c, TOperation op) override;

private:
    void changed();
    TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
    int image_index_ = -1;
    bool down_ = false, grouped_ = false, wrap_ = false;
    PopupMenu* drop_down_menu_ = nullptr;
    int command_;
};

class ToolBar : public WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit ToolBar(Component* owner);
    bool adopt_child(Component* child) override;

    int button_width() const { return button_width_; }
    void set_button_width(int w);
    int button_height() const { return button_height_; }
    void set_button_height(int h);
    ImageList* images() const { return images_; }
    void set_images(ImageList* images);
    bool show_captions() const { return show_captions_; }
    void set_show_captions(bool v);
    bool flat() const { return flat_; }
    void set_flat(bool v);
    bool list() const { return list_; }
    void set_list(bool v);
    bool wrapable() const { return wrapable_; }
    void set_wrapable(bool v);
    int button_count() const;
    ToolButton* button(int index) const;
    // Rebuilds the bar's buttons from its tool-button children.
    void update_buttons();
    ToolButton* find_button(int command) const;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void cn_command(WORD code, Message& m) override;
    void cn_notify(NMHDR& header, Message& m) override;
    void notification(Component* c, TOperation op) override;
    void loaded() override;
    void align_controls(Control* changed, Rect& r) override;

private:
    int button_width_ = 23, button_height_ = 22;
    ImageList* images_ = nullptr;
    int images_link_ = 0;
    bool show_captions_ = false, flat_ = false, list_ = false, wrapable_ = true;
};

} // namespace ui
