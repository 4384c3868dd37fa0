// Controls: the windowless base (geometry, look, input, painting by the parent) and windowed
// controls with their handle life cycle, message dispatch, reflection, alignment and focus.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/align_layout.h"
#include "platform/ui/component.h"
#include "platform/ui/font.h"
#include "platform/ui/messages.h"

namespace ui {

class WinControl;
class Action;
class Bitmap;
class Canvas;
class CanvasScope;
class PopupMenu;
class Form;

struct Message {
    UINT msg = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
    LRESULT result = 0;
};
using WndMethod = std::function<void(Message&)>;

// The entry of a control's messages: the control's own method at the bottom and filters
// stacked above it. Each filter is added with a name and removed by its token, in any order,
// even while a message is passing through it; a removed filter is skipped from then on.
class MessageChain {
public:
    using Next = std::function<void(Message&)>;
    using Filter = std::function<void(Message& m, const Next& next)>;
    using Token = unsigned long long;

    explicit MessageChain(WndMethod base) : base_(std::move(base)) {}
    MessageChain(const MessageChain&) = delete;
    MessageChain& operator=(const MessageChain&) = delete;

    void operator()(Message& m) const;
    explicit operator bool() const { return static_cast<bool>(base_); }
    // The new filter sees every message first; `next` passes it on down the chain.
    Token add(std::string name, Filter filter);
    // Unknown or already removed tokens do nothing.
    void remove(Token token);
    // The names of the filters, the first to see a message first.
    std::vector<std::string> names() const;

private:
    struct Entry {
        Token token;
        std::string name;
        Filter filter;
        bool removed = false;
    };
    using Entries = std::vector<std::shared_ptr<Entry>>;
    static void pass(const Entries& entries, std::size_t index, const WndMethod& base, Message& m);
    WndMethod base_;
    Entries entries_;  // the top first
    Token next_token_ = 1;
};

UI_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle)
UI_ENUM(TShiftStateFlag, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
using TShiftState = SetOf<TShiftStateFlag>;
UI_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)
UI_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
UI_ENUM(TControlStyleFlag, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption,
        csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
        csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint, csParentBackground)
using TControlStyle = SetOf<TControlStyleFlag>;
UI_ENUM(TBorderStyle, bsNone, bsSingle)

using MouseEvent = std::function<void(Component* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Component* sender, TShiftState shift, int x, int y)>;
// The wheel: the delta in WHEEL_DELTA units per notch, the mouse in screen coordinates; a
// handler that sets `handled` keeps the message from the next handler and the parent.
using MouseWheelEvent = std::function<void(Component* sender, TShiftState shift, int wheel_delta, POINT mouse_pos, bool& handled)>;
using MouseWheelUpDownEvent = std::function<void(Component* sender, TShiftState shift, POINT mouse_pos, bool& handled)>;

// Lines one wheel notch scrolls (the system setting); WHEEL_PAGESCROLL means a page.
unsigned wheel_scroll_lines();
using KeyEvent = std::function<void(Component* sender, WORD& key, TShiftState shift)>;
using KeyPressEvent = std::function<void(Component* sender, wchar_t& key)>;

// The shift state of a mouse or key message, and of the keyboard right now.
TShiftState shift_state_of_keys(WPARAM mouse_keys);
TShiftState current_shift_state();

class SizeConstraintsObject : public Persistent {
    UI_CLASS_IDENTITY()
public:
    SizeConstraints values;
    std::function<void()> on_change;
};

class Control : public Component {
    UI_CLASS_IDENTITY()
public:
    explicit Control(Component* owner);
    ~Control() override;

    // Geometry, in the parent's client coordinates (the screen for top-level windows).
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void set_left(int v) { set_bounds(v, top_, width_, height_); }
    void set_top(int v) { set_bounds(left_, v, width_, height_); }
    void set_width(int v) { set_bounds(left_, top_, v, height_); }
    void set_height(int v) { set_bounds(left_, top_, width_, v); }
    virtual void set_bounds(int left, int top, int width, int height);
    Rect bounds_rect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual Rect client_rect() const { return {0, 0, width_, height_}; }
    int client_width() const { return client_rect().width(); }
    int client_height() const { return client_rect().height(); }
    virtual void set_client_width(int v) { set_width(width_ - client_width() + v); }
    virtual void set_client_height(int v) { set_height(height_ - client_height() + v); }
    POINT client_to_screen(POINT p) const;
    POINT screen_to_client(POINT p) const;

    WinControl* parent() const { return parent_; }
    virtual void set_parent(WinControl* parent);
    Form* parent_form() const;

    TAlign align() const { return align_; }
    void set_align(TAlign align);
    TAnchors anchors() const { return anchors_; }
    void set_anchors(TAnchors anchors);
    SizeConstraintsObject& constraints() { return constraints_; }
    bool auto_size() const { return auto_size_; }
    virtual void set_auto_size(bool v);

    bool visible() const { return visible_; }
    virtual void set_visible(bool v);
    void show() { set_visible(true); }
    void hide() { set_visible(false); }
    // Visible here and in every parent.
    bool showing() const;
    bool enabled() const { return enabled_; }
    virtual void set_enabled(bool v);

    // Caption and text are the same value (GBK); windowed controls keep it in their window.
    virtual std::string text() const { return text_; }
    virtual void set_text(const std::string& text);
    std::string caption() const { return text(); }
    void set_caption(const std::string& text) { set_text(text); }

    TColor color() const { return color_; }
    void set_color(TColor c);
    bool parent_color() const { return parent_color_; }
    void set_parent_color(bool v);
    Font& font() { return font_; }
    const Font& font() const { return font_; }
    bool parent_font() const { return parent_font_; }
    void set_parent_font(bool v);
    const std::string& hint() const { return hint_; }
    void set_hint(const std::string& h) { hint_ = h; }
    bool show_hint() const { return show_hint_; }
    void set_show_hint(bool v) { show_hint_ = v; }
    PopupMenu* popup_menu() const { return popup_menu_; }
    void set_popup_menu(PopupMenu* menu);
    int cursor() const { return cursor_; }
    void set_cursor(int c) { cursor_ = c; }
    TBiDiMode bidi_mode() const { return bidi_mode_; }
    void set_bidi_mode(TBiDiMode m) { bidi_mode_ = m; }
    bool use_right_to_left_reading() const { return bidi_mode_ != TBiDiMode::bdLeftToRight; }
    TControlStyle control_style() const { return control_style_; }
    void set_control_style(TControlStyle s) { control_style_ = s; }

    // The action whose caption, state and handler the control takes over.
    Action* action() const { return action_; }
    void set_action(Action* action);

    virtual void invalidate();
    void repaint();
    void refresh() { repaint(); }
    virtual void update();
    void bring_to_front();

    // Synchronous dispatch through WindowProc, with or without a window.
    LRESULT perform(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);
    // The entry point of every message: wnd_proc under the filters added to it.
    MessageChain window_proc;
    virtual void wnd_proc(Message& m);
    virtual void default_handler(Message& m);

    virtual void click();
    virtual void dbl_click();
    virtual void mouse_down(TMouseButton button, TShiftState shift, int x, int y);
    virtual void mouse_move(TShiftState shift, int x, int y);
    virtual void mouse_up(TMouseButton button, TShiftState shift, int x, int y);
    bool mouse_in_control() const { return mouse_inside_; }
    // The wheel turned over the control: OnMouseWheel first, then OnMouseWheelDown or Up.
    // True when handled; otherwise the parent window gets the message.
    virtual bool do_mouse_wheel(TShiftState shift, int wheel_delta, POINT mouse_pos);
    virtual bool do_mouse_wheel_down(TShiftState shift, POINT mouse_pos);
    virtual bool do_mouse_wheel_up(TShiftState shift, POINT mouse_pos);

    // Windowless controls paint here with the parent's DC, origin at their top-left corner.
    virtual void paint_to(HDC dc);

    NotifyEvent on_click, on_dbl_click, on_resize, on_mouse_enter, on_mouse_leave;
    MouseEvent on_mouse_down, on_mouse_up;
    MouseMoveEvent on_mouse_move;
    MouseWheelEvent on_mouse_wheel;
    MouseWheelUpDownEvent on_mouse_wheel_down, on_mouse_wheel_up;

    // The library's window property, through which the control of any window is found.
    static std::wstring window_property_name();

protected:
    virtual void changed_bounds(bool size_changed);
    virtual void font_changed();
    virtual void color_changed();
    virtual void text_changed() {}
    // Takes the action's caption, enabled and visible state and hint; controls with a check
    // take its Checked too.
    virtual void action_change(Action& action);
    // Size a control would take to fit its content; AutoSize calls it.
    virtual bool can_auto_size(int& /*width*/, int& /*height*/) { return false; }
    // Whether AutoSize keeps the right edge where it is (right-justified text grows to the left).
    virtual bool auto_size_keeps_right() const { return false; }
    void adjust_size();
    void notification(Component* c, TOperation op) override;
    void loaded() override;
    // A parent's font or colour changed; controls that follow it take it. Reached through
    // CM_PARENTFONTCHANGED and CM_PARENTCOLORCHANGED, which controls may handle first.
    void parent_font_changed();
    void parent_color_changed();
    // The control's canvas on `dc` for one paint, with its font and colour; the pens, brushes
    // and fonts made on earlier paints are used again.
    CanvasScope canvas_on(HDC dc);
    bool in_realign_ = false;

private:
    friend class WinControl;
    WinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    int anchor_right_ = 0, anchor_bottom_ = 0;
    TAlign align_ = TAlign::alNone;
    TAnchors anchors_{TAnchorKind::akLeft, TAnchorKind::akTop};
    SizeConstraintsObject constraints_;
    bool auto_size_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    TColor color_ = clBtnFace;
    bool parent_color_ = false;
    Font font_;
    bool parent_font_ = true;
    std::string hint_;
    bool show_hint_ = false;
    PopupMenu* popup_menu_ = nullptr;
    int cursor_ = 0;
    TBiDiMode bidi_mode_ = TBiDiMode::bdLeftToRight;
    TControlStyle control_style_{TControlStyleFlag::csCaptureMouse, TControlStyleFlag::csClickEvents,
                                 TControlStyleFlag::csSetCaption, TControlStyleFlag::csDoubleClicks};
    bool mouse_inside_ = false;
    bool pressed_ = false;  // the left button went down inside: its release is a click
    std::unique_ptr<Canvas> canvas_;
    Action* action_ = nullptr;
    struct Link;
    std::unique_ptr<Link> action_link_;
    void record_anchor_margins();
    // Sends CM_SHOWINGCHANGED (wParam: showing now) to the control and to every child whose
    // showing state follows it.
    void showing_changed();
};

// A windowless control painted by its parent.
class GraphicControl : public Control {
    UI_CLASS_IDENTITY()
public:
    explicit GraphicControl(Component* owner) : Control(owner) {}
    void paint_to(HDC dc) override;
    // The parent paints the control by sending it WM_PAINT with its DC in wParam (origin at the
    // control, clipped to it), so a filter on window_proc sees the paint and may draw instead.
    void wnd_proc(Message& m) override;

protected:
    // Draws on `canvas` (origin at the control, clipped to it); the canvas starts each paint with
    // the control's font and colour and a default pen.
    virtual void paint(Canvas& canvas);
};

struct CreateParams {
    std::wstring caption;
    DWORD style = 0;
    DWORD ex_style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    // The system class this control superclasses ("BUTTON"); empty for the library's own
    // windows, which default to DefWindowProc.
    std::wstring system_class;
    UINT class_style = CS_DBLCLKS;
};

class WinControl : public Control {
    UI_CLASS_IDENTITY()
public:
    explicit WinControl(Component* owner);
    ~WinControl() override;

    // The window, created on first use with its whole subtree.
    HWND handle();
    bool handle_allocated() const { return handle_ != nullptr; }
    void handle_needed();
    void destroy_handle();
    // Destroys and re-creates the window keeping the control's state; sends CM_RECREATEWND.
    void recreate_wnd();
    // Another process or the skin may create the parent window: children may live on a raw handle.
    HWND parent_window() const { return parent_window_; }
    void set_parent_window(HWND w);

    const std::vector<Control*>& controls() const { return controls_; }
    std::vector<Component*> children() const override { return {controls_.begin(), controls_.end()}; }
    int control_count() const { return static_cast<int>(controls_.size()); }
    Control* control(int index) const { return controls_.at(static_cast<std::size_t>(index)); }
    void insert_control(Control* c);
    void remove_control(Control* c);
    bool contains_control(const Control* c) const;
    // The top-most visible child at a client point (windowless ones first when `graphic_only`).
    Control* control_at_pos(POINT p, bool allow_disabled, bool graphic_only = false) const;
    void broadcast(Message& m);
    // Sends a message to every child control, windowless ones too.
    void notify_controls(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);

    void disable_align() { ++align_disabled_; }
    void enable_align();
    void realign();
    virtual void adjust_client_rect(Rect& r) const;
    virtual void align_controls(Control* changed, Rect& r);

    Rect client_rect() const override;
    void set_bounds(int left, int top, int width, int height) override;
    std::string text() const override;
    void set_text(const std::string& text) override;
    void set_visible(bool v) override;
    void set_enabled(bool v) override;
    void invalidate() override;
    void update() override;

    bool tab_stop() const { return tab_stop_; }
    void set_tab_stop(bool v);
    // Position in the parent's tab order (the order of windowed siblings).
    int tab_order() const;
    void set_tab_order(int order);
    void get_tab_order_list(std::vector<WinControl*>& list) const;
    virtual bool can_focus() const;
    virtual bool focused() const;
    virtual void set_focus();
    // Moves the focus to the next (or previous) focusable control after `current` inside this one.
    WinControl* find_next_control(WinControl* current, bool forward, bool check_tab_stop, bool check_parent) const;
    void select_next(WinControl* current, bool forward, bool check_tab_stop);
    void select_first();

    bool ctl3d() const { return ctl3d_; }
    void set_ctl3d(bool v) { ctl3d_ = v; }
    // Paints through a bitmap kept for the window and copies it to the screen once, so that
    // custom-drawn windows do not flicker.
    bool double_buffered() const { return double_buffered_; }
    void set_double_buffered(bool v);
    bool parent_background() const { return control_style().has(TControlStyleFlag::csParentBackground); }
    void set_parent_background(bool v);

    // The brush a parent hands out for WM_CTLCOLOR*: this control's colour.
    HBRUSH background_brush();

    void wnd_proc(Message& m) override;
    void default_handler(Message& m) override;
    // Paints the windowless children into `dc` (the window's client DC).
    void paint_controls(HDC dc);

    NotifyEvent on_enter, on_exit;
    KeyEvent on_key_down, on_key_up;
    KeyPressEvent on_key_press;

    // The control of a window made by this library in this program and thread, or nullptr.
    static WinControl* find_control(HWND window);

protected:
    virtual void create_params(CreateParams& params);
    // Makes the window and then the windows of the children; create_wnd is the window itself.
    virtual void create_handle();
    virtual void create_wnd();
    // Called after the window exists: push the control's state (items, ranges...) into it.
    virtual void initialize_window() {}
    // Called before the window goes away on re-creation: save state kept only in the window.
    virtual void save_window_state() {}
    virtual void destroy_wnd();
    void font_changed() override;
    void color_changed() override;
    void changed_bounds(bool size_changed) override;
    void loaded() override;

    // Reflected notifications from the parent: CN_COMMAND (HIWORD code), CN_NOTIFY (header).
    virtual void cn_command(WORD /*code*/, Message& /*m*/) {}
    virtual void cn_notify(NMHDR& /*header*/, Message& /*m*/) {}
    virtual void cn_scroll(Message& m) { default_handler(m); }
    // Keys: return true when handled (the key goes no further).
    virtual bool do_key_down(WORD& key, TShiftState shift);
    virtual bool do_key_press(wchar_t& key);
    virtual bool do_key_up(WORD& key, TShiftState shift);
    // Paints a library-class window; the default fills with the colour and paints windowless children.
    virtual void paint_window(HDC dc);
    virtual bool erase_background(HDC dc);
    // Custom-drawn classes that repaint often say so; on a form they then paint off-screen
    // unless their DoubleBuffered was set.
    virtual bool wants_off_screen_painting() const { return false; }
    // Makes the off-screen bitmap `width` x `height`; false when the system has no room for it
    // (the window is then painted directly).
    virtual bool allocate_paint_buffer(Bitmap& buffer, int width, int height);
    // Paints `area` of the client onto `target`, off-screen when double-buffered. A painter's
    // failure is returned, to be given to paint_finished once `target` is let go of.
    std::exception_ptr paint_area(HDC target, const RECT& area);
    // Reports the first failure of a run of failing paints; a good paint ends the run.
    void paint_finished(std::exception_ptr failure);
    // The height the window itself takes for a control of `height` (a drop-down combo box's
    // window includes its list).
    virtual int window_height(int height) const { return height; }
    bool is_system_class() const { return !system_class_.empty(); }
    // A menu command (WM_COMMAND from a menu) or an owner-drawn menu item; true when handled.
    virtual bool menu_command(WORD id);
    virtual bool menu_draw_item(DRAWITEMSTRUCT& item);
    virtual bool menu_measure_item(MEASUREITEMSTRUCT& item);


private:
    friend class Control;
    static LRESULT CALLBACK main_wnd_proc(HWND, UINT, WPARAM, LPARAM);
    void dispatch_mouse_to_graphic(Message& m);
    void update_mouse_over(Control* c);
    void reflect(Message& m, HWND child);
    void paint_message(HDC given);
    std::exception_ptr paint_layers(HDC dc, bool with_background);
    HDC paint_buffer_dc();
    void apply_font();
    void focus_gained();
    void get_tab_order_list_direct(std::vector<WinControl*>& list) const;
    static WNDPROC base_proc_of_name(const std::wstring& class_name);

    HWND handle_ = nullptr;
    HWND parent_window_ = nullptr;
    WNDPROC default_proc_ = nullptr;
    std::wstring system_class_;
    std::vector<Control*> controls_;
    int align_disabled_ = 0;
    bool align_pending_ = false;
    bool tab_stop_ = false;
    int tab_order_ = -1;
    bool ctl3d_ = true;
    bool double_buffered_ = false;
    bool double_buffered_given_ = false;  // set by the program or a description, not by the form
    std::unique_ptr<Bitmap> paint_buffer_;
    bool paint_failing_ = false;
    bool tracking_leave_ = false;
    bool destroying_handle_ = false;
    Control* mouse_control_ = nullptr;    // the windowless child under the mouse
    Control* capture_control_ = nullptr;  // the windowless child holding the mouse
    struct GdiHolder;
    std::unique_ptr<GdiHolder> gdi_;
};

// A windowed control that paints itself on a canvas.
class CustomControl : public WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit CustomControl(Component* owner) : WinControl(owner) {}
    // Safe before a window exists and while loading: it then does nothing.
    void paint_now();

protected:
    virtual void paint(Canvas& canvas);
    void paint_window(HDC dc) override;
};

// Registers the creatable classes of this layer for window descriptions.
void register_control_classes();

} // namespace ui
