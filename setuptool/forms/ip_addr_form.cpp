#include "setuptool/forms/ip_addr_form.h"

#include <stdexcept>
#include <string>

namespace kesto {

template <class T> T* IPAddrForm::part(const char* name) {
    auto* control = dynamic_cast<T*>(find_component(name));
    if (!control) throw std::logic_error(std::string("address dialog description lacks ") + name);
    return control;
}

IPAddrForm::IPAddrForm(UserMessages& messages) : ui::Form(nullptr), messages_(messages) {
    register_method("FormShow", this, &IPAddrForm::form_show);
    register_method("checkDefaultPassClick", this, &IPAddrForm::check_default_pass_click);
    register_method("editIPAddrKeyPress", this, &IPAddrForm::edit_ip_addr_key_press);
    register_method("btnOKClick", this, &IPAddrForm::btn_ok_click);
    load_resource(L"KESTOIPADDRFORM");
    check_default_pass_ = part<ui::CheckBox>("checkDefaultPass");
    edit_user_name_ = part<ui::Edit>("editUserName");
    edit_password_ = part<ui::Edit>("editPassword");
    edit_ip_addr_ = part<ui::Edit>("editIPAddr");
    edit_net_mask_ = part<ui::Edit>("editNetMask");
    edit_dft_gw_ = part<ui::Edit>("editDftGW");
}

void IPAddrForm::set_addresses(const AddressDialogModel& addresses) {
    edit_ip_addr_->set_text(addresses.ip);
    edit_net_mask_->set_text(addresses.mask);
    edit_dft_gw_->set_text(addresses.gateway);
}

AddressDialogModel IPAddrForm::values() const {
    AddressDialogModel v = model_;
    v.user_name = edit_user_name_->text();
    v.password = edit_password_->text();
    v.ip = edit_ip_addr_->text();
    v.mask = edit_net_mask_->text();
    v.gateway = edit_dft_gw_->text();
    return v;
}

void IPAddrForm::show_login() {
    edit_user_name_->set_text(model_.user_name);
    edit_password_->set_text(model_.password);
    edit_user_name_->set_enabled(model_.login_editable());
    edit_password_->set_enabled(model_.login_editable());
}

void IPAddrForm::form_show(ui::Component*) {
    model_.show();
    // Ticking an already ticked box fires no click: the login is applied here either way.
    check_default_pass_->set_checked(true);
    show_login();
}

void IPAddrForm::check_default_pass_click(ui::Component*) {
    model_.user_name = edit_user_name_->text();
    model_.password = edit_password_->text();
    model_.set_default_login(check_default_pass_->checked());
    show_login();
}

void IPAddrForm::edit_ip_addr_key_press(ui::Component*, wchar_t& key) {
    if (!AddressDialogModel::accepts_address_key(static_cast<unsigned>(key))) key = 0;
}

void IPAddrForm::btn_ok_click(ui::Component*) {
    std::string refusal = values().check_before_ok();
    if (refusal.empty()) return;
    messages_.show(refusal);
    set_modal_result(ui::mrNone);
}

} // namespace kesto
