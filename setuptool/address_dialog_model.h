// The address dialog without its window: the login edits and their default, the key filter of
// the address edits and the checks before it closes with OK. Texts are GBK.
#pragma once
#include <string>

#include "setuptool/set_address_command.h"

namespace kesto {

class AddressDialogModel {
public:
    // Every showing starts with the default login ticked.
    void show();
    void set_default_login(bool ticked);
    bool default_login() const { return default_login_; }
    bool login_editable() const { return !default_login_; }

    // Only digits, '.' and backspace reach the address edits.
    static bool accepts_address_key(unsigned key);

    // The message that keeps the dialog open, or "" when it may close with OK.
    std::string check_before_ok() const;

    // What the main window sends once the dialog closed with OK.
    SetAddressInput input_for(const std::string& mac_decimal) const;

    std::string user_name;
    std::string password;
    std::string ip;
    std::string mask;
    std::string gateway;

private:
    bool default_login_ = true;
};

} // namespace kesto
