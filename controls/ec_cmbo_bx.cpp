#include "controls/ec_cmbo_bx.h"

#include <algorithm>

#include "controls/ec_lst_box.h"
#include "platform/text_gbk.h"
#include "platform/ui/win/forms.h"

namespace ec {

using ui::Message;

namespace {

// Caret positions: the edit counts UTF-16 units, the completion GBK bytes.
int gbk_offset(const std::string& text, int wide_offset) {
    const std::wstring wide = plat::gbk_to_wide(text);
    const auto n = static_cast<std::size_t>(std::clamp(wide_offset, 0, static_cast<int>(wide.size())));
    return static_cast<int>(plat::wide_to_gbk(wide.substr(0, n)).size());
}

int wide_offset(const std::string& text, int gbk_offset) {
    const auto n = static_cast<std::size_t>(std::clamp(gbk_offset, 0, static_cast<int>(text.size())));
    return static_cast<int>(plat::gbk_to_wide(text.substr(0, n)).size());
}

constexpr wchar_t kCtrlC = 3, kCtrlV = 0x16, kCtrlX = 0x18;

} // namespace

// ---------------------------------------------------------------------------------------------
// TEcCustomComboBox

ui::ClassInfo& TEcCustomComboBox::static_class() {
    static ui::ClassInfo info = [] {
        using C = TEcCustomComboBox;
        using P = TEcFrameControllerProperty;
        ui::ClassInfo c("TEcCustomComboBox", &ui::ComboBox::static_class());
        ui::PropBuilder<C> b(c);
        publish_frame_look(b);
        b.boolean("AllowEdit", &C::allow_edit, &C::set_allow_edit, true)
            .boolean("BeepOnInvalidKey", &C::beep_on_invalid_key, &C::set_beep_on_invalid_key, true)
            .integer("DropDownWidth", &C::drop_down_width, &C::set_drop_down_width)
            .color("FlatButtonColor", &C::flat_button_color, &C::set_flat_button_color, ui::clBtnFace)
            .stored([](const C& x) { return !x.frame_.supplied(P::fcpFlatButtonColor); })
            .boolean("FlatButtons", &C::flat_buttons, &C::set_flat_buttons)
            .stored([](const C& x) { return !x.frame_.supplied(P::fcpFlatButtons); })
            .boolean("KeepSearchCase", &C::keep_search_case, &C::set_keep_search_case)
            .boolean("ReadOnly", &C::read_only, &C::set_read_only)
            .color("ReadOnlyColor", &C::read_only_color, &C::set_read_only_color, ui::clInfoBk)
            .stored([](const C& x) { return !x.frame_.supplied(P::fcpReadOnlyColor); })
            .boolean("ReadOnlyColorOnFocus", &C::read_only_color_on_focus, &C::set_read_only_color_on_focus)
            .stored([](const C& x) { return !x.frame_.supplied(P::fcpReadOnlyColorOnFocus); })
            .boolean("TabOnEnter", &C::tab_on_enter, &C::set_tab_on_enter)
            .event("OnMatch", "TNotifyEvent", &C::on_match)
            .event("OnNotInList", "TNotifyEvent", &C::on_not_in_list)
            .event("OnSelEndOk", "TNotifyEvent", &C::on_sel_end_ok)
            .event("OnSelEndCancel", "TNotifyEvent", &C::on_sel_end_cancel);
        return c;
    }();
    return info;
}

TEcCustomComboBox::TEcCustomComboBox(ui::Component* owner) : FramedControl(owner) {
    search_timer_ = new ui::Timer(this);
    search_timer_->set_enabled(false);
    search_timer_->set_interval(kSearchIntervalMs);
    search_timer_->on_timer = [this](ui::Component*) {
        if (key_in_progress_) return;
        search_timer_->set_enabled(false);
        search_.clear();
    };
}

TEcCustomComboBox::~TEcCustomComboBox() {
    edit_layer_.reset();
    frame_.controller.release(*this);
}

const std::string& TEcCustomComboBox::search_text() const {
    return style() == ui::TComboBoxStyle::csDropDownList ? search_.text() : completion_.text();
}

void TEcCustomComboBox::repaint_frame() {
    InvalidateRect(handle(), nullptr, TRUE);
}

ui::TColor TEcCustomComboBox::state_color() const {
    if (!enabled()) return frame_.disabled_color;
    if (focused_) return read_only_ && read_only_color_on_focus_ ? read_only_color_ : frame_.focus_color;
    return read_only_ ? read_only_color_ : frame_.normal_color;
}

void TEcCustomComboBox::invalid_key() {
    if (beep_on_invalid_key_) MessageBeep(0);
}

void TEcCustomComboBox::set_read_only(bool v) {
    read_only_ = v;
    if (handle_allocated() && editable()) {
        if (HWND edit = edit_handle()) SendMessageW(edit, EM_SETREADONLY, v, 0);
    }
    update_color();
    invalidate();
}

void TEcCustomComboBox::set_read_only_color(ui::TColor v) {
    read_only_color_ = v;
    if (read_only_) update_color();
}

void TEcCustomComboBox::set_read_only_color_on_focus(bool v) {
    read_only_color_on_focus_ = v;
    update_color();
}

void TEcCustomComboBox::set_flat_buttons(bool v) {
    flat_buttons_ = v;
    invalidate();
}

void TEcCustomComboBox::set_flat_button_color(ui::TColor v) {
    flat_button_color_ = v;
    invalidate();
}

void TEcCustomComboBox::set_drop_down_width(int v) {
    drop_down_width_ = std::max(0, v);
    if (handle_allocated() && drop_down_width_ > 0)
        SendMessageW(handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(drop_down_width_), 0);
}

void TEcCustomComboBox::loaded() {
    ComboBox::loaded();
    update_color();
    set_hot(true, false);
}

void TEcCustomComboBox::initialize_window() {
    ComboBox::initialize_window();
    if (drop_down_width_ > 0) SendMessageW(handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(drop_down_width_), 0);
    if (!editable()) return;
    if (HWND edit = edit_handle()) {
        if (read_only_) SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
        edit_layer_ = std::make_unique<ui::WindowSubclass>(
            edit, [this](Message& m, const ui::WindowSubclass::Next& next) { edit_message(m, next); });
    }
}

void TEcCustomComboBox::save_window_state() {
    ComboBox::save_window_state();
    edit_layer_.reset();
}

void TEcCustomComboBox::user_changed() {
    click();
    if (on_change) on_change(this);
}

void TEcCustomComboBox::set_hot(bool focus, bool value) {
    if (focus) focused_ = value;
    else over_ = value;
    if ((flat_buttons_ || frame_.frame_hot_track) && handle_allocated() && !dropped_down())
        InvalidateRect(handle(), nullptr, FALSE);
    update_color();
}

void TEcCustomComboBox::cn_command(WORD code, Message& m) {
    switch (code) {
    case CBN_EDITCHANGE:
        // Texts the completion shows are no edits of the user's.
        if (typing_) {
            m.result = 0;
            return;
        }
        break;
    case CBN_SELENDOK:
        if (on_sel_end_ok) on_sel_end_ok(this);
        break;
    case CBN_SELENDCANCEL:
        if (on_sel_end_cancel) on_sel_end_cancel(this);
        break;
    case CBN_CLOSEUP:
        ComboBox::cn_command(code, m);
        invalidate();
        return;
    default: break;
    }
    ComboBox::cn_command(code, m);
}

bool TEcCustomComboBox::do_mouse_wheel_down(ui::TShiftState shift, POINT mouse_pos) {
    if (ComboBox::do_mouse_wheel_down(shift, mouse_pos)) return true;
    wheel(false);
    return true;
}

bool TEcCustomComboBox::do_mouse_wheel_up(ui::TShiftState shift, POINT mouse_pos) {
    if (ComboBox::do_mouse_wheel_up(shift, mouse_pos)) return true;
    wheel(true);
    return true;
}

void TEcCustomComboBox::wheel(bool up) {
    if (read_only_) return;
    if (dropped_down()) {
        const int lines = static_cast<int>(std::min(ui::wheel_scroll_lines(), 100u));
        const int top = static_cast<int>(SendMessageW(handle(), CB_GETTOPINDEX, 0, 0));
        SendMessageW(handle(), CB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, top + (up ? -lines : lines))), 0);
        return;
    }
    const WheelStep step = combo_wheel_step(item_index(), count(), up);
    if (step.index != item_index()) set_item_index(step.index);
    if (step.changed) user_changed();
}

bool TEcCustomComboBox::list_key(Message& m) {
    if (m.msg == WM_KEYDOWN) {
        if (read_only_) return true;
        switch (m.wparam) {
        case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
        case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
            search_.clear();
            break;
        default: break;
        }
        return false;
    }
    // WM_CHAR
    if (read_only_) return true;
    wchar_t key = static_cast<wchar_t>(m.wparam);
    if (key != VK_BACK && key < 32) return false;
    const std::vector<std::string> all = texts();
    PrefixFinder find = [&all](std::string_view t) { return find_prefix(all, t); };
    SearchStep step;
    if (key == VK_BACK) {
        step = search_.backspace(find);
    } else {
        key_in_progress_ = true;
        step = search_.type(plat::wide_to_gbk(std::wstring_view(&key, 1)), find);
        search_timer_->set_enabled(false);
        search_timer_->set_enabled(true);
        key_in_progress_ = false;
    }
    if (step.invalid) invalid_key();
    if (step.select) {
        set_item_index(*step.select);
        user_changed();
    }
    do_key_press(key);
    m.result = 0;
    return true;
}

EditState TEcCustomComboBox::edit_state() {
    EditState state;
    state.text = text();
    DWORD start = 0, end = 0;
    SendMessageW(handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    state.sel_start = gbk_offset(state.text, static_cast<int>(start));
    state.sel_length = gbk_offset(state.text, static_cast<int>(end)) - state.sel_start;
    return state;
}

void TEcCustomComboBox::show_edit(const EditState& state) {
    typing_ = true;
    SetWindowTextW(handle(), plat::gbk_to_wide(state.text).c_str());
    typing_ = false;
    const int start = wide_offset(state.text, state.sel_start);
    const int end = wide_offset(state.text, state.sel_start + state.sel_length);
    SendMessageW(handle(), CB_SETEDITSEL, 0, MAKELPARAM(start, end));
}

void TEcCustomComboBox::apply(const CompletionStep& step) {
    if (step.invalid) invalid_key();
    if (step.item_index) {
        typing_ = true;
        set_item_index(*step.item_index);
        typing_ = false;
    }
    if (step.edit) show_edit(*step.edit);
    if (step.changed) user_changed();
    if (step.matched && on_match) on_match(this);
}

void TEcCustomComboBox::complete_text() {
    completion_.take_text(text());
    CompletionStep step = completion_.complete(item_index(), texts(), {allow_edit_, keep_search_case_});
    apply(step);
}

void TEcCustomComboBox::edit_char(Message& m, const ui::WindowSubclass::Next& next) {
    wchar_t key = static_cast<wchar_t>(m.wparam);
    if (system_key_) {
        system_key_ = false;
        next(m);
        return;
    }
    if (read_only_) {
        if (key == VK_RETURN && tab_on_enter_ && !dropped_down()) PostMessageW(handle(), WM_KEYDOWN, VK_TAB, 0);
        // Only copying is left to a read-only combo.
        if (key == kCtrlC) next(m);
        return;
    }
    if (!auto_complete()) {
        next(m);
        return;
    }
    const CompletionOptions options{allow_edit_, keep_search_case_};
    switch (key) {
    case VK_BACK: {
        const CompletionStep step = completion_.backspace(edit_state(), item_index(), texts(), options);
        apply(step);
        if (step.pass_key) next(m);
        return;
    }
    case VK_RETURN:
        if (dropped_down() && on_sel_end_ok) on_sel_end_ok(this);
        next(m);
        return;
    case VK_ESCAPE:
        completion_.clear();
        if (dropped_down()) next(m);
        return;
    case kCtrlV:
    case kCtrlX:
        if (!allow_edit_) return;
        next(m);
        complete_text();
        return;
    default: break;
    }
    if (key < 32) {
        next(m);
        return;
    }
    if (do_key_press(key) || key < 32) {
        // OnKeyPress took the key, or changed it into one the completion does not handle.
        if (key != 0) {
            m.wparam = key;
            next(m);
        }
        return;
    }
    const CompletionStep step =
        completion_.type(plat::wide_to_gbk(std::wstring_view(&key, 1)), edit_state(), item_index(), texts(), options);
    apply(step);
    if (step.pass_key) {
        m.wparam = key;
        typing_ = true;
        next(m);
        typing_ = false;
        if (on_change) on_change(this);
    }
}

void TEcCustomComboBox::edit_message(Message& m, const ui::WindowSubclass::Next& next) {
    switch (m.msg) {
    case WM_KEYDOWN:
        system_key_ = false;
        switch (m.wparam) {
        case VK_PRIOR: case VK_NEXT: case VK_UP: case VK_DOWN:
            if (read_only_) return;
            completion_.clear();
            break;
        case VK_END: case VK_HOME: case VK_LEFT: case VK_RIGHT:
            next(m);
            completion_.take_text(text());
            return;
        case VK_INSERT:
            if (!allow_edit_ || read_only_) return;
            pasting_ = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
            next(m);
            if (pasting_) {
                pasting_ = false;
                complete_text();
            }
            return;
        case VK_DELETE: {
            if (read_only_) return;
            const EditState before = edit_state();
            const bool whole = before.sel_start == 0 && before.sel_length == static_cast<int>(before.text.size());
            if (!allow_edit_ && !whole) return;
            next(m);
            completion_.take_text(text());
            return;
        }
        case VK_F4:
            if (read_only_) return;
            break;
        default: break;
        }
        break;
    case WM_SYSKEYDOWN:
        system_key_ = true;
        if (read_only_ && m.wparam != VK_F4) return;
        break;
    case WM_CHAR:
        edit_char(m, next);
        return;
    case WM_LBUTTONDOWN:
        next(m);
        if (style() == ui::TComboBoxStyle::csDropDown) completion_.take_text(text());
        return;
    case WM_SETFOCUS:
        // Text set by code is where typing starts, never completed by itself.
        completion_.take_text(text());
        break;
    case WM_CUT:
        if (!allow_edit_ || read_only_) return;
        next(m);
        completion_.take_text(text());
        return;
    case WM_PASTE:
        if (!allow_edit_ || read_only_) return;
        next(m);
        complete_text();
        return;
    default: break;
    }
    next(m);
}

void TEcCustomComboBox::wnd_proc(Message& m) {
    switch (m.msg) {
    case WM_KEYDOWN:
    case WM_CHAR:
        if (style() == ui::TComboBoxStyle::csDropDownList || style() == ui::TComboBoxStyle::csOwnerDrawFixed ||
            style() == ui::TComboBoxStyle::csOwnerDrawVariable) {
            if (list_key(m)) return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (read_only_) return;
        break;
    case WM_KILLFOCUS: search_.clear(); break;
    case WM_PAINT: {
        ComboBox::wnd_proc(m);
        ui::ClientDC dc(handle());
        paint_over(dc.get());
        return;
    }
    case WM_SIZE:
        ComboBox::wnd_proc(m);
        if (frame_.custom_frame_shown()) invalidate();
        return;
    case ui::CM_COLORCHANGED:
        if (!updating_colour_) {
            if (frame_.focus_color == frame_.normal_color) frame_.focus_color = color();
            frame_.normal_color = color();
            update_color();
        }
        break;
    case ui::CM_ENABLEDCHANGED: update_color(); break;
    case ui::CM_ENTER:
        set_hot(true, true);
        break;
    case ui::CM_EXIT: {
        set_hot(true, false);
        const std::string shown = text();
        if (style() == ui::TComboBoxStyle::csDropDown && !shown.empty() && items().index_of(shown) < 0 &&
            on_not_in_list)
            on_not_in_list(this);
        break;
    }
    case ui::CM_MOUSEENTER:
    case ui::CM_MOUSELEAVE:
        set_hot(false, m.msg == ui::CM_MOUSEENTER);
        break;
    default: break;
    }
    ComboBox::wnd_proc(m);
}

void TEcCustomComboBox::paint_over(HDC dc) {
    const bool frame = frame_.custom_frame_shown();
    if (!frame && !flat_buttons_ && !read_only_) return;
    RECT rc{};
    GetClientRect(handle(), &rc);
    const ui::Rect client{rc.left, rc.top, rc.right, rc.bottom};
    ui::Canvas canvas(dc);
    const ui::TColor c = color();
    const int b = 2;
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    ui::Rect button{client.right - width - b, client.top + b, client.right - b, client.bottom - b};
    if (use_right_to_left_reading()) button = {client.left + b, client.top + b, client.left + b + width, client.bottom - b};
    if (frame) paint_bevel_rings(canvas, client, c, c, 2, kAllSides);
    if (style() != ui::TComboBoxStyle::csSimple) {
        const bool dropped = dropped_down();
        if (flat_buttons_ && !read_only_) {
            if (!hot()) {
                canvas.brush().color = c;
                canvas.fill_rect(button);
                paint_drop_arrow(canvas, button, false, false, enabled());
            } else {
                ui::Rect inside = flat_button_color_ == ui::clBtnFace
                                      ? paint_bevel_rings(canvas, button, dropped ? ui::clBtnShadow : ui::clBtnHighlight,
                                                          dropped ? ui::clBtnHighlight : ui::clBtnShadow, 1, kAllSides)
                                      : paint_tinted_frame_style(canvas, button, flat_button_color_,
                                                                 dropped ? TFrameStyle::fsStatus : TFrameStyle::fsPopup);
                canvas.brush().color = flat_button_color_;
                canvas.fill_rect(inside);
                paint_drop_arrow(canvas, inside, false, dropped, enabled());
            }
        } else if (read_only_ && !flat_buttons_) {
            // A read-only combo shows no button.
            canvas.brush().color = c;
            canvas.fill_rect(button);
        }
    }
    if (!frame) return;
    const bool hot_look = frame_.frame_hot_track && hot();
    const TFrameStyle style = hot_look ? frame_.frame_hot_style : frame_.frame_style;
    const ui::TColor line = hot_look ? frame_.frame_hot_color : frame_.frame_color;
    if (style == TFrameStyle::fsFlat) paint_side_lines(canvas, client, line, line, frame_.frame_sides);
    else if (style == TFrameStyle::fsFlatBold) paint_bevel_rings(canvas, client, line, line, 2, frame_.frame_sides);
    else if (c == ui::clWindow) paint_frame_style_sides(canvas, client, to_frame_style_ex(style), frame_.frame_sides);
    else paint_tinted_frame_style_sides(canvas, client, c, style, frame_.frame_sides);
}

// ---------------------------------------------------------------------------------------------
// TEcComboBox

ui::ClassInfo& TEcComboBox::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcComboBox", &TEcCustomComboBox::static_class());
        c.factory = ui::factory_of<TEcComboBox>();
        ui::PropBuilder<TEcComboBox>(c).object("Values", ui::PropKind::StringList, "TStrings",
                                              [](TEcComboBox& x) -> ui::Persistent* { return &x.values_; });
        return c;
    }();
    return info;
}

TEcComboBox::TEcComboBox(ui::Component* owner) : TEcCustomComboBox(owner) {
    values_.on_change = [this](ui::StringList&) { assign_value(value_); };
}

TEcComboBox::~TEcComboBox() { values_.on_change = nullptr; }

std::string TEcComboBox::value_of(int index) {
    if (index < 0 || index >= count()) return {};
    if (index < values_.count() && !values_.get(index).empty()) return values_.get(index);
    return items().get(index);
}

std::string TEcComboBox::value() {
    const int index = editable() ? items().index_of(text()) : item_index();
    if (index >= 0 && index < values_.count() && !values_.get(index).empty()) return values_.get(index);
    return text();
}

void TEcComboBox::set_value(const std::string& v) {
    if (v != value_) assign_value(v);
}

void TEcComboBox::assign_value(const std::string& v) {
    setting_value_ = true;
    int found = -1;
    for (int i = 0; i < count() && found < 0; ++i)
        if (value_of(i) == v) found = i;
    set_item_index(found);
    value_ = v;
    setting_value_ = false;
}

void TEcComboBox::click() {
    if (setting_value_) return;
    TEcCustomComboBox::click();
    if (item_index() >= 0) value_ = value_of(item_index());
}

} // namespace ec
