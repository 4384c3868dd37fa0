// The setup tool's main window: the device list, the status bar and the menu commands, with
// the receiver thread's replies handed over to the window thread by a sent window message.
#pragma once
#include <windows.h>

#include <atomic>
#include <optional>

#include "platform/ui/win/comctl_controls.h"
#include "platform/ui/win/forms.h"
#include "platform/ui/win/list_view.h"
#include "setuptool/forms/ip_addr_form.h"
#include "setuptool/forms/user_messages.h"
#include "setuptool/kesto_session.h"

namespace kesto {

// The main window's stored description among the program's resources.
inline constexpr const wchar_t* kMainFormDescription = L"KESTOMAINFORM";

class MainForm : public ui::Form, private ReplySink {
public:
    // `description` names the RCDATA resource the window is read from.
    MainForm(IPAddrForm& dialog, const SessionOptions& options, WebPageOpener& web, UserMessages& messages,
             const wchar_t* description = kMainFormDescription);
    ~MainForm() override;

    MainWindowModel& model() { return session_.model(); }
    ui::ListView& device_list() { return *lv_dev_; }
    ui::StatusBar& status_bar() { return *status_bar_; }

private:
    void form_show(ui::Component* sender);
    void form_close(ui::Component* sender, ui::TCloseAction& action);
    void node_refresh_click(ui::Component* sender);
    void node_exit_click(ui::Component* sender);
    void node_ip_address_click(ui::Component* sender);
    void node_device_settings_click(ui::Component* sender);

    // Receiver thread: each call returns once the window thread has dealt with the reply.
    void device_found(const DeviceRow& row) override;
    void set_result(int code) override;
    void hand_over(WPARAM kind, const void* payload);
    void take_reply(ui::Message& m);

    void add_device(const DeviceRow& row);
    void show_set_result(int code);
    void update_device_count();
    std::optional<std::size_t> selected_row() const;
    void stop_receiver();

    IPAddrForm& dialog_;
    UserMessages& messages_;
    KestoSession session_;
    std::atomic<HWND> window_{nullptr};
    ui::ListView* lv_dev_;
    ui::StatusBar* status_bar_;
};

} // namespace kesto
