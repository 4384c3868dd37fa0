// Top-level windows (forms, modal or not) and frames: windows whose components come from a
// stored description.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "platform/ui/win/control.h"
#include "platform/ui/shortcut.h"

namespace ui {

class MainMenu;

UI_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
UI_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = SetOf<TBorderIcon>;
UI_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
        poMainFormCenter, poOwnerFormCenter)
UI_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
UI_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)
UI_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
                       mrAll = 8;

using CloseEvent = std::function<void(Component* sender, TCloseAction& action)>;
using CloseQueryEvent = std::function<void(Component* sender, bool& can_close)>;

// Scrolling container base of forms and frames (the library's own window class).
class ScrollingWinControl : public WinControl {
    UI_CLASS_IDENTITY()
public:
    explicit ScrollingWinControl(Component* owner);
    bool adopt_child(Component* child) override;
};

class Frame : public ScrollingWinControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit Frame(Component* owner);
    // Reads the frame's components from its description text (UTF-8).
    void load_description(std::string_view text);
    // ... or from an RCDATA resource of the program named `resource`.
    void load_resource(const wchar_t* resource);
};

class Form : public ScrollingWinControl {
    UI_CLASS_IDENTITY()
    // The base class of the same name that descriptions and is-a tests know ("TCustom...").
    static ClassInfo& custom_class();
public:
    explicit Form(Component* owner);
    ~Form() override;

    void load_description(std::string_view text);
    void load_resource(const wchar_t* resource);

    void set_visible(bool v) override;
    // Shows the form and runs a loop until ModalResult is set; returns it.
    TModalResult show_modal();
    bool modal() const { return modal_; }
    TModalResult modal_result() const { return modal_result_; }
    void set_modal_result(TModalResult r) { modal_result_ = r; }
    void close();
    // Frees the form once the message that is being handled is done.
    void release();
    // Fires OnDestroy and frees the form now.
    void free();
    bool close_query();

    TFormBorderStyle border_style() const { return border_style_; }
    void set_border_style(TFormBorderStyle s);
    TBorderIcons border_icons() const { return border_icons_; }
    void set_border_icons(TBorderIcons i) { border_icons_ = i; }
    TPosition position() const { return position_; }
    void set_position(TPosition p) { position_ = p; }
    TWindowState window_state() const;
    void set_window_state(TWindowState s);
    TFormStyle form_style() const { return form_style_; }
    void set_form_style(TFormStyle s) { form_style_ = s; }
    bool key_preview() const { return key_preview_; }
    void set_key_preview(bool v) { key_preview_ = v; }

    WinControl* active_control() const { return active_control_; }
    void set_active_control(WinControl* c);
    MainMenu* menu() const { return menu_; }
    void set_menu(MainMenu* m);
    bool active() const { return active_; }

    Rect client_rect() const override;
    // A stored client size is the area below the menu bar: while loading, the menu comes later,
    // so the size is taken again once the description is read.
    void set_client_width(int v) override;
    void set_client_height(int v) override;
    // Runs a menu item of the form's main menu by its shortcut; true when one ran.
    bool is_shortcut(TShortCut shortcut);
    // Told by a control of this form that it took the focus.
    void control_focused(WinControl* control);
    // Handlers for messages of the window's own (WM_USER and registered messages, for instance).
    void on_message(UINT msg, WndMethod handler) { message_handlers_.emplace_back(msg, std::move(handler)); }

    void wnd_proc(Message& m) override;

    NotifyEvent on_create, on_show, on_hide, on_destroy, on_activate, on_deactivate;
    CloseEvent on_close;
    CloseQueryEvent on_close_query;

protected:
    void create_params(CreateParams& p) override;
    void notification(Component* c, TOperation op) override;
    void initialize_window() override;
    void loaded() override;

private:
    void apply_position();
    void do_dialog_key(Message& m);
    bool menu_command(WORD id) override;

    TFormBorderStyle border_style_ = TFormBorderStyle::bsSizeable;
    TBorderIcons border_icons_{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
    TPosition position_ = TPosition::poDesigned;
    TWindowState window_state_ = TWindowState::wsNormal;
    TFormStyle form_style_ = TFormStyle::fsNormal;
    bool key_preview_ = false;
    bool modal_ = false;
    bool positioned_ = false;
    bool active_ = false;
    bool destroy_fired_ = false;
    TModalResult modal_result_ = mrNone;
    WinControl* active_control_ = nullptr;
    MainMenu* menu_ = nullptr;
    int stored_client_width_ = -1, stored_client_height_ = -1;  // read while loading
    std::vector<std::pair<UINT, WndMethod>> message_handlers_;
};

// The text of an RCDATA resource of the running program (empty when missing).
std::string load_resource_text(const wchar_t* name);

} // namespace ui
