// The standard controls over user32's window classes and the library's own containers: panel,
// group box, label, image, edit, memo, button, check box, radio button, combo box, list box and
// scroll bar.
#pragma once
#include <functional>

#include "platform/ui/string_list.h"
#include "platform/ui/win/control.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/graphics.h"

namespace ui {

UI_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
UI_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)
UI_ENUM(TLeftRight, taLeftJustify, taRightJustify)
UI_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)
UI_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase)
UI_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)
UI_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable)
UI_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw)
UI_ENUM(TScrollBarKind, sbHorizontal, sbVertical)
UI_ENUM(TOwnerDrawStateFlag, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive,
        odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit)
using TOwnerDrawState = SetOf<TOwnerDrawStateFlag>;

using DrawItemEvent = std::function<void(Component* control, int index, const Rect& rect, TOwnerDrawState state)>;
using MeasureItemEvent = std::function<void(Component* control, int index, int& height)>;

// Containers that the library paints: an optional bevel and a centred caption.
class Panel : public CustomControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit Panel(Component* owner);
    bool adopt_child(Component* child) override;

    TAlignment alignment() const { return alignment_; }
    void set_alignment(TAlignment a);
    TBevelCut bevel_inner() const { return bevel_inner_; }
    void set_bevel_inner(TBevelCut b);
    TBevelCut bevel_outer() const { return bevel_outer_; }
    void set_bevel_outer(TBevelCut b);
    int bevel_width() const { return bevel_width_; }
    void set_bevel_width(int w);
    int border_width() const { return border_width_; }
    void set_border_width(int w);
    TBorderStyle border_style() const { return border_style_; }
    void set_border_style(TBorderStyle s);
    bool full_repaint() const { return full_repaint_; }
    void set_full_repaint(bool v) { full_repaint_ = v; }
    bool locked() const { return locked_; }
    void set_locked(bool v) { locked_ = v; }

    void adjust_client_rect(Rect& r) const override;

protected:
    void paint(Canvas& canvas) override;
    void create_params(CreateParams& p) override;

private:
    TAlignment alignment_ = TAlignment::taCenter;
    TBevelCut bevel_inner_ = TBevelCut::bvNone, bevel_outer_ = TBevelCut::bvRaised;
    int bevel_width_ = 1, border_width_ = 0;
    TBorderStyle border_style_ = TBorderStyle::bsNone;
    bool full_repaint_ = true, locked_ = false;
};

class GroupBox : public CustomControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit GroupBox(Component* owner);
    bool adopt_child(Component* child) override;
    void adjust_client_rect(Rect& r) const override;

protected:
    void paint(Canvas& canvas) override;
};

class Label : public GraphicControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit Label(Component* owner);

    TAlignment alignment() const { return alignment_; }
    void set_alignment(TAlignment a);
    TTextLayout layout() const { return layout_; }
    void set_layout(TTextLayout l);
    bool transparent() const { return transparent_; }
    void set_transparent(bool v);
    bool word_wrap() const { return word_wrap_; }
    void set_word_wrap(bool v);
    bool show_accel_char() const { return show_accel_char_; }
    void set_show_accel_char(bool v);
    WinControl* focus_control() const { return focus_control_; }
    void set_focus_control(WinControl* c);

    void wnd_proc(Message& m) override;

protected:
    void paint(Canvas& canvas) override;
    bool can_auto_size(int& width, int& height) override;
    void notification(Component* c, TOperation op) override;

private:
    UINT text_format() const;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool transparent_ = false, word_wrap_ = false, show_accel_char_ = true;
    WinControl* focus_control_ = nullptr;
};

class Image : public GraphicControl {
    UI_CLASS_IDENTITY()
public:
    explicit Image(Component* owner);
    Bitmap& picture() { return picture_; }
    bool stretch() const { return stretch_; }
    void set_stretch(bool v);
    bool center() const { return center_; }
    void set_center(bool v);

protected:
    void paint(Canvas& canvas) override;

private:
    Bitmap picture_;
    bool stretch_ = false, center_ = false;
};

class Edit : public WinControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit Edit(Component* owner);

    int max_length() const { return max_length_; }
    void set_max_length(int n);
    bool read_only() const { return read_only_; }
    void set_read_only(bool v);
    std::string password_char() const { return password_char_; }
    void set_password_char(const std::string& c);
    TEditCharCase char_case() const { return char_case_; }
    void set_char_case(TEditCharCase c);
    TBorderStyle border_style() const { return border_style_; }
    void set_border_style(TBorderStyle s);
    bool auto_select() const { return auto_select_; }
    void set_auto_select(bool v) { auto_select_ = v; }
    int sel_start() const;
    int sel_length() const;
    void set_sel_start(int v);
    void set_sel_length(int v);
    void select_all();
    bool modified() const;

    NotifyEvent on_change;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void cn_command(WORD code, Message& m) override;
    virtual void change();
    // After ReadOnly took a new value (the window already has it).
    virtual void read_only_changed() {}
    int max_length_ = 0;
    bool read_only_ = false;
    std::string password_char_;
    TEditCharCase char_case_ = TEditCharCase::ecNormal;
    TBorderStyle border_style_ = TBorderStyle::bsSingle;
    bool auto_select_ = true;
};

class Memo : public Edit {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit Memo(Component* owner);
    StringList& lines() { return lines_; }
    TScrollStyle scroll_bars() const { return scroll_bars_; }
    void set_scroll_bars(TScrollStyle s);
    bool word_wrap() const { return word_wrap_; }
    void set_word_wrap(bool v);
    bool want_returns() const { return want_returns_; }
    void set_want_returns(bool v) { want_returns_ = v; }
    bool want_tabs() const { return want_tabs_; }
    void set_want_tabs(bool v) { want_tabs_ = v; }

    void wnd_proc(Message& m) override;

protected:
    void create_params(CreateParams& p) override;
    void change() override;

private:
    StringList lines_;
    bool syncing_ = false;
    TScrollStyle scroll_bars_ = TScrollStyle::ssNone;
    bool word_wrap_ = true, want_returns_ = true, want_tabs_ = false;
};

// Push buttons; the class that "is a standard push button" for those who ask by name.
class Button : public WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit Button(Component* owner);
    bool is_default() const { return default_; }
    void set_default(bool v);
    bool cancel() const { return cancel_; }
    void set_cancel(bool v) { cancel_ = v; }
    TModalResult modal_result() const { return modal_result_; }
    void set_modal_result(TModalResult r) { modal_result_ = r; }
    void click() override;
    void wnd_proc(Message& m) override;

protected:
    void create_params(CreateParams& p) override;
    void cn_command(WORD code, Message& m) override;

private:
    void set_button_style(bool default_look);
    bool default_ = false, cancel_ = false, active_ = false;
    TModalResult modal_result_ = mrNone;
};

class CheckBox : public WinControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit CheckBox(Component* owner);
    bool checked() const { return state_ == TCheckBoxState::cbChecked; }
    void set_checked(bool v) { set_state(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
    TCheckBoxState state() const { return state_; }
    void set_state(TCheckBoxState s);
    bool allow_grayed() const { return allow_grayed_; }
    void set_allow_grayed(bool v) { allow_grayed_ = v; }
    TLeftRight alignment() const { return alignment_; }
    void set_alignment(TLeftRight a);
    void wnd_proc(Message& m) override;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void cn_command(WORD code, Message& m) override;
    void action_change(Action& a) override;
    virtual void toggle();

private:
    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
    bool allow_grayed_ = false;
    TLeftRight alignment_ = TLeftRight::taRightJustify;
};

class RadioButton : public WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit RadioButton(Component* owner);
    bool checked() const { return checked_; }
    void set_checked(bool v);
    TLeftRight alignment() const { return alignment_; }
    void set_alignment(TLeftRight a);
    void wnd_proc(Message& m) override;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void cn_command(WORD code, Message& m) override;
    void action_change(Action& a) override;

private:
    bool checked_ = false;
    TLeftRight alignment_ = TLeftRight::taRightJustify;
};

class ComboBox : public WinControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit ComboBox(Component* owner);
    ~ComboBox() override;

    StringList& items() { return items_; }
    int item_index() const;
    void set_item_index(int i);
    TComboBoxStyle style() const { return style_; }
    void set_style(TComboBoxStyle s);
    int drop_down_count() const { return drop_down_count_; }
    void set_drop_down_count(int n) { drop_down_count_ = n; }
    int max_length() const { return max_length_; }
    void set_max_length(int n);
    bool sorted() const { return sorted_; }
    void set_sorted(bool v);
    TEditCharCase char_case() const { return char_case_; }
    void set_char_case(TEditCharCase c) { char_case_ = c; }
    int item_height() const { return item_height_; }
    virtual void set_item_height(int h);
    bool auto_complete() const { return auto_complete_; }
    void set_auto_complete(bool v) { auto_complete_ = v; }
    bool dropped_down() const;
    void set_dropped_down(bool v);
    HWND edit_handle();
    HWND list_handle();
    // The combo or its edit child holds the focus.
    bool focused() const override;
    std::string text() const override;
    void set_text(const std::string& text) override;
    void clear() { items_.clear(); }

    NotifyEvent on_change, on_select, on_drop_down, on_close_up;
    DrawItemEvent on_draw_item;
    MeasureItemEvent on_measure_item;

    void wnd_proc(Message& m) override;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void save_window_state() override;
    void cn_command(WORD code, Message& m) override;
    void loaded() override;
    int window_height(int height) const override;

private:
    void fill_window();
    StringList items_;
    int item_index_ = -1;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    int drop_down_count_ = 8, max_length_ = 0, item_height_ = 16;
    bool sorted_ = false, auto_complete_ = true;
    TEditCharCase char_case_ = TEditCharCase::ecNormal;
};

class ListBox : public WinControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit ListBox(Component* owner);
    ~ListBox() override;

    // The lines: the list's own, or the strings a derived list put in their place.
    Strings& items() { return *strings_; }
    int count() const { return strings_->count(); }
    int item_index() const;
    void set_item_index(int i);
    bool multi_select() const { return multi_select_; }
    void set_multi_select(bool v);
    bool extended_select() const { return extended_select_; }
    void set_extended_select(bool v);
    bool selected(int index) const;
    void set_selected(int index, bool v);
    int sel_count() const;
    int top_index() const;
    void set_top_index(int i);
    int item_height() const { return item_height_; }
    void set_item_height(int h);
    TListBoxStyle style() const { return style_; }
    void set_style(TListBoxStyle s);
    bool sorted() const { return sorted_; }
    void set_sorted(bool v);
    int columns() const { return columns_; }
    void set_columns(int n);
    bool integral_height() const { return integral_height_; }
    void set_integral_height(bool v);
    TBorderStyle border_style() const { return border_style_; }
    void set_border_style(TBorderStyle s);
    int item_at_pos(POINT p, bool existing) const;
    Rect item_rect(int index) const;
    virtual void select_all();
    void clear() { items_.clear(); }

    DrawItemEvent on_draw_item;
    MeasureItemEvent on_measure_item;

    void wnd_proc(Message& m) override;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void save_window_state() override;
    void cn_command(WORD code, Message& m) override;
    virtual void draw_item(int index, const Rect& rect, TOwnerDrawState state, HDC dc);
    void loaded() override;
    // The list's own lines, which it copies into its window on every change.
    StringList& own_items() { return items_; }
    // Strings that keep their lines in the window themselves (and carry them across re-creation)
    // take the place of the list's own; the list then leaves the window's lines to them.
    void replace_items(Strings& strings) { strings_ = &strings; }
    bool items_replaced() const { return strings_ != &items_; }

private:
    void fill_window();
    StringList items_;
    Strings* strings_ = &items_;
    int item_index_ = -1;
    bool multi_select_ = false, extended_select_ = true, sorted_ = false, integral_height_ = false;
    int item_height_ = 16, columns_ = 0;
    TListBoxStyle style_ = TListBoxStyle::lbStandard;
    TBorderStyle border_style_ = TBorderStyle::bsSingle;
};

class ScrollBar : public WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit ScrollBar(Component* owner);
    TScrollBarKind kind() const { return kind_; }
    void set_kind(TScrollBarKind k);
    int min() const { return min_; }
    void set_min(int v) { set_params(position_, v, max_); }
    int max() const { return max_; }
    void set_max(int v) { set_params(position_, min_, v); }
    int position() const { return position_; }
    void set_position(int v) { set_params(v, min_, max_); }
    int page_size() const { return page_size_; }
    void set_page_size(int v);
    int small_change() const { return small_change_; }
    void set_small_change(int v) { small_change_ = v; }
    int large_change() const { return large_change_; }
    void set_large_change(int v) { large_change_ = v; }
    void set_params(int position, int min, int max);
    NotifyEvent on_change;

protected:
    void create_params(CreateParams& p) override;
    void initialize_window() override;
    void cn_scroll(Message& m) override;

private:
    TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
    int min_ = 0, max_ = 100, position_ = 0, page_size_ = 0, small_change_ = 1, large_change_ = 1;
};

} // namespace ui
