// The button edit: a framed edit with one or two small buttons inside its right edge, each
// showing a stock glyph chosen by a kind or a bitmap of its own, each clicked by the mouse or
// by a keyboard shortcut (F4 for the main button unless changed).
#pragma once
#include <array>

#include "controls/ec_button.h"
#include "controls/ec_edit.h"
#include "controls/model/button_edit_layout.h"
#include "platform/ui/shortcut.h"

namespace ec {

// A kind's glyph strip (two 10 x 10 cells) from the program's bitmap resources, loaded on first
// use and kept for the process; empty for bkCustom. Throws when the resource is missing.
const ui::Bitmap& button_kind_glyph(TButtonKind kind);

// Two arrow-less control buttons side by side, owned by the edit and never written to its
// description; a press moves the focus to FocusControl first.
class TEcButtonPair : public ui::WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit TEcButtonPair(ui::Component* owner);

    TEcControlButton* button() const { return button_; }
    TEcControlButton* alt_btn() const { return alt_btn_; }
    ui::WinControl* focus_control() const { return focus_control_; }
    void set_focus_control(ui::WinControl* c) { focus_control_ = c; }
    bool flat() const { return flat_; }
    void set_flat(bool v);
    // The main button at the left edge, the alternate one after it when both show.
    void layout_pair();

    ui::NotifyEvent on_button_click, on_alt_btn_click;

    // From a button's press: false when the focus could not go to FocusControl, and the press
    // is dropped.
    bool pair_button_mouse_down();

    void set_bounds(int left, int top, int width, int height) override;
    void set_enabled(bool v) override;
    void wnd_proc(ui::Message& m) override;

protected:
    virtual TEcControlButton* create_pair_button();
    virtual void pair_button_click(TEcControlButton* b);
    void notification(ui::Component* c, ui::TOperation op) override;

private:
    TEcControlButton* button_ = nullptr;
    TEcControlButton* alt_btn_ = nullptr;
    ui::WinControl* focus_control_ = nullptr;
    bool flat_ = false;
};

class TEcCustomButtonEdit : public TEcEdit {
    UI_CLASS_IDENTITY()
public:
    // Index 1 is the alternate button, 2 the main one, as the per-button properties count.
    enum Which { kAltBtn = 1, kButton = 2 };

    explicit TEcCustomButtonEdit(ui::Component* owner);

    TEcButtonPair* pair() const { return pair_; }
    TEcControlButton* pair_button(int index) const { return index == kAltBtn ? pair_->alt_btn() : pair_->button(); }

    bool allow_key_edit() const { return allow_key_edit_; }
    void set_allow_key_edit(bool v) { allow_key_edit_ = v; }
    bool hide_buttons_on_read_only() const { return hide_buttons_on_read_only_; }
    void set_hide_buttons_on_read_only(bool v);

    TButtonKind kind(int index) const { return slot(index).kind; }
    void set_kind(int index, TButtonKind v);
    ui::TShortCut shortcut(int index) const { return slot(index).shortcut; }
    void set_shortcut(int index, ui::TShortCut v) { slot(index).shortcut = v; }
    bool button_visible(int index) const { return pair_button(index)->visible(); }
    void set_button_visible(int index, bool v);
    // The width asked for; the pair applies a narrower one under desktop themes.
    int button_width(int index) const { return slot(index).width; }
    void set_button_width(int index, int v);
    int num_glyphs(int index) const { return pair_button(index)->num_glyphs(); }
    void set_num_glyphs(int index, int v) { pair_button(index)->set_num_glyphs(v); }
    std::string button_hint(int index) const { return pair_button(index)->hint(); }
    void set_button_hint(int index, const std::string& v) { pair_button(index)->set_hint(v); }
    ui::Bitmap& glyph(int index) { return pair_button(index)->glyph(); }
    // A glyph of its own makes the kind bkCustom.
    void set_glyph(int index, const ui::Bitmap& v);

    void set_flat_buttons(bool v) override;
    void set_alignment(ui::TAlignment v) override;
    void frame_look_changed(bool recolour) override;

    ui::NotifyEvent on_button_click, on_alt_btn_click;

    void wnd_proc(ui::Message& m) override;

protected:
    void loaded() override;
    void initialize_window() override;
    void read_only_changed() override;
    void update_hot_state(bool mouse, bool value) override;
    bool do_key_down(WORD& key, ui::TShiftState shift) override;
    bool do_key_press(wchar_t& key) override;
    virtual void layout_buttons();
    virtual void update_margins();
    virtual void button_click();
    virtual void alt_btn_click();

private:
    struct Slot {
        TButtonKind kind = TButtonKind::bkLookup;
        ui::TShortCut shortcut = 0;
        int width = kPairButtonWidth;
    };
    Slot& slot(int index) { return slots_[index == kAltBtn ? 0 : 1]; }
    const Slot& slot(int index) const { return slots_[index == kAltBtn ? 0 : 1]; }
    void show_kind(int index);
    ButtonEditLayout current_layout() const;
    void update_pair_look();

    TEcButtonPair* pair_ = nullptr;
    std::array<Slot, 2> slots_{};
    bool allow_key_edit_ = true, hide_buttons_on_read_only_ = true;
    bool shortcut_pressed_ = false, showing_kind_ = false;
};

class TEcButtonEdit : public TEcCustomButtonEdit {
    UI_CLASS_IDENTITY()
public:
    explicit TEcButtonEdit(ui::Component* owner) : TEcCustomButtonEdit(owner) {}
};

} // namespace ec
