#include "controls/model/reg_ini_file.h"

namespace ec {

ui::ClassInfo& RegIniFile::static_class() {
    static ui::ClassInfo info = [] {
        ui::ClassInfo c("TEcRegIniFile", &Component::static_class());
        c.factory = ui::factory_of<RegIniFile>();
        ui::PropBuilder<RegIniFile>(c)
            .string("Path", &RegIniFile::path, &RegIniFile::set_path)
            .enumeration("PathType", &RegIniFile::path_type, &RegIniFile::set_path_type, TEcPathType::ptIniFile)
            .enumeration("RegKey", &RegIniFile::reg_key, &RegIniFile::set_reg_key, TEcRegKey::hkeyCurrentUser)
            .set("RegAccess", "TEcRegAccess", &RegIniFile::reg_access, &RegIniFile::set_reg_access,
                 TEcRegAccess{TEcRegAccessKey::keyAllAccess})
            .enumeration("SpecialFolder", &RegIniFile::special_folder, &RegIniFile::set_special_folder,
                         TEcSpecialFolder::sfNone);
        return c;
    }();
    return info;
}

} // namespace ec
