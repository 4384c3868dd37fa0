#include "controls/ec_edit.h"

#include <algorithm>

#include "controls/ec_feedback.h"

namespace ec {

using ui::Message;

namespace {

// The published frame, colour and Enter-as-Tab properties both classes share.
template <class C>
void publish_edit_look(ui::ClassInfo& info) {
    using P = TEcFrameControllerProperty;
    ui::PropBuilder<C> b(info);
    publish_frame_look(b);
    // A focus colour that is the colour itself says nothing of its own: reading the colour back
    // carries it over. Compared as stored values, not as what they show on this desktop, where
    // two system colours may look alike (clInfoBk and clWindow) and the focus colour be lost.
    for (ui::PropInfo& p : info.props) {
        if (p.name != "FocusColor") continue;
        p.stored = [](const ui::Persistent& o) {
            const C& c = static_cast<const C&>(o);
            return !c.frame_look().supplied(P::fcpFocusColor) && c.frame_look().focus_color != c.frame_look().normal_color;
        };
    }
    b.color("ReadOnlyColor", &C::read_only_color, &C::set_read_only_color, ui::clInfoBk)
        .stored([](const C& c) { return !c.frame_look().supplied(P::fcpReadOnlyColor); })
        .boolean("ReadOnlyColorOnFocus", &C::read_only_color_on_focus, &C::set_read_only_color_on_focus)
        .stored([](const C& c) { return !c.frame_look().supplied(P::fcpReadOnlyColorOnFocus); })
        .boolean("TabOnEnter", &C::tab_on_enter, &C::set_tab_on_enter);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// FramedEdit

template <class Base>
FramedEdit<Base>::FramedEdit(ui::Component* owner) : Base(owner) {}

template <class Base>
FramedEdit<Base>::~FramedEdit() {
    frame_.controller.release(*this);
}

template <class Base>
void FramedEdit<Base>::notification(ui::Component* c, ui::TOperation op) {
    Base::notification(c, op);
    if (op == ui::TOperation::opRemove) frame_.controller.forget(c);
}

template <class Base>
EditColors FramedEdit<Base>::edit_colors() const {
    return {frame_.normal_color, frame_.focus_color, read_only_color_, frame_.disabled_color, read_only_color_on_focus_};
}

template <class Base>
void FramedEdit<Base>::update_colors() {
    if (this->loading() || updating_color_) return;
    updating_color_ = true;
    this->set_color(edit_state_color(edit_colors(), {this->enabled(), in_control_, this->read_only()}));
    updating_color_ = false;
}

template <class Base>
void FramedEdit<Base>::update_hot_state(bool mouse, bool value) {
    if (mouse) over_control_ = value;
    else in_control_ = value;
    if (frame_.frame_hot_track) repaint_frame();
    update_colors();
}

template <class Base>
void FramedEdit<Base>::repaint_frame() {
    if (!this->handle_allocated() || this->loading()) return;
    refresh_window_frame(this->handle(), ui::Rect{0, 0, this->width(), this->height()});
}

template <class Base>
void FramedEdit<Base>::frame_look_changed(bool recolour) {
    if (recolour) update_colors();
    if (frame_.frame_visible != window_frame_visible_) {
        window_frame_visible_ = frame_.frame_visible;
        // The frame lies on the platform's sunken border, which the window must be made with.
        if (frame_.frame_visible) this->set_ctl3d(true);
        if (this->handle_allocated()) this->recreate_wnd();
    }
    repaint_frame();
}

template <class Base>
void FramedEdit<Base>::set_disabled_color(ui::TColor v) {
    frame_.disabled_color = v;
    frame_look_changed(!this->enabled());
}

template <class Base>
void FramedEdit<Base>::set_focus_color(ui::TColor v) {
    frame_.focus_color = v;
    frame_look_changed(in_control_);
}

template <class Base>
void FramedEdit<Base>::set_read_only_color(ui::TColor v) {
    read_only_color_ = v;
    if (this->read_only()) update_colors();
}

template <class Base>
void FramedEdit<Base>::set_read_only_color_on_focus(bool v) {
    read_only_color_on_focus_ = v;
    update_colors();
}

template <class Base>
void FramedEdit<Base>::set_frame_visible(bool v) {
    frame_.frame_visible = v;
    frame_look_changed(false);
}

template <class Base>
void FramedEdit<Base>::set_frame_hot_track(bool v) {
    frame_.frame_hot_track = v;
    if (v) {
        frame_.frame_visible = true;
        if (!this->loading()) frame_.frame_sides = kAllSides;
    }
    frame_look_changed(false);
}

template <class Base>
void FramedEdit<Base>::set_frame_style(TFrameStyle v) {
    frame_.frame_style = v;
    frame_look_changed(false);
}

template <class Base>
void FramedEdit<Base>::set_frame_hot_style(TFrameStyle v) {
    frame_.frame_hot_style = v;
    frame_look_changed(false);
}

template <class Base>
void FramedEdit<Base>::set_frame_color(ui::TColor v) {
    frame_.frame_color = v;
    frame_look_changed(false);
}

template <class Base>
void FramedEdit<Base>::set_frame_hot_color(ui::TColor v) {
    frame_.frame_hot_color = v;
    frame_look_changed(false);
}

template <class Base>
void FramedEdit<Base>::set_frame_sides(TSides v) {
    frame_.frame_sides = v;
    frame_look_changed(false);
}

template <class Base>
void FramedEdit<Base>::set_framing_preference(TFramingPreference v) {
    frame_.framing_preference = v;
    frame_look_changed(false);
}

template <class Base>
void FramedEdit<Base>::loaded() {
    Base::loaded();
    window_frame_visible_ = frame_.frame_visible;
    if (frame_.frame_visible) this->set_ctl3d(true);
    // A control loaded read-only starts in its read-only colour.
    update_colors();
    update_hot_state(true, false);
}

template <class Base>
void FramedEdit<Base>::read_only_changed() {
    update_colors();
    repaint_frame();
}

template <class Base>
void FramedEdit<Base>::wnd_proc(Message& m) {
    switch (m.msg) {
    case WM_CHAR:
        if (m.wparam == VK_RETURN && tab_on_enter_) {
            // The layer's key handling moves the focus on as for a Tab typed.
            PostMessageW(this->handle(), WM_KEYDOWN, VK_TAB, 0);
            m.result = 0;
            return;
        }
        break;
    case WM_NCPAINT:
        Base::wnd_proc(m);
        if (frame_.custom_frame_shown()) frame_.paint_frame(this->handle(), this->color(), hot());
        m.result = 0;
        return;
    case WM_SIZE:
        Base::wnd_proc(m);
        repaint_frame();
        return;
    case ui::CM_COLORCHANGED:
    case ui::CM_PARENTCOLORCHANGED:
        if (m.msg == ui::CM_PARENTCOLORCHANGED) {
            Base::wnd_proc(m);
            if (!this->parent_color()) return;
        }
        if (!updating_color_) {
            EditColors colors = edit_colors();
            take_outside_color(colors, this->color());
            frame_.focus_color = colors.focus;
            frame_.normal_color = colors.normal;
            update_colors();
            if (frame_.custom_frame_shown()) repaint_frame();
        }
        if (m.msg == ui::CM_COLORCHANGED) Base::wnd_proc(m);
        return;
    case ui::CM_ENABLEDCHANGED:
        update_colors();
        break;
    case ui::CM_ENTER:
    case ui::CM_EXIT:
        update_hot_state(false, m.msg == ui::CM_ENTER);
        break;
    case ui::CM_MOUSEENTER:
    case ui::CM_MOUSELEAVE:
        Base::wnd_proc(m);
        update_hot_state(true, m.msg == ui::CM_MOUSEENTER);
        return;
    default: break;
    }
    Base::wnd_proc(m);
}

template class FramedEdit<ui::Edit>;
template class FramedEdit<ui::Memo>;

// ---------------------------------------------------------------------------------------------
// TEcCustomEdit

ui::ClassInfo& TEcCustomEdit::static_class() {
    static ui::ClassInfo info = [] {
        using C = TEcCustomEdit;
        ui::ClassInfo c("TEcCustomEdit", &ui::Edit::custom_class());
        publish_edit_look<C>(c);
        ui::PropBuilder<C>(c)
            .enumeration("Alignment", &C::alignment, &C::set_alignment, ui::TAlignment::taLeftJustify)
            .boolean("BeepOnInvalidKey", &C::beep_on_invalid_key, &C::set_beep_on_invalid_key, true);
        return c;
    }();
    return info;
}

TEcCustomEdit::TEcCustomEdit(ui::Component* owner) : FramedEdit<ui::Edit>(owner) {}

void TEcCustomEdit::create_params(ui::CreateParams& p) {
    FramedEdit<ui::Edit>::create_params(p);
    p.style |= WS_CLIPCHILDREN;
    p.style &= ~static_cast<DWORD>(ES_MULTILINE | ES_LEFT | ES_RIGHT | ES_CENTER);
    switch (alignment_) {
    case ui::TAlignment::taLeftJustify: p.style |= ES_LEFT; break;
    case ui::TAlignment::taRightJustify: p.style |= ES_RIGHT; break;
    case ui::TAlignment::taCenter: p.style |= ES_CENTER; break;
    }
}

void TEcCustomEdit::set_alignment(ui::TAlignment v) {
    if (v == alignment_) return;
    alignment_ = v;
    if (handle_allocated()) recreate_wnd();
}

void TEcCustomEdit::set_flat_buttons(bool v) {
    flat_buttons_ = v;
    repaint_frame();
}

void TEcCustomEdit::set_flat_button_color(ui::TColor v) {
    flat_button_color_ = v;
    repaint_frame();
}

void TEcCustomEdit::invalid_key() {
    if (beep_on_invalid_key_) invalid_key_beep();
}

void TEcCustomEdit::wnd_proc(Message& m) {
    if (m.msg == ui::CM_ENTER && auto_select() && (GetKeyState(VK_LBUTTON) & 0x8000) == 0) select_all();
    FramedEdit<ui::Edit>::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// TEcEdit

ui::ClassInfo& TEcEdit::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcEdit", &TEcCustomEdit::static_class());
        c.factory = ui::factory_of<TEcEdit>();
        return c;
    }();
    return info;
}

TEcEdit::TEcEdit(ui::Component* owner) : TEcCustomEdit(owner) {}

// ---------------------------------------------------------------------------------------------
// TEcMemo

ui::ClassInfo& TEcMemo::static_class() {
    static ui::ClassInfo info = [] {
        using C = TEcMemo;
        ui::ClassInfo c("TEcMemo", &ui::Memo::custom_class());
        c.factory = ui::factory_of<TEcMemo>();
        publish_edit_look<C>(c);
        ui::PropBuilder<C>(c)
            .event("OnClipboardChange", "TClipboardChangeEvent", &C::on_clipboard_change)
            .event("OnLineColChange", "TLineColChangeEvent", &C::on_line_col_change);
        return c;
    }();
    return info;
}

TEcMemo::TEcMemo(ui::Component* owner) : FramedEdit<ui::Memo>(owner) {}

int TEcMemo::caret_index() {
    if (!handle_allocated()) return 0;
    // The caret is at one end of the selection; only the caret itself tells which.
    if (GetFocus() == handle()) {
        POINT caret{};
        if (GetCaretPos(&caret)) {
            const LRESULT hit = SendMessageW(handle(), EM_CHARFROMPOS, 0, MAKELPARAM(caret.x, caret.y));
            if (hit != -1) return LOWORD(hit);
        }
    }
    DWORD start = 0, end = 0;
    SendMessageW(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end);
}

int TEcMemo::caret_line() {
    if (!handle_allocated()) return 1;
    return static_cast<int>(SendMessageW(handle(), EM_LINEFROMCHAR, static_cast<WPARAM>(caret_index()), 0)) + 1;
}

int TEcMemo::caret_column() {
    if (!handle_allocated()) return 1;
    const int index = caret_index();
    const int line = static_cast<int>(SendMessageW(handle(), EM_LINEFROMCHAR, static_cast<WPARAM>(index), 0));
    return index - static_cast<int>(SendMessageW(handle(), EM_LINEINDEX, static_cast<WPARAM>(line), 0)) + 1;
}

void TEcMemo::set_caret_column(int column) {
    if (!handle_allocated()) return;
    const int line = caret_line() - 1;
    const int start = static_cast<int>(SendMessageW(handle(), EM_LINEINDEX, static_cast<WPARAM>(line), 0));
    const int length = static_cast<int>(SendMessageW(handle(), EM_LINELENGTH, static_cast<WPARAM>(start), 0));
    if (!caret_column_reachable(column, length)) return;
    const int index = start + column - 1;
    SendMessageW(handle(), EM_SETSEL, static_cast<WPARAM>(index), index);
    line_col_change();
}

void TEcMemo::set_caret_line(int line) {
    if (!handle_allocated()) return;
    const int count = static_cast<int>(SendMessageW(handle(), EM_GETLINECOUNT, 0, 0));
    const int target = caret_line_index(line, count);
    const int index = static_cast<int>(SendMessageW(handle(), EM_LINEINDEX, static_cast<WPARAM>(target), 0));
    SendMessageW(handle(), EM_SETSEL, static_cast<WPARAM>(index), index);
    if (caret_line() - 1 != target) return;
    const int first = static_cast<int>(SendMessageW(handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
    SendMessageW(handle(), EM_LINESCROLL, 0, target - first);
    line_col_change();
}

void TEcMemo::line_col_change() {
    if (on_line_col_change) on_line_col_change(this, caret_line(), caret_column());
    clipboard_change();
}

void TEcMemo::clipboard_change() {
    if (on_clipboard_change) on_clipboard_change(this, sel_length() > 0, IsClipboardFormatAvailable(CF_TEXT) != FALSE);
}

void TEcMemo::caret_moved() {
    if (on_line_col_change) line_col_change();
}

void TEcMemo::change() {
    FramedEdit<ui::Memo>::change();
    caret_moved();
}

void TEcMemo::initialize_window() {
    FramedEdit<ui::Memo>::initialize_window();
    caret_moved();
}

unsigned TEcMemo::wheel_scroll_lines() const { return ui::wheel_scroll_lines(); }

bool TEcMemo::do_mouse_wheel(ui::TShiftState shift, int wheel_delta, POINT mouse_pos) {
    if (on_mouse_wheel) return FramedEdit<ui::Memo>::do_mouse_wheel(shift, wheel_delta, mouse_pos);
    const WheelScroll scroll = memo_wheel_scroll(wheel_delta, wheel_scroll_lines());
    const WPARAM step = scroll.page ? (scroll.up ? SB_PAGEUP : SB_PAGEDOWN) : (scroll.up ? SB_LINEUP : SB_LINEDOWN);
    for (int i = 0; i < scroll.steps; ++i) {
        const LRESULT r = SendMessageW(handle(), EM_SCROLL, step, 0);
        if (HIWORD(r) == 0 || LOWORD(r) == 0) break;  // at the end
    }
    return true;
}

void TEcMemo::wnd_proc(Message& m) {
    FramedEdit<ui::Memo>::wnd_proc(m);
    switch (m.msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
        caret_moved();
        break;
    case WM_LBUTTONUP:
        caret_moved();
        if (!on_line_col_change) clipboard_change();
        break;
    default: break;
    }
}

} // namespace ec
