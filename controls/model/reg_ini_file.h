// Where a control keeps settings between runs: an ini file or a registry key. Only the
// settings themselves live here; a change marks the store to be reopened on next use.
#pragma once
#include <string>

#include "platform/ui/component.h"

namespace ec {

UI_ENUM(TEcPathType, ptIniFile, ptRegistry)
UI_ENUM(TEcRegKey, hkeyClassesRoot, hkeyCurrentUser, hkeyLocalMachine, hkeyUsers, hkeyPerformanceData,
        hkeyCurrentConfig, hkeyDynData)
UI_ENUM(TEcRegAccessKey, keyQueryValue, keySetValue, keyCreateSubKey, keyEnumerateSubKeys, keyNotify, keyCreateLink,
        keyRead, keyWrite, keyExecute, keyAllAccess)
using TEcRegAccess = ui::SetOf<TEcRegAccessKey>;
UI_ENUM(TEcSpecialFolder, sfNone, sfUserAppDataRoaming, sfUserAppDataLocal, sfUserDocuments, sfProgramData)

class RegIniFile : public ui::Component {
    UI_CLASS_IDENTITY()
public:
    explicit RegIniFile(ui::Component* owner) : Component(owner) {}

    const std::string& path() const { return path_; }
    void set_path(const std::string& v) { change(path_, v); }
    TEcPathType path_type() const { return path_type_; }
    void set_path_type(TEcPathType v) { change(path_type_, v); }
    TEcRegKey reg_key() const { return reg_key_; }
    void set_reg_key(TEcRegKey v) { change(reg_key_, v); }
    TEcRegAccess reg_access() const { return reg_access_; }
    void set_reg_access(TEcRegAccess v) { change(reg_access_, v); }
    TEcSpecialFolder special_folder() const { return special_folder_; }
    void set_special_folder(TEcSpecialFolder v) { change(special_folder_, v); }

    bool reopen_needed() const { return reopen_needed_; }

private:
    template <class T>
    void change(T& field, const T& value) {
        if (field == value) return;
        field = value;
        reopen_needed_ = true;
    }

    std::string path_;
    TEcPathType path_type_ = TEcPathType::ptIniFile;
    TEcRegKey reg_key_ = TEcRegKey::hkeyCurrentUser;
    TEcRegAccess reg_access_{TEcRegAccessKey::keyAllAccess};
    TEcSpecialFolder special_folder_ = TEcSpecialFolder::sfNone;
    bool reopen_needed_ = true;
};

} // namespace ec
