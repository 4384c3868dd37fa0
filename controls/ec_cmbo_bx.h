// The control set's combo box: a frame painted over the platform's border, state colours, a
// flat drop-down button, a read-only mode, type-ahead search in drop-down lists, completion in
// editable combos (through a layer on the edit child), and a list of values beside the items.
#pragma once
#include <memory>
#include <string>

#include "controls/ec_frame_look.h"
#include "controls/model/type_ahead.h"
#include "platform/ui/win/std_controls.h"
#include "platform/ui/win/subclass.h"
#include "platform/ui/win/timer.h"

namespace ec {

class TEcCustomComboBox : public FramedControl<ui::ComboBox> {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomComboBox(ui::Component* owner);
    ~TEcCustomComboBox() override;

    void add(const std::string& text) { items().add(text); }
    int count() const { return const_cast<TEcCustomComboBox*>(this)->items().count(); }

    bool read_only() const { return read_only_; }
    virtual void set_read_only(bool v);
    ui::TColor read_only_color() const { return read_only_color_; }
    void set_read_only_color(ui::TColor v);
    bool read_only_color_on_focus() const { return read_only_color_on_focus_; }
    void set_read_only_color_on_focus(bool v);
    bool flat_buttons() const { return flat_buttons_; }
    void set_flat_buttons(bool v);
    ui::TColor flat_button_color() const { return flat_button_color_; }
    void set_flat_button_color(ui::TColor v);
    bool allow_edit() const { return allow_edit_; }
    void set_allow_edit(bool v) { allow_edit_ = v; }
    bool beep_on_invalid_key() const { return beep_on_invalid_key_; }
    void set_beep_on_invalid_key(bool v) { beep_on_invalid_key_ = v; }
    bool keep_search_case() const { return keep_search_case_; }
    void set_keep_search_case(bool v) { keep_search_case_ = v; }
    bool tab_on_enter() const { return tab_on_enter_; }
    void set_tab_on_enter(bool v) { tab_on_enter_ = v; }
    int drop_down_width() const { return drop_down_width_; }
    void set_drop_down_width(int v);
    const std::string& search_text() const;

    ui::NotifyEvent on_match, on_not_in_list, on_sel_end_ok, on_sel_end_cancel;

    void wnd_proc(ui::Message& m) override;

protected:
    // Read-only shows its own colour, on focus too when asked.
    ui::TColor state_color() const override;
    // The frame is painted over the client area.
    void repaint_frame() override;
    virtual void invalid_key();
    void initialize_window() override;
    void save_window_state() override;
    void cn_command(WORD code, ui::Message& m) override;
    void loaded() override;
    bool do_mouse_wheel_down(ui::TShiftState shift, POINT mouse_pos) override;
    bool do_mouse_wheel_up(ui::TShiftState shift, POINT mouse_pos) override;
    // Fires OnClick and OnChange as a change by the user does.
    void user_changed();
    bool editable() const { return style() == ui::TComboBoxStyle::csDropDown || style() == ui::TComboBoxStyle::csSimple; }

private:
    void paint_over(HDC dc);
    bool hot() const { return focused_ || over_; }
    // The wheel on a closed combo steps through the items; on an open one it scrolls the list.
    void wheel(bool up);
    void set_hot(bool focus, bool value);
    // Keys to the combo itself (drop-down lists).
    bool list_key(ui::Message& m);
    // The edit child's messages; true when handled here.
    void edit_message(ui::Message& m, const ui::WindowSubclass::Next& next);
    void edit_char(ui::Message& m, const ui::WindowSubclass::Next& next);
    EditState edit_state();
    void show_edit(const EditState& state);
    void apply(const CompletionStep& step);
    void complete_text();
    std::vector<std::string> texts() { return items().to_vector(); }

    IncrementalSearch search_;
    ComboCompletion completion_;
    ui::Timer* search_timer_ = nullptr;
    std::unique_ptr<ui::WindowSubclass> edit_layer_;
    bool key_in_progress_ = false, system_key_ = false, pasting_ = false, typing_ = false;
    bool read_only_ = false, read_only_color_on_focus_ = false, flat_buttons_ = false;
    bool allow_edit_ = true, beep_on_invalid_key_ = true, keep_search_case_ = false, tab_on_enter_ = false;
    ui::TColor read_only_color_ = ui::clInfoBk, flat_button_color_ = ui::clBtnFace;
    int drop_down_width_ = 0;
};

class TEcComboBox : public TEcCustomComboBox {
    UI_CLASS_IDENTITY()
public:
    explicit TEcComboBox(ui::Component* owner);
    ~TEcComboBox() override;

    ui::StringList& values() { return values_; }
    // Values[i] when given, else the item's text; empty past the items.
    std::string value_of(int index);
    std::string value();
    void set_value(const std::string& v);

    void click() override;

private:
    // Selects the first item of that value (none when no item has it).
    void assign_value(const std::string& v);
    ui::StringList values_;
    std::string value_;
    bool setting_value_ = false;
};

} // namespace ec
