// The framed edit and memo: the platform's edit and memo with a frame of their own painted
// into the non-client area (a hot style while focused or under the mouse), colours that follow
// the state (normal, focused, read-only, disabled), a frame controller link and Enter as Tab.
// The edit is also the base of the spin edit and the button edit.
#pragma once
#include "controls/ec_frame_look.h"
#include "controls/model/edit_rules.h"
#include "platform/ui/win/std_controls.h"

namespace ec {

// What the edit and the memo share, between the platform's class and ours.
template <class Base>
class FramedEdit : public Base {
public:
    explicit FramedEdit(ui::Component* owner);
    ~FramedEdit() override;

    FrameLook& frame_look() { return frame_; }
    const FrameLook& frame_look() const { return frame_; }
    // After a frame or colour setting changed: recomputes the colour when asked, re-creates the
    // window when FrameVisible changed, and repaints the frame.
    virtual void frame_look_changed(bool recolour);

    ui::TColor disabled_color() const { return frame_.disabled_color; }
    void set_disabled_color(ui::TColor v);
    ui::TColor focus_color() const { return frame_.focus_color; }
    void set_focus_color(ui::TColor v);
    ui::TColor normal_color() const { return frame_.normal_color; }
    ui::TColor read_only_color() const { return read_only_color_; }
    void set_read_only_color(ui::TColor v);
    bool read_only_color_on_focus() const { return read_only_color_on_focus_; }
    void set_read_only_color_on_focus(bool v);
    bool frame_visible() const { return frame_.frame_visible; }
    void set_frame_visible(bool v);
    bool frame_hot_track() const { return frame_.frame_hot_track; }
    void set_frame_hot_track(bool v);
    TFrameStyle frame_style() const { return frame_.frame_style; }
    void set_frame_style(TFrameStyle v);
    TFrameStyle frame_hot_style() const { return frame_.frame_hot_style; }
    void set_frame_hot_style(TFrameStyle v);
    ui::TColor frame_color() const { return frame_.frame_color; }
    void set_frame_color(ui::TColor v);
    ui::TColor frame_hot_color() const { return frame_.frame_hot_color; }
    void set_frame_hot_color(ui::TColor v);
    TSides frame_sides() const { return frame_.frame_sides; }
    void set_frame_sides(TSides v);
    TFramingPreference framing_preference() const { return frame_.framing_preference; }
    void set_framing_preference(TFramingPreference v);
    bool tab_on_enter() const { return tab_on_enter_; }
    void set_tab_on_enter(bool v) { tab_on_enter_ = v; }

    // Focused (the edit's InControl), under the mouse, and either of the two.
    bool in_control() const { return in_control_; }
    bool over_control() const { return over_control_; }
    virtual bool hot() const { return in_control_ || over_control_; }
    // The desktop theme draws the border, so no frame of ours shows.
    bool uses_themed_frame() const { return frame_.platform_framing(); }

    void wnd_proc(ui::Message& m) override;

protected:
    // Shows the colour the state calls for; skipped while loading.
    virtual void update_colors();
    // `mouse`: the mouse entered or left; otherwise the focus came or went.
    virtual void update_hot_state(bool mouse, bool value);
    void repaint_frame();
    EditColors edit_colors() const;
    void loaded() override;
    void notification(ui::Component* c, ui::TOperation op) override;
    void read_only_changed() override;

    FrameLook frame_;

private:
    ui::TColor read_only_color_ = ui::clInfoBk;
    bool read_only_color_on_focus_ = false;
    bool tab_on_enter_ = false;
    bool in_control_ = false, over_control_ = false, updating_color_ = false;
    bool window_frame_visible_ = false;  // FrameVisible as the window was made
};

extern template class FramedEdit<ui::Edit>;
extern template class FramedEdit<ui::Memo>;

class TEcCustomEdit : public FramedEdit<ui::Edit> {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomEdit(ui::Component* owner);

    ui::TAlignment alignment() const { return alignment_; }
    virtual void set_alignment(ui::TAlignment v);
    bool beep_on_invalid_key() const { return beep_on_invalid_key_; }
    void set_beep_on_invalid_key(bool v) { beep_on_invalid_key_ = v; }
    bool flat_buttons() const { return flat_buttons_; }
    virtual void set_flat_buttons(bool v);
    ui::TColor flat_button_color() const { return flat_button_color_; }
    void set_flat_button_color(ui::TColor v);

    void wnd_proc(ui::Message& m) override;

protected:
    void create_params(ui::CreateParams& p) override;
    // A refused key: beeps through the control set's beep when BeepOnInvalidKey.
    virtual void invalid_key();

private:
    ui::TAlignment alignment_ = ui::TAlignment::taLeftJustify;
    bool beep_on_invalid_key_ = true;
    bool flat_buttons_ = false;
    ui::TColor flat_button_color_ = ui::clBtnFace;
};

class TEcEdit : public TEcCustomEdit {
    UI_CLASS_IDENTITY()
public:
    explicit TEcEdit(ui::Component* owner);
};

using LineColChangeEvent = std::function<void(ui::Component* sender, int line, int column)>;
using ClipboardChangeEvent = std::function<void(ui::Component* sender, bool has_selection, bool has_text)>;

class TEcMemo : public FramedEdit<ui::Memo> {
    UI_CLASS_IDENTITY()
public:
    explicit TEcMemo(ui::Component* owner);

    // 1-based line and column of the caret. A column past the line's end moves nothing; a line
    // past the last goes to the last, scrolled to the top of the memo.
    int caret_line();
    void set_caret_line(int line);
    int caret_column();
    void set_caret_column(int column);

    LineColChangeEvent on_line_col_change;
    ClipboardChangeEvent on_clipboard_change;

    bool hot() const override { return focused() || over_control(); }
    void wnd_proc(ui::Message& m) override;

protected:
    void initialize_window() override;
    void change() override;
    bool do_mouse_wheel(ui::TShiftState shift, int wheel_delta, POINT mouse_pos) override;
    // The system's lines per wheel notch (a test gives its own).
    virtual unsigned wheel_scroll_lines() const;
    virtual void line_col_change();
    virtual void clipboard_change();

private:
    int caret_index();
    void caret_moved();
};

} // namespace ec
