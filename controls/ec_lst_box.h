// The control set's list box: a frame in the non-client area, state colours, type-ahead search,
// group lines drawn as bold headers, a horizontal extent that follows the items, and the small
// operations the station uses. The tabbed list box adds columns at tab stops.
#pragma once
#include <memory>
#include <string>

#include "controls/ec_frame_look.h"
#include "controls/ec_int_lst.h"
#include "controls/model/type_ahead.h"
#include "platform/ui/win/hint_window.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/timer.h"

namespace ec {

// How long a search string lives without a key.
constexpr unsigned kSearchIntervalMs = 1500;

class TEcCustomListBox : public FramedControl<ui::ListBox> {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomListBox(ui::Component* owner);
    ~TEcCustomListBox() override;

    bool incremental_search() const { return incremental_search_; }
    void set_incremental_search(bool v) { incremental_search_ = v; }
    bool beep_on_invalid_key() const { return beep_on_invalid_key_; }
    void set_beep_on_invalid_key(bool v) { beep_on_invalid_key_ = v; }
    bool tab_on_enter() const { return tab_on_enter_; }
    void set_tab_on_enter(bool v) { tab_on_enter_ = v; }
    const std::string& search_text() const { return search_.text(); }
    // A line too wide for the list shows whole in a hint while the mouse is over it.
    bool show_item_hints() const { return show_item_hints_; }
    void set_show_item_hints(bool v);
    // The hint window, once a hint was shown; for tests.
    ui::HintWindow* item_hint() const { return hint_.get(); }

    const std::string& group_prefix() const { return group_prefix_; }
    void set_group_prefix(const std::string& v);
    ui::TColor group_color() const { return group_color_; }
    void set_group_color(ui::TColor v);
    ui::Font& group_font() { return group_font_; }
    bool show_groups() const { return show_groups_; }
    virtual void set_show_groups(bool v);
    bool use_gradients() const { return use_gradients_; }
    void set_use_gradients(bool v);
    int owner_draw_indent_value() const { return owner_draw_indent_; }
    void set_owner_draw_indent(int v);

    bool horz_scroll_bar() const { return horz_scroll_bar_; }
    void set_horz_scroll_bar(bool v);
    int horz_extent() const { return horz_extent_; }
    void set_horz_extent(int v);

    // The operations of the station's lists.
    void add(const std::string& text) { items().add(text); }
    void delete_item(int index);
    std::string selected_item();
    void delete_all_selected();
    std::string item_text(int index);
    bool is_group_line(int index);
    int group_line_at_or_before(int index);
    bool belongs_to_group(int index) { return group_line_at_or_before(index) >= 0; }
    int group_ordinal(int index);

    ui::NotifyEvent on_match, on_delete_items;

    void wnd_proc(ui::Message& m) override;

protected:
    std::vector<std::string> item_texts() { return items().to_vector(); }
    virtual void invalid_key();
    virtual int owner_draw_indent() const { return owner_draw_indent_; }
    virtual void compute_horz_extent();
    // Runs after every change of the items.
    virtual void items_changed();
    virtual void draw_group_line(ui::Canvas& canvas, int index, const ui::Rect& rect, bool selected);
    virtual void draw_default_item(ui::Canvas& canvas, int index, const ui::Rect& rect);
    void draw_item(int index, const ui::Rect& rect, ui::TOwnerDrawState state, HDC dc) override;
    // One owner-drawn item on the list's canvas.
    virtual void draw_item_on(ui::Canvas& canvas, int index, const ui::Rect& rect, ui::TOwnerDrawState state);
    void create_params(ui::CreateParams& p) override;
    void initialize_window() override;
    void loaded() override;
    void fit_item_height();
    bool show_item_hints_ = true;
    // The group line's background, the gradient or the plain group colour.
    void fill_group_background(ui::Canvas& canvas, const ui::Rect& rect, ui::TColor group);

private:
    // The group font as a bold copy of the list's font, until it is set on its own.
    void copy_group_font();
    void search_key(wchar_t key, ui::Message& m);
    void apply_search(const SearchStep& step);
    // `p`: the pointer in client coordinates.
    void update_item_hint(POINT p);
    POINT cursor_point();
    void hide_item_hint();

    IncrementalSearch search_;
    ui::Timer* search_timer_ = nullptr;
    bool key_in_progress_ = false;
    bool incremental_search_ = true, beep_on_invalid_key_ = true, tab_on_enter_ = false;
    std::string group_prefix_ = "//";
    ui::TColor group_color_ = ui::clInactiveCaptionText;
    ui::Font group_font_;
    bool group_font_set_ = false;
    bool show_groups_ = false, use_gradients_ = true;
    int owner_draw_indent_ = 0;
    bool horz_scroll_bar_ = false;
    int horz_extent_ = 0;
    std::unique_ptr<ui::HintWindow> hint_;
};

class TEcListBox : public TEcCustomListBox {
    UI_CLASS_IDENTITY()
public:
    explicit TEcListBox(ui::Component* owner) : TEcCustomListBox(owner) {}
};

UI_ENUM(TEcTabStopsMode, tsmManual, tsmAutomatic)

class TEcCustomTabbedListBox;

// The stops in dialog units; every change reaches the list box.
class TEcTabStopList : public IntegerList {
    UI_CLASS_IDENTITY()
public:
    explicit TEcTabStopList(TEcCustomTabbedListBox& list);
    void put(int index, std::int32_t value) override;
    int add(std::int32_t value) override;
    void insert(int index, std::int32_t value) override;
    void delete_at(int index) override;
    void clear() override;
    void assign(const ui::Persistent& source) override;

private:
    TEcCustomTabbedListBox& list_;
};

class TEcCustomTabbedListBox : public TEcCustomListBox {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomTabbedListBox(ui::Component* owner);
    ~TEcCustomTabbedListBox() override;

    TEcTabStopList& tab_stops() { return *tab_stops_; }
    TEcTabStopsMode tab_stops_mode() const { return tab_stops_mode_; }
    void set_tab_stops_mode(TEcTabStopsMode v);
    int dialog_units() const { return dialog_units_; }

    std::string cell(int column, int row);
    void set_cell(int column, int row, const std::string& value);
    // Sends the stops to the window and repaints.
    void apply_tab_stops();
    void compute_tab_stops();

protected:
    // Extra width of the first column (the check list's glyph).
    virtual int first_column_extra() const { return 0; }
    void create_params(ui::CreateParams& p) override;
    void initialize_window() override;
    void loaded() override;
    void wnd_proc(ui::Message& m) override;
    void items_changed() override;
    void compute_horz_extent() override;
    void draw_group_line(ui::Canvas& canvas, int index, const ui::Rect& rect, bool selected) override;
    void draw_default_item(ui::Canvas& canvas, int index, const ui::Rect& rect) override;
    // The item's text with tabs at the stops, 2 pixels in, centred on "Pp".
    void tabbed_text(ui::Canvas& canvas, const std::string& text, const ui::Rect& rect);

private:
    std::unique_ptr<TEcTabStopList> tab_stops_;
    TEcTabStopsMode tab_stops_mode_ = TEcTabStopsMode::tsmManual;
    int dialog_units_ = 6;
};

} // namespace ec
