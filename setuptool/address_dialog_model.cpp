#include "setuptool/address_dialog_model.h"

#include "setuptool/kesto_texts.h"
#include "setuptool/text_parts.h"

namespace kesto {

void AddressDialogModel::show() { set_default_login(true); }

void AddressDialogModel::set_default_login(bool ticked) {
    default_login_ = ticked;
    if (ticked) {
        user_name = text::kDefaultLogin;
        password = text::kDefaultLogin;
    }
}

bool AddressDialogModel::accepts_address_key(unsigned key) {
    constexpr unsigned kBackspace = 8;
    return (key >= '0' && key <= '9') || key == '.' || key == kBackspace;
}

std::string AddressDialogModel::check_before_ok() const {
    if (trim_text(ip).empty()) return text::kEnterIpAddress;
    if (trim_text(mask).empty()) return text::kEnterSubnetMask;
    return {};
}

SetAddressInput AddressDialogModel::input_for(const std::string& mac_decimal) const {
    return {user_name, password, ip, mask, gateway, mac_decimal};
}

} // namespace kesto
