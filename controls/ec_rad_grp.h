// The radio group: a group box with one radio button per line of Items, laid out in columns,
// with the chosen line as ItemIndex and a chance to refuse a choice.
#pragma once
#include <functional>
#include <vector>

#include "controls/ec_panel.h"
#include "controls/ec_rad_chk.h"
#include "controls/model/radio_group_layout.h"

namespace ec {

class TEcCustomRadioGroup;

// (Sender, NewIndex, AllowChange): AllowChange starts true.
using IndexChangingEvent = std::function<void(ui::Component* sender, int new_index, bool& allow_change)>;

// A radio button that its group creates, places and styles.
class TEcGroupButton : public TEcRadioButton {
    UI_CLASS_IDENTITY()
public:
    explicit TEcGroupButton(TEcCustomRadioGroup& group);
    ~TEcGroupButton() override;

protected:
    void mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    void mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;
    bool do_key_press(wchar_t& key) override;

private:
    TEcCustomRadioGroup& group_;
    bool in_release_ = false;
};

class TEcCustomRadioGroup : public TEcCustomGroupBox {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomRadioGroup(ui::Component* owner);
    ~TEcCustomRadioGroup() override;

    ui::StringList& items() { return items_; }
    void set_items(const ui::Strings& lines) { items_.assign(lines); }
    int item_index() const { return item_index_; }
    void set_item_index(int v);
    int columns() const { return columns_; }
    void set_columns(int v) { restyle(columns_, clamp_radio_columns(v)); }
    ui::Font& item_font() { return item_font_; }
    void set_item_font(const ui::Font& f) { item_font_.assign(f); }
    bool space_evenly() const { return space_evenly_; }
    void set_space_evenly(bool v) { restyle(space_evenly_, v); }
    int start_x_pos() const { return start_x_; }
    void set_start_x_pos(int v) { restyle(start_x_, v); }
    int start_y_pos() const { return start_y_; }
    void set_start_y_pos(int v) { restyle(start_y_, v); }
    int vertical_spacing() const { return vertical_spacing_; }
    void set_vertical_spacing(int v) { restyle(vertical_spacing_, v); }
    int item_height() const { return item_height_; }
    void set_item_height(int v) { restyle(item_height_, v); }
    TColor item_frame_color() const { return item_frame_color_; }
    void set_item_frame_color(TColor v) { restyle(item_frame_color_, v); }
    bool item_hot_track() const { return item_hot_track_; }
    void set_item_hot_track(bool v) { restyle(item_hot_track_, v); }
    TColor item_highlight_color() const { return item_highlight_color_; }
    void set_item_highlight_color(TColor v) { restyle(item_highlight_color_, v); }
    TColor item_hot_track_color() const { return item_hot_track_color_; }
    void set_item_hot_track_color(TColor v) { restyle(item_hot_track_color_, v); }
    TEcHotTrackColorType item_hot_track_color_type() const { return item_hot_track_color_type_; }
    void set_item_hot_track_color_type(TEcHotTrackColorType v) { restyle(item_hot_track_color_type_, v); }
    ui::Bitmap& custom_glyphs() { return custom_glyphs_; }
    bool use_custom_glyphs() const { return use_custom_glyphs_; }
    void set_use_custom_glyphs(bool v);
    bool light_text_style() const { return light_text_style_; }
    void set_light_text_style(bool v) { restyle(light_text_style_, v); }
    TTextStyle text_style() const { return text_style_; }
    void set_text_style(TTextStyle v) { restyle(text_style_, v); }
    int text_shadow_depth() const { return text_shadow_depth_; }
    void set_text_shadow_depth(int v) { restyle(text_shadow_depth_, v); }
    TColor text_shadow_color() const { return text_shadow_color_; }
    void set_text_shadow_color(TColor v) { restyle(text_shadow_color_, v); }
    TColor text_highlight_color() const { return text_highlight_color_; }
    void set_text_highlight_color(TColor v) { restyle(text_highlight_color_, v); }
    TColor transparent_color() const { return transparent_color_; }
    void set_transparent_color(TColor v) { restyle(transparent_color_, v); }
    TColor win_mask_color() const { return win_mask_color_; }
    void set_win_mask_color(TColor v) { restyle(win_mask_color_, v); }
    bool tab_on_enter() const { return tab_on_enter_; }
    void set_tab_on_enter(bool v) { restyle(tab_on_enter_, v); }
    void set_group_style(TEcGroupBoxStyle v) override;

    int button_count() const { return static_cast<int>(buttons_.size()); }
    TEcGroupButton* button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
    // Whether the user may change the choice now; the buttons ask before taking mouse and keys.
    virtual bool can_modify() const { return true; }
    // Scales with the form: VerticalSpacing, ItemHeight, StartYPos, and the ItemFont when it was
    // set on its own; StartXPos stays.
    void change_scale(int multiplier, int divider);
    void layout_buttons();

    void refresh_frame_from_controller() override;
    void wnd_proc(ui::Message& m) override;

    IndexChangingEvent on_changing;

protected:
    void loaded() override;

private:
    friend class TEcGroupButton;
    template <class T>
    void restyle(T& field, const T& value) {
        if (field == value) return;
        field = value;
        layout_buttons();
        invalidate();
    }
    void set_button_count(int n);
    void rebuild_buttons();
    void button_clicked(TEcGroupButton& b);
    void remove_button(TEcGroupButton* b);

    std::vector<TEcGroupButton*> buttons_;
    ui::Font item_font_;
    bool item_font_set_ = false, following_font_ = false;
    ui::StringList items_;
    int item_index_ = -1, columns_ = 1;
    bool rebuilding_ = false;
    bool space_evenly_ = false;
    int start_x_ = 8, start_y_ = 2, vertical_spacing_ = 3, item_height_ = 17;
    int glyph_width_ = 13, glyph_height_ = 13;
    TColor item_frame_color_ = ui::clBtnShadow;
    bool item_hot_track_ = false;
    TColor item_highlight_color_ = ui::clHighlight, item_hot_track_color_ = kDefaultHotTrackColor;
    TEcHotTrackColorType item_hot_track_color_type_ = TEcHotTrackColorType::htctActual;
    ui::Bitmap custom_glyphs_;
    bool use_custom_glyphs_ = false;
    bool light_text_style_ = false;
    TTextStyle text_style_ = TTextStyle::tsNormal;
    int text_shadow_depth_ = 2;
    TColor text_shadow_color_ = ui::clBtnShadow, text_highlight_color_ = ui::clBtnHighlight;
    TColor transparent_color_ = ui::clOlive, win_mask_color_ = ui::clTeal;
    bool tab_on_enter_ = false;
};

class TEcRadioGroup : public TEcCustomRadioGroup {
    UI_CLASS_IDENTITY()
public:
    explicit TEcRadioGroup(ui::Component* owner) : TEcCustomRadioGroup(owner) {}
};

void register_radio_group_classes();

} // namespace ec
