#include "controls/ec_rad_chk.h"

#include <algorithm>

#include "controls/ec_common.h"
#include "controls/ec_grafx.h"
#include "controls/model/accel_text.h"
#include "platform/ui/description_reader.h"
#include "platform/ui/text_util.h"
#include "platform/ui/win/actions.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/themes.h"

namespace ec {

namespace {

using ui::Rect;

// Every pixel of `from` in the bitmap becomes `to`.
void replace_color(ui::Bitmap& b, TColor from, TColor to) {
    GdiFlush();
    const std::uint32_t f = ui::color_to_rgb(from), t = ui::color_to_rgb(to);
    // DIB pixels are B G R.
    const auto dib = [](std::uint32_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); };
    for (int y = 0; y < b.height(); ++y) {
        std::uint32_t* row = b.scan_line(y);
        for (int x = 0; x < b.width(); ++x)
            if ((row[x] & 0xFFFFFF) == dib(f)) row[x] = dib(t);
    }
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

template <class C>
void publish_glyph_button(ui::PropBuilder<C>& b) {
    b.enumeration("Alignment", &C::alignment, &C::set_alignment, ui::TLeftRight::taRightJustify)
        .boolean("Checked", &C::checked, &C::set_checked)
        .stored([](const C& x) { return x.action() == nullptr; })
        .object("CustomGlyphs", ui::PropKind::Object, "TBitmap",
                [](C& x) -> ui::Persistent* { return &x.custom_glyphs(); })
        .color("DisabledColor", &C::disabled_color, &C::set_disabled_color, ui::clBtnFace)
        .color("FillColor", &C::fill_color, &C::set_fill_color, ui::clWindow)
        .color("FocusColor", &C::focus_color, &C::set_focus_color, ui::clWindow)
        .color("FrameColor", &C::frame_color, &C::set_frame_color, ui::clBtnShadow)
        .template reference<FrameController>("FrameController", "TEcFrameController", &C::frame_controller,
                                             &C::set_frame_controller)
        .set("FrameControllerNotifications", "TEcFrameControllerNotifications", &C::frame_controller_notifications,
             &C::set_frame_controller_notifications, TEcFrameControllerNotifications::from_bits(kAllFrameNotifications))
        .enumeration("HotTrackStyle", &C::hot_track_style, &C::set_hot_track_style,
                     TEcButtonHotTrackStyle::htsInterior)
        .boolean("ParentColor", [](const C& x) { return x.parent_color(); },
                 [](C& x, bool v) { x.set_parent_color(v); }, true)
        .boolean("ReadOnly", &C::read_only, &C::set_read_only)
        .color("ReadOnlyColor", &C::read_only_color, &C::set_read_only_color, ui::clInfoBk)
        .boolean("ReadOnlyColorOnFocus", &C::read_only_color_on_focus, &C::set_read_only_color_on_focus)
        .boolean("TabOnEnter", &C::tab_on_enter, &C::set_tab_on_enter)
        .boolean("Transparent", &C::transparent, &C::set_transparent)
        .color("TransparentColor", &C::transparent_color, &C::set_transparent_color, ui::clOlive)
        .boolean("UseCustomGlyphs", &C::use_custom_glyphs, &C::set_use_custom_glyphs)
        .color("WinMaskColor", &C::win_mask_color, &C::set_win_mask_color, ui::clLime)
        .obsolete("Flat", ui::ObsoleteValue::Boolean,
                  [](C& x, const ui::DescValue& v) { x.set_hot_track(ui::same_text(v.text, "True")); });
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TEcCustomGlyphButton

ui::ClassInfo& TEcCustomGlyphButton::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcCustomGlyphButton", &TEcCustomButton::static_class());
        ui::PropBuilder<TEcCustomGlyphButton> b(c);
        publish_glyph_button(b);
        return c;
    }();
    return info;
}

TEcCustomGlyphButton::TEcCustomGlyphButton(ui::Component* owner, int glyph_states)
    : TEcCustomButton(owner), glyph_states_(glyph_states) {
    ui::TControlStyle s = control_style();
    s.include(ui::TControlStyleFlag::csSetCaption);
    s.include(ui::TControlStyleFlag::csReplicatable);
    set_control_style(s);
    set_color(ui::clWindow);
    set_parent_color(true);
    custom_glyphs_.on_change = [this](ui::Bitmap& strip) { set_use_custom_glyphs(!strip.empty()); };
}

TEcCustomGlyphButton::~TEcCustomGlyphButton() { link_.release(*this); }

void TEcCustomGlyphButton::set_use_custom_glyphs(bool v) {
    use_custom_glyphs_ = v;
    if (v && !custom_glyphs_.empty()) {
        glyph_width_ = custom_glyphs_.width() / glyph_states_;
        glyph_height_ = custom_glyphs_.height();
    } else {
        glyph_width_ = glyph_height_ = 13;
    }
    invalidate();
}

Rect TEcCustomGlyphButton::glyph_rect() const {
    const int x = glyph_button_glyph_left(width(), glyph_width_, alignment_ == ui::TLeftRight::taLeftJustify,
                                          use_right_to_left_reading());
    const int y = glyph_button_glyph_top(height(), glyph_height_, alignment_vertical());
    return {x, y, x + glyph_width_, y + glyph_height_};
}

GlyphDrawState TEcCustomGlyphButton::draw_state() const {
    if (!enabled()) return GlyphDrawState::Disabled;
    if (pressed_look()) return GlyphDrawState::Pressed;
    if (mouse_over()) return GlyphDrawState::Hot;
    return GlyphDrawState::Normal;
}

GlyphLook TEcCustomGlyphButton::glyph_look() const {
    GlyphLook look;
    look.state = draw_state();
    look.focused = focused();
    look.hot_style = hot_track_style_;
    look.frame = frame_color_;
    look.mark = highlight_color();
    look.fill = fill_color_;
    look.focus = focus_color_;
    look.disabled = disabled_color_;
    if (hot_track_color_type() == TEcHotTrackColorType::htctActual) {
        look.hot_dark = hot_track_color();
        look.hot_light = mix_colors(ui::clWhite, hot_track_color(), 190);
    } else {
        look.hot_light = hue_opposite_color(hot_track_color(), 180);
        look.hot_dark = darken_color(look.hot_light, 30);
    }
    look.read_only = read_only_;
    look.read_only_color_on_focus = read_only_color_on_focus_;
    look.read_only_color = read_only_color_;
    return look;
}

void TEcCustomGlyphButton::copy_custom_cell(int cell, ui::Bitmap& glyph) {
    const int w = custom_glyphs_.width() / glyph_states_;
    if (w <= 0 || custom_glyphs_.empty()) return;  // narrower than its cells: no glyph
    glyph.canvas().copy_rect({0, 0, glyph.width(), glyph.height()}, custom_glyphs_.canvas(),
                             {cell * w, 0, cell * w + w, custom_glyphs_.height()});
}

void TEcCustomGlyphButton::notify_click() {
    if (!clicks_disabled_) click();
}

void TEcCustomGlyphButton::paint_parent_image(HDC dc) { paint_parent_background(*this, dc, false); }

void TEcCustomGlyphButton::draw_glyph(ui::Canvas& canvas) {
    const Rect at = glyph_rect();
    const bool themed = themes_active();
    ui::Bitmap a(glyph_width_, glyph_height_), b(glyph_width_, glyph_height_);
    if (transparent() && themed) {
        a.canvas().copy_rect({0, 0, glyph_width_, glyph_height_}, canvas, at);
        paint_glyph(a);
        b.assign(a);
    } else if (transparent()) {
        b.canvas().copy_rect({0, 0, glyph_width_, glyph_height_}, canvas, at);
        paint_glyph(a);
        draw_transparent_stretched(b.canvas(), a, {0, 0, glyph_width_, glyph_height_},
                                   {0, 0, glyph_width_, glyph_height_}, transparent_color_);
    } else {
        paint_glyph(a);
        b.assign(a);
        replace_color(b, transparent_color_, color());
    }
    if (use_custom_glyphs_) replace_color(b, win_mask_color_, ui::clWindow);
    if (!themed && transparent()) post_process_transparent(b);
    GdiFlush();
    canvas.draw(at.left, at.top, b);
}

void TEcCustomGlyphButton::paint(ui::Canvas& canvas) {
    const Rect client = client_rect();
    if (client.width() <= 0 || client.height() <= 0) return;
    off_screen_.set_size(client.width(), client.height());
    ui::Canvas& c = off_screen_.canvas();
    // The background: the parent's image drawn beneath, or the control's colour.
    if (transparent()) {
        paint_parent_background(*this, off_screen_.dc(), false);
    } else {
        c.brush().style = ui::TBrushStyle::bsSolid;
        c.brush().color = color();
        c.fill_rect(client);
    }
    draw_glyph(c);

    const bool rtl = use_right_to_left_reading();
    Rect r{1, 1, client.right - 1, client.bottom - 1};
    const bool glyph_right = glyph_rect().left > 0;
    if (glyph_right) r.right -= glyph_width_ + 4;
    else r.left += glyph_width_ + 4;
    c.font().assign(font());
    draw_caption(c, r, (rtl ? DT_RIGHT : DT_LEFT) | DT_WORDBREAK | DT_EXPANDTABS);

    if (focused() && !text().empty()) {
        Rect f{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
        c.font().assign(font());
        const int w = std::min(f.width(), c.text_width(strip_accel_chars(trimmed(text()))) + 3);
        if (rtl) f.left = f.right - w;
        else f.right = f.left + w;
        paint_dotted_focus_frame(c, f);
    }
    GdiFlush();
    canvas.draw(0, 0, off_screen_);
}

void TEcCustomGlyphButton::mouse_down(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    using_mouse_ = true;
    TEcCustomButton::mouse_down(button, shift, x, y);
}

void TEcCustomGlyphButton::mouse_up(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    TEcCustomButton::mouse_up(button, shift, x, y);
    using_mouse_ = false;
}

void TEcCustomGlyphButton::action_change(ui::Action& action) {
    TEcCustomButton::action_change(action);
    // The action's state arrives without a click.
    clicks_disabled_ = true;
    try {
        set_checked(action.checked());
    } catch (...) {
        clicks_disabled_ = false;
        throw;
    }
    clicks_disabled_ = false;
}

void TEcCustomGlyphButton::notification(ui::Component* c, ui::TOperation op) {
    TEcCustomButton::notification(c, op);
    if (op == ui::TOperation::opRemove) link_.forget(c);
}

void TEcCustomGlyphButton::refresh_frame_from_controller() {
    FrameController* fc = link_.controller();
    if (!fc || !fc->frame_visible()) return;
    set_hot_track(true);
    const TEcFrameControllerNotifications n = link_.notifications();
    using P = TEcFrameControllerProperty;
    if (n.has(P::fcpColor)) fill_color_ = fc->color();
    if (n.has(P::fcpFrameColor)) frame_color_ = fc->frame_color();
    if (n.has(P::fcpFocusColor)) focus_color_ = fc->focus_color();
    if (n.has(P::fcpDisabledColor)) disabled_color_ = fc->disabled_color();
    if (n.has(P::fcpReadOnlyColor)) read_only_color_ = fc->read_only_color();
    if (n.has(P::fcpReadOnlyColorOnFocus)) read_only_color_on_focus_ = fc->read_only_color_on_focus();
    if (n.has(P::fcpFrameHotTrack))
        hot_track_style_ = fc->frame_hot_track() ? TEcButtonHotTrackStyle::htsFrame : TEcButtonHotTrackStyle::htsInterior;
    if (n.has(P::fcpFrameHotColor) && hot_track_style_ == TEcButtonHotTrackStyle::htsFrame)
        set_hot_track_color(fc->frame_hot_color());
    invalidate();
}

bool TEcCustomGlyphButton::do_key_down(WORD& key, ui::TShiftState shift) {
    // Enter moves on like Tab.
    if (tab_on_enter_ && key == VK_RETURN && handle_allocated()) {
        PostMessageW(handle(), WM_KEYDOWN, VK_TAB, 1);
        return true;
    }
    return TEcCustomButton::do_key_down(key, shift);
}

bool TEcCustomGlyphButton::do_key_press(wchar_t& key) {
    if (tab_on_enter_ && key == L'\r') return true;
    return TEcCustomButton::do_key_press(key);
}

void TEcCustomGlyphButton::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case WM_GETDLGCODE:
        TEcCustomButton::wnd_proc(m);
        // With TabOnEnter the Enter key is ours, not the default button's.
        if (tab_on_enter_ && m.lparam) {
            const MSG* msg = reinterpret_cast<const MSG*>(m.lparam);
            if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) m.result |= DLGC_WANTALLKEYS;
        }
        return;
    case ui::CM_ENABLEDCHANGED:
    case ui::CM_COLORCHANGED:
    case ui::CM_PARENTCOLORCHANGED:
        TEcCustomButton::wnd_proc(m);
        invalidate();
        return;
    default: break;
    }
    TEcCustomButton::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// TEcRadioButton

ui::ClassInfo& TEcRadioButton::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcRadioButton", &TEcCustomGlyphButton::static_class());
        c.factory = ui::factory_of<TEcRadioButton>();
        ui::PropBuilder<TEcRadioButton> b(c);
        b.enumeration("AlignmentVertical", &TEcRadioButton::alignment_vertical,
                      &TEcRadioButton::set_alignment_vertical, TAlignmentVertical::avTop)
            .boolean("TabStop", &TEcRadioButton::tab_stop, &TEcRadioButton::set_tab_stop, false);
        return c;
    }();
    return info;
}

TEcRadioButton::TEcRadioButton(ui::Component* owner) : TEcCustomGlyphButton(owner, 6) {
    set_alignment_vertical(TAlignmentVertical::avTop);
    set_tab_stop(false);
}

void TEcRadioButton::set_checked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    set_tab_stop(v);  // only the checked button is a tab stop
    paint_now();
    if (!v) return;
    if (parent())
        for (ui::Control* c : std::vector<ui::Control*>(parent()->controls()))
            if (auto* r = dynamic_cast<TEcRadioButton*>(c); r && r != this) r->set_checked(false);
    notify_click();
}

void TEcRadioButton::set_read_only(bool v) {
    if (v == read_only()) return;
    TEcCustomGlyphButton::set_read_only(v);
    if (parent())
        for (ui::Control* c : std::vector<ui::Control*>(parent()->controls()))
            if (auto* r = dynamic_cast<TEcRadioButton*>(c); r && r != this) r->set_read_only(v);
}

void TEcRadioButton::change_state_and_click() {
    if (!checked_ && !read_only()) set_checked(true);
}

void TEcRadioButton::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case WM_SETFOCUS:
        TEcCustomGlyphButton::wnd_proc(m);
        // Tab, arrows and accelerators check the button; a mouse press checks it on release.
        if (!using_mouse() && !read_only()) set_checked(true);
        return;
    case WM_LBUTTONDBLCLK:
        TEcCustomGlyphButton::wnd_proc(m);
        dbl_click();
        return;
    case BM_GETCHECK: m.result = checked_ ? BST_CHECKED : BST_UNCHECKED; return;
    case ui::CM_DIALOGCHAR:
        if (ui::is_accel(static_cast<wchar_t>(m.wparam), text()) && can_focus()) {
            set_focus();
            m.result = 1;
            return;
        }
        break;
    case ui::CM_DIALOGKEY:
        if (m.wparam == VK_DOWN && ui::current_shift_state().bits() == 0 && can_focus()) {
            notify_click();
            m.result = 1;
            return;
        }
        break;
    default: break;
    }
    TEcCustomGlyphButton::wnd_proc(m);
}

void TEcRadioButton::paint_glyph(ui::Bitmap& glyph) {
    ui::Canvas& c = glyph.canvas();
    const Rect r{0, 0, glyph.width(), glyph.height()};
    if (use_custom_glyphs()) {
        const int cell = !enabled() ? 4 + (checked_ ? 1 : 0) : pressed_look() ? 2 + (checked_ ? 1 : 0) : (checked_ ? 1 : 0);
        copy_custom_cell(cell, glyph);
        return;
    }
    if (themes_active()) {
        // Radio-button part; states unchecked normal, hot, pressed, disabled, then the checked four.
        const int state = (checked_ ? 5 : 1) + (!enabled() ? 3 : pressed_look() ? 2 : mouse_over() ? 1 : 0);
        if (!transparent()) {
            c.brush().color = color();
            c.fill_rect(r);
        }
        ui::theme_services().draw_element(c.handle(), L"BUTTON", 2, state, r);
        return;
    }
    if (hot_track()) {
        paint_radio_glyph(c, r, checked_, glyph_look(), color(), transparent(), ui::clOlive);
        return;
    }
    c.brush().color = transparent_color();
    c.fill_rect(r);
    RECT rc = ui::to_rect(r);
    UINT flags = DFCS_BUTTONRADIO | DFCS_TRANSPARENT;
    if (checked_) flags |= DFCS_CHECKED;
    if (pressed_look()) flags |= DFCS_PUSHED;
    if (!enabled()) flags |= DFCS_INACTIVE;
    DrawFrameControl(c.handle(), &rc, DFC_BUTTON, flags);
}

void TEcRadioButton::post_process_transparent(ui::Bitmap& glyph) {
    if (glyph.width() < 13 || glyph.height() < 13) return;
    struct Point {
        int x, y, weight;
    };
    static const Point kEdge[] = {
        {4, 0, 128},  {8, 0, 128},  {2, 1, 128},  {10, 1, 128}, {1, 2, 128},  {11, 2, 128}, {0, 4, 128},  {12, 4, 128},
        {0, 8, 128},  {12, 8, 128}, {1, 10, 128}, {11, 10, 128}, {2, 11, 128}, {10, 11, 128}, {4, 12, 128}, {8, 12, 128},
        {3, 0, 40},   {9, 0, 40},   {0, 3, 40},   {12, 3, 40},  {0, 9, 40},   {12, 9, 40},  {3, 12, 40},  {9, 12, 40},
    };
    GdiFlush();
    ui::Canvas& c = glyph.canvas();
    for (const Point& p : kEdge)
        c.set_pixel(p.x, p.y, mix_colors(frame_color(), static_cast<TColor>(glyph.pixel(p.x, p.y)), p.weight));
}

// ---------------------------------------------------------------------------------------------
// TEcCustomCheckBox

ui::ClassInfo& TEcCustomCheckBox::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcCustomCheckBox", &TEcCustomGlyphButton::static_class());
        ui::PropBuilder<TEcCustomCheckBox> b(c);
        b.enumeration("AlignmentVertical", &TEcCustomCheckBox::alignment_vertical,
                      &TEcCustomCheckBox::set_alignment_vertical, TAlignmentVertical::avTop)
            .boolean("AllowGrayed", &TEcCustomCheckBox::allow_grayed, &TEcCustomCheckBox::set_allow_grayed)
            .enumeration("State", &TEcCustomCheckBox::state, &TEcCustomCheckBox::set_state,
                         ui::TCheckBoxState::cbUnchecked);
        c.props.back().has_default = false;  // always stored
        return c;
    }();
    return info;
}

ui::ClassInfo& TEcCheckBox::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcCheckBox", &TEcCustomCheckBox::static_class());
        c.factory = ui::factory_of<TEcCheckBox>();
        return c;
    }();
    return info;
}

TEcCustomCheckBox::TEcCustomCheckBox(ui::Component* owner) : TEcCustomGlyphButton(owner, 9) {
    set_alignment_vertical(TAlignmentVertical::avTop);
}

void TEcCustomCheckBox::set_state(ui::TCheckBoxState s) {
    if (s == state_) return;
    state_ = s;
    paint_now();
    notify_click();
}

void TEcCustomCheckBox::change_state_and_click() {
    if (using_mouse() && read_only()) return;
    switch (state_) {
    case ui::TCheckBoxState::cbUnchecked:
        set_state(allow_grayed_ ? ui::TCheckBoxState::cbGrayed : ui::TCheckBoxState::cbChecked);
        break;
    case ui::TCheckBoxState::cbChecked: set_state(ui::TCheckBoxState::cbUnchecked); break;
    case ui::TCheckBoxState::cbGrayed: set_state(ui::TCheckBoxState::cbChecked); break;
    }
}

bool TEcCustomCheckBox::do_key_down(WORD& key, ui::TShiftState shift) {
    if (!read_only() && (key == VK_ESCAPE || key == VK_SPACE)) {
        key_toggle_ = key == VK_SPACE;
        set_pressed_look(key == VK_SPACE);
        paint_now();
    }
    return TEcCustomGlyphButton::do_key_down(key, shift);
}

bool TEcCustomCheckBox::do_key_up(WORD& key, ui::TShiftState shift) {
    if (!read_only() && key == VK_SPACE) {
        set_pressed_look(false);
        if (key_toggle_) {
            key_toggle_ = false;
            change_state_and_click();
        }
        paint_now();
    }
    return TEcCustomGlyphButton::do_key_up(key, shift);
}

void TEcCustomCheckBox::wnd_proc(ui::Message& m) {
    switch (m.msg) {
    case BM_GETCHECK: m.result = static_cast<LRESULT>(state_); return;
    case ui::CM_DIALOGCHAR:
        if (ui::is_accel(static_cast<wchar_t>(m.wparam), text()) && can_focus()) {
            set_focus();
            if (focused() && !read_only()) change_state_and_click();
            m.result = 1;
            return;
        }
        break;
    case WM_KILLFOCUS:
        set_pressed_look(false);
        key_toggle_ = false;
        break;
    default: break;
    }
    TEcCustomGlyphButton::wnd_proc(m);
}

void TEcCustomCheckBox::paint_glyph(ui::Bitmap& glyph) {
    ui::Canvas& c = glyph.canvas();
    const Rect r{0, 0, glyph.width(), glyph.height()};
    const int group = static_cast<int>(state_);  // unchecked, checked, grayed
    if (use_custom_glyphs()) {
        copy_custom_cell(group + (!enabled() ? 6 : pressed_look() ? 3 : 0), glyph);
        return;
    }
    c.brush().color = color();
    c.fill_rect(r);
    if (themes_active()) {
        const int state = group * 4 + 1 + (!enabled() ? 3 : pressed_look() ? 2 : mouse_over() ? 1 : 0);
        ui::theme_services().draw_element(c.handle(), L"BUTTON", 3, state, r);
        return;
    }
    if (hot_track()) {
        paint_check_glyph(c, r, state_, glyph_look());
        return;
    }
    RECT rc = ui::to_rect(r);
    UINT flags = DFCS_BUTTONCHECK;
    if (state_ == ui::TCheckBoxState::cbChecked) flags |= DFCS_CHECKED;
    if (state_ == ui::TCheckBoxState::cbGrayed) flags = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (pressed_look()) flags |= DFCS_PUSHED;
    if (!enabled()) flags |= DFCS_INACTIVE;
    DrawFrameControl(c.handle(), &rc, DFC_BUTTON, flags);
}

void register_rad_chk_classes() {
    ui::register_class(TEcRadioButton::static_class());
    ui::register_class(TEcCheckBox::static_class());
}

} // namespace ec
