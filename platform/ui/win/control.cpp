#include "platform/ui/win/control.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>

#include "platform/text_gbk.h"
#include "platform/ui/win/actions.h"
#include "platform/ui/win/application.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/graphics.h"
#include "platform/ui/win/menus.h"

namespace ui {

namespace {

thread_local WinControl* t_creating = nullptr;

ATOM property_atom() {
    thread_local ATOM atom = GlobalAddAtomW(Control::window_property_name().c_str());
    return atom;
}

// The window procedure each superclassed system class had, by our class name.
std::map<std::wstring, WNDPROC>& class_procs() {
    static std::map<std::wstring, WNDPROC> procs;
    return procs;
}

WNDPROC base_proc_of(HWND h) {
    wchar_t name[128] = {};
    GetClassNameW(h, name, 127);
    auto it = class_procs().find(name);
    return it == class_procs().end() ? DefWindowProcW : it->second;
}

int next_child_id() {
    static int id = 1000;
    return id = id >= 0x7FFF ? 1000 : id + 1;
}

bool is_mouse_message(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK && msg != WM_MOUSEWHEEL; }

} // namespace

struct WinControl::GdiHolder {
    GdiObject<HFONT> font;
    GdiObject<HBRUSH> brush;
    TColor brush_color = clNone;
};

TShiftState shift_state_of_keys(WPARAM keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s.include(TShiftStateFlag::ssShift);
    if (keys & MK_CONTROL) s.include(TShiftStateFlag::ssCtrl);
    if (keys & MK_LBUTTON) s.include(TShiftStateFlag::ssLeft);
    if (keys & MK_RBUTTON) s.include(TShiftStateFlag::ssRight);
    if (keys & MK_MBUTTON) s.include(TShiftStateFlag::ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.include(TShiftStateFlag::ssAlt);
    return s;
}

TShiftState current_shift_state() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.include(TShiftStateFlag::ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.include(TShiftStateFlag::ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.include(TShiftStateFlag::ssAlt);
    return s;
}

// ---------------------------------------------------------------------------------------------
// Control

ClassInfo& SizeConstraintsObject::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TSizeConstraints", &Persistent::static_class());
        auto field = [](int SizeConstraints::*f) {
            return std::make_pair([f](const SizeConstraintsObject& o) { return o.values.*f; },
                                  [f](SizeConstraintsObject& o, int v) {
                                      o.values.*f = v;
                                      if (o.on_change) o.on_change();
                                  });
        };
        auto maxh = field(&SizeConstraints::max_height), maxw = field(&SizeConstraints::max_width);
        auto minh = field(&SizeConstraints::min_height), minw = field(&SizeConstraints::min_width);
        PropBuilder<SizeConstraintsObject>(c)
            .integer("MaxHeight", maxh.first, maxh.second, 0, "TConstraintSize")
            .integer("MaxWidth", maxw.first, maxw.second, 0, "TConstraintSize")
            .integer("MinHeight", minh.first, minh.second, 0, "TConstraintSize")
            .integer("MinWidth", minw.first, minw.second, 0, "TConstraintSize");
        return c;
    }();
    return info;
}

ClassInfo& Control::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TControl", &Component::static_class());
        PropBuilder<Control>(c)
            .integer("Left", &Control::left, &Control::set_left)
            .integer("Top", &Control::top, &Control::set_top)
            .integer("Width", &Control::width, &Control::set_width)
            .integer("Height", &Control::height, &Control::set_height)
            // Follow from the bounds (and a form's menu bar, which is set later): never stored.
            .integer("ClientWidth", &Control::client_width, &Control::set_client_width)
            .stored([](const Control&) { return false; })
            .integer("ClientHeight", &Control::client_height, &Control::set_client_height)
            .stored([](const Control&) { return false; })
            .enumeration("Align", &Control::align, &Control::set_align, TAlign::alNone)
            .set("Anchors", "TAnchors", &Control::anchors, &Control::set_anchors, TAnchors{TAnchorKind::akLeft, TAnchorKind::akTop})
            .object("Constraints", PropKind::Object, "TSizeConstraints", [](Control& x) -> Persistent* { return &x.constraints_; })
            .boolean("AutoSize", &Control::auto_size, &Control::set_auto_size)
            .boolean("Visible", &Control::visible, &Control::set_visible, true)
            .boolean("Enabled", &Control::enabled, &Control::set_enabled, true)
            .color("Color", &Control::color, &Control::set_color, clBtnFace)
            .boolean("ParentColor", &Control::parent_color, &Control::set_parent_color)
            .object("Font", PropKind::Object, "TFont", [](Control& x) -> Persistent* { return &x.font_; })
            .boolean("ParentFont", &Control::parent_font, &Control::set_parent_font, true)
            .string("Hint", &Control::hint, &Control::set_hint)
            .boolean("ShowHint", &Control::show_hint, &Control::set_show_hint)
            .reference<PopupMenu>("PopupMenu", "TPopupMenu", &Control::popup_menu, &Control::set_popup_menu)
            .reference<Action>("Action", "TAction", &Control::action, &Control::set_action)
            .integer("Cursor", &Control::cursor, &Control::set_cursor, 0, "TCursor")
            .enumeration("BiDiMode", &Control::bidi_mode, &Control::set_bidi_mode, TBiDiMode::bdLeftToRight)
            .event("OnClick", "TNotifyEvent", &Control::on_click)
            .event("OnDblClick", "TNotifyEvent", &Control::on_dbl_click)
            .event("OnResize", "TNotifyEvent", &Control::on_resize)
            .event("OnMouseEnter", "TNotifyEvent", &Control::on_mouse_enter)
            .event("OnMouseLeave", "TNotifyEvent", &Control::on_mouse_leave)
            .event("OnMouseDown", "TMouseEvent", &Control::on_mouse_down)
            .event("OnMouseUp", "TMouseEvent", &Control::on_mouse_up)
            .event("OnMouseMove", "TMouseMoveEvent", &Control::on_mouse_move)
            .event("OnMouseWheel", "TMouseWheelEvent", &Control::on_mouse_wheel)
            .event("OnMouseWheelDown", "TMouseWheelUpDownEvent", &Control::on_mouse_wheel_down)
            .event("OnMouseWheelUp", "TMouseWheelUpDownEvent", &Control::on_mouse_wheel_up)
            .obsolete("ParentShowHint", ObsoleteValue::Boolean);
        return c;
    }();
    return info;
}

struct Control::Link : ActionLink {
    explicit Link(Control& c) : control(c) {}
    void action_changed() override {
        if (control.action_) control.action_change(*control.action_);
    }
    Control& control;
};

void MessageChain::pass(const Entries& entries, std::size_t index, const WndMethod& base, Message& m) {
    while (index < entries.size() && entries[index]->removed) ++index;
    if (index == entries.size()) {
        base(m);
        return;
    }
    const std::shared_ptr<Entry> entry = entries[index];
    entry->filter(m, [&entries, index, &base](Message& inner) { pass(entries, index + 1, base, inner); });
}

void MessageChain::operator()(Message& m) const {
    if (entries_.empty()) {
        base_(m);
        return;
    }
    // A copy, so that filters added or removed by a filter leave this message's path alone.
    const Entries entries = entries_;
    pass(entries, 0, base_, m);
}

MessageChain::Token MessageChain::add(std::string name, Filter filter) {
    const Token token = next_token_++;
    entries_.insert(entries_.begin(), std::make_shared<Entry>(Entry{token, std::move(name), std::move(filter)}));
    return token;
}

void MessageChain::remove(Token token) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if ((*it)->token != token) continue;
        (*it)->removed = true;
        entries_.erase(it);
        return;
    }
}

std::vector<std::string> MessageChain::names() const {
    std::vector<std::string> out;
    for (const auto& e : entries_) out.push_back(e->name);
    return out;
}

Control::Control(Component* owner) : Component(owner), window_proc([this](Message& m) { wnd_proc(m); }) {
    font_.on_change = [this](Font&) {
        parent_font_ = false;
        font_changed();
    };
    constraints_.on_change = [this] { set_bounds(left_, top_, width_, height_); };
}

Control::~Control() {
    release_owned();
    if (application().hint_control() == this) application().cancel_hint();
    if (action_) action_->unregister_link(action_link_.get());
    if (parent_) parent_->remove_control(this);
}

std::wstring Control::window_property_name() {
    wchar_t buf[64];
    std::swprintf(buf, 64, L"ControlOfs%08X%08X",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(GetModuleHandleW(nullptr)) & 0xFFFFFFFFu),
                  static_cast<unsigned>(GetCurrentThreadId()));
    return buf;
}

void Control::set_bounds(int left, int top, int width, int height) {
    width = constraints_.values.clamp_width(std::max(0, width));
    height = constraints_.values.clamp_height(std::max(0, height));
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    bool size_changed = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    invalidate();
    changed_bounds(size_changed);
}

void Control::changed_bounds(bool size_changed) {
    if (parent_ && !parent_->in_realign_) {
        record_anchor_margins();
        if (align_ != TAlign::alNone) parent_->realign();
    }
    if (size_changed && on_resize && !loading()) on_resize(this);
}

void Control::record_anchor_margins() {
    if (!parent_) return;
    Rect client = parent_->client_rect();
    anchor_right_ = client.right - (left_ + width_);
    anchor_bottom_ = client.bottom - (top_ + height_);
}

POINT Control::client_to_screen(POINT p) const {
    if (auto* w = dynamic_cast<const WinControl*>(this); w && w->handle_allocated()) {
        ClientToScreen(w->handle_, &p);
        return p;
    }
    if (parent_) {
        p.x += left_;
        p.y += top_;
        return parent_->client_to_screen(p);
    }
    return p;
}

POINT Control::screen_to_client(POINT p) const {
    POINT origin = client_to_screen(POINT{0, 0});
    return POINT{p.x - origin.x, p.y - origin.y};
}

void Control::set_parent(WinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw std::invalid_argument("a control cannot be its own parent");
    bool was_showing = showing();
    if (parent_) parent_->remove_control(this);
    if (parent) parent->insert_control(this);
    if (showing() != was_showing) showing_changed();
}

Form* Control::parent_form() const {
    const Control* c = this;
    while (c->parent_) c = c->parent_;
    return const_cast<Form*>(dynamic_cast<const Form*>(c));
}

void Control::set_align(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->realign();
}

void Control::set_anchors(TAnchors anchors) {
    anchors_ = anchors;
    record_anchor_margins();
}

void Control::set_auto_size(bool v) {
    auto_size_ = v;
    if (v) adjust_size();
}

void Control::adjust_size() {
    int w = width_, h = height_;
    if (!auto_size_ || !can_auto_size(w, h)) return;
    set_bounds(auto_size_keeps_right() ? left_ + width_ - w : left_, top_, w, h);
}

void Control::set_visible(bool v) {
    if (v == visible_) return;
    bool was_showing = showing();
    visible_ = v;
    if (parent_) {
        invalidate();
        if (align_ != TAlign::alNone) parent_->realign();
        else parent_->invalidate();
    }
    perform(CM_VISIBLECHANGED, v);
    if (showing() != was_showing) showing_changed();
}

bool Control::showing() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void Control::showing_changed() {
    if (destroying()) return;
    bool now = showing();
    perform(CM_SHOWINGCHANGED, now);
    // A hidden child's showing state does not follow its parent's: it stays hidden.
    if (auto* w = dynamic_cast<WinControl*>(this)) {
        std::vector<Control*> children = w->controls();
        for (Control* c : children)
            if (c->visible_) c->showing_changed();
    }
}

void Control::set_enabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    invalidate();
    perform(CM_ENABLEDCHANGED);
}

void Control::set_text(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    invalidate();
    text_changed();
    perform(CM_TEXTCHANGED);
    adjust_size();
}

void Control::set_color(TColor c) {
    if (c == color_) return;
    color_ = c;
    parent_color_ = false;
    color_changed();
}

void Control::set_parent_color(bool v) {
    parent_color_ = v;
    if (v && parent_) parent_color_changed();
}

void Control::set_parent_font(bool v) {
    parent_font_ = v;
    if (v && parent_) parent_font_changed();
}

void Control::parent_font_changed() {
    if (!parent_font_ || !parent_) return;
    font_.on_change = nullptr;
    font_.assign(parent_->font());
    font_.on_change = [this](Font&) {
        parent_font_ = false;
        font_changed();
    };
    font_changed();
}

void Control::parent_color_changed() {
    if (!parent_color_ || !parent_) return;
    color_ = parent_->color();
    color_changed();
}

void Control::font_changed() {
    invalidate();
    perform(CM_FONTCHANGED);
    adjust_size();
}

void Control::color_changed() {
    invalidate();
    perform(CM_COLORCHANGED);
}

void Control::set_popup_menu(PopupMenu* menu) {
    popup_menu_ = menu;
    if (menu) free_notification(menu);
}

void Control::notification(Component* c, TOperation op) {
    Component::notification(c, op);
    if (op != TOperation::opRemove) return;
    if (c == popup_menu_) popup_menu_ = nullptr;
    if (c == action_) action_ = nullptr;
}

void Control::set_action(Action* action) {
    if (action == action_) return;
    if (action_) action_->unregister_link(action_link_.get());
    action_ = action;
    if (!action) return;
    if (!action_link_) action_link_ = std::make_unique<Link>(*this);
    action->register_link(action_link_.get());
    free_notification(action);
    action_change(*action);
}

void Control::action_change(Action& a) {
    if (!a.caption().empty()) set_text(a.caption());
    set_enabled(a.enabled());
    set_visible(a.visible());
    set_hint(a.hint());
}

void Control::loaded() {
    Component::loaded();
    if (parent_) record_anchor_margins();
    adjust_size();
}

void Control::invalidate() {
    if (!parent_ || !visible_ || !parent_->handle_allocated()) return;
    RECT r{left_, top_, left_ + width_, top_ + height_};
    InvalidateRect(parent_->handle_, &r, !parent_->double_buffered_);
}

void Control::repaint() {
    invalidate();
    update();
}

void Control::update() {
    if (parent_) parent_->update();
}

void Control::bring_to_front() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    if (auto* w = dynamic_cast<WinControl*>(this); w && w->handle_allocated())
        SetWindowPos(w->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    invalidate();
}

LRESULT Control::perform(UINT msg, WPARAM wparam, LPARAM lparam) {
    Message m{msg, wparam, lparam, 0};
    if (window_proc) window_proc(m);
    return m.result;
}

void Control::wnd_proc(Message& m) {
    switch (m.msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TMouseButton b = m.msg == WM_RBUTTONDOWN ? TMouseButton::mbRight
                         : m.msg == WM_MBUTTONDOWN ? TMouseButton::mbMiddle
                                                   : TMouseButton::mbLeft;
        TShiftState s = shift_state_of_keys(m.wparam);
        if (m.msg == WM_LBUTTONDBLCLK) {
            s.include(TShiftStateFlag::ssDouble);
            if (control_style_.has(TControlStyleFlag::csClickEvents)) dbl_click();
        }
        if (m.msg == WM_LBUTTONDOWN && control_style_.has(TControlStyleFlag::csClickEvents)) pressed_ = true;
        mouse_down(b, s, GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam));
        break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        TMouseButton b = m.msg == WM_RBUTTONUP ? TMouseButton::mbRight
                         : m.msg == WM_MBUTTONUP ? TMouseButton::mbMiddle
                                                 : TMouseButton::mbLeft;
        int x = GET_X_LPARAM(m.lparam), y = GET_Y_LPARAM(m.lparam);
        bool was_pressed = pressed_ && m.msg == WM_LBUTTONUP;
        if (m.msg == WM_LBUTTONUP) pressed_ = false;
        mouse_up(b, shift_state_of_keys(m.wparam), x, y);
        if (was_pressed && x >= 0 && y >= 0 && x < width_ && y < height_) click();
        break;
    }
    case WM_MOUSEMOVE: mouse_move(shift_state_of_keys(m.wparam), GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)); break;
    case CM_MOUSEENTER:
        mouse_inside_ = true;
        application().hint_mouse_enter(this);
        if (on_mouse_enter) on_mouse_enter(this);
        break;
    case CM_MOUSELEAVE:
        mouse_inside_ = false;
        application().hint_mouse_leave(this);
        if (on_mouse_leave) on_mouse_leave(this);
        break;
    case CM_HITTEST: m.result = 1; break;  // the whole rectangle is ours
    case CM_PARENTCOLORCHANGED: parent_color_changed(); break;
    case CM_PARENTFONTCHANGED: parent_font_changed(); break;
    default: default_handler(m); break;
    }
    if (is_mouse_message(m.msg)) default_handler(m);
}

void Control::default_handler(Message& m) { m.result = 0; }

void Control::click() {
    // The control's own handler, else its action's.
    if (on_click) on_click(this);
    else if (action_) action_->execute();
}

void Control::dbl_click() {
    if (on_dbl_click) on_dbl_click(this);
}

void Control::mouse_down(TMouseButton button, TShiftState shift, int x, int y) {
    if (on_mouse_down) on_mouse_down(this, button, shift, x, y);
}

void Control::mouse_move(TShiftState shift, int x, int y) {
    if (on_mouse_move) on_mouse_move(this, shift, x, y);
}

void Control::mouse_up(TMouseButton button, TShiftState shift, int x, int y) {
    if (on_mouse_up) on_mouse_up(this, button, shift, x, y);
}

bool Control::do_mouse_wheel(TShiftState shift, int wheel_delta, POINT mouse_pos) {
    bool handled = false;
    if (on_mouse_wheel) on_mouse_wheel(this, shift, wheel_delta, mouse_pos, handled);
    if (handled || wheel_delta == 0) return handled;
    return wheel_delta < 0 ? do_mouse_wheel_down(shift, mouse_pos) : do_mouse_wheel_up(shift, mouse_pos);
}

bool Control::do_mouse_wheel_down(TShiftState shift, POINT mouse_pos) {
    bool handled = false;
    if (on_mouse_wheel_down) on_mouse_wheel_down(this, shift, mouse_pos, handled);
    return handled;
}

bool Control::do_mouse_wheel_up(TShiftState shift, POINT mouse_pos) {
    bool handled = false;
    if (on_mouse_wheel_up) on_mouse_wheel_up(this, shift, mouse_pos, handled);
    return handled;
}

unsigned wheel_scroll_lines() {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return lines;
}

void Control::paint_to(HDC) {}

CanvasScope Control::canvas_on(HDC dc) {
    if (!canvas_) canvas_ = std::make_unique<Canvas>();
    return CanvasScope(*canvas_, dc, font_, color_);
}

// ---------------------------------------------------------------------------------------------
// GraphicControl

ClassInfo& GraphicControl::static_class() {
    static ClassInfo info("TGraphicControl", &Control::static_class());
    return info;
}

void GraphicControl::paint_to(HDC dc) {
    CanvasScope scope = canvas_on(dc);
    paint(scope.canvas());
}

void GraphicControl::paint(Canvas&) {}

void GraphicControl::wnd_proc(Message& m) {
    if (m.msg != WM_PAINT) {
        Control::wnd_proc(m);
        return;
    }
    if (m.wparam) paint_to(reinterpret_cast<HDC>(m.wparam));
    m.result = 0;
}

// ---------------------------------------------------------------------------------------------
// WinControl

ClassInfo& WinControl::static_class() {
    static ClassInfo info = [] {
        ClassInfo c("TWinControl", &Control::static_class());
        PropBuilder<WinControl>(c)
            .integer("TabOrder", &WinControl::tab_order, &WinControl::set_tab_order, -1, "TTabOrder")
            .boolean("TabStop", &WinControl::tab_stop, &WinControl::set_tab_stop)
            .boolean("Ctl3D", &WinControl::ctl3d, &WinControl::set_ctl3d, true)
            .boolean("DoubleBuffered", &WinControl::double_buffered, &WinControl::set_double_buffered)
            .boolean("ParentBackground", &WinControl::parent_background, &WinControl::set_parent_background)
            .event("OnEnter", "TNotifyEvent", &WinControl::on_enter)
            .event("OnExit", "TNotifyEvent", &WinControl::on_exit)
            .event("OnKeyDown", "TKeyEvent", &WinControl::on_key_down)
            .event("OnKeyUp", "TKeyEvent", &WinControl::on_key_up)
            .event("OnKeyPress", "TKeyPressEvent", &WinControl::on_key_press)
            .obsolete("ParentCtl3D", ObsoleteValue::Boolean);
        return c;
    }();
    return info;
}

WinControl::WinControl(Component* owner) : Control(owner), gdi_(std::make_unique<GdiHolder>()) {}

WinControl::~WinControl() {
    // The window tree goes first, then the owned components and the child objects.
    begin_destruction();
    destroy_handle();
    release_owned();
    while (!controls_.empty()) delete controls_.back();
}

WinControl* WinControl::find_control(HWND window) {
    if (!window) return nullptr;
    auto* c = static_cast<Control*>(GetPropW(window, MAKEINTATOM(property_atom())));
    return static_cast<WinControl*>(c);
}

HWND WinControl::handle() {
    handle_needed();
    return handle_;
}

void WinControl::handle_needed() {
    if (handle_) return;
    if (parent_ && !parent_->handle_allocated()) {
        parent_->handle_needed();  // creates this window among its children
        if (handle_) return;
    }
    create_handle();
}

void WinControl::create_handle() {
    if (handle_) return;
    if (!double_buffered_given_ && wants_off_screen_painting()) {
        // Forms paint such children off-screen; a window of its own keeps painting directly.
        Form* form = parent_form();
        if (form && form != this) double_buffered_ = true;
    }
    create_wnd();
    apply_font();
    initialize_window();
    for (Control* c : std::vector<Control*>(controls_))
        if (auto* w = dynamic_cast<WinControl*>(c)) w->create_handle();
    // Keep the windows in the order of the control list (z-order and tab movement).
    for (Control* c : controls_)
        if (auto* w = dynamic_cast<WinControl*>(c); w && w->handle_)
            SetWindowPos(w->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    realign();
}

void WinControl::create_params(CreateParams& p) {
    p.caption = plat::gbk_to_wide(Control::text_);
    p.style = WS_CHILD | WS_CLIPSIBLINGS;
    if (control_style().has(TControlStyleFlag::csAcceptsControls)) p.style |= WS_CLIPCHILDREN;
    if (visible()) p.style |= WS_VISIBLE;
    if (!enabled()) p.style |= WS_DISABLED;
    if (tab_stop_) p.style |= WS_TABSTOP;
    p.x = left();
    p.y = top();
    p.width = width();
    p.height = window_height(height());
    if (parent_) p.parent = parent_->handle_;
    else p.parent = parent_window_;
}

void WinControl::create_wnd() {
    CreateParams p;
    create_params(p);
    if ((p.style & WS_CHILD) && !p.parent) throw std::logic_error("control " + name() + " has no parent window");
    std::wstring cls = plat::gbk_to_wide(class_name());
    HINSTANCE inst = GetModuleHandleW(nullptr);
    system_class_ = p.system_class;
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(inst, cls.c_str(), &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        WNDPROC base = DefWindowProcW;
        if (!p.system_class.empty()) {
            if (!GetClassInfoExW(nullptr, p.system_class.c_str(), &wc))
                throw std::runtime_error("system window class missing for " + class_name());
            base = wc.lpfnWndProc;
            wc.cbSize = sizeof wc;
        } else {
            wc.style = p.class_style;
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        }
        wc.lpfnWndProc = main_wnd_proc;
        wc.hInstance = inst;
        wc.lpszClassName = cls.c_str();
        wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
        if (!RegisterClassExW(&wc)) throw std::runtime_error("cannot register window class " + class_name());
        class_procs()[cls] = base;
    }
    default_proc_ = base_proc_of_name(cls);
    HMENU id = (p.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(next_child_id())) : nullptr;
    t_creating = this;
    HWND h = CreateWindowExW(p.ex_style, cls.c_str(), p.caption.c_str(), p.style, p.x, p.y, p.width, p.height, p.parent,
                             id, inst, nullptr);
    t_creating = nullptr;
    if (!h) {
        throw std::runtime_error("cannot create the window of " + name() + " (" + class_name() + "), error " +
                                 std::to_string(GetLastError()));
    }
    handle_ = h;
}

WNDPROC WinControl::base_proc_of_name(const std::wstring& cls) {
    auto it = class_procs().find(cls);
    return it == class_procs().end() ? DefWindowProcW : it->second;
}

LRESULT CALLBACK WinControl::main_wnd_proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    WinControl* c = find_control(h);
    if (!c && t_creating) {
        c = t_creating;
        t_creating = nullptr;
        c->handle_ = h;
        SetPropW(h, MAKEINTATOM(property_atom()), static_cast<Control*>(c));
    }
    if (!c) return CallWindowProcW(base_proc_of(h), h, msg, w, l);
    Message m{msg, w, l, 0};
    try {
        c->window_proc(m);
    } catch (...) {
        application().handle_exception(std::current_exception());
    }
    if (msg == WM_NCDESTROY) {
        RemovePropW(h, MAKEINTATOM(property_atom()));
        if (c->handle_ == h) {
            c->handle_ = nullptr;
            c->paint_buffer_.reset();
        }
    }
    return m.result;
}

void WinControl::default_handler(Message& m) {
    if (!handle_) {
        m.result = 0;
        return;
    }
    m.result = CallWindowProcW(default_proc_ ? default_proc_ : DefWindowProcW, handle_, m.msg, m.wparam, m.lparam);
}

void WinControl::destroy_handle() {
    if (!handle_) return;
    save_window_state();
    for (Control* c : controls_)
        if (auto* w = dynamic_cast<WinControl*>(c)) w->save_window_state();
    destroy_wnd();
}

void WinControl::destroy_wnd() {
    HWND h = handle_;
    destroying_handle_ = true;
    DestroyWindow(h);
    destroying_handle_ = false;
    handle_ = nullptr;
}

void WinControl::recreate_wnd() {
    if (!handle_) return;
    Control::text_ = text();
    destroy_handle();
    create_handle();
    perform(CM_RECREATEWND);
}

void WinControl::set_parent_window(HWND w) {
    parent_window_ = w;
    if (handle_ && !parent_) SetParent(handle_, w);
}

void WinControl::insert_control(Control* c) {
    controls_.push_back(c);
    c->parent_ = this;
    if (auto* w = dynamic_cast<WinControl*>(c)) {
        if (w->tab_order_ < 0) w->tab_order_ = static_cast<int>(std::count_if(controls_.begin(), controls_.end(), [](Control* x) {
                                                   return dynamic_cast<WinControl*>(x) != nullptr;
                                               })) - 1;
        if (handle_) {
            if (w->handle_) SetParent(w->handle_, handle_);
            else if (!loading()) w->create_handle();
        }
    }
    if (c->parent_font_) c->parent_font_changed();
    if (c->parent_color_) c->parent_color_changed();
    c->record_anchor_margins();
    perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(c), TRUE);
    if (c->align() != TAlign::alNone) realign();
    c->invalidate();
}

void WinControl::remove_control(Control* c) {
    auto it = std::find(controls_.begin(), controls_.end(), c);
    if (it == controls_.end()) return;
    c->invalidate();
    if (mouse_control_ == c) mouse_control_ = nullptr;
    if (capture_control_ == c) capture_control_ = nullptr;
    controls_.erase(it);
    c->parent_ = nullptr;
    if (auto* w = dynamic_cast<WinControl*>(c); w && w->handle_ && !destroying()) {
        if (w->parent_window_) SetParent(w->handle_, w->parent_window_);
        else w->destroy_handle();
    }
    if (!destroying()) {
        perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(c), FALSE);
        if (c->align() != TAlign::alNone) realign();
    }
}

bool WinControl::contains_control(const Control* c) const {
    for (const Control* p = c; p; p = p->parent_)
        if (p == this) return true;
    return false;
}

Control* WinControl::control_at_pos(POINT p, bool allow_disabled, bool graphic_only) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* c = *it;
        if (graphic_only && dynamic_cast<WinControl*>(c)) continue;
        if (!c->visible_ || (!allow_disabled && !c->enabled_)) continue;
        if (p.x >= c->left_ && p.y >= c->top_ && p.x < c->left_ + c->width_ && p.y < c->top_ + c->height_) {
            if (c->perform(CM_HITTEST, 0, MAKELPARAM(p.x - c->left_, p.y - c->top_)) != 0) return c;
        }
    }
    return nullptr;
}

void WinControl::broadcast(Message& m) {
    for (Control* c : std::vector<Control*>(controls_)) {
        if (!contains_control(c)) continue;
        c->window_proc(m);
        if (m.result != 0) return;
    }
}

void WinControl::enable_align() {
    if (align_disabled_ > 0 && --align_disabled_ == 0 && align_pending_) realign();
}

void WinControl::realign() {
    if (align_disabled_ > 0 || loading()) {
        align_pending_ = true;
        return;
    }
    if (in_realign_) return;
    align_pending_ = false;
    in_realign_ = true;
    Rect r = client_rect();
    adjust_client_rect(r);
    try {
        align_controls(nullptr, r);
    } catch (...) {
        in_realign_ = false;
        throw;
    }
    in_realign_ = false;
}

void WinControl::adjust_client_rect(Rect&) const {}

void WinControl::align_controls(Control*, Rect& r) {
    std::vector<LayoutChild> kids;
    kids.reserve(controls_.size());
    for (Control* c : controls_) {
        LayoutChild k;
        k.align = c->align_;
        k.anchors = c->anchors_;
        k.visible = c->visible_;
        k.bounds = c->bounds_rect();
        k.anchor_right = c->anchor_right_;
        k.anchor_bottom = c->anchor_bottom_;
        k.constraints = c->constraints_.values;
        kids.push_back(k);
    }
    Rect client = client_rect();
    std::vector<Rect> placed = align_children(r, kids);
    // Anchors keep distances to the whole client area, aligned children share the adjusted one.
    std::vector<Rect> anchored = align_children(client, kids);
    for (std::size_t i = 0; i < controls_.size() && i < placed.size(); ++i) {
        Control* c = controls_[i];
        Rect n = c->align_ == TAlign::alNone ? anchored[i] : placed[i];
        if (n != c->bounds_rect()) c->set_bounds(n.left, n.top, n.width(), n.height());
    }
}

Rect WinControl::client_rect() const {
    if (handle_) {
        RECT r{};
        GetClientRect(handle_, &r);
        return from_rect(r);
    }
    return Control::client_rect();
}

void WinControl::set_bounds(int left, int top, int width, int height) {
    width = constraints().values.clamp_width(std::max(0, width));
    height = constraints().values.clamp_height(std::max(0, height));
    if (left == this->left() && top == this->top() && width == this->width() && height == this->height()) return;
    if (handle_ && !IsIconic(handle_)) {
        // The window reports the change back through WM_WINDOWPOSCHANGED.
        SetWindowPos(handle_, nullptr, left, top, width, window_height(height), SWP_NOZORDER | SWP_NOACTIVATE);
        if (this->left() != left || this->top() != top || this->width() != width || this->height() != height)
            Control::set_bounds(left, top, width, height);  // the system kept another size; keep ours
        return;
    }
    Control::set_bounds(left, top, width, height);
}

void WinControl::changed_bounds(bool size_changed) {
    Control::changed_bounds(size_changed);
    if (size_changed) realign();
}

std::string WinControl::text() const {
    if (!handle_) return Control::text_;
    int n = GetWindowTextLengthW(handle_);
    std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
    n = GetWindowTextW(handle_, w.data(), n + 1);
    w.resize(static_cast<std::size_t>(std::max(0, n)));
    return plat::wide_to_gbk(w);
}

void WinControl::set_text(const std::string& text) {
    if (handle_) {
        if (text == this->text()) return;
        Control::text_ = text;
        SetWindowTextW(handle_, plat::gbk_to_wide(text).c_str());
        text_changed();
        perform(CM_TEXTCHANGED);
        adjust_size();
        return;
    }
    Control::set_text(text);
}

void WinControl::set_visible(bool v) {
    if (v == visible()) return;
    if (handle_) ShowWindow(handle_, v ? SW_SHOWNA : SW_HIDE);
    Control::set_visible(v);
}

void WinControl::set_enabled(bool v) {
    if (v == enabled()) return;
    if (handle_) EnableWindow(handle_, v);
    Control::set_enabled(v);
}

void WinControl::invalidate() {
    // Off-screen painting draws the background itself: erasing first would only flicker.
    if (handle_) InvalidateRect(handle_, nullptr, !double_buffered_);
}

void WinControl::update() {
    if (handle_) UpdateWindow(handle_);
}

void WinControl::loaded() {
    Control::loaded();
    if (align_pending_) realign();
}

void WinControl::set_tab_stop(bool v) {
    tab_stop_ = v;
    if (handle_) {
        LONG_PTR s = GetWindowLongPtrW(handle_, GWL_STYLE);
        SetWindowLongPtrW(handle_, GWL_STYLE, v ? (s | WS_TABSTOP) : (s & ~static_cast<LONG_PTR>(WS_TABSTOP)));
    }
}

int WinControl::tab_order() const { return tab_order_; }

void WinControl::set_tab_order(int order) {
    if (!parent_ || loading()) {
        tab_order_ = order;
        return;
    }
    std::vector<WinControl*> list;
    parent_->get_tab_order_list_direct(list);
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
    for (std::size_t i = 0; i < list.size(); ++i) list[i]->tab_order_ = static_cast<int>(i);
}

void WinControl::get_tab_order_list_direct(std::vector<WinControl*>& list) const {
    for (Control* c : controls_)
        if (auto* w = dynamic_cast<WinControl*>(c)) list.push_back(w);
    std::stable_sort(list.begin(), list.end(), [](WinControl* a, WinControl* b) { return a->tab_order_ < b->tab_order_; });
}

void WinControl::get_tab_order_list(std::vector<WinControl*>& list) const {
    std::vector<WinControl*> direct;
    get_tab_order_list_direct(direct);
    for (WinControl* w : direct) {
        list.push_back(w);
        w->get_tab_order_list(list);
    }
}

bool WinControl::can_focus() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_) return false;
    return true;
}

bool WinControl::focused() const { return handle_ && GetFocus() == handle_; }

void WinControl::set_focus() {
    if (!can_focus()) throw std::logic_error("cannot focus a disabled or invisible window (" + name() + ")");
    SetFocus(handle());
}

WinControl* WinControl::find_next_control(WinControl* current, bool forward, bool check_tab_stop, bool check_parent) const {
    std::vector<WinControl*> list;
    get_tab_order_list(list);
    if (list.empty()) return nullptr;
    int n = static_cast<int>(list.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (list[static_cast<std::size_t>(i)] == current) start = i;
    if (start < 0) start = forward ? n - 1 : 0;
    for (int step = 1; step <= n; ++step) {
        int i = forward ? (start + step) % n : (start - step + n) % n;
        WinControl* w = list[static_cast<std::size_t>(i)];
        if (w == current) break;
        if ((!check_tab_stop || w->tab_stop_) && (!check_parent || w->parent_ == this) && w->can_focus() &&
            w->handle_allocated())
            return w;
    }
    return nullptr;
}

void WinControl::select_next(WinControl* current, bool forward, bool check_tab_stop) {
    if (WinControl* next = find_next_control(current, forward, check_tab_stop, false)) next->set_focus();
}

void WinControl::select_first() { select_next(nullptr, true, true); }

void WinControl::set_parent_background(bool v) {
    TControlStyle s = control_style();
    if (v) s.include(TControlStyleFlag::csParentBackground);
    else s.exclude(TControlStyleFlag::csParentBackground);
    set_control_style(s);
    invalidate();
}

HBRUSH WinControl::background_brush() {
    if (!gdi_->brush || gdi_->brush_color != color()) {
        gdi_->brush.reset(CreateSolidBrush(to_colorref(color())));
        gdi_->brush_color = color();
    }
    return gdi_->brush.get();
}

void WinControl::apply_font() {
    if (!handle_) return;
    GdiObject<HFONT> fresh = create_font(font());
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(fresh.get()), FALSE);
    gdi_->font = std::move(fresh);  // the old one is released only after the window let go of it
}

void WinControl::font_changed() {
    apply_font();
    Control::font_changed();
    notify_controls(CM_PARENTFONTCHANGED);
}

void WinControl::color_changed() {
    Control::color_changed();
    notify_controls(CM_PARENTCOLORCHANGED);
}

void WinControl::notify_controls(UINT msg, WPARAM wparam, LPARAM lparam) {
    for (Control* c : std::vector<Control*>(controls_))
        if (contains_control(c)) c->perform(msg, wparam, lparam);
}

bool WinControl::do_key_down(WORD& key, TShiftState shift) {
    if (on_key_down) on_key_down(this, key, shift);
    return key == 0;
}

bool WinControl::do_key_press(wchar_t& key) {
    if (on_key_press) on_key_press(this, key);
    return key == 0;
}

bool WinControl::do_key_up(WORD& key, TShiftState shift) {
    if (on_key_up) on_key_up(this, key, shift);
    return key == 0;
}

void WinControl::reflect(Message& m, HWND child) {
    WinControl* c = find_control(child);
    if (c && c != this) m.result = c->perform(CN_BASE + m.msg, m.wparam, m.lparam);
    else default_handler(m);
}

void WinControl::paint_window(HDC dc) { paint_controls(dc); }

void WinControl::set_double_buffered(bool v) {
    double_buffered_given_ = true;
    double_buffered_ = v;
    if (!v) paint_buffer_.reset();
}

bool WinControl::allocate_paint_buffer(Bitmap& buffer, int width, int height) {
    buffer.set_size(width, height);
    return !buffer.empty();
}

void WinControl::paint_message(HDC given) {
    std::exception_ptr failure;
    if (given) {
        failure = paint_area(given, to_rect(client_rect()));
    } else {
        PaintScope scope(handle_);
        failure = paint_area(scope.get(), scope.paint_rect());
    }
    paint_finished(failure);
}

std::exception_ptr WinControl::paint_area(HDC target, const RECT& area) {
    if (!double_buffered_) return paint_layers(target, false);
    HDC buffer = paint_buffer_dc();
    // Without the bitmap the window is painted directly, background first (nothing erased it).
    if (!buffer) return paint_layers(target, true);
    std::exception_ptr failure;
    {
        SavedDC saved(buffer);
        IntersectClipRect(buffer, area.left, area.top, area.right, area.bottom);
        failure = paint_layers(buffer, true);
    }
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer, area.left, area.top,
           SRCCOPY);
    return failure;
}

// A painter that fails leaves the background rather than half a picture.
std::exception_ptr WinControl::paint_layers(HDC dc, bool with_background) {
    try {
        SavedDC saved(dc);
        if (with_background) erase_background(dc);
        paint_window(dc);
        return nullptr;
    } catch (...) {
        std::exception_ptr failure = std::current_exception();
        try {
            erase_background(dc);
        } catch (...) {
            // The painter's failure is the one to report.
        }
        return failure;
    }
}

HDC WinControl::paint_buffer_dc() {
    RECT client{};
    GetClientRect(handle_, &client);
    if (client.right <= 0 || client.bottom <= 0) return nullptr;
    if (!paint_buffer_) paint_buffer_ = std::make_unique<Bitmap>();
    if (paint_buffer_->width() != client.right || paint_buffer_->height() != client.bottom) {
        if (!allocate_paint_buffer(*paint_buffer_, client.right, client.bottom)) {
            paint_buffer_.reset();
            return nullptr;
        }
    }
    return paint_buffer_->dc();
}

void WinControl::paint_finished(std::exception_ptr failure) {
    if (!failure) {
        paint_failing_ = false;
        return;
    }
    if (paint_failing_) return;
    paint_failing_ = true;
    application().report_paint_failure(class_name() + " " + name(), failure);
}

bool WinControl::erase_background(HDC dc) {
    RECT r{};
    GetClientRect(handle_, &r);
    FillRect(dc, &r, background_brush());
    return true;
}

void WinControl::paint_controls(HDC dc) {
    for (Control* c : controls_) {
        if (dynamic_cast<WinControl*>(c) || !c->visible_) continue;
        SavedDC saved(dc);
        POINT org{};
        GetViewportOrgEx(dc, &org);
        SetViewportOrgEx(dc, org.x + c->left_, org.y + c->top_, nullptr);
        IntersectClipRect(dc, 0, 0, c->width_, c->height_);
        c->perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    }
}

void WinControl::update_mouse_over(Control* c) {
    if (c == mouse_control_) return;
    if (mouse_control_ && mouse_control_ != this) mouse_control_->perform(CM_MOUSELEAVE);
    mouse_control_ = c;
    if (c && c != this) c->perform(CM_MOUSEENTER);
}

void WinControl::dispatch_mouse_to_graphic(Message& m) {
    POINT p{GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)};
    Control* target = capture_control_ ? capture_control_ : control_at_pos(p, false, true);
    if (m.msg == WM_MOUSEMOVE) update_mouse_over(target);
    if (!target) {
        Control::wnd_proc(m);
        return;
    }
    Message child{m.msg, m.wparam, MAKELPARAM(p.x - target->left_, p.y - target->top_), 0};
    if (m.msg == WM_LBUTTONDOWN || m.msg == WM_RBUTTONDOWN || m.msg == WM_MBUTTONDOWN) {
        capture_control_ = target;
        SetCapture(handle_);
    }
    target->window_proc(child);
    if (m.msg == WM_LBUTTONUP || m.msg == WM_RBUTTONUP || m.msg == WM_MBUTTONUP) {
        capture_control_ = nullptr;
        if (GetCapture() == handle_) ReleaseCapture();
    }
    m.result = 0;
}

void WinControl::wnd_proc(Message& m) {
    switch (m.msg) {
    case WM_COMMAND:
        if (m.lparam) {
            reflect(m, reinterpret_cast<HWND>(m.lparam));
            return;
        }
        if (HIWORD(m.wparam) == 0 && menu_command(LOWORD(m.wparam))) return;
        break;
    case WM_NOTIFY:
        if (!m.lparam) break;
        reflect(m, reinterpret_cast<NMHDR*>(m.lparam)->hwndFrom);
        return;
    case WM_DRAWITEM:
        if (!m.lparam) break;
        if (m.wparam) {
            reflect(m, reinterpret_cast<DRAWITEMSTRUCT*>(m.lparam)->hwndItem);
            return;
        }
        if (menu_draw_item(*reinterpret_cast<DRAWITEMSTRUCT*>(m.lparam))) {
            m.result = TRUE;
            return;
        }
        break;
    case WM_MEASUREITEM:
        if (m.wparam && m.lparam) {
            reflect(m, GetDlgItem(handle_, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(m.lparam)->CtlID)));
            return;
        }
        if (m.lparam && menu_measure_item(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.lparam))) {
            m.result = TRUE;
            return;
        }
        break;
    case WM_DELETEITEM:
        if (!m.lparam) break;
        reflect(m, reinterpret_cast<DELETEITEMSTRUCT*>(m.lparam)->hwndItem);
        return;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        reflect(m, reinterpret_cast<HWND>(m.lparam));
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (m.lparam) {
            reflect(m, reinterpret_cast<HWND>(m.lparam));
            return;
        }
        break;
    case CN_COMMAND: cn_command(HIWORD(m.wparam), m); return;
    case CN_NOTIFY:
        // The skin engine's own message of the same number carries no header.
        if (m.lparam == kSkinNotifyTag || m.lparam == 0) {
            default_handler(m);
            return;
        }
        cn_notify(*reinterpret_cast<NMHDR*>(m.lparam), m);
        return;
    case CN_HSCROLL:
    case CN_VSCROLL: cn_scroll(m); return;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(m.wparam);
        SetTextColor(dc, to_colorref(font().color()));
        SetBkColor(dc, to_colorref(color()));
        m.result = reinterpret_cast<LRESULT>(background_brush());
        return;
    }
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (is_system_class()) break;
        paint_message(reinterpret_cast<HDC>(m.wparam));
        m.result = 0;
        return;
    case WM_ERASEBKGND:
        if (is_system_class()) break;
        // Painting off-screen draws the background into the bitmap.
        m.result = double_buffered_ || erase_background(reinterpret_cast<HDC>(m.wparam)) ? 1 : 0;
        return;
    case WM_WINDOWPOSCHANGED: {
        default_handler(m);
        if (!handle_ || IsIconic(handle_)) return;
        RECT r{};
        GetWindowRect(handle_, &r);
        HWND p = GetParent(handle_);
        if (p && (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD)) MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
        Control::set_bounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        return;
    }
    case WM_SIZE:
        default_handler(m);
        realign();
        return;
    case WM_SETFOCUS:
        default_handler(m);
        focus_gained();
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(m.wparam);
        if (do_key_down(key, current_shift_state())) {
            m.result = 0;
            return;
        }
        m.wparam = key;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(m.wparam);
        if (do_key_up(key, current_shift_state())) {
            m.result = 0;
            return;
        }
        m.wparam = key;
        break;
    }
    case WM_CHAR: {
        wchar_t key = static_cast<wchar_t>(m.wparam);
        if (do_key_press(key)) {
            m.result = 0;
            return;
        }
        m.wparam = key;
        break;
    }
    case WM_CONTEXTMENU:
        if (popup_menu() && popup_menu()->auto_popup()) {
            POINT p{GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)};
            if (p.x == -1 && p.y == -1) p = client_to_screen(POINT{0, 0});
            popup_menu()->set_popup_component(this);
            popup_menu()->popup(p.x, p.y);
            m.result = 0;
            return;
        }
        break;
    case WM_CAPTURECHANGED:
        // A modal loop (a menu run inside a windowless child's press) took the mouse and ate the
        // release: the child no longer holds it.
        if (reinterpret_cast<HWND>(m.lparam) != handle_) capture_control_ = nullptr;
        break;
    case WM_MOUSELEAVE:
        tracking_leave_ = false;
        update_mouse_over(nullptr);
        perform(CM_MOUSELEAVE);
        default_handler(m);
        return;
    case WM_MOUSEMOVE:
        if (!tracking_leave_) {
            TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle_, 0};
            tracking_leave_ = TrackMouseEvent(&t) != FALSE;
            perform(CM_MOUSEENTER);
        }
        break;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        broadcast(m);
        return;
    case WM_MOUSEWHEEL:
        if (do_mouse_wheel(current_shift_state(), GET_WHEEL_DELTA_WPARAM(m.wparam), POINT{GET_X_LPARAM(m.lparam), GET_Y_LPARAM(m.lparam)})) {
            m.result = 0;
            return;
        }
        break;
    // System colours and the theme changed: every control below hears it, windowless ones too.
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        notify_controls(m.msg == WM_SYSCOLORCHANGE ? CM_SYSCOLORCHANGE : WM_THEMECHANGED);
        break;
    case CM_SYSCOLORCHANGE:
        notify_controls(CM_SYSCOLORCHANGE);
        break;
    default: break;
    }
    if (is_mouse_message(m.msg) && !is_system_class()) {
        dispatch_mouse_to_graphic(m);
        return;
    }
    Control::wnd_proc(m);
}

bool WinControl::menu_command(WORD) { return false; }
// Owner-drawn menu items of the program's menus go to their items.
bool WinControl::menu_draw_item(DRAWITEMSTRUCT& d) {
    if (d.CtlType != ODT_MENU) return false;
    MenuItem* item = MenuItem::from_menu_id(d.itemID);
    if (!item) return false;
    item->draw_item(d.hDC, d.rcItem, (d.itemState & ODS_SELECTED) != 0);
    return true;
}

bool WinControl::menu_measure_item(MEASUREITEMSTRUCT& mi) {
    if (mi.CtlType != ODT_MENU) return false;
    MenuItem* item = MenuItem::from_menu_id(mi.itemID);
    if (!item) return false;
    HDC dc = GetDC(handle_);
    int width = static_cast<int>(mi.itemWidth), height = static_cast<int>(mi.itemHeight);
    item->measure_item(dc, width, height);
    ReleaseDC(handle_, dc);
    mi.itemWidth = static_cast<UINT>(std::max(width, 0));
    mi.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

void WinControl::focus_gained() {
    if (Form* f = parent_form()) f->control_focused(this);
}

// ---------------------------------------------------------------------------------------------
// CustomControl

ClassInfo& CustomControl::static_class() {
    static ClassInfo info("TCustomControl", &WinControl::static_class());
    return info;
}

void CustomControl::paint_now() {
    if (!handle_allocated() || loading()) return;
    std::exception_ptr failure;
    {
        ClientDC dc(handle());
        failure = paint_area(dc.get(), to_rect(client_rect()));
    }
    paint_finished(failure);
}

void CustomControl::paint(Canvas&) {}

void CustomControl::paint_window(HDC dc) {
    {
        CanvasScope scope = canvas_on(dc);
        paint(scope.canvas());
    }
    paint_controls(dc);
}

} // namespace ui
