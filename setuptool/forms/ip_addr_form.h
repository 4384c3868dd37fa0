// The address dialog: the device login with its default, and the new address, mask and
// gateway. Created once and shown modally again and again.
#pragma once
#include "platform/ui/win/forms.h"
#include "platform/ui/win/std_controls.h"
#include "setuptool/address_dialog_model.h"
#include "setuptool/forms/user_messages.h"

namespace kesto {

class IPAddrForm : public ui::Form {
public:
    explicit IPAddrForm(UserMessages& messages);

    // Fills the three address edits before the dialog is shown.
    void set_addresses(const AddressDialogModel& addresses);
    // The edits' texts as they stand.
    AddressDialogModel values() const;

private:
    void form_show(ui::Component* sender);
    void check_default_pass_click(ui::Component* sender);
    void edit_ip_addr_key_press(ui::Component* sender, wchar_t& key);
    void btn_ok_click(ui::Component* sender);
    void show_login();

    template <class T> T* part(const char* name);

    UserMessages& messages_;
    AddressDialogModel model_;
    ui::CheckBox* check_default_pass_;
    ui::Edit* edit_user_name_;
    ui::Edit* edit_password_;
    ui::Edit* edit_ip_addr_;
    ui::Edit* edit_net_mask_;
    ui::Edit* edit_dft_gw_;
};

} // namespace kesto
