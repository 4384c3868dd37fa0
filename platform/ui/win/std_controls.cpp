#include "platform/ui/win/std_controls.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/text_gbk.h"
#include "platform/ui/text_util.h"
#include "platform/ui/win/actions.h"
#include "platform/ui/win/application.h"

namespace ui {

namespace {

void remove_style(Control& c, TControlStyleFlag flag) {
    TControlStyle s = c.control_style();
    s.exclude(flag);
    c.set_control_style(s);
}

void add_style(Control& c, TControlStyleFlag flag) {
    TControlStyle s = c.control_style();
    s.include(flag);
    c.set_control_style(s);
}

// Text as the window gets it: GBK to UTF-16.
std::wstring wide(const std::string& gbk) { return plat::gbk_to_wide(gbk); }

TModalResult modal_result_from(std::string_view t) {
    static const char* names[] = {"mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes", "mrNo", "mrAll"};
    for (int i = 0; i < 9; ++i)
        if (same_text(names[i], t)) return i;
    return -1;
}

std::string modal_result_text(std::int64_t v) {
    static const char* names[] = {"mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes", "mrNo", "mrAll"};
    return v >= 0 && v <= 8 ? names[v] : std::to_string(v);
}

template <class C>
void publish_caption(PropBuilder<C>& b, const char* name = "Caption") {
    b.string(name, [](const C& c) { return c.text(); }, [](C& c, const std::string& v) { c.set_text(v); }, "TCaption");
}

// Redraws a control whose look depends on a property just changed.
void restyle(WinControl& c) {
    if (c.handle_allocated()) c.recreate_wnd();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Panel

ClassInfo& Panel::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomPanel", &CustomControl::static_class());
        PropBuilder<Panel> b(c);
        publish_caption(b);
        b.enumeration("Alignment", &Panel::alignment, &Panel::set_alignment, TAlignment::taCenter)
            .enumeration("BevelInner", &Panel::bevel_inner, &Panel::set_bevel_inner, TBevelCut::bvNone)
            .enumeration("BevelOuter", &Panel::bevel_outer, &Panel::set_bevel_outer, TBevelCut::bvRaised)
            .integer("BevelWidth", &Panel::bevel_width, &Panel::set_bevel_width, 1, "TBevelWidth")
            .integer("BorderWidth", &Panel::border_width, &Panel::set_border_width, 0, "TBorderWidth")
            .enumeration("BorderStyle", &Panel::border_style, &Panel::set_border_style, TBorderStyle::bsNone)
            .boolean("FullRepaint", &Panel::full_repaint, &Panel::set_full_repaint, true)
            .boolean("Locked", &Panel::locked, &Panel::set_locked);
        return c;
    }();
    return info;
}

ClassInfo& Panel::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TPanel", &custom_class());
        c.factory = factory_of<Panel>();
        return c;
    }();
    return info;
}

Panel::Panel(Component* owner) : CustomControl(owner) {
    add_style(*this, TControlStyleFlag::csAcceptsControls);
    add_style(*this, TControlStyleFlag::csOpaque);
    set_bounds(0, 0, 185, 41);
}

bool Panel::adopt_child(Component* child) {
    auto* c = dynamic_cast<Control*>(child);
    if (!c) return false;
    c->set_parent(this);
    return true;
}

void Panel::set_alignment(TAlignment a) {
    alignment_ = a;
    invalidate();
}
void Panel::set_bevel_inner(TBevelCut b) {
    bevel_inner_ = b;
    realign();
    invalidate();
}
void Panel::set_bevel_outer(TBevelCut b) {
    bevel_outer_ = b;
    realign();
    invalidate();
}
void Panel::set_bevel_width(int w) {
    bevel_width_ = std::max(1, w);
    realign();
    invalidate();
}
void Panel::set_border_width(int w) {
    border_width_ = std::max(0, w);
    realign();
    invalidate();
}
void Panel::set_border_style(TBorderStyle s) {
    border_style_ = s;
    restyle(*this);
}

void Panel::create_params(CreateParams& p) {
    CustomControl::create_params(p);
    if (border_style_ == TBorderStyle::bsSingle) p.ex_style |= WS_EX_CLIENTEDGE;
    p.class_style = CS_DBLCLKS;
}

void Panel::adjust_client_rect(Rect& r) const {
    int inset = border_width_;
    if (bevel_outer_ != TBevelCut::bvNone) inset += bevel_width_;
    if (bevel_inner_ != TBevelCut::bvNone) inset += bevel_width_;
    r = {r.left + inset, r.top + inset, std::max(r.left + inset, r.right - inset), std::max(r.top + inset, r.bottom - inset)};
}

static void draw_bevel(HDC dc, Rect& r, TBevelCut cut, int width) {
    if (cut == TBevelCut::bvNone) return;
    COLORREF top = GetSysColor(cut == TBevelCut::bvLowered ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    COLORREF bottom = GetSysColor(cut == TBevelCut::bvLowered ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
    for (int i = 0; i < width; ++i) {
        if (cut != TBevelCut::bvSpace) {
            GdiObject<HBRUSH> t(CreateSolidBrush(top)), b(CreateSolidBrush(bottom));
            RECT line{r.left, r.top, r.right, r.top + 1};
            FillRect(dc, &line, t.get());
            line = {r.left, r.top, r.left + 1, r.bottom};
            FillRect(dc, &line, t.get());
            line = {r.left, r.bottom - 1, r.right, r.bottom};
            FillRect(dc, &line, b.get());
            line = {r.right - 1, r.top, r.right, r.bottom};
            FillRect(dc, &line, b.get());
        }
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
}

void Panel::paint(Canvas& canvas) {
    Rect r = client_rect();
    canvas.brush().color = color();
    canvas.fill_rect(r);
    draw_bevel(canvas.handle(), r, bevel_outer_, bevel_width_);
    r = {r.left + border_width_, r.top + border_width_, r.right - border_width_, r.bottom - border_width_};
    draw_bevel(canvas.handle(), r, bevel_inner_, bevel_width_);
    std::string caption = text();
    if (caption.empty()) return;
    canvas.brush().style = TBrushStyle::bsClear;
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                  (alignment_ == TAlignment::taCenter ? DT_CENTER : alignment_ == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT);
    canvas.draw_text(caption, r, format);
}

// ---------------------------------------------------------------------------------------------
// GroupBox

ClassInfo& GroupBox::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomGroupBox", &CustomControl::static_class());
        PropBuilder<GroupBox> b(c);
        publish_caption(b);
        return c;
    }();
    return info;
}

ClassInfo& GroupBox::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TGroupBox", &custom_class());
        c.factory = factory_of<GroupBox>();
        return c;
    }();
    return info;
}

GroupBox::GroupBox(Component* owner) : CustomControl(owner) {
    add_style(*this, TControlStyleFlag::csAcceptsControls);
    set_bounds(0, 0, 185, 105);
}

bool GroupBox::adopt_child(Component* child) {
    auto* c = dynamic_cast<Control*>(child);
    if (!c) return false;
    c->set_parent(this);
    return true;
}

void GroupBox::adjust_client_rect(Rect& r) const {
    int text_height = std::abs(font().height()) + 2;
    r = {r.left + 2, r.top + text_height, std::max(r.left + 2, r.right - 2), std::max(r.top + text_height, r.bottom - 2)};
}

void GroupBox::paint(Canvas& canvas) {
    Rect r = client_rect();
    canvas.brush().color = color();
    canvas.fill_rect(r);
    SIZE extent = canvas.text_extent("0");
    RECT frame{r.left, r.top + extent.cy / 2, r.right, r.bottom};
    DrawEdge(canvas.handle(), &frame, EDGE_ETCHED, BF_RECT);
    std::string caption = text();
    if (caption.empty()) return;
    SIZE t = canvas.text_extent(caption);
    Rect text_rect{8, 0, 8 + t.cx + 4, t.cy};
    canvas.brush().color = color();
    canvas.fill_rect(text_rect);
    canvas.brush().style = TBrushStyle::bsClear;
    if (!enabled()) canvas.font().set_color(clGrayText);
    canvas.text_out(10, 0, caption);
}

// ---------------------------------------------------------------------------------------------
// Label

ClassInfo& Label::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomLabel", &GraphicControl::static_class());
        PropBuilder<Label> b(c);
        publish_caption(b);
        b.enumeration("Alignment", &Label::alignment, &Label::set_alignment, TAlignment::taLeftJustify)
            .enumeration("Layout", &Label::layout, &Label::set_layout, TTextLayout::tlTop)
            .boolean("Transparent", &Label::transparent, &Label::set_transparent)
            .boolean("WordWrap", &Label::word_wrap, &Label::set_word_wrap)
            .boolean("ShowAccelChar", &Label::show_accel_char, &Label::set_show_accel_char, true)
            .reference<WinControl>("FocusControl", "TWinControl", &Label::focus_control, &Label::set_focus_control)
            // A label sizes itself unless told not to: only False is stored.
            .boolean("AutoSize", &Label::auto_size, &Label::set_auto_size, true);
        return c;
    }();
    return info;
}

ClassInfo& Label::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TLabel", &custom_class());
        c.factory = factory_of<Label>();
        return c;
    }();
    return info;
}

Label::Label(Component* owner) : GraphicControl(owner) {
    set_bounds(0, 0, 65, 17);
    set_auto_size(true);
}

void Label::set_alignment(TAlignment a) {
    alignment_ = a;
    invalidate();
}
void Label::set_layout(TTextLayout l) {
    layout_ = l;
    invalidate();
}
void Label::set_transparent(bool v) {
    transparent_ = v;
    invalidate();
}
void Label::set_word_wrap(bool v) {
    word_wrap_ = v;
    adjust_size();
    invalidate();
}
void Label::set_show_accel_char(bool v) {
    show_accel_char_ = v;
    adjust_size();
    invalidate();
}
void Label::set_focus_control(WinControl* c) {
    focus_control_ = c;
    if (c) free_notification(c);
}

void Label::notification(Component* c, TOperation op) {
    GraphicControl::notification(c, op);
    if (op == TOperation::opRemove && c == focus_control_) focus_control_ = nullptr;
}

UINT Label::text_format() const {
    UINT f = (word_wrap_ ? DT_WORDBREAK : 0) | (show_accel_char_ ? 0 : DT_NOPREFIX) | DT_EXPANDTABS;
    if (alignment_ == TAlignment::taCenter) f |= DT_CENTER;
    else if (alignment_ == TAlignment::taRightJustify) f |= DT_RIGHT;
    return f;
}

bool Label::can_auto_size(int& w, int& h) {
    ClientDC screen(nullptr);
    CanvasScope scope = canvas_on(screen.get());
    Rect r{0, 0, word_wrap_ ? w : 0, 0};
    std::string caption = text();
    scope.canvas().draw_text(caption.empty() ? std::string(" ") : caption, r, text_format() | DT_CALCRECT);
    if (!word_wrap_) w = r.width();
    h = r.height();
    return true;
}

void Label::paint(Canvas& canvas) {
    Rect r{0, 0, width(), height()};
    if (!transparent_) {
        canvas.brush().color = color();
        canvas.fill_rect(r);
    }
    canvas.brush().style = TBrushStyle::bsClear;
    UINT format = text_format();
    if (layout_ != TTextLayout::tlTop) {
        Rect calc = r;
        canvas.draw_text(text(), calc, format | DT_CALCRECT);
        int offset = layout_ == TTextLayout::tlCenter ? (r.height() - calc.height()) / 2 : r.height() - calc.height();
        r.top += offset;
    }
    if (!enabled()) {
        canvas.font().set_color(clGrayText);
    }
    canvas.draw_text(text(), r, format);
}

void Label::wnd_proc(Message& m) {
    if (m.msg == CM_DIALOGCHAR && focus_control_ && enabled() && show_accel_char_ &&
        is_accel(static_cast<wchar_t>(m.wparam), text()) && focus_control_->can_focus()) {
        focus_control_->set_focus();
        m.result = 1;
        return;
    }
    GraphicControl::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// Image

ClassInfo& Image::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TImage", &GraphicControl::static_class());
        c.factory = factory_of<Image>();
        PropBuilder<Image>(c)
            .object("Picture", PropKind::Object, "TBitmap", [](Image& i) -> Persistent* { return &i.picture_; })
            .boolean("Stretch", &Image::stretch, &Image::set_stretch)
            .boolean("Center", &Image::center, &Image::set_center)
            .boolean("Transparent", [](const Image& i) { return i.picture_.transparent; },
                     [](Image& i, bool v) {
                         i.picture_.transparent = v;
                         i.invalidate();
                     });
        return c;
    }();
    return info;
}

Image::Image(Component* owner) : GraphicControl(owner) {
    set_bounds(0, 0, 105, 105);
    picture_.on_change = [this](Bitmap&) { invalidate(); };
}

void Image::set_stretch(bool v) {
    stretch_ = v;
    invalidate();
}
void Image::set_center(bool v) {
    center_ = v;
    invalidate();
}

void Image::paint(Canvas& canvas) {
    if (picture_.empty()) return;
    if (stretch_) {
        canvas.stretch_draw({0, 0, width(), height()}, picture_);
        return;
    }
    int x = center_ ? (width() - picture_.width()) / 2 : 0;
    int y = center_ ? (height() - picture_.height()) / 2 : 0;
    canvas.draw(x, y, picture_);
}

// ---------------------------------------------------------------------------------------------
// Edit

ClassInfo& Edit::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomEdit", &WinControl::static_class());
        PropBuilder<Edit> b(c);
        publish_caption(b, "Text");
        b.integer("MaxLength", &Edit::max_length, &Edit::set_max_length)
            .boolean("ReadOnly", &Edit::read_only, &Edit::set_read_only)
            .string("PasswordChar", &Edit::password_char, &Edit::set_password_char, "Char")
            .enumeration("CharCase", &Edit::char_case, &Edit::set_char_case, TEditCharCase::ecNormal)
            .enumeration("BorderStyle", &Edit::border_style, &Edit::set_border_style, TBorderStyle::bsSingle)
            .boolean("AutoSelect", &Edit::auto_select, &Edit::set_auto_select, true)
            .event("OnChange", "TNotifyEvent", &Edit::on_change);
        return c;
    }();
    return info;
}

ClassInfo& Edit::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TEdit", &custom_class());
        c.factory = factory_of<Edit>();
        return c;
    }();
    return info;
}

Edit::Edit(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 121, 21);
    set_tab_stop(true);
    set_color(clWindow);
    set_parent_color(false);
}

void Edit::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = L"EDIT";
    p.style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (border_style_ == TBorderStyle::bsSingle) p.ex_style |= WS_EX_CLIENTEDGE;
    if (read_only_) p.style |= ES_READONLY;
    if (char_case_ == TEditCharCase::ecUpperCase) p.style |= ES_UPPERCASE;
    if (char_case_ == TEditCharCase::ecLowerCase) p.style |= ES_LOWERCASE;
    if (!password_char_.empty()) p.style |= ES_PASSWORD;
}

void Edit::initialize_window() {
    SendMessageW(handle(), EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
    if (!password_char_.empty()) {
        std::wstring w = wide(password_char_);
        if (!w.empty()) SendMessageW(handle(), EM_SETPASSWORDCHAR, w[0], 0);
    }
}

void Edit::set_max_length(int n) {
    max_length_ = std::max(0, n);
    if (handle_allocated()) SendMessageW(handle(), EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
}

void Edit::set_read_only(bool v) {
    if (v == read_only_) return;
    read_only_ = v;
    if (handle_allocated()) SendMessageW(handle(), EM_SETREADONLY, v, 0);
    read_only_changed();
}

void Edit::set_password_char(const std::string& c) {
    password_char_ = c;
    restyle(*this);
}

void Edit::set_char_case(TEditCharCase c) {
    char_case_ = c;
    restyle(*this);
}

void Edit::set_border_style(TBorderStyle s) {
    border_style_ = s;
    restyle(*this);
}

int Edit::sel_start() const {
    DWORD s = 0;
    if (handle_allocated()) SendMessageW(const_cast<Edit*>(this)->handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), 0);
    return static_cast<int>(s);
}

int Edit::sel_length() const {
    DWORD s = 0, e = 0;
    if (handle_allocated())
        SendMessageW(const_cast<Edit*>(this)->handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return static_cast<int>(e - s);
}

void Edit::set_sel_start(int v) {
    if (handle_allocated()) SendMessageW(handle(), EM_SETSEL, static_cast<WPARAM>(v), v);
}

void Edit::set_sel_length(int v) {
    int s = sel_start();
    if (handle_allocated()) SendMessageW(handle(), EM_SETSEL, static_cast<WPARAM>(s), s + v);
}

void Edit::select_all() {
    if (handle_allocated()) SendMessageW(handle(), EM_SETSEL, 0, -1);
}

bool Edit::modified() const {
    return handle_allocated() && SendMessageW(const_cast<Edit*>(this)->handle(), EM_GETMODIFY, 0, 0) != 0;
}

void Edit::cn_command(WORD code, Message& m) {
    if (code == EN_CHANGE) change();
    m.result = 0;
}

void Edit::change() {
    if (!loading() && on_change) on_change(this);
}

// ---------------------------------------------------------------------------------------------
// Memo

ClassInfo& Memo::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomMemo", &Edit::custom_class());
        PropBuilder<Memo>(c)
            .object("Lines", PropKind::StringList, "TStrings", [](Memo& m) -> Persistent* { return &m.lines_; })
            .enumeration("ScrollBars", &Memo::scroll_bars, &Memo::set_scroll_bars, TScrollStyle::ssNone)
            .boolean("WordWrap", &Memo::word_wrap, &Memo::set_word_wrap, true)
            .boolean("WantReturns", &Memo::want_returns, &Memo::set_want_returns, true)
            .boolean("WantTabs", &Memo::want_tabs, &Memo::set_want_tabs);
        return c;
    }();
    return info;
}

ClassInfo& Memo::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TMemo", &custom_class());
        c.factory = factory_of<Memo>();
        return c;
    }();
    return info;
}

Memo::Memo(Component* owner) : Edit(owner) {
    set_bounds(0, 0, 185, 89);
    lines_.on_change = [this](StringList&) {
        if (syncing_ || !handle_allocated()) return;
        syncing_ = true;
        std::string t = lines_.text();
        if (t.size() >= 2) t.resize(t.size() - 2);  // no line break after the last line
        SetWindowTextW(handle(), wide(t).c_str());
        syncing_ = false;
    };
}

void Memo::create_params(CreateParams& p) {
    Edit::create_params(p);
    p.style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    p.style |= ES_MULTILINE | (want_returns_ ? ES_WANTRETURN : 0);
    if (!word_wrap_) p.style |= ES_AUTOHSCROLL;
    if (scroll_bars_ == TScrollStyle::ssVertical || scroll_bars_ == TScrollStyle::ssBoth) p.style |= WS_VSCROLL;
    if (scroll_bars_ == TScrollStyle::ssHorizontal || scroll_bars_ == TScrollStyle::ssBoth) p.style |= WS_HSCROLL;
    std::string t = lines_.text();
    if (t.size() >= 2) t.resize(t.size() - 2);
    p.caption = wide(t);
}

void Memo::set_scroll_bars(TScrollStyle s) {
    scroll_bars_ = s;
    restyle(*this);
}

void Memo::set_word_wrap(bool v) {
    word_wrap_ = v;
    restyle(*this);
}

void Memo::change() {
    if (!syncing_ && handle_allocated()) {
        syncing_ = true;
        lines_.set_text(text());
        syncing_ = false;
    }
    Edit::change();
}

void Memo::wnd_proc(Message& m) {
    if (m.msg == WM_GETDLGCODE) {
        Edit::wnd_proc(m);
        m.result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        // Wanting Enter is no claim on Tab: without WantTabs, Tab moves the focus on.
        const auto* asked = reinterpret_cast<const MSG*>(m.lparam);
        const bool tab = asked && asked->message == WM_KEYDOWN && asked->wParam == VK_TAB;
        if (want_returns_ && !(tab && !want_tabs_)) m.result |= DLGC_WANTALLKEYS;
        if (want_tabs_) m.result |= DLGC_WANTTAB;
        return;
    }
    Edit::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// Button

ClassInfo& Button::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TButton", &WinControl::static_class());
        c.factory = factory_of<Button>();
        PropBuilder<Button> b(c);
        publish_caption(b);
        b.boolean("Default", &Button::is_default, &Button::set_default)
            .boolean("Cancel", &Button::cancel, &Button::set_cancel)
            .integer("ModalResult", &Button::modal_result, &Button::set_modal_result, 0, "TModalResult")
            .text_form(
                [](std::string_view t) -> std::optional<int> {
                    int v = modal_result_from(t);
                    return v < 0 ? std::nullopt : std::optional<int>(v);
                },
                modal_result_text);
        return c;
    }();
    return info;
}

Button::Button(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 75, 25);
    set_tab_stop(true);
    remove_style(*this, TControlStyleFlag::csClickEvents);
}

void Button::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = L"BUTTON";
    p.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void Button::set_default(bool v) {
    default_ = v;
    // Until the focus moves, the default button is the one Enter presses.
    Form* f = parent_form();
    WinControl* focused = f ? f->active_control() : nullptr;
    active_ = focused == this || (v && !dynamic_cast<Button*>(focused));
    if (handle_allocated()) set_button_style(active_);
}

void Button::set_button_style(bool default_look) {
    if (!handle_allocated()) return;
    SendMessageW(handle(), BM_SETSTYLE, default_look ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::click() {
    if (Form* f = parent_form(); f && modal_result_ != mrNone) f->set_modal_result(modal_result_);
    WinControl::click();
}

void Button::cn_command(WORD code, Message& m) {
    if (code == BN_CLICKED) click();
    m.result = 0;
}

void Button::wnd_proc(Message& m) {
    switch (m.msg) {
    case CM_DIALOGKEY: {
        bool plain = !(GetKeyState(VK_CONTROL) < 0) && !(GetKeyState(VK_MENU) < 0);
        if (plain && ((m.wparam == VK_RETURN && active_) || (m.wparam == VK_ESCAPE && cancel_)) && can_focus() &&
            handle_allocated()) {
            click();
            m.result = 1;
            return;
        }
        m.result = 0;
        return;
    }
    case CM_DIALOGCHAR:
        if (is_accel(static_cast<wchar_t>(m.wparam), text()) && can_focus()) {
            click();
            m.result = 1;
            return;
        }
        m.result = 0;
        return;
    case CM_FOCUSCHANGED: {
        // The focused button takes Enter; else the default one, unless another button has the focus.
        auto* focused = reinterpret_cast<WinControl*>(m.lparam);
        active_ = focused == this || (default_ && !dynamic_cast<Button*>(focused));
        set_button_style(active_);
        m.result = 0;
        return;
    }
    default: break;
    }
    WinControl::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// CheckBox

ClassInfo& CheckBox::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomCheckBox", &WinControl::static_class());
        PropBuilder<CheckBox> b(c);
        publish_caption(b);
        b.boolean("Checked", &CheckBox::checked, &CheckBox::set_checked)
            .enumeration("State", &CheckBox::state, &CheckBox::set_state, TCheckBoxState::cbUnchecked)
            .boolean("AllowGrayed", &CheckBox::allow_grayed, &CheckBox::set_allow_grayed)
            .enumeration("Alignment", &CheckBox::alignment, &CheckBox::set_alignment, TLeftRight::taRightJustify);
        return c;
    }();
    return info;
}

ClassInfo& CheckBox::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCheckBox", &custom_class());
        c.factory = factory_of<CheckBox>();
        return c;
    }();
    return info;
}

CheckBox::CheckBox(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 97, 17);
    set_tab_stop(true);
    remove_style(*this, TControlStyleFlag::csClickEvents);
}

void CheckBox::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = L"BUTTON";
    p.style |= BS_3STATE;
    if (alignment_ == TLeftRight::taLeftJustify) p.style |= BS_LEFTTEXT;
}

void CheckBox::initialize_window() { SendMessageW(handle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0); }

void CheckBox::set_state(TCheckBoxState s) {
    if (s == state_) return;
    state_ = s;
    if (handle_allocated()) SendMessageW(handle(), BM_SETCHECK, static_cast<WPARAM>(s), 0);
    if (!loading()) click();
}

void CheckBox::set_alignment(TLeftRight a) {
    alignment_ = a;
    restyle(*this);
}

void CheckBox::action_change(Action& a) {
    WinControl::action_change(a);
    if (a.checked() != checked()) {
        state_ = a.checked() ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
        if (handle_allocated()) SendMessageW(handle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
    }
}

void CheckBox::toggle() {
    switch (state_) {
    case TCheckBoxState::cbUnchecked: set_state(allow_grayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked); break;
    case TCheckBoxState::cbChecked: set_state(TCheckBoxState::cbUnchecked); break;
    case TCheckBoxState::cbGrayed: set_state(TCheckBoxState::cbChecked); break;
    }
}

void CheckBox::cn_command(WORD code, Message& m) {
    if (code == BN_CLICKED) toggle();
    m.result = 0;
}

void CheckBox::wnd_proc(Message& m) {
    if (m.msg == CM_DIALOGCHAR) {
        if (is_accel(static_cast<wchar_t>(m.wparam), text()) && can_focus()) {
            set_focus();
            toggle();
            m.result = 1;
            return;
        }
        m.result = 0;
        return;
    }
    WinControl::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// RadioButton

ClassInfo& RadioButton::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TRadioButton", &WinControl::static_class());
        c.factory = factory_of<RadioButton>();
        PropBuilder<RadioButton> b(c);
        publish_caption(b);
        b.boolean("Checked", &RadioButton::checked, &RadioButton::set_checked)
            .enumeration("Alignment", &RadioButton::alignment, &RadioButton::set_alignment, TLeftRight::taRightJustify);
        return c;
    }();
    return info;
}

RadioButton::RadioButton(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 113, 17);
    set_tab_stop(true);
    remove_style(*this, TControlStyleFlag::csClickEvents);
}

void RadioButton::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = L"BUTTON";
    p.style |= BS_RADIOBUTTON;
    if (alignment_ == TLeftRight::taLeftJustify) p.style |= BS_LEFTTEXT;
}

void RadioButton::initialize_window() { SendMessageW(handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

void RadioButton::set_checked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    if (handle_allocated()) SendMessageW(handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!v) return;
    // One checked button per parent.
    if (parent())
        for (Control* c : parent()->controls())
            if (auto* r = dynamic_cast<RadioButton*>(c); r && r != this) r->set_checked(false);
    if (!loading()) click();
}

void RadioButton::action_change(Action& a) {
    WinControl::action_change(a);
    if (a.checked() != checked_) {
        checked_ = a.checked();
        if (handle_allocated()) SendMessageW(handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void RadioButton::set_alignment(TLeftRight a) {
    alignment_ = a;
    restyle(*this);
}

void RadioButton::cn_command(WORD code, Message& m) {
    if (code == BN_CLICKED) set_checked(true);
    m.result = 0;
}

void RadioButton::wnd_proc(Message& m) {
    if (m.msg == CM_DIALOGCHAR) {
        if (is_accel(static_cast<wchar_t>(m.wparam), text()) && can_focus()) {
            set_focus();
            set_checked(true);
            m.result = 1;
            return;
        }
        m.result = 0;
        return;
    }
    WinControl::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// ComboBox

ClassInfo& ComboBox::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomComboBox", &WinControl::static_class());
        PropBuilder<ComboBox> b(c);
        publish_caption(b, "Text");
        b.object("Items", PropKind::StringList, "TStrings", [](ComboBox& x) -> Persistent* { return &x.items_; })
            .integer("ItemIndex", &ComboBox::item_index, &ComboBox::set_item_index, -1)
            .enumeration("Style", &ComboBox::style, &ComboBox::set_style, TComboBoxStyle::csDropDown)
            .integer("DropDownCount", &ComboBox::drop_down_count, &ComboBox::set_drop_down_count, 8)
            .integer("MaxLength", &ComboBox::max_length, &ComboBox::set_max_length)
            .boolean("Sorted", &ComboBox::sorted, &ComboBox::set_sorted)
            .enumeration("CharCase", &ComboBox::char_case, &ComboBox::set_char_case, TEditCharCase::ecNormal)
            .integer("ItemHeight", &ComboBox::item_height, &ComboBox::set_item_height, 16)
            .boolean("AutoComplete", &ComboBox::auto_complete, &ComboBox::set_auto_complete, true)
            .event("OnChange", "TNotifyEvent", &ComboBox::on_change)
            .event("OnSelect", "TNotifyEvent", &ComboBox::on_select)
            .event("OnDropDown", "TNotifyEvent", &ComboBox::on_drop_down)
            .event("OnCloseUp", "TNotifyEvent", &ComboBox::on_close_up)
            .event("OnDrawItem", "TDrawItemEvent", &ComboBox::on_draw_item)
            .event("OnMeasureItem", "TMeasureItemEvent", &ComboBox::on_measure_item);
        return c;
    }();
    return info;
}

ClassInfo& ComboBox::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TComboBox", &custom_class());
        c.factory = factory_of<ComboBox>();
        return c;
    }();
    return info;
}

ComboBox::ComboBox(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 145, 21);
    set_tab_stop(true);
    set_color(clWindow);
    items_.on_change = [this](StringList&) { fill_window(); };
}

ComboBox::~ComboBox() {
    items_.on_change = nullptr;
    destroy_handle();
}

void ComboBox::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = L"COMBOBOX";
    p.style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
    switch (style_) {
    case TComboBoxStyle::csDropDown: p.style |= CBS_DROPDOWN; break;
    case TComboBoxStyle::csSimple: p.style |= CBS_SIMPLE; break;
    case TComboBoxStyle::csDropDownList: p.style |= CBS_DROPDOWNLIST; break;
    case TComboBoxStyle::csOwnerDrawFixed: p.style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
    case TComboBoxStyle::csOwnerDrawVariable: p.style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE; break;
    }
    if (sorted_) p.style |= CBS_SORT;
    if (char_case_ == TEditCharCase::ecUpperCase) p.style |= CBS_UPPERCASE;
    if (char_case_ == TEditCharCase::ecLowerCase) p.style |= CBS_LOWERCASE;
}

int ComboBox::window_height(int height) const {
    // The window's height includes the dropped list.
    return style_ == TComboBoxStyle::csSimple ? height : height + drop_down_count_ * item_height_ + 4;
}

void ComboBox::fill_window() {
    if (!handle_allocated()) return;
    HWND h = handle();
    int keep = item_index_;
    SendMessageW(h, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items_.count(); ++i) SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(items_.get(i)).c_str()));
    if (keep >= 0 && keep < items_.count()) SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(keep), 0);
    else item_index_ = -1;
}

void ComboBox::initialize_window() {
    fill_window();
    if (max_length_ > 0) SendMessageW(handle(), CB_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
    if (item_index_ < 0 && style_ != TComboBoxStyle::csDropDownList) SetWindowTextW(handle(), wide(Control::text()).c_str());
}

void ComboBox::save_window_state() {
    item_index_ = item_index();
}

void ComboBox::loaded() {
    WinControl::loaded();
    if (item_index_ >= items_.count()) item_index_ = -1;
}

int ComboBox::item_index() const {
    if (handle_allocated()) return static_cast<int>(SendMessageW(const_cast<ComboBox*>(this)->handle(), CB_GETCURSEL, 0, 0));
    return item_index_;
}

void ComboBox::set_item_index(int i) {
    if (!loading() && (i < -1 || i >= items_.count())) i = -1;
    item_index_ = i;
    if (handle_allocated()) SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

void ComboBox::set_style(TComboBoxStyle s) {
    style_ = s;
    restyle(*this);
}

void ComboBox::set_max_length(int n) {
    max_length_ = std::max(0, n);
    if (handle_allocated()) SendMessageW(handle(), CB_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
}

void ComboBox::set_sorted(bool v) {
    sorted_ = v;
    items_.set_sorted(v);
    restyle(*this);
}

void ComboBox::set_item_height(int h) {
    item_height_ = std::max(1, h);
    if (handle_allocated()) SendMessageW(handle(), CB_SETITEMHEIGHT, 0, item_height_);
}

bool ComboBox::dropped_down() const {
    return handle_allocated() && SendMessageW(const_cast<ComboBox*>(this)->handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void ComboBox::set_dropped_down(bool v) {
    if (handle_allocated()) SendMessageW(handle(), CB_SHOWDROPDOWN, v, 0);
}

HWND ComboBox::edit_handle() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(handle(), &info) ? info.hwndItem : nullptr;
}

HWND ComboBox::list_handle() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(handle(), &info) ? info.hwndList : nullptr;
}

std::string ComboBox::text() const { return WinControl::text(); }

void ComboBox::set_text(const std::string& t) {
    if (style_ == TComboBoxStyle::csDropDownList) {
        set_item_index(items_.index_of(t));
        return;
    }
    WinControl::set_text(t);
}

void ComboBox::cn_command(WORD code, Message& m) {
    switch (code) {
    case CBN_SELCHANGE:
        item_index_ = item_index();
        if (item_index_ >= 0 && style_ != TComboBoxStyle::csDropDownList && handle_allocated())
            SetWindowTextW(handle(), wide(items_.get(item_index_)).c_str());
        click();
        if (on_select) on_select(this);
        if (on_change && !loading()) on_change(this);
        break;
    case CBN_EDITCHANGE:
        if (on_change && !loading()) on_change(this);
        break;
    case CBN_DROPDOWN:
        if (on_drop_down) on_drop_down(this);
        break;
    case CBN_CLOSEUP:
        if (on_close_up) on_close_up(this);
        break;
    case CBN_SETFOCUS:
        // A click into a drop-down combo's text focuses the edit child directly: the combo's own
        // window never hears WM_SETFOCUS, so the form learns of it from here.
        if (Form* f = parent_form()) f->control_focused(this);
        break;
    default: break;
    }
    m.result = 0;
}

bool ComboBox::focused() const {
    if (!handle_allocated()) return false;
    const HWND focus = GetFocus();
    const HWND own = const_cast<ComboBox*>(this)->handle();
    return focus == own || (focus != nullptr && IsChild(own, focus));
}

void ComboBox::wnd_proc(Message& m) {
    if (m.msg == CN_DRAWITEM && on_draw_item) {
        auto& d = *reinterpret_cast<DRAWITEMSTRUCT*>(m.lparam);
        TOwnerDrawState s;
        if (d.itemState & ODS_SELECTED) s.include(TOwnerDrawStateFlag::odSelected);
        if (d.itemState & ODS_FOCUS) s.include(TOwnerDrawStateFlag::odFocused);
        if (d.itemState & ODS_COMBOBOXEDIT) s.include(TOwnerDrawStateFlag::odComboBoxEdit);
        on_draw_item(this, static_cast<int>(d.itemID), from_rect(d.rcItem), s);
        m.result = 1;
        return;
    }
    if (m.msg == CN_MEASUREITEM && on_measure_item) {
        auto& mi = *reinterpret_cast<MEASUREITEMSTRUCT*>(m.lparam);
        int h = static_cast<int>(mi.itemHeight);
        on_measure_item(this, static_cast<int>(mi.itemID), h);
        mi.itemHeight = static_cast<UINT>(h);
        m.result = 1;
        return;
    }
    WinControl::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// ListBox

ClassInfo& ListBox::custom_class() {
    static ClassInfo info = [] {
        ClassInfo c("TCustomListBox", &WinControl::static_class());
        PropBuilder<ListBox>(c)
            .object("Items", PropKind::StringList, "TStrings", [](ListBox& x) -> Persistent* { return x.strings_; })
            .integer("ItemIndex", &ListBox::item_index, &ListBox::set_item_index, -1)
            .boolean("MultiSelect", &ListBox::multi_select, &ListBox::set_multi_select)
            .boolean("ExtendedSelect", &ListBox::extended_select, &ListBox::set_extended_select, true)
            .integer("ItemHeight", &ListBox::item_height, &ListBox::set_item_height, 16)
            .enumeration("Style", &ListBox::style, &ListBox::set_style, TListBoxStyle::lbStandard)
            .boolean("Sorted", &ListBox::sorted, &ListBox::set_sorted)
            .integer("Columns", &ListBox::columns, &ListBox::set_columns)
            .boolean("IntegralHeight", &ListBox::integral_height, &ListBox::set_integral_height)
            .enumeration("BorderStyle", &ListBox::border_style, &ListBox::set_border_style, TBorderStyle::bsSingle)
            .event("OnDrawItem", "TDrawItemEvent", &ListBox::on_draw_item)
            .event("OnMeasureItem", "TMeasureItemEvent", &ListBox::on_measure_item);
        return c;
    }();
    return info;
}

ClassInfo& ListBox::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TListBox", &custom_class());
        c.factory = factory_of<ListBox>();
        return c;
    }();
    return info;
}

ListBox::ListBox(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 121, 97);
    set_tab_stop(true);
    set_color(clWindow);
    items_.on_change = [this](StringList&) { fill_window(); };
}

ListBox::~ListBox() {
    items_.on_change = nullptr;
    destroy_handle();
}

void ListBox::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = L"LISTBOX";
    p.style |= LBS_NOTIFY | WS_VSCROLL | LBS_HASSTRINGS;
    if (!integral_height_) p.style |= LBS_NOINTEGRALHEIGHT;
    if (multi_select_) p.style |= extended_select_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (sorted_) p.style |= LBS_SORT;
    if (columns_ > 0) p.style |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (style_ == TListBoxStyle::lbOwnerDrawFixed || style_ == TListBoxStyle::lbVirtualOwnerDraw) p.style |= LBS_OWNERDRAWFIXED;
    if (style_ == TListBoxStyle::lbOwnerDrawVariable) p.style |= LBS_OWNERDRAWVARIABLE;
    if (border_style_ == TBorderStyle::bsSingle) p.ex_style |= WS_EX_CLIENTEDGE;
}

void ListBox::fill_window() {
    if (!handle_allocated() || items_replaced()) return;
    HWND h = handle();
    int keep = item_index_;
    int top = top_index();
    SendMessageW(h, WM_SETREDRAW, FALSE, 0);
    SendMessageW(h, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items_.count(); ++i) SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(items_.get(i)).c_str()));
    if (keep >= 0 && keep < items_.count()) SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(keep), 0);
    else item_index_ = -1;
    SendMessageW(h, LB_SETTOPINDEX, static_cast<WPARAM>(std::min(top, std::max(0, items_.count() - 1))), 0);
    SendMessageW(h, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h, nullptr, TRUE);
}

void ListBox::initialize_window() {
    if (style_ != TListBoxStyle::lbStandard) SendMessageW(handle(), LB_SETITEMHEIGHT, 0, item_height_);
    if (columns_ > 0) SendMessageW(handle(), LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1, width() / columns_)), 0);
    fill_window();
}

void ListBox::save_window_state() { item_index_ = item_index(); }

void ListBox::loaded() {
    WinControl::loaded();
    if (item_index_ >= count()) item_index_ = -1;
}

int ListBox::item_index() const {
    if (!handle_allocated()) return item_index_;
    HWND h = const_cast<ListBox*>(this)->handle();
    if (multi_select_) return static_cast<int>(SendMessageW(h, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(SendMessageW(h, LB_GETCURSEL, 0, 0));
}

void ListBox::set_item_index(int i) {
    if (!loading() && (i < -1 || i >= count())) i = -1;
    item_index_ = i;
    if (!handle_allocated()) return;
    if (multi_select_) SendMessageW(handle(), LB_SETCARETINDEX, static_cast<WPARAM>(i), FALSE);
    else SendMessageW(handle(), LB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

void ListBox::set_multi_select(bool v) {
    multi_select_ = v;
    restyle(*this);
}
void ListBox::set_extended_select(bool v) {
    extended_select_ = v;
    restyle(*this);
}

bool ListBox::selected(int index) const {
    if (index < 0 || index >= count()) throw StringListError("list index out of bounds (" + std::to_string(index) + ")");
    if (!handle_allocated()) return index == item_index_;
    return SendMessageW(const_cast<ListBox*>(this)->handle(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void ListBox::set_selected(int index, bool v) {
    if (index < 0 || index >= count()) throw StringListError("list index out of bounds (" + std::to_string(index) + ")");
    if (!multi_select_) {
        set_item_index(v ? index : -1);
        return;
    }
    SendMessageW(handle(), LB_SETSEL, v, index);
}

int ListBox::sel_count() const {
    if (!handle_allocated()) return item_index_ >= 0 ? 1 : 0;
    if (!multi_select_) return item_index() >= 0 ? 1 : 0;
    return static_cast<int>(SendMessageW(const_cast<ListBox*>(this)->handle(), LB_GETSELCOUNT, 0, 0));
}

int ListBox::top_index() const {
    return handle_allocated() ? static_cast<int>(SendMessageW(const_cast<ListBox*>(this)->handle(), LB_GETTOPINDEX, 0, 0)) : 0;
}

void ListBox::set_top_index(int i) {
    if (handle_allocated()) SendMessageW(handle(), LB_SETTOPINDEX, static_cast<WPARAM>(i), 0);
}

void ListBox::set_item_height(int h) {
    item_height_ = std::max(1, h);
    if (handle_allocated() && style_ != TListBoxStyle::lbStandard) SendMessageW(handle(), LB_SETITEMHEIGHT, 0, item_height_);
}

void ListBox::set_style(TListBoxStyle s) {
    style_ = s;
    restyle(*this);
}
void ListBox::set_sorted(bool v) {
    sorted_ = v;
    items_.set_sorted(v);
    restyle(*this);
}
void ListBox::set_columns(int n) {
    columns_ = std::max(0, n);
    restyle(*this);
}
void ListBox::set_integral_height(bool v) {
    integral_height_ = v;
    restyle(*this);
}
void ListBox::set_border_style(TBorderStyle s) {
    border_style_ = s;
    restyle(*this);
}

int ListBox::item_at_pos(POINT p, bool existing) const {
    if (!handle_allocated()) return -1;
    LRESULT r = SendMessageW(const_cast<ListBox*>(this)->handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
    int index = LOWORD(r);
    bool outside = HIWORD(r) != 0;
    if (outside && existing) return -1;
    return index < count() ? index : (existing ? -1 : count());
}

Rect ListBox::item_rect(int index) const {
    RECT r{};
    if (handle_allocated())
        SendMessageW(const_cast<ListBox*>(this)->handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return from_rect(r);
}

void ListBox::select_all() {
    if (multi_select_ && handle_allocated()) SendMessageW(handle(), LB_SETSEL, TRUE, -1);
}

void ListBox::cn_command(WORD code, Message& m) {
    if (code == LBN_SELCHANGE) {
        item_index_ = item_index();
        click();
    } else if (code == LBN_DBLCLK) {
        dbl_click();
    }
    m.result = 0;
}

void ListBox::draw_item(int index, const Rect& rect, TOwnerDrawState state, HDC dc) {
    if (on_draw_item) {
        on_draw_item(this, index, rect, state);
        return;
    }
    CanvasScope scope = canvas_on(dc);
    Canvas& canvas = scope.canvas();
    bool sel = state.has(TOwnerDrawStateFlag::odSelected);
    canvas.brush().color = sel ? clHighlight : color();
    if (sel) canvas.font().set_color(clHighlightText);
    canvas.fill_rect(rect);
    if (index >= 0 && index < count()) canvas.text_out(rect.left + 2, rect.top, items().get(index));
}

void ListBox::wnd_proc(Message& m) {
    if (m.msg == CN_DRAWITEM) {
        auto& d = *reinterpret_cast<DRAWITEMSTRUCT*>(m.lparam);
        TOwnerDrawState s;
        if (d.itemState & ODS_SELECTED) s.include(TOwnerDrawStateFlag::odSelected);
        if (d.itemState & ODS_FOCUS) s.include(TOwnerDrawStateFlag::odFocused);
        if (d.itemState & ODS_DISABLED) s.include(TOwnerDrawStateFlag::odDisabled);
        draw_item(static_cast<int>(d.itemID), from_rect(d.rcItem), s, d.hDC);
        m.result = 1;
        return;
    }
    if (m.msg == CN_MEASUREITEM) {
        auto& mi = *reinterpret_cast<MEASUREITEMSTRUCT*>(m.lparam);
        int h = item_height_;
        if (on_measure_item) on_measure_item(this, static_cast<int>(mi.itemID), h);
        mi.itemHeight = static_cast<UINT>(h);
        m.result = 1;
        return;
    }
    WinControl::wnd_proc(m);
}

// ---------------------------------------------------------------------------------------------
// ScrollBar

ClassInfo& ScrollBar::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TScrollBar", &WinControl::static_class());
        c.factory = factory_of<ScrollBar>();
        PropBuilder<ScrollBar>(c)
            .enumeration("Kind", &ScrollBar::kind, &ScrollBar::set_kind, TScrollBarKind::sbHorizontal)
            .integer("Min", &ScrollBar::min, &ScrollBar::set_min)
            .integer("Max", &ScrollBar::max, &ScrollBar::set_max, 100)
            .integer("Position", &ScrollBar::position, &ScrollBar::set_position)
            .integer("PageSize", &ScrollBar::page_size, &ScrollBar::set_page_size)
            .integer("SmallChange", &ScrollBar::small_change, &ScrollBar::set_small_change, 1, "TScrollBarInc")
            .integer("LargeChange", &ScrollBar::large_change, &ScrollBar::set_large_change, 1, "TScrollBarInc")
            .event("OnChange", "TNotifyEvent", &ScrollBar::on_change);
        return c;
    }();
    return info;
}

ScrollBar::ScrollBar(Component* owner) : WinControl(owner) {
    set_bounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    set_tab_stop(true);
}

void ScrollBar::create_params(CreateParams& p) {
    WinControl::create_params(p);
    p.system_class = L"SCROLLBAR";
    p.style |= kind_ == TScrollBarKind::sbVertical ? SBS_VERT : SBS_HORZ;
}

void ScrollBar::initialize_window() { set_params(position_, min_, max_); }

void ScrollBar::set_kind(TScrollBarKind k) {
    if (k == kind_) return;
    kind_ = k;
    if (!loading()) set_bounds(left(), top(), height(), width());
    restyle(*this);
}

void ScrollBar::set_page_size(int v) {
    page_size_ = std::max(0, v);
    set_params(position_, min_, max_);
}

void ScrollBar::set_params(int position, int min, int max) {
    if (!loading() && max < min) throw std::out_of_range("scroll bar maximum below minimum");
    bool changed = position != position_;
    min_ = min;
    max_ = max;
    position_ = loading() ? position : std::clamp(position, min_, std::max(min_, max_ - std::max(0, page_size_ - 1)));
    if (handle_allocated()) {
        SCROLLINFO si{sizeof si, SIF_ALL, min_, max_, static_cast<UINT>(page_size_), position_, 0};
        SetScrollInfo(handle(), SB_CTL, &si, TRUE);
    }
    if (changed && !loading() && on_change) on_change(this);
}

void ScrollBar::cn_scroll(Message& m) {
    int pos = position_;
    switch (LOWORD(m.wparam)) {
    case SB_LINEUP: pos -= small_change_; break;
    case SB_LINEDOWN: pos += small_change_; break;
    case SB_PAGEUP: pos -= large_change_; break;
    case SB_PAGEDOWN: pos += large_change_; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(handle(), SB_CTL, &si);
        pos = si.nTrackPos;
        break;
    }
    case SB_TOP: pos = min_; break;
    case SB_BOTTOM: pos = max_; break;
    default: break;
    }
    set_position(pos);
    m.result = 0;
}

} // namespace ui
