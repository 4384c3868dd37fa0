// A panel of controls that drops down under another control like a menu: the panel stays
// hidden; Popup moves its children into a borderless top-level window under the control, runs
// a local message loop until the popup is dismissed, and moves the children back.
#pragma once
#include <functional>

#include "controls/ec_panel.h"

namespace ec {

// Posted to the popup window to close it.
constexpr unsigned kClosePopupMessage = 0x2423;

class TEcCustomPopup : public TEcCustomPanel {
    UI_CLASS_IDENTITY()
public:
    explicit TEcCustomPopup(ui::Component* owner);
    void adjust_client_rect(ui::Rect& r) const override;

protected:
    void paint(ui::Canvas& canvas) override;
};

class TEcPopup;

class TEcPopupPanel : public TEcCustomPopup {
    UI_CLASS_IDENTITY()
public:
    explicit TEcPopupPanel(ui::Component* owner);
    ~TEcPopupPanel() override;

    // Shows the children under `control` and returns once the popup closed: true when closed by
    // ClosePopup, false when the user dismissed it or a popup is open already.
    bool popup(ui::Control* control) { return popup_at(control, -1, -1); }
    // ... at (x, y) from the control's top-left corner unless both are -1.
    bool popup_at(ui::Control* control, int x, int y);
    void close_popup();
    bool is_popped_up() const { return popup_ != nullptr; }
    // The popup window while it is shown.
    TEcPopup* popup_window() const { return popup_; }

    ui::NotifyEvent on_popup, on_close;

protected:
    void destroy_wnd() override;

private:
    void show_and_run(ui::Control* control, int x, int y);
    void run_loop();
    void move_children_back();

    TEcPopup* popup_ = nullptr;
    ui::Control* popup_control_ = nullptr;
};

class TEcPopup : public TEcCustomPopup {
    UI_CLASS_IDENTITY()
public:
    explicit TEcPopup(TEcPopupPanel* panel);

    TEcPopupPanel* panel() const { return panel_; }
    // The first windowed, enabled and visible child: keys go there.
    ui::WinControl* target() const { return target_; }
    void choose_target();
    bool open() const { return open_; }
    void set_open(bool v) { open_ = v; }
    void wnd_proc(ui::Message& m) override;

protected:
    void create_params(ui::CreateParams& p) override;

private:
    TEcPopupPanel* panel_;
    ui::WinControl* target_ = nullptr;
    bool open_ = false;
};

void register_popup_classes();

} // namespace ec
